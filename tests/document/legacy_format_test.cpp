#include "document/anime_file_device.h"
#include "document/project.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

using ANIME::cAnimeFile_Device;
using Bytes = std::vector<uint8_t>;

namespace {

int readLegacy(const std::string& text, cProject& doc, std::string* error = nullptr) {
    cAnimeFile_Device dev;
    int r = dev.readLegacy(Bytes(text.begin(), text.end()), doc);
    if (error) *error = dev.lastError();
    return r;
}

// A legacy file from lines, with CR LF line ends.
std::string lines(std::initializer_list<std::string> ls) {
    std::string s;
    for (const auto& l : ls) s += l + "\r\n";
    return s;
}

strEffect flashEffect(int start, int drawing, int object, int frames, int r, int g, int b, int strength) {
    strEffect e;
    e.startFrame = static_cast<uint16_t>(start);
    e.flags = strEffect::kFlash;
    e.flashDrawing = static_cast<uint8_t>(drawing);
    e.flashObject = static_cast<uint8_t>(object);
    e.flashFrames = static_cast<uint16_t>(frames);
    e.flashRed = static_cast<uint8_t>(r);
    e.flashGreen = static_cast<uint8_t>(g);
    e.flashBlue = static_cast<uint8_t>(b);
    e.flashStrength = static_cast<uint8_t>(strength);
    return e;
}

}  // namespace

// tests/data/legacy/basic/input.txt: every record type in three frames.
TEST(LegacyFormat, ReadsTheFixture) {
    cProject doc;
    cAnimeFile_Device dev;
    ASSERT_EQ(dev.load(testing_support::DataPath("legacy/basic/input.txt"), doc), 1) << dev.lastError();
    EXPECT_EQ(doc.text(kTextName), "Old Slash");
    EXPECT_EQ(doc.text(kTextFileName), "input.txt");
    EXPECT_EQ(doc.getSetting(kKeySaveFormat), 1);
    EXPECT_EQ(doc.getSetting(kKeyLock), 1);
    EXPECT_EQ(doc.getSetting(kKeySplitFormat), 0);
    EXPECT_EQ(doc.getSetting(kKeyEditFormat), 3);  // 60 with angle flag 0
    EXPECT_EQ(doc.getSetting(kKeyBasicInterval), 3);
    EXPECT_EQ(doc.getSetting(kKeyTotalInterval), 40);
    EXPECT_EQ(doc.cellNumber(), 16);
    EXPECT_EQ(doc.frames().capacity(), 1000);
    EXPECT_EQ(doc.effects().capacity(), 1000);
    EXPECT_EQ(doc.pictures().capacity(), 255);
    EXPECT_FALSE(doc.modified());

    // "80,1190": entries 0 and 1 are 1, the '9' at even entry 2 gives 0, then 0; the rest 0.
    std::vector<uint8_t> lock(16, 0);
    lock[0] = lock[1] = 1;
    EXPECT_EQ(doc.lockTable(), lock);

    EXPECT_EQ(*doc.picture(0), (strPicture{5, 2, 0, "Attack1.png"}));
    EXPECT_EQ(*doc.picture(1), (strPicture{4, 4, 0, "Sword.png"}));

    // Three type 1 lines give four frames: the copy made by the last one stays.
    ASSERT_EQ(doc.frameCount(), 4);
    EXPECT_EQ(doc.frame(0)->interval, 0);
    EXPECT_EQ(doc.frame(1)->interval, 3);
    EXPECT_EQ(doc.frame(2)->interval, 0);
    EXPECT_EQ(doc.frame(3)->interval, 0);

    strCell c0;
    c0.picture = 1;  // the lock entry, not a field of the line
    c0.x = -10;
    c0.y = 5;
    EXPECT_EQ(*doc.cell(0, 0), c0);
    strCell c1;
    c1.picture = 1;
    c1.pattern = 3;
    c1.blend = 1;
    c1.opacity = 200;
    c1.angle = 450;
    c1.mx = c1.my = 150;  // edit format 3: magnification y follows x
    EXPECT_EQ(*doc.cell(0, 1), c1);
    // Frame 1 carries frame 0 over and changes what its lines give.
    EXPECT_EQ(*doc.cell(1, 0), c0);
    c1.pattern = 4;
    c1.x = 20;
    EXPECT_EQ(*doc.cell(1, 1), c1);
    // Pattern 0 deletes cell 0 in frame 2; the extra frame copies frame 2.
    EXPECT_EQ(doc.cell(2, 0), nullptr);
    EXPECT_EQ(*doc.cell(2, 1), c1);
    EXPECT_EQ(doc.cell(3, 0), nullptr);
    EXPECT_EQ(*doc.cell(3, 1), c1);

    ASSERT_EQ(doc.effectCount(), 4);
    strEffect e0 = flashEffect(0, 0, 0, 5, 255, 127, 0, 160);
    e0.flags |= strEffect::kSound;
    e0.volume = 90;
    e0.soundPath = "Slash1.wav";
    EXPECT_EQ(*doc.effect(0), e0);
    // Two flash lines in frame 1: two effects, in file order.
    EXPECT_EQ(*doc.effect(1), flashEffect(1, 1, 1, 3, 127, 255, 0, 0));
    EXPECT_EQ(*doc.effect(2), flashEffect(1, 0, 0, 2, 255, 255, 255, 255));
    strEffect e3;
    e3.startFrame = 2;
    e3.flags = strEffect::kUserData | strEffect::kSound;
    e3.userData = "hit here";
    e3.volume = 80;
    e3.frequency = 120;
    e3.soundPath = "Hit.wav";
    EXPECT_EQ(*doc.effect(3), e3);
}

