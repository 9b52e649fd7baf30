// Rendering and export speed (docs/performance.md, "Rendering and export").
//
// - BM_PlainCopy: a plain 640 x 480 x 4-byte copy, the yardstick.
// - BM_ComposeTypicalFrame: one frame of 16 cells of 192 x 192 (tones, saturation, mixed blend modes,
//   some rotated or scaled) on a 640 x 480 target, reported as frames per second and as a ratio to
//   the plain copy measured in the same run ("x_copy", both in thread CPU time).
// - BM_ComposePlainFrame: the same 16 cells without tone, normal blending, scale 1, angle 0.
// - BM_ExportSampleSheet / BM_ExportSampleGif: the sample animation (samples/sample_project.h)
//   exported as a PNG sheet and as an animated GIF with flashes, files written to a temporary folder.

#include "../samples/sample_project.h"

#include "config/config.h"
#include "document/project.h"
#include "export/capture_image.h"
#include "export/cut_range.h"
#include "image/picture_slot_table.h"
#include "render/frame_composer.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <cstring>
#include <filesystem>
#include <vector>

namespace {

// CPU time of the calling thread, so that the ratio holds on a busy machine.
double ThreadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
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

// A picture of 5 x 2 patterns of 192 x 192: soft discs with alpha edges and colour gradients.
std::unique_ptr<cPictureSlot> TypicalPicture() {
    auto dib = cDib::Create(960, 384, 32);
    for (int y = 0; y < 384; ++y)
        for (int x = 0; x < 960; ++x) {
            const double dx = x % 192 - 95.5, dy = y % 192 - 95.5, d = std::sqrt(dx * dx + dy * dy) / 96;
            const uint32_t a = d < 1 ? uint32_t(255 * std::min(1.0, 2 * (1 - d))) : 0;
            const uint32_t v = a << 24 | uint32_t(x * 255 / 960) << 16 | uint32_t(y * 255 / 384) << 8 | uint32_t((x + y) & 255);
            std::memcpy(dib->Row(y) + x * 4, &v, 4);
        }
    auto slot = std::make_unique<cPictureSlot>();
    slot->Attach(std::move(dib));
    slot->Divide(5, 2, 0);
    return slot;
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
        slots.Insert(TypicalPicture(), 0);
        const int tones[4][4] = {{100, 100, 100, 100}, {150, 100, 80, 100}, {100, 100, 100, 40}, {120, 120, 120, 160}};
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
            doc.setCell(0, c, &cell);
        }
    }
};

void ComposeBenchmark(benchmark::State& state, bool plain) {
    strTypicalScene scene(plain);
    cSpriteDrawer drawer;
    cTexture target;
    target.Create(640, 480);
    strFrameScene frame;
    frame.background = 0xFF101010;
    const double copy = PlainCopySeconds();
    const double t0 = ThreadSeconds();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComposeFrame(drawer, target, scene.slots, scene.doc, 0, scene.area, frame));
        benchmark::ClobberMemory();
    }
    const double perFrame = (ThreadSeconds() - t0) / double(state.iterations());
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["x_copy"] = perFrame / copy;
}

void BM_ComposeTypicalFrame(benchmark::State& state) { ComposeBenchmark(state, false); }
void BM_ComposePlainFrame(benchmark::State& state) { ComposeBenchmark(state, true); }
BENCHMARK(BM_ComposeTypicalFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ComposePlainFrame)->Unit(benchmark::kMillisecond);

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
        slot->Attach(sample::DrawSheet());
        slot->Divide(sample::kColumns, sample::kRows, 0);
        slots.Insert(std::move(slot), 0);
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
        if (!capture.Begin(r)) {
            state.SkipWithError(capture.LastError().c_str());
            break;
        }
        while (capture.Step() == kStepImage) ++images;
        if (!capture.Finish()) {
            state.SkipWithError(capture.LastError().c_str());
            break;
        }
    }
    state.counters["images"] = benchmark::Counter(double(images) / double(std::max<int64_t>(1, state.iterations())));
    state.counters["bytes"] = double(std::filesystem::file_size(r.outputPath));
}

void BM_ExportSampleSheet(benchmark::State& state) { ExportBenchmark(state, false); }
void BM_ExportSampleGif(benchmark::State& state) { ExportBenchmark(state, true); }
BENCHMARK(BM_ExportSampleSheet)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportSampleGif)->Unit(benchmark::kMillisecond);

}  // namespace
