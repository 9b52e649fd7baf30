#include "tools/batch_edit.h"

#include "document/project.h"
#include "document/transaction.h"
#include "tools/cell_params.h"

#include <algorithm>
#include <cstdio>

namespace {

void fillRange(std::vector<uint8_t>& flags, int count, int first, int last) {
    flags.assign(static_cast<size_t>(std::max(count, 0)), 0);
    for (int i = std::max(first, 0); i <= last && i < count; ++i)
        flags[i] = 1;
}

// 32-bit signed arithmetic that wraps as the original's int did, without undefined behaviour.
int32_t wrap(int64_t v) {
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(v)));
}

} // namespace

void cBatchEdit::fillFromTimeline(const cProject& doc, const cTimelineRange& range) {
    fillRange(frameChecks, doc.frameCount(), range.firstFrame(), range.lastFrame());
    fillRange(cellChecks, doc.cellNumber(), range.firstCell(), range.lastCell());
    paramChecks.resize(kCellParamCount, 0);
}

void cBatchEdit::fitToProject(const cProject& doc) {
    frameChecks.resize(static_cast<size_t>(std::max(doc.frameCount(), 0)), 0);
    cellChecks.resize(static_cast<size_t>(std::max(doc.cellNumber(), 0)), 0);
    paramChecks.resize(kCellParamCount, 0);
}

std::string cBatchEdit::frameLabel(int frame) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "<%03d>", frame);
    return buf;
}

std::string cBatchEdit::cellLabel(int cell) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "<%02d>", cell);
    return buf;
}

int32_t cBatchEdit::applyFormula(int formula, int32_t old, int32_t v) {
    switch (formula) {
    case kEqual:
        return v;
    case kAdd:
        return wrap(static_cast<int64_t>(old) + v);
    case kPercent: {
        const int32_t product = wrap(static_cast<int64_t>(old) * v);
        return product / 100; // C++ division truncates toward zero
    }
    default:
        return old;
    }
}

strCell cBatchEdit::apply(const strCell& c, uint32_t bits, int formula, int32_t v) {
    strCell out = c;
    for (int i = 0; i < kCellParamCount; ++i)
        if (bits & CellParamBit(i)) SetCellParam(out, i, applyFormula(formula, GetCellParam(c, i), v));
    return out;
}

strEditResult cBatchEdit::run(const strToolContext& ctx) const {
    strEditResult r;
    if (!ctx.doc) return r;
    cProject& doc = *ctx.doc;
    const uint32_t bits = CellParamBits(paramChecks);
    std::vector<int> cells;
    for (int c = 0; c < static_cast<int>(cellChecks.size()) && c < doc.cellNumber(); ++c)
        if (cellChecks[c]) cells.push_back(c);

    int stored = 0, reached = 0;
    if (!cells.empty()) {
        cTransaction t(doc, strMessage(kStepBatch));
        if (bits != 0) {
            const int frames = std::min(static_cast<int>(frameChecks.size()), doc.frameCapacity());
            for (int f = 0; f < frames; ++f) {
                if (!frameChecks[f]) continue;
                for (int c : cells) {
                    const strCell* here = doc.cell(f, c);
                    if (!here) continue;
                    const strCell changed = apply(*here, bits, formula, value);
                    ++reached;
                    if (doc.changeCell(f, c, &changed)) ++stored;
                }
            }
        }
        t.commit();
    }
    r.count = stored;
    r.ok = stored > 0;
    r.status = stored > 0      ? strMessage(kMsgBatchDone, stored)
               : cells.empty() ? strMessage(kMsgNoCellNumberTicked)
               : bits == 0     ? strMessage(kMsgNoValueTicked)
               : reached       ? strMessage(kMsgCellsAlreadyHold)
                               : strMessage(kMsgNoCellChanged);
    return r;
}

void cIntervalSetting::fillFromTimeline(const cProject& doc, const cTimelineRange& range) {
    const int last = std::max(doc.frameCount() - 1, 0);
    startFrame = std::clamp(range.firstFrame(), 0, last);
    endFrame = std::clamp(range.lastFrame(), 0, last);
    interval = std::min(doc.frameInterval(startFrame, false), 255);
}

strEditResult cIntervalSetting::run(const strToolContext& ctx) const {
    strEditResult r;
    if (!ctx.doc) return r;
    cProject& doc = *ctx.doc;
    int s = startFrame;
    int e = endFrame;
    if (e < s) std::swap(s, e);
    const int n = std::clamp(interval, 0, 0xFFFF);
    int set = 0;
    // The document refuses frames outside the animation; the loop need not walk past its slots.
    const int first = std::max(s, 0);
    const int last = std::min(e, doc.frameCapacity() - 1);
    // One run is one undo step; frames that already have the interval are left alone, so a run
    // that changes nothing records nothing and adds no step.
    cTransaction t(doc, strMessage(kStepInterval, n, s, e));
    for (int f = first; f <= last; ++f)
        if (doc.frame(f) && doc.frameInterval(f, false) != n &&
            doc.setFrameInterval(f, static_cast<uint16_t>(n)))
            ++set;
    t.commit();
    r.count = set;
    r.ok = set > 0;
    r.status = strMessage(kMsgIntervalDone, s, e, n);
    return r;
}
