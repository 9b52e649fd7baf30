// Black-box tests of `pelko render` and `pelko export png|gif`: a project and its picture are written
// into a temporary folder, the tool runs on them, and its output files are read back.

#include "cli/cli_fixture.h"
#include "document/anime_file_device.h"
#include "export/export_fixture.h"
#include "export/png_writer.h"
#include "image/picture_loader.h"

#include <sys/stat.h>

#include <filesystem>
#include <tuple>
#include <vector>

using export_fixture::PatternColour;
using export_fixture::strGifReadBack;
using testing_support::TempDir;

namespace {

// strip.png: four 4 x 4 patterns of solid colours; project.txt: frames of lengths 1, 2, 1 showing
// patterns 1, 2, 3 at the origin, and a white screen flash of 3 frames starting at frame 0.
class CliExport : public ::testing::Test {
  protected:
    void SetUp() override {
        auto strip = render_fixture::MakeDib(16, 4, [](int x, int) { return PatternColour(x / 4); });
        ASSERT_TRUE(WritePngFile(dir.file("strip.png"), *strip, true));
        export_fixture::strExportFixture f({1, 2, 1}, 4);
        strEffect flash;
        flash.flags = strEffect::kFlash;
        flash.flashFrames = 3;
        flash.flashRed = flash.flashGreen = flash.flashBlue = 255;
        f.doc->addEffect(flash);
        anime::cAnimeFileDevice device;
        ASSERT_EQ(device.save(project(), *f.doc, anime::kFormatText), 1) << device.lastError();
        testing_support::WriteText(dir.file("config.ini"), "");
    }

    std::string project() const { return dir.file("project.txt"); }

    // Runs `pelko <command> <project> <args>`, which must succeed, with an empty settings file;
    // returns stdout and stderr together.
    std::string Run(const std::string& command, const std::string& args) {
        int status = -1;
        const std::string out = cli_fixture::Pelko(
            "--config " + dir.file("config.ini") + " " + command + " " + project() + " " + args, &status);
        EXPECT_EQ(status, 0) << args << "\n" << out;
        return out;
    }
    // Checks the size of a PNG the tool wrote and the colours (x, y, colour) of some of its pixels.
    void expectPng(const std::string& file, int width, int height,
                   const std::vector<std::tuple<int, int, uint32_t>>& pixels) {
        SCOPED_TRACE(file);
        cBMP png;
        ASSERT_TRUE(LoadPictureFile(dir.file(file), png));
        ASSERT_TRUE(png.dib());
        EXPECT_EQ(std::pair(png.dib()->width(), png.dib()->height()), std::pair(width, height));
        for (const auto& [x, y, colour] : pixels)
            EXPECT_EQ(png.dib()->readPixel(x, y), colour) << x << "," << y;
    }
    TempDir dir;
};

} // namespace

TEST_F(CliExport, RenderAndPngExportsHoldThePatterns) {
    // The background is "CTrans" 0, opaque.
    Run("render", "1 " + dir.file("f1.png") + " --area=-4,-3,8,6");
    expectPng("f1.png", 8, 6, {{2, 1, PatternColour(1)}, {0, 0, 0xFF000000u}});
    Run("render", "0 " + dir.file("f0.png") + " --area=-4,-3,8,6 --alpha --background 0x102030");
    expectPng("f0.png", 8, 6, {{0, 0, 0x00102030u}, {3, 2, PatternColour(0)}});
    // The default area is "Auto": the cells' box plus one pixel, and the origin.
    Run("render", "2 " + dir.file("auto.png"));
    expectPng("auto.png", 6, 6, {{1, 1, PatternColour(2)}});

    // Row by row; the empty cell of the sheet is transparent.
    std::string out = Run("export png", dir.file("sheet.png") + " --per-row 2 --area=-2,-2,4,4 --alpha");
    EXPECT_NE(out.find("sheet of 2 x 2 cells of 4 x 4 (3 images)"), std::string::npos) << out;
    expectPng("sheet.png", 8, 8, {{5, 1, PatternColour(1)}, {5, 5, 0}});
    // 4 images (frame 1 twice) in 2 rows, column first.
    out = Run("export png",
              dir.file("col.png") + " --sheet --per-column 2 --column-first --interval --area=-2,-2,4,4");
    EXPECT_NE(out.find("(4 images)"), std::string::npos) << out;
    expectPng("col.png", 8, 8, {{1, 5, PatternColour(1)}});

    // Without a sheet, one numbered file per image.
    out = Run("export png", dir.file("seq.png") + " --area=-2,-2,4,4");
    EXPECT_NE(out.find(dir.file("seq00000.png") + " .. " + dir.file("seq00002.png") + ": 3 images of 4 x 4"),
              std::string::npos)
        << out;
    expectPng("seq00002.png", 4, 4, {{0, 0, PatternColour(2)}});
    EXPECT_FALSE(std::filesystem::exists(dir.file("seq00003.png")));
}

