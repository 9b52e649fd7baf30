// The GIF animation reader: frames composed with their disposal, delays and extensions, and files
// it must refuse. Files are written with giflib (image_fixtures).

#include "image/gif_animation.h"
#include "image_fixtures.h"
#include "support/message_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace image_fixtures;

namespace {

// Colour map: index 0 black, 1 'A', 2 'B', 3 'C', 4 'D' (index 5 is the transparent one below).
const std::vector<uint32_t> kMap = {0x000000, 0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xFFFFFF};

// A frame as one letter a pixel, rows joined with '/': '.' transparent (alpha 0, black), else the
// opaque colour of that letter.
std::string Letters(const cDib& image) {
    std::string out;
    for (int y = 0; y < image.height(); ++y) {
        if (y) out += '/';
        for (int x = 0; x < image.width(); ++x) {
            const uint32_t p = image.readPixel(x, y);
            const auto i = std::find(kMap.begin() + 1, kMap.begin() + 5, p & 0xFFFFFF) - kMap.begin();
            out += p == 0 ? '.' : p >> 24 == 0xFF && i < 5 ? char('A' + i - 1) : '?';
        }
    }
    return out;
}

strGifFrame Image(int left, int top, int w, int h, Bytes indices, int delay = 0, int disposal = 0,
                  int transparent = -1) {
    return {left, top, w, h, false, {}, transparent, std::move(indices), delay, disposal};
}

} // namespace

TEST(GifAnimation, FramesComposeWithTheirDisposal) {
    // On a 4 x 4 screen: A everywhere (kept); B on the middle 2 x 2 with one transparent pixel
    // (cleared after); C at the corner (restored after); D at the other corner.
    const std::vector<strGifFrame> frames = {
        Image(0, 0, 4, 4, Bytes(16, 1), 10, 1),
        Image(1, 1, 2, 2, {2, 2, 5, 2}, 20, 2, 5),
        Image(0, 0, 1, 1, {3}, 0, 3),
        Image(3, 3, 1, 1, {4}, 7),
    };
    strGifAnimation gif;
    strMessage why;
    ASSERT_TRUE(ReadGifAnimation(MakeGif(4, 4, kMap, frames), gif, &why)) << why;
    EXPECT_EQ(std::pair(gif.width, gif.height), std::pair(4, 4));
    EXPECT_EQ(gif.loopCount, -1); // no loop block
    const struct {
        const char* pixels; // rows joined with '/'
        int delay, disposal;
    } want[] = {{"AAAA/AAAA/AAAA/AAAA", 10, 1},
                {"AAAA/ABBA/AABA/AAAA", 20, 2},
                {"CAAA/A..A/A..A/AAAA", 0, 3},
                {"AAAA/A..A/A..A/AAAD", 7, 0}};
    ASSERT_EQ(gif.frames.size(), std::size(want));
    for (size_t i = 0; i < gif.frames.size(); ++i) {
        const strGifAnimation::strFrame& f = gif.frames[i];
        ASSERT_TRUE(f.image);
        EXPECT_EQ(f.image->bits(), 32);
        EXPECT_EQ(Letters(*f.image), want[i].pixels) << i;
        EXPECT_EQ(f.delay, want[i].delay) << i;
        EXPECT_EQ(f.disposal, want[i].disposal) << i;
    }
    EXPECT_EQ(gif.frames[1].transparentIndex, 5);
    EXPECT_EQ(
        std::vector<int>({gif.frames[3].left, gif.frames[3].top, gif.frames[3].width, gif.frames[3].height}),
        std::vector<int>({3, 3, 1, 1}));
}

TEST(GifAnimation, LoopCommentAndPlainTextExtensions) {
    strGifExtensions x{
        .loopCount = 3, .bufferSize = 0x01020304, .comment = "made by hand", .plainText = "Hi"};
    const std::vector<strGifFrame> frames = {Image(0, 0, 2, 1, {1, 2})};
    strGifAnimation gif;
    strMessage why;
    ASSERT_TRUE(ReadGifAnimation(MakeGif(2, 1, kMap, frames, x), gif, &why)) << why;
    EXPECT_EQ(gif.loopCount, 3);
    EXPECT_EQ(gif.bufferSize, 0x01020304u);
    EXPECT_EQ(gif.comments, std::vector<std::string>({"made by hand"}));
    ASSERT_EQ(gif.plainTexts.size(), 1u);
    const auto& t = gif.plainTexts[0];
    EXPECT_EQ(std::vector<int>({t.beforeFrame, t.left, t.top, t.width, t.height, t.cellWidth, t.cellHeight,
                                t.foreground, t.background}),
              std::vector<int>({0, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(t.text, "Hi");
    // The graphic control before the plain text belongs to it, not to the image after it.
    ASSERT_EQ(gif.frames.size(), 1u);
    EXPECT_EQ(gif.frames[0].delay, 0);
    EXPECT_EQ(Letters(*gif.frames[0].image), "AB");
    EXPECT_EQ(gif.background, std::optional<uint32_t>(0x000000));
}

TEST(GifAnimation, DamagedOrOversizedFilesAreRefused) {
    const std::vector<strGifFrame> two = {Image(0, 0, 2, 2, Bytes(4, 1)), Image(1, 1, 1, 1, {2})};
    const strGifExtensions x{0, 0, "c", "t"};
    const Bytes good = MakeGif(2, 2, kMap, two, x);
    strGifAnimation gif;
    strMessage why;
    ASSERT_TRUE(ReadGifAnimation(good, gif, &why)) << why;
    // Every shorter prefix fails cleanly (no trailer, or cut inside a block), leaving nothing behind.
    for (size_t n = 0; n < good.size(); ++n) {
        why = {};
        EXPECT_FALSE(ReadGifAnimation({good.data(), n}, gif, &why)) << n;
        EXPECT_FALSE(why.none()) << n;
        EXPECT_TRUE(gif.frames.empty()) << n;
    }
    strGifFrame outside = two[1];
    outside.left = 2;
    const struct {
        Bytes bytes;
        uint64_t maxBytes;
        const char* reason;
    } cases[] = {
        {MakeGif(2, 2, kMap, {two[0], outside}), kMaxGifAnimationBytes, "outside"},
        {MakeGif(2, 2, kMap, {}), kMaxGifAnimationBytes, "no image"},
        {good, 2 * 2 * 4 * 2 - 1, "would take more"}, // two frames of 16 bytes do not fit in 31
        {good, 2 * 2 * 4 - 1, "too large"},
        {Bytes{'G', 'I', 'F', '8', '9', 'a'}, kMaxGifAnimationBytes, "not a GIF"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(ReadGifAnimation(c.bytes, gif, &why, c.maxBytes)) << c.reason;
        EXPECT_NE(FormatMessage(why).find(c.reason), std::string::npos) << why;
    }
    EXPECT_TRUE(ReadGifAnimation(good, gif, &why, 2 * 2 * 4 * 2)) << why;
}
