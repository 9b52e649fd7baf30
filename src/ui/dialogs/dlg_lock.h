#pragma once
// "Associate the cell and the image": the whole lock table as a two-column list (cell number, image
// number). A number typed into "<< Number image" goes to every selected row; "Update" stores the
// table as one undo step.

#include "tools/lock_edit.h"

#include <QDialog>

class cSession;
class QSpinBox;
class QTreeWidget;

class cDlg_Lock : public QDialog {
    Q_OBJECT
  public:
    cDlg_Lock(cSession& session, QWidget* parent);

    // Fills the rows from the document's lock table.
    void load();
    // "Update".
    void update();

  private:
    void showRows();

    cSession& session_;
    cLockEdit edit_;
    QTreeWidget* rows_;
    QSpinBox* number_;
};
