#pragma once
// The canvas gestures that change the view rather than the document.
//
// cPanTool (middle button): the view's origin follows the pointer, so the document point pressed
// stays under it; the middle release ends it.
//
// cGifDraftTool (left press with "GIFKey" held over a loaded GIF draft): the draft's centre goes to
// the press point and its start frame to the current frame; once the pointer leaves the drag
// threshold, the drag's direction turns it and its length scales it. The release keeps the
// placement, a right release puts the one before back.

#include "tools/canvas_tool.h"

class cPanTool : public cCanvasTool {
  public:
    bool press(const strGestureContext& ctx, const strGestureEvent& e, strGestureResult& out) override;
    void move(const strGestureContext& ctx, const strGestureEvent& e, strGestureResult& out) override;
    void release(const strGestureContext& ctx, const strGestureEvent& e, strGestureResult& out) override;
};

class cGifDraftTool : public cCanvasTool {
  public:
    bool press(const strGestureContext& ctx, const strGestureEvent& e, strGestureResult& out) override;
    void move(const strGestureContext& ctx, const strGestureEvent& e, strGestureResult& out) override;
    void release(const strGestureContext& ctx, const strGestureEvent& e, strGestureResult& out) override;
    void cancel() override;

  private:
    strGifDraftPlacement* placement_ = nullptr;
    strGifDraftPlacement before_;
};
