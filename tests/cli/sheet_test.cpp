// Black-box tests of `pelko sheet`, `pelko import gif` and `pelko tween` on the sample: a sheet built
// from the sample's exported frames holds those very pictures, a GIF export comes back as an
// animation of the same timing, and each command's refusals are one line.

#include "cli/cli_fixture.h"
#include "image/picture_loader.h"
#include "support/message_texts.h"

#include <cstring>
#include <filesystem>

using testing_support::RunCommand;
using testing_support::TempDir;

namespace {

class CliSheet : public ::testing::Test {
  protected:
    void SetUp() override {
        cli_fixture::MakeSample(dir.file("s"));
        testing_support::WriteText(dir.file("config.ini"), "");
    }
    std::string Run(const std::string& args, int expectStatus = 0) {
        int status = -1;
        const std::string out =
            cli_fixture::Pelko("--config " + dir.file("config.ini") + " " + args, &status);
        EXPECT_EQ(status, expectStatus) << args << "\n" << out;
        return out;
    }
    std::string sample() const { return dir.file("s/sample.txt"); }
    TempDir dir;
};

} // namespace

TEST_F(CliSheet, ASheetOfTheSamplesFramesHoldsThoseFrames) {
    ASSERT_TRUE(std::filesystem::create_directory(dir.file("frames")));
    Run("export png " + sample() + " " + dir.file("frames/f.png") + " --area=-96,-96,192,192 --alpha");
    const std::string out =
        Run("sheet build " + dir.file("frames") + " " + dir.file("sheet.png") + " --product mv");
    EXPECT_NE(out.find("24 patterns of 192 x 192, 5 a row (960 x 960)"), std::string::npos) << out;
    EXPECT_EQ(out.find("scaled"), std::string::npos) << out;
    cBMP sheet;
    ASSERT_TRUE(LoadPictureFile(dir.file("sheet.png"), sheet));
    for (int k = 0; k < 24; ++k) {
        cBMP frame;
        char name[32];
        std::snprintf(name, sizeof name, "frames/f%05d.png", k);
        ASSERT_TRUE(LoadPictureFile(dir.file(name), frame)) << name;
        for (int y = 0; y < 192; ++y)
            ASSERT_EQ(std::memcmp(frame.dib()->row(y),
                                  sheet.dib()->row((k / 5) * 192 + y) + (k % 5) * 192 * 4, 192 * 4),
                      0)
                << name << " row " << y;
    }
    // The sheet is what MV takes; the sample's own picture is not what XP takes.
    EXPECT_NE(Run("sheet check " + dir.file("sheet.png") + " --product mv").find("960 x 960, 25 patterns"),
              std::string::npos);
    const std::string xp = Run("sheet check " + dir.file("s/sample_sheet.png") + " --product xp", 1);
    EXPECT_NE(xp.find("the picture is 480 x 192 pixels, not a multiple of the 192-pixel pattern"),
              std::string::npos)
        << xp;
    EXPECT_NE(
        xp.find("pelko: " + dir.file("s/sample_sheet.png") + ": 2 things that RPG Maker XP does not take"),
        std::string::npos)
        << xp;
}

