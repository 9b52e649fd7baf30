// The GIF encoder, read back with giflib.

#include "export/capture_image.h"
#include "export/gif_file.h"
#include "export_fixture.h"
#include "support/message_texts.h"

#include "image/pixel_ops.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <set>

using namespace export_fixture;
using testing_support::TempDir;

namespace {

// Exports the fixture as a GIF to dir/name and reads it back.
std::string ExportGif(strExportFixture& f, const TempDir& dir, const std::string& name, uint32_t flags,
                      int fps = 60, strCaptureArea area = {-2, -2, 2, 2}, uint32_t background = 0) {
    const std::string path = dir.file(name);
    strCaptureRequest r = f.request(path, kExportGif | flags);
    r.fps = fps;
    r.area = area;
    r.background = background;
    RunCapture(r);
    return path;
}

// The file's bytes (empty when encoding fails).
std::vector<uint8_t> Encode(cGifFile& file, int64_t transparentColour = -1) {
    std::vector<uint8_t> bytes;
    strMessage why;
    EXPECT_TRUE(file.encode(bytes, transparentColour, &why)) << why;
    return bytes;
}

} // namespace

// At 60 fps a tick is 1.67 hundredths: 6 per tick under the limit, else 1 then 5 for 3 ticks.
TEST(GifExport, FramesDelaysAndLoopBlock) {
    TempDir dir;
    strExportFixture f({1, 3, 1});
    strGifReadBack gif(ExportGif(f, dir, "a.gif", kExportLimit6));
    ASSERT_TRUE(gif.gif);
    EXPECT_EQ(gif.delays(), (std::vector<int>{6, 18, 6}));
    EXPECT_EQ(gif.gcb(0).DisposalMode, 2);
    EXPECT_EQ(std::pair(gif.gif->SWidth, gif.gif->SHeight), std::pair(4, 4));
    EXPECT_EQ(gif.loopCount(), 0);
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(gif.colour(k, 1, 1), int64_t(PatternColour(k) & 0xFFFFFF));
    strExportFixture g({1, 3});
    strGifReadBack fast(ExportGif(g, dir, "b.gif", 0));
    EXPECT_EQ(fast.delays(), (std::vector<int>{1, 5}));
    // A single frame has no loop block; its graphic control (disposal 2) makes it 89a.
    strExportFixture one({2});
    strGifReadBack single(ExportGif(one, dir, "c.gif", 0));
    ASSERT_EQ(single.frames(), 1);
    EXPECT_EQ(single.loopCount(), -1);
    EXPECT_EQ(single.signature(), "GIF89a");
}

TEST(GifExport, TransparentBackground) {
    TempDir dir;
    strExportFixture f({1, 1});
    f.doc->setCell(1, 0, nullptr); // the second frame is empty
    // 8 x 8 around the 4 x 4 cell.
    strGifReadBack gif(ExportGif(f, dir, "t.gif", kExportAlpha, 30, {-4, -4, 4, 4}, 0x00FF00FF));
    ASSERT_EQ(gif.frames(), 2);
    // Frame 1 has no opaque pixel: a 1 x 1 transparent image at (0, 0).
    const GifImageDesc& d1 = gif.gif->SavedImages[1].ImageDesc;
    EXPECT_EQ(std::vector<int>({d1.Left, d1.Top, d1.Width, d1.Height}), std::vector<int>({0, 0, 1, 1}));
    EXPECT_EQ(gif.colour(1, 0, 0), -1);
    // The transparent entry is a replacement colour, not the background colour.
    const int t = gif.gcb(0).TransparentColor;
    ASSERT_NE(t, NO_TRANSPARENT_COLOR);
    EXPECT_EQ(strGifReadBack::colours(gif.gif->SColorMap)[size_t(t)], cGifFile::replacementColours()[0]);
    // Without "Trans. color" the background is an opaque colour.
    strGifReadBack opaque(ExportGif(f, dir, "o.gif", 0, 30, {-4, -4, 4, 4}, 0x00FF00FF));
    EXPECT_EQ(opaque.gif->SavedImages[0].ImageDesc.Width, 8);
    EXPECT_EQ(opaque.colour(0, 0, 0), 0xFF00FF);
    EXPECT_EQ(opaque.gcb(0).TransparentColor, NO_TRANSPARENT_COLOR);
}

