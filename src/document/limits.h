#pragma once
// The limits of a project, in one place. A file or a payload that holds more than a project can is
// refused with a reason that says how many and how many fit (LimitReason); nothing is cut silently.

#include <string>

// Frame, effect and picture slots of a document.
inline constexpr int kMaxFrames = 1000;
inline constexpr int kMaxEffects = 1000;
inline constexpr int kMaxPictures = 1000;

// "the project has 1500 frames; a project holds at most 1000" (what: "frames", "effects", ...).
inline std::string LimitReason(long long count, const char* what, int limit) {
    return "the project has " + std::to_string(count) + " " + what + "; a project holds at most " +
           std::to_string(limit);
}
