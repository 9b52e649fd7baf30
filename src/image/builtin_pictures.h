#pragma once
// The program's built-in bitmaps, drawn by code and kept as BMP files in memory (the stand-in for
// the original's bitmap resources), so that they load through the same BMP path as picture files.
//   "BITMAP_ERCELL": the error picture, 32 x 32, 4 bits: a red frame with a red cross on index 0
//                    (which the Palette number 0 method makes transparent).
//   "BITMAP_LABEL":  label glyphs for the canvas overlays: the digits 0 to 9 in cells of
//                    kLabelCellWidth x kLabelCellHeight, side by side, 1 bit (white on black).

#include <cstdint>
#include <string>
#include <vector>

inline constexpr int kLabelCellWidth = 8;
inline constexpr int kLabelCellHeight = 10;

// The BMP bytes of a built-in bitmap, or null for an unknown name.
const std::vector<uint8_t>* BuiltinBitmapResource(const std::string& name);
