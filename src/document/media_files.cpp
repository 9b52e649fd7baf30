#include "document/media_files.h"

#include "platform/path.h"

#include <algorithm>

namespace {

constexpr std::string_view kPictureExtensions[] = {".png", ".bmp", ".gif", ".xyz", ".jpg"};
constexpr std::string_view kSoundExtensions[] = {".wav",  ".ogg", ".mp3", ".mid",
                                                 ".midi", ".wma", ".m4a", ".flac"};

} // namespace

std::span<const std::string_view> PictureExtensions() {
    return kPictureExtensions;
}

std::span<const std::string_view> SoundExtensions() {
    return kSoundExtensions;
}

bool IsKnownExtension(std::string_view ext, std::span<const std::string_view> extensions) {
    std::string lower(ext);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return std::find(extensions.begin(), extensions.end(), lower) != extensions.end();
}

std::string FindMediaFile(const std::string& diskPath, std::span<const std::string_view> extensions) {
    if (diskPath.empty() || platform::IsRegularFile(diskPath)) return diskPath;
    const std::string name = platform::FileNamePart(diskPath);
    if (name.empty() || IsKnownExtension(platform::Extension(name), extensions)) return diskPath;
    const std::string folder = platform::FolderPart(diskPath);
    const std::string found = platform::FindTitleFile(folder.empty() ? "." : folder, name, extensions);
    return found.empty() ? diskPath : platform::JoinPath(folder, found);
}

strMediaLookup LookUpMediaFile(const std::string& diskPath, std::span<const std::string_view> extensions) {
    strMediaLookup out;
    out.file = FindMediaFile(diskPath, extensions);
    out.found = !out.file.empty() && platform::IsRegularFile(out.file);
    const std::string folder = platform::FolderPart(diskPath);
    out.folder = folder.empty() ? std::string(".") : folder;
    const std::string name = platform::FileNamePart(diskPath);
    if (name.empty()) return out;
    out.names.push_back(name);
    if (!IsKnownExtension(platform::Extension(name), extensions))
        for (std::string_view ext : extensions)
            out.names.push_back(name + std::string(ext));
    return out;
}
