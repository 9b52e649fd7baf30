// Finding a game from a folder or a database file, and its pictures and sounds by title in the
// game's folders and the run-time package folders.

#include "game/game_assets.h"
#include "game/game_layout.h"
#include "support/test_support.h"

#include "config/config.h"
#include "interchange/clipboard_formats.h"

#include <gtest/gtest.h>

#include <filesystem>

using testing_support::TempDir;

namespace {

void Touch(const std::string& path) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    testing_support::WriteBytes(path, {});
}

TEST(GameLayout, FindsTheProductOfAFolderOrOfItsDatabase) {
    const struct {
        const char* what;
        std::vector<const char*> files;
        const char* open; // relative to the folder; "" for the folder itself
        int product;      // -1: no game
        const char* database;
    } rows[] = {
        {"VX Ace",
         {"Game.rvproj2", "Data/Animations.rvdata2"},
         "",
         interchange::kProductVXAce,
         "Data/Animations.rvdata2"},
        {"XP by its database",
         {"Game.rxproj", "Data/Animations.rxdata"},
         "Data/Animations.rxdata",
         interchange::kProductXP,
         "Data/Animations.rxdata"},
        {"VX, names in other case",
         {"game.RVPROJ", "data/animations.rvdata"},
         "",
         interchange::kProductVX,
         "data/animations.rvdata"},
        {"MV",
         {"Game.rpgproject", "data/Animations.json"},
         "",
         interchange::kProductMV,
         "data/Animations.json"},
        {"2000", {"RPG_RT.lmt", "RPG_RT.ldb"}, "", interchange::kProduct2000, "RPG_RT.ldb"},
        {"a database without its project file",
         {"Data/Animations.rvdata2"},
         "",
         interchange::kProductVXAce,
         "Data/Animations.rvdata2"},
        {"the project file of one, the database of another",
         {"Game.rxproj", "Data/Animations.rvdata2"},
         "",
         interchange::kProductVXAce,
         "Data/Animations.rvdata2"},
        {"a project file without its database", {"Game.rvproj2"}, "", -1, ""},
        {"another file", {"notes.txt"}, "notes.txt", -1, ""},
        {"nothing there", {}, "missing", -1, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        TempDir dir;
        for (const char* f : row.files)
            Touch(dir.file(f));
        game::strGameLocation at;
        std::string error;
        const bool found = game::LocateGame(*row.open ? dir.file(row.open) : dir.path(), at, &error);
        EXPECT_EQ(found, row.product >= 0) << error;
        if (!found) {
            EXPECT_FALSE(error.empty());
            continue;
        }
        EXPECT_EQ(at.product->product, row.product);
        EXPECT_EQ(at.folder, dir.path());
        EXPECT_EQ(at.database, dir.file(row.database));
    }
}

TEST(GameAssets, SearchesTheGameThenTheRuntimePackagesAndSaysWhatItTried) {
    TempDir game, rtp;
    Touch(game.file("Game.rxproj"));
    Touch(game.file("Data/Animations.rxdata"));
    Touch(game.file("Graphics/Animations/fire1.PNG")); // named on a system that ignores case
    Touch(game.file("Graphics/Animations/Fire1.txt"));
    Touch(rtp.file("Graphics/Animations/Thunder1.png"));
    Touch(rtp.file("Audio/SE/Thunder1.ogg"));
    cConfig config;
    config.RTPFolder_XP = rtp.path();
    config.RTPFolder_VX = "/elsewhere"; // another product's package is not searched
    game::strGameLocation at;
    ASSERT_TRUE(game::LocateGame(game.path(), at));
    game::cGameAssets assets(at, config);

    game::strAssetSearch s = assets.findPicture("Fire1");
    EXPECT_EQ(s.found, game.file("Graphics/Animations/fire1.PNG"));
    EXPECT_TRUE(s.inGame);
    s = assets.findPicture("Thunder1");
    EXPECT_EQ(s.found, rtp.file("Graphics/Animations/Thunder1.png"));
    EXPECT_FALSE(s.inGame);
    s = assets.findSound("Thunder1");
    EXPECT_EQ(s.found, rtp.file("Audio/SE/Thunder1.ogg"));

    s = assets.findPicture("Ice");
    EXPECT_TRUE(s.found.empty());
    ASSERT_EQ(s.tried.size(), 2u);
    EXPECT_EQ(s.tried[0], game.file("Graphics/Animations/Ice.{png,bmp,gif,xyz,jpg}"));
    EXPECT_EQ(s.tried[1], rtp.file("Graphics/Animations/Ice.{png,bmp,gif,xyz,jpg}"));
    EXPECT_EQ(s.describe("picture", "Ice"),
              "picture Ice not found (tried " + s.tried[0] + "; " + s.tried[1] + ")");
}

} // namespace
