// The workspace: the file lifecycle the editor and the command-line tool share.

#include "interchange/messages.h"
#include "support/message_texts.h"
#include "workspace/workspace.h"

#include "config/config.h"
#include "document/anime_file_device.h"
#include "document/limits.h"
#include "document/project.h"
#include "export/png_writer.h"
#include "image/bmp.h"
#include "image/picture_slot_table.h"
#include "interchange/clipboard_formats.h"
#include "platform/clipboard.h"
#include "platform/code_page.h"
#include "platform/profile_file.h"
#include "support/document_builder.h"
#include "support/test_support.h"
#include "workspace_fixture.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <filesystem>

using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

namespace {

using strFixture = strWorkspaceFixture;

// A one-colour 32-bit picture of w x h pixels written as PNG.
void WritePicture(const std::string& path, int w, int h, uint32_t argb = 0xFF336699) {
    auto dib = cDib::create(w, h, 32);
    ASSERT_NE(dib, nullptr);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            std::memcpy(dib->row(y) + 4 * x, &argb, 4);
    strMessage why;
    ASSERT_TRUE(WritePngFile(path, *dib, true, &why)) << why;
}

// The MV payload of one frame with one cell, picture 0 titled `title`.
std::vector<uint8_t> MvPayload(const std::string& title) {
    const std::string json = R"([{"animation1Hue":0,"animation1Name":")" + title +
                             R"(","animation2Hue":0,"animation2Name":"","frames":[[[0,0,0,100,0,0,255,0]]],)"
                             R"("id":1,"name":"A","position":1,"timings":[]}])";
    return std::vector<uint8_t>(json.begin(), json.end());
}

std::unique_ptr<cProject> Import(const cWorkspace& w, const std::vector<uint8_t>& payload, strWorkResult& r) {
    platform::cMemoryClipboard clip;
    const uint32_t format = interchange::ProductFormat(clip, interchange::kProductMV);
    EXPECT_TRUE(clip.write(format, payload));
    return w.importClipboard(clip, interchange::kProductMV, r);
}

// A file opened and an animation imported get their base folders by one rule: the disk folder in
// the project code page. A working folder with Japanese characters shows the difference between a
// UTF-8 path and the "jpn" (CP932) form the document stores.
TEST(Workspace, OpenAndImportStoreFoldersInTheProjectCodePage) {
    strFixture f("\xE4\xBD\x9C\xE6\xA5\xAD"); // 作業
    f.config.Locale = "jpn";
    cWorkspace w(f.config);
    const std::string working = w.prepareWorkingFolder([](const std::string&) { return true; });
    EXPECT_TRUE(std::filesystem::is_directory(working));
    const std::string cp932 = "\x8D\xEC\x8B\xC6";
    EXPECT_EQ(w.storedFolder(working), platform::FromUtf8(f.dir.path(), "jpn") + "/" + cp932);

    strWorkResult r;
    auto imported = Import(w, MvPayload("Fire1"), r);
    ASSERT_NE(imported, nullptr) << FormatMessage(r.reason);
    EXPECT_EQ(imported->text(kTextBaseFolder), w.storedFolder(working));
    EXPECT_TRUE(imported->untitled());
    EXPECT_FALSE(imported->modified());

    const std::string file = working + "/a.dat";
    ASSERT_TRUE(w.save(*imported, file).ok);
    auto opened = w.open(file, r);
    ASSERT_NE(opened, nullptr) << FormatMessage(r.reason);
    EXPECT_EQ(opened->text(kTextBaseFolder), imported->text(kTextBaseFolder));
    EXPECT_FALSE(opened->untitled());
    EXPECT_EQ(opened->text(kTextFileName), "a.dat");
}

TEST(Workspace, WorkingFolderFallsBackToTheSettingsFolder) {
    for (const bool create : {false, true}) {
        strFixture f("Data");
        cWorkspace w(f.config);
        std::string asked;
        const std::string folder = w.prepareWorkingFolder([&](const std::string& p) {
            asked = p;
            return create;
        });
        EXPECT_EQ(asked, f.dir.file("Data"));
        EXPECT_EQ(folder, create ? f.dir.file("Data") : f.dir.path());
        EXPECT_EQ(w.workingFolder(), folder);
    }
}

