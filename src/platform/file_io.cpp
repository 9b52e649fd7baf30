#include "platform/file_io.h"

#include "platform/path.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr const char* kTmpInfix = ".tmp-";
constexpr size_t kTmpRandom = 6; // the "XXXXXX" of mkstemp

thread_local strFileFailure lastFailure;

// Records a failure in parts (LastFileFailure).
void noteFailure(eFileFailure kind, const std::string& path, int errorNumber) {
    lastFailure = {kind, path, errorNumber};
}

// Records a failure and, when asked, gives it as one English line with the system's words.
void setError(std::string* error, const std::string& what, eFileFailure kind = eFileFailure::kOther,
              const std::string& path = std::string()) {
    noteFailure(kind, path, errno);
    if (error) *error = what + ": " + std::strerror(errno);
}

// The file that writing path replaces: path itself, or the file a symbolic link at path names
// (links to links followed, a relative link taken against the folder of the link). False for a
// loop of links or a link that cannot be read.
bool linkTarget(const std::string& path, std::string& target, std::string* error) {
    constexpr int kMaxLinks = 40;
    target = path;
    for (int hops = 0; hops < kMaxLinks; ++hops) {
        struct stat st;
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
        std::vector<char> buf(size_t(st.st_size) + 1 > 256 ? size_t(st.st_size) + 1 : 256);
        const ssize_t n = ::readlink(target.c_str(), buf.data(), buf.size());
        if (n <= 0 || size_t(n) >= buf.size()) {
            setError(error, "cannot read the symbolic link " + target, eFileFailure::kLink, target);
            return false;
        }
        std::string link(buf.data(), size_t(n));
        const size_t slash = target.find_last_of('/');
        target = link[0] == '/' || slash == std::string::npos ? link : target.substr(0, slash + 1) + link;
    }
    errno = ELOOP;
    setError(error, "cannot follow the symbolic links at " + path, eFileFailure::kLink, path);
    return false;
}

bool isTmpSuffix(const char* s) {
    for (size_t i = 0; i < kTmpRandom; ++i) {
        const char c = s[i];
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return false;
    }
    return s[kTmpRandom] == '\0';
}

// Creates and locks a new temporary file of target's pattern; the name goes to tmp. A file that a
// stale-file sweep removed between its creation and the lock is made again.
int createLockedTemporary(const std::string& target, std::string& tmp, std::string* error) {
    for (int attempt = 0; attempt < 8; ++attempt) {
        tmp = target + kTmpInfix + std::string(kTmpRandom, 'X');
        const int fd = ::mkostemp(tmp.data(), O_CLOEXEC);
        if (fd < 0) {
            setError(error, "cannot create a temporary file beside " + target, eFileFailure::kTemporary,
                     target);
            return -1;
        }
        struct stat st;
        if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &st) == 0 && st.st_nlink > 0) return fd;
        ::close(fd);
    }
    errno = EAGAIN;
    setError(error, "cannot create a temporary file beside " + target, eFileFailure::kTemporary, target);
    return -1;
}

} // namespace

const strFileFailure& LastFileFailure() {
    return lastFailure;
}

void ClearFileFailure() {
    lastFailure = {};
}

int OpenRegularFile(const std::string& path, std::string* error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        setError(error, "cannot open " + path, eFileFailure::kOpen, path);
        return -1;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        setError(error, "cannot open " + path, eFileFailure::kOpen, path);
        ::close(fd);
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        noteFailure(eFileFailure::kNotRegular, path, 0);
        if (error) *error = "not a regular file: " + path;
        return -1;
    }
    // Regular files never block; the flag only mattered for the open.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& out, size_t maxBytes, std::string* error,
                   bool* tooLarge) {
    out.clear();
    if (tooLarge) *tooLarge = false;
    const int fd = OpenRegularFile(path, error);
    if (fd < 0) return false;
    struct stat st;
    if (::fstat(fd, &st) == 0 && uint64_t(st.st_size) > maxBytes) {
        ::close(fd);
        noteFailure(eFileFailure::kTooLarge, path, 0);
        if (error) *error = path + " is too large";
        if (tooLarge) *tooLarge = true;
        return false;
    }
    uint8_t buf[65536];
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            setError(error, "cannot read " + path, eFileFailure::kRead, path);
            ok = false;
            break;
        }
        if (n == 0) break;
        // The file may have grown since it was measured.
        if (out.size() + size_t(n) > maxBytes) {
            noteFailure(eFileFailure::kTooLarge, path, 0);
            if (error) *error = path + " is too large";
            if (tooLarge) *tooLarge = true;
            ok = false;
            break;
        }
        out.insert(out.end(), buf, buf + n);
    }
    ::close(fd);
    if (!ok) out.clear();
    return ok;
}

