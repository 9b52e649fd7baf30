#include "export/gif_file.h"

#include "document/file_reason.h"
#include "export/gif_frame_plan.h"
#include "export/gif_lzw.h"
#include "image/pixel_ops.h"
#include "platform/file_io.h"

#include <gif_lib.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

namespace {

// Distinct values of a pixel buffer in order of first appearance, up to limit; false when there are
// more.
bool CollectColours(const std::vector<uint32_t>& pixels, size_t limit, std::vector<uint32_t>& out) {
    out.clear();
    std::unordered_set<uint32_t> seen;
    bool haveLast = false;
    uint32_t last = 0;
    for (uint32_t v : pixels) {
        if (haveLast && v == last) continue;
        haveLast = true;
        last = v;
        if (seen.insert(v).second) {
            if (out.size() == limit) return false;
            out.push_back(v);
        }
    }
    return true;
}

// Replaces the less used of the two closest colours (squared RGB distance) of a pixel buffer by the
// other; the marker is left alone. False when there are fewer than two colours.
bool MergeClosestColours(std::vector<uint32_t>& pixels) {
    std::unordered_map<uint32_t, size_t> uses;
    for (uint32_t v : pixels)
        if (v != kGifTransparentMarker) ++uses[v];
    if (uses.size() < 2) return false;
    const std::vector<std::pair<uint32_t, size_t>> list(uses.begin(), uses.end());
    auto distance = [](uint32_t a, uint32_t b) {
        int d = 0;
        for (int shift : {0, 8, 16}) {
            const int c = int((a >> shift) & 255) - int((b >> shift) & 255);
            d += c * c;
        }
        return d;
    };
    size_t bestI = 0, bestJ = 1;
    for (size_t i = 0; i < list.size(); ++i)
        for (size_t j = i + 1; j < list.size(); ++j) {
            const int d = distance(list[i].first, list[j].first),
                      best = distance(list[bestI].first, list[bestJ].first);
            // Ties: the pair whose merge repaints the fewest pixels, then the smaller colours.
            const auto key = [&](size_t a, size_t b) {
                return std::make_tuple(std::min(list[a].second, list[b].second),
                                       std::min(list[a].first, list[b].first),
                                       std::max(list[a].first, list[b].first));
            };
            if (d < best || (d == best && key(i, j) < key(bestI, bestJ))) bestI = i, bestJ = j;
        }
    // The less used colour goes (the smaller value when both are used as often).
    const auto& [a, na] = list[bestI];
    const auto& [b, nb] = list[bestJ];
    const bool dropA = na < nb || (na == nb && a < b);
    const uint32_t from = dropA ? a : b, to = dropA ? b : a;
    std::replace(pixels.begin(), pixels.end(), from, to);
    return true;
}

int PositionOf(const std::vector<uint32_t>& list, uint32_t v) {
    auto it = std::find(list.begin(), list.end(), v);
    return it == list.end() ? -1 : int(it - list.begin());
}

// Replaces the marker by an unused colour, sorts the list by luma (SortPalette), rounds the count up
// to an even number. Returns the transparent index (-1 when the list held no marker).
int OrderPalette(std::vector<uint32_t>& list) {
    if (list.empty()) return -1;
    int markerPos = PositionOf(list, kGifTransparentMarker);
    uint32_t replacement = 0;
    if (markerPos >= 0) {
        std::unordered_set<uint32_t> used;
        for (uint32_t c : list)
            if (c != kGifTransparentMarker) used.insert(c & 0x00FFFFFF);
        bool found = false;
        for (uint32_t c : cGifFile::replacementColours())
            if (!used.count(c)) {
                replacement = c;
                found = true;
                break;
            }
        for (uint32_t c = 1; !found && c <= 0x00FFFFFF; ++c)
            if (!used.count(c)) {
                replacement = c;
                found = true;
            }
        list[size_t(markerPos)] = replacement;
    }
    int count = SortPalette(int(list.size()), list.data(), true);
    list.resize(size_t(count));
    if (list.size() & 1) list.push_back(0);
    return markerPos >= 0 ? PositionOf(list, replacement) : -1;
}

// A giflib colour map of the list padded to the next power of two (2..256 entries).
ColorMapObject* MakeMap(const std::vector<uint32_t>& list) {
    int bits = GifCodeBits(list.size());
    std::vector<GifColorType> colours(size_t(1) << bits);
    for (size_t i = 0; i < colours.size(); ++i) {
        uint32_t c = i < list.size() ? list[i] : 0;
        colours[i].Red = GifByteType(c >> 16);
        colours[i].Green = GifByteType(c >> 8);
        colours[i].Blue = GifByteType(c);
    }
    return GifMakeMapObject(int(colours.size()), colours.data());
}

void SetError(strMessage* error, strMessage what) {
    if (error) *error = std::move(what);
}

} // namespace

