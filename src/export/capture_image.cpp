#include "export/capture_image.h"

#include "document/file_reason.h"
#include "platform/file_io.h"

#include "config/config.h"
#include "document/project.h"
#include "export/apng_writer.h"
#include "export/png_writer.h"
#include "export/sequence_path.h"
#include "export/webp_writer.h"
#include "image/picture_slot_table.h"
#include "image/pixel_ops.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

strMessage cCaptureImage::writeFailure(const std::string& path, const strMessage& why) const {
    if (IsFileReason(why)) return why;
    return strMessage(kWhyCannotWrite, path, why.none() ? strMessage(kWhyOutOfMemory) : why);
}

bool cCaptureImage::fail(strMessage why) {
    error_ = std::move(why);
    return false;
}

int cCaptureImage::frameLength(int frame) const {
    return doc_ ? doc_->frameInterval(frame, true) : 0;
}

void cCaptureImage::resetSequencer() {
    curFrame_ = 0;
    tick_ = 0;
    curLength_ = frameLength(0);
    nextEffect_ = 0;
    accDelay_ = 0;
    flashes_.reset();
}

int cCaptureImage::advance() {
    const int shown = curFrame_;
    const bool withFlash = (flags_ & kExportFlash) != 0;
    for (int ticks = 1;; ++ticks) {
        ++tick_;
        if (flags_ & kExportAnimated) accDelay_ += perTickDelay_;
        bool end = false;
        if (withFlash && flashes_.tick()) end = true;
        if (tick_ >= curLength_) {
            const int finished = curFrame_;
            ++curFrame_;
            tick_ = 0;
            curLength_ = frameLength(curFrame_);
            if (withFlash) {
                for (; nextEffect_ < doc_->effectCount(); ++nextEffect_) {
                    const strEffect* e = doc_->effect(nextEffect_);
                    if (e && e->startFrame > finished) break;
                    if (e) flashes_.start(*e);
                }
            }
            end = true;
        }
        if ((flags_ & kExportInterval) && ticks >= step_) end = true;
        if (end) return shown;
    }
}

