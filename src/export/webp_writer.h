#pragma once
// Animated WebP through libwebp's animation encoder (libwebpmux): lossless, or lossy at a quality of
// 0..100 (alpha kept losslessly either way), looping endlessly. Lossless keeps every visible pixel
// exactly; the colour of a fully transparent pixel is not kept (it cannot be seen). Each frame is encoded as
// it comes (the encoder keeps only the compressed frames and the previous canvas); Finish assembles the file
// and writes it through a temporary file.
//
// The encoder folds a frame that is identical to the one before into it (the earlier frame lasts for
// both), so such a run of frames reads back as one frame with the summed delay; the animation shows
// the same pictures at the same times.

#include "export/animation_writer.h"
#include "platform/file_io.h"

#include <memory>

struct WebPAnimEncoder;

class cWebpWriter : public cAnimationWriter {
  public:
    // quality < 0: lossless; else lossy at min(quality, 100).
    explicit cWebpWriter(int quality = -1) : quality_(quality) {}
    ~cWebpWriter() override;

    bool begin(const std::string& path, int width, int height, int frameCount, strMessage* error) override;
    bool addFrame(const cDib& frame, int delay, strMessage* error) override;
    bool finish(strMessage* error) override;
    int framesWritten() const override { return frames_; }

  private:
    bool fail(strMessage* error, strMessage why);
    void release();

    int quality_ = -1;
    platform::cAtomicFile file_; // opened by Begin, so that a folder that cannot be written fails at once
    WebPAnimEncoder* encoder_ = nullptr;
    int width_ = 0, height_ = 0, frames_ = 0;
    int64_t timestamp_ = 0; // milliseconds at the start of the next frame
};
