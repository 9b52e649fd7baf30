#include "interchange/file_name_resolution.h"

#include "config/config.h"
#include "document/project.h"
#include "platform/path.h"

#include <algorithm>

namespace interchange {

namespace {

constexpr std::string_view kPictureExtensions[] = {".png", ".bmp", ".gif", ".xyz", ".jpg"};
constexpr std::string_view kSoundExtensions[] = {".wav",  ".ogg", ".mp3", ".mid",
                                                 ".midi", ".wma", ".m4a", ".flac"};

bool IsKnownExtension(std::string_view ext) {
    std::string lower(ext);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    auto known = [&lower](std::span<const std::string_view> list) {
        return std::find(list.begin(), list.end(), lower) != list.end();
    };
    return known(kPictureExtensions) || known(kSoundExtensions);
}

} // namespace

std::span<const std::string_view> PictureExtensions() {
    return kPictureExtensions;
}
std::span<const std::string_view> SoundExtensions() {
    return kSoundExtensions;
}

std::string ResolveImportedFileName(const std::string& title, const std::string& folder,
                                    std::span<const std::string_view> extensions) {
    if (folder.empty()) return title;
    std::string name = title;
    if (platform::IsAbsolute(folder)) {
        std::string found = platform::FindTitleFile(folder, title, extensions);
        if (!found.empty()) name = found;
    }
    if (platform::IsSeparator(folder.back())) return folder + name;
    return folder + "\\" + name;
}

void ResolveImportedFileNames(cProject& doc, const cConfig& config) {
    for (int i = 0; i < doc.pictureCapacity(); ++i)
        if (const strPicture* p = doc.picture(i); p && !p->path.empty()) {
            strPicture resolved = *p;
            resolved.path = ResolveImportedFileName(p->path, config.FolderName_G, kPictureExtensions);
            doc.setPicture(i, &resolved);
        }
    for (int i = 0; i < doc.effectCapacity(); ++i)
        if (const strEffect* e = doc.effect(i); e && !e->soundPath.empty()) {
            strEffect resolved = *e;
            resolved.soundPath = ResolveImportedFileName(e->soundPath, config.FolderName_S, kSoundExtensions);
            doc.changeEffect(i, resolved);
        }
}

std::string TitleOf(std::string_view path) {
    std::string name = platform::FileNamePart(path);
    const std::string ext = platform::Extension(name);
    if (!ext.empty() && IsKnownExtension(ext)) name.resize(name.size() - ext.size());
    return name;
}

} // namespace interchange