bool cCaptureImage::begin(const strCaptureRequest& request) {
    cancel();
    error_ = {};
    failedPath_.clear();
    if (!request.project) return fail(strMessage(kWhyExportNoProject));
    if (request.outputPath.empty()) return fail(strMessage(kWhyExportNoPath));
    if (!request.pictures) return fail(strMessage(kWhyExportNoPictures));
    doc_ = request.project;
    slots_ = request.pictures;
    path_ = request.outputPath;
    division_ = request.division;
    background_ = request.background & 0x00FFFFFF;
    flags_ = request.flags;
    fps_ = request.fps;
    zoomPercent_ = request.zoomPercent;
    if (!(flags_ & kExportSheet)) flags_ &= ~(kExportFixRows | kExportColumnFirst);
    flags_ &= ~(kExportFlipV | kExportMirrorH);
    flashes_.reset();
    targetX_ = targetY_ = 0;

    area_ = request.area;
    if (area_.width() < 0) {
        std::swap(area_.left, area_.right);
        flags_ |= kExportMirrorH;
    }
    if (area_.height() < 0) {
        std::swap(area_.top, area_.bottom);
        flags_ |= kExportFlipV;
    }
    width_ = area_.width();
    height_ = area_.height();
    if (zoomPercent_ < 1) return fail(strMessage(kWhyExportZoom));
    // The zoomed size in integers (a float zoom of 0.29 would make 100 pixels 28).
    const auto zoomed = [this](int side) {
        return int(std::min<int64_t>(int64_t(side) * zoomPercent_ / 100, INT32_MAX));
    };
    cellWidth_ = zoomed(width_);
    cellHeight_ = zoomed(height_);

    ComputeTargetOffset(*doc_, *slots_, doc_->config(), targetX_, targetY_);

    // Step: the smallest frame length (at least 1), or 1 with flashes.
    frameCount_ = doc_->frameCount();
    step_ = 1;
    if (!(flags_ & kExportFlash) && frameCount_ > 0) {
        int smallest = -1;
        for (int i = 0; i < frameCount_; ++i) {
            int len = frameLength(i);
            if (smallest < 0 || len < smallest) smallest = len;
        }
        step_ = std::max(1, smallest);
    }

    // GIF timing (also of APNG and WebP): with the 6/100 s limit a step lasts at least 6 hundredths.
    perTickDelay_ = 0;
    if (flags_ & kExportAnimated) {
        if (fps_ < 1) return fail(strMessage(kWhyExportRate));
        float factor = 1.0f;
        if (flags_ & kExportLimit6) {
            float d = float(step_) * 100.0f / float(fps_);
            if (d > 0 && d < 6) factor = 6.0f / d;
        }
        perTickDelay_ = (100.0f / float(fps_)) * (factor + 0.00001f);
    }

    // Count the output images.
    resetSequencer();
    totalImages_ = 0;
    while (advance() < frameCount_)
        ++totalImages_;
    resetSequencer();

    // Layout.
    columns_ = rows_ = 1;
    if (flags_ & kExportSheet) {
        if (division_ < 1) return fail(strMessage(kWhyExportDivision));
        const int other = totalImages_ > 0 ? (totalImages_ - 1) / division_ + 1 : 1;
        if (flags_ & kExportFixRows) {
            rows_ = division_;
            columns_ = other;
        } else {
            columns_ = division_;
            rows_ = other;
        }
        columns_ = std::max(columns_, 1);
        rows_ = std::max(rows_, 1);
    }
    if (totalImages_ < 1) return fail(strMessage(kWhyExportNoFrames));
    if (width_ < 1 || height_ < 1) return fail(strMessage(kWhyExportEmpty));
    if (cellWidth_ < 1 || cellHeight_ < 1) return fail(strMessage(kWhyExportZoomedEmpty));
    const int64_t sheetW = int64_t(columns_) * cellWidth_, sheetH = int64_t(rows_) * cellHeight_;
    if (sheetW > kMaxSheetSide || sheetH > kMaxSheetSide)
        return fail(strMessage(kWhyExportTooLarge, sheetW, sheetH, kMaxSheetSide));
    if ((flags_ & kExportGif) && (sheetW > kMaxGifSide || sheetH > kMaxGifSide))
        return fail(strMessage(kWhyExportGifTooLarge, sheetW, sheetH, kMaxGifSide));

    if (!target_.create(width_, height_)) return fail(strMessage(kWhyOutOfMemory));
    image_ = cDib::create(int(sheetW), int(sheetH), 32);
    if (!image_) {
        target_.release();
        return fail(strMessage(kWhyOutOfMemory));
    }
    const uint32_t fill = background_; // B, G, R of the background, alpha 0
    for (int y = 0; y < image_->height(); ++y) {
        uint8_t* row = image_->row(y);
        for (int x = 0; x < image_->width(); ++x)
            std::memcpy(row + size_t(x) * 4, &fill, 4);
    }
    if (flags_ & kExportGif) {
        gif_ = std::make_unique<cGifFile>();
        gif_->wholeFrames = request.gifWholeFrames;
        // The frames go to a scratch file beside the output as they are made: the export's memory
        // does not grow with the animation.
        strMessage why;
        platform::ClearFileFailure();
        if (!gif_->beginStream(path_, &why)) {
            cancel();
            failedPath_ = path_;
            return fail(writeFailure(path_, why));
        }
    } else if (flags_ & (kExportApng | kExportWebp)) {
        if (flags_ & kExportApng)
            animation_ = std::make_unique<cApngWriter>();
        else
            animation_ = std::make_unique<cWebpWriter>(request.webpQuality);
        strMessage why;
        platform::ClearFileFailure();
        if (!animation_->begin(path_, cellWidth_, cellHeight_, totalImages_, &why)) {
            cancel();
            failedPath_ = path_;
            return fail(writeFailure(path_, why));
        }
    }
    column_ = row_ = imageIndex_ = 0;
    active_ = true;
    return true;
}

void cCaptureImage::renderFrame(int frame, bool withFlashes) {
    strFrameScene scene;
    scene.background = background_; // alpha 0
    scene.drawTarget = (flags_ & kExportTarget) != 0;
    scene.targetOffsetX = targetX_;
    scene.targetOffsetY = targetY_;
    scene.targetOpacity = doc_->config().TargetOpacity;
    scene.flashes = withFlashes && (flags_ & kExportFlash) ? &flashes_ : nullptr;
    scene.actorSide = (flags_ & kExportActorSide) != 0;
    ComposeFrame(drawer_, target_, *slots_, *doc_, frame, area_, scene);
}

