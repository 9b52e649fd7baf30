#include "export/apng_writer.h"

#include "document/file_reason.h"

#include "export/png_writer.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr uint8_t kSignature[8] = {137, 'P', 'N', 'G', 13, 10, 26, 10};

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v >> 24));
    out.push_back(uint8_t(v >> 16));
    out.push_back(uint8_t(v >> 8));
    out.push_back(uint8_t(v));
}

void PutU16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v >> 8));
    out.push_back(uint8_t(v));
}

uint32_t GetU32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

std::vector<uint8_t> ActlData(uint32_t frames) {
    std::vector<uint8_t> d;
    PutU32(d, frames);
    PutU32(d, 0); // plays: endless
    return d;
}

// The data of the IDAT chunks of a PNG that libpng wrote, in order; false for a stream that is not
// a whole PNG.
bool TakeImageData(const std::vector<uint8_t>& png, std::vector<std::span<const uint8_t>>& idat) {
    idat.clear();
    if (png.size() < 8 || std::memcmp(png.data(), kSignature, 8) != 0) return false;
    size_t pos = 8;
    while (pos + 12 <= png.size()) {
        const uint32_t length = GetU32(&png[pos]);
        if (length > png.size() - pos - 12) return false;
        const uint8_t* type = &png[pos + 4];
        if (std::memcmp(type, "IDAT", 4) == 0) idat.emplace_back(&png[pos + 8], length);
        if (std::memcmp(type, "IEND", 4) == 0) return !idat.empty();
        pos += 12 + size_t(length);
    }
    return false;
}

} // namespace

void cApngWriter::appendChunk(std::vector<uint8_t>& out, const char type[4], std::span<const uint8_t> data) {
    PutU32(out, uint32_t(data.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, out.data() + start, uInt(out.size() - start));
    PutU32(out, uint32_t(crc));
}

bool cApngWriter::fail(strMessage* error, strMessage why) {
    file_.discard();
    if (error) *error = std::move(why);
    return false;
}

bool cApngWriter::begin(const std::string& path, int width, int height, int frameCount, strMessage* error) {
    frames_ = 0;
    sequence_ = 0;
    canvas_.clear();
    if (width < 1 || height < 1 || width > kMaxPictureSide || height > kMaxPictureSide || frameCount < 1)
        return fail(error, strMessage(kAnimNoFrames));
    width_ = width;
    height_ = height;
    announced_ = frameCount;
    if (std::string why; !file_.open(path, &why)) return fail(error, FileFailureMessage(why));
    std::vector<uint8_t> head(kSignature, kSignature + 8);
    std::vector<uint8_t> ihdr;
    PutU32(ihdr, uint32_t(width));
    PutU32(ihdr, uint32_t(height));
    ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0}); // 8 bits, RGBA, deflate, adaptive filters, no interlace
    appendChunk(head, "IHDR", ihdr);
    actlOffset_ = head.size();
    appendChunk(head, "acTL", ActlData(uint32_t(frameCount)));
    try {
        canvas_.assign(size_t(width) * size_t(height) * 4, 0);
    } catch (...) {
        return fail(error, strMessage(kWhyOutOfMemory));
    }
    if (std::string why; !file_.write(head, &why)) return fail(error, FileFailureMessage(why));
    return true;
}

bool cApngWriter::addFrame(const cDib& frame, int delay, strMessage* error) {
    if (!file_.isOpen()) return fail(error, strMessage(kAnimNotOpen));
    if (frame.bits() != 32 || frame.width() != width_ || frame.height() != height_)
        return fail(error, strMessage(kAnimFrameSize));
    if (frames_ >= announced_) return fail(error, strMessage(kAnimTooManyFrames));

    // The rectangle that changed since the previous frame (all of the first).
    const size_t rowBytes = size_t(width_) * 4;
    int left = 0, top = 0, right = width_ - 1, bottom = height_ - 1;
    if (frames_ > 0) {
        left = width_;
        top = height_;
        right = bottom = -1;
        for (int y = 0; y < height_; ++y) {
            const uint8_t* now = frame.row(y);
            const uint8_t* was = canvas_.data() + size_t(y) * rowBytes;
            if (std::memcmp(now, was, rowBytes) == 0) continue;
            top = std::min(top, y);
            bottom = y;
            int x0 = 0, x1 = width_ - 1;
            while (std::memcmp(now + size_t(x0) * 4, was + size_t(x0) * 4, 4) == 0)
                ++x0;
            while (std::memcmp(now + size_t(x1) * 4, was + size_t(x1) * 4, 4) == 0)
                --x1;
            left = std::min(left, x0);
            right = std::max(right, x1);
        }
        if (bottom < 0) left = top = right = bottom = 0; // unchanged: one pixel, as it was
    }
    const int w = right - left + 1, h = bottom - top + 1;

    std::vector<const uint8_t*> rows(static_cast<size_t>(h));
    for (int y = 0; y < h; ++y)
        rows[size_t(y)] = frame.row(top + y) + size_t(left) * 4;
    std::vector<uint8_t> png;
    strMessage why;
    if (!EncodePngRows(rows.data(), w, h, true, png, &why)) return fail(error, std::move(why));
    std::vector<std::span<const uint8_t>> idat;
    if (!TakeImageData(png, idat)) return fail(error, strMessage(kPngEncodingFailed));

    std::vector<uint8_t> out, fctl;
    PutU32(fctl, sequence_++);
    PutU32(fctl, uint32_t(w));
    PutU32(fctl, uint32_t(h));
    PutU32(fctl, uint32_t(left));
    PutU32(fctl, uint32_t(top));
    PutU16(fctl, uint32_t(std::clamp(delay, 0, 65535)));
    PutU16(fctl, 100);               // the delay is in hundredths
    fctl.insert(fctl.end(), {0, 0}); // dispose: none; blend: source
    appendChunk(out, "fcTL", fctl);
    for (std::span<const uint8_t> data : idat) {
        if (frames_ == 0) {
            appendChunk(out, "IDAT", data);
            continue;
        }
        std::vector<uint8_t> fdat;
        fdat.reserve(data.size() + 4);
        PutU32(fdat, sequence_++);
        fdat.insert(fdat.end(), data.begin(), data.end());
        appendChunk(out, "fdAT", fdat);
    }
    for (int y = top; y <= bottom; ++y)
        std::memcpy(canvas_.data() + size_t(y) * rowBytes + size_t(left) * 4, frame.row(y) + size_t(left) * 4,
                    size_t(w) * 4);
    if (std::string why; !file_.write(out, &why)) return fail(error, FileFailureMessage(why));
    ++frames_;
    return true;
}

bool cApngWriter::finish(strMessage* error) {
    if (!file_.isOpen()) return fail(error, strMessage(kAnimNotOpen));
    if (frames_ == 0) return fail(error, strMessage(kAnimNoFrames));
    if (frames_ != announced_) {
        std::vector<uint8_t> actl;
        appendChunk(actl, "acTL", ActlData(uint32_t(frames_)));
        if (std::string why; !file_.writeAt(actlOffset_, actl, &why))
            return fail(error, FileFailureMessage(why));
    }
    std::vector<uint8_t> end;
    appendChunk(end, "IEND", {});
    canvas_.clear();
    canvas_.shrink_to_fit();
    if (std::string why; !file_.write(end, &why) || !file_.commit(&why))
        return fail(error, FileFailureMessage(why));
    return true;
}
