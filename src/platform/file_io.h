#pragma once
// Whole-file reads and crash-safe writes.
//
// Reading opens without blocking and accepts regular files only, so a FIFO, a device or a folder
// named as a project or a picture is refused at once ("not a regular file: ...") instead of
// hanging the caller or reading without end.
//
// Writing goes to a temporary file beside the target, named target + ".tmp-" + six characters,
// which is flushed and renamed over the target. While it is written the temporary file is locked;
// the next write of the same target removes temporary files of that pattern that nobody holds (left
// by a run that was killed), and nothing else.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace platform {

// What the last failed call of this file on the calling thread could not do, in parts, for callers
// that word the reason themselves (in another language): the kind, the path and the system's error
// number (0 when the system gave none). The English reason of *error says the same.
enum class eFileFailure {
    kNone,
    kOpen,
    kNotRegular,
    kTooLarge,
    kRead,
    kWrite,
    kReplace,
    kTemporary,
    kLink,
    kOther
};
struct strFileFailure {
    eFileFailure kind = eFileFailure::kNone;
    std::string path;
    int errorNumber = 0;
};
const strFileFailure& LastFileFailure();
// Forgets it, so that a caller can tell whether the next calls failed on a file.
void ClearFileFailure();

// Opens a regular file for reading without ever blocking (a FIFO is refused, not waited on).
// Returns the descriptor (close-on-exec, blocking reads), or -1 with the reason in *error:
// "cannot open PATH: ..." or "not a regular file: PATH".
int OpenRegularFile(const std::string& path, std::string* error = nullptr);

// What identifies a file's content without reading it: where it is and when it last changed.
struct strFileStamp {
    uint64_t device = 0, inode = 0, size = 0;
    int64_t modifiedNs = 0;
    bool operator==(const strFileStamp&) const = default;
};
// The stamp of the regular file at path; false when there is none.
bool StampOfFile(const std::string& path, strFileStamp& out);

// Reads a whole regular file. False when it cannot be opened or read, is not a regular file, or is
// larger than maxBytes (refused before reading; *tooLarge is then set).
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& out, size_t maxBytes = size_t(256) << 20,
                   std::string* error = nullptr, bool* tooLarge = nullptr);

// Writes bytes through cAtomicFile. On any failure the temporary file is removed, an existing file
// at path is left as it was, and false is returned with the reason in *error. When path is a
// symbolic link, the file it names (through any chain of links) is written that way and the link
// stays as it is.
bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes,
                         std::string* error = nullptr);

// A file written piece by piece and put in place at the end: Open creates a temporary file in the
// target's folder (after removing stale ones of the same target), Write and writeAt fill it, Commit
// flushes it and renames it over the target (as WriteFileAtomically does, keeping the replaced
// file's permissions and any symbolic link at the path). Until Commit nothing at the target
// changes; Discard, or destruction without Commit, removes the temporary file.
class cAtomicFile {
  public:
    cAtomicFile() = default;
    ~cAtomicFile();
    cAtomicFile(const cAtomicFile&) = delete;
    cAtomicFile& operator=(const cAtomicFile&) = delete;

    // Discards any open file, then creates the temporary file for path.
    bool open(const std::string& path, std::string* error = nullptr);
    // Appends bytes.
    bool write(std::span<const uint8_t> bytes, std::string* error = nullptr);
    // Overwrites bytes already written, at offset (offset + size may not pass size()).
    bool writeAt(uint64_t offset, std::span<const uint8_t> bytes, std::string* error = nullptr);
    bool commit(std::string* error = nullptr);
    void discard();

    bool isOpen() const { return fd_ >= 0; }
    uint64_t size() const { return size_; }
    // The file the commit replaces (symbolic links followed).
    const std::string& target() const { return target_; }

  private:
    int fd_ = -1;
    uint64_t size_ = 0;
    std::string target_, temporary_;
};

// Removes the temporary files of target's pattern (target + ".tmp-" + six letters or digits) in
// its folder that no running writer holds. Returns how many were removed.
int RemoveStaleTemporaryFiles(const std::string& target);

// A scratch file beside target that has no name on disk (it disappears when closed, also when the
// process is killed): a descriptor open for reading and writing, or -1 with the reason in *error.
int OpenScratchFileBeside(const std::string& target, std::string* error = nullptr);

} // namespace platform
