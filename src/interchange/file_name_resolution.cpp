#include "interchange/file_name_resolution.h"

#include "config/config.h"
#include "document/project.h"
#include "platform/path.h"

namespace interchange {

std::string ResolveImportedFileName(const std::string& title, const std::string& folder) {
    if (folder.empty()) return title;
    std::string name = title;
    if (platform::IsAbsolute(folder)) {
        std::string found = platform::FindTitleFile(folder, title);
        if (!found.empty()) name = found;
    }
    if (platform::IsSeparator(folder.back())) return folder + name;
    return folder + "\\" + name;
}

void ResolveImportedFileNames(cProject& doc, const cConfig& config) {
    auto& pictures = doc.pictures();
    for (int i = 0; i < pictures.capacity(); ++i)
        if (strPicture* p = pictures.get(i); p && !p->path.empty())
            p->path = ResolveImportedFileName(p->path, config.FolderName_G);
    auto& effects = doc.effects();
    for (int i = 0; i < effects.capacity(); ++i)
        if (strEffect* e = effects.get(i); e && !e->soundPath.empty())
            e->soundPath = ResolveImportedFileName(e->soundPath, config.FolderName_S);
}

}  // namespace interchange