bool StampOfFile(const std::string& path, strFileStamp& out) {
    out = {};
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    out.device = uint64_t(st.st_dev);
    out.inode = uint64_t(st.st_ino);
    out.size = uint64_t(st.st_size);
    out.modifiedNs = int64_t(st.st_mtim.tv_sec) * 1000000000 + int64_t(st.st_mtim.tv_nsec);
    return true;
}

int RemoveStaleTemporaryFiles(const std::string& target) {
    std::string folder = FolderPart(target);
    const std::string prefix = FileNamePart(target) + kTmpInfix;
    if (FileNamePart(target).empty()) return 0;
    const std::string open = folder.empty() ? std::string(".") : ToDiskSeparators(folder);
    DIR* dir = ::opendir(open.c_str());
    if (!dir) return 0;
    int removed = 0;
    while (const dirent* e = ::readdir(dir)) {
        const char* name = e->d_name;
        if (std::strncmp(name, prefix.c_str(), prefix.size()) != 0 || !isTmpSuffix(name + prefix.size()))
            continue;
        const std::string path = open + "/" + name;
        const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat st;
        // A writer that is still running holds the lock; only an unheld regular file is stale.
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            ::unlink(path.c_str()) == 0)
            ++removed;
        ::close(fd);
    }
    ::closedir(dir);
    return removed;
}

bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes, std::string* error) {
    cAtomicFile file;
    return file.open(path, error) && file.write(bytes, error) && file.commit(error);
}

cAtomicFile::~cAtomicFile() {
    discard();
}

void cAtomicFile::discard() {
    if (fd_ < 0) return;
    ::close(fd_);
    ::unlink(temporary_.c_str());
    fd_ = -1;
    size_ = 0;
}

bool cAtomicFile::open(const std::string& path, std::string* error) {
    discard();
    // Through a symbolic link, the file it names is replaced and the link stays.
    if (!linkTarget(path, target_, error)) return false;
    RemoveStaleTemporaryFiles(target_);
    fd_ = createLockedTemporary(target_, temporary_, error);
    return fd_ >= 0;
}

namespace {
// Writes all of bytes at offset (or at the file position when offset is negative).
bool writeAll(int fd, std::span<const uint8_t> bytes, int64_t offset) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = offset < 0
                              ? ::write(fd, bytes.data() + done, bytes.size() - done)
                              : ::pwrite(fd, bytes.data() + done, bytes.size() - done, off_t(offset + done));
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += size_t(n);
    }
    return true;
}
} // namespace

bool cAtomicFile::write(std::span<const uint8_t> bytes, std::string* error) {
    if (fd_ < 0) {
        if (error) *error = "no file is open";
        return false;
    }
    if (!writeAll(fd_, bytes, -1)) {
        setError(error, "cannot write " + target_, eFileFailure::kWrite, target_);
        discard();
        return false;
    }
    size_ += bytes.size();
    return true;
}

bool cAtomicFile::writeAt(uint64_t offset, std::span<const uint8_t> bytes, std::string* error) {
    if (fd_ < 0 || offset > size_ || bytes.size() > size_ - offset) {
        if (error) *error = "no such place in the file being written";
        return false;
    }
    if (!writeAll(fd_, bytes, int64_t(offset))) {
        setError(error, "cannot write " + target_, eFileFailure::kWrite, target_);
        discard();
        return false;
    }
    return true;
}

bool cAtomicFile::commit(std::string* error) {
    if (fd_ < 0) {
        if (error) *error = "no file is open";
        return false;
    }
    // Keep the permissions of the file being replaced; a new file gets the usual 0644.
    struct stat st;
    mode_t mode = ::stat(target_.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
    if (::fsync(fd_) != 0 || ::fchmod(fd_, mode) != 0) {
        setError(error, "cannot flush " + target_, eFileFailure::kWrite, target_);
        discard();
        return false;
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 || std::rename(temporary_.c_str(), target_.c_str()) != 0) {
        setError(error, "cannot replace " + target_, eFileFailure::kReplace, target_);
        ::unlink(temporary_.c_str());
        return false;
    }
    return true;
}

int OpenScratchFileBeside(const std::string& target, std::string* error) {
    std::string resolved;
    if (!linkTarget(target, resolved, error)) return -1;
    std::string tmp = resolved + kTmpInfix + std::string(kTmpRandom, 'X');
    const int fd = ::mkostemp(tmp.data(), O_CLOEXEC);
    if (fd < 0) {
        setError(error, "cannot create a scratch file beside " + resolved, eFileFailure::kTemporary,
                 resolved);
        return -1;
    }
    ::unlink(tmp.c_str());
    return fd;
}

} // namespace platform
