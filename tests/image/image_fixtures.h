#pragma once
// Picture files with known pixels, written by writers independent of the loaders under test:
// libpng for PNG, giflib for GIF, zlib for XYZ, and BMP bytes assembled field by field; and bitmaps
// built in memory from their pixel values.

#include "image/bmp.h"

#include <cstdint>
#include <string>
#include <vector>

namespace image_fixtures {

using Bytes = std::vector<uint8_t>;

// ---- PNG (libpng) ----
struct strPngFixture {
    int width = 0, height = 0;
    int colourType = 0; // PNG_COLOR_TYPE_*
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<Bytes> rows{};        // raw PNG rows (packed as the PNG stores them, big-endian 16-bit)
    std::vector<uint32_t> palette{};  // 0x00RRGGBB for PLTE
    std::vector<uint8_t> trnsAlpha{}; // tRNS of a palette image
    int trnsGrey = -1;                // tRNS grey value of a grey image
    double gamma = 0;                 // gAMA when > 0
};
Bytes MakePng(const strPngFixture& fx);

// ---- GIF (giflib) ----
struct strGifFrame {
    int left = 0, top = 0, width = 0, height = 0;
    bool interlaced = false;
    std::vector<uint32_t> localMap{}; // 0x00RRGGBB; empty = global map
    int transparent = -1;             // graphic control extension's transparent index
    std::vector<uint8_t> indices{};   // width x height, top row first (the writer handles interlace)
    int delay = 0, disposal = 0;      // a graphic control extension is written when any is set
};
// Extensions written after the screen descriptor: a NETSCAPE2.0 block (loopCount >= 0, with the
// buffer size when not 0), a comment, and a plain text (grid 1,2 3x4, cells 5x6, colours 7 and 8)
// preceded by a graphic control of its own (delay 77).
struct strGifExtensions {
    int loopCount = -1;
    uint32_t bufferSize = 0;
    std::string comment;
    std::string plainText;
};
Bytes MakeGif(int screenWidth, int screenHeight, const std::vector<uint32_t>& globalMap,
              const std::vector<strGifFrame>& frames, const strGifExtensions& extensions = {});

// ---- XYZ (zlib) ----
// palette: 256 entries 0x00RRGGBB; indices width x height. extra bytes are appended to the inflated
// data, cut bytes removed from its end, before compressing.
Bytes MakeXyz(int width, int height, const std::vector<uint32_t>& palette,
              const std::vector<uint8_t>& indices, int extraBytes = 0, int cutBytes = 0);

// ---- BMP (by hand) ----
struct strBmpFixture {
    int width = 0, height = 0; // height negative for top-down
    int bits = 8;
    uint32_t compression = 0;      // 0 RGB, 1 RLE8, 2 RLE4, 3 BITFIELDS, 6 ALPHABITFIELDS
    std::vector<uint32_t> table{}; // 0x00RRGGBB entries written (reserved byte = tableReserved)
    uint8_t tableReserved = 0;
    uint32_t clrUsed = 0;
    std::vector<uint32_t> masks{}; // written from byte 40 of the header on (inside it or after it)
    Bytes pixelData;               // exactly as stored in the file (file row order, padded)
    uint32_t headerSize = 40;      // 40, 52, 56, 108 or 124; the bytes past the masks are zero
};
Bytes MakeBmp(const strBmpFixture& fx);

// ---- bitmaps in memory ----
// A bitmap of w x h pixels from its values, top row first: palette indices up to 8 bits (with `table`
// as its colour table when given), else the pixel words (0xAARRGGBB; the low 2 or 3 bytes for 16 or 24
// bits).
std::unique_ptr<cDib> MakeDib(int w, int h, int bits, const std::vector<uint32_t>& values,
                              const std::vector<uint32_t>& table = {});
// MakeDib's bitmap attached to b, with the table as b's palette.
void Attach(cBMP& b, int w, int h, int bits, const std::vector<uint32_t>& values,
            const std::vector<uint32_t>& table = {});
// The stored value of every pixel, top row first, as MakeDib takes them.
std::vector<uint32_t> Values(const cDib& d);

} // namespace image_fixtures
