#include "tools/band_tool.h"

#include "document/edit_commands.h"
#include "document/project.h"

#include <numbers>

bool cBandTool::press(const strGestureContext& ctx, const strGestureEvent& e, strGestureResult& out) {
    out.selection |= SelectAt(ctx, e.x, e.y, e.keys.ctrl);
    if (ctx.toolMode == kToolSpline) {
        if (!KeepCurrentOnly(ctx, out)) return false;
        const strCell* cell = ctx.doc->cell(ctx.frame, ctx.commands->currentCell());
        pivotX_ = cell->x;
        pivotY_ = cell->y;
    } else {
        pivotX_ = e.x;
        pivotY_ = e.y;
    }
    mode_ = kDragBand;
    setPress(e);
    return true;
}

void cBandTool::move(const strGestureContext& ctx, const strGestureEvent& e, strGestureResult&) {
    setPointer(e);
    if (mode_ != kDragRotateScale) return;
    snap_ = !e.keys.shift;
    update(ctx);
}

void cBandTool::modifiers(const strGestureContext& ctx, const strGestureKeys& keys, strGestureResult&) {
    if (mode_ != kDragRotateScale || snap_ == !keys.shift) return;
    snap_ = !keys.shift;
    update(ctx);
}

void cBandTool::update(const strGestureContext& ctx) {
    const double z = ctx.zoom;
    PivotRatioAngle(pivotX_ * z, pivotY_ * z, referenceX_ * z, referenceY_ * z, pointerX_ * z, pointerY_ * z,
                    ratio_, angle_);
    steps_ = ctx.steps;
    drag_.preview(ctx, transform(ctx));
}

void cBandTool::release(const strGestureContext& ctx, const strGestureEvent& e, strGestureResult&) {
    if (mode_ != kDragBand) return; // the pivot phases end on a press
    if (e.button == kButtonRight) {
        cancel();
        return;
    }
    if (e.button != kButtonLeft) return;
    setPointer(e);
    if (!beyond(ctx, pivotX_, pivotY_, e.x, e.y)) {
        cancel();
        return;
    }
    referenceX_ = e.x;
    referenceY_ = e.y;
    if (ctx.toolMode == kToolPivot && ctx.commands->selectedCount() > 0) {
        mode_ = kDragRotateScale;
        ratio_ = 1;
        angle_ = 0;
        snap_ = false;
        started_ = true;
        drag_.begin(ctx);
    } else if (ctx.toolMode == kToolSpline && ctx.commands->currentCell() >= 0) {
        mode_ = kDragSpline;
    } else {
        cancel();
    }
}

void cBandTool::pressAgain(const strGestureContext& ctx, const strGestureEvent& e, strGestureResult& out) {
    if (e.button == kButtonRight) {
        cancel();
        return;
    }
    if (e.button != kButtonLeft) return;
    setPointer(e);
    if (mode_ == kDragRotateScale) {
        out.stored = drag_.apply(ctx, transform(ctx));
    } else if (mode_ == kDragSpline) {
        const int n = ctx.commands->currentCell();
        if (const strCell* at = n >= 0 ? ctx.doc->cell(ctx.frame, n) : nullptr)
            out.spline = strSplineRequest{n,
                                          at->x,
                                          at->y,
                                          WholePixel(e.x),
                                          WholePixel(e.y),
                                          WholePixel(referenceX_),
                                          WholePixel(referenceY_)};
    } else {
        return; // a press during the band: its release decides
    }
    cancel();
}

void cBandTool::cancel() {
    drag_.clear();
    cCanvasTool::cancel();
}

strDragTransform cBandTool::transform(const strGestureContext& ctx) const {
    strDragTransform t;
    t.mode = kDragRotateScale;
    t.ratio = ratio_;
    t.angle = angle_;
    t.pivotX = float(WholePixel(pivotX_));
    t.pivotY = float(WholePixel(pivotY_));
    t.snap = snap_;
    t.steps = ctx.steps;
    return t;
}

std::pair<int, int> cBandTool::angleAndPercent() const {
    int angle = int(angle_ * 180 / std::numbers::pi * 10) % 3600;
    int percent = int(ratio_ * 100);
    if (snap_) angle = SnapValue(angle, steps_.angle), percent = SnapValue(percent, steps_.scale);
    return {angle, percent};
}
