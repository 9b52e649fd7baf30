#include "interchange/file_name_resolution.h"

#include "config/config.h"
#include "document/project.h"
#include "platform/code_page.h"
#include "platform/path.h"

namespace interchange {

std::string ResolveImportedFileName(const std::string& title, const std::string& folder,
                                    const std::string& baseFolder, const std::string& locale,
                                    std::span<const std::string_view> extensions) {
    std::string name = title;
    const std::string diskFolder = platform::ResolveForDisk(platform::ToUtf8(folder, locale), baseFolder);
    if (!diskFolder.empty()) {
        const std::string found =
            platform::FindTitleFile(diskFolder, platform::ToUtf8(title, locale), extensions);
        if (!found.empty()) name = platform::FromUtf8(found, locale);
    }
    if (folder.empty()) return name;
    if (platform::IsSeparator(folder.back())) return folder + name;
    return folder + platform::NativeSeparator() + name;
}

void ResolveImportedFileNames(cProject& doc, const cConfig& config, const std::string& baseFolder) {
    for (int i = 0; i < doc.pictureCapacity(); ++i)
        if (const strPicture* p = doc.picture(i); p && !p->path.empty()) {
            strPicture resolved = *p;
            resolved.path = ResolveImportedFileName(p->path, config.FolderName_G, baseFolder, config.Locale,
                                                    PictureExtensions());
            doc.setPicture(i, &resolved);
        }
    for (int i = 0; i < doc.effectCapacity(); ++i)
        if (const strEffect* e = doc.effect(i); e && !e->soundPath.empty()) {
            strEffect resolved = *e;
            resolved.soundPath = ResolveImportedFileName(e->soundPath, config.FolderName_S, baseFolder,
                                                         config.Locale, SoundExtensions());
            doc.changeEffect(i, resolved);
        }
}

std::string TitleOf(std::string_view path) {
    std::string name = platform::FileNamePart(path);
    const std::string ext = platform::Extension(name);
    if (!ext.empty() &&
        (IsKnownExtension(ext, PictureExtensions()) || IsKnownExtension(ext, SoundExtensions())))
        name.resize(name.size() - ext.size());
    return name;
}

} // namespace interchange
