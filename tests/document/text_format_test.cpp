#include "document/anime_file_device.h"
#include "document/project.h"
#include "support/document_compare.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <sstream>

using ANIME::cAnimeFile_Device;
using Bytes = std::vector<uint8_t>;
using testing_support::CompareProjects;

namespace {

Bytes toBytes(const std::string& s) { return Bytes(s.begin(), s.end()); }
std::string toString(const Bytes& b) { return std::string(b.begin(), b.end()); }

// Lines joined with CR LF; the last one gets no line end (like the final "9").
std::string crlf(std::initializer_list<std::string> lines) {
    std::string s;
    bool first = true;
    for (const auto& l : lines) {
        if (!first) s += "\r\n";
        s += l;
        first = false;
    }
    return s;
}

// The lines of a written file (split at CR LF).
std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            return lines;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
}

// The lines between the header's "9" and the final "9".
std::vector<std::string> frameLines(const std::string& text) {
    auto all = linesOf(text);
    auto nine = std::find(all.begin(), all.end(), "9");
    return std::vector<std::string>(nine + 1, all.end() - 1);
}

std::string writeText(const cProject& doc, cAnimeFile_Device* device = nullptr) {
    cAnimeFile_Device own;
    cAnimeFile_Device& dev = device ? *device : own;
    Bytes out;
    EXPECT_EQ(dev.writeText(doc, out), 1) << dev.lastError();
    return toString(out);
}

int readText(const std::string& text, cProject& doc, std::string* error = nullptr) {
    cAnimeFile_Device dev;
    int r = dev.readText(toBytes(text), doc);
    if (error) *error = dev.lastError();
    return r;
}

strCell cellAt(int x, int y = 0, int pattern = 1) {
    strCell c;
    c.x = static_cast<int16_t>(x);
    c.y = static_cast<int16_t>(y);
    c.pattern = static_cast<uint16_t>(pattern);
    return c;
}

// The project of tests/data/text/small: pictures with a gap, the cell lock, effects sharing a
// frame, a cell that leaves and returns, and one that stays.
void buildSmall(cProject& doc) {
    doc.create(4, 3, 0, 0);
    doc.setText(kTextName, "Slash");
    doc.setText(kTextUserData, "demo");
    doc.setSetting(kKeyBasicInterval, 2);
    doc.setSetting(kKeyTotalInterval, 12);
    doc.setSetting(kKeyLock, 1);
    doc.lockTable() = {0, 2, 0};
    strPicture a{5, 2, 0, "Attack1.png"}, s{4, 4, 180, "Sword.png"};
    doc.pictures().setCopy(0, a);
    doc.pictures().setCopy(2, s);

    strEffect sound;
    sound.flags = strEffect::kSound;
    sound.volume = 90;
    sound.soundPath = "Slash1.wav";
    strEffect flash;
    flash.flags = strEffect::kFlash;
    flash.flashObject = 1;
    flash.flashFrames = 5;
    flash.flashRed = 255;
    flash.flashGreen = 255;
    flash.flashBlue = 200;
    flash.flashStrength = 160;
    strEffect all;
    all.startFrame = 2;
    all.flags = strEffect::kSound | strEffect::kFlash | strEffect::kUserData;
    all.soundPath = "Slash1.wav";
    all.flashFrames = 10;
    all.userData = "hit";
    doc.addEffect(all);
    doc.addEffect(sound);
    doc.addEffect(flash);

    for (int f = 0; f < 4; ++f) doc.frameOrCreate(f);
    doc.frame(1)->interval = 3;
    strCell c0 = cellAt(-10, 5);
    strCell c1 = cellAt(0, 0, 3);
    c1.mx = c1.my = 150;
    c1.opacity = 200;
    strCell c2 = cellAt(0, 0, 2);
    c2.blend = 1;
    c2.opacity = 128;
    doc.setCell(0, 0, &c0);
    doc.setCell(0, 1, &c1);
    doc.setCell(1, 0, &c0);
    c1.x = 20;
    doc.setCell(1, 1, &c1);
    doc.setCell(1, 2, &c2);
    c1.angle = 450;
    c1.red = 150;
    doc.setCell(2, 1, &c1);
    doc.setCell(2, 2, &c2);
    doc.setCell(3, 0, &c0);
    doc.setCell(3, 1, &c1);
}

}  // namespace