TEST(LegacyFormat, FlashColoursAreConverted) {
    cProject doc;
    ASSERT_EQ(readLegacy(lines({"nani,", "5,1,,,-100,0,100", "5,3,1,7,-101,1,101", "5,4,9,9,-1,100,201",
                                "5,9,1,1,0,199,,", "1"}),
                         doc),
              1);
    ASSERT_EQ(doc.effectCount(), 4);
    // Below drawing 4: ((v + 100) × 255 + 0.5) / 200 limited to 0..255; frames 2 and strength 255
    // when not given.
    EXPECT_EQ(*doc.effect(0), flashEffect(0, 1, 0, 2, 0, 127, 255, 255));
    EXPECT_EQ(*doc.effect(1), flashEffect(0, 3, 0, 1, 0, 128, 255, 7));
    // Drawing 4 or more: target, add, strength 0, (v × 255 + 0.5) / 200.
    EXPECT_EQ(*doc.effect(2), flashEffect(0, 1, 1, 9, 0, 127, 255, 0));
    EXPECT_EQ(*doc.effect(3), flashEffect(0, 1, 1, 1, 0, 253, 255, 0));
}

TEST(LegacyFormat, BlocksMakeEffectsAsTheyArrive) {
    cProject doc;
    ASSERT_EQ(readLegacy(lines({"nani,n",
                                "6,50,60,a.wav",  // sound
                                "5,0,1",          // flash joins it
                                "7", "0,data",    // user data completes it: added at once
                                "6,1,2,b.wav",    // a fresh one
                                "6,3,4,c.wav",    // a second sound: b is added, c starts
                                "1",              // end of frame: c is added
                                "1", "5,0,3"}),   // blocks after the last frame line still count
                         doc),
              1);
    ASSERT_EQ(doc.effectCount(), 4);
    EXPECT_EQ(doc.effect(0)->flags, strEffect::kSound | strEffect::kFlash | strEffect::kUserData);
    EXPECT_EQ(doc.effect(0)->userData, "data");
    EXPECT_EQ(doc.effect(0)->balance, 100);
    EXPECT_EQ(doc.effect(1)->soundPath, "b.wav");
    EXPECT_EQ(doc.effect(2)->soundPath, "c.wav");
    EXPECT_EQ(doc.effect(2)->volume, 3);
    EXPECT_EQ(doc.effect(2)->frequency, 4);
    EXPECT_EQ(doc.effect(2)->startFrame, 0);
    EXPECT_EQ(doc.effect(3)->startFrame, 2);
    EXPECT_EQ(doc.effect(3)->flashFrames, 3);
}

