#pragma once
// The shape check of an RPG Maker 2000 clipboard block, made before anything of it is imported:
// the two header words, then one animation record that parses to its end by the LCF rules - every
// chunk inside its record, chunk ids ascending, integer fields holding exactly one variable-length
// integer, arrays with as many elements as they announce (indices ascending from 1), sub-records
// ending with their 00, the frames chunk present - followed by nothing but zero bytes (a block may
// be rounded up) unless the record ends where the length word says. Anything else under format 582
// (a sound, a picture, another product's payload) is refused with the place where it stops being
// an animation record.

#include "document/messages.h"

#include <cstdint>
#include <span>
#include <string>

namespace lcf {

// True when payload is an animation block; otherwise false with the reason in *why.
bool CheckLcfAnimationPayload(std::span<const uint8_t> payload, strMessage* why = nullptr);

} // namespace lcf
