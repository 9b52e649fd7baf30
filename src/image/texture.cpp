#include "image/texture.h"

#include <atomic>
#include <cstring>

uint64_t cTexture::nextContent() {
    static std::atomic<uint64_t> counter{0};
    return counter.fetch_add(1, std::memory_order_relaxed) + 1;
}

bool cTexture::create(int width, int height) {
    release();
    if (width < 1 || height < 1) return false;
    try {
        pixels_.assign(size_t(width) * size_t(height) * 4, 0);
    } catch (...) {
        return false;
    }
    width_ = width;
    height_ = height;
    content_ = nextContent();
    return true;
}

void cTexture::release() {
    pixels_.clear();
    pixels_.shrink_to_fit();
    width_ = height_ = 0;
    content_ = nextContent();
}

uint32_t cTexture::pixel(int x, int y) const {
    uint32_t v;
    std::memcpy(&v, row(y) + size_t(x) * 4, 4);
    return v;
}
