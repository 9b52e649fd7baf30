// GIF image data compression: clearing a full table at once gives giflib's own bytes; deferred
// clears decode (with giflib) to the same pixels, on data that fills the table several times.

#include "export/gif_lzw.h"
#include "image/gif_animation.h"
#include "support/message_texts.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

int Append(GifFileType* gif, const GifByteType* data, int n) {
    auto* out = static_cast<Bytes*>(gif->UserData);
    out->insert(out->end(), data, data + n);
    return n;
}

// A one-image GIF of w x h pixels, index k grey k: giflib compresses them, or `data` (sub-blocks) is
// written as is.
Bytes WriteGif(int w, int h, int bits, const Bytes& pixels, const Bytes* data) {
    Bytes out;
    int err = 0;
    GifFileType* gif = EGifOpen(&out, Append, &err);
    std::vector<GifColorType> colours(size_t(1) << bits);
    for (size_t k = 0; k < colours.size(); ++k)
        colours[k] = {uint8_t(k), uint8_t(k), uint8_t(k)};
    ColorMapObject* map = GifMakeMapObject(int(colours.size()), colours.data());
    EXPECT_EQ(EGifPutScreenDesc(gif, w, h, bits, 0, map), GIF_OK);
    GifFreeMapObject(map);
    EXPECT_EQ(EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr), GIF_OK);
    if (data) {
        for (size_t at = 0; at < data->size(); at += size_t((*data)[at]) + 1)
            EXPECT_EQ(EGifPutCodeNext(gif, data->data() + at), GIF_OK);
        EXPECT_EQ(EGifPutCodeNext(gif, nullptr), GIF_OK);
    } else {
        EXPECT_EQ(EGifPutLine(gif, const_cast<GifPixelType*>(pixels.data()), w * h), GIF_OK);
    }
    EXPECT_EQ(EGifCloseFile(gif, &err), GIF_OK);
    return out;
}

// The indices back, read with giflib.
Bytes Decode(const Bytes& file) {
    strGifAnimation gif;
    Bytes pixels;
    if (!ReadGifAnimation(file, gif) || gif.frames.size() != 1) return pixels;
    const cDib& image = *gif.frames[0].image;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            pixels.push_back(uint8_t(image.readPixel(x, y)));
    return pixels;
}

} // namespace

TEST(GifLzw, MatchesGiflibAndADeferredClearDecodes) {
    struct Case {
        int w, h, bits;
        int kind; // 0 noise, 1 smooth gradient, 2 stripes that change half way, 3 one colour
    } cases[] = {{1, 1, 1, 3},     {3, 1, 1, 0},     {17, 5, 2, 0},    {64, 64, 4, 1},  {200, 150, 8, 0},
                 {256, 256, 8, 1}, {300, 200, 8, 2}, {512, 400, 5, 2}, {640, 480, 8, 3}};
    cGifLzw lzw; // one encoder for every case: nothing of one may leak into the next
    for (const Case& c : cases) {
        Bytes pixels(size_t(c.w) * size_t(c.h));
        uint32_t seed = 7;
        for (size_t k = 0; k < pixels.size(); ++k) {
            const int x = int(k % size_t(c.w)), y = int(k / size_t(c.w));
            seed = seed * 1664525u + 1013904223u;
            const int v = c.kind == 0   ? int(seed >> 24)
                          : c.kind == 1 ? (x + y) / 3 + int(seed >> 30)
                          : c.kind == 2 ? (y < c.h / 2 ? x / 7 : (x * 3 + y) / 5) + int(seed >> 31)
                                        : 5;
            pixels[k] = uint8_t(v & ((1 << c.bits) - 1));
        }
        const Bytes giflib = WriteGif(c.w, c.h, c.bits, pixels, nullptr);
        const Bytes now = lzw.compress(pixels.data(), pixels.size(), c.bits, kGifClearAtOnce);
        EXPECT_EQ(WriteGif(c.w, c.h, c.bits, pixels, &now), giflib) << c.w << "x" << c.h;
        size_t smallest = now.size();
        for (eGifLzwClear clear : {kGifClearWhenWorse, kGifNeverClear}) {
            const Bytes later = lzw.compress(pixels.data(), pixels.size(), c.bits, clear);
            EXPECT_EQ(lzw.compressedSize(pixels.data(), pixels.size(), c.bits, clear), later.size());
            EXPECT_EQ(Decode(WriteGif(c.w, c.h, c.bits, pixels, &later)), pixels) << c.w << "x" << c.h;
            smallest = std::min(smallest, later.size());
        }
        EXPECT_EQ(lzw.compressSmallest(pixels.data(), pixels.size(), c.bits).size(), smallest);
    }
}
