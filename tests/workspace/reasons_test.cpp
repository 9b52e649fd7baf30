// Why a file or a payload was refused, where files a document names are stored and looked for, and
// what a save into another folder does to them.

#include "support/message_texts.h"
#include "workspace/workspace.h"

#include "config/config.h"
#include "document/anime_file_device.h"
#include "document/file_reason.h"
#include "document/project.h"
#include "export/png_writer.h"
#include "image/bmp.h"
#include "image/picture_slot_table.h"
#include "interchange/clipboard_formats.h"
#include "platform/clipboard.h"
#include "platform/file_io.h"
#include "support/test_support.h"
#include "tools/effect_edit.h"
#include "workspace_fixture.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <unistd.h>

using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

namespace {

using strFixture = strWorkspaceFixture;

void WritePicture(const std::string& path) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    auto dib = cDib::create(4, 4, 32);
    ASSERT_NE(dib, nullptr);
    for (int y = 0; y < 4; ++y)
        std::memset(dib->row(y), 0x7F, 16);
    strMessage why;
    ASSERT_TRUE(WritePngFile(path, *dib, true, &why)) << why;
}

// A saved binary project with pictures, sounds, effects and frames, so that every part of the file
// can be cut.
std::vector<uint8_t> FullProject(cWorkspace& w) {
    auto doc = w.newDocument();
    doc->setPicture(0, strPicture{5, 5, 0, "a.png"});
    doc->setPicture(1, strPicture{5, 5, 0, "b.png"});
    strEffect e;
    e.startFrame = 0;
    e.flags = strEffect::kSound;
    e.soundPath = "hit.wav";
    doc->addEffect(e);
    for (int f = 0; f < 3; ++f) {
        doc->frameOrCreate(f);
        strCell c;
        c.picture = 0;
        c.pattern = 1;
        doc->setCell(f, 0, &c);
    }
    std::vector<uint8_t> out;
    anime::cAnimeFileDevice device;
    EXPECT_EQ(device.writeBinary(*doc, out), 1);
    return out;
}

std::string Text(const strMessage& m) {
    return FormatMessage(m);
}

} // namespace

// A damaged, truncated or foreign file says what it is and where it stops, as a message of the
// reason table (so that the editor can show it in the user's language).
TEST(Reasons, FilesThatCannotBeOpenedSayWhy) {
    strFixture f;
    cWorkspace w(f.config);
    const std::vector<uint8_t> whole = FullProject(w);
    ASSERT_GT(whole.size(), 80u);

    // Cut at every length: each cut is refused with the part it ends in, never loaded.
    int inHeader = 0, inPicture = 0, inEffect = 0, inFrame = 0;
    for (size_t n = 46; n < whole.size(); ++n) {
        WriteBytes(f.dir.file("cut.dat"), std::vector<uint8_t>(whole.begin(), whole.begin() + long(n)));
        strWorkResult r;
        ASSERT_EQ(w.open(f.dir.file("cut.dat"), r), nullptr) << n;
        ASSERT_EQ(r.reason.id, kWhyBinaryEndsEarly) << n << ": " << Text(r.reason);
        const auto* part = std::get_if<strNestedMessage>(&r.reason.args.at(0));
        ASSERT_TRUE(part && part->message) << n;
        switch (part->message->id) {
        case kPartHeader:
        case kPartLockTable:
            ++inHeader;
            break;
        case kPartPicture:
            ++inPicture;
            break;
        case kPartEffect:
        case kPartSound:
            ++inEffect;
            break;
        case kPartFrame:
            ++inFrame;
            break;
        default:
            ADD_FAILURE() << Text(r.reason);
        }
    }
    EXPECT_GT(inHeader, 0);
    EXPECT_GT(inPicture, 0);
    EXPECT_GT(inEffect, 0);
    EXPECT_GT(inFrame, 0);

    // The last frame's cell cut: "the file ends early in frame 2".
    WriteBytes(f.dir.file("cut.dat"), std::vector<uint8_t>(whole.begin(), whole.end() - 1));
    strWorkResult r;
    EXPECT_EQ(w.open(f.dir.file("cut.dat"), r), nullptr);
    EXPECT_EQ(r.reason, strMessage(kWhyBinaryEndsEarly, strMessage(kPartFrame, 2)));
    EXPECT_EQ(Text(r.reason), "the file ends early in frame 2 (truncated or damaged)");

    // Other kinds: foreign bytes, a damaged header, a text project without its lines, a missing file.
    WriteBytes(f.dir.file("png.dat"),
               {0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 13, 'I', 'H', 'D', 'R', 0});
    WriteBytes(f.dir.file("head.dat"),
               {'P', 'E', 'L', 'K', '_', 'B', 'I', 'N', '0', '0', '7', '1', 0, 0, 0, 0});
    testing_support::WriteText(f.dir.file("short.txt"), "PELK_TEX0071\r\nname\r\n");
    const std::pair<std::string, strMessage> cases[] = {
        {"png.dat", strMessage(kWhyUnknownFormat)},
        {"head.dat", strMessage(kWhyBinaryHeader)},
        {"short.txt", strMessage(kWhyTextMissingLine, 3, strMessage(kPartUserDataLine))},
        {"gone.dat", strMessage(kWhyFileMissing, f.dir.file("gone.dat"))},
    };
    for (const auto& [name, why] : cases) {
        EXPECT_EQ(w.open(f.dir.file(name), r), nullptr) << name;
        EXPECT_EQ(r.reason, why) << name << ": " << Text(r.reason);
    }
    EXPECT_EQ(Text(strMessage(kWhyTextMissingLine, 3, strMessage(kPartUserDataLine))),
              "line 3: the user-data line missing (the file ends early)");
}

