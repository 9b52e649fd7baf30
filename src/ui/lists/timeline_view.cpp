#include "ui/lists/timeline_view.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace {

// Floor division for positions left of or above the grid.
int FloorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

} // namespace

cTimelineView::cTimelineView(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
    horizontalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setSingleStep(1);
    QFont small = font();
    small.setPixelSize(10);
    setFont(small);
}

void cTimelineView::setGridSize(int columns, int rows) {
    columns_ = std::max(columns, 0);
    rows_ = std::max(rows, 0);
    cursorFrame_ = std::clamp(cursorFrame_, 0, std::max(columns_ - 1, 0));
    cursorCell_ = std::clamp(cursorCell_, 0, std::max(rows_ - 1, 0));
    anchorFrame_ = std::clamp(anchorFrame_, 0, std::max(columns_ - 1, 0));
    anchorCell_ = std::clamp(anchorCell_, 0, std::max(rows_ - 1, 0));
    for (auto& r : rects_)
        r = r.clampedTo(columns_, rows_);
    if (pressKind_ != kRangeNone) {
        pressFrame_ = std::clamp(pressFrame_, 0, std::max(columns_ - 1, 0));
        pressCell_ = std::clamp(pressCell_, 0, std::max(rows_ - 1, 0));
    }
    updateScrollBars();
    viewport()->update();
}

// ---- rectangles -----------------------------------------------------------------------------------

void cTimelineView::setRect(eRect which, const cTimelineRange& r) {
    const cTimelineRange onGrid = r.clampedTo(columns_, rows_);
    if (rects_[which] == onGrid) return;
    rects_[which] = onGrid;
    viewport()->update();
}

// ---- cursor -----------------------------------------------------------------------------------------

bool cTimelineView::moveCursor(int frame, int cell, bool extend, eRangeKind kind) {
    if (columns_ < 1 || rows_ < 1) return false;
    frame = std::clamp(frame, 0, columns_ - 1);
    cell = std::clamp(cell, 0, rows_ - 1);
    const bool moved = frame != cursorFrame_ || cell != cursorCell_ || kind != cursorKind_;
    cursorFrame_ = frame;
    cursorCell_ = cell;
    cursorKind_ = kind;
    const cTimelineRange before = rects_[kSelection];
    if (extend && !before.empty()) {
        setRect(kSelection, cTimelineRange::spanning(before.kind(), anchorFrame_, anchorCell_, frame, cell));
    } else {
        anchorFrame_ = frame;
        anchorCell_ = cell;
        setRect(kSelection, cTimelineRange::spanning(kind, frame, cell, frame, cell));
    }
    ensureVisible(frame, cell);
    viewport()->update();
    if (moved) emit cursorMoved();
    if (moved || !(before == rects_[kSelection])) emit selectionChanged(QGuiApplication::keyboardModifiers());
    return moved;
}

void cTimelineView::followFrame(int frame) {
    if (columns_ < 1 || frame < 0 || frame >= columns_ || frame == cursorFrame_) return;
    cursorFrame_ = frame;
    ensureVisible(frame, cursorCell_);
    viewport()->update();
}

// ---- geometry ---------------------------------------------------------------------------------------

int cTimelineView::visibleColumns() const {
    return std::max((viewport()->width() - kHeader) / kCell, 1);
}

int cTimelineView::visibleRows() const {
    return std::max((viewport()->height() - kHeader) / kCell, 1);
}

void cTimelineView::updateScrollBars() {
    horizontalScrollBar()->setRange(0, std::max(columns_ - visibleColumns(), 0));
    horizontalScrollBar()->setPageStep(visibleColumns());
    verticalScrollBar()->setRange(0, std::max(rows_ - visibleRows(), 0));
    verticalScrollBar()->setPageStep(visibleRows());
}

void cTimelineView::ensureVisible(int frame, int cell) {
    QScrollBar* h = horizontalScrollBar();
    if (frame < h->value()) h->setValue(frame);
    if (frame >= h->value() + visibleColumns()) h->setValue(frame - visibleColumns() + 1);
    QScrollBar* v = verticalScrollBar();
    if (cell < v->value()) v->setValue(cell);
    if (cell >= v->value() + visibleRows()) v->setValue(cell - visibleRows() + 1);
}

