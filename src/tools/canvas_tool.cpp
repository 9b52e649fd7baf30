#include "tools/canvas_tool.h"

#include "document/edit_commands.h"
#include "document/project.h"

#include <algorithm>
#include <cmath>

int WholePixel(double v) {
    return static_cast<int>(std::trunc(v));
}

void cCanvasTool::setPress(const strGestureEvent& e) {
    pressX_ = pointerX_ = e.x;
    pressY_ = pointerY_ = e.y;
}

void cCanvasTool::setPointer(const strGestureEvent& e) {
    pointerX_ = e.x;
    pointerY_ = e.y;
}

bool cCanvasTool::beyond(const strGestureContext& ctx, double ax, double ay, double bx, double by) {
    // Compared in screen pixels; the small allowance keeps a whole-pixel distance whole.
    const double t = ctx.threshold - 1e-6;
    return std::abs(ax - bx) * ctx.zoom >= t || std::abs(ay - by) * ctx.zoom >= t;
}

bool SelectAt(const strGestureContext& ctx, double x, double y, bool ctrl) {
    const std::vector<int> hits = HitCells(*ctx.doc, ctx.frame, x, y, ctx.sizeOf, ctx.cellOf);
    return SelectByHit(*ctx.commands, hits, ctrl ? kSelectAdd : kSelectClick);
}

bool KeepCurrentOnly(const strGestureContext& ctx, strGestureResult& out) {
    cEditCommands& cmd = *ctx.commands;
    const int n = cmd.currentCell();
    if (n < 0 || !ctx.doc->cell(ctx.frame, n)) return false;
    if (cmd.selectedCount() != 1 || !cmd.isSelected(n)) {
        cmd.clearSelection();
        cmd.select(n);
        out.selection = true;
    }
    return true;
}

// ---- cCellDrag ------------------------------------------------------------------------------------

void cCellDrag::begin(const strGestureContext& ctx) {
    clear();
    for (int n : ctx.commands->selection())
        if (ctx.doc->cell(ctx.frame, n)) takingPart_.push_back(n);
}

void cCellDrag::preview(const strGestureContext& ctx, const strDragTransform& t) {
    const cProject& doc = *ctx.doc;
    const size_t count = size_t(std::max(doc.cellNumber(), 0));
    set_.assign(count, false);
    cells_.resize(count);
    for (const auto& [f, n] : DragTargets(doc, ctx.frame, takingPart_, ctx.range)) {
        const strCell* cell = doc.cell(f, n);
        if (f != ctx.frame || !cell || n < 0 || size_t(n) >= count) continue;
        cells_[size_t(n)] = PreviewDragCell(doc, n, *cell, t);
        set_[size_t(n)] = true;
    }
}

int cCellDrag::apply(const strGestureContext& ctx, const strDragTransform& t) const {
    return ApplyDrag(*ctx.doc, DragTargets(*ctx.doc, ctx.frame, takingPart_, ctx.range), t);
}

void cCellDrag::clear() {
    takingPart_.clear();
    set_.clear();
    cells_.clear();
}

const strCell* cCellDrag::cell(int n) const {
    return n >= 0 && size_t(n) < set_.size() && set_[size_t(n)] ? &cells_[size_t(n)] : nullptr;
}

int cCellDrag::first() const {
    const auto it = std::find(set_.begin(), set_.end(), true);
    return it == set_.end() ? -1 : int(it - set_.begin());
}

int NudgeCells(const strGestureContext& ctx, int dx, int dy) {
    cCellDrag drag;
    drag.begin(ctx);
    strDragTransform t;
    t.mode = kDragMove;
    t.dx = float(dx);
    t.dy = float(dy);
    return drag.apply(ctx, t);
}

int StepCurrentCell(const strGestureContext& ctx, bool forward, bool fromEdge) {
    const int count = ctx.doc->cellNumber();
    const int current = ctx.commands->currentCell();
    const int step = forward ? 1 : -1;
    // From the current cell (or from just outside the row) to the end of the row, without wrapping.
    const bool inside = !fromEdge && current >= 0 && current < count;
    for (int c = (inside ? current : (forward ? -1 : count)) + step; c >= 0 && c < count; c += step) {
        if (!ctx.doc->cell(ctx.frame, c)) continue;
        ctx.commands->clearSelection();
        ctx.commands->select(c);
        ctx.commands->setCurrentCell(c);
        return c;
    }
    return -1;
}