// What is not a regular file is refused with its reason (what a file's bytes are refused for is in
// reasons_test.cpp); a FIFO no writer opens is refused at once instead of blocking.
TEST(Workspace, OpenRefusesWhatIsNotAProject) {
    strFixture f;
    cWorkspace w(f.config);
    const std::string fifo = f.dir.file("pipe.dat");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::pair<std::string, strMessage> cases[] = {
        {fifo, strMessage(kWhyNotRegularFile, fifo)},
        {"/dev/zero", strMessage(kWhyNotRegularFile, "/dev/zero")},
        {f.dir.path(), strMessage(kWhyNotRegularFile, f.dir.path())},
    };
    for (const auto& [path, why] : cases) {
        strWorkResult r;
        EXPECT_EQ(w.open(path, r), nullptr) << path;
        EXPECT_EQ(FormatMessage(r.reason), FormatMessage(why));
    }
}

// A project above the limits is refused and never rewritten: nothing that could save it is handed
// back, and the file stays byte for byte.
TEST(Workspace, AProjectAboveTheLimitsIsRefusedAndLeftAsItIs) {
    strFixture f;
    cWorkspace w(f.config);
    std::string text = "PELK_TEX0071\r\nn\r\nu\r\n1,0,0,0,1,0,0,1500,16,0,0\r\n9\r\n";
    for (int i = 0; i < 1500; ++i)
        text += "2,0,0,1," + std::to_string(i % 100) + "\r\n1,0\r\n";
    testing_support::WriteText(f.dir.file("long.txt"), text + "9");
    const auto before = ReadBytes(f.dir.file("long.txt"));
    strWorkResult r;
    EXPECT_EQ(w.open(f.dir.file("long.txt"), r), nullptr);
    EXPECT_EQ(FormatMessage(r.reason), "the project has 1500 frames; a project holds at most 1000");
    EXPECT_EQ(ReadBytes(f.dir.file("long.txt")), before);
}

// Garbage settings cannot make a save fail: an out-of-range save format is held to the formats there are.
TEST(Workspace, NewDocumentsFromGarbageSettingsCanBeSaved) {
    strFixture f;
    ASSERT_TRUE(f.config.readFrom(platform::cProfileFile("[CONFIG]\nInit_Format=7\nInit_Cell=0\n")));
    cWorkspace w(f.config);
    auto doc = w.newDocument();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->text(kTextFileName), "newfile.txt");
    EXPECT_EQ(doc->frameCount(), 1);
    const strWorkResult r = w.save(*doc, f.dir.file("new.txt"));
    EXPECT_TRUE(r.ok) << FormatMessage(r.reason);
    EXPECT_EQ(anime::cAnimeFileDevice::detectFormatFile(f.dir.file("new.txt")), anime::kFormatText);
    EXPECT_FALSE(doc->modified());
}

TEST(Workspace, SaveAndBackup) {
    strFixture f;
    cWorkspace w(f.config);
    w.prepareWorkingFolder([](const std::string&) { return true; });
    auto doc = w.newDocument();
    // A save killed earlier left its temporary file: the next save of the same target removes it.
    WriteBytes(f.dir.file("p.dat.tmp-Ab12Cd"), std::vector<uint8_t>(64, 1));
    doc->setText(kTextName, std::string(300, 'n'));
    strWorkResult r = w.save(*doc, f.dir.file("p.dat"), anime::kFormatBinary);
    ASSERT_TRUE(r.ok) << FormatMessage(r.reason);
    EXPECT_FALSE(std::filesystem::exists(f.dir.file("p.dat.tmp-Ab12Cd")));
    ASSERT_EQ(r.losses.size(), 1u); // the name is cut to 255 bytes, and the save says so
    EXPECT_EQ(r.losses[0].id, kMsgSaveCutText);

    EXPECT_TRUE(w.backup(f.dir.file("p.dat")).ok);
    EXPECT_EQ(ReadBytes(f.dir.file("Data/backup.dat")), ReadBytes(f.dir.file("p.dat")));
    r = w.backup(f.dir.file("none.dat"));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(FormatMessage(r.reason), f.dir.file("none.dat") + " does not exist");
}

