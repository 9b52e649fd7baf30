#include "render/frame_composer.h"

#include "config/config.h"
#include "document/project.h"
#include "image/picture_slot_table.h"
#include "render/flash_state.h"

SpriteParams CellSpriteParams(const strCell& cell, const cPictureSlot* slot, const strCaptureArea& area) {
    SpriteParams p;
    p.slot = slot;
    p.pattern = cell.pattern;
    p.blend = cell.blend;
    p.x = float(cell.x - area.left - area.Width() / 2);
    p.y = float(cell.y - area.top - area.Height() / 2);
    p.screenSpace = 1;
    p.scaleX = cell.mx / 100.0f;
    p.scaleY = cell.my / 100.0f;
    p.angle = float((int(cell.angle) + 14400) % 3600) / 10.0f;
    p.opacity = cell.opacity;
    p.tone[0] = cell.red;
    p.tone[1] = cell.green;
    p.tone[2] = cell.blue;
    p.tone[3] = cell.saturation;
    p.depth = 1;
    p.flags = 0;
    return p;
}

void ComputeTargetOffset(const cProject& doc, const cPictureSlotTable& slots, const cConfig& config, int& x,
                         int& y) {
    x = y = 0;
    const cPictureSlot* target = slots.Find(cPictureSlotTable::kTargetPicture);
    if (target && target->IsValid()) {
        int w = 0, h = 0;
        target->GetCellSize(w, h);
        switch (doc.getSetting(kKeyCentrePosition)) {
        case 2: y = -(h / 2); break;  // Down
        case 3: y = h / 2; break;     // Up
        case 4: x = -(w / 2); break;  // Right
        case 5: x = w / 2; break;     // Left
        default: break;               // Center, Whole
        }
    }
    x += config.TargetPostX;
    y += config.TargetPostY;
}

namespace {

void DrawTarget(cSpriteDrawer& drawer, const cPictureSlotTable& slots, const strCaptureArea& area,
                const strFrameScene& scene) {
    SpriteParams p;
    p.slot = slots.Find(cPictureSlotTable::kTargetPicture);
    if (!p.slot) return;
    p.pattern = 1;
    p.blend = 0;
    p.x = float(scene.targetOffsetX - area.left - area.Width() / 2);
    p.y = float(scene.targetOffsetY - area.top - area.Height() / 2);
    p.screenSpace = 1;
    p.opacity = scene.targetOpacity;
    if (scene.flashes && scene.flashes->Target().Running()) {
        const strRunningFlash& f = scene.flashes->Target();
        if (f.object == 2) {
            p.opacity = 0;  // an object-2 flash hides the target
        } else if (f.drawing == 1) {
            int tone[4];
            f.ToneValues(tone);
            p.flags = kSpriteToneFlash;
            p.tone[0] = tone[0];
            p.tone[1] = tone[1];
            p.tone[2] = tone[2];
            p.tone[3] = 100;
        } else {
            p.flags = kSpriteColourFlash;
            p.tone[0] = f.red;
            p.tone[1] = f.green;
            p.tone[2] = f.blue;
            p.tone[3] = f.ColourAlpha();
        }
    }
    drawer.DrawSprite(p);
}

}  // namespace

int ComposeFrame(cSpriteDrawer& drawer, cTexture& target, const cPictureSlotTable& slots, const cProject& doc,
                 int frame, const strCaptureArea& area, const strFrameScene& scene) {
    if (!drawer.BeginFrame(target, scene.background)) return -1;
    if (scene.drawTarget) DrawTarget(drawer, slots, area, scene);
    int drawn = 0;
    if (const strFrame* f = doc.frame(frame)) {
        for (int c = 0; c < f->cells.capacity(); ++c) {
            const strCell* cell = f->cells.get(c);
            if (!cell) continue;
            const cPictureSlot* slot = slots.Find(cell->picture);
            if (!slot || !slot->IsValidPattern(int(cell->pattern) - 1)) continue;
            if (drawer.DrawSprite(CellSpriteParams(*cell, slot, area))) ++drawn;
        }
    }
    if (scene.flashes && scene.flashes->Screen().Running()) {
        const strRunningFlash& f = scene.flashes->Screen();
        RectParams r;
        r.flags = kRectWholeTarget;
        r.alpha = f.ColourAlpha();
        r.red = f.red;
        r.green = f.green;
        r.blue = f.blue;
        r.blend = f.drawing;
        r.depth = 1000;
        r.screenSpace = 1;
        drawer.DrawRect(r);
    }
    drawer.EndFrame();
    return drawn;
}
