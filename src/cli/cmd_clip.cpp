// pelko clip import PRODUCT PAYLOAD OUT / pelko clip export PRODUCT IN PAYLOAD: clipboard payloads
// saved as files (exactly the bytes that would be on the clipboard, length word included) turned
// into projects and back, through an in-memory clipboard and the same dispatcher and command flow
// the editor uses.

#include "cli/commands.h"
#include "cli/project_io.h"
#include "document/project.h"
#include "interchange/clipboard_device.h"
#include "platform/file_io.h"
#include "platform/path.h"
#include "workspace/workspace.h"

#include <iostream>
#include <memory>

namespace cli {

namespace {

struct strClipProduct {
    const char* name;
    int exportProduct; // product code of the export, also the clipboard format of the payload
    int importProduct; // product code the import command dispatches
};

// One line per product. The Marshal import reads any of the three Marshal formats, as the editor's
// "XP / VX / VX Ace" entry does (product 3).
constexpr strClipProduct kClipProducts[] = {
    {"2000", interchange::kProduct2000, interchange::kProduct2000},
    {"xp", interchange::kProductXP, interchange::kProductVX},
    {"vx", interchange::kProductVX, interchange::kProductVX},
    {"vxace", interchange::kProductVXAce, interchange::kProductVX},
    {"mv", interchange::kProductMV, interchange::kProductMV},
};

std::vector<std::string> ProductNames() {
    std::vector<std::string> names;
    for (const auto& p : kClipProducts)
        names.emplace_back(p.name);
    return names;
}

const strClipProduct* FindProduct(const std::string& name) {
    for (const auto& p : kClipProducts)
        if (name == p.name) return &p;
    return nullptr;
}

void RunImport(Context& ctx, const std::string& productName, const std::string& payloadPath,
               const std::string& outPath, const std::string& to) {
    const strClipProduct* product = FindProduct(productName);
    if (!product) return Fail(ctx, "unknown product " + productName);
    std::vector<uint8_t> bytes;
    std::string why;
    if (!platform::ReadWholeFile(payloadPath, bytes, size_t(64) << 20, &why))
        return Fail(ctx, "cannot read " + payloadPath + ": " + why);

    platform::cMemoryClipboard clip;
    uint32_t format = interchange::ProductFormat(clip, product->exportProduct);
    if (format == 0 || !clip.write(format, bytes))
        return Fail(ctx, "cannot put the payload on the clipboard");
    // As the editor's import: titles resolved against the image and sound folders, the working
    // folder as base folder.
    strWorkResult result;
    std::unique_ptr<cProject> doc =
        cWorkspace(ctx.config).importClipboard(clip, product->importProduct, result);
    if (!doc) return Fail(ctx, result.statusText() + " (" + FormatMessage(result.reason) + ")");
    int saveFormat = to.empty() ? -1 : (to == "text" ? anime::kFormatText : anime::kFormatBinary);
    if (!SaveProject(ctx, outPath, *doc, saveFormat)) return;
    std::cout << result.statusText() << "\n";
}

void RunExport(Context& ctx, const std::string& productName, const std::string& inPath,
               const std::string& payloadPath) {
    const strClipProduct* product = FindProduct(productName);
    if (!product) return Fail(ctx, "unknown product " + productName);
    const auto doc = LoadProject(ctx, inPath);
    if (!doc) return;

    platform::cMemoryClipboard clip;
    const strWorkResult result = cWorkspace(ctx.config).exportClipboard(*doc, clip, product->exportProduct);
    std::vector<uint8_t> bytes;
    if (!result.ok || !clip.read(interchange::ProductFormat(clip, product->exportProduct), bytes))
        return Fail(ctx,
                    (result.statusMessage == interchange::kMsgNone ? std::string("export failed")
                                                                   : result.statusText()) +
                        (result.reason.none() ? std::string() : " (" + FormatMessage(result.reason) + ")"));
    std::string why;
    if (!platform::WriteFileAtomically(payloadPath, bytes, &why))
        return Fail(ctx, "cannot write " + payloadPath + ": " + why);
    // The payload holds what the product takes; one line for each kind of thing it could not.
    for (const strMessage& m : result.losses)
        std::cerr << "pelko: warning: " << FormatMessage(m) << "\n";
    std::cout << result.statusText() << "\n";
}

} // namespace

void AddClipCommand(CLI::App& app, Context& ctx) {
    auto* clip = app.add_subcommand(
        "clip", "turn RPG Maker clipboard payloads (saved as files) into projects and back");
    clip->require_subcommand(1);

    struct Args {
        std::string product, a, b, to;
    };
    auto imp = std::make_shared<Args>();
    auto* importCmd = clip->add_subcommand("import", "read a clipboard payload file into a project file");
    importCmd->add_option("PRODUCT", imp->product, "product the payload comes from")
        ->required()
        ->check(CLI::IsMember(ProductNames()));
    importCmd->add_option("PAYLOAD", imp->a, "file holding exactly the clipboard bytes")->required();
    importCmd->add_option("OUT", imp->b, "project file to write")->required();
    importCmd->add_option("--to", imp->to, "output format; default: the configured initial save format")
        ->check(CLI::IsMember({"binary", "text"}));
    importCmd->callback([&ctx, imp] { RunImport(ctx, imp->product, imp->a, imp->b, imp->to); });

    auto exp = std::make_shared<Args>();
    auto* exportCmd = clip->add_subcommand("export", "write a project as a clipboard payload file");
    exportCmd->add_option("PRODUCT", exp->product, "product to export for")
        ->required()
        ->check(CLI::IsMember(ProductNames()));
    exportCmd->add_option("IN", exp->a, "project file to read")->required();
    exportCmd->add_option("PAYLOAD", exp->b, "file to write with exactly the clipboard bytes")->required();
    exportCmd->callback([&ctx, exp] { RunExport(ctx, exp->product, exp->a, exp->b); });
}

} // namespace cli
