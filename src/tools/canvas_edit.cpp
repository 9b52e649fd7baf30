#include "tools/canvas_edit.h"

#include "config/config.h"
#include "document/edit_commands.h"
#include "document/project.h"
#include "document/transaction.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;

// Truncation toward zero into the 16-bit range, saturating (a huge scale cannot wrap a value round
// to the other sign before the document clamps it). A value within 1/10000 of a whole number counts
// as that number, so rounding noise of the float arithmetic (a quarter turn, a ratio of 1.9999999)
// does not cost a pixel or a percent.
double Clean(double v) {
    const double nearest = std::round(v);
    return std::abs(v - nearest) < 1e-4 ? nearest : v;
}
int16_t To16(double v) {
    if (!(v > -32768.0)) return INT16_MIN;
    if (!(v < 32767.0)) return INT16_MAX;
    return static_cast<int16_t>(static_cast<int>(Clean(v)));
}

double Direction(double x, double y) {
    if (std::abs(x) <= 0.01 && std::abs(y) <= 0.01) return 0;
    return std::atan2(y, x);
}

// angle + turn (radians) in tenths of a degree, truncated, brought into -1800..1799.
int16_t TurnAngle(int angle, float turn) {
    int a = static_cast<int>(Clean(angle + static_cast<double>(turn) * 180.0 / kPi * 10.0));
    a %= 3600;
    if (a >= 1800) a -= 3600;
    if (a < -1800) a += 3600;
    return static_cast<int16_t>(a);
}

int16_t Snapped(int16_t v, bool snap, int step) {
    return snap ? static_cast<int16_t>(SnapValue(v, step)) : v;
}

} // namespace

bool strQuad::contains(double px, double py) const {
    bool positive = false, negative = false;
    for (int k = 0; k < 4; ++k) {
        const int n = (k + 1) % 4;
        const double cross = (x[n] - x[k]) * (py - y[k]) - (y[n] - y[k]) * (px - x[k]);
        if (cross > 0) positive = true;
        if (cross < 0) negative = true;
    }
    return !(positive && negative);
}

strQuad CellQuad(const strCell& cell, int width, int height) {
    const double sx = cell.mx / 100.0, sy = cell.my / 100.0;
    const double a = cell.angle / 10.0 * kPi / 180.0;
    const double c = std::cos(a), s = std::sin(a);
    const double cornerX[4] = {0, double(width), double(width), 0};
    const double cornerY[4] = {0, 0, double(height), double(height)};
    strQuad q;
    for (int k = 0; k < 4; ++k) {
        const double u = (cornerX[k] - width / 2.0) * sx, v = (cornerY[k] - height / 2.0) * sy;
        q.x[k] = cell.x + u * c - v * s;
        q.y[k] = cell.y + u * s + v * c;
    }
    return q;
}

std::vector<int> HitCells(const cProject& doc, int frame, double x, double y, const CellSizeOf& sizeOf,
                          const CellOverride& cellOf) {
    std::vector<int> hits;
    const strFrame* f = doc.frame(frame);
    if (!f || !sizeOf) return hits;
    for (int n = 0; n < f->cells.capacity(); ++n) {
        const strCell* cell = f->cells.get(n);
        if (cellOf) cell = cellOf(n, cell);
        int w = 0, h = 0;
        if (cell && sizeOf(*cell, w, h) && CellQuad(*cell, w, h).contains(x, y)) hits.push_back(n);
    }
    return hits;
}

bool SelectByHit(cEditCommands& commands, const std::vector<int>& hits, int mode) {
    cEditCommands::cHold hold(commands);
    const std::vector<int> before = commands.selection();
    const int currentBefore = commands.currentCell();
    commands.setCurrentCell(-1);
    auto only = [&commands](int cell) {
        commands.clearSelection();
        commands.select(cell);
        commands.setCurrentCell(cell);
    };
    switch (mode) {
    case kSelectToggle:
        if (!hits.empty()) {
            const int top = hits.back();
            commands.select(top, !commands.isSelected(top));
            if (commands.isSelected(top)) commands.setCurrentCell(top);
        }
        break;
    case kSelectAdd:
        for (auto it = hits.rbegin(); it != hits.rend(); ++it) {
            if (commands.isSelected(*it)) continue;
            commands.select(*it);
            commands.setCurrentCell(*it);
            break;
        }
        break;
    case kSelectClick: {
        auto chosen = std::find_if(hits.rbegin(), hits.rend(), [&](int c) { return commands.isSelected(c); });
        if (chosen != hits.rend()) {
            only(*chosen);
            break;
        }
        [[fallthrough]];
    }
    default:
        if (hits.empty())
            commands.clearSelection();
        else
            only(hits.back());
        break;
    }
    return commands.selection() != before || commands.currentCell() != currentBefore;
}

