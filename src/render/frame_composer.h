#pragma once
// Composition of one animation frame: clear to the background, the target picture with its offset
// (and a running target flash), the cells in list order, then the screen flash. Used by the export
// capture; the canvas builds on the same requests.

#include "render/sprite_drawer.h"

#include <cstdint>

class cConfig;
class cFlashState;
class cPictureSlot;
class cPictureSlotTable;
class cProject;
struct strCell;

// The capture area in animation coordinates (the animation's origin is (0, 0)).
struct strCaptureArea {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

// What a frame composition draws besides the cells.
struct strFrameScene {
    uint32_t background = 0;   // 0xAARRGGBB; alpha 0 gives a transparent image
    bool drawTarget = false;   // the target picture (slot -11)
    int targetOffsetX = 0, targetOffsetY = 0;
    int targetOpacity = 255;   // "TargetOpacity"
    const cFlashState* flashes = nullptr;  // running flashes to draw; null draws none
};

// The sprite request of one cell for a capture area of width W and height H: position
// (cell x - left - W / 2, cell y - top - H / 2) in integers, screen space, scale = magnification / 100,
// angle = ((angle + 14400) mod 3600) / 10 degrees, opacity and tone from the cell.
SpriteParams CellSpriteParams(const strCell& cell, const cPictureSlot* slot, const strCaptureArea& area);

// The target offset: from the centre position (setting key 8) and the target
// picture's cell size, plus "TargetPostX" / "TargetPostY". Without a target picture only the
// settings count.
void ComputeTargetOffset(const cProject& doc, const cPictureSlotTable& slots, const cConfig& config, int& x,
                         int& y);

// Draws frame `frame` of doc into target (whose size is the area's) and returns the number of cells
// drawn; -1 when the target is empty. Cells whose picture has no valid slot or whose pattern is not
// valid are skipped.
int ComposeFrame(cSpriteDrawer& drawer, cTexture& target, const cPictureSlotTable& slots, const cProject& doc,
                 int frame, const strCaptureArea& area, const strFrameScene& scene);