// A save that cannot write says why, and the message names the file.
TEST(Reasons, FailedSavesSayWhy) {
    strFixture f;
    cWorkspace w(f.config);
    auto doc = w.newDocument(w.storedFolder(f.dir.path()));
    const strWorkResult r = w.save(*doc, f.dir.file("none/x.dat"), -1, true);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.reason.id, kWhyCannotMakeTemporary) << Text(r.reason);
    EXPECT_NE(Text(r.reason).find(f.dir.file("none/x.dat")), std::string::npos) << Text(r.reason);
    // The failed save changed nothing: the base folder is the one it had, nothing to undo.
    EXPECT_EQ(doc->text(kTextBaseFolder), w.storedFolder(f.dir.path()));
    EXPECT_FALSE(doc->history().canUndo());
}

// Every product's import refuses a bad payload with a reason, the 2000 one included, and says where
// the payload stops being an animation.
TEST(Reasons, ClipboardImportsOfEveryProductSayWhy) {
    strFixture f;
    cWorkspace w(f.config);
    struct strCase {
        const char* format; // nullptr: the 2000 format
        int product;
        std::vector<uint8_t> payload;
        eMessageId why;
        eMessageId detail; // kMsgNone: any
    };
    const std::string json = R"([{"name":"A","frames":[[[0,0,0,100,0,0,255,0]], 7],"timings":[]}])";
    const strCase cases[] = {
        {nullptr, interchange::kProduct2000, {1, 2, 3}, kWhyNot2000, kLcfShortBlock},
        {nullptr,
         interchange::kProduct2000,
         {8, 0, 0, 0, 1, 0, 0, 0, 1, 5, 'a'},
         kWhyNot2000,
         kLcfChunkPastEnd},
        {"RPGVX ANIMATION",
         interchange::kProductVX,
         {10, 0, 0, 0, 4, 8, '[', 6, 'i'},
         kWhyNotMarshal,
         kMsgNone},
        {"RPGVX ANIMATION",
         interchange::kProductVX,
         {10, 0, 0, 0, 4, 9, '[', 6, 0, 0},
         kWhyNotMarshal,
         kRubyVersion},
        {"application/rpgmv-animations", interchange::kProductMV, {'[', '{'}, kWhyNotMv, kMvNotJson},
        {"application/rpgmv-animations", interchange::kProductMV,
         std::vector<uint8_t>(json.begin(), json.end()), kWhyNotMv, kMvFieldMissing},
    };
    for (const strCase& c : cases) {
        SCOPED_TRACE(int(&c - cases));
        platform::cMemoryClipboard clip;
        const uint32_t format = c.format ? clip.registerFormat(c.format) : platform::cClipboard::kFormat2000;
        ASSERT_TRUE(clip.write(format, c.payload));
        strWorkResult r;
        EXPECT_EQ(w.importClipboard(clip, c.product, r), nullptr);
        EXPECT_EQ(r.reason.id, c.why) << Text(r.reason);
        ASSERT_FALSE(r.reason.args.empty());
        const auto* detail = std::get_if<strNestedMessage>(&r.reason.args[0]);
        ASSERT_TRUE(detail && detail->message) << Text(r.reason);
        if (c.detail != kMsgNone) {
            EXPECT_EQ(detail->message->id, c.detail) << Text(r.reason);
        }
    }
    // Nothing of the kind on the clipboard.
    for (const auto& [product, why] : {std::pair(interchange::kProduct2000, kWhyNo2000OnClipboard),
                                       std::pair(interchange::kProductVX, kWhyNoMarshalOnClipboard),
                                       std::pair(interchange::kProductMV, kWhyNoMvOnClipboard)}) {
        platform::cMemoryClipboard clip;
        strWorkResult r;
        EXPECT_EQ(w.importClipboard(clip, product, r), nullptr);
        EXPECT_EQ(r.reason, strMessage(why));
    }
}

