#pragma once
// The Help window: the mouse gestures of the canvas with the keys that change them, the keyboard
// shortcuts of every command, read from the actions themselves so the list always matches what the
// keys do, and where the full documentation lives.

#include <QDialog>

class QAction;

class cDlg_Help : public QDialog {
    Q_OBJECT
  public:
    // rotateKey and scaleKey name the keys held to rotate and scale while dragging ("DragAKey",
    // "DragSKey").
    cDlg_Help(const QList<QAction*>& actions, const QString& rotateKey = QStringLiteral("A"),
              const QString& scaleKey = QStringLiteral("S"), QWidget* parent = nullptr);
};
