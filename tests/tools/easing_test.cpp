// Eased tweens: each curve against its formula, the cubic Bezier at points computed independently,
// the shorter way of angles across a half turn, overshoot held to the field, and the linear curve
// giving the plain interpolation's values.

#include "tool_fixture.h"
#include "tools/easing.h"
#include "tools/frame_comp.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tools_test;

namespace {

strEasing Ease(eEaseKind k) {
    strEasing e;
    e.kind = k;
    return e;
}

strEasing Bezier(float x1, float y1, float x2, float y2) {
    return {eEaseKind::kBezier, x1, y1, x2, y2};
}

} // namespace

TEST(Easing, CurvesFollowTheirFormulas) {
    struct Row {
        eEaseKind kind;
        float t, expected;
    };
    const Row rows[] = {
        {eEaseKind::kLinear, 0.3f, 0.3f},    {eEaseKind::kIn, 0.25f, 0.015625f},
        {eEaseKind::kIn, 0.5f, 0.125f},      {eEaseKind::kIn, 0.75f, 0.421875f},
        {eEaseKind::kOut, 0.25f, 0.578125f}, {eEaseKind::kOut, 0.5f, 0.875f},
        {eEaseKind::kOut, 0.75f, 0.984375f}, {eEaseKind::kInOut, 0.25f, 0.0625f},
        {eEaseKind::kInOut, 0.5f, 0.5f},     {eEaseKind::kInOut, 0.75f, 0.9375f},
        {eEaseKind::kInOut, 0.1f, 0.004f},   {eEaseKind::kInOut, 0.9f, 0.996f},
    };
    for (const Row& r : rows)
        EXPECT_NEAR(Ease(r.kind).progress(r.t), r.expected, 1e-6) << EaseKindName(r.kind) << " at " << r.t;
    // Every curve starts at 0 and ends at 1 exactly, also when t is out of range.
    for (eEaseKind k : {eEaseKind::kLinear, eEaseKind::kIn, eEaseKind::kOut, eEaseKind::kInOut}) {
        EXPECT_EQ(Ease(k).progress(0.0f), 0.0f);
        EXPECT_EQ(Ease(k).progress(1.0f), 1.0f);
        EXPECT_EQ(Ease(k).progress(-0.5f), 0.0f);
        EXPECT_EQ(Ease(k).progress(7.0f), 1.0f);
    }
}

// Reference values from a 200-step bisection of x(s) = u, independent of the code under test.
TEST(Easing, CubicBezierSolvesXThenY) {
    struct Row {
        strEasing e;
        float t, expected;
    };
    const Row rows[] = {
        {Bezier(0.25f, 0.1f, 0.25f, 1.0f), 0.5f, 0.8024033876f}, // CSS "ease"
        {Bezier(0.25f, 0.1f, 0.25f, 1.0f), 0.25f, 0.4085105914f},
        {Bezier(0.42f, 0.0f, 0.58f, 1.0f), 0.25f, 0.1291619310f}, // CSS "ease-in-out"
        {Bezier(0.42f, 0.0f, 0.58f, 1.0f), 0.5f, 0.5f},           // symmetric
        {Bezier(1.0f, 0.0f, 0.0f, 1.0f), 0.49f, 0.3014186788f},   // flat slope in the middle
        {Bezier(1.0f, 0.0f, 0.0f, 1.0f), 0.2f, 0.0174255010f},
        {Bezier(0.5f, -1.0f, 0.5f, 2.0f), 0.25f, -0.1823223709f}, // undershoot
        {Bezier(0.5f, -1.0f, 0.5f, 2.0f), 0.75f, 1.1823223709f},  // overshoot
        {Bezier(0.0f, 0.0f, 1.0f, 1.0f), 0.37f, 0.37f},           // straight line
        {Bezier(0.3f, 0.3f, 0.8f, 0.8f), 0.61f, 0.61f},
    };
    for (const Row& r : rows)
        EXPECT_NEAR(r.e.progress(r.t), r.expected, 2e-6)
            << r.e.x1 << "," << r.e.y1 << "," << r.e.x2 << "," << r.e.y2 << " at " << r.t;
    EXPECT_EQ(Bezier(0.5f, -1.0f, 0.5f, 2.0f).progress(1.0f), 1.0f);
    // Control points outside x in [0, 1], or not numbers, are refused.
    EXPECT_FALSE(strEasing::validBezier(1.2f, 0, 0.5f, 1));
    EXPECT_FALSE(strEasing::validBezier(0.2f, 0, -0.1f, 1));
    EXPECT_FALSE(strEasing::validBezier(0.2f, NAN, 0.5f, 1));
    EXPECT_TRUE(strEasing::validBezier(0, -3, 1, 4));
}

