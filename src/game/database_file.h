#pragma once
// cDatabaseFile: the game database file on disk, read whole and written back safely.
//
// Reading keeps a stamp of what was read (size, modification time and a hash of the bytes). A write
// first reads the file again and refuses when it changed since (RPG Maker or another program saved
// it); the first write after the game was opened copies the file, in the same pass, to a dated copy
// in the folder "Backups" beside it (Backups/NAME.YYYYMMDD-HHMMSS, with "-2", "-3" ... when that name
// is taken), kept only when what was copied is what was read; no backup is ever overwritten. Then it
// writes the new bytes to a temporary file in the same folder and renames it over the file (through
// a symbolic link, the file the link names is replaced). A failed write leaves the file as it was.
//
// The file is read once into a buffer of its own size; the checks before a write stream it in
// blocks, so a write holds no second copy of the old file.

#include "document/messages.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace platform {
class cAtomicFile;
}

namespace game {

struct strFileStamp {
    uint64_t size = 0;
    int64_t modified = 0; // nanoseconds
    uint64_t hash = 0;
    bool operator==(const strFileStamp&) const = default;
};

class cDatabaseFile {
  public:
    static constexpr size_t kMaxBytes = size_t(256) << 20;

    bool read(const std::string& path, std::vector<uint8_t>& bytes, strMessage* error = nullptr);
    // Why a write failed.
    enum eWriteFailure { kWriteOk, kWriteChanged, kWriteBackup, kWriteFile };
    // backupMade, when given, receives the backup's path when this write made one ("" otherwise);
    // failure, when given, why the write failed (kWriteOk when it did not).
    bool write(std::span<const uint8_t> bytes, std::string* backupMade = nullptr, strMessage* error = nullptr,
               eWriteFailure* failure = nullptr);
    // True when the file on disk is no longer what was read or last written; why says how. bytes,
    // when given, receives the file as it is now.
    bool changedOnDisk(strMessage* why = nullptr, std::vector<uint8_t>* bytes = nullptr) const;

    const std::string& path() const { return path_; }
    // The backup a write at time t (seconds since the epoch) makes: the first free name.
    std::string backupPath(int64_t t) const;

  private:
    // The stamp of the file as it is now; false when it cannot be read. bytes, when given, receives
    // the file; copy, when given, has the file written to it.
    bool stampNow(strFileStamp& stamp, std::vector<uint8_t>* bytes, platform::cAtomicFile* copy,
                  strMessage* error) const;
    // changedOnDisk, with the file written to copy as it is read.
    bool changed(strMessage* why, std::vector<uint8_t>* bytes, platform::cAtomicFile* copy) const;

    std::string path_;
    strFileStamp stamp_;
    bool backedUp_ = false;
};

} // namespace game
