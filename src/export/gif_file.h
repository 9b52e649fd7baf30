#pragma once
// The animated GIF encoder: CGIFFile holds the frames (CGIFLocal), reduces each to at
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
// - The file is built in memory and saved with platform::WriteFileAtomically: a failed write leaves
//   any earlier file untouched.

#include "image/bmp.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The transparent marker of the pixel buffers; opaque pixels are 0x00RRGGBB.
inline constexpr uint32_t kGifTransparentMarker = 0xFF000000u;

// One frame.
class CGIFLocal {
  public:
    virtual ~CGIFLocal() = default;

    std::unique_ptr<cDib> bitmap; // 32 bits, B, G, R, A
    std::unique_ptr<cDib> mask;   // optional transparency mask (white = transparent); none in exports
    int delay = 0;                // hundredths of a second
    int disposal = 0;             // 0..7; exports use 2 (restore to background)
    bool userInput = false;
    bool interlace = false;

    // Filled by CGIFFile::Write.
    int colourCount = 0;           // local palette entries (0 = the global palette)
    std::vector<uint32_t> palette; // local palette, 0x00RRGGBB
    int transIndex = -1;           // transparent palette index, -1 none
    std::vector<uint32_t> pixels;  // one value per pixel: 0x00RRGGBB or kGifTransparentMarker
};

class CGIFFile {
  public:
    virtual ~CGIFFile() = default;

    // Takes a frame; the first frame sets the logical screen size from its bitmap. False for a frame
    // without a 32-bit bitmap.
    bool AddFrame(std::unique_ptr<CGIFLocal> frame);
    int FrameCount() const { return int(frames_.size()); }
    const CGIFLocal* Frame(int i) const {
        return i >= 0 && i < FrameCount() ? frames_[size_t(i)].get() : nullptr;
    }
    int ScreenWidth() const { return screenWidth_; }
    int ScreenHeight() const { return screenHeight_; }

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
    bool Encode(std::vector<uint8_t>& out, int64_t transparentColour, std::string* error = nullptr);
    // Encode, then write the bytes to path (temporary file and rename).
    bool Write(const std::string& path, int64_t transparentColour, std::string* error = nullptr);

    // The 119 candidate colours that replace the transparent marker, in the order they are tried.
    static const std::vector<uint32_t>& ReplacementColours();

  private:
    bool EncodeFrames(std::vector<uint8_t>& out, int64_t transparentColour, std::string* error);
    bool BuildPixelBuffer(CGIFLocal& f);
    struct strReduceWork; // memory the colour reduction keeps from frame to frame
    bool ReduceColours(CGIFLocal& f, std::vector<uint32_t>& colours, int& markerPos, strReduceWork& work);

    std::vector<std::unique_ptr<CGIFLocal>> frames_;
    int screenWidth_ = 0, screenHeight_ = 0;
};
