#pragma once
// Frame compensation: the state and run of the "Frame compensation" dialog
// (cDlg_FrameComp), and the completion of a timeline block by the simple cell supplement.
//
// The other two quick completions, "Add frame before and after" (current frame) and "Complete before
// and after with frame" on the canvas selection, are commands of the editing layer
// (cEditCommands::completeFrame and completeSelectedCells, src/document/edit_commands.h); they and
// CompleteTimelineBlock share SupplementCell, the simple cell supplement with "CompType".

#include "document/timeline_range.h"
#include "tools/easing.h"
#include "tools/tool_context.h"

#include <cstdint>
#include <string>
#include <vector>

class cProject;

class cFrameComp {
  public:
    enum eMethod : int { kNormal = 0, kMedium = 1, kCellUsedOnly = 2 };
    static constexpr const char* kMethodList =
        "Start to end,Every pair of key cells from start,Only frames that have the cell";
    // The easing choices, in the order of eEaseKind.
    static constexpr const char* kEaseList = "Linear,Ease in,Ease out,Ease in-out,Curve";

    // Dialog state, kept between openings.
    int startFrame = 0;
    int endFrame = 0;
    int method = kNormal;
    std::vector<uint8_t> cellChecks;                                // one per cell number
    std::vector<uint8_t> paramChecks = std::vector<uint8_t>(13, 0); // one per parameter, list order
    strTweenOptions tween;                                          // easing per group, angle way

    // The timeline's "Frame completion" on a range cut to the document: start and end its first
    // and last frame (0 when nothing is left), the cell flags reset to one per cell number with the
    // range's set; every parameter flag set.
    void fillFromTimeline(const cProject& doc, const cTimelineRange& range);
    // On opening: one cell flag per cell number of the project (existing flags kept, new ones clear).
    void fitToProject(const cProject& doc);
    // Row label of the "Cell" list: "<%02d>".
    static std::string cellLabel(int cell);
    uint32_t paramBits() const;

    // The "Run" button: one undo step; "Tween on frames %d to %d: %d cells changed" with the start
    // and end as entered and the number of cells that changed (a cell that already held its tweened
    // value is not counted), or why nothing changed. Without a document nothing happens (status none).
    strEditResult run(const strToolContext& ctx) const;

    // Tweens the parameters `bits` of cell number `cell` between its cells at fa and fb (fa < fb) on
    // the frames between them (easing.h); fill creates missing cells from a copy of the cell at fa,
    // otherwise frames without the cell are skipped. Returns the number of cells that changed;
    // *reached, when given, grows by the number of cells tweened, changed or not.
    static int interpolate(cProject& doc, int cell, int fa, int fb, uint32_t bits, bool fill,
                           const strTweenOptions& tween = {}, int* reached = nullptr);
};

// "Complete before and after with frame" on a timeline range cut to the document, one undo step:
// for each cell number of it, P is its nearest cell before its first frame and N its nearest cell
// after its last; every frame of the block gets the supplement of its own cell (or of a
// copy of P) between P and N with t = (f - frame of P) / (frame of N - frame of P), or a copy of the
// only one of P and N that exists. count = the number of cells that changed (a cell that already
// held its result is not stored, nor counted); ok = count > 0; the status says how many, or why none.
strEditResult CompleteTimelineBlock(const strToolContext& ctx, const cTimelineRange& range, int compType);
