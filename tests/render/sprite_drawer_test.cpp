// Geometry of sprites (1:1 copies, mirroring, rotation,
// scaling), the request checks, rectangles and the draw order.

#include "render/frame_composer.h"
#include "render/sprite_drawer.h"
#include "render_fixture.h"

#include "document/cell.h"

#include <gtest/gtest.h>

using namespace render_fixture;

namespace {

constexpr uint32_t kBackground = 0xFF102030u;

SpriteParams At(const cPictureSlot* slot, float x, float y, int pattern = 1) {
    SpriteParams p;
    p.slot = slot;
    p.pattern = pattern;
    p.x = x;
    p.y = y;
    p.screenSpace = 1;
    return p;
}

int CountNot(const cTexture& t, uint32_t v) {
    int n = 0;
    for (int y = 0; y < t.Height(); ++y)
        for (int x = 0; x < t.Width(); ++x) n += t.Pixel(x, y) != v;
    return n;
}

}  // namespace

// Nearest sampling at integer positions copies every texel once, for even and odd sizes of the
// pattern and of the target.
TEST(SpriteGeometry, IntegerPositionsCopyOneToOne) {
    for (int pw : {4, 5}) {
        for (int tw : {16, 17}) {
            auto slot = MakeSlot(pw * 2, 3 * 2, Distinct, 2, 2);  // 2 x 2 patterns of pw x 3
            ASSERT_TRUE(slot);
            for (int px : {-3, 0, 2}) {
                cTexture target = MakeTarget(tw, 12);
                cSpriteDrawer drawer;
                ASSERT_TRUE(drawer.BeginFrame(target, kBackground));
                ASSERT_TRUE(drawer.DrawSprite(At(slot.get(), float(px), 1, 4)));  // pattern 4: bottom right
                drawer.EndFrame();
                // The texel under the sprite's top-left pixel.
                int x0 = -1, y0 = -1;
                for (int y = 0; y < 12 && x0 < 0; ++y)
                    for (int x = 0; x < tw; ++x)
                        if (target.Pixel(x, y) != kBackground) {
                            x0 = x;
                            y0 = y;
                            break;
                        }
                ASSERT_GE(x0, 0);
                EXPECT_EQ(CountNot(target, kBackground), pw * 3);
                for (int y = 0; y < 3; ++y)
                    for (int x = 0; x < pw; ++x)
                        ASSERT_EQ(target.Pixel(x0 + x, y0 + y), Distinct(pw + x, 3 + y))
                            << "pattern " << pw << " target " << tw << " at " << px;
            }
        }
    }
}

// The sprite's centre sits at the target's centre: an even pattern on an even target starts at
// W/2 - w/2.
TEST(SpriteGeometry, CentredOnTheTarget) {
    auto slot = MakeSlot(4, 2, Distinct);
    cTexture target = MakeTarget(10, 6);
    cSpriteDrawer drawer;
    drawer.BeginFrame(target, kBackground);
    drawer.DrawSprite(At(slot.get(), 0, 0));
    EXPECT_EQ(target.Pixel(3, 2), Distinct(0, 0));
    EXPECT_EQ(target.Pixel(6, 3), Distinct(3, 1));
    EXPECT_EQ(target.Pixel(2, 2), kBackground);
    EXPECT_EQ(target.Pixel(7, 2), kBackground);
}

TEST(SpriteGeometry, NegativeScaleMirrorsAboutTheCentre) {
    auto slot = MakeSlot(4, 2, Distinct);
    cTexture target = MakeTarget(10, 6);
    cSpriteDrawer drawer;
    drawer.BeginFrame(target, kBackground);
    SpriteParams p = At(slot.get(), 0, 0);
    p.scaleX = -1.0f;
    ASSERT_TRUE(drawer.DrawSprite(p));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(target.Pixel(3 + x, 2 + y), Distinct(3 - x, y));
    EXPECT_EQ(CountNot(target, kBackground), 8);
}

TEST(SpriteGeometry, ScaleTwoCoversTwoByTwoPixelsPerTexel) {
    auto slot = MakeSlot(2, 2, Distinct);
    cTexture target = MakeTarget(8, 8);
    cSpriteDrawer drawer;
    drawer.BeginFrame(target, kBackground);
    SpriteParams p = At(slot.get(), 0, 0);
    p.scaleX = p.scaleY = 2.0f;
    drawer.DrawSprite(p);
    EXPECT_EQ(CountNot(target, kBackground), 16);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(target.Pixel(2 + x, 2 + y), Distinct(x / 2, y / 2));
}

