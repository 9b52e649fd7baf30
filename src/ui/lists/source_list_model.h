#pragma once
// The rows of the picture list (one per picture slot: No, Path, XY, Hue, Cut) or of the effect list
// (one per effect plus an empty row for a new one: F, SE, -, Flash, Other), read from the document
// each time the view asks. refresh() resets the row count after the document changed.

#include <QAbstractTableModel>

#include <string>

class cSession;

class cSourceListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum eKind { kPictures, kEffects };
    cSourceListModel(cSession& session, eKind kind, QObject* parent = nullptr);

    eKind kind() const { return kind_; }
    // The rows the list shows for the current document.
    int rowCountNow() const;
    // Rows and texts read again.
    void refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // The file of a row as the document stores it ("" for none), and what is wrong with it in the
    // user's language ("" when nothing is).
    std::string storedPath(int row) const;
    QString fileProblem(int row) const;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // The column widths of the list.
    static int columnWidth(eKind kind, int column);

  private:
    QString pictureText(int row, int column) const;
    QString effectText(int row, int column) const;

    cSession& session_;
    eKind kind_;
    int rows_ = 0;
};
