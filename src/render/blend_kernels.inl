// Blend kernels written once against a vector type V (included by blend_span.cpp for each
// instruction set, inside its own namespace, with PELKO_SIMD_ATTR naming the instruction set).
// V holds V::kPixels pixels; its 16-bit operations work on the pixels unpacked two bytes a lane.
//
// Every mode is written as products of two bytes rounded by Div255 and sums of them, in the order
// of BlendPixelT, so the results agree bit for bit. Div255(x) = ((x + 128) * 257) >> 16, the high
// half of a 16-bit product (exact for x <= 65025). The alpha lane is fed values that make the
// colour formula yield the alpha rule:
//   normal       o = Div255(s' a + d (255 - a)),  s'.alpha = 255                 -> a + D.a (1 - a)
//   add          o = d + Div255(s' a),            s'.alpha = 255 - D.a            -> the same "over"
//   subtract     colour d - Div255(s a), alpha d + Div255(s' a) as for add
//   multiply     o = Div255(d s'),                s'.alpha = 255                  -> D.a
//   inverse dest o = Div255(X a) + Div255(d Y),   X = s (alpha 255), Y = 255 - d (alpha 255 - a)

using R = typename V::R;

PELKO_SIMD_ATTR inline R Div255(R x) {
    return V::mulHi16(V::add16(x, V::set16(128)), V::set16(257));
}

// Pixels (source s, destination d, unpacked to 16-bit lanes, a the source alpha in every lane of
// its pixel) blended under Mode.
template <int Mode> PELKO_SIMD_ATTR inline R BlendLanes(R s, R d, R a) {
    const R k255 = V::set16(255), alphaLanes = V::alphaLanes();
    if constexpr (Mode == kBlendAlpha) {
        // s arrives with its alpha lane at 255.
        return Div255(V::add16(V::mul16(s, a), V::mul16(d, V::sub16(k255, a))));
    } else if constexpr (Mode == kBlendAdd || Mode == kBlendRevSubtract) {
        const R sp = V::bitOr(V::andNot(alphaLanes, s), V::bitAnd(alphaLanes, V::sub16(k255, d)));
        const R m = Div255(V::mul16(sp, a));
        if constexpr (Mode == kBlendAdd) return V::add16(d, m);
        return V::bitOr(V::andNot(alphaLanes, V::subSat16(d, m)), V::bitAnd(alphaLanes, V::add16(d, m)));
    } else if constexpr (Mode == kBlendMultiply) {
        return Div255(V::mul16(d, s)); // s arrives with its alpha lane at 255
    } else {                           // kBlendInvDest; s arrives with its alpha lane at 255
        const R y = V::sub16(k255, V::bitOr(V::andNot(alphaLanes, d), V::bitAnd(alphaLanes, a)));
        return V::add16(Div255(V::mul16(s, a)), Div255(V::mul16(d, y)));
    }
}

template <int Mode> PELKO_SIMD_ATTR inline R BlendPixels(R s, R d) {
    const R zero = V::zero();
    const R aLo = V::alphaLo(s), aHi = V::alphaHi(s);
    // The modes that read the source's alpha lane only as 255.
    if constexpr (Mode == kBlendAlpha || Mode == kBlendMultiply || Mode == kBlendInvDest)
        s = V::bitOr(s, V::set32(0xFF000000u));
    return V::pack(BlendLanes<Mode>(V::unpackLo(s, zero), V::unpackLo(d, zero), aLo),
                   BlendLanes<Mode>(V::unpackHi(s, zero), V::unpackHi(d, zero), aHi));
}

template <int Mode, bool Constant>
PELKO_SIMD_ATTR void BlendRun(uint32_t* dst, const uint32_t* src, uint32_t one, int n) {
    constexpr bool kSkipClear =
        Mode == kBlendAlpha || Mode == kBlendAdd || Mode == kBlendRevSubtract || Mode == kBlendMultiply;
    constexpr int kStep = V::kPixels;
    const R alphaBytes = V::set32(0xFF000000u), zero = V::zero();
    int k = 0;
    for (; k + kStep <= n; k += kStep) {
        const R s = Constant ? V::set32(one) : V::load(src + k);
        const R alpha = V::bitAnd(s, alphaBytes);
        if constexpr (kSkipClear)
            if (V::allEqual32(alpha, zero)) continue;
        if constexpr (Mode == kBlendAlpha) {
            if (V::allEqual32(alpha, alphaBytes)) {
                V::store(dst + k, s);
                continue;
            }
        }
        V::store(dst + k, BlendPixels<Mode>(s, V::load(dst + k)));
    }
    if (k == n) return;
    if constexpr (V::kMaskedTail) {
        const int rest = n - k;
        const R s = Constant ? V::set32(one) : V::loadFirst(src + k, rest);
        V::storeFirst(dst + k, BlendPixels<Mode>(s, V::loadFirst(dst + k, rest)), rest);
    } else {
        for (; k < n; ++k) {
            uint32_t s = one, d;
            if (!Constant) std::memcpy(&s, src + k, 4);
            std::memcpy(&d, dst + k, 4);
            d = BlendPixelT<Mode>(s, d);
            std::memcpy(dst + k, &d, 4);
        }
    }
}

