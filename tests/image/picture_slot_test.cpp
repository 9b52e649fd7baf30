// Picture slots (upload rules, division) and the slot table's update rules.

#include "image/picture_slot_table.h"

#include "config/config.h"
#include "document/project.h"
#include "image/builtin_pictures.h"
#include "image/picture_info.h"
#include "image_fixtures.h"
#include "platform/code_page.h"
#include "support/test_support.h"

#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>

using namespace image_fixtures;

namespace {

// An opaque PNG of one colour (the low 24 bits of argb), with an optional different top-left pixel.
void WriteSolidPng(const std::string& path, int w, int h, uint32_t argb, int64_t topLeft = -1) {
    strPngFixture s{.width = w, .height = h, .colourType = PNG_COLOR_TYPE_RGB};
    for (int i = 0; i < w * h; ++i) {
        const uint32_t c = i == 0 && topLeft >= 0 ? uint32_t(topLeft) : argb;
        if (i % w == 0) s.rows.emplace_back();
        s.rows.back().insert(s.rows.back().end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
    }
    testing_support::WriteBytes(path, MakePng(s));
}

// Every pixel of a texture, top row first.
std::vector<uint32_t> Pixels(const cTexture& t) {
    std::vector<uint32_t> out;
    for (int y = 0; y < t.height(); ++y)
        for (int x = 0; x < t.width(); ++x)
            out.push_back(t.pixel(x, y));
    return out;
}

strPicture Pic(const std::string& path, int divX = 1, int divY = 1, int hue = 0) {
    return {uint16_t(divX), uint16_t(divY), uint16_t(hue), path};
}

} // namespace

TEST(PictureSlot, EightBitUploadUsesPaletteHueAndTransparentIndex) {
    cPictureSlot s;
    Attach(s.newPicture(), 3, 2, 8, {0, 1, 2, 1, 5, 0}, {0xFF000000, 0xFFFF0000, 0x80FFFFFF});
    ASSERT_TRUE(s.divide(1, 1, kTransFlagPalette0));
    // Index 0 is transparent, the palette alpha is kept, an index past the palette is transparent.
    EXPECT_EQ(Pixels(s.imageTexture()),
              (std::vector<uint32_t>{0, 0xFFFF0000u, 0x80FFFFFFu, 0xFFFF0000u, 0, 0}));
    s.setHsv(120);
    ASSERT_TRUE(s.divide(-1, 0, 0)); // repeat the last request
    EXPECT_EQ(s.transparentIndex(), 0u);
    EXPECT_EQ(s.imageTexture().pixel(1, 0), 0xFF00FF00u);
    // Black on an 8-bit picture gives only a key, which 8-bit uploads ignore: all opaque.
    s.setHsv();
    ASSERT_TRUE(s.divide(1, 1, kTransFlagBlack));
    EXPECT_EQ(s.imageTexture().pixel(0, 0), 0xFF000000u);
}

TEST(PictureSlot, ThirtyTwoBitUploadUsesAlphaKeyAndHue) {
    cPictureSlot s;
    Attach(s.newPicture(), 2, 2, 32, {0x00FF0000, 0xFF000000, 0x80FF0000, 0xFF123456});
    ASSERT_TRUE(s.divide(1, 1, kTransFlagBlack));
    // Alpha 0 and the black key are transparent, the others copied.
    EXPECT_EQ(Pixels(s.imageTexture()), (std::vector<uint32_t>{0, 0, 0x80FF0000u, 0xFF123456u}));
    s.setHsv(240);
    ASSERT_TRUE(s.divide(1, 1, 0));
    EXPECT_EQ(s.imageTexture().pixel(1, 0), 0xFF000000u); // method 0: no key
    EXPECT_EQ(s.imageTexture().pixel(0, 1), 0x800000FFu); // hue applied, alpha kept
    ASSERT_TRUE(s.divide(1, 1, kTransFlagUpperLeft));     // key from the top-left pixel's RGB
    EXPECT_EQ(s.imageTexture().pixel(0, 1), 0u);
}

TEST(PictureSlot, GridAccessorsAndTextures) {
    cPictureSlot s;
    EXPECT_FALSE(s.divide(1, 1, 0)); // nothing loaded
    Attach(s.newPicture(), 10, 6, 32, std::vector<uint32_t>(10 * 6, 0xFF112233));
    float o[2], e[2];
    EXPECT_EQ(s.getPatternUv(0, o, e), nullptr);
    EXPECT_EQ(e[0], 1.0f);
    ASSERT_TRUE(s.divide(4, 3, kDivideByWidth));
    EXPECT_TRUE(s.isValid());
    EXPECT_EQ(s.patternCount(), 4);
    EXPECT_EQ(s.getPatternRect(3), (strRect{4, 3, 8, 6})); // 2 x 2 cells of 4 x 3
    EXPECT_EQ(s.hitTest(5, 1), 1);
    EXPECT_EQ(s.getPatternUv(3, o, e), &s.imageTexture());
    EXPECT_FLOAT_EQ(o[0], 0.4f);
    EXPECT_FLOAT_EQ(o[1], 0.5f);
    ASSERT_NE(s.getCellTexture(1), nullptr);
    EXPECT_EQ(s.getCellTexture(1)->width(), 4);
    EXPECT_EQ(s.getCellTexture(0)->height(), 3);
    EXPECT_EQ(s.getCellTexture(2), nullptr);
    // A failing division goes back to loaded.
    EXPECT_FALSE(s.divide(11, 1, kDivideByWidth));
    EXPECT_FALSE(s.isValid());
    EXPECT_TRUE(s.isAttached());
    EXPECT_TRUE(s.imageTexture().isEmpty());
    EXPECT_EQ(s.getCellTexture(0), nullptr);
}

TEST(PictureSlot, OpenResultsAndBuiltins) {
    cPictureSlot s;
    EXPECT_EQ(s.loadFromFile("/nonexistent/x.png"), -2);
    EXPECT_EQ(s.open("/nonexistent/x.png", 0), -1);
    EXPECT_EQ(s.open("BITMAP_ERCELL", kDivideFromResource | kTransFlagPalette0 | kDivideByWidth), 1);
    EXPECT_EQ(s.patternCount(), 1);
    EXPECT_EQ(s.imageTexture().pixel(16, 5) >> 24, 0u); // background: index 0, transparent
    EXPECT_EQ(s.imageTexture().pixel(0, 0), 0xFFFF2020u);

    cPictureSlotTable table;
    cConfig config;
    config.CGround = 0x00332211; // Windows colour 0x00BBGGRR
    ASSERT_TRUE(table.initialise(config));
    EXPECT_EQ(table.backgroundColour(), 0x112233u);
    ASSERT_NE(table.find(cPictureSlotTable::kErrorPicture), nullptr);
    EXPECT_TRUE(table.find(cPictureSlotTable::kErrorPicture)->isValid());
    EXPECT_FALSE(table.insert(nullptr, 3));
    EXPECT_FALSE(table.remove(3));
}

class SlotTableTest : public ::testing::Test {
  protected:
    testing_support::TempDir dir;
    cPictureSlotTable table;
    strSlotSource src{.baseFolder = dir.path(), .locale = "jpn", .transType = 0};
    cConfig config;

