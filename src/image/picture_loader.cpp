#include "image/picture_loader.h"

#include "document/file_reason.h"
#include "image/builtin_pictures.h"
#include "image/pixel_ops.h"
#include "platform/file_io.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <zlib.h>

namespace {

constexpr uint64_t kFreeOutputBytes = uint64_t(16) << 20;
// The largest file LoadPictureFile reads: a 32-bit BMP of the whole budget plus its headers.
constexpr uint64_t kMaxFileBytes = kMaxPictureBytes + (uint64_t(1) << 20);

long long MebibytesUp(uint64_t bytes) {
    return static_cast<long long>((bytes + (uint64_t(1) << 20) - 1) >> 20);
}

bool Normalise(strDecodedPicture& dec, cBMP& target) {
    if (!dec.dib) return false;
    if (dec.dib->bits() < 8 && !ExpandToByteIndexed(dec.dib)) return false;
    if (dec.dib->bits() != 8 && dec.dib->bits() != 32) {
        dec.dib = ConvertBitDepth(*dec.dib, 32, kLayoutArgb32);
        if (!dec.dib) return false;
    }
    if (!target.attach(std::move(dec.dib))) return false;
    if (!dec.palette.empty()) {
        if (!target.palette().set(dec.palette.data(), int(dec.palette.size()))) return false;
    } else if (target.getBitCount() <= 8) {
        target.takePaletteFromTable();
    }
    return true;
}

} // namespace

const char* ImageFormatName(eImageFormat format) {
    switch (format) {
    case kImagePng:
        return "PNG";
    case kImageJpeg:
        return "JPEG";
    case kImageGif:
        return "GIF";
    case kImageTiff:
        return "TIFF";
    case kImageXyz:
        return "XYZ";
    case kImageBmp:
        return "BMP";
    default:
        return "unknown";
    }
}

bool CheckPictureBudget(int64_t width, int64_t height, const strLoadLimits& limits, strDecodedPicture& out) {
    out.width = width;
    out.height = height;
    out.tooLarge = width > 0 && height > 0 && uint64_t(width) * uint64_t(height) * 4 > limits.maxBytes;
    return !out.tooLarge;
}

std::string LoadFailureText(const strLoadInfo& info, const strLoadLimits& limits) {
    return FormatMessage(LoadFailureMessage(info, limits));
}

strMessage LoadFailureMessage(const strLoadInfo& info, const strLoadLimits& limits) {
    switch (info.failure) {
    case kLoadOk:
        return {};
    case kLoadUnreadable:
        if (!info.reasonMessage.none()) return info.reasonMessage;
        return info.reason.empty() ? strMessage(kWhyPictureUnreadable) : strMessage(kWhyOther, info.reason);
    case kLoadNotLoadable:
        if (info.format == kImageUnknown) return strMessage(kWhyPictureUnknown);
        return strMessage(kWhyPictureNotLoadable, ImageFormatName(info.format));
    case kLoadTooLarge:
        if (info.width > 0 && info.height > 0)
            return strMessage(kWhyPictureTooLarge, info.width, info.height,
                              MebibytesUp(uint64_t(info.width) * uint64_t(info.height) * 4),
                              MebibytesUp(limits.maxBytes));
        return strMessage(kWhyPictureFileTooLarge, MebibytesUp(kMaxFileBytes));
    case kLoadDamaged:
        return strMessage(kWhyPictureDamaged, ImageFormatName(info.format));
    }
    return {};
}

bool DecodedSizeIsBacked(uint64_t outputBytes, size_t inputBytes, uint64_t ratio) {
    if (outputBytes <= kFreeOutputBytes) return true;
    return outputBytes / ratio <= uint64_t(inputBytes);
}

eImageFormat DetectImageFormat(std::span<const uint8_t> first8, std::span<const uint8_t> last8) {
    uint8_t h[8] = {0}, t[8] = {0};
    if (!first8.empty()) std::memcpy(h, first8.data(), std::min<size_t>(8, first8.size()));
    if (!last8.empty()) {
        size_t n = std::min<size_t>(8, last8.size());
        std::memcpy(t + 8 - n, last8.data() + last8.size() - n, n);
    }
    if (h[0] == 137 && h[1] == 'P' && h[2] == 'N' && h[3] == 'G') return kImagePng;
    if (h[0] == 0xFF && h[1] == 0xD8 && t[6] == 0xFF && t[7] == 0xD9) return kImageJpeg;
    if (h[0] == 'G' && h[1] == 'I' && h[2] == 'F') return kImageGif;
    if (h[0] == 0x00 && h[1] == 0x2A) return kImageTiff;
    if (h[0] == 'X' && h[1] == 'Y' && h[2] == 'Z' && h[3] == '1') return kImageXyz;
    if (h[0] == 'B' && h[1] == 'M') return kImageBmp;
    return kImageUnknown;
}

bool LoadPictureMemoryAs(eImageFormat format, std::span<const uint8_t> bytes, cBMP& target,
                         const strLoadLimits& limits, strLoadInfo* info) {
    target.destroy();
    if (info) {
        *info = {};
        info->format = format;
    }
    strDecodedPicture dec;
    try {
        bool ok = false;
        switch (format) {
        case kImageBmp:
            ok = DecodeBmp(bytes, limits, dec);
            break;
        case kImagePng:
            ok = DecodePng(bytes, limits, dec);
            break;
        case kImageGif:
            ok = DecodeGif(bytes, limits, dec);
            break;
        case kImageXyz:
            ok = DecodeXyz(bytes, limits, dec);
            break;
        default:
            if (info) info->failure = kLoadNotLoadable;
            return false;
        }
        if (info) info->sourceDepth = dec.sourceDepth;
        if (ok && Normalise(dec, target)) return true;
    } catch (...) {
    }
    target.destroy();
    if (info) {
        info->failure = dec.tooLarge ? kLoadTooLarge : kLoadDamaged;
        info->width = dec.width;
        info->height = dec.height;
    }
    return false;
}

