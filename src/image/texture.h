#pragma once
// A texture of the software drawing device: a 32-bit image, bytes B, G, R, A per pixel, row 0 at the
// top, rows of exactly width x 4 bytes. Empty until created.

#include <cstddef>
#include <cstdint>
#include <vector>

class cTexture {
  public:
    // A zero-filled (transparent black) texture; false for a size below 1 or when memory is short.
    bool Create(int width, int height);
    void Release();
    bool IsEmpty() const { return pixels_.empty(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Pitch() const { return width_ * 4; }
    uint8_t* Row(int y) { return pixels_.data() + size_t(y) * size_t(Pitch()); }
    const uint8_t* Row(int y) const { return pixels_.data() + size_t(y) * size_t(Pitch()); }
    // Pixel (x, y) as 0xAARRGGBB.
    uint32_t Pixel(int x, int y) const;

  private:
    int width_ = 0, height_ = 0;
    std::vector<uint8_t> pixels_;
};
