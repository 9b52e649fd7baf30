// The timeline range: ordered corners, whole rows and columns, and the cut to a document's grid.

#include "document/timeline_range.h"
#include "support/timeline_range_print.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

using R = cTimelineRange;

// kind, first frame, last frame, first cell, last cell
std::tuple<int, int, int, int, int> Parts(const R& r) {
    return {r.kind(), r.firstFrame(), r.lastFrame(), r.firstCell(), r.lastCell()};
}

} // namespace

TEST(TimelineRange, CornersAreOrderedAndEveryKindKeepsItsSpans) {
    EXPECT_EQ(R::ofCells(7, 5, 2, 1), R::ofCells(2, 1, 7, 5));
    EXPECT_EQ(Parts(R::ofCells(7, 1, 2, 5)), std::tuple(kRangeCells, 2, 7, 1, 5));
    EXPECT_EQ(Parts(R::ofFrames(4, 3)), std::tuple(kRangeFrames, 3, 4, 0, R::kEvery));
    EXPECT_EQ(Parts(R::ofRows(6, 2)), std::tuple(kRangeRows, 0, R::kEvery, 2, 6));
    // A drag from a header spans only the header's direction; none is the empty range.
    EXPECT_EQ(R::spanning(kRangeFrames, 5, 9, 2, 0), R::ofFrames(2, 5));
    EXPECT_EQ(R::spanning(kRangeRows, 5, 9, 2, 0), R::ofRows(0, 9));
    EXPECT_EQ(R::spanning(kRangeNone, 1, 1, 2, 2), R());
    EXPECT_NE(R::ofFrames(0, 3), R::ofCells(0, 0, 3, R::kEvery)); // same span, other kind
    EXPECT_EQ(std::tuple(R().count(), R::ofCell(3, 3).count(), R::ofCells(1, 2, 3, 5).count()),
              std::tuple(0, 1, 12));
}

TEST(TimelineRange, ContainsReachesEveryFrameOrCellOfWholeRowsAndColumns) {
    const R block = R::ofCells(2, 1, 3, 2);
    EXPECT_TRUE(block.contains(2, 1) && block.contains(3, 2));
    EXPECT_FALSE(block.contains(1, 1) || block.contains(4, 2) || block.contains(2, 0) ||
                 block.contains(3, 3));
    EXPECT_TRUE(R::ofFrames(4, 4).contains(4, 254) && R::ofFrames(4, 4).contains(4, 0));
    EXPECT_FALSE(R::ofFrames(4, 4).contains(5, 0) || R::ofFrames(4, 4).contains(4, -1));
    EXPECT_TRUE(R::ofRows(1, 1).contains(999, 1));
    EXPECT_FALSE(R::ofRows(1, 1).contains(0, 2));
    EXPECT_FALSE(R().contains(0, 0));
}

TEST(TimelineRange, ClampToAGridCutsTheNamedSpansAndKeepsEvery) {
    // 10 frames × 8 cell numbers.
    EXPECT_EQ(R::ofCells(-3, -1, 20, 30).clampedTo(10, 8), R::ofCells(0, 0, 9, 7));
    EXPECT_EQ(R::ofCells(8, 6, 12, 9).clampedTo(10, 8), R::ofCells(8, 6, 9, 7));
    // Past the last frame or cell number, or on an empty document, nothing is left.
    EXPECT_TRUE(R::ofCells(10, 0, 12, 3).clampedTo(10, 8).empty());
    EXPECT_TRUE(R::ofCells(0, 8, 3, 8).clampedTo(10, 8).empty());
    EXPECT_TRUE(R::ofFrames(-5, -1).clampedTo(10, 8).empty());
    EXPECT_TRUE(R::ofCells(0, 0, 0, 0).clampedTo(0, 8).empty());
    EXPECT_TRUE(R::ofRows(0, 0).clampedTo(10, 0).empty());
    // Whole columns stay whole (the grid may grow again); only their frames are cut.
    EXPECT_EQ(R::ofFrames(7, 15).clampedTo(10, 8), R::ofFrames(7, 9));
    EXPECT_EQ(R::ofRows(6, 9).clampedTo(10, 8), R::ofRows(6, 7));
    EXPECT_TRUE(R::ofRows(8, 9).clampedTo(10, 8).empty());
}

TEST(TimelineRange, BlockOnAGridWidensWholeRowsAndColumns) {
    EXPECT_EQ(R::ofFrames(3, 7).blockOn(10, 8), R::ofCells(3, 0, 7, 7));
    EXPECT_EQ(R::ofRows(2, 2).blockOn(10, 8), R::ofCells(0, 2, 9, 2));
    EXPECT_EQ(R::ofRows(2, 2).blockOn(10, 8).count(), 10);
    EXPECT_EQ(R::ofFrames(8, 20).blockOn(10, 8), R::ofCells(8, 0, 9, 7));
    EXPECT_EQ(R::ofCells(1, 1, 2, 2).blockOn(10, 8), R::ofCells(1, 1, 2, 2));
    EXPECT_TRUE(R::ofFrames(10, 11).blockOn(10, 8).empty());
    EXPECT_TRUE(R::ofFrames(0, 0).blockOn(0, 8).empty()); // a document without frames
    EXPECT_TRUE(R().blockOn(10, 8).empty());
}

// A failed comparison names the range's kind and spans, so the failure can be read without the bytes.
TEST(TimelineRange, PrintsAsItsKindAndSpans) {
    using ::testing::PrintToString;
    EXPECT_EQ(PrintToString(R::ofCells(7, 5, 2, 1)), "frames 2..7 x cells 1..5");
    EXPECT_EQ(PrintToString(R::ofFrames(4, 3)), "frames 3..4, every cell");
    EXPECT_EQ(PrintToString(R::ofRows(6, 2)), "cells 2..6, every frame");
    EXPECT_EQ(PrintToString(R()), "empty");
    EXPECT_EQ(PrintToString(std::vector<R>{R::ofCell(1, 0)}), "{ frames 1..1 x cells 0..0 }");
}
