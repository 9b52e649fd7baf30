#include "ui/canvas/canvas_frame.h"

#include <algorithm>

const QImage& cCanvasFrame::image(const strCanvasScene& scene, uint64_t generation, uint64_t baseGeneration) {
    if (!valid_ || generation != generation_ || !(scene.area == area_)) {
        area_ = scene.area;
        generation_ = generation;
        compose(scene, baseGeneration);
    }
    return image_;
}

void cCanvasFrame::compose(const strCanvasScene& s, uint64_t baseGeneration) {
    valid_ = false;
    image_ = QImage();
    const int w = s.area.width(), h = s.area.height();
    if (!s.doc || !s.pictures || w < 1 || h < 1) return;
    if (texture_.width() != w || texture_.height() != h) {
        texture_.release();
        if (!texture_.create(w, h)) return;
    }
    ++compositions_;
    cFrameComposer composer(drawer_, *s.pictures, *s.doc, s.frame, s.area, s.layers);
    composer.begin(texture_);
    // While a gesture changes only the cells from volatileFrom on, the lower part is copied.
    const bool keep = s.volatileFrom >= 0 && s.layers.drawCells;
    if (keep && baseValid_ && baseGeneration_ == baseGeneration && baseFrom_ == s.volatileFrom &&
        baseArea_ == s.area) {
        std::copy(base_.row(0), base_.row(0) + size_t(base_.pitch()) * size_t(h), texture_.row(0));
    } else {
        baseValid_ = false;
        composer.drawUnderCells();
        if (keep) {
            composer.drawCells(0, s.volatileFrom);
            base_ = texture_;
            baseValid_ = true;
            baseGeneration_ = baseGeneration;
            baseFrom_ = s.volatileFrom;
            baseArea_ = s.area;
        }
    }
    composer.drawCells(keep ? s.volatileFrom : 0);
    composer.drawOverCells();
    image_ = QImage(texture_.row(0), w, h, texture_.pitch(), QImage::Format_RGB32);
    valid_ = true;
}
