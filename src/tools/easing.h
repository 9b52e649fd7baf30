#pragma once
// Easing of frame compensation: how far a tween has gone at a given point of its frame range.
//
// A tween interpolates each cell value between its start and end cells as
//     value = start + trunc((end - start) * progress(t)),  t = (f - fa) / (fb - fa),
// the difference and the product in single precision, as the linear rule does. Linear easing gives
// progress(t) = t, so its results are those of the plain interpolation, bit for bit.
//
// The cell values are grouped (position, scale, angle, opacity, tone) and each group has its own
// easing; the picture, pattern and drawing method are always linear. Angles go the shorter way round
// (a difference of more than half a turn is taken the other way, a half turn exactly goes forward)
// unless full turns are asked for, which take the stored difference as it is. A curve that overshoots
// (a Bezier control point above 1 or below 0) is held to the field's range instead of wrapping.

#include <array>
#include <cstdint>
#include <string>

struct strCell;

enum class eEaseKind : uint8_t {
    kLinear = 0,
    kIn,     // cubic: t^3
    kOut,    // cubic: 1 - (1 - t)^3
    kInOut,  // cubic: 4 t^3 below one half, 1 - (2 - 2t)^3 / 2 above
    kBezier, // cubic Bezier from (0, 0) to (1, 1) through the control points (x1, y1), (x2, y2)
};

struct strEasing {
    eEaseKind kind = eEaseKind::kLinear;
    // Control points of kBezier, as CSS cubic-bezier(x1, y1, x2, y2); x1 and x2 lie in [0, 1].
    float x1 = 0.25f, y1 = 0.25f, x2 = 0.75f, y2 = 0.75f;

    bool operator==(const strEasing&) const = default;

    // The progress at t (t is held to [0, 1]); ends at 0 and 1 exactly.
    float progress(float t) const;
    // A Bezier whose control points are usable: x1 and x2 in [0, 1], every value finite.
    static bool validBezier(float x1, float y1, float x2, float y2);
};

// Parameter groups with an easing each.
enum eTweenGroup : int {
    kTweenPosition = 0, // Coordinate X, Y
    kTweenScale,        // Magnification X, Y
    kTweenAngle,        // Angle
    kTweenOpacity,      // Opaque
    kTweenTone,         // Red, Green, Blue, Saturation
    kTweenGroupCount
};

struct strTweenOptions {
    std::array<strEasing, kTweenGroupCount> easing{};
    bool fullTurns = false; // angles as stored (a difference of 3600 is one turn); else the shorter way

    bool operator==(const strTweenOptions&) const = default;
    // The same easing for every group.
    void setAll(const strEasing& e) { easing.fill(e); }
};

// The group of cell parameter index i (0..12, the order of the "Param" list); -1 for the picture,
// pattern and drawing method.
int TweenGroupOf(int paramIndex);
// The parameter bits (eCellParam) of a group; 0 outside.
uint32_t TweenGroupParams(int group);

// Names as the command line and settings write them: "position", "scale", "angle", "opacity", "tone";
// "linear", "in", "out", "in-out", "bezier". Parsing returns -1 / false for an unknown name.
const char* TweenGroupName(int group);
int TweenGroupFromName(const std::string& name);
const char* EaseKindName(eEaseKind kind);
bool EaseKindFromName(const std::string& name, eEaseKind& kind);

// The options as one line of text, as the settings keep them:
// "position=in;scale=bezier:0.25,0.1,0.25,1;angle=linear;opacity=out;tone=in-out;turns=1".
std::string TweenOptionsText(const strTweenOptions& options);
// Reads that text into options: every part it understands is taken, the others keep their values.
// False when some part was not understood (an unknown name, a number that does not read, a curve
// whose control points are not usable).
bool TweenOptionsFromText(const std::string& text, strTweenOptions& options);

// The shorter-way difference of two angles in tenths of a degree: in (-1800, 1800].
int32_t ShorterAngleDifference(int32_t from, int32_t to);

// Replaces each parameter of `bits` in `base` by its tweened value between a and b at t (0..1):
// eased per group, angles as the options say. A result outside its field is held to the field's
// range; an angle that passes a full turn is brought back by one turn.
void TweenCell(strCell& base, const strCell& a, const strCell& b, float t, uint32_t bits,
               const strTweenOptions& options);
