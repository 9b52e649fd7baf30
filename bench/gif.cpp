// Animated GIF export of the sample (samples/sample_project.h) at 60 fps with the 6/100 s limit and
// the background 0x1c2030, without and with flashes, written as changes (the default) and whole:
// time for render, colour reduction and encoding, and the file's size ("bytes"). The same export as
// animated PNG, lossless WebP and lossy WebP (quality 80), for comparison.

#include "../samples/sample_project.h"

#include "config/config.h"
#include "document/project.h"
#include "export/capture_image.h"
#include "export/cut_range.h"
#include "image/picture_slot_table.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

// One whole export of the sample per iteration; flags add to the 6/100 s limit.
void ExportSample(benchmark::State& state, uint32_t flags, const char* file, bool whole, int webpQuality) {
    cConfig config;
    config.setDefaults();
    cProject doc(&config);
    sample::BuildProject(doc);
    cPictureSlotTable slots;
    slots.insert(sample::SheetSlot(), 0);
    strCutRange cut;
    ComputeAutoCutRange(doc, slots, cut);
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "pelko-bench-gif";
    std::filesystem::create_directories(folder);

    strCaptureRequest r;
    r.project = &doc;
    r.pictures = &slots;
    r.area = {cut.left, cut.top, cut.left + cut.width, cut.top + cut.height};
    r.background = 0x1c2030;
    r.outputPath = (folder / file).string();
    r.flags = kExportLimit6 | flags;
    r.fps = 60;
    r.gifWholeFrames = whole;
    r.webpQuality = webpQuality;
    for (auto _ : state) {
        cCaptureImage capture;
        if (!capture.begin(r)) {
            state.SkipWithError(capture.lastError().c_str());
            break;
        }
        while (capture.step() == kStepImage) {
        }
        if (!capture.finish()) {
            state.SkipWithError(capture.lastError().c_str());
            break;
        }
    }
    state.counters["bytes"] = double(std::filesystem::file_size(r.outputPath));
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
}

void BM_ExportSampleGif(benchmark::State& state) {
    ExportSample(state, kExportGif | (state.range(0) ? kExportFlash : 0), "sample.gif", state.range(1) != 0,
                 -1);
}

// format 0: animated PNG, 1: lossless WebP, 2: lossy WebP at quality 80.
void BM_ExportSampleAnimated(benchmark::State& state) {
    const int format = int(state.range(0));
    ExportSample(state, (format == 0 ? kExportApng : kExportWebp) | (state.range(1) ? kExportFlash : 0),
                 format == 0 ? "sample.png" : "sample.webp", false, format == 2 ? 80 : -1);
}

} // namespace

BENCHMARK(BM_ExportSampleGif)
    ->ArgNames({"flash", "whole"})
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();

BENCHMARK(BM_ExportSampleAnimated)
    ->ArgNames({"format", "flash"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({2, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
