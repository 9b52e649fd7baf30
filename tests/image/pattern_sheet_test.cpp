// Pattern sheets: frames centred, trimmed and box-filtered into their patterns, the products'
// limits, what the check finds in a picture, the palette form for RPG Maker 2000, and reading frames
// from folders, GIFs and sprite strips.

#include "image/pattern_sheet.h"
#include "image_fixtures.h"
#include "support/message_texts.h"
#include "support/test_support.h"

#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

using namespace image_fixtures;

namespace {

// Letters for opaque colours; '.' is transparent.
const std::map<char, uint32_t> kColours = {
    {'A', 0xFF102030}, {'B', 0xFF405060}, {'C', 0xFF708090}, {'D', 0xFFA0B0C0}};

// A 32-bit frame from rows of letters joined with '/'.
std::unique_ptr<cDib> Frame(const std::string& rows) {
    std::vector<std::string> lines{""};
    for (char c : rows) {
        if (c == '/')
            lines.emplace_back();
        else
            lines.back().push_back(c);
    }
    std::vector<uint32_t> values;
    for (const std::string& line : lines)
        for (char c : line)
            values.push_back(c == '.' ? 0u : kColours.at(c));
    return MakeDib(int(lines[0].size()), int(lines.size()), 32, values);
}

std::string Letters(const cDib& image) {
    std::string out;
    for (int y = 0; y < image.height(); ++y) {
        if (y) out += '/';
        for (int x = 0; x < image.width(); ++x) {
            const uint32_t p = image.readPixel(x, y);
            char letter = p == 0 ? '.' : '?';
            for (const auto& [l, v] : kColours)
                if (v == p) letter = l;
            out += letter;
        }
    }
    return out;
}

strSheetResult Build(const std::vector<std::unique_ptr<cDib>>& frames, strSheetOptions o,
                     strMessage* why = nullptr) {
    std::vector<const cDib*> list;
    for (const auto& f : frames)
        list.push_back(f.get());
    strSheetResult r;
    strMessage error;
    EXPECT_EQ(BuildPatternSheet(list, o, r, &error), why == nullptr) << error;
    EXPECT_EQ(r.ok, why == nullptr); // the result says the same as the return and error
    EXPECT_EQ(r.reason, error);
    if (why) *why = error;
    return r;
}

std::vector<std::unique_ptr<cDib>> Frames(std::initializer_list<const char*> rows) {
    std::vector<std::unique_ptr<cDib>> out;
    for (const char* r : rows)
        out.push_back(Frame(r));
    return out;
}

} // namespace

TEST(PatternSheet, FramesAreCentredInTheirPatternsRowByRow) {
    strSheetOptions o;
    o.patternSize = 4;
    o.perRow = 2;
    const strSheetResult r = Build(Frames({"AB/CD", "ABC", "DDDD/DDDD/DDDD/DDDD", "..../..../..../...A"}), o);
    ASSERT_TRUE(r.sheet);
    EXPECT_EQ(Letters(*r.sheet), "......../.AB.ABC./.CD...../......../"
                                 "DDDD..../DDDD..../DDDD..../DDDD...A");
    EXPECT_EQ(std::tuple(r.columns, r.rows, r.patternSize), std::tuple(2, 2, 4));
    // Trimmed, the last frame is its one opaque pixel, centred.
    o.trim = true;
    const strSheetResult t = Build(Frames({"..../.AB./..../....", "...."}), o);
    EXPECT_EQ(Letters(*t.sheet), "......../.AB...../......../........");
    EXPECT_TRUE(t.frames[1].empty);
    EXPECT_EQ(std::tuple(t.frames[0].left, t.frames[0].top, t.frames[0].width), std::tuple(1, 1, 2));
}

