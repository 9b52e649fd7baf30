// Geometry of sprites (1:1 copies, mirroring, rotation, scaling), the request checks, rectangles and the
// draw order.

#include "render/frame_composer.h"
#include "render/sprite_drawer.h"
#include "render_fixture.h"

#include "document/cell.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace render_fixture;

namespace {

constexpr uint32_t kBackground = 0xFF102030u;

strSpriteParams At(const cPictureSlot* slot, float x, float y, int pattern = 1) {
    return {.slot = slot, .pattern = pattern, .x = x, .y = y, .screenSpace = 1};
}

// A w x h target cleared to kBackground with the sprites drawn on it in order.
cTexture Draw(int w, int h, const std::vector<strSpriteParams>& sprites) {
    cTexture target = MakeTarget(w, h);
    cSpriteDrawer drawer;
    EXPECT_TRUE(drawer.beginFrame(target, kBackground));
    for (const strSpriteParams& p : sprites)
        EXPECT_TRUE(drawer.drawSprite(p));
    drawer.endFrame();
    return target;
}

int CountNot(const cTexture& t, uint32_t v) {
    int n = 0;
    for (int y = 0; y < t.height(); ++y)
        for (int x = 0; x < t.width(); ++x)
            n += t.pixel(x, y) != v;
    return n;
}

} // namespace

// Centred, scaled and view-transformed sprites: where each texel lands.
TEST(SpriteGeometry, PlacementMirrorScaleAndView) {
    auto slot4x2 = MakeSlot(4, 2, Distinct), slot2 = MakeSlot(2, 2, Distinct);
    // The sprite's centre sits at the target's centre: an even pattern starts at W/2 - w/2.
    cTexture t = Draw(10, 6, {At(slot4x2.get(), 0, 0)});
    EXPECT_EQ(CountNot(t, kBackground), 8);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(t.pixel(3 + x, 2 + y), Distinct(x, y));
    t = Draw(8, 8,
             {{.slot = slot2.get(), .scaleX = 2, .scaleY = 2, .screenSpace = 1}}); // 2 x 2 pixels per texel
    EXPECT_EQ(CountNot(t, kBackground), 16);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(t.pixel(2 + x, 2 + y), Distinct(x / 2, y / 2));
    // Without the screen-space flag the view applies: (1 - 1) * 2 = 0, centred, zoomed twice.
    t = MakeTarget(8, 8);
    cSpriteDrawer drawer;
    drawer.setView(1, 1, 2);
    drawer.beginFrame(t, kBackground);
    drawer.drawSprite({.slot = slot2.get(), .x = 1, .y = 1});
    EXPECT_EQ(CountNot(t, kBackground), 16);
    EXPECT_EQ(t.pixel(2, 2), Distinct(0, 0));
    EXPECT_EQ(t.pixel(5, 5), Distinct(1, 1));
}

// Angle -900 tenths is drawn as 270 degrees clockwise: texel (tx, ty) of a 4 x 4 pattern centred
// on an 8 x 8 target lands on column ty + 2, row 5 - tx.
TEST(SpriteGeometry, AngleMinus900IsDrawnAs270Degrees) {
    auto slot = MakeSlot(4, 4, Distinct);
    const strCaptureArea area{-4, -4, 4, 4};
    for (auto [tenths, degrees] : {std::pair(-900, 270.0f), {3600, 0.0f}, {450, 45.0f}})
        EXPECT_FLOAT_EQ(CellSpriteParams({.angle = int16_t(tenths)}, slot.get(), area).angle, degrees)
            << tenths;
    const cTexture target = Draw(8, 8, {CellSpriteParams({.angle = -900}, slot.get(), area)});
    EXPECT_EQ(CountNot(target, kBackground), 16);
    for (int ty = 0; ty < 4; ++ty)
        for (int tx = 0; tx < 4; ++tx)
            EXPECT_EQ(target.pixel(ty + 2, 5 - tx), Distinct(tx, ty)) << tx << "," << ty;
    // A tiny rotation counts as none.
    strSpriteParams p = At(slot.get(), 0, 0);
    p.angle = float(0.0000005 * 180.0 / 3.14159265358979);
    const cTexture a = Draw(8, 8, {At(slot.get(), 0, 0)}), b = Draw(8, 8, {p});
    EXPECT_EQ(std::memcmp(a.row(0), b.row(0), 8 * 8 * 4), 0);
}

