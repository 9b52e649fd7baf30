#pragma once
// cCanvasFrame: the part of the canvas drawn by the library's compositor, at document scale, in the
// order the canvas shows it: background, the target picture (with its offset, opacity and running
// flash), the onion-skin silhouettes of the previous and next frame, the cells of the frame (an
// invalid cell as the error picture), a dragged pattern, and the screen flash. The result is kept
// until the scene's generation or area changes, so a hover or an overlay repaint costs nothing here.

#include "playback/player.h"
#include "render/frame_composer.h"
#include "render/sprite_drawer.h"

#include <QImage>

#include <cstdint>
#include <functional>

class cPictureSlotTable;
class cProject;
struct strCell;

struct strCanvasScene {
    const cProject* doc = nullptr;
    const cPictureSlotTable* pictures = nullptr;
    int frame = 0;
    strCaptureArea area;     // document rectangle composed (even width and height)
    uint32_t background = 0; // 0x00RRGGBB

    bool target = false;
    int targetX = 0, targetY = 0, targetOpacity = 255;
    const strFlashSlot* targetFlash = nullptr; // a running target flash, or null
    const strFlashSlot* screenFlash = nullptr; // a running screen flash, or null

    bool cells = true; // false while "Clear cell after playback" hides them
    // Silhouettes of the neighbouring frames: 0xAARRGGBB, alpha = opacity; 0 draws none.
    uint32_t previousSkin = 0, nextSkin = 0;
    // The cell drawn for a cell number of the frame: the document's, a preview, or null to hide it.
    std::function<const strCell*(int cell, const strCell* documentCell)> cellOf;
    // The first cell number whose drawing changes while a gesture runs (-1: none). What is drawn
    // before it is kept and reused while only the later part changes.
    int volatileFrom = -1;
    // A pattern dragged over the canvas (picture < 0: none).
    int dragPicture = -1, dragPattern = 1;
    int dragX = 0, dragY = 0;
};

class cCanvasFrame {
  public:
    // The composed image of the scene (Format_RGB32, one pixel per document pixel, top-left at
    // (area.left, area.top)). generation names the state the scene was built from: the image is
    // composed again only when it or the area changes. baseGeneration names the state of what lies
    // under scene.volatileFrom; while it stays, a new composition starts from the kept lower part.
    const QImage& image(const strCanvasScene& scene, uint64_t generation, uint64_t baseGeneration);
    // Drops the cached image (the next image() composes).
    void invalidate() { valid_ = false; }
    // How many times the frame was composed (for tests and the benchmark).
    int compositions() const { return compositions_; }

  private:
    void compose(const strCanvasScene& scene, uint64_t baseGeneration);
    // The dragged pattern and the screen flash, then the image.
    void finish(const strCanvasScene& scene);

    cSpriteDrawer drawer_;
    cTexture texture_;
    cTexture base_; // the target after everything under volatileFrom
    bool baseValid_ = false;
    uint64_t baseGeneration_ = 0;
    int baseFrom_ = -1;
    strCaptureArea baseArea_;
    QImage image_;
    strCaptureArea area_;
    uint64_t generation_ = 0;
    bool valid_ = false;
    int compositions_ = 0;
};