// ---- exact output ----

TEST(TextFormat, WritesTheFixtureByteForByte) {
    cProject doc;
    buildSmall(doc);
    EXPECT_EQ(writeText(doc),
              testing_support::ReadText(testing_support::DataPath("text/small/expected.txt")));
}

TEST(TextFormat, LinesEndWithCrLfAndTheFileWithABareNine) {
    cProject doc;
    buildSmall(doc);
    const std::string text = writeText(doc);
    ASSERT_GE(text.size(), 3u);
    EXPECT_EQ(text.substr(text.size() - 3), "\r\n9");
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at " << i;
        }
        if (text[i] == '\r') {
            EXPECT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "bare CR at " << i;
        }
    }

    cProject empty;
    empty.create(0, 1, 0, 0);
    EXPECT_EQ(writeText(empty), crlf({"PELK_TEX0071", "", "", "1,0,0,0,1,0,0,0,1,0,0", "9", "9"}));
}

TEST(TextFormat, AnUnchangedCellIsWrittenOnce) {
    cProject doc;
    doc.create(10, 1, 0, 0);
    strCell c = cellAt(3, 4);
    for (int f = 0; f < 10; ++f) {
        doc.frameOrCreate(f);
        doc.setCell(f, 0, &c);
    }
    const auto lines = frameLines(writeText(doc));
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[0], "2,0,,,,3,4,,,,255,,,,");
    for (int f = 1; f <= 10; ++f) EXPECT_EQ(lines[f], "1,0");
}

TEST(TextFormat, AMoveInXWritesThePositionPairOnly) {
    cProject doc;
    doc.create(2, 1, 0, 0);
    strCell c;
    doc.frameOrCreate(0);
    doc.frameOrCreate(1);
    doc.setCell(0, 0, &c);
    c.x = 5;
    doc.setCell(1, 0, &c);
    EXPECT_EQ(frameLines(writeText(doc)),
              (std::vector<std::string>{"2,0,,,,,,,,,255,,,,", "1,0", "2,0,,,,5,0,,,,,,,,", "1,0"}));
}

TEST(TextFormat, PairsAndTheColourGroupAreWrittenTogether) {
    cProject doc;
    doc.create(4, 1, 0, 0);
    strCell c;
    for (int f = 0; f < 4; ++f) doc.frameOrCreate(f);
    doc.setCell(0, 0, &c);
    c.my = -40;
    doc.setCell(1, 0, &c);
    c.saturation = 0;
    doc.setCell(2, 0, &c);
    c.picture = 7;
    c.pattern = 9;
    c.blend = 3;
    c.angle = -900;
    c.opacity = 0;
    doc.setCell(3, 0, &c);
    const auto lines = frameLines(writeText(doc));
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[2], "2,0,,,,,,100,-40,,,,,,");
    EXPECT_EQ(lines[4], "2,0,,,,,,,,,,100,100,100,0");
    EXPECT_EQ(lines[6], "2,0,7,9,3,,,,,-900,0,,,,");
}

