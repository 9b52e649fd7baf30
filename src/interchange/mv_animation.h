#pragma once
// The RPG Maker MV animation mapping: a cProject to and from the JSON text that RPG
// Maker MV puts on the clipboard under "application/rpgmv-animations".
//
// nlohmann-json stands in for picojson: its default object type is a sorted map and dump() is
// compact, so the text has sorted keys and no white space; every number written is an integer.
// Texts go between the project code page named by the "Locale" setting and UTF-8 (src/platform).
//
// Choices made here:
//   - A value of the wrong JSON type where an array or an object is required (the top level, its
//     first element, a frame, a frame's cell, a timing) fails the import with -1 like a parse error.
//     No exception leaves this unit.
//   - Numbers may be fractional (real MV data holds positions such as 60.5): they are truncated
//     toward zero and held to the range of the field they fill (16 bits for positions and
//     magnifications, the pattern range, 0..65535 for frames and durations). "se" may be null and
//     unused cells may be written as [-1,0,0,0,0,0,0,0] (skipped); an empty frame [] has no cells.
//   - The sound values of a timing object are read whenever "se" is an object; volume is held to
//     0..100, pitch to 0..200 and the balance (pan + 100) to 0..200, the ranges of the effect dialog.
//   - Hues are held to 0..360.
//   - An empty frame slot is written as a frame without cells ([]), not left out: leaving it out
//     would move every later frame one place earlier, away from its timings.
//   - Nesting deeper than kMaxDepth (the MV shape needs 5) fails the import before the text is
//     parsed; so does a payload larger than kMaxPayload.

#include "document/cell.h"
#include "document/effect.h"
#include "document/messages.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

class cProject;
class cConfig;
namespace platform {
class cClipboard;
}

namespace mv {

inline constexpr int kMaxFrames = 9999;  // frames written at most
inline constexpr int kMaxCells = 16;     // cells per frame (written and imported)
inline constexpr int kMaxTimings = 999;  // timings written at most
inline constexpr int kPatternSize = 192; // divisions of the imported pictures ("Specify width")
inline constexpr int kMaxDepth = 32;     // JSON nesting accepted on import
inline constexpr size_t kMaxPayload = size_t(64) << 20;

// ---- value maps --------------------------------------------------------------------------------

int FlashScopeToMv(int object);
// The flash object of a non-zero "flashScope".
int FlashObjectFromMv(int scope);
int BlendToMv(int drawing);
int BlendFromMv(int blend);

// The eight numbers of a cell: pattern, x, y, scale, rotation, mirror, opacity, blend.
void CellToMv(const strCell& c, int values[8]);
// The cell eight numbers describe (before the document's normalisation), starting from the
// new-cell default; present[i] false keeps the default of that element. False when the pattern is
// negative (the cell is skipped).
bool CellFromMv(const double values[8], const bool present[8], strCell& c);

// ---- payloads ----------------------------------------------------------------------------------

// The JSON text (exactly the clipboard bytes). 1 success, -1 failure.
int BuildMvPayload(const cProject& doc, const std::string& locale, std::string& out);

// Re-creates doc and fills it from the JSON text. 1 success, -1 failure (parse error, wrong shape,
// missing or mistyped required keys); on failure doc must be discarded. error, when given, says
// why. No file-name resolution is done here.
int ReadMvPayload(std::span<const uint8_t> payload, cProject& doc, const std::string& locale,
                  strMessage* error = nullptr);

// ---- clipboard ---------------------------------------------------------------------------------

// Puts the JSON text on the clipboard under "application/rpgmv-animations". 1 success, -1 failure
// (*error, when given, says why the text could not be built; a refusing clipboard leaves it none).
int ExportMv(const cProject& doc, platform::cClipboard& clip, const cConfig& config,
             strMessage* error = nullptr);
// Reads "application/rpgmv-animations" into doc (re-created); the titles stay bare (cClipboardDevice
// resolves them). 1 success, -1 failure (*error says why).
int ImportMv(cProject& doc, platform::cClipboard& clip, const cConfig& config, strMessage* error = nullptr);

} // namespace mv
