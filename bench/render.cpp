// Rendering and export speed (docs/performance.md, "Rendering and export").
//
// - BM_PlainCopy: a plain 640 x 480 x 4-byte copy, the yardstick.
// - BM_ComposeTypicalFrame: one frame of 16 cells of 192 x 192 (tones, saturation, mixed blend modes,
//   some rotated or scaled) on a 640 x 480 target, in thread CPU time: frames per second, the
//   fastest frame ("best_ms") and its ratios to the plain copy ("x_copy") and to the fastest frame of
//   Qt's raster engine drawing the same frame in the same run ("x_qpainter" against Qt's calling
//   thread, "x_qpainter_all" against all its threads). "Uncached" empties the drawer's cache of
//   tone passes before every frame (as if every cell's look changed every frame); "Fading" changes
//   every cell's opacity every frame (its tone pass cached, its fade not); "Reference" runs
//   the plain scalar path that the fast one is tested against; "Sse2" and "Avx2" hold the fast path to
//   those instruction sets (the default uses the widest the processor has).
// - BM_ComposePlainFrame: the same 16 cells without tone, normal blending, scale 1, angle 0.
// - BM_QPainterPlainFrame / BM_QPainterTransformedFrame: QPainter on a QImage (premultiplied ARGB,
//   nearest sampling) drawing the same 16 patterns, untransformed, and with the rotations, scales,
//   opacities and composition modes of the typical frame (Plus for add, Multiply, and Difference
//   standing in for the subtraction Qt lacks); Qt has no tone.
// - BM_ExportSampleSheet / BM_ExportSampleGif: the sample animation (samples/sample_project.h)
//   exported as a PNG sheet and as an animated GIF with flashes, files written to a temporary folder.

#include "../samples/sample_project.h"

#include "config/config.h"
#include "document/project.h"
#include "export/capture_image.h"
#include "export/cut_range.h"
#include "image/picture_slot_table.h"
#include "render/blend_span.h"
#include "render/frame_composer.h"

#include <benchmark/benchmark.h>

#ifdef PELKO_BENCH_QT
#include <QImage>
#include <QPainter>
#endif

#include <algorithm>
#include <cmath>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <functional>
#include <vector>

namespace {

// CPU time of the calling thread, and of all threads of the process, so that the ratios hold on a
// busy machine.
double ThreadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}
double ProcessSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Seconds per plain 640 x 480 x 4 copy, the best of several rounds.
double PlainCopySeconds() {
    static const double seconds = [] {
        std::vector<uint8_t> a(640 * 480 * 4, 1), b(640 * 480 * 4);
        double best = 1e9;
        for (int round = 0; round < 20; ++round) {
            const double t0 = ThreadSeconds();
            for (int i = 0; i < 50; ++i) {
                std::memcpy(b.data(), a.data(), a.size());
                benchmark::DoNotOptimize(b.data());
                benchmark::ClobberMemory();
                a[size_t(i)] ^= 1;
            }
            best = std::min(best, (ThreadSeconds() - t0) / 50);
        }
        return best;
    }();
    return seconds;
}

void BM_PlainCopy(benchmark::State& state) {
    std::vector<uint8_t> a(640 * 480 * 4, 1), b(640 * 480 * 4);
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), a.size());
        benchmark::DoNotOptimize(b.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(a.size()));
}
BENCHMARK(BM_PlainCopy);

constexpr int kPatternSide = 192, kPictureWidth = 960, kPictureHeight = 384;

// Pixel (x, y) of a picture of 5 x 2 patterns of 192 x 192: soft discs with alpha edges and colour
// gradients, 0xAARRGGBB.
uint32_t TypicalTexel(int x, int y) {
    const double dx = x % kPatternSide - 95.5, dy = y % kPatternSide - 95.5,
                 d = std::sqrt(dx * dx + dy * dy) / 96;
    const uint32_t a = d < 1 ? uint32_t(255 * std::min(1.0, 2 * (1 - d))) : 0;
    return a << 24 | uint32_t(x * 255 / kPictureWidth) << 16 | uint32_t(y * 255 / kPictureHeight) << 8 |
           uint32_t((x + y) & 255);
}

