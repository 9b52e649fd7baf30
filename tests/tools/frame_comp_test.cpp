// Frame compensation: the three methods, the single-precision interpolation rule with its
// field widths, and the completion of a timeline block with "CompType".

#include "support/message_texts.h"
#include "tool_fixture.h"
#include "tools/cell_params.h"
#include "tools/frame_comp.h"

#include <array>
#include <gtest/gtest.h>
#include <tuple>

using namespace tools_test;

namespace {

cFrameComp Comp(int start, int end, int method, uint32_t params, std::initializer_list<int> cells) {
    return {.startFrame = start,
            .endFrame = end,
            .method = method,
            .cellChecks = Checks(4, cells),
            .paramChecks = ParamChecks(params),
            .tween = {}};
}

} // namespace

TEST(FrameComp, NormalFillsGapsWithCopiesOfTheStartCell) {
    Doc d(5);
    const strCell a{.y = 7, .angle = 30, .opacity = 200};
    d.put(0, 1, a);
    d.put(4, 1, CellAt(100, 50));

    strEditResult r = Comp(0, 4, cFrameComp::kNormal, kParamX, {1}).run(d.ctx);
    EXPECT_EQ(r.count, 3);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(Text(r), Msg(kMsgCompensated, 0, 4, 3));
    for (int f = 1; f <= 3; ++f) {
        // Only X is interpolated; the rest is a copy of the frame-0 cell.
        strCell expected = a;
        expected.x = static_cast<int16_t>(25 * f);
        ASSERT_NE(d.at(f, 1), nullptr) << f;
        EXPECT_EQ(*d.at(f, 1), expected) << f;
    }
    EXPECT_EQ(d.x(4, 1), 100);
    EXPECT_EQ(d.at(1, 0), nullptr); // unchecked cell numbers untouched

    // One undo step.
    EXPECT_EQ(d.history.undoCount(), 1u);
    ASSERT_TRUE(d.history.undo());
    EXPECT_EQ(XsOf(d.doc, kColumn, 1), "0 - - - 100");
}

TEST(FrameComp, StartAfterEndRunsSwappedAndNegativeMovementTruncates) {
    Doc d(11);
    ASSERT_TRUE(FillXs(d.doc, kColumn, 0, "- - 0 - - - - - - - 80"));
    strEditResult r = Comp(10, 2, cFrameComp::kNormal, kParamX, {0}).run(d.ctx);
    EXPECT_EQ(r.count, 7);
    EXPECT_EQ(Text(r), Msg(kMsgCompensated, 10, 2, 7)); // as entered
    EXPECT_EQ(XsOf(d.doc, kColumn, 0), "- - 0 10 20 30 40 50 60 70 80");
    ASSERT_TRUE(FillXs(d.doc, kColumn, 1, "0 - - -10"));
    EXPECT_EQ(Comp(0, 3, cFrameComp::kNormal, kParamX, {1}).run(d.ctx).count, 2);
    EXPECT_EQ(XsOf(d.doc, kColumn, 1), "0 -3 -6 -10 - - - - - - -");
}

TEST(FrameComp, CellUsedOnlyTouchesExistingCellsOnly) {
    Doc d(5);
    ASSERT_TRUE(FillXs(d.doc, kColumn, 0, "0 - - - 100"));
    const cFrameComp comp = Comp(0, 4, cFrameComp::kCellUsedOnly, kParamX, {0});
    strEditResult r = comp.run(d.ctx);
    EXPECT_EQ(r.count, 0);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(Text(r), Msg(kMsgNoCellChanged));
    EXPECT_EQ(XsOf(d.doc, kColumn, 0), "0 - - - 100");
    EXPECT_EQ(d.history.undoCount(), 0u); // the empty step is dropped

    d.put(2, 0, {.x = -5, .y = 9, .red = 150});
    EXPECT_EQ(comp.run(d.ctx).count, 1);
    EXPECT_EQ(*d.at(2, 0), (strCell{.x = 50, .y = 9, .red = 150}));
    EXPECT_EQ(XsOf(d.doc, kColumn, 0), "0 - 50 - 100");
}

