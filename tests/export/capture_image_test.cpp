// The capture machinery (sequencer, sheet layout, limits, mirrored areas, sequence files,
// PNG encoding) and the export worker.

#include "export/capture_image.h"
#include "export/cut_range.h"
#include "export/export_worker.h"
#include "export/png_writer.h"
#include "export/sequence_path.h"
#include "export_fixture.h"
#include "support/message_texts.h"

#include "image/picture_loader.h"
#include "platform/path.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <mutex>
#include <thread>

using namespace export_fixture;
using testing_support::TempDir;

namespace {

int CountImages(strExportFixture& f, uint32_t flags) {
    cCaptureImage capture;
    EXPECT_TRUE(capture.begin(f.request("/tmp/unused.png", flags))) << capture.lastError();
    return capture.totalImages();
}

// Runs an export to the end on the calling thread.
bool RunAll(cCaptureImage& capture) {
    for (;;) {
        eCaptureStep r = capture.step();
        if (r == kStepFailed) return false;
        if (r == kStepDone) return capture.finish();
    }
}

} // namespace

TEST(Sequencer, OneImagePerFrameOrPerStep) {
    strExportFixture f({2, 4, 2});
    EXPECT_EQ(CountImages(f, kExportPng), 3);
    EXPECT_EQ(CountImages(f, kExportPng | kExportInterval), 4); // the second frame twice

    cCaptureImage capture;
    ASSERT_TRUE(capture.begin(f.request("/tmp/unused.png", kExportPng | kExportInterval)));
    EXPECT_EQ(capture.stepTicks(), 2);
    std::vector<int> frames;
    for (int k = 0; k < 6; ++k)
        frames.push_back(capture.advance());
    EXPECT_EQ(frames, (std::vector<int>{0, 1, 1, 2, 3, 4})); // past the end: one tick per slot
}

TEST(Sequencer, EmptyFrameSlotsLastOneTick) {
    strExportFixture f({3, 3, 3});
    f.doc->replaceFrame(1, nullptr);                            // a hole: length 0, one tick
    EXPECT_EQ(CountImages(f, kExportPng | kExportInterval), 7); // 3 + 1 + 3
}

TEST(Sequencer, FlashesGiveOneImagePerTickWhileTheyRun) {
    strEffect e{.flags = strEffect::kFlash, .flashFrames = 3, .flashStrength = 255};
    strExportFixture f({1, 1, 1, 1});
    f.doc->addEffect(e);
    cCaptureImage capture;
    ASSERT_TRUE(capture.begin(f.request("/tmp/unused.png", kExportPng | kExportFlash)));
    EXPECT_EQ(capture.stepTicks(), 1);
    // The image of frame 0 already shows the flash (3 of 3), then it fades on the following ticks.
    const int remaining[] = {3, 2, 1, 0, 0};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(capture.advance(), k);
        EXPECT_EQ(capture.flashes().screen().active() ? capture.flashes().screen().remaining : 0,
                  remaining[k])
            << k;
    }
    // Frame 0 of 4 ticks: its flash starts when it ends, so nothing runs while it is shown. Frame 1 (6 ticks)
    // is shown once per tick while the flash of frame 0 runs.
    e.flashFrames = 10;
    strExportFixture g({4}), h({1, 6});
    g.doc->addEffect(e);
    h.doc->addEffect(e);
    EXPECT_EQ(CountImages(g, kExportPng | kExportFlash), 1);
    EXPECT_EQ(CountImages(h, kExportPng | kExportFlash), 7);
}

