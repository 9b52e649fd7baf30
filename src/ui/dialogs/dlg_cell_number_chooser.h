#pragma once
// The cell-number chooser: a pop-up list of the cell numbers of the current frame ("*%d" for a
// number that holds a cell, " %d" for an empty one) under a title that says what the choice does. Releasing
// the mouse on a row, Enter or Space chooses; the list closes after a choice and when it loses activation.

#include <QListWidget>

class cProject;
class QLabel;

class cDlg_CellNumberChooser : public QListWidget {
    Q_OBJECT
  public:
    cDlg_CellNumberChooser(const cProject& doc, int frame, QWidget* parent);

    // The title shown above the rows ("Paste into cell number"), also the list's accessible name.
    void setTitle(const QString& title);
    // Row text of cell number c.
    static QString rowText(bool occupied, int c);
    // Shows the list 8 pixels right of and 21 pixels above a pointer position, or with its corner at
    // a window's corner, kept inside the screen.
    void popup(QPoint at, bool atPointer);

  signals:
    void chosen(int cell, bool byMouse);

  protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

  private:
    void choose(int row, bool byMouse);
    bool done_ = false;
    QLabel* title_ = nullptr;
};
