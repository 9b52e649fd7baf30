// The XP / VX / VX Ace mapping: payload openings, every value map both ways, the
// frame and timing limits, empty slots, what a project becomes in each product, and cut or
// damaged payloads.

#include "interchange/battle_position.h"
#include "interchange/marshal_animation.h"
#include "interchange_fixture.h"
#include "platform/clipboard.h"
#include "support/document_compare.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

using namespace ruby;
using namespace interchange_test;
using testing_support::DescribeCell;

namespace {

// A project named "A" with the given effects.
std::unique_ptr<cProject> Named(const cConfig& cfg, std::initializer_list<strEffect> effects = {}) {
    auto d = std::make_unique<cProject>(&cfg);
    d->setText(kTextName, "A");
    for (const strEffect& e : effects)
        d->addEffect(e);
    return d;
}

TEST(MarshalMapping, XpPayloadOpening) {
    cConfig cfg = TestConfig();
    Bytes b = Export(*Named(cfg), kProductXP);
    EXPECT_EQ(U32At(b, 0), b.size());
    const Bytes expected = Cat({{0x04, 0x08, 0x5B, 0x06, 0x6F, 0x3A, 0x13},
                                Text("RPG::Animation"),
                                {0x0D, 0x3A, 0x08, '@', 'i', 'd', 0x69, 0x06, 0x3A, 0x0A},
                                Text("@name"),
                                {0x22, 0x06, 'A', 0x3A, 0x14}}); // XP: a plain string
    ASSERT_GE(b.size(), 4 + expected.size());
    EXPECT_EQ(Bytes(b.begin() + 4, b.begin() + 4 + static_cast<ptrdiff_t>(expected.size())), expected);
    EXPECT_EQ(Find(b, Text("RPG::AudioFile")), std::string::npos); // no timings

    // A timing without a valid flash block writes duration 0, scope 0 and the neutral colour.
    strEffect e = Sound(2, "x", 100, 100);
    e.flashFrames = 9;
    b = Export(*Named(cfg, {e}), kProductXP);
    EXPECT_NE(Find(b, Cat({Text("@flash_duration"), {0x69, 0x00, 0x3A, 0x11}})), std::string::npos);
    EXPECT_NE(Find(b, Cat({Text("@flash_scope"), {0x69, 0x00}})), std::string::npos);
    Bytes colour = Cat({Text("Color"), {0x25, 0, 0, 0, 0, 0, 0, 0x59, 0x40}});
    colour.resize(colour.size() + 24, 0);
    EXPECT_NE(Find(b, colour), std::string::npos);
}

TEST(MarshalMapping, VxAndVxAcePayloadOpening) {
    cConfig cfg = TestConfig();
    auto d = Named(cfg, {Sound(0, "x", 100, 100)});
    for (int product : {kProductVX, kProductVXAce}) {
        Bytes b = Export(*d, product);
        EXPECT_EQ(U32At(b, 0), b.size());
        ASSERT_GT(b.size(), 44u);
        EXPECT_EQ(b[4 + 7 + 14], 0x0F) << product; // 10 instance variables
        // "@name" then the flagged string: I " 06 'A' 06 :E T
        EXPECT_NE(
            Find(b,
                 Cat({{0x3A, 0x0A}, Text("@name"), {0x49, 0x22, 0x06, 'A', 0x06, 0x3A, 0x06}, Text("ET")})),
            std::string::npos);
        EXPECT_NE(Find(b, Text("@animation2_hue")), std::string::npos);
        EXPECT_EQ(Find(b, Text("@condition")), std::string::npos);
        EXPECT_NE(Find(b, Text("RPG::SE")), std::string::npos);
        EXPECT_EQ(Find(b, Text("RPG::AudioFile")), std::string::npos);
    }
    // The two products give the same bytes.
    EXPECT_EQ(Export(*d, kProductVX), Export(*d, kProductVXAce));
    Bytes out;
    EXPECT_EQ(BuildMarshalPayload(*d, kProductMV, "jpn", out), -1);
    platform::cMemoryClipboard clip;
    strMessage why;
    EXPECT_EQ(ExportMarshal(*d, kProductMV, clip, cConfig::defaults(), &why), -1);
    EXPECT_EQ(why, strMessage(kWhyNoExport));
}

// The round trips and the independent payloads carry the usual values of each map; these are the
// values they do not: codes outside the tables, and blocks whose flag is off.
TEST(MarshalMapping, MapsOutsideTheirTables) {
    for (int v = 0; v < 4; ++v)
        EXPECT_EQ(interchange::PositionFromProduct(interchange::PositionToProduct(v)), v);
    EXPECT_EQ(std::tuple(interchange::PositionToProduct(4), interchange::PositionToProduct(-1),
                         interchange::PositionFromProduct(4), interchange::PositionFromProduct(-1)),
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
    strEffect s{.flags = strEffect::kSound};
    FlashScopeFromRuby(4, s);
    EXPECT_EQ(s.flags, strEffect::kSound);

    // Conditions are exact and case-sensitive; user data that is not valid carries none.
    for (strEffect c : {strEffect{.flags = strEffect::kUserData, .userData = "hit"},
                        strEffect{.flags = strEffect::kUserData, .userData = "HIT "},
                        strEffect{.flags = strEffect::kFlash, .userData = "HIT"}})
        EXPECT_EQ(ConditionToRuby(c), 0) << c.userData;
    strEffect n;
    ConditionFromRuby(3, n);
    EXPECT_EQ(std::tuple(n.flags, n.userData), std::tuple(0, ""));
}

std::vector<int> Row(const strCell& c, int product) {
    int16_t row[8];
    CellToRow(c, product, row);
    return std::vector<int>(row, row + 8);
}

TEST(MarshalMapping, CellRows) {
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
    // Angle: tenths of a degree to the nearest whole degree (halves upward) in the other turning
    // direction, 0..359.
    for (const auto& [tenths, degrees] :
         {std::pair(900, 270), std::pair(-900, 90), std::pair(3600, 0), std::pair(-3600, 0),
          std::pair(101, 350), std::pair(-101, 10), std::pair(106, 349), std::pair(5, 0), std::pair(-5, 1),
          std::pair(-3596, 0), std::pair(3594, 1)})
        EXPECT_EQ(Row(Cell(0, 1, 0, 0, 100, 100, tenths, 255, 0), kProductVX)[4], degrees) << tenths;
    // Opacity and blend.
    EXPECT_EQ(Row(Cell(0, 1, 0, 0, 100, 100, 0, 17, 3), kProductXP),
              (std::vector<int>{0, 0, 0, 100, 0, 0, 17, 0}));
    EXPECT_EQ(Row(Cell(0, 1, 0, 0, 100, 100, 0, 17, 2), kProductXP)[7], 2);
}

TEST(MarshalMapping, CellsFromRows) {
    strCell c;
    int16_t empty[8] = {-1, 1, 2, 3, 4, 5, 6, 7};
    EXPECT_FALSE(CellFromRow(empty, c));
    int16_t a[8] = {149, 3, -4, 150, 270, 1, 0x1FF, 2};
    ASSERT_TRUE(CellFromRow(a, c));
    EXPECT_EQ(c, Cell(1, 50, 3, -4, -150, 150, 900, 0xFF, 2));
    // Angles come back into (-180, 180] degrees: a tween from them takes the short way round.
    for (const auto& [degrees, tenths] : {std::pair(350, 100), std::pair(349, 110), std::pair(180, 1800),
                                          std::pair(-180, 1800), std::pair(181, 1790), std::pair(0, 0),
                                          std::pair(-360, 0), std::pair(720, 0), std::pair(-90, 900)}) {
        int16_t row[8] = {0, 0, 0, 100, int16_t(degrees), 0, 255, 0};
        ASSERT_TRUE(CellFromRow(row, c));
        EXPECT_EQ(c.angle, tenths) << degrees;
    }
    // XP has one picture: pattern 149 stays on it.
    ASSERT_TRUE(CellFromRow(a, c, true));
    EXPECT_EQ(std::tuple(c.picture, c.pattern), std::tuple(0, 150));
    int16_t b[8] = {0, 0, 0, -80, 0, 0, 255, 9};
    ASSERT_TRUE(CellFromRow(b, c));
    EXPECT_EQ(c, Cell(0, 1, 0, 0, 80, 80, 0, 255, 0));
    // Values the document cannot hold are held to its ranges, not wrapped.
    int16_t big[8] = {32767, 0, 0, -32768, 32767, 0, 0, 0};
    ASSERT_TRUE(CellFromRow(big, c));
    EXPECT_EQ(std::tuple(c.mx, c.my, c.angle, c.pattern, c.picture), std::tuple(1000, 1000, -70, 68, 1));
}

TEST(MarshalMapping, TwoHundredFiftyFramesExportTwoHundred) {
    cConfig cfg = TestConfig();
    cProject d(&cfg);
    d.create(0, 4, 0, 0);
    for (int i = 0; i < 250; ++i)
        PutCell(d, i, i % 4, Cell(0, i % 100 + 1, i, 0, 100, 100, 0, 255, 0));
    Bytes b = Export(d, kProductVX);
    EXPECT_NE(Find(b, Cat({Text("@frame_max"), {0x69, 0x01, 0xC8}})), std::string::npos); // i 200

    cProject back(&cfg);
    std::string why;
    ASSERT_EQ(Import(b, back, kProductVX, &why), 1) << why;
    EXPECT_EQ(back.frameCount(), 200);
    ASSERT_NE(back.cell(199, 3), nullptr);
    EXPECT_EQ(back.cell(199, 3)->x, 199);
}

// At most 999 timings are written; the import would take more, so only the payload shows the limit.
TEST(MarshalMapping, AThousandEffectsExportNineHundredNinetyNineTimings) {
    cConfig cfg = TestConfig();
    cProject d(&cfg);
    d.create(0, 4, 0, 0);
    for (int i = 0; i < 1000; ++i)
        d.addEffect(Sound(uint16_t(i % 4), "a", 100, 100));
    EXPECT_NE(Find(Export(d, kProductXP), Cat({Text("@timings"), {0x5B, 0x02, 0xE7, 0x03}})),
              std::string::npos); // [ 999
}

TEST(MarshalMapping, EmptySlotsKeepTheArraysExact) {
    cConfig cfg = TestConfig();
    cProject d(&cfg);
    d.create(0, 16, 0, 0);
    PutCell(d, 0, 1, Cell(0, 2, 0, 0, 100, 100, 0, 255, 0));
    PutCell(d, 3, 0, Cell(0, 3, 7, 0, 100, 100, 0, 255, 0)); // frames 1 and 2 are empty slots
    d.addEffect(Sound(0, "a", 100, 100));
    d.addEffect(Sound(3, "b", 90, 100));
    Bytes b = Export(d, kProductVXAce);
    EXPECT_NE(Find(b, Cat({Text("@timings"), {0x5B, 0x07}})), std::string::npos); // [ 2

    cProject back(&cfg);
    std::string why;
    ASSERT_EQ(Import(b, back, kProductVXAce, &why), 1) << why;
    ASSERT_EQ(back.frameCount(), 4);
    EXPECT_EQ(std::tuple(back.frame(1)->cells.count(), back.frame(2)->cells.count()), std::tuple(0, 0));
    ASSERT_NE(back.cell(3, 0), nullptr); // read in step after the empty frames
    EXPECT_EQ(back.cell(3, 0)->x, 7);
    ASSERT_EQ(back.effectCount(), 2);
    EXPECT_EQ(back.effect(1)->volume, 90);
}

// ---- round trips --------------------------------------------------------------------------------

TEST(MarshalRoundTrip, XpVxAndVxAce) {
    cConfig cfg = TestConfig();
    auto d = SampleProject(cfg);
    for (int product : {kProductXP, kProductVX, kProductVXAce}) {
        SCOPED_TRACE(product);
        const bool xp = product == kProductXP;
        const Bytes first = Export(*d, product);
        cProject back(&cfg);
        std::string why;
        ASSERT_EQ(Import(first, back, product, &why), 1) << why;
        EXPECT_EQ(back.text(kTextName), "\x83\x65\x83\x58\x83\x67");
        EXPECT_EQ(std::tuple(back.getSetting(kKeyCentrePosition), back.getSetting(kKeySplitFormat),
                             back.getSetting(kKeyEditFormat), back.getSetting(kKeyLock),
                             back.getSetting(kKeyBasicInterval), back.cellNumber(), back.frameCount()),
                  std::tuple(3, 1, 2, 0, 1, 16, 3));
        // No file-name resolution in ReadMarshalPayload; XP carries one picture.
        EXPECT_EQ(FingerprintLines(back, "picture "),
                  std::string("picture 0 div 192x192 hue 30 [Fire1]\n") +
                      (xp ? "" : "picture 1 div 192x192 hue 200 [Thunder2]\n"));
        // XP has no picture number: pattern 57 of picture 1 comes back as pattern 57 of picture 0.
        // An angle of -359 degrees comes back as 1.
        EXPECT_EQ(FingerprintLines(back, "  cell "),
                  "  cell 0:0 " + DescribeCell(Cell(0, 1, 10, -20, 100, 100, 0, 255, 0)) + "\n  cell 0:2 " +
                      DescribeCell(Cell(xp ? 0 : 1, 57, -300, 200, -150, 150, -900, 128, 1)) +
                      "\n  cell 1:15 " + DescribeCell(Cell(0, 100, 1024, -1024, 800, 800, 10, 0, 2)) + "\n");
        // VX and VX Ace have no @condition: the HIT and MISS timings carry nothing and are not added.
        EXPECT_EQ(
            FingerprintLines(back, "effect "),
            std::string(
                "effect 0 start 0 flags 1 flash 5/0/0/255/128/0/200 sound 100/100/100 [] []\n"
                "effect 1 start 1 flags 3 flash 6/0/1/1/2/3/4 sound 80/120/100 [Fire2] []\n"
                "effect 2 start 2 flags 1 flash 9/0/2/128/128/128/255 sound 100/100/100 [] []\n"
                "effect 3 start 3 flags 2 flash 0/0/0/128/128/128/255 sound 100/50/100 [Slash] []\n") +
                (xp ? "effect 4 start 4 flags 4 flash 0/0/0/128/128/128/255 sound 100/100/100 [] [HIT]\n"
                      "effect 5 start 4 flags 4 flash 0/0/0/128/128/128/255 sound 100/100/100 [] [MISS]\n"
                    : ""));
    }
}

// ---- damaged payloads ---------------------------------------------------------------------------

TEST(MarshalImport, RejectsWhatIsNotAnAnimation) {
    cConfig cfg = TestConfig();
    const Bytes bad[] = {
        {},
        {10, 0, 0, 0, 4, 8, '[', 0},                                         // empty array
        {9, 0, 0, 0, 4, 8, '[', 6, '0'},                                     // [nil]
        {9, 0, 0, 0, 3, 8, '[', 6, '0'},                                     // version 3
        {9, 0, 0, 0, 4, 8, 'i', 6, '0'},                                     // not an array
        Cat({{0, 0, 0, 0, 4, 8, '[', 6, 'o', ':', 10}, Text("HashX"), {0}}), // an object of another class
    };
    for (const Bytes& b : bad) {
        cProject back(&cfg);
        std::string why;
        EXPECT_EQ(Import(b, back, kProductVX, &why), -1) << testing::PrintToString(b);
        EXPECT_FALSE(why.empty());
    }
    // The smallest animation: no instance variables at all.
    cProject back(&cfg);
    std::string why;
    EXPECT_EQ(Import(Cat({{0, 0, 0, 0, 4, 8, '[', 6, 'o', ':', 0x13}, Text("RPG::Animation"), {0}}), back,
                     kProductVX, &why),
              1)
        << why;
    EXPECT_EQ(back.frameCount(), 0);
}

TEST(MarshalImport, TheLengthWordIsNotTrusted) {
    // The data runs to the end of the block whatever the length word says: RPG Maker counts the
    // word itself, other writers count only the Marshal bytes, and the system may round a block up.
    cConfig cfg = TestConfig();
    const Bytes exact = Export(*SampleProject(cfg), kProductVX);
    cProject reference(&cfg);
    ASSERT_EQ(Import(exact, reference, kProductVX), 1);
    const uint32_t size = static_cast<uint32_t>(exact.size());
    for (uint32_t word : {size, size - 4, 0u, 6u, size + 1000, 0xFFFFFFFFu}) {
        for (size_t padding : {size_t(0), size_t(100)}) {
            cProject back(&cfg);
            std::string why;
            ASSERT_EQ(Import(Rewrapped(exact, word, padding), back, kProductVX, &why), 1)
                << "word " << word << " padding " << padding << ": " << why;
            EXPECT_EQ(testing_support::CompareProjects(reference, back), "") << word;
        }
    }
}

} // namespace
