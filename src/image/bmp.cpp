#include "image/bmp.h"

#include <bit>
#include <new>

namespace {

// Extracts a masked channel and scales it to 8 bits (bit replication, so a full channel gives 255).
uint32_t MaskChannel(uint32_t value, uint32_t mask) {
    if (mask == 0) return 0;
    int shift = std::countr_zero(mask);
    uint32_t m = mask >> shift;
    int width = std::countr_one(m);
    uint32_t v = (value >> shift) & m;
    if (width >= 8) return v >> (width - 8);
    uint32_t out = 0;
    int filled = 0;
    while (filled < 8) {
        int take = 8 - filled;
        if (take >= width) {
            out = (out << width) | v;
            filled += width;
        } else {
            out = (out << take) | (v >> (width - take));
            filled += take;
        }
    }
    return out & 0xFF;
}

} // namespace

std::unique_ptr<cDib> cDib::create(int width, int height, int bits, int tableEntries, const uint32_t* masks) {
    if (!isValidDepth(bits) || width < 1 || height < 1 || width > kMaxPictureSide || height > kMaxPictureSide)
        return nullptr;
    int maxTable = bits <= 8 ? (1 << bits) : 0;
    if (bits <= 8) {
        if (tableEntries < 0 || tableEntries > maxTable) return nullptr;
        if (tableEntries == 0) tableEntries = maxTable;
    } else {
        tableEntries = 0;
    }
    std::unique_ptr<cDib> d(new (std::nothrow) cDib);
    if (!d) return nullptr;
    d->width_ = width;
    d->height_ = height;
    d->bits_ = bits;
    d->stride_ = strideOf(width, bits);
    try {
        d->pixels_.assign(size_t(d->stride_) * size_t(height), 0);
        d->table_.assign(size_t(tableEntries), 0);
    } catch (...) {
        return nullptr;
    }
    if (masks && (bits == 16 || bits == 32)) {
        d->hasMasks_ = true;
        for (int i = 0; i < 4; ++i)
            d->masks_[i] = masks[i];
    }
    return d;
}

int32_t cDib::layoutCode() const {
    if (bits_ == 16) {
        if (!hasMasks_) return kLayout555;
        if (masks_[0] == 0x7C00 && masks_[1] == 0x03E0 && masks_[2] == 0x001F) return kLayout555;
        if (masks_[0] == 0xF800 && masks_[1] == 0x07E0 && masks_[2] == 0x001F) return kLayout565;
        return 0;
    }
    if (bits_ == 32) {
        if (!hasMasks_) return kLayoutRgb32;
        if (masks_[0] == 0xFF0000 && masks_[1] == 0xFF00 && masks_[2] == 0xFF) {
            if (masks_[3] == 0xFF000000u) return kLayoutArgb32;
            if (masks_[3] == 0) return kLayoutRgb32;
        }
        return 0;
    }
    return 0;
}

int cDib::readIndex(int x, int y) const {
    const uint8_t* row = this->row(y);
    switch (bits_) {
    case 1:
        return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4:
        return (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
    case 8:
        return row[x];
    default:
        return 0;
    }
}

void cDib::writeIndex(int x, int y, int index) {
    uint8_t* row = this->row(y);
    switch (bits_) {
    case 1: {
        uint8_t bit = uint8_t(0x80 >> (x & 7));
        row[x >> 3] = (index & 1) ? uint8_t(row[x >> 3] | bit) : uint8_t(row[x >> 3] & ~bit);
        break;
    }
    case 4:
        if (x & 1)
            row[x >> 1] = uint8_t((row[x >> 1] & 0xF0) | (index & 0x0F));
        else
            row[x >> 1] = uint8_t((row[x >> 1] & 0x0F) | ((index & 0x0F) << 4));
        break;
    case 8:
        row[x] = uint8_t(index);
        break;
    default:
        break;
    }
}

uint32_t cDib::readPixel(int x, int y) const {
    const uint8_t* row = this->row(y);
    switch (bits_) {
    case 1:
    case 4:
    case 8: {
        size_t i = size_t(readIndex(x, y));
        return i < table_.size() ? (table_[i] & 0x00FFFFFF) : 0;
    }
    case 16: {
        uint32_t v = uint32_t(row[2 * x]) | (uint32_t(row[2 * x + 1]) << 8);
        uint32_t rm = 0x7C00, gm = 0x03E0, bm = 0x001F;
        if (hasMasks_) rm = masks_[0], gm = masks_[1], bm = masks_[2];
        return (MaskChannel(v, rm) << 16) | (MaskChannel(v, gm) << 8) | MaskChannel(v, bm);
    }
    case 24: {
        const uint8_t* p = row + 3 * x;
        return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16);
    }
    case 32: {
        const uint8_t* p = row + 4 * x;
        uint32_t v = uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
        if (!hasMasks_ || layoutCode() != 0) return v;
        return (MaskChannel(v, masks_[3]) << 24) | (MaskChannel(v, masks_[0]) << 16) |
               (MaskChannel(v, masks_[1]) << 8) | MaskChannel(v, masks_[2]);
    }
    default:
        return 0;
    }
}

bool cPalette::set(const uint32_t* entries, int count) {
    entries_.clear();
    if (count < 1) return false;
    try {
        if (entries)
            entries_.assign(entries, entries + count);
        else
            entries_.assign(size_t(count), 0);
    } catch (...) {
        entries_.clear();
        return false;
    }
    return true;
}

void cPalette::clear() {
    entries_.clear();
    entries_.shrink_to_fit();
}

bool cBMP::attach(std::unique_ptr<cDib> dib, int64_t key) {
    destroy();
    if (!dib) return false;
    dib_ = std::move(dib);
    key_ = key >= 0 ? (uint32_t(key) & 0x00FFFFFF) | 0xFF000000u : 0;
    width_ = dib_->width();
    height_ = dib_->height();
    stride_ = dib_->stride();
    bits_ = dib_->bits();
    colourUsed_ = dib_->colourUsed();
    bitsPtr_ = dib_->pixels();
    return true;
}

void cBMP::destroy() {
    dib_.reset();
    key_ = 0;
    width_ = height_ = stride_ = bits_ = colourUsed_ = 0;
    bitsPtr_ = nullptr;
    palette_.clear();
}

std::unique_ptr<cDib> cBMP::detach() {
    std::unique_ptr<cDib> d = std::move(dib_);
    destroy();
    return d;
}

bool cBMP::getSize(int& width, int& height) const {
    width = width_;
    height = height_;
    return dib_ != nullptr;
}

const uint32_t* cBMP::getPaletteEntry(int index) const {
    if (!dib_ || index < 0 || index >= palette_.count()) return nullptr;
    return palette_.entries() + index;
}

bool cBMP::takePaletteFromTable() {
    if (!dib_ || bits_ > 8 || colourUsed_ == 0) return false;
    std::vector<uint32_t> entries(dib_->table().begin(), dib_->table().begin() + colourUsed_);
    bool anyAlpha = false;
    for (uint32_t e : entries)
        anyAlpha |= (e >> 24) != 0;
    if (!anyAlpha)
        for (uint32_t& e : entries)
            e |= 0xFF000000u;
    return palette_.set(entries.data(), colourUsed_);
}
