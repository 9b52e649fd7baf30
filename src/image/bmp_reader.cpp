// Windows BMP decoder: 1, 4, 8, 16, 24 and 32 bits; BI_RGB, BI_BITFIELDS (and BI_ALPHABITFIELDS),
// RLE8 and RLE4; bottom-up and top-down rows; core (12-byte), info (40) and V2 to V5 headers.
// The result has row 0 at the top and table entries with alpha 0 (a BMP table carries no alpha).

#include "image/picture_loader.h"
#include "image/pixel_ops.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

enum : uint32_t { kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3, kBiAlphaBitfields = 6 };

uint32_t U16(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8;
}
uint32_t U32(const uint8_t* p) {
    return U16(p) | U16(p + 2) << 16;
}

// Run-length decoding into a bottom-up image (file row 0 = picture bottom). A run that passes the
// row's end is clipped there (writers that encode the row padding produce such runs); the pixels
// past the end are dropped until the next end of line or delta.
bool DecodeRle(const uint8_t* p, size_t n, bool rle4, cDib& dib) {
    const int w = dib.width(), h = dib.height();
    int x = 0, y = 0;
    size_t i = 0;
    auto put = [&](int index) {
        if (x < w) dib.writeIndex(x++, h - 1 - y, index);
    };
    for (;;) {
        if (i + 2 > n) return y >= h; // data ran out: fine only once every row was reached
        uint32_t c = p[i], v = p[i + 1];
        i += 2;
        if (c > 0) {
            if (y >= h) return false; // a run past the image
            for (uint32_t k = 0; k < c; ++k)
                put(rle4 ? int((k & 1) ? (v & 15) : (v >> 4)) : int(v));
        } else if (v == 0) { // end of line
            x = 0;
            if (++y > h) return false;
        } else if (v == 1) { // end of bitmap
            return true;
        } else if (v == 2) { // delta
            if (i + 2 > n) return false;
            x += p[i];
            y += p[i + 1];
            i += 2;
            if (x > w || y > h) return false;
        } else { // absolute run of v pixels
            size_t bytes = rle4 ? (v + 1) / 2 : v;
            bytes = (bytes + 1) & ~size_t(1);
            if (i + bytes > n || y >= h) return false;
            for (uint32_t k = 0; k < v; ++k) {
                uint8_t b = p[i + (rle4 ? k / 2 : k)];
                put(rle4 ? int((k & 1) ? (b & 15) : (b >> 4)) : int(b));
            }
            i += bytes;
        }
    }
}

} // namespace