// A mirror or a half turn covers exactly the pixels of the unturned sprite and shows the texels
// mirrored about the pattern's centre; a quarter turn and three quarters cover the same pixels as
// each other; unturned at a whole position, nearest sampling copies every texel once. Odd and even
// pattern and target sizes, at whole and half pixel positions, from the last pattern of a 2 x 2 grid.
TEST(SpriteGeometry, MirrorsAndTurnsCoverTheSamePixels) {
    using Texel = std::pair<int, int>;
    struct Turn {
        float sx, sy, angle;
        bool quarter;                                 // the box is h wide and w tall
        Texel (*texel)(int dx, int dy, int w, int h); // what box pixel (dx, dy) shows
    } turns[] = {
        {1, 1, 0, false, [](int dx, int dy, int, int) { return Texel(dx, dy); }},
        {-1, 1, 0, false, [](int dx, int dy, int w, int) { return Texel(w - 1 - dx, dy); }},
        {1, -1, 0, false, [](int dx, int dy, int, int h) { return Texel(dx, h - 1 - dy); }},
        {-1, -1, 0, false, [](int dx, int dy, int w, int h) { return Texel(w - 1 - dx, h - 1 - dy); }},
        {1, 1, 180, false, [](int dx, int dy, int w, int h) { return Texel(w - 1 - dx, h - 1 - dy); }},
        {-1, 1, 180, false, [](int dx, int dy, int, int h) { return Texel(dx, h - 1 - dy); }},
        {1, 1, 90, true, [](int dx, int dy, int, int h) { return Texel(dy, h - 1 - dx); }},
        {1, 1, 270, true, [](int dx, int dy, int w, int) { return Texel(w - 1 - dy, dx); }},
    };
    for (int w : {4, 5})
        for (int h : {3, 4})
            for (int tw : {20, 21})
                for (auto [px, py] : {std::pair(-3.0f, 1.0f), {0.5f, 0.5f}, {2.0f, 0.5f}}) {
                    auto slot = MakeSlot(w * 2, h * 2, Distinct, 2, 2);
                    int box[2][2] = {{-1, -1}, {-1, -1}}; // top-left of the plain and quarter boxes
                    for (const Turn& turn : turns) {
                        SCOPED_TRACE(testing::Message()
                                     << w << " x " << h << " on " << tw << " at " << px << "," << py
                                     << ", scale " << turn.sx << "," << turn.sy << " angle " << turn.angle);
                        strSpriteParams p = At(slot.get(), px, py, 4);
                        p.scaleX = turn.sx;
                        p.scaleY = turn.sy;
                        p.angle = turn.angle;
                        const cTexture t = Draw(tw, 12, {p});
                        int(&b)[2] = box[turn.quarter];
                        for (int y = 0; y < 12 && b[0] < 0; ++y)
                            for (int x = 0; x < tw && b[0] < 0; ++x)
                                if (t.pixel(x, y) != kBackground) b[0] = x, b[1] = y;
                        const int bw = turn.quarter ? h : w, bh = turn.quarter ? w : h;
                        ASSERT_EQ(CountNot(t, kBackground), w * h);
                        for (int dy = 0; dy < bh; ++dy)
                            for (int dx = 0; dx < bw; ++dx) {
                                const auto [tx, ty] = turn.texel(dx, dy, w, h);
                                ASSERT_EQ(t.pixel(b[0] + dx, b[1] + dy), Distinct(w + tx, h + ty))
                                    << dx << "," << dy;
                            }
                    }
                }
}

