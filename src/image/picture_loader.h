#pragma once
// Image file loaders: format detection, the BMP, PNG, GIF (first frame) and XYZ
// decoders, and the normalisation that turns a decoded picture into the canonical cBMP form:
// 8 bits with a colour table and palette, or 32 bits B, G, R, A; row 0 at the top.
//
// Every decoder is bounded: no read outside the input, no picture side above limits.maxSide, no
// picture whose decoded 32-bit size exceeds limits.maxBytes (checked from the header, before any
// pixel is decoded), no allocation that the input's own bytes cannot account for (see
// DecodedSizeIsBacked), and every malformed file gives false with the target left empty.

#include "document/messages.h"
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

// The memory budget of one picture: width x height x 4 bytes (its 32-bit form, which the image texture
// of a picture slot always takes) may not exceed it. 8192 x 8192 or 16384 x 4096 pictures fit.
inline constexpr uint64_t kMaxPictureBytes = uint64_t(256) << 20;

struct strLoadLimits {
    int maxSide = kMaxPictureSide;        // pictures wider or taller are refused
    uint64_t maxBytes = kMaxPictureBytes; // pictures whose 32-bit size is larger are refused
};

// Why a load failed.
enum eLoadFailure : int {
    kLoadOk = 0,
    kLoadUnreadable,  // the file cannot be opened or read
    kLoadNotLoadable, // unknown format, or a recognised one that is not read (JPEG, TIFF)
    kLoadTooLarge,    // above the memory budget (width and height say how large)
    kLoadDamaged,     // malformed or unsupported data
};

// What the loader saw, for reports (pelko info) and error messages.
struct strLoadInfo {
    eImageFormat format = kImageUnknown;
    int sourceDepth = 0; // bits per pixel of the file's pixel data as decoded (before normalisation)
    eLoadFailure failure = kLoadOk;
    int64_t width = 0, height = 0; // the size the file declares, once its header was read
    std::string reason;            // kLoadUnreadable: why ("not a regular file: ...", "cannot open ...")
    strMessage reasonMessage;      // ... the same as a message of the reason table
};

// One line for the user saying why a load failed ("" after a success), e.g. "16384 x 16384 pixels
// would take 1024 MiB; a picture may take at most 256 MiB".
std::string LoadFailureText(const strLoadInfo& info, const strLoadLimits& limits = {});
// The same as a message of the reason table (none after a success), for the user's language.
strMessage LoadFailureMessage(const strLoadInfo& info, const strLoadLimits& limits = {});

// Format from the first 8 and the last 8 bytes of a file (shorter spans count as zero-padded).
eImageFormat DetectImageFormat(std::span<const uint8_t> first8, std::span<const uint8_t> last8);

// Loads a picture file into target (emptied first, left empty on failure); *info says why a load
// failed. Only regular files are read, without blocking. path is a file-system (UTF-8) path.
bool LoadPictureFile(const std::string& path, cBMP& target, strLoadInfo* info = nullptr,
                     const strLoadLimits& limits = {});

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
    int64_t width = 0, height = 0; // the declared size, set by CheckPictureBudget
    bool tooLarge = false;
};

// The budget check every decoder makes as soon as its header gives the picture's size, before it
// allocates or decodes anything: records the size in out and returns false (out.tooLarge set) when
// width x height x 4 exceeds limits.maxBytes. Sizes below 1 pass here; the decoder refuses them.
bool CheckPictureBudget(int64_t width, int64_t height, const strLoadLimits& limits, strDecodedPicture& out);

bool DecodeBmp(std::span<const uint8_t> bytes, const strLoadLimits& limits, strDecodedPicture& out);
bool DecodePng(std::span<const uint8_t> bytes, const strLoadLimits& limits, strDecodedPicture& out);
bool DecodeGif(std::span<const uint8_t> bytes, const strLoadLimits& limits, strDecodedPicture& out);
bool DecodeXyz(std::span<const uint8_t> bytes, const strLoadLimits& limits, strDecodedPicture& out);

// The allocation rule of the decoders: an output of outputBytes is allowed when it is at most 16 MiB,
// or at most inputBytes x ratio, where ratio is the largest expansion the format's compression can
// reach (1032 for deflate, 4096 for GIF's LZW, 1024 for BMP run lengths).
bool DecodedSizeIsBacked(uint64_t outputBytes, size_t inputBytes, uint64_t ratio);
