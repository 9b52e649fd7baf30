#include "image/pixel_ops.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {

constexpr uint32_t kMasks565[4] = {0xF800, 0x07E0, 0x001F, 0};
constexpr uint32_t kMasksArgb[4] = {0xFF0000, 0xFF00, 0xFF, 0xFF000000u};

// Maps colours (0x00RRGGBB) to the nearest entry of a colour table, remembering answers.
class cNearestMapper {
  public:
    explicit cNearestMapper(const std::vector<uint32_t>& table) : table_(table) {}
    int map(uint32_t rgb) {
        rgb &= 0x00FFFFFF;
        auto it = cache_.find(rgb);
        if (it != cache_.end()) return it->second;
        int r = int(rgb >> 16) & 255, g = int(rgb >> 8) & 255, b = int(rgb) & 255;
        int best = 0;
        long bestDist = -1;
        for (size_t i = 0; i < table_.size(); ++i) {
            uint32_t e = table_[i];
            long dr = r - int((e >> 16) & 255), dg = g - int((e >> 8) & 255), db = b - int(e & 255);
            long dist = dr * dr + dg * dg + db * db;
            if (bestDist < 0 || dist < bestDist) {
                bestDist = dist;
                best = int(i);
                if (dist == 0) break;
            }
        }
        if (cache_.size() < (1u << 20)) cache_.emplace(rgb, best);
        return best;
    }

  private:
    const std::vector<uint32_t>& table_;
    std::unordered_map<uint32_t, int> cache_;
};

// The fixed table used when a conversion to an indexed depth cannot keep the exact colours.
std::vector<uint32_t> DefaultTable(int depth) {
    std::vector<uint32_t> t;
    if (depth == 1) {
        t = {0x000000, 0xFFFFFF};
    } else if (depth == 4) {
        t = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
             0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    } else {
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    t.push_back(uint32_t(r * 51) << 16 | uint32_t(g * 51) << 8 | uint32_t(b * 51));
        for (int i = 0; i < 40; ++i) {
            uint32_t v = uint32_t((i + 1) * 255 / 41);
            t.push_back(v << 16 | v << 8 | v);
        }
    }
    return t;
}

// The colour table for a conversion of src to an indexed depth.
std::vector<uint32_t> TableFor(const cDib& src, int depth) {
    size_t cap = size_t(1) << depth;
    if (src.bits() <= 8 && src.table().size() <= cap) {
        std::vector<uint32_t> t(src.table());
        for (uint32_t& e : t)
            e &= 0x00FFFFFF;
        return t;
    }
    std::vector<uint32_t> colours;
    std::unordered_set<uint32_t> seen;
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x) {
            uint32_t c = src.readPixel(x, y) & 0x00FFFFFF;
            if (seen.insert(c).second) {
                if (colours.size() == cap) return DefaultTable(depth);
                colours.push_back(c);
            }
        }
    return colours;
}

void WritePixel(cDib& dst, int x, int y, uint32_t argb) {
    uint8_t* row = dst.row(y);
    switch (dst.bits()) {
    case 16: {
        uint32_t r = (argb >> 16) & 255, g = (argb >> 8) & 255, b = argb & 255;
        uint32_t v = dst.layoutCode() == kLayout565 ? ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3)
                                                    : ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
        row[2 * x] = uint8_t(v);
        row[2 * x + 1] = uint8_t(v >> 8);
        break;
    }
    case 24:
        row[3 * x] = uint8_t(argb);
        row[3 * x + 1] = uint8_t(argb >> 8);
        row[3 * x + 2] = uint8_t(argb >> 16);
        break;
    case 32:
        std::memcpy(row + 4 * x, &argb, 4);
        break;
    default:
        break;
    }
}

} // namespace

std::unique_ptr<cDib> DuplicateBitmap(const cDib& src) {
    auto d = cDib::create(src.width(), src.height(), src.bits(), src.colourUsed(),
                          src.hasMasks() ? src.masks() : nullptr);
    if (!d) return nullptr;
    std::memcpy(d->pixels(), src.pixels(), src.pixelBytes());
    d->table() = src.table();
    return d;
}

