#pragma once
// "[%d] Locked for cell and image": the lock of one cell number; "OK" stores it as one undo step.

#include "tools/lock_edit.h"

#include <QDialog>

class cSession;
class QSpinBox;

class cDlg_LockCell : public QDialog {
    Q_OBJECT
  public:
    cDlg_LockCell(cSession& session, QWidget* parent);

    // The window title for cell number c.
    static QString titleText(int c);

    // Shows the lock of cell number c.
    void openFor(int c);
    // "OK": stores the lock, then closes.
    void ok();

  private:
    cSession& session_;
    cLockCellEdit edit_;
    QSpinBox* image_;
};