// An imported title resolves with this system's separator against the image folder under the
// working folder; the file found is stored with its extension, and the picture loads.
TEST(Workspace, ImportedTitlesResolveAndLoad) {
    strFixture f;
    cWorkspace w(f.config);
    w.prepareWorkingFolder([](const std::string&) { return true; });
    std::filesystem::create_directories(f.dir.file("Data/BattleEffect"));
    WritePicture(f.dir.file("Data/BattleEffect/sheet5.png"), 192, 192); // one MV pattern
    strWorkResult r;
    auto doc = Import(w, MvPayload("sheet5"), r);
    ASSERT_NE(doc, nullptr) << FormatMessage(r.reason);
    EXPECT_EQ(std::pair(r.statusMessage, r.statusLabel),
              std::pair(int(interchange::kMsgImportSucceeded), int(interchange::kLabelMV)));
    EXPECT_EQ(r.statusText(),
              interchange::FormatMessage(r.statusMessage, interchange::MessageText(r.statusLabel)));
    EXPECT_EQ(doc->picture(0)->path, "BattleEffect/sheet5.png");
    cPictureSlotTable slots;
    const strWorkResult first = w.loadPictures(*doc, slots);
    EXPECT_TRUE(first.ok) << (first.losses.empty() ? std::string() : FormatMessage(first.losses[0]));
    ASSERT_NE(slots.find(0), nullptr);
    EXPECT_TRUE(slots.find(0)->isValid());

    // Not there: folder and title, no extension; stored Windows paths and bare titles still load
    // by probing the known extensions.
    doc = Import(w, MvPayload("sheet6"), r);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->picture(0)->path, "BattleEffect/sheet6");
    for (const char* stored : {"BattleEffect\\sheet5", "BattleEffect\\sheet5.png", "BattleEffect/sheet5"}) {
        doc->setPicture(0, strPicture{192, 192, 0, stored});
        const strWorkResult loaded = w.loadPictures(*doc, slots);
        EXPECT_TRUE(loaded.ok) << stored << (loaded.losses.empty() ? "" : FormatMessage(loaded.losses[0]));
    }
    doc->setPicture(0, strPicture{1, 1, 0, "BattleEffect/sheet6"});
    const strWorkResult missing = w.loadPictures(*doc, slots);
    ASSERT_EQ(missing.losses.size(), 1u);
    EXPECT_EQ(FormatMessage(missing.losses[0]),
              "Picture 0 (" + f.dir.file("Data/BattleEffect/sheet6") + ") could not be loaded: " +
                  f.dir.file("Data/BattleEffect/sheet6") + " does not exist; its cells are left out");

    // A payload that is not an animation leaves no document and says why.
    platform::cMemoryClipboard clip;
    EXPECT_EQ(w.importClipboard(clip, interchange::kProductMV, r), nullptr);
    EXPECT_EQ(std::pair(r.statusMessage, r.statusLabel),
              std::pair(int(interchange::kMsgImportFailed), int(interchange::kLabelMV)));
    EXPECT_EQ(r.reason, strMessage(kWhyNoMvOnClipboard));
}

