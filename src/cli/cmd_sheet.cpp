// pelko sheet build / check: pattern sheets from frame pictures, and what an existing sheet breaks.

#include "cli/commands.h"
#include "cli/project_io.h"
#include "document/file_reason.h"
#include "export/sheet_file.h"
#include "image/pattern_sheet.h"
#include "image/picture_loader.h"

#include <cstdlib>
#include <iostream>
#include <memory>
#include <sstream>

namespace cli {

namespace {

struct strSheetArgs {
    std::vector<std::string> files; // build: the inputs, then the output
    std::string file;               // check: the sheet
    std::string product = "any", key, strip;
    int pattern = 0, perRow = 0;
    bool trim = false;
};

bool ProductOptions(Context& ctx, const strSheetArgs& a, strSheetOptions& o) {
    if (!ParseSheetProduct(ctx, a.product, o.product)) return false;
    o.patternSize = a.pattern;
    o.perRow = a.perRow;
    o.trim = a.trim;
    return true;
}

std::string ProductList(const std::vector<eSheetProduct>& products) {
    std::string out;
    for (size_t i = 0; i < products.size(); ++i)
        out += std::string(i == 0                     ? ""
                           : i + 1 == products.size() ? " and "
                                                      : ", ") +
               SheetLimits(products[i]).name;
    return out;
}

void RunBuild(Context& ctx, const strSheetArgs& a) {
    if (a.files.size() < 2) {
        Fail(ctx, "sheet build wants one or more inputs and the PNG to write");
        return;
    }
    strSheetOptions o;
    if (!ProductOptions(ctx, a, o)) return;
    strSheetInput how;
    if (!a.key.empty()) {
        std::string hex = a.key.rfind("0x", 0) == 0 || a.key.rfind("0X", 0) == 0 ? a.key.substr(2) : a.key;
        char* end = nullptr;
        const unsigned long v =
            hex.empty() || hex.size() > 6 ? 0x1000000 : std::strtoul(hex.c_str(), &end, 16);
        if (v > 0xFFFFFF || !end || *end) {
            Fail(ctx, "--key wants a colour 0xRRGGBB, not \"" + a.key + "\"");
            return;
        }
        how.key = int64_t(v);
    }
    if (!a.strip.empty()) {
        char x = 0;
        std::istringstream in(a.strip);
        const bool ok =
            (in >> how.frameWidth) && (in.eof() || ((in >> x) && (x == 'x' || x == 'X') &&
                                                    (in >> how.frameHeight) && (in >> std::ws).eof()));
        if (!ok || how.frameWidth < 1 || how.frameWidth > 16384 || how.frameHeight < 0 ||
            how.frameHeight > 16384) {
            Fail(ctx, "--strip wants a frame width W or a frame size WxH, not \"" + a.strip + "\"");
            return;
        }
    }
    const std::string out = a.files.back();
    const std::vector<std::string> inputs(a.files.begin(), a.files.end() - 1);
    std::vector<strSheetFrame> frames;
    strMessage why;
    if (!LoadSheetFrames(inputs, how, frames, &why)) {
        Fail(ctx, FormatMessage(why));
        return;
    }
    std::vector<const cDib*> images;
    for (const strSheetFrame& f : frames)
        images.push_back(f.image.get());
    strSheetResult sheet;
    if (!BuildPatternSheet(images, o, sheet, &why)) {
        Fail(ctx, FormatMessage(why));
        return;
    }
    // RPG Maker 2000 reads palette pictures: one is written when the sheet's colours allow it.
    strSheetWrite written;
    if (!WritePatternSheet(out, *sheet.sheet, o.product, written, &why)) {
        Fail(ctx, FormatMessage(IsFileReason(why) ? why : strMessage(kWhyCannotWrite, out, why)));
        return;
    }
    std::cout << out << ": " << frames.size() << " patterns of " << sheet.patternSize << " x "
              << sheet.patternSize << ", " << sheet.columns << " a row (" << sheet.sheet->width() << " x "
              << sheet.sheet->height() << ")\n";
    // Runs of frames scaled alike, or left empty, as one line each.
    for (size_t i = 0; i < sheet.frames.size();) {
        const strPlacedFrame& p = sheet.frames[i];
        size_t j = i + 1;
        const auto alike = [&](const strPlacedFrame& q) {
            return q.scaled == p.scaled && q.empty == p.empty && q.sourceWidth == p.sourceWidth &&
                   q.sourceHeight == p.sourceHeight && q.width == p.width && q.height == p.height;
        };
        while (j < sheet.frames.size() && alike(sheet.frames[j]))
            ++j;
        const std::string which = j - i == 1
                                      ? "pattern " + std::to_string(p.pattern) + " (" + frames[i].source + ")"
                                      : "patterns " + std::to_string(p.pattern) + "-" +
                                            std::to_string(sheet.frames[j - 1].pattern) + " (" +
                                            frames[i].source + " to " + frames[j - 1].source + ")";
        if (p.scaled)
            std::cout << which << " scaled down from " << p.sourceWidth << " x " << p.sourceHeight << " to "
                      << p.width << " x " << p.height << "\n";
        if (p.empty) std::cout << which << " without an opaque pixel: left empty\n";
        i = j;
    }
    if (!sheet.beyondLimitOf.empty())
        std::cout << "note: " << frames.size() << " patterns are more than "
                  << ProductList(sheet.beyondLimitOf) << " read in one picture\n";
    if (written.palette)
        std::cout << "written as a palette picture of " << written.paletteEntries
                  << " entries, entry 0 the transparent colour\n";
    if (SheetLimits(o.product).palette256 && !written.palette) {
        // Written in full colour: say what keeps it from being a palette picture.
        cBMP built;
        built.attach(std::move(sheet.sheet));
        for (const strSheetFinding& f : CheckPatternSheet(built, o))
            if (f.kind != eSheetFinding::kNotPalette) std::cout << "note: " << SheetFindingText(f, o) << "\n";
    }
}

void RunCheck(Context& ctx, const strSheetArgs& a) {
    strSheetOptions o;
    if (!ProductOptions(ctx, a, o)) return;
    const std::string& path = a.file;
    cBMP picture;
    strLoadInfo info;
    if (!LoadPictureFile(path, picture, &info)) {
        const std::string reason = LoadFailureText(info);
        Fail(ctx, "cannot read " + path + (reason.empty() ? "" : ": " + reason));
        return;
    }
    const std::vector<strSheetFinding> findings = CheckPatternSheet(picture, o);
    const strSheetLimits limits = SheetLimits(o.product);
    const int size = o.patternSize > 0 ? o.patternSize : limits.patternSize;
    int w = 0, h = 0;
    picture.getSize(w, h);
    std::cout << path << ": " << w << " x " << h << ", " << (w / size) * (h / size) << " patterns of " << size
              << " x " << size << "\n";
    for (const strSheetFinding& f : findings)
        std::cout << path << ": " << SheetFindingText(f, o) << "\n";
    if (!findings.empty())
        Fail(ctx, path + ": " + std::to_string(findings.size()) +
                      (findings.size() == 1 ? " thing" : " things") + " that " + limits.name +
                      " does not take");
}

void AddShared(CLI::App* cmd, strSheetArgs& a) {
    cmd->add_option("--product", a.product, "any (this editor's limits), 2000, xp, vx, vxace or mv");
    cmd->add_option("--pattern", a.pattern,
                    "pattern size in pixels (default: the product's, 96 for 2000, else 192)")
        ->check(CLI::Range(1, 4096));
    cmd->add_option("--per-row", a.perRow, "patterns a row (default 5)")->check(CLI::Range(1, 1000));
}

} // namespace

bool ParseSheetProduct(Context& ctx, const std::string& name, eSheetProduct& product) {
    if (SheetProductFromName(name, product)) return true;
    Fail(ctx, "--product knows any, 2000, xp, vx, vxace and mv, not \"" + name + "\"");
    return false;
}

void AddSheetCommand(CLI::App& app, Context& ctx) {
    auto* cmd = app.add_subcommand("sheet", "build pattern sheets from frames, check existing sheets");
    cmd->require_subcommand(1);

    auto build = std::make_shared<strSheetArgs>();
    auto* b =
        cmd->add_subcommand("build", "lay frames out as a pattern sheet: INPUTS... OUT.png; an input is a "
                                     "picture, a folder of pictures or an animated GIF");
    b->add_option("FILES", build->files, "inputs, then the PNG to write")->required();
    AddShared(b, *build);
    b->add_flag("--trim", build->trim, "cut each frame to its opaque pixels before centring it");
    b->add_option(
        "--strip", build->strip,
        "cut pictures into frames W pixels wide (a sprite strip), or WxH (a sprite grid, row by row)");
    b->add_option("--key", build->key, "make this colour (0xRRGGBB) transparent");
    b->callback([&ctx, build] { RunBuild(ctx, *build); });

    auto check = std::make_shared<strSheetArgs>();
    auto* c = cmd->add_subcommand("check", "say what a sheet breaks for a product (exit 1 when anything)");
    c->add_option("FILE", check->file, "the sheet")->required();
    AddShared(c, *check);
    c->callback([&ctx, check] { RunCheck(ctx, *check); });
}

} // namespace cli
