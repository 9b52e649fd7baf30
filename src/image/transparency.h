#pragma once
// The five transparent-colour methods.

#include "image/bmp.h"

#include <cstdint>

// Methods as listed in "TransType": alpha of the image, palette number 0, upper-left dot, black,
// automatic.
enum eTransMethod : int {
    kTransAlpha = 0,
    kTransPalette0 = 1,
    kTransUpperLeft = 2,
    kTransBlack = 3,
    kTransAuto = 4
};

// Flag bits (bits 1 to 4 of a division request).
inline constexpr uint32_t kTransFlagPalette0 = 2;
inline constexpr uint32_t kTransFlagUpperLeft = 4;
inline constexpr uint32_t kTransFlagBlack = 8;
inline constexpr uint32_t kTransFlagAuto = 16;
inline constexpr uint32_t kTransFlagMask = 0x1E;

inline constexpr uint32_t kNoColourKey = 0xFF000000u;
inline constexpr uint32_t kNoTransIndex = 65535;

// Method 0..4 to its flag word (0, 2, 4, 8, 16); other values give 0.
uint32_t TransFlagsOfMethod(int method);

// The transparent colour key (0x00RRGGBB or kNoColourKey) and palette index (or kNoTransIndex) that
// the flags give for a picture.
void ComputeTransparency(const cBMP& picture, uint32_t flags, uint32_t& key, uint32_t& index);