// A file inside or below the animation's folder is stored relative to it; any other absolute.
TEST(Reasons, StoredPathsAreRelativeOnlyInsideTheFolder) {
    const std::string here = std::filesystem::current_path().string();
    const std::pair<std::pair<std::string, std::string>, std::string> cases[] = {
        {{"/p/anim/a.png", "/p/anim"}, "a.png"},
        {{"/p/anim/pics/a.png", "/p/anim"}, "pics/a.png"},
        {{"/p/anim/pics/../a.png", "/p/anim/"}, "a.png"},
        {{"/p/other/a.png", "/p/anim"}, "/p/other/a.png"},
        {{"/p/animation/a.png", "/p/anim"}, "/p/animation/a.png"}, // a folder of a longer name
        {{"/p/a.png", "/p/anim"}, "/p/a.png"},
        {{"a.png", "/elsewhere"}, here + "/a.png"}, // relative to the current folder: made whole
        {{"pics/a.png", here}, "pics/a.png"},
    };
    for (const auto& [in, stored] : cases)
        EXPECT_EQ(DroppedFilePath(in.first, in.second), stored) << in.first << " in " << in.second;
}

// Saving into another folder rebases the paths (one step of the history) so that they name the
// same files; the saved project and its pictures can then move together.
TEST(Reasons, SaveIntoAnotherFolderRebasesThePaths) {
    strFixture f;
    cWorkspace w(f.config);
    const std::string anim = f.dir.file("game/anim");
    WritePicture(anim + "/pics/p.png");
    WritePicture(f.dir.file("shared/s.png"));
    std::filesystem::create_directories(f.dir.file("elsewhere"));
    auto doc = w.newDocument(w.storedFolder(anim));
    doc->setPicture(0, strPicture{1, 1, 0, "pics/p.png"});
    doc->setPicture(1, strPicture{1, 1, 0, f.dir.file("shared/s.png")});
    doc->setPicture(2, strPicture{1, 1, 0, "pics\\p.png"}); // as a Windows project stores it
    strEffect e;
    e.flags = strEffect::kSound;
    e.soundPath = "../se/hit.wav";
    doc->addEffect(e);
    const int steps = int(doc->history().undoCount());

    // The same folder: nothing changes, no step.
    ASSERT_TRUE(w.save(*doc, anim + "/a.dat", -1, true).ok);
    EXPECT_EQ(doc->picture(2)->path, "pics\\p.png");
    EXPECT_EQ(int(doc->history().undoCount()), steps);

    // One folder up: relative paths gain the folder they lie in; the shared picture stays whole;
    // a path that leaves the new folder becomes whole.
    const strWorkResult r = w.save(*doc, f.dir.file("game/up.dat"), -1, true);
    ASSERT_TRUE(r.ok) << Text(r.reason);
    EXPECT_EQ(doc->picture(0)->path, "anim/pics/p.png");
    EXPECT_EQ(doc->picture(1)->path, f.dir.file("shared/s.png"));
    EXPECT_EQ(doc->picture(2)->path, "anim/pics/p.png");
    EXPECT_EQ(doc->effect(0)->soundPath, "se/hit.wav");
    EXPECT_EQ(doc->text(kTextBaseFolder), w.storedFolder(f.dir.file("game")));
    EXPECT_FALSE(doc->modified());
    ASSERT_EQ(int(doc->history().undoCount()), steps + 1);
    EXPECT_EQ(*doc->history().undoLabel(), strMessage(kStepRebasePaths, w.storedFolder(f.dir.file("game"))));

    // Without rebasing (a format conversion) the paths are written as stored.
    auto plain = w.newDocument(w.storedFolder(anim));
    plain->setPicture(0, strPicture{1, 1, 0, "pics/p.png"});
    ASSERT_TRUE(w.save(*plain, f.dir.file("elsewhere/plain.dat")).ok);
    EXPECT_EQ(plain->picture(0)->path, "pics/p.png");

    // The project and its pictures move together: the pictures still load from the new place.
    std::filesystem::rename(f.dir.file("game"), f.dir.file("moved"));
    strWorkResult opened;
    auto back = w.open(f.dir.file("moved/up.dat"), opened);
    ASSERT_NE(back, nullptr) << Text(opened.reason);
    cPictureSlotTable slots;
    const strWorkResult loaded = w.loadPictures(*back, slots);
    EXPECT_TRUE(loaded.ok) << (loaded.losses.empty() ? "" : Text(loaded.losses[0]));

    // Into an unrelated folder, every path is stored whole, and each still names its file.
    const strWorkResult away = w.save(*back, f.dir.file("elsewhere/x.txt"), anime::kFormatText, true);
    ASSERT_TRUE(away.ok) << Text(away.reason);
    EXPECT_EQ(back->picture(0)->path, f.dir.file("moved/anim/pics/p.png"));
    auto again = w.open(f.dir.file("elsewhere/x.txt"), opened);
    ASSERT_NE(again, nullptr);
    cPictureSlotTable slots2;
    EXPECT_TRUE(w.loadPictures(*again, slots2).ok);

    // Undoing the step gives back the old folder with the old paths together.
    ASSERT_NE(back->history().undo(), nullptr);
    EXPECT_EQ(back->picture(0)->path, "anim/pics/p.png");
    EXPECT_EQ(back->text(kTextBaseFolder), w.storedFolder(f.dir.file("moved")));
    EXPECT_TRUE(back->modified());
}