    // A project of one frame whose pictures are read from dir.
    std::unique_ptr<cProject> project() {
        auto doc = std::make_unique<cProject>(&config);
        EXPECT_TRUE(doc->create(1, 4, 4, 1));
        doc->setText(kTextBaseFolder, dir.path());
        return doc;
    }

    uint32_t topLeft(int n) const { return table.find(n)->imageTexture().pixel(0, 0); }
    bool update(int n, strPicture* now, const strPicture* before, bool force = false) {
        return table.updatePicture(src, n, now, before, force, true);
    }
};

// The same record is not read again unless forced; a letter case change or a hue change is a change,
// and a hue change divides again without reading the file.
TEST_F(SlotTableTest, ReloadRules) {
    WriteSolidPng(dir.file("a.png"), 4, 4, 0xFFFF0000);
    WriteSolidPng(dir.file("A.png"), 4, 4, 0xFF00FF00);
    strPicture p = Pic("a.png"), same = p, upper = Pic("A.png"), hued = Pic("a.png", 1, 1, 120);
    ASSERT_TRUE(update(0, &p, nullptr));
    cPictureSlot* slot = table.find(0);
    ASSERT_NE(slot, nullptr);
    const cBMP* bits = slot->picture().get();
    WriteSolidPng(dir.file("a.png"), 4, 4, 0xFF0000FF);
    ASSERT_TRUE(update(0, &same, &p));
    EXPECT_EQ(table.find(0), slot);
    EXPECT_EQ(topLeft(0), 0xFFFF0000u);
    ASSERT_TRUE(update(0, &hued, &p));
    EXPECT_EQ(table.find(0), slot);
    EXPECT_EQ(slot->picture().get(), bits);
    EXPECT_EQ(topLeft(0), 0xFF00FF00u); // red turned by 120
    ASSERT_TRUE(update(0, &p, &hued));  // back to 0: adjustment off
    EXPECT_EQ(topLeft(0), 0xFFFF0000u);
    EXPECT_FALSE(slot->hueEnabled());
    ASSERT_TRUE(update(0, &same, &p, true));
    EXPECT_EQ(topLeft(0), 0xFF0000FFu);
    ASSERT_TRUE(update(0, &upper, &p));
    EXPECT_EQ(topLeft(0), 0xFF00FF00u);
}

// Zero divisions divide as 1 x 1 (the record is left as it is); a failed division or a file that does
// not load keep the slot; no record removes it.
TEST_F(SlotTableTest, DivisionRulesAndFailures) {
    WriteSolidPng(dir.file("s.png"), 96, 64, 0xFF808080);
    strPicture p = Pic("s.png", 0, 0);
    ASSERT_TRUE(update(0, &p, nullptr));
    EXPECT_EQ(p, Pic("s.png", 0, 0));
    EXPECT_EQ(table.find(0)->patternCount(), 1);
    strPicture split = Pic("s.png", 3, 2);
    ASSERT_TRUE(update(0, &split, &p));
    EXPECT_EQ(table.find(0)->patternCount(), 6);
    int w, h;
    table.find(0)->getCellSize(w, h);
    EXPECT_EQ(std::pair(w, h), std::pair(32, 32));
    src.splitByWidth = true; // 16 x 16 cells
    strPicture byWidth = Pic("s.png", 16, 16);
    ASSERT_TRUE(update(0, &byWidth, &split));
    EXPECT_EQ(table.find(0)->patternCount(), 24);
    strPicture tooWide = Pic("s.png", 97, 16);
    cPictureSlot* slot = table.find(0);
    EXPECT_FALSE(update(0, &tooWide, &byWidth));
    EXPECT_EQ(table.find(0), slot); // not valid until divided again
    strPicture missing = Pic("missing.png");
    EXPECT_FALSE(update(0, &missing, &byWidth));
    EXPECT_EQ(table.find(0), slot);
    EXPECT_TRUE(update(0, nullptr, &byWidth));
    EXPECT_EQ(table.find(0), nullptr);
}

TEST_F(SlotTableTest, TransTypeChangeAffectsOnlySlotsDividedAgain) {
    WriteSolidPng(dir.file("k.png"), 2, 2, 0xFFFFFFFF, 0xFF000000); // black top-left
    strPicture p = Pic("k.png");
    ASSERT_TRUE(update(0, &p, nullptr));
    ASSERT_TRUE(update(1, &p, nullptr));
    EXPECT_EQ(topLeft(0), 0xFF000000u);
    src.transType = kTransBlack;
    ASSERT_TRUE(update(1, &p, &p)); // nothing changed: nothing done
    EXPECT_EQ(topLeft(1), 0xFF000000u);
    strPicture hued = Pic("k.png", 1, 1, 1);
    ASSERT_TRUE(update(0, &hued, &p)); // divided again
    EXPECT_EQ(topLeft(0), 0u);
    EXPECT_EQ(topLeft(1), 0xFF000000u);
}

TEST_F(SlotTableTest, PathsResolveWithEitherSeparatorAndTheCodePage) {
    std::filesystem::create_directories(dir.file("sub/deeper"));
    WriteSolidPng(dir.file("sub/deeper/b.png"), 2, 2, 0xFF0000FF);
    strPicture p = Pic("sub\\deeper\\..\\deeper/b.png");
    ASSERT_TRUE(update(0, &p, nullptr));
    EXPECT_EQ(cPictureSlotTable::resolvePicturePath(src, p.path, true), dir.file("sub/deeper/b.png"));
    // Without the base folder a relative name is not found from here.
    EXPECT_FALSE(table.updatePicture(src, 1, &p, nullptr, false, false));

    // A stored name in CP932 finds the UTF-8 file on disk.
    const std::string name = reinterpret_cast<const char*>(u8"画像.png");
    WriteSolidPng(dir.file(name), 2, 2, 0xFF00FF00);
    std::string stored = platform::FromUtf8(name, "jpn");
    EXPECT_EQ(stored.substr(0, 4), std::string("\x89\xE6\x91\x9C"));
    strPicture jp = Pic(stored);
    ASSERT_TRUE(update(2, &jp, nullptr));
    EXPECT_EQ(topLeft(2), 0xFF00FF00u);
}

TEST_F(SlotTableTest, ProjectReloadRemoveAndTarget) {
    WriteSolidPng(dir.file("a.png"), 8, 8, 0xFFFF0000);
    WriteSolidPng(dir.file("b.png"), 8, 8, 0xFF00FF00);
    config.TransType = 0;
    const auto doc = project();
    doc->setPicture(0, Pic("a.png", 2, 2));
    doc->setPicture(2, Pic("b.png", 0, 0));
    EXPECT_EQ(table.reloadAll(*doc), 2);
    EXPECT_EQ(table.find(0)->patternCount(), 4);
    EXPECT_EQ(table.find(2)->patternCount(), 1);
    EXPECT_EQ(table.find(1), nullptr);
    EXPECT_EQ(doc->picture(2)->divX, 1);

    // A record change through the document's own form of the call.
    strPicture hued = *doc->picture(0);
    hued.hue = 120;
    ASSERT_TRUE(table.updatePicture(*doc, 0, &hued, doc->picture(0), false, true));
    EXPECT_EQ(topLeft(0), 0xFF00FF00u);

    config.TargetPath = dir.file("b.png");
    ASSERT_TRUE(table.updateTarget(config));
    ASSERT_NE(table.find(cPictureSlotTable::kTargetPicture), nullptr);
    EXPECT_EQ(table.find(cPictureSlotTable::kTargetPicture)->patternCount(), 1);

    EXPECT_EQ(table.removeAll(*doc), 2);
    EXPECT_EQ(table.find(0), nullptr);
    ASSERT_NE(table.find(cPictureSlotTable::kTargetPicture), nullptr); // not a project picture
    config.TargetPath.clear();
    EXPECT_TRUE(table.updateTarget(config));
    EXPECT_EQ(table.find(cPictureSlotTable::kTargetPicture), nullptr);
}

// An edited picture is stored only when its file opens and divides; otherwise the record and a
// usable slot stay as they were.
TEST_F(SlotTableTest, StoringAnEditedPictureKeepsTheOldOneOnFailure) {
    WriteSolidPng(dir.file("a.png"), 200, 200, 0xFFFF0000);
    const auto doc = project();
    ASSERT_TRUE(table.storePicture(*doc, 1, Pic("a.png", 2, 2)));
    EXPECT_EQ(*doc->picture(1), Pic("a.png", 2, 2));
    EXPECT_EQ(table.find(1)->patternCount(), 4);
    doc->markSaved();

    const strPicture failures[] = {Pic("missing.png", 2, 2), Pic("a.png", 200, 100)}; // 20000 patterns
    for (const strPicture& bad : failures) {
        EXPECT_FALSE(table.storePicture(*doc, 1, bad)) << bad.path;
        EXPECT_EQ(*doc->picture(1), Pic("a.png", 2, 2));
        ASSERT_TRUE(table.find(1)->isValid());
        EXPECT_EQ(table.find(1)->patternCount(), 4);
    }
    EXPECT_FALSE(table.storePicture(*doc, 3, Pic("missing.png")));
    EXPECT_EQ(doc->picture(3), nullptr);
    EXPECT_FALSE(doc->modified());
    EXPECT_FALSE(table.storePicture(*doc, doc->pictureCapacity(), Pic("a.png")));
}

using PictureInfo = SlotTableTest;

TEST_F(PictureInfo, DescribesEveryPictureRecord) {
    WriteSolidPng(dir.file("a.png"), 96, 64, 0xFFFF0000);
    config.Init_Div = 0;
    const auto doc = project();
    doc->setPicture(0, Pic("a.png", 3, 2));
    doc->setPicture(1, Pic("missing.png"));
    doc->setSetting(kKeySplitFormat, 1); // by width: 3 x 2 pixel cells
    doc->setPicture(2, Pic("a.png", 97, 1));
    std::vector<strPictureInfo> infos = DescribePictures(*doc);
    ASSERT_EQ(infos.size(), 3u);
    EXPECT_EQ(std::tuple(infos[0].result, infos[0].format, infos[0].width, infos[0].height, infos[0].count),
              std::tuple(1, kImagePng, 96, 64, 1024));
    EXPECT_EQ(infos[1].result, -1);
    EXPECT_FALSE(infos[1].fileFound);
    EXPECT_EQ(infos[2].result, -2); // 97 pixels wide cells on a 96 pixel picture
    EXPECT_STREQ(PictureResultText(-2), "division failed");
}