TEST(LegacyFormat, CellFieldsAndTheColourInteger) {
    cProject doc;
    ASSERT_EQ(readLegacy(lines({"nani,n", "60,1,1,0", "80,0123456789", "2,2,7,1,2,2,99,900,-50,70,3302550",
                                "2,2,9999,9999,,,,,,,9999", "2,16,5", "2,-1,5", "1", "2,2,,,8", "1,2"}),
                         doc),
              1);
    EXPECT_EQ(doc.getSetting(kKeyEditFormat), 4);  // angle flag 1: angles are not allowed
    // The lock walk stops at '2'.
    EXPECT_EQ(doc.lockTable(), (std::vector<uint8_t>{0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    const strCell* c = doc.cell(0, 2);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->pattern, 7);
    EXPECT_EQ(c->x, 1);
    EXPECT_EQ(c->y, 2);
    EXPECT_EQ(c->blend, 2);
    EXPECT_EQ(c->opacity, 99);
    EXPECT_EQ(c->angle, 0);
    EXPECT_EQ(c->mx, -50);
    EXPECT_EQ(c->my, 70);
    EXPECT_EQ(c->red, 0x32);  // 3302550 = 0x326496
    EXPECT_EQ(c->green, 0x64);
    EXPECT_EQ(c->blue, 0x96);
    EXPECT_EQ(doc.frame(0)->cells.occupied(), 1);  // cell numbers 16 and -1 are ignored
    EXPECT_EQ(doc.cell(1, 2)->y, 8);
    EXPECT_EQ(doc.cell(1, 2)->pattern, 7);
    EXPECT_EQ(doc.frame(1)->interval, 2);
    EXPECT_EQ(doc.frameCount(), 3);
}

TEST(LegacyFormat, LockWalk) {
    auto lockOf = [](const std::string& digits) {
        cProject doc;
        EXPECT_EQ(readLegacy(lines({"nani,n", "80," + digits}), doc), 1);
        return doc.lockTable();
    };
    using L = std::vector<uint8_t>;
    EXPECT_EQ(lockOf("1190"), (L{1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(lockOf("9999"), (L{0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(lockOf(std::string(20, '1')), L(16, 1));
    EXPECT_EQ(lockOf(""), L(16, 0));
    // A later walk resets what it does not reach.
    cProject doc;
    ASSERT_EQ(readLegacy(lines({"nani,n", "80,1111", "80,1x11"}), doc), 1);
    EXPECT_EQ(doc.lockTable(), (L{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(LegacyFormat, PendingLinesAndIgnoredRecords) {
    cProject doc;
    ASSERT_EQ(
        readLegacy(lines({"nani,The name,more", "", "4,x", "90,y", "3,not a name", "7", ",", "1"}), doc), 1);
    EXPECT_EQ(doc.text(kTextName), "The name");
    // "," has an empty field 1: an empty user-data block still makes an effect.
    ASSERT_EQ(doc.effectCount(), 1);
    EXPECT_EQ(doc.effect(0)->flags, strEffect::kUserData);
    EXPECT_EQ(doc.effect(0)->userData, "");

    cProject bare;
    ASSERT_EQ(readLegacy("nani", bare), 1);
    EXPECT_EQ(bare.text(kTextName), "");
    EXPECT_EQ(bare.frameCount(), 1);
}

TEST(LegacyFormat, LongLinesAndFieldLimits) {
    // The tail after byte 511 would delete cell 0 if it were read as a line.
    const std::string longLine = "4," + std::string(509, ' ') + "2,0,0";
    const std::string longName(600, 'x');
    cProject doc;
    ASSERT_EQ(readLegacy(lines({"nani," + longName, "2,0,5", longLine, "70,0,2,2," + std::string(300, 'p'),
                                "2,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1"}),
                         doc),
              1);
    EXPECT_EQ(doc.text(kTextName), std::string(255, 'x'));
    ASSERT_NE(doc.cell(0, 0), nullptr);
    EXPECT_EQ(doc.cell(0, 0)->pattern, 5);
    EXPECT_EQ(doc.picture(0)->path, std::string(255, 'p'));
    EXPECT_NE(doc.cell(0, 1), nullptr);
}

TEST(LegacyFormat, TooManyFramesFail) {
    std::string text = "nani,n\r\n2,0,3\r\n";
    for (int i = 0; i < 1000; ++i) text += "1,1\r\n";
    cProject doc;
    std::string error;
    EXPECT_EQ(readLegacy(text, doc, &error), -1);
    EXPECT_NE(error.find("frame 1000"), std::string::npos) << error;
    // What was read stays.
    EXPECT_EQ(doc.frameCount(), 1000);
    EXPECT_EQ(doc.cell(999, 0)->pattern, 3);

    text.resize(text.size() - 5);  // 999 frame lines: 1000 frames
    EXPECT_EQ(readLegacy(text, doc), 1);
    EXPECT_EQ(doc.frameCount(), 1000);
}

TEST(LegacyFormat, OnlyFilesBeginningWithNani) {
    cProject doc;
    EXPECT_EQ(readLegacy("", doc), -1);
    EXPECT_EQ(readLegacy("nan", doc), -1);
    EXPECT_EQ(readLegacy("PELK_TEX0071\r\n", doc), -1);
}

TEST(LegacyFormat, SavingALegacyProjectWritesText) {
    testing_support::TempDir dir;
    cProject doc;
    cAnimeFile_Device dev;
    ASSERT_EQ(dev.load(testing_support::DataPath("legacy/basic/input.txt"), doc), 1);
    ASSERT_EQ(dev.save(dir.file("out.dat"), doc), 1);
    EXPECT_EQ(cAnimeFile_Device::detectFormatFile(dir.file("out.dat")), 1);
    EXPECT_EQ(testing_support::ReadText(dir.file("out.dat")),
              testing_support::ReadText(testing_support::DataPath("legacy/basic/expected.txt")));
    cProject back;
    ASSERT_EQ(dev.load(dir.file("out.dat"), back), 1);
    EXPECT_EQ(back.frameCount(), 4);
    EXPECT_EQ(back.effectCount(), 4);
}
