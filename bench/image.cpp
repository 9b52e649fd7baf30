// Image benchmarks: loading and dividing a 1920 x 1920 PNG sprite sheet (RGBA and palette forms), and
// QuantizeColours of a 640 x 480 frame to 256 colours. Figures are written up in docs/performance.md.

#include "image/picture_loader.h"
#include "image/picture_slot.h"
#include "image/pixel_ops.h"

#include <benchmark/benchmark.h>
#include <png.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

void WriteCallback(png_structp png, png_bytep data, size_t n) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + n);
}

// A sprite sheet: 5 x 5 sprites of 384 x 384, each a shaded disc on a transparent background.
std::vector<uint8_t> MakeSheet(bool paletted) {
    const int size = 1920, cell = 384;
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, WriteCallback, nullptr);
    png_set_IHDR(png, info, size, size, 8, paletted ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB_ALPHA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> plte(256);
    std::vector<png_byte> trns(256, 255);
    for (int i = 0; i < 256; ++i)
        plte[size_t(i)] = png_color{png_byte(i), png_byte(255 - i), png_byte(i / 2)};
    trns[0] = 0;
    if (paletted) {
        png_set_PLTE(png, info, plte.data(), 256);
        png_set_tRNS(png, info, trns.data(), 256, nullptr);
    }
    png_write_info(png, info);
    std::vector<png_byte> row(size_t(size) * (paletted ? 1 : 4));
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            int k = (y / cell) * 5 + x / cell;
            double dx = x % cell - cell / 2.0, dy = y % cell - cell / 2.0;
            double r = std::sqrt(dx * dx + dy * dy) / (cell / 2.0);
            int shade = r >= 1.0 ? 0 : 1 + int((1.0 - r) * 200) + k;
            if (paletted) {
                row[size_t(x)] = png_byte(std::min(shade, 255));
            } else {
                png_byte* p = &row[size_t(x) * 4];
                p[0] = png_byte(shade * 3 + k);
                p[1] = png_byte(255 - shade);
                p[2] = png_byte(x ^ y);
                p[3] = shade ? 255 : 0;
            }
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

void LoadAndDivide(benchmark::State& state, bool paletted) {
    const std::vector<uint8_t> file = MakeSheet(paletted);
    for (auto _ : state) {
        cPictureSlot slot;
        if (!LoadPictureMemory(file, slot.newPicture())) state.SkipWithError("load failed");
        if (!slot.divide(5, 5, 16)) state.SkipWithError("divide failed");
        benchmark::DoNotOptimize(slot.imageTexture().row(0));
    }
    state.counters["file_KiB"] = double(file.size()) / 1024.0;
    state.SetItemsProcessed(state.iterations() * 1920 * 1920);
}

void BM_LoadDivideRgbaSheet(benchmark::State& state) {
    LoadAndDivide(state, false);
}
void BM_LoadDividePaletteSheet(benchmark::State& state) {
    LoadAndDivide(state, true);
}

void BM_DivideOnly(benchmark::State& state) {
    const std::vector<uint8_t> file = MakeSheet(false);
    cPictureSlot slot;
    LoadPictureMemory(file, slot.newPicture());
    for (auto _ : state) {
        if (!slot.divide(5, 5, 16)) state.SkipWithError("divide failed");
        benchmark::DoNotOptimize(slot.imageTexture().row(0));
    }
    state.SetItemsProcessed(state.iterations() * 1920 * 1920);
}

// A 640 x 480 frame with smooth gradients and a few shapes, the kind of image a GIF export quantises.
std::unique_ptr<cDib> MakeFrame() {
    auto d = cDib::create(640, 480, 24);
    for (int y = 0; y < 480; ++y) {
        uint8_t* row = d->row(y);
        for (int x = 0; x < 640; ++x) {
            double dx = x - 320.0, dy = y - 240.0;
            bool disc = dx * dx + dy * dy < 150.0 * 150.0;
            row[3 * x] = uint8_t(disc ? 40 + y / 4 : x * 255 / 639);
            row[3 * x + 1] = uint8_t(disc ? 200 - x / 8 : y * 255 / 479);
            row[3 * x + 2] = uint8_t(disc ? 230 : (x + y) / 5);
        }
    }
    return d;
}

void BM_Quantize640x480To256(benchmark::State& state) {
    auto frame = MakeFrame();
    for (auto _ : state) {
        auto q = QuantizeColours(*frame, 256);
        if (!q) state.SkipWithError("quantise failed");
        benchmark::DoNotOptimize(q->pixels());
    }
    state.SetItemsProcessed(state.iterations() * 640 * 480);
}

} // namespace

BENCHMARK(BM_LoadDivideRgbaSheet)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadDividePaletteSheet)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DivideOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Quantize640x480To256)->Unit(benchmark::kMillisecond);