std::unique_ptr<cPictureSlot> TypicalPicture() {
    auto dib = cDib::create(kPictureWidth, kPictureHeight, 32);
    for (int y = 0; y < kPictureHeight; ++y)
        for (int x = 0; x < kPictureWidth; ++x) {
            const uint32_t v = TypicalTexel(x, y);
            std::memcpy(dib->row(y) + x * 4, &v, 4);
        }
    auto slot = std::make_unique<cPictureSlot>();
    slot->newPicture().attach(std::move(dib));
    slot->divide(5, 2, 0);
    return slot;
}

// The 16 cells of the frame, as both renderers draw them.
std::vector<strCell> FrameCells(bool plain) {
    const int tones[4][4] = {
        {100, 100, 100, 100}, {150, 100, 80, 100}, {100, 100, 100, 40}, {120, 120, 120, 160}};
    std::vector<strCell> cells;
    for (int c = 0; c < 16; ++c) {
        strCell cell;
        cell.pattern = uint16_t(1 + c % 10);
        cell.x = int16_t(-240 + (c % 4) * 160);
        cell.y = int16_t(-160 + (c / 4) * 107);
        if (!plain) {
            cell.blend = uint8_t(c % 4);
            cell.red = uint8_t(tones[c % 4][0]);
            cell.green = uint8_t(tones[c % 4][1]);
            cell.blue = uint8_t(tones[c % 4][2]);
            cell.saturation = uint8_t(tones[c % 4][3]);
            cell.angle = int16_t(c % 3 == 0 ? 300 : 0);
            cell.mx = cell.my = int16_t(c % 5 == 0 ? 120 : 100);
            cell.opacity = uint8_t(c % 2 ? 255 : 200);
        }
        cells.push_back(cell);
    }
    return cells;
}

struct strTypicalScene {
    cConfig config;
    cProject doc{&config};
    cPictureSlotTable slots;
    strCaptureArea area{-320, -240, 320, 240};

    explicit strTypicalScene(bool plain) {
        config.setDefaults();
        doc.create(1, 16, 1, 1);
        doc.frameOrCreate(0);
        slots.insert(TypicalPicture(), 0);
        const std::vector<strCell> cells = FrameCells(plain);
        for (int c = 0; c < int(cells.size()); ++c)
            doc.setCell(0, c, &cells[size_t(c)]);
    }
};

#ifdef PELKO_BENCH_QT
// The same frame through Qt's raster engine: QPainter on a premultiplied QImage, nearest sampling.
struct strQtScene {
    QImage picture, target{640, 480, QImage::Format_ARGB32_Premultiplied};
    std::vector<strCell> cells;
    bool transformed;

    explicit strQtScene(bool plain) : cells(FrameCells(plain)), transformed(!plain) {
        QImage argb(kPictureWidth, kPictureHeight, QImage::Format_ARGB32);
        for (int y = 0; y < kPictureHeight; ++y)
            for (int x = 0; x < kPictureWidth; ++x)
                argb.setPixel(x, y, TypicalTexel(x, y));
        picture = argb.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }

    void draw() {
        target.fill(0xFF101010u);
        QPainter painter(&target);
        for (const strCell& c : cells) {
            const int k = c.pattern - 1;
            const QRect source((k % 5) * kPatternSide, (k / 5) * kPatternSide, kPatternSide, kPatternSide);
            if (!transformed) {
                painter.drawImage(QPoint(320 + c.x - kPatternSide / 2, 240 + c.y - kPatternSide / 2), picture,
                                  source);
                continue;
            }
            static const QPainter::CompositionMode kModes[4] = {
                QPainter::CompositionMode_SourceOver, QPainter::CompositionMode_Plus,
                QPainter::CompositionMode_Difference, QPainter::CompositionMode_Multiply};
            painter.setCompositionMode(kModes[c.blend % 4]);
            painter.setOpacity(c.opacity / 255.0);
            QTransform t;
            t.translate(320 + c.x, 240 + c.y);
            t.rotate(c.angle / 10.0);
            t.scale(c.mx / 100.0, c.my / 100.0);
            painter.setTransform(t);
            painter.drawImage(QPointF(-kPatternSide / 2.0, -kPatternSide / 2.0), picture, source);
        }
    }
};

