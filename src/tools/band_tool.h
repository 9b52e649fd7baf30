#pragma once
// cBandTool: the gesture of the Scale and Spline tools. A press selects like the Move tool's and
// starts a band: from the press point (Scale) or from the current cell's position (Spline, which
// keeps the current cell alone selected). A band shorter than the drag threshold ends the gesture
// with no change. Otherwise the band's start and end become the pivot pair and:
// - Scale, with cells selected: rotate-and-scale about the start; the pointer moves without a button,
//   the next left click stores the result in one transaction, a right click cancels;
// - Spline, with a current cell: the next left click is the control point of the curve from the cell
//   to the band's end, handed on as a spline request; a right click cancels.

#include "tools/canvas_tool.h"

class cBandTool : public cCanvasTool {
  public:
    bool press(const strGestureContext& ctx, const strGestureEvent& e, strGestureResult& out) override;
    void pressAgain(const strGestureContext& ctx, const strGestureEvent& e, strGestureResult& out) override;
    void move(const strGestureContext& ctx, const strGestureEvent& e, strGestureResult& out) override;
    void release(const strGestureContext& ctx, const strGestureEvent& e, strGestureResult& out) override;
    void modifiers(const strGestureContext& ctx, const strGestureKeys& keys, strGestureResult& out) override;
    void cancel() override;

    const strCell* preview(int n) const override { return drag_.cell(n); }
    int firstPreview() const override { return drag_.first(); }
    std::pair<int, int> angleAndPercent() const override;

    strDragTransform transform(const strGestureContext& ctx) const;

  private:
    void update(const strGestureContext& ctx);

    cCellDrag drag_;
    bool snap_ = false; // off until the first move of the pivot phase
    float ratio_ = 1, angle_ = 0;
    strSnapSteps steps_;
};
