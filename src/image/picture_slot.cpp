#include "image/picture_slot.h"

#include "image/picture_loader.h"
#include "image/pixel_ops.h"

#include <algorithm>
#include <cstring>

const cTexture cPictureSlot::kNoTexture;

int cPictureSlot::loadFromFile(const std::string& path, strLoadInfo* info, const strLoadLimits& limits) {
    release();
    auto picture = std::make_shared<cBMP>();
    if (!LoadPictureFile(path, *picture, info, limits)) return -2;
    picture_ = std::move(picture);
    return 1;
}

int cPictureSlot::loadFromResource(const std::string& name) {
    release();
    auto picture = std::make_shared<cBMP>();
    if (!LoadPictureResource(name, *picture)) return -2;
    picture_ = std::move(picture);
    return 1;
}

int cPictureSlot::open(const std::string& name, uint32_t flags) {
    int r = (flags & kDivideFromResource) ? loadFromResource(name) : loadFromFile(name);
    if (r != 1) return -1;
    setHsv();
    return divide(1, 1, flags & ~kDivideByWidth) ? 1 : -2;
}

void cPictureSlot::setPicture(std::shared_ptr<const cBMP> picture) {
    release();
    picture_ = std::move(picture);
}

cBMP& cPictureSlot::newPicture() {
    release();
    auto picture = std::make_shared<cBMP>();
    cBMP& own = *picture;
    picture_ = std::move(picture);
    return own;
}

void cPictureSlot::setHsv(int hue, int saturation, int value, int unused) {
    hsv_[0] = hue;
    hsv_[1] = saturation;
    hsv_[2] = value;
    hsv_[3] = unused;
}

bool cPictureSlot::getSize(int& width, int& height) const {
    width = height = 0;
    return picture_ && picture_->getSize(width, height);
}

void cPictureSlot::releaseTextures() {
    image_.reset();
    cell_[0].release();
    cell_[1].release();
}

void cPictureSlot::release() {
    releaseTextures();
    picture_.reset();
    grid_ = {};
}

bool cPictureSlot::canShareTexture(const cPictureSlot& twin, uint32_t flags) const {
    return &twin != this && picture_ && twin.picture_ == picture_ && twin.isValid() && twin.image_ &&
           std::equal(std::begin(hsv_), std::end(hsv_), std::begin(twin.hsv_)) &&
           twin.flags_ == (flags & kTransFlagMask);
}

uint64_t cPictureSlot::pictureBytes() const {
    const cDib* dib = picture_ ? picture_->dib() : nullptr;
    return dib ? uint64_t(dib->pixelBytes()) + uint64_t(dib->table().size()) * 4 : 0;
}

uint64_t cPictureSlot::textureBytes() const {
    return image_ ? uint64_t(image_->width()) * uint64_t(image_->height()) * 4 : 0;
}

uint64_t cPictureSlot::textureBytesNeeded() const {
    int w = 0, h = 0;
    getSize(w, h);
    return uint64_t(w) * uint64_t(h) * 4;
}

bool cPictureSlot::divide(int a, int b, uint32_t flags, const cPictureSlot* twin) {
    releaseTextures();
    if (a < 0) {
        a = requestA_;
        b = requestB_;
        flags = requestFlags_;
    } else {
        requestA_ = a;
        requestB_ = b;
        requestFlags_ = flags;
    }
    int w = 0, h = 0;
    getSize(w, h);
    if (!isAttached() || !ComputePatternGrid(w, h, a, b, (flags & kDivideByWidth) != 0, grid_)) {
        grid_ = {};
        return false;
    }
    if (twin && canShareTexture(*twin, flags)) {
        flags_ = twin->flags_;
        transKey_ = twin->transKey_;
        transIndex_ = twin->transIndex_;
        image_ = twin->image_;
        return true;
    }
    flags_ = flags & kTransFlagMask;
    ComputeTransparency(*picture_, flags_, transKey_, transIndex_);
    auto image = std::make_shared<cTexture>();
    if (!image->create(w, h) || !upload(*image)) {
        grid_ = {};
        return false;
    }
    image_ = std::move(image);
    return true;
}

// Fills the image texture from the picture.
bool cPictureSlot::upload(cTexture& image) const {
    const cDib* dib = picture_->dib();
    if (!dib) return false;
    const cPalette& palette = picture_->palette();
    const bool hue = hueEnabled();
    const int w = dib->width(), h = dib->height();
    if (dib->bits() == 8) {
        uint32_t lookup[256] = {0};
        int n = std::min(palette.count(), 256);
        for (int i = 0; i < n; ++i) {
            uint32_t e = palette.entries()[i];
            if (hue) e = AdjustHsv(e, hsv_[0], hsv_[1], hsv_[2]);
            if (uint32_t(i) == transIndex_) e &= 0x00FFFFFF;
            lookup[i] = e;
        }
        // Indices past the palette stay transparent black.
        for (int y = 0; y < h; ++y) {
            const uint8_t* src = dib->row(y);
            uint8_t* dst = image.row(y);
            for (int x = 0; x < w; ++x)
                std::memcpy(dst + 4 * x, &lookup[src[x]], 4);
        }
        return true;
    }
    if (dib->bits() == 32) {
        for (int y = 0; y < h; ++y) {
            const uint8_t* src = dib->row(y);
            uint8_t* dst = image.row(y);
            for (int x = 0; x < w; ++x) {
                uint32_t v;
                std::memcpy(&v, src + 4 * x, 4);
                if ((v >> 24) == 0 || (v & 0x00FFFFFF) == transKey_)
                    v = 0;
                else if (hue)
                    v = AdjustHsv(v, hsv_[0], hsv_[1], hsv_[2]);
                std::memcpy(dst + 4 * x, &v, 4);
            }
        }
        return true;
    }
    return false;
}

void cPictureSlot::getGrid(int& columns, int& rows) const {
    columns = isValid() ? grid_.columns : 0;
    rows = isValid() ? grid_.rows : 0;
}

void cPictureSlot::getCellSize(int& width, int& height) const {
    width = isValid() ? grid_.cellWidth : 0;
    height = isValid() ? grid_.cellHeight : 0;
}

strRect cPictureSlot::getPatternRect(int k) const {
    strRect r;
    if (isValid()) PatternRect(grid_, k, r);
    return r;
}

int cPictureSlot::hitTest(int x, int y) const {
    return isValid() ? PatternHitTest(grid_, x, y) : -1;
}

const cTexture* cPictureSlot::getPatternUv(int k, float origin[2], float extent[2]) const {
    int w = 0, h = 0;
    getSize(w, h);
    if (!isValid()) {
        PatternUv(strPatternGrid{}, 0, 0, 0, origin, extent);
        return nullptr;
    }
    PatternUv(grid_, w, h, k, origin, extent);
    return &imageTexture();
}

cTexture* cPictureSlot::getCellTexture(int i) {
    if (!isValid() || i < 0 || i > 1) return nullptr;
    if (cell_[i].isEmpty() && !cell_[i].create(grid_.cellWidth, grid_.cellHeight)) return nullptr;
    return &cell_[i];
}