// Copies the render target into the cell at (x0, y0) of dst, stretched to the cell size (nearest
// pixel), mirrored or flipped as the flags say.
void cCaptureImage::copyToCell(cDib& dst, int x0, int y0) const {
    const int cw = cellWidth_, ch = cellHeight_, W = width_, H = height_;
    const bool mirror = (flags_ & kExportMirrorH) != 0, flip = (flags_ & kExportFlipV) != 0;
    for (int dy = 0; dy < ch; ++dy) {
        const int ty = y0 + (flip ? ch - 1 - dy : dy);
        if (ty < 0 || ty >= dst.height()) continue;
        const int sy = int((int64_t(2 * dy + 1) * H) / (2 * int64_t(ch)));
        const uint8_t* src = target_.row(std::min(sy, H - 1));
        uint8_t* out = dst.row(ty);
        for (int dx = 0; dx < cw; ++dx) {
            const int tx = x0 + (mirror ? cw - 1 - dx : dx);
            if (tx < 0 || tx >= dst.width()) continue;
            const int sx = int((int64_t(2 * dx + 1) * W) / (2 * int64_t(cw)));
            std::memcpy(out + size_t(tx) * 4, src + size_t(std::min(sx, W - 1)) * 4, 4);
        }
    }
}

eCaptureStep cCaptureImage::step() {
    if (!active_) return kStepDone;
    const int frame = advance();
    if (frame >= frameCount_) return kStepDone;
    renderFrame(frame, true);

    if (flags_ & kExportSheet) {
        if (column_ < columns_ && row_ < rows_) copyToCell(*image_, column_ * cellWidth_, row_ * cellHeight_);
        if (flags_ & kExportColumnFirst) {
            if (++row_ >= rows_) {
                row_ = 0;
                ++column_;
            }
        } else if (++column_ >= columns_) {
            column_ = 0;
            ++row_;
        }
    } else if (flags_ & kExportGif) {
        copyToCell(*image_, 0, 0);
        auto local = std::make_unique<cGifLocal>();
        local->bitmap = DuplicateBitmap(*image_);
        if (local->bitmap) {
            if (!(flags_ & kExportAlpha)) {
                uint8_t* p = local->bitmap->pixels();
                for (size_t i = 3; i < local->bitmap->pixelBytes(); i += 4)
                    p[i] = 255;
            }
            local->delay = int(accDelay_);
            local->disposal = 2;
            local->interlace = false;
        }
        strMessage why;
        platform::ClearFileFailure();
        if (!local->bitmap || !gif_->addFrame(std::move(local), &why)) {
            failedPath_ = path_;
            error_ = writeFailure(path_, why);
            return kStepFailed;
        }
    } else if (animation_) {
        copyToCell(*image_, 0, 0);
        if (!(flags_ & kExportAlpha)) FillOpaqueAlpha(*image_);
        strMessage why;
        platform::ClearFileFailure();
        if (!animation_->addFrame(*image_, int(accDelay_), &why)) {
            failedPath_ = path_;
            error_ = writeFailure(path_, why);
            return kStepFailed;
        }
    } else {
        copyToCell(*image_, 0, 0);
        const std::string path = FormatSequencePath(path_, imageIndex_);
        strMessage why;
        platform::ClearFileFailure();
        if (!WritePngFile(path, *image_, (flags_ & kExportAlpha) != 0, &why)) {
            failedPath_ = path;
            error_ = writeFailure(path, why);
            return kStepFailed;
        }
    }
    accDelay_ = 0;
    ++imageIndex_;
    return kStepImage;
}

bool cCaptureImage::finish() {
    if (!active_) return fail(strMessage(kWhyExportNotRunning));
    strMessage why;
    platform::ClearFileFailure();
    if (flags_ & kExportSheet) {
        if (!WritePngFile(path_, *image_, (flags_ & kExportAlpha) != 0, &why)) {
            failedPath_ = path_;
            return fail(writeFailure(path_, why));
        }
    } else if (flags_ & kExportGif) {
        const int64_t transparent = (flags_ & kExportAlpha) ? int64_t(background_) : -1;
        if (!gif_->write(path_, transparent, &why)) {
            failedPath_ = path_;
            return fail(writeFailure(path_, why));
        }
    } else if (animation_) {
        if (!animation_->finish(&why)) {
            failedPath_ = path_;
            return fail(writeFailure(path_, why));
        }
    }
    return true;
}

void cCaptureImage::cancel() {
    active_ = false;
    target_.release();
    image_.reset();
    gif_.reset();
    animation_.reset(); // an animated file not finished is discarded
    flashes_.reset();
}

const cDib* cCaptureImage::renderFrameImage(int frame) {
    if (!active_ || (flags_ & kExportSheet) || frame < 0 || frame >= frameCount_ || !doc_->frame(frame))
        return nullptr;
    renderFrame(frame, false);
    copyToCell(*image_, 0, 0);
    return image_.get();
}
