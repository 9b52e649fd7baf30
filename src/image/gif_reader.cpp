// GIF decoder through giflib: the reading side as far as the loader relies on it. The
// first image is composed onto a black 24-bit canvas of the logical screen (transparent pixels left
// black, interlaced rows placed by the four passes); the records after it are walked to the trailer
// (their image data skipped undecoded), since reading succeeds only when the trailer is reached.
// Any image that does not lie inside the logical screen fails the load.

#include "image/picture_loader.h"

#include <gif_lib.h>

#include <cstring>

namespace {

struct strGifInput {
    const uint8_t* data;
    size_t size;
    size_t pos;
};

int ReadCallback(GifFileType* gif, GifByteType* out, int length) {
    auto* in = static_cast<strGifInput*>(gif->UserData);
    if (length < 0) return 0;
    size_t n = std::min(size_t(length), in->size - in->pos);
    std::memcpy(out, in->data + in->pos, n);
    in->pos += n;
    return int(n);
}

struct strGifCloser {
    void operator()(GifFileType* g) const {
        int err = 0;
        DGifCloseFile(g, &err);
    }
};

bool SkipExtensionBlocks(GifFileType* gif, GifByteType* block) {
    while (block)
        if (DGifGetExtensionNext(gif, &block) != GIF_OK) return false;
    return true;
}

} // namespace

bool DecodeGif(std::span<const uint8_t> bytes, const strLoadLimits& limits, strDecodedPicture& out) {
    out = {};
    if (bytes.size() < 13) return false;
    strGifInput in{bytes.data(), bytes.size(), 0};
    int err = 0;
    std::unique_ptr<GifFileType, strGifCloser> gif(DGifOpen(&in, ReadCallback, &err));
    if (!gif) return false;
    const int sw = gif->SWidth, sh = gif->SHeight;
    if (sw < 1 || sh < 1 || sw > limits.maxSide || sh > limits.maxSide) return false;
    if (!DecodedSizeIsBacked(uint64_t(sw) * uint64_t(sh) * 3, bytes.size(), 4096)) return false;

    std::unique_ptr<cDib> canvas;
    int transparent = -1; // from the graphic control extension before the next image
    std::vector<GifPixelType> line;
    for (;;) {
        GifRecordType type;
        if (DGifGetRecordType(gif.get(), &type) != GIF_OK) return false;
        if (type == TERMINATE_RECORD_TYPE) break;
        if (type == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* block = nullptr;
            if (DGifGetExtension(gif.get(), &code, &block) != GIF_OK) return false;
            if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4) {
                GraphicsControlBlock gcb;
                if (DGifExtensionToGCB(block[0], block + 1, &gcb) == GIF_OK)
                    transparent = gcb.TransparentColor;
            }
            if (!SkipExtensionBlocks(gif.get(), block)) return false;
            continue;
        }
        if (type != IMAGE_DESC_RECORD_TYPE) return false;
        if (DGifGetImageDesc(gif.get()) != GIF_OK) return false;
        const GifImageDesc& desc = gif->Image;
        if (desc.Left < 0 || desc.Top < 0 || desc.Width < 1 || desc.Height < 1 || desc.Width > sw ||
            desc.Height > sh || desc.Left > sw - desc.Width || desc.Top > sh - desc.Height)
            return false;
        if (canvas) { // a later frame: skip its data without decoding
            int codeSize = 0;
            GifByteType* block = nullptr;
            if (DGifGetCode(gif.get(), &codeSize, &block) != GIF_OK) return false;
            while (block)
                if (DGifGetCodeNext(gif.get(), &block) != GIF_OK) return false;
            transparent = -1;
            continue;
        }
        const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
        if (!map || map->ColorCount < 1) return false;
        canvas = cDib::Create(sw, sh, 24);
        if (!canvas) return false;
        line.assign(size_t(desc.Width), 0);
        // Row order: straight, or the four interlace passes (start 0, 4, 2, 1; step 8, 8, 4, 2).
        static const int kStart[4] = {0, 4, 2, 1}, kStep[4] = {8, 8, 4, 2};
        int passes = desc.Interlace ? 4 : 1;
        for (int pass = 0; pass < passes; ++pass) {
            int start = desc.Interlace ? kStart[pass] : 0, step = desc.Interlace ? kStep[pass] : 1;
            for (int y = start; y < desc.Height; y += step) {
                if (DGifGetLine(gif.get(), line.data(), desc.Width) != GIF_OK) return false;
                uint8_t* row = canvas->Row(desc.Top + y) + size_t(desc.Left) * 3;
                for (int x = 0; x < desc.Width; ++x) {
                    int idx = line[size_t(x)];
                    if (idx == transparent) continue;
                    if (idx < map->ColorCount) {
                        const GifColorType& c = map->Colors[idx];
                        row[3 * x] = c.Blue;
                        row[3 * x + 1] = c.Green;
                        row[3 * x + 2] = c.Red;
                    }
                }
            }
        }
        transparent = -1;
    }
    if (!canvas) return false;
    out.dib = std::move(canvas);
    out.sourceDepth = 8;
    return true;
}
