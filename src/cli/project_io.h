#pragma once
// Project loading and saving for the subcommands, with failures reported through Fail.

#include "cli/commands.h"
#include "document/anime_file_device.h"

#include <ostream>
#include <string>

class cProject;

namespace cli {

bool LoadProject(Context& ctx, const std::string& path, cProject& doc, int* format);
// saveFormat < 0 uses the project's own save format.
bool SaveProject(Context& ctx, const std::string& path, cProject& doc, int saveFormat = -1);
// A document text in UTF-8 for printing.
std::string ToUtf8(const Context& ctx, const std::string& text);
// One line per picture slot with its load result, size, depth and pattern grid.
void PrintPictureInfo(Context& ctx, const cProject& doc, std::ostream& out);

}  // namespace cli
