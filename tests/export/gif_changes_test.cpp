// GIFs written as changes (changed rectangles, unchanged pixels transparent, smaller palettes,
// deferred clears) show exactly the frames of GIFs written whole: both are read back with giflib and
// composed, and every pixel and every delay must match, for the sample and for animations with
// transparency, flashes and a target picture.

#include "../../samples/sample_project.h"
#include "support/message_texts.h"

#include "export/capture_image.h"
#include "export/cut_range.h"
#include "export/gif_file.h"
#include "export_fixture.h"
#include "image/gif_animation.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using testing_support::TempDir;

namespace {

struct strSample {
    cConfig config;
    cProject doc{&config};
    cPictureSlotTable slots;
    strCaptureArea area;

    strSample() {
        config.setDefaults();
        sample::BuildProject(doc);
        slots.insert(sample::SheetSlot(), 0);
        // A target picture: squares of a gradient between transparent ones.
        auto target = [](int x, int y) {
            return (x / 8 + y / 8) % 3 ? 0xFF000040u | uint32_t(x * 4) << 16 : 0u;
        };
        slots.insert(render_fixture::MakeSlot(60, 60, target), -11);
        strCutRange r;
        ComputeAutoCutRange(doc, slots, r);
        area = {r.left, r.top, r.left + r.width, r.top + r.height};
    }
};

// Exports and reads back; the file's size in *bytes.
strGifAnimation Export(strCaptureRequest r, const std::string& path, bool whole, size_t* bytes) {
    r.outputPath = path;
    r.gifWholeFrames = whole;
    export_fixture::RunCapture(r);
    strGifAnimation gif;
    EXPECT_TRUE(LoadGifAnimationFile(path, gif));
    *bytes = testing_support::ReadBytes(path).size();
    return gif;
}

void ExpectSameFrames(const strGifAnimation& changes, const strGifAnimation& whole, const std::string& what) {
    ASSERT_EQ(changes.frames.size(), whole.frames.size()) << what;
    EXPECT_EQ(changes.loopCount, whole.loopCount) << what;
    for (size_t i = 0; i < whole.frames.size(); ++i) {
        const cDib& a = *changes.frames[i].image;
        const cDib& b = *whole.frames[i].image;
        EXPECT_EQ(std::memcmp(a.pixels(), b.pixels(), b.pixelBytes()), 0) << what << ": frame " << i;
        EXPECT_EQ(changes.frames[i].delay, whole.frames[i].delay) << what << ": frame " << i;
    }
    // When the first frame shows transparent pixels, the last leaves the screen clear for the next pass
    // of the loop: it is cleared, and its rectangle holds every pixel it shows.
    const strGifAnimation::strFrame& last = changes.frames.back();
    const cDib& first = *whole.frames[0].image;
    bool holes = false;
    for (size_t k = 3; k < first.pixelBytes(); k += 4)
        holes |= first.pixels()[k] == 0;
    EXPECT_TRUE(!holes || last.disposal == 2) << what;
    for (int y = 0; holes && y < last.image->height(); ++y)
        for (int x = 0; x < last.image->width(); ++x)
            if (x < last.left || x >= last.left + last.width || y < last.top || y >= last.top + last.height) {
                ASSERT_EQ(last.image->readPixel(x, y) >> 24, 0u) << what << " " << x << "," << y;
            }
}

} // namespace

TEST(GifChanges, TheSampleShowsTheSameFramesAndIsSmaller) {
    TempDir dir;
    strSample s;
    strCaptureRequest r{.project = &s.doc, .pictures = &s.slots, .area = s.area, .fps = 60};
    const struct {
        uint32_t flags;
        uint32_t background;
        const char* what;
    } cases[] = {
        {kExportGif | kExportLimit6, 0x1c2030, "plain"},
        {kExportGif | kExportLimit6 | kExportFlash, 0x1c2030, "flashes"},
        {kExportGif | kExportFlash | kExportAlpha, 0x000000, "transparent with flashes"},
        {kExportGif | kExportLimit6 | kExportTarget | kExportFlash, 0x204060, "target and flashes"},
        {kExportGif | kExportTarget | kExportAlpha, 0xFF00FF, "transparent with a target"},
    };
    for (const auto& c : cases) {
        r.flags = c.flags;
        r.background = c.background;
        size_t changedBytes = 0, wholeBytes = 0;
        const strGifAnimation changes = Export(r, dir.file("c.gif"), false, &changedBytes);
        const strGifAnimation whole = Export(r, dir.file("w.gif"), true, &wholeBytes);
        ExpectSameFrames(changes, whole, c.what);
        EXPECT_LT(changedBytes, wholeBytes) << c.what;
    }
}

TEST(GifChanges, PixelsThatTurnTransparentAndFramesThatRepeat) {
    // Frames as letters on a 4 x 3 screen, rows joined with '/', '.' transparent: a box that moves,
    // vanishes, repeats, turns transparent in the middle, then beside the last change, and comes
    // back; the first frame has holes, so the screen must be clear after the last.
    const std::vector<std::string> frames = {
        "AAB./ABB./....", "AAB./ABB./....", ".AAB/.ABB/....", "..../..../....", "CCCC/C..C/CCCC",
        "CCCC/CDDC/CCCC", "CCCC/C..C/CCCC", "CCCC/CCDC/CCCC", "CC../CC../CC..", "AAB./ABB./....",
    };
    const uint32_t colours[] = {0xFF102030, 0xFF405060, 0xFF708090, 0xFFA0B0C0};
    strGifAnimation read[2];
    for (bool whole : {false, true}) {
        cGifFile file;
        file.wholeFrames = whole;
        for (const std::string& f : frames) {
            auto letter = [&](int x, int y) {
                const char c = f[size_t(y * 5 + x)];
                return c == '.' ? 0u : colours[c - 'A'];
            };
            ASSERT_TRUE(file.addFrame(export_fixture::Frame(4, 3, letter, 3)));
        }
        std::vector<uint8_t> bytes;
        strMessage why;
        ASSERT_TRUE(file.encode(bytes, 0, &why)) << why;
        ASSERT_TRUE(ReadGifAnimation(bytes, read[whole], &why)) << why;
    }
    ExpectSameFrames(read[0], read[1], "letters");
    for (size_t i = 0; i < frames.size(); ++i) // whole frames show the frames as given
        for (int k = 0; k < 12; ++k) {
            const char c = frames[i][size_t(k + k / 4)];
            EXPECT_EQ(read[1].frames[i].image->readPixel(k % 4, k / 4), c == '.' ? 0u : colours[c - 'A'])
                << i;
        }
}
