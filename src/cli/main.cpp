// pelko: inspect, convert, render and export animation projects from the command line.

#include "cli/commands.h"

#include <cstdio>
#include <iostream>

namespace cli {

void Fail(Context& ctx, const std::string& what) {
    std::cerr << "pelko: " << what << "\n";
    ctx.status = 1;
}

const CLI::Validator& DecimalNumber() {
    static const CLI::Validator validator(
        [](std::string& text) -> std::string {
            size_t digits = text.empty() || (text[0] != '-' && text[0] != '+') ? 0 : 1;
            if (digits == text.size()) return "a whole decimal number is wanted, not \"" + text + "\"";
            for (size_t i = digits; i < text.size(); ++i)
                if (text[i] < '0' || text[i] > '9')
                    return "a whole decimal number is wanted, not \"" + text + "\"";
            const size_t first = text.find_first_not_of('0', digits);
            text = (text[0] == '-' ? "-" : "") +
                   (first == std::string::npos ? std::string("0") : text.substr(first));
            return std::string();
        },
        "NUMBER");
    return validator;
}

} // namespace cli

int main(int argc, char** argv) {
    cli::Context ctx;
    CLI::App app{"pelko: battle animation projects on the command line", "pelko"};
    app.require_subcommand(1);
    app.footer("Exit status: 0 on success; on failure 1, and one line on stderr says what failed and why.");
    app.add_option("--config", ctx.configPath, "settings file to use (default: the editor's config.ini)");
    app.parse_complete_callback([&ctx] {
        ctx.config.setDefaults();
        if (!ctx.configPath.empty()) ctx.config.filePath = ctx.configPath;
        ctx.config.read();
    });
    cli::AddInfoCommand(app, ctx);
    cli::AddDumpCommand(app, ctx);
    cli::AddConvertCommand(app, ctx);
    cli::AddClipCommand(app, ctx);
    cli::AddPlayCommand(app, ctx);
    cli::AddRenderCommand(app, ctx);
    cli::AddExportCommand(app, ctx);
    cli::AddGameCommand(app, ctx);
    cli::AddTweenCommand(app, ctx);
    cli::AddSheetCommand(app, ctx);
    cli::AddImportCommand(app, ctx);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // --help and --version print their text; a wrong argument is one line, like every failure.
        if (e.get_exit_code() == 0) return app.exit(e);
        cli::Fail(ctx, std::string(e.what()) + " (pelko --help lists the arguments)");
    }
    return ctx.status;
}
