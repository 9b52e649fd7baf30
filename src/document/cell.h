#pragma once
// One sprite placement: a pattern of a picture with position, scale, angle, opacity and tone.

#include <cstdint>

struct strCell {
    uint8_t picture = 0;    // index into the pictures
    uint16_t pattern = 1;   // 1-based pattern inside the picture's grid
    uint8_t blend = 0;      // 0 normal, 1 add, 2 subtract, 3 multiply (4 stored as is)
    int16_t x = 0;          // pixels from the centre position
    int16_t y = 0;
    int16_t mx = 100;       // magnification percent; negative mirrors
    int16_t my = 100;
    int16_t angle = 0;      // tenths of a degree
    uint8_t opacity = 255;  // 255 opaque
    uint8_t red = 100;      // tone percent, 100 unchanged
    uint8_t green = 100;
    uint8_t blue = 100;
    uint8_t saturation = 100;

    bool operator==(const strCell&) const = default;

    // The neutral cell: the new-cell default with opacity 0. It is the baseline of the text
    // format's difference coding and what a cell dialog shows for an empty slot.
    static strCell neutral() {
        strCell c;
        c.opacity = 0;
        return c;
    }
};
