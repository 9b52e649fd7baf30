#pragma once
// How each frame of an animated GIF is written: its rectangle, what happens to the pixels the screen
// already shows, its palette and its disposal. The first frame is written whole (the box of its opaque
// pixels). Each later frame, unless whole frames are asked for, is written over the rectangle that
// changed from the screen the previous frame leaves (kept, or its rectangle cleared), with unchanged
// pixels transparent where that is smaller, and with only the colours it uses when that is smaller;
// every choice is measured by encoding it. A viewer shows the same frames as for whole frames, each
// on a cleared screen.

#include "export/gif_lzw.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// Code size of a palette of this many entries (1..8 bits; tables hold 2^bits entries).
int GifCodeBits(size_t entries);

struct strGifFramePlan {
    int left = 0, top = 0, width = 1, height = 1;
    // Pixels equal to the screen underneath are written transparent, or as the pixel before them in
    // the row when that shows the same (a longer run).
    bool keepUnchanged = false;
    int disposal = 2;
    bool local = false;             // a local palette (else the global one)
    std::vector<uint32_t> palette;  // the local palette, 0x00RRGGBB
    int transIndex = -1;            // -1 none
    bool remapped = false;          // written with another palette than the frame's own, through:
    std::array<uint8_t, 256> remap; // index in the frame's own palette -> index written
};

// One frame as the planner sees it: W x H pixel values (kGifTransparentMarker for transparent), the
// index of each pixel in the frame's own palette, that palette and whether it is local, and its
// transparent index (-1 none).
struct strGifPlanInput {
    const uint32_t* pixels = nullptr;
    const uint8_t* indices = nullptr;
    const std::vector<uint32_t>* palette = nullptr;
    bool local = false;
    int transIndex = -1;
    int disposal = 2;
};

class cGifFramePlanner {
  public:
    cGifFramePlanner(int width, int height, const std::vector<strGifPlanInput>& frames,
                     const std::vector<uint32_t>& global, int globalTrans)
        : w_(width), h_(height), frames_(frames), global_(global), globalTrans_(globalTrans) {}

    // Plans every frame. Whole frames are each frame's opaque box with its own palette and the
    // disposal given; so are all frames when any of them has a disposal other than 2.
    std::vector<strGifFramePlan> plan(bool wholeFrames) const;

    // The same one frame at a time, for an encoder that holds only a few frames: whether frames are
    // written as changes (Optimises), then planFrame for i = 0, 1, ... in order. Planning frame i
    // reads the pixels of frames i - 2 .. i only (the others' inputs may be empty) and may rewrite
    // plans[i - 1], which is final once frame i is planned. clearAtEnd: the first frame has a
    // transparent pixel. plans holds one entry per frame.
    bool optimises(bool wholeFrames) const;
    void planFrame(int i, bool optimise, bool clearAtEnd, std::vector<strGifFramePlan>& plans) const;

    // The indices written for frame i (prev: the plan of frame i - 1, null for the first frame), row
    // by row or in the four interlace passes.
    std::vector<uint8_t> pixels(int i, const strGifFramePlan& plan, const strGifFramePlan* prev,
                                bool interlace) const;
    // The code size of the palette a plan writes with.
    int codeBits(const strGifFramePlan& plan) const;

  private:
    // The indices of row y (0 = the plan's top row).
    void row(int i, const strGifFramePlan& plan, const strGifFramePlan* prev, int y, uint8_t* out) const;
    strGifFramePlan ownPalette(int i) const;
    strGifFramePlan opaqueBox(int i) const;
    // Bytes of the image as written, its descriptor and local palette included.
    size_t encodedBytes(int i, const strGifFramePlan& plan, const strGifFramePlan& prev) const;
    // The plan with the smallest palette that holds the colours its rows use, when that is smaller.
    void choosePalette(int i, strGifFramePlan& plan, const strGifFramePlan& prev, size_t& bytes) const;

    int w_, h_;
    const std::vector<strGifPlanInput>& frames_;
    const std::vector<uint32_t>& global_;
    int globalTrans_;
    mutable cGifLzw lzw_;
    mutable std::vector<uint8_t> scratch_;
};