bool LoadPictureMemory(std::span<const uint8_t> bytes, cBMP& target, const strLoadLimits& limits,
                       strLoadInfo* info) {
    size_t n = bytes.size();
    eImageFormat f =
        DetectImageFormat(bytes.first(std::min<size_t>(8, n)), bytes.last(std::min<size_t>(8, n)));
    return LoadPictureMemoryAs(f, bytes, target, limits, info);
}

bool LoadPictureFile(const std::string& path, cBMP& target, strLoadInfo* info, const strLoadLimits& limits) {
    target.destroy();
    if (info) *info = {};
    std::vector<uint8_t> bytes;
    std::string why;
    bool tooLarge = false;
    if (!platform::ReadWholeFile(path, bytes, size_t(kMaxFileBytes), &why, &tooLarge)) {
        if (info) {
            // A file above the read bound is refused unread: even an uncompressed picture of that
            // size is above the budget.
            info->failure = tooLarge ? kLoadTooLarge : kLoadUnreadable;
            if (!tooLarge) {
                info->reason = why;
                info->reasonMessage = FileFailureMessage(why, size_t(kMaxFileBytes));
            }
        }
        return false;
    }
    return LoadPictureMemory(bytes, target, limits, info);
}

bool LoadPictureResource(const std::string& name, cBMP& target) {
    target.destroy();
    const std::vector<uint8_t>* bytes = BuiltinBitmapResource(name);
    if (!bytes) return false;
    return LoadPictureMemoryAs(kImageBmp, *bytes, target);
}

bool InflateBuffer(const uint8_t* src, size_t srcSize, uint8_t* dst, size_t dstSize, size_t* produced) {
    constexpr size_t kChunk = 2048;
    if (produced) *produced = 0;
    if (!src || (!dst && dstSize)) return false;
    z_stream zs;
    std::memset(&zs, 0, sizeof zs);
    if (inflateInit(&zs) != Z_OK) return false;
    size_t inPos = 0, outPos = 0;
    bool ended = false, failed = false;
    uint8_t sink = 0;
    while (!ended && !failed) {
        if (zs.avail_in == 0 && inPos < srcSize) {
            size_t c = std::min(kChunk, srcSize - inPos);
            zs.next_in = const_cast<Bytef*>(src + inPos);
            zs.avail_in = uInt(c);
            inPos += c;
        }
        size_t room = std::min(kChunk, dstSize - outPos);
        // With the destination full, one more byte would mean the stream holds too much data.
        zs.next_out = room ? dst + outPos : &sink;
        zs.avail_out = room ? uInt(room) : 1;
        uInt inBefore = zs.avail_in;
        int ret = inflate(&zs, Z_NO_FLUSH);
        size_t wrote = (room ? room : 1) - zs.avail_out;
        if (!room && wrote) {
            failed = true;
            break;
        }
        outPos += wrote;
        switch (ret) {
        case Z_STREAM_END:
            ended = true;
            break;
        case Z_OK:
            break;
        case Z_BUF_ERROR:
            // No progress was possible: out of input (a cut stream) unless more input can be fed.
            if (inPos >= srcSize && zs.avail_in == 0) failed = true;
            break;
        default:
            failed = true;
            break; // Z_NEED_DICT, Z_DATA_ERROR, Z_STREAM_ERROR, Z_MEM_ERROR
        }
        if (!ended && !failed && wrote == 0 && zs.avail_in == inBefore && inPos >= srcSize &&
            zs.avail_in == 0)
            failed = true;
    }
    bool endOk = inflateEnd(&zs) == Z_OK;
    if (produced) *produced = outPos;
    return ended && !failed && endOk;
}

bool DecodeXyz(std::span<const uint8_t> bytes, const strLoadLimits& limits, strDecodedPicture& out) {
    out = {};
    if (bytes.size() < 8 || std::memcmp(bytes.data(), "XYZ1", 4) != 0) return false;
    int w = bytes[4] | (bytes[5] << 8), h = bytes[6] | (bytes[7] << 8);
    if (w < 1 || h < 1 || w > limits.maxSide || h > limits.maxSide) return false;
    if (!CheckPictureBudget(w, h, limits, out)) return false;
    size_t expected = size_t(w) * size_t(h) + 768;
    size_t srcSize = bytes.size() - 8;
    if (!DecodedSizeIsBacked(expected, srcSize, 1032)) return false;
    std::vector<uint8_t> data(expected);
    size_t produced = 0;
    if (!InflateBuffer(bytes.data() + 8, srcSize, data.data(), expected, &produced)) return false;
    // A stream that ends properly but short of width x height + 768 bytes fails too (our choice).
    if (produced != expected) return false;
    auto dib = cDib::create(w, h, 8, 256);
    if (!dib) return false;
    std::vector<uint32_t> table(256);
    for (int i = 0; i < 256; ++i) {
        uint32_t r = data[size_t(3 * i)], g = data[size_t(3 * i + 1)], b = data[size_t(3 * i + 2)];
        table[size_t(i)] = (i == 0 ? 0u : 0xFF000000u) | r << 16 | g << 8 | b;
    }
    for (int y = 0; y < h; ++y)
        std::memcpy(dib->row(y), data.data() + 768 + size_t(y) * size_t(w), size_t(w));
    dib->table() = table;
    out.dib = std::move(dib);
    out.palette = std::move(table);
    out.sourceDepth = 8;
    return true;
}
