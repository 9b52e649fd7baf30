// pelko render: one frame of a project as a PNG, through the export capture. Also holds
// the helpers that `pelko export` shares (declared again in cmd_export.cpp).

#include "cli/commands.h"
#include "cli/project_io.h"
#include "document/file_reason.h"
#include "document/project.h"
#include "export/capture_image.h"
#include "export/cut_range.h"
#include "export/png_writer.h"
#include "image/picture_slot_table.h"
#include "platform/code_page.h"
#include "platform/path.h"
#include "render/actor_side.h"
#include "workspace/workspace.h"

#include <cstdlib>
#include <iostream>
#include <memory>
#include <sstream>

namespace cli {

// ---- shared with cmd_export.cpp ----

namespace {
// " (why)" after a failed picture load, or nothing when the loader gave no reason.
std::string Reason(const cPictureSlotTable& slots, int n) {
    const std::string why = slots.failureText(n);
    return why.empty() ? why : " (" + why + ")";
}
} // namespace

// The project's pictures (relative paths against the project file's folder, within the memory
// budget of the slot table) and, when targetPath is not empty, the target picture. A picture that
// cannot be loaded is reported as a warning (its cells are skipped); a target that cannot be
// loaded fails.
bool LoadCapturePictures(Context& ctx, cProject& doc, const std::string& targetPath,
                         cPictureSlotTable& slots) {
    if (!targetPath.empty()) {
        cConfig config = ctx.config;
        config.TargetPath = targetPath;
        if (!slots.updateTarget(config)) {
            Fail(ctx, "cannot load the target picture " + targetPath +
                          Reason(slots, cPictureSlotTable::kTargetPicture));
            return false;
        }
    }
    for (const strMessage& m : cWorkspace(ctx.config).loadPictures(doc, slots).losses)
        std::cerr << "pelko: warning: " << FormatMessage(m) << "\n";
    return true;
}

// "L,T,W,H" (integers) into a capture area.
bool ParseCaptureArea(Context& ctx, const std::string& text, strCaptureArea& area) {
    std::istringstream in(text);
    long v[4];
    char comma[3];
    if (!(in >> v[0] >> comma[0] >> v[1] >> comma[1] >> v[2] >> comma[2] >> v[3]) || comma[0] != ',' ||
        comma[1] != ',' || comma[2] != ',' || !(in >> std::ws).eof()) {
        Fail(ctx, "--area wants L,T,W,H (four integers), not \"" + text + "\"");
        return false;
    }
    for (long x : v)
        if (x < -4096 || x > 4096) {
            Fail(ctx, "--area values must lie in -4096..4096");
            return false;
        }
    if (v[2] == 0 || v[3] == 0) {
        Fail(ctx, "--area " + text + " has no width or no height");
        return false;
    }
    area = {int(v[0]), int(v[1]), int(v[0] + v[2]), int(v[1] + v[3])};
    return true;
}

// The capture area: --area as given, else the "Auto" range of all cells.
bool ChooseCaptureArea(Context& ctx, const cProject& doc, const cPictureSlotTable& slots,
                       const std::string& areaText, strCaptureArea& area) {
    if (!areaText.empty()) return ParseCaptureArea(ctx, areaText, area);
    strCutRange range;
    if (!ComputeAutoCutRange(doc, slots, range)) {
        Fail(ctx, "the project has no drawable cells to frame; give the capture area with --area L,T,W,H");
        return false;
    }
    area = {range.left, range.top, range.left + range.width, range.top + range.height};
    return true;
}

// "0xRRGGBB", "#RRGGBB" or "RRGGBB" into 0x00RRGGBB; an empty text takes the setting "CTrans"
// (a Windows colour, 0x00BBGGRR).
bool ParseBackground(Context& ctx, const std::string& text, uint32_t& rgb) {
    if (text.empty()) {
        const uint32_t c = ctx.config.CTrans;
        rgb = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
        return true;
    }
    std::string hex = text;
    if (hex.rfind("0x", 0) == 0 || hex.rfind("0X", 0) == 0)
        hex = hex.substr(2);
    else if (!hex.empty() && hex[0] == '#')
        hex = hex.substr(1);
    char* end = nullptr;
    unsigned long v = hex.empty() || hex.size() > 6 ? 0x1000000 : std::strtoul(hex.c_str(), &end, 16);
    if (v > 0xFFFFFF || !end || *end) {
        Fail(ctx, "--background wants a colour 0xRRGGBB, not \"" + text + "\"");
        return false;
    }
    rgb = uint32_t(v);
    return true;
}

// ---- pelko render ----

namespace {

struct strRenderOptions {
    std::string in, out, area, background, target;
    int frame = 0;
    bool autoArea = false;
    bool alpha = false;
    bool actorSide = false;
};

void RunRender(Context& ctx, const strRenderOptions& o) {
    const auto loaded = LoadProject(ctx, o.in);
    if (!loaded) return;
    cProject& doc = *loaded;
    if (o.frame < 0 || o.frame >= doc.frameCount() || !doc.frame(o.frame)) {
        Fail(ctx, "frame " + std::to_string(o.frame) + " does not exist (the project has " +
                      std::to_string(doc.frameCount()) + " frames, numbered from 0)");
        return;
    }
    cPictureSlotTable slots;
    if (!LoadCapturePictures(ctx, doc, o.target, slots)) return;
    strCaptureRequest r;
    r.outputPath = o.out;
    r.project = &doc;
    r.pictures = &slots;
    if (!ChooseCaptureArea(ctx, doc, slots, o.area, r.area) ||
        !ParseBackground(ctx, o.background, r.background))
        return;
    r.flags = kExportPng | (o.alpha ? kExportAlpha : 0) | (o.target.empty() ? 0 : kExportTarget) |
              (o.actorSide ? kExportActorSide : 0);
    // The automatic area holds the cells as the actor side shows them.
    if (o.actorSide && o.area.empty()) r.area = MirrorAreaForActorSide(r.area);
    r.zoomPercent = 100;
    cCaptureImage capture;
    if (!capture.begin(r)) {
        Fail(ctx, "cannot render " + o.in + ": " + capture.lastError());
        return;
    }
    const cDib* image = capture.renderFrameImage(o.frame);
    strMessage why;
    if (!image) {
        Fail(ctx, "cannot render frame " + std::to_string(o.frame));
        return;
    }
    if (!WritePngFile(o.out, *image, o.alpha, &why)) {
        Fail(ctx, FormatMessage(IsFileReason(why) ? why : strMessage(kWhyCannotWrite, o.out, why)));
        return;
    }
    const strCaptureArea& a = capture.area();
    const uint32_t turned = capture.flags() & (kExportMirrorH | kExportFlipV);
    std::cout << o.out << ": frame " << o.frame << ", " << image->width() << " x " << image->height()
              << " (area " << a.left << "," << a.top << "," << a.width() << "," << a.height()
              << (turned & kExportMirrorH ? ", mirrored" : "") << (turned & kExportFlipV ? ", flipped" : "")
              << ")\n";
}

} // namespace

void AddRenderCommand(CLI::App& app, Context& ctx) {
    auto* cmd = app.add_subcommand("render", "render one frame of a project as a PNG");
    auto o = std::make_shared<strRenderOptions>();
    cmd->add_option("IN", o->in, "project file")->required();
    cmd->add_option("FRAME", o->frame, "frame number (0-based)")->required()->transform(DecimalNumber());
    cmd->add_option("OUT", o->out, "PNG file to write")->required();
    auto* area = cmd->add_option("--area", o->area,
                                 "capture area L,T,W,H in animation coordinates "
                                 "(negative W or H mirror or flip)");
    cmd->add_flag("--auto", o->autoArea, "capture area holding every cell of every frame (the default)")
        ->excludes(area);
    cmd->add_flag("--alpha", o->alpha, "keep the alpha channel (the background is transparent)");
    cmd->add_option("--background", o->background,
                    "background colour 0xRRGGBB (default: the setting CTrans)");
    cmd->add_option("--target", o->target, "draw this picture as the target (battler) image");
    cmd->add_flag("--actor-side", o->actorSide,
                  "mirrored left to right, as a side-view battle shows an animation on an actor");
    cmd->callback([&ctx, o] { RunRender(ctx, *o); });
}

} // namespace cli
