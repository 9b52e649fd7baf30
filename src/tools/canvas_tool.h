#pragma once
// The canvas's tools without a window: a gesture is a small object fed with press, move and release
// events (points in document coordinates, not truncated, with the button and the keys held) and told
// when the modifier keys change. It changes the selection through the edit commands, stores its
// result in the document as one transaction, and reports what a view draws for it (the cells as they
// would be, the band, the pivot). The window turns its mouse events into these calls and paints what
// the tool reports.

#include "tools/canvas_edit.h"
#include "tools/gif_draft.h"

#include <optional>
#include <vector>

class cEditCommands;
class cProject;

// The tool chosen in the Tool menu or on a tool bar: what a left press on a cell does.
enum eToolMode : int {
    kToolMove = 0,   // select and drag (rotate with "DragAKey", scale with "DragSKey")
    kToolPivot = 1,  // a band sets the pivot, then rotate and scale about it
    kToolSpline = 2, // a band from the current cell sets the end, a click the control point
    kToolRotate = 3, // select and drag: the current cell turns about its position
    kToolResize = 4, // select and drag: the current cell scales about its position
};
inline constexpr int kToolModeCount = 5;

enum eGestureButton : int { kButtonNone = 0, kButtonLeft = 1, kButtonRight = 2, kButtonMiddle = 4 };

// The keys a gesture looks at; rotate, scale and gifDraft are the keys the settings name
// ("DragAKey", "DragSKey", "GIFKey").
struct strGestureKeys {
    bool shift = false, ctrl = false;
    bool rotate = false, scale = false, gifDraft = false;
};

struct strGestureEvent {
    double x = 0, y = 0; // document coordinates
    int button = kButtonNone;
    strGestureKeys keys;
};

// What a gesture works on. Everything is borrowed for the length of one call.
struct strGestureContext {
    cProject* doc = nullptr;
    cEditCommands* commands = nullptr; // selection and current cell
    int frame = 0;
    int toolMode = kToolMove;
    strSnapSteps steps;
    cTimelineRange range; // the timeline's drag range (empty: none)
    CellSizeOf sizeOf;
    CellOverride cellOf; // the cells as the view shows them, for the hit test
    double zoom = 1;     // screen pixels per document pixel
    int threshold = 4;   // the drag threshold in screen pixels
    // The GIF draft's placement and its width, when a draft is loaded (else null).
    strGifDraftPlacement* gifDraft = nullptr;
    int gifWidth = 0;
};

// The spline gesture's three points, handed to the spline tool once the control point is clicked.
struct strSplineRequest {
    int cell = -1;
    int startX = 0, startY = 0, controlX = 0, controlY = 0, endX = 0, endY = 0;
};

// What one call did, for the view.
struct strGestureResult {
    bool selection = false;    // the selection or the current cell changed
    int stored = 0;            // cells stored by the applied gesture (one transaction)
    bool placement = false;    // the GIF draft's placement changed
    double panX = 0, panY = 0; // the view's origin moves by this (document pixels)
    bool popup = false;        // a right press on the idle canvas: the context menu opens at release
    std::optional<strSplineRequest> spline;
};

class cCanvasTool {
  public:
    virtual ~cCanvasTool() = default;

    // The press that starts the gesture; false when it starts nothing (the tool is dropped).
    virtual bool press(const strGestureContext& ctx, const strGestureEvent& e, strGestureResult& out) = 0;
    // A further press while the gesture runs (the pivot phases end on a click).
    virtual void pressAgain(const strGestureContext&, const strGestureEvent&, strGestureResult&) {}
    virtual void move(const strGestureContext& ctx, const strGestureEvent& e, strGestureResult& out) = 0;
    virtual void release(const strGestureContext& ctx, const strGestureEvent& e, strGestureResult& out) = 0;
    // The keys held changed without the pointer moving.
    virtual void modifiers(const strGestureContext&, const strGestureKeys&, strGestureResult&) {}
    // Ends the gesture with no change.
    virtual void cancel() { done_ = true; }

    // The gesture ended (applied or cancelled); the view drops the tool.
    bool done() const { return done_; }
    // The drag mode the view shows (eDragMode).
    int mode() const { return mode_; }
    // The pointer left the drag threshold (modes that wait for it).
    bool started() const { return started_; }
    // The points a view draws, in document coordinates: the press point, the pointer, and the pivot
    // pair (pivot: the band's start or the cell turned about; reference: the band's end).
    double pressX() const { return pressX_; }
    double pressY() const { return pressY_; }
    double pointerX() const { return pointerX_; }
    double pointerY() const { return pointerY_; }
    double pivotX() const { return pivotX_; }
    double pivotY() const { return pivotY_; }
    double referenceX() const { return referenceX_; }
    double referenceY() const { return referenceY_; }
    // The cell shown for a cell number of the current frame while the gesture runs (null: the
    // document's), and the first cell number that has one (-1: none).
    virtual const strCell* preview(int) const { return nullptr; }
    virtual int firstPreview() const { return -1; }
    // Rotate-and-scale: the angle (tenths of a degree, snapped as it would be stored) and the ratio
    // in percent, for the status bar.
    virtual std::pair<int, int> angleAndPercent() const { return {0, 100}; }

  protected:
    void setPress(const strGestureEvent& e);
    void setPointer(const strGestureEvent& e);
    // Whether two document points lie at least the drag threshold apart on screen, in x or in y.
    static bool beyond(const strGestureContext& ctx, double ax, double ay, double bx, double by);

    bool done_ = false;
    int mode_ = kDragIdle;
    bool started_ = false;
    double pressX_ = 0, pressY_ = 0, pointerX_ = 0, pointerY_ = 0;
    double pivotX_ = 0, pivotY_ = 0, referenceX_ = 0, referenceY_ = 0;
};

// A document coordinate truncated toward zero, as a screen point converts to a whole pixel.
int WholePixel(double v);

// Runs a click at a point on the selection: the cells hit (as the view shows them) and the mode of
// a plain or a Ctrl click. Returns whether the selection or the current cell changed.
bool SelectAt(const strGestureContext& ctx, double x, double y, bool ctrl);

// The current cell alone stays selected; false without a current cell on the current frame.
bool KeepCurrentOnly(const strGestureContext& ctx, strGestureResult& out);

// Tab on the canvas: the next cell of the current frame after the current cell (forward) or before
// it becomes the current cell and the only one selected; the first (or last) cell when there is no
// current cell or fromEdge is set (the focus has just come in). Returns the cell number, or -1 with
// nothing changed when no cell lies that way: the last cell was current (the first, going back) or
// the frame has none, so the key can move the focus on.
int StepCurrentCell(const strGestureContext& ctx, bool forward, bool fromEdge = false);

// The cells of a drag (those selected and present on the current frame when it starts), the preview
// of a transform on them and its commit as one transaction (no step when nothing changes).
class cCellDrag {
  public:
    void begin(const strGestureContext& ctx);
    void preview(const strGestureContext& ctx, const strDragTransform& t);
    // Stores the transform; the number of cells stored (no step when 0).
    int apply(const strGestureContext& ctx, const strDragTransform& t) const;
    void clear();

    const strCell* cell(int n) const;
    int first() const;

  private:
    std::vector<int> takingPart_;
    std::vector<bool> set_;
    std::vector<strCell> cells_;
};

// The arrow keys: the selected cells (and the drag range) moved by whole document pixels in one
// transaction; the number of cells stored.
int NudgeCells(const strGestureContext& ctx, int dx, int dy);
