#include "tools/drag_tool.h"

#include "document/edit_commands.h"
#include "document/project.h"

bool cDragTool::press(const strGestureContext& ctx, const strGestureEvent& e, strGestureResult& out) {
    out.selection |= SelectAt(ctx, e.x, e.y, e.keys.ctrl);
    if (ctx.commands->selectedCount() == 0) return false;
    // The keys turn a Move drag into a rotation or a scaling; the Rotate and Scale tools are that
    // without the keys.
    const bool rotate = e.keys.rotate || (ctx.toolMode == kToolRotate && !e.keys.scale);
    const bool scale = e.keys.scale || ctx.toolMode == kToolResize;
    const int mode = rotate ? kDragRotate : scale ? kDragScale : kDragMove;
    if (mode != kDragMove) {
        if (!KeepCurrentOnly(ctx, out)) return false;
        const strCell* cell = ctx.doc->cell(ctx.frame, ctx.commands->currentCell());
        pivotX_ = cell->x;
        pivotY_ = cell->y;
        // A press on the pivot itself gives no direction to turn or scale from.
        if (!beyond(ctx, pivotX_, pivotY_, e.x, e.y)) return false;
    }
    mode_ = mode;
    setPress(e);
    referenceX_ = e.x;
    referenceY_ = e.y;
    snap_ = !e.keys.shift;
    drag_.begin(ctx);
    return true;
}

void cDragTool::move(const strGestureContext& ctx, const strGestureEvent& e, strGestureResult&) {
    setPointer(e);
    if (!started_ && !beyond(ctx, pressX_, pressY_, e.x, e.y)) return;
    started_ = true;
    snap_ = !e.keys.shift;
    update(ctx);
}

void cDragTool::modifiers(const strGestureContext& ctx, const strGestureKeys& keys, strGestureResult&) {
    if (!started_ || snap_ == !keys.shift) return;
    snap_ = !keys.shift;
    update(ctx);
}

void cDragTool::update(const strGestureContext& ctx) {
    if (mode_ != kDragMove) {
        // In screen units: the pivot arithmetic's small lengths are screen pixels.
        const double z = ctx.zoom;
        PivotRatioAngle(pivotX_ * z, pivotY_ * z, pressX_ * z, pressY_ * z, pointerX_ * z, pointerY_ * z,
                        ratio_, angle_);
    }
    drag_.preview(ctx, transform(ctx));
}

void cDragTool::release(const strGestureContext& ctx, const strGestureEvent& e, strGestureResult& out) {
    if (e.button == kButtonRight) {
        cancel();
        return;
    }
    if (e.button != kButtonLeft) return;
    setPointer(e);
    if (started_) out.stored = drag_.apply(ctx, transform(ctx));
    cancel();
}

void cDragTool::cancel() {
    drag_.clear();
    cCanvasTool::cancel();
}

strDragTransform cDragTool::transform(const strGestureContext& ctx) const {
    strDragTransform t;
    t.mode = mode_;
    t.dx = float(pointerX_ - pressX_);
    t.dy = float(pointerY_ - pressY_);
    t.ratio = ratio_;
    t.angle = angle_;
    t.snap = snap_;
    t.steps = ctx.steps;
    return t;
}
