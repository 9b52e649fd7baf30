#include "document_fixture.h"
#include "support/document_compare.h"
#include "support/test_support.h"

#include <filesystem>
#include <functional>

using namespace document_testing;
using testing_support::CompareProjects;

namespace {

void append(Bytes& b, std::initializer_list<int> v) {
    for (int x : v)
        b.push_back(static_cast<uint8_t>(x));
}

// A small project that touches every block of the format.
void buildSmall(cProject& doc) {
    MakeFrames(doc, 1, 2);
    doc.setText(kTextName, "ab");
    doc.setSetting(kKeySplitFormat, 1);
    doc.setSetting(kKeyBasicInterval, 3);
    doc.setSetting(kKeyTotalInterval, 7);
    strCell c(0, 2, 1, -1, 2, 100, -50, 900, 128, 10, 20, 30, 40);
    doc.setCell(0, 1, &c);
    doc.setPicture(0, strPicture{5, 4, 90, "p.png"});
    doc.addEffect(strEffect(0, strEffect::kSound, 0, 0, 0, 128, 128, 128, 255, 80, 120, 50, "s.wav", ""));
}

Bytes smallBytes() {
    Bytes b = ToBytes("PELK_BIN0071");
    b.insert(b.end(), 16, 0);
    append(b, {0x01, 3, 0, 7, 0, 0, 0, 3, 0, 0, 0, 1, 0, 1, 0, 1, 1, 2}); // flags .. cell number
    append(b, {2, 'a', 'b', 0, 0});                                       // name, user data, lock
    append(b, {5, 0, 4, 0, 90, 0, 0, 0, 0, 0, 0, 0, 5, 'p', '.', 'p', 'n', 'g'});
    append(b, {0, 5, 's', '.', 'w', 'a', 'v'});
    append(b, {0, 0, 1, 80, 0, 120, 0, 50, 0, 0});
    append(b, {0, 0,   1, 1,    0,    0,    2, 0,   1,  0,  0xFF, 0xFF, 2,
               0, 100, 0, 0xCE, 0xFF, 0x84, 3, 128, 10, 20, 30,   40,   0});
    return b;
}

Bytes save(const cProject& doc) {
    return Write(doc, anime::kFormatBinary);
}

void load(const Bytes& b, cProject& doc) {
    std::string error;
    ASSERT_EQ(Read(b, doc, anime::kFormatBinary, &error), 1) << error;
}

} // namespace

