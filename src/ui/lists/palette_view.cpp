#include "ui/lists/palette_view.h"

#include "config/config.h"
#include "document/project.h"
#include "image/picture_slot_table.h"
#include "tools/pattern_drop.h"
#include "ui/canvas/canvas.h"
#include "ui/dialogs/dialog_helpers.h"
#include "ui/session/session.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

cPaletteView::cPaletteView(cSession& session, std::function<cCanvas*()> canvas, QWidget* parent)
    : QWidget(parent), session_(session), canvas_(std::move(canvas)) {
    setObjectName(QStringLiteral("paletteArea"));
    setAccessibleName(tr("Patterns"));
    setFocusPolicy(Qt::ClickFocus);
    relayout();
}

const cPictureSlot* cPaletteView::slot() const {
    const cPictureSlot* s = session_.pictureSlots().find(picture_);
    return s && s->isValid() ? s : nullptr;
}

bool cPaletteView::vertical() const {
    return session_.config().VerticalFlag;
}

void cPaletteView::showPicture(int picture, int pattern) {
    if (picture >= 0) picture_ = picture;
    if (pattern >= 0) pattern_ = pattern;
    relayout();
}

void cPaletteView::relayout() {
    const cPictureSlot* s = slot();
    count_ = s ? s->patternCount() : 1;
    pattern_ = std::clamp(pattern_, 1, count_);
    if (!s) {
        area_ = {320, 320};
    } else if (vertical()) {
        int w = 0, h = 0;
        s->getCellSize(w, h);
        area_ = {w, h * count_};
    } else {
        int w = 0, h = 0;
        s->getSize(w, h);
        area_ = {w, h};
    }
    const float z = cSession::zoomOfIndex(zoomIndex_);
    setFixedSize(std::max(1, int(std::ceil(area_.width() * z))),
                 std::max(1, int(std::ceil(area_.height() * z))));
    update();
}

void cPaletteView::setZoomIndex(int index) {
    zoomIndex_ = std::clamp(index, 0, 4);
    relayout();
}

QRect cPaletteView::layoutRect(int k) const {
    const cPictureSlot* s = slot();
    if (!s) return QRect(QPoint(0, 0), area_);
    if (vertical()) {
        int w = 0, h = 0;
        s->getCellSize(w, h);
        return QRect(0, (k - 1) * h, w, h);
    }
    const strRect r = s->getPatternRect(k - 1);
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

QRect cPaletteView::patternArea(int k) const {
    const float z = cSession::zoomOfIndex(zoomIndex_);
    const QRect r = layoutRect(k);
    return QRectF(r.x() * z, r.y() * z, r.width() * z, r.height() * z).toAlignedRect();
}

int cPaletteView::patternAt(QPoint point) const {
    const float z = cSession::zoomOfIndex(zoomIndex_);
    const int x = int(std::floor(point.x() / z)), y = int(std::floor(point.y() / z));
    if (x < 0 || y < 0 || x >= area_.width() || y >= area_.height()) return -1;
    const cPictureSlot* s = slot();
    if (!s) return 1;
    if (vertical()) return layoutRect(1).height() > 0 ? y / layoutRect(1).height() + 1 : -1;
    const int k = s->hitTest(x, y);
    return k < 0 ? -1 : k + 1;
}

// ---- drawing ---------------------------------------------------------------------------------------

void cPaletteView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const uint32_t ground = session_.pictureSlots().backgroundColour();
    p.fillRect(rect(), QColor::fromRgb(ground));
    const cPictureSlot* s = slot();
    if (!s) return;
    const cTexture& texture = s->imageTexture();
    const QImage image(texture.row(0), texture.width(), texture.height(), texture.pitch(),
                       QImage::Format_ARGB32);
    const float z = cSession::zoomOfIndex(zoomIndex_);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (vertical()) {
        for (int k = 1; k <= count_; ++k) {
            const strRect r = s->getPatternRect(k - 1);
            p.drawImage(patternArea(k), image, QRect(r.left, r.top, r.right - r.left, r.bottom - r.top));
        }
    } else {
        p.drawImage(QRectF(0, 0, texture.width() * z, texture.height() * z), image);
    }
    p.setPen(QPen(QColor(255, 255, 255, 72), 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    for (int k = 1; k <= count_; ++k)
        p.drawRect(patternArea(k).adjusted(0, 0, -1, -1));
    p.setPen(QPen(QColor(255, 255, 32), 2));
    p.drawRect(patternArea(pattern_).adjusted(1, 1, -1, -1));
}

// ---- the drag ----------------------------------------------------------------------------------------

void cPaletteView::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) {
        cancelDrag();
        return;
    }
    cCanvas* canvas = canvas_ ? canvas_() : nullptr;
    if (canvas && canvas->dragMode() != kDragIdle) return;
    const QPoint at = e->position().toPoint();
    const int k = patternAt(at);
    if (k < 0) return;
    pattern_ = k;
    const float z = cSession::zoomOfIndex(zoomIndex_);
    const QRect r = layoutRect(k);
    const QPointF centre(r.x() + r.width() / 2.0, r.y() + r.height() / 2.0);
    grabOffset_ = (QPointF(at.x() / z, at.y() / z) - centre).toPoint();
    dragging_ = true;
    update();
    emit patternChosen(k);
}

