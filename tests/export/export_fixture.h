#pragma once
// A project and a slot table built in memory for the export tests: picture 0 is a strip of solid
// coloured patterns (pattern k has colour PatternColour(k)), and frame i shows pattern i + 1 at the
// origin.

#include "render/render_fixture.h"

#include "config/config.h"
#include "document/project.h"
#include "export/capture_image.h"
#include "export/gif_file.h"
#include "image/picture_slot_table.h"
#include "support/document_builder.h"
#include "support/test_support.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace export_fixture {

using render_fixture::Argb;

inline uint32_t PatternColour(int k) {
    return Argb(255, uint32_t(20 + k * 17) & 255, uint32_t(200 - k * 13) & 255, uint32_t(k * 29) & 255);
}

struct strExportFixture {
    cConfig config;
    std::unique_ptr<cProject> doc;
    cPictureSlotTable slots;

    // frames: frame lengths in ticks (0 = basic interval 1). Patterns are 4 x 4.
    explicit strExportFixture(const std::vector<int>& lengths, int patterns = 16) {
        config.setDefaults();
        doc = std::make_unique<cProject>(&config);
        testing_support::MakeFrames(*doc, int(lengths.size()), 4);
        doc->setSetting(kKeyBasicInterval, 1);
        auto slot = render_fixture::MakeSlot(
            4 * patterns, 4, [](int x, int) { return PatternColour(x / 4); }, patterns, 1);
        slots.insert(std::move(slot), 0);
        doc->setPicture(0, strPicture{.divX = uint16_t(patterns), .path = "strip.png"});
        for (size_t i = 0; i < lengths.size(); ++i) {
            doc->setFrameInterval(int(i), uint16_t(lengths[i]));
            strCell c{.pattern = uint16_t(i % size_t(patterns) + 1)};
            doc->setCell(int(i), 0, &c);
        }
    }

    // A request covering the 4 x 4 cell at the origin.
    strCaptureRequest request(const std::string& path, uint32_t flags, int division = 0, int fps = 0) const {
        return {.outputPath = path,
                .project = doc.get(),
                .pictures = &slots,
                .area = {-2, -2, 2, 2},
                .division = division,
                .flags = flags,
                .fps = fps};
    }
};

// A GIF frame of w x h pixels whose pixel (x, y) is pixel(x, y) (0xAARRGGBB).
inline std::unique_ptr<cGifLocal> Frame(int w, int h, const std::function<uint32_t(int, int)>& pixel,
                                        int delay = 0, int disposal = 2) {
    auto f = std::make_unique<cGifLocal>();
    f->bitmap = render_fixture::MakeDib(w, h, pixel);
    f->delay = delay;
    f->disposal = disposal;
    return f;
}

// Runs a whole export of the request.
inline void RunCapture(const strCaptureRequest& r) {
    cCaptureImage capture;
    ASSERT_TRUE(capture.begin(r)) << capture.lastError();
    while (capture.step() == kStepImage) {
    }
    EXPECT_TRUE(capture.finish()) << capture.lastError();
}

// A GIF file or its bytes read back with giflib (slurped; null on failure).
struct strGifReadBack {
    GifFileType* gif = nullptr;
    std::vector<uint8_t> bytes;
    size_t at = 0;

    explicit strGifReadBack(const std::string& path) : strGifReadBack(testing_support::ReadBytes(path)) {}
    explicit strGifReadBack(std::vector<uint8_t> file) : bytes(std::move(file)) {
        int err = 0;
        gif = DGifOpen(this, read, &err);
        if (gif && DGifSlurp(gif) != GIF_OK) {
            DGifCloseFile(gif, &err);
            gif = nullptr;
        }
    }
    static int read(GifFileType* g, GifByteType* out, int n) {
        auto* self = static_cast<strGifReadBack*>(g->UserData);
        n = int(std::min(size_t(n), self->bytes.size() - self->at));
        std::copy_n(self->bytes.begin() + long(self->at), n, out);
        self->at += size_t(n);
        return n;
    }
    ~strGifReadBack() {
        int err = 0;
        if (gif) DGifCloseFile(gif, &err);
    }
    strGifReadBack(const strGifReadBack&) = delete;
    strGifReadBack& operator=(const strGifReadBack&) = delete;

    int frames() const { return gif ? gif->ImageCount : 0; }
    GraphicsControlBlock gcb(int i) const {
        GraphicsControlBlock g{};
        g.TransparentColor = NO_TRANSPARENT_COLOR;
        DGifSavedExtensionToGCB(gif, i, &g);
        return g;
    }
    std::vector<int> delays() const {
        std::vector<int> out;
        for (int i = 0; i < frames(); ++i)
            out.push_back(gcb(i).DelayTime);
        return out;
    }
    std::string signature() const { return std::string(bytes.begin(), bytes.begin() + 6); }
    // The loop count of the NETSCAPE2.0 block, which giflib keeps with the first image; -1 without one,
    // -2 when its data block is missing or short.
    int loopCount() const {
        if (gif->ImageCount < 1) return -1;
        const SavedImage& s = gif->SavedImages[0];
        for (int k = 0; k < s.ExtensionBlockCount; ++k) {
            const ExtensionBlock& b = s.ExtensionBlocks[k];
            if (b.Function != APPLICATION_EXT_FUNC_CODE || b.ByteCount != 11 ||
                std::string(reinterpret_cast<const char*>(b.Bytes), 11) != "NETSCAPE2.0")
                continue;
            const ExtensionBlock* d = k + 1 < s.ExtensionBlockCount ? &s.ExtensionBlocks[k + 1] : nullptr;
            return d && d->ByteCount >= 3 ? d->Bytes[1] | d->Bytes[2] << 8 : -2;
        }
        return -1;
    }
    // The colours of a map, 0x00RRGGBB.
    static std::vector<uint32_t> colours(const ColorMapObject* map) {
        std::vector<uint32_t> out;
        for (int i = 0; i < map->ColorCount; ++i)
            out.push_back(uint32_t(map->Colors[i].Red) << 16 | uint32_t(map->Colors[i].Green) << 8 |
                          map->Colors[i].Blue);
        return out;
    }
    // Colour (0x00RRGGBB) of pixel (x, y) of image i in image coordinates, or -1 when transparent.
    int64_t colour(int i, int x, int y) const {
        const SavedImage& s = gif->SavedImages[i];
        int idx = s.RasterBits[size_t(y) * size_t(s.ImageDesc.Width) + size_t(x)];
        GraphicsControlBlock g = gcb(i);
        if (idx == g.TransparentColor) return -1;
        const ColorMapObject* map = s.ImageDesc.ColorMap ? s.ImageDesc.ColorMap : gif->SColorMap;
        const GifColorType& c = map->Colors[idx];
        return int64_t(c.Red) << 16 | int64_t(c.Green) << 8 | c.Blue;
    }
};

} // namespace export_fixture
