// Recovery copies: written by one editor, offered to the next after a crash, never taken from an
// editor that still runs, damaged ones put aside.

#include "support/message_texts.h"
#include "workspace/recovery_info.h"
#include "workspace/recovery_store.h"
#include "workspace/recovery_writer.h"

#include "document/anime_file_device.h"
#include "document/project.h"
#include "platform/path.h"
#include "support/document_builder.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <filesystem>
#include <map>
#include <sys/wait.h>
#include <unistd.h>

using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;
using testing_support::WriteText;

namespace {

// A document with a few edited cells, as an editor holds it.
std::unique_ptr<cProject> EditedDocument(int frames = 3) {
    auto doc = std::make_unique<cProject>();
    testing_support::MakeFrames(*doc, frames);
    for (int f = 0; f < frames; ++f) {
        strCell c = testing_support::CellAt(10 * f - 7);
        c.angle = int16_t(f * 15);
        doc->setCell(f, f % 4, &c);
    }
    doc->setPicture(0, strPicture{5, 3, 40, "BattleEffect/fire.png"});
    doc->setText(kTextName, "fire");
    return doc;
}

std::vector<uint8_t> Bytes(const cProject& doc) {
    std::vector<uint8_t> out;
    EXPECT_TRUE(cRecoveryStore::serialise(doc, out));
    return out;
}

strRecoveryInfo FileInfo() {
    strRecoveryInfo info;
    info.origin = eRecoveryOrigin::kFile;
    info.path = "/home/me/anim/fire.txt";
    info.baseFolder = "/home/me/anim";
    info.fileName = "fire.txt";
    info.saveFormat = 1;
    info.savedAt = 1796140800;
    info.lastChange = strMessage(kStepMoveCells, 3);
    return info;
}

// An editor that writes a copy and is then killed: its lock file stays, unlocked.
void CrashedEditor(const std::string& folder, int slot, std::span<const uint8_t> project,
                   const strRecoveryInfo& info, std::string* owner = nullptr) {
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        cRecoveryStore store(folder);
        if (!store.open() || !store.writeCopy(slot, project, info)) ::_exit(1);
        (void)!::write(pipeFds[1], store.owner().data(), store.owner().size());
        ::kill(::getpid(), SIGKILL);
        ::_exit(2);
    }
    ::close(pipeFds[1]);
    char name[17] = {};
    (void)!::read(pipeFds[0], name, 16);
    ::close(pipeFds[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the editor did not write its copy";
    if (owner) *owner = name;
}

size_t FilesIn(const std::string& folder) {
    size_t n = 0;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(folder, ec))
        n += e.is_regular_file() ? 1 : 0;
    return n;
}

TEST(RecoveryStore, CopyOfAKilledEditorIsOfferedAndRecovered) {
    TempDir dir;
    const std::string folder = cRecoveryStore::folderFor(dir.file("config.ini"));
    EXPECT_EQ(folder, dir.file("recovery"));
    auto doc = EditedDocument(5);
    std::string dead;
    CrashedEditor(folder, 1, Bytes(*doc), FileInfo(), &dead);
    EXPECT_TRUE(platform::Exists(platform::JoinPath(folder, dead + ".lock")));

    cRecoveryStore store(folder);
    ASSERT_TRUE(store.open());
    std::vector<strRecoveryProblem> problems;
    const auto entries = store.list(&problems);
    EXPECT_TRUE(problems.empty());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, dead + "-1");
    EXPECT_EQ(entries[0].info, FileInfo());