// dst[k] = value for k < n.
PELKO_SIMD_ATTR void Fill(uint32_t* dst, uint32_t value, size_t n) {
    const R v = V::set32(value);
    size_t k = 0;
    for (; k + V::kPixels <= n; k += V::kPixels)
        V::store(dst + k, v);
    for (; k < n; ++k)
        std::memcpy(dst + k, &value, 4);
}

template <bool Constant>
PELKO_SIMD_ATTR void Blend(int mode, uint32_t* dst, const uint32_t* src, uint32_t one, int n) {
    switch (mode) {
    case kBlendAlpha:
    case kBlendAlpha2:
        return BlendRun<kBlendAlpha, Constant>(dst, src, one, n);
    case kBlendAdd:
        return BlendRun<kBlendAdd, Constant>(dst, src, one, n);
    case kBlendRevSubtract:
        return BlendRun<kBlendRevSubtract, Constant>(dst, src, one, n);
    case kBlendMultiply:
    case kBlendDestColour: // the same products; only the source differs (not faded)
        return BlendRun<kBlendMultiply, Constant>(dst, src, one, n);
    case kBlendInvDest:
        return BlendRun<kBlendInvDest, Constant>(dst, src, one, n);
    default:
        for (int k = 0; k < n; ++k)
            std::memcpy(dst + k, Constant ? &one : src + k, 4);
    }
}

// Opacity and the fade of the multiplicative modes (FadeRow of colour_rules.h), for Mode the device
// mode class: kBlendMultiply, kBlendInvDest, kBlendAlpha (texels of alpha 0 become 0) or
// kBlendReplace (colours kept).
template <int Mode> PELKO_SIMD_ATTR inline R FadeLanes(R c, R ta, R opacity) {
    const R k255 = V::set16(255), alphaLanes = V::alphaLanes();
    const R a = Div255(V::mul16(ta, opacity));
    R colour = c;
    if constexpr (Mode == kBlendMultiply)
        colour = Div255(V::add16(V::mul16(c, a), V::mul16(k255, V::sub16(k255, a))));
    else if constexpr (Mode == kBlendInvDest)
        colour = Div255(V::mul16(c, a));
    return V::bitOr(V::andNot(alphaLanes, colour), V::bitAnd(alphaLanes, a));
}

template <int Mode> PELKO_SIMD_ATTR void FadeRun(const uint32_t* in, uint32_t* out, int n, uint32_t opacity) {
    const R o = V::set16(int(opacity)), zero = V::zero(), alphaBytes = V::set32(0xFF000000u);
    int k = 0;
    for (; k + V::kPixels <= n; k += V::kPixels) {
        const R s = V::load(in + k);
        R f = V::pack(FadeLanes<Mode>(V::unpackLo(s, zero), V::alphaLo(s), o),
                      FadeLanes<Mode>(V::unpackHi(s, zero), V::alphaHi(s), o));
        if constexpr (Mode == kBlendAlpha) f = V::andNot(V::cmpEq32(V::bitAnd(s, alphaBytes), zero), f);
        V::store(out + k, f);
    }
    if (k < n) FadeRow(reinterpret_cast<const uint8_t*>(in + k), out + k, n - k, opacity, Mode);
}

PELKO_SIMD_ATTR void FadeSpan(const uint32_t* in, uint32_t* out, int n, uint32_t opacity, int mode) {
    if (mode == kBlendMultiply) return FadeRun<kBlendMultiply>(in, out, n, opacity);
    if (mode == kBlendInvDest) return FadeRun<kBlendInvDest>(in, out, n, opacity);
    if (ColourShowsAtZeroAlpha(mode)) return FadeRun<kBlendReplace>(in, out, n, opacity);
    FadeRun<kBlendAlpha>(in, out, n, opacity);
}

