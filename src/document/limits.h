#pragma once
// The limits of a project, in one place. A file or a payload that holds more than a project can is
// refused with a reason that says how many and how many fit (LimitMessage, messages.h); nothing is
// cut silently.

#include <string>

// Frame, effect and picture slots of a document.
inline constexpr int kMaxFrames = 1000;
inline constexpr int kMaxEffects = 1000;
inline constexpr int kMaxPictures = 1000;
