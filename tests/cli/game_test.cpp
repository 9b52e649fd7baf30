// Black-box tests of `pelko game`: the tool run on a game folder made in a temporary folder (the MV
// database of tests/data/game), its output and exit status, and the files it writes.

#include "cli/cli_fixture.h"

#include <filesystem>

using testing_support::DataPath;
using testing_support::ReadBytes;
using testing_support::TempDir;

namespace {

struct strGame {
    TempDir dir;
    std::string database = dir.file("data/Animations.json");

    strGame() {
        std::filesystem::create_directories(dir.file("data"));
        std::filesystem::create_directories(dir.file("img/animations"));
        testing_support::WriteBytes(dir.file("Game.rpgproject"), {});
        testing_support::WriteBytes(dir.file("img/animations/Fire1.png"), {});
        std::filesystem::copy_file(DataPath("game/Animations.json"), database);
    }
    std::string run(const std::string& args, int* status, bool errorsOnly = false) const {
        return cli_fixture::Pelko("game " + args, status, errorsOnly);
    }
};

TEST(CliGame, InfoAndList) {
    strGame g;
    int status = -1;
    std::string out = g.run("info " + g.dir.path(), &status);
    ASSERT_EQ(status, 0) << out;
    EXPECT_NE(out.find("product: RPG Maker MV\n"), std::string::npos) << out;
    EXPECT_NE(out.find("animations: 4 (last id 5)\n"), std::string::npos) << out;

    out = g.run("list " + g.database, &status); // the database file names the game too
    ASSERT_EQ(status, 0) << out;
    EXPECT_EQ(out,
              "1\tHit Physical\t2\tHitPhysical\n2\t炎の剣\t3\tFire1\n3\t\t1\t\n5\tThunder\t1\tThunder1\n");

    nlohmann::json j = nlohmann::json::parse(g.run("list --json " + g.dir.path(), &status), nullptr, false);
    ASSERT_TRUE(j.is_array());
    ASSERT_EQ(j.size(), 4u);
    EXPECT_EQ(j[1], nlohmann::json({{"id", 2}, {"name", "炎の剣"}, {"frames", 3}, {"pictures", {"Fire1"}}}));
}

TEST(CliGame, ExportChangeImportBack) {
    strGame g;
    const std::string project = g.dir.file("fire.txt");
    int status = -1;
    std::string out = g.run("export " + g.dir.path() + " 2 " + project, &status);
    ASSERT_EQ(status, 0) << out;
    nlohmann::json doc = cli_fixture::Dump(project);
    EXPECT_EQ(doc["name"], "炎の剣");
    // Away from the game the picture is named by its full path.
    EXPECT_EQ(doc["pictures"][0]["path"], g.dir.file("img/animations/Fire1.png"));

    const std::string before = testing_support::ReadText(g.database);
    out = g.run("import " + g.dir.path() + " new " + project + " --name Copy", &status);
    ASSERT_EQ(status, 0) << out;
    EXPECT_NE(out.find("added animation 6 in " + g.database + " (backup: "), std::string::npos) << out;
    out = g.run("list " + g.dir.path(), &status);
    EXPECT_NE(out.find("\n6\tCopy\t3\tFire1\n"), std::string::npos) << out;
    // The file before the new line is the file as it was, less its closing "\n]".
    EXPECT_EQ(testing_support::ReadText(g.database).substr(0, before.size() - 2),
              before.substr(0, before.size() - 2));

    out = g.run("import " + g.dir.path() + " 1 " + project, &status);
    ASSERT_EQ(status, 0) << out;
    EXPECT_NE(out.find("replaced animation 1"), std::string::npos) << out;
    out = g.run("list " + g.dir.path(), &status);
    EXPECT_EQ(out.rfind("1\tHit Physical\t3\tFire1\n", 0), 0u) << out; // the slot keeps its name
}

TEST(CliGame, LossesAreWarningsAndTheWriteGoesOn) {
    // Animation 2 of the 2000 database has a toned cell, which MV cannot hold.
    strGame g;
    TempDir old;
    testing_support::WriteBytes(old.file("RPG_RT.lmt"), {});
    std::filesystem::copy_file(DataPath("game/rpg_rt.ldb"), old.file("RPG_RT.ldb"));
    const std::string project = old.file("fire.dat");
    int status = -1;
    std::string out = g.run("export " + old.path() + " 2 " + project, &status);
    ASSERT_EQ(status, 0) << out;
    const std::string errors = g.run("import " + g.dir.path() + " 2 " + project, &status, true);
    EXPECT_EQ(status, 0) << errors;
    EXPECT_NE(errors.find("pelko: warning: 1 cell loses its colour tone and saturation\n"), std::string::npos)
        << errors;
    EXPECT_NE(errors.find("pelko: warning: picture Fire not found (tried " +
                          g.dir.file("img/animations/Fire.{png,")),
              std::string::npos)
        << errors;
    out = g.run("list " + g.dir.path(), &status);
    EXPECT_NE(out.find("\n2\t炎の剣\t3\tFire\n"), std::string::npos) << out;
}

TEST(CliGame, BadArgumentsAndMissingGamesFailInOneLine) {
    strGame g;
    TempDir empty;
    const std::string project = g.dir.file("p.txt");
    int status = -1;
    ASSERT_EQ((g.run("export " + g.dir.path() + " 2 " + project, &status), status), 0);
    const std::string before = testing_support::ReadText(g.database);
    const struct {
        std::string args, names;
    } rows[] = {
        {"game info " + empty.path(), "is not an RPG Maker game folder"},
        {"game list " + empty.file("nothing"), "does not exist"},
        {"game export " + g.dir.path() + " 0 " + g.dir.file("x.txt"), "not an animation id: 0"},
        {"game export " + g.dir.path() + " 4 " + g.dir.file("x.txt"), "animation 4 is empty"},
        {"game export " + g.dir.path() + " 2 " + g.dir.file("x.png"), "give it .dat or .txt"},
        {"game import " + g.dir.path() + " 9 " + project, "the game has no animation 9 (the last is 5"},
        {"game import " + g.dir.path() + " two " + project, "not an animation id: two"},
        {"game import " + g.dir.path() + " 2 " + g.dir.file("missing.txt"), "missing.txt"},
    };
    for (const auto& row : rows)
        cli_fixture::ExpectOneLineFailure(row.args, row.names);
    EXPECT_EQ(testing_support::ReadText(g.database), before);
}

} // namespace
