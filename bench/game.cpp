// Game databases of 999 animations for each of the five products, each animation 20 frames of 16
// cells (8 for 2000) with 10 timings, in a game folder in the temporary folder:
//   BM_GameOpenList  open the game (read and parse the whole database) and list its animations;
//   BM_GameReadOne   read animation 500 of an opened game into a document;
//   BM_GameWriteOne  write a document back over animation 500 (new file built and checked, the
//                    file on disk checked against what was read, written to a temporary file and
//                    renamed);
//   BM_GameWindowFill what the game window does when a game is opened: open and list it, then draw
//                    the picture of frame 1 of the rows in view (kRowsInView), each read from the
//                    game, its picture loaded from the game's folder and the frame composed (the
//                    library's part of cGameThumbnails::draw; the window only scales the result);
//   BM_GameThumbnail one such picture of frame 1 (a row scrolled into view).
// Each game folder holds the seven pictures its animations name (960 x 960 RGBA PNG, 5 x 5 patterns).
// Counter file_bytes: the database's size; held_per_file_byte: heap bytes an opened game holds per
// byte of its database (mallinfo2, after Open, less before); peak_per_file_byte: the most heap the
// program held from before the game was opened to the end of a write, per byte of the database.

#include "game/game.h"
#include "config/config.h"
#include "document/project.h"
#include "export/png_writer.h"
#include "game/marshal_tree.h"
#include "image/picture_slot_table.h"
#include "image/texture.h"
#include "interchange/clip_2000.h"
#include "interchange/clipboard_formats.h"
#include "interchange/marshal_animation.h"
#include "interchange/mv_animation.h"
#include "platform/file_io.h"
#include "render/frame_composer.h"
#include "render/sprite_drawer.h"
#include "workspace/workspace.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <malloc.h>
#include <map>
#include <memory>
#include <new>
#include <string>
#include <unistd.h>

// Every allocation of the program is counted, so a benchmark can read the peak heap of what it runs.
namespace {
std::atomic<size_t> gHeapNow{0}, gHeapPeak{0};

void* CountedAlloc(size_t n) {
    void* p = std::malloc(n ? n : 1);
    if (!p) throw std::bad_alloc();
    const size_t now = gHeapNow += malloc_usable_size(p);
    size_t peak = gHeapPeak.load();
    while (now > peak && !gHeapPeak.compare_exchange_weak(peak, now)) {
    }
    return p;
}
void CountedFree(void* p) {
    if (!p) return;
    gHeapNow -= malloc_usable_size(p);
    std::free(p);
}
} // namespace

void* operator new(size_t n) {
    return CountedAlloc(n);
}
void* operator new[](size_t n) {
    return CountedAlloc(n);
}
void operator delete(void* p) noexcept {
    CountedFree(p);
}
void operator delete[](void* p) noexcept {
    CountedFree(p);
}
void operator delete(void* p, size_t) noexcept {
    CountedFree(p);
}
void operator delete[](void* p, size_t) noexcept {
    CountedFree(p);
}

