#pragma once
// The colour arithmetic of the drawing device: tone and saturation passes, the special sprite modes
// and the blend modes, on 8-bit channels with every intermediate result clamped to 0..255.
//
// A sprite is drawn in two halves: first every texel of the pattern is
// turned into a source texel (colour c and alpha a after tone, flash, silhouette, opacity and the
// fade of the multiplicative modes), then each covered target pixel is blended with its sampled
// source texel. Products of two channels are rounded to the nearest (x * y / 255); a stage that
// combines two products (a blend by alpha) rounds once.
//
// Pixels are 0xAARRGGBB (bytes B, G, R, A in memory).

#include "render/sprite_params.h"

#include <algorithm>
#include <cstdint>

namespace render {

// round(x / 255) for 0 <= x <= 255 * 255.
inline uint32_t Div255(uint32_t x) {
    x += 128;
    return (x + (x >> 8)) >> 8;
}
inline uint32_t Mul8(uint32_t a, uint32_t b) {
    return Div255(a * b);
}
inline uint32_t Clamp8(int v) {
    return v < 0 ? 0u : v > 255 ? 255u : uint32_t(v);
}

inline uint32_t PackArgb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
    return a << 24 | r << 16 | g << 8 | b;
}
inline uint32_t ChA(uint32_t p) {
    return p >> 24;
}
inline uint32_t ChR(uint32_t p) {
    return (p >> 16) & 255;
}
inline uint32_t ChG(uint32_t p) {
    return (p >> 8) & 255;
}
inline uint32_t ChB(uint32_t p) {
    return p & 255;
}

// Tone factors of a tone value v (percent, truncating integer division): the additive part
// clamp((v - 100) * 255 / 100) and the multiplicative part clamp(v * 255 / 100).
inline uint32_t ToneAdd(int v) {
    return Clamp8((v - 100) * 255 / 100);
}
inline uint32_t ToneMul(int v) {
    return Clamp8(v * 255 / 100);
}
// Flags 8 (tone centred at 128): up = clamp((v - 128) * 255 / 127), down = clamp((128 - v) * 255 / 128).
inline uint32_t FlashUp(int v) {
    return Clamp8((v - 128) * 255 / 127);
}
inline uint32_t FlashDown(int v) {
    return Clamp8((128 - v) * 255 / 128);
}

// The grey of the saturation passes: g = clamp(4 * sum((f_i - 0.5) * (d * (1 - t_i) - 0.5)), 0, 1)
// with f = (0x50, 0x6B, 0x4A) / 255 and d = 0x80 / 255, rounded to a byte.
uint32_t GreyOf(uint32_t r, uint32_t g, uint32_t b);

// Everything a sprite request fixes for the per-texel computation.
struct strSourceSetup {
    int mode = kBlendAlpha; // device blend mode (fade to white for 4, to black for 5)
    uint32_t opacity = 255;
    uint32_t flags = 0;
    bool tone = false;      // the tone passes run (some tone value is not 100)
    int saturationCase = 0; // 0: S = 100, -1: S < 101, +1: S > 100
    uint32_t add[3] = {0, 0, 0}, mul[3] = {255, 255, 255};
    uint32_t addS = 0, mulS = 255;
    uint32_t flat[3] = {0, 0, 0}; // silhouette colour / colour-flash colour
    uint32_t flashAlpha = 0;      // colour flash: the fourth tone value
    uint32_t up[3] = {0, 0, 0}, down[3] = {0, 0, 0};

    static strSourceSetup of(const strSpriteParams& p);
    bool operator==(const strSourceSetup&) const = default;
};

// The source texel (c', a') that a picture texel t becomes under the request. (For a texel of alpha
// 0 in modes 1 to 5 the colour cannot show and a fixed value is returned.)
uint32_t SourceTexel(uint32_t texel, const strSourceSetup& s);
// SourceTexel over n texels (bytes B, G, R, A) of a row.
void BuildSourceRow(const uint8_t* in, uint32_t* out, int n, const strSourceSetup& s);
// SourceTexel in two halves: the tone pass (tone, saturation, flash, silhouette; the alpha kept),
// which depends on the blend mode only through ColourShowsAtZeroAlpha, then the opacity and the
// fade of the multiplicative modes: FadeRow(ToneRow(t)) gives SourceTexel(t). ToneRow leaves a
// texel of alpha 0 as it is where its colour cannot show.
void ToneRow(const uint8_t* in, uint32_t* out, int n, const strSourceSetup& s);
void FadeRow(const uint8_t* in, uint32_t* out, int n, uint32_t opacity, int mode);
inline bool ToneIsIdentity(const strSourceSetup& s) {
    return !s.tone && s.flags == 0;
}
// Whether the colour of a source texel of alpha 0 reaches the target (blending off, or the spare
// destination-colour mode).
inline bool ColourShowsAtZeroAlpha(int mode) {
    return mode == kBlendReplace || mode == kBlendDestColour;
}
// True when every source texel equals its picture texel (no tone, no flag, full opacity, no fade),
// so the device can sample the picture directly.
inline bool SourceIsTexel(const strSourceSetup& s) {
    return !s.tone && s.flags == 0 && s.opacity == 255 && s.mode != kBlendMultiply && s.mode != kBlendInvDest;
}

// Combines a source (colour and alpha) with the target pixel under device blend mode Mode. The colour
// channels follow the mode; the alpha channel is "over" (a + D.a (1 - a), one rounding) in the
// normal, additive, subtractive and inverse-destination modes, and keeps D.a in the multiplicative
// ones, so that faint cells stay faint on a transparent background instead of squaring their alpha.
template <int Mode> inline uint32_t BlendPixelT(uint32_t src, uint32_t dst) {
    if constexpr (Mode != kBlendAlpha && Mode != kBlendAlpha2 && Mode != kBlendAdd &&
                  Mode != kBlendRevSubtract && Mode != kBlendMultiply && Mode != kBlendInvDest &&
                  Mode != kBlendDestColour) {
        return src; // blending off: the source replaces the pixel, alpha included
    } else {
        const uint32_t sa = src >> 24, da = dst >> 24;
        uint32_t out;
        if constexpr (Mode == kBlendMultiply || Mode == kBlendDestColour)
            out = da << 24;
        else
            out = Div255(255 * sa + da * (255 - sa)) << 24;
        for (int shift = 0; shift < 24; shift += 8) {
            const uint32_t s = (src >> shift) & 255, d = (dst >> shift) & 255;
            uint32_t o;
            if constexpr (Mode == kBlendAlpha || Mode == kBlendAlpha2) {
                o = Div255(s * sa + d * (255 - sa));
            } else if constexpr (Mode == kBlendAdd) {
                o = std::min(255u, d + Mul8(s, sa));
            } else if constexpr (Mode == kBlendRevSubtract) {
                const uint32_t m = Mul8(s, sa);
                o = d > m ? d - m : 0;
            } else if constexpr (Mode == kBlendInvDest) {
                o = std::min(255u, Mul8(s, sa) + Mul8(d, 255 - d)); // destination factor: 1 - destination
            } else {
                o = Mul8(d, s); // multiplicative: destination factor the source colour
            }
            out |= o << shift;
        }
        return out;
    }
}

// The same for a mode chosen at run time (modes 6, 7, 9 and unknown values switch blending off).
uint32_t BlendPixel(int mode, uint32_t src, uint32_t dst);

// The source of a filled rectangle in device mode `mode`: colour (r, g, b), alpha a, faded to white
// (mode 4) or black (mode 5) as the sprite texels are.
uint32_t RectSource(int mode, int a, int r, int g, int b);

} // namespace render
