// The canvas's mouse, keys and wheel: mouse events become calls of the library's gestures
// (tools/canvas_gestures.h) with document points; what a gesture did becomes change notices, a
// repaint, a pan or the spline dialog. The keyboard nudges cells, the wheel scrolls and zooms.

#include "config/config.h"
#include "document/project.h"
#include "tools/canvas_gestures.h"
#include "ui/canvas/canvas.h"
#include "ui/canvas/canvas_keys.h"
#include "ui/canvas/dlg_spline.h"
#include "ui/session/session.h"
#include "ui/shell/command_ids.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QWheelEvent>

namespace {

int ButtonOf(Qt::MouseButton b) {
    switch (b) {
    case Qt::LeftButton:
        return kButtonLeft;
    case Qt::RightButton:
        return kButtonRight;
    case Qt::MiddleButton:
        return kButtonMiddle;
    default:
        return kButtonNone;
    }
}

} // namespace

// ---- Qt events to gesture calls -------------------------------------------------------------------

strGestureContext cCanvas::gestureContext() {
    cSession& s = session_;
    strGestureContext c;
    c.doc = &s.document();
    c.commands = &s.commands();
    c.frame = s.currentFrame();
    c.toolMode = s.toolMode();
    c.steps = strSnapSteps::of(s.config());
    c.range = s.dragRange();
    c.sizeOf = [this](const strCell& cell, int& w, int& h) { return cellSize(cell, w, h); };
    c.cellOf = [this](int n, const strCell* cell) { return shownCell(n, cell); };
    c.zoom = zoom();
    c.threshold = QApplication::startDragDistance();
    if (gifDraft_.loaded()) {
        c.gifDraft = &gifDraft_.placement;
        c.gifWidth = gifDraft_.width();
    }
    return c;
}

strGestureKeys cCanvas::gestureKeys(Qt::KeyboardModifiers m) const {
    const cConfig& c = session_.config();
    strGestureKeys k;
    k.shift = m & Qt::ShiftModifier;
    k.ctrl = m & Qt::ControlModifier;
    k.rotate = keyHeld(c.DragAKey);
    k.scale = keyHeld(c.DragSKey);
    k.gifDraft = keyHeld(c.GIFKey);
    return k;
}

strGestureEvent cCanvas::gestureEvent(QMouseEvent* e, bool withButton) const {
    const QPointF d = toDocumentF(e->position());
    return {d.x(), d.y(), withButton ? ButtonOf(e->button()) : kButtonNone, gestureKeys(e->modifiers())};
}

void cCanvas::take(const strGestureResult& r) {
    // The selection and the document announce their own changes.
    if (r.panX != 0 || r.panY != 0) setOrigin(origin_ + QPointF(r.panX, r.panY));
    // The frame is composed again when the cells shown change: a preview starts, moves or ends.
    const cCanvasTool* tool = gestures_.tool();
    const int first = tool ? tool->firstPreview() : -1;
    if (first >= 0)
        touchPreview();
    else if (previewShown_)
        touchFrame();
    previewShown_ = first >= 0;
    if (r.spline) openSplineDialog(*r.spline);
    viewport()->update();
}

// ---- press ------------------------------------------------------------------------------------------

void cCanvas::mousePressEvent(QMouseEvent* e) {
    current_ = e->position().toPoint();
    tabbedIn_ = false;
    session_.stopPlayback();
    // The actor side shows the cells mirrored: the left button does not pick or drag them there (the
    // middle button still pans, the right button opens the popup).
    if (session_.actorSide() && e->button() == Qt::LeftButton && !gestures_.tool()) return;
    const bool idle = !gestures_.tool();
    if (idle && e->button() == Qt::LeftButton) setFocus(Qt::MouseFocusReason);
    if (idle) hover_ = hitsAt(toDocument(current_));
    const strGestureResult r = gestures_.press(gestureContext(), gestureEvent(e, true));
    if (r.popup) {
        popupDocument_ = toDocument(current_);
        popupOnRelease_ = true;
    }
    take(r);
}

// ---- move ---------------------------------------------------------------------------------------

void cCanvas::mouseMoveEvent(QMouseEvent* e) {
    current_ = e->position().toPoint();
    const cCanvasTool* tool = gestures_.tool();
    if (!tool) {
        hover(current_);
        return;
    }
    const strGestureResult r = gestures_.move(gestureContext(), gestureEvent(e, false));
    tool = gestures_.tool();
    if (tool && tool->started() && !hover_.empty()) hover_.clear();
    take(r);
    showGestureStatus();
}