QRect cTimelineView::cellRect(int frame, int cell) const {
    return QRect(kHeader + (frame - horizontalScrollBar()->value()) * kCell,
                 kHeader + (cell - verticalScrollBar()->value()) * kCell, kCell, kCell);
}

QRect cTimelineView::areaOf(const cTimelineRange& r) const {
    const cTimelineRange w = widened(r);
    if (w.empty()) return {};
    return cellRect(w.firstFrame(), w.firstCell()).united(cellRect(w.lastFrame(), w.lastCell()));
}

cTimelineView::strHit cTimelineView::hitTest(QPoint point, bool clampToGrid) const {
    strHit hit;
    if (columns_ < 1 || rows_ < 1) return hit;
    int frame = horizontalScrollBar()->value() + FloorDiv(point.x() - kHeader, kCell);
    int cell = verticalScrollBar()->value() + FloorDiv(point.y() - kHeader, kCell);
    if (clampToGrid) {
        hit.kind = kRangeCells;
        hit.frame = std::clamp(frame, 0, columns_ - 1);
        hit.cell = std::clamp(cell, 0, rows_ - 1);
        return hit;
    }
    const bool inRowHeader = point.x() < kHeader, inColumnHeader = point.y() < kHeader;
    if (inRowHeader && inColumnHeader) return hit;
    if (inRowHeader) {
        if (cell < 0 || cell >= rows_) return hit;
        return {kRangeRows, -1, cell};
    }
    if (inColumnHeader) {
        if (frame < 0 || frame >= columns_) return hit;
        return {kRangeFrames, frame, -1};
    }
    if (frame < 0 || frame >= columns_ || cell < 0 || cell >= rows_) return hit;
    return {kRangeCells, frame, cell};
}

void cTimelineView::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    updateScrollBars();
}

void cTimelineView::scrollContentsBy(int, int) {
    viewport()->update();
}

// ---- mouse ------------------------------------------------------------------------------------------

void cTimelineView::selectAt(const strHit& hit, Qt::KeyboardModifiers modifiers) {
    const int frame = hit.kind == kRangeRows ? cursorFrame_ : hit.frame;
    const int cell = hit.kind == kRangeFrames ? cursorCell_ : hit.cell;
    moveCursor(frame, cell, (modifiers & Qt::ShiftModifier) != 0, hit.kind);
}

void cTimelineView::mousePressEvent(QMouseEvent* e) {
    const strHit hit = hitTest(e->position().toPoint());
    if (e->button() == Qt::LeftButton) {
        setFocus(Qt::MouseFocusReason);
        if (hit.kind == kRangeNone) {
            const bool wasSelected = !rects_[kSelection].empty();
            setRect(kSelection, {});
            if (wasSelected) emit selectionChanged(e->modifiers());
            return;
        }
        selectAt(hit, e->modifiers());
        pressKind_ = hit.kind;
        pressFrame_ = hit.kind == kRangeRows ? cursorFrame_ : hit.frame;
        pressCell_ = hit.kind == kRangeFrames ? cursorCell_ : hit.cell;
        if (e->modifiers() & Qt::ShiftModifier) {
            pressFrame_ = anchorFrame_;
            pressCell_ = anchorCell_;
        }
        return;
    }
    if (e->button() == Qt::RightButton) {
        setFocus(Qt::MouseFocusReason);
        if (hit.kind == kRangeNone) return;
        const cTimelineRange& s = rects_[kSelection];
        const bool inside = hit.kind == kRangeCells    ? s.contains(hit.frame, hit.cell)
                            : hit.kind == kRangeFrames ? s.everyCell() && s.contains(hit.frame, 0)
                                                       : s.everyFrame() && s.contains(0, hit.cell);
        if (!inside) selectAt(hit, Qt::NoModifier);
        emit contextMenuRequested(e->globalPosition().toPoint());
        return;
    }
    QAbstractScrollArea::mousePressEvent(e);
}

void cTimelineView::mouseMoveEvent(QMouseEvent* e) {
    if (pressKind_ == kRangeNone || !(e->buttons() & Qt::LeftButton)) return;
    const strHit hit = hitTest(e->position().toPoint(), true);
    if (hit.kind == kRangeNone) return;
    const cTimelineRange before = rects_[kSelection];
    setRect(kSelection, cTimelineRange::spanning(pressKind_, pressFrame_, pressCell_, hit.frame, hit.cell));
    ensureVisible(pressKind_ == kRangeRows ? horizontalScrollBar()->value() : hit.frame,
                  pressKind_ == kRangeFrames ? verticalScrollBar()->value() : hit.cell);
    if (!(before == rects_[kSelection])) emit selectionChanged(e->modifiers());
}

