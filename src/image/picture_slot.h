#pragma once
// A picture slot: one loaded picture with its division into patterns, its transparent
// colour, its hue setting and the textures drawn from it.
//
// States: empty (no bitmap), loaded (bitmap, not divided) and valid (divided, image texture filled).
// The image texture is the whole picture as 32-bit B, G, R, A with the slot's transparency and hue
// applied; the two cell textures are scratch images of one pattern's size, made when first asked
// for. Pattern indices k are 0-based here (cells store 1-based pattern numbers).
//
// The decoded picture and the image texture are held shared and never changed once made, so that
// slots naming the same file share one decoded picture, and slots that also agree in hue and
// transparency share one texture (cPictureSlotTable arranges it).

#include "image/bmp.h"
#include "image/pattern_grid.h"
#include "image/picture_loader.h"
#include "image/texture.h"
#include "image/transparency.h"

#include <cstdint>
#include <memory>
#include <string>

// Division request flags: bit 0 split by width (clear = by number of sheets), bits 1 to 4 the
// transparency flags (kTransFlag...), bit 6 load from the built-in bitmaps (Open only).
inline constexpr uint32_t kDivideByWidth = 1;
inline constexpr uint32_t kDivideFromResource = 64;

class cPictureSlot {
  public:
    // Release everything, then load. 1 on success, -2 when loading failed (slot left empty; *info,
    // when given, says why). limits bound the picture's size.
    int loadFromFile(const std::string& path, strLoadInfo* info = nullptr, const strLoadLimits& limits = {});
    int loadFromResource(const std::string& name);
    // Loads (from the built-in bitmaps when flags has kDivideFromResource), resets the HSV offsets
    // and divides as one pattern with the flags' transparency. 1 success, -1 loading failed,
    // -2 division failed.
    int open(const std::string& name, uint32_t flags);
    // Stores the HSV offsets; they take effect at the next division. A hue of 0 turns the adjustment
    // off.
    void setHsv(int hue = 0, int saturation = 0, int value = 0, int unused = 0);
    // Takes a picture decoded elsewhere (or shared with other slots); the slot is then loaded.
    void setPicture(std::shared_ptr<const cBMP> picture);
    // Releases everything and gives the slot a new empty picture of its own to be filled (by a
    // loader, or by attaching a bitmap) before the slot is divided.
    cBMP& newPicture();
    // Divides into patterns and fills the textures. A negative a repeats the last
    // request. False (slot back to loaded) on failure. When twin holds the same picture with the
    // same hue and transparency, its image texture is shared instead of a new one being made.
    bool divide(int a, int b, uint32_t flags, const cPictureSlot* twin = nullptr);
    // Releases the textures, drops the picture, zeroes the grid.
    void release();

    // ---- the picture ----
    bool isAttached() const { return picture_ && picture_->isAttached(); }
    bool getSize(int& width, int& height) const;
    const std::shared_ptr<const cBMP>& picture() const { return picture_; }
    // Whether this slot's image texture would equal twin's (same picture, hue and transparency
    // method), and whether it is the very same texture now.
    bool canShareTexture(const cPictureSlot& twin, uint32_t flags) const;
    bool sharesTextureWith(const cPictureSlot& other) const { return image_ && image_ == other.image_; }
    // Bytes of the decoded picture and of the image texture (each counted once however many slots
    // share it) and of this slot's own cell textures.
    uint64_t pictureBytes() const;
    uint64_t textureBytes() const;
    // The picture's bytes as a 32-bit texture: what Divide adds unless it shares.
    uint64_t textureBytesNeeded() const;

    bool isValid() const { return isAttached() && grid_.count > 0; }
    bool isValidPattern(int k) const { return isValid() && k >= 0 && k < grid_.count; }

    // ---- the grid (zeros, or none, when the slot is not valid) ----
    const strPatternGrid& grid() const { return grid_; }
    int patternCount() const { return grid_.count; }
    void getGrid(int& columns, int& rows) const;
    void getCellSize(int& width, int& height) const;
    // Rectangle of pattern k in picture pixels; a zero rectangle when k is not a valid pattern.
    strRect getPatternRect(int k) const;
    // The pattern under a picture point, or -1.
    int hitTest(int x, int y) const;
    // Texture coordinates of pattern k (origin 0,0 and extent 1,1 when invalid); returns the image
    // texture, or null when the slot is not valid.
    const cTexture* getPatternUv(int k, float origin[2], float extent[2]) const;

    // ---- textures ----
    const cTexture& imageTexture() const { return image_ ? *image_ : kNoTexture; }
    // Scratch texture 0 or 1 of one pattern's size, made on first use; null when not valid, when i
    // is not 0 or 1, or when memory is short.
    cTexture* getCellTexture(int i);

    // ---- state ----
    uint32_t transFlags() const { return flags_; }
    uint32_t transparentKey() const { return transKey_; }
    uint32_t transparentIndex() const { return transIndex_; }
    int hue() const { return hsv_[0]; }
    bool hueEnabled() const { return hsv_[0] != 0; }

  private:
    bool upload(cTexture& image) const;
    void releaseTextures();

    static const cTexture kNoTexture;
    std::shared_ptr<const cBMP> picture_;
    uint32_t flags_ = 0;
    std::shared_ptr<const cTexture> image_;
    cTexture cell_[2];
    int requestA_ = 0, requestB_ = 0;
    uint32_t requestFlags_ = 0;
    strPatternGrid grid_;
    int hsv_[4] = {0, 0, 0, 0};
    uint32_t transKey_ = kNoColourKey;
    uint32_t transIndex_ = kNoTransIndex;
};