TEST(SpriteRequests, NothingIsDrawnForBadRequests) {
    auto slot = MakeSlot(4, 4, Distinct, 2, 2); // 4 patterns
    cTexture target = MakeTarget(8, 8);
    cSpriteDrawer drawer;
    EXPECT_FALSE(drawer.drawSprite(At(slot.get(), 0, 0))); // outside a frame
    drawer.beginFrame(target, kBackground);
    cPictureSlot empty;
    // Pattern 0 (index -1), past the last pattern, no picture, an empty picture; then no width.
    for (const strSpriteParams& p :
         {At(slot.get(), 0, 0, 0), At(slot.get(), 0, 0, 5), At(nullptr, 0, 0), At(&empty, 0, 0)})
        EXPECT_FALSE(drawer.drawSprite(p)) << p.pattern;
    drawer.drawSprite({.slot = slot.get(), .scaleX = 0, .screenSpace = 1});
    EXPECT_EQ(CountNot(target, kBackground), 0);
    EXPECT_TRUE(drawer.drawSprite(At(slot.get(), 0, 0, 4)));
    EXPECT_EQ(CountNot(target, kBackground), 4);
}

TEST(SpriteRequests, OpacityZeroDrawsNothingInAnyMode) {
    auto slot = SolidSlot(4, 4, Argb(255, 200, 100, 50));
    for (int blend = 0; blend <= 10; ++blend) {
        cTexture target = MakeTarget(8, 8);
        cSpriteDrawer drawer;
        drawer.beginFrame(target, kBackground);
        strSpriteParams p{.slot = slot.get(), .blend = blend, .opacity = 0, .screenSpace = 1};
        EXPECT_FALSE(drawer.drawSprite(p));
        p.tone[0] = 150;
        p.opacity = -5;
        EXPECT_FALSE(drawer.drawSprite(p));
        EXPECT_EQ(CountNot(target, kBackground), 0) << "blend " << blend;
    }
}

// The tone reaches the drawn pixels (its arithmetic, and transparent texels, are the colour rules'
// business; the draw order is checked by the frame composition).
TEST(SpriteRequests, TheToneReachesTheDrawnPixels) {
    auto solid = SolidSlot(2, 2, Argb(255, 200, 100, 50));
    const strSpriteParams dark{.slot = solid.get(), .tone = {0, 0, 0, 100}, .screenSpace = 1};
    EXPECT_EQ(Draw(4, 4, {dark}).pixel(1, 1), Argb(255, 0, 0, 0));
}

TEST(Rectangles, WholeTargetPlacedAndAdditive) {
    cTexture target = MakeTarget(6, 4);
    cSpriteDrawer drawer;
    cTexture empty;
    EXPECT_FALSE(drawer.beginFrame(empty, 0));
    EXPECT_TRUE(drawer.beginFrame(target, 0x00ABCDEF)); // cleared, alpha included
    EXPECT_EQ(CountNot(target, 0x00ABCDEF), 0);
    strRectParams whole{
        .alpha = 255, .red = 10, .green = 20, .blue = 30, .blend = 9, .flags = kRectWholeTarget}; // replace
    ASSERT_TRUE(drawer.drawRect(whole));
    EXPECT_EQ(CountNot(target, Argb(255, 10, 20, 30)), 0);
    const strRectParams r{.width = 2, .height = 2, .alpha = 255, .red = 255, .screenSpace = 1};
    drawer.drawRect(r); // centred: columns 2..3, rows 1..2
    EXPECT_EQ(target.pixel(2, 1), Argb(255, 255, 0, 0));
    EXPECT_EQ(target.pixel(3, 2), Argb(255, 255, 0, 0));
    EXPECT_EQ(CountNot(target, Argb(255, 10, 20, 30)), 4);
    // An additive flash of alpha 0.2 over grey 100.
    drawer.drawRect(
        {.alpha = 51, .red = 255, .green = 255, .blue = 255, .blend = 1, .flags = kRectWholeTarget});
    EXPECT_EQ(target.pixel(0, 0), Argb(255, 61, 71, 81));
    drawer.endFrame();
    EXPECT_FALSE(drawer.drawRect(r));
}