TEST(FrameComp, MediumCompensatesEveryPairWhateverTheEnd) {
    Doc d(10);
    ASSERT_TRUE(FillXs(d.doc, kColumn, 2, "0 - - - 40 - - - 0"));
    EXPECT_EQ(Comp(0, 2, cFrameComp::kMedium, kParamX, {2}).run(d.ctx).count, 6);
    EXPECT_EQ(XsOf(d.doc, kColumn, 2), "0 10 20 30 40 30 20 10 0 -");
    // Starting after the first placement skips the first pair.
    Doc e(10);
    ASSERT_TRUE(FillXs(e.doc, kColumn, 0, "0 - - - 40 - - - 0"));
    EXPECT_EQ(Comp(1, 1, cFrameComp::kMedium, kParamX, {0}).run(e.ctx).count, 3);
    EXPECT_EQ(XsOf(e.doc, kColumn, 0), "0 - - - 40 30 20 10 0 -");
}

TEST(FrameComp, AdjacentKeyFramesAndNoParametersChangeNothing) {
    Doc d(9);
    ASSERT_TRUE(FillXs(d.doc, kColumn, 0, "- - - 0 10 - - - 50"));
    EXPECT_EQ(Text(Comp(3, 4, cFrameComp::kNormal, kParamX, {0}).run(d.ctx)), Msg(kMsgNoCellChanged));
    EXPECT_EQ(Text(Comp(4, 8, cFrameComp::kNormal, 0, {0}).run(d.ctx)), Msg(kMsgNoValueTicked));
    EXPECT_EQ(Text(Comp(3, 8, cFrameComp::kNormal, kParamX, {}).run(d.ctx)), Msg(kMsgNoCellNumberTicked));
    EXPECT_EQ(XsOf(d.doc, kColumn, 0), "- - - 0 10 - - - 50");
    // No document: nothing happens, nothing is reported.
    strToolContext none;
    EXPECT_TRUE(Comp(4, 8, cFrameComp::kNormal, kParamX, {0}).run(none).status.none());
}

TEST(FrameComp, EveryParameterUsesItsOwnWidthAndTheStoreNormalises) {
    Doc d;
    d.put(0, 0, {.picture = 10, .pattern = 1, .angle = -3600, .opacity = 255, .red = 0});
    d.put(2, 0, {.picture = 0, .pattern = 101, .angle = 3600, .opacity = 0, .red = 200});
    cFrameComp comp = Comp(0, 2, cFrameComp::kNormal, kParamAll, {0});
    comp.tween.fullTurns = true; // -3600 to 3600 as stored: two turns
    EXPECT_EQ(comp.run(d.ctx).count, 1);
    const strCell* m = d.at(1, 0);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ((std::array<int, 5>{m->picture, m->pattern, m->opacity, m->red, m->angle}),
              (std::array<int, 5>{5, 51, 128, 100, 0}));
}

// Cells that already hold their result are neither stored nor counted: the status and the undo
// label say how many changed, and a run that changes nothing says so and leaves no step.
TEST(FrameComp, CountsOnlyTheCellsThatChanged) {
    Doc d(7);
    ASSERT_TRUE(FillXs(d.doc, kColumn, 0, "0 10 20 99 40 50 60"));
    strEditResult r = Comp(0, 6, cFrameComp::kNormal, kParamX, {0}).run(d.ctx);
    EXPECT_EQ(r.count, 1);
    EXPECT_EQ(Text(r), Msg(kMsgCompensated, 0, 6, 1));
    EXPECT_EQ(XsOf(d.doc, kColumn, 0), "0 10 20 30 40 50 60");
    EXPECT_EQ(d.history.undoCount(), 1u);

    r = Comp(0, 6, cFrameComp::kNormal, kParamX, {0}).run(d.ctx);
    EXPECT_EQ(r.count, 0);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(Text(r), Msg(kMsgCellsAlreadyHold));
    EXPECT_EQ(d.history.undoCount(), 1u);
}