TEST(GifFile, AlphaThresholdAndVersion87a) {
    cGifFile file;
    // Alpha 127 is transparent, 128 opaque.
    ASSERT_TRUE(file.addFrame(Frame(
        2, 1, [](int x, int) { return x == 0 ? 0x7F112233u : 0x80445566u; }, 0, 0)));
    strGifReadBack gif(Encode(file));
    EXPECT_EQ(gif.signature(), "GIF89a"); // a transparent index needs a graphic control
    const GifImageDesc& d = gif.gif->SavedImages[0].ImageDesc;
    EXPECT_EQ(std::pair(d.Left, d.Width), std::pair(1, 1));
    EXPECT_EQ(gif.colour(0, 0, 0), 0x445566);

    cGifFile plain;
    ASSERT_TRUE(plain.addFrame(Frame(
        2, 2, [](int, int) { return 0xFF0000FFu; }, 0, 0)));
    strGifReadBack b(Encode(plain));
    EXPECT_EQ(b.signature(), "GIF87a");
    EXPECT_EQ(b.gif->SColorMap->ColorCount, 2); // one colour, padded to a power of two

    cGifFile none;
    TempDir dir;
    strMessage why;
    EXPECT_FALSE(none.write(dir.file("c.gif"), -1, &why));
    EXPECT_FALSE(none.addFrame(nullptr));
}

TEST(GifFile, ExactlyTwoHundredFiftySixValuesAreNotQuantised) {
    cGifFile file;
    // 255 colours plus the marker.
    ASSERT_TRUE(file.addFrame(Frame(16, 16, [](int x, int y) {
        int k = y * 16 + x;
        return k == 0 ? 0u : 0xFF000000u | uint32_t(k) << 16 | uint32_t(255 - k) << 8 | uint32_t(k * 3 & 255);
    })));
    strGifReadBack gif(Encode(file));
    for (int k = 1; k < 256; ++k)
        EXPECT_EQ(gif.colour(0, k % 16, k / 16),
                  int64_t(uint32_t(k) << 16 | uint32_t(255 - k) << 8 | uint32_t(k * 3 & 255)))
            << k;
    EXPECT_EQ(gif.colour(0, 0, 0), -1);
}

// A frame of 64 x 64 distinct colours with a transparent hole: quantising to 256 colours gives 256
// colours plus the marker, so two colours merge; the frame keeps 255 colours and the marker.
TEST(GifFile, QuantisedFrameWithTransparencyKeepsAPalette) {
    cGifFile file;
    auto pixel = [](int x, int y) {
        if (x < 4 && y < 4) return 0u; // transparent
        return 0xFF000000u | uint32_t(x * 4) << 16 | uint32_t(y * 4) << 8 | uint32_t((x + y) * 2);
    };
    // The case is real: the white-composed image quantised to 256 colours uses all 256 of them.
    {
        auto white = render_fixture::MakeDib(
            64, 64, [&](int x, int y) { return pixel(x, y) ? pixel(x, y) : 0xFFFFFFFFu; });
        auto q = QuantizeColours(*ConvertBitDepth(*white, 24, 0), 256);
        ASSERT_TRUE(q);
        std::set<uint32_t> used;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                if (x >= 4 || y >= 4) used.insert(q->readPixel(x, y));
        ASSERT_EQ(used.size(), 256u);
    }
    ASSERT_TRUE(file.addFrame(Frame(64, 64, pixel)));
    ASSERT_TRUE(file.addFrame(
        Frame(64, 64, [](int x, int y) { return 0xFF000000u | uint32_t(x * 4) << 16 | uint32_t(y * 4); })));
    strGifReadBack gif(Encode(file));
    EXPECT_GE(file.frame(0)->transIndex, 0);
    ASSERT_EQ(gif.frames(), 2);
    // Opaque pixels come out close to their colour, the others transparent: 255 colours and transparent.
    int worst = 0;
    std::set<int64_t> colours;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const int64_t c = gif.colour(0, x, y);
            const uint32_t want = pixel(x, y);
            colours.insert(c);
            ASSERT_EQ(c >= 0, want != 0) << x << "," << y;
            for (int shift : {16, 8})
                if (c >= 0)
                    worst = std::max(worst, std::abs(int((c >> shift) & 255) - int((want >> shift) & 255)));
        }
    EXPECT_LT(worst, 40);
    EXPECT_EQ(colours.size(), 256u);
    // The second frame (4096 colours, none transparent) did not fit the global palette.
    EXPECT_GT(file.frame(1)->colourCount, 0);
    EXPECT_NE(gif.gif->SavedImages[1].ImageDesc.ColorMap, nullptr);
}

