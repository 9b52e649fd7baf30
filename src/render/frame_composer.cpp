#include "render/frame_composer.h"

#include "render/actor_side.h"

#include "config/config.h"
#include "document/project.h"
#include "image/picture_slot_table.h"
#include "render/flash_state.h"

#include <algorithm>
#include <utility>

strSpriteParams CellSpriteParams(const strCell& cell, const cPictureSlot* slot, const strCaptureArea& area) {
    strSpriteParams p;
    p.slot = slot;
    p.pattern = cell.pattern;
    p.blend = cell.blend;
    p.x = float(cell.x - area.left - area.width() / 2);
    p.y = float(cell.y - area.top - area.height() / 2);
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

strSpriteParams SceneSpriteParams(const strCell& cell, const cPictureSlot* slot, const strCaptureArea& area,
                                  bool actorSide) {
    if (!actorSide) return CellSpriteParams(cell, slot, area);
    strCell mirrored = cell;
    MirrorCellForActorSide(mirrored);
    return CellSpriteParams(mirrored, slot, area);
}

void ComputeTargetOffset(const cProject& doc, const cPictureSlotTable& slots, const cConfig& config, int& x,
                         int& y) {
    x = y = 0;
    const cPictureSlot* target = slots.find(cPictureSlotTable::kTargetPicture);
    if (target && target->isValid()) {
        int w = 0, h = 0;
        target->getCellSize(w, h);
        switch (doc.getSetting(kKeyCentrePosition)) {
        case 2: // Down
            y = -(h / 2);
            break;
        case 3: // Up
            y = h / 2;
            break;
        case 4: // Right
            x = -(w / 2);
            break;
        case 5: // Left
            x = w / 2;
            break;
        default: // Center, Whole
            break;
        }
    }
    x += config.TargetPostX;
    y += config.TargetPostY;
}

namespace {

bool ValidCell(const cPictureSlot* slot, const strCell& cell) {
    return slot && slot->isValidPattern(int(cell.pattern) - 1);
}

} // namespace

bool cFrameComposer::begin(cTexture& target) {
    return drawer_.beginFrame(target, scene_.background);
}

void cFrameComposer::drawUnderCells() {
    if (scene_.drawTarget) {
        strSpriteParams p;
        p.slot = pictures_.find(cPictureSlotTable::kTargetPicture);
        if (p.slot) {
            const int offsetX = scene_.actorSide ? -scene_.targetOffsetX : scene_.targetOffsetX;
            p.x = float(offsetX - area_.left - area_.width() / 2);
            if (scene_.actorSide) p.scaleX = -1;
            p.y = float(scene_.targetOffsetY - area_.top - area_.height() / 2);
            p.screenSpace = 1;
            p.opacity = scene_.targetOpacity;
            const strFlashSlot* flash = scene_.flashes ? &scene_.flashes->target() : nullptr;
            if (flash && flash->active()) {
                if (flash->object == 2) {
                    p.opacity = 0; // an object-2 flash hides the target
                } else if (flash->drawing == 1) {
                    const auto tone = flash->toneForm();
                    p.flags = kSpriteToneFlash;
                    for (int i = 0; i < 3; ++i)
                        p.tone[i] = tone[size_t(i)];
                } else {
                    const auto colour = flash->screenForm();
                    p.flags = kSpriteColourFlash;
                    for (int i = 0; i < 4; ++i)
                        p.tone[i] = colour[size_t(i)];
                }
            }
            drawer_.drawSprite(p);
        }
    }
    const std::pair<int, uint32_t> skins[] = {{frame_ - 1, scene_.previousSkin},
                                              {frame_ + 1, scene_.nextSkin}};
    for (const auto& [frame, colour] : skins) {
        const strFrame* f = colour >> 24 && frame >= 0 ? doc_.frame(frame) : nullptr;
        if (!f) continue;
        for (int n = 0; n < f->cells.capacity(); ++n) {
            const strCell* cell = f->cells.get(n);
            const cPictureSlot* slot = cell ? pictures_.find(cell->picture) : nullptr;
            if (!cell || !ValidCell(slot, *cell)) continue;
            strSpriteParams p = SceneSpriteParams(*cell, slot, area_, scene_.actorSide);
            p.flags = kSpriteSilhouette;
            p.blend = 0;
            p.opacity = int(colour >> 24);
            p.tone[0] = int((colour >> 16) & 255);
            p.tone[1] = int((colour >> 8) & 255);
            p.tone[2] = int(colour & 255);
            drawer_.drawSprite(p);
        }
    }
}

bool cFrameComposer::drawCell(const strCell& cell) {
    const cPictureSlot* slot = pictures_.find(cell.picture);
    if (ValidCell(slot, cell))
        return drawer_.drawSprite(SceneSpriteParams(cell, slot, area_, scene_.actorSide));
    if (!scene_.errorPicture) return false;
    strCell error;
    error.x = cell.x;
    error.y = cell.y;
    return drawer_.drawSprite(
        SceneSpriteParams(error, pictures_.find(cPictureSlotTable::kErrorPicture), area_, scene_.actorSide));
}

int cFrameComposer::drawCells(int from, int to) {
    const strFrame* f = doc_.frame(frame_);
    if (!f || !scene_.drawCells) return 0;
    int drawn = 0;
    to = std::min(to, f->cells.capacity());
    for (int n = std::max(from, 0); n < to; ++n) {
        const strCell* cell = f->cells.get(n);
        if (scene_.cellOf) cell = scene_.cellOf(n, cell);
        if (cell && drawCell(*cell)) ++drawn;
    }
    return drawn;
}

void cFrameComposer::drawOverCells() {
    if (scene_.overCell) drawCell(*scene_.overCell);
    const strFlashSlot* flash = scene_.flashes ? &scene_.flashes->screen() : nullptr;
    if (flash && flash->active()) {
        const auto colour = flash->screenForm();
        strRectParams r;
        r.flags = kRectWholeTarget;
        r.red = colour[0];
        r.green = colour[1];
        r.blue = colour[2];
        r.alpha = colour[3];
        r.blend = flash->drawing;
        r.depth = 1000;
        r.screenSpace = 1;
        drawer_.drawRect(r);
    }
    drawer_.endFrame();
}

int ComposeFrame(cSpriteDrawer& drawer, cTexture& target, const cPictureSlotTable& slots, const cProject& doc,
                 int frame, const strCaptureArea& area, const strFrameScene& scene) {
    cFrameComposer composer(drawer, slots, doc, frame, area, scene);
    if (!composer.begin(target)) return -1;
    composer.drawUnderCells();
    const int drawn = composer.drawCells();
    composer.drawOverCells();
    return drawn;
}
