#pragma once
// The one in-memory image type: cDib, the pixel store that stands in for the platform's
// device-independent bitmap, and cBMP, which owns one cDib together with the program's own colour
// table with alpha (cPalette) and an optional colour key.
//
// Layout of a cDib: depth 1, 4, 8, 16, 24 or 32 bits per pixel; rows padded to 4 bytes
// (stride = ((width * bits + 31) / 32) * 4); memory row 0 is the top row. 8 bits = one palette index
// per byte (1 and 4 bits packed, most significant bits first); 24 bits = B, G, R; 32 bits = B, G, R, A
// (a little-endian 0xAARRGGBB); 16 bits = 5-5-5 unless masks say otherwise. Colour-table entries are
// 32-bit values 0xAARRGGBB (bytes B, G, R, A).

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

// The largest picture side any bitmap may have; bigger requests fail.
inline constexpr int kMaxPictureSide = 16384;

// Channel layout codes.
inline constexpr int32_t kLayout555 = 0x7C3E1F;
inline constexpr int32_t kLayout565 = 0xF87E1F;
inline constexpr int32_t kLayoutRgb32 = 0xFFFFFF;
inline constexpr int32_t kLayoutArgb32 = -1;

// The pixel store: a device-independent bitmap with header, optional masks and colour table.
class cDib {
  public:
    // A zero-filled bitmap. tableEntries is the colour-used count of the header (0 = 2^bits for
    // depths up to 8; ignored above 8). masks, when given, are R, G, B, A (A may be 0) and are kept only
    // for 16 and 32 bits. Null for an invalid depth, a side outside 1..kMaxPictureSide, a table larger
    // than 2^bits, or when memory cannot be had.
    static std::unique_ptr<cDib> create(int width, int height, int bits, int tableEntries = 0,
                                        const uint32_t* masks = nullptr);
    static bool isValidDepth(int bits) {
        return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    }
    static int strideOf(int width, int bits) {
        return static_cast<int>(((int64_t(width) * bits + 31) / 32) * 4);
    }

    int width() const { return width_; }
    int height() const { return height_; }
    int bits() const { return bits_; }
    int stride() const { return stride_; }
    // Number of colour-table entries (the header's colour-used count with 0 resolved to 2^bits);
    // 0 above 8 bits.
    int colourUsed() const { return static_cast<int>(table_.size()); }
    uint8_t* row(int y) { return pixels_.data() + size_t(y) * size_t(stride_); }
    const uint8_t* row(int y) const { return pixels_.data() + size_t(y) * size_t(stride_); }
    uint8_t* pixels() { return pixels_.data(); }
    const uint8_t* pixels() const { return pixels_.data(); }
    size_t pixelBytes() const { return pixels_.size(); }

    // Colour table (depths up to 8): entries 0xAARRGGBB.
    std::vector<uint32_t>& table() { return table_; }
    const std::vector<uint32_t>& table() const { return table_; }

    // Explicit channel masks (16 and 32 bits, "bit fields"); hasMasks false means the default layout.
    bool hasMasks() const { return hasMasks_; }
    const uint32_t* masks() const { return masks_; }
    // The layout code of a 16- or 32-bit bitmap, 0 for other depths.
    int32_t layoutCode() const;

    // Reads pixel (x, y) as 0xAARRGGBB, the way the platform reads pixels at 32 bits: indexed pixels
    // give their table colour with alpha 0 (an index past the table gives black), 16 and 24 bits give
    // alpha 0, 32 bits give byte 3 (or the alpha mask's channel) as alpha.
    uint32_t readPixel(int x, int y) const;
    // The raw palette index of an indexed pixel (0 for other depths).
    int readIndex(int x, int y) const;
    void writeIndex(int x, int y, int index);

  private:
    cDib() = default;
    int width_ = 0, height_ = 0, bits_ = 0, stride_ = 0;
    bool hasMasks_ = false;
    uint32_t masks_[4] = {0, 0, 0, 0};
    std::vector<uint8_t> pixels_;
    std::vector<uint32_t> table_;
};

// The program's own colour table with alpha: entries 0xAARRGGBB.
class cPalette {
  public:
    virtual ~cPalette() = default;
    // Frees the old table; fails for count < 1; copies count entries or zero-fills them.
    bool set(const uint32_t* entries, int count);
    void clear();
    int count() const { return static_cast<int>(entries_.size()); }
    const uint32_t* entries() const { return entries_.empty() ? nullptr : entries_.data(); }
    uint32_t* entries() { return entries_.empty() ? nullptr : entries_.data(); }

  private:
    std::vector<uint32_t> entries_;
};

// An attached bitmap with its description, colour key and palette.
class cBMP {
  public:
    cBMP() = default;
    virtual ~cBMP() = default;
    cBMP(const cBMP&) = delete;
    cBMP& operator=(const cBMP&) = delete;

    // Takes ownership of dib (destroying any current bitmap). key, when given (any value >= 0), is
    // 0x00RRGGBB and is stored with its top byte set to 255; -1 means no key (field 0). False for a
    // null dib.
    bool attach(std::unique_ptr<cDib> dib, int64_t key = -1);
    // Releases the bitmap, zeroes the description, clears the palette.
    void destroy();
    // Takes the bitmap out (the description and palette are cleared as by Destroy).
    std::unique_ptr<cDib> detach();

    bool isAttached() const { return dib_ != nullptr; }
    bool getSize(int& width, int& height) const;
    int getStride() const { return stride_; }
    int getBitCount() const { return bits_; }
    int getColourUsed() const { return colourUsed_; }
    uint8_t* getBits() { return bitsPtr_; }
    const uint8_t* getBits() const { return bitsPtr_; }
    uint32_t getColourKey() const { return key_; }
    // The palette entry at index, or null when the index is not below the palette's count.
    const uint32_t* getPaletteEntry(int index) const;
    // For a bitmap of at most 8 bits with a colour table: copies the table into the palette, making
    // every alpha 255 when no entry has a non-zero alpha. False when there is nothing to take.
    bool takePaletteFromTable();

    cPalette& palette() { return palette_; }
    const cPalette& palette() const { return palette_; }
    cDib* dib() { return dib_.get(); }
    const cDib* dib() const { return dib_.get(); }

  private:
    uint32_t key_ = 0;
    std::unique_ptr<cDib> dib_;
    int width_ = 0, height_ = 0, stride_ = 0, bits_ = 0, colourUsed_ = 0;
    uint8_t* bitsPtr_ = nullptr;
    cPalette palette_;
};
