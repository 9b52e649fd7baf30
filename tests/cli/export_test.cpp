// Black-box tests of `pelko render` and `pelko export png|gif`: a project and its picture are written
// into a temporary folder, the tool runs on them, and its output files are read back.

#include "config/config.h"
#include "document/anime_file_device.h"
#include "document/project.h"
#include "export/png_writer.h"
#include "image/picture_loader.h"
#include "support/test_support.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>

using testing_support::RunCommand;
using testing_support::TempDir;

namespace {

uint32_t Colour(int k) { return 0xFF000000u | uint32_t(40 + k * 50) << 16 | uint32_t(200 - k * 40) << 8 | uint32_t(k * 60); }

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
    }

    std::string project() const { return dir.file("project.txt"); }
    // Runs pelko with an empty settings file; returns stdout and stderr together.
    std::string Pelko(const std::string& args, int* status) {
        testing_support::WriteText(dir.file("config.ini"), "");
        return RunCommand(std::string(PELKO_TOOL) + " --config " + dir.file("config.ini") + " " + args + " 2>&1",
                          status);
    }
    static std::unique_ptr<cBMP> Png(const std::string& path) {
        auto b = std::make_unique<cBMP>();
        EXPECT_TRUE(LoadPictureFile(path, *b)) << path;
        return b;
    }

    TempDir dir;
};

struct strGif {
    GifFileType* g = nullptr;
    explicit strGif(const std::string& path) {
        int err = 0;
        g = DGifOpenFileName(path.c_str(), &err);
        if (g && DGifSlurp(g) != GIF_OK) {
            DGifCloseFile(g, &err);
            g = nullptr;
        }
    }
    ~strGif() {
        int err = 0;
        if (g) DGifCloseFile(g, &err);
    }
    int Delay(int i) const {
        GraphicsControlBlock gcb{};
        DGifSavedExtensionToGCB(g, i, &gcb);
        return gcb.DelayTime;
    }
};

}  // namespace

TEST_F(CliExport, RenderOneFrame) {
    int status = -1;
    std::string out = Pelko("render " + project() + " 1 " + dir.file("f1.png") + " --area=-4,-3,8,6", &status);
    ASSERT_EQ(status, 0) << out;
    auto png = Png(dir.file("f1.png"));
    int w = 0, h = 0;
    png->GetSize(w, h);
    EXPECT_EQ(w, 8);
    EXPECT_EQ(h, 6);
    EXPECT_EQ(png->Dib()->ReadPixel(2, 1), Colour(1));
    EXPECT_EQ(png->Dib()->ReadPixel(0, 0), 0xFF000000u);  // background "CTrans" 0, opaque

    out = Pelko("render " + project() + " 0 " + dir.file("f0.png") + " --area=-4,-3,8,6 --alpha --background 0x102030",
                &status);
    ASSERT_EQ(status, 0) << out;
    png = Png(dir.file("f0.png"));
    EXPECT_EQ(png->Dib()->ReadPixel(0, 0), 0x00102030u);
    EXPECT_EQ(png->Dib()->ReadPixel(3, 2), Colour(0));

    // The default area is "Auto": the cells' box plus one pixel, and the origin.
    out = Pelko("render " + project() + " 2 " + dir.file("auto.png"), &status);
    ASSERT_EQ(status, 0) << out;
    png = Png(dir.file("auto.png"));
    png->GetSize(w, h);
    EXPECT_EQ(w, 6);
    EXPECT_EQ(png->Dib()->ReadPixel(1, 1), Colour(2));

    // A mirrored area.
    out = Pelko("render " + project() + " 0 " + dir.file("m.png") + " --area=2,-2,-4,4", &status);
    ASSERT_EQ(status, 0) << out;
}

TEST_F(CliExport, RenderFailures) {
    int status = -1;
    std::string out = Pelko("render " + project() + " 3 " + dir.file("x.png"), &status);
    EXPECT_EQ(status, 1);
    EXPECT_NE(out.find("frame 3 does not exist"), std::string::npos) << out;
    out = Pelko("render " + dir.file("none.txt") + " 0 " + dir.file("x.png"), &status);
    EXPECT_EQ(status, 1);
    out = Pelko("render " + project() + " 0 " + dir.file("x.png") + " --area 0,0,3841,10", &status);
    EXPECT_EQ(status, 1);
    EXPECT_NE(out.find("3840"), std::string::npos) << out;
    out = Pelko("render " + project() + " 0 " + dir.file("x.png") + " --area 1,2,3", &status);
    EXPECT_EQ(status, 1);
    out = Pelko("render " + project() + " 0 " + dir.file("x.png") + " --background 0xGG0000", &status);
    EXPECT_EQ(status, 1);
    out = Pelko("render " + project() + " 0 " + dir.file("no/folder/x.png"), &status);
    EXPECT_EQ(status, 1);
    EXPECT_NE(out.find("cannot write " + dir.file("no/folder/x.png")), std::string::npos) << out;
    out = Pelko("render " + project() + " 0 " + dir.file("x.png") + " --target " + dir.file("none.png"), &status);
    EXPECT_EQ(status, 1);
    EXPECT_NE(out.find("target"), std::string::npos) << out;
}

