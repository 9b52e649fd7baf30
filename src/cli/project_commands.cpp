// pelko info, dump and convert.

#include "cli/commands.h"
#include "cli/project_io.h"
#include "document/project.h"
#include "document/project_dump.h"
#include "platform/code_page.h"
#include "platform/path.h"

#include <iostream>
#include <memory>

namespace cli {

namespace {

const char* formatName(int format) {
    switch (format) {
    case ANIME::kFormatBinary:
        return "binary";
    case ANIME::kFormatText:
        return "text";
    case ANIME::kFormatLegacy:
        return "legacy";
    default:
        return "unknown";
    }
}

} // namespace

bool LoadProject(Context& ctx, const std::string& path, cProject& doc, int* format) {
    ANIME::cAnimeFile_Device device;
    if (format) *format = ANIME::cAnimeFile_Device::detectFormatFile(path);
    int r = device.load(path, doc);
    if (r == 1) {
        // As the editor's Open does: relative picture and sound paths resolve against the
        // project file's folder.
        doc.setText(kTextBaseFolder, platform::FromUtf8(platform::FolderPart(path), ctx.config.Locale));
        return true;
    }
    if (r == -2)
        Fail(ctx, "cannot read " + path + ": not a project file (unknown format)");
    else
        Fail(ctx, "cannot read " + path + ": " + device.lastError());
    return false;
}

bool SaveProject(Context& ctx, const std::string& path, cProject& doc, int saveFormat) {
    ANIME::cAnimeFile_Device device;
    int r = device.save(path, doc, saveFormat);
    if (r != 1) {
        Fail(ctx, "cannot write " + path + ": " + (r == -2 ? "unknown save format" : device.lastError()));
        return false;
    }
    // A save that had to leave something out says so, whichever command saved.
    for (const strMessage& m : device.lossMessages())
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
        cProject doc(&ctx.config);
        int format = -1;
        if (!LoadProject(ctx, *path, doc, &format)) return;
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
        cProject doc(&ctx.config);
        if (!LoadProject(ctx, *path, doc, nullptr)) return;
        std::cout << DumpProjectJson(doc, [&ctx](const std::string& s) { return ToUtf8(ctx, s); }) << "\n";
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
        cProject doc(&ctx.config);
        if (!LoadProject(ctx, a->in, doc, nullptr)) return;
        int format = a->to.empty() ? -1 : (a->to == "text" ? ANIME::kFormatText : ANIME::kFormatBinary);
        SaveProject(ctx, a->out, doc, format);
    });
}

} // namespace cli
