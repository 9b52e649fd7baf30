#include "game/database_file.h"

#include "platform/file_io.h"
#include "platform/path.h"

#include <bit>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace game {

namespace {

// A 64-bit hash of bytes fed in pieces: the same bytes give the same hash however they are cut.
class cStreamHash {
  public:
    void Add(std::span<const uint8_t> b) {
        length_ += b.size();
        size_t i = 0;
        if (tailSize_) {
            while (tailSize_ < 8 && i < b.size())
                tail_[tailSize_++] = b[i++];
            if (tailSize_ < 8) return;
            Word(Load(tail_));
            tailSize_ = 0;
        }
        for (; b.size() - i >= 8; i += 8)
            Word(Load(b.data() + i));
        while (i < b.size())
            tail_[tailSize_++] = b[i++];
    }
    uint64_t Value() const {
        uint8_t last[8] = {};
        std::memcpy(last, tail_, tailSize_);
        uint64_t h = Round(h_, Load(last)) ^ length_;
        h ^= h >> 33;
        h *= 0xFF51AFD7ED558CCDull;
        h ^= h >> 33;
        return h;
    }

  private:
    static uint64_t Load(const uint8_t* p) {
        uint64_t w;
        std::memcpy(&w, p, 8);
        return w;
    }
    static uint64_t Round(uint64_t h, uint64_t w) {
        return std::rotl(h ^ (w * 0x87C37B91114253D5ull), 31) * 0x4CF5AD432745937Full;
    }
    void Word(uint64_t w) { h_ = Round(h_, w); }

    uint64_t h_ = 0x243F6A8885A308D3ull;
    uint64_t length_ = 0;
    uint8_t tail_[8] = {};
    size_t tailSize_ = 0;
};

// Closes a descriptor when it goes out of scope.
struct strFd {
    int fd;
    ~strFd() {
        if (fd >= 0) ::close(fd);
    }
};

} // namespace

bool cDatabaseFile::StampNow(strFileStamp& stamp, std::vector<uint8_t>* bytes, platform::cAtomicFile* copy,
                             std::string* error) const {
    auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return false;
    };
    const strFd f{::open(path_.c_str(), O_RDONLY | O_CLOEXEC)};
    struct stat st;
    if (f.fd < 0 || ::fstat(f.fd, &st) != 0) return fail("cannot find " + path_);
    if (!S_ISREG(st.st_mode)) return fail(path_ + " is not a regular file");
    if (uint64_t(st.st_size) > kMaxBytes) return fail(path_ + " is too large");
    if (bytes) {
        bytes->clear();
        bytes->shrink_to_fit();
        bytes->reserve(size_t(st.st_size));
    }
    cStreamHash hash;
    std::vector<uint8_t> block(size_t(256) << 10);
    uint64_t size = 0;
    for (;;) {
        const ssize_t n = ::read(f.fd, block.data(), block.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail("cannot read " + path_);
        }
        if (n == 0) break;
        size += uint64_t(n);
        if (size > kMaxBytes) return fail(path_ + " is too large");
        const std::span<const uint8_t> piece(block.data(), size_t(n));
        hash.Add(piece);
        if (bytes) bytes->insert(bytes->end(), piece.begin(), piece.end());
        if (copy && !copy->Write(piece, error)) return false;
    }
    stamp.size = size;
    stamp.modified = int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp.hash = hash.Value();
    return true;
}

std::string cDatabaseFile::BackupPath(int64_t t) const {
    const std::string folder = platform::JoinPath(platform::FolderPart(path_), "Backups");
    const time_t seconds = static_cast<time_t>(t);
    struct tm local {};
    localtime_r(&seconds, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string base = platform::JoinPath(folder, platform::FileNamePart(path_) + "." + stamp);
    std::string candidate = base;
    for (int n = 2; platform::Exists(candidate) && n < 1000; ++n)
        candidate = base + "-" + std::to_string(n);
    return candidate;
}

bool cDatabaseFile::Read(const std::string& path, std::vector<uint8_t>& bytes, std::string* error) {
    path_ = path;
    backedUp_ = false;
    return StampNow(stamp_, &bytes, nullptr, error);
}

bool cDatabaseFile::ChangedOnDisk(std::string* why, std::vector<uint8_t>* bytes) const {
    return Changed(why, bytes, nullptr);
}

bool cDatabaseFile::Changed(std::string* why, std::vector<uint8_t>* bytes,
                            platform::cAtomicFile* copy) const {
    strFileStamp now;
    std::string error;
    if (!StampNow(now, bytes, copy, &error)) {
        if (why) *why = error;
        return true;
    }
    if (now == stamp_) return false;
    if (why)
        *why = now.size != stamp_.size   ? "its size changed"
               : now.hash != stamp_.hash ? "its contents changed"
                                         : "its modification time changed";
    return true;
}

bool cDatabaseFile::Write(std::span<const uint8_t> bytes, std::string* backupMade, std::string* error,
                          eWriteFailure* failure) {
    if (backupMade) backupMade->clear();
    if (failure) *failure = kWriteOk;
    std::string why;
    auto changed = [&] {
        if (error) *error = path_ + " changed on disk since it was read (" + why + "); open the game again";
        if (failure) *failure = kWriteChanged;
        return false;
    };
    auto backupFailed = [&](const std::string& backup) {
        if (error) *error = "cannot make the backup " + backup + (why.empty() ? "" : ": " + why);
        if (failure) *failure = kWriteBackup;
        return false;
    };
    if (Changed(&why, nullptr, nullptr)) return changed();
    if (!backedUp_) {
        // The file is copied block by block and checked again as it is copied: the backup is kept
        // only when it is what was read.
        const std::string backup = BackupPath(static_cast<int64_t>(std::time(nullptr)));
        platform::cAtomicFile copy;
        if (!platform::MakeFolder(platform::FolderPart(backup)) || !copy.Open(backup, &why))
            return backupFailed(backup);
        if (Changed(&why, nullptr, &copy)) return changed();
        if (!copy.Commit(&why)) return backupFailed(backup);
        backedUp_ = true;
        if (backupMade) *backupMade = backup;
    }
    if (!platform::WriteFileAtomically(path_, bytes, &why)) {
        if (error) *error = why;
        if (failure) *failure = kWriteFile;
        return false;
    }
    struct stat st;
    if (::stat(path_.c_str(), &st) != 0) {
        stamp_ = strFileStamp{}; // a later write refuses
        return true;
    }
    cStreamHash hash;
    hash.Add(bytes);
    stamp_.size = bytes.size();
    stamp_.modified = int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp_.hash = hash.Value();
    return true;
}

} // namespace game
