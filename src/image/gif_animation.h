#pragma once
// A GIF read whole, as a viewer shows it: each image is composed onto the logical screen in turn and
// the screen after it becomes one 32-bit frame with its delay. Before the next image, disposal 2
// clears the image's rectangle to transparent and disposal 3 restores what was there before it.
// Pictures load only the first image (picture_loader.h); this is for the GIF draft and previews.

#include "image/bmp.h"
#include "image/picture_loader.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The most memory the frames of one animation may take together (each at the screen size, 4 bytes a
// pixel): the budget of one picture. A frame that would pass it is refused before it is decoded.
inline constexpr uint64_t kMaxGifAnimationBytes = kMaxPictureBytes;

struct strGifAnimation {
    struct strFrame {
        // The screen after this image: 32 bits B, G, R, A, screen size, row 0 at the top. Alpha is
        // 255 where an image painted and 0 (black) where none did or a disposal cleared it.
        std::unique_ptr<cDib> image;
        int delay = 0;                                // hundredths of a second (0 when the file gives none)
        int disposal = 0;                             // 0..7 as written; 2 and 3 act before the next image
        bool userInput = false;                       // the graphic control's user-input flag
        int transparentIndex = -1;                    // -1 none
        int left = 0, top = 0, width = 0, height = 0; // the image's rectangle on the screen
    };
    // A plain text extension: read and kept, never drawn.
    struct strPlainText {
        int beforeFrame = 0; // the number of frames read before it
        int left = 0, top = 0, width = 0, height = 0, cellWidth = 0, cellHeight = 0;
        int foreground = 0, background = 0; // colour indices
        std::string text;
    };

    int width = 0, height = 0;          // the logical screen
    int loopCount = -1;                 // NETSCAPE2.0 loop count (0 = endless); -1 without the block
    uint32_t bufferSize = 0;            // NETSCAPE2.0 buffer size (0 = none)
    std::optional<uint32_t> background; // 0x00RRGGBB, when the background index is in the global table
    std::vector<std::string> comments;
    std::vector<strPlainText> plainTexts;
    std::vector<strFrame> frames;
};

// Reads every frame of a GIF in memory. False, with *error saying why and out emptied, for a damaged
// file, one without an image or without its trailer, an image outside the logical screen, or frames
// that together would take more than maxBytes.
bool ReadGifAnimation(std::span<const uint8_t> bytes, strGifAnimation& out, strMessage* error = nullptr,
                      uint64_t maxBytes = kMaxGifAnimationBytes);
// The same from a file (a UTF-8 path).
bool LoadGifAnimationFile(const std::string& path, strGifAnimation& out, strMessage* error = nullptr,
                          uint64_t maxBytes = kMaxGifAnimationBytes);