TEST(SheetLayout, ElevenImagesDivisionFive) {
    struct Case {
        uint32_t flags;
        int columns, rows;
        bool columnFirst;
    } cases[] = {
        {0, 5, 3, false},
        {kExportColumnFirst, 5, 3, true},
        {kExportFixRows, 3, 5, false},
        {kExportFixRows | kExportColumnFirst, 3, 5, true},
    };
    for (const Case& c : cases) {
        strExportFixture f(std::vector<int>(11, 1));
        strCaptureRequest r =
            f.request("/tmp/unused.png", kExportPng | kExportSheet | kExportAlpha | c.flags, 5);
        r.background = 0x00336699;
        cCaptureImage capture;
        ASSERT_TRUE(capture.begin(r)) << capture.lastError();
        EXPECT_EQ(capture.columns(), c.columns);
        EXPECT_EQ(capture.rows(), c.rows);
        EXPECT_EQ(capture.sheetWidth(), c.columns * 4);
        EXPECT_EQ(capture.sheetHeight(), c.rows * 4);
        int n = 0;
        while (capture.step() == kStepImage)
            ++n;
        EXPECT_EQ(n, 11);
        const cDib& sheet = *capture.image();
        for (int k = 0; k < c.columns * c.rows; ++k) {
            const int col = c.columnFirst ? k / c.rows : k % c.columns;
            const int row = c.columnFirst ? k % c.rows : k / c.columns;
            const uint32_t expected = k < 11 ? PatternColour(k) : 0x00336699u; // empty: background, alpha 0
            EXPECT_EQ(sheet.readPixel(col * 4 + 1, row * 4 + 2), expected)
                << "flags " << c.flags << " image " << k;
        }
        // The second image lies to the right ("Hor") or below ("Ver").
        EXPECT_EQ(sheet.readPixel(c.columnFirst ? 0 : 4, c.columnFirst ? 4 : 0), PatternColour(1));
    }
}

// The sheet written with and without alpha; the layout and the PNG encoding have tests of their own.
TEST(SheetLayout, EmptyCellsInTheWrittenPng) {
    TempDir dir;
    strExportFixture f(std::vector<int>(3, 1));
    for (bool alpha : {true, false}) {
        strCaptureRequest r =
            f.request(dir.file("sheet.png"), kExportPng | kExportSheet | (alpha ? kExportAlpha : 0), 2);
        r.background = 0x00112233;
        RunCapture(r);
        cBMP png;
        ASSERT_TRUE(LoadPictureFile(dir.file("sheet.png"), png));
        // Image 3 of a 2 x 2 sheet holding 3 is the background, with alpha 0 or opaque.
        EXPECT_EQ(png.dib()->readPixel(5, 5), alpha ? 0x00112233u : 0xFF112233u);
    }
}

TEST(Limits, SizesAndRequests) {
    strExportFixture f({1, 1});
    struct Case {
        uint32_t flags;
        strCaptureArea area;
        int division;
        int zoom;
        int fps;
        bool ok;
    } cases[] = {
        {kExportPng, {0, 0, 3840, 10}, 0, 100, 0, true},
        {kExportPng, {0, 0, 3841, 10}, 0, 100, 0, false},
        {kExportPng | kExportSheet, {0, 0, 1921, 10}, 2, 100, 0, false}, // 2 images side by side: 3842
        {kExportPng | kExportSheet, {0, 0, 10, 10}, 0, 100, 0, false},   // a sheet needs a division number
        {kExportPng, {5, 5, 5, 9}, 0, 100, 0, false},                    // an empty area
        {kExportGif, {0, 0, 1024, 1024}, 0, 100, 60, true},
        {kExportGif, {0, 0, 1025, 20}, 0, 100, 60, false},
        {kExportGif, {0, 0, 600, 20}, 0, 200, 60, false}, // 1200 after zoom
        {kExportGif, {0, 0, 1, 20}, 0, 50, 60, false},    // the zoomed cell is 0 pixels wide
        {kExportGif, {0, 0, 10, 10}, 0, 100, 0, false},   // no frame rate
        {kExportGif, {0, 0, 10, 10}, 0, 0, 60, false},    // no zoom
    };
    cCaptureImage capture;
    for (const Case& c : cases) {
        strCaptureRequest r = f.request("/tmp/unused.png", c.flags, c.division, c.fps);
        r.area = c.area;
        r.zoomPercent = c.zoom;
        EXPECT_EQ(capture.begin(r), c.ok) << c.flags << " " << c.area.right << " " << capture.lastError();
    }
    strCaptureRequest r = f.request("/tmp/unused.png", kExportPng);
    r.area = {0, 0, 3841, 10};
    EXPECT_FALSE(capture.begin(r));
    EXPECT_NE(capture.lastError().find("3840"), std::string::npos);
    EXPECT_FALSE(capture.begin(f.request("", kExportPng))); // no path
    r.area = {0, 0, 10, 10};
    ASSERT_TRUE(capture.begin(r));
    r.project = nullptr;
    EXPECT_FALSE(capture.begin(r));
}

