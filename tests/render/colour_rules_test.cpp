// The tone passes, the special sprite modes and the blend modes, pixel-exact on the drawing
// device's 8-bit arithmetic.

#include "render/colour_rules.h"
#include "render/sprite_drawer.h"
#include "render_fixture.h"

#include <gtest/gtest.h>

using namespace render;
using namespace render_fixture;

namespace {

uint32_t Source(uint32_t texel, int r, int g, int b, int s, int opacity = 255, int blend = 0,
                uint32_t flags = 0) {
    const strSpriteParams p{.blend = blend, .opacity = opacity, .tone = {r, g, b, s}, .flags = flags};
    return SourceTexel(texel, strSourceSetup::of(p));
}

} // namespace

TEST(ToneRules, NeutralZeroAndGreyOnEveryTexel) {
    const std::pair<uint32_t, uint32_t> cases[] = {
        // texel, the grey of saturation 0 (a weighted sum of the channels)
        {Argb(255, 200, 100, 50), 111}, {Argb(128, 10, 250, 90), 81}, {Argb(0, 0, 0, 0), 0},
        {Argb(1, 255, 255, 255), 243},  {Argb(255, 0, 0, 0), 0},      {Argb(77, 33, 66, 99), 64},
    };
    for (auto [t, g] : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << t);
        EXPECT_EQ(Source(t, 100, 100, 100, 100), t);
        EXPECT_EQ(Source(t, 0, 0, 0, 100), t & 0xFF000000u); // black with the texel's alpha
        EXPECT_EQ(Source(t, 100, 100, 100, 0), Argb(ChA(t), g, g, g));
    }
}

