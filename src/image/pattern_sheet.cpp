#include "image/pattern_sheet.h"

#include "document/file_reason.h"
#include "image/gif_animation.h"
#include "image/pattern_grid.h"
#include "image/picture_loader.h"
#include "image/pixel_ops.h"
#include "platform/file_io.h"
#include "platform/path.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <unordered_map>

namespace {

// Opaque colours of a palette picture beside its transparent entry 0.
constexpr int kPaletteColours = 255;

bool Fail(strMessage* error, strMessage why) {
    if (error) *error = std::move(why);
    return false;
}

struct strBox {
    int left = 0, top = 0, width = 0, height = 0;
};

// The bounds of the pixels with alpha above 0; width 0 when there are none.
strBox OpaqueBounds(const cDib& image) {
    int minX = image.width(), minY = image.height(), maxX = -1, maxY = -1;
    for (int y = 0; y < image.height(); ++y) {
        const uint8_t* row = image.row(y);
        for (int x = 0; x < image.width(); ++x)
            if (row[size_t(x) * 4 + 3]) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
                maxY = y;
            }
    }
    if (maxX < 0) return {};
    return {minX, minY, maxX - minX + 1, maxY - minY + 1};
}

// Box-filter weights of a reduction from src to dst samples (dst <= src): sample d covers the source
// interval [d * src / dst, (d + 1) * src / dst); each source sample weighs the part of it inside.
struct strBoxTap {
    int first = 0;
    std::vector<float> weights; // sum 1
};

std::vector<strBoxTap> BoxTaps(int src, int dst) {
    std::vector<strBoxTap> taps(static_cast<size_t>(dst));
    const double step = double(src) / double(dst);
    for (int d = 0; d < dst; ++d) {
        const double a = d * step, b = (d + 1) * step;
        strBoxTap& t = taps[size_t(d)];
        t.first = int(a);
        for (int s = t.first; s < src && s < b; ++s) {
            const double w = std::min<double>(s + 1, b) - std::max<double>(s, a);
            if (w > 0) t.weights.push_back(float(w / step));
        }
    }
    return taps;
}

// Draws the box `from` of src scaled to width x height at (left, top) of dst, averaging colours
// weighted by alpha (premultiplied), so transparent pixels lend no colour to the edges.
void DrawReduced(const cDib& src, const strBox& from, cDib& dst, int left, int top, int width, int height) {
    const std::vector<strBoxTap> across = BoxTaps(from.width, width), down = BoxTaps(from.height, height);
    // Horizontal pass over the rows of the box: width x from.height premultiplied values.
    std::vector<float> mid(size_t(width) * size_t(from.height) * 4);
    for (int y = 0; y < from.height; ++y) {
        const uint8_t* row = src.row(from.top + y) + size_t(from.left) * 4;
        float* out = mid.data() + size_t(y) * size_t(width) * 4;
        for (int x = 0; x < width; ++x) {
            const strBoxTap& t = across[size_t(x)];
            float acc[4] = {0, 0, 0, 0};
            for (size_t k = 0; k < t.weights.size(); ++k) {
                const uint8_t* p = row + size_t(t.first + int(k)) * 4;
                const float wa = t.weights[k] * p[3];
                acc[0] += wa * p[0];
                acc[1] += wa * p[1];
                acc[2] += wa * p[2];
                acc[3] += wa;
            }
            std::memcpy(out + size_t(x) * 4, acc, sizeof acc);
        }
    }
    for (int y = 0; y < height; ++y) {
        const strBoxTap& t = down[size_t(y)];
        uint8_t* out = dst.row(top + y) + size_t(left) * 4;
        for (int x = 0; x < width; ++x) {
            float acc[4] = {0, 0, 0, 0};
            for (size_t k = 0; k < t.weights.size(); ++k) {
                const float* p = mid.data() + (size_t(t.first + int(k)) * size_t(width) + size_t(x)) * 4;
                for (int c = 0; c < 4; ++c)
                    acc[c] += t.weights[k] * p[c];
            }
            const float alpha = acc[3];
            if (alpha <= 0.0f) {
                std::memset(out + size_t(x) * 4, 0, 4);
                continue;
            }
            for (int c = 0; c < 3; ++c)
                out[size_t(x) * 4 + c] = uint8_t(std::clamp(acc[c] / alpha + 0.5f, 0.0f, 255.0f));
            out[size_t(x) * 4 + 3] = uint8_t(std::clamp(alpha + 0.5f, 0.0f, 255.0f));
        }
    }
}

