#pragma once
// cSourceCache: the drawing device's memory of the source texels it built for recent sprites (the
// tone pass: tone, saturation, flash, silhouette, opacity and fade applied to every texel of a
// pattern), so that a cell whose look did not change since the last frame costs only its raster
// pass, and one whose opacity or blend mode changed only the fade that follows the tone pass. An
// entry is keyed by the texture's content (cTexture::content), the pattern rectangle and everything
// of the request that the texels depend on; it also records, for each texel row, the run outside
// which every source texel has alpha 0.

#include "image/pattern_grid.h"
#include "image/texture.h"
#include "render/colour_rules.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace render {

// The source of one sprite: texel (x, y) at pixels + y * pitch + x * 4, and for each texel row y
// the texels [first[y], end[y]) outside which the source alpha is 0 (end <= first: none).
struct strSourceView {
    const uint8_t* pixels = nullptr;
    size_t pitch = 0;
    const int32_t* first = nullptr;
    const int32_t* end = nullptr;
};

class cSourceCache {
  public:
    // Holds entries up to byteLimit bytes of texels in all (0: nothing is kept).
    explicit cSourceCache(size_t byteLimit = size_t(32) << 20) : limit_(byteLimit) {}

    // The source of pattern rect of texture under setup, built (and kept when it fits) unless an
    // entry for the same content, rectangle and setup exists. When SourceIsTexel(setup) the view
    // reads the texture itself. False when memory cannot be had.
    bool get(const cTexture& texture, const strRect& rect, const strSourceSetup& setup, strSourceView& view);
    void clear();
    void setLimit(size_t byteLimit);

  private:
    static constexpr size_t kMaxEntries = 256; // so that a look-up stays short
    static constexpr size_t kSpareBlocks = 16;

    // Texels in a block that is not zeroed when made (every texel is written before it is read).
    struct strTexels {
        std::unique_ptr<uint32_t[]> data;
        size_t count = 0;
    };
    struct strEntry {
        uint64_t content = 0;
        strRect rect{};
        strSourceSetup setup;
        bool identity = false;
        strTexels texels; // none for an identity source
        std::vector<int32_t> first, end;
        uint64_t lastUse = 0;
        size_t bytes() const { return texels.count * 4 + first.size() * 8 + 64; }
    };
    strEntry* find(const cTexture& texture, const strRect& rect, const strSourceSetup& setup);
    strEntry* build(const cTexture& texture, const strRect& rect, const strSourceSetup& setup);
    // The entry of the tone pass for setup (opacity 255), from the cache or built and kept.
    strEntry* tonePass(const cTexture& texture, const strRect& rect, const strSourceSetup& setup);
    strEntry* keep(std::unique_ptr<strEntry> e); // stores e (or holds it as scratch when too large)
    void evict(size_t room);
    void release(std::unique_ptr<strEntry> e); // its texels become a spare block
    // A block of at least count texels: the smallest spare that is large enough, or a new one.
    strTexels take(size_t count);

    size_t limit_;
    size_t bytes_ = 0;
    uint64_t clock_ = 0;
    std::vector<std::unique_ptr<strEntry>> entries_;
    std::unique_ptr<strEntry> scratch_; // the last entry that did not fit
    std::vector<strTexels> spare_;      // blocks of released entries, so that memory is reused
};

} // namespace render