void cTimelineView::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) pressKind_ = kRangeNone;
}

void cTimelineView::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    const strHit hit = hitTest(e->position().toPoint());
    if (hit.kind == kRangeNone) return;
    pressKind_ = kRangeNone;
    const bool inside = hit.kind == kRangeCells && rects_[kSelection].contains(hit.frame, hit.cell);
    if (!inside) selectAt(hit, Qt::NoModifier);
    emit doubleClicked();
}

void cTimelineView::wheelEvent(QWheelEvent* e) {
    const QPoint d = e->angleDelta();
    QScrollBar* v = verticalScrollBar();
    QScrollBar* h = horizontalScrollBar();
    const bool sideways = d.x() != 0 || (e->modifiers() & Qt::ShiftModifier) || v->maximum() == 0;
    const int delta = d.x() != 0 ? d.x() : d.y();
    const int steps = delta / 40; // three columns or rows per notch
    if (steps == 0) return;
    QScrollBar* bar = sideways ? h : v;
    bar->setValue(bar->value() - steps);
    e->accept();
}

// ---- keys -------------------------------------------------------------------------------------------

void cTimelineView::keyPressEvent(QKeyEvent* e) {
    const bool extend = (e->modifiers() & Qt::ShiftModifier) != 0;
    if (e->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) {
        QAbstractScrollArea::keyPressEvent(e);
        return;
    }
    // Left and right keep a frame cursor on frames; up and down keep a row cursor on rows.
    const eRangeKind sideways = cursorKind_ == kRangeFrames ? kRangeFrames : kRangeCells;
    const eRangeKind upDown = cursorKind_ == kRangeRows ? kRangeRows : kRangeCells;
    if (e->key() == Qt::Key_Menu || (e->key() == Qt::Key_F10 && extend)) {
        // The popup of the selection, at the cursor's cell.
        ensureVisible(cursorFrame_, cursorCell_);
        const QRect r = cellRect(cursorFrame_, cursorCell_);
        emit contextMenuRequested(viewport()->mapToGlobal(r.center()));
        return;
    }
    switch (e->key()) {
    case Qt::Key_Left:
        moveCursor(cursorFrame_ - 1, cursorCell_, extend, sideways);
        break;
    case Qt::Key_Right:
        if (cursorFrame_ >= columns_ - 1) {
            emit pastLastColumn(e->modifiers());
            break;
        }
        moveCursor(cursorFrame_ + 1, cursorCell_, extend, sideways);
        break;
    case Qt::Key_Up:
        moveCursor(cursorFrame_, cursorCell_ - 1, extend, upDown);
        break;
    case Qt::Key_Down:
        moveCursor(cursorFrame_, cursorCell_ + 1, extend, upDown);
        break;
    case Qt::Key_Home:
        moveCursor(0, cursorCell_, extend, sideways);
        break;
    case Qt::Key_End:
        moveCursor(columns_ - 1, cursorCell_, extend, sideways);
        break;
    case Qt::Key_PageUp:
        moveCursor(cursorFrame_ - visibleColumns(), cursorCell_, extend, sideways);
        break;
    case Qt::Key_PageDown:
        moveCursor(cursorFrame_ + visibleColumns(), cursorCell_, extend, sideways);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(e);
        return;
    }
    e->accept();
}

// ---- drawing ----------------------------------------------------------------------------------------

bool cTimelineView::hasMark(int, int) const {
    return false;
}
QString cTimelineView::columnLabel(int frame) const {
    return QString::number(frame);
}
QString cTimelineView::rowLabel(int cell) const {
    return QString::number(cell);
}
QString cTimelineView::cornerLabel() const {
    return {};
}
bool cTimelineView::isCurrentColumn(int) const {
    return false;
}