TEST(TextFormat, AnAbsentCellIsClosedAndReturnsAgainstTheNeutralCell) {
    cProject doc;
    doc.create(3, 2, 0, 0);
    for (int f = 0; f < 3; ++f) doc.frameOrCreate(f);
    strCell c = cellAt(8);
    doc.setCell(0, 0, &c);
    c.y = 1;
    doc.setCell(2, 0, &c);
    // A cell equal to the neutral cell is written with every field empty (but written).
    strCell neutral = strCell::neutral();
    doc.setCell(2, 1, &neutral);
    EXPECT_EQ(frameLines(writeText(doc)),
              (std::vector<std::string>{"2,0,,,,8,0,,,,255,,,,", "1,0", "3,0", "1,0", "2,0,,,,8,1,,,,255,,,,",
                                        "2,1,,,,,,,,,,,,,", "1,0"}));

    cProject back;
    ASSERT_EQ(readText(writeText(doc), back), 1);
    ASSERT_NE(back.cell(2, 1), nullptr);
    EXPECT_EQ(*back.cell(2, 1), neutral);
    EXPECT_EQ(back.cell(1, 0), nullptr);
}

TEST(TextFormat, EffectGroupsFollowTheCellsOfTheirFrame) {
    cProject doc;
    doc.create(2, 1, 0, 0);
    doc.frameOrCreate(0);
    doc.frameOrCreate(1);
    strEffect user;
    user.startFrame = 1;
    user.flags = strEffect::kUserData;
    user.userData = "first";
    strEffect flash;
    flash.startFrame = 1;
    flash.flags = strEffect::kFlash;
    flash.flashObject = 2;
    flash.flashDrawing = 3;
    flash.flashFrames = 255;
    flash.flashBlue = 1;
    flash.flashGreen = 2;
    flash.flashRed = 3;
    flash.flashStrength = 4;
    strEffect none;  // no block: passed over, not counted as lost
    doc.addEffect(none);
    doc.addEffect(user);
    doc.addEffect(flash);
    cAnimeFile_Device dev;
    EXPECT_EQ(frameLines(writeText(doc, &dev)),
              (std::vector<std::string>{"1,0", "4,1", "7", "first", "4,1", "5,2,3,255,1,2,3,4", "1,0"}));
    EXPECT_EQ(dev.lostEffects(), 0);
}

TEST(TextFormat, EffectsPastTheLastFrameAreCountedAsLost) {
    cProject doc;
    doc.create(2, 1, 0, 0);
    doc.frameOrCreate(0);
    doc.frameOrCreate(1);
    for (int start : {1, 2, 7}) {
        strEffect e;
        e.startFrame = static_cast<uint16_t>(start);
        e.flags = strEffect::kSound;
        e.soundPath = "s" + std::to_string(start);
        doc.addEffect(e);
    }
    cAnimeFile_Device dev;
    const std::string text = writeText(doc, &dev);
    EXPECT_EQ(dev.lostEffects(), 2);
    EXPECT_EQ(text.find("\r\ns2\r\n", text.find("\r\n9\r\n")), std::string::npos);
    cProject back;
    ASSERT_EQ(readText(text, back), 1);
    EXPECT_EQ(back.effectCount(), 1);

    // The same document saved in binary keeps them, and the count is reset.
    testing_support::TempDir dir;
    EXPECT_EQ(dev.save(dir.file("a.dat"), doc, 0), 1);
    EXPECT_EQ(dev.lostEffects(), 0);
    EXPECT_EQ(dev.save(dir.file("a.txt"), doc, 1), 1);
    EXPECT_EQ(dev.lostEffects(), 2);
}

TEST(TextFormat, TextsAreCopiedAsBytesAndCutAtALineBreak) {
    cProject doc;
    doc.create(1, 1, 0, 0);
    const std::string cp932 = "\x83\x65\x83\x58\x83\x67\x5c";  // "テスト\" in code page 932
    doc.setText(kTextName, cp932);
    doc.setText(kTextUserData, "two\r\nlines");
    const auto lines = linesOf(writeText(doc));
    EXPECT_EQ(lines[1], cp932);
    EXPECT_EQ(lines[2], "two");
    cProject back;
    ASSERT_EQ(readText(writeText(doc), back), 1);
    EXPECT_EQ(back.text(kTextName), cp932);
}

// ---- round trips ----

