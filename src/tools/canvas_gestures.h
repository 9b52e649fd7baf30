#pragma once
// cCanvasGestures: which gesture a press on the canvas starts, and the running one. With no gesture
// running a press is offered in this order: the middle button pans; the right button selects like a
// click (the context menu opens at its release); the left button places the GIF draft while
// "GIFKey" is held over a loaded draft, else starts the band of the Scale and Spline tools, else the
// Move tool's drag. While a gesture runs, every event goes to it until it is done.
//
// The change notices of a stored gesture reach the view while the gesture's call runs; a cancel
// asked for then (a view ends a gesture when the cells change) waits until the call returns, so a
// gesture is never destroyed inside its own call.

#include "tools/canvas_tool.h"

#include <memory>

class cCanvasGestures {
  public:
    strGestureResult press(const strGestureContext& ctx, const strGestureEvent& e);
    strGestureResult move(const strGestureContext& ctx, const strGestureEvent& e);
    strGestureResult release(const strGestureContext& ctx, const strGestureEvent& e);
    strGestureResult modifiers(const strGestureContext& ctx, const strGestureKeys& keys);
    // Ends the running gesture with no change.
    void cancel();

    // The running gesture, or null.
    const cCanvasTool* tool() const { return tool_.get(); }
    int mode() const { return tool_ ? tool_->mode() : int(kDragIdle); }

  private:
    // Runs one call of the gesture, then drops it when it is done or a cancel came meanwhile.
    template <class Call> strGestureResult run(Call&& call);

    std::unique_ptr<cCanvasTool> tool_;
    bool inCall_ = false;
    bool cancelAsked_ = false;
};