// Memory the colour reduction keeps from frame to frame.
struct cGifFile::strReduceWork {
    std::unique_ptr<cDib> image; // the frame composed onto white, 24 bits
    std::vector<uint8_t> remembered;
    strQuantizeScratch quantize;
};

// giflib's output: bytes in memory (Encode) or the temporary file of the target (Write).
struct cGifFile::strSink {
    std::vector<uint8_t>* out = nullptr;
    platform::cAtomicFile* file = nullptr;
    bool failed = false;
    strMessage why; // why the output failed

    static int output(GifFileType* gif, const GifByteType* data, int len) {
        auto* sink = static_cast<strSink*>(gif->UserData);
        if (sink->failed) return 0;
        if (sink->file) {
            std::string english;
            if (sink->file->write(std::span<const uint8_t>(data, size_t(len)), &english)) return len;
            sink->why = FileFailureMessage(english);
        } else {
            try {
                sink->out->insert(sink->out->end(), data, data + len);
                return len;
            } catch (...) {
                sink->why = strMessage(kWhyOutOfMemory);
            }
        }
        sink->failed = true;
        return 0;
    }
};

cGifFile::cGifFile() = default;

cGifFile::~cGifFile() {
    if (spill_ >= 0) ::close(spill_);
}

bool cGifFile::beginStream(const std::string& path, strMessage* error) {
    if (spill_ >= 0) return true;
    std::string why;
    spill_ = platform::OpenScratchFileBeside(path, &why);
    if (spill_ < 0) {
        SetError(error, FileFailureMessage(why));
        return false;
    }
    spillEnd_ = 0;
    return true;
}

