// PNG decoder through libpng, with the transform sequence: 16-bit channels stripped,
// low depths packed to a byte, grey turned to RGB, a grey tRNS turned to alpha, B-G-R order, gamma.
// libpng reports errors by longjmp: every object that must survive one lives in strPngState, owned
// by the caller of the function that holds the setjmp, so no destructor is ever skipped.

#include "image/picture_loader.h"

#include <png.h>

#include <cstring>

namespace {

struct strPngInput {
    const uint8_t* data;
    size_t size;
    size_t pos;
};

struct strPngState {
    strDecodedPicture* out = nullptr;
    std::unique_ptr<cDib> dib;
    std::vector<png_bytep> rows;
    std::vector<uint32_t> palette;
    int sourceDepth = 0;
};

void ReadCallback(png_structp png, png_bytep out, size_t length) {
    auto* in = static_cast<strPngInput*>(png_get_io_ptr(png));
    if (length > in->size - in->pos) png_error(png, "read past the end of the data");
    std::memcpy(out, in->data + in->pos, length);
    in->pos += length;
}

void ErrorCallback(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void WarningCallback(png_structp, png_const_charp) {}

bool ReadPng(png_structp png, png_infop info, strPngInput& in, const strLoadLimits& limits, strPngState& st) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_read_fn(png, &in, ReadCallback);
    png_set_sig_bytes(png, 8);
    png_set_user_limits(png, png_uint_32(limits.maxSide), png_uint_32(limits.maxSide));
    png_read_info(png, info);
    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colourType = 0, interlace = 0;
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colourType, &interlace, nullptr, nullptr);
    if (width == 0 || height == 0 || width > png_uint_32(limits.maxSide) ||
        height > png_uint_32(limits.maxSide))
        return false;
    if (!CheckPictureBudget(width, height, limits, *st.out)) return false;
    st.sourceDepth = bitDepth * png_get_channels(png, info);
    // The raw (filtered) image cannot be larger than deflate's 1032:1 expansion of the whole input.
    uint64_t rawBytes = uint64_t(height) * (uint64_t(png_get_rowbytes(png, info)) + 1);
    if (!DecodedSizeIsBacked(rawBytes, in.size, 1032)) return false;

    png_set_strip_16(png);
    png_set_packing(png);
    png_set_packswap(png);
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth <= 8) png_set_tRNS_to_alpha(png);
    png_set_bgr(png);
    double gamma = 0;
    if (png_get_gAMA(png, info, &gamma)) png_set_gamma(png, 2.2, gamma);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colourType, &interlace, nullptr, nullptr);
    int channels = png_get_channels(png, info);
    int bits = channels * 8;
    if (bitDepth != 8 || (bits != 8 && bits != 24 && bits != 32)) return false;

    png_colorp plte = nullptr;
    int plteCount = 0;
    bool paletted = colourType == PNG_COLOR_TYPE_PALETTE;
    if (paletted && (!png_get_PLTE(png, info, &plte, &plteCount) || plteCount < 1 || plteCount > 256))
        return false;
    static const uint32_t kArgbMasks[4] = {0xFF0000, 0xFF00, 0xFF, 0xFF000000u};
    bool alphaMasks = (colourType & PNG_COLOR_MASK_ALPHA) && bits == 32;
    st.dib = cDib::create(int(width), int(height), bits, paletted ? plteCount : 0,
                          alphaMasks ? kArgbMasks : nullptr);
    if (!st.dib || png_get_rowbytes(png, info) > size_t(st.dib->stride())) return false;
    st.rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y)
        st.rows[y] = st.dib->row(int(y));
    png_read_image(png, st.rows.data());

    if (paletted) {
        png_bytep trans = nullptr;
        int numTrans = 0;
        png_color_16p transColour = nullptr;
        png_get_tRNS(png, info, &trans, &numTrans, &transColour);
        st.palette.resize(size_t(plteCount));
        for (int i = 0; i < plteCount; ++i) {
            uint32_t a = (trans && i < numTrans) ? trans[i] : 255;
            st.palette[size_t(i)] =
                a << 24 | uint32_t(plte[i].red) << 16 | uint32_t(plte[i].green) << 8 | plte[i].blue;
        }
        st.dib->table() = st.palette;
    }
    return true;
}

} // namespace

bool DecodePng(std::span<const uint8_t> bytes, const strLoadLimits& limits, strDecodedPicture& out) {
    out = {};
    if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, ErrorCallback, WarningCallback);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    strPngInput in{bytes.data(), bytes.size(), 8};
    strPngState st;
    st.out = &out;
    bool ok = false;
    try {
        ok = ReadPng(png, info, in, limits, st);
    } catch (...) {
        ok = false; // an allocation failure outside libpng's own calls
    }
    png_destroy_read_struct(&png, &info, nullptr);
    if (!ok) return false;
    out.dib = std::move(st.dib);
    out.palette = std::move(st.palette);
    out.sourceDepth = st.sourceDepth;
    return true;
}
