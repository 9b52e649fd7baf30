#include "export/gif_frame_plan.h"

#include "export/gif_file.h"

#include "export/gif_lzw.h"

#include <algorithm>
#include <climits>
#include <limits>
#include <numeric>

namespace {

constexpr size_t kNoSize = std::numeric_limits<size_t>::max();

bool Inside(const strGifFramePlan& r, int x, int y) {
    return x >= r.left && x < r.left + r.width && y >= r.top && y < r.top + r.height;
}

// Grows box (width 0 = empty) to hold the rectangle of r.
void Grow(strGifFramePlan& box, int left, int top, int width, int height) {
    if (width < 1) return;
    if (box.width < 1) {
        box.left = left, box.top = top, box.width = width, box.height = height;
        return;
    }
    const int right = std::max(box.left + box.width, left + width),
              bottom = std::max(box.top + box.height, top + height);
    box.left = std::min(box.left, left);
    box.top = std::min(box.top, top);
    box.width = right - box.left;
    box.height = bottom - box.top;
}

void Grow(strGifFramePlan& box, const strGifFramePlan& r) {
    Grow(box, r.left, r.top, r.width, r.height);
}

} // namespace

int GifCodeBits(size_t entries) {
    int bits = 1;
    while ((size_t(1) << bits) < entries && bits < 8)
        ++bits;
    return bits;
}

strGifFramePlan cGifFramePlanner::ownPalette(int i) const {
    const strGifPlanInput& f = frames_[size_t(i)];
    strGifFramePlan plan;
    plan.local = f.local;
    if (f.local) plan.palette = *f.palette;
    plan.transIndex = f.transIndex;
    std::iota(plan.remap.begin(), plan.remap.end(), uint8_t(0));
    return plan;
}

strGifFramePlan cGifFramePlanner::opaqueBox(int i) const {
    strGifFramePlan box = ownPalette(i);
    box.width = 0;
    const uint32_t* px = frames_[size_t(i)].pixels;
    for (int y = 0; y < h_; ++y) {
        const uint32_t* row = px + size_t(y) * size_t(w_);
        int first = 0;
        while (first < w_ && row[first] == kGifTransparentMarker)
            ++first;
        if (first == w_) continue;
        int last = w_ - 1;
        while (row[last] == kGifTransparentMarker)
            --last;
        Grow(box, first, y, last - first + 1, 1);
    }
    if (box.width < 1) box.left = box.top = 0, box.width = box.height = 1; // no opaque pixel
    box.disposal = frames_[size_t(i)].disposal;
    return box;
}

void cGifFramePlanner::row(int i, const strGifFramePlan& plan, const strGifFramePlan* prev, int y,
                           uint8_t* out) const {
    const strGifPlanInput& f = frames_[size_t(i)];
    const int sy = plan.top + y;
    const size_t at = size_t(sy) * size_t(w_) + size_t(plan.left);
    const bool keep = prev && f.transIndex >= 0 && plan.keepUnchanged;
    std::copy(f.indices + at, f.indices + at + size_t(plan.width), out);
    if (keep) {
        // The screen underneath: the previous frame's row, transparent inside its cleared rectangle.
        const uint32_t* under = frames_[size_t(i) - 1].pixels + at;
        const bool cleared = prev->disposal == 2 && sy >= prev->top && sy < prev->top + prev->height;
        const int clearFrom = cleared ? prev->left - plan.left : 0,
                  clearTo = cleared ? clearFrom + prev->width : 0;
        const uint32_t* own = f.pixels + at;
        const uint8_t trans = uint8_t(f.transIndex);
        for (int x = 0; x < plan.width; ++x) {
            const uint32_t beneath = x >= clearFrom && x < clearTo ? kGifTransparentMarker : under[x];
            if (own[x] != beneath) continue;
            // Unchanged: transparent, unless the pixel before shows the same (the run goes on).
            if (x == 0 || out[x - 1] != out[x]) out[x] = trans;
        }
    }
    if (plan.remapped)
        for (int x = 0; x < plan.width; ++x)
            out[x] = plan.remap[out[x]];
}

std::vector<uint8_t> cGifFramePlanner::pixels(int i, const strGifFramePlan& plan, const strGifFramePlan* prev,
                                              bool interlace) const {
    std::vector<uint8_t> out(size_t(plan.width) * size_t(plan.height));
    size_t at = 0;
    auto emitRow = [&](int y) {
        row(i, plan, prev, y, out.data() + at);
        at += size_t(plan.width);
    };
    if (interlace) {
        static const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int y = start[pass]; y < plan.height; y += step[pass])
                emitRow(y);
    } else {
        for (int y = 0; y < plan.height; ++y)
            emitRow(y);
    }
    return out;
}

