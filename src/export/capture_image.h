#pragma once
// cCaptureImage: the capture machinery of the PNG and GIF exports. Begin
// prepares an export (sequencer run, sheet layout, size limits, render target), Step renders and
// stores one output image, Finish writes the sheet or the GIF, Cancel releases everything.
//
// Choices of this implementation:
// - A PNG or GIF that cannot be written makes the export fail: Step reports kStepFailed for a
//   sequence image (or a GIF frame that cannot be kept), Finish returns false for a sheet or a GIF,
//   and failedPath() / lastError() say which file and why.
// - A GIF is streamed (cGifFile::beginStream): each frame is reduced and put in a scratch file
//   beside the output as it is rendered, and Finish writes the file from there. Begin fails when
//   the scratch file cannot be made (the output's folder is missing or read-only).
// - A sequence path without the "%05d" field gets one before its extension (see sequence_path.h).
// - Animated PNG and WebP take the GIF's frames and delays (same sequencer, same timing, same zoom) and
//   are written frame by frame as the images come (apng_writer.h, webp_writer.h); they are held to
//   the sheet's size limit instead of the GIF's, and keep full alpha with kExportAlpha.
// - Images are drawn by this object's own cSpriteDrawer; the slot table is only read, so the window
//   thread must not change it while an export runs (it waits in the progress window).

#include "document/messages.h"
#include "export/animation_writer.h"
#include "export/gif_file.h"
#include "image/bmp.h"
#include "image/texture.h"
#include "render/flash_state.h"
#include "render/frame_composer.h"
#include "render/sprite_drawer.h"

#include <cstdint>
#include <memory>
#include <string>

class cPictureSlotTable;
class cProject;

// Export flags.
inline constexpr uint32_t kExportInterval = 0x0001;
inline constexpr uint32_t kExportAlpha = 0x0004;       // keep alpha (PNG) / transparent colour (GIF)
inline constexpr uint32_t kExportFixRows = 0x0010;     // "vertical fixed" (else "horizontal fixed")
inline constexpr uint32_t kExportColumnFirst = 0x0020; // "Ver" (else "Hor")
inline constexpr uint32_t kExportSheet = 0x0040;       // "1 connect to"
inline constexpr uint32_t kExportPng = 0x0080;
inline constexpr uint32_t kExportGif = 0x0100;
inline constexpr uint32_t kExportLimit6 = 0x0200;     // "6/100s limit"
inline constexpr uint32_t kExportFlipV = 0x1000;      // capture area with negative height
inline constexpr uint32_t kExportMirrorH = 0x2000;    // capture area with negative width
inline constexpr uint32_t kExportTarget = 0x4000;     // draw the target picture
inline constexpr uint32_t kExportFlash = 0x8000;      // include flash effects
inline constexpr uint32_t kExportApng = 0x10000;      // animated PNG (timed as the GIF)
inline constexpr uint32_t kExportWebp = 0x20000;      // animated WebP (timed as the GIF)
inline constexpr uint32_t kExportActorSide = 0x40000; // mirrored as on the actor side (actor_side.h)
// The animated exports: one image per output step with its delay.
inline constexpr uint32_t kExportAnimated = kExportGif | kExportApng | kExportWebp;

// Size limits of Begin.
inline constexpr int kMaxSheetSide = 3840;
inline constexpr int kMaxGifSide = 1024;

struct strCaptureRequest {
    std::string outputPath{}; // file-system path (UTF-8); a sequence path carries the "%05d" field
    const cProject* project = nullptr;
    // The pictures (and slot -11, the target picture). Not named "slots": Qt code includes this.
    const cPictureSlotTable* pictures = nullptr;
    strCaptureArea area;     // left, top, right, bottom; negative width or height mirror or flip
    int division = 0;        // sheet only
    uint32_t background = 0; // 0x00RRGGBB
    uint32_t flags = 0;      // kExport...
    int fps = 0;             // animated exports only
    int zoomPercent = 100;   // animated exports only: the zoom in percent (the export window allows 1..200)
    bool gifWholeFrames = false; // GIF only: every frame written whole, not only what changed
    int webpQuality = -1;        // WebP only: lossy at this quality (0..100); below 0 lossless
};

enum eCaptureStep : int {
    kStepImage = 1,   // one image rendered and stored
    kStepDone = 0,    // every image is done
    kStepFailed = -1, // an image could not be stored (failedPath, lastError)
};