bool DecodeBmp(std::span<const uint8_t> bytes, const strLoadLimits& limits, strDecodedPicture& out) {
    out = {};
    const uint8_t* d = bytes.data();
    const size_t n = bytes.size();
    if (n < 14 + 12 || d[0] != 'B' || d[1] != 'M') return false;
    const uint32_t offBits = U32(d + 10);
    const uint32_t hdrSize = U32(d + 14);
    if (hdrSize != 12 && hdrSize != 40 && hdrSize != 52 && hdrSize != 56 && hdrSize != 108 && hdrSize != 124)
        return false;
    if (14 + size_t(hdrSize) > n) return false;
    const uint8_t* hd = d + 14;
    int64_t width, height;
    uint32_t bits, compression = kBiRgb, clrUsed = 0;
    size_t entrySize = 4;
    if (hdrSize == 12) {
        width = U16(hd + 4);
        height = U16(hd + 6);
        bits = U16(hd + 10);
        entrySize = 3;
    } else {
        width = int32_t(U32(hd + 4));
        height = int32_t(U32(hd + 8));
        bits = U16(hd + 14);
        compression = U32(hd + 16);
        clrUsed = U32(hd + 32);
    }
    const bool topDown = height < 0;
    if (topDown) height = -height;
    if (width < 1 || height < 1 || width > limits.maxSide || height > limits.maxSide) return false;
    if (!CheckPictureBudget(width, height, limits, out)) return false;
    if (!cDib::isValidDepth(int(bits))) return false;

    // Masks: in the header from V2 on, else after a 40-byte header for the bit-field compressions.
    size_t pos = 14 + hdrSize;
    uint32_t masks[4] = {0, 0, 0, 0};
    bool hasMasks = false;
    if (compression == kBiBitfields || compression == kBiAlphaBitfields) {
        if (bits != 16 && bits != 32) return false;
        hasMasks = true;
        // The masks start at byte 40 of the header: a 52-byte header holds R, G, B, one of 56 bytes
        // or more all four; those the header has no room for follow it.
        const size_t count = hdrSize >= 56 || compression == kBiAlphaBitfields ? 4 : 3;
        const size_t inHeader = std::min(count, size_t(hdrSize - 40) / 4);
        if (pos + (count - inHeader) * 4 > n) return false;
        for (size_t k = 0; k < count; ++k)
            masks[k] = U32(hd + 40 + 4 * k); // hd + 40 + 4 * k == d + pos + 4 * (k - inHeader)
        pos += (count - inHeader) * 4;
        if (!masks[0] || !masks[1] || !masks[2]) return false;
    } else if (compression == kBiRle8) {
        if (bits != 8 || topDown) return false;
    } else if (compression == kBiRle4) {
        if (bits != 4 || topDown) return false;
    } else if (compression != kBiRgb) {
        return false; // JPEG, PNG or unknown payloads
    }

    // Colour table: the colour-used count, or 2^bits when it is 0; it must lie inside the file.
    int tableLen = 0;
    if (bits <= 8) {
        if (clrUsed > (1u << bits)) return false;
        tableLen = clrUsed ? int(clrUsed) : 1 << bits;
        if (pos + size_t(tableLen) * entrySize > n) return false;
    }
    std::vector<uint32_t> table(static_cast<size_t>(tableLen));
    for (int k = 0; k < tableLen; ++k) {
        const uint8_t* e = d + pos + size_t(k) * entrySize;
        table[size_t(k)] = uint32_t(e[2]) << 16 | uint32_t(e[1]) << 8 | e[0];
    }
    pos += size_t(tableLen) * entrySize;

    // Check the pixel data against the file before allocating the picture.
    size_t pixelPos = offBits ? offBits : pos;
    if (pixelPos > n) return false;
    const uint8_t* px = d + pixelPos;
    size_t avail = n - pixelPos;
    const bool rle = compression == kBiRle8 || compression == kBiRle4;
    const size_t stride = size_t(cDib::strideOf(int(width), int(bits)));
    if (rle) {
        uint32_t sizeImage = U32(hd + 20);
        if (sizeImage && sizeImage < avail) avail = sizeImage;
        if (!DecodedSizeIsBacked(uint64_t(width) * uint64_t(height), avail, 1024)) return false;
    } else if (stride * size_t(height) > avail) {
        return false; // the pixel data must be in the file
    }

    auto dib = cDib::create(int(width), int(height), int(bits), tableLen, hasMasks ? masks : nullptr);
    if (!dib) return false;
    if (tableLen) dib->table() = std::move(table);
    if (rle) {
        if (!DecodeRle(px, avail, compression == kBiRle4, *dib)) return false;
    } else {
        for (int64_t y = 0; y < height; ++y)
            std::memcpy(dib->row(int(topDown ? y : height - 1 - y)), px + size_t(y) * stride, stride);
    }

    if (bits == 32) {
        // Everything after the loader reads bytes B, G, R, A: other channel layouts are converted, and
        // a file without any alpha (its fourth byte all 0) becomes opaque.
        if (dib->layoutCode() == 0) {
            dib = ConvertBitDepth(*dib, 32, kLayoutArgb32);
            if (!dib) return false;
        } else {
            bool anyAlpha = false;
            const uint8_t* p = dib->pixels();
            for (size_t k = 3; k < dib->pixelBytes() && !anyAlpha; k += 4)
                anyAlpha = p[k] != 0;
            if (!anyAlpha) FillOpaqueAlpha(*dib);
        }
    }
    out.dib = std::move(dib);
    out.sourceDepth = int(bits);
    return true;
}
