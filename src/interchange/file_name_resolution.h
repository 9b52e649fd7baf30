#pragma once
// File-name resolution after an import, and its reverse before an export. RPG Maker names its
// graphics and sounds by bare title (no folder, no extension); after an import every picture path
// and every sound path is resolved against the folder settings "FolderName_G" (pictures) and
// "FolderName_S" (sounds), and an export turns each path back into its title.
//
// Resolution looks for the title on disk, in the folder itself when it is absolute and in the
// folder under the imported project's base folder (the working folder) when it is relative, and
// stores the file found - folder, this system's separator, the title and the extension found - or,
// when there is none, the folder and the title with this system's separator (loading then probes
// the known extensions, document/media_files.h).
//
// A title may hold dots ("Light.Effect", "Hit.v2"): resolution adds only a known extension of its
// kind, and TitleOf takes off only a known extension, so that a title survives an import followed
// by an export whatever it holds.

#include "document/media_files.h"

#include <span>
#include <string>
#include <string_view>

class cProject;
class cConfig;

namespace interchange {

// The stored path for a title imported under folder. title and folder are texts of the project
// code page named by locale; baseFolder is the disk folder (UTF-8) a relative folder lies in. No
// separator is added after a folder that already ends with one, and an empty folder gives the
// title alone (searched in baseFolder).
std::string ResolveImportedFileName(const std::string& title, const std::string& folder,
                                    const std::string& baseFolder, const std::string& locale,
                                    std::span<const std::string_view> extensions);

// Resolves every occupied picture slot with a non-empty path and every occupied effect slot with a
// non-empty sound path of doc, relative folders against baseFolder (a disk folder, UTF-8).
void ResolveImportedFileNames(cProject& doc, const cConfig& config, const std::string& baseFolder);

// The title of a stored path: its file name part without a known picture or sound extension (ASCII
// case ignored); any other text after a dot is kept. "Graphics\Fire1.png" -> "Fire1",
// "Sound\Hit.v2" -> "Hit.v2".
std::string TitleOf(std::string_view path);

} // namespace interchange
