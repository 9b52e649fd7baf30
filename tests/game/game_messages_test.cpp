// The failures of cGame as messages: which id each failure gives, its arguments, and the English
// text the command-line tool prints from it.

#include "game/game.h"
#include "game/game_fixture.h"
#include "game/messages.h"
#include "interchange/messages.h"
#include "platform/path.h"

#include <algorithm>
#include <filesystem>
#include <set>

using game_test::strGameFolder;
using testing_support::ReadBytes;
using testing_support::WriteBytes;

TEST(GameMessages, EnglishTextFillsEveryPlaceInOrder) {
    using game::FormatGameMessage;
    EXPECT_EQ(FormatGameMessage({game::kGameMsgCannotReadAnimation, {"7", "the slot is empty"}}),
              "Animation 7 could not be read: the slot is empty");
    // A missing argument reads as an empty text; an extra one is left out.
    EXPECT_EQ(FormatGameMessage({game::kGameMsgPictureNotFound, {"Fire1"}}),
              "Picture Fire1 was not found (tried )");
    EXPECT_EQ(FormatGameMessage({game::kGameMsgNoGame, {"extra"}}), "No game is open");
    // An argument holding "%s" is not expanded again.
    EXPECT_EQ(FormatGameMessage({game::kGameMsgMissing, {"/a/%s"}}), "/a/%s does not exist");
    EXPECT_EQ(FormatGameMessage({}), "");
    EXPECT_STREQ(game::GameMessageText(12345), "");
    for (const strMessageEntry& m : game::GameMessageTable().entries())
        EXPECT_STRNE(m.text, "") << m.id;
}

TEST(GameMessages, EachFailureSaysWhatFailed) {
    strGameFolder folder(interchange::kProductMV);
    const std::string root = folder.dir.path();
    game::cGame g;
    std::string error;

    EXPECT_FALSE(g.open(root + "/nowhere", game_test::Config(), &error));
    EXPECT_EQ(g.failure(), (game::strGameMessage{game::kGameMsgMissing, {root + "/nowhere"}}));
    EXPECT_EQ(error, root + "/nowhere does not exist");
    EXPECT_FALSE(g.open(root + "/img", game_test::Config(), &error));
    EXPECT_EQ(g.failure().id, game::kGameMsgNotAGame);
    WriteBytes(root + "/notes.txt", {'x'});
    EXPECT_FALSE(g.open(root + "/notes.txt", game_test::Config(), &error));
    EXPECT_EQ(g.failure().id, game::kGameMsgNotADatabase);
    cProject doc(&cConfig::defaults());
    EXPECT_FALSE(g.read(2, doc, &error));
    EXPECT_EQ(g.failure().id, game::kGameMsgNoGame);

    ASSERT_TRUE(g.open(root, game_test::Config(), &error)) << error;
    EXPECT_TRUE(g.failure().none());
    EXPECT_FALSE(g.read(4, doc, &error)); // a null slot
    EXPECT_EQ(g.failure().id, game::kGameMsgCannotReadAnimation);
    EXPECT_EQ(g.failure().args.front(), strMessageArg("4"));
    ASSERT_TRUE(g.read(2, doc, &error)) << error;
    EXPECT_TRUE(g.failure().none());

    // Fire1 and the sound of animation 1 are not in the game.
    EXPECT_EQ(g.missingAssetMessages(doc).size(), 1u);
    EXPECT_EQ(g.missingAssetMessages(doc)[0].id, game::kGameMsgPictureNotFound);
    EXPECT_EQ(g.missingAssetMessages(doc)[0].args[0], strMessageArg("Fire1"));
    EXPECT_EQ(g.missingAssets(doc)[0], "picture Fire1 not found (tried " +
                                           std::get<std::string>(g.missingAssetMessages(doc)[0].args[1]) +
                                           ")");

    std::vector<uint8_t> other = ReadBytes(folder.database);
    const std::string thunder = "Thunder";
    auto at = std::search(other.begin(), other.end(), thunder.begin(), thunder.end());
    ASSERT_NE(at, other.end());
    at[6] = 'x'; // "Thundex": another program renamed it
    WriteBytes(folder.database, other);
    game::strGameWriteReport report;
    EXPECT_FALSE(g.write(doc, 2, {}, report, &error));
    EXPECT_EQ(g.failure(), (game::strGameMessage{game::kGameMsgChangedOnDisk, {folder.database}}));
    EXPECT_EQ(ReadBytes(folder.database), other);

    // The game opened again writes; a backup that cannot be made stops the write.
    ASSERT_TRUE(g.open(root, game_test::Config(), &error)) << error;
    const std::string backups = platform::FolderPart(folder.database) + "/Backups";
    WriteBytes(backups, {'x'}); // a file where the folder goes
    EXPECT_FALSE(g.write(doc, 2, {}, report, &error));
    EXPECT_EQ(g.failure().id, game::kGameMsgBackupFailed);
    EXPECT_EQ(ReadBytes(folder.database), other);
    std::filesystem::remove(backups);
    EXPECT_TRUE(g.write(doc, 2, {}, report, &error)) << error;
    EXPECT_TRUE(g.failure().none());

    WriteBytes(folder.database, {'[', 'x'});
    EXPECT_FALSE(g.open(root, game_test::Config(), &error));
    EXPECT_EQ(g.failure().id, game::kGameMsgUnparsable);
    EXPECT_EQ(g.failure().args.front(), strMessageArg(folder.database));
}

// The library's three message tables: every entry is found by its id (the document's ids are
// dense, the clipboard's have a gap between the status messages and the labels), an id a table
// does not hold gives nothing, and no identifier is in two tables.
TEST(GameMessages, EveryTableFindsItsOwnIdsOnly) {
    std::set<std::string> names;
    for (const cMessageTable* table :
         {&DocumentMessageTable(), &interchange::MessageTable(), &game::GameMessageTable()}) {
        SCOPED_TRACE(table->context());
        int last = -1;
        for (const strMessageEntry& e : table->entries()) {
            EXPECT_GT(e.id, last) << e.name; // ascending, as the lookup needs
            last = e.id;
            ASSERT_EQ(table->find(e.id), &e) << e.name;
            EXPECT_TRUE(names.insert(e.name).second) << e.name;
            for (int near : {e.id - 1, e.id + 1})
                if (const strMessageEntry* other = table->find(near)) {
                    EXPECT_EQ(other->id, near);
                }
        }
        EXPECT_EQ(table->find(last + 1), nullptr);
        EXPECT_STREQ(table->text(last + 1), "");
        EXPECT_EQ(table->kind(-5), eMessageKind::kNone);
    }
    EXPECT_EQ(interchange::MessageTable().find(interchange::kMsgExportFailed + 1), nullptr);
    EXPECT_STREQ(interchange::MessageTable().name(interchange::kLabelMV), "kLabelMV");
    EXPECT_EQ(interchange::FormatMessage(interchange::kMsgImportFailed, "x%sy"),
              "Could not import from the clipboard (x%sy)");
    EXPECT_EQ(MessageKind(kWhyOther), eMessageKind::kError);
    EXPECT_STREQ(MessageName(kSysDiskFull), "kSysDiskFull");
}