TEST_F(CliSheet, AGifExportComesBackWithItsTiming) {
    Run("export gif " + sample() + " " + dir.file("a.gif") + " --limit6");
    const std::string out = Run("import gif " + dir.file("a.gif") + " " + dir.file("back.dat"));
    EXPECT_NE(out.find("24 frames from"), std::string::npos) << out;
    EXPECT_TRUE(std::filesystem::exists(dir.file("back.png")));
    const nlohmann::json d = cli_fixture::Dump(dir.file("back.dat"), "--config " + dir.file("config.ini"));
    ASSERT_EQ(d["frames"].size(), 24u);
    EXPECT_EQ(d["pictures"][0]["path"], "back.png");
    // The GIF's 60 and 120 ms at 16 ms a tick: 3.75 and 7.5 ticks, rounded on the running total.
    int total = 0;
    for (const auto& f : d["frames"])
        total +=
            f["interval"].get<int>() ? f["interval"].get<int>() : d["settings"]["basicInterval"].get<int>();
    EXPECT_EQ(total, 98); // 1560 ms

    // As the editor's Save as stores it: a sheet below the project's folder by its relative path,
    // any other by its whole path.
    std::filesystem::create_directories(dir.file("o/s"));
    Run("import gif " + dir.file("a.gif") + " " + dir.file("o/deep.dat") + " --sheet " +
        dir.file("o/s/deep.png"));
    Run("import gif " + dir.file("a.gif") + " " + dir.file("o/far.dat") + " --sheet " + dir.file("far.png"));
    const std::string config = "--config " + dir.file("config.ini");
    EXPECT_EQ(cli_fixture::Dump(dir.file("o/deep.dat"), config)["pictures"][0]["path"], "s/deep.png");
    EXPECT_EQ(cli_fixture::Dump(dir.file("o/far.dat"), config)["pictures"][0]["path"], dir.file("far.png"));
}

TEST_F(CliSheet, TweenEasesTheChosenGroups) {
    const std::string out = Run("tween " + sample() + " " + dir.file("t.txt") +
                                " --cells 1 --from 2 --to 12 --ease in-out --params position");
    EXPECT_NE(out.find(Msg(kMsgCompensated, 2, 12, 9)), std::string::npos) << out;
    const nlohmann::json d = cli_fixture::Dump(dir.file("t.txt"), "--config " + dir.file("config.ini"));
    // Cell 1 goes from (21, 15) to (-45, -33): half way in time is half way in place; a fifth of the
    // way in time is 4 t^3 = 0.032 of the way. The angle is not in the groups: it keeps its values.
    const auto cell = [&](int frame) { return d["frames"][frame]["cells"][1]; };
    EXPECT_EQ(cell(7)["x"], 21 - 33);
    EXPECT_EQ(cell(7)["y"], 15 - 24);
    EXPECT_EQ(cell(4)["x"], 21 - 2);
    EXPECT_EQ(cell(7)["angle"], 1050);
    // The same tween over its own result changes nothing and says so, as the editor does.
    const std::string again = Run("tween " + dir.file("t.txt") + " " + dir.file("t2.txt") +
                                  " --cells 1 --from 2 --to 12 --ease in-out --params position");
    EXPECT_NE(again.find(Msg(kMsgCellsAlreadyHold)), std::string::npos) << again;
}

TEST_F(CliSheet, RefusalsAreOneLine) {
    const std::string s = sample() + " " + dir.file("o.txt");
    const struct {
        std::string args, names;
    } rows[] = {
        {"tween " + s + " --cells 9 --from 2 --to 12", "cell 9 does not exist"},
        {"tween " + s + " --cells 1 --from 2 --to 12 --ease wobble", "--ease knows linear"},
        {"tween " + s + " --cells 1 --from 2 --to 12 --bezier 1.5,0,1,1", "x1 and x2 must lie in 0..1"},
        {"tween " + s + " --cells 1 --from 2 --to 99", "frame 99 does not exist"},
        {"tween " + s + " --cells 5 --from 2 --to 12", "nothing to tween"},
        {"sheet build " + dir.file("s/sample_sheet.png") + " " + dir.file("x.png") + " --strip 100",
         "not a multiple of the 100 x 192 frames"},
        {"sheet build " + dir.file("nothing") + " " + dir.file("x.png"),
         dir.file("nothing") + " does not exist"},
        {"sheet check " + dir.file("s/sample.txt"), "cannot read"},
        {"sheet check " + dir.file("s/sample_sheet.png") + " --product ps1", "--product knows"},
        {"import gif " + dir.file("s/sample_sheet.png") + " " + dir.file("g.txt"), "cannot read the GIF"},
        {"export webp " + s + " --lossy 101", "--lossy"},
    };
    for (const auto& row : rows)
        cli_fixture::ExpectOneLineFailure("--config " + dir.file("config.ini") + " " + row.args, row.names);
    EXPECT_FALSE(std::filesystem::exists(dir.file("o.txt")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.png")));
}
