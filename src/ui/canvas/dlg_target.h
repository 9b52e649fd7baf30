#pragma once
// cDlg_Target: the "Target image" window: the picture drawn behind the cells ("TargetPath"), its
// offset from the animation's centre position ("TargetPostX", "TargetPostY") and its opacity
// ("TargetOpacity"). The canvas follows every change at once.

#include <QDialog>

class cFileRow;
class cSession;
class QSpinBox;

class cDlg_Target : public QDialog {
    Q_OBJECT
  public:
    cDlg_Target(cSession& session, QWidget* parent);
    // Fills the controls from the settings.
    void refresh();
    // Loads path as the target picture (empty: none). A picture that cannot be read keeps the one
    // before and reports the failure. Returns whether the new picture is in place.
    bool setPicture(const QString& path);

  private:
    cSession& session_;
    cFileRow* file_;
    QSpinBox* x_;
    QSpinBox* y_;
    QSpinBox* opacity_;
};