void cTimelineView::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    const QPalette& pal = palette();
    const QRect all = viewport()->rect();
    p.fillRect(all, pal.base());
    const int fc = horizontalScrollBar()->value(), fr = verticalScrollBar()->value();
    const int lastCol = std::min(columns_, fc + visibleColumns() + 1);
    const int lastRow = std::min(rows_, fr + visibleRows() + 1);
    const QRect gridArea(kHeader, kHeader, all.width() - kHeader, all.height() - kHeader);
    const QColor line = pal.color(QPalette::Mid);
    const QColor mark(70, 96, 150);
    QColor selected = pal.color(QPalette::Highlight);
    selected.setAlpha(120);

    // Grid: selection, marks and lines.
    p.save();
    p.setClipRect(gridArea);
    for (int f = fc; f < lastCol; ++f) {
        if (isCurrentColumn(f)) {
            const QRect column = cellRect(f, fr).united(cellRect(f, lastRow - 1));
            p.fillRect(column, pal.color(QPalette::AlternateBase));
        }
        for (int c = fr; c < lastRow; ++c) {
            const QRect r = cellRect(f, c);
            if (hasMark(f, c)) p.fillRect(QRect(r.left() + 1, r.top() + 6, 15, 9), mark);
            if (rects_[kSelection].contains(f, c)) p.fillRect(r, selected);
        }
    }
    p.setPen(line);
    const int right = kHeader + (lastCol - fc) * kCell, bottom = kHeader + (lastRow - fr) * kCell;
    for (int f = fc; f <= lastCol; ++f) {
        const int x = kHeader + (f - fc) * kCell;
        p.drawLine(x, kHeader, x, bottom);
    }
    for (int c = fr; c <= lastRow; ++c) {
        const int y = kHeader + (c - fr) * kCell;
        p.drawLine(kHeader, y, right, y);
    }
    // The copied range dashed, the drag range in a colour of its own, the cursor on top.
    if (!rects_[kCopied].empty()) {
        p.setPen(QPen(pal.color(QPalette::Text), 1, Qt::DashLine));
        p.drawRect(areaOf(rects_[kCopied]).adjusted(1, 1, -1, -1));
    }
    if (!rects_[kDrag].empty()) {
        p.setPen(QPen(QColor(230, 120, 20), 2));
        p.drawRect(areaOf(rects_[kDrag]).adjusted(1, 1, -1, -1));
    }
    if (columns_ > 0 && rows_ > 0) {
        p.setPen(QPen(pal.color(QPalette::Text), 1, hasFocus() ? Qt::SolidLine : Qt::DotLine));
        p.drawRect(cellRect(cursorFrame_, cursorCell_).adjusted(0, 0, -1, -1));
    }
    p.restore();

    // Headers.
    p.fillRect(QRect(kHeader, 0, all.width() - kHeader, kHeader), pal.button());
    p.fillRect(QRect(0, kHeader, kHeader, all.height() - kHeader), pal.button());
    p.setPen(pal.color(QPalette::ButtonText));
    p.save();
    p.setClipRect(QRect(kHeader, 0, all.width() - kHeader, kHeader));
    for (int f = fc; f < lastCol; ++f) {
        const int x = kHeader + (f - fc) * kCell;
        if (isCurrentColumn(f))
            p.fillRect(QRect(x, 0, kCell, kHeader), pal.color(QPalette::Highlight).lighter(160));
        p.save();
        p.translate(x, kHeader - 3);
        p.rotate(-90);
        p.drawText(QRect(0, 0, kHeader - 4, kCell), Qt::AlignLeft | Qt::AlignVCenter, columnLabel(f));
        p.restore();
        p.setPen(line);
        p.drawLine(x, 0, x, kHeader);
        p.setPen(pal.color(QPalette::ButtonText));
    }
    p.restore();
    p.save();
    p.setClipRect(QRect(0, kHeader, kHeader, all.height() - kHeader));
    for (int c = fr; c < lastRow; ++c) {
        const int y = kHeader + (c - fr) * kCell;
        p.drawText(QRect(3, y, kHeader - 4, kCell), Qt::AlignLeft | Qt::AlignVCenter, rowLabel(c));
        p.setPen(line);
        p.drawLine(0, y, kHeader, y);
        p.setPen(pal.color(QPalette::ButtonText));
    }
    p.restore();
    p.fillRect(QRect(0, 0, kHeader, kHeader), pal.window());
    p.drawText(QRect(1, 0, kHeader - 2, kHeader), Qt::AlignCenter | Qt::TextWordWrap, cornerLabel());
    p.setPen(line);
    p.drawLine(0, kHeader - 1, all.width(), kHeader - 1);
    p.drawLine(kHeader - 1, 0, kHeader - 1, all.height());
}
