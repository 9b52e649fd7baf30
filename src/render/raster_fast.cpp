// The fast raster. Per row: the candidate columns are trimmed to the covered run with the reference
// test at both ends (coverage along a row is one run, since both texel coordinates are monotonic in
// the column), then the run's texels are fetched and blended as one span.
//
// Fetching: an unturned row at scale 1 or -1 whose start coordinate is a multiple of 2^-20 has
// exactly lx = bx +- i, so its texels are consecutive in the source row and are read in place (or
// reversed). Other rows step 32.32 fixed-point coordinates; they stay within 2^-18 of the reference
// doubles over any run, so a fixed-point value at least 2^-16 away from a whole number has the same
// whole part as the reference value, and the rare pixels closer than that take the reference
// arithmetic itself.

#include "render/blend_span.h"
#include "render/raster.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace render {

namespace {

constexpr double kFixedOne = 4294967296.0; // 2^32
constexpr uint32_t kNearMargin = 65536;    // 2^-16 in 32.32
constexpr int kMaxFixedRun = 16384;
constexpr double kMaxFixedStep = 1024;

inline uint32_t Load32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

// lx = bx +- i exactly for every column of a target: bx a multiple of 2^-20 well inside 2^31.
bool StepsAreExact(double b) {
    const double scaled = b * 1048576.0;
    return std::fabs(b) < 1073741824.0 && std::floor(scaled) == scaled;
}

// Asks for the cache lines of n pixels from p.
inline void Prefetch(const void* p, int n) {
    const char* c = static_cast<const char*>(p);
    for (int k = 0; k < n * 4; k += 64)
        __builtin_prefetch(c + k);
    __builtin_prefetch(c + n * 4 - 1);
}

inline bool NearWhole(int64_t v) {
    return uint32_t(v) + kNearMargin < 2 * kNearMargin;
}

struct strRowJob {
    const strQuadMapping& m;
    const strSourceView& source;
    int mode;
    bool skipClear; // texels of alpha 0 leave the target as it is
    std::vector<uint32_t>& buffer;

    // Texels of pixels i0..i0+n-1 (all covered) into buffer, by fixed-point steps. An axis that
    // does not change along the row keeps its exact texel (its fraction set to one half, so it is
    // never near a whole number).
    void gather(double bx, double by, int i0, int n, int64_t stepX, int64_t stepY) {
        int tx = 0, ty = 0;
        m.texel(bx, by, i0, tx, ty);
        const int64_t kHalf = int64_t(1) << 31;
        const int64_t X =
            m.ax == 0 ? (int64_t(tx) << 32) + kHalf : std::llround((bx + m.ax * i0) * kFixedOne);
        const int64_t Y =
            m.ay == 0 ? (int64_t(ty) << 32) + kHalf : std::llround((by + m.ay * i0) * kFixedOne);
        const uint32_t* base = reinterpret_cast<const uint32_t*>(source.pixels);
        const int pitch = int(source.pitch / 4);
        uint32_t* out = buffer.data();
        for (int k = 0; k < n;) {
            k += GatherSteps(base, pitch, X + k * stepX, Y + k * stepY, stepX, stepY, out + k, n - k);
            // A block with a coordinate near a whole number (or no vector gather): one at a time.
            for (const int stop = std::min(n, k + 16); k < stop; ++k) {
                const int64_t x = X + k * stepX, y = Y + k * stepY;
                if (NearWhole(x) || NearWhole(y)) {
                    int rx = 0, ry = 0;
                    m.texel(bx, by, i0 + k, rx, ry);
                    if (m.ax != 0) tx = rx;
                    if (m.ay != 0) ty = ry;
                } else {
                    tx = int(x >> 32);
                    ty = int(y >> 32);
                }
                out[k] = Load32(source.pixels + size_t(ty) * source.pitch + size_t(tx) * 4);
            }
        }
    }

    // The exact texels of pixels i0..i0+n-1 into buffer, one at a time.
    void gatherExact(double bx, double by, int i0, int n) {
        for (int k = 0; k < n; ++k) {
            int tx = 0, ty = 0;
            m.texel(bx, by, i0 + k, tx, ty);
            buffer[size_t(k)] = Load32(source.pixels + size_t(ty) * source.pitch + size_t(tx) * 4);
        }
    }

