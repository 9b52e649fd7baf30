// The five products end to end through cGame: list, read animation 2, change a cell, write it back;
// everything else in the database stays as it was (deep-equal for Marshal, byte for byte for the MV
// lines and the LCF chunks); new animations; refusal of a database changed on disk or unparsable.

#include "game/game.h"
#include "game/game_fixture.h"
#include "game/lcf_database.h"
#include "game/marshal_tree.h"
#include "platform/path.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

using game_test::strGameFolder;
using testing_support::ReadBytes;
using testing_support::WriteBytes;

namespace {

constexpr int kProducts[] = {interchange::kProduct2000, interchange::kProductXP, interchange::kProductVX,
                             interchange::kProductVXAce, interchange::kProductMV};

std::vector<std::string> Lines(const std::vector<uint8_t>& bytes) {
    std::vector<std::string> out;
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

// Each element of a Marshal database written as a dump of its own.
std::vector<std::vector<uint8_t>> MarshalElements(const std::vector<uint8_t>& file) {
    game::cMarshalTree tree;
    EXPECT_TRUE(game::ReadMarshalTree(file, tree));
    std::vector<std::vector<uint8_t>> out;
    for (game::MarshalRef e : tree.elements(tree.root())) {
        out.emplace_back();
        EXPECT_TRUE(game::WriteMarshalValue(tree, e, false, out.back()));
    }
    return out;
}

// The byte range of chunk 0x13 of an LCF database (header included).
std::pair<size_t, size_t> AnimationChunk(const std::vector<uint8_t>& b) {
    size_t pos = 12; // 0B "LcfDataBase"
    auto ber = [&]() {
        uint32_t v = 0;
        while (b[pos] & 0x80)
            v = v << 7 | (b[pos++] & 0x7F);
        return v << 7 | b[pos++];
    };
    while (pos < b.size()) {
        const size_t start = pos;
        const uint32_t id = ber();
        const uint32_t size = ber();
        if (id == 0x13) return {start, pos + size};
        pos += size;
    }
    return {0, 0};
}

bool Contains(const std::vector<uint8_t>& hay, const std::vector<uint8_t>& needle) {
    return std::search(hay.begin(), hay.end(), needle.begin(), needle.end()) != hay.end();
}

TEST(Game, EachProductListsReadsAndWritesBackOnlyTheEditedAnimation) {
    for (int product : kProducts) {
        SCOPED_TRACE(game_test::ProductName(product));
        strGameFolder folder(product);
        const std::vector<uint8_t> before = ReadBytes(folder.database);
        game::cGame g;
        std::string error;
        ASSERT_TRUE(g.open(folder.dir.path(), game_test::Config(), &error)) << error;
        EXPECT_EQ(g.product(), product);

        std::vector<game::strGameAnimation> list = g.list();
        ASSERT_GE(list.size(), 3u);
        EXPECT_EQ(list[1].id, 2);
        EXPECT_EQ(list[1].name, product == interchange::kProduct2000 ? "炎" : "炎の剣");
        EXPECT_EQ(list[1].frames, 3);
        EXPECT_FALSE(list[1].empty);
        if (list.size() >= 4) {
            EXPECT_TRUE(list[3].empty); // the nil / null entry
        }

        cProject doc(&cConfig::defaults());
        ASSERT_TRUE(g.read(2, doc, &error)) << error;
        EXPECT_EQ(platform::ToUtf8(doc.text(kTextBaseFolder), "jpn"), g.location().pictures);
        ASSERT_NE(doc.cell(0, 0), nullptr);
        strCell changed = *doc.cell(0, 0);
        changed.x = static_cast<int16_t>(changed.x + 7);
        changed.y = 33;
        ASSERT_TRUE(doc.setCell(0, 0, &changed));
        const strCell expected = *doc.cell(0, 0);

        game::strGameWriteReport report;
        ASSERT_TRUE(g.write(doc, 2, {}, report, &error)) << error;
        EXPECT_EQ(report.id, 2);
        EXPECT_FALSE(report.added);
        EXPECT_FALSE(report.backup.empty());
        EXPECT_EQ(ReadBytes(report.backup), before); // the database as it was before the write
        const std::vector<uint8_t> after = ReadBytes(folder.database);

        game::cGame again;
        ASSERT_TRUE(again.open(folder.database, game_test::Config(), &error)) << error;
        cProject back(&cConfig::defaults());
        ASSERT_TRUE(again.read(2, back, &error)) << error;
        ASSERT_NE(back.cell(0, 0), nullptr);
        EXPECT_EQ(back.cell(0, 0)->x, expected.x);
        EXPECT_EQ(back.cell(0, 0)->y, 33);
        EXPECT_EQ(again.list()[1].name, list[1].name); // the name is kept

        if (product == interchange::kProductMV) {
            const std::vector<std::string> a = Lines(before), b = Lines(after);
            ASSERT_EQ(a.size(), b.size());
            for (size_t i = 0; i < a.size(); ++i)
                if (i != 3) { // line 3 holds element 2
                    EXPECT_EQ(a[i], b[i]) << "line " << i;
                }
            EXPECT_NE(a[3], b[3]);
            EXPECT_EQ(b[3].rfind("{\"id\":2,\"animation1Hue\":0,", 0), 0u) << b[3]; // MV's key order kept
        } else if (product == interchange::kProduct2000) {
            const auto [start, end] = AnimationChunk(before);
            const auto [start2, end2] = AnimationChunk(after);
            ASSERT_GT(end, start);
            EXPECT_TRUE(std::equal(before.begin(), before.begin() + std::ptrdiff_t(start), after.begin()));
            EXPECT_TRUE(std::equal(before.begin() + std::ptrdiff_t(end), before.end(),
                                   after.begin() + std::ptrdiff_t(end2), after.end()));
            // Animation 1 (with its 2003 chunks) and the empty 3 stay byte for byte; 2 keeps its
            // unknown chunk 0x20.
            const std::vector<uint8_t> record1(before.begin() + std::ptrdiff_t(start) + 4,
                                               before.begin() + std::ptrdiff_t(start) + 4 + 40);
            EXPECT_TRUE(Contains(after, record1));
            EXPECT_TRUE(Contains(after, {0x20, 0x02, 0x01, 0x02, 0x00, 0x03, 0x00}));
        } else {
            const auto a = MarshalElements(before), b = MarshalElements(after);
            ASSERT_EQ(a.size(), b.size());
            for (size_t i = 0; i < a.size(); ++i)
                if (i != 2) {
                    EXPECT_EQ(a[i], b[i]) << "element " << i;
                }
            if (folder.fromRuby) {
                int status = -1;
                const std::string out = testing_support::RunCommand(
                    "/usr/bin/ruby " + testing_support::DataPath("game/check_marshal.rb") + " " +
                        report.backup + " " + folder.database + " 2",
                    &status);
                EXPECT_EQ(status, 0) << out;
                EXPECT_NE(out.find("id=2\n"), std::string::npos) << out;
            }
        }
    }
}

TEST(Game, NewAnimationsGoAfterTheLastWithTheirName) {
    for (int product : kProducts) {
        SCOPED_TRACE(game_test::ProductName(product));
        strGameFolder folder(product);
        game::cGame g;
        std::string error;
        ASSERT_TRUE(g.open(folder.dir.path(), game_test::Config(), &error)) << error;
        const int last = g.lastId();
        cProject doc(&cConfig::defaults());
        game_test::SampleDocument(doc, "Document", 2);
        game::strGameWriteReport report;
        ASSERT_TRUE(g.write(doc, 0, {}, report, &error)) << error;
        EXPECT_TRUE(report.added);
        EXPECT_EQ(report.id, last + 1);
        ASSERT_TRUE(g.write(doc, 0, {false, "Given 名"}, report, &error)) << error;
        EXPECT_EQ(report.id, last + 2);
        EXPECT_TRUE(report.backup.empty()); // one backup per opening

        game::cGame again;
        ASSERT_TRUE(again.open(folder.dir.path(), game_test::Config(), &error)) << error;
        const auto list = again.list();
        ASSERT_EQ(again.lastId(), last + 2);
        EXPECT_EQ(list[size_t(last)].name, "Document");
        EXPECT_EQ(list[size_t(last)].frames, 2);
        EXPECT_EQ(list[size_t(last) + 1].name, "Given 名");
        cProject back(&cConfig::defaults());
        ASSERT_TRUE(again.read(last + 1, back, &error)) << error;
        EXPECT_EQ(back.cell(1, 0)->x, 10);
    }
}

TEST(Game, RefusesADatabaseChangedOnDiskAndLeavesItAlone) {
    for (int product : kProducts) {
        SCOPED_TRACE(game_test::ProductName(product));
        strGameFolder folder(product);
        game::cGame g;
        std::string error;
        ASSERT_TRUE(g.open(folder.dir.path(), game_test::Config(), &error)) << error;
        cProject doc(&cConfig::defaults());
        ASSERT_TRUE(g.read(2, doc, &error)) << error;

        // Another program saves the database: same size, other bytes, then only a later time.
        std::vector<uint8_t> other = ReadBytes(folder.database);
        other[other.size() / 2] ^= 0x01;
        WriteBytes(folder.database, other);
        game::strGameWriteReport report;
        EXPECT_FALSE(g.write(doc, 2, {}, report, &error));
        EXPECT_NE(error.find("changed on disk"), std::string::npos) << error;
        EXPECT_EQ(ReadBytes(folder.database), other);
        EXPECT_FALSE(std::filesystem::exists(platform::FolderPart(folder.database) + "/Backups"));
        // The game is still open as it was read.
        EXPECT_EQ(g.list().size(), size_t(g.lastId()));
        EXPECT_GE(g.lastId(), 2);
        cProject again(&cConfig::defaults());
        EXPECT_TRUE(g.read(2, again, &error)) << error;
    }
}

// A failed write says why in its report as every result does (the reason table's words, naming the
// file), besides Failure(); the database is left as it was. Paths that cannot be written stand in
// for permissions, which do not hold for root: a file where the backup folder goes, a folder where
// the database was.
TEST(Game, AFailedWriteGivesItsReasonInTheReport) {
    strGameFolder folder(interchange::kProductMV);
    const std::string backups = platform::FolderPart(folder.database) + "/Backups";
    game::cGame g;
    game::strGameWriteReport report;
    cProject doc(&cConfig::defaults());
    EXPECT_FALSE(g.write(doc, 2, {}, report));
    EXPECT_EQ(report.reason, strMessage(kGameDbNotOpen));

    std::string error;
    ASSERT_TRUE(g.open(folder.dir.path(), game_test::Config(), &error)) << error;
    ASSERT_TRUE(g.read(2, doc, &error)) << error;
    const std::vector<uint8_t> before = ReadBytes(folder.database);
    WriteBytes(backups, {'x'});
    EXPECT_FALSE(g.write(doc, 2, {}, report));
    EXPECT_FALSE(report.ok);
    EXPECT_EQ(report.reason.id, kGameDbNoBackup);
    EXPECT_NE(FormatMessage(report.reason).find(backups), std::string::npos) << FormatMessage(report.reason);
    EXPECT_EQ(g.failure().id, game::kGameMsgBackupFailed);
    EXPECT_EQ(ReadBytes(folder.database), before);

    std::filesystem::remove(backups);
    ASSERT_TRUE(g.write(doc, 2, {}, report));
    EXPECT_TRUE(report.reason.none());

    for (bool folderInPlace : {false, true}) {
        SCOPED_TRACE(folderInPlace ? "a folder in place of the database" : "the database removed");
        ASSERT_TRUE(g.open(folder.dir.path(), game_test::Config(), &error)) << error;
        std::filesystem::remove(folder.database);
        if (folderInPlace) std::filesystem::create_directory(folder.database);
        EXPECT_FALSE(g.write(doc, 2, {}, report));
        EXPECT_EQ(report.reason.id, kGameDbChangedOnDisk);
        const std::string text = FormatMessage(report.reason);
        EXPECT_NE(text.find(folder.database), std::string::npos) << text;
        EXPECT_EQ(g.failure().id, game::kGameMsgChangedOnDisk);
        EXPECT_EQ(std::filesystem::is_directory(folder.database), folderInPlace);
        std::filesystem::remove(folder.database);
        WriteBytes(folder.database, before);
    }
}

TEST(Game, UnparsableDatabasesAreNotOpened) {
    for (int product : kProducts) {
        SCOPED_TRACE(game_test::ProductName(product));
        strGameFolder folder(product);
        std::vector<uint8_t> bytes = ReadBytes(folder.database);
        bytes.resize(bytes.size() * 2 / 3);
        WriteBytes(folder.database, bytes);
        game::cGame g;
        std::string error;
        EXPECT_FALSE(g.open(folder.dir.path(), game_test::Config(), &error));
        EXPECT_NE(error.find(folder.database), std::string::npos) << error;
        EXPECT_FALSE(g.isOpen());
        EXPECT_EQ(ReadBytes(folder.database), bytes);
    }
}

TEST(Game, SlotsKeepWhatTheMappingDoesNotWrite) {
    // Marshal: animation 1's unknown @note stays, in its place among the variables.
    {
        strGameFolder folder(interchange::kProductVXAce);
        game::cGame g;
        std::string error;
        ASSERT_TRUE(g.open(folder.dir.path(), game_test::Config(), &error)) << error;
        cProject doc(&cConfig::defaults());
        game_test::SampleDocument(doc, "Other", 1);
        game::strGameWriteReport report;
        ASSERT_TRUE(g.write(doc, 1, {false, "Renamed"}, report, &error)) << error;
        game::cMarshalTree tree;
        ASSERT_TRUE(game::ReadMarshalTree(ReadBytes(folder.database), tree));
        const game::MarshalRef a1 = tree.elements(tree.root())[1];
        EXPECT_EQ(tree.bytes(tree.ivar(a1, "@note")), "kept by every write");
        EXPECT_EQ(tree.bytes(tree.ivar(a1, "@name")), "Renamed");
        EXPECT_EQ(tree.fixnum(tree.ivar(a1, "@id")), 1);
        std::span<const game::MarshalRef> pairs = tree.pairs(a1);
        EXPECT_EQ(tree.symbolText(pairs[0]), "@id");
        EXPECT_EQ(tree.symbolText(pairs[pairs.size() - 2]), "@note");
    }
    // MV: animation 5's "note" stays, keys in their order.
    {
        strGameFolder folder(interchange::kProductMV);
        game::cGame g;
        std::string error;
        ASSERT_TRUE(g.open(folder.dir.path(), game_test::Config(), &error)) << error;
        cProject doc(&cConfig::defaults());
        game_test::SampleDocument(doc, "Other", 1);
        game::strGameWriteReport report;
        ASSERT_TRUE(g.write(doc, 5, {}, report, &error)) << error;
        const std::vector<std::string> lines = Lines(ReadBytes(folder.database));
        ASSERT_EQ(lines.size(), 8u);
        EXPECT_EQ(lines[6].rfind("{\"id\":5,", 0), 0u) << lines[6];
        EXPECT_NE(lines[6].find("\"name\":\"Thunder\",\"position\":1,\"timings\":[{"), std::string::npos)
            << lines[6];
        EXPECT_NE(lines[6].find("\"note\":\"<plugin tag>\"}"), std::string::npos) << lines[6];
        EXPECT_EQ(lines[7], "]");
    }
}

TEST(Game, ReportsWhatTheProductCannotHoldAndMissingPictures) {
    strGameFolder folder(interchange::kProductMV);
    game::cGame g;
    std::string error;
    ASSERT_TRUE(g.open(folder.dir.path(), game_test::Config(), &error)) << error;
    cProject doc(&cConfig::defaults());
    game_test::SampleDocument(doc, "Toned", 1);
    strCell c = *doc.cell(0, 0);
    c.red = 150;
    doc.setCell(0, 0, &c);
    game::strGameWriteReport report;
    ASSERT_TRUE(g.write(doc, 0, {}, report, &error)) << error;
    ASSERT_EQ(report.losses.size(), 1u);
    EXPECT_TRUE(report.ok);
    EXPECT_EQ(report.losses[0], strMessage(kLossTonesOutOne)); // the one toned cell
    ASSERT_EQ(report.warnings.size(), 2u); // Fire1 and the sound Fire2 are not in the game
    EXPECT_NE(report.warnings[0].find(g.location().pictures + "/Fire1.{png,"), std::string::npos)
        << report.warnings[0];
}

} // namespace
