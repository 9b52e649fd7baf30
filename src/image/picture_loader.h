#pragma once
// Image file loaders: format detection, the BMP, PNG, GIF (first frame) and XYZ
// decoders, and the normalisation that turns a decoded picture into the canonical cBMP form:
// 8 bits with a colour table and palette, or 32 bits B, G, R, A; row 0 at the top.
//
// Every decoder is bounded: no read outside the input, no picture side above limits.maxSide, no
// allocation that the input's own bytes cannot account for (see DecodedSizeIsBacked), and every
// malformed file gives false with the target left empty.

#include "image/bmp.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

enum eImageFormat : int {
    kImageUnknown = 0,
    kImagePng,
    kImageJpeg, // recognised, not loadable
    kImageGif,
    kImageTiff, // bytes 00 2A: recognised, not loadable
    kImageXyz,
    kImageBmp,
};

// Short English name of a format ("PNG", "JPEG", ..., "unknown").
const char* ImageFormatName(eImageFormat format);

struct strLoadLimits {
    int maxSide = kMaxPictureSide; // pictures wider or taller are refused
};

// What the loader saw, for reports (pelko info).
struct strLoadInfo {
    eImageFormat format = kImageUnknown;
    int sourceDepth = 0; // bits per pixel of the file's pixel data as decoded (before normalisation)
};

// Format from the first 8 and the last 8 bytes of a file (shorter spans count as zero-padded).
eImageFormat DetectImageFormat(std::span<const uint8_t> first8, std::span<const uint8_t> last8);

// Loads a picture file into target (emptied first, left empty on failure). An unopenable file leaves
// the trace "Error : %d\nPath : %s\n" on standard error. path is a file-system (UTF-8) path.
bool LoadPictureFile(const std::string& path, cBMP& target, strLoadInfo* info = nullptr);

// The same from bytes in memory (detection included).
bool LoadPictureMemory(std::span<const uint8_t> bytes, cBMP& target, const strLoadLimits& limits = {},
                       strLoadInfo* info = nullptr);

// Decodes bytes as the given format (no detection) and normalises; the fuzz targets' entry point.
bool LoadPictureMemoryAs(eImageFormat format, std::span<const uint8_t> bytes, cBMP& target,
                         const strLoadLimits& limits = {}, strLoadInfo* info = nullptr);

// Loads a built-in bitmap ("BITMAP_ERCELL", "BITMAP_LABEL") through the BMP path.
bool LoadPictureResource(const std::string& name, cBMP& target);

// Inflates one zlib stream in chunks of at most 2048 bytes in and out. True only when the stream
// ended properly within dstSize bytes; produced receives the number of bytes written. More data than
// dstSize, corrupt data, a dictionary request or a stream cut short give false.
bool InflateBuffer(const uint8_t* src, size_t srcSize, uint8_t* dst, size_t dstSize,
                   size_t* produced = nullptr);

// ---- decoders (normally reached through the functions above) ----

struct strDecodedPicture {
    std::unique_ptr<cDib> dib;
    std::vector<uint32_t> palette; // delivered palette (XYZ, palette PNG); empty for the others
    int sourceDepth = 0;
};

bool DecodeBmp(std::span<const uint8_t> bytes, const strLoadLimits& limits, strDecodedPicture& out);
bool DecodePng(std::span<const uint8_t> bytes, const strLoadLimits& limits, strDecodedPicture& out);
bool DecodeGif(std::span<const uint8_t> bytes, const strLoadLimits& limits, strDecodedPicture& out);
bool DecodeXyz(std::span<const uint8_t> bytes, const strLoadLimits& limits, strDecodedPicture& out);

// The allocation rule of the decoders: an output of outputBytes is allowed when it is at most 16 MiB,
// or at most inputBytes x ratio, where ratio is the largest expansion the format's compression can
// reach (1032 for deflate, 4096 for GIF's LZW, 1024 for BMP run lengths).
bool DecodedSizeIsBacked(uint64_t outputBytes, size_t inputBytes, uint64_t ratio);