namespace {

// Every field and the situations the difference coding must get right: cells that leave and
// return with other values, values equal to the neutral cell, extreme values, effects sharing a
// frame in insertion order, picture gaps, the lock with a locked cell.
void buildRich(cProject& doc) {
    doc.create(12, 6, 0, 0);
    doc.setText(kTextName, "\x83\x65\x83\x58\x83\x67 rich");
    doc.setText(kTextUserData, "user, data");
    doc.setSetting(kKeySplitFormat, 1);
    doc.setSetting(kKeyEditFormat, 0);
    doc.setSetting(kKeyBasicInterval, 4);
    doc.setSetting(kKeyTotalInterval, 77);
    doc.setSetting(kKeyLock, 1);
    doc.lockTable() = {0, 3, 0, 0, 0, 255};
    doc.pictures().setCopy(1, strPicture{1024, 1, 360, "a\\b.png"});
    doc.pictures().setCopy(4, strPicture{3, 7, 0, ""});
    for (int f = 0; f < 12; ++f)
        doc.frameOrCreate(f)->interval = static_cast<uint16_t>(f % 3 == 0 ? 0 : f * 20);
    for (int f = 0; f < 12; ++f) {
        for (int c = 0; c < 6; ++c) {
            if ((f + c) % 4 == 3) continue;  // gaps: cells leave and return
            strCell x;
            x.picture = static_cast<uint8_t>(c * 40);
            x.pattern = static_cast<uint16_t>(c == 2 ? 65535 : 1 + f / 3);
            x.blend = static_cast<uint8_t>((f / 2) % 5);
            x.x = static_cast<int16_t>(c == 0 ? -1024 : f * c);
            x.y = static_cast<int16_t>(c == 0 ? 1024 : 0);
            x.mx = static_cast<int16_t>(c == 3 ? -1000 : 100);
            x.my = static_cast<int16_t>(100 + (f / 4) * 10);
            x.angle = static_cast<int16_t>(c == 4 ? -3600 + f : 0);
            x.opacity = static_cast<uint8_t>(f % 2 ? 0 : 255 - c);
            x.red = static_cast<uint8_t>(f % 5 == 0 ? 200 : 100);
            x.green = static_cast<uint8_t>(c);
            x.blue = 100;
            x.saturation = static_cast<uint8_t>(f == 7 ? 0 : 100);
            doc.setCell(f, c, &x);
        }
    }
    for (int i = 0; i < 7; ++i) {
        strEffect e;
        e.startFrame = static_cast<uint16_t>(i < 4 ? 5 : i);  // four effects at frame 5
        e.flags = static_cast<uint8_t>(1 + i % 7);
        e.flashFrames = static_cast<uint16_t>(i);
        e.flashDrawing = static_cast<uint8_t>(i % 5);
        e.flashObject = static_cast<uint8_t>(i % 3);
        e.flashRed = static_cast<uint8_t>(i * 30);
        e.flashGreen = static_cast<uint8_t>(255 - i);
        e.flashBlue = 0;
        e.flashStrength = static_cast<uint8_t>(i * 11);
        e.volume = static_cast<uint16_t>(1 + i);
        e.frequency = static_cast<uint16_t>(200 - i);
        e.balance = static_cast<uint16_t>(i * 33);
        e.soundPath = i % 2 ? "se/one.ogg" : "se/two.ogg";
        e.userData = "effect " + std::to_string(i);
        if (!(e.flags & strEffect::kFlash)) {  // fields of a block that is not valid keep their defaults
            strEffect d;
            e.flashFrames = d.flashFrames, e.flashDrawing = d.flashDrawing, e.flashObject = d.flashObject;
            e.flashRed = d.flashRed, e.flashGreen = d.flashGreen, e.flashBlue = d.flashBlue;
            e.flashStrength = d.flashStrength;
        }
        if (!(e.flags & strEffect::kSound))
            e.volume = 100, e.frequency = 100, e.balance = 100, e.soundPath.clear();
        if (!(e.flags & strEffect::kUserData)) e.userData.clear();
        doc.addEffect(e);
    }
}

}  // namespace

