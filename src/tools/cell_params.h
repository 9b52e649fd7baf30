#pragma once
// The cell-parameter bit set shared by frame compensation and the batch edit:
// the 13 cell values in list order, bit 0x0001 for the first, doubling up to 0x1000, with the width
// and signedness of each field.

#include "document/cell.h"

#include <cstdint>
#include <string>
#include <vector>

enum eCellParam : uint32_t {
    kParamPicture = 0x0001,    // "Image number", 8-bit unsigned
    kParamPattern = 0x0002,    // "Pattern", 16-bit unsigned
    kParamBlend = 0x0004,      // "Drawing method", 8-bit unsigned
    kParamX = 0x0008,          // "Coordinate X", 16-bit signed
    kParamY = 0x0010,          // "Coordinate Y", 16-bit signed
    kParamMx = 0x0020,         // "Magnification X", 16-bit signed
    kParamMy = 0x0040,         // "Magnification Y", 16-bit signed
    kParamAngle = 0x0080,      // "Angle", 16-bit signed
    kParamOpacity = 0x0100,    // "Opaque", 8-bit unsigned
    kParamRed = 0x0200,        // "Red", 8-bit unsigned
    kParamGreen = 0x0400,      // "Green", 8-bit unsigned
    kParamBlue = 0x0800,       // "Blue", 8-bit unsigned
    kParamSaturation = 0x1000, // "Saturation", 8-bit unsigned
    kParamAll = 0x1FFF,
};

constexpr int kCellParamCount = 13;

// The list text of the "Param" lists.
constexpr const char* kCellParamList =
    "Image number,Pattern,Drawing method,Coordinate X,Coordinate Y,"
    "Magnification X,Magnification Y,Angle,Opaque,Red,Green,Blue,Saturation";
// The 13 list entries in order.
std::vector<std::string> CellParamNames();

// Bit of parameter index i (0..12); 0 outside.
constexpr uint32_t CellParamBit(int i) {
    return i >= 0 && i < kCellParamCount ? 1u << i : 0u;
}
// Bit set from 13 check flags (missing flags read as clear).
uint32_t CellParamBits(const std::vector<uint8_t>& checks);

// Field width in bits (8 or 16) and signedness of parameter index i.
int CellParamWidth(int i);
bool CellParamSigned(int i);

// The field's value, read signed for the signed fields and unsigned for the others.
int32_t GetCellParam(const strCell& c, int i);
// Stores v into the field by keeping its low 8 or 16 bits (no clamping).
void SetCellParam(strCell& c, int i, int32_t v);

// Linear interpolation in single precision: a + trunc((b - a) * t), the difference and
// the product in float, truncated toward zero.
int32_t InterpolateParam(int32_t a, int32_t b, float t);
