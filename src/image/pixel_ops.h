#pragma once
// Free pixel operations on cDib bitmaps. None changes its input unless said; every one
// fails (null, false or 0) on bad input instead of throwing.
//
// Where the original let the platform convert (reading pixels at another depth, colour-mapping a
// blit into an indexed bitmap) we do it here: each colour goes to the nearest table entry (squared
// RGB distance, lowest index on ties).

#include "image/bmp.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

// New bitmap of `depth`. layout is a layout code for 16 and 32 bits (kLayout565 gives
// 5-6-5; kLayoutArgb32 gives a 32-bit bitmap with alpha, made opaque when no pixel has alpha). For an
// invalid depth a plain copy is returned. Indexed results take the source's table when the source is
// indexed and its table fits, else the source's exact colours when they fit, else a fixed table
// (1 bit black/white, 4 bits the 16 VGA colours, 8 bits a 6x6x6 cube plus greys).
std::unique_ptr<cDib> ConvertBitDepth(const cDib& src, int depth, int32_t layout);

// Smallest indexed bitmap holding the source's colours; depth 0 lets it choose.
std::unique_ptr<cDib> ReduceToIndexed(const cDib& src, int depth, int32_t layout);

// Replaces a 1- or 4-bit bitmap by an 8-bit one with a 256-entry table (first the old entries, then
// black). False at 8 bits or more, or for a null bitmap.
bool ExpandToByteIndexed(std::unique_ptr<cDib>& dib);

// Swaps row i with row height-1-i, in place.
void FlipRows(cDib& dib);

// Sets byte 3 of every 4-byte group of the pixel memory to 255 (32-bit bitmaps only; false otherwise).
bool FillOpaqueAlpha(cDib& dib);

// Same header, masks, colour table and pixel bytes.
std::unique_ptr<cDib> DuplicateBitmap(const cDib& src);

// Distinct 32-bit pixel values of a 32-bit bitmap: out receives up to limit values in
// order of first appearance (the rest zeroed). 0 when a pixel has alpha bits, when there are more
// than limit colours, or for other depths.
int CountColours(int limit, uint32_t* out, const cDib& src);

// Sorts entries (0xAARRGGBB) by luma and drops adjacent RGB duplicates; returns the
// new count, the tail of the array zero-filled.
int SortPalette(int count, uint32_t* entries, bool ascending);

// Work memory of QuantizeColours. A caller that quantises many images passes the same one, so that the
// memory is taken once (fresh memory costs a page fault a page on first use).
struct strQuantizeScratch {
    std::vector<std::array<float, 3>> ych; // Y, Cb, Cr of each pixel
    std::vector<uint32_t> order, spare;    // pixel numbers
    std::vector<uint16_t> label;           // cluster of each pixel
};

// Mean-split colour quantisation in YCbCr space of a 24-bit bitmap to n colours, 2 <= n <= 512.
// The result is 1, 4 or 8 bits with a table, or 24 bits for n > 256.
std::unique_ptr<cDib> QuantizeColours(const cDib& src, int n, strQuantizeScratch* scratch = nullptr);

// HSV adjustment of one pixel. pixel is 0xAARRGGBB; alpha is kept.
uint32_t AdjustHsv(uint32_t pixel, int hue, int saturation, int value);

// Reads or writes colour-table entries [first, first + count) of a bitmap of at most 8 bits; returns
// the number of entries copied (clipped to the table).
int GetColourTable(const cDib& dib, int first, int count, uint32_t* entries);
int SetColourTable(cDib& dib, int first, int count, const uint32_t* entries);
