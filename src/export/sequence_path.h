#pragma once
// File names of a PNG sequence: the field "%05d" is inserted before the last "." of the
// chosen file name, and each image's number replaces it, five digits zero-padded; the rest of the
// path is taken literally (a "%" elsewhere in it stays as it is).

#include <string>

inline constexpr const char* kSequenceField = "%05d";

// "out/anim.png" -> "out/anim%05d.png". Only the file-name part is searched for the "."; a name
// without one gets the field at its end.
std::string InsertSequenceField(const std::string& path);
// Replaces the last "%05d" of pattern by index (at least five digits); a pattern without the field
// is first given one with InsertSequenceField.
std::string FormatSequencePath(const std::string& pattern, int index);
