#pragma once
// The raster pass of the drawing device: every target pixel that a mapped quad covers takes its
// source texel (quad_mapping.h) and is blended with it (colour_rules.h), one pixel at a time.

#include "render/quad_mapping.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace render {

// The source of one sprite: texel (x, y) at pixels + y * pitch + x * 4.
struct strSourceView {
    const uint8_t* pixels = nullptr;
    size_t pitch = 0;
};

struct strTargetView {
    uint8_t* pixels = nullptr; // row 0
    size_t pitch = 0;          // bytes per row
};

void RasterReference(const strQuadMapping& m, const strSourceView& source, const strTargetView& target,
                     int mode);

} // namespace render
