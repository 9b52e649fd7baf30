#include "platform/process_lock.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

int ProcessId() {
    return static_cast<int>(::getpid());
}

std::string HostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0) return {};
    return name;
}

bool ProcessRuns(int pid) {
    if (pid <= 0) return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

int CreateHeldLockFile(const std::string& path, const std::string& content) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) return -1;
    struct stat st;
    // Another process removes a lock file only while it holds the lock itself, so a file that was
    // still linked once the lock was taken stays.
    int number = 0;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::fstat(fd, &st) != 0)
        number = errno;
    else if (st.st_nlink == 0)
        number = ENOENT;
    if (number != 0) {
        ::close(fd);
        errno = number;
        return -1;
    }
    size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += size_t(n);
    }
    return fd;
}

eLockState ProbeLockFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? eLockState::kMissing : eLockState::kUnknown;
    eLockState state = eLockState::kFree;
    if (::flock(fd, LOCK_SH | LOCK_NB) != 0)
        state = errno == EWOULDBLOCK ? eLockState::kHeld : eLockState::kUnknown;
    ::close(fd);
    return state;
}

bool RemoveFreeLockFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT;
    const bool removed = ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::unlink(path.c_str()) == 0;
    ::close(fd);
    return removed;
}

} // namespace platform
