// A new animation from an animated GIF: delays to ticks, the sheet and the cells, the magnification
// of a scaled screen, and the GIFs that are refused with the document left alone.

#include "export/export_fixture.h"
#include "export/gif_import.h"
#include "image/pattern_grid.h"
#include "support/message_texts.h"

#include <array>
#include <filesystem>

using export_fixture::Frame;
using testing_support::TempDir;

namespace {

// A GIF of w x h frames of the given colours (0xAARRGGBB) and delays, written by the GIF encoder.
std::vector<uint8_t> Gif(int w, int h, const std::vector<uint32_t>& colours, const std::vector<int>& delays) {
    cGifFile gif;
    for (size_t i = 0; i < colours.size(); ++i)
        gif.addFrame(Frame(
            w, h, [&](int, int) { return colours[i]; }, delays[i], 1));
    std::vector<uint8_t> bytes;
    strMessage why;
    EXPECT_TRUE(gif.encode(bytes, -1, &why)) << why;
    return bytes;
}

} // namespace

TEST(GifImport, DelaysBecomeTicksOnTheRunningTotal) {
    struct Row {
        std::vector<int> delays;
        int tickMs;
        std::vector<int> ticks;
    } rows[] = {
        {{6, 6, 6, 6}, 16, {4, 4, 3, 4}}, // 60 ms is 3.75 ticks: 240 ms is 15 ticks in all
        {{0, 1, 2}, 16, {6, 7, 1}},       // 0 and 1 play as 10 hundredths; 20 ms rounds to 1
        {{1000}, 100, {100}},
        {{2, 2, 2}, 100, {1, 1, 1}}, // shorter than a tick: each frame still gets one
        {{65535, 65535}, 1, {65535, 65535}},
    };
    for (const Row& r : rows)
        EXPECT_EQ(GifDelaysToTicks(r.delays, r.tickMs), r.ticks) << r.tickMs;
}

TEST(GifImport, EachFrameIsAPatternAndACellAtTheCentre) {
    const std::vector<uint32_t> colours = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF};
    const std::vector<uint8_t> gif = Gif(4, 2, colours, {0, 5, 30});
    cConfig config;
    config.setDefaults();
    cProject doc(&config);
    strGifImportOptions o;
    o.sheet.patternSize = 8;
    o.sheet.perRow = 2;
    o.pictureName = "fire.png";
    o.name = "Fire";
    strGifImportResult r;
    strMessage why;
    ASSERT_TRUE(BuildAnimationFromGif(gif, o, doc, r, &why)) << why;
    // 100, 50 and 300 ms at 16 ms a tick: running totals 6.25, 9.4, 28.1 ticks -> 6, 3, 19.
    EXPECT_EQ(r.ticks, (std::vector<int>{6, 3, 19}));
    EXPECT_EQ(r.basicInterval, 3); // every length once: the shortest
    EXPECT_EQ(doc.frameCount(), 3);
    EXPECT_EQ(doc.getSetting(kKeyBasicInterval), 3);
    EXPECT_EQ(
        (std::array{doc.frameInterval(0, false), doc.frameInterval(1, false), doc.frameInterval(2, false)}),
        (std::array{6, 0, 19}));
    EXPECT_EQ(doc.getSetting(kKeySplitFormat), 1);
    ASSERT_TRUE(doc.picture(0));
    EXPECT_EQ(*doc.picture(0), (strPicture{.divX = 8, .divY = 8, .path = "fire.png"}));
    EXPECT_EQ(doc.text(kTextName), "Fire");
    for (int k = 0; k < 3; ++k) {
        const strCell* c = doc.cell(k, 0);
        ASSERT_TRUE(c) << k;
        EXPECT_EQ(std::tuple(c->picture, c->pattern, c->x, c->y, c->mx, c->my, c->opacity),
                  std::tuple(0, k + 1, 0, 0, 100, 100, 255));
        EXPECT_EQ(doc.cell(k, 1), nullptr);
    }
    // The sheet: pattern k of the grid the picture is divided by holds frame k, centred.
    ASSERT_TRUE(r.sheet);
    strPatternGrid grid;
    ASSERT_TRUE(ComputePatternGrid(r.sheet->width(), r.sheet->height(), 8, 8, true, grid));
    for (int k = 0; k < 3; ++k) {
        strRect rect;
        ASSERT_TRUE(PatternRect(grid, k, rect));
        EXPECT_EQ(r.sheet->readPixel(rect.left + 2, rect.top + 3), colours[size_t(k)]) << k;
        EXPECT_EQ(r.sheet->readPixel(rect.left + 1, rect.top + 3), 0u) << k; // outside the 4 x 2 frame
    }
}

TEST(GifImport, AScreenLargerThanThePatternIsScaledAndMagnifiedBack) {
    cConfig config;
    config.setDefaults();
    cProject doc(&config);
    strGifImportOptions o;
    o.sheet.patternSize = 5;
    strGifImportResult r;
    strMessage why;
    ASSERT_TRUE(BuildAnimationFromGif(Gif(10, 6, {0xFF808080}, {4}), o, doc, r, &why)) << why;
    EXPECT_EQ(r.magnification, 200);
    EXPECT_EQ(std::tuple(doc.cell(0, 0)->mx, doc.cell(0, 0)->my), std::tuple(200, 200));
    EXPECT_EQ(r.sheet->readPixel(2, 2), 0xFF808080u);
}

TEST(GifImport, RefusedGifsLeaveTheDocumentAndWriteNoSheet) {
    TempDir dir;
    cConfig config;
    config.setDefaults();
    cProject doc(&config);
    doc.create(2, 4, 1, 1);
    doc.setText(kTextName, "kept");
    std::vector<uint32_t> many(101, 0xFF112233);
    testing_support::WriteBytes(dir.file("many.gif"), Gif(1, 1, many, std::vector<int>(101, 3)));
    testing_support::WriteBytes(dir.file("bad.gif"), {'G', 'I', 'F', '8', '9', 'a', 1, 0});
    struct Row {
        const char* gif;
        eSheetProduct product;
        const char* sheet;
        const char* reason;
    } rows[] = {
        {"many.gif", eSheetProduct::kMV, "s.png",
         "101 frames: RPG Maker MV reads at most 100 patterns in one picture"},
        {"bad.gif", eSheetProduct::kAny, "s.png", "cannot read the GIF"},
        {"none.gif", eSheetProduct::kAny, "s.png", "does not exist"},
        {"many.gif", eSheetProduct::kAny, "no/s.png", "cannot write"},
    };
    for (const Row& row : rows) {
        strGifImportOptions o;
        o.sheet.product = row.product;
        strGifImportResult r;
        strMessage why;
        EXPECT_FALSE(ImportGifFile(dir.file(row.gif), dir.file(row.sheet), o, doc, r, &why)) << row.gif;
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.reason, why); // the result says why as error does
        EXPECT_NE(FormatMessage(why).find(row.reason), std::string::npos) << why;
        EXPECT_EQ(doc.text(kTextName), "kept");
        EXPECT_FALSE(std::filesystem::exists(dir.file("s.png")));
    }
    // Without a product 101 frames are fine.
    strGifImportResult r;
    strMessage why;
    EXPECT_TRUE(ImportGifFile(dir.file("many.gif"), dir.file("s.png"), {}, doc, r, &why)) << why;
    EXPECT_TRUE(r.ok && r.reason.none());
    EXPECT_EQ(doc.frameCount(), 101);
    EXPECT_TRUE(std::filesystem::exists(dir.file("s.png")));
}
