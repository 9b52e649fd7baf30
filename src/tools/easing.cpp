#include "tools/easing.h"

#include "document/cell.h"
#include "tools/cell_params.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

// One coordinate of the Bezier from 0 to 1 with inner control values c1, c2 at parameter s.
double BezierAt(double c1, double c2, double s) {
    const double r = 1.0 - s;
    return 3.0 * r * r * s * c1 + 3.0 * r * s * s * c2 + s * s * s;
}

double BezierSlope(double c1, double c2, double s) {
    const double r = 1.0 - s;
    return 3.0 * r * r * c1 + 6.0 * r * s * (c2 - c1) + 3.0 * s * s * (1.0 - c2);
}

// The parameter s at which x(s) = u. x is monotonic for x1, x2 in [0, 1]: Newton's method from s = u,
// falling back to bisection when the slope is flat or an iterate leaves [0, 1].
double SolveBezierX(double x1, double x2, double u) {
    constexpr double kEpsilon = 1e-9;
    double s = u;
    for (int i = 0; i < 8; ++i) {
        const double err = BezierAt(x1, x2, s) - u;
        if (std::fabs(err) < kEpsilon) return s;
        const double slope = BezierSlope(x1, x2, s);
        if (std::fabs(slope) < 1e-6) break;
        const double next = s - err / slope;
        if (next < 0.0 || next > 1.0) break;
        s = next;
    }
    double lo = 0.0, hi = 1.0;
    s = u;
    for (int i = 0; i < 60; ++i) {
        const double x = BezierAt(x1, x2, s);
        if (std::fabs(x - u) < kEpsilon) break;
        (x < u ? lo : hi) = s;
        s = (lo + hi) / 2.0;
    }
    return s;
}

constexpr const char* kGroupNames[kTweenGroupCount] = {"position", "scale", "angle", "opacity", "tone"};
constexpr const char* kEaseNames[] = {"linear", "in", "out", "in-out", "bezier"};

// The range a parameter's field can hold.
void FieldRange(int param, int32_t& lo, int32_t& hi) {
    if (CellParamWidth(param) == 16) {
        lo = CellParamSigned(param) ? std::numeric_limits<int16_t>::min() : 0;
        hi = CellParamSigned(param) ? std::numeric_limits<int16_t>::max() : 0xFFFF;
    } else {
        lo = 0;
        hi = 0xFF;
    }
}

constexpr int kAngleParam = 7;
constexpr int32_t kFullTurn = 3600;

} // namespace

float strEasing::progress(float t) const {
    if (!(t > 0.0f)) return 0.0f;
    if (t >= 1.0f) return 1.0f;
    const double u = t;
    switch (kind) {
    case eEaseKind::kLinear:
        return t;
    case eEaseKind::kIn:
        return float(u * u * u);
    case eEaseKind::kOut: {
        const double r = 1.0 - u;
        return float(1.0 - r * r * r);
    }
    case eEaseKind::kInOut: {
        if (u < 0.5) return float(4.0 * u * u * u);
        const double r = 2.0 - 2.0 * u;
        return float(1.0 - r * r * r / 2.0);
    }
    case eEaseKind::kBezier: {
        if (!validBezier(x1, y1, x2, y2)) return t;
        const double s = SolveBezierX(x1, x2, u);
        return float(BezierAt(y1, y2, s));
    }
    }
    return t;
}

bool strEasing::validBezier(float x1, float y1, float x2, float y2) {
    return std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2) && x1 >= 0.0f &&
           x1 <= 1.0f && x2 >= 0.0f && x2 <= 1.0f;
}

int TweenGroupOf(int paramIndex) {
    switch (paramIndex) {
    case 3:
    case 4:
        return kTweenPosition;
    case 5:
    case 6:
        return kTweenScale;
    case 7:
        return kTweenAngle;
    case 8:
        return kTweenOpacity;
    case 9:
    case 10:
    case 11:
    case 12:
        return kTweenTone;
    default:
        return -1;
    }
}

uint32_t TweenGroupParams(int group) {
    uint32_t bits = 0;
    for (int i = 0; i < kCellParamCount; ++i)
        if (group >= 0 && TweenGroupOf(i) == group) bits |= CellParamBit(i);
    return bits;
}

const char* TweenGroupName(int group) {
    return group >= 0 && group < kTweenGroupCount ? kGroupNames[group] : "";
}

int TweenGroupFromName(const std::string& name) {
    for (int g = 0; g < kTweenGroupCount; ++g)
        if (name == kGroupNames[g]) return g;
    return -1;
}