TEST(CaptureArea, NegativeWidthMirrorsNegativeHeightFlips) {
    strExportFixture f({1});
    f.slots.insert(render_fixture::MakeSlot(4, 4, render_fixture::Distinct), 0);
    strCaptureRequest r = f.request("/tmp/unused.png", kExportPng);
    cCaptureImage capture;
    // Left 2, width -4: the area from -2 to 2, mirrored; top 2, height -4: flipped.
    for (bool mirror : {true, false}) {
        r.area = mirror ? strCaptureArea{2, -2, -2, 2} : strCaptureArea{-2, 2, 2, -2};
        ASSERT_TRUE(capture.begin(r));
        EXPECT_TRUE(capture.flags() & (mirror ? kExportMirrorH : kExportFlipV));
        EXPECT_EQ(std::pair(capture.area().left, capture.area().top), std::pair(-2, -2));
        const cDib* img = capture.renderFrameImage(0);
        ASSERT_TRUE(img);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(img->readPixel(x, y),
                          render_fixture::Distinct(mirror ? 3 - x : x, mirror ? y : 3 - y))
                    << x << "," << y << (mirror ? " mirrored" : " flipped");
    }
}

TEST(CaptureArea, ZoomStretchesByNearestPixel) {
    strExportFixture f({1});
    f.slots.insert(render_fixture::MakeSlot(4, 4, render_fixture::Distinct), 0);
    strCaptureRequest r = f.request("/tmp/unused.gif", kExportGif, 0, 30);
    cCaptureImage capture;
    // (side, percent, zoomed side): W x P / 100 floored, exactly.
    const int sizes[][3] = {{100, 29, 29}, {100, 57, 57}, {100, 58, 58},
                            {7, 150, 10},  {150, 1, 1},   {3, 33, 0}};
    for (const auto& [side, percent, zoomed] : sizes) {
        r.area = {0, 0, side, 100};
        r.zoomPercent = percent;
        EXPECT_EQ(capture.begin(r) ? capture.cellWidth() : 0, zoomed) << side << " at " << percent << "%";
    }
    r.area = f.request("/tmp/unused.gif", kExportGif).area;
    r.zoomPercent = 200;
    ASSERT_TRUE(capture.begin(r));
    EXPECT_EQ(capture.cellWidth(), 8);
    // The GIF keeps its frames reduced in a scratch file; the zoomed image is the one it reduces.
    const cDib* image = capture.renderFrameImage(0);
    ASSERT_NE(image, nullptr);
    const cDib& frame = *image;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(frame.readPixel(x, y), render_fixture::Distinct(x / 2, y / 2));
}

TEST(SequenceFiles, Names) {
    EXPECT_EQ(InsertSequenceField("C:\\out\\anim.png"), "C:\\out\\anim%05d.png");
    EXPECT_EQ(InsertSequenceField("out/a.b/anim"), "out/a.b/anim%05d");
    EXPECT_EQ(InsertSequenceField("out/x.tar.png"), "out/x.tar%05d.png");
    EXPECT_EQ(FormatSequencePath("C:\\out\\anim%05d.png", 1), "C:\\out\\anim00001.png");
    EXPECT_EQ(FormatSequencePath("out/a.b/anim%05d.png", 123456), "out/a.b/anim123456.png");
    EXPECT_EQ(FormatSequencePath("/t/100%s %d/f%05d.png", 7), "/t/100%s %d/f00007.png"); // other "%" stay
    EXPECT_EQ(FormatSequencePath("/t/f.png", 2), "/t/f00002.png");
}

TEST(SequenceFiles, OneNumberedPngPerImage) {
    TempDir dir;
    strExportFixture f({1, 2, 1});
    RunCapture(f.request(InsertSequenceField(dir.file("anim.png")), kExportPng));
    for (int k = 0; k < 3; ++k) {
        cBMP png;
        ASSERT_TRUE(LoadPictureFile(dir.file("anim0000" + std::to_string(k) + ".png"), png)) << k;
        EXPECT_EQ(png.dib()->readPixel(2, 2), PatternColour(k));
        EXPECT_EQ(png.dib()->readPixel(0, 0) >> 24, 255u);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("anim00003.png")));
}

