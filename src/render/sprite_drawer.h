#pragma once
// cSpriteDrawer: the program's drawing device, on the CPU. It draws sprites (one pattern of a picture
// slot) and filled rectangles into a 32-bit render target with the blend and tone rules of
// colour_rules.h, nearest-point sampling and 8-bit channels clamped at every stage.
//
// Geometry: the pattern is a quad of its cell size (w, h), scaled about its centre, rotated
// clockwise by the angle, and centred at the request position measured from the target's centre,
// with a shift of -0.5 pixel (pixel centres lie on integer coordinates). A pixel is covered when its
// centre maps back inside the pattern, and takes the texel under that point (nearest point); a
// centre on an edge is decided as if nudged right and down on screen (quad_mapping.h), so a
// mirrored or turned sprite covers the same pixels as the plain one. A sprite at scale 1 and angle 0
// thus copies its pattern's texels 1:1 onto the target.
//
// Requests are drawn in the order given (the depth value is carried but not tested). One drawer
// serves one thread; picture slots are only read while drawing. The drawer keeps the source texels
// of recent sprites (their tone pass) keyed by the picture's content, so redrawing an unchanged cell
// costs only its raster pass.

#include "image/pattern_grid.h"
#include "image/texture.h"
#include "render/source_cache.h"
#include "render/sprite_params.h"

#include <cstdint>
#include <vector>

class cSpriteDrawer {
  public:
    cSpriteDrawer() = default;
    virtual ~cSpriteDrawer() = default;
    cSpriteDrawer(const cSpriteDrawer&) = delete;
    cSpriteDrawer& operator=(const cSpriteDrawer&) = delete;

    // Sets target as the render target and clears it to clearArgb (0xAARRGGBB; alpha 0 gives a
    // transparent image). False when the target is empty.
    bool beginFrame(cTexture& target, uint32_t clearArgb);
    // Ends drawing; later draw calls do nothing until the next beginFrame.
    void endFrame();
    bool inFrame() const { return target_ != nullptr; }

    // The view of requests whose screen-space flag is 0: position = (position - origin) x zoom,
    // scale x zoom. The export uses origin (0, 0) and zoom 1 (the default).
    void setView(float originX, float originY, float zoom);

    // Draws one pattern of a picture slot. False (nothing drawn) outside a frame, with opacity below
    // 1, a missing or invalid slot, or a pattern number that is not a valid pattern of the slot.
    bool drawSprite(const strSpriteParams& p);
    // The same from a texture and a pattern rectangle inside it (p.slot and p.pattern are ignored).
    bool drawPattern(const cTexture& texture, const strRect& rect, const strSpriteParams& p);
    // Fills a rectangle (or the whole target with kRectWholeTarget) with a colour, blended by the
    // request's blend value. False outside a frame.
    bool drawRect(const strRectParams& r);

    int targetWidth() const { return target_ ? target_->width() : 0; }
    int targetHeight() const { return target_ ? target_->height() : 0; }

    // Draws through the plain scalar path (every texel's source built anew, every pixel tested and
    // blended on its own) instead of the fast one; both give the same bytes. For tests and benchmarks.
    void setReferencePath(bool on) { reference_ = on; }
    // Forgets the kept source texels; setSourceCacheLimit(0) keeps none.
    void clearSourceCache() { cache_.clear(); }
    void setSourceCacheLimit(size_t bytes) { cache_.setLimit(bytes); }

  private:
    // Rasterises a w x h source centred at (cx, cy) in device pixel coordinates (pixel centres at
    // integers), scaled and rotated, blending with mode.
    void rasterQuad(const render::strSourceView& source, int w, int h, double cx, double cy, double sx,
                    double sy, double angleDegrees, int mode);

    cTexture* target_ = nullptr;
    float viewX_ = 0, viewY_ = 0, zoom_ = 1;
    bool reference_ = false;
    render::cSourceCache cache_;
    std::vector<uint32_t> source_; // the reference path's source texels of the sprite being drawn
    std::vector<uint32_t> buffer_; // the fast path's scratch row
};