TEST(TextFormat, DocumentToTextToDocumentKeepsEveryField) {
    for (auto build : {buildSmall, buildRich}) {
        cProject doc;
        build(doc);
        doc.setSetting(kKeySaveFormat, 1);
        cProject back;
        std::string error;
        ASSERT_EQ(readText(writeText(doc), back, &error), 1) << error;
        EXPECT_EQ(CompareProjects(doc, back), "");
        EXPECT_FALSE(back.modified());
    }
}

TEST(TextFormat, BinaryToTextToBinaryIsByteExact) {
    cProject doc;
    buildRich(doc);
    cAnimeFile_Device dev;
    Bytes binary;
    ASSERT_EQ(dev.writeBinary(doc, binary), 1);

    cProject a, b;
    ASSERT_EQ(dev.readBinary(binary, a), 1);
    Bytes text;
    ASSERT_EQ(dev.writeText(a, text), 1);
    ASSERT_EQ(dev.readText(text, b), 1) << dev.lastError();
    Bytes again;
    ASSERT_EQ(dev.writeBinary(b, again), 1);
    EXPECT_EQ(again, binary);
    EXPECT_EQ(b.getSetting(kKeySaveFormat), 1);
    // Four effects at frame 5 keep their insertion order.
    for (int i = 0; i < 4; ++i) EXPECT_EQ(b.effect(i)->userData, a.effect(i)->userData);
}

TEST(TextFormat, TextToBinaryToTextIsByteExact) {
    const std::string text = testing_support::ReadText(testing_support::DataPath("text/small/expected.txt"));
    cAnimeFile_Device dev;
    cProject a, b;
    ASSERT_EQ(dev.readText(toBytes(text), a), 1) << dev.lastError();
    Bytes binary, again;
    ASSERT_EQ(dev.writeBinary(a, binary), 1);
    ASSERT_EQ(dev.readBinary(binary, b), 1);
    ASSERT_EQ(dev.writeText(b, again), 1);
    EXPECT_EQ(toString(again), text);
}

// ---- hand-edited files ----

namespace {

std::string header(int frames, int cells) {
    return "PELK_TEX0071\r\nname\r\nuser\r\n1,0,0,0,1,0,0," + std::to_string(frames) + "," +
           std::to_string(cells) + ",0,0\r\n9\r\n";
}

}  // namespace

TEST(TextFormat, OmittedFieldsKeepTheInheritedValues) {
    const std::string text =
        header(3, 2) + "2,0,5,7,1,10,20,50,60,900,128,1,2,3,4\n" // LF only: accepted
                       "1,2\n"
                       "2,0,,,,11\n"                            // x only, y keeps 20
                       "2,1\n"                                  // a new cell from the neutral cell
                       "1\n"                                    // interval missing: 0
                       "2,0,9999,9999,,9999,-5,,,,,,,,,77,88\n" // 9999 is not given; extra fields ignored
                       "2,7,1\n"                                // outside the row: ignored
                       "3\n"                                    // no cell number: ignored
                       "1,1\n9";
    cProject doc;
    std::string error;
    ASSERT_EQ(readText(text, doc, &error), 1) << error;
    ASSERT_EQ(doc.frameCount(), 3);
    const strCell* c = doc.cell(1, 0);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->picture, 5);
    EXPECT_EQ(c->pattern, 7);
    EXPECT_EQ(c->x, 11);
    EXPECT_EQ(c->y, 20);
    EXPECT_EQ(c->blue, 1);
    EXPECT_EQ(c->red, 3);
    EXPECT_EQ(*doc.cell(1, 1), strCell::neutral());
    EXPECT_EQ(doc.frame(0)->interval, 2);
    EXPECT_EQ(doc.frame(1)->interval, 0);
    EXPECT_EQ(doc.frame(2)->interval, 1);
    c = doc.cell(2, 0);
    EXPECT_EQ(c->picture, 5);
    EXPECT_EQ(c->pattern, 7);
    EXPECT_EQ(c->x, 11);
    EXPECT_EQ(c->y, -5);
    EXPECT_EQ(c->mx, 50);
    EXPECT_EQ(c->angle, 900);
}