int cGifFramePlanner::codeBits(const strGifFramePlan& plan) const {
    return GifCodeBits(plan.local ? plan.palette.size() : global_.size());
}

size_t cGifFramePlanner::encodedBytes(int i, const strGifFramePlan& plan, const strGifFramePlan& prev) const {
    std::vector<uint8_t>& pixels = scratch_;
    pixels.resize(size_t(plan.width) * size_t(plan.height));
    for (int y = 0; y < plan.height; ++y)
        row(i, plan, &prev, y, pixels.data() + size_t(y) * size_t(plan.width));
    const int bits = codeBits(plan);
    // The image descriptor, the local palette, the code size byte, the data and the empty block. The
    // data are counted as cleared at once, the quickest way; the written file takes the smallest.
    return 10 + (plan.local ? size_t(3) << bits : 0) + 2 +
           lzw_.compressedSize(pixels.data(), pixels.size(), bits, kGifClearAtOnce);
}

void cGifFramePlanner::choosePalette(int i, strGifFramePlan& plan, const strGifFramePlan& prev,
                                     size_t& bytes) const {
    // The entries of the frame's own palette that the rows use.
    std::array<bool, 256> used{};
    std::vector<uint8_t> line(size_t(plan.width));
    for (int y = 0; y < plan.height; ++y) {
        row(i, plan, &prev, y, line.data());
        for (uint8_t k : line)
            used[k] = true;
    }
    const strGifPlanInput& f = frames_[size_t(i)];
    const std::vector<uint32_t>& own = f.local ? *f.palette : global_;
    // Relabelled symbols code to as many bits when the code size stays: then only the tables differ.
    auto table = [this](const strGifFramePlan& p) { return p.local ? size_t(3) << codeBits(p) : 0; };
    const int codeSize = std::max(codeBits(plan), 2);
    auto consider = [&](strGifFramePlan candidate) {
        const size_t size = std::max(codeBits(candidate), 2) == codeSize
                                ? bytes - table(plan) + table(candidate)
                                : encodedBytes(i, candidate, prev);
        if (size < bytes) {
            bytes = size;
            plan = std::move(candidate);
        }
    };
    // Only the colours used, in the same order.
    strGifFramePlan subset = plan;
    subset.remapped = true;
    subset.local = true;
    subset.palette.clear();
    subset.transIndex = -1;
    for (size_t k = 0; k < own.size() && k < 256; ++k) {
        if (!used[k]) continue;
        if (int(k) == f.transIndex) subset.transIndex = int(subset.palette.size());
        subset.remap[k] = uint8_t(subset.palette.size());
        subset.palette.push_back(own[k]);
    }
    if (subset.palette.size() & 1) subset.palette.push_back(0);
    if (subset.palette.size() < own.size()) consider(subset);
    // The global palette, when it holds every colour used.
    if (!f.local) return;
    strGifFramePlan shared = plan;
    shared.remapped = true;
    shared.local = false;
    shared.palette.clear();
    shared.transIndex = used[size_t(std::max(f.transIndex, 0))] && f.transIndex >= 0 ? globalTrans_ : -1;
    for (size_t k = 0; k < own.size() && k < 256; ++k) {
        if (!used[k]) continue;
        if (int(k) == f.transIndex) {
            if (globalTrans_ < 0) return;
            shared.remap[k] = uint8_t(globalTrans_);
            continue;
        }
        const auto at = std::find(global_.begin(), global_.end(), own[k]);
        if (at == global_.end() || int(at - global_.begin()) == globalTrans_) return;
        shared.remap[k] = uint8_t(at - global_.begin());
    }
    consider(shared);
}

bool cGifFramePlanner::optimises(bool wholeFrames) const {
    return !wholeFrames && std::all_of(frames_.begin(), frames_.end(),
                                       [](const strGifPlanInput& f) { return f.disposal == 2; });
}

std::vector<strGifFramePlan> cGifFramePlanner::plan(bool wholeFrames) const {
    const int n = int(frames_.size());
    std::vector<strGifFramePlan> plans(static_cast<size_t>(n));
    if (n == 0) return plans;
    const bool optimise = optimises(wholeFrames);
    // When the first frame has transparent pixels, the screen must be clear again after the last frame
    // for the next pass of the loop.
    const uint32_t* first = frames_[0].pixels;
    const uint32_t* firstEnd = first + size_t(w_) * size_t(h_);
    const bool clearAtEnd = std::find(first, firstEnd, kGifTransparentMarker) != firstEnd;
    for (int i = 0; i < n; ++i)
        planFrame(i, optimise, clearAtEnd, plans);
    return plans;
}

