// Payloads written by an independent Marshal writer: tests/data/marshal/*.bin were made by
// tests/data/marshal/make_payloads.py (a separate writer in Python that numbers symbols by first
// appearance, as Ruby's Marshal.dump does), not by PKRUBY::CWrite. Each file is a clipboard block:
// a u32 little-endian length of the whole block, then the Marshal dump.
//
// Notation below: offsets in hex; `:LL "text"` is a symbol: 3A, the length byte LL (length + 5),
// the bytes; "(n)" after it is the symbol's index. `3B LL` is a link to symbol index LL - 5.
// `iN` is a fixnum N (69, then N + 5 for 1..122, 00 for 0); a string flagged as UTF-8 is
// 49 22 LL bytes 06 (one instance variable) :06 "E" (or its link) 54 (true).
//
// vxace_basic.bin (549 bytes), as RPG Maker VX Ace writes an animation:
//   000 25 02 00 00            length 549
//   004 04 08                  Marshal 4.8
//   006 5B 06                  [ 1 element
//   008 6F :13 "RPG::Animation" (0)  0F = 10 instance variables
//   01A :08 "@id" (1) 69 0A = 5
//   021 :0A "@name" (2) 49 22 09 "Fire" 06 :06 "E" (3) 54
//   034 :15 "@animation1_name" (4) 49 22 0A "Fire1" 06 3B 08 (;3 = E) 54
//   052 :14 "@animation1_hue" (5) 69 23 = 30
//   065 :15 "@animation2_name" (6) 49 22 00 06 3B 08 54     an empty string, still flagged
//   07E :14 "@animation2_hue" (7) 69 00
//   091 :0E "@position" (8) 69 08 = 3
//   09E :0F "@frame_max" (9) 69 07 = 2
//   0AC :0C "@frames" (10) 5B 07 = [ 2 elements
//   0B7   6F :1A "RPG::Animation::Frame" (11) 07 = 2 ivars
//   0D0     :0E "@cell_max" (12) 69 08 = 3
//   0DD     :0F "@cell_data" (13) 75 :0A "Table" (14) 49 = 68 bytes:
//   0F2       02 00 00 00  03 00 00 00  08 00 00 00  01 00 00 00  18 00 00 00   dims 2, 3x8x1, 24
//   106       pattern  00 00  FF FF  68 00      (0, -1, 104)
//             x        0A 00  00 00  D4 FE      (10, 0, -300)
//             y        EC FF  00 00  C8 00      (-20, 0, 200)
//             zoom     64 00  00 00  96 00      (100, 0, 150)
//             angle    00 00  00 00  5A 00      (0, 0, 90)
//             mirror   00 00  00 00  01 00      (0, 0, 1)
//             opacity  FF 00  00 00  80 00      (255, 0, 128)
//             blend    01 00  00 00  02 00      (1, 0, 2)
//   136   6F 3B 10 (Frame) 07  3B 11 (@cell_max) 69 06 = 1  3B 12 (@cell_data)
//   140     75 3B 13 (Table) 29 = 36 bytes: 02,1,8,1,8 as u32, then 02 00 (pattern 2), 00 00,
//           00 00, 64 00 (zoom 100), 00 00, 00 00, FF 00 (opacity 255), 00 00
//   168 :0D "@timings" (15) 5B 06 = [ 1 element
//   174   6F :1B "RPG::Animation::Timing" (16) 0A = 5 ivars
//   18E     :0B "@frame" (17) 69 06 = 1
//   198     :08 "@se" (18) 6F :0C "RPG::SE" (19) 08 = 3 ivars
//   1A8       3B 07 (@name) 49 22 0A "Fire2" 06 3B 08 54
//   1B6       :0C "@volume" (20) 69 55 = 80
//   1C1       :0B "@pitch" (21) 69 7D = 120
//   1CB     :11 "@flash_scope" (22) 69 06 = 1
//   1DB     :11 "@flash_color" (23) 75 :0A "Color" (24) 25 = 32 bytes:
//   1F2       doubles 255.0 (00..E0 6F 40), 128.0 (.. 60 40), 0.0, 200.0 (.. 69 40)
//   212     :14 "@flash_duration" (25) 69 0A = 5
//
// xp_extras.bin (1002 bytes), as RPG Maker XP writes (plain strings, 1B = 22 ivars), with instance
// variables of every other kind between the ones the importer reads:
//   01A :08 "@id" 69 06
//   021 :11 "@extra_float"   66 08 "1.5"                        float
//   034 :0A "@name"          22 0C "Thunder"                    plain string
//   044 :0F "@extra_nil"     30                                  nil
//   051 :10 "@extra_hash"    7B 07 {69 06 => 22 06 "x", :08 "key" => 5B 07 [54, 46]}
//   06E :13 "@extra_hashdef" 7D 06 {69 07 => 30} default 69 02 2C 01 (= 300)
//   087 :0F "@extra_big"     6C 2D 08 07 00 00 00 00 01        bignum -(2^40 + 7), 3 shorts
//   09C :12 "@extra_struct"  53 :12 "Struct::Point" 07 :07 "@x" 69 FE 18 FC (-1000)
//                            :07 "@y" 69 03 70 11 01 (70000)
//   0CD :10 "@extra_user"    75 :09 "Rect" 08 01 02 03           'u' of an unknown class
//   0E5 :14 "@extra_umarshal" 55 :09 "Pair" 5B 07 69 06 69 07    'U'
//   103 :0F "@extra_ext"     65 :0A "Mixin" 6F :0A "Thing" 06 :07 "@a" 69 06
//   126 :12 "@extra_regexp"  2F 09 "ab+c" 01                     regexp, options 1
//   13C :11 "@extra_class"   63 13 "RPG::Animation"               class
//   15A :12 "@extra_module"  6D 0B "Kernel"                       module
//   171 :13 "@extra_ivarstr" 49 22 09 "sjis" 07 (2 ivars) :0D "encoding" 22 0E "Shift_JIS"
//                            :0A "@note" 69 08
//   1A7 :10 "@extra_link"    40 06                                object link '@' 1
//   1B6 :14 "@animation_name" 22 0D "Thunder1"
//   1D1 :13 "@animation_hue" 69 7D (120)
//   1E3 :0E "@position" 69 00;  :0F "@frame_max" 69 09 (4)
//   1FE :0C "@frames" 5B 09 (4 elements):
//   209   30                                                     nil in place of a frame
//   20A   6F :1A "RPG::Animation::Frame" 08 (3 ivars) @cell_max i1, @cell_data Table 1x8
//         (dims 2; pattern 3, x 1, y 2, zoom 80, angle 45, mirror 0, opacity 200, blend 0),
//         3B 1F (@note) 22 0A "extra"                              an extra ivar on a frame
//   272   6F :11 "Other::Frame" 06 3B 28 (@cell_data) 69 0C        a frame of another class
//   286   6F 3B 26 (Frame) 07 @cell_max i1, @cell_data Table 1x8 (pattern 5, zoom 100, opacity 255)
//   2B8 :0D "@timings" 5B 08 (3 elements):
//   2C4   6F :1B "RPG::Animation::Timing" 0B (6 ivars):
//         :0B "@frame" 66 08 "2.0"                               a float where a fixnum goes
//         :08 "@se" 30                                           nil where an RPG::AudioFile goes
//         @flash_scope i2, @flash_color Color(10.9, 20, 30, 255), @flash_duration i8, @condition i2
//   359   6F :12 "Other::Timing" 06 3B 2D (@frame) 69 00           a timing of another class
//   36E   6F 3B 2C (Timing) 0B @frame i3, @se 6F :13 "RPG::AudioFile" 09 (4 ivars) 3B 08 (@name) 22 0D
//   "Thunder9"
//         @volume i100, @pitch i100, :0B "@extra" 66 08 "0.5"; @flash_scope i0,
//         @flash_color Color(0, 0, 0, 0), @flash_duration i0, @condition i0
//
// vx_odd_tables.bin (200 bytes), tables that do not match their sizes:
//   008 6F :13 "RPG::Animation" 07 (2 ivars)  :0C "@frames" 5B 07 (2 elements)
//   025   6F :1A "RPG::Animation::Frame" 07  :0F "@cell_data" 75 :0A "Table" 25 (32 bytes):
//   053     02 00 00 00  03 00 00 00  02 00 00 00  01 00 00 00  06 00 00 00   dims 2, 3x2x1, 6
//   067     07 00 08 00 09 00  0B 00 0C 00 0D 00                          rows 0 and 1 only
//   073     :0E "@cell_max" 69 08
//   080   6F 3B 07 (Frame) 07  3B 08 (@cell_data) 75 3B 09 (Table) 2D (40 bytes):
//   08A     02 00 00 00  03 00 00 00  08 00 00 00  01 00 00 00  18 00 00 00   3x8x1 = 24 values...
//   09E     01 00 02 00 03 00 04 00 05 00 06 00 32 00 3C 00 46 00 6E 00    ...but only 10 follow
//   0B2     3B 0A (@cell_max) 69 08
//   0B6 :0A "@name" 49 22 08 "Odd" 06 :06 "E" 54                          read after the tables
//
// long_name.bin (930 bytes), texts longer than 254 bytes:
//   008 6F :13 "RPG::Animation" 09 (4 ivars)
//   01A :0A "@name" 49 22 02 2C 01 (300) "N" x 300 06 :06 "E" 54
//   157 :15 "@animation1_name" 49 22 02 04 01 (260) "A" x 260 06 3B 07 (E) 54
//   276 :02 18 01 (280) "@" "v" x 279  69 0E (9)                       a 280-byte symbol
//   395 :0E "@position" 69 07 (2)

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

TEST(MarshalPayload, EveryCutOfTheHandBuiltPayloadsFails) {
    cConfig cfg = TestConfig();
    for (const char* name : {"vxace_basic.bin", "vx_odd_tables.bin"}) {
        std::vector<uint8_t> b = Payload(name);
        for (size_t n = 0; n < b.size(); n += 3) {
            std::vector<uint8_t> cut(b.begin(), b.begin() + static_cast<ptrdiff_t>(n));
            cProject d(&cfg);
            EXPECT_EQ(ReadMarshalPayload(cut, d, "jpn"), -1) << name << " cut at " << n;
        }
    }
}

} // namespace