TEST(Easing, AnglesGoTheShorterWayUnlessFullTurns) {
    struct Row {
        int from, to;
        bool fullTurns;
        const char* angles; // frames 0..4
    };
    const Row rows[] = {
        {3500, 100, false, "3500 3550 3600 50 100"},          // across 360 forward
        {100, 3500, false, "100 50 0 -50 3500"},              // and back
        {-1700, 1700, false, "-1700 -1750 -1800 -1850 1700"}, // across -180 / 180
        {1700, -1700, false, "1700 1750 1800 1850 -1700"},
        {0, 1800, false, "0 450 900 1350 1800"}, // a half turn goes forward
        {0, -1800, false, "0 450 900 1350 -1800"},
        {-3600, 3600, false, "-3600 -3600 -3600 -3600 3600"}, // the same angle: no turn
        {0, 3600, true, "0 900 1800 2700 3600"},              // full turns: as stored
        {-3600, 3600, true, "-3600 -1800 0 1800 3600"},
        {3500, 100, true, "3500 2650 1800 950 100"},
    };
    for (const Row& r : rows) {
        Doc d(5);
        d.put(0, 0, {.angle = int16_t(r.from)});
        d.put(4, 0, {.angle = int16_t(r.to)});
        strTweenOptions o;
        o.fullTurns = r.fullTurns;
        cFrameComp::interpolate(d.doc, 0, 0, 4, kParamAngle, true, o);
        std::string got;
        for (int f = 0; f < 5; ++f)
            got += (f ? " " : "") + std::to_string(d.at(f, 0)->angle);
        EXPECT_EQ(got, r.angles) << r.from << " -> " << r.to << (r.fullTurns ? " full turns" : "");
    }
    EXPECT_EQ(ShorterAngleDifference(3590, -3590), 20);
    EXPECT_EQ(ShorterAngleDifference(0, 1801), -1799);
}

// The linear curve is the plain rule a + trunc(float(b - a) * t) in single precision, so linear
// tweens keep the values compensation always gave, rounding included.
TEST(Easing, LinearKeepsThePlainInterpolation) {
    struct Row {
        uint32_t param;
        int a, b;
        const char* values; // frames 0..3
    };
    const Row rows[] = {
        {kParamX, 0, -10, "0 -3 -6 -10"}, // toward A, not nearest
        {kParamY, 5, 8, "5 6 7 8"},       // 3 * float(1/3) is just above 1
        {kParamMx, -1000, 1000, "-1000 -334 333 1000"},
        {kParamOpacity, 255, 0, "255 170 85 0"},
        {kParamSaturation, 0, 200, "0 66 133 200"},
        {kParamAngle, 0, 1000, "0 333 666 1000"},
    };
    for (const Row& r : rows) {
        Doc d(4);
        strCell a, b;
        for (int i = 0; i < kCellParamCount; ++i)
            if (r.param == CellParamBit(i)) {
                SetCellParam(a, i, r.a);
                SetCellParam(b, i, r.b);
            }
        d.put(0, 0, a);
        d.put(3, 0, b);
        cFrameComp::interpolate(d.doc, 0, 0, 3, r.param, true);
        std::string got;
        for (int f = 0; f < 4; ++f)
            for (int i = 0; i < kCellParamCount; ++i)
                if (r.param == CellParamBit(i))
                    got += (f ? " " : "") + std::to_string(GetCellParam(*d.at(f, 0), i));
        EXPECT_EQ(got, r.values) << r.param;
    }
}

