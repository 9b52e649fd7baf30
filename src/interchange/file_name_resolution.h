#pragma once
// File-name resolution after an import. RPG Maker names its graphics
// and sounds by bare title (no folder, no extension); after an import every picture path and every
// sound path is resolved against the folder settings "FolderName_G" (pictures) and "FolderName_S"
// (sounds).

#include <string>

class cProject;
class cConfig;

namespace interchange {

// The stored path for a title: when folder is absolute and holds a file named title + ".*", the
// folder, a backslash and that file's name (the smallest such name in byte order); otherwise the
// folder, a backslash and the title (no extension added). The backslash is what RPG Maker's folder
// settings use and is kept as the stored form; resolving on disk accepts both separators. No
// separator is added after a folder that already ends with one, and an empty folder gives the
// title alone.
std::string ResolveImportedFileName(const std::string& title, const std::string& folder);

// Resolves every occupied picture slot with a non-empty path and every occupied effect slot with a
// non-empty sound path of doc.
void ResolveImportedFileNames(cProject& doc, const cConfig& config);

}  // namespace interchange
