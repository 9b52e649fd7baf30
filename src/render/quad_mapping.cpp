#include "render/quad_mapping.h"

#include <algorithm>
#include <cmath>

namespace render {

namespace {

constexpr double kPi = 3.14159265358979323846;

// cos and sin of an angle in degrees, exact at multiples of 90 degrees; an angle of at most
// 0.000001 radians counts as no rotation.
void CosSin(double degrees, double& c, double& s) {
    const double rad = degrees * kPi / 180.0;
    if (std::fabs(rad) <= 0.000001) {
        c = 1;
        s = 0;
        return;
    }
    c = std::cos(rad);
    s = std::sin(rad);
    auto snap = [](double& v) {
        if (std::fabs(v) < 1e-12)
            v = 0;
        else if (std::fabs(v - 1) < 1e-12)
            v = 1;
        else if (std::fabs(v + 1) < 1e-12)
            v = -1;
    };
    snap(c);
    snap(s);
}

// Narrows [iMin, iMax] to a superset of the integers i with a * i + b inside the axis.
bool NarrowSpan(double a, double b, int n, bool forward, double& iMin, double& iMax) {
    if (a == 0) {
        int t;
        return TexelOf(b, n, forward, t); // the whole row or none of it
    }
    double i0 = (0 - b) / a, i1 = (n - b) / a;
    if (i0 > i1) std::swap(i0, i1);
    iMin = std::max(iMin, std::floor(i0) - 1);
    iMax = std::min(iMax, std::ceil(i1) + 1);
    return iMin <= iMax;
}

} // namespace

bool strQuadMapping::span(double bx, double by, int& i0, int& i1) const {
    double lo = colLo, hi = colHi;
    if (!NarrowSpan(ax, bx, w, forwardX, lo, hi) || !NarrowSpan(ay, by, h, forwardY, lo, hi)) return false;
    i0 = int(lo);
    i1 = int(hi);
    return true;
}

bool MapQuad(int w, int h, double cx, double cy, double sx, double sy, double angleDegrees, int targetW,
             int targetH, strQuadMapping& m) {
    if (w < 1 || h < 1 || sx == 0 || sy == 0 || !std::isfinite(sx) || !std::isfinite(sy) ||
        !std::isfinite(cx) || !std::isfinite(cy))
        return false;
    double c, s;
    CosSin(angleDegrees, c, s);
    // Bounding box of the transformed corners.
    const double hw = w / 2.0, hh = h / 2.0;
    double minX = 1e300, maxX = -1e300, minY = 1e300, maxY = -1e300;
    for (int k = 0; k < 4; ++k) {
        const double px = ((k & 1) ? hw : -hw) * sx, py = ((k & 2) ? hh : -hh) * sy;
        const double X = px * c - py * s + cx, Y = px * s + py * c + cy;
        minX = std::min(minX, X);
        maxX = std::max(maxX, X);
        minY = std::min(minY, Y);
        maxY = std::max(maxY, Y);
    }
    const double rowLo = std::max(0.0, std::floor(minY) - 1),
                 rowHi = std::min(double(targetH - 1), std::ceil(maxY) + 1);
    const double colLo = std::max(0.0, std::floor(minX) - 1),
                 colHi = std::min(double(targetW - 1), std::ceil(maxX) + 1);
    if (rowLo > rowHi || colLo > colHi) return false;

    // Inverse mapping: local = R^-1 (p - centre) / scale + (w/2, h/2), linear in the column i.
    m.w = w;
    m.h = h;
    m.ax = c / sx;
    m.ay = -s / sy;
    // The nudge right (then down) moves lx by ax (then by s / sx) and ly by ay (then by c / sy).
    m.forwardX = m.ax > 0 || (m.ax == 0 && s / sx > 0);
    m.forwardY = m.ay > 0 || (m.ay == 0 && c / sy > 0);
    m.rowLo = int(rowLo);
    m.rowHi = int(rowHi);
    m.colLo = int(colLo);
    m.colHi = int(colHi);
    m.cx_ = cx;
    m.cy_ = cy;
    m.c_ = c;
    m.s_ = s;
    m.sx_ = sx;
    m.sy_ = sy;
    return true;
}

} // namespace render
