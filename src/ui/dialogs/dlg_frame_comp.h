#pragma once
// "Tween": the cell and parameter check lists, start and end frame and the method; an easing for
// each parameter group (position, scale, angle, opacity, tone) with a curve editor for the cubic
// Bezier, and "Full turns" for angles. "Run" tweens as one undo step. The easing chosen last is kept
// in the settings ("TweenEasing").

#include "tools/easing.h"
#include "ui/dialogs/dlg_tool.h"

#include <array>

class cCheckList;
class cCurveEdit;
class cFrameComp;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;

class cDlg_FrameComp : public cDlg_Tool {
    Q_OBJECT
  public:
    cDlg_FrameComp(cSession& session, cFrameComp& state, QWidget* parent);

    void load() override;
    void store() override;

    // The group whose curve the editor shows (the one whose choice was touched last).
    int curveGroup() const { return curveGroup_; }
    void showCurveOf(int group);
    cCurveEdit* curveEdit() const { return curve_; }

  protected:
    strEditResult runTool() override;
    bool fits() const override;
    void refit() override;

  private:
    void easingChosen(int group, int kind);
    void curveEdited(const strEasing& e);
    void showCurveValues();

    cFrameComp& state_;
    cCheckList* cells_;
    cCheckList* params_;
    QSpinBox* start_;
    QSpinBox* end_;
    QComboBox* method_;
    std::array<QComboBox*, kTweenGroupCount> ease_{};
    QCheckBox* fullTurns_;
    cCurveEdit* curve_;
    QLabel* curveTitle_;
    std::array<QDoubleSpinBox*, 4> points_{}; // x1, y1, x2, y2
    strTweenOptions tween_;                   // as the controls show it
    int curveGroup_ = kTweenPosition;
};
