#pragma once
// GIF image data compression (variable-length LZW), for writing through giflib's EGifPutCode.
// A full code table (4095 codes, as giflib counts) can be cleared at once, which gives giflib's own
// encoder's bytes; or kept in use (a deferred clear, which decoders follow) until it codes worse
// than it did while it was built, or to the end.

#include <cstddef>
#include <cstdint>
#include <vector>

enum eGifLzwClear { kGifClearAtOnce, kGifClearWhenWorse, kGifNeverClear };

// One encoder, its code table kept between calls (one object per thread).
class cGifLzw {
  public:
    // Compresses pixel indices (each below 2^codeBits) with the minimum code size max(codeBits, 2).
    // Returns the data sub-blocks (a length byte and up to 255 bytes each), without the code-size
    // byte before them and the empty block after them.
    std::vector<uint8_t> compress(const uint8_t* pixels, size_t count, int codeBits, eGifLzwClear clear);
    // The size of what Compress returns, without building it.
    size_t compressedSize(const uint8_t* pixels, size_t count, int codeBits, eGifLzwClear clear);
    // The smallest of the three ways.
    std::vector<uint8_t> compressSmallest(const uint8_t* pixels, size_t count, int codeBits);

  private:
    void run(const uint8_t* pixels, size_t count, int codeBits, eGifLzwClear clear,
             std::vector<uint8_t>* out);
    void reset(size_t at);
    bool timeToClear(size_t i);
    int find(uint32_t key) const;
    void insert(uint32_t key, int code);
    void put(int code);
    void byte(uint8_t b);

    static constexpr size_t kSlots = 8192;
    std::vector<uint32_t> tags_ = std::vector<uint32_t>(kSlots); // generation << 20 | key; stale = empty
    std::vector<uint16_t> codes_ = std::vector<uint16_t>(kSlots);
    uint32_t generation_ = 0;

    std::vector<uint8_t>* out_ = nullptr; // null: count only
    size_t blockStart_ = 0;
    int bpp_ = 2, clear_ = 4, eoi_ = 5;
    eGifLzwClear policy_ = kGifClearAtOnce;
    int running_ = 0, runningBits_ = 0, maxCode1_ = 0;
    uint32_t shiftDWord_ = 0;
    int shiftState_ = 0;
    size_t bits_ = 0; // written so far
    bool frozen_ = false;
    bool filled_ = false, clearedLate_ = false; // the last run filled the table; cleared it after a delay
    size_t bitsAtClear_ = 0, pixelAtClear_ = 0, windowStart_ = 0, windowBits_ = 0;
    double builtRatio_ = 0; // bits a pixel from the last clear until the table was full
};