TEST(PatternSheet, LargeFramesAreBoxFilteredDownKeepingTheirShape) {
    strSheetOptions o;
    o.patternSize = 2;
    o.perRow = 3;
    auto frames = Frames({"AABB/AABB", "A."});
    // Grey levels 0, 90, 180 in three pixels become two: (0 + 90 / 2) / 1.5 and (90 / 2 + 180) / 1.5.
    frames.push_back(MakeDib(3, 1, 32, {0xFF000000, 0xFF5A5A5A, 0xFFB4B4B4}));
    const strSheetResult r = Build(frames, o);
    ASSERT_TRUE(r.sheet);
    EXPECT_TRUE(r.frames[0].scaled);
    EXPECT_EQ(std::tuple(r.frames[0].width, r.frames[0].height), std::tuple(2, 1));
    EXPECT_EQ(r.sheet->readPixel(0, 0), kColours.at('A'));
    EXPECT_EQ(r.sheet->readPixel(1, 0), kColours.at('B'));
    EXPECT_EQ(r.sheet->readPixel(0, 1), 0u);
    // "A." fits the pattern as it is.
    EXPECT_FALSE(r.frames[1].scaled);
    EXPECT_EQ(r.sheet->readPixel(2, 0), kColours.at('A'));
    EXPECT_EQ(r.sheet->readPixel(3, 0), 0u);
    EXPECT_EQ(r.sheet->readPixel(4, 0), 0xFF1E1E1Eu);
    EXPECT_EQ(r.sheet->readPixel(5, 0), 0xFF969696u);

    // Into one pixel, "A." is half transparent: alpha halves, the colour stays A's (weighted by alpha).
    o.patternSize = 1;
    o.perRow = 1;
    const strSheetResult half = Build(Frames({"A."}), o);
    EXPECT_EQ(half.sheet->readPixel(0, 0), 0x80102030u);
}

TEST(PatternSheet, ProductLimitsRefuseOrAreNamed) {
    struct Row {
        eSheetProduct product;
        int frames;
        const char* refusal; // nullptr: built
        int width, height;
    } rows[] = {
        {eSheetProduct::kMV, 100, nullptr, 960, 3840},
        {eSheetProduct::kMV, 101, "101 frames: RPG Maker MV reads at most 100 patterns in one picture", 0, 0},
        {eSheetProduct::kVXAce, 101, "101 frames: RPG Maker VX Ace reads at most 100 patterns in one picture",
         0, 0},
        {eSheetProduct::k2000, 1, nullptr, 480, 480}, // the whole 480 x 480 graphic
        {eSheetProduct::k2000, 25, nullptr, 480, 480},
        {eSheetProduct::k2000, 26, "26 frames: RPG Maker 2000 reads at most 25 patterns in one picture", 0,
         0},
        {eSheetProduct::kXP, 7, nullptr, 960, 384},
        {eSheetProduct::kAny, 440,
         "the sheet would be 960 x 16896 pixels; a picture may be at most 16384 a side", 0, 0},
    };
    for (const Row& row : rows) {
        std::vector<std::unique_ptr<cDib>> frames;
        for (int i = 0; i < row.frames; ++i)
            frames.push_back(Frame("A"));
        strSheetOptions o;
        o.product = row.product;
        strMessage why;
        const strSheetResult r = Build(frames, o, row.refusal ? &why : nullptr);
        if (row.refusal) {
            EXPECT_EQ(FormatMessage(why), row.refusal);
            EXPECT_FALSE(r.sheet);
        } else {
            ASSERT_TRUE(r.sheet) << row.frames;
            EXPECT_EQ(std::pair(r.sheet->width(), r.sheet->height()), std::pair(row.width, row.height));
        }
    }
    // Without a product the sheet is built and the products it is too large for are named.
    std::vector<std::unique_ptr<cDib>> many;
    for (int i = 0; i < 101; ++i)
        many.push_back(Frame("A"));
    const strSheetResult r = Build(many, {});
    EXPECT_EQ(r.beyondLimitOf, (std::vector{eSheetProduct::k2000, eSheetProduct::kVX, eSheetProduct::kVXAce,
                                            eSheetProduct::kMV}));
    strMessage why;
    Build({}, {}, &why);
    EXPECT_EQ(why, strMessage(kSheetNoFrames));
}