TEST(TextFormat, ReadValuesAreNormalisedAndHeldToTheirTypes) {
    const std::string text = "PELK_TEX0071\r\n\r\n\r\n"
                             "1,0,0,4,1,0,0,1,1,0,0\r\n9\r\n"  // edit format 4: no angles
                             "2,0,300,0,9,  70000,-70000,5000,-5000,900,-1,201,999,-3,250\r\n1,0\r\n9";
    cProject doc;
    std::string error;
    ASSERT_EQ(readText(text, doc, &error), 1) << error;
    const strCell* c = doc.cell(0, 0);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->picture, 255);
    EXPECT_EQ(c->pattern, 1);
    EXPECT_EQ(c->blend, 4);
    EXPECT_EQ(c->x, 1024);  // leading blanks are allowed
    EXPECT_EQ(c->y, -1024);
    EXPECT_EQ(c->mx, 1000);
    EXPECT_EQ(c->my, -1000);
    EXPECT_EQ(c->angle, 0);
    EXPECT_EQ(c->opacity, 0);
    EXPECT_EQ(c->blue, 200);
    EXPECT_EQ(c->green, 200);
    EXPECT_EQ(c->red, 0);
    EXPECT_EQ(c->saturation, 200);
}

TEST(TextFormat, HeaderRecordsAndTheirDefaults) {
    const std::string text = "PELK_TEX0071\r\nN\r\nU\r\n"
                             "2,9,9,9,9\r\nlost.png\r\n"  // before "1": wiped when the document is made
                             "1,1,1,3,5,66,999,2,4,,\r\n"
                             "2,1\r\npic.png\r\n"
                             "2,3,0,2000,400\r\nsub\\other.png\r\n"
                             "2,999,2,2,0\r\nout of range.png\r\n"
                             "3\r\nignored.wav\r\n"
                             "4,1,-2,300\r\n"
                             "8,unknown,record\r\nfree text is ignored too\r\n"
                             "9\r\n1,0\r\n1,0\r\n9";
    cProject doc;
    std::string error;
    ASSERT_EQ(readText(text, doc, &error), 1) << error;
    EXPECT_EQ(doc.text(kTextName), "N");
    EXPECT_EQ(doc.text(kTextUserData), "U");
    EXPECT_EQ(doc.getSetting(kKeySaveFormat), 1);
    EXPECT_EQ(doc.getSetting(kKeySplitFormat), 1);
    EXPECT_EQ(doc.getSetting(kKeyLock), 1);
    EXPECT_EQ(doc.getSetting(kKeyEditFormat), 3);
    EXPECT_EQ(doc.getSetting(kKeyBasicInterval), 5);
    EXPECT_EQ(doc.getSetting(kKeyTotalInterval), 66);
    EXPECT_EQ(doc.cellNumber(), 4);
    EXPECT_EQ(doc.pictures().capacity(), 255);  // missing picture count: the minimum capacity
    EXPECT_EQ(doc.frameCount(), 2);
    EXPECT_EQ(doc.lockTable(), (std::vector<uint8_t>{1, 2, 44, 0}));
    EXPECT_EQ(doc.picture(9), nullptr);
    ASSERT_NE(doc.picture(1), nullptr);
    EXPECT_EQ(*doc.picture(1), (strPicture{1, 1, 0, "pic.png"}));
    EXPECT_EQ(*doc.picture(3), (strPicture{1, 1024, 360, "sub\\other.png"}));
    EXPECT_EQ(doc.getSetting(kKeyPictureCount), 2);
}

