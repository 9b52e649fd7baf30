#pragma once
// Composition of one animation frame, in this order: clear to the background, the target picture with
// its offset (and a running target flash), the silhouettes of the neighbouring frames, the cells in
// list order, a cell drawn over them, then the screen flash. The export capture and the canvas draw
// through it; the export leaves the editor's layers (silhouettes, the cell over the frame, the error
// picture) off.

#include "document/cell.h"
#include "render/sprite_drawer.h"

#include <cstdint>
#include <functional>
#include <optional>

class cConfig;
class cFlashState;
class cPictureSlot;
class cPictureSlotTable;
class cProject;

// The capture area in animation coordinates (the animation's origin is (0, 0)).
struct strCaptureArea {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const strCaptureArea&) const = default;
};

// The cell drawn for a cell number of the frame: the document's cell, a stand-in (a preview), or null
// to leave the number out.
using CellShown = std::function<const strCell*(int cell, const strCell* documentCell)>;

// What a frame composition draws besides the cells.
struct strFrameScene {
    uint32_t background = 0; // 0xAARRGGBB; alpha 0 gives a transparent image
    bool drawTarget = false; // the target picture (slot -11)
    int targetOffsetX = 0, targetOffsetY = 0;
    int targetOpacity = 255;              // "TargetOpacity"
    const cFlashState* flashes = nullptr; // running flashes to draw; null draws none

    bool drawCells = true;     // false leaves the frame's cells out ("Clear cell after playback")
    bool errorPicture = false; // a cell whose picture or pattern is not valid shows the error picture
    // Silhouettes of the previous and the next frame's cells: 0xAARRGGBB, alpha = opacity; 0 draws none.
    uint32_t previousSkin = 0, nextSkin = 0;
    CellShown cellOf = nullptr; // null: the document's cells
    std::optional<strCell> overCell =
        std::nullopt; // drawn over the cells (a pattern dragged over the canvas)
    // The actor side of a side-view battle: everything mirrored left to right around the origin
    // (actor_side.h); the cells are mirrored as they are drawn, the document is not touched.
    bool actorSide = false;
};

// The sprite request of one cell for a capture area of width W and height H: position
// (cell x - left - W / 2, cell y - top - H / 2) in integers, screen space, scale = magnification / 100,
// angle = ((angle + 14400) mod 3600) / 10 degrees, opacity and tone from the cell.
strSpriteParams CellSpriteParams(const strCell& cell, const cPictureSlot* slot, const strCaptureArea& area);

// The target offset: from the centre position (setting key 8) and the target
// picture's cell size, plus "TargetPostX" / "TargetPostY". Without a target picture only the
// settings count.
void ComputeTargetOffset(const cProject& doc, const cPictureSlotTable& slots, const cConfig& config, int& x,
                         int& y);

// CellSpriteParams of the cell as the scene shows it (mirrored on the actor side).
strSpriteParams SceneSpriteParams(const strCell& cell, const cPictureSlot* slot, const strCaptureArea& area,
                                  bool actorSide);

// One composition in steps, for a caller that keeps what lies under the cells that change
// (the canvas while a drag runs): Begin, drawUnderCells, drawCells (in one or more ranges of cell
// numbers), drawOverCells. The references must outlive the composer.
class cFrameComposer {
  public:
    static constexpr int kAllCells = 1 << 30;

    // (The pictures are not named "slots": Qt code includes this.)
    cFrameComposer(cSpriteDrawer& drawer, const cPictureSlotTable& pictures, const cProject& doc, int frame,
                   const strCaptureArea& area, const strFrameScene& scene)
        : drawer_(drawer), pictures_(pictures), doc_(doc), frame_(frame), area_(area), scene_(scene) {}

    // Makes target (whose size is the area's) the render target and clears it to the background.
    // False when the target is empty.
    bool begin(cTexture& target);
    // The target picture and the silhouettes of the neighbouring frames.
    void drawUnderCells();
    // The frame's cells with numbers from..to-1, unless the scene leaves them out; returns how many
    // were drawn. Cells whose picture has no valid slot or whose pattern is not valid are skipped, or
    // shown as the error picture when the scene asks for it.
    int drawCells(int from = 0, int to = kAllCells);
    // The cell over the frame and the screen flash; ends the frame.
    void drawOverCells();

  private:
    bool drawCell(const strCell& cell);

    cSpriteDrawer& drawer_;
    const cPictureSlotTable& pictures_;
    const cProject& doc_;
    int frame_;
    strCaptureArea area_;
    const strFrameScene& scene_;
};

// The whole composition of frame `frame` of doc into target (whose size is the area's); the number of
// cells drawn, -1 when the target is empty.
int ComposeFrame(cSpriteDrawer& drawer, cTexture& target, const cPictureSlotTable& slots, const cProject& doc,
                 int frame, const strCaptureArea& area, const strFrameScene& scene);
