#include "render/sprite_drawer.h"

#include "image/picture_slot.h"
#include "render/colour_rules.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

namespace {

constexpr double kPi = 3.14159265358979323846;

inline uint32_t LoadPixel(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}
inline void StorePixel(uint8_t* p, uint32_t v) { std::memcpy(p, &v, 4); }

// cos and sin of an angle in degrees, exact at multiples of 90 degrees; an angle of at most
// 0.000001 radians counts as no rotation.
void CosSin(double degrees, double& c, double& s) {
    double rad = degrees * kPi / 180.0;
    if (std::fabs(rad) <= 0.000001) {
        c = 1;
        s = 0;
        return;
    }
    c = std::cos(rad);
    s = std::sin(rad);
    auto snap = [](double& v) {
        if (std::fabs(v) < 1e-12) v = 0;
        else if (std::fabs(v - 1) < 1e-12) v = 1;
        else if (std::fabs(v + 1) < 1e-12) v = -1;
    };
    snap(c);
    snap(s);
}

// Range of integers i with lo <= a * i + b < hi (a conservative superset, widened by one).
bool SpanOf(double a, double b, double lo, double hi, double& iMin, double& iMax) {
    if (a == 0) {
        if (b >= lo && b < hi) return true;  // whole row
        return false;
    }
    double i0 = (lo - b) / a, i1 = (hi - b) / a;
    if (i0 > i1) std::swap(i0, i1);
    iMin = std::max(iMin, std::floor(i0) - 1);
    iMax = std::min(iMax, std::ceil(i1) + 1);
    return true;
}

template <int Mode>
inline uint32_t BlendT(uint32_t src, uint32_t dst) {
    return render::BlendPixelT<Mode>(src, dst);
}

// Blends one row span; the texel coordinates are lx = bx + ax * i, ly = by + ay * i. Axis is true
// when ay is 0 (no rotation): the texel row is then the same for the whole span.
template <int Mode, bool Axis>
void RowSpan(uint8_t* row, int i0, int i1, double ax, double bx, double ay, double by, int w, int h,
             const uint8_t* src, size_t pitch) {
    const double fw = w, fh = h;
    const uint8_t* texRow = src;
    if constexpr (Axis) {
        if (!(by >= 0 && by < fh)) return;
        texRow = src + size_t(std::min(int(by), h - 1)) * pitch;
    }
    for (int i = i0; i <= i1; ++i) {
        const double lx = bx + ax * i;
        if (!(lx >= 0 && lx < fw)) continue;
        const int tx = std::min(int(lx), w - 1);
        const uint8_t* t;
        if constexpr (Axis) {
            t = texRow + size_t(tx) * 4;
        } else {
            const double ly = by + ay * i;
            if (!(ly >= 0 && ly < fh)) continue;
            t = src + size_t(std::min(int(ly), h - 1)) * pitch + size_t(tx) * 4;
        }
        const uint32_t s = LoadPixel(t);
        // A source with alpha 0 leaves the pixel as it is in the alpha-weighted modes.
        if constexpr (Mode == kBlendAlpha || Mode == kBlendAdd || Mode == kBlendRevSubtract)
            if ((s >> 24) == 0) continue;
        uint8_t* p = row + size_t(i) * 4;
        StorePixel(p, BlendT<Mode>(s, LoadPixel(p)));
    }
}

using RowFn = void (*)(uint8_t*, int, int, double, double, double, double, int, int, const uint8_t*, size_t);

template <bool Axis>
RowFn RowFunction(int mode) {
    switch (mode) {
    case kBlendAlpha:
    case kBlendAlpha2: return RowSpan<kBlendAlpha, Axis>;
    case kBlendAdd: return RowSpan<kBlendAdd, Axis>;
    case kBlendRevSubtract: return RowSpan<kBlendRevSubtract, Axis>;
    case kBlendMultiply: return RowSpan<kBlendMultiply, Axis>;
    case kBlendInvDest: return RowSpan<kBlendInvDest, Axis>;
    case kBlendDestColour: return RowSpan<kBlendDestColour, Axis>;
    default: return RowSpan<kBlendReplace, Axis>;
    }
}

}  // namespace

bool cSpriteDrawer::BeginFrame(cTexture& target, uint32_t clearArgb) {
    target_ = nullptr;
    if (target.IsEmpty()) return false;
    for (int y = 0; y < target.Height(); ++y) {
        uint8_t* row = target.Row(y);
        for (int x = 0; x < target.Width(); ++x) StorePixel(row + size_t(x) * 4, clearArgb);
    }
    target_ = &target;
    return true;
}

void cSpriteDrawer::EndFrame() { target_ = nullptr; }

void cSpriteDrawer::SetView(float originX, float originY, float zoom) {
    viewX_ = originX;
    viewY_ = originY;
    zoom_ = zoom;
}

bool cSpriteDrawer::DrawSprite(const SpriteParams& p) {
    if (!target_ || p.opacity < 1 || !p.slot || !p.slot->IsValidPattern(p.pattern - 1)) return false;
    const cTexture& texture = p.slot->ImageTexture();
    if (texture.IsEmpty()) return false;
    return DrawPattern(texture, p.slot->GetPatternRect(p.pattern - 1), p);
}

