#pragma once
// The animated GIF encoder: cGifFile holds the frames (cGifLocal), reduces each to at
// most 256 colours, shares one global palette among the frames that fit in it, and writes the file
// through giflib (87a/89a header, NETSCAPE2.0 loop block, graphic control extensions, the opaque
// bounding box of every frame, optional interlacing).
//
// Choices of this implementation:
// - Frame bitmaps and pixel buffers are kept top-down (row 0 at the top).
// - A quantised frame that would end with 256 colours plus the transparent marker (257 values) has
//   its two closest colours merged, so it keeps 255 colours and the marker in an 8-bit table.
// - When the list holding the transparent marker already uses all 119 candidate replacement
//   colours, the first RGB value (counting up from 0x000001) not in the list replaces the marker.
// - Write streams the file: giflib's output goes to a temporary file beside the target as each
//   frame is encoded, and the temporary file replaces the target only when it is complete (a failed
//   write leaves any earlier file untouched).
// - After beginStream, frames are reduced to their colours as they are added and kept, compressed,
//   in a scratch file beside the target; Write then reads back a few at a time. The memory an export
//   takes is bounded by a few frames, not by the length of the animation.

#include "document/messages.h"
#include "image/bmp.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The transparent marker of the pixel buffers; opaque pixels are 0x00RRGGBB.
inline constexpr uint32_t kGifTransparentMarker = 0xFF000000u;

// One frame.
class cGifLocal {
  public:
    virtual ~cGifLocal() = default;

    std::unique_ptr<cDib> bitmap; // 32 bits, B, G, R, A
    std::unique_ptr<cDib> mask;   // optional transparency mask (white = transparent); none in exports
    int delay = 0;                // hundredths of a second
    int disposal = 0;             // 0..7; exports use 2 (restore to background)
    bool userInput = false;
    bool interlace = false;

    // Filled by cGifFile::Write.
    int colourCount = 0;           // local palette entries (0 = the global palette)
    std::vector<uint32_t> palette; // local palette, 0x00RRGGBB
    int transIndex = -1;           // transparent palette index, -1 none
    std::vector<uint32_t> pixels;  // one value per pixel: 0x00RRGGBB or kGifTransparentMarker

    // Filled when the frame's colours are reduced (at Write, or when a streamed frame is added).
    bool reduced = false;
    std::vector<uint32_t> colours; // the frame's values in order of first appearance (the marker too)
    uint64_t spillOffset = 0;      // streamed: where its pixels (indices into colours, deflated) lie
    uint32_t spillBytes = 0;       // in the scratch file, and how many bytes they take
};

class cGifFile {
  public:
    cGifFile();
    virtual ~cGifFile();
    cGifFile(const cGifFile&) = delete;
    cGifFile& operator=(const cGifFile&) = delete;

    // Streams the frames: from here on each frame added is reduced at once and kept in a scratch
    // file beside path (which has no name on disk), and its bitmap is freed. False (with the reason)
    // when the scratch file cannot be made.
    bool beginStream(const std::string& path, strMessage* error = nullptr);
    bool streaming() const { return spill_ >= 0; }

    // Takes a frame; the first frame sets the logical screen size from its bitmap. False for a frame
    // without a 32-bit bitmap, or (streaming) when it cannot be kept (the reason in *error).
    bool addFrame(std::unique_ptr<cGifLocal> frame, strMessage* error = nullptr);
    int frameCount() const { return int(frames_.size()); }
    const cGifLocal* frame(int i) const {
        return i >= 0 && i < frameCount() ? frames_[size_t(i)].get() : nullptr;
    }
    int screenWidth() const { return screenWidth_; }
    int screenHeight() const { return screenHeight_; }

    // Options of the file (exports leave them as they are).
    int loopCount = 0;   // written with more than one frame; 0 = endless
    int bufferSize = 0;  // NETSCAPE2.0 sub-block 2, written when not 0
    std::string comment; // a comment extension when not empty
    // Every frame written whole (the box of its opaque pixels). Otherwise each frame after the first
    // is written as the rectangle that changed, with unchanged pixels transparent where that is smaller
    // (see gif_frame_plan.h); viewers show the same frames either way.
    bool wholeFrames = false;

    // Builds the file. transparentColour is 0x00RRGGBB, or negative for none; a value
    // whose top byte is not 0 counts as none. False without frames or when giflib fails, with the
    // reason in *error.
    bool encode(std::vector<uint8_t>& out, int64_t transparentColour, strMessage* error = nullptr);
    // The same bytes written to path as they are encoded (temporary file, then rename).
    bool write(const std::string& path, int64_t transparentColour, strMessage* error = nullptr);

    // The 119 candidate colours that replace the transparent marker, in the order they are tried.
    static const std::vector<uint32_t>& replacementColours();

  private:
    struct strSink;       // where giflib's output goes
    struct strReduceWork; // memory the colour reduction keeps from frame to frame
    bool encodeFrames(strSink& sink, int64_t transparentColour, strMessage* error);
    bool buildPixelBuffer(cGifLocal& f);
    bool reduceColours(cGifLocal& f, std::vector<uint32_t>& colours, int& markerPos, strReduceWork& work);
    // Builds the pixel buffer and reduces the colours of a frame not yet reduced.
    bool reduce(cGifLocal& f, strReduceWork& work);
    // Streaming: the frame's pixels to the scratch file, and back.
    bool spill(cGifLocal& f, strMessage* error);
    bool unspill(const cGifLocal& f, std::vector<uint32_t>& pixels, strMessage* error) const;

    std::vector<std::unique_ptr<cGifLocal>> frames_;
    int screenWidth_ = 0, screenHeight_ = 0;
    int spill_ = -1; // the scratch file of a streamed file
    uint64_t spillEnd_ = 0;
    std::unique_ptr<strReduceWork> work_;
};
