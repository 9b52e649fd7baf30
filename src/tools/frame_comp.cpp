#include "tools/frame_comp.h"

#include "document/edit_commands.h"
#include "document/project.h"
#include "document/transaction.h"
#include "tools/cell_params.h"

#include <algorithm>
#include <cstdio>

void cFrameComp::fillFromTimeline(const cProject& doc, const cTimelineRange& range) {
    const int frames = doc.frameCount(), cells = doc.cellNumber();
    const cTimelineRange block = range.blockOn(frames, cells);
    startFrame = block.empty() ? 0 : block.firstFrame();
    endFrame = block.empty() ? 0 : block.lastFrame();
    cellChecks.assign(static_cast<size_t>(std::max(cells, 0)), 0);
    for (int c = block.firstCell(); c <= block.lastCell(); ++c)
        cellChecks[c] = 1;
    paramChecks.assign(kCellParamCount, 1);
}

void cFrameComp::fitToProject(const cProject& doc) {
    cellChecks.resize(static_cast<size_t>(std::max(doc.cellNumber(), 0)), 0);
    paramChecks.resize(kCellParamCount, 0);
}

std::string cFrameComp::cellLabel(int cell) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "<%02d>", cell);
    return buf;
}

uint32_t cFrameComp::paramBits() const {
    return CellParamBits(paramChecks);
}

int cFrameComp::interpolate(cProject& doc, int cell, int fa, int fb, uint32_t bits, bool fill,
                            const strTweenOptions& tween, int* reached) {
    const strCell* a = doc.cell(fa, cell);
    const strCell* b = doc.cell(fb, cell);
    if (!a || !b || fb - fa < 2 || bits == 0) return 0;
    // Copies: the stores below may not touch frames fa and fb, but keep the ends stable regardless.
    const strCell A = *a;
    const strCell B = *b;
    int stored = 0;
    for (int f = fa + 1; f < fb; ++f) {
        const strCell* here = doc.cell(f, cell);
        if (!here && !fill) continue;
        strCell base = here ? *here : A;
        const float t = static_cast<float>(f - fa) / static_cast<float>(fb - fa);
        TweenCell(base, A, B, t, bits, tween);
        if (reached) ++*reached;
        if (doc.changeCell(f, cell, &base)) ++stored;
    }
    return stored;
}

strEditResult cFrameComp::run(const strToolContext& ctx) const {
    strEditResult r;
    if (!ctx.doc) return r;
    cProject& doc = *ctx.doc;
    const int frames = doc.frameCount();
    int s = std::clamp(startFrame, 0, frames);
    int e = std::clamp(endFrame, 0, frames);
    if (e < s) std::swap(s, e);
    const uint32_t bits = paramBits();

    cTransaction t(doc, strMessage(kStepCompensate, s, e));
    int stored = 0, reached = 0;
    const int cells = std::min(doc.cellNumber(), static_cast<int>(cellChecks.size()));
    const bool anyCell = std::any_of(cellChecks.begin(), cellChecks.begin() + std::max(cells, 0),
                                     [](uint8_t v) { return v != 0; });
    if (bits != 0) {
        for (int c = 0; c < cells; ++c) {
            if (!cellChecks[c]) continue;
            switch (method) {
            case kNormal:
                stored += interpolate(doc, c, s, e, bits, true, tween, &reached);
                break;
            case kMedium: {
                // Every pair of consecutive placements from the start frame to the end of the
                // animation; the end frame does not limit the walk.
                int fa = s;
                while (fa < frames && !doc.cell(fa, c))
                    ++fa;
                while (fa < frames) {
                    int fb = fa + 1;
                    while (fb < frames && !doc.cell(fb, c))
                        ++fb;
                    if (fb >= frames) break;
                    stored += interpolate(doc, c, fa, fb, bits, true, tween, &reached);
                    fa = fb;
                }
                break;
            }
            case kCellUsedOnly:
                stored += interpolate(doc, c, s, e, bits, false, tween, &reached);
                break;
            default:
                break;
            }
        }
    }
    t.commit();

    r.count = stored;
    r.ok = stored > 0;
    r.status = stored > 0  ? strMessage(kMsgCompensated, startFrame, endFrame, stored)
               : !anyCell  ? strMessage(kMsgNoCellNumberTicked)
               : bits == 0 ? strMessage(kMsgNoValueTicked)
               : reached   ? strMessage(kMsgCellsAlreadyHold)
                           : strMessage(kMsgNoCellChanged);
    return r;
}

strEditResult CompleteTimelineBlock(const strToolContext& ctx, const cTimelineRange& range, int compType) {
    strEditResult r;
    if (!ctx.doc) return r;
    cProject& doc = *ctx.doc;
    const int frames = doc.frameCount();
    const cTimelineRange block = range.blockOn(frames, doc.cellNumber());
    if (block.empty()) return r;
    const int firstFrame = block.firstFrame(), lastFrame = block.lastFrame();

    cTransaction step(doc, strMessage(kStepCompleteCells));
    int stored = 0;
    bool anyNeighbour = false;
    for (int c = block.firstCell(); c <= block.lastCell(); ++c) {
        int fp = firstFrame - 1;
        while (fp >= 0 && !doc.cell(fp, c))
            --fp;
        int fn = lastFrame + 1;
        while (fn < frames && !doc.cell(fn, c))
            ++fn;
        const bool hasP = fp >= 0;
        const bool hasN = fn < frames;
        if (!hasP && !hasN) continue;
        anyNeighbour = true;
        // Copies: the stores inside the block never reach P or N, but keep them stable regardless.
        const strCell P = hasP ? *doc.cell(fp, c) : strCell{};
        const strCell N = hasN ? *doc.cell(fn, c) : strCell{};
        for (int f = firstFrame; f <= lastFrame; ++f) {
            strCell o;
            if (hasP && hasN) {
                const strCell* here = doc.cell(f, c);
                o = here ? *here : P;
                const float t = static_cast<float>(f - fp) / static_cast<float>(fn - fp);
                SupplementCell(o, &P, &N, t, compType);
            } else {
                o = hasP ? P : N;
            }
            if (doc.changeCell(f, c, &o)) ++stored;
        }
    }
    step.setLabel(Counted(kStepCompleteCells, stored));
    step.commit();

    r.count = stored;
    r.ok = stored > 0;
    // A block whose cells all had a neighbour to follow changes nothing when they already did.
    r.status = r.ok           ? strMessage(kMsgCountComplete, stored)
               : anyNeighbour ? strMessage(kMsgCellsAlreadyHold)
                              : strMessage(kMsgNoCellsAroundBlock);
    return r;
}