void cCanvas::showGestureStatus() {
    const cCanvasTool* tool = gestures_.tool();
    if (!tool) return;
    switch (tool->mode()) {
    case kDragRotateScale: {
        const auto [angle, percent] = tool->angleAndPercent();
        session_.showStatus(QString::asprintf("%d,%d", angle, percent));
        break;
    }
    case kDragGifDraft: {
        const strGifDraftPlacement& at = gifDraft_.placement;
        session_.showStatus(QString::asprintf("%d,%d", at.angle, int(at.scale * 100 + 0.5)));
        break;
    }
    case kDragPan:
        break;
    default:
        showPosition(current_);
        break;
    }
}

void cCanvas::hover(QPoint screen) {
    std::vector<int> hits = hitsAt(toDocument(screen));
    showHint(!hits.empty());
    if (hits == hover_) return;
    hover_ = std::move(hits);
    viewport()->update();
}

// ---- release --------------------------------------------------------------------------------------

void cCanvas::mouseReleaseEvent(QMouseEvent* e) {
    current_ = e->position().toPoint();
    if (e->button() == Qt::RightButton && popupOnRelease_ && !gestures_.tool()) {
        popupOnRelease_ = false;
        showPopup(e->globalPosition().toPoint());
        return;
    }
    popupOnRelease_ = false;
    const bool placing = gestures_.mode() == kDragGifDraft;
    take(gestures_.release(gestureContext(), gestureEvent(e, true)));
    if (placing && !gestures_.tool()) session_.viewSettingsChanged();
}

void cCanvas::shiftChanged(bool held) {
    strGestureKeys keys = gestureKeys(QApplication::keyboardModifiers());
    keys.shift = held;
    take(gestures_.modifiers(gestureContext(), keys));
}

void cCanvas::endGesture() {
    gestures_.cancel();
    take({});
}

void cCanvas::cancelGesture() {
    if (gestures_.tool()) endGesture();
}

void cCanvas::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() == Qt::MiddleButton) {
        setOrigin({0, 0});
        return;
    }
    mousePressEvent(e);
    if (session_.actorSide()) return;
    if (e->button() != Qt::LeftButton || gestures_.mode() == kDragSpline || gestures_.mode() == kDragGifDraft)
        return;
    const int cell = session_.commands().currentCell();
    if (cell < 0) return;
    strToolRequest r;
    r.command = kCmdCellSettings;
    r.range = cTimelineRange::ofCell(session_.currentFrame(), cell);
    r.globalPos = e->globalPosition().toPoint();
    r.origin = this;
    session_.requestTool(r);
}

void cCanvas::showHint(bool overCell) {
    const cConfig& c = session_.config();
    auto keyName = [](int virtualKey) {
        return QKeySequence(QtKeyOfVirtualKey(virtualKey)).toString(QKeySequence::NativeText);
    };
    session_.showHint(gestureHint(session_.toolMode(), overCell, keyName(c.DragAKey), keyName(c.DragSKey)));
}

QString cCanvas::gestureHint(int toolMode, bool overCell, const QString& rotateKey, const QString& scaleKey) {
    switch (toolMode) {
    case kToolRotate:
        return overCell ? tr("Drag: rotate the cell about its position. Shift: no snapping")
                        : tr("Rotate: drag a cell to turn it. Tab: next cell, right click: menu");
    case kToolResize:
        return overCell ? tr("Drag: scale the cell about its position. Shift: no snapping")
                        : tr("Scale: drag a cell to scale it. Tab: next cell, right click: menu");
    case kToolPivot:
        return tr("Pivot: drag a band to set the pivot, then click to rotate and scale the selected cells "
                  "about it");
    case kToolSpline:
        return tr("Spline: drag a band from the current cell to the end point, then click the control point");
    default:
        return overCell ? tr("Drag: move the cell. Hold %1 to rotate, %2 to scale, Shift: no snapping, "
                             "Ctrl+click: add to the selection")
                              .arg(rotateKey, scaleKey)
                        : tr("Move: click a cell to select it, drag it to move it. Tab: next cell, right "
                             "click: menu, middle drag: pan");
    }
}

void cCanvas::leaveEvent(QEvent* e) {
    session_.showHint(QString());
    QAbstractScrollArea::leaveEvent(e);
    if (!hover_.empty() && !gestures_.tool()) {
        hover_.clear();
        viewport()->update();
    }
}

// ---- the spline gesture -----------------------------------------------------------------------------

