#pragma once
// The Help window: the keyboard shortcuts of every command, read from the actions themselves so the
// list always matches what the keys do, and where the full documentation lives.

#include <QDialog>

class QAction;

class cDlg_Help : public QDialog {
    Q_OBJECT
  public:
    cDlg_Help(const QList<QAction*>& actions, QWidget* parent = nullptr);
};
