// Load and save of a full-size project in the binary and text formats: 1000 frames × 255 cell
// numbers (every slot occupied), 255 pictures, 1000 effects (100 distinct sound files).
//
// Two documents: "moving", where every cell changes position in every frame (the text format's
// worst case: one cell line per cell and frame), and "still", where the cells stay put (the text
// format's best case: the cells are written once). In memory (readBinary / writeBinary /
// readText / writeText) and through files (load / save, with the atomic write and its flush).
//
// Counters: file_MB = size of the file, MB_per_s = file bytes read or written per second.

#include "document/anime_file_device.h"
#include "document/project.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

constexpr int kFrames = 1000;
constexpr int kCells = 255;
constexpr int kPictures = 255;
constexpr int kEffects = 1000;

std::unique_ptr<cProject> MakeFullProject(bool moving) {
    auto doc = std::make_unique<cProject>();
    doc->create(kFrames, kCells, kPictures, kEffects);
    doc->setText(kTextName, "full-size benchmark project");
    for (int p = 0; p < kPictures; ++p)
        doc->setPicture(p, strPicture{5, 3, static_cast<uint16_t>(p % 361),
                                      "Graphics\\Battlers\\picture_" + std::to_string(p) + ".png"});
    for (int f = 0; f < kFrames; ++f) {
        doc->frameOrCreate(f);
        for (int c = 0; c < kCells; ++c) {
            strCell cell;
            cell.picture = static_cast<uint8_t>(c);
            cell.pattern = static_cast<uint16_t>(1 + c % 15);
            cell.x = static_cast<int16_t>(moving ? (f + c) % 1024 - 512 : c);
            cell.y = static_cast<int16_t>(moving ? (f * 3 + c) % 1024 - 512 : -c);
            cell.angle = static_cast<int16_t>(moving ? (f * 10) % 3600 : 0);
            cell.opacity = static_cast<uint8_t>(128 + c % 128);
            doc->setCell(f, c, &cell);
        }
    }
    for (int i = 0; i < kEffects; ++i) {
        strEffect e;
        e.startFrame = static_cast<uint16_t>(i);
        e.flags = strEffect::kSound | (i % 2 ? strEffect::kFlash : 0);
        e.soundPath = "Audio\\SE\\sound_" + std::to_string(i % 100) + ".ogg";
        e.flashFrames = 5;
        doc->addEffect(e);
    }
    doc->markSaved();
    return doc;
}

const cProject& Project(bool moving) {
    static const auto still = MakeFullProject(false);
    static const auto move = MakeFullProject(true);
    return moving ? *move : *still;
}

std::vector<uint8_t> Bytes(bool text, bool moving) {
    anime::cAnimeFileDevice dev;
    std::vector<uint8_t> out;
    int r = text ? dev.writeText(Project(moving), out) : dev.writeBinary(Project(moving), out);
    if (r != 1) std::abort();
    return out;
}

void Report(benchmark::State& state, size_t bytes) {
    state.counters["file_MB"] = static_cast<double>(bytes) / 1e6;
    state.counters["MB_per_s"] =
        benchmark::Counter(static_cast<double>(bytes) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

// args: 0 binary / 1 text, 0 still / 1 moving
void BM_Save(benchmark::State& state) {
    const bool text = state.range(0), moving = state.range(1);
    const cProject& doc = Project(moving);
    anime::cAnimeFileDevice dev;
    std::vector<uint8_t> out;
    for (auto _ : state) {
        int r = text ? dev.writeText(doc, out) : dev.writeBinary(doc, out);
        if (r != 1) state.SkipWithError("write failed");
        benchmark::DoNotOptimize(out.data());
    }
    Report(state, out.size());
}

void BM_Load(benchmark::State& state) {
    const bool text = state.range(0), moving = state.range(1);
    const std::vector<uint8_t> bytes = Bytes(text, moving);
    anime::cAnimeFileDevice dev;
    cProject doc;
    for (auto _ : state) {
        int r = text ? dev.readText(bytes, doc) : dev.readBinary(bytes, doc);
        if (r != 1) state.SkipWithError("read failed");
        benchmark::DoNotOptimize(doc.frame(999));
    }
    Report(state, bytes.size());
}

// A folder for the file benchmarks, removed at exit.
struct cTempFolder {
    std::string path;
    cTempFolder() {
        path = (std::filesystem::temp_directory_path() / "pelko-bench-XXXXXX").string();
        if (!mkdtemp(path.data())) std::abort();
    }
    ~cTempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};

const std::string& TempFolder() {
    static const cTempFolder folder;
    return folder.path;
}

// A modifiable copy of a benchmark project (save() records the file name in the document).
void CopyProject(bool moving, cProject& doc) {
    anime::cAnimeFileDevice dev;
    if (dev.readBinary(Bytes(false, moving), doc) != 1) std::abort();
}

void BM_SaveFile(benchmark::State& state) {
    const bool text = state.range(0), moving = state.range(1);
    cProject doc;
    CopyProject(moving, doc);
    anime::cAnimeFileDevice dev;
    const std::string path = TempFolder() + (text ? "/save.txt" : "/save.dat");
    for (auto _ : state)
        if (dev.save(path, doc, text ? 1 : 0) != 1) state.SkipWithError("save failed");
    Report(state, std::filesystem::file_size(path));
}

void BM_LoadFile(benchmark::State& state) {
    const bool text = state.range(0), moving = state.range(1);
    const std::vector<uint8_t> bytes = Bytes(text, moving);
    const std::string path = TempFolder() + (text ? "/load.txt" : "/load.dat");
    anime::cAnimeFileDevice dev;
    cProject doc;
    CopyProject(moving, doc);
    if (dev.save(path, doc, text ? 1 : 0) != 1) std::abort();
    for (auto _ : state)
        if (dev.load(path, doc) != 1) state.SkipWithError("load failed");
    Report(state, bytes.size());
}

void Args(benchmark::internal::Benchmark* b) {
    b->ArgNames({"text", "moving"});
    for (int text : {0, 1})
        for (int moving : {0, 1})
            b->Args({text, moving});
    b->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_Save)->Apply(Args);
BENCHMARK(BM_Load)->Apply(Args);
BENCHMARK(BM_SaveFile)->Apply(Args);
BENCHMARK(BM_LoadFile)->Apply(Args);
