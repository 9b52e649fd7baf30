// pelko import gif: a new animation from an animated GIF, with its pattern sheet.

#include "cli/commands.h"
#include "cli/project_io.h"
#include "document/anime_file_device.h"
#include "document/project.h"
#include "export/gif_import.h"
#include "platform/code_page.h"
#include "platform/path.h"
#include "playback/play_clock.h"

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

// The sheet as the project names it: its file name when it sits beside the project, else its path
// relative to the project's folder.
std::string PictureName(const std::string& project, const std::string& sheet) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path folder = fs::absolute(fs::path(project), ec).parent_path();
    const fs::path picture = fs::absolute(fs::path(sheet), ec);
    if (ec) return sheet;
    const fs::path relative = picture.lexically_relative(folder);
    return relative.empty() ? picture.string() : relative.generic_string();
}

void RunImportGif(Context& ctx, const strImportArgs& a) {
    strGifImportOptions o;
    if (!ParseSheetProduct(ctx, a.product, o.sheet.product)) return;
    o.sheet.patternSize = a.pattern;
    o.sheet.perRow = a.perRow;
    const int rate = a.rate > 0 ? a.rate : cPlayClock::RateOfIndex(ctx.config.PlayRate);
    o.tickMilliseconds = int(cPlayClock::PeriodOfRate(rate));
    const std::string ext = Lower(platform::Extension(a.out));
    const int format = ext == ".txt" ? ANIME::kFormatText : ANIME::kFormatBinary;
    const std::string sheet = !a.sheet.empty() ? a.sheet
                                               : platform::JoinPath(platform::FolderPart(a.out),
                                                                    platform::StemPart(a.out) + ".png");
    o.pictureName = platform::FromUtf8(PictureName(a.out, sheet), ctx.config.Locale);
    o.name = platform::FromUtf8(platform::StemPart(a.in), ctx.config.Locale);

    cProject doc(&ctx.config);
    strGifImportResult r;
    strMessage why;
    if (!ImportGifFile(a.in, sheet, o, doc, r, &why)) {
        Fail(ctx, FormatMessage(why));
        return;
    }
    doc.setSetting(kKeySaveFormat, format == ANIME::kFormatText ? 1 : 0);
    if (!SaveProject(ctx, a.out, doc, format)) return;
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
