// pelko info, dump and convert.

#include "cli/commands.h"
#include "cli/project_io.h"
#include "document/project.h"
#include "document/project_dump.h"
#include "platform/code_page.h"
#include "platform/path.h"
#include "workspace/workspace.h"

#include <iostream>
#include <memory>

namespace cli {

namespace {

const char* formatName(int format) {
    switch (format) {
    case anime::kFormatBinary:
        return "binary";
    case anime::kFormatText:
        return "text";
    case anime::kFormatLegacy:
        return "legacy";
    default:
        return "unknown";
    }
}

} // namespace

std::unique_ptr<cProject> LoadProject(Context& ctx, const std::string& path, int* format) {
    // As the editor's Open does: the workspace reads the file and gives it its folder as base folder.
    strWorkResult result;
    std::unique_ptr<cProject> doc = cWorkspace(ctx.config).open(path, result, format);
    if (!doc) Fail(ctx, "cannot read " + path + ": " + FormatMessage(result.reason));
    return doc;
}

bool LoadProject(Context& ctx, const std::string& path, cProject& doc, int* format) {
    strWorkResult result;
    if (cWorkspace(ctx.config).open(path, doc, result, format)) return true;
    Fail(ctx, "cannot read " + path + ": " + FormatMessage(result.reason));
    return false;
}

bool SaveProject(Context& ctx, const std::string& path, cProject& doc, int saveFormat, bool rebasePaths) {
    const strWorkResult result = cWorkspace(ctx.config).save(doc, path, saveFormat, rebasePaths);
    if (!result.ok) {
        Fail(ctx, "cannot write " + path + ": " + FormatMessage(result.reason));
        return false;
    }
    // A save that had to leave something out says so, whichever command saved.
    for (const strMessage& m : result.losses)
        std::cerr << "pelko: warning: " << path << ": " << FormatMessage(m) << "\n";
    return true;
}

std::string ToUtf8(const Context& ctx, const std::string& text) {
    return platform::ToUtf8(text, ctx.config.Locale);
}

void AddInfoCommand(CLI::App& app, Context& ctx) {
    auto* cmd = app.add_subcommand("info", "print a project's format, counts and name");
    auto path = std::make_shared<std::string>();
    cmd->add_option("FILE", *path, "project file")->required();
    cmd->callback([&ctx, path] {
        int format = -1;
        const auto loaded = LoadProject(ctx, *path, &format);
        if (!loaded) return;
        const cProject& doc = *loaded;
        std::cout << "file: " << *path << "\n"
                  << "format: " << formatName(format) << "\n"
                  << "name: " << ToUtf8(ctx, doc.text(kTextName)) << "\n"
                  << "cell number: " << doc.cellNumber() << "\n"
                  << "frames: " << doc.frameCount() << "\n"
                  << "pictures: " << doc.getSetting(kKeyPictureCount)
                  << " (slots used: " << doc.pictureCount() << ")\n"
                  << "effects: " << doc.effectCount() << "\n"
                  << "total duration: " << doc.totalDuration() << "\n";
        PrintPictureInfo(ctx, doc, std::cout);
    });
}

void AddDumpCommand(CLI::App& app, Context& ctx) {
    auto* cmd = app.add_subcommand("dump", "print the whole project as JSON");
    auto path = std::make_shared<std::string>();
    cmd->add_option("FILE", *path, "project file")->required();
    cmd->callback([&ctx, path] {
        const auto doc = LoadProject(ctx, *path);
        if (!doc) return;
        std::cout << DumpProjectJson(*doc, [&ctx](const std::string& s) { return ToUtf8(ctx, s); }) << "\n";
    });
}

void AddConvertCommand(CLI::App& app, Context& ctx) {
    auto* cmd = app.add_subcommand(
        "convert", "convert a project between the binary, text and legacy (input only) formats");
    struct Args {
        std::string in, out, to;
    };
    auto a = std::make_shared<Args>();
    cmd->add_option("IN", a->in, "project file to read (binary, text or legacy)")->required();
    cmd->add_option("OUT", a->out, "project file to write")->required();
    cmd->add_option("--to", a->to, "output format; default: the project's save format")
        ->check(CLI::IsMember({"binary", "text"}));
    cmd->callback([&ctx, a] {
        const auto doc = LoadProject(ctx, a->in);
        if (!doc) return;
        int format = a->to.empty() ? -1 : (a->to == "text" ? anime::kFormatText : anime::kFormatBinary);
        SaveProject(ctx, a->out, *doc, format);
    });
}

} // namespace cli
