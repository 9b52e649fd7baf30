#pragma once
// The 22-byte cell record shared by the binary project format and the edit clipboard:
// picture, 0, pattern (u16), drawing method, 0, x, y, magnification x, y, angle (i16 each),
// opacity, red, green, blue, saturation, 0. Little-endian.

#include "document/cell.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kCellBytes = 22;

inline void EncodeCell(const strCell& c, uint8_t* out) {
    auto put16 = [out](int o, int v) {
        out[o] = static_cast<uint8_t>(v & 0xFF);
        out[o + 1] = static_cast<uint8_t>((v >> 8) & 0xFF);
    };
    out[0] = c.picture;
    out[1] = 0;
    put16(2, c.pattern);
    out[4] = c.blend;
    out[5] = 0;
    put16(6, c.x);
    put16(8, c.y);
    put16(10, c.mx);
    put16(12, c.my);
    put16(14, c.angle);
    out[16] = c.opacity;
    out[17] = c.red;
    out[18] = c.green;
    out[19] = c.blue;
    out[20] = c.saturation;
    out[21] = 0;
}

inline strCell DecodeCell(const uint8_t* in) {
    auto s16 = [in](int o) { return static_cast<int16_t>(in[o] | in[o + 1] << 8); };
    strCell c;
    c.picture = in[0];
    c.pattern = static_cast<uint16_t>(in[2] | in[3] << 8);
    c.blend = in[4];
    c.x = s16(6);
    c.y = s16(8);
    c.mx = s16(10);
    c.my = s16(12);
    c.angle = s16(14);
    c.opacity = in[16];
    c.red = in[17];
    c.green = in[18];
    c.blue = in[19];
    c.saturation = in[20];
    return c;
}