// The files a document names that are not there, with where they were looked for, in one report.
TEST(Reasons, MissingFilesAreListedWithWhereTheyWereLookedFor) {
    strFixture f;
    cWorkspace w(f.config);
    WritePicture(f.dir.file("anim/here.png"));
    WritePicture(f.dir.file("anim/titled.png"));
    auto doc = w.newDocument(w.storedFolder(f.dir.file("anim")));
    doc->setPicture(0, strPicture{1, 1, 0, "here.png"});
    doc->setPicture(1, strPicture{1, 1, 0, "gone.png"});
    doc->setPicture(2, strPicture{1, 1, 0, "titled"}); // found by probing the extensions
    doc->setPicture(3, strPicture{1, 1, 0, "pics/lost"});
    strEffect e;
    e.flags = strEffect::kSound;
    e.soundPath = "boom";
    doc->addEffect(e);
    e.startFrame = 3;
    doc->addEffect(e); // the same file twice is one missing file

    const std::vector<strMissingFile> missing = w.missingFiles(*doc);
    ASSERT_EQ(missing.size(), 3u);
    EXPECT_EQ(std::tuple(missing[0].sound, missing[0].index, missing[0].stored),
              std::tuple(false, 1, "gone.png"));
    EXPECT_EQ(missing[0].lookup.folder, f.dir.file("anim"));
    EXPECT_EQ(missing[0].lookup.names, std::vector<std::string>{"gone.png"});
    EXPECT_EQ(std::tuple(missing[1].sound, missing[1].index), std::tuple(false, 3));
    EXPECT_EQ(missing[1].lookup.folder, f.dir.file("anim/pics"));
    EXPECT_EQ(missing[1].lookup.names,
              (std::vector<std::string>{"lost", "lost.png", "lost.bmp", "lost.gif", "lost.xyz", "lost.jpg"}));
    EXPECT_TRUE(missing[2].sound);
    EXPECT_EQ(missing[2].lookup.names.size(), 9u);

    const std::vector<strMessage> report = cWorkspace::missingFilesReport(missing);
    ASSERT_EQ(report.size(), 2u);
    EXPECT_EQ(Text(report[0]), "2 pictures not found: gone.png (" + f.dir.file("anim") + "), lost (" +
                                   f.dir.file("anim/pics") + ")");
    EXPECT_EQ(Text(report[1]), "1 sound file not found: boom (" + f.dir.file("anim") + ")");
    EXPECT_TRUE(cWorkspace::missingFilesReport({}).empty());
}