TEST(FailedWrites, SequenceSheetAndGifReportTheFile) {
    TempDir dir;
    const std::string missing = dir.file("no/such/folder/");
    strExportFixture f({1, 1});
    const std::pair<strCaptureRequest, std::string> cases[] = {
        {f.request(missing + "s%05d.png", kExportPng), "s00000.png"},
        {f.request(missing + "sheet.png", kExportPng | kExportSheet, 5), "sheet.png"},
        {f.request(missing + "a.gif", kExportGif, 0, 10), "a.gif"}};
    cCaptureImage capture;
    for (const auto& [r, name] : cases) {
        // A GIF streams its frames beside the output from the start, so it fails at once.
        const bool gif = r.flags & kExportGif;
        ASSERT_EQ(capture.begin(r), !gif);
        if (!gif) {
            EXPECT_FALSE(RunAll(capture));
        }
        EXPECT_EQ(capture.failedPath(), missing + name);
        EXPECT_NE(capture.lastError().find(name), std::string::npos) << capture.lastError();
    }
    ASSERT_TRUE(capture.begin(cases[0].first)); // a sequence fails on its first image
    EXPECT_EQ(capture.step(), kStepFailed);
}

TEST(FailedWrites, AnExistingFileSurvivesAFailedWrite) {
    TempDir dir;
    const std::string path = dir.file("keep.png");
    testing_support::WriteText(path, "old");
    auto dib8 = cDib::create(2, 2, 8);
    strMessage why;
    EXPECT_FALSE(WritePngFile(path, *dib8, true, &why)); // not 32 bits
    EXPECT_EQ(testing_support::ReadText(path), "old");
}

TEST(PngWriter, RgbaWithAndWithoutAlpha) {
    const uint32_t px[6] = {0x80FF0000, 0x0000FF00, 0xFF0000FF, 0x10203040, 0xFFFFFFFF, 0x00000000};
    auto dib = render_fixture::MakeDib(3, 2, [&px](int x, int y) { return px[y * 3 + x]; });
    for (bool keep : {true, false}) {
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(EncodePng(*dib, keep, bytes));
        EXPECT_EQ(bytes[25], 6); // IHDR colour type RGBA
        EXPECT_EQ(bytes[24], 8); // bit depth
        cBMP back;
        ASSERT_TRUE(LoadPictureMemory(bytes, back));
        for (int i = 0; i < 6; ++i) {
            uint32_t got = back.dib()->readPixel(i % 3, i / 3);
            EXPECT_EQ(got, keep ? px[i] : (px[i] | 0xFF000000u)) << i;
        }
    }
}