TEST(PatternSheet, CheckFindsWhatASheetBreaks) {
    using K = eSheetFinding;
    struct Row {
        eSheetProduct product;
        int w, h, bits;
        std::vector<uint32_t> pixels; // the first pixels; the rest repeat the first
        std::vector<strSheetFinding> want;
    } rows[] = {
        {eSheetProduct::kMV, 960, 384, 32, {0xFF000000}, {}},
        {eSheetProduct::kMV, 970, 384, 32, {0xFF000000}, {{K::kSizeNotMultiple, 970, 384}}},
        {eSheetProduct::kMV, 768, 192, 32, {0xFF000000}, {{K::kColumns, 4, 5}}},
        {eSheetProduct::kMV, 960, 4032, 32, {0xFF000000}, {{K::kTooManyPatterns, 105, 100}}},
        {eSheetProduct::kXP, 1920, 192, 32, {0xFF000000}, {{K::kColumns, 10, 5}}},
        {eSheetProduct::kAny, 1930, 192, 32, {0xFF000000}, {{K::kSizeNotMultiple, 1930, 192}}},
        {eSheetProduct::k2000, 480, 480, 8, {0}, {}},
        {eSheetProduct::k2000, 480, 480, 32, {0, 0xFF010203, 0xFF040506}, {{K::kNotPalette, 32, 0}}},
        {eSheetProduct::k2000,
         480,
         480,
         32,
         {0x80FFFFFF},
         {{K::kPartialAlpha, 480 * 480, 0}, {K::kNotPalette, 32, 0}}},
        {eSheetProduct::k2000,
         480,
         576,
         32,
         {0xFF000000},
         {{K::kTooManyPatterns, 30, 25}, {K::kNotPalette, 32, 0}}},
    };
    for (const Row& row : rows) {
        std::vector<uint32_t> values(size_t(row.w) * size_t(row.h), row.pixels[0]);
        std::copy(row.pixels.begin(), row.pixels.end(), values.begin());
        cBMP picture;
        Attach(picture, row.w, row.h, row.bits, values,
               row.bits == 8 ? std::vector<uint32_t>(256, 0xFF000000) : std::vector<uint32_t>{});
        strSheetOptions o;
        o.product = row.product;
        const std::vector<strSheetFinding> got = CheckPatternSheet(picture, o);
        ASSERT_EQ(got.size(), row.want.size()) << row.w << " x " << row.h;
        for (size_t i = 0; i < got.size(); ++i)
            EXPECT_EQ(std::tuple(got[i].kind, got[i].a, got[i].b),
                      std::tuple(row.want[i].kind, row.want[i].a, row.want[i].b))
                << row.w << " x " << row.h << ": " << SheetFindingText(got[i], o);
    }
    // 256 opaque colours do not fit beside the transparent entry; 255 do.
    for (int colours : {255, 256}) {
        std::vector<uint32_t> values(480 * 480, 0xFF000000);
        for (int i = 0; i < colours; ++i)
            values[size_t(i)] = 0xFF000000u | uint32_t(i);
        cBMP picture;
        Attach(picture, 480, 480, 32, values);
        strSheetOptions o;
        o.product = eSheetProduct::k2000;
        EXPECT_EQ(CheckPatternSheet(picture, o).front().kind,
                  colours == 256 ? K::kTooManyColours : K::kNotPalette);
        strMessage why;
        EXPECT_EQ(SheetToPalette(*picture.dib(), &why) != nullptr, colours == 255) << why;
    }
}

TEST(PatternSheet, PaletteFormKeepsEntryZeroForTransparency) {
    const auto image = Frame(".ABA/CC..");
    strMessage why;
    const auto indexed = SheetToPalette(*image, &why);
    ASSERT_TRUE(indexed) << why;
    EXPECT_EQ(Values(*indexed), (std::vector<uint32_t>{0, 1, 2, 1, 3, 3, 0, 0}));
    EXPECT_EQ(indexed->table()[0], 0u);
    EXPECT_EQ(indexed->table()[1], kColours.at('A'));
    EXPECT_EQ(indexed->table()[3], kColours.at('C'));
    EXPECT_FALSE(SheetToPalette(*MakeDib(1, 1, 32, {0x7F102030}), &why));
    EXPECT_EQ(why, strMessage(kSheetPartlyTransparent));
}

