// pelko export png / gif / apng / webp: a whole animation as a PNG sheet, a numbered PNG sequence, an
// animated GIF, PNG or WebP, run on the export worker with a progress line on stderr.

#include "cli/commands.h"
#include "cli/project_io.h"
#include "document/project.h"
#include "export/export_worker.h"
#include "export/sequence_path.h"
#include "image/picture_slot_table.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <iostream>
#include <memory>
#include <mutex>
#include <unistd.h>

namespace cli {

namespace {

struct strExportOptions {
    std::string in, out, area, background, target;
    bool autoArea = false;
    bool alpha = false;
    // png
    bool sheet = false;
    int perRow = 0, perColumn = 0;
    bool columnFirst = false;
    bool interval = false;
    // gif
    int fps = 60;
    bool limit6 = false;
    bool transparent = false;
    int zoom = 100;
    bool flash = false;
    bool wholeFrames = false;
    // apng, webp: the GIF's options, and for WebP
    int lossy = -1; // lossy quality 0..100; -1 lossless
};

enum class eExportKind { kPng, kGif, kApng, kWebp };

// Runs the worker to its end, printing "export: done/total" on stderr every 400 ms once it has run
// that long (one self-overwriting line on a terminal, one line per report otherwise).
strExportOutcome RunWorker(cExportWorker& worker) {
    std::mutex m;
    std::condition_variable cv;
    bool ended = false;
    worker.setCompletion([&](const strExportOutcome&) {
        std::lock_guard<std::mutex> lock(m);
        ended = true;
        cv.notify_all();
    });
    if (!worker.start()) {
        strExportOutcome o;
        o.result = eExportResult::kFailed;
        o.reason = "cannot start the export thread";
        return o;
    }
    const bool tty = isatty(STDERR_FILENO) != 0;
    int shown = -1; // the count last printed; -1 before the first report
    {
        std::unique_lock<std::mutex> lock(m);
        while (!cv.wait_for(lock, std::chrono::milliseconds(400), [&] { return ended; })) {
            const int done = worker.doneCount();
            if (tty || done != shown)
                std::fprintf(stderr, tty ? "\rexport: %d/%d images" : "export: %d/%d images\n", done,
                             worker.totalImages());
            std::fflush(stderr);
            shown = done;
        }
    }
    worker.wait();
    strExportOutcome o = worker.outcome();
    if (tty && shown >= 0)
        std::fprintf(stderr, "\rexport: %d/%d images\n", o.images, worker.totalImages());
    else if (shown >= 0 && o.images != shown)
        std::fprintf(stderr, "export: %d/%d images\n", o.images, worker.totalImages());
    std::fflush(stderr);
    return o;
}

void RunExport(Context& ctx, const strExportOptions& o, eExportKind kind) {
    const bool gif = kind != eExportKind::kPng; // the animated kinds share the GIF's timing and options
    cProject doc(&ctx.config);
    if (!LoadProject(ctx, o.in, doc, nullptr)) return;
    cPictureSlotTable slots;
    if (!LoadCapturePictures(ctx, doc, o.target, slots)) return;

    strCaptureRequest r;
    r.project = &doc;
    r.pictures = &slots;
    if (!ChooseCaptureArea(ctx, doc, slots, o.area, r.area) ||
        !ParseBackground(ctx, o.background, r.background))
        return;
    const bool sheet = !gif && (o.sheet || o.perRow > 0 || o.perColumn > 0);
    if (gif) {
        r.outputPath = o.out;
        r.flags = (kind == eExportKind::kApng   ? kExportApng
                   : kind == eExportKind::kWebp ? kExportWebp
                                                : kExportGif) |
                  (o.limit6 ? kExportLimit6 : 0) | (o.transparent ? kExportAlpha : 0) |
                  (o.flash ? kExportFlash : 0) | (o.target.empty() ? 0 : kExportTarget);
        r.webpQuality = o.lossy;
        r.fps = o.fps;
        r.zoomPercent = o.zoom;
        r.gifWholeFrames = o.wholeFrames;
    } else {
        r.outputPath =
            sheet || o.out.find(kSequenceField) != std::string::npos ? o.out : InsertSequenceField(o.out);
        r.flags = kExportPng | (o.alpha ? kExportAlpha : 0) | (o.interval ? kExportInterval : 0);
        if (sheet) {
            r.flags |= kExportSheet | (o.perColumn > 0 ? kExportFixRows : 0) |
                       (o.columnFirst ? kExportColumnFirst : 0);
            r.division = o.perColumn > 0 ? o.perColumn : o.perRow > 0 ? o.perRow : 5;
        }
    }

    cExportWorker worker;
    cCaptureImage& capture = worker.capture();
    if (!capture.begin(r)) {
        Fail(ctx, "cannot export " + o.in + ": " + capture.lastError());
        return;
    }
    const int total = capture.totalImages();
    const int columns = capture.columns(), rows = capture.rows();
    const int cw = capture.cellWidth(), ch = capture.cellHeight();
    const strExportOutcome outcome = RunWorker(worker);
    if (outcome.result != eExportResult::kCompleted) {
        Fail(ctx, outcome.reason.empty() ? "the export was interrupted" : outcome.reason);
        return;
    }
    if (gif)
        std::cout << r.outputPath << ": " << total << " frames of " << cw << " x " << ch << "\n";
    else if (sheet)
        std::cout << r.outputPath << ": sheet of " << columns << " x " << rows << " cells of " << cw << " x "
                  << ch << " (" << total << " images)\n";
    else
        std::cout << FormatSequencePath(r.outputPath, 0) << " .. "
                  << FormatSequencePath(r.outputPath, total - 1) << ": " << total << " images of " << cw
                  << " x " << ch << "\n";
}

void AddCommonOptions(CLI::App* cmd, strExportOptions& o) {
    cmd->add_option("IN", o.in, "project file")->required();
    cmd->add_option("OUT", o.out, "file to write")->required();
    auto* area = cmd->add_option("--area", o.area,
                                 "capture area L,T,W,H in animation coordinates "
                                 "(negative W or H mirror or flip)");
    cmd->add_flag("--auto", o.autoArea, "capture area holding every cell of every frame (the default)")
        ->excludes(area);
    cmd->add_option("--background", o.background, "background colour 0xRRGGBB (default: the setting CTrans)");
}

} // namespace

void AddExportCommand(CLI::App& app, Context& ctx) {
    auto* cmd = app.add_subcommand("export", "export a whole animation as PNG images or an animated GIF");
    cmd->require_subcommand(1);

    auto png = std::make_shared<strExportOptions>();
    auto* p = cmd->add_subcommand("png", "a PNG sheet (--sheet) or a numbered PNG sequence (OUT gets 00000, "
                                         "00001, ... before its extension)");
    AddCommonOptions(p, *png);
    p->add_flag("--sheet", png->sheet, "all images on one sheet (5 per row unless said otherwise)");
    auto* perRow = p->add_option("--per-row", png->perRow, "sheet: N images per row (\"horizontal fixed\")")
                       ->transform(DecimalNumber())
                       ->check(CLI::Range(1, 999));
    p->add_option("--per-column", png->perColumn, "sheet: N images per column (\"vertical fixed\")")
        ->transform(DecimalNumber())
        ->check(CLI::Range(1, 999))
        ->excludes(perRow);
    p->add_flag("--column-first", png->columnFirst,
                "sheet: fill column by column (\"Ver\"; default row by row)");
    p->add_flag("--interval", png->interval,
                "one image per step of the shortest frame length (\"Interval\")");
    p->add_flag("--alpha", png->alpha, "keep the alpha channel (the background is transparent)");
    p->callback([&ctx, png] { RunExport(ctx, *png, eExportKind::kPng); });

    // The animated kinds: the GIF's options (APNG and WebP keep full alpha with --transparent).
    const auto animated = [&ctx, cmd](const char* name, const char* what, eExportKind kind) {
        auto o = std::make_shared<strExportOptions>();
        auto* g = cmd->add_subcommand(name, what);
        AddCommonOptions(g, *o);
        g->add_option("--fps", o->fps, "animation ticks per second (default 60)")
            ->transform(DecimalNumber())
            ->check(CLI::Range(1, 1000));
        g->add_flag("--limit6", o->limit6, "slow down so that no image lasts less than 6/100 s");
        g->add_flag("--transparent", o->transparent,
                    kind == eExportKind::kGif ? "make the background transparent (\"Trans. color\")"
                                              : "keep the alpha channel (the background is transparent)");
        g->add_option("--zoom", o->zoom, "zoom in percent, 1..200 (default 100)")
            ->transform(DecimalNumber())
            ->check(CLI::Range(1, 200));
        g->add_flag("--flash", o->flash, "include the flash effects");
        if (kind == eExportKind::kGif)
            g->add_flag("--whole-frames", o->wholeFrames,
                        "write every frame whole (by default a frame holds only what changed)");
        if (kind == eExportKind::kWebp)
            g->add_option("--lossy", o->lossy, "lossy at this quality, 0..100 (default: lossless)")
                ->transform(DecimalNumber())
                ->check(CLI::Range(0, 100));
        g->add_option("--target", o->target, "draw this picture as the target (battler) image");
        g->callback([&ctx, o, kind] { RunExport(ctx, *o, kind); });
    };
    animated("gif", "an animated GIF", eExportKind::kGif);
    animated("apng", "an animated PNG (the GIF's frames and delays, full colour and alpha)",
             eExportKind::kApng);
    animated("webp", "an animated WebP (the GIF's frames and delays; lossless unless --lossy)",
             eExportKind::kWebp);
}

} // namespace cli