namespace {

constexpr int kAnimations = 999;
constexpr int kFrames = 20;

std::unique_ptr<cProject> MakeAnimation(int n, int cells) {
    auto doc = std::make_unique<cProject>(&cConfig::defaults());
    doc->create(0, cells, 0, 0);
    doc->setText(kTextName, "Animation " + std::to_string(n));
    strPicture p;
    p.divX = p.divY = 192;
    p.path = "Picture" + std::to_string(n % 7);
    doc->setPicture(0, p);
    for (int f = 0; f < kFrames; ++f) {
        doc->frameOrCreate(f);
        for (int c = 0; c < cells; ++c) {
            strCell cell;
            cell.pattern = static_cast<uint16_t>(1 + (f + c) % 25);
            cell.x = static_cast<int16_t>(c * 8 - f);
            cell.y = static_cast<int16_t>(f * 3);
            cell.opacity = static_cast<uint8_t>(200 + c);
            doc->setCell(f, c, &cell);
        }
    }
    for (int t = 0; t < 10; ++t) {
        strEffect e;
        e.startFrame = static_cast<uint16_t>(t * 2);
        e.flags = strEffect::kSound | strEffect::kFlash;
        e.soundPath = "Sound" + std::to_string(t);
        e.flashFrames = 8;
        doc->addEffect(e);
    }
    return doc;
}

std::vector<uint8_t> MarshalDatabase(int product) {
    game::cMarshalTree db;
    game::ReadMarshalTree({4, 8, '[', 6, '0'}, db);
    for (int n = 1; n <= kAnimations; ++n) {
        std::vector<uint8_t> payload;
        ruby::BuildMarshalPayload(*MakeAnimation(n, 16), product, "jpn", payload);
        game::cMarshalTree one;
        game::ReadMarshalTree(std::vector<uint8_t>(payload.begin() + 4, payload.end()), one);
        db.appendElement(db.root(), db.copyFrom(one, one.elements(one.root())[0]));
    }
    std::vector<uint8_t> out;
    game::WriteMarshalTree(db, out);
    return out;
}

std::vector<uint8_t> MvDatabase() {
    std::string text = "[\nnull";
    for (int n = 1; n <= kAnimations; ++n) {
        std::string payload;
        mv::BuildMvPayload(*MakeAnimation(n, 16), "jpn", payload);
        text += ",\n" + payload.substr(1, payload.size() - 2);
    }
    text += "\n]";
    return {text.begin(), text.end()};
}

std::vector<uint8_t> LcfDatabase() {
    auto ber = [](std::vector<uint8_t>& out, uint32_t v) {
        uint8_t buf[5];
        int n = 0;
        do {
            buf[n++] = static_cast<uint8_t>(v & 0x7F);
            v >>= 7;
        } while (v);
        while (n > 1)
            out.push_back(buf[--n] | 0x80);
        out.push_back(buf[0]);
    };
    std::vector<uint8_t> animations;
    ber(animations, kAnimations);
    for (int n = 1; n <= kAnimations; ++n) {
        std::vector<uint8_t> payload;
        lcf::BuildLcfPayload(*MakeAnimation(n, 8), payload);
        ber(animations, static_cast<uint32_t>(n));
        animations.insert(animations.end(), payload.begin() + 8, payload.end());
    }
    std::vector<uint8_t> out{11, 'L', 'c', 'f', 'D', 'a', 't', 'a', 'B', 'a', 's', 'e'};
    ber(out, 0x0B);
    ber(out, 1);
    out.push_back(0);
    ber(out, 0x13);
    ber(out, static_cast<uint32_t>(animations.size()));
    out.insert(out.end(), animations.begin(), animations.end());
    return out;
}

// The game folders, removed when the program ends unless PELKO_BENCH_GAME_DIR names the folder to
// make them in (to measure the command line on them: pelko game import FOLDER 500 FILE).
const char* KeptFolder() {
    return std::getenv("PELKO_BENCH_GAME_DIR");
}

struct strFolders {
    std::map<int, std::string> paths;
    ~strFolders() {
        std::error_code ec;
        for (const auto& [product, path] : paths)
            if (!KeptFolder()) std::filesystem::remove_all(path, ec);
    }
};

// One game folder per product, made once.
const std::string& GameFolder(int product) {
    static strFolders all;
    std::map<int, std::string>& folders = all.paths;
    if (auto it = folders.find(product); it != folders.end()) return it->second;
    const std::string root = KeptFolder()
                                 ? std::string(KeptFolder()) + "/game-" + std::to_string(product)
                                 : std::filesystem::temp_directory_path().string() + "/pelko-bench-game-" +
                                       std::to_string(::getpid()) + "-" + std::to_string(product);
    const game::strGameProduct* p = game::FindGameProduct(product);
    std::filesystem::create_directories(std::filesystem::path(root + "/" + p->database).parent_path());
    platform::WriteFileAtomically(root + "/" + p->marker, {});
    std::vector<uint8_t> bytes = product == interchange::kProduct2000 ? LcfDatabase()
                                 : product == interchange::kProductMV ? MvDatabase()
                                                                      : MarshalDatabase(product);
    platform::WriteFileAtomically(root + "/" + p->database, bytes);
    // The pictures the animations name ("Picture0" .. "Picture6"), found in the game's picture folder.
    game::strGameLocation where;
    game::LocateGame(root, where);
    std::filesystem::create_directories(where.pictures);
    cTexture sheet;
    sheet.create(960, 960);
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x) {
            uint8_t* px = sheet.row(y) + x * 4;
            px[0] = uint8_t(x), px[1] = uint8_t(y), px[2] = uint8_t(x ^ y),
            px[3] = uint8_t(x % 192 < 160 ? 255 : 0);
        }
    for (int n = 0; n < 7; ++n)
        WritePngFile(where.pictures + "/Picture" + std::to_string(n) + ".png", sheet, true);
    return folders[product] = root;
}

size_t FileBytes(int product) {
    return std::filesystem::file_size(GameFolder(product) + "/" + game::FindGameProduct(product)->database);
}

