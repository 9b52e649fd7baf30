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
    int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(gen); }
    bool chance(int percent) { return between(0, 99) < percent; }
    template <typename T> T pick(std::initializer_list<T> values) {
        return values.begin()[between(0, int(values.size()) - 1)];
    }
    // Texels with many fully transparent and fully opaque runs, as pictures have them.
    uint32_t texel(int x, int y, int seed) {
        const int kind = (x / 3 + y / 2 + seed) % 5;
        const uint32_t alpha = kind == 0 ? 0 : kind < 3 ? 255 : uint32_t(between(0, 255));
        return Argb(alpha, uint32_t(between(0, 255)), uint32_t(between(0, 255)), uint32_t(between(0, 255)));
    }
};

std::unique_ptr<cPictureSlot> RandomSlot(strRandom& r) {
    const int divX = r.between(1, 3), divY = r.between(1, 3), seed = r.between(0, 4);
    return MakeSlot(
        divX * r.between(1, 23), divY * r.between(1, 19), [&](int x, int y) { return r.texel(x, y, seed); },
        divX, divY);
}

strSpriteParams RandomSprite(strRandom& r, const cPictureSlot* slot, int targetW, int targetH) {
    strSpriteParams p;
    p.slot = slot;
    p.pattern = r.between(1, slot->patternCount());
    p.blend = r.pick({0, 0, 1, 2, 3, 4, 9});
    // Whole, half and arbitrary positions, reaching past every edge.
    auto coordinate = [&r](int extent) {
        const float whole = float(r.between(-extent, extent));
        return r.pick({whole, whole + 0.5f, whole + float(r.between(1, 99)) / 100.0f});
    };
    p.x = coordinate(targetW);
    p.y = coordinate(targetH);
    p.scaleX = r.pick({1.0f, 1.0f, -1.0f, 2.0f, -2.0f, 0.5f, 1.2f, -0.7f, 3.3f});
    p.scaleY = r.chance(50) ? p.scaleX : r.pick({1.0f, -1.0f, 0.8f, 1.5f});
    p.angle =
        r.pick({0.0f, 0.0f, 90.0f, 180.0f, 270.0f, 30.0f, 45.0f, 359.9f, float(r.between(0, 3599)) / 10.0f});
    p.opacity = r.pick({255, 255, 1, 128, r.between(1, 255)});
    if (r.chance(60))
        for (int& t : p.tone)
            t = r.pick({100, 0, 50, 99, 101, 150, 200, r.between(0, 255)});
    p.flags = r.pick({0u, 0u, 0u, 0u, kSpriteSilhouette, kSpriteColourFlash, kSpriteToneFlash});
    p.screenSpace = uint8_t(r.chance(80));
    return p;
}

strRectParams RandomRect(strRandom& r) {
    strRectParams q;
    q.flags = r.chance(50) ? kRectWholeTarget : 0;
    q.x = float(r.between(-20, 20)) / 2;
    q.y = float(r.between(-20, 20)) / 2;
    q.width = float(r.between(0, 40)) / 2;
    q.height = float(r.between(0, 40)) / 2;
    q.alpha = r.between(0, 255);
    q.red = r.between(0, 255);
    q.green = r.between(0, 255);
    q.blue = r.between(0, 255);
    q.blend = r.pick({0, 1, 2, 3, 4, 9});
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
    reference.setReferencePath(true);
    int differing = 0;
    for (int frame = 0; frame < kFrames && differing < 5; ++frame) {
        // Now and then a picture is replaced or recoloured in place (its hue), which the cached
        // tone passes must notice.
        if (r.chance(5)) slots[size_t(r.between(0, 5))] = RandomSlot(r);
        if (r.chance(5)) {
            cPictureSlot& s = *slots[size_t(r.between(0, 5))];
            s.setHsv(r.between(1, 359));
            s.divide(-1, 0, 0);
        }
        const int w = r.between(1, 70), h = r.between(1, 50);
        const uint32_t background = r.pick({0xFF102030u, 0x00000000u, 0x80FFFFFFu});
        const float zoom = r.pick({1.0f, 2.0f, 0.5f});
        std::vector<strSpriteParams> sprites;
        for (int k = r.between(1, 6); k > 0; --k)
            sprites.push_back(RandomSprite(r, slots[size_t(r.between(0, 5))].get(), w, h));
        const strRectParams rect = RandomRect(r);
        const bool withRect = r.chance(20);
        // Each frame twice on the fast drawer (built, then from its cache), then once more with
        // other opacities and blend modes (the cached tone passes faded anew).
        cTexture want = MakeTarget(w, h), got = MakeTarget(w, h);
        for (int pass = 0; pass < 5; ++pass) {
            if (pass == 3)
                for (strSpriteParams& p : sprites) {
                    p.opacity = r.between(1, 255);
                    p.blend = r.pick({0, 1, 2, 3, 4, 9});
                }
            const bool ref = pass == 0 || pass == 3;
            cSpriteDrawer& d = ref ? reference : fast;
            cTexture& t = ref ? want : got;
            d.setView(1.5f, -2.0f, zoom);
            d.beginFrame(t, background);
            for (const strSpriteParams& p : sprites)
                d.drawSprite(p);
            if (withRect) d.drawRect(rect);
            d.endFrame();
            if (ref) continue;
            if (std::memcmp(want.row(0), got.row(0), size_t(w) * size_t(h) * 4) == 0) continue;
            ++differing;
            for (int i = 0; i < w * h; ++i)
                if (want.pixel(i % w, i / w) != got.pixel(i % w, i / w)) {
                    ADD_FAILURE() << "frame " << frame << " pass " << pass << ", " << w << " x " << h
                                  << ": pixel " << i % w << "," << i / w << " is " << std::hex
                                  << got.pixel(i % w, i / w) << ", reference " << want.pixel(i % w, i / w);
                    break;
                }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryInstructionSet, RasterPaths,
                         testing::Values(render::kSimdScalar, render::kSimdSse2, render::kSimdAvx2,
                                         render::kSimdAvx512));
