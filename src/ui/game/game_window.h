#pragma once
// The game window: the animations of the open game (a picture of frame 1, id, name, frames) with
// Open, New and Rename. It stays open beside the main window (non-modal) and follows the session:
// a game opened or written shows in it at once.

#include <QWidget>

class cGameListModel;
class cGameThumbnails;
class cSession;
class QLabel;
class QPushButton;
class QTableView;

class cGameWindow : public QWidget {
    Q_OBJECT
  public:
    cGameWindow(cSession& session, QWidget* parent);

    QTableView* table() const { return table_; }
    cGameListModel* model() const { return model_; }
    cGameThumbnails* thumbnails() const { return thumbnails_; }
    // The animation of the current row (0: none).
    int currentId() const;
    // Makes animation id the current row.
    void selectId(int id);

    // The buttons' actions.
    bool openCurrent();
    bool addNew();
    void renameCurrent();

  protected:
    void keyPressEvent(QKeyEvent* e) override;

  private:
    void reload();
    void updateButtons();

    cSession& session_;
    cGameThumbnails* thumbnails_;
    cGameListModel* model_;
    QLabel* summary_;
    QTableView* table_;
    QPushButton* open_;
    QPushButton* new_;
    QPushButton* rename_;
};