// The fastest of many frames of Qt, in the calling thread's CPU time and in the CPU time of all
// threads: for a transformed drawImage Qt's raster engine hands the spans to its thread pool and
// waits, so the calling thread's time leaves most of the work out.
struct strQtTimes {
    double thread = 1e9, all = 1e9;
};

strQtTimes QtFrame(strQtScene& qt) {
    const double t0 = ThreadSeconds(), p0 = ProcessSeconds();
    qt.draw();
    benchmark::DoNotOptimize(qt.target.constBits());
    benchmark::ClobberMemory();
    return {ThreadSeconds() - t0, ProcessSeconds() - p0};
}

const strQtTimes& QtBest(bool plain) {
    static strQtTimes best[2];
    strQtTimes& b = best[plain];
    if (b.thread < 1e9) return b;
    strQtScene qt(plain);
    for (int i = 0; i < 300; ++i) {
        const strQtTimes t = QtFrame(qt);
        b.thread = std::min(b.thread, t.thread);
        b.all = std::min(b.all, t.all);
    }
    return b;
}

void QtBenchmark(benchmark::State& state, bool plain) {
    strQtScene qt(plain);
    strQtTimes best;
    for (auto _ : state) {
        const strQtTimes t = QtFrame(qt);
        best.thread = std::min(best.thread, t.thread);
        best.all = std::min(best.all, t.all);
        state.SetIterationTime(t.thread);
    }
    state.counters["best_ms"] = best.thread * 1e3;
    state.counters["best_all_threads_ms"] = best.all * 1e3;
    state.counters["x_copy"] = best.thread / PlainCopySeconds();
}
void BM_QPainterPlainFrame(benchmark::State& state) {
    QtBenchmark(state, true);
}
void BM_QPainterTransformedFrame(benchmark::State& state) {
    QtBenchmark(state, false);
}
BENCHMARK(BM_QPainterPlainFrame)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_QPainterTransformedFrame)->Unit(benchmark::kMillisecond)->UseManualTime();
#endif

enum eComposeCase { kComposeCached, kComposeUncached, kComposeFading, kComposeReference };

// Thread CPU time per frame (the compositor draws on the calling thread alone). The ratios take the
// fastest frame, which a machine shared with other work disturbs least, against the fastest of
// Qt's frames measured in the same run: x_qpainter against Qt's calling thread, x_qpainter_all
// against all of Qt's threads.
void ComposeBenchmark(benchmark::State& state, bool plain, eComposeCase which,
                      render::eSimdLevel simd = render::kSimdAvx512) {
    if (render::LimitSimdLevel(simd) != simd) {
        state.SkipWithError("the processor lacks the instruction set");
        return;
    }
    strTypicalScene scene(plain);
    cSpriteDrawer drawer;
    drawer.setReferencePath(which == kComposeReference);
    cTexture target;
    target.create(640, 480);
    strFrameScene frame;
    frame.background = 0xFF101010;
    std::vector<strCell> cells = FrameCells(plain);
    double ours = 0, best = 1e9;
    int frameNumber = 0;
    for (auto _ : state) {
        if (which == kComposeUncached) drawer.clearSourceCache();
        if (which == kComposeFading) {
            ++frameNumber;
            for (int c = 0; c < int(cells.size()); ++c) {
                cells[size_t(c)].opacity = uint8_t(56 + (frameNumber + c) % 200);
                scene.doc.setCell(0, c, &cells[size_t(c)]);
            }
        }
        const double t0 = ThreadSeconds();
        benchmark::DoNotOptimize(ComposeFrame(drawer, target, scene.slots, scene.doc, 0, scene.area, frame));
        benchmark::ClobberMemory();
        const double t = ThreadSeconds() - t0;
        ours += t;
        best = std::min(best, t);
        state.SetIterationTime(t);
    }
    render::LimitSimdLevel(render::kSimdAvx512);
    state.counters["fps"] = benchmark::Counter(double(state.iterations()) / ours);
    state.counters["best_ms"] = best * 1e3;
    state.counters["x_copy"] = best / PlainCopySeconds();
#ifdef PELKO_BENCH_QT
    state.counters["x_qpainter"] = best / QtBest(plain).thread;
    state.counters["x_qpainter_all"] = best / QtBest(plain).all;
#endif
}

