#pragma once
// The reason of a failed file call (platform/file_io.h) as a message of the reason table, so that
// it can be shown in the user's language.

#include "document/messages.h"

#include <cstddef>
#include <string>

// The last file failure of this thread as a message: "%s does not exist", "cannot open %s: %s", ...
// maxBytes is the size limit of the read that failed (for "%s is too large"); english is the line
// the file call gave, used when the failure has no wording of its own.
strMessage FileFailureMessage(const std::string& english, size_t maxBytes = size_t(256) << 20);

// The system's error number as a message of the reason table ("permission denied", "the disk is
// full", ...; "system error 71" for one without a wording of its own), in place of strerror's
// English.
strMessage SystemReason(int errorNumber);

// Whether m is one of the file reasons above (it names the file itself).
bool IsFileReason(const strMessage& m);