TEST(TimelineBlock, CountsOnlyTheCellsThatChanged) {
    Doc d(6);
    ASSERT_TRUE(FillXs(d.doc, kColumn, 0, "0 25 50 70 100 -"));
    strEditResult r = CompleteTimelineBlock(d.ctx, cTimelineRange::ofCells(1, 0, 3, 0), 0);
    EXPECT_EQ(r.count, 1);
    EXPECT_EQ(Text(r), Msg(kMsgCountComplete, 1));
    EXPECT_EQ(XsOf(d.doc, kColumn, 0), "0 25 50 75 100 -");
    ASSERT_NE(d.history.undoLabel(), nullptr);
    EXPECT_EQ(*d.history.undoLabel(), strMessage(kStepCompleteCell));

    r = CompleteTimelineBlock(d.ctx, cTimelineRange::ofCells(1, 0, 3, 0), 0);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(Text(r), Msg(kMsgCellsAlreadyHold));
    EXPECT_EQ(d.history.undoCount(), 1u);
}

TEST(FrameComp, FillFromTheTimelineSetsTheCellFlags) {
    Doc d(12, 6);
    cFrameComp comp;
    comp.fillFromTimeline(d.doc, cTimelineRange::ofFrames(2, 9)); // whole columns: every cell number
    EXPECT_EQ(std::tuple(comp.startFrame, comp.endFrame), std::tuple(2, 9));
    EXPECT_EQ(comp.cellChecks, (std::vector<uint8_t>{1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(comp.paramBits(), (1u << kCellParamCount) - 1);          // every parameter ticked
    comp.fillFromTimeline(d.doc, cTimelineRange::ofCells(3, 9, 0, 2)); // past the last cell number
    EXPECT_EQ(std::tuple(comp.startFrame, comp.endFrame), std::tuple(0, 3));
    EXPECT_EQ(comp.cellChecks, (std::vector<uint8_t>{0, 0, 1, 1, 1, 1}));
    comp.fillFromTimeline(d.doc, cTimelineRange::ofRows(7, 9)); // nothing of it on the document
    EXPECT_EQ(std::tuple(comp.startFrame, comp.endFrame), std::tuple(0, 0));
    EXPECT_EQ(comp.cellChecks, std::vector<uint8_t>(6, 0));
    EXPECT_EQ(CellParamBits({1, 0, 0, 1}), kParamPicture | kParamX); // the missing flags read as clear
}

// The block's own arithmetic; what each CompType keeps is the supplement's business, so only the
// mode's wiring is checked: "ignore image/pattern/colour" keeps the written cell's red.
TEST(TimelineBlock, InterpolatesAcrossTheBlockFromTheNearestCells) {
    Doc d(6);
    ASSERT_TRUE(FillXs(d.doc, kColumn, 0, "0 - - - 100"));
    d.put(2, 0, {.x = -50, .y = 3, .opacity = 10, .red = 7});
    ASSERT_TRUE(FillXs(d.doc, kColumn, 1, "- - - - - 7")); // cell 1: only a cell after the block
    strEditResult r = CompleteTimelineBlock(d.ctx, cTimelineRange::ofCells(1, 0, 3, 3), 2);
    EXPECT_EQ(r.count, 6);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(Text(r), Msg(kMsgCountComplete, 6));
    EXPECT_EQ(XsOf(d.doc, kColumn, 0), "0 25 50 75 100 -");
    EXPECT_EQ(d.at(2, 0)->opacity, 255);               // interpolated (255 to 255)
    EXPECT_EQ(d.at(2, 0)->red, 7);                     // kept by the mode
    EXPECT_EQ(XsOf(d.doc, kColumn, 1), "- 7 7 7 - 7"); // copies of the only neighbour
    EXPECT_EQ(XsOf(d.doc, kColumn, 2), "- - - - - -"); // no neighbour at all: skipped
    EXPECT_EQ(d.history.undoCount(), 1u);
    ASSERT_TRUE(d.history.undo());
    EXPECT_EQ(XsOf(d.doc, kColumn, 0), "0 - -50 - 100 -");
    EXPECT_EQ(XsOf(d.doc, kColumn, 1), "- - - - - 7");
    // A block with no cell to fill it in from says so.
    EXPECT_EQ(Text(CompleteTimelineBlock(d.ctx, cTimelineRange::ofCells(1, 2, 3, 2), 0)),
              Msg(kMsgNoCellsAroundBlock));
}
