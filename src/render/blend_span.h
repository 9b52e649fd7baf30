#pragma once
// Blending a run of source texels onto a run of target pixels, several pixels at a time, with
// results identical to render::BlendPixelT (colour_rules.h) for every mode and every pixel.

#include "render/colour_rules.h"

#include <cstddef>
#include <cstdint>

namespace render {

// dst[k] = BlendPixel(mode, src[k], dst[k]) for k < n. src and dst must not overlap.
void BlendSpan(int mode, uint32_t* dst, const uint32_t* src, int n);

// dst[k] = BlendPixel(mode, src, dst[k]) for k < n: one source over the whole run.
void BlendSpanConstant(int mode, uint32_t* dst, uint32_t src, int n);

// out[k] = the texel in[k] of a tone pass with opacity and the fade of mode applied: FadeRow of
// colour_rules.h, byte for byte.
void FadeSpan(const uint32_t* in, uint32_t* out, int n, uint32_t opacity, int mode);

// out[k] = the tone pass of texel in[k] under s: ToneRow of colour_rules.h, byte for byte.
void ToneSpan(const uint32_t* in, uint32_t* out, int n, const strSourceSetup& s);

// dst[k] = value for k < n.
void FillSpan(uint32_t* dst, uint32_t value, size_t n);

// A texel walk in 32.32 fixed point: pixel k takes the texel at column (X + k sx) >> 32 and row
// (Y + k sy) >> 32 of base (pitch texels a row) into out[k]. It stops before the first block of
// pixels in which a coordinate lies within 2^-16 of a whole number and returns how many pixels it
// wrote (n when none does; 0 where the processor has no gather). Every other coordinate must name
// a texel inside the source.
int GatherSteps(const uint32_t* base, int pitch, int64_t X, int64_t Y, int64_t sx, int64_t sy, uint32_t* out,
                int n);

// The instruction sets the kernels above use, narrowest first. The widest the processor runs is
// chosen at the first call.
enum eSimdLevel : int { kSimdScalar = 0, kSimdSse2, kSimdAvx2, kSimdAvx512 };
eSimdLevel SimdLevel();
// Holds the kernels to at most level (never above what the processor runs) and returns the level
// now used; for tests and comparisons, not while another thread draws.
eSimdLevel LimitSimdLevel(eSimdLevel level);

// Whether a source texel of alpha 0 leaves every target pixel as it is under mode (the normal,
// additive, subtractive and multiplicative modes), so transparent runs can be skipped.
bool ZeroAlphaIsNoOp(int mode);

} // namespace render
