#pragma once
// The XP / VX / VX Ace animation mapping: a cProject to and from the RPG::Animation
// object that RPG Maker XP, VX and VX Ace put on the clipboard as a Ruby Marshal dump.
//
// Texts are converted between the project code page named by the "Locale" setting and UTF-8 through
// src/platform. The clipboard payload is: u32 length of the whole block (this word included),
// 04 08, '[' 1 and one RPG::Animation object.
//
// Choices made here (marshal_animation.cpp has the details):
//   - an empty frame slot below the last occupied one is written as a frame with one cell row whose
//     pattern is -1 (cell_max 1), so the array holds exactly as many frames as @frame_max says;
//   - empty effect slots are left out of @timings and its count (at most 999 timings are written);
//   - an XP pattern above 32768 is written as 32767 (the table holds signed 16-bit values; wrapping
//     would turn it into -1, an empty cell);
//   - the reader skips instance variables and values it does not expect and fails (-1) on a
//     malformed or cut payload, so the importer never builds a document from bytes out of step.

#include "document/cell.h"
#include "document/effect.h"
#include "document/messages.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

class cProject;
class cConfig;
namespace platform {
class cClipboard;
}

namespace ruby {

inline constexpr int kMaxFrames = 200;  // frames written to a payload
inline constexpr int kMaxTimings = 999; // timings written to a payload
inline constexpr int kImportCells = 16; // cell number of an imported project
inline constexpr int kImportDivisions = 192;

// ---- value maps --------------------------------------------------------------------------------

// Cell drawing method <-> blend.
int BlendToRuby(int drawing);
int BlendFromRuby(int blend);
// @flash_scope of an effect (0 when its flash block is not valid).
int FlashScopeToRuby(const strEffect& e);
// Applies a read @flash_scope: sets the flash bit and the object (and drawing 0), or clears the bit
// for a value outside 1..3.
void FlashScopeFromRuby(int scope, strEffect& e);
// @condition of an effect (XP): "HIT" 1, "MISS" 2, else 0; 0 when its user data is not valid.
int ConditionToRuby(const strEffect& e);
// Applies a read @condition: 1 "HIT" and 2 "MISS" set the user data and its bit; others nothing.
void ConditionFromRuby(int condition, strEffect& e);

// The eight table values of a cell (pattern, x, y, zoom, angle, mirror, opacity, blend) for product
// 2 (XP), 3 or 4 (VX, VX Ace).
void CellToRow(const strCell& c, int product, int16_t row[8]);
// The cell a table row describes (before the document's normalisation); false for pattern < 0.
// VX and VX Ace number the patterns of their second picture from 100; XP has one picture, so
// onePicture keeps every pattern on picture 0.
bool CellFromRow(const int16_t row[8], strCell& c, bool onePicture = false);

// ---- payloads ----------------------------------------------------------------------------------

// Builds the whole clipboard block (length word included) for product 2, 3 or 4. 1 success, -1
// failure (a table that cannot be allocated, or another product code).
int BuildMarshalPayload(const cProject& doc, int product, const std::string& locale,
                        std::vector<uint8_t>& out);

// Re-creates doc and fills it from a clipboard block (length word included). 1 success, -1 failure
// (error, when given, says why); on failure doc holds whatever was read and must be discarded. No
// file-name resolution is done here.
int ReadMarshalPayload(std::span<const uint8_t> payload, cProject& doc, const std::string& locale,
                       strMessage* error = nullptr);

// ---- clipboard ---------------------------------------------------------------------------------

// Puts the product's payload on the clipboard under its format name. 1 success, -1 failure (*error,
// when given, says why the payload could not be built; a refusing clipboard leaves it none).
int ExportMarshal(const cProject& doc, int product, platform::cClipboard& clip, const cConfig& config,
                  strMessage* error = nullptr);
// Reads the first of "VX Ace ANIMATION", "RPGVX ANIMATION", "RPGXP ANIMATION" that the clipboard
// holds into doc (re-created); the titles stay bare (cClipboardDevice resolves them). 1 success,
// -1 failure (*error says why).
int ImportMarshal(cProject& doc, platform::cClipboard& clip, const cConfig& config,
                  strMessage* error = nullptr);

} // namespace ruby
