// Animated GIF export of the sample (samples/sample_project.h) at 60 fps with the 6/100 s limit and
// the background 0x1c2030, without and with flashes, written as changes (the default) and whole:
// time for render, colour reduction and encoding, and the file's size ("bytes").

#include "../samples/sample_project.h"

#include "config/config.h"
#include "document/project.h"
#include "export/capture_image.h"
#include "export/cut_range.h"
#include "image/picture_slot_table.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

void BM_ExportSampleGif(benchmark::State& state) {
    const bool flash = state.range(0) != 0, whole = state.range(1) != 0;
    cConfig config;
    config.setDefaults();
    cProject doc(&config);
    sample::BuildProject(doc);
    cPictureSlotTable slots;
    slots.Insert(sample::SheetSlot(), 0);
    strCutRange cut;
    ComputeAutoCutRange(doc, slots, cut);
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "pelko-bench-gif";
    std::filesystem::create_directories(folder);

    strCaptureRequest r;
    r.project = &doc;
    r.pictures = &slots;
    r.area = {cut.left, cut.top, cut.left + cut.width, cut.top + cut.height};
    r.background = 0x1c2030;
    r.outputPath = (folder / "sample.gif").string();
    r.flags = kExportGif | kExportLimit6 | (flash ? kExportFlash : 0);
    r.fps = 60;
    r.gifWholeFrames = whole;
    for (auto _ : state) {
        cCaptureImage capture;
        if (!capture.Begin(r)) {
            state.SkipWithError(capture.LastError().c_str());
            break;
        }
        while (capture.Step() == kStepImage) {
        }
        if (!capture.Finish()) {
            state.SkipWithError(capture.LastError().c_str());
            break;
        }
    }
    state.counters["bytes"] = double(std::filesystem::file_size(r.outputPath));
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
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