    cProject recovered;
    strMessage why;
    ASSERT_TRUE(store.recover(entries[0], 4, recovered, &why)) << why;
    EXPECT_EQ(Bytes(recovered), Bytes(*doc));
    EXPECT_TRUE(recovered.modified());
    EXPECT_FALSE(recovered.untitled());
    EXPECT_EQ(recovered.text(kTextFileName), "fire.txt");
    EXPECT_EQ(recovered.text(kTextBaseFolder), "/home/me/anim");
    EXPECT_EQ(recovered.getSetting(kKeySaveFormat), 1); // the copy is binary, the file was text
    // The copy is now this editor's: a second crash still keeps it. The gone editor's lock is gone.
    EXPECT_TRUE(store.hasCopy(4));
    EXPECT_FALSE(platform::Exists(platform::JoinPath(folder, dead + ".lock")));
    EXPECT_TRUE(store.list().empty());
    // A second editor cannot take it again.
    cProject again;
    EXPECT_FALSE(store.recover(entries[0], 5, again, &why));
    EXPECT_EQ(why, strMessage(kRecoveryTaken));

    // A normal end removes the copy and the lock: nothing is left.
    EXPECT_TRUE(store.removeCopy(4));
    store.close();
    EXPECT_EQ(FilesIn(folder), 0u);
}

TEST(RecoveryStore, CopiesOfARunningEditorAreNeverTaken) {
    TempDir dir;
    const std::string folder = dir.file("recovery");
    cRecoveryStore running(folder);
    ASSERT_TRUE(running.open());
    auto doc = EditedDocument();
    ASSERT_TRUE(running.writeCopy(1, Bytes(*doc), FileInfo()));
    // Even a damaged copy of a running editor stays where it is.
    WriteText(running.copyPath(2), "not a project");
    WriteText(running.infoPath(2), "{}");

    cRecoveryStore other(folder);
    ASSERT_TRUE(other.open());
    std::vector<strRecoveryProblem> problems;
    EXPECT_TRUE(other.list(&problems).empty());
    EXPECT_TRUE(problems.empty());
    const strRecoveryEntry forged{running.owner() + "-1", running.copyPath(1), FileInfo()};
    cProject into;
    strMessage why;
    EXPECT_FALSE(other.recover(forged, 1, into, &why));
    EXPECT_EQ(why, strMessage(kRecoveryInUse));
    EXPECT_FALSE(other.discard(forged, &why));
    EXPECT_TRUE(running.hasCopy(1));
    EXPECT_TRUE(platform::Exists(running.copyPath(2)));

    // Once it has ended (here: its lock released without removing anything) the copies are offered.
    const std::string owner = running.owner();
    std::filesystem::copy_file(platform::JoinPath(folder, owner + ".lock"), dir.file("kept.lock"));
    running.close();
    std::filesystem::copy_file(dir.file("kept.lock"), platform::JoinPath(folder, owner + ".lock"));
    const auto entries = other.list(&problems);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, owner + "-1");
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].reason, strMessage(kRecoveryUnknownFormat));
}

