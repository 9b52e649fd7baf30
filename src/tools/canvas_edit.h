#pragma once
// The arithmetic of canvas editing, independent of any window: the quadrilateral a cell covers, the
// hit test and the selection modes of a click, snapping, and the drag transforms (move, rotate,
// scale, rotate-and-scale about a pivot) with their commit as one undo step.
//
// Document points are cell coordinates (pixels from the animation's centre position, y downward);
// angles on screen grow clockwise, as the compositor draws them.

#include "document/cell.h"
#include "document/timeline_range.h"

#include <functional>
#include <utility>
#include <vector>

class cConfig;
class cEditCommands;
class cProject;

struct strQuad {
    double x[4] = {0, 0, 0, 0};
    double y[4] = {0, 0, 0, 0};
    // Inside or on the edges: no two non-zero edge cross products have opposite signs.
    bool contains(double px, double py) const;
};

// The pattern cell size of a cell's picture: false when the picture or the pattern is not valid
// (such a cell covers nothing and is never hit).
using CellSizeOf = std::function<bool(const strCell& cell, int& width, int& height)>;

// The corners (0,0), (w,0), (w,h), (0,h) of the pattern scaled by the magnifications and rotated by
// the angle about the pattern's centre, with the centre on the cell's position.
strQuad CellQuad(const strCell& cell, int width, int height);

// Cell numbers of frame `frame` whose quadrilateral holds the point, ascending (the last one is on
// top). cellOf, when given, replaces the document's cell of a number (a preview), or hides it (null).
using CellOverride = std::function<const strCell*(int cell, const strCell* documentCell)>;
std::vector<int> HitCells(const cProject& doc, int frame, double x, double y, const CellSizeOf& sizeOf,
                          const CellOverride& cellOf = {});

// Selection modes of a hit test.
enum eSelectMode : int {
    kSelectOnly = 0,   // the top hit cell alone becomes selected and current
    kSelectClick = 1,  // plain click: the top hit cell that is selected stays, alone; else kSelectOnly
    kSelectToggle = 3, // the top hit cell's mark flips; it is current when now selected
    kSelectAdd = 4,    // Ctrl-click: the top hit cell not yet selected joins the selection
};
// Applies a click on the hit cells (ascending, as HitCells gives them) to the selection and the
// current cell (which the hit test first sets to none). Returns whether either changed.
bool SelectByHit(cEditCommands& commands, const std::vector<int>& hits, int mode);

// Truncates v toward zero to a multiple of step; a step below 1 keeps v.
int SnapValue(int v, int step);

// The snapping steps in force: a step counts only while its "GridBit" bit is set (1 position,
// 2 scale, 4 angle); a cleared bit gives 0.
struct strSnapSteps {
    int position = 0, scale = 0, angle = 0;
    static strSnapSteps of(const cConfig& config);
};

// Drag modes of the canvas.
enum eDragMode : int {
    kDragIdle = 0,
    kDragPan = 1,
    kDragMove = 2,
    kDragBand = 3,
    kDragRotateScale = 4, // about a pivot (the Scale tool)
    kDragGifDraft = 5,
    kDragSpline = 6,
    kDragRotate = 7, // "DragAKey" held
    kDragScale = 8,  // "DragSKey" held
};

// Ratio and angle of a pivot drag: A = p1 - p2, B = p1 - m; angle = direction(B) - direction(A)
// wrapped into [-pi, pi) (a direction is 0 when both components are at most 0.01 in magnitude);
// ratio = |B| / max(|A|, 1). Points in screen pixels.
void PivotRatioAngle(double p1x, double p1y, double p2x, double p2y, double mx, double my, float& ratio,
                     float& angle);

struct strDragTransform {
    int mode = kDragMove;
    float dx = 0, dy = 0;         // move: pointer movement in screen pixels
    float zoom = 1;               // move: the canvas zoom the movement was made at
    float ratio = 1;              // scale, rotate-and-scale
    float angle = 0;              // rotate, rotate-and-scale: radians, clockwise on screen
    float pivotX = 0, pivotY = 0; // rotate-and-scale: the pivot in document coordinates
    bool snap = false;
    strSnapSteps steps;
};

// The cell after the drag transform (results truncated to 16 bits, snapped when t.snap), before the
// document's normalisation.
strCell TransformCell(const strCell& cell, const strDragTransform& t);

// The (frame, cell number) pairs a drag changes: every position of the drag range, cut to the
// document, when a taking-part cell lies in it at the current frame; otherwise the taking-part
// cells of the current frame.
std::vector<std::pair<int, int>> DragTargets(const cProject& doc, int frame,
                                             const std::vector<int>& takingPart, const cTimelineRange& range);

// The commit of a drag: one transaction ("Move 3 cells"); each target that holds a cell is
// transformed, normalised for its cell number (edit format and lock included) and stored when it
// differs from the cell before. Returns the number of cells stored; no step is recorded when
// nothing changed.
int ApplyDrag(cProject& doc, const std::vector<std::pair<int, int>>& targets, const strDragTransform& t);

// What the canvas shows while dragging: the transformed and normalised cell.
strCell PreviewDragCell(const cProject& doc, int cellNumber, const strCell& cell, const strDragTransform& t);
