#pragma once
// cCanvasFrame: the part of the canvas drawn by the library's frame composer, at document scale. The
// result is kept until the scene's generation or area changes, so a hover or an overlay repaint costs
// nothing here; while a gesture changes only the cells from one number on, what lies under them is
// kept too and each new composition starts from it.

#include "render/frame_composer.h"
#include "render/sprite_drawer.h"

#include <QImage>

#include <cstdint>

class cPictureSlotTable;
class cProject;

struct strCanvasScene {
    const cProject* doc = nullptr;
    const cPictureSlotTable* pictures = nullptr;
    int frame = 0;
    strCaptureArea area;  // document rectangle composed (even width and height)
    strFrameScene layers; // background (opaque), target, flashes, silhouettes, cells shown, dragged pattern
    // The first cell number whose drawing changes while a gesture runs (-1: none). What is drawn
    // before it is kept and reused while only the later part changes.
    int volatileFrom = -1;
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