std::unique_ptr<cDib> ConvertBitDepth(const cDib& src, int depth, int32_t layout) {
    if (!cDib::isValidDepth(depth)) return DuplicateBitmap(src);
    if (src.bits() == depth && (depth <= 8 || depth == 24 || src.layoutCode() == layout))
        return DuplicateBitmap(src);
    const uint32_t* masks = nullptr;
    if (depth == 16 && layout == kLayout565) masks = kMasks565;
    if (depth == 32 && layout == kLayoutArgb32) masks = kMasksArgb;
    std::vector<uint32_t> table;
    if (depth <= 8) table = TableFor(src, depth);
    auto d = cDib::create(src.width(), src.height(), depth, depth <= 8 ? int(size_t(1) << depth) : 0, masks);
    if (!d) return nullptr;
    if (depth <= 8) {
        std::copy(table.begin(), table.end(), d->table().begin());
        // The table's unused tail repeats nothing: nearest search runs over the used part only.
        std::vector<uint32_t> used(table);
        cNearestMapper mapper(used);
        for (int y = 0; y < src.height(); ++y)
            for (int x = 0; x < src.width(); ++x)
                d->writeIndex(x, y, mapper.map(src.readPixel(x, y)));
        return d;
    }
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x)
            WritePixel(*d, x, y, src.readPixel(x, y));
    if (depth == 32 && layout == kLayoutArgb32) {
        bool anyAlpha = false;
        const uint8_t* p = d->pixels();
        for (size_t i = 3; i < d->pixelBytes() && !anyAlpha; i += 4)
            anyAlpha = p[i] != 0;
        if (!anyAlpha) FillOpaqueAlpha(*d);
    }
    return d;
}

std::unique_ptr<cDib> ReduceToIndexed(const cDib& src, int depth, int32_t layout) {
    bool valid = cDib::isValidDepth(depth);
    if (valid && (src.bits() == 1 || src.bits() <= depth || depth >= 9))
        return ConvertBitDepth(src, depth, layout);
    auto c32 = ConvertBitDepth(src, 32, 0);
    if (!c32) return nullptr;
    uint32_t list[256];
    int count = CountColours(256, list, *c32);
    c32.reset();
    if (count == 0) return ConvertBitDepth(src, depth, layout);
    count = SortPalette(count, list, true);
    if (count & 1) ++count; // the added entry is black (SortPalette zero-fills the tail)
    int chosen = count >= 17 ? 8 : count > 2 ? 4 : 1;
    int tableLen = count;
    if (valid) {
        if (depth > chosen) {
            chosen = depth;
            tableLen = 1 << depth;
        } else if (depth < chosen) {
            return ConvertBitDepth(src, depth, layout);
        }
    }
    auto d = cDib::create(src.width(), src.height(), chosen, tableLen % 256);
    if (!d) return nullptr;
    for (int i = 0; i < count && i < int(d->table().size()); ++i)
        d->table()[size_t(i)] = list[i];
    std::vector<uint32_t> used(d->table().begin(),
                               d->table().begin() + std::min<size_t>(size_t(count), d->table().size()));
    cNearestMapper mapper(used);
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x)
            d->writeIndex(x, y, mapper.map(src.readPixel(x, y)));
    return d;
}

bool ExpandToByteIndexed(std::unique_ptr<cDib>& dib) {
    if (!dib || dib->bits() >= 8) return false;
    auto d = cDib::create(dib->width(), dib->height(), 8, 256);
    if (!d) return false;
    for (size_t i = 0; i < dib->table().size() && i < 256; ++i)
        d->table()[i] = dib->table()[i];
    for (int y = 0; y < dib->height(); ++y) {
        uint8_t* out = d->row(y);
        for (int x = 0; x < dib->width(); ++x)
            out[x] = uint8_t(dib->readIndex(x, y));
    }
    dib = std::move(d);
    return true;
}