const char* EaseKindName(eEaseKind kind) {
    const auto i = size_t(kind);
    return i < std::size(kEaseNames) ? kEaseNames[i] : "";
}

bool EaseKindFromName(const std::string& name, eEaseKind& kind) {
    for (size_t i = 0; i < std::size(kEaseNames); ++i)
        if (name == kEaseNames[i]) {
            kind = eEaseKind(i);
            return true;
        }
    return false;
}

std::string TweenOptionsText(const strTweenOptions& options) {
    std::string out;
    for (int g = 0; g < kTweenGroupCount; ++g) {
        const strEasing& e = options.easing[size_t(g)];
        out += std::string(kGroupNames[g]) + "=" + EaseKindName(e.kind);
        if (e.kind == eEaseKind::kBezier) {
            // Shortest text that reads back as the same float, whatever the C locale says.
            const float values[4] = {e.x1, e.y1, e.x2, e.y2};
            for (int i = 0; i < 4; ++i) {
                char buf[32];
                const auto r = std::to_chars(buf, buf + sizeof buf, values[i]);
                out += (i == 0 ? ":" : ",") + std::string(buf, r.ptr);
            }
        }
        out += ";";
    }
    out += options.fullTurns ? "turns=1" : "turns=0";
    return out;
}

bool TweenOptionsFromText(const std::string& text, strTweenOptions& options) {
    bool ok = true;
    size_t at = 0;
    while (at <= text.size()) {
        size_t end = text.find(';', at);
        if (end == std::string::npos) end = text.size();
        const std::string part = text.substr(at, end - at);
        at = end + 1;
        if (part.empty()) continue;
        const size_t eq = part.find('=');
        const std::string key = part.substr(0, eq);
        const std::string value = eq == std::string::npos ? std::string() : part.substr(eq + 1);
        if (key == "turns" && (value == "0" || value == "1")) {
            options.fullTurns = value == "1";
            continue;
        }
        const int group = TweenGroupFromName(key);
        const size_t colon = value.find(':');
        strEasing e;
        if (group < 0 || !EaseKindFromName(value.substr(0, colon), e.kind)) {
            ok = false;
            continue;
        }
        if (e.kind == eEaseKind::kBezier) {
            float p[4] = {};
            bool read = colon != std::string::npos;
            const char* c = value.c_str() + (read ? colon + 1 : 0);
            const char* last = value.c_str() + value.size();
            for (int i = 0; read && i < 4; ++i) {
                const auto r = std::from_chars(c, last, p[i]);
                read = r.ec == std::errc() && (i < 3 ? r.ptr < last && *r.ptr == ',' : r.ptr == last);
                c = r.ptr + 1;
            }
            if (!read || !strEasing::validBezier(p[0], p[1], p[2], p[3])) {
                ok = false;
                continue;
            }
            e.x1 = p[0];
            e.y1 = p[1];
            e.x2 = p[2];
            e.y2 = p[3];
        } else if (colon != std::string::npos) {
            ok = false;
            continue;
        }
        options.easing[size_t(group)] = e;
    }
    return ok;
}

int32_t ShorterAngleDifference(int32_t from, int32_t to) {
    int32_t d = (to - from) % kFullTurn; // (-3600, 3600)
    if (d > kFullTurn / 2) d -= kFullTurn;
    if (d <= -kFullTurn / 2) d += kFullTurn;
    return d;
}

void TweenCell(strCell& base, const strCell& a, const strCell& b, float t, uint32_t bits,
               const strTweenOptions& options) {
    // One progress value per group; the groups without a curve of their own move linearly.
    float progress[kTweenGroupCount];
    for (int g = 0; g < kTweenGroupCount; ++g)
        progress[g] = options.easing[size_t(g)].progress(t);
    for (int i = 0; i < kCellParamCount; ++i) {
        if (!(bits & CellParamBit(i))) continue;
        const int group = TweenGroupOf(i);
        const float p = group < 0 ? t : progress[group];
        const int32_t from = GetCellParam(a, i);
        int32_t to = GetCellParam(b, i);
        const bool shorter = i == kAngleParam && !options.fullTurns;
        if (shorter) to = from + ShorterAngleDifference(from, to);
        int32_t v = InterpolateParam(from, to, p);
        if (shorter) {
            if (v > kFullTurn) v -= kFullTurn;
            if (v < -kFullTurn) v += kFullTurn;
        }
        int32_t lo, hi;
        FieldRange(i, lo, hi);
        SetCellParam(base, i, std::clamp(v, lo, hi));
    }
}
