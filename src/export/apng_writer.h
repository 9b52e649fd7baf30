#pragma once
// Animated PNG: a PNG whose IHDR and IDAT are the first frame (so a viewer without animation shows
// it), an acTL chunk with the frame count and endless looping, and for every frame an fcTL chunk
// (its rectangle, its delay in hundredths, no disposal, drawn over with the source as it is) followed
// by its image data: IDAT for the first frame, fdAT (a sequence number, then the data) for the others.
// fcTL and fdAT chunks share one sequence counter from 0.
//
// Each frame's pixels are filtered and deflated by libpng (8-bit RGBA, full alpha); the writer takes
// libpng's IDAT data out of that stream and wraps it itself, with the CRC of each chunk. After the
// first frame only the rectangle that changed since the frame before is written (1 x 1 when nothing
// did), which a viewer composes back into the same full frames. Frames go to the temporary file as
// they come; when fewer frames arrive than Begin announced, Finish corrects the count in acTL.

#include "export/animation_writer.h"
#include "platform/file_io.h"

#include <cstdint>
#include <span>
#include <vector>

class cApngWriter : public cAnimationWriter {
  public:
    bool begin(const std::string& path, int width, int height, int frameCount, strMessage* error) override;
    bool addFrame(const cDib& frame, int delay, strMessage* error) override;
    bool finish(strMessage* error) override;
    int framesWritten() const override { return frames_; }

    // A chunk: length, type, data, CRC over type and data.
    static void appendChunk(std::vector<uint8_t>& out, const char type[4], std::span<const uint8_t> data);

  private:
    bool fail(strMessage* error, strMessage why);

    platform::cAtomicFile file_;
    int width_ = 0, height_ = 0, announced_ = 0, frames_ = 0;
    uint32_t sequence_ = 0;
    uint64_t actlOffset_ = 0;     // where the acTL chunk starts in the file
    std::vector<uint8_t> canvas_; // the previous frame, for the changed rectangle
};