bool cSpriteDrawer::DrawPattern(const cTexture& texture, const strRect& rect, const SpriteParams& p) {
    if (!target_ || p.opacity < 1) return false;
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w < 1 || h < 1 || rect.left < 0 || rect.top < 0 || rect.right > texture.Width() ||
        rect.bottom > texture.Height())
        return false;

    // The cell texture: every texel of the pattern turned into its source (colour, alpha); a plain
    // sprite samples the picture itself.
    const render::strSourceSetup setup = render::strSourceSetup::Of(p);
    if (render::SourceIsTexel(setup)) {
        src_ = texture.Row(rect.top) + size_t(rect.left) * 4;
        srcPitch_ = size_t(texture.Pitch());
    } else {
        try {
            source_.resize(size_t(w) * size_t(h));
        } catch (const std::bad_alloc&) {
            return false;
        }
        for (int y = 0; y < h; ++y) {
            render::BuildSourceRow(texture.Row(rect.top + y) + size_t(rect.left) * 4,
                                   source_.data() + size_t(y) * size_t(w), w, setup);
        }
        src_ = reinterpret_cast<const uint8_t*>(source_.data());
        srcPitch_ = size_t(w) * 4;
    }

    double x = p.x, y = p.y, sx = p.scaleX, sy = p.scaleY;
    if (p.screenSpace == 0) {
        x = (x - viewX_) * zoom_;
        y = (y - viewY_) * zoom_;
        sx *= zoom_;
        sy *= zoom_;
    }
    const double cx = target_->Width() / 2.0 + x - 0.5, cy = target_->Height() / 2.0 + y - 0.5;
    RasterQuad(w, h, cx, cy, sx, sy, p.angle, setup.mode);
    return true;
}

bool cSpriteDrawer::DrawRect(const RectParams& r) {
    if (!target_) return false;
    const int mode = DeviceBlendMode(r.blend);
    source_.assign(1, render::RectSource(mode, r.alpha, r.red, r.green, r.blue));
    src_ = reinterpret_cast<const uint8_t*>(source_.data());
    srcPitch_ = 4;
    const double W = target_->Width(), H = target_->Height();
    if (r.flags & kRectWholeTarget) {
        // A quad of the target's size centred on it covers every pixel.
        RasterQuad(1, 1, W / 2.0 - 0.5, H / 2.0 - 0.5, W, H, 0, mode);
        return true;
    }
    double x = r.x, y = r.y, width = r.width, height = r.height;
    if (r.screenSpace == 0) {
        x = (x - viewX_) * zoom_;
        y = (y - viewY_) * zoom_;
        width *= zoom_;
        height *= zoom_;
    }
    if (!(width > 0) || !(height > 0)) return true;
    RasterQuad(1, 1, W / 2.0 + x - 0.5, H / 2.0 + y - 0.5, width, height, 0, mode);
    return true;
}

void cSpriteDrawer::RasterQuad(int w, int h, double cx, double cy, double sx, double sy, double angleDegrees,
                               int mode) {
    if (sx == 0 || sy == 0 || !std::isfinite(sx) || !std::isfinite(sy) || !std::isfinite(cx) || !std::isfinite(cy))
        return;
    double c, s;
    CosSin(angleDegrees, c, s);
    // Bounding box of the transformed corners.
    const double hw = w / 2.0, hh = h / 2.0;
    double minX = 1e300, maxX = -1e300, minY = 1e300, maxY = -1e300;
    for (int k = 0; k < 4; ++k) {
        double px = ((k & 1) ? hw : -hw) * sx, py = ((k & 2) ? hh : -hh) * sy;
        double X = px * c - py * s + cx, Y = px * s + py * c + cy;
        minX = std::min(minX, X);
        maxX = std::max(maxX, X);
        minY = std::min(minY, Y);
        maxY = std::max(maxY, Y);
    }
    const int W = target_->Width(), H = target_->Height();
    const double rowLo = std::max(0.0, std::floor(minY) - 1), rowHi = std::min(double(H - 1), std::ceil(maxY) + 1);
    const double colLo = std::max(0.0, std::floor(minX) - 1), colHi = std::min(double(W - 1), std::ceil(maxX) + 1);
    if (rowLo > rowHi || colLo > colHi) return;

    // Inverse mapping: local = R^-1 (p - centre) / scale + (w/2, h/2), linear in the pixel column i.
    const double ax = c / sx, ay = -s / sy;
    RowFn fn = ay == 0 ? RowFunction<true>(mode) : RowFunction<false>(mode);
    for (int j = int(rowLo); j <= int(rowHi); ++j) {
        const double dy = j - cy;
        const double bx = (-cx * c + dy * s) / sx + hw;
        const double by = (cx * s + dy * c) / sy + hh;
        double i0 = colLo, i1 = colHi;
        if (!SpanOf(ax, bx, 0, w, i0, i1) || !SpanOf(ay, by, 0, h, i0, i1) || i0 > i1) continue;
        fn(target_->Row(j), int(i0), int(i1), ax, bx, ay, by, w, h, src_, srcPitch_);
    }
}