void cCanvas::openSplineDialog(const strSplineRequest& r) {
    cSession& s = session_;
    spline_.open(s.config(), s.document(), s.currentFrame(), r.cell, {r.startX, r.startY},
                 {r.controlX, r.controlY}, {r.endX, r.endY});
    if (!splineDlg_) {
        splineDlg_ = new cDlg_Spline(s, spline_, this);
        connect(splineDlg_, &cDlg_Spline::previewChanged, viewport(), qOverload<>(&QWidget::update));
    }
    splineDlg_->fill();
    const QPoint screen = toScreen(QPointF(r.controlX, r.controlY)).toPoint();
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
        if (k->key() == Qt::Key_Shift && gestures_.tool()) shiftChanged(e->type() == QEvent::KeyPress);
        // Escape anywhere in the editor stops playback.
        if (k->key() == Qt::Key_Escape && session_.playing() && watched->isWidgetType())
            session_.stopPlayback();
        break;
    }
    case QEvent::KeyRelease: {
        auto* k = static_cast<QKeyEvent*>(e);
        if (!k->isAutoRepeat()) keysHeld_.remove(k->key());
        if (k->key() == Qt::Key_Shift && gestures_.tool()) shiftChanged(e->type() == QEvent::KeyPress);
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

bool cCanvas::event(QEvent* e) {
    // Tab and Shift+Tab step through the cells of the frame (before the focus chain sees them); past
    // the last cell (before the first) and on a frame without cells they move the focus on to the
    // main window's next control. Ctrl+Tab and Ctrl+Shift+Tab always move it on.
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        const bool tab = k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab;
        const bool forward = k->key() == Qt::Key_Tab && !(k->modifiers() & Qt::ShiftModifier);
        const Qt::KeyboardModifiers others =
            k->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier | Qt::ControlModifier);
        if (tab && others == Qt::NoModifier) {
            if ((k->modifiers() & Qt::ControlModifier) || gestures_.tool() || !stepCell(forward))
                focusNextControl(forward);
            return true;
        }
    }
    return QAbstractScrollArea::event(e);
}

void cCanvas::focusNextControl(bool forward) {
    // The window's own focus chain: Qt's would also enter the list and palette windows (children
    // of the main window) without making them the active window, so keys would go nowhere.
    for (QWidget* w = this;;) {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
        if (!w || w == this) return;
        if (w->window() == window() && !isAncestorOf(w) && !w->focusProxy() && w->isVisible() &&
            w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus) {
            w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

void cCanvas::focusInEvent(QFocusEvent* e) {
    tabbedIn_ = e->reason() == Qt::TabFocusReason || e->reason() == Qt::BacktabFocusReason;
    QAbstractScrollArea::focusInEvent(e);
}

bool cCanvas::stepCell(bool forward) {
    const int cell = StepCurrentCell(gestureContext(), forward, tabbedIn_);
    tabbedIn_ = false;
    if (cell < 0) return false;
    session_.showStatus(tr("Cell %1 selected (Tab: next cell, Shift+Tab: previous cell)").arg(cell));
    return true;
}

void cCanvas::openPopupAtCurrentCell() {
    // At the current cell's position, else at the middle of the view.
    QPoint screen = viewport()->rect().center();
    const strCell* cell =
        session_.document().cell(session_.currentFrame(), session_.commands().currentCell());
    if (cell) {
        const QPoint at = toScreen(QPointF(cell->x, cell->y)).toPoint();
        if (viewport()->rect().contains(at)) screen = at;
    }
    popupDocument_ = toDocument(screen);
    showPopup(viewport()->mapToGlobal(screen));
}

void cCanvas::keyPressEvent(QKeyEvent* e) {
    const bool shift = e->modifiers() & Qt::ShiftModifier;
    const int step = shift ? std::max(session_.config().PostGrid, 1) : 1;
    if (e->key() == Qt::Key_Menu || (e->key() == Qt::Key_F10 && shift)) {
        if (!gestures_.tool()) openPopupAtCurrentCell();
        return;
    }
    switch (e->key()) {
    case Qt::Key_Escape:
        if (gestures_.tool())
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
    if (gestures_.tool()) return;
    session_.stopPlayback();
    if (session_.commands().selectedCount() == 0) {
        session_.showStatus(tr("No cell selected: click a cell or press Tab to pick one"));
        return;
    }
    const int moved = NudgeCells(gestureContext(), dx, dy);
    session_.showStatus(moved == 1 ? tr("Moved 1 cell by %1, %2").arg(dx).arg(dy)
                                   : tr("Moved %1 cells by %2, %3").arg(moved).arg(dx).arg(dy));
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
