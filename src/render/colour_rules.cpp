#include "render/colour_rules.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace render {

namespace {

// Per-channel terms of the grey dot product: 4 * (f - 0.5) * (d * (1 - t / 255) - 0.5).
struct strGreyTables {
    std::array<double, 256> r{}, g{}, b{};
    strGreyTables() {
        const double d = 128.0 / 255.0;
        const double f[3] = {0x50 / 255.0 - 0.5, 0x6B / 255.0 - 0.5, 0x4A / 255.0 - 0.5};
        for (int t = 0; t < 256; ++t) {
            double v = d * (1.0 - t / 255.0) - 0.5;
            r[size_t(t)] = 4.0 * f[0] * v;
            g[size_t(t)] = 4.0 * f[1] * v;
            b[size_t(t)] = 4.0 * f[2] * v;
        }
    }
};

const strGreyTables& GreyTables() {
    static const strGreyTables tables;
    return tables;
}

// D = c * a + D * (1 - a), one rounding.
inline uint32_t Lerp8(uint32_t c, uint32_t d, uint32_t a) {
    return Div255(c * a + d * (255 - a));
}

} // namespace

uint32_t GreyOf(uint32_t r, uint32_t g, uint32_t b) {
    const strGreyTables& t = GreyTables();
    double v = t.r[r & 255] + t.g[g & 255] + t.b[b & 255];
    v = std::clamp(v, 0.0, 1.0);
    return uint32_t(v * 255.0 + 0.5); // round half up; v is not negative
}

strSourceSetup strSourceSetup::of(const strSpriteParams& p) {
    strSourceSetup s;
    s.mode = DeviceBlendMode(p.blend);
    s.opacity = Clamp8(p.opacity);
    s.flags = p.flags;
    if (p.flags & kSpriteSilhouette) {
        for (int i = 0; i < 3; ++i)
            s.flat[i] = Clamp8(p.tone[i]);
    } else if (p.flags & kSpriteColourFlash) {
        for (int i = 0; i < 3; ++i)
            s.flat[i] = Clamp8(p.tone[i]);
        s.flashAlpha = Clamp8(p.tone[3]);
    } else if (p.flags & kSpriteToneFlash) {
        for (int i = 0; i < 3; ++i) {
            s.up[i] = FlashUp(p.tone[i]);
            s.down[i] = FlashDown(p.tone[i]);
        }
    } else if (p.hasTone()) {
        s.tone = true;
        for (int i = 0; i < 3; ++i) {
            s.add[i] = ToneAdd(p.tone[i]);
            s.mul[i] = ToneMul(p.tone[i]);
        }
        s.addS = ToneAdd(p.tone[3]);
        s.mulS = ToneMul(p.tone[3]);
        s.saturationCase = p.tone[3] == 100 ? 0 : p.tone[3] < 101 ? -1 : 1;
    }
    return s;
}

