#include "document_fixture.h"
#include "support/test_support.h"

using namespace document_testing;

namespace {

int readLegacy(const std::string& text, cProject& doc, std::string* error = nullptr) {
    return Read(ToBytes(text), doc, anime::kFormatLegacy, error);
}

// Reads a legacy file from lines (with CR LF line ends) that must load.
void readLines(cProject& doc, std::initializer_list<std::string> lines) {
    std::string text, error;
    for (const auto& l : lines)
        text += l + "\r\n";
    EXPECT_EQ(readLegacy(text, doc, &error), 1) << error;
}

strEffect flash(int drawing, int object, int frames, int r, int g, int b, int strength, int start = 0) {
    return strEffect(start, strEffect::kFlash, frames, drawing, object, r, g, b, strength, 100, 100, 100, "",
                     "");
}

} // namespace

// tests/data/legacy/basic/input.txt: every record type in three frames. Saved, it gives
// expected.txt byte for byte, which holds every field that was read.
TEST(LegacyFormat, ReadsTheFixtureAndSavesItAsText) {
    testing_support::TempDir dir;
    cProject doc;
    cAnimeFileDevice dev;
    ASSERT_EQ(dev.load(testing_support::DataPath("legacy/basic/input.txt"), doc), 1) << dev.lastError();
    EXPECT_EQ(doc.text(kTextFileName), "input.txt");
    EXPECT_EQ(doc.getSetting(kKeySaveFormat), 1);
    EXPECT_EQ(doc.getSetting(kKeyEditFormat), 3); // 60 with angle flag 0
    EXPECT_FALSE(doc.modified());
    // Three type 1 lines give four frames: the copy made by the last one stays. Pattern 0
    // deletes cell 0 in frame 2.
    ASSERT_EQ(doc.frameCount(), 4);
    EXPECT_EQ(doc.cell(0, 0)->picture, 1); // the lock entry, not a field of the line
    EXPECT_EQ(doc.cell(0, 1)->my, 150);    // edit format 3: magnification y follows x
    EXPECT_EQ(doc.cell(2, 0), nullptr);

    ASSERT_EQ(dev.save(dir.file("out.dat"), doc), 1);
    EXPECT_EQ(testing_support::ReadText(dir.file("out.dat")),
              testing_support::ReadText(testing_support::DataPath("legacy/basic/expected.txt")));
}

TEST(LegacyFormat, FlashColoursAreConverted) {
    cProject doc;
    readLines(doc, {"nani,", "5,1,,,-100,0,100", "5,3,1,7,-101,1,101", "5,4,9,9,-1,100,201",
                    "5,9,1,1,0,199,,", "1"});
    ASSERT_EQ(doc.effectCount(), 4);
    // Below drawing 4: ((v + 100) × 255 + 0.5) / 200 limited to 0..255; frames 2 and strength 255
    // when not given.
    EXPECT_EQ(*doc.effect(0), flash(1, 0, 2, 0, 127, 255, 255));
    EXPECT_EQ(*doc.effect(1), flash(3, 0, 1, 0, 128, 255, 7));
    // Drawing 4 or more: target, add, strength 0, (v × 255 + 0.5) / 200.
    EXPECT_EQ(*doc.effect(2), flash(1, 1, 9, 0, 127, 255, 0));
    EXPECT_EQ(*doc.effect(3), flash(1, 1, 1, 0, 253, 255, 0));
}

TEST(LegacyFormat, BlocksMakeEffectsAsTheyArrive) {
    cProject doc;
    readLines(doc, {"nani,n",
                    "6,50,60,a.wav", // sound
                    "5,0,1",         // flash joins it
                    "7", "0,data",   // user data completes it: added at once
                    "6,1,2,b.wav",   // a fresh one
                    "6,3,4,c.wav",   // a second sound: b is added, c starts
                    "1",             // end of frame: c is added
                    "1", "5,0,3"});  // blocks after the last frame line still count
    ASSERT_EQ(doc.effectCount(), 4);
    EXPECT_EQ(doc.effect(0)->flags, strEffect::kSound | strEffect::kFlash | strEffect::kUserData);
    EXPECT_EQ(doc.effect(0)->userData, "data");
    EXPECT_EQ(doc.effect(0)->balance, 100);
    EXPECT_EQ(doc.effect(1)->soundPath, "b.wav");
    EXPECT_EQ(*doc.effect(2), (strEffect(0, strEffect::kSound, 0, 0, 0, 128, 128, 128, 255, 3, 4, 100,
                                         "c.wav", ""))); // volume 3, frequency 4
    EXPECT_EQ(doc.effect(3)->startFrame, 2);
    EXPECT_EQ(doc.effect(3)->flashFrames, 3);
}

