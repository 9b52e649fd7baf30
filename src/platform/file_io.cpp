#include "platform/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

void setError(std::string* error, const std::string& what) {
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
            setError(error, "cannot read the symbolic link " + target);
            return false;
        }
        std::string link(buf.data(), size_t(n));
        const size_t slash = target.find_last_of('/');
        target = link[0] == '/' || slash == std::string::npos ? link : target.substr(0, slash + 1) + link;
    }
    errno = ELOOP;
    setError(error, "cannot follow the symbolic links at " + path);
    return false;
}

} // namespace

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& out, size_t maxBytes, std::string* error) {
    out.clear();
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        setError(error, "cannot open " + path);
        return false;
    }
    uint8_t buf[65536];
    bool ok = true;
    for (;;) {
        size_t n = std::fread(buf, 1, sizeof buf, f);
        if (out.size() + n > maxBytes) {
            if (error) *error = path + " is too large";
            ok = false;
            break;
        }
        out.insert(out.end(), buf, buf + n);
        if (n < sizeof buf) {
            if (std::ferror(f)) {
                setError(error, "cannot read " + path);
                ok = false;
            }
            break;
        }
    }
    std::fclose(f);
    return ok;
}

bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes, std::string* error) {
    cAtomicFile file;
    return file.Open(path, error) && file.Write(bytes, error) && file.Commit(error);
}

cAtomicFile::~cAtomicFile() {
    Discard();
}

void cAtomicFile::Discard() {
    if (fd_ < 0) return;
    ::close(fd_);
    ::unlink(temporary_.c_str());
    fd_ = -1;
    size_ = 0;
}

bool cAtomicFile::Open(const std::string& path, std::string* error) {
    Discard();
    // Through a symbolic link, the file it names is replaced and the link stays.
    if (!linkTarget(path, target_, error)) return false;
    temporary_ = target_ + ".tmp-XXXXXX";
    fd_ = mkstemp(temporary_.data());
    if (fd_ < 0) {
        setError(error, "cannot create a temporary file beside " + target_);
        return false;
    }
    return true;
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

bool cAtomicFile::Write(std::span<const uint8_t> bytes, std::string* error) {
    if (fd_ < 0) {
        if (error) *error = "no file is open";
        return false;
    }
    if (!writeAll(fd_, bytes, -1)) {
        setError(error, "cannot write " + target_);
        Discard();
        return false;
    }
    size_ += bytes.size();
    return true;
}

bool cAtomicFile::WriteAt(uint64_t offset, std::span<const uint8_t> bytes, std::string* error) {
    if (fd_ < 0 || offset > size_ || bytes.size() > size_ - offset) {
        if (error) *error = "no such place in the file being written";
        return false;
    }
    if (!writeAll(fd_, bytes, int64_t(offset))) {
        setError(error, "cannot write " + target_);
        Discard();
        return false;
    }
    return true;
}

bool cAtomicFile::Commit(std::string* error) {
    if (fd_ < 0) {
        if (error) *error = "no file is open";
        return false;
    }
    // Keep the permissions of the file being replaced; a new file gets the usual 0644.
    struct stat st;
    mode_t mode = ::stat(target_.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
    if (::fsync(fd_) != 0 || ::fchmod(fd_, mode) != 0) {
        setError(error, "cannot flush " + target_);
        Discard();
        return false;
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 || std::rename(temporary_.c_str(), target_.c_str()) != 0) {
        setError(error, "cannot replace " + target_);
        ::unlink(temporary_.c_str());
        return false;
    }
    return true;
}

} // namespace platform
