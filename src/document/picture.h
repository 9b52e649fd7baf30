#pragma once
#include <cstdint>
#include <string>

// One source image, split into divX × divY patterns.
struct strPicture {
    uint16_t divX = 1;
    uint16_t divY = 1;
    uint16_t hue = 0;   // degrees, 0..360
    std::string path{}; // project code page, at most 255 bytes

    bool operator==(const strPicture&) const = default;
};