void cPaletteView::mouseMoveEvent(QMouseEvent* e) {
    if (dragging_) dragTo(e->globalPosition().toPoint());
}

void cPaletteView::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !dragging_) return;
    drop(e->globalPosition().toPoint());
}

void cPaletteView::mouseDoubleClickEvent(QMouseEvent*) {
    cancelDrag();
}

void cPaletteView::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape && dragging_) {
        cancelDrag();
        return;
    }
    QWidget::keyPressEvent(e);
}

void cPaletteView::dragTo(QPoint globalPos) {
    strCanvasOverlays o = session_.overlays();
    cCanvas* canvas = canvas_ ? canvas_() : nullptr;
    const bool over = overCanvas(canvas, globalPos);
    if (over) {
        const QPoint d = canvas->documentPointAt(globalPos);
        o.patternDrag = true;
        o.dragPicture = picture_;
        o.dragPattern = pattern_;
        o.dragAt = QPointF(d - grabOffset_);
        o.highlightCell = canvas->cellAt(d);
    } else {
        o.patternDrag = false;
        o.highlightCell = -1;
    }
    const strCanvasOverlays& now = session_.overlays();
    if (o.patternDrag != now.patternDrag || o.dragAt != now.dragAt || o.highlightCell != now.highlightCell ||
        o.dragPicture != now.dragPicture || o.dragPattern != now.dragPattern)
        session_.setOverlays(o);
}

void cPaletteView::drop(QPoint globalPos) {
    endDrag();
    cCanvas* canvas = canvas_ ? canvas_() : nullptr;
    if (!overCanvas(canvas, globalPos)) return;
    session_.stopPlayback();
    const QPoint d = canvas->documentPointAt(globalPos);
    strPatternDrop what;
    what.frame = session_.currentFrame();
    what.target = canvas->cellAt(d);
    what.picture = picture_;
    what.pattern = pattern_;
    what.x = d.x() - grabOffset_.x();
    what.y = d.y() - grabOffset_.y();
    const int cell = DropPattern(ToolContext(session_), what);
    if (cell < 0) {
        QApplication::beep();
        return;
    }
    cEditCommands& commands = session_.commands();
    cEditCommands::cHold hold(commands);
    commands.clearSelection();
    commands.select(cell);
    commands.setCurrentCell(cell);
    canvas->takeFocus();
}

bool cPaletteView::overCanvas(const cCanvas* canvas, QPoint globalPos) {
    // A canvas disabled while a tool window opened from the list window is open takes no drop.
    return canvas && canvas->isEnabled() && canvas->containsGlobal(globalPos);
}

void cPaletteView::hideEvent(QHideEvent* e) {
    cancelDrag();
    QWidget::hideEvent(e);
}

void cPaletteView::cancelDrag() {
    if (dragging_) endDrag();
}

void cPaletteView::endDrag() {
    dragging_ = false;
    strCanvasOverlays o = session_.overlays();
    if (!o.patternDrag && o.highlightCell < 0) return;
    o.patternDrag = false;
    o.highlightCell = -1;
    session_.setOverlays(o);
}
