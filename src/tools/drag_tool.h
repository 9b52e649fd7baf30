#pragma once
// cDragTool: the Move tool's gesture. A press selects (a plain or a Ctrl click) and, when a cell is
// selected, starts a drag: a move of the selected cells, or with "DragAKey" / "DragSKey" held a
// rotation / scaling of the current cell alone about its position (so with the Rotate and Scale
// tools without a key). Nothing moves before the pointer
// leaves the drag threshold; snapping follows Shift (held: off); the release stores the result in
// one transaction, a right release cancels.

#include "tools/canvas_tool.h"

class cDragTool : public cCanvasTool {
  public:
    bool press(const strGestureContext& ctx, const strGestureEvent& e, strGestureResult& out) override;
    void move(const strGestureContext& ctx, const strGestureEvent& e, strGestureResult& out) override;
    void release(const strGestureContext& ctx, const strGestureEvent& e, strGestureResult& out) override;
    void modifiers(const strGestureContext& ctx, const strGestureKeys& keys, strGestureResult& out) override;
    void cancel() override;

    const strCell* preview(int n) const override { return drag_.cell(n); }
    int firstPreview() const override { return drag_.first(); }

    // The transform the gesture stands at.
    strDragTransform transform(const strGestureContext& ctx) const;

  private:
    void update(const strGestureContext& ctx);

    cCellDrag drag_;
    bool snap_ = true;
    float ratio_ = 1, angle_ = 0;
};