TEST(PngWriter, PaletteWithTransparentEntries) {
    // Entries: 0 transparent, 1 opaque red, 2 half-transparent green, 3 opaque blue.
    auto dib = cDib::create(2, 2, 8, 4);
    dib->table() = {0x00000000, 0xFFFF0000, 0x8000FF00, 0xFF0000FF};
    const int indices[4] = {0, 1, 2, 3};
    for (int i = 0; i < 4; ++i)
        dib->writeIndex(i % 2, i / 2, indices[i]);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(EncodeIndexedPng(*dib, bytes));
    EXPECT_EQ(bytes[25], 3); // IHDR colour type palette
    cBMP back;
    ASSERT_TRUE(LoadPictureMemory(bytes, back));
    ASSERT_EQ(back.dib()->bits(), 8);
    ASSERT_EQ(back.palette().count(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(back.palette().entries()[i], dib->table()[size_t(i)]) << i; // tRNS gives the alphas
        EXPECT_EQ(back.dib()->readIndex(i % 2, i / 2), i);
    }
    // Without an entry below 255 no tRNS is written; anything but 8 bits is refused.
    dib->table() = {0xFF000000, 0xFFFFFFFF, 0xFF00FF00, 0xFF0000FF};
    ASSERT_TRUE(EncodeIndexedPng(*dib, bytes));
    EXPECT_EQ(std::search(bytes.begin(), bytes.end(), std::begin("tRNS"), std::end("tRNS") - 1), bytes.end());
    EXPECT_FALSE(EncodeIndexedPng(*render_fixture::MakeDib(1, 1, [](int, int) { return 0u; }), bytes));
}

TEST(AutoCutRange, HoldsEveryCellAndTheOrigin) {
    strExportFixture f({1, 1});
    strCell c{.x = 10, .y = 20};
    f.doc->setCell(0, 0, &c);         // 4 x 4 around (10, 20): x 8..12, y 18..22
    c = {.x = -5, .y = 4, .mx = 200}; // 8 x 4 around (-5, 4): x -9..-1
    f.doc->setCell(1, 0, &c);
    strCutRange range;
    ASSERT_TRUE(ComputeAutoCutRange(*f.doc, f.slots, range));
    // The minimum starts at 0: the top is -1.
    EXPECT_EQ((std::vector{range.left, range.top, range.left + range.width, range.top + range.height}),
              (std::vector{-10, -1, 13, 23}));

    c = {.angle = 450}; // rotated 45 degrees: half diagonal 2.83
    f.doc->setCell(0, 0, &c);
    f.doc->replaceFrame(1, nullptr);
    ASSERT_TRUE(ComputeAutoCutRange(*f.doc, f.slots, range));
    EXPECT_EQ(std::pair(range.left, range.width), std::pair(-4, 8));

    strExportFixture empty({1});
    empty.doc->setCell(0, 0, nullptr);
    strCutRange unchanged{1, 2, 3, 4};
    EXPECT_FALSE(ComputeAutoCutRange(*empty.doc, empty.slots, unchanged));
    EXPECT_EQ(unchanged.left, 1);
}

// A finished and a failed export: one completion call each, with the outcome.
TEST(Worker, CompletesOrFailsWithOneCompletionCall) {
    TempDir dir;
    strExportFixture f(std::vector<int>(12, 1));
    const struct {
        strCaptureRequest request;
        eExportResult result;
        int images;
        std::string failedPath;
    } cases[] = {
        {f.request(dir.file("sheet.png"), kExportPng | kExportSheet, 4), eExportResult::kCompleted, 12, ""},
        {f.request(dir.file("missing/seq%05d.png"), kExportPng), eExportResult::kFailed, 0,
         dir.file("missing/seq00000.png")},
    };
    for (const auto& c : cases) {
        cExportWorker worker;
        ASSERT_TRUE(worker.capture().begin(c.request));
        std::atomic<int> calls{0};
        strExportOutcome seen;
        worker.setCompletion([&](const strExportOutcome& o) {
            seen = o;
            ++calls;
        });
        ASSERT_TRUE(worker.start());
        worker.wait();
        EXPECT_EQ(calls.load(), 1);
        EXPECT_FALSE(worker.running());
        for (const strExportOutcome& o : {seen, worker.outcome()})
            EXPECT_EQ(std::tuple(o.result, o.images, o.failedPath),
                      std::tuple(c.result, c.images, c.failedPath));
        EXPECT_EQ(worker.doneCount(), c.images);
    }
    EXPECT_TRUE(std::filesystem::exists(dir.file("sheet.png")));
}

TEST(Worker, StopCancelsWithoutWritingTheSheet) {
    TempDir dir;
    strExportFixture f(std::vector<int>(400, 1));
    cExportWorker worker;
    strCaptureRequest r = f.request(dir.file("sheet.png"), kExportPng | kExportSheet, 20);
    r.area = {-90, -90, 90, 90}; // slow enough to stop in the middle (a sheet of 3600 x 3600)
    ASSERT_TRUE(worker.capture().begin(r));
    std::atomic<int> calls{0};
    worker.setCompletion([&](const strExportOutcome&) { ++calls; });
    ASSERT_TRUE(worker.start());
    while (worker.doneCount() < 2)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    // Stop is asked while the worker waits for its section: the flag must fall at once, or a worker
    // that wins the section again and again runs to the end and writes the file.
    std::unique_lock<std::mutex> held(worker.criticalSection());
    ASSERT_LT(worker.doneCount(), 400);
    std::thread stopper([&] { worker.stop(); });
    for (int i = 0; i < 5000 && worker.running(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_FALSE(worker.running());
    held.unlock();
    stopper.join();
    EXPECT_EQ(worker.outcome().result, eExportResult::kCancelled);
    EXPECT_EQ(calls.load(), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.file("sheet.png")));
    EXPECT_FALSE(worker.capture().active());
    EXPECT_FALSE(worker.running());
    // The worker can start again after a stop.
    ASSERT_TRUE(worker.capture().begin(f.request(dir.file("again.png"), kExportPng | kExportSheet, 20)));
    ASSERT_TRUE(worker.start());
    worker.wait();
    EXPECT_EQ(worker.outcome().result, eExportResult::kCompleted);
    EXPECT_EQ(worker.doneCount(), 400);
}
