// Payloads written by an independent Marshal writer: tests/data/marshal/*.bin were made by
// tests/data/marshal/make_payloads.py (a separate writer in Python that numbers symbols by first
// appearance, as Ruby's Marshal.dump does), not by PKRUBY::CWrite. Each file is a clipboard block:
// a u32 little-endian length of the whole block, then the Marshal dump. The script says what each
// payload holds: vxace_basic as VX Ace writes it, xp_extras with values of every other kind between
// the ones read, vx_odd_tables with tables that do not match their sizes, long_name with texts and a
// symbol longer than 254 bytes, vxace_shared and xp_shared with objects reachable twice, which Ruby
// writes as object links (xp_shared after values of every other kind, which all take an index).

#include "interchange/marshal_animation.h"
#include "marshal_test_support.h"
#include "support/document_compare.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

using namespace PKRUBY;
using namespace marshal_test;
using testing_support::DescribeCell;

namespace {

std::vector<uint8_t> Payload(const std::string& name) {
    return testing_support::ReadBytes(testing_support::DataPath("marshal/" + name));
}

std::string Describe(const cProject& d, int frame, int cell) {
    const strCell* c = d.cell(frame, cell);
    return c ? DescribeCell(*c) : "(empty)";
}

TEST(MarshalPayload, VxAceAsRpgMakerWritesIt) {
    cConfig cfg = TestConfig();
    cProject d(&cfg);
    std::vector<uint8_t> b = Payload("vxace_basic.bin");
    ASSERT_EQ(b.size(), 549u);
    std::string why;
    ASSERT_EQ(ReadMarshalPayload(b, d, "jpn", &why), 1) << why;
    EXPECT_EQ(d.text(kTextName), "Fire");
    ASSERT_NE(d.picture(0), nullptr);
    EXPECT_EQ(std::tuple(d.picture(0)->path, d.picture(0)->hue), std::tuple("Fire1", 30));
    EXPECT_EQ(d.picture(1), nullptr); // an empty @animation2_name leaves the slot empty
    EXPECT_EQ(d.getSetting(kKeyCentrePosition), 1);
    EXPECT_EQ(d.frameCount(), 2);
    EXPECT_EQ(Describe(d, 0, 0), DescribeCell(Cell(0, 1, 10, -20, 100, 100, 0, 255, 1)));
    EXPECT_EQ(Describe(d, 0, 1), "(empty)");
    EXPECT_EQ(Describe(d, 0, 2), DescribeCell(Cell(1, 5, -300, 200, -150, 150, -900, 128, 2)));
    EXPECT_EQ(Describe(d, 1, 0), DescribeCell(Cell(0, 3, 0, 0, 100, 100, 0, 255, 0)));
    ASSERT_EQ(d.effectCount(), 1);
    const strEffect& e = *d.effect(0);
    EXPECT_EQ(std::tuple(e.startFrame, e.flags, e.soundPath, e.volume, e.frequency),
              std::tuple(1, strEffect::kFlash | strEffect::kSound, "Fire2", 80, 120));
    EXPECT_EQ(
        std::tuple(e.flashObject, e.flashFrames, e.flashRed, e.flashGreen, e.flashBlue, e.flashStrength),
        std::tuple(1, 5, 255, 128, 0, 200));
}

TEST(MarshalPayload, UnexpectedValuesAreSkippedInStep) {
    cConfig cfg = TestConfig();
    cProject d(&cfg);
    std::string why;
    ASSERT_EQ(ReadMarshalPayload(Payload("xp_extras.bin"), d, "jpn", &why), 1) << why;
    EXPECT_EQ(d.text(kTextName), "Thunder");
    ASSERT_NE(d.picture(0), nullptr);
    EXPECT_EQ(std::tuple(d.picture(0)->path, d.picture(0)->hue), std::tuple("Thunder1", 120));
    EXPECT_EQ(d.getSetting(kKeyCentrePosition), 3);
    EXPECT_EQ(d.frameCount(), 4);
    EXPECT_EQ(d.frame(0)->cells.count(), 0); // nil
    EXPECT_EQ(Describe(d, 1, 0), DescribeCell(Cell(0, 4, 1, 2, 80, 80, -450, 200, 0)));
    EXPECT_EQ(d.frame(2)->cells.count(), 0); // another class
    EXPECT_EQ(Describe(d, 3, 0), DescribeCell(Cell(0, 6, 0, 0, 100, 100, 0, 255, 0)));
    ASSERT_EQ(d.effectCount(), 2);
    const strEffect& a = *d.effect(0);
    // The float frame was skipped (frame 0).
    EXPECT_EQ(std::tuple(a.startFrame, a.flags, a.userData, a.soundPath),
              std::tuple(0, strEffect::kFlash | strEffect::kUserData, "MISS", ""));
    EXPECT_EQ(
        std::tuple(a.flashObject, a.flashRed, a.flashGreen, a.flashBlue, a.flashStrength, a.flashFrames),
        std::tuple(0, 10, 20, 30, 255, 8));
    const strEffect& b = *d.effect(1);
    // The flash block is back to its defaults.
    EXPECT_EQ(std::tuple(b.startFrame, b.flags, b.soundPath, b.flashStrength),
              std::tuple(3, strEffect::kSound, "Thunder9", 255));
}

TEST(MarshalPayload, TablesThatDoNotMatchTheirSizes) {
    cConfig cfg = TestConfig();
    cProject d(&cfg);
    std::string why;
    ASSERT_EQ(ReadMarshalPayload(Payload("vx_odd_tables.bin"), d, "jpn", &why), 1) << why;
    // y size 2: pattern and x from the table, every other value 0.
    EXPECT_EQ(Describe(d, 0, 0), DescribeCell(Cell(0, 8, 11, 0, 0, 0, 0, 0, 0)));
    EXPECT_EQ(Describe(d, 0, 2), DescribeCell(Cell(0, 10, 13, 0, 0, 0, 0, 0, 0)));
    EXPECT_EQ(Describe(d, 0, 3), "(empty)");
    // 10 of 24 values: the missing ones count as 0.
    EXPECT_EQ(Describe(d, 1, 0), DescribeCell(Cell(0, 2, 4, 50, 110, 110, 0, 0, 0)));
    EXPECT_EQ(Describe(d, 1, 1), DescribeCell(Cell(0, 3, 5, 60, 0, 0, 0, 0, 0)));
    EXPECT_EQ(Describe(d, 1, 2), DescribeCell(Cell(0, 4, 6, 70, 0, 0, 0, 0, 0)));
    EXPECT_EQ(d.text(kTextName), "Odd"); // read in step after both tables
}

TEST(MarshalPayload, LongTextsAreCutAndTheRestIsRead) {
    cConfig cfg = TestConfig();
    cProject d(&cfg);
    std::string why;
    ASSERT_EQ(ReadMarshalPayload(Payload("long_name.bin"), d, "jpn", &why), 1) << why;
    EXPECT_EQ(d.text(kTextName), std::string(254, 'N'));
    ASSERT_NE(d.picture(0), nullptr);
    EXPECT_EQ(d.picture(0)->path, std::string(254, 'A'));
    EXPECT_EQ(d.getSetting(kKeyCentrePosition), 2);
}

using EffectRow = std::tuple<int, int, std::string, int, int, int, int, int, int, int, int, std::string>;

EffectRow Row(const strEffect& e) {
    return {e.startFrame, e.flags,      e.soundPath, e.volume,        e.frequency,   e.flashObject,
            e.flashRed,   e.flashGreen, e.flashBlue, e.flashStrength, e.flashFrames, e.userData};
}

TEST(MarshalPayload, ObjectLinksReadTheObjectTheyName) {
    const int kBoth = strEffect::kFlash | strEffect::kSound;
    const std::string frame0 = "0 " + DescribeCell(Cell(0, 5, 10, 20, 100, 100, 0, 255, 0)) + "\n";
    const std::string frame1 = "0 " + DescribeCell(Cell(0, 2, -5, 6, -120, 120, 0, 200, 1)) + "\n1 " +
                               DescribeCell(Cell(0, 3, 7, 8, 80, 80, -900, 100, 2)) + "\n";
    struct {
        const char* file;
        const char* name;
        int hue;
        int centre;
        std::vector<std::string> frames;
        std::vector<EffectRow> effects;
    } cases[] = {
        {"vxace_shared.bin",
         "Spark",
         0,
         0,
         {frame0, frame1, frame0, frame1},
         {{0, kBoth, "Boom", 80, 110, 1, 255, 0, 0, 160, 4, ""},
          {2, kBoth, "Boom", 70, 90, 0, 255, 0, 0, 160, 6, ""},
          {3, strEffect::kSound, "Boom", 80, 110, 0, 128, 128, 128, 255, 0, ""}}},
        {"xp_shared.bin",
         "Blast",
         60,
         1,
         {},
         {{1, kBoth, "Blast1", 90, 100, 1, 255, 255, 255, 128, 3, ""},
          {5, kBoth | strEffect::kUserData, "Blast1", 90, 100, 0, 255, 255, 255, 128, 7, "HIT"}}},
    };
    cConfig cfg = TestConfig();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        cProject d(&cfg);
        std::string why;
        ASSERT_EQ(ReadMarshalPayload(Payload(c.file), d, "jpn", &why), 1) << why;
        EXPECT_EQ(d.text(kTextName), c.name);
        ASSERT_NE(d.picture(0), nullptr);
        EXPECT_EQ(std::tuple(d.picture(0)->path, int(d.picture(0)->hue)), std::tuple(c.name, c.hue));
        EXPECT_EQ(d.getSetting(kKeyCentrePosition), c.centre);
        std::vector<std::string> frames;
        for (int f = 0; f < d.frameCount(); ++f) {
            std::string cells;
            for (int k = 0; k < d.cellNumber(); ++k)
                if (d.cell(f, k)) cells += std::to_string(k) + " " + DescribeCell(*d.cell(f, k)) + "\n";
            frames.push_back(cells);
        }
        EXPECT_EQ(frames, c.frames);
        std::vector<EffectRow> effects;
        for (int i = 0; i < d.effectCount(); ++i)
            effects.push_back(Row(*d.effect(i)));
        EXPECT_EQ(effects, c.effects);
    }
}

TEST(MarshalPayload, EveryCutOfTheHandBuiltPayloadsFails) {
    cConfig cfg = TestConfig();
    for (const char* name : {"vxace_basic.bin", "vx_odd_tables.bin", "vxace_shared.bin", "xp_shared.bin"}) {
        std::vector<uint8_t> b = Payload(name);
        for (size_t n = 0; n < b.size(); ++n) {
            std::vector<uint8_t> cut(b.begin(), b.begin() + static_cast<ptrdiff_t>(n));
            cProject d(&cfg);
            EXPECT_EQ(ReadMarshalPayload(cut, d, "jpn"), -1) << name << " cut at " << n;
        }
    }
}

} // namespace