TEST_F(CliExport, Failures) {
    const std::string x = dir.file("x.png");
    const struct {
        std::string command, args, message;
    } cases[] = {
        {"render", "3 " + x, "frame 3 does not exist"},
        {"render", "0 " + x + " --area 0,0,3841,10", "3840"},
        {"render", "0 " + x + " --area 1,2,3", ""},
        {"render", "0 " + x + " --area 0,0,0,5", "no width or no height"},
        {"render", "0x5 " + x, "0x5"},
        {"render", "1e0 " + x, "1e0"},
        {"export gif", dir.file("z.gif") + " --fps 0x3c", "0x3c"},
        {"export png", dir.file("z.png") + " --sheet --per-row 5x", "5x"},
        {"render", "0 " + x + " --background 0xGG0000", ""},
        {"render", "0 " + dir.file("no/folder/x.png"),
         "cannot create a temporary file beside " + dir.file("no/folder/x.png") + ": no such file or folder"},
        {"export gif", dir.file("big.gif") + " --area 0,0,1025,10", "1024"},
        {"export gif", dir.file("no/a.gif") + " --area 0,0,10,10",
         "cannot create a temporary file beside " + dir.file("no/a.gif")},
    };
    const std::string config = "--config " + dir.file("config.ini") + " ";
    for (const auto& c : cases)
        cli_fixture::ExpectOneLineFailure(config + c.command + " " + project() + " " + c.args, c.message);
    // No project file.
    cli_fixture::ExpectOneLineFailure(config + "render " + dir.file("none.txt") + " 0 " + x, "cannot read");
    // A target that cannot be read is one line, with the loader's reason in it.
    cli_fixture::ExpectOneLineFailure(config + "render " + project() + " 0 " + x + " --target " +
                                          dir.file("none.png"),
                                      "cannot load the target picture " + dir.file("none.png"));
    // A FIFO as project or target is refused at once, never opened for a blocking read.
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
    cli_fixture::ExpectOneLineFailure(config + "render " + dir.file("fifo") + " 0 " + x,
                                      "not a regular file: " + dir.file("fifo"));
    cli_fixture::ExpectOneLineFailure(
        config + "render " + project() + " 0 " + x + " --target " + dir.file("fifo"), "not a regular file");
}

TEST_F(CliExport, Gif) {
    Run("export gif", dir.file("a.gif") + " --limit6 --area=-2,-2,4,4");
    strGifReadBack a(dir.file("a.gif"));
    EXPECT_EQ(a.delays(), (std::vector<int>{6, 12, 6}));
    // Flashes: one image per tick while the flash of frame 0 runs (frame 1 twice).
    Run("export gif", dir.file("f.gif") + " --flash --fps 30 --zoom 200 --area=-2,-2,4,4");
    strGifReadBack f(dir.file("f.gif"));
    ASSERT_EQ(f.frames(), 4);
    EXPECT_EQ(f.gif->SWidth, 8);
    EXPECT_EQ(f.gcb(0).DelayTime, 3); // 100 / 30 per tick
    // Transparent background: the cell's box only.
    Run("export gif", dir.file("t.gif") + " --transparent --area=-4,-4,8,8");
    strGifReadBack t(dir.file("t.gif"));
    ASSERT_GT(t.frames(), 0);
    EXPECT_EQ(t.gif->SavedImages[0].ImageDesc.Width, 4);
}

TEST_F(CliExport, InfoLoadsPicturesAgainstTheProjectFolder) {
    const std::string out = Run("info", "");
    EXPECT_NE(
        out.find("picture 0: strip.png: loaded, 16 x 4, 32 bits (loaded as 32), 4 x 1 patterns of 4 x 4"),
        std::string::npos)
        << out;
}

TEST_F(CliExport, ActorSideRenderIsMirroredAndPlayAsSkipsTheOtherCondition) {
    // Frame 0 shows pattern 1 at x = 3 with pattern 2 on top at x = -1; timings on frame 1: one for a
    // hit, one for a miss, one always.
    export_fixture::strExportFixture f({1, 1, 1}, 4);
    strCell c = *f.doc->cell(0, 0);
    c.x = 3;
    ASSERT_TRUE(f.doc->setCell(0, 0, &c));
    c.pattern = 2;
    c.x = -1;
    ASSERT_TRUE(f.doc->setCell(0, 1, &c));
    for (const char* condition : {"HIT", "MISS", "ALWAYS"})
        f.doc->addEffect({.startFrame = 1, .flags = strEffect::kUserData, .userData = condition});
    anime::cAnimeFileDevice device;
    const std::string side = dir.file("side.txt");
    ASSERT_EQ(device.save(side, *f.doc, anime::kFormatText), 1) << device.lastError();

    int status = -1;
    const std::string config = "--config " + dir.file("config.ini") + " ";
    for (const char* extra : {"", " --actor-side"}) {
        const std::string out =
            cli_fixture::Pelko(config + "render " + side + " 0 " + dir.file(extra[0] ? "m.png" : "p.png") +
                                   " --area=-8,-4,16,8" + extra,
                               &status);
        ASSERT_EQ(status, 0) << out;
    }
    cBMP plain, mirrored;
    ASSERT_TRUE(LoadPictureFile(dir.file("p.png"), plain));
    ASSERT_TRUE(LoadPictureFile(dir.file("m.png"), mirrored));
    bool differs = false;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x) {
            EXPECT_EQ(mirrored.dib()->readPixel(x, y), plain.dib()->readPixel(15 - x, y)) << x << "," << y;
            differs = differs || plain.dib()->readPixel(x, y) != plain.dib()->readPixel(15 - x, y);
        }
    EXPECT_TRUE(differs);

    // The timings fired on frame 1, played as all, as a hit and as a miss.
    const std::pair<const char*, std::string> rows[] = {
        {"", "[0,1,2]"}, {" --as hit", "[0,2]"}, {" --as miss", "[1,2]"}};
    for (const auto& [as, fired] : rows) {
        const std::string out = cli_fixture::Pelko(config + "play " + side + " --ticks 1" + as, &status);
        ASSERT_EQ(status, 0) << out;
        EXPECT_NE(out.find("\"fired\":" + fired), std::string::npos) << as << "\n" << out;
    }
    const std::string bad = cli_fixture::Pelko(config + "play " + side + " --as sometimes", &status);
    EXPECT_EQ(status, 1);
    EXPECT_NE(bad.find("--as takes all, hit or miss"), std::string::npos) << bad;
}
