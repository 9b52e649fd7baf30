#include "tools/canvas_gestures.h"

#include "tools/band_tool.h"
#include "tools/drag_tool.h"
#include "tools/view_tools.h"

template <class Call> strGestureResult cCanvasGestures::run(Call&& call) {
    strGestureResult out;
    inCall_ = true;
    cancelAsked_ = false;
    call(out);
    inCall_ = false;
    if (cancelAsked_ && tool_ && !tool_->done()) tool_->cancel();
    if (tool_ && tool_->done()) tool_.reset();
    return out;
}

strGestureResult cCanvasGestures::press(const strGestureContext& ctx, const strGestureEvent& e) {
    if (tool_) return run([&](strGestureResult& out) { tool_->pressAgain(ctx, e, out); });
    std::unique_ptr<cCanvasTool> tool;
    switch (e.button) {
    case kButtonMiddle:
        tool = std::make_unique<cPanTool>();
        break;
    case kButtonRight:
        return run([&](strGestureResult& out) {
            out.selection = SelectAt(ctx, e.x, e.y, e.keys.ctrl);
            out.popup = true;
        });
    case kButtonLeft:
        if (e.keys.gifDraft && ctx.gifDraft)
            tool = std::make_unique<cGifDraftTool>();
        else if (ctx.toolMode == kToolPivot || ctx.toolMode == kToolSpline)
            tool = std::make_unique<cBandTool>();
        else
            tool = std::make_unique<cDragTool>();
        break;
    default:
        return {};
    }
    tool_ = std::move(tool);
    return run([&](strGestureResult& out) {
        if (!tool_->press(ctx, e, out)) tool_->cancel();
    });
}

strGestureResult cCanvasGestures::move(const strGestureContext& ctx, const strGestureEvent& e) {
    if (!tool_) return {};
    return run([&](strGestureResult& out) { tool_->move(ctx, e, out); });
}

strGestureResult cCanvasGestures::release(const strGestureContext& ctx, const strGestureEvent& e) {
    if (!tool_) return {};
    return run([&](strGestureResult& out) { tool_->release(ctx, e, out); });
}

strGestureResult cCanvasGestures::modifiers(const strGestureContext& ctx, const strGestureKeys& keys) {
    if (!tool_) return {};
    return run([&](strGestureResult& out) { tool_->modifiers(ctx, keys, out); });
}

void cCanvasGestures::cancel() {
    if (inCall_) {
        cancelAsked_ = true;
        return;
    }
    if (tool_) tool_->cancel();
    tool_.reset();
}
