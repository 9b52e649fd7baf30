#pragma once
// Product codes and clipboard formats of the RPG Maker interchange.

#include "platform/clipboard.h"

#include <cstdint>

namespace interchange {

// The integer that selects a codec.
enum eProduct : int {
    kProduct2000 = 0,
    kProduct2003 = 1,  // never dispatched
    kProductXP = 2,
    kProductVX = 3,
    kProductVXAce = 4,
    kProductMV = 5,
};

// Registered clipboard format names. RPG Maker 2000 uses the fixed numeric format
// platform::cClipboard::kFormat2000 (582) without a name.
inline constexpr const char* kFormatNameXP = "RPGXP ANIMATION";
inline constexpr const char* kFormatNameVX = "RPGVX ANIMATION";
inline constexpr const char* kFormatNameVXAce = "VX Ace ANIMATION";
inline constexpr const char* kFormatNameMV = "application/rpgmv-animations";
inline constexpr const char* kFormatNameEdit = "PELKO_EDIT";

// The Marshal format name of product 2, 3 or 4; nullptr for any other product.
inline const char* MarshalFormatName(int product) {
    switch (product) {
    case kProductXP: return kFormatNameXP;
    case kProductVX: return kFormatNameVX;
    case kProductVXAce: return kFormatNameVXAce;
    default: return nullptr;
    }
}

// The clipboard format number of a product (2000: 582; the others registered by name); 0 for a
// product without a format.
inline uint32_t ProductFormat(platform::cClipboard& clip, int product) {
    switch (product) {
    case kProduct2000: return platform::cClipboard::kFormat2000;
    case kProductXP:
    case kProductVX:
    case kProductVXAce: return clip.registerFormat(MarshalFormatName(product));
    case kProductMV: return clip.registerFormat(kFormatNameMV);
    default: return 0;
    }
}

}  // namespace interchange