// Each format's small project is saved byte for byte (the save format decides, not the name) and
// loads back whole.
TEST(ProjectFile, SavesTheFixturesByteForByteAndLoadsThemBack) {
    testing_support::TempDir dir;
    const struct {
        int format;
        void (*build)(cProject&);
        Bytes bytes;
    } cases[] = {
        {anime::kFormatBinary, buildSmall, smallBytes()},
        {anime::kFormatText, BuildSmall,
         testing_support::ReadBytes(testing_support::DataPath("text/small/expected.txt"))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        cProject doc, back;
        c.build(doc);
        doc.setSetting(kKeySaveFormat, c.format);
        cAnimeFileDevice dev;
        ASSERT_EQ(dev.save(dir.file("small.dat"), doc), 1);
        EXPECT_EQ(doc.text(kTextFileName), "small.dat");
        EXPECT_EQ(cAnimeFileDevice::detectFormatFile(dir.file("small.dat")), c.format);
        EXPECT_EQ(testing_support::ReadBytes(dir.file("small.dat")), c.bytes);
        ASSERT_EQ(dev.load(dir.file("small.dat"), back), 1) << dev.lastError();
        EXPECT_EQ(CompareProjects(doc, back), "");
    }
    // A load that fails leaves no file name; an unknown format is told apart.
    cProject back;
    cAnimeFileDevice dev;
    testing_support::WriteText(dir.file("broken.txt"), "PELK_TEX0071\r\nname\r\n");
    testing_support::WriteText(dir.file("junk.dat"), "this is not a project file");
    EXPECT_EQ(dev.load(dir.file("broken.txt"), back), -1);
    EXPECT_EQ(back.text(kTextFileName), "");
    EXPECT_EQ(dev.load(dir.file("missing.dat"), back), -1);
    EXPECT_EQ(dev.load(dir.file("junk.dat"), back), -2);
    EXPECT_EQ(dev.save(dir.file("b.dat"), back, 7), -2);
}

TEST(BinaryFormat, SoundPathsAreSharedInOrderOfFirstUse) {
    cProject doc;
    MakeFrames(doc, 1, 1);
    for (const char* path : {"a.wav", "b.wav", "a.wav"})
        doc.addEffect(strEffect{.flags = strEffect::kSound, .soundPath = path});
    const Bytes b = save(doc);
    EXPECT_EQ(b[44], 2); // S
    // After header (46), name, user data, lock length: the table.
    EXPECT_EQ(Bytes(b.begin() + 49, b.begin() + 63), ToBytes(std::string("\0\5a.wav\1\5b.wav", 14)));
}

TEST(BinaryFormat, LockTableIsWrittenOnlyWhenTheLockIsOn) {
    cProject doc, back;
    doc.create(1, 3, 0, 0);
    for (int c = 0; c < 3; ++c)
        doc.setLockedPicture(c, static_cast<uint8_t>(4 + c));
    Bytes off = save(doc);
    EXPECT_EQ(off[46 + 2], 0);
    load(off, back);
    EXPECT_EQ(back.lockTable(), (std::vector<uint8_t>{0, 0, 0}));

    doc.setSetting(kKeyLock, 1);
    Bytes on = save(doc);
    EXPECT_EQ(on[28], 4);
    EXPECT_EQ(Bytes(on.begin() + 48, on.begin() + 52), (Bytes{3, 4, 5, 6}));
    load(on, back);
    EXPECT_EQ(back.lockTable(), (std::vector<uint8_t>{4, 5, 6}));

    // A longer stored table is cut to the cell number and the rest skipped in step.
    Bytes longer(on.begin(), on.begin() + 48);
    append(longer, {5, 4, 5, 6, 7, 8});
    longer.insert(longer.end(), on.begin() + 52, on.end());
    load(longer, back);
    EXPECT_EQ(back.lockTable(), (std::vector<uint8_t>{4, 5, 6}));
}

TEST(BinaryFormat, EffectBlockFlagsAreTranslated) {
    cProject doc;
    doc.create(1, 1, 0, 0);
    const strEffect flash(4, strEffect::kFlash | strEffect::kUserData, 300, 1, 1, 1, 2, 3, 9, 100, 100, 100,
                          "", "u");
    doc.addEffect(flash);
    const Bytes b = save(doc);
    ASSERT_GE(b.size(), 62u);
    EXPECT_EQ(Bytes(b.begin() + 49, b.begin() + 62), (Bytes{4, 0, 6, 0x2C, 1, 1, 1, 3, 2, 1, 9, 1, 'u'}));
}

TEST(BinaryFormat, EffectsWithoutBlocksAreDroppedAndTheRestResorted) {
    Bytes b = ToBytes("PELK_BIN0071");
    b.insert(b.end(), 16, 0);
    append(b, {0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0, 1, 0, 0, 0});
    append(b, {9, 0, 4, 0});                      // start 9, user data only
    append(b, {5, 0, 0});                         // no block at all: dropped
    append(b, {2, 0, 2, 1, 0, 0, 0, 0, 0, 0, 0}); // start 2, flash
    cProject doc;
    load(b, doc);
    ASSERT_EQ(doc.effectCount(), 2);
    EXPECT_EQ(doc.effect(0)->startFrame, 2);
    EXPECT_EQ(doc.effect(1)->startFrame, 9);
    EXPECT_EQ(doc.effect(1)->flags, strEffect::kUserData);
}

// Cells are stored through the document, as every edit stores them; a cell number outside the row
// is skipped.
TEST(BinaryFormat, CellsAreConstrainedByTheEditFormatOnLoad) {
    Bytes b = smallBytes();
    b[28] = static_cast<uint8_t>(4 << 3); // edit format 4: no angles
    const size_t cell = b.size() - 23;
    b[cell + 1 + 7] = 0x30; // x = 0x30FF
    cProject back;
    load(b, back);
    EXPECT_EQ(*back.cell(0, 1), (strCell{0, 2, 1, 1024, 2, 100, -50, 0, 128, 10, 20, 30, 40}));
    b[cell] = 7;
    load(b, back);
    EXPECT_EQ(back.frame(0)->cells.occupied(), 0);
}

TEST(ProjectFile, EveryTruncationOfTheFixturesFails) {
    const std::pair<int, Bytes> files[] = {
        {anime::kFormatBinary, smallBytes()},
        {anime::kFormatText,
         testing_support::ReadBytes(testing_support::DataPath("text/small/expected.txt"))},
    };
    for (const auto& [format, bytes] : files)
        for (size_t n = 0; n < bytes.size(); ++n) {
            cProject back;
            EXPECT_EQ(Read(Bytes(bytes.begin(), bytes.begin() + n), back, format), -1) << format << " " << n;
        }
}

TEST(BinaryFormat, RefusesWhatTheOneByteCountsCannotHold) {
    // Refused before anything is written: the old file stays.
    testing_support::TempDir dir;
    testing_support::WriteText(dir.file("old.dat"), "old contents");
    cProject doc;
    doc.create(1, 1, 300, 0);
    doc.setPicture(299, strPicture{});
    cAnimeFileDevice dev;
    EXPECT_EQ(dev.save(dir.file("old.dat"), doc, 0), -1);
    EXPECT_NE(dev.lastError().find("255 pictures"), std::string::npos);
    EXPECT_EQ(testing_support::ReadText(dir.file("old.dat")), "old contents");

    cProject sounds;
    sounds.create(1, 1, 0, 0);
    for (int i = 0; i < 256; ++i)
        sounds.addEffect(strEffect{.flags = strEffect::kSound, .soundPath = "s" + std::to_string(i)});
    Bytes out;
    EXPECT_EQ(dev.writeBinary(sounds, out), -1);
    sounds.removeEffect(255);
    EXPECT_EQ(dev.writeBinary(sounds, out), 1);
}

TEST(FormatDetection, RecognisesMagicsNotExtensions) {
    auto detect = [](const std::string& s, int* v = nullptr) {
        return cAnimeFileDevice::detectFormat(Bytes(s.begin(), s.end()), v);
    };
    int version = -1;
    EXPECT_EQ(detect(std::string("PELK_BIN0071\0\0\0\0", 16), &version), 0);
    EXPECT_EQ(version, 71);
    EXPECT_EQ(detect("PELK_TEX0071\r\n..", &version), 1);
    EXPECT_EQ(detect("nani and more text"), 3);
    EXPECT_EQ(detect("PELK_BIN0071"), -1); // fewer than 16 bytes
    EXPECT_EQ(detect("nani"), -1);
    EXPECT_EQ(detect("something else.."), -1);
}

TEST(ProjectFile, BothFormatsKeepTheCentrePosition) {
    // Binary: the first u32 after the version; text: an eleventh field of the "1," record. Files
    // written without it (zero, or ten fields) read as 0.
    cProject doc;
    buildSmall(doc);
    doc.setSetting(kKeyCentrePosition, 5);
    Bytes expected = smallBytes();
    expected[12] = 5;
    EXPECT_EQ(save(doc), expected);
    const Bytes text = Write(doc, anime::kFormatText);
    EXPECT_NE(std::string(text.begin(), text.end()).find("\r\n1,1,0,0,3,7,3,1,2,1,1,5\r\n"),
              std::string::npos);
    cProject old;
    load(smallBytes(), old);
    EXPECT_EQ(old.getSetting(kKeyCentrePosition), 0);
}

TEST(ProjectFile, SavesReportWhatTheyCouldNotKeep) {
    using namespace std::string_literals;
    using M = std::vector<strMessage>;
    const strEffect late{.startFrame = 9, .flags = strEffect::kFlash};
    const struct {
        std::string name, userData;
        size_t pathLength; // of picture 0
        int lateEffects;   // past the last frame
        M text, binary;    // the messages of each format
    } cases[] = {
        {"ab", "", 5, 0, {}, {}},
        {"two\nlines", "", 5, 0, {strMessage(kMsgSaveCutText)}, {}},
        {"ab", "a\0b"s, 300, 0, {strMessage(kMsgSaveCutTexts, 2)}, {strMessage(kMsgSaveCutTexts, 2)}},
        {"ab", "", 5, 1, {strMessage(kMsgSaveLostEffect, 1)}, {}},
        {"ab", "", 5, 2, {strMessage(kMsgSaveLostEffects, 2, 1)}, {}},
    };
    testing_support::TempDir dir;
    for (const auto& c : cases) {
        cProject doc;
        buildSmall(doc);
        doc.setText(kTextName, c.name);
        doc.setText(kTextUserData, c.userData);
        strPicture long_path = *doc.picture(0);
        long_path.path = std::string(c.pathLength, 'p');
        doc.setPicture(0, long_path);
        for (int k = 0; k < c.lateEffects; ++k)
            doc.addEffect(late);
        cAnimeFileDevice dev;
        ASSERT_EQ(dev.save(dir.file("out"), doc, 1), 1);
        EXPECT_EQ(dev.lossMessages(), c.text) << (&c - cases);
        ASSERT_EQ(dev.save(dir.file("out"), doc, 0), 1);
        EXPECT_EQ(dev.lossMessages(), c.binary) << (&c - cases);
    }
}

TEST(ProjectFile, SavingClearsTheModifiedFlagOnlyOnSuccess) {
    // A folder as the target: the rename cannot replace it, and no temporary file is left behind.
    testing_support::TempDir dir;
    std::filesystem::create_directory(dir.file("folder.dat"));
    for (const std::string& name : {std::string("a.dat"), std::string("folder.dat")}) {
        const bool ok = name == "a.dat";
        for (int format : {0, 1}) {
            cProject doc;
            buildSmall(doc);
            doc.history().forgetClean(); // as after a change
            ASSERT_TRUE(doc.modified());
            cAnimeFileDevice dev;
            EXPECT_EQ(dev.save(dir.file(name), doc, format), ok ? 1 : -1);
            EXPECT_EQ(doc.modified(), !ok) << name << " " << format;
            EXPECT_EQ(doc.untitled(), !ok) << name << " " << format;
        }
    }
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("folder.dat")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

TEST(ProjectFile, SavingThroughASymbolicLinkUpdatesTheFileItNames) {
    namespace fs = std::filesystem;
    testing_support::TempDir dir;
    fs::create_directory(dir.file("real"));
    testing_support::WriteText(dir.file("real/target.dat"), "old");
    fs::create_symlink("real/target.dat", dir.file("link.dat"));     // relative
    fs::create_symlink(dir.file("link.dat"), dir.file("chain.dat")); // a link to a link
    fs::create_symlink("real/new.dat", dir.file("dangling.dat"));    // names a file not yet there
    cProject doc;
    buildSmall(doc);
    cAnimeFileDevice dev;
    for (const char* link : {"link.dat", "chain.dat", "dangling.dat"}) {
        SCOPED_TRACE(link);
        ASSERT_EQ(dev.save(dir.file(link), doc, 0), 1) << dev.lastError();
        EXPECT_TRUE(fs::is_symlink(dir.file(link)));
    }
    EXPECT_EQ(testing_support::ReadBytes(dir.file("real/target.dat")), smallBytes());
    EXPECT_EQ(testing_support::ReadBytes(dir.file("real/new.dat")), smallBytes());
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 4); // no temporary file left
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.file("real")), {}), 2);
    // A loop of links cannot be saved through.
    fs::create_symlink("loop-b", dir.file("loop-a"));
    fs::create_symlink("loop-a", dir.file("loop-b"));
    EXPECT_EQ(dev.save(dir.file("loop-a"), doc, 0), -1);
    EXPECT_TRUE(fs::is_symlink(dir.file("loop-a")));
}
