#include "game/database_file.h"

#include "document/file_reason.h"
#include "platform/file_io.h"
#include "platform/path.h"

#include <bit>
#include <cerrno>
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
    void add(std::span<const uint8_t> b) {
        length_ += b.size();
        size_t i = 0;
        if (tailSize_) {
            while (tailSize_ < 8 && i < b.size())
                tail_[tailSize_++] = b[i++];
            if (tailSize_ < 8) return;
            word(load(tail_));
            tailSize_ = 0;
        }
        for (; b.size() - i >= 8; i += 8)
            word(load(b.data() + i));
        while (i < b.size())
            tail_[tailSize_++] = b[i++];
    }
    uint64_t value() const {
        uint8_t last[8] = {};
        std::memcpy(last, tail_, tailSize_);
        uint64_t h = round(h_, load(last)) ^ length_;
        h ^= h >> 33;
        h *= 0xFF51AFD7ED558CCDull;
        h ^= h >> 33;
        return h;
    }

  private:
    static uint64_t load(const uint8_t* p) {
        uint64_t w;
        std::memcpy(&w, p, 8);
        return w;
    }
    static uint64_t round(uint64_t h, uint64_t w) {
        return std::rotl(h ^ (w * 0x87C37B91114253D5ull), 31) * 0x4CF5AD432745937Full;
    }
    void word(uint64_t w) { h_ = round(h_, w); }

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

bool cDatabaseFile::stampNow(strFileStamp& stamp, std::vector<uint8_t>* bytes, platform::cAtomicFile* copy,
                             strMessage* error) const {
    auto fail = [&](strMessage why) {
        if (error) *error = std::move(why);
        return false;
    };
    const strFd f{::open(path_.c_str(), O_RDONLY | O_CLOEXEC)};
    struct stat st;
    if (f.fd < 0 || ::fstat(f.fd, &st) != 0) {
        const int number = errno;
        if (number == ENOENT) return fail(strMessage(kWhyFileMissing, path_));
        if (number == EACCES || number == EPERM) return fail(strMessage(kWhyFileDenied, path_));
        return fail(strMessage(kWhyCannotOpen, path_, SystemReason(number)));
    }
    if (!S_ISREG(st.st_mode)) return fail(strMessage(kWhyNotRegularFile, path_));
    const long long limit = static_cast<long long>(kMaxBytes >> 20);
    if (uint64_t(st.st_size) > kMaxBytes) return fail(strMessage(kWhyFileTooLarge, path_, limit));
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
            return fail(strMessage(kWhyCannotRead, path_, SystemReason(errno)));
        }
        if (n == 0) break;
        size += uint64_t(n);
        if (size > kMaxBytes) return fail(strMessage(kWhyFileTooLarge, path_, limit));
        const std::span<const uint8_t> piece(block.data(), size_t(n));
        hash.add(piece);
        if (bytes) bytes->insert(bytes->end(), piece.begin(), piece.end());
        if (std::string english; copy && !copy->write(piece, &english))
            return fail(FileFailureMessage(english));
    }
    stamp.size = size;
    stamp.modified = int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp.hash = hash.value();
    return true;
}

std::string cDatabaseFile::backupPath(int64_t t) const {
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

bool cDatabaseFile::read(const std::string& path, std::vector<uint8_t>& bytes, strMessage* error) {
    path_ = path;
    backedUp_ = false;
    return stampNow(stamp_, &bytes, nullptr, error);
}

bool cDatabaseFile::changedOnDisk(strMessage* why, std::vector<uint8_t>* bytes) const {
    return changed(why, bytes, nullptr);
}

bool cDatabaseFile::changed(strMessage* why, std::vector<uint8_t>* bytes, platform::cAtomicFile* copy) const {
    strFileStamp now;
    strMessage error;
    if (!stampNow(now, bytes, copy, &error)) {
        if (why) *why = error;
        return true;
    }
    if (now == stamp_) return false;
    if (why)
        *why = strMessage(now.size != stamp_.size   ? kGameDbSizeChanged
                          : now.hash != stamp_.hash ? kGameDbContentsChanged
                                                    : kGameDbTimeChanged);
    return true;
}

bool cDatabaseFile::write(std::span<const uint8_t> bytes, std::string* backupMade, strMessage* error,
                          eWriteFailure* failure) {
    if (backupMade) backupMade->clear();
    if (failure) *failure = kWriteOk;
    strMessage why;
    std::string english;
    auto refuseChanged = [&] {
        if (error) *error = strMessage(kGameDbChangedOnDisk, path_, why);
        if (failure) *failure = kWriteChanged;
        return false;
    };
    auto backupFailed = [&](const std::string& backup) {
        if (error)
            *error = english.empty() ? strMessage(kGameDbNoBackup, backup) : FileFailureMessage(english);
        if (failure) *failure = kWriteBackup;
        return false;
    };
    if (changed(&why, nullptr, nullptr)) return refuseChanged();
    if (!backedUp_) {
        // The file is copied block by block and checked again as it is copied: the backup is kept
        // only when it is what was read.
        const std::string backup = backupPath(static_cast<int64_t>(std::time(nullptr)));
        platform::cAtomicFile copy;
        if (!platform::MakeFolder(platform::FolderPart(backup)) || !copy.open(backup, &english))
            return backupFailed(backup);
        if (changed(&why, nullptr, &copy)) return refuseChanged();
        if (!copy.commit(&english)) return backupFailed(backup);
        backedUp_ = true;
        if (backupMade) *backupMade = backup;
    }
    if (!platform::WriteFileAtomically(path_, bytes, &english)) {
        if (error) *error = FileFailureMessage(english);
        if (failure) *failure = kWriteFile;
        return false;
    }
    struct stat st;
    if (::stat(path_.c_str(), &st) != 0) {
        stamp_ = strFileStamp{}; // a later write refuses
        return true;
    }
    cStreamHash hash;
    hash.add(bytes);
    stamp_.size = bytes.size();
    stamp_.modified = int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp_.hash = hash.value();
    return true;
}

} // namespace game
