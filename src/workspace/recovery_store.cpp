#include "workspace/recovery_store.h"

#include "document/anime_file_device.h"
#include "document/file_reason.h"
#include "document/project.h"
#include "platform/file_io.h"
#include "platform/path.h"
#include "platform/process_lock.h"
#include "workspace/recovery_info.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <system_error>

namespace {

constexpr size_t kOwnerDigits = 16;
constexpr size_t kMaxInfoBytes = 64 * 1024;
constexpr const char* kCopy = ".dat";
constexpr const char* kInfo = ".json";
constexpr const char* kLock = ".lock";

std::string RandomOwner() {
    std::random_device device;
    std::mt19937_64 mix((uint64_t(device()) << 32) ^ device() ^ uint64_t(platform::ProcessId()));
    const uint64_t v = mix();
    char out[kOwnerDigits + 1];
    std::snprintf(out, sizeof out, "%016llx", static_cast<unsigned long long>(v));
    return out;
}

bool IsOwner(std::string_view s) {
    return s.size() == kOwnerDigits && std::all_of(s.begin(), s.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

// "OWNER-SLOT" with a slot of decimal digits.
bool SplitName(std::string_view name, std::string& owner) {
    if (name.size() < kOwnerDigits + 2 || name[kOwnerDigits] != '-') return false;
    const std::string_view slot = name.substr(kOwnerDigits + 1);
    if (slot.size() > 9 ||
        !std::all_of(slot.begin(), slot.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    owner = std::string(name.substr(0, kOwnerDigits));
    return IsOwner(owner);
}

bool EndsWith(std::string_view s, std::string_view tail) {
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

bool ReadInfo(const std::string& path, strRecoveryInfo& info, strMessage& why) {
    std::vector<uint8_t> bytes;
    if (std::string english; !platform::ReadWholeFile(path, bytes, kMaxInfoBytes, &english)) {
        why = FileFailureMessage(english, kMaxInfoBytes);
        return false;
    }
    return DecodeRecoveryInfo(bytes, info, &why);
}

bool ReadCopy(const std::string& path, cProject& doc, strMessage& why) {
    std::vector<uint8_t> bytes;
    if (std::string english; !platform::ReadWholeFile(path, bytes, size_t(256) << 20, &english)) {
        why = FileFailureMessage(english);
        return false;
    }
    return cRecoveryStore::deserialise(bytes, doc, &why);
}

} // namespace

std::string cRecoveryStore::folderFor(const std::string& settingsFile) {
    if (settingsFile.empty()) return {};
    return platform::JoinPath(platform::FolderPart(settingsFile), "recovery");
}

cRecoveryStore::cRecoveryStore(std::string folder) : folder_(std::move(folder)) {}

cRecoveryStore::~cRecoveryStore() {
    close();
}

std::string cRecoveryStore::damagedFolder() const {
    return platform::JoinPath(folder_, "damaged");
}

std::string cRecoveryStore::pathOf(const std::string& name, const char* extension) const {
    return platform::JoinPath(folder_, name + extension);
}

bool cRecoveryStore::open(strMessage* error) {
    if (isOpen()) return true;
    if (folder_.empty() || !platform::MakeFolder(folder_)) {
        if (error) *error = strMessage(kRecoveryCannotMakeFolder, folder_);
        return false;
    }
    const std::string content =
        "pid=" + std::to_string(platform::ProcessId()) + "\nhost=" + platform::HostName() + "\n";
    // A name that is taken (or a lock file swept away before it was locked) is tried again.
    for (int attempt = 0; attempt < 8 && !isOpen(); ++attempt) {
        owner_ = RandomOwner();
        lockFd_ = platform::CreateHeldLockFile(pathOf(owner_, kLock), content);
        if (lockFd_ < 0 && error)
            *error = strMessage(kRecoveryCannotLock, pathOf(owner_, kLock), SystemReason(errno));
    }
    if (!isOpen()) owner_.clear();
    return isOpen();
}

void cRecoveryStore::close() {
    if (!isOpen()) return;
    ::unlink(pathOf(owner_, kLock).c_str());
    ::close(lockFd_);
    lockFd_ = -1;
}

std::string cRecoveryStore::copyPath(int slot) const {
    return pathOf(owner_ + "-" + std::to_string(slot), kCopy);
}

std::string cRecoveryStore::infoPath(int slot) const {
    return pathOf(owner_ + "-" + std::to_string(slot), kInfo);
}

bool cRecoveryStore::writeCopy(int slot, std::span<const uint8_t> project, const strRecoveryInfo& info,
                               strMessage* error) const {
    if (!isOpen()) {
        if (error) *error = strMessage(kRecoveryNotOpen);
        return false;
    }
    const std::string text = EncodeRecoveryInfo(info);
    const std::span<const uint8_t> infoBytes(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    // The copy first: a description without its copy would describe the wrong state.
    std::string english;
    if (platform::WriteFileAtomically(copyPath(slot), project, &english) &&
        platform::WriteFileAtomically(infoPath(slot), infoBytes, &english))
        return true;
    if (error) *error = FileFailureMessage(english);
    return false;
}

bool cRecoveryStore::removeCopy(int slot) const {
    if (!isOpen()) return false;
    // The copy first: a description left alone is dropped by the next listing, a copy alone is kept.
    const bool copy = ::unlink(copyPath(slot).c_str()) == 0 || errno == ENOENT;
    const bool info = ::unlink(infoPath(slot).c_str()) == 0 || errno == ENOENT;
    return copy && info;
}

bool cRecoveryStore::hasCopy(int slot) const {
    return isOpen() && platform::IsRegularFile(copyPath(slot));
}

bool cRecoveryStore::ownerAlive(const std::string& owner) const {
    if (owner == owner_) return true;
    const std::string lock = pathOf(owner, kLock);
    switch (platform::ProbeLockFile(lock)) {
    case platform::eLockState::kHeld:
        return true;
    case platform::eLockState::kFree:
    case platform::eLockState::kMissing:
        return false;
    case platform::eLockState::kUnknown:
        break;
    }
    // A file system without locks: the process id on the same host decides; another host's editor
    // cannot be asked and counts as running.
    std::vector<uint8_t> bytes;
    if (!platform::ReadWholeFile(lock, bytes, 4096)) return false;
    const std::string text(bytes.begin(), bytes.end());
    int pid = 0;
    std::string host;
    size_t at = text.find("pid=");
    if (at != std::string::npos) pid = std::atoi(text.c_str() + at + 4);
    at = text.find("host=");
    if (at != std::string::npos) host = text.substr(at + 5, text.find('\n', at) - at - 5);
    if (host != platform::HostName()) return true;
    return platform::ProcessRuns(pid);
}

strRecoveryProblem cRecoveryStore::moveAside(const std::string& name, const strMessage& reason) const {
    strRecoveryProblem p;
    p.reason = reason;
    const std::string damaged = damagedFolder();
    const bool folder = platform::MakeFolder(damaged);
    for (const char* ext : {kCopy, kInfo}) {
        const std::string from = pathOf(name, ext);
        if (!platform::Exists(from)) continue;
        if (p.file.empty() || ext == std::string(kCopy)) p.file = from;
        if (!folder) continue;
        // A name already taken in damaged/ gets a number.
        std::string to = platform::JoinPath(damaged, name + ext);
        for (int n = 2; platform::Exists(to) && n < 1000; ++n)
            to = platform::JoinPath(damaged, name + "." + std::to_string(n) + ext);
        if (std::rename(from.c_str(), to.c_str()) == 0 && (p.movedTo.empty() || ext == std::string(kCopy)))
            p.movedTo = to;
    }
    return p;
}

void cRecoveryStore::removeGoneLocks(const std::vector<std::string>& owners) const {
    for (const std::string& owner : owners) {
        bool hasCopies = false;
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(folder_, ec)) {
            std::string o;
            const std::string file = e.path().filename().string();
            if (SplitName(platform::StemPart(file), o) && o == owner) hasCopies = true;
        }
        if (!hasCopies) platform::RemoveFreeLockFile(pathOf(owner, kLock));
    }
}

std::vector<strRecoveryEntry> cRecoveryStore::list(std::vector<strRecoveryProblem>* problems) {
    std::vector<strRecoveryEntry> out;
    if (problems) problems->clear();
    std::set<std::string> copies, infos, lockOwners;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(folder_, ec)) {
        const std::string file = e.path().filename().string();
        const std::string stem = platform::StemPart(file);
        std::string owner;
        if (EndsWith(file, kLock) && IsOwner(stem))
            lockOwners.insert(stem);
        else if (EndsWith(file, kCopy) && SplitName(stem, owner))
            copies.insert(stem);
        else if (EndsWith(file, kInfo) && SplitName(stem, owner))
            infos.insert(stem);
    }
    std::map<std::string, bool> alive;
    auto gone = [&](const std::string& name) {
        const std::string owner = name.substr(0, kOwnerDigits);
        auto it = alive.find(owner);
        if (it == alive.end()) it = alive.emplace(owner, ownerAlive(owner)).first;
        return !it->second;
    };
    for (const std::string& name : infos)
        if (!copies.count(name) && gone(name)) ::unlink(pathOf(name, kInfo).c_str());
    for (const std::string& name : copies) {
        if (!gone(name)) continue;
        platform::RemoveStaleTemporaryFiles(pathOf(name, kCopy));
        platform::RemoveStaleTemporaryFiles(pathOf(name, kInfo));
        strRecoveryEntry entry;
        entry.name = name;
        entry.copyPath = pathOf(name, kCopy);
        strMessage why;
        cProject probe;
        if (!infos.count(name)) {
            why = strMessage(kRecoveryNoDescription);
        } else if (ReadInfo(pathOf(name, kInfo), entry.info, why) && ReadCopy(entry.copyPath, probe, why)) {
            out.push_back(std::move(entry));
            continue;
        }
        const strRecoveryProblem p = moveAside(name, why);
        if (problems) problems->push_back(p);
    }
    std::vector<std::string> goneOwners;
    for (const std::string& owner : lockOwners)
        if (owner != owner_ && !ownerAlive(owner)) goneOwners.push_back(owner);
    removeGoneLocks(goneOwners);
    std::stable_sort(out.begin(), out.end(), [](const strRecoveryEntry& a, const strRecoveryEntry& b) {
        return a.info.savedAt < b.info.savedAt;
    });
    return out;
}

bool cRecoveryStore::recover(const strRecoveryEntry& entry, int slot, cProject& doc, strMessage* error) {
    auto fail = [error](strMessage why) {
        if (error) *error = std::move(why);
        return false;
    };
    if (!isOpen()) return fail(strMessage(kRecoveryNotOpen));
    std::string owner;
    if (!SplitName(entry.name, owner) || owner == owner_ || ownerAlive(owner))
        return fail(strMessage(kRecoveryInUse));
    // Renaming takes the copy: of two editors trying at once, only one finds it.
    if (std::rename(pathOf(entry.name, kCopy).c_str(), copyPath(slot).c_str()) != 0)
        return fail(strMessage(kRecoveryTaken));
    std::rename(pathOf(entry.name, kInfo).c_str(), infoPath(slot).c_str());
    strMessage why;
    strRecoveryInfo info;
    if (!ReadInfo(infoPath(slot), info, why) || !ReadCopy(copyPath(slot), doc, why)) {
        const std::string mine = owner_ + "-" + std::to_string(slot);
        const strRecoveryProblem p = moveAside(mine, why);
        return fail(p.movedTo.empty() ? why : strMessage(kRecoveryMovedTo, why, p.movedTo));
    }
    removeGoneLocks({owner});
    doc.setText(kTextBaseFolder, info.baseFolder);
    doc.setText(kTextFileName, info.fileName);
    doc.setSetting(kKeySaveFormat, info.saveFormat);
    if (doc.frameCount() == 0) doc.frameOrCreate(0);
    doc.setUntitled(info.origin != eRecoveryOrigin::kFile);
    doc.markModified();
    return true;
}

bool cRecoveryStore::discard(const strRecoveryEntry& entry, strMessage* error) {
    std::string owner;
    if (!SplitName(entry.name, owner) || owner == owner_ || ownerAlive(owner)) {
        if (error) *error = strMessage(kRecoveryInUse);
        return false;
    }
    const bool copy = ::unlink(pathOf(entry.name, kCopy).c_str()) == 0 || errno == ENOENT;
    ::unlink(pathOf(entry.name, kInfo).c_str());
    if (!copy) {
        if (error) *error = strMessage(kRecoveryCannotRemove, pathOf(entry.name, kCopy));
        return false;
    }
    removeGoneLocks({owner});
    return true;
}

bool cRecoveryStore::serialise(const cProject& doc, std::vector<uint8_t>& out, strMessage* error) {
    anime::cAnimeFileDevice device;
    if (device.writeBinary(doc, out) == 1) return true;
    // More pictures or sounds than the binary format counts: the text format holds them.
    if (device.writeText(doc, out) == 1) return true;
    if (error) *error = device.lastReason();
    return false;
}

bool cRecoveryStore::deserialise(std::span<const uint8_t> bytes, cProject& doc, strMessage* error) {
    anime::cAnimeFileDevice device;
    int r = -1;
    switch (anime::cAnimeFileDevice::detectFormat(bytes)) {
    case anime::kFormatBinary:
        r = device.readBinary(bytes, doc);
        break;
    case anime::kFormatText:
        r = device.readText(bytes, doc);
        break;
    default:
        if (error) *error = strMessage(kRecoveryNotProject);
        return false;
    }
    if (r != 1) {
        if (error) *error = device.lastReason().none() ? strMessage(kRecoveryDamaged) : device.lastReason();
        return false;
    }
    return true;
}
