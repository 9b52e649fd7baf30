// The canvas's gestures: selection, move / rotate / scale drags, the band of the Scale and Spline
// tools, rotate-and-scale about a pivot, panning, the keyboard and the wheel.

#include "config/config.h"
#include "document/history.h"
#include "document/project.h"
#include "ui/canvas/canvas.h"
#include "ui/canvas/canvas_keys.h"
#include "ui/canvas/dlg_spline.h"
#include "ui/session/session.h"
#include "ui/shell/command_ids.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <cmath>
#include <numbers>

namespace {

strDragRange DragRangeOf(const strTimelineRange& r) {
    strDragRange d;
    d.on = !r.empty();
    d.left = r.left;
    d.top = r.top;
    d.right = r.right;
    d.bottom = r.bottom;
    return d;
}

} // namespace

// ---- press ------------------------------------------------------------------------------------------

void cCanvas::mousePressEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    current_ = pos;
    session_.stopPlayback();
    switch (mode_) {
    case kDragIdle:
        pressIdle(e);
        break;
    case kDragRotateScale:
        if (e->button() == Qt::LeftButton)
            applyDrag();
        else if (e->button() == Qt::RightButton)
            endGesture();
        break;
    case kDragSpline:
        if (e->button() == Qt::LeftButton)
            openSplineDialog(pos);
        else if (e->button() == Qt::RightButton)
            endGesture();
        break;
    default:
        break; // another button during a drag: its release decides
    }
}

void cCanvas::pressIdle(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    switch (e->button()) {
    case Qt::MiddleButton:
        mode_ = kDragPan;
        press_ = pos;
        break;
    case Qt::RightButton:
        select(pos, ctrl);
        popupDocument_ = toDocument(pos);
        popupOnRelease_ = true;
        break;
    case Qt::LeftButton:
        setFocus(Qt::MouseFocusReason);
        if (keyHeld(session_.config().GIFKey) && gifDraft_.loaded())
            pressGifDraft(pos);
        else if (session_.toolMode() == kToolScale || session_.toolMode() == kToolSpline)
            pressBand(e);
        else
            pressMove(e);
        break;
    default:
        break;
    }
}

void cCanvas::select(QPoint screen, bool ctrl) {
    hover_ = hitsAt(toDocument(screen));
    SelectByHit(session_.commands(), hover_, ctrl ? kSelectAdd : kSelectClick);
    viewport()->update();
}

// The current cell alone stays selected; false without a current cell on the current frame.
static bool KeepCurrentOnly(cSession& s) {
    cEditCommands& cmd = s.commands();
    const int n = cmd.currentCell();
    if (n < 0 || !s.document().cell(s.currentFrame(), n)) return false;
    if (cmd.selectedCount() != 1) {
        cmd.clearSelection();
        cmd.select(n);
    }
    return true;
}

void cCanvas::pressMove(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    select(pos, e->modifiers() & Qt::ControlModifier);
    if (session_.commands().selectedCount() == 0) return;
    const cConfig& c = session_.config();
    const int mode = keyHeld(c.DragAKey) ? kDragRotate : keyHeld(c.DragSKey) ? kDragScale : kDragMove;
    if (mode != kDragMove) {
        if (!KeepCurrentOnly(session_)) return;
        const strCell* cell =
            session_.document().cell(session_.currentFrame(), session_.commands().currentCell());
        pivot1_ = toScreen(QPointF(cell->x, cell->y));
        if (!beyondThreshold(pivot1_.toPoint(), pos)) return;
    }
    mode_ = mode;
    started_ = false;
    press_ = pos;
    ratio_ = 1;
    angle_ = 0;
    beginTakingPart();
}

void cCanvas::pressBand(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    select(pos, e->modifiers() & Qt::ControlModifier);
    if (session_.toolMode() == kToolSpline) {
        if (!KeepCurrentOnly(session_)) return;
        const strCell* cell =
            session_.document().cell(session_.currentFrame(), session_.commands().currentCell());
        pivot1_ = toScreen(QPointF(cell->x, cell->y));
    } else {
        pivot1_ = pos;
    }
    mode_ = kDragBand;
    press_ = pos;
}

void cCanvas::beginTakingPart() {
    takingPart_.clear();
    const cEditCommands& cmd = session_.commands();
    for (int n : cmd.selection())
        if (session_.document().cell(session_.currentFrame(), n)) takingPart_.push_back(n);
}

// ---- move ---------------------------------------------------------------------------------------