std::string SizeText(int64_t w, int64_t h) {
    return std::to_string(w) + " x " + std::to_string(h);
}

// File names compared with runs of digits taken as numbers: "f2" < "f10"; equal numbers with more
// leading zeros first, then plain byte order.
bool NaturalLess(const std::string& a, const std::string& b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const bool da = std::isdigit(uint8_t(a[i])), db = std::isdigit(uint8_t(b[j]));
        if (da && db) {
            size_t ei = i, ej = j;
            while (ei < a.size() && std::isdigit(uint8_t(a[ei])))
                ++ei;
            while (ej < b.size() && std::isdigit(uint8_t(b[ej])))
                ++ej;
            size_t zi = i, zj = j; // skip leading zeros
            while (zi + 1 < ei && a[zi] == '0')
                ++zi;
            while (zj + 1 < ej && b[zj] == '0')
                ++zj;
            if (ei - zi != ej - zj) return ei - zi < ej - zj;
            if (int c = a.compare(zi, ei - zi, b, zj, ej - zj)) return c < 0;
            if (ei - i != ej - j) return ei - i > ej - j;
            i = ei;
            j = ej;
        } else {
            if (a[i] != b[j]) return uint8_t(a[i]) < uint8_t(b[j]);
            ++i;
            ++j;
        }
    }
    return a.size() - i < b.size() - j;
}

bool IsPictureName(const std::string& name) {
    std::string ext = platform::Extension(name);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return ext == ".png" || ext == ".bmp" || ext == ".gif" || ext == ".xyz";
}

void ApplyKey(cDib& image, int64_t key) {
    if (key < 0) return;
    const uint32_t rgb = uint32_t(key) & 0xFFFFFF;
    for (int y = 0; y < image.height(); ++y) {
        uint8_t* p = image.row(y);
        for (int x = 0; x < image.width(); ++x, p += 4)
            if ((uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0]) == rgb) std::memset(p, 0, 4);
    }
}

// The frames of one file.
bool LoadFileFrames(const std::string& path, const strSheetInput& how, std::vector<strSheetFrame>& out,
                    uint64_t& budget, strMessage* error) {
    std::vector<uint8_t> bytes;
    std::string english;
    if (!platform::ReadWholeFile(path, bytes, size_t(256) << 20, &english))
        return Fail(error, FileFailureMessage(english));
    const std::string name = platform::FileNamePart(path);
    const size_t n = bytes.size();
    const std::span<const uint8_t> all(bytes);
    const eImageFormat format =
        DetectImageFormat(all.first(std::min<size_t>(8, n)), all.last(std::min<size_t>(8, n)));
    if (format == kImageGif) {
        strGifAnimation gif;
        strMessage why;
        if (!ReadGifAnimation(bytes, gif, &why, budget))
            return Fail(error, strMessage(kWhyCannotRead, path, std::move(why)));
        for (size_t i = 0; i < gif.frames.size(); ++i) {
            budget -= std::min<uint64_t>(budget, gif.frames[i].image->pixelBytes());
            out.push_back(
                {std::move(gif.frames[i].image), name + "#" + std::to_string(i + 1), gif.frames[i].delay});
        }
        return true;
    }
    cBMP picture;
    strLoadInfo info;
    if (!LoadPictureMemory(bytes, picture, {}, &info)) {
        return Fail(error, strMessage(kWhyCannotRead, path, LoadFailureMessage(info)));
    }
    std::unique_ptr<cDib> image = PictureToArgb(picture);
    if (!image || image->pixelBytes() > budget) return Fail(error, strMessage(kSheetFramesTooLarge));
    budget -= image->pixelBytes();
    if (how.frameWidth <= 0) {
        out.push_back({std::move(image), name, 0});
        return true;
    }
    const int fw = how.frameWidth, fh = how.frameHeight > 0 ? how.frameHeight : image->height();
    if (image->width() % fw != 0 || image->height() % fh != 0)
        return Fail(error, strMessage(kSheetNotMultiple, path, image->width(), image->height(), fw, fh));
    int k = 1;
    for (int y = 0; y < image->height(); y += fh)
        for (int x = 0; x < image->width(); x += fw, ++k) {
            std::unique_ptr<cDib> frame = cDib::create(fw, fh, 32);
            if (!frame) return Fail(error, strMessage(kWhyOutOfMemory));
            for (int r = 0; r < fh; ++r)
                std::memcpy(frame->row(r), image->row(y + r) + size_t(x) * 4, size_t(fw) * 4);
            out.push_back({std::move(frame), name + "@" + std::to_string(k), 0});
        }
    return true;
}

} // namespace