TEST(Easing, EachGroupHasItsOwnCurveAndOvershootStopsAtTheField) {
    Doc d(5);
    d.put(0, 0, {.x = 0, .mx = 100, .opacity = 0, .red = 0});
    d.put(4, 0, {.x = 1000, .mx = 200, .opacity = 255, .red = 200});
    cFrameComp comp;
    comp.startFrame = 0;
    comp.endFrame = 4;
    comp.cellChecks = Checks(4, {0});
    comp.paramChecks = ParamChecks(kParamX | kParamMx | kParamOpacity | kParamRed);
    comp.tween.easing[kTweenPosition].kind = eEaseKind::kIn;
    comp.tween.easing[kTweenScale].kind = eEaseKind::kOut;
    comp.tween.easing[kTweenOpacity] = Bezier(0.5f, -1.0f, 0.5f, 2.0f); // overshoots above 255
    const strEditResult r = comp.run(d.ctx);
    EXPECT_EQ(r.count, 3);
    EXPECT_EQ(XsOf(d.doc, kColumn, 0), "0 15 125 421 1000");
    std::string rest;
    for (int f = 1; f < 4; ++f) {
        const strCell& c = *d.at(f, 0);
        rest += std::to_string(c.mx) + "/" + std::to_string(c.opacity) + "/" + std::to_string(c.red) + " ";
    }
    // scale eased out; opacity -0.18 and 1.18 of the way held to 0 and 255; tone linear
    EXPECT_EQ(rest, "157/0/50 187/127/100 198/255/150 ");
    EXPECT_EQ(d.history.undoCount(), 1u);
    ASSERT_TRUE(d.history.undo());
    EXPECT_EQ(XsOf(d.doc, kColumn, 0), "0 - - - 1000");
}

TEST(Easing, NamesRoundTrip) {
    for (int g = 0; g < kTweenGroupCount; ++g)
        EXPECT_EQ(TweenGroupFromName(TweenGroupName(g)), g);
    EXPECT_EQ(TweenGroupFromName("colour"), -1);
    for (eEaseKind k :
         {eEaseKind::kLinear, eEaseKind::kIn, eEaseKind::kOut, eEaseKind::kInOut, eEaseKind::kBezier}) {
        eEaseKind back = eEaseKind::kLinear;
        ASSERT_TRUE(EaseKindFromName(EaseKindName(k), back));
        EXPECT_EQ(back, k);
    }
    // Every cell value but the picture, pattern and drawing method belongs to exactly one group.
    uint32_t all = 0;
    for (int g = 0; g < kTweenGroupCount; ++g) {
        EXPECT_EQ(all & TweenGroupParams(g), 0u);
        all |= TweenGroupParams(g);
    }
    EXPECT_EQ(all, kParamAll & ~(kParamPicture | kParamPattern | kParamBlend));
}

TEST(Easing, OptionsTextRoundTripsAndKeepsWhatItCannotRead) {
    strTweenOptions o;
    o.easing[kTweenPosition].kind = eEaseKind::kIn;
    o.easing[kTweenScale] = {eEaseKind::kBezier, 0.1f, -0.35f, 0.7f, 1.4f};
    o.easing[kTweenTone].kind = eEaseKind::kInOut;
    o.fullTurns = true;
    const std::string text = TweenOptionsText(o);
    EXPECT_EQ(text,
              "position=in;scale=bezier:0.1,-0.35,0.7,1.4;angle=linear;opacity=linear;tone=in-out;turns=1");
    strTweenOptions back;
    EXPECT_TRUE(TweenOptionsFromText(text, back));
    EXPECT_EQ(back, o);

    const struct {
        const char* text;
        bool ok;
        eEaseKind position, scale;
        bool turns;
    } rows[] = {
        {"", true, eEaseKind::kOut, eEaseKind::kOut, false},
        {"scale=in;turns=1", true, eEaseKind::kOut, eEaseKind::kIn, true},
        {"position=wobble;scale=in", false, eEaseKind::kOut, eEaseKind::kIn, false},  // unknown curve
        {"colour=in;turns=2", false, eEaseKind::kOut, eEaseKind::kOut, false},        // unknown group, turns
        {"scale=bezier:1.5,0,0.5,1", false, eEaseKind::kOut, eEaseKind::kOut, false}, // x1 beyond 1
        {"scale=bezier:0.5,0,0.5", false, eEaseKind::kOut, eEaseKind::kOut, false},   // three numbers
        {"scale=bezier:0.5,0,0.5,1x", false, eEaseKind::kOut, eEaseKind::kOut, false},
        {"scale=in:0.5", false, eEaseKind::kOut, eEaseKind::kOut, false},
    };
    for (const auto& r : rows) {
        strTweenOptions t;
        t.setAll({eEaseKind::kOut});
        EXPECT_EQ(TweenOptionsFromText(r.text, t), r.ok) << r.text;
        EXPECT_EQ(t.easing[kTweenPosition].kind, r.position) << r.text;
        EXPECT_EQ(t.easing[kTweenScale].kind, r.scale) << r.text;
        EXPECT_EQ(t.fullTurns, r.turns) << r.text;
    }
}