TEST(RecoveryStore, DamagedCopiesAreReportedAndPutAside) {
    TempDir dir;
    const std::string folder = dir.file("recovery");
    auto doc = EditedDocument();
    const std::vector<uint8_t> good = Bytes(*doc);
    std::vector<uint8_t> cut(good.begin(), good.begin() + long(good.size() / 2));
    const std::string info = EncodeRecoveryInfo(FileInfo());
    const std::string owner = "00000000000000aa"; // an editor gone without a lock file
    const struct {
        const char* slot;
        std::vector<uint8_t> copy; // empty: no copy
        std::string info;          // empty: no description
        strMessage reason;         // none: no problem is reported
    } rows[] = {
        {"1", cut, info, strMessage(kWhyBinaryEndsEarly, strMessage(kPartPicture, 0))},
        {"2",
         {'P', 'E', 'L', 'K', '_', 'B', 'I', 'N', 0, 0, 0, 0, 0, 0, 0, 0},
         info,
         strMessage(kWhyBinaryHeader)},
        {"3", {'h', 'e', 'l', 'l', 'o'}, info, strMessage(kRecoveryNotProject)},
        {"4", good, "{\"format\":1", strMessage(kRecoveryNotJson)},
        {"5", good, "{\"format\":2,\"origin\":\"file\"}", strMessage(kRecoveryUnknownFormat)},
        {"6", good, "{\"format\":1,\"origin\":\"disk\"}", strMessage(kRecoveryNoOrigin)},
        {"7", good, "{\"format\":1,\"origin\":\"file\"}", strMessage(kRecoveryNoFile)},
        {"8", good, "{\"format\":1,\"origin\":\"untitled\",\"fileName\":{\"hex\":\"4\"}}",
         strMessage(kRecoveryDamagedText)},
        {"9", good, "", strMessage(kRecoveryNoDescription)},
        {"10", {}, info, {}}, // a description alone is dropped without a word
    };
    for (const auto& row : rows) {
        const std::string name = platform::JoinPath(folder, owner + "-" + row.slot);
        std::filesystem::create_directories(folder);
        if (!row.copy.empty()) WriteBytes(name + ".dat", row.copy);
        if (!row.info.empty()) WriteText(name + ".json", row.info);
    }
    cRecoveryStore store(folder);
    ASSERT_TRUE(store.open());
    std::vector<strRecoveryProblem> problems;
    EXPECT_TRUE(store.list(&problems).empty());
    std::map<std::string, strRecoveryProblem> bySlot;
    for (const auto& p : problems)
        bySlot[platform::StemPart(platform::FileNamePart(p.file)).substr(17)] = p;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.slot);
        if (row.reason.none()) {
            EXPECT_EQ(bySlot.count(row.slot), 0u);
            continue;
        }
        ASSERT_EQ(bySlot.count(row.slot), 1u);
        const strRecoveryProblem& p = bySlot[row.slot];
        EXPECT_EQ(p.reason, row.reason);
        EXPECT_TRUE(platform::Exists(p.movedTo));
        EXPECT_EQ(platform::FolderPart(p.movedTo), store.damagedFolder());
    }
    EXPECT_EQ(problems.size(), 9u);
    // Only this editor's lock is left in the folder.
    EXPECT_EQ(FilesIn(folder), 1u);
    // A second copy damaged under the same name is put beside the first.
    WriteBytes(platform::JoinPath(folder, owner + "-9.dat"), good);
    store.list(&problems);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(platform::FileNamePart(problems[0].movedTo), owner + "-9.2.dat");
}

TEST(RecoveryStore, DiscardRemovesTheCopyForGood) {
    TempDir dir;
    const std::string folder = dir.file("recovery");
    auto doc = EditedDocument();
    CrashedEditor(folder, 1, Bytes(*doc), FileInfo());
    CrashedEditor(folder, 1, Bytes(*doc), strRecoveryInfo{});
    cRecoveryStore store(folder);
    ASSERT_TRUE(store.open());
    auto entries = store.list();
    ASSERT_EQ(entries.size(), 2u);
    // Oldest first: the untitled one was saved at time 0.
    EXPECT_EQ(entries[0].info.origin, eRecoveryOrigin::kUntitled);
    strMessage why;
    ASSERT_TRUE(store.discard(entries[0], &why)) << why;
    cProject into;
    EXPECT_FALSE(store.recover(entries[0], 1, into, &why));
    entries = store.list();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].info.origin, eRecoveryOrigin::kFile);
    ASSERT_TRUE(store.discard(entries[0], &why));
    EXPECT_EQ(FilesIn(folder), 1u); // this editor's lock
}

TEST(RecoveryStore, GameCopiesComeBackUntitledWithTheirTexts) {
    TempDir dir;
    const std::string folder = dir.file("recovery");
    auto doc = EditedDocument();
    strRecoveryInfo game;
    game.origin = eRecoveryOrigin::kGame;
    game.path = "/games/Quest";
    game.id = "12";
    game.fileName = "\x89\xce\x82\xcc\x96\x82\x96\x40.txt"; // CP932 text, not UTF-8
    CrashedEditor(folder, 3, Bytes(*doc), game);
    cRecoveryStore store(folder);
    ASSERT_TRUE(store.open());
    const auto entries = store.list();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].info, game);
    cProject into;
    ASSERT_TRUE(store.recover(entries[0], 1, into));
    EXPECT_TRUE(into.untitled()); // a game's animation has no file Save could write
    EXPECT_EQ(into.text(kTextFileName), game.fileName);
}