std::unique_ptr<cDib> SheetToPalette(const cDib& sheet, strMessage* error) {
    if (sheet.bits() != 32) return Fail(error, strMessage(kSheetNot32Bits)), nullptr;
    std::unique_ptr<cDib> out = cDib::create(sheet.width(), sheet.height(), 8, 256);
    if (!out) return Fail(error, strMessage(kWhyOutOfMemory)), nullptr;
    std::vector<uint32_t>& table = out->table();
    std::fill(table.begin(), table.end(), 0xFF000000u);
    table[0] = 0; // transparent
    std::unordered_map<uint32_t, int> index;
    int used = 1;
    for (int y = 0; y < sheet.height(); ++y) {
        const uint8_t* p = sheet.row(y);
        uint8_t* q = out->row(y);
        for (int x = 0; x < sheet.width(); ++x, p += 4) {
            if (p[3] == 0) {
                q[x] = 0;
                continue;
            }
            if (p[3] < 255) return Fail(error, strMessage(kSheetPartlyTransparent)), nullptr;
            const uint32_t rgb = uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
            auto [it, added] = index.try_emplace(rgb, used);
            if (added) {
                if (used > kPaletteColours)
                    return Fail(error, strMessage(kSheetTooManyColours, kPaletteColours)), nullptr;
                table[size_t(used++)] = 0xFF000000u | rgb;
            }
            q[x] = uint8_t(it->second);
        }
    }
    return out;
}

strSheetLimits SheetLimits(eSheetProduct product) {
    switch (product) {
    case eSheetProduct::k2000:
        return {"RPG Maker 2000", 96, 5, 25, 5, true};
    case eSheetProduct::kXP:
        return {"RPG Maker XP", 192, 5, 32768, 0, false};
    case eSheetProduct::kVX:
        return {"RPG Maker VX", 192, 5, 100, 0, false};
    case eSheetProduct::kVXAce:
        return {"RPG Maker VX Ace", 192, 5, 100, 0, false};
    case eSheetProduct::kMV:
        return {"RPG Maker MV", 192, 5, 100, 0, false};
    case eSheetProduct::kAny:
        break;
    }
    return {"this editor", 192, 5, kMaxPatternCount, 0, false};
}

namespace {
constexpr const char* kProductNames[] = {"any", "2000", "xp", "vx", "vxace", "mv"};
}

bool SheetProductFromName(const std::string& name, eSheetProduct& product) {
    for (size_t i = 0; i < std::size(kProductNames); ++i)
        if (name == kProductNames[i]) {
            product = eSheetProduct(i);
            return true;
        }
    return false;
}

const char* SheetProductName(eSheetProduct product) {
    const auto i = size_t(product);
    return i < std::size(kProductNames) ? kProductNames[i] : "";
}

