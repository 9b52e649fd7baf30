#pragma once
// Whole-file reads and crash-safe writes.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace platform {

// Reads a whole file. False when it cannot be opened or read, or is larger than maxBytes.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& out, size_t maxBytes = size_t(256) << 20,
                   std::string* error = nullptr);

// Writes bytes to a temporary file in the same folder, flushes it, then renames it over path.
// On any failure the temporary file is removed, an existing file at path is left as it was, and
// false is returned with the reason in *error. When path is a symbolic link, the file it names
// (through any chain of links) is written that way and the link stays as it is.
bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes,
                         std::string* error = nullptr);

} // namespace platform
