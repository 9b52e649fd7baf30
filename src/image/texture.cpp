#include "image/texture.h"

#include <atomic>
#include <cstring>

uint64_t cTexture::NextContent() {
    static std::atomic<uint64_t> counter{0};
    return counter.fetch_add(1, std::memory_order_relaxed) + 1;
}

bool cTexture::Create(int width, int height) {
    Release();
    if (width < 1 || height < 1) return false;
    try {
        pixels_.assign(size_t(width) * size_t(height) * 4, 0);
    } catch (...) {
        return false;
    }
    width_ = width;
    height_ = height;
    content_ = NextContent();
    return true;
}

void cTexture::Release() {
    pixels_.clear();
    pixels_.shrink_to_fit();
    width_ = height_ = 0;
    content_ = NextContent();
}

uint32_t cTexture::Pixel(int x, int y) const {
    uint32_t v;
    std::memcpy(&v, Row(y) + size_t(x) * 4, 4);
    return v;
}