void FlipRows(cDib& dib) {
    std::vector<uint8_t> tmp(size_t(dib.stride()));
    for (int i = 0, j = dib.height() - 1; i < j; ++i, --j) {
        std::memcpy(tmp.data(), dib.row(i), tmp.size());
        std::memcpy(dib.row(i), dib.row(j), tmp.size());
        std::memcpy(dib.row(j), tmp.data(), tmp.size());
    }
}

bool FillOpaqueAlpha(cDib& dib) {
    if (dib.bits() != 32) return false;
    uint8_t* p = dib.pixels();
    for (size_t i = 3; i < dib.pixelBytes(); i += 4)
        p[i] = 255;
    return true;
}

int CountColours(int limit, uint32_t* out, const cDib& src) {
    if (limit < 1 || !out) return 0;
    std::fill(out, out + limit, 0u);
    if (src.bits() != 32) return 0;
    int count = 0;
    std::unordered_set<uint32_t> seen;
    const uint8_t* p = src.pixels();
    for (size_t i = 0; i + 4 <= src.pixelBytes(); i += 4) {
        uint32_t v;
        std::memcpy(&v, p + i, 4);
        if (v > 0x00FFFFFF) {
            std::fill(out, out + limit, 0u);
            return 0;
        }
        if (seen.insert(v).second) {
            if (count == limit) {
                std::fill(out, out + limit, 0u);
                return 0;
            }
            out[count++] = v;
        }
    }
    return count;
}