// The tone pass (ToneRow of colour_rules.h) of a request without flags, for its saturation case
// Case (0: S = 100, -1: below, +1: above): t and ta the texel and its alpha, g its grey in every
// lane, all unpacked to 16-bit lanes. The result's alpha lane is left to the caller.
template <int Case> PELKO_SIMD_ATTR inline R ToneLanes(R t, R ta, R g, const strSourceSetup& s) {
    const R k255 = V::set16(255);
    const R add = V::set64(s.add[0], s.add[1], s.add[2]), mul = V::set64(s.mul[0], s.mul[1], s.mul[2]);
    R c = t, addWeight = ta;
    if constexpr (Case < 0) {
        const R sat = V::set16(int(s.mulS));
        c = Div255(V::add16(V::mul16(t, sat), V::mul16(g, V::sub16(k255, sat))));
        addWeight = k255;
    } else if constexpr (Case > 0) {
        const R diff = V::subSat16(t, g);
        R v = V::min16(k255, V::add16(diff, V::add16(diff, diff)));
        v = V::min16(k255, V::add16(v, Div255(V::mul16(t, ta))));
        const R k = Div255(V::mul16(ta, V::set16(int(255 - s.addS))));
        c = Div255(V::add16(V::mul16(t, k), V::mul16(v, V::sub16(k255, k))));
    }
    c = V::min16(k255, V::add16(c, Div255(V::mul16(add, addWeight))));
    return Div255(V::mul16(c, mul));
}

template <int Case>
PELKO_SIMD_ATTR void ToneRun(const uint32_t* in, uint32_t* out, int n, const strSourceSetup& s) {
    const R zero = V::zero(), alphaBytes = V::set32(0xFF000000u);
    const bool keepClear = !ColourShowsAtZeroAlpha(s.mode); // texels of alpha 0 stay as they are
    uint32_t grey[V::kPixels] = {};
    int k = 0;
    for (; k + V::kPixels <= n; k += V::kPixels) {
        const R t = V::load(in + k);
        if constexpr (Case != 0)
            for (int l = 0; l < V::kPixels; ++l) {
                uint32_t p;
                std::memcpy(&p, in + k + l, 4);
                grey[l] = GreyOf(ChR(p), ChG(p), ChB(p)) * 0x01010101u;
            }
        const R g = V::load(grey);
        R toned = V::pack(ToneLanes<Case>(V::unpackLo(t, zero), V::alphaLo(t), V::unpackLo(g, zero), s),
                          ToneLanes<Case>(V::unpackHi(t, zero), V::alphaHi(t), V::unpackHi(g, zero), s));
        toned = V::bitOr(V::andNot(alphaBytes, toned), V::bitAnd(alphaBytes, t));
        if (keepClear) {
            const R clear = V::cmpEq32(V::bitAnd(t, alphaBytes), zero);
            toned = V::bitOr(V::bitAnd(clear, t), V::andNot(clear, toned));
        }
        V::store(out + k, toned);
    }
    if (k < n) ToneRow(reinterpret_cast<const uint8_t*>(in + k), out + k, n - k, s);
}

PELKO_SIMD_ATTR void ToneSpan(const uint32_t* in, uint32_t* out, int n, const strSourceSetup& s) {
    if (s.flags != 0 || !s.tone) return ToneRow(reinterpret_cast<const uint8_t*>(in), out, n, s);
    if (s.saturationCase < 0) return ToneRun<-1>(in, out, n, s);
    if (s.saturationCase > 0) return ToneRun<1>(in, out, n, s);
    ToneRun<0>(in, out, n, s);
}

PELKO_SIMD_ATTR void BlendSpan(int mode, uint32_t* dst, const uint32_t* src, int n) {
    Blend<false>(mode, dst, src, 0, n);
}
PELKO_SIMD_ATTR void BlendSpanConstant(int mode, uint32_t* dst, uint32_t src, int n) {
    Blend<true>(mode, dst, nullptr, src, n);
}

// Lane l of frac and whole: the fraction and the whole part of start + l * step (32.32 fixed point);
// stepFrac and stepWhole those of the step from one block of lanes to the next.
PELKO_SIMD_ATTR inline void StepLanes(int64_t start, int64_t step, R& frac, R& whole, R& stepFrac,
                                      R& stepWhole) {
    uint32_t f[V::kPixels], w[V::kPixels];
    for (int l = 0; l < V::kPixels; ++l) {
        const int64_t v = start + l * step;
        f[l] = uint32_t(v);
        w[l] = uint32_t(v >> 32);
    }
    frac = V::load(f);
    whole = V::load(w);
    stepFrac = V::set32(uint32_t(V::kPixels * step));
    stepWhole = V::set32(uint32_t((V::kPixels * step) >> 32));
}
