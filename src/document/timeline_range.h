#pragma once
// A range of the timeline: a block of frames × cell numbers, whole frame columns or whole cell rows.
// The timeline's selection, copied range and drag range, the canvas's drag range, the clipboard
// commands of the timeline and the tools that a timeline range fills all pass this one type.
//
// The corners are kept ordered (first <= last). A range of whole columns spans every cell number,
// one of whole rows every frame: that span is 0..kEvery, so that contains() and a cut to a grid need
// no special case, while kind() still says which spans were chosen.

#include <cstdint>

enum eRangeKind : int {
    kRangeNone = 0, // nothing
    kRangeCells,    // a block: frames firstFrame..lastFrame × cell numbers firstCell..lastCell
    kRangeFrames,   // whole frame columns firstFrame..lastFrame, every cell number
    kRangeRows,     // whole cell rows firstCell..lastCell, every frame
};

class cTimelineRange {
  public:
    // The span of "every frame" or "every cell number": 0..kEvery.
    static constexpr int kEvery = 0x7FFFFFFE;

    cTimelineRange() = default; // empty

    // The block between two corners, in any order.
    static cTimelineRange ofCells(int frameA, int cellA, int frameB, int cellB);
    static cTimelineRange ofCell(int frame, int cell) { return ofCells(frame, cell, frame, cell); }
    // Whole frame columns between two frames, in any order.
    static cTimelineRange ofFrames(int frameA, int frameB);
    // Whole cell rows between two cell numbers, in any order.
    static cTimelineRange ofRows(int cellA, int cellB);
    // The range of a kind between two grid positions: the frames of a row range and the cell
    // numbers of a column range are not looked at. kRangeNone gives an empty range.
    static cTimelineRange spanning(eRangeKind kind, int frameA, int cellA, int frameB, int cellB);

    eRangeKind kind() const { return kind_; }
    bool empty() const { return kind_ == kRangeNone; }
    int firstFrame() const { return firstFrame_; }
    int lastFrame() const { return lastFrame_; }
    int firstCell() const { return firstCell_; }
    int lastCell() const { return lastCell_; }
    bool everyFrame() const { return kind_ == kRangeRows; }
    bool everyCell() const { return kind_ == kRangeFrames; }
    // Frames, cell numbers and grid positions it spans (0 when empty).
    int64_t frameCount() const { return empty() ? 0 : int64_t(lastFrame_) - firstFrame_ + 1; }
    int64_t cellCount() const { return empty() ? 0 : int64_t(lastCell_) - firstCell_ + 1; }
    int64_t count() const { return frameCount() * cellCount(); }

    bool contains(int frame, int cell) const;

    // The range on a grid of `frames` × `cells` (a document's frame count and cell number): the
    // spans it names are cut to 0..count - 1, "every" stays; empty when nothing of it lies on the
    // grid. The kind does not change.
    cTimelineRange clampedTo(int frames, int cells) const;
    // The block of cells it covers on that grid: "every" becomes the grid's whole span, then cut
    // as clampedTo. A block (kRangeCells) or empty.
    cTimelineRange blockOn(int frames, int cells) const;

    bool operator==(const cTimelineRange&) const = default;

  private:
    cTimelineRange(eRangeKind kind, int frameA, int cellA, int frameB, int cellB);

    eRangeKind kind_ = kRangeNone;
    int firstFrame_ = 0;
    int lastFrame_ = -1;
    int firstCell_ = 0;
    int lastCell_ = -1;
};
