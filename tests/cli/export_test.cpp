// Black-box tests of `pelko render` and `pelko export png|gif`: a project and its picture are written
// into a temporary folder, the tool runs on them, and its output files are read back.

#include "config/config.h"
#include "document/anime_file_device.h"
#include "document/project.h"
#include "export/export_fixture.h"
#include "export/png_writer.h"
#include "image/picture_loader.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>

using export_fixture::strGifReadBack;
using testing_support::RunCommand;
using testing_support::TempDir;

namespace {

uint32_t Colour(int k) {
    return 0xFF000000u | uint32_t(40 + k * 50) << 16 | uint32_t(200 - k * 40) << 8 | uint32_t(k * 60);
}

// strip.png: four 4 x 4 patterns of solid colours; project.txt: frames of lengths 1, 2, 1 showing
// patterns 1, 2, 3 at the origin, and a screen flash of 3 frames starting at frame 0.
class CliExport : public ::testing::Test {
  protected:
    void SetUp() override {
        auto dib = cDib::Create(16, 4, 32);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 16; ++x) {
                uint32_t v = Colour(x / 4);
                std::memcpy(dib->Row(y) + x * 4, &v, 4);
            }
        ASSERT_TRUE(WritePngFile(dir.file("strip.png"), *dib, true));
        cConfig config;
        config.setDefaults();
        cProject doc(&config);
        ASSERT_TRUE(doc.create(3, 4, 1, 2));
        strPicture p;
        p.divX = 4;
        p.path = "strip.png";
        doc.pictures().setCopy(0, p);
        const int lengths[3] = {1, 2, 1};
        for (int f = 0; f < 3; ++f) {
            doc.frameOrCreate(f);
            doc.setFrameInterval(f, uint16_t(lengths[f]));
            strCell c;
            c.pattern = uint16_t(f + 1);
            doc.setCell(f, 0, &c);
        }
        strEffect e;
        e.flags = strEffect::kFlash;
        e.flashFrames = 3;
        e.flashRed = e.flashGreen = e.flashBlue = 255;
        doc.addEffect(e);
        ANIME::cAnimeFile_Device device;
        ASSERT_EQ(device.save(project(), doc, ANIME::kFormatText), 1) << device.lastError();
        testing_support::WriteText(dir.file("config.ini"), "");
    }

    std::string project() const { return dir.file("project.txt"); }
    // Runs `pelko <command> <project> <args>` with an empty settings file; stdout and stderr together.
    std::string Pelko(const std::string& command, const std::string& args, int* status) {
        return RunCommand(std::string(PELKO_TOOL) + " --config " + dir.file("config.ini") + " " + command +
                              " " + project() + " " + args + " 2>&1",
                          status);
    }
    // Runs a command that must succeed, and loads the PNG it wrote.
    // lead: the frame number of `render`.
    std::unique_ptr<cBMP> Png(const std::string& command, const std::string& lead, const std::string& file,
                              const std::string& args) {
        int status = -1;
        std::string out = Pelko(command, lead + dir.file(file) + " " + args, &status);
        EXPECT_EQ(status, 0) << out;
        auto b = std::make_unique<cBMP>();
        EXPECT_TRUE(LoadPictureFile(dir.file(file), *b)) << file;
        return b;
    }
    uint32_t At(const cBMP& b, int x, int y) { return b.Dib() ? b.Dib()->ReadPixel(x, y) : 0; }

    TempDir dir;
};

} // namespace

TEST_F(CliExport, Render) {
    auto png = Png("render", "1 ", "f1.png", "--area=-4,-3,8,6");
    int w = 0, h = 0;
    png->GetSize(w, h);
    EXPECT_EQ(w, 8);
    EXPECT_EQ(h, 6);
    EXPECT_EQ(At(*png, 2, 1), Colour(1));
    EXPECT_EQ(At(*png, 0, 0), 0xFF000000u); // background "CTrans" 0, opaque
    png = Png("render", "0 ", "f0.png", "--area=-4,-3,8,6 --alpha --background 0x102030");
    EXPECT_EQ(At(*png, 0, 0), 0x00102030u);
    EXPECT_EQ(At(*png, 3, 2), Colour(0));
    // The default area is "Auto": the cells' box plus one pixel, and the origin.
    png = Png("render", "2 ", "auto.png", "");
    png->GetSize(w, h);
    EXPECT_EQ(w, 6);
    EXPECT_EQ(At(*png, 1, 1), Colour(2));
    Png("render", "0 ", "m.png", "--area=2,-2,-4,4"); // a mirrored area
}