// Angle -900 tenths is drawn as 270 degrees clockwise: texel (tx, ty) of a 4 x 4 pattern centred
// on an 8 x 8 target lands on column ty + 2, row 5 - tx.
TEST(SpriteGeometry, AngleMinus900IsDrawnAs270Degrees) {
    auto slot = MakeSlot(4, 4, Distinct);
    strCell cell;
    cell.angle = -900;
    strCaptureArea area{-4, -4, 4, 4};
    SpriteParams p = CellSpriteParams(cell, slot.get(), area);
    EXPECT_FLOAT_EQ(p.angle, 270.0f);
    cTexture target = MakeTarget(8, 8);
    cSpriteDrawer drawer;
    drawer.BeginFrame(target, kBackground);
    ASSERT_TRUE(drawer.DrawSprite(p));
    EXPECT_EQ(CountNot(target, kBackground), 16);
    for (int ty = 0; ty < 4; ++ty)
        for (int tx = 0; tx < 4; ++tx) EXPECT_EQ(target.Pixel(ty + 2, 5 - tx), Distinct(tx, ty)) << tx << "," << ty;

    cell.angle = 3600;
    EXPECT_FLOAT_EQ(CellSpriteParams(cell, slot.get(), area).angle, 0.0f);
    cell.angle = 450;
    EXPECT_FLOAT_EQ(CellSpriteParams(cell, slot.get(), area).angle, 45.0f);
}

TEST(SpriteGeometry, TinyRotationCountsAsNone) {
    auto slot = MakeSlot(4, 4, Distinct);
    cTexture a = MakeTarget(8, 8), b = MakeTarget(8, 8);
    cSpriteDrawer drawer;
    drawer.BeginFrame(a, kBackground);
    drawer.DrawSprite(At(slot.get(), 0, 0));
    drawer.BeginFrame(b, kBackground);
    SpriteParams p = At(slot.get(), 0, 0);
    p.angle = float(0.0000005 * 180.0 / 3.14159265358979);
    drawer.DrawSprite(p);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) EXPECT_EQ(a.Pixel(x, y), b.Pixel(x, y));
}

TEST(SpriteRequests, NothingIsDrawnForBadRequests) {
    auto slot = MakeSlot(4, 4, Distinct, 2, 2);  // 4 patterns
    cTexture target = MakeTarget(8, 8);
    cSpriteDrawer drawer;
    EXPECT_FALSE(drawer.DrawSprite(At(slot.get(), 0, 0)));  // outside a frame
    drawer.BeginFrame(target, kBackground);
    EXPECT_FALSE(drawer.DrawSprite(At(slot.get(), 0, 0, 0)));  // pattern 0 (index -1)
    EXPECT_FALSE(drawer.DrawSprite(At(slot.get(), 0, 0, 5)));  // past the last pattern
    EXPECT_FALSE(drawer.DrawSprite(At(nullptr, 0, 0)));
    cPictureSlot empty;
    EXPECT_FALSE(drawer.DrawSprite(At(&empty, 0, 0)));
    SpriteParams zeroScale = At(slot.get(), 0, 0);
    zeroScale.scaleX = 0;
    drawer.DrawSprite(zeroScale);
    EXPECT_EQ(CountNot(target, kBackground), 0);
    EXPECT_TRUE(drawer.DrawSprite(At(slot.get(), 0, 0, 4)));
    EXPECT_EQ(CountNot(target, kBackground), 4);
}

TEST(SpriteRequests, OpacityZeroDrawsNothingInAnyMode) {
    auto slot = SolidSlot(4, 4, Argb(255, 200, 100, 50));
    for (int blend = 0; blend <= 10; ++blend) {
        cTexture target = MakeTarget(8, 8);
        cSpriteDrawer drawer;
        drawer.BeginFrame(target, kBackground);
        SpriteParams p = At(slot.get(), 0, 0);
        p.blend = blend;
        p.opacity = 0;
        EXPECT_FALSE(drawer.DrawSprite(p));
        p.tone[0] = 150;
        p.opacity = -5;
        EXPECT_FALSE(drawer.DrawSprite(p));
        EXPECT_EQ(CountNot(target, kBackground), 0) << "blend " << blend;
    }
}

TEST(SpriteRequests, ViewTransformAppliesWithoutTheScreenSpaceFlag) {
    auto slot = MakeSlot(2, 2, Distinct);
    cTexture target = MakeTarget(8, 8);
    cSpriteDrawer drawer;
    drawer.SetView(1, 1, 2);
    drawer.BeginFrame(target, kBackground);
    SpriteParams p = At(slot.get(), 1, 1);
    p.screenSpace = 0;  // (1 - 1) * 2 = 0: centred, zoomed twice
    drawer.DrawSprite(p);
    EXPECT_EQ(CountNot(target, kBackground), 16);
    EXPECT_EQ(target.Pixel(2, 2), Distinct(0, 0));
    EXPECT_EQ(target.Pixel(5, 5), Distinct(1, 1));
}

