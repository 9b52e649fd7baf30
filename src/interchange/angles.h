#pragma once
// Cell angles between the document (tenths of a degree, -3600..3600) and the RPG Maker products
// (whole degrees). An angle read from a payload is brought into (-180, 180] degrees, so that a tween
// from it takes the short way round; an angle written is rounded to the nearest degree (halves
// upward), not cut.

#include <cstdint>

namespace interchange {

// Tenths of a degree brought into (-1800, 1800].
inline int NormaliseTenths(int64_t tenths) {
    int64_t n = tenths % 3600;
    if (n < 0) n += 3600;
    return static_cast<int>(n > 1800 ? n - 3600 : n);
}

// Tenths of a degree to the nearest whole degree, halves upward: 101 -> 10, 105 -> 11, -455 -> -45.
inline int RoundToDegrees(int tenths) {
    const int shifted = tenths + 5;
    return shifted >= 0 ? shifted / 10 : -((-shifted + 9) / 10);
}

} // namespace interchange
