// pelko game info / list / export / import: the animations of an RPG Maker game (its folder or its
// animation database file) listed, saved as project files and written back.

#include "cli/commands.h"
#include "cli/project_io.h"
#include "document/project.h"
#include "game/game.h"
#include "platform/code_page.h"
#include "platform/path.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <iostream>
#include <memory>

namespace cli {

namespace {

bool OpenGame(Context& ctx, const std::string& dir, game::cGame& g) {
    std::string why;
    if (g.open(dir, ctx.config, &why)) return true;
    Fail(ctx, "cannot open the game: " + why);
    return false;
}

// An animation id: a positive number, or "new" when allowNew is set (0).
bool ParseId(Context& ctx, const std::string& text, bool allowNew, int& id) {
    if (allowNew && text == "new") {
        id = 0;
        return true;
    }
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, id);
    if (ec != std::errc() || ptr != end || id < 1) {
        Fail(ctx, "not an animation id: " + text +
                      (allowNew ? " (a number from 1, or new)" : " (a number from 1)"));
        return false;
    }
    return true;
}

std::string Join(const std::vector<std::string>& items, const char* separator) {
    std::string out;
    for (size_t i = 0; i < items.size(); ++i)
        out += (i ? separator : "") + items[i];
    return out;
}

void RunInfo(Context& ctx, const std::string& dir) {
    game::cGame g;
    if (!OpenGame(ctx, dir, g)) return;
    int animations = 0;
    for (const game::strGameAnimation& a : g.list())
        animations += a.empty ? 0 : 1;
    const game::strGameLocation& at = g.location();
    std::cout << "product: " << g.productName() << "\n"
              << "game: " << at.folder << "\n"
              << "database: " << at.database << "\n"
              << "animations: " << animations << " (last id " << g.lastId() << ")\n"
              << "pictures: " << Join(g.assets().pictureFolders(), "; ") << "\n"
              << "sounds: " << Join(g.assets().soundFolders(), "; ") << "\n";
}

void RunList(Context& ctx, const std::string& dir, bool json) {
    game::cGame g;
    if (!OpenGame(ctx, dir, g)) return;
    nlohmann::json all = nlohmann::json::array();
    for (const game::strGameAnimation& a : g.list()) {
        if (a.empty) continue;
        if (json)
            all.push_back({{"id", a.id}, {"name", a.name}, {"frames", a.frames}, {"pictures", a.pictures}});
        else
            std::cout << a.id << "\t" << a.name << "\t" << a.frames << "\t" << Join(a.pictures, ",") << "\n";
    }
    if (json) std::cout << all.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
}

void RunExport(Context& ctx, const std::string& dir, const std::string& idText, const std::string& out) {
    const std::string ext = platform::Extension(out);
    int format = ext == ".dat" ? anime::kFormatBinary : ext == ".txt" ? anime::kFormatText : -1;
    if (format < 0) return Fail(ctx, "cannot tell the project format of " + out + " (give it .dat or .txt)");
    int id = 0;
    if (!ParseId(ctx, idText, false, id)) return;
    game::cGame g;
    if (!OpenGame(ctx, dir, g)) return;
    cProject doc(&ctx.config);
    std::string why;
    if (!g.read(id, doc, &why)) return Fail(ctx, why);
    for (const std::string& w : g.missingAssets(doc))
        std::cerr << "pelko: warning: " << w << "\n";
    // Away from the game, the pictures are named by their full paths.
    game::cGame::makePathsAbsolute(doc, ctx.config.Locale);
    if (!SaveProject(ctx, out, doc, format)) return;
    std::cout << "animation " << id << " (" << ToUtf8(ctx, doc.text(kTextName)) << ") written to " << out
              << "\n";
}

void RunImport(Context& ctx, const std::string& dir, const std::string& idText, const std::string& in,
               const std::string* name) {
    int id = 0;
    if (!ParseId(ctx, idText, true, id)) return;
    game::cGame g;
    if (!OpenGame(ctx, dir, g)) return;
    if (id > g.lastId())
        return Fail(ctx, "the game has no animation " + idText + " (the last is " +
                             std::to_string(g.lastId()) + "; use new to add one)");
    cProject doc(&ctx.config);
    if (!LoadProject(ctx, in, doc, nullptr)) return;
    game::strNameChoice choice;
    if (name) {
        choice.keep = false;
        choice.utf8 = *name;
    }
    game::strGameWriteReport report;
    std::string why;
    if (!g.write(doc, id, choice, report, &why)) return Fail(ctx, "cannot write the animation: " + why);
    for (const strMessage& l : report.losses)
        std::cerr << "pelko: warning: " << FormatMessage(l) << "\n";
    for (const std::string& w : report.warnings)
        std::cerr << "pelko: warning: " << w << "\n";
    std::cout << (report.added ? "added animation " : "replaced animation ") << report.id << " in "
              << g.location().database << (report.backup.empty() ? "" : " (backup: " + report.backup + ")")
              << "\n";
}

} // namespace

void AddGameCommand(CLI::App& app, Context& ctx) {
    auto* cmd = app.add_subcommand("game", "list, export and write back the animations of an RPG Maker game");
    cmd->require_subcommand(1);
    struct Args {
        std::string dir, id, file, name;
        bool json = false;
    };
    auto args = std::make_shared<Args>();
    const char* dirHelp = "game folder, or its animation database file";

    auto* info = cmd->add_subcommand("info", "print the game's product, folders and animation count");
    info->add_option("DIR", args->dir, dirHelp)->required();
    info->callback([&ctx, args] { RunInfo(ctx, args->dir); });

    auto* list = cmd->add_subcommand("list", "one line per animation: id, name, frames, pictures");
    list->add_option("DIR", args->dir, dirHelp)->required();
    list->add_flag("--json", args->json, "print one JSON array");
    list->callback([&ctx, args] { RunList(ctx, args->dir, args->json); });

    auto* exp = cmd->add_subcommand("export", "save an animation as a project file (.dat binary, .txt text)");
    exp->add_option("DIR", args->dir, dirHelp)->required();
    exp->add_option("ID", args->id, "animation id")->required();
    exp->add_option("OUT", args->file, "project file to write")->required();
    exp->callback([&ctx, args] { RunExport(ctx, args->dir, args->id, args->file); });

    auto* imp =
        cmd->add_subcommand("import", "write a project file into the game: over animation ID, or new");
    imp->add_option("DIR", args->dir, dirHelp)->required();
    imp->add_option("ID", args->id, "animation id to replace, or new")->required();
    imp->add_option("IN", args->file, "project file to read")->required();
    auto* nameOpt = imp->add_option("--name", args->name,
                                    "the animation's name (default: the slot keeps "
                                    "its name; a new animation takes the project's)");
    imp->callback([&ctx, args, nameOpt] {
        RunImport(ctx, args->dir, args->id, args->file, nameOpt->count() ? &args->name : nullptr);
    });
}

} // namespace cli
