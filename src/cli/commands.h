#pragma once
// The `pelko` tool's subcommands. Each Add*Command registers one subcommand on the app; its
// callback returns the exit status through ctx.status (0 success, 1 failure with one line on
// stderr saying what failed and why).

#include "config/config.h"

#include <CLI/CLI.hpp>
#include <string>

namespace cli {

struct Context {
    std::string configPath; // --config FILE
    cConfig config;         // loaded before any subcommand runs
    int status = 0;
};

// Prints "pelko: <what>" on stderr and sets the failure status.
void Fail(Context& ctx, const std::string& what);

// For every whole-number argument: a decimal number, optionally signed. "0x5", "5abc" and "1e3"
// are refused (the parser would read them as 5, or not at all), and leading zeros are dropped so
// that "010" is ten, not an octal eight.
const CLI::Validator& DecimalNumber();

void AddInfoCommand(CLI::App& app, Context& ctx);
void AddDumpCommand(CLI::App& app, Context& ctx);
void AddConvertCommand(CLI::App& app, Context& ctx);
void AddClipCommand(CLI::App& app, Context& ctx);
void AddPlayCommand(CLI::App& app, Context& ctx);
void AddRenderCommand(CLI::App& app, Context& ctx);
void AddExportCommand(CLI::App& app, Context& ctx);
void AddGameCommand(CLI::App& app, Context& ctx);
void AddTweenCommand(CLI::App& app, Context& ctx);
void AddSheetCommand(CLI::App& app, Context& ctx);
void AddImportCommand(CLI::App& app, Context& ctx);

} // namespace cli