void cGifFramePlanner::planFrame(int i, bool optimise, bool clearAtEnd,
                                 std::vector<strGifFramePlan>& plans) const {
    const int n = int(frames_.size());
    if (!optimise || i == 0) {
        plans[size_t(i)] = opaqueBox(i);
        if (optimise && i == n - 1) plans.back().disposal = 2;
        return;
    }
    // One pass over the screen for the two screens the previous frame can leave, its rectangle
    // cleared (0) or kept (1): whether this frame can be shown over it (no pixel turns
    // transparent) and the box of the pixels that change.
    struct strBase {
        bool valid = true;
        int minX = INT32_MAX, minY = INT32_MAX, maxX = -1, maxY = -1;
        size_t changes = 0;
        void change(int x, int y) {
            minX = std::min(minX, x), maxX = std::max(maxX, x), minY = std::min(minY, y),
            maxY = std::max(maxY, y);
            ++changes;
        }
    } bases[2];
    const strGifFramePlan& last = plans[size_t(i) - 1];
    const uint32_t* px = frames_[size_t(i)].pixels;
    const uint32_t* before = frames_[size_t(i) - 1].pixels;
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            const size_t k = size_t(y) * size_t(w_) + size_t(x);
            const uint32_t v = px[k], kept = before[k];
            const uint32_t cleared = Inside(last, x, y) ? kGifTransparentMarker : kept;
            if (v != cleared)
                v == kGifTransparentMarker ? void(bases[0].valid = false) : bases[0].change(x, y);
            if (v != kept) v == kGifTransparentMarker ? void(bases[1].valid = false) : bases[1].change(x, y);
        }

    strGifFramePlan best, bestPrev;
    size_t bestBytes = kNoSize;
    // Written as they are, the pixels depend on the rectangle only, not on the screen beneath.
    strGifFramePlan lastExact;
    size_t lastExactBytes = kNoSize;
    auto consider = [&](const strGifFramePlan& prev, const strBase& base) {
        strGifFramePlan changed = ownPalette(i);
        if (base.maxX < 0) { // nothing changed: one pixel at (0, 0)
            changed.left = changed.top = 0, changed.width = changed.height = 1;
        } else {
            changed.left = base.minX, changed.top = base.minY;
            changed.width = base.maxX - base.minX + 1, changed.height = base.maxY - base.minY + 1;
        }
        // Keeping unchanged pixels needs a transparent index and some unchanged pixel in the box.
        const bool canKeep = frames_[size_t(i)].transIndex >= 0 &&
                             size_t(changed.width) * size_t(changed.height) > base.changes;
        for (bool keep : {false, true}) {
            if (keep && !canKeep) continue;
            strGifFramePlan candidate = changed;
            candidate.keepUnchanged = keep;
            const bool same = !keep && lastExactBytes != kNoSize && lastExact.left == changed.left &&
                              lastExact.top == changed.top && lastExact.width == changed.width &&
                              lastExact.height == changed.height;
            const size_t bytes = same ? lastExactBytes : encodedBytes(i, candidate, prev);
            if (!keep) lastExact = changed, lastExactBytes = bytes;
            if (bytes < bestBytes) {
                bestBytes = bytes;
                best = candidate;
                bestPrev = prev;
            }
        }
    };
    for (int option = 0; option < 2; ++option) {
        if (!bases[option].valid) continue;
        strGifFramePlan prev = last;
        prev.disposal = option == 0 ? 2 : 1;
        consider(prev, bases[option]);
    }
    if (bestBytes == kNoSize) {
        // Neither screen can show this frame (a pixel turns transparent): the previous rectangle
        // grows to the box of its opaque pixels and is cleared, which leaves the screen empty.
        // Pixels the grown rectangle adds may lie outside the palette chosen for the smaller one:
        // it starts again from its own palette.
        strGifFramePlan prev = ownPalette(i - 1);
        prev.left = last.left, prev.top = last.top, prev.width = last.width, prev.height = last.height;
        prev.keepUnchanged = last.keepUnchanged;
        Grow(prev, opaqueBox(i - 1));
        if (i >= 2) {
            size_t bytes = encodedBytes(i - 1, prev, plans[size_t(i) - 2]);
            choosePalette(i - 1, prev, plans[size_t(i) - 2], bytes);
        }
        strBase empty;
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x)
                if (px[size_t(y) * size_t(w_) + size_t(x)] != kGifTransparentMarker) empty.change(x, y);
        consider(prev, empty);
    }
    if (i == n - 1 && clearAtEnd) { // the box of its opaque pixels too: it leaves the screen empty
        Grow(best, opaqueBox(i));
        bestBytes = encodedBytes(i, best, bestPrev);
    }
    choosePalette(i, best, bestPrev, bestBytes);
    plans[size_t(i) - 1] = bestPrev;
    plans[size_t(i)] = best;
    if (i == n - 1) plans.back().disposal = 2;
}
