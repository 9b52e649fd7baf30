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

bool WriteFileAtomically(const std::string& givenPath, std::span<const uint8_t> bytes, std::string* error) {
    // Through a symbolic link, the file it names is replaced and the link stays.
    std::string path;
    if (!linkTarget(givenPath, path, error)) return false;
    std::string tmp = path + ".tmp-XXXXXX";
    int fd = mkstemp(tmp.data());
    if (fd < 0) {
        setError(error, "cannot create a temporary file beside " + path);
        return false;
    }
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            setError(error, "cannot write " + path);
            ::close(fd);
            ::unlink(tmp.c_str());
            return false;
        }
        done += static_cast<size_t>(n);
    }
    // Keep the permissions of the file being replaced; a new file gets the usual 0644.
    struct stat st;
    mode_t mode = ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
    if (::fsync(fd) != 0 || ::fchmod(fd, mode) != 0) {
        setError(error, "cannot flush " + path);
        ::close(fd);
        ::unlink(tmp.c_str());
        return false;
    }
    if (::close(fd) != 0 || std::rename(tmp.c_str(), path.c_str()) != 0) {
        setError(error, "cannot replace " + path);
        ::unlink(tmp.c_str());
        return false;
    }
    return true;
}

} // namespace platform