int SortPalette(int count, uint32_t* entries, bool ascending) {
    if (count < 1 || !entries) return 0;
    auto luma = [](uint32_t e) {
        double r = (e >> 16) & 255, g = (e >> 8) & 255, b = e & 255;
        return uint8_t(0.299 * r + 0.587 * g + 0.114 * b);
    };
    std::vector<uint8_t> l(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        l[size_t(i)] = luma(entries[i]);
    for (int i = 0; i < count; ++i)
        for (int j = i + 1; j < count; ++j)
            if (ascending ? l[size_t(j)] < l[size_t(i)] : l[size_t(j)] > l[size_t(i)]) {
                std::swap(l[size_t(i)], l[size_t(j)]);
                std::swap(entries[i], entries[j]);
            }
    int kept = 1;
    for (int i = 1; i < count; ++i)
        if ((entries[i] & 0x00FFFFFF) != (entries[i - 1] & 0x00FFFFFF)) entries[kept++] = entries[i];
    std::fill(entries + kept, entries + count, 0u);
    return kept;
}

namespace {

// One quantisation over the work memory (every element is written before it is read).
struct strQuantizer {
    std::array<float, 3>* ch; // Y, Cb, Cr per pixel (together: one cache line)
    uint32_t* order;          // pixel numbers, partitioned by cluster, memory order inside
    uint32_t* scratch;
    uint16_t* label;

    // Minimum, maximum and sum of each channel over a range, the sum taken in the range's order.
    struct strStats {
        static constexpr float kInf = std::numeric_limits<float>::infinity();
        float mn[3] = {kInf, kInf, kInf}, mx[3] = {-kInf, -kInf, -kInf};
        double sum[3] = {0, 0, 0};
        void add(const std::array<float, 3>& v) {
            for (size_t a = 0; a < 3; ++a) {
                mn[a] = std::min(mn[a], v[a]);
                mx[a] = std::max(mx[a], v[a]);
                sum[a] += v[a];
            }
        }
    };

    strStats stats(size_t lo, size_t hi) const {
        strStats s;
        for (size_t i = lo; i < hi; ++i)
            s.add(ch[order[i]]);
        return s;
    }

    // Splits [lo, hi), whose stats are st, d more times; each partition also gathers the stats of
    // both halves (in the order they end up in), so every level reads the pixels once.
    void split(size_t lo, size_t hi, int c, int d, const strStats& st) {
        if (lo == hi) return;
        if (d < 1) {
            for (size_t i = lo; i < hi; ++i)
                label[order[i]] = uint16_t(c);
            return;
        }
        float ry = st.mx[0] - st.mn[0], rb = st.mx[1] - st.mn[1], rr = st.mx[2] - st.mn[2];
        int axis;
        if (ry > rb)
            axis = ry > rr ? 0 : 2;
        else
            axis = rb > rr ? 1 : 2;
        double mean = st.sum[axis] / double(hi - lo);
        // Stable partition: lower values first, memory order kept on both sides.
        size_t lowCount = 0, highCount = 0;
        strStats low, high;
        for (size_t i = lo; i < hi; ++i) {
            const uint32_t p = order[i];
            if (double(ch[p][size_t(axis)]) < mean) {
                order[lo + lowCount++] = p;
                low.add(ch[p]);
            } else {
                scratch[highCount++] = p;
                high.add(ch[p]);
            }
        }
        std::copy(scratch, scratch + highCount, order + lo + lowCount);
        int half = 1 << (d - 1);
        split(lo, lo + lowCount, c, d - 1, low);
        split(lo + lowCount, hi, c + half, d - 1, high);
    }
};

} // namespace

std::unique_ptr<cDib> QuantizeColours(const cDib& src, int n, strQuantizeScratch* scratch) {
    if (src.bits() != 24 || n < 2 || n > 512) return nullptr;
    int outDepth = n < 3 ? 1 : n < 17 ? 4 : n < 257 ? 8 : 24;
    size_t w = size_t(src.width()), h = size_t(src.height()), count = w * h;
    strQuantizeScratch own;
    strQuantizeScratch& m = scratch ? *scratch : own;
    try {
        m.ych.resize(std::max(m.ych.size(), count));
        m.order.resize(std::max(m.order.size(), count));
        m.spare.resize(std::max(m.spare.size(), count));
        m.label.resize(std::max(m.label.size(), count));
    } catch (...) {
        return nullptr;
    }
    strQuantizer q{m.ych.data(), m.order.data(), m.spare.data(), m.label.data()};
    for (size_t y = 0, k = 0; y < h; ++y) {
        const uint8_t* row = src.row(int(y));
        for (size_t x = 0; x < w; ++x, ++k) {
            float b = row[3 * x], g = row[3 * x + 1], r = row[3 * x + 2];
            q.ch[k][0] = 0.29891f * r + 0.58661f * g + 0.11448f * b;
            q.ch[k][1] = -0.16874f * r - 0.33126f * g + 0.5f * b;
            q.ch[k][2] = 0.5f * r - 0.41869f * g - 0.08131f * b;
            q.order[k] = uint32_t(k);
        }
    }
    int depth = 0;
    for (int v = n / 2; v; v >>= 1)
        ++depth;
    q.split(0, count, 0, depth, q.stats(0, count));

    int paletteSize = outDepth <= 8 ? (n + 1) & ~1 : n;
    std::vector<uint32_t> palette(size_t(paletteSize), 0);
    size_t clusters = size_t(1) << depth;
    std::vector<double> acc(clusters * 3, 0.0);
    std::vector<size_t> members(clusters, 0);
    for (size_t k = 0; k < count; ++k) {
        size_t c = q.label[k];
        ++members[c];
        for (int a = 0; a < 3; ++a)
            acc[c * 3 + size_t(a)] += q.ch[k][size_t(a)];
    }
    auto clampByte = [](double v) { return uint32_t(std::clamp(v + 0.49, 0.0, 255.0)); };
    for (size_t c = 0; c < clusters && c < palette.size(); ++c) {
        if (!members[c]) continue;
        double Y = acc[c * 3] / double(members[c]), Cb = acc[c * 3 + 1] / double(members[c]),
               Cr = acc[c * 3 + 2] / double(members[c]);
        uint32_t R = clampByte(Y + 1.402 * Cr), G = clampByte(Y - 0.34414 * Cb - 0.71414 * Cr),
                 B = clampByte(Y + 1.772 * Cb);
        palette[c] = (R << 16) | (G << 8) | B;
    }

    auto d = cDib::create(src.width(), src.height(), outDepth, outDepth <= 8 ? paletteSize % 256 : 0);
    if (!d) return nullptr;
    if (outDepth <= 8) {
        std::copy(palette.begin(), palette.end(), d->table().begin());
        for (size_t y = 0, k = 0; y < h; ++y) {
            if (outDepth == 8) { // one byte a pixel: the row at once
                std::copy(q.label + k, q.label + k + w, d->row(int(y)));
                k += w;
                continue;
            }
            for (size_t x = 0; x < w; ++x, ++k)
                d->writeIndex(int(x), int(y), q.label[k]);
        }
    } else {
        for (size_t y = 0, k = 0; y < h; ++y) {
            uint8_t* row = d->row(int(y));
            for (size_t x = 0; x < w; ++x, ++k) {
                uint32_t e = palette[q.label[k]];
                row[3 * x] = uint8_t(e);
                row[3 * x + 1] = uint8_t(e >> 8);
                row[3 * x + 2] = uint8_t(e >> 16);
            }
        }
    }
    return d;
}

uint32_t AdjustHsv(uint32_t pixel, int hue, int saturation, int value) {
    int R = int((pixel >> 16) & 255), G = int((pixel >> 8) & 255), B = int(pixel & 255);
    int mx = std::max({R, G, B}), mn = std::min({R, G, B}), d = mx - mn;
    int h = 0;
    if (d != 0) {
        if (mx == R)
            h = (G - B) * 60 / d;
        else if (mx == G)
            h = (B - R) * 60 / d + 120;
        else
            h = (R - G) * 60 / d + 240;
    }
    int s = mx != 0 ? d * 255 / mx : 0;
    int v = mx;
    int h2 = ((h + hue + 720) % 360 + 360) % 360; // the outer + 360 only matters for offsets below -720
    int s2 = std::clamp(s + saturation, 0, 255);
    int v2 = std::clamp(v + value, 0, 255);
    int r, g, b;
    if (s2 == 0) {
        r = g = b = v2;
    } else {
        int i = h2 / 60;
        int f = h2 * 6 - i * 360;
        int p = (255 - s2) * v2 / 255;
        int q = (255 - f * s2 / 360) * v2 / 255;
        int t = (255 - (360 - f) * s2 / 360) * v2 / 255;
        switch (i) {
        case 0:
            r = v2, g = t, b = p;
            break;
        case 1:
            r = q, g = v2, b = p;
            break;
        case 2:
            r = p, g = v2, b = t;
            break;
        case 3:
            r = p, g = q, b = v2;
            break;
        case 4:
            r = t, g = p, b = v2;
            break;
        default:
            r = v2, g = p, b = q;
            break;
        }
    }
    r = std::clamp(r, 0, 255);
    g = std::clamp(g, 0, 255);
    b = std::clamp(b, 0, 255);
    return (pixel & 0xFF000000u) | uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b);
}

int GetColourTable(const cDib& dib, int first, int count, uint32_t* entries) {
    if (dib.bits() > 8 || first < 0 || count < 1 || !entries) return 0;
    int n = std::min(count, dib.colourUsed() - first);
    for (int i = 0; i < n; ++i)
        entries[i] = dib.table()[size_t(first + i)];
    return std::max(n, 0);
}

int SetColourTable(cDib& dib, int first, int count, const uint32_t* entries) {
    if (dib.bits() > 8 || first < 0 || count < 1 || !entries) return 0;
    int n = std::min(count, dib.colourUsed() - first);
    for (int i = 0; i < n; ++i)
        dib.table()[size_t(first + i)] = entries[i];
    return std::max(n, 0);
}
