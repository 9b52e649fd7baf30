#pragma once
// A new animation from an animated GIF: every frame of the GIF becomes one pattern of a sheet
// (pattern_sheet.h) and one frame of the animation holding one cell of that pattern at the centre,
// shown for as many player ticks as the GIF's delay lasts.
//
// Choices made here:
// - A delay of 0 or 1 hundredth is taken as 10 hundredths, as web browsers show such GIFs.
// - Ticks are rounded on the running total of the delays (each frame at least one tick), so a long
//   GIF keeps its length at the tick rate instead of gaining or losing a rounding per frame.
// - The most common frame length becomes the basic interval (1..255) and those frames keep interval
//   0; the others carry their own.
// - Frames keep their place on the GIF's screen (no trimming). A screen larger than the pattern is
//   scaled down to fit (box filter) and the cells are magnified back by the same ratio, so the
//   animation shows at the GIF's size.
// - More than 1000 frames (the document's limit) or more patterns than the chosen product reads are
//   refused with the reason; nothing is dropped.

#include "image/bmp.h"
#include "image/pattern_sheet.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

class cProject;

struct strGifImportOptions {
    int tickMilliseconds = 16; // one player tick (cPlayClock::periodOfRate of the "PlayRate" rate)
    strSheetOptions sheet;     // pattern size, patterns a row and the product's limits; no trimming
    std::string pictureName;   // the sheet as the project names it (project code page)
    std::string name;          // the animation's name (project code page)
};

// ok and reason as the import returns them.
struct strGifImportResult : strResult {
    std::unique_ptr<cDib> sheet; // 32 bits B, G, R, A
    int frames = 0;
    int patternSize = 0;
    int screenWidth = 0, screenHeight = 0;
    int magnification = 100; // percent of the cells (above 100 when the screen was scaled down)
    int basicInterval = 1;
    std::vector<int> ticks; // length of each frame in ticks
};

// Frame lengths in ticks from GIF delays in hundredths of a second (see above).
std::vector<int> GifDelaysToTicks(const std::vector<int>& delays, int tickMilliseconds);

// Builds the animation into doc (re-created; nothing is recorded for undo) and the sheet into result.
// False, with the reason and doc left as it was, for a GIF that cannot be read or laid out.
bool BuildAnimationFromGif(std::span<const uint8_t> gif, const strGifImportOptions& options, cProject& doc,
                           strGifImportResult& result, strMessage* error = nullptr);

// Reads gifPath, builds as above and writes the sheet to sheetPath as a PNG (temporary file and
// rename). On failure doc is left as it was and no sheet is written.
bool ImportGifFile(const std::string& gifPath, const std::string& sheetPath,
                   const strGifImportOptions& options, cProject& doc, strGifImportResult& result,
                   strMessage* error = nullptr);
