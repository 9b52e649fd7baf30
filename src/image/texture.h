#pragma once
// A texture of the software drawing device: a 32-bit image, bytes B, G, R, A per pixel, row 0 at the
// top, rows of exactly width x 4 bytes. Empty until created.
//
// content() names the texture's content for caches of what is drawn from it: it changes whenever
// the pixels may have changed (Create, Release, every call of the writable Row), and two textures
// share it only when one is a copy of the other that neither has changed since. Write through a
// pointer from Row only before the texture is next drawn from.

#include <cstddef>
#include <cstdint>
#include <vector>

class cTexture {
  public:
    // A zero-filled (transparent black) texture; false for a size below 1 or when memory is short.
    bool create(int width, int height);
    void release();
    bool isEmpty() const { return pixels_.empty(); }
    int width() const { return width_; }
    int height() const { return height_; }
    int pitch() const { return width_ * 4; }
    uint8_t* row(int y) {
        content_ = nextContent();
        return pixels_.data() + size_t(y) * size_t(pitch());
    }
    const uint8_t* row(int y) const { return pixels_.data() + size_t(y) * size_t(pitch()); }
    // Pixel (x, y) as 0xAARRGGBB.
    uint32_t pixel(int x, int y) const;
    uint64_t content() const { return content_; }

  private:
    static uint64_t nextContent();

    uint64_t content_ = 0;
    int width_ = 0, height_ = 0;
    std::vector<uint8_t> pixels_;
};