TEST(PatternSheet, FramesComeFromFoldersGifsAndStrips) {
    testing_support::TempDir dir;
    const std::string folder = dir.file("frames");
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    ASSERT_TRUE(std::filesystem::create_directory(dir.file("empty")));
    // Three one-pixel pictures whose red value is their number, named so that byte order differs.
    for (int n : {10, 2, 1}) {
        strPngFixture png{
            .width = 1, .height = 1, .colourType = PNG_COLOR_TYPE_RGB, .rows = {{uint8_t(n), 0, 0}}};
        testing_support::WriteBytes(folder + "/f" + std::to_string(n) + ".png", MakePng(png));
    }
    testing_support::WriteBytes(folder + "/notes.txt", {'x'});
    // A GIF of two frames and a 4 x 2 strip of four colours.
    const Bytes gif =
        MakeGif(1, 1, {0x000000, 0x0000FF},
                {{0, 0, 1, 1, false, {}, -1, {1}, 5, 0}, {0, 0, 1, 1, false, {}, -1, {0}, 7, 0}});
    testing_support::WriteBytes(dir.file("two.gif"), gif);
    strPngFixture strip{.width = 4, .height = 2, .colourType = PNG_COLOR_TYPE_RGB_ALPHA};
    for (int y = 0; y < 2; ++y) {
        strip.rows.emplace_back();
        for (int x = 0; x < 4; ++x)
            strip.rows.back().insert(strip.rows.back().end(), {uint8_t(x * 10 + y), 7, 7, 255});
    }
    testing_support::WriteBytes(dir.file("strip.png"), MakePng(strip));

    std::vector<strSheetFrame> frames;
    strMessage why;
    ASSERT_TRUE(LoadSheetFrames({folder, dir.file("two.gif")}, {}, frames, &why)) << why;
    std::string sources;
    for (const strSheetFrame& f : frames)
        sources += f.source + "=" + std::to_string((f.image->readPixel(0, 0) >> 16) & 255) + "/" +
                   std::to_string(f.delay) + " ";
    EXPECT_EQ(sources, "f1.png=1/0 f2.png=2/0 f10.png=10/0 two.gif#1=0/5 two.gif#2=0/7 ");

    // Strips of 2 x 2 frames; grids of 2 x 1 frames row by row; the key colour made transparent.
    struct Cut {
        strSheetInput how;
        const char* firstPixels; // red of each frame's top-left pixel
        const char* refusal;
    } cuts[] = {
        {{.frameWidth = 2}, "0 20", nullptr},
        {{.frameWidth = 2, .frameHeight = 1}, "0 20 1 21", nullptr},
        {{.frameWidth = 3}, "", "is 4 x 2 pixels, not a multiple of the 3 x 2 frames"},
        {{.frameWidth = 2, .key = 0x140707}, "0 key", nullptr},
    };
    for (const Cut& c : cuts) {
        const bool ok = LoadSheetFrames({dir.file("strip.png")}, c.how, frames, &why);
        EXPECT_EQ(ok, c.refusal == nullptr) << why;
        if (!ok) {
            EXPECT_NE(FormatMessage(why).find(c.refusal), std::string::npos) << why;
            EXPECT_TRUE(frames.empty());
            continue;
        }
        std::string got;
        for (const strSheetFrame& f : frames) {
            const uint32_t p = f.image->readPixel(0, 0);
            got += (got.empty() ? "" : " ") +
                   (p >> 24 == 0 ? std::string("key") : std::to_string((p >> 16) & 255));
        }
        EXPECT_EQ(got, c.firstPixels);
    }
    EXPECT_FALSE(LoadSheetFrames({dir.file("empty")}, {}, frames, &why));
    EXPECT_EQ(why, strMessage(kSheetNoPictures, dir.file("empty")));
    EXPECT_FALSE(LoadSheetFrames({dir.file("missing.png")}, {}, frames, &why));
    EXPECT_FALSE(LoadSheetFrames({folder}, {.maxBytes = 8}, frames, &why)); // three pixels of 4 bytes
}
