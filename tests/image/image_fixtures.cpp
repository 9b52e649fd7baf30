#include "image_fixtures.h"

#include <gif_lib.h>
#include <png.h>
#include <zlib.h>

#include <memory>
#include <stdexcept>

namespace image_fixtures {

namespace {
void Put16(Bytes& b, uint32_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
void Put32(Bytes& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

void PngWrite(png_structp png, png_bytep data, size_t n) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + n);
}
void PngFlush(png_structp) {}
} // namespace

Bytes MakePng(const strPngFixture& fx) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("libpng write failed");
    }
    png_set_write_fn(png, &out, PngWrite, PngFlush);
    png_set_IHDR(png, info, png_uint_32(fx.width), png_uint_32(fx.height), fx.bitDepth, fx.colourType,
                 fx.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> plte;
    for (uint32_t c : fx.palette)
        plte.push_back(png_color{uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
    if (!plte.empty()) png_set_PLTE(png, info, plte.data(), int(plte.size()));
    png_color_16 greyTrans{};
    if (!fx.trnsAlpha.empty())
        png_set_tRNS(png, info, fx.trnsAlpha.data(), int(fx.trnsAlpha.size()), nullptr);
    else if (fx.trnsGrey >= 0) {
        greyTrans.gray = png_uint_16(fx.trnsGrey);
        png_set_tRNS(png, info, nullptr, 0, &greyTrans);
    }
    if (fx.gamma > 0) png_set_gAMA(png, info, fx.gamma);
    png_write_info(png, info);
    std::vector<png_bytep> rows;
    for (const Bytes& r : fx.rows)
        rows.push_back(const_cast<png_bytep>(r.data()));
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

namespace {
int GifWrite(GifFileType* gif, const GifByteType* data, int n) {
    auto* out = static_cast<Bytes*>(gif->UserData);
    out->insert(out->end(), data, data + n);
    return n;
}
ColorMapObject* MakeMap(const std::vector<uint32_t>& colours) {
    if (colours.empty()) return nullptr;
    int size = 2;
    while (size < int(colours.size()))
        size *= 2;
    std::vector<GifColorType> c(size_t(size), GifColorType{0, 0, 0});
    for (size_t i = 0; i < colours.size(); ++i)
        c[i] = GifColorType{uint8_t(colours[i] >> 16), uint8_t(colours[i] >> 8), uint8_t(colours[i])};
    return GifMakeMapObject(size, c.data());
}
} // namespace

Bytes MakeGif(int screenWidth, int screenHeight, const std::vector<uint32_t>& globalMap,
              const std::vector<strGifFrame>& frames, const strGifExtensions& extensions) {
    Bytes out;
    int err = 0;
    GifFileType* gif = EGifOpen(&out, GifWrite, &err);
    if (!gif) throw std::runtime_error("giflib open failed");
    EGifSetGifVersion(gif, true);
    ColorMapObject* global = MakeMap(globalMap);
    bool ok = EGifPutScreenDesc(gif, screenWidth, screenHeight, 8, 0, global) == GIF_OK;
    auto control = [&](int delay, int disposal, int transparent) {
        GraphicsControlBlock gcb{disposal, false, delay, transparent};
        GifByteType ext[4];
        EGifGCBToExtension(&gcb, ext);
        ok = ok && EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext) == GIF_OK;
    };
    auto extension = [&](int code, const std::vector<Bytes>& blocks) {
        ok = ok && EGifPutExtensionLeader(gif, code) == GIF_OK;
        for (const Bytes& b : blocks)
            ok = ok && EGifPutExtensionBlock(gif, int(b.size()), b.data()) == GIF_OK;
        ok = ok && EGifPutExtensionTrailer(gif) == GIF_OK;
    };
    const strGifExtensions& x = extensions;
    if (x.loopCount >= 0) {
        std::vector<Bytes> blocks = {Bytes{'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'},
                                     {1, uint8_t(x.loopCount), uint8_t(x.loopCount >> 8)}};
        if (x.bufferSize)
            blocks.push_back({2, uint8_t(x.bufferSize), uint8_t(x.bufferSize >> 8),
                              uint8_t(x.bufferSize >> 16), uint8_t(x.bufferSize >> 24)});
        extension(APPLICATION_EXT_FUNC_CODE, blocks);
    }
    if (!x.comment.empty()) ok = ok && EGifPutComment(gif, x.comment.c_str()) == GIF_OK;
    if (!x.plainText.empty()) {
        control(77, 0, -1);
        extension(PLAINTEXT_EXT_FUNC_CODE,
                  {Bytes{1, 0, 2, 0, 3, 0, 4, 0, 5, 6, 7, 8}, Bytes(x.plainText.begin(), x.plainText.end())});
    }
    for (const strGifFrame& f : frames) {
        if (f.transparent >= 0 || f.delay || f.disposal) control(f.delay, f.disposal, f.transparent);
        ColorMapObject* local = MakeMap(f.localMap);
        ok = ok && EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, f.interlaced, local) == GIF_OK;
        GifFreeMapObject(local);
        auto putRow = [&](int y) {
            std::vector<GifPixelType> row(f.indices.begin() + y * f.width,
                                          f.indices.begin() + (y + 1) * f.width);
            ok = ok && EGifPutLine(gif, row.data(), f.width) == GIF_OK;
        };
        if (f.interlaced) {
            const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
            for (int p = 0; p < 4; ++p)
                for (int y = start[p]; y < f.height; y += step[p])
                    putRow(y);
        } else {
            for (int y = 0; y < f.height; ++y)
                putRow(y);
        }
    }
    GifFreeMapObject(global);
    ok = EGifCloseFile(gif, &err) == GIF_OK && ok;
    if (!ok) throw std::runtime_error("giflib write failed");
    return out;
}

Bytes MakeXyz(int width, int height, const std::vector<uint32_t>& palette,
              const std::vector<uint8_t>& indices, int extraBytes, int cutBytes) {
    Bytes raw;
    for (int i = 0; i < 256; ++i) {
        uint32_t c = i < int(palette.size()) ? palette[size_t(i)] : 0;
        raw.push_back(uint8_t(c >> 16));
        raw.push_back(uint8_t(c >> 8));
        raw.push_back(uint8_t(c));
    }
    raw.insert(raw.end(), indices.begin(), indices.end());
    raw.insert(raw.end(), size_t(extraBytes), uint8_t(7));
    raw.resize(raw.size() - size_t(cutBytes));
    uLongf size = compressBound(uLong(raw.size()));
    Bytes packed(size);
    if (compress2(packed.data(), &size, raw.data(), uLong(raw.size()), 9) != Z_OK)
        throw std::runtime_error("zlib failed");
    packed.resize(size);
    Bytes out = {'X', 'Y', 'Z', '1'};
    Put16(out, uint32_t(width));
    Put16(out, uint32_t(height));
    out.insert(out.end(), packed.begin(), packed.end());
    return out;
}

Bytes MakeBmp(const strBmpFixture& fx) {
    // Size, width, height, 1 plane and the bits, compression, data size, 2835 pixels a metre both
    // ways, colours used and important, then the masks.
    Bytes info;
    for (uint32_t v : {fx.headerSize, uint32_t(fx.width), uint32_t(fx.height), 1 | uint32_t(fx.bits) << 16,
                       fx.compression, uint32_t(fx.pixelData.size()), 2835u, 2835u, fx.clrUsed, 0u})
        Put32(info, v);
    for (uint32_t m : fx.masks)
        Put32(info, m);
    if (info.size() < fx.headerSize) info.resize(fx.headerSize, 0);
    for (uint32_t c : fx.table) {
        info.push_back(uint8_t(c));
        info.push_back(uint8_t(c >> 8));
        info.push_back(uint8_t(c >> 16));
        info.push_back(fx.tableReserved);
    }
    uint32_t off = 14 + uint32_t(info.size());
    Bytes out = {'B', 'M'};
    for (uint32_t v : {off + uint32_t(fx.pixelData.size()), 0u, off})
        Put32(out, v);
    out.insert(out.end(), info.begin(), info.end());
    out.insert(out.end(), fx.pixelData.begin(), fx.pixelData.end());
    return out;
}

std::unique_ptr<cDib> MakeDib(int w, int h, int bits, const std::vector<uint32_t>& values,
                              const std::vector<uint32_t>& table) {
    auto d = cDib::create(w, h, bits, int(table.size()));
    if (!table.empty()) d->table() = table;
    const int bytes = bits / 8;
    for (int i = 0; i < w * h; ++i) {
        if (bits <= 8) d->writeIndex(i % w, i / w, int(values[size_t(i)]));
        for (int c = 0; c < bytes && bits > 8; ++c)
            d->row(i / w)[(i % w) * bytes + c] = uint8_t(values[size_t(i)] >> (8 * c));
    }
    return d;
}

void Attach(cBMP& b, int w, int h, int bits, const std::vector<uint32_t>& values,
            const std::vector<uint32_t>& table) {
    b.attach(MakeDib(w, h, bits, values, table));
    if (!table.empty()) b.palette().set(table.data(), int(table.size()));
}

std::vector<uint32_t> Values(const cDib& d) {
    std::vector<uint32_t> out;
    const int bytes = d.bits() / 8;
    for (int i = 0; i < d.width() * d.height(); ++i) {
        uint32_t v = d.bits() <= 8 ? uint32_t(d.readIndex(i % d.width(), i / d.width())) : 0;
        for (int c = 0; c < bytes && d.bits() > 8; ++c)
            v |= uint32_t(d.row(i / d.width())[(i % d.width()) * bytes + c]) << (8 * c);
        out.push_back(v);
    }
    return out;
}

} // namespace image_fixtures
