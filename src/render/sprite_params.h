#pragma once
// Draw requests of the software drawing device: one sprite (a pattern of a
// picture slot) or one filled rectangle, with blend mode, geometry, opacity, tone and mode flags.

#include <cstdint>

class cPictureSlot;

// Mode flags of a sprite request.
inline constexpr uint32_t kSpriteSilhouette = 1;  // the pattern's shape in the flat tone colour
inline constexpr uint32_t kSpriteColourFlash = 4; // blend towards the tone colour by the fourth value
inline constexpr uint32_t kSpriteToneFlash = 8;   // tone centred at 128 (target flash, "Add")
// Rectangle flag: cover the whole current target.
inline constexpr uint32_t kRectWholeTarget = 2;

// Blend modes of the device (colour channels; the alpha channel is "over", D.a = a + D.a (1 - a),
// except where noted). Cell blend values 0..4 select modes 1..5.
enum eBlendMode : int {
    kBlendReplace = 0,     // off: D = source (alpha included)
    kBlendAlpha = 1,       // D = c a + D (1 - a)
    kBlendAdd = 2,         // D = D + c a
    kBlendRevSubtract = 3, // D = D - c a
    kBlendMultiply = 4,    // D = D c' (c' faded to white); D.a kept
    kBlendInvDest = 5,     // D = c' a + D (1 - D) (c' faded to black)
    kBlendDestColour = 8,  // D = c D (spare); D.a kept
    kBlendAlpha2 = 10,     // as 1
};

// The device mode of a cell blend value (drawing method): 0..4 give 1..5, anything else 0.
inline int DeviceBlendMode(int cellBlend) {
    return cellBlend >= 0 && cellBlend <= 4 ? cellBlend + 1 : kBlendReplace;
}

struct strSpriteParams {
    const cPictureSlot* slot = nullptr;
    int pattern = 1;    // 1-based; pattern index = pattern - 1
    int blend = 0;      // cell blend value (drawing method), see DeviceBlendMode
    float x = 0, y = 0; // centre, pixels from the target's centre (or view coordinates)
    float scaleX = 1, scaleY = 1;
    float angle = 0;                    // degrees, clockwise on screen
    int opacity = 255;                  // clamped to 0..255; below 1 draws nothing
    int tone[4] = {100, 100, 100, 100}; // red, green, blue, saturation (flags 4: colour and alpha)
    int depth = 1;                      // kept for the canvas; the CPU device draws in request order
    uint8_t screenSpace = 0;            // 0: through the view (origin, zoom); 1: as given
    uint32_t flags = 0;                 // kSprite...

    bool hasTone() const { return tone[0] != 100 || tone[1] != 100 || tone[2] != 100 || tone[3] != 100; }
};

struct strRectParams {
    float x = 0, y = 0; // centre of the rectangle, pixels from the target's centre
    float width = 0, height = 0;
    int alpha = 255, red = 0, green = 0, blue = 0;
    int blend = 0; // cell blend value
    int depth = 1;
    uint8_t screenSpace = 0;
    uint32_t flags = 0; // kRectWholeTarget
};
