// The XP / VX / VX Ace mapping: payload openings, every value map both ways, the
// frame and timing limits, empty slots, round trips project -> payload -> project for each
// product, and cut or damaged payloads.

#include "interchange/clipboard_formats.h"
#include "interchange/marshal_animation.h"
#include "marshal_test_support.h"
#include "support/document_compare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

using namespace PKRUBY;
using namespace marshal_test;
using testing_support::DescribeCell;

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Export(const cProject& d, int product) {
    Bytes out;
    EXPECT_EQ(BuildMarshalPayload(d, product, "jpn", out), 1);
    return out;
}

int Import(const Bytes& payload, cProject& d, std::string* why = nullptr) {
    return ReadMarshalPayload(payload, d, "jpn", why);
}

uint32_t LengthWord(const Bytes& b) {
    return b[0] | b[1] << 8 | b[2] << 16 | uint32_t(b[3]) << 24;
}

Bytes Str(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

// Position of a byte sequence, or npos.
size_t Find(const Bytes& hay, const Bytes& needle, size_t from = 0) {
    auto it = std::search(hay.begin() + static_cast<ptrdiff_t>(std::min(from, hay.size())), hay.end(),
                          needle.begin(), needle.end());
    return it == hay.end() ? std::string::npos : static_cast<size_t>(it - hay.begin());
}

TEST(MarshalMapping, XpPayloadOpening) {
    cConfig cfg = TestConfig();
    cProject d(&cfg);
    d.setText(kTextName, "A");
    Bytes b = Export(d, interchange::kProductXP);
    EXPECT_EQ(LengthWord(b), b.size());
    Bytes expected = {0x04, 0x08, 0x5B, 0x06, 0x6F, 0x3A, 0x13};
    for (char c : std::string("RPG::Animation"))
        expected.push_back(static_cast<uint8_t>(c));
    expected.insert(expected.end(),
                    {0x0D, 0x3A, 0x08, '@', 'i', 'd',  0x69, 0x06, 0x3A, 0x0A,
                     '@',  'n',  'a',  'm', 'e', 0x22, 0x06, 'A',  0x3A, 0x14}); // XP: a plain string
    ASSERT_GE(b.size(), 4 + expected.size());
    EXPECT_EQ(Bytes(b.begin() + 4, b.begin() + 4 + static_cast<ptrdiff_t>(expected.size())), expected);
    EXPECT_EQ(Find(b, Str("RPG::AudioFile")), std::string::npos); // no timings
}

TEST(MarshalMapping, VxAndVxAcePayloadOpening) {
    cConfig cfg = TestConfig();
    cProject d(&cfg);
    d.setText(kTextName, "A");
    d.addEffect(Sound(0, "x", 100, 100));
    for (int product : {interchange::kProductVX, interchange::kProductVXAce}) {
        Bytes b = Export(d, product);
        EXPECT_EQ(LengthWord(b), b.size());
        ASSERT_GT(b.size(), 44u);
        EXPECT_EQ(b[4 + 7 + 14], 0x0F) << product; // 10 instance variables
        // "@name" then the flagged string: I " 06 'A' 06 :E T
        const Bytes name = {0x3A, 0x0A, '@', 'n',  'a',  'm',  'e', 0x49,
                            0x22, 0x06, 'A', 0x06, 0x3A, 0x06, 'E', 'T'};
        EXPECT_NE(Find(b, name), std::string::npos);
        EXPECT_NE(Find(b, Str("@animation2_hue")), std::string::npos);
        EXPECT_EQ(Find(b, Str("@condition")), std::string::npos);
        EXPECT_NE(Find(b, Str("RPG::SE")), std::string::npos);
        EXPECT_EQ(Find(b, Str("RPG::AudioFile")), std::string::npos);
    }
    // The two products give the same bytes.
    EXPECT_EQ(Export(d, interchange::kProductVX), Export(d, interchange::kProductVXAce));
    Bytes out;
    EXPECT_EQ(BuildMarshalPayload(d, interchange::kProductMV, "jpn", out), -1);
}

// The round trips and the independent payloads carry the usual values of each map; these are the
// values they do not: codes outside the tables, and blocks whose flag is off.
TEST(MarshalMapping, MapsOutsideTheirTables) {
    for (int v = 0; v < 4; ++v)
        EXPECT_EQ(PositionFromRuby(PositionToRuby(v)), v);
    EXPECT_EQ(std::tuple(PositionToRuby(4), PositionToRuby(5), PositionFromRuby(4), PositionFromRuby(-1)),
              std::tuple(1, 1, 0, 0));
    EXPECT_EQ(std::tuple(BlendToRuby(3), BlendToRuby(4), BlendFromRuby(3), BlendFromRuby(-1)),
              std::tuple(0, 0, 0, 0));
    strEffect e = Flash(0, 7, 1, 1, 1, 1, 1);
    EXPECT_EQ(FlashScopeToRuby(e), 0);
    e.flashObject = 1;
    e.flags = strEffect::kSound; // flash block not valid
    EXPECT_EQ(FlashScopeToRuby(e), 0);
    e.flashDrawing = 3;
    FlashScopeFromRuby(3, e); // the drawing is left as it was
    EXPECT_EQ(std::tuple(e.flags, e.flashObject, e.flashDrawing),
              std::tuple(strEffect::kSound | strEffect::kFlash, 2, 3));
    strEffect s;
    s.flags = strEffect::kSound;
    FlashScopeFromRuby(4, s);
    EXPECT_EQ(s.flags, strEffect::kSound);

    // Conditions are exact and case-sensitive; user data that is not valid carries none.
    strEffect c;
    c.flags = strEffect::kUserData;
    for (const char* text : {"hit", "HIT "}) {
        c.userData = text;
        EXPECT_EQ(ConditionToRuby(c), 0) << text;
    }
    c.userData = "HIT";
    c.flags = strEffect::kFlash;
    EXPECT_EQ(ConditionToRuby(c), 0);
    strEffect n;
    n.flags = 0;
    ConditionFromRuby(3, n);
    EXPECT_EQ(std::tuple(n.flags, n.userData), std::tuple(0, ""));
}

std::vector<int> Row(const strCell& c, int product) {
    int16_t row[8];
    CellToRow(c, product, row);
    return std::vector<int>(row, row + 8);
}

TEST(MarshalMapping, CellRows) {
    using interchange::kProductVX;
    using interchange::kProductXP;
    // Pattern offsets: picture 1 adds 100 under VX; XP writes the pattern - 1 as it is.
    EXPECT_EQ(Row(Cell(1, 150, 0, 0, 100, 100, 0, 255, 0), kProductVX)[0], 199);
    EXPECT_EQ(Row(Cell(1, 150, 0, 0, 100, 100, 0, 255, 0), kProductXP)[0], 149);
    EXPECT_EQ(Row(Cell(0, 150, 0, 0, 100, 100, 0, 255, 0), kProductVX)[0], 99);
    EXPECT_EQ(Row(Cell(3, 1, 0, 0, 100, 100, 0, 255, 0), kProductVX)[0], 100);
    EXPECT_EQ(Row(Cell(0, 65535, 0, 0, 100, 100, 0, 255, 0), kProductXP)[0], 32767); // never -1
    // Mirror, zoom and its clamps 20..800.
    EXPECT_EQ(Row(Cell(0, 1, 5, -6, -150, 100, 0, 255, 0), kProductVX),
              (std::vector<int>{0, 5, -6, 150, 0, 1, 255, 0}));
    EXPECT_EQ(Row(Cell(0, 1, 0, 0, 10, 5, 0, 255, 0), kProductVX)[3], 20);
    EXPECT_EQ(Row(Cell(0, 1, 0, 0, 1000, 5, 0, 255, 0), kProductVX)[3], 800);
    EXPECT_EQ(Row(Cell(0, 1, 0, 0, 50, -300, 0, 255, 0), kProductVX)[3], 300);
    EXPECT_EQ(Row(Cell(0, 1, 0, 0, 0, 100, 0, 255, 0), kProductVX)[5], 1); // magnification x < 1
    EXPECT_EQ(Row(Cell(0, 1, 0, 0, 1, 100, 0, 255, 0), kProductVX)[5], 0);
    // Angle: tenths of a degree to whole degrees in the other turning direction.
    EXPECT_EQ(Row(Cell(0, 1, 0, 0, 100, 100, 900, 255, 0), kProductVX)[4], 270);
    EXPECT_EQ(Row(Cell(0, 1, 0, 0, 100, 100, -900, 255, 0), kProductVX)[4], 90);
    EXPECT_EQ(Row(Cell(0, 1, 0, 0, 100, 100, 3600, 255, 0), kProductVX)[4], 0);
    EXPECT_EQ(Row(Cell(0, 1, 0, 0, 100, 100, -3600, 255, 0), kProductVX)[4], 0);
    EXPECT_EQ(Row(Cell(0, 1, 0, 0, 100, 100, 5, 255, 0), kProductVX)[4], 359);
    // Opacity and blend.
    EXPECT_EQ(Row(Cell(0, 1, 0, 0, 100, 100, 0, 17, 3), kProductXP)[6], 17);
    EXPECT_EQ(Row(Cell(0, 1, 0, 0, 100, 100, 0, 17, 3), kProductXP)[7], 0);
    EXPECT_EQ(Row(Cell(0, 1, 0, 0, 100, 100, 0, 17, 2), kProductXP)[7], 2);
}

TEST(MarshalMapping, CellsFromRows) {
    strCell c;
    int16_t empty[8] = {-1, 1, 2, 3, 4, 5, 6, 7};
    EXPECT_FALSE(CellFromRow(empty, c));
    int16_t a[8] = {149, 3, -4, 150, 270, 1, 0x1FF, 2};
    ASSERT_TRUE(CellFromRow(a, c));
    EXPECT_EQ(DescribeCell(c), DescribeCell(Cell(1, 50, 3, -4, -150, 150, -2700, 0xFF, 2)));
    int16_t b[8] = {0, 0, 0, -80, 0, 0, 255, 9};
    ASSERT_TRUE(CellFromRow(b, c));
    EXPECT_EQ(DescribeCell(c), DescribeCell(Cell(0, 1, 0, 0, 80, 80, 0, 255, 0)));
    // Values the document cannot hold are held to its ranges, not wrapped.
    int16_t big[8] = {32767, 0, 0, -32768, 32767, 0, 0, 0};
    ASSERT_TRUE(CellFromRow(big, c));
    EXPECT_EQ(std::tuple(c.mx, c.my, c.angle, c.pattern, c.picture), std::tuple(1000, 1000, -3600, 68, 1));
}

TEST(MarshalMapping, TwoHundredFiftyFramesExportTwoHundred) {
    cConfig cfg = TestConfig();
    cProject d(&cfg);
    d.create(0, 4, 0, 0);
    for (int i = 0; i < 250; ++i)
        PutCell(d, i, i % 4, Cell(0, i % 100 + 1, i, 0, 100, 100, 0, 255, 0));
    Bytes b = Export(d, interchange::kProductVX);
    Bytes frameMax = Str("@frame_max");
    frameMax.insert(frameMax.end(), {0x69, 0x01, 0xC8}); // i 200
    EXPECT_NE(Find(b, frameMax), std::string::npos);

    cProject back(&cfg);
    std::string why;
    ASSERT_EQ(Import(b, back, &why), 1) << why;
    EXPECT_EQ(back.frameCount(), 200);
    ASSERT_NE(back.cell(199, 3), nullptr);
    EXPECT_EQ(back.cell(199, 3)->x, 199);
}

TEST(MarshalMapping, EmptySlotsKeepTheArraysExact) {
    cConfig cfg = TestConfig();
    cProject d(&cfg);
    d.create(0, 16, 0, 0);
    PutCell(d, 0, 1, Cell(0, 2, 0, 0, 100, 100, 0, 255, 0));
    PutCell(d, 3, 0, Cell(0, 3, 7, 0, 100, 100, 0, 255, 0)); // frames 1 and 2 are empty slots
    d.effects().setCopy(0, Sound(0, "a", 100, 100));
    d.effects().setCopy(4, Sound(3, "b", 90, 100)); // slots 1..3 empty
    Bytes b = Export(d, interchange::kProductVXAce);
    Bytes timings = Str("@timings");
    timings.insert(timings.end(), {0x5B, 0x07}); // [ 2
    EXPECT_NE(Find(b, timings), std::string::npos);

    cProject back(&cfg);
    std::string why;
    ASSERT_EQ(Import(b, back, &why), 1) << why;
    ASSERT_EQ(back.frameCount(), 4);
    EXPECT_EQ(std::tuple(back.frame(1)->cells.count(), back.frame(2)->cells.count()), std::tuple(0, 0));
    ASSERT_NE(back.cell(3, 0), nullptr); // read in step after the empty frames
    EXPECT_EQ(back.cell(3, 0)->x, 7);
    ASSERT_EQ(back.effectCount(), 2);
    EXPECT_EQ(back.effect(1)->volume, 90);
}

TEST(MarshalMapping, TimingWithoutFlashWritesTheNeutralColour) {
    cConfig cfg = TestConfig();
    cProject d(&cfg);
    strEffect e = Sound(2, "x", 100, 100);
    e.flashFrames = 9; // ignored: the flash block is not valid
    d.addEffect(e);
    Bytes b = Export(d, interchange::kProductXP);
    Bytes expected = Str("@flash_duration");
    expected.insert(expected.end(), {0x69, 0x00, 0x3A, 0x11});
    EXPECT_NE(Find(b, expected), std::string::npos);
    Bytes scope = Str("@flash_scope");
    scope.insert(scope.end(), {0x69, 0x00});
    EXPECT_NE(Find(b, scope), std::string::npos);
    Bytes colour = Str("Color");
    colour.insert(colour.end(), {0x25, 0, 0, 0, 0, 0, 0, 0x59, 0x40});
    colour.resize(colour.size() + 24, 0);
    EXPECT_NE(Find(b, colour), std::string::npos);
}

// ---- round trips --------------------------------------------------------------------------------

std::string Cells(const cProject& d) {
    std::string s;
    for (int f = 0; f < d.frameCount(); ++f)
        for (int c = 0; c < d.cellNumber(); ++c)
            if (const strCell* x = d.cell(f, c))
                s += std::to_string(f) + ":" + std::to_string(c) + " " + DescribeCell(*x) + "\n";
    return s;
}

std::string Effects(const cProject& d) {
    std::string s;
    for (int i = 0; i < d.effectCount(); ++i)
        if (const strEffect* e = d.effect(i))
            s += std::to_string(e->startFrame) + " f" + std::to_string(e->flags) + " flash " +
                 std::to_string(e->flashFrames) + "/" + std::to_string(e->flashDrawing) + "/" +
                 std::to_string(e->flashObject) + "/" + std::to_string(e->flashRed) + "," +
                 std::to_string(e->flashGreen) + "," + std::to_string(e->flashBlue) + "," +
                 std::to_string(e->flashStrength) + " se " + std::to_string(e->volume) + "/" +
                 std::to_string(e->frequency) + "/" + std::to_string(e->balance) + " [" + e->soundPath +
                 "] [" + e->userData + "]\n";
    return s;
}

void ExpectCommonRoundTrip(const cProject& back) {
    EXPECT_EQ(back.text(kTextName), "\x83\x65\x83\x58\x83\x67");
    EXPECT_EQ(std::tuple(back.getSetting(kKeyCentrePosition), back.getSetting(kKeySplitFormat),
                         back.getSetting(kKeyEditFormat), back.getSetting(kKeyLock),
                         back.getSetting(kKeyBasicInterval), back.cellNumber(), back.frameCount()),
              std::tuple(3, 1, 2, 0, 1, 16, 3));
    ASSERT_NE(back.picture(0), nullptr);
    // No file-name resolution in ReadMarshalPayload.
    EXPECT_EQ(*back.picture(0), (strPicture{.divX = 192, .divY = 192, .hue = 30, .path = "Fire1"}));
}

const char* kFlashAndSoundEffects = "0 f1 flash 5/0/0/255,128,0,200 se 100/100/100 [] []\n"
                                    "1 f3 flash 6/0/1/1,2,3,4 se 80/120/100 [Fire2] []\n"
                                    "2 f1 flash 9/0/2/128,128,128,255 se 100/100/100 [] []\n"
                                    "3 f2 flash 0/0/0/128,128,128,255 se 100/50/100 [Slash] []\n";

TEST(MarshalRoundTrip, XpVxAndVxAce) {
    cConfig cfg = TestConfig();
    auto d = SampleProject(cfg);
    for (int product : {interchange::kProductXP, interchange::kProductVX, interchange::kProductVXAce}) {
        SCOPED_TRACE(product);
        const bool xp = product == interchange::kProductXP;
        cProject back(&cfg);
        std::string why;
        ASSERT_EQ(Import(Export(*d, product), back, &why), 1) << why;
        ExpectCommonRoundTrip(back);
        if (xp) {
            EXPECT_EQ(back.picture(1), nullptr); // XP carries one picture
        } else {
            ASSERT_NE(back.picture(1), nullptr);
            EXPECT_EQ(std::tuple(back.picture(1)->path, back.picture(1)->hue), std::tuple("Thunder2", 200));
        }
        // XP has no picture number: pattern 57 of picture 1 comes back as pattern 57 of picture 0.
        EXPECT_EQ(Cells(back),
                  "0:0 " + DescribeCell(Cell(0, 1, 10, -20, 100, 100, 0, 255, 0)) + "\n" + "0:2 " +
                      DescribeCell(Cell(xp ? 0 : 1, 57, -300, 200, -150, 150, -900, 128, 1)) + "\n" +
                      "1:15 " + DescribeCell(Cell(0, 100, 1024, -1024, 800, 800, -3590, 0, 2)) + "\n");
        // VX and VX Ace have no @condition: the HIT and MISS timings carry nothing and are not added.
        EXPECT_EQ(Effects(back), std::string(kFlashAndSoundEffects) +
                                     (xp ? "4 f4 flash 0/0/0/128,128,128,255 se 100/100/100 [] [HIT]\n"
                                           "4 f4 flash 0/0/0/128,128,128,255 se 100/100/100 [] [MISS]\n"
                                         : ""));
    }
}

TEST(MarshalRoundTrip, ExportIsStableThroughAnImport) {
    // project -> payload -> project -> payload gives the same bytes for what the product carries.
    cConfig cfg = TestConfig();
    auto d = SampleProject(cfg);
    d->effects().reset(5); // VX and VX Ace do not carry the HIT / MISS conditions
    d->effects().reset(4);
    for (int product : {interchange::kProductXP, interchange::kProductVX, interchange::kProductVXAce}) {
        Bytes first = Export(*d, product);
        cProject back(&cfg);
        ASSERT_EQ(Import(first, back), 1);
        EXPECT_EQ(Export(back, product), first) << product;
    }
}

// ---- damaged payloads ---------------------------------------------------------------------------

TEST(MarshalImport, RejectsWhatIsNotAnAnimation) {
    cConfig cfg = TestConfig();
    cProject back(&cfg);
    std::string why;
    EXPECT_EQ(Import({}, back, &why), -1);
    EXPECT_EQ(Import({10, 0, 0, 0, 4, 8, '[', 0}, back, &why), -1);     // empty array
    EXPECT_EQ(Import({9, 0, 0, 0, 4, 8, '[', 6, '0'}, back, &why), -1); // [nil]
    EXPECT_EQ(Import({9, 0, 0, 0, 3, 8, '[', 6, '0'}, back, &why), -1); // version 3
    EXPECT_EQ(Import({9, 0, 0, 0, 4, 8, 'i', 6, '0'}, back, &why), -1); // not an array
    // An object of another class.
    Bytes other = {0, 0, 0, 0, 4, 8, '[', 6, 'o', ':', 10, 'H', 'a', 's', 'h', 'X', 0};
    EXPECT_EQ(Import(other, back, &why), -1);
    EXPECT_FALSE(why.empty());
    // The smallest animation: no instance variables at all.
    Bytes empty = {0, 0, 0, 0, 4, 8, '[', 6, 'o', ':', 0x13};
    for (char c : std::string("RPG::Animation"))
        empty.push_back(static_cast<uint8_t>(c));
    empty.push_back(0);
    EXPECT_EQ(Import(empty, back, &why), 1) << why;
    EXPECT_EQ(back.frameCount(), 0);
}

TEST(MarshalImport, TheLengthWordIsNotTrusted) {
    // The data runs to the end of the block whatever the length word says: RPG Maker counts the
    // word itself, other writers count only the Marshal bytes, and the system may round a block up.
    cConfig cfg = TestConfig();
    auto d = SampleProject(cfg);
    const Bytes exact = Export(*d, interchange::kProductVX);
    cProject reference(&cfg);
    ASSERT_EQ(Import(exact, reference), 1);
    const uint32_t size = static_cast<uint32_t>(exact.size());
    for (uint32_t word : {size, size - 4, 0u, 6u, size + 1000, 0xFFFFFFFFu}) {
        for (size_t padding : {size_t(0), size_t(100)}) {
            Bytes b = exact;
            for (int k = 0; k < 4; ++k)
                b[k] = static_cast<uint8_t>(word >> (8 * k));
            b.insert(b.end(), padding, 0xEE);
            cProject back(&cfg);
            std::string why;
            ASSERT_EQ(Import(b, back, &why), 1) << "word " << word << " padding " << padding << ": " << why;
            EXPECT_EQ(testing_support::CompareProjects(reference, back), "") << word;
        }
    }
}

} // namespace
