#include "render/source_cache.h"

#include "render/blend_span.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace render {

namespace {

// first / end of each row of w texels starting at p, rows pitch bytes apart.
void AlphaRuns(const uint8_t* p, size_t pitch, int w, int h, std::vector<int32_t>& first,
               std::vector<int32_t>& end) {
    first.assign(size_t(h), 0);
    end.assign(size_t(h), 0);
    for (int y = 0; y < h; ++y) {
        const uint8_t* row = p + size_t(y) * pitch;
        int a = 0, b = w;
        while (a < w && row[size_t(a) * 4 + 3] == 0)
            ++a;
        while (b > a && row[size_t(b - 1) * 4 + 3] == 0)
            --b;
        first[size_t(y)] = a;
        end[size_t(y)] = b;
    }
}

} // namespace

cSourceCache::strEntry* cSourceCache::find(const cTexture& texture, const strRect& rect,
                                           const strSourceSetup& setup) {
    const bool identity = SourceIsTexel(setup);
    for (const auto& e : entries_)
        if (e->content == texture.content() && e->rect == rect && e->identity == identity &&
            (identity || e->setup == setup))
            return e.get();
    return nullptr;
}

cSourceCache::strTexels cSourceCache::take(size_t count) {
    auto best = spare_.end();
    for (auto it = spare_.begin(); it != spare_.end(); ++it)
        if (it->count >= count && (best == spare_.end() || it->count < best->count)) best = it;
    if (best == spare_.end()) return {std::make_unique_for_overwrite<uint32_t[]>(count), count};
    strTexels t = std::move(*best);
    spare_.erase(best);
    return t;
}

void cSourceCache::release(std::unique_ptr<strEntry> e) {
    if (!e || !e->texels.data) return;
    spare_.push_back(std::move(e->texels));
    if (spare_.size() > kSpareBlocks) spare_.erase(spare_.begin()); // the oldest goes
}

cSourceCache::strEntry* cSourceCache::keep(std::unique_ptr<strEntry> e) {
    const size_t size = e->bytes();
    if (size > limit_) {
        release(std::move(scratch_));
        scratch_ = std::move(e);
        return scratch_.get();
    }
    evict(size);
    bytes_ += size;
    entries_.push_back(std::move(e));
    return entries_.back().get();
}

cSourceCache::strEntry* cSourceCache::tonePass(const cTexture& texture, const strRect& rect,
                                               const strSourceSetup& setup) {
    if (strEntry* hit = find(texture, rect, setup)) {
        hit->lastUse = ++clock_;
        return hit;
    }
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    auto e = std::make_unique<strEntry>();
    e->content = texture.content();
    e->rect = rect;
    e->setup = setup;
    e->texels = take(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y)
        ToneSpan(reinterpret_cast<const uint32_t*>(texture.row(rect.top + y)) + rect.left,
                 e->texels.data.get() + size_t(y) * size_t(w), w, setup);
    AlphaRuns(reinterpret_cast<const uint8_t*>(e->texels.data.get()), size_t(w) * 4, w, h, e->first, e->end);
    e->lastUse = ++clock_;
    return keep(std::move(e));
}

cSourceCache::strEntry* cSourceCache::build(const cTexture& texture, const strRect& rect,
                                            const strSourceSetup& setup) {
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    const uint8_t* picture = texture.row(rect.top) + size_t(rect.left) * 4;
    const size_t pitch = size_t(texture.pitch());
    auto e = std::make_unique<strEntry>();
    e->content = texture.content();
    e->rect = rect;
    e->setup = setup;
    e->identity = SourceIsTexel(setup);
    if (e->identity) {
        AlphaRuns(picture, pitch, w, h, e->first, e->end);
        return keep(std::move(e));
    }
    // The tone pass is kept on its own (keyed without opacity and with the blend mode reduced to
    // whether colours of alpha 0 show), so that a new opacity or blend mode costs only the fade.
    const uint8_t* toned = picture;
    size_t tonedPitch = pitch;
    if (!ToneIsIdentity(setup)) {
        strSourceSetup toneSetup = setup;
        toneSetup.opacity = 255;
        toneSetup.mode = ColourShowsAtZeroAlpha(setup.mode) ? kBlendReplace : kBlendAlpha;
        strEntry* tone = tonePass(texture, rect, toneSetup);
        if (setup == toneSetup) return tone; // nothing to fade
        toned = reinterpret_cast<const uint8_t*>(tone->texels.data.get());
        tonedPitch = size_t(w) * 4;
    }
    e->texels = take(size_t(w) * size_t(h));
    uint32_t* out = e->texels.data.get();
    for (int y = 0; y < h; ++y)
        FadeSpan(reinterpret_cast<const uint32_t*>(toned + size_t(y) * tonedPitch),
                 out + size_t(y) * size_t(w), w, setup.opacity, setup.mode);
    AlphaRuns(reinterpret_cast<const uint8_t*>(out), size_t(w) * 4, w, h, e->first, e->end);
    return keep(std::move(e));
}

bool cSourceCache::get(const cTexture& texture, const strRect& rect, const strSourceSetup& setup,
                       strSourceView& view) {
    strEntry* hit = find(texture, rect, setup);
    if (!hit) {
        try {
            hit = build(texture, rect, setup);
        } catch (const std::bad_alloc&) {
            return false;
        }
    }
    hit->lastUse = ++clock_;
    if (hit->identity) {
        view.pixels = texture.row(rect.top) + size_t(rect.left) * 4;
        view.pitch = size_t(texture.pitch());
    } else {
        view.pixels = reinterpret_cast<const uint8_t*>(hit->texels.data.get());
        view.pitch = size_t(rect.right - rect.left) * 4;
    }
    view.first = hit->first.data();
    view.end = hit->end.data();
    return true;
}

void cSourceCache::evict(size_t room) {
    while (!entries_.empty() && (bytes_ + room > limit_ || entries_.size() >= kMaxEntries)) {
        auto oldest = std::min_element(entries_.begin(), entries_.end(),
                                       [](const auto& a, const auto& b) { return a->lastUse < b->lastUse; });
        bytes_ -= (*oldest)->bytes();
        std::swap(*oldest, entries_.back());
        release(std::move(entries_.back()));
        entries_.pop_back();
    }
}

void cSourceCache::clear() {
    for (auto& e : entries_)
        release(std::move(e));
    entries_.clear();
    release(std::move(scratch_));
    bytes_ = 0;
}

void cSourceCache::setLimit(size_t byteLimit) {
    limit_ = byteLimit;
    evict(0);
}

} // namespace render
