#pragma once
// The game window's table: one row per slot of the open game (picture of frame 1, id, name, frames).
// Empty slots are listed, greyed and not selectable. The name is edited in place: a new name is
// written into the game's database (cSession::renameGameAnimation).

#include <QAbstractTableModel>

class cGameThumbnails;
class cSession;

class cGameListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum eColumn { kColumnPicture, kColumnId, kColumnName, kColumnFrames, kColumnCount };

    cGameListModel(cSession& session, cGameThumbnails& thumbnails, QObject* parent = nullptr);

    // The list was read again (a game opened, an animation written).
    void reload();
    // The row of animation id; -1 when there is none.
    int rowOf(int id) const;
    int idOf(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  private:
    cSession& session_;
    cGameThumbnails& thumbnails_;
};
