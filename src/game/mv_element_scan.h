#pragma once
// ScanMvElement: one element of data/Animations.json checked as JSON, with what the animation list
// shows of it (name, picture names, frame count).
//
// The common shape of an MV element (keys without escapes, numbers without exponents, UTF-8 text)
// is checked in one pass over its bytes (QuickScanMvElement). Whatever that pass is not sure of
// (escaped keys and names, exponents, surrogate escapes, nesting past kMaxDepth, anything that is not
// JSON) goes to nlohmann-json's parser (ParseMvElement), whose verdict and messages are the ones that
// count: the quick pass only ever answers "valid" where the parser would accept the same bytes.

#include "document/messages.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace game {

struct strMvElement {
    size_t end = 0;      // one past the element's last byte
    bool object = false; // an object (null and other values are empty slots)
    int frames = 0;      // values in its "frames" array
    std::string name, pictures[2];
};

enum class eQuickScan { kValid, kUnsure };

// Nesting accepted in an element (the MV shape needs 4).
inline constexpr int kMvMaxDepth = 32;

// The element that starts at text[start] (not whitespace). kValid only when it is valid JSON followed
// by whitespace, ',' or ']', with everything in *out; kUnsure leaves the answer to ParseMvElement.
eQuickScan QuickScanMvElement(std::span<const uint8_t> text, size_t start, strMvElement& out);
// The same through nlohmann-json: false, with the reason, for an element that is cut or not JSON.
bool ParseMvElement(std::span<const uint8_t> text, size_t start, strMvElement& out, strMessage* error);
// The quick pass, and the parser where it is unsure.
bool ScanMvElement(std::span<const uint8_t> text, size_t start, strMvElement& out, strMessage* error);

} // namespace game