TEST(RecoveryInfo, RoundTripsAndKeepsUnknownLabelsAsText) {
    strRecoveryInfo nested = FileInfo();
    nested.lastChange = strMessage(kMsgUndone, strMessage(kStepDeleteFrame, 4));
    strRecoveryInfo none = FileInfo();
    none.lastChange = {};
    const struct {
        strRecoveryInfo info;
        strMessage label; // what comes back
        const char* text; // what comes back as text
    } rows[] = {
        {FileInfo(), strMessage(kStepMoveCells, 3), ""},
        {nested, strMessage(kMsgUndone, std::string("Delete frame 4")), ""},
        {none, strMessage(), ""},
    };
    for (const auto& row : rows) {
        strRecoveryInfo back;
        const std::string json = EncodeRecoveryInfo(row.info);
        ASSERT_TRUE(DecodeRecoveryInfo({reinterpret_cast<const uint8_t*>(json.data()), json.size()}, back))
            << json;
        EXPECT_EQ(back.lastChange, row.label) << json;
        EXPECT_EQ(back.lastChangeText, row.text);
        EXPECT_EQ(back.path, row.info.path);
    }
    // A label of another version: its English text is what is left.
    const std::string other = R"({"format":1,"origin":"untitled","savedAt":5,)"
                              R"("lastChange":{"name":"kStepTeleport","args":[1],"text":"Teleport 1 cell"}})";
    strRecoveryInfo back;
    ASSERT_TRUE(DecodeRecoveryInfo({reinterpret_cast<const uint8_t*>(other.data()), other.size()}, back));
    EXPECT_TRUE(back.lastChange.none());
    EXPECT_EQ(back.lastChangeText, "Teleport 1 cell");
    EXPECT_EQ(back.savedAt, 5);
}

TEST(RecoveryStore, SerialiseFallsBackToTheTextFormatForManyPictures) {
    auto doc = EditedDocument();
    doc->create(-1, -1, 300, -1);
    doc->frameOrCreate(0);
    for (int p = 0; p < 300; ++p)
        doc->setPicture(p, strPicture{1, 1, 0, "p" + std::to_string(p) + ".png"});
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(cRecoveryStore::serialise(*doc, bytes));
    EXPECT_EQ(anime::cAnimeFileDevice::detectFormat(bytes), anime::kFormatText);
    cProject back;
    ASSERT_TRUE(cRecoveryStore::deserialise(bytes, back));
    EXPECT_EQ(back.pictureCount(), 300);
}

TEST(RecoveryWriter, JobsRunInOrderAndNewerWritesReplaceOlderOnes) {
    TempDir dir;
    cRecoveryStore store(dir.file("recovery"));
    ASSERT_TRUE(store.open());
    std::atomic<int> written{0};
    cRecoveryWriter writer(store, [&](int, bool ok, const strMessage&) { written += ok; });
    auto small = EditedDocument(1);
    auto large = EditedDocument(9);
    writer.write(1, Bytes(*small), FileInfo());
    writer.remove(1); // after the write: nothing is left
    writer.write(2, Bytes(*small), FileInfo());
    writer.write(2, Bytes(*large), FileInfo()); // the newest copy is what stays
    writer.wait();
    EXPECT_FALSE(store.hasCopy(1));
    EXPECT_EQ(ReadBytes(store.copyPath(2)), Bytes(*large));
    EXPECT_GE(written.load(), 1);
    // A write into a folder that is gone is reported.
    strMessage error;
    bool failed = false;
    {
        cRecoveryStore gone(dir.file("recovery"));
        ASSERT_TRUE(gone.open());
        cRecoveryWriter w(gone, [&](int, bool ok, const strMessage& e) {
            failed = !ok;
            error = e;
        });
        std::filesystem::remove_all(dir.file("recovery"));
        w.write(1, Bytes(*small), FileInfo());
        w.wait();
    }
    EXPECT_TRUE(failed);
    EXPECT_NE(FormatMessage(error).find("recovery"), std::string::npos) << error;
}

} // namespace
