#pragma once
// Picture slots and render targets built in memory for the render and export tests. Header-only:
// tests/export includes it too.

#include "image/bmp.h"
#include "image/picture_slot.h"
#include "image/texture.h"

#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>

namespace render_fixture {

inline uint32_t Argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
    return a << 24 | r << 16 | g << 8 | b;
}

// A 32-bit bitmap of w x h whose pixel (x, y) is pixel(x, y) (0xAARRGGBB).
inline std::unique_ptr<cDib> MakeDib(int w, int h, const std::function<uint32_t(int, int)>& pixel) {
    auto dib = cDib::create(w, h, 32);
    for (int y = 0; dib && y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint32_t v = pixel(x, y);
            std::memcpy(dib->row(y) + x * 4, &v, 4);
        }
    return dib;
}

// MakeDib's picture divided into divX x divY patterns by number of sheets with the "alpha of the
// image" transparency.
inline std::unique_ptr<cPictureSlot> MakeSlot(int w, int h, const std::function<uint32_t(int, int)>& pixel,
                                              int divX = 1, int divY = 1) {
    auto dib = MakeDib(w, h, pixel);
    if (!dib) return nullptr;
    auto slot = std::make_unique<cPictureSlot>();
    if (!slot->newPicture().attach(std::move(dib)) || !slot->divide(divX, divY, 0)) return nullptr;
    return slot;
}

// A picture of one colour.
inline std::unique_ptr<cPictureSlot> SolidSlot(int w, int h, uint32_t argb) {
    return MakeSlot(w, h, [argb](int, int) { return argb; });
}

// Distinct opaque colours per position, so that every texel can be told apart.
inline uint32_t Distinct(int x, int y) {
    return Argb(255, uint32_t(x * 7 + 1) & 255, uint32_t(y * 13 + 2) & 255,
                uint32_t(x * 3 + y * 5 + 3) & 255);
}

inline cTexture MakeTarget(int w, int h) {
    cTexture t;
    t.create(w, h);
    return t;
}

} // namespace render_fixture
