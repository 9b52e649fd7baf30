#pragma once
// Pattern sheets: the pictures RPG Maker divides into equal square patterns, five to a row, pattern 1
// at the top left. BuildPatternSheet lays frames out as such a sheet; CheckPatternSheet says what an
// existing picture breaks; LoadSheetFrames reads the frames from files.
//
// Choices made here:
// - Each frame is centred in its pattern (with trim: its opaque bounds are cut out first, then
//   centred). A frame larger than the pattern is scaled down to fit, keeping its proportions, with a
//   box filter (every source pixel weighted by the area it covers, colours weighted by alpha); the
//   result lists the frames that were scaled and by how much, so nothing changes unseen.
// - The limits of each product: RPG Maker 2000 reads a 480 x 480 graphic of 96 x 96 patterns
//   (25 patterns, at most 256 colours); VX, VX Ace and MV address patterns 1..100 of a picture; XP
//   stores a pattern as a signed 16-bit table value (32768 patterns). Without a product the limits
//   are this editor's own (10000 patterns of a picture, 16384 pixels a side). More frames than the
//   chosen limit are refused, never dropped; the result also names the products whose limit the
//   sheet passes.
// - A sheet has the full five columns even with fewer frames (RPG Maker finds pattern p at column
//   p mod 5), and for RPG Maker 2000 the full 480 x 480.

#include "document/result.h"
#include "image/bmp.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class cBMP;

enum class eSheetProduct : int { kAny = 0, k2000, kXP, kVX, kVXAce, kMV };

struct strSheetLimits {
    const char* name = "";   // "RPG Maker MV", or "this editor"
    int patternSize = 192;   // pixels a side
    int perRow = 5;          // patterns a row as the product addresses them
    int maxPatterns = 0;     // patterns of one picture
    int minRows = 0;         // rows the product's picture always has (2000: 5)
    bool palette256 = false; // the product reads palette pictures of at most 256 colours only
};

strSheetLimits SheetLimits(eSheetProduct product);
// "any", "2000", "xp", "vx", "vxace", "mv"; false for another name.
bool SheetProductFromName(const std::string& name, eSheetProduct& product);
const char* SheetProductName(eSheetProduct product);

struct strSheetOptions {
    eSheetProduct product = eSheetProduct::kAny;
    int patternSize = 0; // 0: the product's
    int perRow = 0;      // 0: the product's
    bool trim = false;   // cut each frame to its opaque bounds before centring
};

// Where one frame went.
struct strPlacedFrame {
    int pattern = 0;                       // 1-based
    int left = 0, top = 0;                 // of the frame's pixels on the sheet
    int width = 0, height = 0;             // as drawn (after trimming and scaling)
    int sourceWidth = 0, sourceHeight = 0; // before scaling (after trimming)
    bool scaled = false;                   // drawn smaller than its source
    bool empty = false;                    // trimmed to nothing (no opaque pixel)
};

// ok and reason as BuildPatternSheet returns them.
struct strSheetResult : strResult {
    std::unique_ptr<cDib> sheet; // 32 bits B, G, R, A; transparent where no frame is
    int patternSize = 0, columns = 0, rows = 0;
    std::vector<strPlacedFrame> frames;
    // Products whose pattern limit the sheet passes (only when building without a product).
    std::vector<eSheetProduct> beyondLimitOf;
};

// Lays the frames (32-bit B, G, R, A, row 0 at the top) out as a sheet. False, with the reason, for no
// frames, a frame that is not 32 bits, more frames than the limit, a pattern size outside 1..4096 or
// a sheet larger than the largest picture.
bool BuildPatternSheet(const std::vector<const cDib*>& frames, const strSheetOptions& options,
                       strSheetResult& result, strMessage* error = nullptr);

// What a sheet breaks.
enum class eSheetFinding : int {
    kSizeNotMultiple, // width or height not a multiple of the pattern size (a, b: width, height)
    kColumns,         // not the product's patterns a row (a: columns)
    kTooManyPatterns, // more patterns than the product reads (a: patterns, b: limit)
    kTooManyColours,  // more opaque colours than a palette holds beside its transparent entry (a, b: colours,
                      // limit)
    kPartialAlpha,    // partly transparent pixels a palette picture cannot keep (a: pixels)
    kNotPalette,      // a full-colour picture where a palette picture is read (a: bits per pixel)
};

struct strSheetFinding {
    eSheetFinding kind;
    int64_t a = 0, b = 0;
};

// The findings for a loaded picture, checked against the options' product and pattern size.
std::vector<strSheetFinding> CheckPatternSheet(const cBMP& picture, const strSheetOptions& options);
// One line for the user.
std::string SheetFindingText(const strSheetFinding& finding, const strSheetOptions& options);

// A frame read from a file.
struct strSheetFrame {
    std::unique_ptr<cDib> image; // 32 bits B, G, R, A
    std::string source;          // "walk.png", "fire.gif#3", "strip.png@2"
    int delay = 0;               // hundredths of a second (GIF frames)
};

// How LoadSheetFrames cuts and keys the pictures it reads.
struct strSheetInput {
    int frameWidth = 0;  // above 0: cut pictures into frames this wide (a sprite strip)
    int frameHeight = 0; // above 0 with frameWidth: and this tall, row by row (a sprite grid)
    int64_t key = -1;    // 0x00RRGGBB made transparent in every frame; -1 none
    uint64_t maxBytes = uint64_t(1) << 30; // the frames together (32 bits a pixel) at most
};

// Reads the frames of each input in turn: a folder gives its picture files (.png .bmp .gif .xyz) in
// name order, numbers compared by value ("f2" before "f10"); an animated GIF gives every frame as a
// viewer shows it; another picture gives one frame, or the frames cut from it left to right (and top
// to bottom) when a frame size is given, which its size must be a multiple of. False, with the
// reason, when an input cannot be read or cut, or the frames would take more than maxBytes.
bool LoadSheetFrames(const std::vector<std::string>& inputs, const strSheetInput& how,
                     std::vector<strSheetFrame>& frames, strMessage* error = nullptr);

// A 32-bit sheet as an 8-bit palette picture for RPG Maker 2000: entry 0 is the transparent colour
// (alpha 0, as RPG Maker 2000 takes it), entries 1.. the opaque colours in order of first appearance.
// Null, with the reason, for partly transparent pixels or more than 255 opaque colours.
std::unique_ptr<cDib> SheetToPalette(const cDib& sheet, strMessage* error = nullptr);

// The picture as 32 bits B, G, R, A (indexed pictures through their palette with its alpha); null
// when nothing is attached.
std::unique_ptr<cDib> PictureToArgb(const cBMP& picture);