    // An unturned unit-scale row: pixel i0 + k shows texel tx0 + k (forward) or tx0 - k.
    void consecutive(uint32_t* out, int tx0, int ty, int n, bool forward) {
        const uint8_t* texRow = source.pixels + size_t(ty) * source.pitch;
        int first = 0, end = m.w;
        if (skipClear) {
            first = source.first[ty];
            end = source.end[ty];
        }
        if (forward) {
            const int a = std::max(tx0, first), b = std::min(tx0 + n, end);
            if (a < b) BlendSpan(mode, out + (a - tx0), reinterpret_cast<const uint32_t*>(texRow) + a, b - a);
            return;
        }
        const int k0 = std::max(0, tx0 - end + 1), k1 = std::min(n - 1, tx0 - first);
        if (k0 > k1) return;
        for (int k = k0; k <= k1; ++k)
            buffer[size_t(k - k0)] = Load32(texRow + size_t(tx0 - k) * 4);
        BlendSpan(mode, out + k0, buffer.data(), k1 - k0 + 1);
    }
};

} // namespace

void RasterFast(const strQuadMapping& m, const strSourceView& source, const strTargetView& target, int mode,
                std::vector<uint32_t>& buffer) {
    const bool skipClear = ZeroAlphaIsNoOp(mode) && source.first;
    strRowJob job{m, source, mode, skipClear, buffer};
    if (buffer.size() < size_t(m.colHi - m.colLo + 1)) buffer.resize(size_t(m.colHi - m.colLo + 1));
    auto rowPixels = [&target](int j) {
        return reinterpret_cast<uint32_t*>(target.pixels + size_t(j) * target.pitch);
    };

    // Unturned at scale 1 or -1: bx is the same on every row (no turn), and with exact steps the
    // covered columns are where bx + i lies in [0, w) (bx - i in (0, w]).
    double bx, by;
    m.row(m.rowLo, bx, by);
    if (m.ay == 0 && (m.ax == 1 || m.ax == -1) && m.w > 1 && StepsAreExact(bx)) {
        const bool forward = m.ax > 0;
        const int i0 = std::max(m.colLo, int(forward ? std::ceil(-bx) : std::ceil(bx - m.w)));
        const int i1 = std::min(m.colHi, int(forward ? std::ceil(m.w - bx) : std::ceil(bx)) - 1);
        if (i0 > i1) return;
        const int tx0 = int(forward ? bx + i0 : std::ceil(bx - i0) - 1);
        const int n = i1 - i0 + 1;
        for (int j = m.rowLo; j <= m.rowHi; ++j) {
            // The rows two ahead, so that they are on their way from memory when their turn comes.
            int ty;
            if (j + 2 <= m.rowHi) {
                m.row(j + 2, bx, by);
                if (TexelOf(by, m.h, m.forwardY, ty)) {
                    Prefetch(source.pixels + size_t(ty) * source.pitch +
                                 size_t(forward ? tx0 : tx0 - n + 1) * 4,
                             n);
                    Prefetch(rowPixels(j + 2) + i0, n);
                }
            }
            m.row(j, bx, by);
            if (TexelOf(by, m.h, m.forwardY, ty)) job.consecutive(rowPixels(j) + i0, tx0, ty, n, forward);
        }
        return;
    }

    const bool constant = m.w == 1 && m.h == 1;
    const bool fixed = std::fabs(m.ax) <= kMaxFixedStep && std::fabs(m.ay) <= kMaxFixedStep;
    const int64_t stepX = std::llround(m.ax * kFixedOne), stepY = std::llround(m.ay * kFixedOne);
    for (int j = m.rowLo; j <= m.rowHi; ++j) {
        m.row(j, bx, by);
        int i0, i1, tx = 0, ty = 0;
        if (!m.span(bx, by, i0, i1)) continue;
        while (i0 <= i1 && !m.texel(bx, by, i0, tx, ty))
            ++i0;
        while (i1 > i0 && !m.texel(bx, by, i1, tx, ty))
            --i1;
        if (i0 > i1) continue;
        const int n = i1 - i0 + 1;
        uint32_t* out = rowPixels(j) + i0;
        if (constant) {
            const uint32_t texel = Load32(source.pixels);
            if (!(skipClear && (texel >> 24) == 0)) BlendSpanConstant(mode, out, texel, n);
            continue;
        }
        if (fixed && n <= kMaxFixedRun)
            job.gather(bx, by, i0, n, stepX, stepY);
        else
            job.gatherExact(bx, by, i0, n);
        BlendSpan(mode, out, buffer.data(), n);
    }
}

} // namespace render