bool BuildPatternSheet(const std::vector<const cDib*>& frames, const strSheetOptions& options,
                       strSheetResult& result, strMessage* error) {
    result = {};
    // The reason goes to the result as well as to error.
    auto Fail = [&](strMessage* out, strMessage why) {
        result = {};
        result.reason = why;
        return ::Fail(out, std::move(why));
    };
    const strSheetLimits limits = SheetLimits(options.product);
    const int size = options.patternSize > 0 ? options.patternSize : limits.patternSize;
    const int perRow = options.perRow > 0 ? options.perRow : limits.perRow;
    if (size > 4096) return Fail(error, strMessage(kSheetPatternTooLarge, 4096));
    if (perRow > 1000) return Fail(error, strMessage(kSheetRowTooLong, 1000));
    if (frames.empty()) return Fail(error, strMessage(kSheetNoFrames));
    const int64_t n = int64_t(frames.size());
    if (n > limits.maxPatterns)
        return Fail(error,
                    strMessage(kSheetTooManyFrames, n,
                               options.product == eSheetProduct::kAny ? strMessage(kPartThisEditor)
                                                                      : strMessage(kWhyOther, limits.name),
                               limits.maxPatterns));
    for (size_t i = 0; i < frames.size(); ++i)
        if (!frames[i] || frames[i]->bits() != 32)
            return Fail(error, strMessage(kSheetFrameNot32Bits, i + 1));
    const int64_t rows = std::max<int64_t>((n + perRow - 1) / perRow, limits.minRows);
    const int64_t width = int64_t(perRow) * size, height = rows * size;
    if (width > kMaxPictureSide || height > kMaxPictureSide)
        return Fail(error, strMessage(kSheetTooWide, width, height, kMaxPictureSide));
    if (uint64_t(width) * uint64_t(height) * 4 > kMaxPictureBytes)
        return Fail(error, strMessage(kSheetTooLarge, width, height));
    result.sheet = cDib::create(int(width), int(height), 32);
    if (!result.sheet) return Fail(error, strMessage(kWhyOutOfMemory));
    result.patternSize = size;
    result.columns = perRow;
    result.rows = int(rows);
    result.frames.reserve(frames.size());

    for (int k = 0; k < int(n); ++k) {
        const cDib& frame = *frames[size_t(k)];
        strPlacedFrame placed;
        placed.pattern = k + 1;
        strBox box{0, 0, frame.width(), frame.height()};
        if (options.trim) box = OpaqueBounds(frame);
        placed.sourceWidth = box.width;
        placed.sourceHeight = box.height;
        if (box.width == 0) {
            placed.empty = true;
            result.frames.push_back(placed);
            continue;
        }
        int w = box.width, h = box.height;
        if (w > size || h > size) {
            const double s = std::min(double(size) / w, double(size) / h);
            w = std::clamp(int(std::lround(box.width * s)), 1, size);
            h = std::clamp(int(std::lround(box.height * s)), 1, size);
            placed.scaled = true;
        }
        placed.width = w;
        placed.height = h;
        placed.left = (k % perRow) * size + (size - w) / 2;
        placed.top = (k / perRow) * size + (size - h) / 2;
        if (placed.scaled) {
            DrawReduced(frame, box, *result.sheet, placed.left, placed.top, w, h);
        } else {
            for (int y = 0; y < h; ++y)
                std::memcpy(result.sheet->row(placed.top + y) + size_t(placed.left) * 4,
                            frame.row(box.top + y) + size_t(box.left) * 4, size_t(w) * 4);
        }
        result.frames.push_back(placed);
    }
    if (options.product == eSheetProduct::kAny)
        for (eSheetProduct p : {eSheetProduct::k2000, eSheetProduct::kXP, eSheetProduct::kVX,
                                eSheetProduct::kVXAce, eSheetProduct::kMV})
            if (n > SheetLimits(p).maxPatterns) result.beyondLimitOf.push_back(p);
    result.ok = true;
    return true;
}

std::vector<strSheetFinding> CheckPatternSheet(const cBMP& picture, const strSheetOptions& options) {
    std::vector<strSheetFinding> out;
    const cDib* dib = picture.dib();
    if (!dib) return out;
    const strSheetLimits limits = SheetLimits(options.product);
    const int size = options.patternSize > 0 ? options.patternSize : limits.patternSize;
    const int perRow = options.perRow > 0 ? options.perRow : limits.perRow;
    const int w = dib->width(), h = dib->height();
    if (w % size || h % size) out.push_back({eSheetFinding::kSizeNotMultiple, w, h});
    const int columns = w / size, rows = h / size;
    if (options.product != eSheetProduct::kAny && columns != perRow)
        out.push_back({eSheetFinding::kColumns, columns, perRow});
    // A product addresses its patterns five a row whatever the width; this editor takes the grid.
    const int64_t patterns = int64_t(options.product == eSheetProduct::kAny ? columns : perRow) * rows;
    if (patterns > limits.maxPatterns)
        out.push_back({eSheetFinding::kTooManyPatterns, patterns, limits.maxPatterns});
    if (limits.palette256 && dib->bits() > 8) {
        std::vector<uint64_t> seen(size_t(1) << 18, 0); // one bit per RGB value
        int64_t colours = 0, partial = 0;
        for (int y = 0; y < h; ++y) {
            const uint8_t* p = dib->row(y);
            for (int x = 0; x < w; ++x, p += 4) {
                if (p[3] == 0) continue;
                if (p[3] < 255) ++partial;
                const uint32_t rgb = uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
                uint64_t& word = seen[rgb >> 6];
                if (!(word & (uint64_t(1) << (rgb & 63)))) {
                    word |= uint64_t(1) << (rgb & 63);
                    ++colours;
                }
            }
        }
        if (colours > kPaletteColours)
            out.push_back({eSheetFinding::kTooManyColours, colours, kPaletteColours});
        if (partial > 0) out.push_back({eSheetFinding::kPartialAlpha, partial, 0});
        if (colours <= kPaletteColours) out.push_back({eSheetFinding::kNotPalette, dib->bits(), 0});
    }
    return out;
}

