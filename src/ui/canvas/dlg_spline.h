#pragma once
// cDlg_Spline: the small "Cell_%d" window of the spline gesture, opened at the pointer: the
// number of frames, "Grid", and "Run" / Cancel. While it is open the canvas draws the path; it closes
// when it loses activation. Run is one undo step.

#include <QDialog>

class cSession;
class cSpline;
class QCheckBox;
class QSpinBox;

class cDlg_Spline : public QDialog {
    Q_OBJECT
  public:
    // spline is the canvas's tool state; it outlives the window.
    cDlg_Spline(cSession& session, cSpline& spline, QWidget* parent);

    // Fills the controls from the tool state (after the gesture opened it).
    void fill();
    // Runs the tool with the controls' values, reports and closes.
    void run();

  signals:
    // The path to preview changed (or the preview ended).
    void previewChanged();

  protected:
    bool event(QEvent* e) override;
    void hideEvent(QHideEvent* e) override;

  private:
    cSession& session_;
    cSpline& spline_;
    QSpinBox* frames_;
    QCheckBox* grid_;
};
