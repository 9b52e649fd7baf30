#pragma once
// The kinds of files a project's pictures and sound effects name, and how a stored name without
// one of their extensions finds its file. RPG Maker names graphics and sounds by bare title; a
// title stored without an extension ("BattleEffect/sheet5") loads whichever known kind is there.

#include <span>
#include <string>
#include <string_view>
#include <vector>

// Extensions with their dots, lower case: pictures .png .bmp .gif .xyz .jpg; sounds .wav .ogg .mp3
// .mid .midi .wma .m4a .flac.
std::span<const std::string_view> PictureExtensions();
std::span<const std::string_view> SoundExtensions();
// True when ext (with its dot, any ASCII case) is one of extensions.
bool IsKnownExtension(std::string_view ext, std::span<const std::string_view> extensions);

// The file a resolved disk path (UTF-8) loads: the path itself when a regular file is there or
// when it already ends in one of extensions; otherwise, when its folder holds the name plus one
// of extensions (platform::FindTitleFile), that file; otherwise the path unchanged.
std::string FindMediaFile(const std::string& diskPath, std::span<const std::string_view> extensions);

// Where FindMediaFile looked for a file, for a message that says so: the folder and the names tried
// there (the name itself, and for a name without a known extension also the name with each of them).
struct strMediaLookup {
    bool found = false;
    std::string file;               // the file found, or the resolved path when there is none
    std::string folder;             // the folder looked in
    std::vector<std::string> names; // the names tried there
};
strMediaLookup LookUpMediaFile(const std::string& diskPath, std::span<const std::string_view> extensions);
