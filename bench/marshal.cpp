// The RPG Maker XP / VX / VX Ace clipboard codec on the largest payload the
// products exchange: 200 frames of 16 occupied cells and 999 timings (flash and sound effect each),
// with a name and two pictures. Export builds the whole clipboard block (length word included);
// import re-creates a project and fills it from the block. The clipboard round trip goes through
// the in-memory clipboard and the dispatcher the editor uses, file-name resolution included
// (relative folders, so no disk access).
//
// Counters: payload_KB = size of the block; MB/s = bytes of the block per second.

#include "config/config.h"
#include "document/project.h"
#include "interchange/clipboard_device.h"
#include "interchange/marshal_animation.h"
#include "platform/clipboard.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

std::unique_ptr<cProject> BigProject(const cConfig& cfg) {
    auto d = std::make_unique<cProject>(&cfg);
    d->create(0, 16, 0, 0);
    d->setText(kTextName, "Benchmark animation");
    strPicture p;
    p.path = "Graphics\\Animations\\Fire1.png";
    p.hue = 30;
    d->setPicture(0, p);
    p.path = "Graphics\\Animations\\Thunder2.png";
    d->setPicture(1, p);
    for (int f = 0; f < 200; ++f) {
        d->frameOrCreate(f);
        for (int c = 0; c < 16; ++c) {
            strCell cell;
            cell.picture = static_cast<uint8_t>(c & 1);
            cell.pattern = static_cast<uint16_t>(1 + (f + c) % 25);
            cell.x = static_cast<int16_t>(c * 20 - 160);
            cell.y = static_cast<int16_t>(f - 100);
            cell.mx = static_cast<int16_t>(c % 3 ? 100 + f : -(100 + f));
            cell.my = static_cast<int16_t>(100 + f);
            cell.angle = static_cast<int16_t>((f * 37) % 3600);
            cell.opacity = static_cast<uint8_t>(255 - c);
            cell.blend = static_cast<uint8_t>(c % 3);
            d->setCell(f, c, &cell);
        }
    }
    for (int t = 0; t < 999; ++t) {
        strEffect e;
        e.startFrame = static_cast<uint16_t>(t % 200);
        e.flags = strEffect::kFlash | strEffect::kSound;
        e.flashObject = static_cast<uint8_t>(t % 3);
        e.flashFrames = 5;
        e.soundPath = "Audio\\SE\\Fire" + std::to_string(t % 10) + ".ogg";
        e.volume = 80;
        e.frequency = 120;
        d->insertEffect(t, e);
    }
    return d;
}

struct Fixture {
    cConfig config;
    std::unique_ptr<cProject> project;
    std::vector<uint8_t> payload;
    Fixture() : project(BigProject(config)) {
        ruby::BuildMarshalPayload(*project, 3, config.Locale, payload);
    }
};

Fixture& Shared() {
    static Fixture f;
    return f;
}

void Counters(benchmark::State& state, size_t bytes) {
    state.counters["payload_KB"] = static_cast<double>(bytes) / 1024.0;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

void BM_MarshalExport(benchmark::State& state) {
    Fixture& f = Shared();
    const int product = static_cast<int>(state.range(0));
    std::vector<uint8_t> out;
    for (auto _ : state) {
        ruby::BuildMarshalPayload(*f.project, product, f.config.Locale, out);
        benchmark::DoNotOptimize(out.data());
    }
    Counters(state, out.size());
}
BENCHMARK(BM_MarshalExport)->Arg(2)->Arg(3)->Arg(4)->Unit(benchmark::kMillisecond);

void BM_MarshalImport(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state) {
        cProject d(&f.config);
        if (ruby::ReadMarshalPayload(f.payload, d, f.config.Locale) != 1)
            state.SkipWithError("import failed");
        benchmark::DoNotOptimize(d.frameCount());
    }
    Counters(state, f.payload.size());
}
BENCHMARK(BM_MarshalImport)->Unit(benchmark::kMillisecond);

// Export command and import command through the in-memory clipboard, as the editor runs them.
void BM_MarshalClipboardRoundTrip(benchmark::State& state) {
    Fixture& f = Shared();
    platform::cMemoryClipboard clip;
    interchange::cClipboardDevice device(clip, f.config);
    std::unique_ptr<cProject> current = std::make_unique<cProject>(&f.config);
    for (auto _ : state) {
        interchange::RunExportCommand(device, *f.project, interchange::kProductVXAce);
        auto r = interchange::RunImportCommand(device, current, interchange::kProductVX, "/work");
        if (r.message != interchange::kMsgImportSucceeded) state.SkipWithError("import failed");
    }
    Counters(state, f.payload.size());
}
BENCHMARK(BM_MarshalClipboardRoundTrip)->Unit(benchmark::kMillisecond);

} // namespace