bool cGifFile::spill(cGifLocal& f, strMessage* error) {
    // One byte per pixel: its value's position in the frame's colours (at most 256 with the marker).
    std::unordered_map<uint32_t, uint8_t> position;
    for (size_t k = 0; k < f.colours.size(); ++k)
        position.emplace(f.colours[k], uint8_t(k));
    std::vector<uint8_t> indices(f.pixels.size());
    uint32_t lastValue = 0;
    uint8_t lastIndex = 0;
    for (size_t k = 0; k < f.pixels.size(); ++k) {
        const uint32_t v = f.pixels[k];
        if (k == 0 || v != lastValue) {
            lastValue = v;
            lastIndex = position[v];
        }
        indices[k] = lastIndex;
    }
    uLongf packed = compressBound(uLong(indices.size()));
    std::vector<uint8_t> bytes(packed);
    if (compress2(bytes.data(), &packed, indices.data(), uLong(indices.size()), 1) != Z_OK) {
        SetError(error, strMessage(kGifCannotCompress));
        return false;
    }
    size_t done = 0;
    while (done < packed) {
        const ssize_t n =
            ::pwrite(spill_, bytes.data() + done, size_t(packed) - done, off_t(spillEnd_ + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            SetError(error, strMessage(kGifCannotSpill, SystemReason(errno)));
            return false;
        }
        done += size_t(n);
    }
    f.spillOffset = spillEnd_;
    f.spillBytes = uint32_t(packed);
    spillEnd_ += packed;
    f.pixels.clear();
    f.pixels.shrink_to_fit();
    return true;
}

bool cGifFile::unspill(const cGifLocal& f, std::vector<uint32_t>& pixels, strMessage* error) const {
    std::vector<uint8_t> bytes(f.spillBytes);
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pread(spill_, bytes.data() + done, bytes.size() - done, off_t(f.spillOffset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            SetError(error, strMessage(kGifCannotUnspill));
            return false;
        }
        done += size_t(n);
    }
    std::vector<uint8_t> indices(size_t(screenWidth_) * size_t(screenHeight_));
    uLongf size = uLongf(indices.size());
    if (uncompress(indices.data(), &size, bytes.data(), uLong(bytes.size())) != Z_OK ||
        size != indices.size()) {
        SetError(error, strMessage(kGifSpillDamaged));
        return false;
    }
    pixels.resize(indices.size());
    for (size_t k = 0; k < indices.size(); ++k)
        pixels[k] = indices[k] < f.colours.size() ? f.colours[indices[k]] : kGifTransparentMarker;
    return true;
}

const std::vector<uint32_t>& cGifFile::replacementColours() {
    static const std::vector<uint32_t> table = [] {
        std::vector<uint32_t> t;
        auto group = [&t](uint32_t L) {
            t.push_back(L);                    // (0, 0, L)
            t.push_back(L << 8);               // (0, L, 0)
            t.push_back(L << 8 | L);           // (0, L, L)
            t.push_back(L << 16);              // (L, 0, 0)
            t.push_back(L << 16 | L);          // (L, 0, L)
            t.push_back(L << 16 | L << 8);     // (L, L, 0)
            t.push_back(L << 16 | L << 8 | L); // (L, L, L)
        };
        for (uint32_t L : {0xFFu, 0xC0u, 0x80u, 0x40u})
            group(L);
        for (uint32_t c : {0xCCCCFFu, 0xCCFFCCu, 0xCCFFFFu, 0xFFCCCCu, 0xFFCCFFu, 0xFFFFCCu, 0xCCCCCCu})
            t.push_back(c);
        for (uint32_t L :
             {0x10u, 0x20u, 0x30u, 0x50u, 0x60u, 0x70u, 0x90u, 0xA0u, 0xB0u, 0xD0u, 0xE0u, 0xF0u})
            group(L);
        return t;
    }();
    return table;
}

bool cGifFile::addFrame(std::unique_ptr<cGifLocal> frame, strMessage* error) {
    if (!frame || !frame->bitmap || frame->bitmap->bits() != 32) {
        SetError(error, strMessage(kGifFrameNot32Bits));
        return false;
    }
    if (frames_.empty()) {
        screenWidth_ = frame->bitmap->width();
        screenHeight_ = frame->bitmap->height();
    }
    try {
        if (spill_ >= 0) {
            // Streamed: reduced now, its pixels kept in the scratch file, its picture freed.
            if (!work_) work_ = std::make_unique<strReduceWork>();
            if (!reduce(*frame, *work_)) {
                SetError(error, strMessage(kWhyOutOfMemory));
                return false;
            }
            if (!spill(*frame, error)) return false;
            frame->bitmap.reset();
            frame->mask.reset();
        }
        frames_.push_back(std::move(frame));
    } catch (const std::bad_alloc&) {
        SetError(error, strMessage(kWhyOutOfMemory));
        return false;
    }
    return true;
}

// Step 2: the frame's bitmap on a transparent black image of the screen size; alpha below 128 gives
// the marker, every other pixel its colour (alpha byte 0).
bool cGifFile::buildPixelBuffer(cGifLocal& f) {
    const int W = screenWidth_, H = screenHeight_;
    try {
        f.pixels.assign(size_t(W) * size_t(H), kGifTransparentMarker);
    } catch (...) {
        return false;
    }
    const cDib& bmp = *f.bitmap;
    bool anyAlpha = false;
    for (int y = 0; y < bmp.height() && !anyAlpha; ++y)
        for (int x = 0; x < bmp.width(); ++x)
            if (bmp.row(y)[x * 4 + 3]) {
                anyAlpha = true;
                break;
            }
    const bool useMask = f.mask && !anyAlpha;
    const int w = std::min(W, bmp.width()), h = std::min(H, bmp.height());
    for (int y = 0; y < h; ++y) {
        const uint8_t* row = bmp.row(y);
        uint32_t* out = f.pixels.data() + size_t(y) * size_t(W);
        for (int x = 0; x < w; ++x) {
            const uint8_t* p = row + x * 4;
            bool transparent = useMask ? (x < f.mask->width() && y < f.mask->height() &&
                                          (f.mask->readPixel(x, y) & 0x00FFFFFF) == 0x00FFFFFF)
                                       : p[3] < 128;
            out[x] =
                transparent ? kGifTransparentMarker : (uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0]);
        }
    }
    return true;
}

