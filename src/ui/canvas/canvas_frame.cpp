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
    const int w = s.area.Width(), h = s.area.Height();
    if (!s.doc || !s.pictures || w < 1 || h < 1) return;
    if (texture_.Width() != w || texture_.Height() != h) {
        texture_.Release();
        if (!texture_.Create(w, h)) return;
    }
    ++compositions_;
    cFrameComposer composer(drawer_, *s.pictures, *s.doc, s.frame, s.area, s.layers);
    composer.Begin(texture_);
    // While a gesture changes only the cells from volatileFrom on, the lower part is copied.
    const bool keep = s.volatileFrom >= 0 && s.layers.drawCells;
    if (keep && baseValid_ && baseGeneration_ == baseGeneration && baseFrom_ == s.volatileFrom &&
        baseArea_ == s.area) {
        std::copy(base_.Row(0), base_.Row(0) + size_t(base_.Pitch()) * size_t(h), texture_.Row(0));
    } else {
        baseValid_ = false;
        composer.DrawUnderCells();
        if (keep) {
            composer.DrawCells(0, s.volatileFrom);
            base_ = texture_;
            baseValid_ = true;
            baseGeneration_ = baseGeneration;
            baseFrom_ = s.volatileFrom;
            baseArea_ = s.area;
        }
    }
    composer.DrawCells(keep ? s.volatileFrom : 0);
    composer.DrawOverCells();
    image_ = QImage(texture_.Row(0), w, h, texture_.Pitch(), QImage::Format_RGB32);
    valid_ = true;
}