TEST_F(CliExport, PngSheet) {
    int status = -1;
    std::string out =
        Pelko("export png " + project() + " " + dir.file("sheet.png") + " --per-row 2 --area=-2,-2,4,4 --alpha", &status);
    ASSERT_EQ(status, 0) << out;
    EXPECT_NE(out.find("sheet of 2 x 2 cells of 4 x 4 (3 images)"), std::string::npos) << out;
    auto png = Png(dir.file("sheet.png"));
    int w = 0, h = 0;
    png->GetSize(w, h);
    EXPECT_EQ(w, 8);
    EXPECT_EQ(h, 8);
    EXPECT_EQ(png->Dib()->ReadPixel(1, 1), Colour(0));
    EXPECT_EQ(png->Dib()->ReadPixel(5, 1), Colour(1));
    EXPECT_EQ(png->Dib()->ReadPixel(1, 5), Colour(2));
    EXPECT_EQ(png->Dib()->ReadPixel(5, 5) >> 24, 0u);  // the empty cell is transparent

    out = Pelko("export png " + project() + " " + dir.file("col.png") +
                    " --sheet --per-column 2 --column-first --interval --area=-2,-2,4,4",
                &status);
    ASSERT_EQ(status, 0) << out;
    png = Png(dir.file("col.png"));
    png->GetSize(w, h);
    EXPECT_EQ(w, 8);  // 4 images (frame 1 twice), 2 rows
    EXPECT_EQ(h, 8);
    EXPECT_EQ(png->Dib()->ReadPixel(1, 5), Colour(1));
    EXPECT_EQ(png->Dib()->ReadPixel(5, 1), Colour(1));
    EXPECT_EQ(png->Dib()->ReadPixel(5, 5), Colour(2));

    out = Pelko("export png " + project() + " " + dir.file("big.png") + " --sheet --per-row 999 --area 0,0,1281,10",
                &status);
    EXPECT_EQ(status, 1);
    EXPECT_NE(out.find("3840"), std::string::npos) << out;
}

TEST_F(CliExport, PngSequence) {
    int status = -1;
    std::string out = Pelko("export png " + project() + " " + dir.file("seq.png") + " --area=-2,-2,4,4", &status);
    ASSERT_EQ(status, 0) << out;
    for (int k = 0; k < 3; ++k) {
        auto png = Png(dir.file("seq0000" + std::to_string(k) + ".png"));
        EXPECT_EQ(png->Dib()->ReadPixel(0, 0), Colour(k));
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("seq00003.png")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("seq.png")));

    // A sequence into a missing folder fails on its first file.
    out = Pelko("export png " + project() + " " + dir.file("none/seq.png"), &status);
    EXPECT_EQ(status, 1);
    EXPECT_NE(out.find("cannot write " + dir.file("none/seq00000.png")), std::string::npos) << out;
}

TEST_F(CliExport, Gif) {
    int status = -1;
    std::string out = Pelko("export gif " + project() + " " + dir.file("a.gif") + " --limit6 --area=-2,-2,4,4", &status);
    ASSERT_EQ(status, 0) << out;
    {
        strGif gif(dir.file("a.gif"));
        ASSERT_TRUE(gif.g);
        ASSERT_EQ(gif.g->ImageCount, 3);
        EXPECT_EQ(gif.Delay(0), 6);
        EXPECT_EQ(gif.Delay(1), 12);
        EXPECT_EQ(gif.Delay(2), 6);
    }
    // Flashes: one image per tick while the flash of frame 0 runs (frame 1 twice).
    out = Pelko("export gif " + project() + " " + dir.file("f.gif") + " --flash --fps 30 --zoom 200 --area=-2,-2,4,4",
                &status);
    ASSERT_EQ(status, 0) << out;
    {
        strGif gif(dir.file("f.gif"));
        ASSERT_TRUE(gif.g);
        EXPECT_EQ(gif.g->ImageCount, 4);
        EXPECT_EQ(gif.g->SWidth, 8);
        EXPECT_EQ(gif.Delay(0), 3);  // 100 / 30 per tick
    }
    // Transparent background: the cell's box only.
    out = Pelko("export gif " + project() + " " + dir.file("t.gif") + " --transparent --area=-4,-4,8,8", &status);
    ASSERT_EQ(status, 0) << out;
    {
        strGif gif(dir.file("t.gif"));
        ASSERT_TRUE(gif.g);
        EXPECT_EQ(gif.g->SavedImages[0].ImageDesc.Width, 4);
        EXPECT_EQ(gif.g->SavedImages[0].ImageDesc.Left, 2);
    }
    out = Pelko("export gif " + project() + " " + dir.file("big.gif") + " --area 0,0,1025,10", &status);
    EXPECT_EQ(status, 1);
    EXPECT_NE(out.find("1024"), std::string::npos) << out;
    out = Pelko("export gif " + project() + " " + dir.file("no/a.gif") + " --area 0,0,10,10", &status);
    EXPECT_EQ(status, 1);
    EXPECT_NE(out.find("cannot write " + dir.file("no/a.gif")), std::string::npos) << out;
    EXPECT_EQ(out.find("completion"), std::string::npos);
}