void cCanvas::mouseMoveEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    const bool shift = e->modifiers() & Qt::ShiftModifier;
    const QPoint last = current_;
    current_ = pos;
    switch (mode_) {
    case kDragIdle:
        hover(pos);
        return;
    case kDragPan: {
        const double z = zoom();
        setOrigin(origin_ - QPointF(pos - last) / z);
        return;
    }
    case kDragMove:
    case kDragRotate:
    case kDragScale:
        if (!started_ && !beyondThreshold(press_, pos)) return;
        if (!started_) hover_.clear();
        started_ = true;
        if (mode_ != kDragMove) {
            PivotRatioAngle(pivot1_.x(), pivot1_.y(), press_.x(), press_.y(), pos.x(), pos.y(), ratio_,
                            angle_);
        }
        snap_ = !shift;
        break;
    case kDragRotateScale:
        updatePivot(pos, shift);
        break;
    case kDragBand:
    case kDragSpline:
        viewport()->update();
        showPosition(pos);
        return;
    case kDragGifDraft:
        moveGifDraft(pos);
        return;
    default:
        return;
    }
    // The cells as they would be after the drag.
    const cProject& doc = session_.document();
    const int frame = session_.currentFrame();
    const strDragTransform t = transform();
    previewSet_.assign(size_t(doc.cellNumber()), false);
    preview_.resize(size_t(doc.cellNumber()));
    for (const auto& [f, n] : DragTargets(doc, frame, takingPart_, DragRangeOf(session_.dragRange()))) {
        const strCell* cell = doc.cell(f, n);
        if (f != frame || !cell || n >= doc.cellNumber()) continue;
        preview_[size_t(n)] = PreviewDragCell(doc, n, *cell, t);
        previewSet_[size_t(n)] = true;
    }
    touchPreview();
    viewport()->update();
    if (mode_ == kDragRotateScale) {
        const strSnapSteps steps = strSnapSteps::Of(session_.config());
        int angle = int(angle_ * 180 / std::numbers::pi * 10) % 3600;
        int percent = int(ratio_ * 100);
        if (snap_) angle = SnapValue(angle, steps.angle), percent = SnapValue(percent, steps.scale);
        session_.showStatus(QString::asprintf("%d,%d", angle, percent));
    } else {
        showPosition(pos);
    }
}

void cCanvas::updatePivot(QPoint pos, bool shift) {
    PivotRatioAngle(pivot1_.x(), pivot1_.y(), pivot2_.x(), pivot2_.y(), pos.x(), pos.y(), ratio_, angle_);
    snap_ = !shift;
}

void cCanvas::hover(QPoint screen) {
    std::vector<int> hits = hitsAt(toDocument(screen));
    if (hits == hover_) return;
    hover_ = std::move(hits);
    viewport()->update();
}

strDragTransform cCanvas::transform() const {
    strDragTransform t;
    t.mode = mode_;
    t.dx = float(current_.x() - press_.x());
    t.dy = float(current_.y() - press_.y());
    t.zoom = zoom();
    t.ratio = ratio_;
    t.angle = angle_;
    const QPoint pivot = toDocument(pivot1_);
    t.pivotX = float(pivot.x());
    t.pivotY = float(pivot.y());
    t.snap = snap_;
    t.steps = strSnapSteps::Of(session_.config());
    return t;
}

// ---- release --------------------------------------------------------------------------------------

void cCanvas::mouseReleaseEvent(QMouseEvent* e) {
    current_ = e->position().toPoint();
    const Qt::MouseButton b = e->button();
    if (b == Qt::RightButton) {
        if (mode_ == kDragIdle && popupOnRelease_)
            showPopup(e->globalPosition().toPoint());
        else if (mode_ != kDragRotateScale && mode_ != kDragSpline)
            endGesture(); // a right release cancels a running drag
        popupOnRelease_ = false;
        return;
    }
    if (b == Qt::MiddleButton && mode_ == kDragPan) {
        endGesture();
        return;
    }
    if (b != Qt::LeftButton) return;
    switch (mode_) {
    case kDragMove:
    case kDragRotate:
    case kDragScale:
        if (started_)
            applyDrag();
        else
            endGesture();
        break;
    case kDragBand:
        releaseBand();
        break;
    case kDragGifDraft:
        mode_ = kDragIdle; // the placement stays
        endGesture();
        session_.viewSettingsChanged();
        break;
    default:
        break;
    }
}

void cCanvas::releaseBand() {
    if (!beyondThreshold(pivot1_.toPoint(), current_)) {
        endGesture();
        return;
    }
    pivot2_ = current_;
    if (session_.toolMode() == kToolScale && session_.commands().selectedCount() > 0) {
        mode_ = kDragRotateScale;
        ratio_ = 1;
        angle_ = 0;
        snap_ = false;
        started_ = true;
        beginTakingPart();
    } else if (session_.toolMode() == kToolSpline && session_.commands().currentCell() >= 0) {
        mode_ = kDragSpline;
    } else {
        endGesture();
        return;
    }
    viewport()->update();
}

void cCanvas::applyDrag() {
    const strDragTransform t = transform();
    cSession& s = session_;
    const auto targets = DragTargets(s.document(), s.currentFrame(), takingPart_, DragRangeOf(s.dragRange()));
    ApplyDrag(s.document(), targets, t);
    endGesture();
}

void cCanvas::endGesture() {
    if (mode_ == kDragGifDraft) gifDraft_.placement = gifBefore_;
    mode_ = kDragIdle;
    started_ = false;
    takingPart_.clear();
    // The frame is composed again only when it showed a preview; a click changes outlines alone.
    if (!previewSet_.empty()) touchFrame();
    previewSet_.clear();
    ratio_ = 1;
    angle_ = 0;
    viewport()->update();
}

