#pragma once
// The raster pass of the drawing device: every target pixel that a mapped quad covers takes its
// source texel (quad_mapping.h) and is blended with it (colour_rules.h). Two paths give the same
// bytes: the reference tests and blends one pixel at a time in plain scalar code; the fast one
// finds each row's covered run once, reads the texels of unturned unit-scale rows as they lie,
// maps the others with integer steps (checked against the reference arithmetic wherever they
// could differ), skips transparent runs and blends several pixels at a time.

#include "render/quad_mapping.h"
#include "render/source_cache.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace render {

struct strTargetView {
    uint8_t* pixels = nullptr; // row 0
    size_t pitch = 0;          // bytes per row
};

void RasterReference(const strQuadMapping& m, const strSourceView& source, const strTargetView& target,
                     int mode);

// buffer is scratch memory the caller keeps between calls.
void RasterFast(const strQuadMapping& m, const strSourceView& source, const strTargetView& target, int mode,
                std::vector<uint32_t>& buffer);

} // namespace render