TEST(GifFile, GlobalPaletteIsSharedAndSorted) {
    cGifFile file;
    file.wholeFrames = true; // written as changes, the palette would hold a transparent entry too
    file.addFrame(Frame(
        2, 1, [](int x, int) { return x ? 0xFFFFFFFFu : 0xFF000000u; }, 10));
    file.addFrame(Frame(
        2, 1, [](int x, int) { return x ? 0xFF808080u : 0xFF000000u; }, 10));
    strGifReadBack gif(Encode(file));
    EXPECT_EQ(file.frame(0)->colourCount, 0);
    EXPECT_EQ(file.frame(1)->colourCount, 0);
    // black, grey, white and one black pad
    EXPECT_EQ(strGifReadBack::colours(gif.gif->SColorMap), (std::vector<uint32_t>{0, 0x808080, 0xFFFFFF, 0}));
    EXPECT_EQ(gif.gif->SavedImages[0].ImageDesc.ColorMap, nullptr);
    EXPECT_EQ(gif.colour(1, 1, 0), 0x808080);
}

TEST(GifFile, ReplacementColourAvoidsUsedColours) {
    const auto& table = cGifFile::replacementColours();
    EXPECT_EQ(std::set<uint32_t>(table.begin(), table.end()).size(), table.size());
    cGifFile file;
    file.addFrame(Frame(3, 1, [](int x, int) { return x == 0 ? 0u : x == 1 ? 0xFF0000FFu : 0xFF00FF00u; }));
    strGifReadBack gif(Encode(file));
    const int t = gif.gcb(0).TransparentColor;
    ASSERT_GE(t, 0);
    // 0x0000FF and 0x00FF00 are in use: the third candidate, 0x00FFFF.
    EXPECT_EQ(strGifReadBack::colours(gif.gif->SColorMap)[size_t(t)], 0x00FFFFu);
}

TEST(GifFile, InterlacedRowsComeBackInOrder) {
    cGifFile file;
    auto f = Frame(3, 11, [](int, int y) { return 0xFF000000u | uint32_t(y * 20) << 8; });
    f->interlace = true;
    file.addFrame(std::move(f));
    strGifReadBack gif(Encode(file));
    EXPECT_TRUE(gif.gif->SavedImages[0].ImageDesc.Interlace);
    for (int y = 0; y < 11; ++y)
        EXPECT_EQ(gif.colour(0, 1, y), int64_t(y * 20) << 8) << y;
}

TEST(GifFile, BackgroundIndexIsTheTransparentColoursPosition) {
    cGifFile file;
    file.addFrame(Frame(2, 1, [](int x, int) { return x ? 0xFFFFFFFFu : 0xFF123456u; }));
    strGifReadBack gif(Encode(file, 0x123456));
    EXPECT_EQ(strGifReadBack::colours(gif.gif->SColorMap)[size_t(gif.gif->SBackGroundColor)], 0x123456u);
    // A colour with a top byte counts as none.
    EXPECT_EQ(strGifReadBack(Encode(file, 0x7F123456)).gif->SBackGroundColor, 0);
}