std::string SheetFindingText(const strSheetFinding& f, const strSheetOptions& options) {
    const strSheetLimits limits = SheetLimits(options.product);
    const int size = options.patternSize > 0 ? options.patternSize : limits.patternSize;
    const std::string who = limits.name;
    switch (f.kind) {
    case eSheetFinding::kSizeNotMultiple:
        return "the picture is " + SizeText(f.a, f.b) + " pixels, not a multiple of the " +
               std::to_string(size) +
               "-pixel pattern: the strip at the right or bottom edge belongs to no pattern";
    case eSheetFinding::kColumns:
        if (f.a < f.b)
            return "the picture has " + std::to_string(f.a) + " pattern columns; " + who + " places " +
                   std::to_string(f.b) + " patterns a row, so patterns in the missing columns show nothing";
        return "the picture has " + std::to_string(f.a) + " pattern columns; " + who + " uses " +
               std::to_string(f.b) + " a row, so the patterns past column " + std::to_string(f.b) +
               " are never shown";
    case eSheetFinding::kTooManyPatterns:
        return "the picture holds " + std::to_string(f.a) + " patterns; " + who + " reads at most " +
               std::to_string(f.b);
    case eSheetFinding::kTooManyColours:
        return "the picture has " + std::to_string(f.a) + " colours; " + who + " reads palette pictures of " +
               std::to_string(f.b) + " colours beside the transparent one";
    case eSheetFinding::kPartialAlpha:
        return std::to_string(f.a) + " pixels are partly transparent; " + who +
               " shows a pixel either transparent or opaque";
    case eSheetFinding::kNotPalette:
        return "the picture is stored with " + std::to_string(f.a) + " bits a pixel; " + who +
               " reads palette (8-bit) pictures: save it with a palette";
    }
    return "";
}

std::unique_ptr<cDib> PictureToArgb(const cBMP& picture) {
    const cDib* dib = picture.dib();
    if (!dib) return nullptr;
    if (dib->bits() == 32) return DuplicateBitmap(*dib);
    std::unique_ptr<cDib> out = cDib::create(dib->width(), dib->height(), 32);
    if (!out) return nullptr;
    const cPalette& palette = picture.palette();
    for (int y = 0; y < dib->height(); ++y) {
        uint8_t* row = out->row(y);
        for (int x = 0; x < dib->width(); ++x) {
            uint32_t v;
            if (dib->bits() <= 8) {
                const int i = dib->readIndex(x, y);
                if (palette.count() > 0)
                    v = i < palette.count() ? palette.entries()[i] : 0;
                else
                    v = dib->readPixel(x, y) | 0xFF000000u;
            } else {
                v = dib->readPixel(x, y) | 0xFF000000u;
            }
            std::memcpy(row + size_t(x) * 4, &v, 4);
        }
    }
    return out;
}

bool LoadSheetFrames(const std::vector<std::string>& inputs, const strSheetInput& how,
                     std::vector<strSheetFrame>& frames, strMessage* error) {
    frames.clear();
    uint64_t budget = how.maxBytes;
    auto failed = [&](strMessage why) {
        frames.clear();
        return Fail(error, std::move(why));
    };
    for (const std::string& input : inputs) {
        std::vector<std::string> files;
        if (platform::IsFolder(input)) {
            std::error_code ec;
            for (std::filesystem::directory_iterator it(input, ec), end; !ec && it != end; it.increment(ec)) {
                const std::string name = it->path().filename().string();
                std::error_code kind;
                if (IsPictureName(name) && it->is_regular_file(kind)) files.push_back(name);
            }
            if (ec) return failed(strMessage(kSheetCannotList, input));
            if (files.empty()) return failed(strMessage(kSheetNoPictures, input));
            std::sort(files.begin(), files.end(), NaturalLess);
            for (std::string& f : files)
                f = platform::JoinPath(input, f);
        } else {
            files.push_back(input);
        }
        for (const std::string& f : files) {
            strMessage why;
            if (!LoadFileFrames(f, how, frames, budget, &why)) return failed(std::move(why));
        }
    }
    for (strSheetFrame& f : frames)
        ApplyKey(*f.image, how.key);
    if (frames.empty()) return failed(strMessage(kSheetNoFramesRead));
    return true;
}
