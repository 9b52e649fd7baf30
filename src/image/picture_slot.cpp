#include "image/picture_slot.h"

#include "image/picture_loader.h"
#include "image/pixel_ops.h"

#include <algorithm>
#include <cstring>

const cTexture cPictureSlot::kNoTexture;

int cPictureSlot::LoadFromFile(const std::string& path, strLoadInfo* info, const strLoadLimits& limits) {
    Release();
    auto picture = std::make_shared<cBMP>();
    if (!LoadPictureFile(path, *picture, info, limits)) return -2;
    picture_ = std::move(picture);
    return 1;
}

int cPictureSlot::LoadFromResource(const std::string& name) {
    Release();
    auto picture = std::make_shared<cBMP>();
    if (!LoadPictureResource(name, *picture)) return -2;
    picture_ = std::move(picture);
    return 1;
}

int cPictureSlot::Open(const std::string& name, uint32_t flags) {
    int r = (flags & kDivideFromResource) ? LoadFromResource(name) : LoadFromFile(name);
    if (r != 1) return -1;
    SetHsv();
    return Divide(1, 1, flags & ~kDivideByWidth) ? 1 : -2;
}

void cPictureSlot::SetPicture(std::shared_ptr<const cBMP> picture) {
    Release();
    picture_ = std::move(picture);
}

cBMP& cPictureSlot::NewPicture() {
    Release();
    auto picture = std::make_shared<cBMP>();
    cBMP& own = *picture;
    picture_ = std::move(picture);
    return own;
}

void cPictureSlot::SetHsv(int hue, int saturation, int value, int unused) {
    hsv_[0] = hue;
    hsv_[1] = saturation;
    hsv_[2] = value;
    hsv_[3] = unused;
}

bool cPictureSlot::GetSize(int& width, int& height) const {
    width = height = 0;
    return picture_ && picture_->GetSize(width, height);
}

void cPictureSlot::ReleaseTextures() {
    image_.reset();
    cell_[0].Release();
    cell_[1].Release();
}

void cPictureSlot::Release() {
    ReleaseTextures();
    picture_.reset();
    grid_ = {};
}

bool cPictureSlot::CanShareTexture(const cPictureSlot& twin, uint32_t flags) const {
    return &twin != this && picture_ && twin.picture_ == picture_ && twin.IsValid() && twin.image_ &&
           std::equal(std::begin(hsv_), std::end(hsv_), std::begin(twin.hsv_)) &&
           twin.flags_ == (flags & kTransFlagMask);
}

uint64_t cPictureSlot::PictureBytes() const {
    const cDib* dib = picture_ ? picture_->Dib() : nullptr;
    return dib ? uint64_t(dib->PixelBytes()) + uint64_t(dib->Table().size()) * 4 : 0;
}

uint64_t cPictureSlot::TextureBytes() const {
    return image_ ? uint64_t(image_->Width()) * uint64_t(image_->Height()) * 4 : 0;
}

uint64_t cPictureSlot::TextureBytesNeeded() const {
    int w = 0, h = 0;
    GetSize(w, h);
    return uint64_t(w) * uint64_t(h) * 4;
}

bool cPictureSlot::Divide(int a, int b, uint32_t flags, const cPictureSlot* twin) {
    ReleaseTextures();
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
    GetSize(w, h);
    if (!IsAttached() || !ComputePatternGrid(w, h, a, b, (flags & kDivideByWidth) != 0, grid_)) {
        grid_ = {};
        return false;
    }
    if (twin && CanShareTexture(*twin, flags)) {
        flags_ = twin->flags_;
        transKey_ = twin->transKey_;
        transIndex_ = twin->transIndex_;
        image_ = twin->image_;
        return true;
    }
    flags_ = flags & kTransFlagMask;
    ComputeTransparency(*picture_, flags_, transKey_, transIndex_);
    auto image = std::make_shared<cTexture>();
    if (!image->Create(w, h) || !Upload(*image)) {
        grid_ = {};
        return false;
    }
    image_ = std::move(image);
    return true;
}

// Fills the image texture from the picture.
bool cPictureSlot::Upload(cTexture& image) const {
    const cDib* dib = picture_->Dib();
    if (!dib) return false;
    const cPalette& palette = picture_->Palette();
    const bool hue = HueEnabled();
    const int w = dib->Width(), h = dib->Height();
    if (dib->Bits() == 8) {
        uint32_t lookup[256] = {0};
        int n = std::min(palette.Count(), 256);
        for (int i = 0; i < n; ++i) {
            uint32_t e = palette.Entries()[i];
            if (hue) e = AdjustHsv(e, hsv_[0], hsv_[1], hsv_[2]);
            if (uint32_t(i) == transIndex_) e &= 0x00FFFFFF;
            lookup[i] = e;
        }
        // Indices past the palette stay transparent black.
        for (int y = 0; y < h; ++y) {
            const uint8_t* src = dib->Row(y);
            uint8_t* dst = image.Row(y);
            for (int x = 0; x < w; ++x)
                std::memcpy(dst + 4 * x, &lookup[src[x]], 4);
        }
        return true;
    }
    if (dib->Bits() == 32) {
        for (int y = 0; y < h; ++y) {
            const uint8_t* src = dib->Row(y);
            uint8_t* dst = image.Row(y);
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

void cPictureSlot::GetGrid(int& columns, int& rows) const {
    columns = IsValid() ? grid_.columns : 0;
    rows = IsValid() ? grid_.rows : 0;
}

void cPictureSlot::GetCellSize(int& width, int& height) const {
    width = IsValid() ? grid_.cellWidth : 0;
    height = IsValid() ? grid_.cellHeight : 0;
}

strRect cPictureSlot::GetPatternRect(int k) const {
    strRect r;
    if (IsValid()) PatternRect(grid_, k, r);
    return r;
}

int cPictureSlot::HitTest(int x, int y) const {
    return IsValid() ? PatternHitTest(grid_, x, y) : -1;
}

const cTexture* cPictureSlot::GetPatternUv(int k, float origin[2], float extent[2]) const {
    int w = 0, h = 0;
    GetSize(w, h);
    if (!IsValid()) {
        PatternUv(strPatternGrid{}, 0, 0, 0, origin, extent);
        return nullptr;
    }
    PatternUv(grid_, w, h, k, origin, extent);
    return &ImageTexture();
}

cTexture* cPictureSlot::GetCellTexture(int i) {
    if (!IsValid() || i < 0 || i > 1) return nullptr;
    if (cell_[i].IsEmpty() && !cell_[i].Create(grid_.cellWidth, grid_.cellHeight)) return nullptr;
    return &cell_[i];
}
