#include "export/png_writer.h"

#include "document/file_reason.h"
#include "platform/file_io.h"

#include <png.h>

#include <csetjmp>
#include <cstring>

namespace {

struct strPngSink {
    std::vector<uint8_t>* out;
    bool failed;
};

void WriteBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* sink = static_cast<strPngSink*>(png_get_io_ptr(png));
    bool ok = true;
    try {
        sink->out->insert(sink->out->end(), data, data + length);
    } catch (...) {
        ok = false;
    }
    if (!ok) {
        sink->failed = true;
        png_error(png, "out of memory");
    }
}

void FlushBytes(png_structp) {}

void OnWarning(png_structp, png_const_charp) {}

// The libpng calls, in a frame that holds no C++ object with a destructor (longjmp safety).
// Returns nullptr on success, else the libpng message.
const char* RunLibpng(png_structp png, png_infop info, strPngSink* sink, const uint8_t* const* rows,
                      int width, int height, bool keepAlpha, uint8_t* scratch) {
    if (setjmp(png_jmpbuf(png))) return "libpng error";
    png_set_write_fn(png, sink, WriteBytes, FlushBytes);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB_ALPHA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_set_bgr(png);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = rows[y];
        if (!keepAlpha) {
            std::memcpy(scratch, row, size_t(width) * 4);
            for (int x = 0; x < width; ++x)
                scratch[x * 4 + 3] = 255;
            row = scratch;
        }
        png_write_row(png, const_cast<png_bytep>(row));
    }
    png_write_end(png, info);
    return nullptr;
}

void SetError(strMessage* error, strMessage what) {
    if (error) *error = std::move(what);
}

// The palette image's libpng calls, in a frame without C++ objects that have destructors.
const char* RunLibpngIndexed(png_structp png, png_infop info, strPngSink* sink, const cDib* image,
                             const png_color* colours, const png_byte* alphas, int entries, int transparent) {
    if (setjmp(png_jmpbuf(png))) return "libpng error";
    png_set_write_fn(png, sink, WriteBytes, FlushBytes);
    png_set_IHDR(png, info, png_uint_32(image->width()), png_uint_32(image->height()), 8,
                 PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_PLTE(png, info, colours, entries);
    if (transparent > 0) png_set_tRNS(png, info, alphas, transparent, nullptr);
    png_write_info(png, info);
    for (int y = 0; y < image->height(); ++y)
        png_write_row(png, const_cast<png_bytep>(image->row(y)));
    png_write_end(png, info);
    return nullptr;
}

// Creates the libpng structures, runs `run` (one of the functions above) into out, and releases them.
template <class Run> bool RunEncoder(std::vector<uint8_t>& out, strMessage* error, Run run) {
    out.clear();
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, OnWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        SetError(error, strMessage(kPngCannotStart));
        return false;
    }
    strPngSink sink{&out, false};
    const char* failure = run(png, info, &sink);
    png_destroy_write_struct(&png, &info);
    if (failure) {
        out.clear();
        SetError(error, strMessage(sink.failed ? kWhyOutOfMemory : kPngEncodingFailed));
        return false;
    }
    return true;
}

bool SaveBytes(const std::string& path, const std::vector<uint8_t>& bytes, strMessage* error) {
    std::string why;
    if (!platform::WriteFileAtomically(path, bytes, &why)) {
        SetError(error, FileFailureMessage(why));
        return false;
    }
    return true;
}

} // namespace

bool EncodePngRows(const uint8_t* const* rows, int width, int height, bool keepAlpha,
                   std::vector<uint8_t>& out, strMessage* error) {
    out.clear();
    if (!rows || width < 1 || height < 1 || width > 0x7FFFFFF / 4) {
        SetError(error, strMessage(kPngNoImage));
        return false;
    }
    std::vector<uint8_t> scratch;
    try {
        scratch.resize(size_t(width) * 4);
    } catch (...) {
        SetError(error, strMessage(kWhyOutOfMemory));
        return false;
    }
    return RunEncoder(out, error, [&](png_structp png, png_infop info, strPngSink* sink) {
        return RunLibpng(png, info, sink, rows, width, height, keepAlpha, scratch.data());
    });
}

bool EncodePng(const cDib& image, bool keepAlpha, std::vector<uint8_t>& out, strMessage* error) {
    if (image.bits() != 32) {
        SetError(error, strMessage(kPngNot32Bits));
        return false;
    }
    std::vector<const uint8_t*> rows(size_t(image.height()));
    for (int y = 0; y < image.height(); ++y)
        rows[size_t(y)] = image.row(y);
    return EncodePngRows(rows.data(), image.width(), image.height(), keepAlpha, out, error);
}

bool EncodePng(const cTexture& image, bool keepAlpha, std::vector<uint8_t>& out, strMessage* error) {
    if (image.isEmpty()) {
        SetError(error, strMessage(kPngNoImage));
        return false;
    }
    std::vector<const uint8_t*> rows(size_t(image.height()));
    for (int y = 0; y < image.height(); ++y)
        rows[size_t(y)] = image.row(y);
    return EncodePngRows(rows.data(), image.width(), image.height(), keepAlpha, out, error);
}

namespace {
template <class Image>
bool WriteImage(const std::string& path, const Image& image, bool keepAlpha, strMessage* error) {
    std::vector<uint8_t> bytes;
    return EncodePng(image, keepAlpha, bytes, error) && SaveBytes(path, bytes, error);
}
} // namespace

bool WritePngFile(const std::string& path, const cDib& image, bool keepAlpha, strMessage* error) {
    return WriteImage(path, image, keepAlpha, error);
}

bool WritePngFile(const std::string& path, const cTexture& image, bool keepAlpha, strMessage* error) {
    return WriteImage(path, image, keepAlpha, error);
}

bool EncodeIndexedPng(const cDib& image, std::vector<uint8_t>& out, strMessage* error) {
    out.clear();
    const std::vector<uint32_t>& table = image.table();
    if (image.bits() != 8 || table.empty() || table.size() > 256) {
        SetError(error, strMessage(kPngNotPalette));
        return false;
    }
    png_color colours[256];
    png_byte alphas[256];
    int transparent = 0; // entries up to the last one that is not opaque
    for (size_t i = 0; i < table.size(); ++i) {
        colours[i] = {png_byte(table[i] >> 16), png_byte(table[i] >> 8), png_byte(table[i])};
        alphas[i] = png_byte(table[i] >> 24);
        if (alphas[i] != 255) transparent = int(i) + 1;
    }
    return RunEncoder(out, error, [&](png_structp png, png_infop info, strPngSink* sink) {
        return RunLibpngIndexed(png, info, sink, &image, colours, alphas, int(table.size()), transparent);
    });
}

bool WriteIndexedPngFile(const std::string& path, const cDib& image, strMessage* error) {
    std::vector<uint8_t> bytes;
    return EncodeIndexedPng(image, bytes, error) && SaveBytes(path, bytes, error);
}
