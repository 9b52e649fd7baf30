#pragma once
// The RPG Maker 2000 animation mapping: a cProject to and from the battle-animation
// record that RPG Maker 2000 puts on the clipboard under the fixed format 582, in the LCF chunk
// encoding of lcf_codec.h.
//
// Payload: u32 = payload size - 8, u32 = 1, then one animation record. Texts are copied as bytes of
// the project code page, unconverted.
//
// Choices made here:
//   - The animation graphic is the first occupied picture slot (RPG Maker 2000 has one graphic per
//     animation); with no picture the export fails and leaves the clipboard alone.
//   - The timing array holds exactly the occupied effect slots below the effect count; its count
//     is the number of elements written and the element indices run 1..count.
//   - Texts of 128 bytes or more get a proper variable-length length (lcf_codec.h).
//   - The reader skips chunks it does not know by their length (2003 chunks such as the timing's
//     screen shake, id 8, or the animation's "large" flag, id 3), in every record; a frame record's
//     cell array is its chunk 1, other frame chunks are skipped. After a sub-record or array the
//     reader continues at the end of the chunk's stated length.
//   - Values read are held to the ranges of the fields they fill: colour components 0..31, volume
//     0..100, tempo 50..150, balance 0..100, transparency 0..100, x / y / zoom to 16 bits, the
//     cell id to the pattern range, the frame to 1..65536.
//   - Besides both header words being positive, the length word must not exceed
//     the block: other data put under format 582 (or a cut block) fails instead of importing as
//     garbage. Bytes after the stated length are ignored (clipboard blocks may be rounded up).
//   - Records nest at most three deep (animation, frames, cells), by the fixed structure; counts
//     never size an allocation beyond what the buffer can hold.

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

namespace lcf {

inline constexpr int kMaxFrames = 999;    // frames written
inline constexpr int kMaxCells = 8;       // cells per frame (written and imported)
inline constexpr int kPatternSize = 96;   // divisions of the imported picture ("Specify width")
inline constexpr int kNameCapacity = 255; // the reader keeps at most 254 bytes of a text
inline constexpr int kChunkLimit = 255;   // chunks read per record at most (with unknown ones)

// ---- value maps --------------------------------------------------------------------------------

// Centre position -> scope (0 target, 1 screen) and position (0 top, 1 middle, 2 bottom).
void CentreToScopePosition(int centre, int& scope, int& position);
int CentreFromScopePosition(int scope, int position);
// Flash object -> flash scope (0 none, 1 target, 2 screen): 1 -> 1, 0 -> 2, 2 -> 0.
int FlashObjectToScope(int object);
// Applies a read flash scope (not 0) to the object: 1 -> 1, 2 -> 0, others keep it.
void FlashScopeToObject(int scope, strEffect& e);
// Colour component 0..255 <-> 0..31.
int ColourTo5(int v);
int ColourFrom5(int v);
// Opacity 0..255 <-> transparency percent (0 = opaque).
int OpacityToTransparency(int opacity);
int TransparencyToOpacity(int transparency);
// Zoom of a cell: the larger of the two magnifications (signed), at least 20.
int ZoomOf(int mx, int my);

// ---- payloads ----------------------------------------------------------------------------------

// The whole clipboard block. 1 success, -1 failure (no picture to name as the graphic).
int BuildLcfPayload(const cProject& doc, std::vector<uint8_t>& out);

// Re-creates doc and fills it from a clipboard block. 1 success, -1 failure (*error, when given,
// says why): a block that is not one animation record to its end (lcf_animation_check.h), more
// frames or effects than a project holds, or a project that cannot be created. No file-name
// resolution is done here.
int ReadLcfPayload(std::span<const uint8_t> payload, cProject& doc, strMessage* error = nullptr);

// ---- clipboard ---------------------------------------------------------------------------------

// Puts the payload on the clipboard under format 582. 1 success, -1 failure (no picture: *error,
// when given, says so; or the clipboard refused); on failure the clipboard is not touched.
int ExportLcf(const cProject& doc, platform::cClipboard& clip, const cConfig& config,
              strMessage* error = nullptr);
// Reads format 582 into doc (re-created); the titles stay bare (cClipboardDevice resolves them).
// 1 success, -1 failure (format absent, or a block ReadLcfPayload refuses; *error says why).
int ImportLcf(cProject& doc, platform::cClipboard& clip, const cConfig& config, strMessage* error = nullptr);

} // namespace lcf
