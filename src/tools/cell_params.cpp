#include "tools/cell_params.h"

std::vector<std::string> CellParamNames() {
    std::vector<std::string> out;
    std::string item;
    for (const char* p = kCellParamList;; ++p) {
        if (*p == ',' || *p == '\0') {
            out.push_back(item);
            item.clear();
            if (!*p) break;
        } else {
            item += *p;
        }
    }
    return out;
}

uint32_t CellParamBits(const std::vector<uint8_t>& checks) {
    uint32_t bits = 0;
    for (int i = 0; i < kCellParamCount && i < static_cast<int>(checks.size()); ++i)
        if (checks[i]) bits |= CellParamBit(i);
    return bits;
}

int CellParamWidth(int i) {
    switch (i) {
    case 1:
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
        return 16;
    default:
        return 8;
    }
}

bool CellParamSigned(int i) {
    return i >= 3 && i <= 7;
}

int32_t GetCellParam(const strCell& c, int i) {
    switch (i) {
    case 0:
        return c.picture;
    case 1:
        return c.pattern;
    case 2:
        return c.blend;
    case 3:
        return c.x;
    case 4:
        return c.y;
    case 5:
        return c.mx;
    case 6:
        return c.my;
    case 7:
        return c.angle;
    case 8:
        return c.opacity;
    case 9:
        return c.red;
    case 10:
        return c.green;
    case 11:
        return c.blue;
    case 12:
        return c.saturation;
    default:
        return 0;
    }
}

void SetCellParam(strCell& c, int i, int32_t v) {
    const auto u8 = static_cast<uint8_t>(static_cast<uint32_t>(v) & 0xFFu);
    const auto u16 = static_cast<uint16_t>(static_cast<uint32_t>(v) & 0xFFFFu);
    const auto s16 = static_cast<int16_t>(u16);
    switch (i) {
    case 0:
        c.picture = u8;
        break;
    case 1:
        c.pattern = u16;
        break;
    case 2:
        c.blend = u8;
        break;
    case 3:
        c.x = s16;
        break;
    case 4:
        c.y = s16;
        break;
    case 5:
        c.mx = s16;
        break;
    case 6:
        c.my = s16;
        break;
    case 7:
        c.angle = s16;
        break;
    case 8:
        c.opacity = u8;
        break;
    case 9:
        c.red = u8;
        break;
    case 10:
        c.green = u8;
        break;
    case 11:
        c.blue = u8;
        break;
    case 12:
        c.saturation = u8;
        break;
    default:
        break;
    }
}

int32_t InterpolateParam(int32_t a, int32_t b, float t) {
    const float d = static_cast<float>(b) - static_cast<float>(a);
    const float step = d * t;
    // A product outside the int range cannot arise from 16-bit fields and t in [0, 1]; guard anyway.
    if (!(step > -2147483648.0f && step < 2147483648.0f)) return a;
    return static_cast<int32_t>(static_cast<int64_t>(a) + static_cast<int32_t>(step));
}
