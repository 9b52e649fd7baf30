// The canvas's drag arithmetic: pivot ratio and angle, the rotate-and-scale transform, the cells a
// drag range reaches, and the rotated quadrilateral of the hit test.

#include "tool_fixture.h"
#include "tools/canvas_edit.h"

#include <array>
#include <cmath>
#include <numbers>

using namespace tools_test;

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

TEST(CanvasEdit, PivotRatioAndAngle) {
    struct Case {
        double mx, my;
        float ratio, angle;
    };
    // Pivot (100, 100), press point (150, 100): A points left.
    const Case cases[] = {
        {200, 100, 2.0f, 0},       // twice as far, same direction
        {100, 150, 1.0f, kPi / 2}, // a quarter turn clockwise on screen
        {100, 50, 1.0f, -kPi / 2}, // and anticlockwise
        {50, 100, 1.0f, -kPi},     // half a turn wraps to -pi
        {100, 100, 0.0f, -kPi},    // on the pivot: B has no direction
    };
    for (const Case& c : cases) {
        float r = 0, a = 0;
        PivotRatioAngle(100, 100, 150, 100, c.mx, c.my, r, a);
        EXPECT_NEAR(r, c.ratio, 1e-5) << c.mx << "," << c.my;
        EXPECT_NEAR(a, c.angle, 1e-5) << c.mx << "," << c.my;
    }
    float r = 0, a = 0;
    PivotRatioAngle(100, 100, 100.005, 100, 300, 100, r, a); // |A| < 1 counts as 1
    EXPECT_NEAR(r, 200.0f, 1e-3);
}

TEST(CanvasEdit, RotateAndScaleAboutAPivot) {
    strDragTransform t{
        .mode = kDragRotateScale, .ratio = 2, .angle = kPi / 2, .pivotX = 10, .pivotY = 20, .steps = {}};
    const strCell c{.x = 20, .y = 20, .mx = 100, .my = -55, .angle = 1700};
    using Fields = std::array<int, 5>;
    auto fields = [&t](const strCell& in) {
        const strCell o = TransformCell(in, t);
        return Fields{o.x, o.y, o.angle, o.mx, o.my};
    };
    // (10, 0) from the pivot becomes (0, 20) after scaling by 2 and turning clockwise.
    EXPECT_EQ(fields(c), (Fields{10, 40, -1000, 200, -110}));
    t.snap = true;
    t.steps = {8, 30, 300};
    EXPECT_EQ(fields(c), (Fields{8, 40, -900, 180, -90}));
    // A huge scale saturates before the document clamps it, instead of wrapping round.
    t.snap = false;
    t.ratio = 1000;
    EXPECT_EQ(TransformCell(c, t).mx, INT16_MAX);
}

TEST(CanvasEdit, DragRangeReachesItsBlock) {
    Doc d(6, 4);
    for (int f = 0; f < 6; ++f)
        for (int n = 0; n < 4; ++n)
            d.put(f, n, CellAt(f, n));
    using Targets = std::vector<std::pair<int, int>>;
    const cTimelineRange block = cTimelineRange::ofCells(3, 2, 2, 1); // corners in any order
    EXPECT_EQ(DragTargets(d.doc, 2, {1}, block), (Targets{{2, 1}, {2, 2}, {3, 1}, {3, 2}}));
    // Outside the range (by frame or by cell) only the taking part cells move.
    EXPECT_EQ(DragTargets(d.doc, 4, {1}, block), (Targets{{4, 1}}));
    EXPECT_EQ(DragTargets(d.doc, 2, {0, 3}, block), (Targets{{2, 0}, {2, 3}}));
    // Whole columns reach every cell number, cut to the document; no range moves the taking part.
    EXPECT_EQ(DragTargets(d.doc, 5, {0}, cTimelineRange::ofFrames(4, 100)).size(), 2u * 4u);
    EXPECT_EQ(DragTargets(d.doc, 5, {0, 2}, cTimelineRange()), (Targets{{5, 0}, {5, 2}}));
}

TEST(CanvasEdit, RotatedQuadHitTest) {
    strCell c{.angle = 450}; // a 20 x 20 square turned into a diamond of half-diagonal 14.14
    const strQuad q = CellQuad(c, 20, 20);
    EXPECT_TRUE(q.contains(0, 0));
    EXPECT_TRUE(q.contains(14, 0));
    EXPECT_FALSE(q.contains(10, 10)); // a corner of the unturned square
    EXPECT_FALSE(q.contains(15, 0));
    EXPECT_FALSE(q.contains(-10, -10));
    c.mx = -200; // mirrored and twice as wide along the turned axis
    EXPECT_TRUE(CellQuad(c, 20, 20).contains(-10, -10));
}

} // namespace
