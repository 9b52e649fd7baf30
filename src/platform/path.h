#pragma once
// Path helpers. Stored paths keep the form they were given; both "\" and "/" separate folders.
// A path may start with a root: "/" or "\" (one separator), "//" or "\\" (two: a network name), or
// a drive "C:" followed by a separator ("C:\", "C:/"). A drive without a separator ("C:file") is a
// drive-relative path: "C:" is kept as a prefix but the path is not absolute.
// The string helpers are pure; only the last group touches the file system.

#include <span>
#include <string>
#include <string_view>

namespace platform {

bool IsSeparator(char c);
// The separator of the running system: "/" on Linux, "\\" on Windows.
char NativeSeparator();

// The part after the last separator (or after a drive prefix): "a\b/c.png" -> "c.png".
std::string FileNamePart(std::string_view path);
// The part before the last separator, without it; a root keeps its separator:
// "a\b/c.png" -> "a\b", "c.png" -> "", "/c.png" -> "/", "C:\c.png" -> "C:\", "C:c.png" -> "C:".
std::string FolderPart(std::string_view path);
// The extension of the file name part with its dot: "a/b.tar.gz" -> ".gz". A name without a dot,
// a name whose only dot is its first character (".ini"), and "." / ".." have none ("").
std::string Extension(std::string_view path);
// The file name part without its extension: "a/b.png" -> "b".
std::string StemPart(std::string_view path);
// True for "/...", "\...", "C:\...", "C:/...".
bool IsAbsolute(std::string_view path);

// base + separator + name. An absolute name, or an empty base, gives the name unchanged; an empty
// name gives the base. The separator is the last one the base uses (nothing is added when the base
// ends with a separator); a base without any separator uses "\" after a drive ("C:") and the native
// separator ("/" on Linux) otherwise.
std::string JoinPath(std::string_view base, std::string_view name);
// Collapses ".", "..", and repeated separators lexically, keeping the root and the separator the
// path uses first. ".." at the root is dropped; leading ".." of a relative path is kept.
// A trailing separator is removed (except from a root); an empty relative result is "." (an empty
// path stays empty).
// "a\b\..\c" -> "a\c", "/x/./y/" -> "/x/y", "a/.." -> ".", "../a" -> "../a".
std::string Canonicalise(std::string_view path);
// A stored path made usable on disk: a relative path is joined to baseFolder (an empty base leaves
// it relative), the result is canonicalised, and on Linux every "\" becomes "/".
std::string ResolveForDisk(std::string_view stored, std::string_view baseFolder);
// "\" -> "/" on Linux (the path as given elsewhere).
std::string ToDiskSeparators(std::string_view path);

// ---- file system --------------------------------------------------------------------------------

bool Exists(const std::string& path);
bool IsFolder(const std::string& path);
bool IsRegularFile(const std::string& path);
// Creates the folder and any missing parent; true when it is a folder afterwards.
bool MakeFolder(const std::string& path);
// The file name (not the path) of the first file in `folder` named title + "." + any extension
// ("title.png", "title.tar.gz"; not "title" itself, not folders), or "" when there is none. On Linux
// the match is case-sensitive; elsewhere an exact-case match is preferred and ASCII case is ignored
// otherwise. Among several matches the one with the smallest name in byte order wins, so the result
// does not depend on the directory's order. "\" in folder separates folders. When extensions is
// not empty, only title + "." + one of them counts (ASCII case ignored; ".png" and "png" alike).
std::string FindTitleFile(const std::string& folder, std::string_view title,
                          std::span<const std::string_view> extensions = {});
// FindTitleFile with ASCII case ignored on every system (an exact-case match still wins): for
// files named on a system that ignores case.
std::string FindTitleFileIgnoringCase(const std::string& folder, std::string_view title,
                                      std::span<const std::string_view> extensions = {});
// The folder of the running executable (from /proc/self/exe on Linux), or "" when unknown.
std::string ExecutableFolder();
// The per-user configuration folder of the application: $XDG_CONFIG_HOME/appName when that variable
// holds an absolute path, else $HOME/.config/appName; "" when neither is known.
std::string UserConfigFolder(std::string_view appName);

} // namespace platform