TEST(TextFormat, EffectGroupBlocksInAnyOrderWithDefaults) {
    const std::string text = header(2, 1) +
                             "4,4\r\n7\r\nnote\r\n5\r\nsomething else\r\n6\r\nboom.wav\r\n"
                             "2,0,1\r\n"  // after the group: an ordinary cell line again
                             "4,0\r\n"    // no block: no effect
                             "1,0\r\n"
                             "4,2\r\n5,1,1,8\r\n5,0,2,3,1,2,3,4\r\n"  // the later block wins
                             "1,0\r\n9";
    cProject doc;
    std::string error;
    ASSERT_EQ(readText(text, doc, &error), 1) << error;
    ASSERT_EQ(doc.effectCount(), 2);
    strEffect first;
    first.flags = strEffect::kFlash | strEffect::kSound | strEffect::kUserData;
    first.userData = "note";
    first.soundPath = "boom.wav";
    first.flashFrames = 4;
    first.flashRed = first.flashGreen = first.flashBlue = 0;
    first.flashStrength = 0;
    EXPECT_EQ(*doc.effect(0), first);
    EXPECT_NE(doc.cell(0, 0), nullptr);
    const strEffect* second = doc.effect(1);
    EXPECT_EQ(second->startFrame, 1);
    EXPECT_EQ(second->flags, strEffect::kFlash);
    EXPECT_EQ(second->flashDrawing, 2);
    EXPECT_EQ(second->flashFrames, 3);
    EXPECT_EQ(second->flashBlue, 1);
    EXPECT_EQ(second->flashRed, 3);
    EXPECT_EQ(second->flashStrength, 4);
}

TEST(TextFormat, AnOverlongLineIsConsumedWhole) {
    // The tail after byte 1023 would delete the cell if it were read as the next record.
    const std::string longRecord = "8," + std::string(1021, ' ') + "3,0";
    const std::string longName(1500, 'n');
    const std::string text = "PELK_TEX0071\r\n" + longName + "\r\nuser\r\n1,0,0,0,1,0,0,1,1,0,0\r\n9\r\n" +
                             "2,0,1\r\n" + longRecord + "\r\n1,0\r\n9";
    cProject doc;
    std::string error;
    ASSERT_EQ(readText(text, doc, &error), 1) << error;
    EXPECT_EQ(doc.text(kTextName), std::string(255, 'n'));
    EXPECT_EQ(doc.text(kTextUserData), "user");
    EXPECT_NE(doc.cell(0, 0), nullptr);
}

TEST(TextFormat, LineEndsAndNulCutALine) {
    // A lone CR ends a line as well; a NUL cuts the rest of its line.
    static const char head[] = "PELK_TEX0071\rname\0junk\r\nuser\n1,0,0,0,1,0,0,1,1,0,0\r9\r\n";
    const std::string text = std::string(head, sizeof head - 1) + "1,7\r\n9";
    cProject doc;
    std::string error;
    ASSERT_EQ(readText(text, doc, &error), 1) << error;
    EXPECT_EQ(doc.text(kTextName), "name");
    EXPECT_EQ(doc.text(kTextUserData), "user");
    EXPECT_EQ(doc.frame(0)->interval, 7);
}

TEST(TextFormat, EveryMissingRequiredLineFailsAndKeepsWhatWasRead) {
    cProject doc;
    buildSmall(doc);
    const std::string text = writeText(doc);
    const auto lines = linesOf(text);
    for (size_t n = 0; n < lines.size(); ++n) {
        std::string cut;
        for (size_t i = 0; i < n; ++i) cut += lines[i] + "\r\n";
        cProject back;
        EXPECT_EQ(readText(cut, back), -1) << "first " << n << " lines";
    }
    // Cut after the second frame: the frames read so far stay in the document.
    std::string cut;
    for (size_t i = 0; i < lines.size(); ++i) {
        cut += lines[i] + "\r\n";
        if (lines[i] == "1,3") break;
    }
    cProject back;
    std::string error;
    EXPECT_EQ(readText(cut, back, &error), -1);
    EXPECT_NE(error.find("closing \"9\""), std::string::npos) << error;
    EXPECT_EQ(back.text(kTextName), "Slash");
    EXPECT_EQ(back.effectCount(), 2);
    EXPECT_EQ(*back.cell(1, 1), *doc.cell(1, 1));
    EXPECT_EQ(*back.cell(1, 2), *doc.cell(1, 2));
    EXPECT_EQ(back.frame(0)->interval, 0);
    EXPECT_EQ(back.frame(1)->interval, 3);
}

