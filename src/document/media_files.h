#pragma once
// The kinds of files a project's pictures and sound effects name, and how a stored name without
// one of their extensions finds its file. RPG Maker names graphics and sounds by bare title; a
// title stored without an extension ("BattleEffect/sheet5") loads whichever known kind is there.

#include <span>
#include <string>
#include <string_view>

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