TEST(LegacyFormat, CellFieldsAndTheColourInteger) {
    cProject doc;
    readLines(doc, {"nani,n", "60,1,1,0", "80,0123456789", "2,2,7,1,2,2,99,900,-50,70,3302550",
                    "2,2,9999,9999,,,,,,,9999", "2,16,5", "2,-1,5", "1", "2,2,,,8", "1,2"});
    EXPECT_EQ(doc.getSetting(kKeyEditFormat), 4); // angle flag 1: no angles
    // 3302550 = 0x326496: red 0x32, green 0x64, blue 0x96; the angle is dropped.
    const strCell c{0, 7, 2, 1, 2, -50, 70, 0, 99, 0x32, 0x64, 0x96, 100};
    ASSERT_NE(doc.cell(0, 2), nullptr);
    EXPECT_EQ(*doc.cell(0, 2), c);
    EXPECT_EQ(doc.frame(0)->cells.occupied(), 1); // cell numbers 16 and -1 are ignored
    strCell next = c;
    next.y = 8;
    EXPECT_EQ(*doc.cell(1, 2), next);
    EXPECT_EQ(doc.frame(1)->interval, 2);
    EXPECT_EQ(doc.frameCount(), 3);
}

TEST(LegacyFormat, LockWalk) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"1190"}, "1100000000000000"},
        {{"9999"}, "0101000000000000"},
        {{"0123456789"}, "0100000000000000"}, // stops at '2'
        {{std::string(20, '1')}, "1111111111111111"},
        {{""}, "0000000000000000"},
        {{"1111", "1x11"}, "1000000000000000"}, // a later walk resets what it does not reach
    };
    for (const auto& [walks, lock] : cases) {
        cProject doc;
        std::string text = "nani,n\r\n";
        for (const auto& w : walks)
            text += "80," + w + "\r\n";
        EXPECT_EQ(readLegacy(text, doc), 1);
        std::string s;
        for (uint8_t v : doc.lockTable())
            s += std::to_string(v);
        EXPECT_EQ(s, lock) << walks.back();
    }
}

TEST(LegacyFormat, PendingLinesAndIgnoredRecords) {
    cProject doc, bare;
    readLines(doc, {"nani,The name,more", "", "4,x", "90,y", "3,not a name", "7", ",", "1"});
    EXPECT_EQ(doc.text(kTextName), "The name");
    // "," has an empty field 1: an empty user-data block still makes an effect.
    ASSERT_EQ(doc.effectCount(), 1);
    EXPECT_EQ(*doc.effect(0), (strEffect{.flags = strEffect::kUserData}));
    ASSERT_EQ(readLegacy("nani", bare), 1);
    EXPECT_EQ(bare.text(kTextName), "");
    EXPECT_EQ(bare.frameCount(), 1);
}

TEST(LegacyFormat, LongLinesAndFieldLimits) {
    // The tail after byte 511 would delete cell 0 if it were read as a line.
    const std::string longLine = "4," + std::string(509, ' ') + "2,0,0";
    cProject doc;
    readLines(doc, {"nani," + std::string(600, 'x'), "2,0,5", longLine, "70,0,2,2," + std::string(300, 'p'),
                    "2,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1"});
    EXPECT_EQ(doc.text(kTextName), std::string(255, 'x'));
    ASSERT_NE(doc.cell(0, 0), nullptr);
    EXPECT_EQ(doc.cell(0, 0)->pattern, 5);
    EXPECT_EQ(doc.picture(0)->path, std::string(255, 'p'));
    EXPECT_NE(doc.cell(0, 1), nullptr);
}

TEST(LegacyFormat, OtherFilesAreRefused) {
    cProject doc;
    for (const char* other : {"", "nan", "PELK_TEX0071\r\n"})
        EXPECT_EQ(readLegacy(other, doc), -1) << other;
}
