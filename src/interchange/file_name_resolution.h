#pragma once
// File-name resolution after an import, and its reverse before an export. RPG Maker names its
// graphics and sounds by bare title (no folder, no extension); after an import every picture path
// and every sound path is resolved against the folder settings "FolderName_G" (pictures) and
// "FolderName_S" (sounds), and an export turns each path back into its title.
//
// A title may hold dots ("Light.Effect", "Hit.v2"): resolution adds only a known extension of its
// kind, and TitleOf takes off only a known extension, so that a title survives an import followed
// by an export whatever it holds.

#include <span>
#include <string>
#include <string_view>

class cProject;
class cConfig;

namespace interchange {

// Extensions of the pictures and sounds a title may name (with their dots, lower case).
std::span<const std::string_view> PictureExtensions();
std::span<const std::string_view> SoundExtensions();

// The stored path for a title: when folder is absolute and holds a file named title + one of the
// extensions, the folder, a backslash and that file's name (the smallest such name in byte order);
// otherwise the folder, a backslash and the title (no extension added). The backslash is what RPG
// Maker's folder settings use and is kept as the stored form; resolving on disk accepts both
// separators. No separator is added after a folder that already ends with one, and an empty folder
// gives the title alone.
std::string ResolveImportedFileName(const std::string& title, const std::string& folder,
                                    std::span<const std::string_view> extensions);

// Resolves every occupied picture slot with a non-empty path and every occupied effect slot with a
// non-empty sound path of doc.
void ResolveImportedFileNames(cProject& doc, const cConfig& config);

// The title of a stored path: its file name part without a known picture or sound extension (ASCII
// case ignored); any other text after a dot is kept. "Graphics\Fire1.png" -> "Fire1",
// "Sound\Hit.v2" -> "Hit.v2".
std::string TitleOf(std::string_view path);

} // namespace interchange
