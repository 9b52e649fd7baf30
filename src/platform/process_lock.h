#pragma once
// Lock files that say a process is running: the process keeps the file locked while it runs, and
// the system lets the lock go when the process ends in any way (a crash or a kill included). Other
// processes ask whether the lock is still held.

#include <string>

namespace platform {

// The process id and the host name of this process.
int ProcessId();
std::string HostName();
// Whether a process of that id runs on this host.
bool ProcessRuns(int pid);

// Creates the lock file at path (it must not exist yet), locks it and writes content into it.
// Returns the descriptor, which holds the lock until it is closed, or -1 with errno saying why
// (ENOENT when another process removed the file before it was locked), for the caller to word.
int CreateHeldLockFile(const std::string& path, const std::string& content);

enum class eLockState { kHeld, kFree, kUnknown, kMissing };
// Whether the lock of the file at path is held by a process (this one included); kUnknown when
// the file system cannot lock, kMissing when there is no such file.
eLockState ProbeLockFile(const std::string& path);
// Removes the lock file when nobody holds its lock; whether it is gone.
bool RemoveFreeLockFile(const std::string& path);

} // namespace platform
