#include "tools/view_tools.h"

bool cPanTool::press(const strGestureContext&, const strGestureEvent& e, strGestureResult&) {
    mode_ = kDragPan;
    setPress(e);
    return true;
}

void cPanTool::move(const strGestureContext&, const strGestureEvent& e, strGestureResult& out) {
    // The view moved by the last shift already; the pressed point goes back under the pointer.
    out.panX = pressX_ - e.x;
    out.panY = pressY_ - e.y;
    setPointer(e);
}

void cPanTool::release(const strGestureContext&, const strGestureEvent& e, strGestureResult&) {
    if (e.button == kButtonMiddle || e.button == kButtonRight) cancel();
}

bool cGifDraftTool::press(const strGestureContext& ctx, const strGestureEvent& e, strGestureResult& out) {
    if (!ctx.gifDraft) return false;
    placement_ = ctx.gifDraft;
    before_ = *placement_;
    *placement_ = PlaceGifDraft(WholePixel(e.x), WholePixel(e.y), ctx.frame, 0, 0, 1, 1, false);
    mode_ = kDragGifDraft;
    setPress(e);
    out.placement = true;
    return true;
}

void cGifDraftTool::move(const strGestureContext& ctx, const strGestureEvent& e, strGestureResult& out) {
    setPointer(e);
    started_ = started_ || beyond(ctx, pressX_, pressY_, e.x, e.y);
    strGifDraftPlacement& at = *placement_;
    // The drag in document pixels: its length needs no zoom.
    at = PlaceGifDraft(at.x, at.y, at.startFrame, e.x - pressX_, e.y - pressY_, 1, ctx.gifWidth, started_);
    out.placement = true;
}

void cGifDraftTool::release(const strGestureContext&, const strGestureEvent& e, strGestureResult& out) {
    if (e.button == kButtonRight) {
        cancel();
        out.placement = true;
    } else if (e.button == kButtonLeft) {
        placement_ = nullptr; // the placement stays
        cCanvasTool::cancel();
        out.placement = true;
    }
}

void cGifDraftTool::cancel() {
    if (placement_) *placement_ = before_;
    placement_ = nullptr;
    cCanvasTool::cancel();
}
