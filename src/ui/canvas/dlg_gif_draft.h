#pragma once
// cDlg_GifDraft: the "GIF draft" window: the reference GIF ("GIFPath"), its speed ("GIFSpeed") and
// its placement on the canvas (centre, angle, scale, the frame where it starts). The canvas follows
// every change at once; a placement drag on the canvas shows here when it ends.

#include <QDialog>

class cFileRow;
class cCanvas;
class cSession;
class QSpinBox;

class cDlg_GifDraft : public QDialog {
    Q_OBJECT
  public:
    cDlg_GifDraft(cSession& session, cCanvas& canvas, QWidget* parent);
    // Fills the controls from the settings and the canvas's draft.
    void refresh();

  private:
    void store();

    cSession& session_;
    cCanvas& canvas_;
    cFileRow* file_;
    QSpinBox* speed_;
    QSpinBox* x_;
    QSpinBox* y_;
    QSpinBox* angle_;
    QSpinBox* scale_;
    QSpinBox* start_;
    QSpinBox* opacity_;
};