int SnapValue(int v, int step) {
    if (step < 1) return v;
    return (v / step) * step;
}

strSnapSteps strSnapSteps::of(const cConfig& config) {
    strSnapSteps s;
    s.position = (config.GridBit & 1u) ? config.PostGrid : 0;
    s.scale = (config.GridBit & 2u) ? config.ScaleGrid : 0;
    s.angle = (config.GridBit & 4u) ? config.AngleGrid : 0;
    return s;
}

void PivotRatioAngle(double p1x, double p1y, double p2x, double p2y, double mx, double my, float& ratio,
                     float& angle) {
    const double ax = p1x - p2x, ay = p1y - p2y, bx = p1x - mx, by = p1y - my;
    double theta = Direction(bx, by) - Direction(ax, ay);
    while (theta >= kPi)
        theta -= 2 * kPi;
    while (theta < -kPi)
        theta += 2 * kPi;
    angle = static_cast<float>(theta);
    ratio = static_cast<float>(std::hypot(bx, by) / std::max(std::hypot(ax, ay), 1.0));
}

strCell TransformCell(const strCell& cell, const strDragTransform& t) {
    strCell c = cell;
    const strSnapSteps& s = t.steps;
    auto scale = [&] {
        c.mx = Snapped(To16(c.mx * double(t.ratio)), t.snap, s.scale);
        c.my = Snapped(To16(c.my * double(t.ratio)), t.snap, s.scale);
    };
    switch (t.mode) {
    case kDragMove:
        c.x = Snapped(To16(float(c.x) + t.dx / t.zoom), t.snap, s.position);
        c.y = Snapped(To16(float(c.y) + t.dy / t.zoom), t.snap, s.position);
        break;
    case kDragRotate:
        c.angle = Snapped(TurnAngle(c.angle, t.angle), t.snap, s.angle);
        break;
    case kDragScale:
        scale();
        break;
    case kDragRotateScale: {
        const double ux = (c.x - t.pivotX) * t.ratio, uy = (c.y - t.pivotY) * t.ratio;
        const double cs = std::cos(double(t.angle)), sn = std::sin(double(t.angle));
        c.x = Snapped(To16(t.pivotX + ux * cs - uy * sn), t.snap, s.position);
        c.y = Snapped(To16(t.pivotY + ux * sn + uy * cs), t.snap, s.position);
        c.angle = Snapped(TurnAngle(c.angle, t.angle), t.snap, s.angle);
        scale();
        break;
    }
    default:
        break;
    }
    return c;
}

std::vector<std::pair<int, int>>
DragTargets(const cProject& doc, int frame, const std::vector<int>& takingPart, const cTimelineRange& range) {
    std::vector<std::pair<int, int>> out;
    const cTimelineRange block = range.blockOn(doc.frameCount(), doc.cellNumber());
    const bool inside = std::any_of(takingPart.begin(), takingPart.end(),
                                    [&](int c) { return block.contains(frame, c) && doc.cell(frame, c); });
    if (inside) {
        for (int f = block.firstFrame(); f <= block.lastFrame(); ++f)
            for (int c = block.firstCell(); c <= block.lastCell(); ++c)
                out.emplace_back(f, c);
        return out;
    }
    for (int c : takingPart)
        out.emplace_back(frame, c);
    return out;
}

strCell PreviewDragCell(const cProject& doc, int cellNumber, const strCell& cell, const strDragTransform& t) {
    strCell c = TransformCell(cell, t);
    doc.normaliseCell(c, cellNumber);
    return c;
}

int ApplyDrag(cProject& doc, const std::vector<std::pair<int, int>>& targets, const strDragTransform& t) {
    const eMessageId label = t.mode == kDragRotate                                ? kStepRotateCells
                             : t.mode == kDragScale || t.mode == kDragRotateScale ? kStepScaleCells
                                                                                  : kStepMoveCells;
    cTransaction step(doc, strMessage(label));
    int stored = 0;
    for (const auto& [f, n] : targets) {
        const strCell* before = doc.cell(f, n);
        if (!before) continue;
        const strCell after = PreviewDragCell(doc, n, *before, t);
        if (after == *before) continue;
        if (doc.setCell(f, n, &after)) ++stored;
    }
    step.setLabel(Counted(label, stored));
    step.commit();
    return stored;
}
