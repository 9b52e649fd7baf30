#include "render/source_cache.h"

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

cSourceCache::strEntry* cSourceCache::Find(const cTexture& texture, const strRect& rect,
                                           const strSourceSetup& setup) {
    const bool identity = SourceIsTexel(setup);
    for (const auto& e : entries_)
        if (e->content == texture.Content() && e->rect == rect && e->identity == identity &&
            (identity || e->setup == setup))
            return e.get();
    return nullptr;
}

cSourceCache::strEntry* cSourceCache::Keep(std::unique_ptr<strEntry> e) {
    const size_t size = e->Bytes();
    if (size > limit_) {
        scratch_ = std::move(e);
        return scratch_.get();
    }
    Evict(size);
    bytes_ += size;
    entries_.push_back(std::move(e));
    return entries_.back().get();
}

cSourceCache::strEntry* cSourceCache::Build(const cTexture& texture, const strRect& rect,
                                            const strSourceSetup& setup) {
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    auto e = std::make_unique<strEntry>();
    e->content = texture.Content();
    e->rect = rect;
    e->setup = setup;
    e->identity = SourceIsTexel(setup);
    const uint8_t* picture = texture.Row(rect.top) + size_t(rect.left) * 4;
    const size_t pitch = size_t(texture.Pitch());
    if (e->identity) {
        AlphaRuns(picture, pitch, w, h, e->first, e->end);
        return Keep(std::move(e));
    }
    // The tone pass is kept on its own (as the source of the same look drawn unblended at full
    // opacity), so that a change of opacity or blend mode costs only the fade that follows it.
    strSourceSetup toneSetup = setup;
    toneSetup.opacity = 255;
    toneSetup.mode = kBlendReplace;
    const uint8_t* toned = picture;
    size_t tonedPitch = pitch;
    std::unique_ptr<strEntry> keepTone; // a tone pass built now, kept after the result
    if (!ToneIsIdentity(setup)) {
        strEntry* tone = setup == toneSetup ? nullptr : Find(texture, rect, toneSetup);
        if (!tone) {
            keepTone = std::make_unique<strEntry>();
            keepTone->texels.resize(size_t(w) * size_t(h));
            for (int y = 0; y < h; ++y)
                ToneRow(picture + size_t(y) * pitch, keepTone->texels.data() + size_t(y) * size_t(w), w,
                        setup);
            if (setup == toneSetup) {
                e->texels = std::move(keepTone->texels);
                keepTone.reset();
            }
            tone = keepTone.get();
        }
        if (tone) {
            tone->lastUse = ++clock_;
            toned = reinterpret_cast<const uint8_t*>(tone->texels.data());
            tonedPitch = size_t(w) * 4;
        }
    }
    if (e->texels.empty()) {
        e->texels.resize(size_t(w) * size_t(h));
        for (int y = 0; y < h; ++y)
            FadeRow(toned + size_t(y) * tonedPitch, e->texels.data() + size_t(y) * size_t(w), w,
                    setup.opacity, setup.mode);
    }
    AlphaRuns(reinterpret_cast<const uint8_t*>(e->texels.data()), size_t(w) * 4, w, h, e->first, e->end);
    if (keepTone) {
        keepTone->content = e->content;
        keepTone->rect = rect;
        keepTone->setup = toneSetup;
        AlphaRuns(reinterpret_cast<const uint8_t*>(keepTone->texels.data()), size_t(w) * 4, w, h,
                  keepTone->first, keepTone->end);
        keepTone->lastUse = ++clock_;
        if (keepTone->Bytes() <= limit_) Keep(std::move(keepTone));
    }
    return Keep(std::move(e));
}

bool cSourceCache::Get(const cTexture& texture, const strRect& rect, const strSourceSetup& setup,
                       strSourceView& view) {
    strEntry* hit = Find(texture, rect, setup);
    if (!hit) {
        try {
            hit = Build(texture, rect, setup);
        } catch (const std::bad_alloc&) {
            return false;
        }
    }
    hit->lastUse = ++clock_;
    if (hit->identity) {
        view.pixels = texture.Row(rect.top) + size_t(rect.left) * 4;
        view.pitch = size_t(texture.Pitch());
    } else {
        view.pixels = reinterpret_cast<const uint8_t*>(hit->texels.data());
        view.pitch = size_t(rect.right - rect.left) * 4;
    }
    view.first = hit->first.data();
    view.end = hit->end.data();
    return true;
}

void cSourceCache::Evict(size_t room) {
    // At most kMaxEntries - 1 stay before one more is added, so that a look-up stays short.
    while (!entries_.empty() && (bytes_ + room > limit_ || entries_.size() >= kMaxEntries)) {
        auto oldest = std::min_element(entries_.begin(), entries_.end(),
                                       [](const auto& a, const auto& b) { return a->lastUse < b->lastUse; });
        bytes_ -= (*oldest)->Bytes();
        std::swap(*oldest, entries_.back());
        entries_.pop_back();
    }
}

void cSourceCache::Clear() {
    entries_.clear();
    scratch_.reset();
    bytes_ = 0;
}

void cSourceCache::SetLimit(size_t byteLimit) {
    limit_ = byteLimit;
    Evict(0);
}

} // namespace render