TEST(TextFormat, MissingLinesInsideRecordsFail) {
    auto fails = [](const std::string& text, const std::string& why) {
        cProject doc;
        std::string error;
        EXPECT_EQ(readText(text, doc, &error), -1) << text;
        EXPECT_NE(error.find(why), std::string::npos) << error;
    };
    fails("", "not a text project");
    fails("PELK_BIN0071\r\n", "not a text project");
    fails("PELK_TEX0071\r\n", "name line");
    fails("PELK_TEX0071\r\nname\r\n", "user-data line");
    fails(header(1, 1).substr(0, header(1, 1).size() - 3), "header");
    fails("PELK_TEX0071\r\nn\r\nu\r\n1,0,0,0,1,0,0,1,1,1,0\r\n2,0,1,1,0", "path line");
    fails("PELK_TEX0071\r\nn\r\nu\r\n9\r\n1,0\r\n9", "no \"1\" record");
    fails(header(1, 1) + "4,2\r\n5\r\n", "block line");
    fails(header(1, 1) + "4,1\r\n6,1,2,3", "sound path line");
    fails(header(1, 1) + "4,1\r\n7", "user-data line");
    fails(header(1, 1) + "1,0\r\n\r\n9", "empty line");
    fails(header(1, 1) + "1,0\r\n", "closing \"9\"");
}

TEST(TextFormat, FramesBeyondTheCapacityAreIgnoredAndTheFinalNineRemovesTheCopy) {
    std::string text = header(1, 1) + "2,0,1\r\n";
    for (int i = 0; i < 1005; ++i) text += "1,1\r\n";
    text += "2,0,2\r\n4,1\r\n7\r\nlate\r\n9";
    cProject doc;
    std::string error;
    ASSERT_EQ(readText(text, doc, &error), 1) << error;
    EXPECT_EQ(doc.frameCount(), 1000);
    EXPECT_EQ(doc.cell(999, 0)->pattern, 1);
    ASSERT_EQ(doc.effectCount(), 1);
    EXPECT_EQ(doc.effect(0)->startFrame, 1005);
}

TEST(TextFormat, LoadAndSaveThroughTheDevice) {
    testing_support::TempDir dir;
    cProject doc;
    buildSmall(doc);
    doc.setSetting(kKeySaveFormat, 1);
    cAnimeFile_Device dev;
    ASSERT_EQ(dev.save(dir.file("small.dat"), doc), 1);  // the save format decides, not the name
    EXPECT_EQ(cAnimeFile_Device::detectFormatFile(dir.file("small.dat")), 1);
    EXPECT_EQ(testing_support::ReadText(dir.file("small.dat")),
              testing_support::ReadText(testing_support::DataPath("text/small/expected.txt")));
    cProject back;
    ASSERT_EQ(dev.load(dir.file("small.dat"), back), 1) << dev.lastError();
    EXPECT_EQ(back.text(kTextFileName), "small.dat");
    back.setText(kTextFileName, doc.text(kTextFileName));
    EXPECT_EQ(CompareProjects(doc, back), "");

    testing_support::WriteText(dir.file("broken.txt"), header(1, 1));
    EXPECT_EQ(dev.load(dir.file("broken.txt"), back), -1);
    EXPECT_EQ(back.text(kTextFileName), "");
}
