// The blend kernels of blend_kernels.inl for SSE2 (the x86-64 baseline) and, chosen at run time
// when the processor has them, AVX2 and AVX-512BW; other processors blend one pixel at a time.

#include "render/blend_span.h"

#include "render/colour_rules.h"

#include <algorithm>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#define PELKO_X86_SIMD 1
#include <immintrin.h>
#endif

namespace render {

#ifdef PELKO_X86_SIMD
namespace sse2 {
#define PELKO_SIMD_ATTR
struct V {
    using R = __m128i;
    static constexpr int kPixels = 4;
    static constexpr bool kMaskedTail = false;
    static R loadFirst(const uint32_t*, int) { return zero(); }
    static void storeFirst(uint32_t*, R, int) {}
    static R load(const uint32_t* p) { return _mm_loadu_si128(reinterpret_cast<const R*>(p)); }
    static void store(uint32_t* p, R v) { _mm_storeu_si128(reinterpret_cast<R*>(p), v); }
    static R zero() { return _mm_setzero_si128(); }
    static R set32(uint32_t v) { return _mm_set1_epi32(int(v)); }
    static R set16(int v) { return _mm_set1_epi16(short(v)); }
    static R alphaLanes() { return _mm_set_epi16(-1, 0, 0, 0, -1, 0, 0, 0); }
    static R bitAnd(R a, R b) { return _mm_and_si128(a, b); }
    static R andNot(R a, R b) { return _mm_andnot_si128(a, b); }
    static R bitOr(R a, R b) { return _mm_or_si128(a, b); }
    static R add16(R a, R b) { return _mm_add_epi16(a, b); }
    static R sub16(R a, R b) { return _mm_sub_epi16(a, b); }
    static R subSat16(R a, R b) { return _mm_subs_epu16(a, b); }
    static R mul16(R a, R b) { return _mm_mullo_epi16(a, b); }
    static R mulHi16(R a, R b) { return _mm_mulhi_epu16(a, b); }
    static R unpackLo(R a, R b) { return _mm_unpacklo_epi8(a, b); }
    static R unpackHi(R a, R b) { return _mm_unpackhi_epi8(a, b); }
    static R pack(R a, R b) { return _mm_packus_epi16(a, b); }
    // The alpha of each pixel of the low (high) half of s in all four lanes of its unpacked pixel.
    static R alphaLo(R s) { return spread(_mm_unpacklo_epi8(s, _mm_setzero_si128())); }
    static R alphaHi(R s) { return spread(_mm_unpackhi_epi8(s, _mm_setzero_si128())); }
    static R spread(R v) { return _mm_shufflehi_epi16(_mm_shufflelo_epi16(v, 0xFF), 0xFF); }
    static bool allEqual32(R a, R b) { return _mm_movemask_epi8(_mm_cmpeq_epi32(a, b)) == 0xFFFF; }
    static R cmpEq32(R a, R b) { return _mm_cmpeq_epi32(a, b); }
    static R min16(R a, R b) { return _mm_min_epi16(a, b); }
    // (b, g, r, 0) in the 16-bit lanes of every pixel.
    static R set64(uint32_t r, uint32_t g, uint32_t b) {
        return _mm_set1_epi64x(int64_t(r) << 32 | g << 16 | b);
    }
};
#include "render/blend_kernels.inl"
#undef PELKO_SIMD_ATTR
} // namespace sse2

namespace avx2 {
#define PELKO_SIMD_ATTR __attribute__((target("avx2")))
struct V {
    using R = __m256i;
    static constexpr int kPixels = 8;
    static constexpr bool kMaskedTail = true;
    // The first n (1..7) pixels only; the rest of the register is 0 and nothing past them is touched.
    PELKO_SIMD_ATTR static R firstMask(int n) {
        return _mm256_cmpgt_epi32(_mm256_set1_epi32(n), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
    }
    PELKO_SIMD_ATTR static R loadFirst(const uint32_t* p, int n) {
        return _mm256_maskload_epi32(reinterpret_cast<const int*>(p), firstMask(n));
    }
    PELKO_SIMD_ATTR static void storeFirst(uint32_t* p, R v, int n) {
        _mm256_maskstore_epi32(reinterpret_cast<int*>(p), firstMask(n), v);
    }
    PELKO_SIMD_ATTR static R load(const uint32_t* p) {
        return _mm256_loadu_si256(reinterpret_cast<const R*>(p));
    }
    PELKO_SIMD_ATTR static void store(uint32_t* p, R v) { _mm256_storeu_si256(reinterpret_cast<R*>(p), v); }
    PELKO_SIMD_ATTR static R zero() { return _mm256_setzero_si256(); }
    PELKO_SIMD_ATTR static R set32(uint32_t v) { return _mm256_set1_epi32(int(v)); }
    PELKO_SIMD_ATTR static R set16(int v) { return _mm256_set1_epi16(short(v)); }
    PELKO_SIMD_ATTR static R alphaLanes() {
        return _mm256_set_epi16(-1, 0, 0, 0, -1, 0, 0, 0, -1, 0, 0, 0, -1, 0, 0, 0);
    }
    PELKO_SIMD_ATTR static R bitAnd(R a, R b) { return _mm256_and_si256(a, b); }
    PELKO_SIMD_ATTR static R andNot(R a, R b) { return _mm256_andnot_si256(a, b); }
    PELKO_SIMD_ATTR static R bitOr(R a, R b) { return _mm256_or_si256(a, b); }
    PELKO_SIMD_ATTR static R add16(R a, R b) { return _mm256_add_epi16(a, b); }
    PELKO_SIMD_ATTR static R sub16(R a, R b) { return _mm256_sub_epi16(a, b); }
    PELKO_SIMD_ATTR static R subSat16(R a, R b) { return _mm256_subs_epu16(a, b); }
    PELKO_SIMD_ATTR static R mul16(R a, R b) { return _mm256_mullo_epi16(a, b); }
    PELKO_SIMD_ATTR static R mulHi16(R a, R b) { return _mm256_mulhi_epu16(a, b); }
    PELKO_SIMD_ATTR static R unpackLo(R a, R b) { return _mm256_unpacklo_epi8(a, b); }
    PELKO_SIMD_ATTR static R unpackHi(R a, R b) { return _mm256_unpackhi_epi8(a, b); }
    PELKO_SIMD_ATTR static R pack(R a, R b) { return _mm256_packus_epi16(a, b); }
    // The alpha of each pixel of the low (high) half of every 128-bit lane of s, in all four 16-bit
    // lanes of its unpacked pixel (byte index -1 gives 0).
    PELKO_SIMD_ATTR static R alphaLo(R s) {
        return _mm256_shuffle_epi8(s,
                                   _mm256_setr_epi8(3, -1, 3, -1, 3, -1, 3, -1, 7, -1, 7, -1, 7, -1, 7, -1, 3,
                                                    -1, 3, -1, 3, -1, 3, -1, 7, -1, 7, -1, 7, -1, 7, -1));
    }
    PELKO_SIMD_ATTR static R alphaHi(R s) {
        return _mm256_shuffle_epi8(s, _mm256_setr_epi8(11, -1, 11, -1, 11, -1, 11, -1, 15, -1, 15, -1, 15, -1,
                                                       15, -1, 11, -1, 11, -1, 11, -1, 11, -1, 15, -1, 15, -1,
                                                       15, -1, 15, -1));
    }
    PELKO_SIMD_ATTR static bool allEqual32(R a, R b) {
        return _mm256_movemask_epi8(_mm256_cmpeq_epi32(a, b)) == -1;
    }
    PELKO_SIMD_ATTR static R cmpEq32(R a, R b) { return _mm256_cmpeq_epi32(a, b); }
    PELKO_SIMD_ATTR static R min16(R a, R b) { return _mm256_min_epi16(a, b); }
    PELKO_SIMD_ATTR static R set64(uint32_t r, uint32_t g, uint32_t b) {
        return _mm256_set1_epi64x(int64_t(r) << 32 | g << 16 | b);
    }
};
#include "render/blend_kernels.inl"

// Eight lanes of 32.32 coordinates as fraction and whole part; unsigned comparisons by flipping the
// sign bit.
struct strSteps {
    R frac, whole, stepFrac, stepWhole;
    PELKO_SIMD_ATTR strSteps(int64_t start, int64_t step) {
        StepLanes(start, step, frac, whole, stepFrac, stepWhole);
    }
    PELKO_SIMD_ATTR R nearLanes() const {
        const R sign = _mm256_set1_epi32(int(0x80000000u));
        const R x = _mm256_xor_si256(_mm256_add_epi32(frac, _mm256_set1_epi32(65536)), sign);
        return _mm256_cmpgt_epi32(_mm256_xor_si256(_mm256_set1_epi32(131072), sign), x);
    }
    PELKO_SIMD_ATTR void advance() {
        const R sign = _mm256_set1_epi32(int(0x80000000u));
        const R next = _mm256_add_epi32(frac, stepFrac);
        const R carry = _mm256_cmpgt_epi32(_mm256_xor_si256(frac, sign), _mm256_xor_si256(next, sign));
        whole = _mm256_sub_epi32(_mm256_add_epi32(whole, stepWhole), carry);
        frac = next;
    }
};

PELKO_SIMD_ATTR int GatherSteps(const uint32_t* base, int pitch, int64_t X, int64_t Y, int64_t sx, int64_t sy,
                                uint32_t* out, int n) {
    strSteps x(X, sx), y(Y, sy);
    const R rowPitch = _mm256_set1_epi32(pitch);
    const int* b = reinterpret_cast<const int*>(base);
    int k = 0;
    for (; k < n; k += 8) {
        R lanes = _mm256_set1_epi32(-1);
        if (n - k < 8) lanes = V::firstMask(n - k);
        if (!_mm256_testz_si256(_mm256_or_si256(x.nearLanes(), y.nearLanes()), lanes)) return k;
        const R index = _mm256_add_epi32(_mm256_mullo_epi32(y.whole, rowPitch), x.whole);
        const R texels = _mm256_mask_i32gather_epi32(_mm256_setzero_si256(), b, index, lanes, 4);
        if (n - k < 8)
            V::storeFirst(out + k, texels, n - k);
        else
            V::store(out + k, texels);
        x.advance();
        y.advance();
    }
    return n;
}
#undef PELKO_SIMD_ATTR
} // namespace avx2

namespace avx512 {
#define PELKO_SIMD_ATTR __attribute__((target("avx512f,avx512bw")))
struct V {
    using R = __m512i;
    static constexpr int kPixels = 16;
    static constexpr bool kMaskedTail = true;
    PELKO_SIMD_ATTR static R loadFirst(const uint32_t* p, int n) {
        return _mm512_maskz_loadu_epi32(__mmask16((1u << n) - 1), p);
    }
    PELKO_SIMD_ATTR static void storeFirst(uint32_t* p, R v, int n) {
        _mm512_mask_storeu_epi32(p, __mmask16((1u << n) - 1), v);
    }
    PELKO_SIMD_ATTR static R load(const uint32_t* p) { return _mm512_loadu_si512(p); }
    PELKO_SIMD_ATTR static void store(uint32_t* p, R v) { _mm512_storeu_si512(p, v); }
    PELKO_SIMD_ATTR static R zero() { return _mm512_setzero_si512(); }
    PELKO_SIMD_ATTR static R set32(uint32_t v) { return _mm512_set1_epi32(int(v)); }
    PELKO_SIMD_ATTR static R set16(int v) { return _mm512_set1_epi16(short(v)); }
    PELKO_SIMD_ATTR static R alphaLanes() { return _mm512_set1_epi64(int64_t(0xFFFF000000000000ull)); }
    // Vector operators rather than the intrinsics, which trip a false warning of GCC 12.
    PELKO_SIMD_ATTR static R bitAnd(R a, R b) { return a & b; }
    PELKO_SIMD_ATTR static R andNot(R a, R b) { return ~a & b; }
    PELKO_SIMD_ATTR static R bitOr(R a, R b) { return a | b; }
    PELKO_SIMD_ATTR static R add16(R a, R b) { return _mm512_add_epi16(a, b); }
    PELKO_SIMD_ATTR static R sub16(R a, R b) { return _mm512_sub_epi16(a, b); }
    PELKO_SIMD_ATTR static R subSat16(R a, R b) { return _mm512_subs_epu16(a, b); }
    PELKO_SIMD_ATTR static R mul16(R a, R b) { return _mm512_mullo_epi16(a, b); }
    PELKO_SIMD_ATTR static R mulHi16(R a, R b) { return _mm512_mulhi_epu16(a, b); }
    PELKO_SIMD_ATTR static R unpackLo(R a, R b) { return _mm512_unpacklo_epi8(a, b); }
    PELKO_SIMD_ATTR static R unpackHi(R a, R b) { return _mm512_unpackhi_epi8(a, b); }
    PELKO_SIMD_ATTR static R pack(R a, R b) { return _mm512_packus_epi16(a, b); }
    PELKO_SIMD_ATTR static R alphaLo(R s) {
        return _mm512_shuffle_epi8(
            s, _mm512_set4_epi32(int(0xFF07FF07u), int(0xFF07FF07u), int(0xFF03FF03u), int(0xFF03FF03u)));
    }
    PELKO_SIMD_ATTR static R alphaHi(R s) {
        return _mm512_shuffle_epi8(
            s, _mm512_set4_epi32(int(0xFF0FFF0Fu), int(0xFF0FFF0Fu), int(0xFF0BFF0Bu), int(0xFF0BFF0Bu)));
    }
    PELKO_SIMD_ATTR static bool allEqual32(R a, R b) { return _mm512_cmpeq_epi32_mask(a, b) == 0xFFFF; }
    PELKO_SIMD_ATTR static R min16(R a, R b) { return _mm512_min_epi16(a, b); }
    PELKO_SIMD_ATTR static R set64(uint32_t r, uint32_t g, uint32_t b) {
        return _mm512_set1_epi64(int64_t(r) << 32 | g << 16 | b);
    }
    PELKO_SIMD_ATTR static R cmpEq32(R a, R b) {
        return _mm512_maskz_mov_epi32(_mm512_cmpeq_epi32_mask(a, b), _mm512_set1_epi32(-1));
    }
};
#include "render/blend_kernels.inl"

// Sixteen lanes of 32.32 coordinates as fraction and whole part.
struct strSteps {
    R frac, whole, stepFrac, stepWhole;
    PELKO_SIMD_ATTR strSteps(int64_t start, int64_t step) {
        StepLanes(start, step, frac, whole, stepFrac, stepWhole);
    }
    PELKO_SIMD_ATTR __mmask16 nearLanes() const {
        return _mm512_cmplt_epu32_mask(_mm512_add_epi32(frac, _mm512_set1_epi32(65536)),
                                       _mm512_set1_epi32(131072));
    }
    PELKO_SIMD_ATTR void advance() {
        const R next = _mm512_add_epi32(frac, stepFrac);
        const __mmask16 carry = _mm512_cmplt_epu32_mask(next, frac);
        whole = _mm512_add_epi32(whole, stepWhole);
        whole = _mm512_mask_add_epi32(whole, carry, whole, _mm512_set1_epi32(1));
        frac = next;
    }
};

PELKO_SIMD_ATTR int GatherSteps(const uint32_t* base, int pitch, int64_t X, int64_t Y, int64_t sx, int64_t sy,
                                uint32_t* out, int n) {
    strSteps x(X, sx), y(Y, sy);
    const R rowPitch = _mm512_set1_epi32(pitch);
    int k = 0;
    for (; k < n; k += 16) {
        const __mmask16 lanes = n - k < 16 ? __mmask16((1u << (n - k)) - 1) : __mmask16(0xFFFF);
        if ((x.nearLanes() | y.nearLanes()) & lanes) return k;
        const R index = _mm512_add_epi32(_mm512_mullo_epi32(y.whole, rowPitch), x.whole);
        const R texels = _mm512_mask_i32gather_epi32(_mm512_setzero_si512(), lanes, index, base, 4);
        _mm512_mask_storeu_epi32(out + k, lanes, texels);
        x.advance();
        y.advance();
    }
    return n;
}
#undef PELKO_SIMD_ATTR
} // namespace avx512
#endif

namespace {

using BlendFn = void (*)(int, uint32_t*, const uint32_t*, int);
using ConstantFn = void (*)(int, uint32_t*, uint32_t, int);

using FillFn = void (*)(uint32_t*, uint32_t, size_t);
using GatherFn = int (*)(const uint32_t*, int, int64_t, int64_t, int64_t, int64_t, uint32_t*, int);
using FadeFn = void (*)(const uint32_t*, uint32_t*, int, uint32_t, int);
using ToneFn = void (*)(const uint32_t*, uint32_t*, int, const strSourceSetup&);

struct strKernels {
    BlendFn blend;
    ConstantFn constant;
    FillFn fill;
    GatherFn gather;
    FadeFn fade;
    ToneFn tone;
};

void ScalarTone(const uint32_t* in, uint32_t* out, int n, const strSourceSetup& s) {
    ToneRow(reinterpret_cast<const uint8_t*>(in), out, n, s);
}

void ScalarFade(const uint32_t* in, uint32_t* out, int n, uint32_t opacity, int mode) {
    FadeRow(reinterpret_cast<const uint8_t*>(in), out, n, opacity, mode);
}

int NoGather(const uint32_t*, int, int64_t, int64_t, int64_t, int64_t, uint32_t*, int) {
    return 0;
}

void ScalarBlend(int mode, uint32_t* dst, const uint32_t* src, int n) {
    for (int k = 0; k < n; ++k) {
        uint32_t s, d;
        std::memcpy(&s, src + k, 4);
        std::memcpy(&d, dst + k, 4);
        d = BlendPixel(mode, s, d);
        std::memcpy(dst + k, &d, 4);
    }
}
void ScalarFill(uint32_t* dst, uint32_t value, size_t n) {
    for (size_t k = 0; k < n; ++k)
        std::memcpy(dst + k, &value, 4);
}
void ScalarConstant(int mode, uint32_t* dst, uint32_t src, int n) {
    for (int k = 0; k < n; ++k) {
        uint32_t d;
        std::memcpy(&d, dst + k, 4);
        d = BlendPixel(mode, src, d);
        std::memcpy(dst + k, &d, 4);
    }
}

strKernels KernelsOf(eSimdLevel level) {
    switch (level) {
#ifdef PELKO_X86_SIMD
    case kSimdAvx512:
        return {avx512::BlendSpan,   avx512::BlendSpanConstant, avx512::Fill,
                avx512::GatherSteps, avx512::FadeSpan,          avx512::ToneSpan};
    case kSimdAvx2:
        return {avx2::BlendSpan,   avx2::BlendSpanConstant, avx2::Fill,
                avx2::GatherSteps, avx2::FadeSpan,          avx2::ToneSpan};
    case kSimdSse2:
        return {sse2::BlendSpan, sse2::BlendSpanConstant, sse2::Fill,
                NoGather,        sse2::FadeSpan,          sse2::ToneSpan};
#endif
    default:
        return {ScalarBlend, ScalarConstant, ScalarFill, NoGather, ScalarFade, ScalarTone};
    }
}

eSimdLevel WidestLevel() {
#ifdef PELKO_X86_SIMD
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512bw")) return kSimdAvx512;
    if (__builtin_cpu_supports("avx2")) return kSimdAvx2;
    return kSimdSse2;
#else
    return kSimdScalar;
#endif
}

struct strChosen {
    eSimdLevel widest = WidestLevel(), level = widest;
    strKernels kernels = KernelsOf(level);
};

strChosen& Chosen() {
    static strChosen chosen;
    return chosen;
}

const strKernels& Kernels() {
    return Chosen().kernels;
}

} // namespace

eSimdLevel SimdLevel() {
    return Chosen().level;
}

eSimdLevel LimitSimdLevel(eSimdLevel level) {
    strChosen& c = Chosen();
    c.level = std::min(level, c.widest);
    c.kernels = KernelsOf(c.level);
    return c.level;
}

void BlendSpan(int mode, uint32_t* dst, const uint32_t* src, int n) {
    Kernels().blend(mode, dst, src, n);
}

void BlendSpanConstant(int mode, uint32_t* dst, uint32_t src, int n) {
    Kernels().constant(mode, dst, src, n);
}

void FillSpan(uint32_t* dst, uint32_t value, size_t n) {
    Kernels().fill(dst, value, n);
}

int GatherSteps(const uint32_t* base, int pitch, int64_t X, int64_t Y, int64_t sx, int64_t sy, uint32_t* out,
                int n) {
    return Kernels().gather(base, pitch, X, Y, sx, sy, out, n);
}

void FadeSpan(const uint32_t* in, uint32_t* out, int n, uint32_t opacity, int mode) {
    Kernels().fade(in, out, n, opacity, mode);
}

void ToneSpan(const uint32_t* in, uint32_t* out, int n, const strSourceSetup& s) {
    Kernels().tone(in, out, n, s);
}

bool ZeroAlphaIsNoOp(int mode) {
    return mode == kBlendAlpha || mode == kBlendAlpha2 || mode == kBlendAdd || mode == kBlendRevSubtract ||
           mode == kBlendMultiply;
}

} // namespace render
