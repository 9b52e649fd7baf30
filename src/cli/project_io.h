#pragma once
// Project loading and saving for the subcommands, with failures reported through Fail.

#include "cli/commands.h"
#include "document/anime_file_device.h"

#include <memory>
#include <ostream>
#include <string>

class cProject;
class cPictureSlotTable;
enum class eSheetProduct : int;
struct strCaptureArea;

namespace cli {

// Loads a project through the workspace (its base folder becomes the file's folder); null after a
// failure, reported through Fail. format, when given, receives the detected file format.
std::unique_ptr<cProject> LoadProject(Context& ctx, const std::string& path, int* format = nullptr);
// The same into doc (a new project on ctx.config); false after a reported failure.
bool LoadProject(Context& ctx, const std::string& path, cProject& doc, int* format);
// saveFormat < 0 uses the project's own save format. What the format could not keep is reported as
// a warning on stderr.
// With rebasePaths, a file saved elsewhere than the base folder gets its picture and sound paths
// rebased (cWorkspace::save).
bool SaveProject(Context& ctx, const std::string& path, cProject& doc, int saveFormat = -1,
                 bool rebasePaths = false);
// The capture helpers of `pelko render` and `pelko export` (cmd_render.cpp).
// The project's pictures (against its base folder) and, when targetPath is not empty, the target
// picture; a picture that cannot be loaded is a warning, a target that cannot be loaded fails.
bool LoadCapturePictures(Context& ctx, cProject& doc, const std::string& targetPath,
                         cPictureSlotTable& slots);
// The capture area: "L,T,W,H", or the Auto cut range when areaText is empty.
bool ChooseCaptureArea(Context& ctx, const cProject& doc, const cPictureSlotTable& slots,
                       const std::string& areaText, strCaptureArea& area);
// A background colour "0xRRGGBB".
bool ParseBackground(Context& ctx, const std::string& text, uint32_t& rgb);
// The product of --product (any, 2000, xp, vx, vxace, mv; cmd_sheet.cpp).
bool ParseSheetProduct(Context& ctx, const std::string& name, eSheetProduct& product);
// A document text in UTF-8 for printing.
std::string ToUtf8(const Context& ctx, const std::string& text);
// One line per picture slot with its load result, size, depth and pattern grid.
void PrintPictureInfo(Context& ctx, const cProject& doc, std::ostream& out);

} // namespace cli
