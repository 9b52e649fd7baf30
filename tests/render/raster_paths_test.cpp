// The fast drawing path against the plain scalar reference: random frames of random sprites and
// rectangles (every blend mode, tones, saturation, flash and silhouette flags, opacity, turns,
// mirrored, fractional and odd sizes, positions across every edge of odd and even targets) must come
// out byte for byte the same, also when the fast path serves cells from its cache of tone passes
// and when a picture changes between frames.

#include "render/blend_span.h"
#include "render/sprite_drawer.h"
#include "render_fixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

using namespace render_fixture;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int kFrames = 100;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr int kFrames = 100;
#else
constexpr int kFrames = 1500;
#endif
#else
constexpr int kFrames = 1500;
#endif

struct strRandom {
    std::mt19937 gen{20240611};
    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(gen); }
    bool Chance(int percent) { return Int(0, 99) < percent; }
    template <typename T> T Pick(std::initializer_list<T> values) {
        return values.begin()[Int(0, int(values.size()) - 1)];
    }
    // Texels with many fully transparent and fully opaque runs, as pictures have them.
    uint32_t Texel(int x, int y, int seed) {
        const int kind = (x / 3 + y / 2 + seed) % 5;
        const uint32_t alpha = kind == 0 ? 0 : kind < 3 ? 255 : uint32_t(Int(0, 255));
        return Argb(alpha, uint32_t(Int(0, 255)), uint32_t(Int(0, 255)), uint32_t(Int(0, 255)));
    }
};

std::unique_ptr<cPictureSlot> RandomSlot(strRandom& r) {
    const int divX = r.Int(1, 3), divY = r.Int(1, 3), seed = r.Int(0, 4);
    return MakeSlot(
        divX * r.Int(1, 23), divY * r.Int(1, 19), [&](int x, int y) { return r.Texel(x, y, seed); }, divX,
        divY);
}

SpriteParams RandomSprite(strRandom& r, const cPictureSlot* slot, int targetW, int targetH) {
    SpriteParams p;
    p.slot = slot;
    p.pattern = r.Int(1, slot->PatternCount());
    p.blend = r.Pick({0, 0, 1, 2, 3, 4, 9});
    // Whole, half and arbitrary positions, reaching past every edge.
    auto coordinate = [&r](int extent) {
        const float whole = float(r.Int(-extent, extent));
        return r.Pick({whole, whole + 0.5f, whole + float(r.Int(1, 99)) / 100.0f});
    };
    p.x = coordinate(targetW);
    p.y = coordinate(targetH);
    p.scaleX = r.Pick({1.0f, 1.0f, -1.0f, 2.0f, -2.0f, 0.5f, 1.2f, -0.7f, 3.3f});
    p.scaleY = r.Chance(50) ? p.scaleX : r.Pick({1.0f, -1.0f, 0.8f, 1.5f});
    p.angle =
        r.Pick({0.0f, 0.0f, 90.0f, 180.0f, 270.0f, 30.0f, 45.0f, 359.9f, float(r.Int(0, 3599)) / 10.0f});
    p.opacity = r.Pick({255, 255, 1, 128, r.Int(1, 255)});
    if (r.Chance(60))
        for (int& t : p.tone)
            t = r.Pick({100, 0, 50, 99, 101, 150, 200, r.Int(0, 255)});
    p.flags = r.Pick({0u, 0u, 0u, 0u, kSpriteSilhouette, kSpriteColourFlash, kSpriteToneFlash});
    p.screenSpace = uint8_t(r.Chance(80));
    return p;
}

RectParams RandomRect(strRandom& r) {
    RectParams q;
    q.flags = r.Chance(50) ? kRectWholeTarget : 0;
    q.x = float(r.Int(-20, 20)) / 2;
    q.y = float(r.Int(-20, 20)) / 2;
    q.width = float(r.Int(0, 40)) / 2;
    q.height = float(r.Int(0, 40)) / 2;
    q.alpha = r.Int(0, 255);
    q.red = r.Int(0, 255);
    q.green = r.Int(0, 255);
    q.blue = r.Int(0, 255);
    q.blend = r.Pick({0, 1, 2, 3, 4, 9});
    q.screenSpace = 1;
    return q;
}

} // namespace

class RasterPaths : public testing::TestWithParam<render::eSimdLevel> {
  protected:
    void SetUp() override {
        if (render::LimitSimdLevel(GetParam()) != GetParam()) GTEST_SKIP() << "the processor lacks it";
    }
    void TearDown() override { render::LimitSimdLevel(render::kSimdAvx512); }
};

TEST_P(RasterPaths, FastPathGivesTheReferenceBytes) {
    strRandom r;
    std::vector<std::unique_ptr<cPictureSlot>> slots;
    for (int k = 0; k < 6; ++k)
        slots.push_back(RandomSlot(r));
    cSpriteDrawer fast, reference;
    reference.SetReferencePath(true);
    int differing = 0;
    for (int frame = 0; frame < kFrames && differing < 5; ++frame) {
        // Now and then a picture is replaced or recoloured in place (its hue), which the cached
        // tone passes must notice.
        if (r.Chance(5)) slots[size_t(r.Int(0, 5))] = RandomSlot(r);
        if (r.Chance(5)) {
            cPictureSlot& s = *slots[size_t(r.Int(0, 5))];
            s.SetHsv(r.Int(1, 359));
            s.Divide(-1, 0, 0);
        }
        const int w = r.Int(1, 70), h = r.Int(1, 50);
        const uint32_t background = r.Pick({0xFF102030u, 0x00000000u, 0x80FFFFFFu});
        const float zoom = r.Pick({1.0f, 2.0f, 0.5f});
        std::vector<SpriteParams> sprites;
        for (int k = r.Int(1, 6); k > 0; --k)
            sprites.push_back(RandomSprite(r, slots[size_t(r.Int(0, 5))].get(), w, h));
        const RectParams rect = RandomRect(r);
        const bool withRect = r.Chance(20);
        // Each frame twice on the fast drawer (built, then from its cache), then once more with
        // other opacities and blend modes (the cached tone passes faded anew).
        cTexture want = MakeTarget(w, h), got = MakeTarget(w, h);
        for (int pass = 0; pass < 5; ++pass) {
            if (pass == 3)
                for (SpriteParams& p : sprites) {
                    p.opacity = r.Int(1, 255);
                    p.blend = r.Pick({0, 1, 2, 3, 4, 9});
                }
            const bool ref = pass == 0 || pass == 3;
            cSpriteDrawer& d = ref ? reference : fast;
            cTexture& t = ref ? want : got;
            d.SetView(1.5f, -2.0f, zoom);
            d.BeginFrame(t, background);
            for (const SpriteParams& p : sprites)
                d.DrawSprite(p);
            if (withRect) d.DrawRect(rect);
            d.EndFrame();
            if (ref) continue;
            if (std::memcmp(want.Row(0), got.Row(0), size_t(w) * size_t(h) * 4) == 0) continue;
            ++differing;
            for (int i = 0; i < w * h; ++i)
                if (want.Pixel(i % w, i / w) != got.Pixel(i % w, i / w)) {
                    ADD_FAILURE() << "frame " << frame << " pass " << pass << ", " << w << " x " << h
                                  << ": pixel " << i % w << "," << i / w << " is " << std::hex
                                  << got.Pixel(i % w, i / w) << ", reference " << want.Pixel(i % w, i / w);
                    break;
                }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryInstructionSet, RasterPaths,
                         testing::Values(render::kSimdScalar, render::kSimdSse2, render::kSimdAvx2,
                                         render::kSimdAvx512));
