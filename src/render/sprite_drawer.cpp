#include "render/sprite_drawer.h"

#include "image/picture_slot.h"
#include "render/blend_span.h"
#include "render/colour_rules.h"
#include "render/quad_mapping.h"
#include "render/raster.h"

#include <cstring>
#include <new>

bool cSpriteDrawer::beginFrame(cTexture& target, uint32_t clearArgb) {
    target_ = nullptr;
    if (target.isEmpty()) return false;
    render::FillSpan(reinterpret_cast<uint32_t*>(target.row(0)), clearArgb,
                     size_t(target.width()) * size_t(target.height()));
    target_ = &target;
    return true;
}

void cSpriteDrawer::endFrame() {
    target_ = nullptr;
}

void cSpriteDrawer::setView(float originX, float originY, float zoom) {
    viewX_ = originX;
    viewY_ = originY;
    zoom_ = zoom;
}

bool cSpriteDrawer::drawSprite(const strSpriteParams& p) {
    if (!target_ || p.opacity < 1 || !p.slot || !p.slot->isValidPattern(p.pattern - 1)) return false;
    const cTexture& texture = p.slot->imageTexture();
    if (texture.isEmpty()) return false;
    return drawPattern(texture, p.slot->getPatternRect(p.pattern - 1), p);
}

bool cSpriteDrawer::drawPattern(const cTexture& texture, const strRect& rect, const strSpriteParams& p) {
    if (!target_ || p.opacity < 1) return false;
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w < 1 || h < 1 || rect.left < 0 || rect.top < 0 || rect.right > texture.width() ||
        rect.bottom > texture.height())
        return false;

    // The source texels: every texel of the pattern turned into its source (colour, alpha); a plain
    // sprite samples the picture itself.
    const render::strSourceSetup setup = render::strSourceSetup::of(p);
    render::strSourceView source;
    if (!reference_) {
        if (!cache_.get(texture, rect, setup, source)) return false;
    } else if (render::SourceIsTexel(setup)) {
        source.pixels = texture.row(rect.top) + size_t(rect.left) * 4;
        source.pitch = size_t(texture.pitch());
    } else {
        try {
            source_.resize(size_t(w) * size_t(h));
        } catch (const std::bad_alloc&) {
            return false;
        }
        for (int y = 0; y < h; ++y)
            render::BuildSourceRow(texture.row(rect.top + y) + size_t(rect.left) * 4,
                                   source_.data() + size_t(y) * size_t(w), w, setup);
        source.pixels = reinterpret_cast<const uint8_t*>(source_.data());
        source.pitch = size_t(w) * 4;
    }

    double x = p.x, y = p.y, sx = p.scaleX, sy = p.scaleY;
    if (p.screenSpace == 0) {
        x = (x - viewX_) * zoom_;
        y = (y - viewY_) * zoom_;
        sx *= zoom_;
        sy *= zoom_;
    }
    const double cx = target_->width() / 2.0 + x - 0.5, cy = target_->height() / 2.0 + y - 0.5;
    rasterQuad(source, w, h, cx, cy, sx, sy, p.angle, setup.mode);
    return true;
}

bool cSpriteDrawer::drawRect(const strRectParams& r) {
    if (!target_) return false;
    const int mode = DeviceBlendMode(r.blend);
    const uint32_t colour = render::RectSource(mode, r.alpha, r.red, r.green, r.blue);
    render::strSourceView source;
    source.pixels = reinterpret_cast<const uint8_t*>(&colour);
    source.pitch = 4;
    const double W = target_->width(), H = target_->height();
    if (r.flags & kRectWholeTarget) {
        // A quad of the target's size centred on it covers every pixel.
        rasterQuad(source, 1, 1, W / 2.0 - 0.5, H / 2.0 - 0.5, W, H, 0, mode);
        return true;
    }
    double x = r.x, y = r.y, width = r.width, height = r.height;
    if (r.screenSpace == 0) {
        x = (x - viewX_) * zoom_;
        y = (y - viewY_) * zoom_;
        width *= zoom_;
        height *= zoom_;
    }
    if (!(width > 0) || !(height > 0)) return true;
    rasterQuad(source, 1, 1, W / 2.0 + x - 0.5, H / 2.0 + y - 0.5, width, height, 0, mode);
    return true;
}

void cSpriteDrawer::rasterQuad(const render::strSourceView& source, int w, int h, double cx, double cy,
                               double sx, double sy, double angleDegrees, int mode) {
    render::strQuadMapping m;
    if (!render::MapQuad(w, h, cx, cy, sx, sy, angleDegrees, target_->width(), target_->height(), m)) return;
    const render::strTargetView target{target_->row(0), size_t(target_->pitch())};
    if (reference_)
        render::RasterReference(m, source, target, mode);
    else
        render::RasterFast(m, source, target, mode, buffer_);
}
