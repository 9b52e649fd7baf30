// Recovery copies: what the editor does on its interface thread (turning the document into bytes)
// and what its writer thread does (the atomic write of the copy and its description), for the sample
// animation (24 frames, up to 8 cells) and for a full-size project (1000 frames × 255 cell numbers,
// every slot occupied and moving, 255 pictures, 1000 effects).
//
// Counters: copy_KB = size of the copy.

#include "document/project.h"
#include "workspace/recovery_store.h"

#include "../samples/sample_project.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>

namespace {

std::unique_ptr<cProject> MakeFullProject() {
    auto doc = std::make_unique<cProject>();
    doc->create(1000, 255, 255, 1000);
    for (int p = 0; p < 255; ++p)
        doc->setPicture(p, strPicture{5, 3, static_cast<uint16_t>(p % 361),
                                      "Graphics\\Battlers\\picture_" + std::to_string(p) + ".png"});
    for (int f = 0; f < 1000; ++f) {
        doc->frameOrCreate(f);
        for (int c = 0; c < 255; ++c) {
            strCell cell;
            cell.picture = static_cast<uint8_t>(c);
            cell.pattern = static_cast<uint16_t>(1 + c % 15);
            cell.x = static_cast<int16_t>((f + c) % 1024 - 512);
            cell.y = static_cast<int16_t>((f * 3 + c) % 1024 - 512);
            cell.angle = static_cast<int16_t>((f * 10) % 3600);
            doc->setCell(f, c, &cell);
        }
    }
    for (int i = 0; i < 1000; ++i) {
        strEffect e;
        e.startFrame = static_cast<uint16_t>(i);
        e.flags = strEffect::kSound;
        e.soundPath = "Audio\\SE\\sound_" + std::to_string(i % 100) + ".ogg";
        doc->addEffect(e);
    }
    return doc;
}

const cProject& Project(bool full) {
    static const auto sampleDoc = [] {
        auto doc = std::make_unique<cProject>();
        if (!sample::BuildProject(*doc)) std::abort();
        return doc;
    }();
    static const auto fullDoc = MakeFullProject();
    return full ? *fullDoc : *sampleDoc;
}

// A recovery folder for the benchmarks, removed at exit.
struct cTempStore {
    std::string path;
    std::unique_ptr<cRecoveryStore> store;
    cTempStore() {
        path = (std::filesystem::temp_directory_path() / "pelko-bench-XXXXXX").string();
        if (!mkdtemp(path.data())) std::abort();
        store = std::make_unique<cRecoveryStore>(path + "/recovery");
        if (!store->open()) std::abort();
    }
    ~cTempStore() {
        store->removeCopy(1);
        store->close();
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};

// arg: 0 the sample, 1 the full-size project. The interface thread's part.
void BM_Serialise(benchmark::State& state) {
    const cProject& doc = Project(state.range(0) != 0);
    std::vector<uint8_t> out;
    for (auto _ : state) {
        out.clear();
        if (!cRecoveryStore::serialise(doc, out)) state.SkipWithError("serialise failed");
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["copy_KB"] = static_cast<double>(out.size()) / 1e3;
}

// The writer thread's part: the copy and its description, each written atomically.
void BM_WriteCopy(benchmark::State& state) {
    const cProject& doc = Project(state.range(0) != 0);
    std::vector<uint8_t> bytes;
    if (!cRecoveryStore::serialise(doc, bytes)) std::abort();
    strRecoveryInfo info;
    info.origin = eRecoveryOrigin::kFile;
    info.path = "/home/me/animations/fire.dat";
    info.fileName = "fire.dat";
    info.lastChange = strMessage(kStepMoveCells, 3);
    cTempStore temp;
    for (auto _ : state) {
        info.savedAt = static_cast<int64_t>(std::time(nullptr));
        if (!temp.store->writeCopy(1, bytes, info)) state.SkipWithError("write failed");
    }
    state.counters["copy_KB"] = static_cast<double>(bytes.size()) / 1e3;
}

BENCHMARK(BM_Serialise)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WriteCopy)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
