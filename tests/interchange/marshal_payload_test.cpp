// Payloads written by an independent Marshal writer: tests/data/marshal/*.bin were made by
// tests/data/marshal/make_payloads.py (a separate writer in Python that numbers symbols by first
// appearance, as Ruby's Marshal.dump does), not by ruby::cWrite. Each file is a clipboard block:
// a u32 little-endian length of the whole block, then the Marshal dump. The script says what each
// payload holds: vxace_basic as VX Ace writes it, xp_extras with values of every other kind between
// the ones read, vx_odd_tables with tables that do not match their sizes, long_name with texts and a
// symbol longer than 254 bytes, vxace_shared and xp_shared with objects reachable twice, which Ruby
// writes as object links (xp_shared after values of every other kind, which all take an index).

#include "interchange/marshal_animation.h"
#include "interchange_fixture.h"
#include "support/document_compare.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace interchange_test;
using testing_support::DescribeCell;

namespace {

Bytes Payload(const std::string& name) {
    return testing_support::ReadBytes(testing_support::DataPath("marshal/" + name));
}

// The fingerprint line of cell c of frame f.
std::string CellLine(int f, int c, const strCell& cell) {
    return "  cell " + std::to_string(f) + ":" + std::to_string(c) + " " + DescribeCell(cell) + "\n";
}

TEST(MarshalPayload, IndependentPayloadsImport) {
    const std::string shared0 = CellLine(0, 0, Cell(0, 5, 10, 20, 100, 100, 0, 255, 0));
    const auto shared1 = [](int f) {
        return CellLine(f, 0, Cell(0, 2, -5, 6, -120, 120, 0, 200, 1)) +
               CellLine(f, 1, Cell(0, 3, 7, 8, 80, 80, -900, 100, 2));
    };
    struct {
        const char* file;
        std::string name;
        std::string pictures; // the picture lines of the fingerprint; empty: not checked
        int centre;
        int frames;
        std::string cells;
        std::string effects;
    } cases[] = {
        // An empty @animation2_name leaves the slot empty.
        {"vxace_basic.bin", "Fire", "picture 0 div 192x192 hue 30 [Fire1]\n", 1, 2,
         CellLine(0, 0, Cell(0, 1, 10, -20, 100, 100, 0, 255, 1)) +
             CellLine(0, 2, Cell(1, 5, -300, 200, -150, 150, -900, 128, 2)) +
             CellLine(1, 0, Cell(0, 3, 0, 0, 100, 100, 0, 255, 0)),
         "effect 0 start 1 flags 3 flash 5/0/1/255/128/0/200 sound 80/120/100 [Fire2] []\n"},
        // Frame 0 is nil, frame 2 of another class; the float frame of the first timing is skipped
        // (frame 0) and the flash block of the second is back to its defaults.
        {"xp_extras.bin", "Thunder", "picture 0 div 192x192 hue 120 [Thunder1]\n", 3, 4,
         CellLine(1, 0, Cell(0, 4, 1, 2, 80, 80, -450, 200, 0)) +
             CellLine(3, 0, Cell(0, 6, 0, 0, 100, 100, 0, 255, 0)),
         "effect 0 start 0 flags 5 flash 8/0/0/10/20/30/255 sound 100/100/100 [] [MISS]\n"
         "effect 1 start 3 flags 2 flash 0/0/0/128/128/128/255 sound 100/100/100 [Thunder9] []\n"},
        // Frame 0 has y size 2: pattern and x from the table, every other value 0. Frame 1 has 10 of 24
        // values: the missing ones count as 0. The name is read in step after both tables.
        {"vx_odd_tables.bin", "Odd", "", 0, 2,
         CellLine(0, 0, Cell(0, 8, 11, 0, 0, 0, 0, 0, 0)) + CellLine(0, 1, Cell(0, 9, 12, 0, 0, 0, 0, 0, 0)) +
             CellLine(0, 2, Cell(0, 10, 13, 0, 0, 0, 0, 0, 0)) +
             CellLine(1, 0, Cell(0, 2, 4, 50, 110, 110, 0, 0, 0)) +
             CellLine(1, 1, Cell(0, 3, 5, 60, 0, 0, 0, 0, 0)) +
             CellLine(1, 2, Cell(0, 4, 6, 70, 0, 0, 0, 0, 0)),
         ""},
        // Long texts are cut and the rest is read.
        {"long_name.bin", std::string(254, 'N'),
         "picture 0 div 192x192 hue 0 [" + std::string(254, 'A') + "]\n", 2, 0, "", ""},
        // Object links read the object they name.
        {"vxace_shared.bin", "Spark", "picture 0 div 192x192 hue 0 [Spark]\n", 0, 4,
         shared0 + shared1(1) + CellLine(2, 0, Cell(0, 5, 10, 20, 100, 100, 0, 255, 0)) + shared1(3),
         "effect 0 start 0 flags 3 flash 4/0/1/255/0/0/160 sound 80/110/100 [Boom] []\n"
         "effect 1 start 2 flags 3 flash 6/0/0/255/0/0/160 sound 70/90/100 [Boom] []\n"
         "effect 2 start 3 flags 2 flash 0/0/0/128/128/128/255 sound 80/110/100 [Boom] []\n"},
        {"xp_shared.bin", "Blast", "picture 0 div 192x192 hue 60 [Blast]\n", 1, 0, "",
         "effect 0 start 1 flags 3 flash 3/0/1/255/255/255/128 sound 90/100/100 [Blast1] []\n"
         "effect 1 start 5 flags 7 flash 7/0/0/255/255/255/128 sound 90/100/100 [Blast1] [HIT]\n"},
    };
    cConfig cfg = TestConfig();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        cProject d(&cfg);
        std::string why;
        ASSERT_EQ(Import(Payload(c.file), d, kProductVX, &why), 1) << why;
        EXPECT_EQ(d.text(kTextName), c.name);
        if (!c.pictures.empty()) {
            EXPECT_EQ(FingerprintLines(d, "picture "), c.pictures);
        }
        EXPECT_EQ(d.getSetting(kKeyCentrePosition), c.centre);
        EXPECT_EQ(d.frameCount(), c.frames);
        EXPECT_EQ(FingerprintLines(d, "  cell "), c.cells);
        EXPECT_EQ(FingerprintLines(d, "effect "), c.effects);
    }
    EXPECT_EQ(Payload("vxace_basic.bin").size(), 549u);
}

TEST(MarshalPayload, EveryCutOfTheHandBuiltPayloadsFails) {
    cConfig cfg = TestConfig();
    for (const char* name : {"vxace_basic.bin", "vx_odd_tables.bin", "vxace_shared.bin", "xp_shared.bin"}) {
        Bytes b = Payload(name);
        for (size_t n = 0; n < b.size(); ++n) {
            cProject d(&cfg);
            EXPECT_EQ(Import(Bytes(b.begin(), b.begin() + static_cast<ptrdiff_t>(n)), d, kProductVX), -1)
                << name << " cut at " << n;
        }
    }
}

} // namespace
