#pragma once
// The spline tool: the state and run of the "Cell_%d" dialog (cDlg_Spline). A cell
// moves over the n frames after the start frame along the quadratic Bezier curve through P0 (its
// position) and P2 (the end point), bent toward P1 (the control point). Points are canvas (cell)
// coordinates; the conversion from window points belongs to the canvas.

#include "tools/tool_context.h"

#include <cstdint>
#include <string>
#include <vector>

class cConfig;
class cProject;

struct strPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const strPoint&) const = default;
};

class cSpline {
  public:
    // Dialog state.
    int startFrame = 0;
    int cell = 0;
    strPoint p0, p1, p2;
    int frames = 0;    // n of the last run, kept between uses
    bool snap = false; // "Grid"
    int gridStep = 4;  // "PostGrid" when the dialog opened

    // Fills the dialog from the canvas gesture: the start frame, the cell number and the three
    // points; "Grid" from the position bit (1) of "GridBit", the step from "PostGrid". The frame
    // count kept from the last use is limited to what fits after the start frame (maxFrames).
    void open(const cConfig& config, const cProject& doc, int frame, int cellNumber, strPoint cellPosition,
              strPoint control, strPoint end);
    // The frame-count spin box's upper bound: frame count - 1 - start frame (at least 0).
    int maxFrames(const cProject& doc) const;
    // Title "Cell_%d".
    std::string title() const;

    // The curve point at t in [0, 1], single-precision arithmetic, each coordinate truncated toward
    // zero.
    static strPoint curvePoint(strPoint p0, strPoint p1, strPoint p2, float t);
    // Grid snapping: step < 1 keeps v; otherwise (v / step) * step, truncating toward zero.
    static int32_t snapToGrid(int32_t v, int step);

    // The preview path: P0 followed by the (snapped) curve point of each frame start+1..start+n;
    // empty when the start frame has no cell of this number or n < 1.
    std::vector<strPoint> preview(const cProject& doc) const;

    // "Run" with the current frame count: one undo step; "Spline curve >> Cell [%d] edited" with the
    // number of stores, or "processing failed". Without a document nothing happens.
    strEditResult run(const strToolContext& ctx) const;

  private:
    strPoint pointAt(int f) const;
};
