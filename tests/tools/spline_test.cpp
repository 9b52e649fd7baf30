// The spline tool: curve points, grid snapping, the preview and the run with its base-cell
// carry-over.

#include "support/message_texts.h"
#include "tool_fixture.h"
#include "tools/spline.h"

#include <gtest/gtest.h>

using namespace tools_test;

namespace {

// The dialog as the canvas gesture opens it ("Grid" from "GridBit"), with n frames.
cSpline Spline(Doc& d, int frame, int cell, strPoint p1, strPoint p2, int n) {
    cSpline s;
    const strCell* c = d.at(frame, cell);
    s.open(d.config, d.doc, frame, cell, c ? strPoint{c->x, c->y} : strPoint{}, p1, p2);
    s.frames = n;
    return s;
}

} // namespace

// The plain curve points and snapping are checked through the runs below.
TEST(SplineCurve, NegativePointsTruncateAndGridZeroOrAMultipleKeepsTheValue) {
    EXPECT_EQ(cSpline::curvePoint({0, 0}, {-3, -3}, {0, 0}, 0.5f), (strPoint{-1, -1}));
    EXPECT_EQ(cSpline::snapToGrid(-7, 0), -7);
    EXPECT_EQ(cSpline::snapToGrid(8, 4), 8);
}

TEST(SplineRun, WritesTheCurveOverTheFollowingFrames) {
    Doc d;
    d.config.GridBit = 0;
    d.put(2, 1, CellAt(0, 0));
    cSpline s = Spline(d, 2, 1, {100, 0}, {100, 100}, 2);
    EXPECT_EQ(s.title(), "Cell_1");
    // The preview lists the start and one point per frame.
    EXPECT_EQ(s.preview(d.doc), (std::vector<strPoint>{{0, 0}, {75, 25}, {100, 100}}));
    cSpline none = s;
    none.cell = 3; // no cell of this number at the start frame
    EXPECT_TRUE(none.preview(d.doc).empty());
    strEditResult r = s.run(d.ctx);
    EXPECT_EQ(r.count, 2);
    EXPECT_EQ(Text(r), Msg(kMsgSplineDone, 2));
    EXPECT_EQ((strPoint{d.x(3, 1), d.at(3, 1)->y}), (strPoint{75, 25}));
    EXPECT_EQ((strPoint{d.x(4, 1), d.at(4, 1)->y}), (strPoint{100, 100}));
    EXPECT_EQ(d.x(2, 1), 0); // the start frame is never changed
    EXPECT_EQ(d.at(5, 1), nullptr);
    EXPECT_EQ(d.history.undoCount(), 1u);
    // Run again over its own result: nothing changes, no step.
    EXPECT_EQ(Text(s.run(d.ctx)), Msg(kMsgCellsAlreadyHold));
    EXPECT_EQ(d.history.undoCount(), 1u);
    ASSERT_TRUE(d.history.undo());
    EXPECT_EQ(d.at(3, 1), nullptr);
}

TEST(SplineRun, ExistingCellsKeepTheirOtherFieldsAndGapsCarryTheBase) {
    Doc d;
    d.config.GridBit = 0;
    d.put(0, 0, {.opacity = 90});
    d.put(2, 0, {.x = 500, .y = 500, .mx = 50, .angle = 450, .red = 150});
    // Control point on the line from P0 to P2: the cell moves along it.
    cSpline s = Spline(d, 0, 0, {20, 20}, {40, 40}, 4);
    EXPECT_EQ(s.run(d.ctx).count, 4);
    // Frame 1 is a copy of the start cell; the frame's own cell at 2 keeps its other fields, and the
    // gap after it carries the frame-2 cell on.
    for (int f = 1; f <= 4; ++f) {
        strCell expected = f == 1 ? strCell{.opacity = 90} : strCell{.mx = 50, .angle = 450, .red = 150};
        expected.x = expected.y = static_cast<int16_t>(10 * f);
        ASSERT_NE(d.at(f, 0), nullptr) << f;
        EXPECT_EQ(*d.at(f, 0), expected) << f;
    }
}

TEST(SplineRun, GridSnapsTheStoredPoints) {
    Doc d;
    d.put(0, 0, CellAt(0, 0));
    d.config.PostGrid = 4;
    d.config.GridBit = 7;
    cSpline s = Spline(d, 0, 0, {0, 0}, {-7, 7}, 1);
    EXPECT_TRUE(s.snap);
    EXPECT_EQ(s.run(d.ctx).count, 1);
    EXPECT_EQ((strPoint{d.x(1, 0), d.at(1, 0)->y}), (strPoint{-4, 4}));
    s.snap = false;
    s.run(d.ctx);
    EXPECT_EQ(d.x(1, 0), -7);

    d.config.GridBit = 6; // the position bit is clear: "Grid" starts unchecked
    cSpline t = Spline(d, 0, 0, {0, 0}, {-7, 7}, 1);
    EXPECT_FALSE(t.snap);
}

TEST(SplineRun, FailuresAndTheFrameBound) {
    Doc d(6);
    d.config.GridBit = 0;
    cSpline s = Spline(d, 0, 0, {0, 0}, {10, 10}, 3);
    EXPECT_EQ(Text(s.run(d.ctx)), Msg(kMsgSplineNoStartCell, 0, 0));
    d.put(0, 0, CellAt(0, 0));
    s.frames = 0;
    EXPECT_EQ(Text(s.run(d.ctx)), Msg(kMsgNoCellChanged));
    // The frame count is bounded by the frames after the start; frames past the end are refused.
    EXPECT_EQ(s.maxFrames(d.doc), 5);
    s.frames = 7;
    EXPECT_EQ(s.run(d.ctx).count, 5);
}