// The system's reason of a failed file call is a message of the reason table, never strerror's
// English: the reasons that matter have their own words, the rest its number.
TEST(FileReasons, SystemReasonsAreMessagesOfTheTable) {
    TempDir dir;
    WriteBytes(dir.file("plain"), {'x'});
    struct {
        std::string target;
        strMessage reason;
    } rows[] = {
        // A folder where the file should be, a file where a folder should be, a name too long.
        {dir.path(), strMessage(kWhyCannotReplace, dir.path(), strMessage(kSysIsFolder))},
        {dir.file("plain") + "/x.png",
         strMessage(kWhyCannotMakeTemporary, dir.file("plain") + "/x.png", strMessage(kSysNotFolder))},
        {dir.file(std::string(300, 'n')),
         strMessage(kWhyCannotMakeTemporary, dir.file(std::string(300, 'n')), strMessage(kSysNameTooLong))},
        // A link that names itself: the save follows links, and a loop is a reason of its own.
        {dir.file("loop"), strMessage(kWhyCannotFollowLink, dir.file("loop"), strMessage(kSysLinkLoop))},
    };
    ASSERT_EQ(::symlink("loop", dir.file("loop").c_str()), 0);
    const std::vector<uint8_t> bytes{1, 2, 3};
    for (const auto& row : rows) {
        platform::ClearFileFailure();
        std::string english;
        EXPECT_FALSE(platform::WriteFileAtomically(row.target, bytes, &english)) << row.target;
        EXPECT_EQ(FileFailureMessage(english), row.reason) << english;
    }
    EXPECT_EQ(SystemReason(ENOSPC), strMessage(kSysDiskFull));
    EXPECT_EQ(SystemReason(EROFS), strMessage(kSysReadOnly));
    EXPECT_EQ(SystemReason(EACCES), SystemReason(EPERM));
    EXPECT_EQ(SystemReason(EPROTO), strMessage(kSysError, EPROTO)); // no words of its own: the number
    EXPECT_EQ(Msg(kSysError, EPROTO), "system error " + std::to_string(EPROTO));
}
