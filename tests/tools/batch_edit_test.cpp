// Batch edit and interval: the three formulas with 8/16-bit wrap and signed/unsigned
// reads, normalisation on store, the run's undo step and message, and the interval run.

#include "document/restore.h"
#include "support/message_texts.h"
#include "tool_fixture.h"
#include "tools/batch_edit.h"
#include "tools/cell_params.h"

#include <bit>
#include <gtest/gtest.h>
#include <tuple>

using namespace tools_test;

namespace {

cBatchEdit Batch(int formula, int value, uint32_t params, std::initializer_list<int> frames,
                 std::initializer_list<int> cells, const cProject& doc) {
    cBatchEdit b;
    b.fitToProject(doc);
    b.formula = formula;
    b.value = value;
    b.paramChecks = ParamChecks(params);
    for (int f : frames)
        b.frameChecks[f] = 1;
    for (int c : cells)
        b.cellChecks[c] = 1;
    return b;
}

// The stored value of one parameter after a one-cell batch run.
int32_t RunOne(const strCell& start, int formula, int value, uint32_t param) {
    Doc d(2, 1);
    d.put(0, 0, start);
    EXPECT_EQ(Batch(formula, value, param, {0}, {0}, d.doc).run(d.ctx).count, 1);
    return GetCellParam(*d.at(0, 0), std::countr_zero(param));
}

} // namespace

// The formulas wrap into the field's width; then the store normalises (its clamps: the document tests).
TEST(BatchFormula, WrapsIntoTheFieldWidthThenTheStoreNormalises) {
    EXPECT_EQ(RunOne({.opacity = 250}, cBatchEdit::kAdd, 10, kParamOpacity), 4);
    EXPECT_EQ(RunOne({.opacity = 200}, cBatchEdit::kPercent, 150, kParamOpacity), 44);
    EXPECT_EQ(RunOne(CellAt(-7), cBatchEdit::kPercent, 50, kParamX), -3);
    EXPECT_EQ(RunOne(CellAt(20), cBatchEdit::kPercent, -100, kParamX), -20);
    EXPECT_EQ(RunOne(strCell{}, cBatchEdit::kEqual, -1, kParamPattern), 65535);
    EXPECT_EQ(RunOne(strCell{}, cBatchEdit::kEqual, -1, kParamAngle), -1);
    EXPECT_EQ(RunOne(strCell{}, cBatchEdit::kAdd, -9999, kParamRed), 85);
    EXPECT_EQ(RunOne(CellAt(1000), cBatchEdit::kAdd, 100, kParamX), 1024);
    // 100 * 9999 / 100 = 9999 fits the 16-bit field; the magnification clamp then gives 1000.
    EXPECT_EQ(RunOne(strCell{}, cBatchEdit::kPercent, 9999, kParamMx), 1000);
}

TEST(BatchRun, ChecksSelectFramesCellsAndParameters) {
    Doc d(6, 3);
    ASSERT_TRUE(FillXs(d.doc, kColumn, 0, "10 10 10 10 10 10"));
    // A checked frame without a checked cell number: skipped.
    ASSERT_TRUE(FillXs(d.doc, kColumn, 1, "10 10 - 10 10 10"));
    ASSERT_TRUE(FillXs(d.doc, kColumn, 2, "10 10 10 10 10 10"));
    strEditResult r = Batch(cBatchEdit::kAdd, 5, kParamX, {1, 2, 4}, {1, 2}, d.doc).run(d.ctx);
    EXPECT_EQ(r.count, 5);
    EXPECT_EQ(Text(r), Msg(kMsgBatchDone, 5));
    EXPECT_EQ(XsOf(d.doc, kColumn, 0), "10 10 10 10 10 10"); // unchecked cell number
    EXPECT_EQ(XsOf(d.doc, kColumn, 1), "10 15 - 10 15 10");  // frames 1, 2 and 4 checked
    EXPECT_EQ(XsOf(d.doc, kColumn, 2), "10 15 15 10 15 10");
    EXPECT_EQ(d.at(4, 2)->y, 0); // unchecked parameter
    EXPECT_EQ(d.history.undoCount(), 1u);
    ASSERT_TRUE(d.history.undo());
    EXPECT_EQ(XsOf(d.doc, kColumn, 2), "10 10 10 10 10 10");
}