TEST_F(CliExport, Failures) {
    const std::string x = dir.file("x.png");
    const struct {
        std::string command, args, message;
    } cases[] = {
        {"render", "3 " + x, "frame 3 does not exist"},
        {"render", "0 " + x + " --area 0,0,3841,10", "3840"},
        {"render", "0 " + x + " --area 1,2,3", ""},
        {"render", "0 " + x + " --background 0xGG0000", ""},
        {"render", "0 " + dir.file("no/folder/x.png"), "cannot write " + dir.file("no/folder/x.png")},
        {"render", "0 " + x + " --target " + dir.file("none.png"), "target"},
        {"export png", dir.file("big.png") + " --sheet --per-row 999 --area 0,0,1281,10", "3840"},
        {"export png", dir.file("none/seq.png"),
         "cannot write " + dir.file("none/seq00000.png")}, // first file
        {"export gif", dir.file("big.gif") + " --area 0,0,1025,10", "1024"},
        {"export gif", dir.file("no/a.gif") + " --area 0,0,10,10", "cannot write " + dir.file("no/a.gif")},
    };
    for (const auto& c : cases) {
        int status = -1;
        std::string out = Pelko(c.command, c.args, &status);
        EXPECT_EQ(status, 1) << c.args << "\n" << out;
        EXPECT_NE(out.find(c.message), std::string::npos) << c.args << "\n" << out;
        EXPECT_EQ(out.find("completion"), std::string::npos) << c.args;
    }
    int status = -1;
    RunCommand(std::string(PELKO_TOOL) + " --config " + dir.file("config.ini") + " render " +
                   dir.file("none.txt") + " 0 " + x + " 2>&1",
               &status);
    EXPECT_EQ(status, 1); // no project file
}

TEST_F(CliExport, PngSheetAndSequence) {
    int status = -1;
    std::string out =
        Pelko("export png", dir.file("sheet.png") + " --per-row 2 --area=-2,-2,4,4 --alpha", &status);
    ASSERT_EQ(status, 0) << out;
    EXPECT_NE(out.find("sheet of 2 x 2 cells of 4 x 4 (3 images)"), std::string::npos) << out;
    cBMP png;
    ASSERT_TRUE(LoadPictureFile(dir.file("sheet.png"), png));
    int w = 0, h = 0;
    png.GetSize(w, h);
    EXPECT_EQ(w, 8);
    EXPECT_EQ(h, 8);
    EXPECT_EQ(At(png, 1, 1), Colour(0));
    EXPECT_EQ(At(png, 5, 1), Colour(1));
    EXPECT_EQ(At(png, 1, 5), Colour(2));
    EXPECT_EQ(At(png, 5, 5) >> 24, 0u); // the empty cell is transparent
    // 4 images (frame 1 twice) in 2 rows, column first.
    auto col =
        Png("export png", "", "col.png", "--sheet --per-column 2 --column-first --interval --area=-2,-2,4,4");
    col->GetSize(w, h);
    EXPECT_EQ(w, 8);
    EXPECT_EQ(h, 8);
    EXPECT_EQ(At(*col, 1, 5), Colour(1));
    EXPECT_EQ(At(*col, 5, 1), Colour(1));
    EXPECT_EQ(At(*col, 5, 5), Colour(2));
    // Without --sheet: one numbered file per image.
    out = Pelko("export png", dir.file("seq.png") + " --area=-2,-2,4,4", &status);
    ASSERT_EQ(status, 0) << out;
    for (int k = 0; k < 3; ++k) {
        cBMP seq;
        ASSERT_TRUE(LoadPictureFile(dir.file("seq0000" + std::to_string(k) + ".png"), seq));
        EXPECT_EQ(At(seq, 0, 0), Colour(k));
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("seq00003.png")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("seq.png")));
}

TEST_F(CliExport, Gif) {
    int status = -1;
    std::string out = Pelko("export gif", dir.file("a.gif") + " --limit6 --area=-2,-2,4,4", &status);
    ASSERT_EQ(status, 0) << out;
    strGifReadBack a(dir.file("a.gif"));
    ASSERT_EQ(a.Frames(), 3);
    EXPECT_EQ(a.Gcb(0).DelayTime, 6);
    EXPECT_EQ(a.Gcb(1).DelayTime, 12);
    EXPECT_EQ(a.Gcb(2).DelayTime, 6);
    // Flashes: one image per tick while the flash of frame 0 runs (frame 1 twice).
    out = Pelko("export gif", dir.file("f.gif") + " --flash --fps 30 --zoom 200 --area=-2,-2,4,4", &status);
    ASSERT_EQ(status, 0) << out;
    strGifReadBack f(dir.file("f.gif"));
    ASSERT_EQ(f.Frames(), 4);
    EXPECT_EQ(f.gif->SWidth, 8);
    EXPECT_EQ(f.Gcb(0).DelayTime, 3); // 100 / 30 per tick
    // Transparent background: the cell's box only.
    out = Pelko("export gif", dir.file("t.gif") + " --transparent --area=-4,-4,8,8", &status);
    ASSERT_EQ(status, 0) << out;
    strGifReadBack t(dir.file("t.gif"));
    ASSERT_EQ(t.Frames(), 3);
    EXPECT_EQ(t.gif->SavedImages[0].ImageDesc.Width, 4);
    EXPECT_EQ(t.gif->SavedImages[0].ImageDesc.Left, 2);
}

TEST_F(CliExport, InfoLoadsPicturesAgainstTheProjectFolder) {
    int status = -1;
    std::string out = Pelko("info", "", &status);
    EXPECT_EQ(status, 0) << out;
    EXPECT_NE(out.find("picture 0: strip.png: loaded, 16 x 4, 32 bits (loaded as 32), 4 x 1 patterns of 4 x 4"),
              std::string::npos)
        << out;
}