// Step 3: the frame's colours (marker included) and the marker's position.
bool cGifFile::reduceColours(cGifLocal& f, std::vector<uint32_t>& colours, int& markerPos, strReduceWork& w) {
    if (!CollectColours(f.pixels, 256, colours)) {
        // Compose onto white and quantise. Pixels with alpha below 65 become white and are
        // remembered as transparent.
        const int W = screenWidth_, H = screenHeight_;
        if (!w.image) w.image = cDib::create(W, H, 24);
        if (!w.image) return false;
        cDib* work = w.image.get();
        std::vector<uint8_t>& remembered = w.remembered;
        remembered.assign(size_t(W) * size_t(H), 0);
        const cDib& bmp = *f.bitmap;
        // Channel c at alpha a composed onto white, 16-bit arithmetic, as a table a * 256 + c.
        static const std::vector<uint8_t> onWhite = [] {
            std::vector<uint8_t> t(256 * 256);
            for (uint32_t a = 0; a < 256; ++a)
                for (uint32_t c = 0; c < 256; ++c) {
                    const uint32_t v = (c * a + 128 + (255 - a) * 255) & 0xFFFF;
                    t[a * 256 + c] = uint8_t(((v + (v >> 8)) >> 8) & 0xFF);
                }
            return t;
        }();
        for (int y = 0; y < H; ++y) {
            uint8_t* out = work->row(y);
            const uint8_t* in = y < bmp.height() ? bmp.row(y) : nullptr;
            for (int x = 0; x < W; ++x) {
                uint32_t b = 0, g = 0, r = 0, a = 0;
                if (in && x < bmp.width()) {
                    const uint8_t* p = in + x * 4;
                    b = p[0], g = p[1], r = p[2], a = p[3];
                }
                if (f.mask)
                    a = f.pixels[size_t(y) * size_t(W) + size_t(x)] == kGifTransparentMarker ? 0 : 255;
                if (a < 65) {
                    out[x * 3] = out[x * 3 + 1] = out[x * 3 + 2] = 255;
                    remembered[size_t(y) * size_t(W) + size_t(x)] = 1;
                    continue;
                }
                const uint8_t* row = onWhite.data() + a * 256;
                out[x * 3] = row[b];
                out[x * 3 + 1] = row[g];
                out[x * 3 + 2] = row[r];
            }
        }
        auto q = QuantizeColours(*work, f.mask ? 254 : 256, &w.quantize);
        if (!q || q->bits() != 8) return false;
        const std::vector<uint32_t>& table = q->table();
        for (int y = 0; y < H; ++y) {
            const uint8_t* in = q->row(y);
            uint32_t* out = f.pixels.data() + size_t(y) * size_t(W);
            for (int x = 0; x < W; ++x) {
                size_t k = size_t(y) * size_t(W) + size_t(x);
                out[x] = remembered[k] ? kGifTransparentMarker
                                       : (in[x] < table.size() ? table[in[x]] & 0x00FFFFFF : 0);
            }
        }
        // 256 colours plus the marker do not fit: the two closest colours become one.
        if (!CollectColours(f.pixels, 256, colours) &&
            (!MergeClosestColours(f.pixels) || !CollectColours(f.pixels, 256, colours)))
            return false;
    }
    markerPos = PositionOf(colours, kGifTransparentMarker);
    return true;
}

bool cGifFile::reduce(cGifLocal& f, strReduceWork& work) {
    if (f.reduced) return true;
    int markerPos = -1;
    if (!buildPixelBuffer(f) || !reduceColours(f, f.colours, markerPos, work)) return false;
    f.transIndex = markerPos;
    f.reduced = true;
    return true;
}

bool cGifFile::encode(std::vector<uint8_t>& out, int64_t transparentColour, strMessage* error) {
    out.clear();
    strSink sink;
    sink.out = &out;
    bool ok = false;
    try {
        ok = encodeFrames(sink, transparentColour, error);
    } catch (const std::bad_alloc&) {
        SetError(error, strMessage(kWhyOutOfMemory));
    }
    if (!ok) out.clear();
    return ok;
}

