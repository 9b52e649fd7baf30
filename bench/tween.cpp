// Eased frame compensation at its largest: 16 cell numbers tweened over 1000 frames (every parameter,
// the frames between filled from the start cell), one undo step, with each easing.

#include "config/config.h"
#include "document/project.h"
#include "tools/cell_params.h"
#include "tools/frame_comp.h"

#include <benchmark/benchmark.h>

namespace {

void BM_Tween(benchmark::State& state) {
    constexpr int kFrames = 1000, kCells = 16;
    cConfig config;
    config.setDefaults();
    cProject doc(&config);
    doc.create(kFrames, kCells, 0, 0);
    for (int f = 0; f < kFrames; ++f)
        doc.frameOrCreate(f);
    for (int c = 0; c < kCells; ++c) {
        const strCell a{.x = int16_t(-c * 10), .mx = 50, .angle = 3500, .opacity = 0, .red = 0};
        const strCell b{.x = int16_t(c * 10), .y = 300, .mx = 200, .angle = 100, .opacity = 255, .red = 200};
        doc.setCell(0, c, &a);
        doc.setCell(kFrames - 1, c, &b);
    }
    cFrameComp comp;
    comp.startFrame = 0;
    comp.endFrame = kFrames - 1;
    comp.cellChecks.assign(kCells, 1);
    comp.paramChecks.assign(kCellParamCount, 1);
    strEasing e;
    e.kind = eEaseKind(state.range(0));
    if (e.kind == eEaseKind::kBezier) e = {eEaseKind::kBezier, 0.68f, -0.55f, 0.27f, 1.55f};
    comp.tween.setAll(e);
    const strToolContext ctx{.doc = &doc, .clock = {}};
    for (auto _ : state) {
        const strEditResult r = comp.run(ctx);
        if (r.count != kCells * (kFrames - 2)) state.SkipWithError("the tween did not store every cell");
    }
    state.counters["cells"] = double(kCells * (kFrames - 2));
}

} // namespace

BENCHMARK(BM_Tween)
    ->ArgName("ease")
    ->Arg(int(eEaseKind::kLinear))
    ->Arg(int(eEaseKind::kInOut))
    ->Arg(int(eEaseKind::kBezier))
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
