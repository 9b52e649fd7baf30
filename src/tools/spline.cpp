#include "tools/spline.h"

#include "config/config.h"
#include "document/project.h"
#include "document/transaction.h"

#include <algorithm>
#include <cstdio>

namespace {

int32_t truncateToInt(float v) {
    if (!(v > -2147483648.0f && v < 2147483648.0f)) return v > 0 ? INT32_MAX : INT32_MIN;
    return static_cast<int32_t>(v);
}

} // namespace

void cSpline::open(const cConfig& config, const cProject& doc, int frame, int cellNumber,
                   strPoint cellPosition, strPoint control, strPoint end) {
    startFrame = frame;
    cell = cellNumber;
    p0 = cellPosition;
    p1 = control;
    p2 = end;
    snap = (config.GridBit & 1u) != 0;
    gridStep = config.PostGrid;
    frames = std::clamp(frames, 0, maxFrames(doc));
}

int cSpline::maxFrames(const cProject& doc) const {
    return std::max(doc.frameCount() - 1 - startFrame, 0);
}

std::string cSpline::title() const {
    char buf[32];
    std::snprintf(buf, sizeof buf, "Cell_%d", cell);
    return buf;
}

strPoint cSpline::curvePoint(strPoint p0, strPoint p1, strPoint p2, float t) {
    const float u = 1.0f - t;
    const float a = u * u;
    const float b = 2.0f * t * u;
    const float c = t * t;
    strPoint p;
    p.x = truncateToInt(a * static_cast<float>(p0.x) + b * static_cast<float>(p1.x) +
                        c * static_cast<float>(p2.x));
    p.y = truncateToInt(a * static_cast<float>(p0.y) + b * static_cast<float>(p1.y) +
                        c * static_cast<float>(p2.y));
    return p;
}

int32_t cSpline::snapToGrid(int32_t v, int step) {
    if (step < 1) return v;
    return (v / step) * step;
}

strPoint cSpline::pointAt(int f) const {
    const float t = static_cast<float>(f - startFrame) / static_cast<float>(frames);
    strPoint p = curvePoint(p0, p1, p2, t);
    if (snap) {
        p.x = snapToGrid(p.x, gridStep);
        p.y = snapToGrid(p.y, gridStep);
    }
    return p;
}

std::vector<strPoint> cSpline::preview(const cProject& doc) const {
    std::vector<strPoint> out;
    if (frames < 1 || !doc.cell(startFrame, cell)) return out;
    out.reserve(static_cast<size_t>(frames) + 1);
    out.push_back(p0);
    for (int f = startFrame + 1; f <= startFrame + frames; ++f)
        out.push_back(pointAt(f));
    return out;
}

strEditResult cSpline::run(const strToolContext& ctx) const {
    strEditResult r;
    if (!ctx.doc) return r;
    cProject& doc = *ctx.doc;
    cTransaction t(doc, strMessage(kStepSpline, startFrame));
    int stored = 0;
    const strCell* first = doc.cell(startFrame, cell);
    if (first && frames >= 1) {
        strCell base = *first;
        const int end = startFrame + frames;
        for (int f = startFrame + 1; f <= end; ++f) {
            // A frame that holds the cell keeps its other fields; otherwise the previous base goes on.
            if (const strCell* here = doc.cell(f, cell)) base = *here;
            const strPoint p = pointAt(f);
            base.x = static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(p.x)));
            base.y = static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(p.y)));
            if (doc.changeCell(f, cell, &base)) ++stored;
        }
    }
    t.commit();
    r.count = stored;
    r.ok = stored > 0;
    r.status = stored > 0    ? strMessage(kMsgSplineDone, stored)
               : !first      ? strMessage(kMsgSplineNoStartCell, startFrame, cell)
               : frames >= 1 ? strMessage(kMsgCellsAlreadyHold)
                             : strMessage(kMsgNoCellChanged);
    return r;
}