namespace {

// The tone pass of a texel: its colour after tone, saturation, flash or silhouette, its alpha as is.
inline uint32_t ToneTexelInline(uint32_t texel, const strSourceSetup& s) {
    const uint32_t ta = ChA(texel);
    const uint32_t t[3] = {ChR(texel), ChG(texel), ChB(texel)};
    uint32_t c[3];
    if (s.flags & kSpriteSilhouette) {
        // Program 8: the flat colour, alpha t.a x O.
        for (int i = 0; i < 3; ++i)
            c[i] = s.flat[i];
    } else if (s.flags & kSpriteColourFlash) {
        // C = t, then a normal blend of the flash colour with alpha t.a x flash alpha.
        uint32_t beta = Mul8(ta, s.flashAlpha);
        for (int i = 0; i < 3; ++i)
            c[i] = Lerp8(s.flat[i], t[i], beta);
    } else if (s.flags & kSpriteToneFlash) {
        // C = t; C += (t x up) x t.a; C -= (t x down) x t.a.
        for (int i = 0; i < 3; ++i) {
            uint32_t v = std::min(255u, t[i] + Mul8(Mul8(t[i], s.up[i]), ta));
            c[i] = uint32_t(std::max(0, int(v) - int(Mul8(Mul8(t[i], s.down[i]), ta))));
        }
    } else if (!s.tone) {
        for (int i = 0; i < 3; ++i)
            c[i] = t[i];
    } else {
        uint32_t C[3];
        uint32_t addWeight = ta;
        if (s.saturationCase == 0) {
            for (int i = 0; i < 3; ++i)
                C[i] = t[i];
        } else {
            const uint32_t g = GreyOf(t[0], t[1], t[2]);
            if (s.saturationCase < 0) {
                // Program 5: C = t x s + g x (1 - s); its alpha selects the factor, so the tone
                // that follows is added with weight 1.
                for (int i = 0; i < 3; ++i)
                    C[i] = Lerp8(t[i], g, s.mulS);
                addWeight = 255;
            } else {
                // C cleared, three additive passes of max(0, t - g), one of t x t.a, then a normal
                // blend of t with alpha t.a x (255 - add(S)).
                const uint32_t k = Mul8(ta, 255 - s.addS);
                for (int i = 0; i < 3; ++i) {
                    uint32_t diff = t[i] > g ? t[i] - g : 0;
                    uint32_t v = 0;
                    for (int pass = 0; pass < 3; ++pass)
                        v = std::min(255u, v + diff);
                    v = std::min(255u, v + Mul8(t[i], ta));
                    C[i] = Lerp8(t[i], v, k);
                }
            }
        }
        for (int i = 0; i < 3; ++i) {
            C[i] = std::min(255u, C[i] + Mul8(s.add[i], addWeight));
            c[i] = Mul8(C[i], s.mul[i]);
        }
    }
    return PackArgb(ta, c[0], c[1], c[2]);
}

// Opacity and the fade of the multiplicative modes on a toned texel. A texel of alpha 0 gives a
// fixed value in the modes where its colour cannot show.
inline uint32_t FadeTexelInline(uint32_t toned, uint32_t opacity, int mode) {
    const uint32_t ta = ChA(toned);
    if (ta == 0) {
        switch (mode) {
        case kBlendAlpha:
        case kBlendAlpha2:
        case kBlendAdd:
        case kBlendRevSubtract:
            return 0;
        case kBlendMultiply:
            return 0x00FFFFFF; // faded to white
        case kBlendInvDest:
            return 0; // faded to black
        default:
            break; // blending off (or the spare mode 8): the colour shows
        }
    }
    uint32_t c[3] = {ChR(toned), ChG(toned), ChB(toned)};
    const uint32_t a = Mul8(ta, opacity);
    if (mode == kBlendMultiply) {
        for (uint32_t& v : c)
            v = Lerp8(v, 255, a);
    } else if (mode == kBlendInvDest) {
        for (uint32_t& v : c)
            v = Lerp8(v, 0, a);
    }
    return PackArgb(a, c[0], c[1], c[2]);
}

// The tone pass where it can matter: a texel of alpha 0 keeps its colour unless the mode shows it.
inline uint32_t ToneIfShown(uint32_t texel, const strSourceSetup& s) {
    return ChA(texel) == 0 && !ColourShowsAtZeroAlpha(s.mode) ? texel : ToneTexelInline(texel, s);
}

inline uint32_t SourceTexelInline(uint32_t texel, const strSourceSetup& s) {
    return FadeTexelInline(ToneIfShown(texel, s), s.opacity, s.mode);
}

// out[x] = f(in[x]) for a texel function f, computing f once for each run of equal texels.
template <typename F> void MapRow(const uint8_t* in, uint32_t* out, int n, F f) {
    uint32_t last = 0, lastOut = f(0u);
    for (int x = 0; x < n; ++x) {
        uint32_t t;
        std::memcpy(&t, in + size_t(x) * 4, 4);
        if (t != last) {
            last = t;
            lastOut = f(t);
        }
        out[x] = lastOut;
    }
}

} // namespace

uint32_t SourceTexel(uint32_t texel, const strSourceSetup& s) {
    return SourceTexelInline(texel, s);
}

void BuildSourceRow(const uint8_t* in, uint32_t* out, int n, const strSourceSetup& s) {
    MapRow(in, out, n, [&s](uint32_t t) { return SourceTexelInline(t, s); });
}

void ToneRow(const uint8_t* in, uint32_t* out, int n, const strSourceSetup& s) {
    MapRow(in, out, n, [&s](uint32_t t) { return ToneIfShown(t, s); });
}

void FadeRow(const uint8_t* in, uint32_t* out, int n, uint32_t opacity, int mode) {
    MapRow(in, out, n, [opacity, mode](uint32_t t) { return FadeTexelInline(t, opacity, mode); });
}

uint32_t RectSource(int mode, int a, int r, int g, int b) {
    uint32_t A = Clamp8(a), c[3] = {Clamp8(r), Clamp8(g), Clamp8(b)};
    if (mode == kBlendMultiply) {
        for (uint32_t& v : c)
            v = Lerp8(v, 255, A);
    } else if (mode == kBlendInvDest) {
        for (uint32_t& v : c)
            v = Lerp8(v, 0, A);
    }
    return PackArgb(A, c[0], c[1], c[2]);
}

uint32_t BlendPixel(int mode, uint32_t src, uint32_t dst) {
    switch (mode) {
    case kBlendAlpha:
    case kBlendAlpha2:
        return BlendPixelT<kBlendAlpha>(src, dst);
    case kBlendAdd:
        return BlendPixelT<kBlendAdd>(src, dst);
    case kBlendRevSubtract:
        return BlendPixelT<kBlendRevSubtract>(src, dst);
    case kBlendMultiply:
        return BlendPixelT<kBlendMultiply>(src, dst);
    case kBlendInvDest:
        return BlendPixelT<kBlendInvDest>(src, dst);
    case kBlendDestColour:
        return BlendPixelT<kBlendDestColour>(src, dst);
    default:
        return src;
    }
}

} // namespace render