bool cGifFile::write(const std::string& path, int64_t transparentColour, strMessage* error) {
    platform::cAtomicFile file;
    std::string why;
    if (!file.open(path, &why)) {
        SetError(error, FileFailureMessage(why));
        return false;
    }
    strSink sink;
    sink.file = &file;
    bool ok = false;
    try {
        ok = encodeFrames(sink, transparentColour, error);
    } catch (const std::bad_alloc&) {
        SetError(error, strMessage(kWhyOutOfMemory));
    }
    if (!ok) return false; // the temporary file goes with the writer
    if (!file.commit(&why)) {
        SetError(error, FileFailureMessage(why));
        return false;
    }
    return true;
}

bool cGifFile::encodeFrames(strSink& sink, int64_t transparentColour, strMessage* error) {
    // Frames kept in memory are reduced from their pictures at every encode.
    struct strForget {
        cGifFile& file;
        ~strForget() {
            if (file.streaming()) return;
            for (auto& f : file.frames_) {
                f->reduced = false;
                f->pixels.clear();
            }
        }
    } forget{*this};
    if (frames_.empty()) {
        SetError(error, strMessage(kGifNoFrames));
        return false;
    }
    const size_t n = frames_.size();
    const bool hasTransparent = transparentColour >= 0 && (uint64_t(transparentColour) >> 24) == 0;
    const uint32_t transColour = hasTransparent ? uint32_t(transparentColour) : 0;
    const bool loop = n > 1;
    bool graphicControl = false;
    for (auto& f : frames_)
        if (f->delay || f->disposal || f->userInput) graphicControl = true;

    // Pixel buffers and colour reduction (streamed frames were reduced as they came).
    if (!work_) work_ = std::make_unique<strReduceWork>();
    for (size_t i = 0; i < n; ++i) {
        cGifLocal& f = *frames_[i];
        if (!reduce(f, *work_)) {
            SetError(error, strMessage(kGifReduceOutOfMemory, i));
            return false;
        }
        if (f.transIndex >= 0) graphicControl = true;
    }
    work_.reset();

    // Global palette: frames whose colours still fit join the common list.
    std::vector<uint32_t> global;
    std::unordered_set<uint32_t> inGlobal;
    std::vector<bool> usesGlobal(n, false);
    for (size_t i = 0; i < n; ++i) {
        const std::vector<uint32_t>& colours = frames_[i]->colours;
        size_t added = 0;
        for (uint32_t c : colours)
            added += inGlobal.count(c) ? 0 : 1;
        if (global.size() + added > 256) continue;
        for (uint32_t c : colours)
            if (inGlobal.insert(c).second) global.push_back(c);
        usesGlobal[i] = true;
    }
    // Frames written as changes need a transparent index for the pixels that stay; a palette gets one
    // when it has none and the entry does not make its table twice as large.
    const bool changes = !wholeFrames && n > 1;
    auto addMarker = [changes](std::vector<uint32_t>& list) {
        auto even = [](size_t k) { return k + (k & 1); };
        if (changes && PositionOf(list, kGifTransparentMarker) < 0 && !list.empty() &&
            GifCodeBits(even(list.size() + 1)) == GifCodeBits(even(list.size())) && list.size() < 256)
            list.push_back(kGifTransparentMarker);
    };
    if (std::find(usesGlobal.begin() + 1, usesGlobal.end(), true) != usesGlobal.end()) addMarker(global);
    const int globalTrans = OrderPalette(global);
    for (size_t i = 0; i < n; ++i) {
        cGifLocal& f = *frames_[i];
        if (usesGlobal[i]) {
            f.palette.clear();
            f.colourCount = 0;
            f.transIndex = globalTrans;
        } else {
            f.palette = f.colours;
            if (i > 0) addMarker(f.palette);
            f.transIndex = OrderPalette(f.palette);
            f.colourCount = int(f.palette.size());
        }
        if (f.transIndex >= 0) graphicControl = true;
    }
    if (global.empty()) global = {0, 0};

    // The frames are planned and written a few at a time: frame i - 1 is written once frame i is
    // planned, so that only frames i - 2 .. i need their pixels and palette indices at hand.
    const int W = screenWidth_, H = screenHeight_;
    struct strHeld {
        std::vector<uint32_t> pixels;
        std::vector<uint8_t> indices;
    };
    std::vector<strHeld> held(n);
    std::vector<strGifPlanInput> planInput(n);
    for (size_t i = 0; i < n; ++i)
        planInput[i] = {nullptr,
                        nullptr,
                        &frames_[i]->palette,
                        frames_[i]->colourCount > 0,
                        frames_[i]->transIndex,
                        frames_[i]->disposal};
    // Palette indices of every pixel; the marker, and any colour not found, are the transparent index.
    auto hold = [&](size_t i) {
        cGifLocal& f = *frames_[i];
        strHeld& h = held[i];
        if (streaming()) {
            if (!unspill(f, h.pixels, error)) return false;
        } else {
            h.pixels = std::move(f.pixels);
        }
        const std::vector<uint32_t>& pal = f.colourCount > 0 ? f.palette : global;
        std::unordered_map<uint32_t, int> index;
        for (size_t k = pal.size(); k-- > 0;)
            index[pal[k]] = int(k); // the first occurrence wins
        const int fallback = f.transIndex >= 0 ? f.transIndex : 0;
        h.indices.resize(h.pixels.size());
        uint32_t lastValue = 0;
        int lastIndex = -1;
        for (size_t k = 0; k < h.pixels.size(); ++k) {
            const uint32_t v = h.pixels[k];
            if (lastIndex < 0 || v != lastValue) {
                lastValue = v;
                auto it = v == kGifTransparentMarker ? index.end() : index.find(v);
                lastIndex = it == index.end() ? fallback : it->second;
            }
            h.indices[k] = uint8_t(lastIndex);
        }
        planInput[i].pixels = h.pixels.data();
        planInput[i].indices = h.indices.data();
        return true;
    };
    auto release = [&](size_t i) {
        held[i] = {};
        planInput[i].pixels = nullptr;
        planInput[i].indices = nullptr;
    };
    const cGifFramePlanner planner(W, H, planInput, global, globalTrans);
    const bool optimise = planner.optimises(wholeFrames);
    std::vector<strGifFramePlan> plans(n);

    // giflib output.
    int err = 0;
    GifFileType* gif = EGifOpen(&sink, strSink::output, &err);
    if (!gif) {
        SetError(error, strMessage(kGifCannotStart, err));
        return false;
    }
    // Closes the handle on every way out (an exception included) unless it was closed normally.
    struct strCloser {
        GifFileType*& gif;
        ~strCloser() {
            int e = 0;
            if (gif) EGifCloseFile(gif, &e);
        }
    } closer{gif};
    auto fail = [&](eMessageId what) {
        const strMessage reason(kWhyBecause, strMessage(what),
                                sink.failed ? sink.why : strMessage(kGifLibraryError, gif->Error));
        int closeErr = 0;
        EGifCloseFile(gif, &closeErr);
        gif = nullptr;
        SetError(error, reason);
        return false;
    };

    const bool gif89 = !comment.empty() || graphicControl || loop;
    EGifSetGifVersion(gif, gif89);
    int background = hasTransparent ? std::max(0, PositionOf(global, transColour)) : 0;
    ColorMapObject* globalMap = MakeMap(global);
    if (!globalMap) return fail(kGifCannotBuildPalette);
    int rc =
        EGifPutScreenDesc(gif, screenWidth_, screenHeight_, globalMap->BitsPerPixel, background, globalMap);
    GifFreeMapObject(globalMap);
    if (rc == GIF_ERROR) return fail(kGifCannotWriteScreen);

    if (loop) {
        const GifByteType block1[3] = {1, GifByteType(loopCount & 0xFF),
                                       GifByteType((loopCount >> 8) & 0xFF)};
        if (EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
            EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0") == GIF_ERROR ||
            EGifPutExtensionBlock(gif, 3, block1) == GIF_ERROR)
            return fail(kGifCannotWriteLoop);
        if (bufferSize != 0) {
            const uint32_t b = uint32_t(bufferSize);
            const GifByteType block2[5] = {2, GifByteType(b), GifByteType(b >> 8), GifByteType(b >> 16),
                                           GifByteType(b >> 24)};
            if (EGifPutExtensionBlock(gif, 5, block2) == GIF_ERROR) return fail(kGifCannotWriteLoop);
        }
        if (EGifPutExtensionTrailer(gif) == GIF_ERROR) return fail(kGifCannotWriteLoop);
    }
    if (!comment.empty() && EGifPutComment(gif, comment.c_str()) == GIF_ERROR)
        return fail(kGifCannotWriteComment);

    cGifLzw lzw;
    auto writeFrame = [&](size_t i) {
        cGifLocal& f = *frames_[i];
        const strGifFramePlan& plan = plans[i];
        const int trans = plan.transIndex;
        if (plan.disposal || trans >= 0 || f.delay || f.userInput) {
            const uint32_t delay = uint32_t(std::clamp(f.delay, 0, 65535));
            const GifByteType gce[4] = {
                GifByteType(((plan.disposal & 7) << 2) | (f.userInput ? 2 : 0) | (trans >= 0 ? 1 : 0)),
                GifByteType(delay & 0xFF), GifByteType(delay >> 8), GifByteType(trans >= 0 ? trans : 0)};
            if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, gce) == GIF_ERROR)
                return fail(kGifCannotWriteControl);
        }
        ColorMapObject* localMap = nullptr;
        if (plan.local) {
            localMap = MakeMap(plan.palette);
            if (!localMap) return fail(kGifCannotBuildLocalPalette);
        }
        // giflib drops (without freeing) the previous image's local palette when this one has none.
        if (!localMap && gif->Image.ColorMap) {
            GifFreeMapObject(gif->Image.ColorMap);
            gif->Image.ColorMap = nullptr;
        }
        rc = EGifPutImageDesc(gif, plan.left, plan.top, plan.width, plan.height, f.interlace, localMap);
        if (localMap) GifFreeMapObject(localMap);
        if (rc == GIF_ERROR) return fail(kGifCannotWriteDescriptor);

        const strGifFramePlan* prev = i > 0 ? &plans[i - 1] : nullptr;
        const std::vector<uint8_t> pixels = planner.pixels(int(i), plan, prev, f.interlace);
        // Whole frames are coded as giflib codes them, so they come out as they always did.
        const int bits = planner.codeBits(plan);
        const std::vector<uint8_t> data =
            wholeFrames ? lzw.compress(pixels.data(), pixels.size(), bits, kGifClearAtOnce)
                        : lzw.compressSmallest(pixels.data(), pixels.size(), bits);
        bool ok = true;
        for (size_t at = 0; at < data.size() && ok; at += size_t(data[at]) + 1)
            ok = EGifPutCodeNext(gif, data.data() + at) != GIF_ERROR;
        ok = ok && EGifPutCodeNext(gif, nullptr) != GIF_ERROR;
        if (!ok) return fail(kGifCannotWriteImage);
        return true;
    };

    // A frame that cannot be read back has said why.
    auto abandon = [&] {
        int closeErr = 0;
        EGifCloseFile(gif, &closeErr);
        gif = nullptr;
        return false;
    };
    if (!hold(0)) return abandon();
    const uint32_t* first = held[0].pixels.data();
    const bool clearAtEnd = std::find(first, first + held[0].pixels.size(), kGifTransparentMarker) !=
                            first + held[0].pixels.size();
    planner.planFrame(0, optimise, clearAtEnd, plans);
    for (size_t i = 1; i < n; ++i) {
        if (!hold(i)) return abandon();
        planner.planFrame(int(i), optimise, clearAtEnd, plans);
        if (!writeFrame(i - 1)) return false;
        if (i >= 2) release(i - 2);
    }
    if (!writeFrame(n - 1)) return false;
    for (size_t i = 0; i < n; ++i)
        release(i);

    const int closed = EGifCloseFile(gif, &err);
    gif = nullptr;
    if (closed == GIF_ERROR || sink.failed) {
        SetError(error, strMessage(kWhyBecause, strMessage(kGifCannotFinish),
                                   sink.failed ? sink.why : strMessage(kGifLibraryError, err)));
        return false;
    }
    return true;
}