void cCanvas::cancelGesture() {
    if (mode_ != kDragIdle) endGesture();
}

void cCanvas::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() == Qt::MiddleButton) {
        setOrigin({0, 0});
        return;
    }
    mousePressEvent(e);
    if (e->button() != Qt::LeftButton || mode_ == kDragSpline || mode_ == kDragGifDraft) return;
    const int cell = session_.commands().currentCell();
    if (cell < 0) return;
    strToolRequest r;
    r.command = kCmdCellSettings;
    r.frameFirst = r.frameLast = session_.currentFrame();
    r.cellFirst = r.cellLast = cell;
    r.globalPos = e->globalPosition().toPoint();
    r.origin = this;
    session_.requestTool(r);
}

bool cCanvas::beyondThreshold(QPoint a, QPoint b) const {
    const int t = QApplication::startDragDistance();
    return std::abs(a.x() - b.x()) >= t || std::abs(a.y() - b.y()) >= t;
}

void cCanvas::leaveEvent(QEvent* e) {
    QAbstractScrollArea::leaveEvent(e);
    if (!hover_.empty() && mode_ == kDragIdle) {
        hover_.clear();
        viewport()->update();
    }
}

// ---- the spline gesture -----------------------------------------------------------------------------

void cCanvas::openSplineDialog(QPoint screen) {
    cSession& s = session_;
    const int cell = s.commands().currentCell();
    const strCell* at = cell >= 0 ? s.document().cell(s.currentFrame(), cell) : nullptr;
    if (!at) {
        endGesture();
        return;
    }
    const QPoint end = toDocument(pivot2_), control = toDocument(screen);
    spline_.open(s.config(), s.document(), s.currentFrame(), cell, {at->x, at->y}, {control.x(), control.y()},
                 {end.x(), end.y()});
    endGesture();
    if (!splineDlg_) {
        splineDlg_ = new cDlg_Spline(s, spline_, this);
        connect(splineDlg_, &cDlg_Spline::previewChanged, viewport(), qOverload<>(&QWidget::update));
    }
    splineDlg_->fill();
    splineDlg_->move(viewport()->mapToGlobal(screen) - QPoint(8, 16));
    splineDlg_->show();
    splineDlg_->raise();
    splineDlg_->activateWindow();
    viewport()->update();
    emit splineDialogOpened(splineDlg_);
}

// ---- keys, wheel ---------------------------------------------------------------------------------

bool cCanvas::keyHeld(int virtualKey) const {
    const int key = QtKeyOfVirtualKey(virtualKey);
    return key != 0 && keysHeld_.contains(key);
}

bool cCanvas::eventFilter(QObject* watched, QEvent* e) {
    switch (e->type()) {
    case QEvent::KeyPress: {
        auto* k = static_cast<QKeyEvent*>(e);
        if (!k->isAutoRepeat()) keysHeld_.insert(k->key());
        // Escape anywhere in the editor stops playback.
        if (k->key() == Qt::Key_Escape && session_.playing() && watched->isWidgetType())
            session_.stopPlayback();
        break;
    }
    case QEvent::KeyRelease: {
        auto* k = static_cast<QKeyEvent*>(e);
        if (!k->isAutoRepeat()) keysHeld_.remove(k->key());
        break;
    }
    case QEvent::ApplicationDeactivate:
        keysHeld_.clear();
        break;
    default:
        break;
    }
    return QAbstractScrollArea::eventFilter(watched, e);
}

void cCanvas::keyPressEvent(QKeyEvent* e) {
    const bool shift = e->modifiers() & Qt::ShiftModifier;
    const int step = shift ? std::max(session_.config().PostGrid, 1) : 1;
    switch (e->key()) {
    case Qt::Key_Escape:
        if (mode_ != kDragIdle)
            cancelGesture();
        else
            session_.stopPlayback();
        return;
    case Qt::Key_Left:
        nudge(-step, 0);
        return;
    case Qt::Key_Right:
        nudge(step, 0);
        return;
    case Qt::Key_Up:
        nudge(0, -step);
        return;
    case Qt::Key_Down:
        nudge(0, step);
        return;
    default:
        QAbstractScrollArea::keyPressEvent(e);
    }
}

void cCanvas::nudge(int dx, int dy) {
    if (mode_ != kDragIdle) return;
    session_.stopPlayback();
    cSession& s = session_;
    beginTakingPart();
    strDragTransform t;
    t.mode = kDragMove;
    t.dx = float(dx);
    t.dy = float(dy);
    const auto targets = DragTargets(s.document(), s.currentFrame(), takingPart_, DragRangeOf(s.dragRange()));
    takingPart_.clear();
    ApplyDrag(s.document(), targets, t);
}

void cCanvas::wheelEvent(QWheelEvent* e) {
    if (e->modifiers() & Qt::ControlModifier) {
        const int steps = e->angleDelta().y() > 0 ? 1 : e->angleDelta().y() < 0 ? -1 : 0;
        if (steps) zoomAbout(session_.zoomIndex() + steps, e->position());
        e->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(e);
}