TEST(SpriteRequests, ToneIsAppliedToTheDrawnPixels) {
    auto slot = SolidSlot(2, 2, Argb(255, 200, 100, 50));
    cTexture target = MakeTarget(4, 4);
    cSpriteDrawer drawer;
    drawer.BeginFrame(target, 0);
    SpriteParams p = At(slot.get(), 0, 0);
    p.tone[0] = p.tone[1] = p.tone[2] = 0;
    drawer.DrawSprite(p);
    EXPECT_EQ(target.Pixel(1, 1), Argb(255, 0, 0, 0));
    p.tone[0] = p.tone[1] = p.tone[2] = 200;
    drawer.DrawSprite(p);
    EXPECT_EQ(target.Pixel(2, 2), Argb(255, 255, 255, 255));
}

TEST(SpriteRequests, LaterSpritesCoverEarlierOnes) {
    auto red = SolidSlot(4, 4, Argb(255, 255, 0, 0));
    auto blue = SolidSlot(2, 2, Argb(255, 0, 0, 255));
    cTexture target = MakeTarget(8, 8);
    cSpriteDrawer drawer;
    drawer.BeginFrame(target, kBackground);
    drawer.DrawSprite(At(red.get(), 0, 0));
    drawer.DrawSprite(At(blue.get(), 0, 0));
    EXPECT_EQ(target.Pixel(2, 2), Argb(255, 255, 0, 0));
    EXPECT_EQ(target.Pixel(3, 3), Argb(255, 0, 0, 255));
}

TEST(SpriteRequests, TransparentTexelsLeaveTheTargetInNormalMode) {
    auto slot = MakeSlot(2, 1, [](int x, int) { return x == 0 ? Argb(0, 255, 255, 255) : Argb(255, 1, 2, 3); });
    cTexture target = MakeTarget(4, 2);
    cSpriteDrawer drawer;
    drawer.BeginFrame(target, kBackground);
    drawer.DrawSprite(At(slot.get(), 0, 0));
    EXPECT_EQ(target.Pixel(1, 0), kBackground);
    EXPECT_EQ(target.Pixel(2, 0), Argb(255, 1, 2, 3));
}

TEST(Rectangles, WholeTargetAndPlacedRectangles) {
    cTexture target = MakeTarget(6, 4);
    cSpriteDrawer drawer;
    drawer.BeginFrame(target, Argb(0, 0, 0, 0));
    RectParams whole;
    whole.flags = kRectWholeTarget;
    whole.alpha = 255;
    whole.red = 10;
    whole.green = 20;
    whole.blue = 30;
    whole.blend = 9;  // replace
    ASSERT_TRUE(drawer.DrawRect(whole));
    EXPECT_EQ(CountNot(target, Argb(255, 10, 20, 30)), 0);

    RectParams r;
    r.width = 2;
    r.height = 2;
    r.alpha = 255;
    r.red = 255;
    r.screenSpace = 1;
    drawer.DrawRect(r);  // centred: columns 2..3, rows 1..2
    EXPECT_EQ(target.Pixel(2, 1), Argb(255, 255, 0, 0));
    EXPECT_EQ(target.Pixel(3, 2), Argb(255, 255, 0, 0));
    EXPECT_EQ(CountNot(target, Argb(255, 10, 20, 30)), 4);
    drawer.EndFrame();
    EXPECT_FALSE(drawer.DrawRect(r));
}

TEST(Rectangles, AdditiveFlashRectangle) {
    cTexture target = MakeTarget(3, 3);
    cSpriteDrawer drawer;
    drawer.BeginFrame(target, Argb(255, 100, 100, 100));
    RectParams r;
    r.flags = kRectWholeTarget;
    r.alpha = 51;  // 0.2
    r.red = 255;
    r.green = 255;
    r.blue = 255;
    r.blend = 1;
    drawer.DrawRect(r);
    EXPECT_EQ(target.Pixel(1, 1), Argb(255, 151, 151, 151));
}

TEST(Frames, BeginFrameClearsToTheBackgroundAlphaIncluded) {
    cTexture target = MakeTarget(3, 2);
    cSpriteDrawer drawer;
    EXPECT_TRUE(drawer.BeginFrame(target, 0x00ABCDEF));
    EXPECT_EQ(CountNot(target, 0x00ABCDEF), 0);
    cTexture empty;
    EXPECT_FALSE(drawer.BeginFrame(empty, 0));
    EXPECT_FALSE(drawer.InFrame());
}
