// Pattern sheets: 100 frames of 192 x 192 laid out as an MV sheet (copied into place), trimmed to
// their opaque pixels, and 100 frames of 256 x 256 box-filtered down to fit.

#include "image/pattern_sheet.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

// A disc of colour on a transparent square, different in every frame.
std::unique_ptr<cDib> Frame(int side, int k) {
    auto f = cDib::create(side, side, 32);
    const int r = side / 2 - 8 - k % 16, c = side / 2;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const uint32_t v =
                (x - c) * (x - c) + (y - c) * (y - c) <= r * r
                    ? 0xFF000000u | uint32_t(x * 7 + k) << 16 | uint32_t(y * 5) << 8 | uint32_t(k)
                    : 0u;
            std::memcpy(f->row(y) + x * 4, &v, 4);
        }
    return f;
}

void BM_BuildSheet(benchmark::State& state) {
    const int side = int(state.range(0));
    std::vector<std::unique_ptr<cDib>> frames;
    std::vector<const cDib*> list;
    for (int k = 0; k < 100; ++k) {
        frames.push_back(Frame(side, k));
        list.push_back(frames.back().get());
    }
    strSheetOptions o;
    o.product = eSheetProduct::kMV;
    o.trim = state.range(1) != 0;
    for (auto _ : state) {
        strSheetResult r;
        if (!BuildPatternSheet(list, o, r)) state.SkipWithError("the sheet was refused");
        benchmark::DoNotOptimize(r.sheet.get());
    }
}

} // namespace

BENCHMARK(BM_BuildSheet)
    ->ArgNames({"side", "trim"})
    ->Args({192, 0})
    ->Args({192, 1})
    ->Args({256, 0})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