class cCaptureImage {
  public:
    cCaptureImage() = default;
    virtual ~cCaptureImage() = default;
    cCaptureImage(const cCaptureImage&) = delete;
    cCaptureImage& operator=(const cCaptureImage&) = delete;

    // Prepares an export: area, step, image count, GIF timing, sheet layout, size limits, render
    // target and image. False (lastError says why) when it cannot run.
    bool begin(const strCaptureRequest& request);
    // Renders and stores the next output image.
    eCaptureStep step();
    // Writes the sheet (PNG) or completes the animated file; nothing to do for a sequence. False when
    // the file cannot be written.
    bool finish();
    // Releases the render target, the images and the GIF frames; Step and Finish do nothing after it.
    void cancel();

    // Renders one frame (without flashes) into the frame image, mirrored or flipped as the area asks,
    // and returns it; null when Begin has not succeeded, for a sheet export, or when the frame does not
    // exist. For `pelko render`; it does not move the sequencer.
    const cDib* renderFrameImage(int frame);

    // ---- state, valid after Begin ----
    bool active() const { return active_; }
    uint32_t flags() const { return flags_; }
    int totalImages() const { return totalImages_; }
    int imageIndex() const { return imageIndex_; }
    int frameCount() const { return frameCount_; }
    int stepTicks() const { return step_; }
    float perTickDelay() const { return perTickDelay_; }
    int cellWidth() const { return cellWidth_; }
    int cellHeight() const { return cellHeight_; }
    int columns() const { return columns_; }
    int rows() const { return rows_; }
    int sheetWidth() const { return columns_ * cellWidth_; }
    int sheetHeight() const { return rows_ * cellHeight_; }
    const strCaptureArea& area() const { return area_; }
    int targetOffsetX() const { return targetX_; }
    int targetOffsetY() const { return targetY_; }
    const cDib* image() const { return image_.get(); } // the sheet, or the last frame image
    const cTexture& renderTarget() const { return target_; }
    const cGifFile* gif() const { return gif_.get(); }
    const cAnimationWriter* animation() const { return animation_.get(); } // APNG and WebP
    const cFlashState& flashes() const { return flashes_; }
    const std::string& outputPath() const { return path_; }

    // Why the export cannot run or stopped: a message of the reason table, and its English text.
    const strMessage& lastReason() const { return error_; }
    std::string lastError() const { return FormatMessage(error_); }
    const std::string& failedPath() const { return failedPath_; }

    // The sequencer, public for tests: advances by one output image and returns the
    // frame that was current during its ticks (not below frameCount() when the animation is over).
    int advance();
    // Puts the sequencer back to the start (frame 0, tick 0, no flash, no effect started).
    void resetSequencer();
    // Delay of the image being built, in hundredths of a second (accumulated per tick).
    float accumulatedDelay() const { return accDelay_; }

  private:
    bool fail(strMessage why);
    // A file of the export could not be written: the file call's own reason when one failed, else
    // the writer's (English) words.
    strMessage writeFailure(const std::string& path, const strMessage& why) const;
    int frameLength(int frame) const;
    void renderFrame(int frame, bool withFlashes);
    void copyToCell(cDib& dst, int x0, int y0) const;

    const cProject* doc_ = nullptr;
    const cPictureSlotTable* slots_ = nullptr;
    std::string path_;
    strCaptureArea area_;
    int division_ = 0;
    uint32_t background_ = 0;
    uint32_t flags_ = 0;
    int fps_ = 0;
    int zoomPercent_ = 100;
    bool active_ = false;

    int width_ = 0, height_ = 0;         // capture size W x H
    int cellWidth_ = 0, cellHeight_ = 0; // output cell size
    int columns_ = 1, rows_ = 1;
    int totalImages_ = 0, frameCount_ = 0;
    int step_ = 1;
    float perTickDelay_ = 0;
    float accDelay_ = 0;
    int curFrame_ = 0, tick_ = 0, curLength_ = 0, nextEffect_ = 0;
    cFlashState flashes_;
    int targetX_ = 0, targetY_ = 0;
    int column_ = 0, row_ = 0, imageIndex_ = 0;

    cSpriteDrawer drawer_;
    cTexture target_;
    std::unique_ptr<cDib> image_;
    std::unique_ptr<cGifFile> gif_;
    std::unique_ptr<cAnimationWriter> animation_;
    strMessage error_;
    std::string failedPath_;
};