void BM_ComposeTypicalFrame(benchmark::State& state) {
    ComposeBenchmark(state, false, kComposeCached);
}
void BM_ComposeTypicalFrameUncached(benchmark::State& state) {
    ComposeBenchmark(state, false, kComposeUncached);
}
void BM_ComposeTypicalFrameFading(benchmark::State& state) {
    ComposeBenchmark(state, false, kComposeFading);
}
void BM_ComposeTypicalFrameReference(benchmark::State& state) {
    ComposeBenchmark(state, false, kComposeReference);
}
void BM_ComposePlainFrame(benchmark::State& state) {
    ComposeBenchmark(state, true, kComposeCached);
}
void BM_ComposePlainFrameReference(benchmark::State& state) {
    ComposeBenchmark(state, true, kComposeReference);
}
void BM_ComposeTypicalFrameSse2(benchmark::State& state) {
    ComposeBenchmark(state, false, kComposeCached, render::kSimdSse2);
}
void BM_ComposeTypicalFrameAvx2(benchmark::State& state) {
    ComposeBenchmark(state, false, kComposeCached, render::kSimdAvx2);
}
void BM_ComposePlainFrameSse2(benchmark::State& state) {
    ComposeBenchmark(state, true, kComposeCached, render::kSimdSse2);
}
void BM_ComposePlainFrameAvx2(benchmark::State& state) {
    ComposeBenchmark(state, true, kComposeCached, render::kSimdAvx2);
}
BENCHMARK(BM_ComposeTypicalFrame)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_ComposeTypicalFrameSse2)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_ComposeTypicalFrameAvx2)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_ComposeTypicalFrameUncached)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_ComposeTypicalFrameFading)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_ComposeTypicalFrameReference)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_ComposePlainFrame)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_ComposePlainFrameSse2)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_ComposePlainFrameAvx2)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_ComposePlainFrameReference)->Unit(benchmark::kMillisecond)->UseManualTime();

struct strSampleScene {
    cConfig config;
    cProject doc{&config};
    cPictureSlotTable slots;
    strCaptureArea area;
    std::filesystem::path folder = std::filesystem::temp_directory_path() / "pelko-bench-render";

    strSampleScene() {
        config.setDefaults();
        sample::BuildProject(doc);
        auto slot = std::make_unique<cPictureSlot>();
        slot->newPicture().attach(sample::DrawSheet());
        slot->divide(sample::kColumns, sample::kRows, 0);
        slots.insert(std::move(slot), 0);
        strCutRange r;
        ComputeAutoCutRange(doc, slots, r);
        area = {r.left, r.top, r.left + r.width, r.top + r.height};
        std::filesystem::create_directories(folder);
    }
    ~strSampleScene() {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
};

void ExportBenchmark(benchmark::State& state, bool gif) {
    strSampleScene scene;
    strCaptureRequest r;
    r.project = &scene.doc;
    r.pictures = &scene.slots;
    r.area = scene.area;
    r.background = 0x1c2030;
    if (gif) {
        r.outputPath = (scene.folder / "sample.gif").string();
        r.flags = kExportGif | kExportLimit6 | kExportFlash;
        r.fps = 60;
    } else {
        r.outputPath = (scene.folder / "sample.png").string();
        r.flags = kExportPng | kExportSheet;
        r.division = 6;
    }
    int images = 0;
    for (auto _ : state) {
        cCaptureImage capture;
        if (!capture.begin(r)) {
            state.SkipWithError(capture.lastError().c_str());
            break;
        }
        while (capture.step() == kStepImage)
            ++images;
        if (!capture.finish()) {
            state.SkipWithError(capture.lastError().c_str());
            break;
        }
    }
    state.counters["images"] =
        benchmark::Counter(double(images) / double(std::max<int64_t>(1, state.iterations())));
    state.counters["bytes"] = double(std::filesystem::file_size(r.outputPath));
}

void BM_ExportSampleSheet(benchmark::State& state) {
    ExportBenchmark(state, false);
}
void BM_ExportSampleGif(benchmark::State& state) {
    ExportBenchmark(state, true);
}
BENCHMARK(BM_ExportSampleSheet)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportSampleGif)->Unit(benchmark::kMillisecond);

} // namespace
