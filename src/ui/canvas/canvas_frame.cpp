#include "ui/canvas/canvas_frame.h"

#include "document/project.h"
#include "image/picture_slot_table.h"

#include <algorithm>

namespace {

// The sprite of a cell; a cell whose picture or pattern is not valid shows the error picture.
SpriteParams CellOrError(const strCell& cell, const cPictureSlotTable& pictures, const strCaptureArea& area) {
    const cPictureSlot* slot = pictures.Find(cell.picture);
    if (slot && slot->IsValidPattern(int(cell.pattern) - 1)) return CellSpriteParams(cell, slot, area);
    strCell error;
    error.x = cell.x;
    error.y = cell.y;
    return CellSpriteParams(error, pictures.Find(cPictureSlotTable::kErrorPicture), area);
}

SpriteParams TargetSprite(const strCanvasScene& s) {
    SpriteParams p;
    p.slot = s.pictures->Find(cPictureSlotTable::kTargetPicture);
    p.pattern = 1;
    p.x = float(s.targetX - s.area.left - s.area.Width() / 2);
    p.y = float(s.targetY - s.area.top - s.area.Height() / 2);
    p.screenSpace = 1;
    p.opacity = s.targetOpacity;
    if (const strFlashSlot* f = s.targetFlash) {
        if (f->object == 2) {
            p.opacity = 0; // a flash on "none" hides the target while it runs
        } else if (f->drawing == 1) {
            const auto tone = f->toneForm();
            p.flags = kSpriteToneFlash;
            for (int i = 0; i < 3; ++i)
                p.tone[i] = tone[size_t(i)];
        } else {
            const auto colour = f->screenForm();
            p.flags = kSpriteColourFlash;
            for (int i = 0; i < 4; ++i)
                p.tone[i] = colour[size_t(i)];
        }
    }
    return p;
}

bool SameArea(const strCaptureArea& a, const strCaptureArea& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

} // namespace

const QImage& cCanvasFrame::image(const strCanvasScene& scene, uint64_t generation, uint64_t baseGeneration) {
    if (!valid_ || generation != generation_ || !SameArea(scene.area, area_)) {
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
    drawer_.BeginFrame(texture_, 0xFF000000u | s.background);
    const cProject& doc = *s.doc;
    auto cellsOf = [&](int frame, int from, int to, auto&& draw) {
        const strFrame* f = doc.frame(frame);
        if (!f) return;
        to = std::min(to, f->cells.capacity());
        for (int n = from; n < to; ++n)
            draw(n, f->cells.get(n));
    };
    auto drawCell = [&](int n, const strCell* cell) {
        if (s.cellOf) cell = s.cellOf(n, cell);
        if (cell) drawer_.DrawSprite(CellOrError(*cell, *s.pictures, s.area));
    };
    constexpr int kAll = 1 << 30;
    // While a gesture changes only the cells from volatileFrom on, the lower part is copied.
    const bool keep = s.volatileFrom >= 0 && s.cells;
    if (keep && baseValid_ && baseGeneration_ == baseGeneration && baseFrom_ == s.volatileFrom &&
        SameArea(baseArea_, s.area)) {
        std::copy(base_.Row(0), base_.Row(0) + size_t(base_.Pitch()) * size_t(h), texture_.Row(0));
        cellsOf(s.frame, s.volatileFrom, kAll, drawCell);
        finish(s);
        return;
    }
    baseValid_ = false;
    if (s.target) drawer_.DrawSprite(TargetSprite(s));
    const std::pair<int, uint32_t> skins[] = {{s.frame - 1, s.previousSkin}, {s.frame + 1, s.nextSkin}};
    for (const auto& [frame, colour] : skins) {
        if (colour >> 24 == 0 || frame < 0) continue;
        cellsOf(frame, 0, kAll, [&](int, const strCell* cell) {
            if (!cell) return;
            const cPictureSlot* slot = s.pictures->Find(cell->picture);
            if (!slot || !slot->IsValidPattern(int(cell->pattern) - 1)) return;
            SpriteParams p = CellSpriteParams(*cell, slot, s.area);
            p.flags = kSpriteSilhouette;
            p.blend = 0;
            p.opacity = int(colour >> 24);
            p.tone[0] = int((colour >> 16) & 255);
            p.tone[1] = int((colour >> 8) & 255);
            p.tone[2] = int(colour & 255);
            drawer_.DrawSprite(p);
        });
    }
    if (keep) {
        cellsOf(s.frame, 0, s.volatileFrom, drawCell);
        base_ = texture_;
        baseValid_ = true;
        baseGeneration_ = baseGeneration;
        baseFrom_ = s.volatileFrom;
        baseArea_ = s.area;
        cellsOf(s.frame, s.volatileFrom, kAll, drawCell);
    } else if (s.cells) {
        cellsOf(s.frame, 0, kAll, drawCell);
    }
    finish(s);
}

void cCanvasFrame::finish(const strCanvasScene& s) {
    const int w = s.area.Width(), h = s.area.Height();
    if (s.dragPicture >= 0) {
        strCell dragged;
        dragged.picture = uint8_t(s.dragPicture);
        dragged.pattern = uint16_t(s.dragPattern);
        dragged.x = int16_t(s.dragX);
        dragged.y = int16_t(s.dragY);
        drawer_.DrawSprite(CellOrError(dragged, *s.pictures, s.area));
    }
    if (const strFlashSlot* f = s.screenFlash) {
        const auto colour = f->screenForm();
        RectParams r;
        r.flags = kRectWholeTarget;
        r.red = colour[0];
        r.green = colour[1];
        r.blue = colour[2];
        r.alpha = colour[3];
        r.blend = f->drawing;
        r.screenSpace = 1;
        drawer_.DrawRect(r);
    }
    drawer_.EndFrame();
    image_ = QImage(texture_.Row(0), w, h, texture_.Pitch(), QImage::Format_RGB32);
    valid_ = true;
}
