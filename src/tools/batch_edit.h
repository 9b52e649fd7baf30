#pragma once
// Batch edit and interval: the state and runs of the "Edit cell bundle" dialog
// (cDlg_Batch) and of the "Interval" dialog (cDlg_SetInterval).

#include "document/cell.h"
#include "document/timeline_range.h"
#include "tools/tool_context.h"

#include <cstdint>
#include <string>
#include <vector>

class cProject;

class cBatchEdit {
  public:
    enum eFormula : int { kEqual = 0, kAdd = 1, kPercent = 2 };
    static constexpr const char* kFormulaList = "Set to (=),Add (+=),Percent of (*= v/100)";
    static constexpr int kMinValue = -9999;
    static constexpr int kMaxValue = 9999;

    // Dialog state, kept between openings.
    int value = 0;
    int formula = kEqual;
    std::vector<uint8_t> frameChecks;                               // one per frame
    std::vector<uint8_t> cellChecks;                                // one per cell number
    std::vector<uint8_t> paramChecks = std::vector<uint8_t>(13, 0); // one per parameter

    // The timeline's "Batch" on a range: frame flags reset to the frame count, all clear, then the
    // range's frames (cut to the document) set; the cell flags likewise; the parameter flags are
    // kept.
    void fillFromTimeline(const cProject& doc, const cTimelineRange& range);
    // On opening: one frame flag per frame and one cell flag per cell number (existing flags kept).
    void fitToProject(const cProject& doc);
    // Row labels: "<%03d>" for frames, "<%02d>" for cell numbers.
    static std::string frameLabel(int frame);
    static std::string cellLabel(int cell);

    // F(old, v) in 32-bit signed arithmetic: v, old + v, or old * v / 100 truncating toward zero
    // (the product wraps like the original's 32-bit int).
    static int32_t applyFormula(int formula, int32_t old, int32_t v);
    // The cell with each parameter of `bits` replaced by F(p, v), stored into the field's width by
    // keeping its low 8 or 16 bits (no clamping; normalisation happens when the cell is stored).
    static strCell apply(const strCell& c, uint32_t bits, int formula, int32_t v);

    // "Run": one undo step (none when no cell number is checked); "Batch processing >> Cell [%d]
    // edited" with the number of stores, or "processing failed". Without a document nothing happens.
    strEditResult run(const strToolContext& ctx) const;
};

class cIntervalSetting {
  public:
    // Dialog state, kept between openings.
    int startFrame = 0;
    int endFrame = 0;
    int interval = 0; // 0..255; 0 = the project's basic interval

    // The timeline's "Settings" on the frames of a range: start and end its first and last frame
    // held to 0..frame count - 1, the interval the start frame's own interval (0 when it uses the
    // basic interval), at most 255.
    void fillFromTimeline(const cProject& doc, const cTimelineRange& range);

    // "Run": sets the interval of every frame from start to end (swapped when end < start) through
    // the document's set-interval operation, as one undo step (none when no frame changes). Reports
    // "Interval entered [%d]~[%d] on frame [%d]" with start, end (after the swap) and the interval;
    // count = frames whose interval changed. Without a document nothing happens.
    strEditResult run(const strToolContext& ctx) const;
};