// Every export says what the product could not carry; the payload still holds what fits.
TEST(Workspace, ExportsListWhatTheProductCouldNotCarry) {
    strFixture f;
    cWorkspace w(f.config);
    cProject doc(&f.config);
    testing_support::MakeFrames(doc, 250, 20);
    doc.setPicture(0, strPicture{5, 5, 0, "a.png"});
    doc.setPicture(1, strPicture{5, 5, 0, "b.png"});
    doc.setPicture(2, strPicture{5, 5, 0, "c.png"});
    strCell toned{.red = 50};
    strCell turned{.picture = 2, .pattern = 150, .blend = 2, .mx = -50, .my = 100, .angle = 450};
    for (int c = 0; c < 20; ++c)
        doc.setCell(0, c, c == 0 ? &toned : &turned);
    doc.addEffect(
        strEffect{.flags = strEffect::kUserData | strEffect::kSound, .balance = 60, .userData = "x"});

    using namespace interchange;
    const std::pair<int, std::vector<std::string>> cases[] = {
        {kProduct2000,
         {"12 cells past the limit of 8 per frame left out", "2 pictures left out: the product holds only 1",
          "7 cells are drawn with another picture: the product cannot name theirs",
          "7 cells lose their angle: the product cannot turn cells", "7 cells lose their mirroring",
          "7 cells have different x and y magnifications: the product keeps one zoom (the larger)",
          "7 cells' drawing methods are not in the product and became normal",
          "1 effect loses its user data"}},
        {kProductVXAce,
         {"50 frames past the limit of 200 left out", "1 picture left out: the product holds only 2",
          "19 cells are drawn with another picture: the product cannot name theirs",
          "19 cells' patterns were held to the range 1..100", "1 cell loses its colour tone and saturation",
          "19 cells have different x and y magnifications: the product keeps one zoom (the larger)",
          "1 effect loses its user data", "1 sound loses its balance: the product plays sounds centred"}},
        {kProductMV,
         {"4 cells past the limit of 16 per frame left out", "1 picture left out: the product holds only 2",
          "15 cells are drawn with another picture: the product cannot name theirs",
          "15 cells' patterns were held to the range 1..100", "1 cell loses its colour tone and saturation",
          "15 cells have different x and y magnifications: the product keeps one zoom (the larger)",
          "15 cells' drawing methods are not in the product and became normal",
          "1 effect loses its user data"}},
    };
    for (const auto& [product, expected] : cases) {
        platform::cMemoryClipboard clip;
        const strWorkResult r = w.exportClipboard(doc, clip, product);
        ASSERT_TRUE(r.ok) << product << FormatMessage(r.reason);
        std::vector<std::string> said;
        for (const strMessage& m : r.losses)
            said.push_back(FormatMessage(m));
        EXPECT_EQ(said, expected) << product;
        std::vector<uint8_t> payload;
        EXPECT_TRUE(clip.read(ProductFormat(clip, product), payload));
        EXPECT_FALSE(payload.empty());
    }
}

// Slots naming the same file share one decoded picture (and one texture when hue and transparency
// agree); the pictures of a project have one memory budget, and a picture past it is refused with a
// reason that names it.
TEST(Workspace, PicturesShareDecodingAndKeepToOneBudget) {
    strFixture f;
    cWorkspace w(f.config);
    WritePicture(f.dir.file("big.png"), 512, 256); // 512 KiB as a 32-bit picture
    cProject doc(&f.config);
    doc.setText(kTextBaseFolder, f.dir.path());
    for (int i = 0; i < 6; ++i)
        doc.setPicture(i, strPicture{1, 1, 0, "big.png"});
    cPictureSlotTable slots;
    slots.setMemoryBudget(uint64_t(3) << 20);
    EXPECT_TRUE(w.loadPictures(doc, slots).ok);
    EXPECT_EQ(slots.memoryInUse(), uint64_t(1) << 20); // one picture, one texture
    EXPECT_EQ(slots.find(0)->picture(), slots.find(5)->picture());

    // Other hues need textures of their own: four more fit, the sixth does not.
    for (int i = 0; i < 6; ++i)
        doc.setPicture(i, strPicture{1, 1, uint16_t(i * 30), "big.png"});
    cPictureSlotTable hued;
    hued.setMemoryBudget(uint64_t(3) << 20);
    const strWorkResult r = w.loadPictures(doc, hued);
    EXPECT_EQ(hued.memoryInUse(), uint64_t(3) << 20);
    ASSERT_EQ(r.losses.size(), 1u);
    EXPECT_EQ(
        FormatMessage(r.losses[0]),
        "Picture 5 (" + f.dir.file("big.png") +
            ") could not be loaded: picture 5 would bring the pictures to 4 MiB; a project's pictures may "
            "take at most 3 MiB in all; its cells are left out");
    EXPECT_TRUE(hued.refusedByBudget(5));
    EXPECT_FALSE(hued.refusedByBudget(4));
    EXPECT_EQ(w.missingPictures(doc, hued).size(), 1u);

    // A picture whose header alone passes the budget is refused before it is decoded.
    WritePicture(f.dir.file("wide.png"), 1024, 1024); // 4 MiB as 32 bits
    doc.setPicture(6, strPicture{1, 1, 0, "wide.png"});
    EXPECT_FALSE(hued.updatePicture(doc, 6, doc.picture(6), nullptr, true, true));
    EXPECT_EQ(hued.lastLoad().failure, kLoadTooLarge);
    EXPECT_EQ(hued.failureText(6),
              "picture 6 would bring the pictures to 11 MiB; a project's pictures may take at "
              "most 3 MiB in all");
}

} // namespace