TEST(BatchRun, NothingToDoSaysWhy) {
    Doc d(3, 2);
    d.put(0, 0, CellAt(1));
    EXPECT_EQ(Text(Batch(cBatchEdit::kAdd, 5, kParamX, {0}, {}, d.doc).run(d.ctx)),
              Msg(kMsgNoCellNumberTicked));
    EXPECT_EQ(Text(Batch(cBatchEdit::kAdd, 5, 0, {0}, {0}, d.doc).run(d.ctx)), Msg(kMsgNoValueTicked));
    EXPECT_EQ(Text(Batch(cBatchEdit::kAdd, 5, kParamX, {1}, {0}, d.doc).run(d.ctx)), Msg(kMsgNoCellChanged));
    EXPECT_EQ(d.history.undoCount(), 0u);
    EXPECT_EQ(d.x(0, 0), 1);
}

TEST(BatchRun, CountsOnlyTheCellsThatChanged) {
    Doc d(4, 1);
    ASSERT_TRUE(FillXs(d.doc, kColumn, 0, "5 7 5 5"));
    strEditResult r = Batch(cBatchEdit::kEqual, 5, kParamX, {0, 1, 2, 3}, {0}, d.doc).run(d.ctx);
    EXPECT_EQ(r.count, 1);
    EXPECT_EQ(Text(r), Msg(kMsgBatchDone, 1));
    EXPECT_EQ(d.history.undoCount(), 1u);
    r = Batch(cBatchEdit::kEqual, 5, kParamX, {0, 1, 2, 3}, {0}, d.doc).run(d.ctx);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(Text(r), Msg(kMsgCellsAlreadyHold));
    EXPECT_EQ(d.history.undoCount(), 1u);
}

TEST(BatchRun, FillFromTheTimeline) {
    Doc d(5, 4);
    cBatchEdit b;
    b.paramChecks[4] = 1;
    b.fillFromTimeline(d.doc, cTimelineRange::ofRows(2, 1)); // every frame
    EXPECT_EQ(b.frameChecks, (std::vector<uint8_t>{1, 1, 1, 1, 1}));
    EXPECT_EQ(b.cellChecks, (std::vector<uint8_t>{0, 1, 1, 0}));
    EXPECT_EQ(b.paramChecks[4], 1);
    EXPECT_EQ(cBatchEdit::frameLabel(7), "<007>");
    EXPECT_EQ(cBatchEdit::cellLabel(7), "<07>");
}

TEST(IntervalRun, SwapsSetsAsOneUndoStepAndFillsFromTheTimeline) {
    Doc d(10, 1);
    d.doc.setFrameInterval(4, 5); // already what the run sets: not counted, not recorded
    cIntervalSetting s{.startFrame = 8, .endFrame = 3, .interval = 5};
    strEditResult r = s.run(d.ctx);
    EXPECT_EQ(r.count, 5);
    EXPECT_EQ(Text(r), Msg(kMsgIntervalDone, 3, 8, 5));
    for (int f = 0; f < 10; ++f)
        EXPECT_EQ(d.doc.frameInterval(f, false), f >= 3 && f <= 8 ? 5 : 0) << f;
    ASSERT_EQ(d.history.undoCount(), 1u);
    EXPECT_EQ(d.history.undoStep(0)->records.size(), 5u);
    ASSERT_TRUE(d.history.undo());
    for (int f = 0; f < 10; ++f)
        EXPECT_EQ(d.doc.frameInterval(f, false), f == 4 ? 5 : 0) << f;
    ASSERT_TRUE(d.history.redo());
    EXPECT_EQ(d.doc.frameInterval(3, false), 5);
    // A run that changes nothing adds no step.
    EXPECT_EQ(s.run(d.ctx).count, 0);
    EXPECT_EQ(d.history.undoCount(), 1u);

    d.doc.setSetting(kKeyBasicInterval, 4);
    s.interval = 0;
    s.run(d.ctx);
    EXPECT_EQ(d.doc.frameInterval(5, true), 4); // 0 uses the basic interval

    // Filled from the timeline: clamped, and showing the frame's own interval.
    d.doc.setFrameInterval(9, 300);
    s.fillFromTimeline(d.doc, cTimelineRange::ofFrames(12, 9));
    EXPECT_EQ(std::tuple(s.startFrame, s.endFrame, s.interval), std::tuple(9, 9, 255));
    s.fillFromTimeline(d.doc, cTimelineRange::ofRows(0, 0)); // every frame
    EXPECT_EQ(std::tuple(s.startFrame, s.endFrame), std::tuple(0, 9));
    s.fillFromTimeline(d.doc, cTimelineRange::ofFrames(2, 2));
    EXPECT_EQ(s.interval, 0);
}
