// pelko import gif: a new animation from an animated GIF, with its pattern sheet.

#include "cli/commands.h"
#include "cli/project_io.h"
#include "document/anime_file_device.h"
#include "document/project.h"
#include "export/gif_import.h"
#include "platform/code_page.h"
#include "platform/path.h"
#include "playback/play_clock.h"
#include "workspace/gif_document.h"
#include "workspace/workspace.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iostream>
#include <memory>

namespace cli {

namespace {

struct strImportArgs {
    std::string in, out, sheet, product = "any";
    int pattern = 0, perRow = 0, rate = 0;
};

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

void RunImportGif(Context& ctx, const strImportArgs& a) {
    strGifImportOptions o;
    if (!ParseSheetProduct(ctx, a.product, o.sheet.product)) return;
    o.sheet.patternSize = a.pattern;
    o.sheet.perRow = a.perRow;
    const int rate = a.rate > 0 ? a.rate : cPlayClock::rateOfIndex(ctx.config.PlayRate);
    o.tickMilliseconds = int(cPlayClock::periodOfRate(rate));
    const std::string ext = Lower(platform::Extension(a.out));
    const int format = ext == ".txt" ? anime::kFormatText : anime::kFormatBinary;
    const std::string sheet = !a.sheet.empty() ? a.sheet
                                               : platform::JoinPath(platform::FolderPart(a.out),
                                                                    platform::StemPart(a.out) + ".png");
    // As the editor's import makes it; saving it elsewhere than beside the sheet rebases the
    // picture's path as the editor's Save as does.
    strGifImportResult r;
    strMessage why;
    std::error_code ec;
    const std::filesystem::path sheetPath = std::filesystem::absolute(sheet, ec);
    std::unique_ptr<cProject> doc =
        ImportGifDocument(cWorkspace(ctx.config), a.in, ec ? sheet : sheetPath.string(), o, r, &why);
    if (!doc) {
        Fail(ctx, FormatMessage(why));
        return;
    }
    doc->setSetting(kKeySaveFormat, format == anime::kFormatText ? 1 : 0);
    if (!SaveProject(ctx, a.out, *doc, format, true)) return;
    std::cout << a.out << ": " << r.frames << " frames from " << a.in << " (" << r.screenWidth << " x "
              << r.screenHeight << "), basic interval " << r.basicInterval << " ticks at " << rate
              << " per second\n"
              << sheet << ": " << r.frames << " patterns of " << r.patternSize << " x " << r.patternSize;
    if (r.magnification != 100)
        std::cout << ", scaled down to fit; the cells show them at " << r.magnification << " %";
    std::cout << "\n";
}

} // namespace

void AddImportCommand(CLI::App& app, Context& ctx) {
    auto* cmd = app.add_subcommand("import", "make a new animation from another kind of file");
    cmd->require_subcommand(1);
    auto a = std::make_shared<strImportArgs>();
    auto* g =
        cmd->add_subcommand("gif", "an animated GIF: a pattern sheet of its frames and one cell a frame");
    g->add_option("IN", a->in, "the GIF")->required();
    g->add_option("OUT", a->out, "project file to write (.txt: text format, else binary)")->required();
    g->add_option("--sheet", a->sheet, "where the sheet PNG goes (default: beside OUT, named after it)");
    g->add_option("--product", a->product,
                  "hold the sheet to a product's limits: any, 2000, xp, vx, vxace, mv");
    g->add_option("--pattern", a->pattern, "pattern size in pixels (default: the product's, 192 or 96)")
        ->check(CLI::Range(1, 4096));
    g->add_option("--per-row", a->perRow, "patterns a row (default 5)")->check(CLI::Range(1, 1000));
    g->add_option("--rate", a->rate, "player ticks per second (default: the setting PlayRate)")
        ->check(CLI::Range(1, 120));
    g->callback([&ctx, a] { RunImportGif(ctx, *a); });
}

} // namespace cli
