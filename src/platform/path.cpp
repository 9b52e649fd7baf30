#include "platform/path.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#if defined(__linux__)
#include <unistd.h>
#endif

namespace platform {

namespace {

#ifdef _WIN32
constexpr char kNativeSeparator = '\\';
#else
constexpr char kNativeSeparator = '/';
#endif

bool isDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool hasDrive(std::string_view p) {
    return p.size() >= 2 && isDriveLetter(p[0]) && p[1] == ':';
}

// Length of the root prefix: "C:\" 3, "C:" 2, "\\" 2, "\" 1, none 0.
size_t rootLength(std::string_view p) {
    if (hasDrive(p)) return (p.size() >= 3 && IsSeparator(p[2])) ? 3 : 2;
    if (p.size() >= 2 && IsSeparator(p[0]) && IsSeparator(p[1])) return 2;
    if (!p.empty() && IsSeparator(p[0])) return 1;
    return 0;
}

// Index where the file name part starts.
size_t fileNameStart(std::string_view p) {
    size_t root = rootLength(p);
    size_t start = root;
    for (size_t i = p.size(); i > root; --i) {
        if (IsSeparator(p[i - 1])) {
            start = i;
            break;
        }
    }
    return start;
}

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool equalText(std::string_view a, std::string_view b, bool ignoreCase) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (ignoreCase ? lowerAscii(a[i]) != lowerAscii(b[i]) : a[i] != b[i]) return false;
    return true;
}

bool startsWithTitle(std::string_view name, std::string_view title, bool ignoreCase) {
    if (name.size() <= title.size() || name[title.size()] != '.') return false;
    return equalText(name.substr(0, title.size()), title, ignoreCase);
}

// The text after "title." is one of the extensions (without their dots, ASCII case ignored); any
// text when the list is empty.
bool hasExtension(std::string_view name, size_t titleSize, std::span<const std::string_view> extensions) {
    if (extensions.empty()) return true;
    const std::string_view rest = name.substr(titleSize + 1);
    for (std::string_view e : extensions)
        if (equalText(rest, e.substr(e.starts_with('.') ? 1 : 0), true)) return true;
    return false;
}

} // namespace

char NativeSeparator() {
    return kNativeSeparator;
}

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

std::string FileNamePart(std::string_view path) {
    return std::string(path.substr(fileNameStart(path)));
}

std::string FolderPart(std::string_view path) {
    size_t root = rootLength(path);
    size_t end = fileNameStart(path);
    while (end > root && IsSeparator(path[end - 1]))
        --end;
    return std::string(path.substr(0, end));
}

std::string Extension(std::string_view path) {
    std::string name = FileNamePart(path);
    if (name == "." || name == "..") return {};
    size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0) return {};
    return name.substr(dot);
}

std::string StemPart(std::string_view path) {
    std::string name = FileNamePart(path);
    return name.substr(0, name.size() - Extension(path).size());
}

bool IsAbsolute(std::string_view path) {
    if (!path.empty() && IsSeparator(path[0])) return true;
    return hasDrive(path) && path.size() >= 3 && IsSeparator(path[2]);
}

std::string JoinPath(std::string_view base, std::string_view name) {
    if (name.empty()) return std::string(base);
    if (base.empty() || IsAbsolute(name)) return std::string(name);
    std::string out(base);
    if (IsSeparator(base.back())) return out.append(name);
    char sep = kNativeSeparator;
    size_t last = base.find_last_of("/\\");
    if (last != std::string_view::npos)
        sep = base[last];
    else if (base.size() == 2 && hasDrive(base))
        sep = '\\';
    out += sep;
    return out.append(name);
}

std::string Canonicalise(std::string_view path) {
    if (path.empty()) return {};
    size_t rootLen = rootLength(path);
    std::string_view root = path.substr(0, rootLen);
    bool absolute = IsAbsolute(path);
    char sep = kNativeSeparator;
    size_t firstSep = path.find_first_of("/\\");
    if (firstSep != std::string_view::npos) sep = path[firstSep];

    std::vector<std::string_view> parts;
    size_t pos = rootLen;
    while (pos <= path.size()) {
        size_t next = path.find_first_of("/\\", pos);
        if (next == std::string_view::npos) next = path.size();
        std::string_view part = path.substr(pos, next - pos);
        if (part.empty() || part == ".") {
            // nothing
        } else if (part == "..") {
            if (!parts.empty() && parts.back() != "..")
                parts.pop_back();
            else if (!absolute)
                parts.push_back(part);
        } else {
            parts.push_back(part);
        }
        pos = next + 1;
    }
    std::string out(root);
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) out += sep;
        out.append(parts[i]);
    }
    if (out.empty()) out.push_back('.');
    return out;
}

std::string ToDiskSeparators(std::string_view path) {
    std::string out(path);
#ifndef _WIN32
    for (char& c : out)
        if (c == '\\') c = '/';
#endif
    return out;
}

std::string ResolveForDisk(std::string_view stored, std::string_view baseFolder) {
    std::string joined =
        (IsAbsolute(stored) || baseFolder.empty()) ? std::string(stored) : JoinPath(baseFolder, stored);
    return ToDiskSeparators(Canonicalise(joined));
}

bool Exists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::exists(path, ec);
}

bool IsFolder(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_directory(path, ec);
}

bool IsRegularFile(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

bool MakeFolder(const std::string& path) {
    if (path.empty()) return false;
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    return IsFolder(path);
}

namespace {

std::string findTitleFile(const std::string& folder, std::string_view title,
                          std::span<const std::string_view> extensions, bool foldCase) {
    if (title.empty()) return {};
    std::error_code ec;
    std::filesystem::directory_iterator it(ToDiskSeparators(folder.empty() ? "." : folder), ec);
    if (ec) return {};
    std::string exact, folded;
    for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
        if (ec) break;
        std::string name = it->path().filename().string();
        bool isExact = startsWithTitle(name, title, false);
        if (!isExact && !(foldCase && startsWithTitle(name, title, true))) continue;
        if (!hasExtension(name, title.size(), extensions)) continue;
        std::error_code typeEc;
        if (it->is_directory(typeEc)) continue;
        std::string& best = isExact ? exact : folded;
        if (best.empty() || name < best) best = name;
    }
    return exact.empty() ? folded : exact;
}

} // namespace

std::string FindTitleFile(const std::string& folder, std::string_view title,
                          std::span<const std::string_view> extensions) {
#ifdef __linux__
    return findTitleFile(folder, title, extensions, false);
#else
    return findTitleFile(folder, title, extensions, true);
#endif
}

std::string FindTitleFileIgnoringCase(const std::string& folder, std::string_view title,
                                      std::span<const std::string_view> extensions) {
    return findTitleFile(folder, title, extensions, true);
}

std::string ExecutableFolder() {
#if defined(__linux__)
    std::vector<char> buf(4096);
    for (int attempt = 0; attempt < 5; ++attempt) {
        ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size());
        if (n < 0) return {};
        if (size_t(n) < buf.size()) return FolderPart(std::string_view(buf.data(), size_t(n)));
        buf.resize(buf.size() * 4);
    }
    return {};
#else
    // Other systems: unknown for now, so there is no portable mode there.
    return {};
#endif
}

std::string UserConfigFolder(std::string_view appName) {
#ifdef _WIN32
    const char* appData = std::getenv("APPDATA");
    if (appData && *appData) return JoinPath(appData, appName);
    return {};
#else
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') return JoinPath(xdg, appName);
    const char* home = std::getenv("HOME");
    if (home && *home) return JoinPath(JoinPath(home, ".config"), appName);
    return {};
#endif
}

} // namespace platform
