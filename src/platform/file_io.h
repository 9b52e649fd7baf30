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

// A file written piece by piece and put in place at the end: Open creates a temporary file in the
// target's folder, Write and WriteAt fill it, Commit flushes it and renames it over the target (as
// WriteFileAtomically does, keeping the replaced file's permissions and any symbolic link at the
// path). Until Commit nothing at the target changes; Discard, or destruction without Commit, removes
// the temporary file.
class cAtomicFile {
  public:
    cAtomicFile() = default;
    ~cAtomicFile();
    cAtomicFile(const cAtomicFile&) = delete;
    cAtomicFile& operator=(const cAtomicFile&) = delete;

    // Discards any open file, then creates the temporary file for path.
    bool Open(const std::string& path, std::string* error = nullptr);
    // Appends bytes.
    bool Write(std::span<const uint8_t> bytes, std::string* error = nullptr);
    // Overwrites bytes already written, at offset (offset + size may not pass Size()).
    bool WriteAt(uint64_t offset, std::span<const uint8_t> bytes, std::string* error = nullptr);
    bool Commit(std::string* error = nullptr);
    void Discard();

    bool IsOpen() const { return fd_ >= 0; }
    uint64_t Size() const { return size_; }
    // The file the commit replaces (symbolic links followed).
    const std::string& Target() const { return target_; }

  private:
    int fd_ = -1;
    uint64_t size_ = 0;
    std::string target_, temporary_;
};

} // namespace platform
