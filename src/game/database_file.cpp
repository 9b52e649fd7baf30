#include "game/database_file.h"

#include "platform/file_io.h"
#include "platform/path.h"

#include <ctime>
#include <string_view>
#include <sys/stat.h>

namespace game {

namespace {

uint64_t HashOf(std::span<const uint8_t> bytes) {
    return std::hash<std::string_view>{}({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
}

} // namespace

bool cDatabaseFile::StampNow(strFileStamp& stamp, std::vector<uint8_t>* bytes, std::string* error) const {
    struct stat st;
    if (::stat(path_.c_str(), &st) != 0) {
        if (error) *error = "cannot find " + path_;
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        if (error) *error = path_ + " is not a regular file";
        return false;
    }
    std::vector<uint8_t> local;
    std::vector<uint8_t>& data = bytes ? *bytes : local;
    if (!platform::ReadWholeFile(path_, data, kMaxBytes, error)) return false;
    stamp.size = data.size();
    stamp.modified = int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp.hash = HashOf(data);
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
    return StampNow(stamp_, &bytes, error);
}

bool cDatabaseFile::ChangedOnDisk(std::string* why, std::vector<uint8_t>* bytes) const {
    strFileStamp now;
    std::string error;
    if (!StampNow(now, bytes, &error)) {
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

bool cDatabaseFile::Write(std::span<const uint8_t> bytes, std::string* backupMade, std::string* error) {
    if (backupMade) backupMade->clear();
    std::string why;
    // The file as it is now: unchanged since it was read (so it is also what the backup keeps).
    std::vector<uint8_t> current;
    if (ChangedOnDisk(&why, &current)) {
        if (error) *error = path_ + " changed on disk since it was read (" + why + "); open the game again";
        return false;
    }
    if (!backedUp_) {
        const std::string backup = BackupPath(static_cast<int64_t>(std::time(nullptr)));
        if (!platform::MakeFolder(platform::FolderPart(backup)) ||
            !platform::WriteFileAtomically(backup, current, &why)) {
            if (error) *error = "cannot make the backup " + backup + (why.empty() ? "" : ": " + why);
            return false;
        }
        backedUp_ = true;
        if (backupMade) *backupMade = backup;
    }
    current = {};
    if (!platform::WriteFileAtomically(path_, bytes, &why)) {
        if (error) *error = why;
        return false;
    }
    struct stat st;
    if (::stat(path_.c_str(), &st) != 0) {
        stamp_ = strFileStamp{}; // a later write refuses
        return true;
    }
    stamp_.size = bytes.size();
    stamp_.modified = int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp_.hash = HashOf(bytes);
    return true;
}

} // namespace game