// Known texels through the tone pass and the special sprite modes; `mask` picks the channels a row
// checks.
TEST(SourceTexel, ToneSilhouetteFlashesAndMultiplicativeModes) {
    struct Case {
        uint32_t texel;
        int r, g, b, s, opacity, blend;
        uint32_t flags, mask, expected;
    } cases[] = {
        // Tone channels above 100 add, clamped; the additive part is weighted by the texel's alpha.
        {Argb(255, 200, 100, 50), 200, 200, 200, 100, 255, 0, 0, ~0u, Argb(255, 255, 255, 255)},
        {Argb(255, 0, 0, 0), 200, 200, 200, 100, 255, 0, 0, ~0u, Argb(255, 255, 255, 255)},
        {Argb(128, 0, 0, 0), 200, 200, 200, 100, 255, 0, 0, ~0u, Argb(128, 128, 128, 128)},
        // 50 % of red: mul = 127, round(200 * 127 / 255) = 99.6; 150 % of green: add = 127.
        {Argb(255, 200, 100, 50), 50, 150, 100, 100, 255, 0, 0, ~0u, Argb(255, 100, 227, 50)},
        // The opacity scales the alpha.
        {Argb(255, 1, 2, 3), 100, 100, 100, 100, 128, 0, 0, 0xFF000000u, Argb(128, 0, 0, 0)},
        {Argb(128, 1, 2, 3), 100, 100, 100, 100, 128, 0, 0, 0xFF000000u, Argb(64, 0, 0, 0)},
        {Argb(255, 1, 2, 3), 100, 100, 100, 100, 0, 0, 0, 0xFF000000u, Argb(0, 0, 0, 0)},
        // Saturation 50 (grey 111): mul = 127, C = (t 127 + grey 128) / 255.
        {Argb(255, 200, 100, 50), 100, 100, 100, 50, 255, 0, 0, 0x00FF00FFu, Argb(0, 155, 0, 81)},
        // Saturation 200: add(S) = 255, so k = 0 and C = min(255, 3 max(0, t - grey) + t).
        {Argb(255, 200, 100, 50), 100, 100, 100, 200, 255, 0, 0, ~0u, Argb(255, 255, 100, 50)},
        // The silhouette is the flat colour with the texel's alpha.
        {Argb(200, 1, 2, 3), 255, 0, 128, 100, 255, 0, kSpriteSilhouette, ~0u, Argb(200, 255, 0, 128)},
        {Argb(255, 1, 2, 3), 10, 20, 30, 100, 128, 0, kSpriteSilhouette, ~0u, Argb(128, 10, 20, 30)},
        // The colour flash blends towards the flash colour by beta = strength.
        {Argb(255, 10, 20, 30), 255, 255, 255, 255, 255, 0, kSpriteColourFlash, ~0u,
         Argb(255, 255, 255, 255)},
        {Argb(255, 10, 20, 30), 255, 255, 255, 0, 255, 0, kSpriteColourFlash, ~0u, Argb(255, 10, 20, 30)},
        {Argb(255, 0, 0, 0), 255, 0, 0, 102, 255, 0, kSpriteColourFlash, ~0u, Argb(255, 102, 0, 0)},
        // The tone flash is centred at 128: 128 leaves the texel, 255 doubles it, 0 removes it.
        {Argb(255, 100, 50, 20), 128, 128, 128, 100, 255, 0, kSpriteToneFlash, ~0u, Argb(255, 100, 50, 20)},
        {Argb(255, 100, 50, 20), 255, 255, 255, 100, 255, 0, kSpriteToneFlash, ~0u, Argb(255, 200, 100, 40)},
        {Argb(255, 100, 50, 20), 0, 0, 0, 100, 255, 0, kSpriteToneFlash, ~0u, Argb(255, 0, 0, 0)},
        // Cell blend 3 fades towards white, 4 towards black, by the source alpha.
        {Argb(0, 10, 20, 30), 100, 100, 100, 100, 255, 3, 0, ~0u, Argb(0, 255, 255, 255)},
        {Argb(255, 10, 20, 30), 100, 100, 100, 100, 255, 3, 0, ~0u, Argb(255, 10, 20, 30)},
        {Argb(255, 10, 20, 30), 100, 100, 100, 100, 0, 4, 0, ~0u, Argb(0, 0, 0, 0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Source(c.texel, c.r, c.g, c.b, c.s, c.opacity, c.blend, c.flags) & c.mask, c.expected)
            << std::hex << c.texel << " tone " << std::dec << c.r << "," << c.g << "," << c.b << "," << c.s
            << " flags " << c.flags << " blend " << c.blend;
    // Saturation 101 is nearly neutral: k = t.a * (255 - 2) / 255 keeps almost all of the texel.
    const uint32_t n = Source(Argb(255, 200, 100, 50), 100, 100, 100, 101);
    EXPECT_NEAR(int(ChR(n)), 200, 1);
    EXPECT_NEAR(int(ChB(n)), 50, 1);
}

// Each blend mode on known colours: source (200, 100, 50) at opacity 102 (alpha 0.4) over
// (100, 150, 200) with alpha 255, 0 and 128. The colours do not depend on the destination's alpha;
// the alpha is "over" (a + D.a (1 - a)) except for multiplication (D.a kept) and no blending (a).
TEST(BlendModes, KnownColours) {
    const uint32_t texel = Argb(255, 200, 100, 50);
    const struct {
        int blend;
        uint32_t rgb;
        uint32_t alpha[3]; // over destination alpha 255, 0, 128
    } cases[] = {
        {0, Argb(0, 140, 130, 140), {255, 102, 179}}, // c a + D (1 - a)
        {1, Argb(0, 180, 190, 220), {255, 102, 179}}, // D + c a
        {2, Argb(0, 20, 110, 180), {255, 102, 179}},  // D - c a
        {3, Argb(0, 91, 114, 136), {255, 0, 128}},    // D x (c a + (1 - a))
        {4, Argb(0, 93, 78, 51), {255, 102, 179}},    // c' a + D (1 - D), c' = c a
        {9, Argb(0, 200, 100, 50), {102, 102, 102}},  // no blending
        {-1, Argb(0, 200, 100, 50), {102, 102, 102}},
    };
    for (const auto& c : cases) {
        const strSourceSetup s = strSourceSetup::of({.blend = c.blend, .opacity = 102});
        const uint32_t dstAlpha[3] = {255, 0, 128};
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(BlendPixel(s.mode, SourceTexel(texel, s), Argb(dstAlpha[k], 100, 150, 200)),
                      c.alpha[k] << 24 | c.rgb)
                << "blend " << c.blend << " over alpha " << dstAlpha[k];
    }
    // A transparent texel leaves the destination exactly as it is in the four listed modes (a
    // multiplication cell used to clear the alpha under its whole quad).
    for (int blend = 0; blend <= 3; ++blend)
        for (uint32_t dst : {Argb(255, 100, 150, 200), Argb(0, 1, 2, 3), Argb(77, 255, 0, 9)}) {
            const strSourceSetup s = strSourceSetup::of({.blend = blend, .tone = {150, 100, 100, 100}});
            EXPECT_EQ(BlendPixel(s.mode, SourceTexel(Argb(0, 9, 9, 9), s), dst), dst) << "blend " << blend;
        }
    // Clamping at the ends.
    EXPECT_EQ(BlendPixel(kBlendAdd, Argb(255, 200, 200, 200), Argb(255, 100, 100, 100)),
              Argb(255, 255, 255, 255));
    EXPECT_EQ(BlendPixel(kBlendRevSubtract, Argb(255, 200, 200, 200), Argb(255, 100, 100, 100)),
              Argb(255, 0, 0, 0));
    EXPECT_EQ(BlendPixel(kBlendDestColour, Argb(255, 255, 128, 0), Argb(200, 100, 100, 100)),
              Argb(200, 100, 50, 0));
    EXPECT_EQ(BlendPixel(kBlendAlpha2, Argb(255, 1, 2, 3), Argb(0, 9, 9, 9)), Argb(255, 1, 2, 3));
}
