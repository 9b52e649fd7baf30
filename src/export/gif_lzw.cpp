#include "export/gif_lzw.h"

#include <algorithm>

namespace {

constexpr int kMaxCode = 4095; // codes are 12 bits at most; like giflib, the table is full at 4095
constexpr size_t kWindow = 2048;

size_t SlotOf(uint32_t key) {
    return (key * 2654435761u) >> 19;
} // 13 bits: 8192 slots

} // namespace

std::vector<uint8_t> cGifLzw::compress(const uint8_t* pixels, size_t count, int codeBits,
                                       eGifLzwClear clear) {
    std::vector<uint8_t> out;
    out.reserve(count / 2 + 16);
    run(pixels, count, codeBits, clear, &out);
    return out;
}

size_t cGifLzw::compressedSize(const uint8_t* pixels, size_t count, int codeBits, eGifLzwClear clear) {
    run(pixels, count, codeBits, clear, nullptr);
    const size_t bytes = (bits_ + 7) / 8;
    return bytes + (bytes + 254) / 255; // a length byte for every block of up to 255
}

std::vector<uint8_t> cGifLzw::compressSmallest(const uint8_t* pixels, size_t count, int codeBits) {
    std::vector<uint8_t> best = compress(pixels, count, codeBits, kGifClearAtOnce);
    // The ways differ only once the table is full, and the last two only once the second clears.
    if (!filled_) return best;
    for (eGifLzwClear clear : {kGifClearWhenWorse, kGifNeverClear}) {
        std::vector<uint8_t> other = compress(pixels, count, codeBits, clear);
        if (other.size() < best.size()) best = std::move(other);
        if (!clearedLate_) break;
    }
    return best;
}

void cGifLzw::run(const uint8_t* pixels, size_t count, int codeBits, eGifLzwClear clear,
                  std::vector<uint8_t>* out) {
    out_ = out;
    blockStart_ = size_t(-1);
    bpp_ = std::max(codeBits, 2);
    clear_ = 1 << bpp_;
    eoi_ = clear_ + 1;
    policy_ = clear;
    shiftDWord_ = 0;
    shiftState_ = 0;
    bits_ = 0;
    filled_ = clearedLate_ = false;
    reset(0);
    put(clear_);
    if (count == 0) return;
    int current = pixels[0];
    for (size_t i = 1; i < count; ++i) {
        const int pixel = pixels[i];
        const uint32_t key = uint32_t(current) << 8 | uint32_t(pixel);
        const int found = find(key);
        if (found >= 0) {
            current = found;
            continue;
        }
        put(current);
        current = pixel;
        if (running_ < kMaxCode) {
            insert(key, running_++);
            continue;
        }
        // The table is full: clear it now, later or never.
        filled_ = true;
        if (policy_ == kGifClearAtOnce || (policy_ == kGifClearWhenWorse && frozen_ && timeToClear(i))) {
            clearedLate_ = policy_ != kGifClearAtOnce;
            put(clear_);
            reset(i);
        } else if (!frozen_) {
            frozen_ = true;
            builtRatio_ = double(bits_ - bitsAtClear_) / double(std::max<size_t>(i - pixelAtClear_, 1));
            windowStart_ = i, windowBits_ = bits_;
        }
    }
    put(current);
    put(eoi_);
    while (shiftState_ > 0) { // the last bits, padded to a byte
        byte(uint8_t(shiftDWord_));
        shiftDWord_ >>= 8;
        shiftState_ = std::max(shiftState_ - 8, 0);
    }
}

// An empty table from pixel `at` on.
void cGifLzw::reset(size_t at) {
    running_ = eoi_ + 1;
    runningBits_ = bpp_ + 1;
    maxCode1_ = 1 << runningBits_;
    if (++generation_ >= 4096) { // the tags' 12 generation bits are used up: empty them for real
        std::fill(tags_.begin(), tags_.end(), 0u);
        generation_ = 1;
    }
    frozen_ = false;
    bitsAtClear_ = bits_;
    pixelAtClear_ = at;
}

// Once the table is full: whether the last window of pixels cost more bits a pixel than the pixels
// did on average while the table was built.
bool cGifLzw::timeToClear(size_t i) {
    if (i - windowStart_ < kWindow) return false;
    const double ratio = double(bits_ - windowBits_) / double(i - windowStart_);
    windowStart_ = i, windowBits_ = bits_;
    return ratio > builtRatio_;
}

int cGifLzw::find(uint32_t key) const {
    const uint32_t tag = generation_ << 20 | key;
    for (size_t s = SlotOf(key);; s = (s + 1) & (kSlots - 1)) {
        if (tags_[s] >> 20 != generation_) return -1;
        if (tags_[s] == tag) return codes_[s];
    }
}

void cGifLzw::insert(uint32_t key, int code) {
    size_t s = SlotOf(key);
    while (tags_[s] >> 20 == generation_)
        s = (s + 1) & (kSlots - 1);
    tags_[s] = generation_ << 20 | key;
    codes_[s] = uint16_t(code);
}

// Packs one code, least significant bits first, and widens the codes as the table grows.
void cGifLzw::put(int code) {
    bits_ += size_t(runningBits_);
    if (out_) {
        shiftDWord_ |= uint32_t(code) << shiftState_;
        shiftState_ += runningBits_;
        while (shiftState_ >= 8) {
            byte(uint8_t(shiftDWord_));
            shiftDWord_ >>= 8;
            shiftState_ -= 8;
        }
    }
    if (running_ >= maxCode1_ && code <= kMaxCode) maxCode1_ = 1 << ++runningBits_;
}

void cGifLzw::byte(uint8_t b) {
    if (blockStart_ == size_t(-1) || (*out_)[blockStart_] == 255) {
        blockStart_ = out_->size();
        out_->push_back(0);
    }
    out_->push_back(b);
    ++(*out_)[blockStart_];
}
