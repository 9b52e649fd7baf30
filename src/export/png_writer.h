#pragma once
// PNG encoding of export images: a 32-bit image (B, G, R, A, row 0 at the
// top) written by libpng as 8-bit RGBA, not interlaced, default compression and filters. Without
// keepAlpha every pixel is written opaque (alpha 255). The file is built in memory and saved
// through a temporary file that is renamed over the target, so a failed write leaves any earlier
// file as it was.

#include "document/messages.h"
#include "image/bmp.h"
#include "image/texture.h"

#include <cstdint>
#include <string>
#include <vector>

// rows: height pointers to width x 4 bytes each.
bool EncodePngRows(const uint8_t* const* rows, int width, int height, bool keepAlpha,
                   std::vector<uint8_t>& out, strMessage* error = nullptr);
// False for an image that is not 32 bits.
bool EncodePng(const cDib& image, bool keepAlpha, std::vector<uint8_t>& out, strMessage* error = nullptr);
bool EncodePng(const cTexture& image, bool keepAlpha, std::vector<uint8_t>& out, strMessage* error = nullptr);

bool WritePngFile(const std::string& path, const cDib& image, bool keepAlpha, strMessage* error = nullptr);
bool WritePngFile(const std::string& path, const cTexture& image, bool keepAlpha,
                  strMessage* error = nullptr);

// An 8-bit palette image as a palette PNG: PLTE from its colour table (0xAARRGGBB entries) and tRNS
// with the alphas up to the last entry that is not opaque. False for another depth.
bool EncodeIndexedPng(const cDib& image, std::vector<uint8_t>& out, strMessage* error = nullptr);
bool WriteIndexedPngFile(const std::string& path, const cDib& image, strMessage* error = nullptr);
