// pelko tween: frame compensation with easing on a project file, written to another file.

#include "cli/commands.h"
#include "cli/project_io.h"
#include "document/history.h"
#include "document/project.h"
#include "tools/cell_params.h"
#include "tools/frame_comp.h"

#include <cmath>
#include <iostream>
#include <memory>
#include <sstream>

namespace cli {

namespace {

struct strTweenArgs {
    std::string in, out, cells, params, ease = "linear", bezier, method = "normal";
    int from = 0, to = 0;
    bool fullTurns = false;
};

// "0,3,5" or "0-7" pieces into cell flags; false (with the reason) for anything else.
bool ParseCells(const std::string& text, int cellNumber, std::vector<uint8_t>& checks, std::string& why) {
    checks.assign(size_t(cellNumber), 0);
    std::istringstream in(text);
    std::string item;
    bool any = false;
    while (std::getline(in, item, ',')) {
        int a = -1, b = -1;
        char dash = 0;
        std::istringstream piece(item);
        if (!(piece >> a)) return why = "--cells wants numbers like 0,3 or 0-7, not \"" + text + "\"", false;
        b = a;
        if (piece >> dash && (dash != '-' || !(piece >> b)))
            return why = "--cells wants numbers like 0,3 or 0-7, not \"" + text + "\"", false;
        if (!(piece >> std::ws).eof() || a > b)
            return why = "--cells wants numbers like 0,3 or 0-7, not \"" + text + "\"", false;
        if (a < 0 || b >= cellNumber)
            return why = "cell " + std::to_string(a < 0 ? a : b) + " does not exist (the project has " +
                         std::to_string(cellNumber) + " cell numbers, from 0)",
                   false;
        for (int c = a; c <= b; ++c)
            checks[size_t(c)] = 1;
        any = true;
    }
    if (!any) return why = "--cells names no cell", false;
    return true;
}

// "position,angle" into parameter bits; every group when the text is empty.
bool ParseParams(const std::string& text, uint32_t& bits, std::string& why) {
    bits = 0;
    if (text.empty()) {
        for (int g = 0; g < kTweenGroupCount; ++g)
            bits |= TweenGroupParams(g);
        return true;
    }
    std::istringstream in(text);
    std::string item;
    while (std::getline(in, item, ',')) {
        const int g = TweenGroupFromName(item);
        if (g < 0)
            return why = "--params knows position, scale, angle, opacity and tone, not \"" + item + "\"",
                   false;
        bits |= TweenGroupParams(g);
    }
    return bits != 0 || (why = "--params names no group", false);
}

bool ParseBezier(const std::string& text, strEasing& e, std::string& why) {
    std::istringstream in(text);
    float v[4];
    char comma[3];
    if (!(in >> v[0] >> comma[0] >> v[1] >> comma[1] >> v[2] >> comma[2] >> v[3]) || comma[0] != ',' ||
        comma[1] != ',' || comma[2] != ',' || !(in >> std::ws).eof())
        return why = "--bezier wants x1,y1,x2,y2 (four numbers), not \"" + text + "\"", false;
    if (!strEasing::validBezier(v[0], v[1], v[2], v[3]))
        return why = "--bezier: x1 and x2 must lie in 0..1", false;
    e = {eEaseKind::kBezier, v[0], v[1], v[2], v[3]};
    return true;
}

void RunTween(Context& ctx, const strTweenArgs& a) {
    cProject doc(&ctx.config);
    if (!LoadProject(ctx, a.in, doc, nullptr)) return;
    std::string why;
    cFrameComp comp;
    comp.startFrame = a.from;
    comp.endFrame = a.to;
    comp.method = a.method == "medium" ? cFrameComp::kMedium
                  : a.method == "used" ? cFrameComp::kCellUsedOnly
                                       : cFrameComp::kNormal;
    uint32_t bits = 0;
    strEasing easing;
    if (!ParseCells(a.cells, doc.cellNumber(), comp.cellChecks, why) || !ParseParams(a.params, bits, why) ||
        (!a.bezier.empty() && !ParseBezier(a.bezier, easing, why))) {
        Fail(ctx, why);
        return;
    }
    if (a.bezier.empty() && !EaseKindFromName(a.ease, easing.kind)) {
        Fail(ctx, "--ease knows linear, in, out, in-out and bezier, not \"" + a.ease + "\"");
        return;
    }
    if (easing.kind == eEaseKind::kBezier && a.bezier.empty()) {
        Fail(ctx, "--ease bezier needs its control points: --bezier x1,y1,x2,y2");
        return;
    }
    const int frames = doc.frameCount();
    for (int f : {a.from, a.to})
        if (f < 0 || f >= frames) {
            Fail(ctx, "frame " + std::to_string(f) + " does not exist (the project has " +
                          std::to_string(frames) + " frames, numbered from 0)");
            return;
        }
    for (int i = 0; i < kCellParamCount; ++i)
        comp.paramChecks[size_t(i)] = (bits & CellParamBit(i)) ? 1 : 0;
    comp.tween.setAll(easing);
    comp.tween.fullTurns = a.fullTurns;

    strToolContext tool;
    tool.doc = &doc;
    const strEditResult r = comp.run(tool);
    // A run over cells that already hold the tween changes nothing and still writes its output.
    if (r.count == 0 && r.status.id != kMsgCellsAlreadyHold) {
        Fail(ctx, "nothing to tween: the chosen cells have no cells on both frames " +
                      std::to_string(a.from) + " and " + std::to_string(a.to) + " with frames between them");
        return;
    }
    if (!SaveProject(ctx, a.out, doc)) return;
    std::cout << a.out << ": " << FormatMessage(r.status) << "\n";
}

} // namespace

void AddTweenCommand(CLI::App& app, Context& ctx) {
    auto* cmd = app.add_subcommand("tween", "fill the frames between two placements of cells, eased");
    auto a = std::make_shared<strTweenArgs>();
    cmd->add_option("PROJECT", a->in, "project file to read")->required();
    cmd->add_option("OUT", a->out, "project file to write")->required();
    cmd->add_option("--cells", a->cells, "cell numbers, e.g. 0,3 or 0-7")->required();
    cmd->add_option("--from", a->from, "first frame (a placement of each cell)")->required();
    cmd->add_option("--to", a->to, "last frame (a placement of each cell)")->required();
    cmd->add_option("--ease", a->ease, "linear, in, out or in-out (cubic); default linear");
    cmd->add_option("--bezier", a->bezier, "a cubic Bezier x1,y1,x2,y2 as CSS writes it (x1, x2 in 0..1)");
    cmd->add_option("--params", a->params,
                    "groups to tween: position, scale, angle, opacity, tone (default: all of them)");
    cmd->add_flag("--full-turns", a->fullTurns,
                  "take the angle difference as stored (3600 is one turn) instead of the shorter way");
    cmd->add_option("--method", a->method,
                    "normal (fill the gaps), medium (every pair of placements from --from on) or used "
                    "(only frames that have the cell); default normal")
        ->check(CLI::IsMember({"normal", "medium", "used"}));
    cmd->callback([&ctx, a] { RunTween(ctx, *a); });
}

} // namespace cli
