// MV (JSON) and RPG Maker 2000 (LCF) export and import of a 200-frame animation: every frame holds
// 16 occupied cells (the 2000 export takes the first 8), with 20 effects, two pictures and a name.
// Export builds the whole clipboard payload; import re-creates a project from it (both without the
// clipboard, which is a copy of the bytes). The "clipboard" cases go through the dispatcher and an
// in-memory clipboard, with the file-name resolution of the import.
//
// Counters: payload_bytes = size of the payload; cells = cells written or read per iteration.

#include "config/config.h"
#include "document/project.h"
#include "interchange/clip_2000.h"
#include "interchange/clipboard_device.h"
#include "interchange/mv_animation.h"
#include "platform/clipboard.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kFrames = 200;
constexpr int kCells = 16;

std::unique_ptr<cProject> MakeAnimation() {
    auto doc = std::make_unique<cProject>(&cConfig::defaults());
    doc->create(0, kCells, 0, 0);
    doc->setText(kTextName, "Benchmark animation");
    for (int i = 0; i < 2; ++i) {
        strPicture p;
        p.divX = p.divY = 192;
        p.hue = static_cast<uint16_t>(i * 90);
        p.path = "BattleEffect\\Picture" + std::to_string(i + 1) + ".png";
        doc->setPicture(i, p);
    }
    for (int f = 0; f < kFrames; ++f) {
        doc->frameOrCreate(f);
        for (int c = 0; c < kCells; ++c) {
            strCell x;
            x.picture = static_cast<uint8_t>(c % 2);
            x.pattern = static_cast<uint16_t>(1 + (f + c) % 25);
            x.x = static_cast<int16_t>((f * 7 + c * 31) % 600 - 300);
            x.y = static_cast<int16_t>((f * 3 - c * 17) % 400);
            x.mx = x.my = static_cast<int16_t>(50 + (f + c) % 150);
            x.angle = static_cast<int16_t>((f * 40 + c * 10) % 3600);
            x.opacity = static_cast<uint8_t>(55 + (f * c) % 200);
            x.blend = static_cast<uint8_t>(c % 2);
            doc->setCell(f, c, &x);
        }
    }
    for (int i = 0; i < 20; ++i) {
        strEffect e;
        e.startFrame = static_cast<uint16_t>(i * 10);
        e.flags = static_cast<uint8_t>(i % 2 ? strEffect::kSound : strEffect::kFlash | strEffect::kSound);
        e.flashFrames = 5;
        e.soundPath = "Sound\\Effect" + std::to_string(i) + ".ogg";
        doc->addEffect(e);
    }
    return doc;
}

const cProject& Animation() {
    static std::unique_ptr<cProject> doc = MakeAnimation();
    return *doc;
}

void BM_MvExport(benchmark::State& state) {
    const cProject& doc = Animation();
    std::string out;
    for (auto _ : state) {
        mv::BuildMvPayload(doc, "jpn", out);
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["payload_bytes"] = static_cast<double>(out.size());
    state.counters["cells"] = kFrames * kCells;
}
BENCHMARK(BM_MvExport)->Unit(benchmark::kMillisecond);

void BM_MvImport(benchmark::State& state) {
    std::string text;
    mv::BuildMvPayload(Animation(), "jpn", text);
    const std::vector<uint8_t> bytes(text.begin(), text.end());
    for (auto _ : state) {
        cProject doc;
        if (mv::ReadMvPayload(bytes, doc, "jpn") != 1) state.SkipWithError("import failed");
        benchmark::DoNotOptimize(doc.frameCount());
    }
    state.counters["payload_bytes"] = static_cast<double>(bytes.size());
    state.counters["cells"] = kFrames * kCells;
}
BENCHMARK(BM_MvImport)->Unit(benchmark::kMillisecond);

void BM_LcfExport(benchmark::State& state) {
    const cProject& doc = Animation();
    std::vector<uint8_t> out;
    for (auto _ : state) {
        lcf::BuildLcfPayload(doc, out);
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["payload_bytes"] = static_cast<double>(out.size());
    state.counters["cells"] = kFrames * lcf::kMaxCells;
}
BENCHMARK(BM_LcfExport)->Unit(benchmark::kMillisecond);

void BM_LcfImport(benchmark::State& state) {
    std::vector<uint8_t> bytes;
    lcf::BuildLcfPayload(Animation(), bytes);
    for (auto _ : state) {
        cProject doc;
        if (lcf::ReadLcfPayload(bytes, doc) != 1) state.SkipWithError("import failed");
        benchmark::DoNotOptimize(doc.frameCount());
    }
    state.counters["payload_bytes"] = static_cast<double>(bytes.size());
    state.counters["cells"] = kFrames * lcf::kMaxCells;
}
BENCHMARK(BM_LcfImport)->Unit(benchmark::kMillisecond);

// Export and import through the dispatcher and an in-memory clipboard.
void BM_ClipboardRoundTrip(benchmark::State& state) {
    const int product = static_cast<int>(state.range(0));
    platform::cMemoryClipboard clip;
    interchange::cClipboardDevice device(clip, cConfig::defaults());
    for (auto _ : state) {
        if (device.exportClipboard(Animation(), product) != 1) state.SkipWithError("export failed");
        cProject doc;
        if (device.importClipboard(doc, product) != 1) state.SkipWithError("import failed");
        benchmark::DoNotOptimize(doc.frameCount());
    }
    state.SetLabel(product == interchange::kProductMV ? "MV" : "2000");
}
BENCHMARK(BM_ClipboardRoundTrip)
    ->Arg(interchange::kProduct2000)
    ->Arg(interchange::kProductMV)
    ->Unit(benchmark::kMillisecond);

// An empty project: the fixed cost of create() that every import pays.
void BM_CreateProject(benchmark::State& state) {
    for (auto _ : state) {
        cProject doc;
        benchmark::DoNotOptimize(doc.frameCapacity());
    }
}
BENCHMARK(BM_CreateProject)->Unit(benchmark::kMicrosecond);

} // namespace