void BM_GameOpenList(benchmark::State& state) {
    const int product = static_cast<int>(state.range(0));
    const std::string& folder = GameFolder(product);
    size_t held = 0;
    for (auto _ : state) {
        const size_t before = mallinfo2().uordblks;
        game::cGame g;
        if (!g.open(folder, cConfig::defaults())) state.SkipWithError("the database does not open");
        held = mallinfo2().uordblks - before;
        benchmark::DoNotOptimize(g.list());
    }
    state.counters["file_bytes"] = double(FileBytes(product));
    state.counters["held_per_file_byte"] = double(held) / double(FileBytes(product));
}

void BM_GameReadOne(benchmark::State& state) {
    const int product = static_cast<int>(state.range(0));
    game::cGame g;
    if (!g.open(GameFolder(product), cConfig::defaults())) state.SkipWithError("the database does not open");
    for (auto _ : state) {
        cProject doc(&cConfig::defaults());
        if (!g.read(500, doc)) state.SkipWithError("the animation does not read");
    }
}

void BM_GameWriteOne(benchmark::State& state) {
    const int product = static_cast<int>(state.range(0));
    const std::string& folder = GameFolder(product);
    auto doc = MakeAnimation(500, product == interchange::kProduct2000 ? 8 : 16);
    const size_t before = gHeapNow;
    gHeapPeak = before;
    game::cGame g;
    if (!g.open(folder, cConfig::defaults())) state.SkipWithError("the database does not open");
    for (auto _ : state) {
        game::strGameWriteReport report;
        std::string error;
        if (!g.write(*doc, 500, {}, report, &error)) state.SkipWithError(error.c_str());
    }
    state.counters["file_bytes"] = double(FileBytes(product));
    state.counters["peak_per_file_byte"] = double(gHeapPeak - before) / double(FileBytes(product));
}

// The rows the game window shows at its opening size (560 pixels high, rows of 64).
constexpr int kRowsInView = 8;

// The game window's picture of frame 1 of animation id, as cGameThumbnails::draw makes it before
// scaling: the animation read from the game, its pictures loaded, frame 0 composed over 384 x 288.
struct strThumbnailDrawer {
    cPictureSlotTable pictures;
    cSpriteDrawer drawer;
    cTexture target;
    cWorkspace workspace{cConfig::defaults()};

    strThumbnailDrawer() {
        pictures.initialise(cConfig::defaults());
        target.create(384, 288);
    }
    bool draw(const game::cGame& g, int id) {
        cProject doc(&cConfig::defaults());
        if (!g.read(id, doc) || doc.frameCount() == 0) return false;
        if (!workspace.loadPictures(doc, pictures).losses.empty()) return false;
        strFrameScene scene;
        scene.background = 0xFF303038;
        const int drawn = ComposeFrame(drawer, target, pictures, doc, 0, {-192, -144, 192, 144}, scene);
        pictures.removeAll(doc);
        return drawn > 0;
    }
};

void BM_GameWindowFill(benchmark::State& state) {
    const int product = static_cast<int>(state.range(0));
    const std::string& folder = GameFolder(product);
    strThumbnailDrawer thumbnails;
    for (auto _ : state) {
        game::cGame g;
        if (!g.open(folder, cConfig::defaults())) state.SkipWithError("the database does not open");
        const std::vector<game::strGameAnimation> rows = g.list();
        benchmark::DoNotOptimize(rows.data());
        for (int row = 0; row < kRowsInView; ++row)
            if (!thumbnails.draw(g, rows[size_t(row)].id))
                state.SkipWithError("a picture of frame 1 is not drawn");
    }
    state.counters["rows"] = double(kAnimations);
}

void BM_GameThumbnail(benchmark::State& state) {
    const int product = static_cast<int>(state.range(0));
    game::cGame g;
    if (!g.open(GameFolder(product), cConfig::defaults())) state.SkipWithError("the database does not open");
    strThumbnailDrawer thumbnails;
    for (auto _ : state)
        if (!thumbnails.draw(g, 500)) state.SkipWithError("the picture of frame 1 is not drawn");
}

void Products(benchmark::internal::Benchmark* b) {
    for (int p : {interchange::kProduct2000, interchange::kProductXP, interchange::kProductVX,
                  interchange::kProductVXAce, interchange::kProductMV})
        b->Arg(p);
    b->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_GameOpenList)->Apply(Products);
BENCHMARK(BM_GameReadOne)->Apply(Products);
BENCHMARK(BM_GameWriteOne)->Apply(Products);
BENCHMARK(BM_GameWindowFill)->Apply(Products);
BENCHMARK(BM_GameThumbnail)->Apply(Products);

} // namespace
