#include "ui/dialogs/curve_edit.h"

#include <QKeyEvent>
#include <QLineF>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {
// The plot shows progress from kLow to kHigh, so that overshooting curves stay in sight.
constexpr double kLow = -0.5, kHigh = 1.5;
constexpr double kYMin = -1.0, kYMax = 2.0; // where a control point may go
} // namespace

cCurveEdit::cCurveEdit(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
}

void cCurveEdit::setEasing(const strEasing& e) {
    easing_ = e;
    update();
}

QRectF cCurveEdit::plot() const {
    const double side = std::max(10.0, std::min(width(), height()) - 12.0);
    return {(width() - side) / 2.0, (height() - side) / 2.0, side, side};
}

QPointF cCurveEdit::toWidget(QPointF c) const {
    const QRectF r = plot();
    return {r.left() + c.x() * r.width(), r.bottom() - (c.y() - kLow) / (kHigh - kLow) * r.height()};
}

QPointF cCurveEdit::toCurve(QPointF w) const {
    const QRectF r = plot();
    return {(w.x() - r.left()) / r.width(), kLow + (r.bottom() - w.y()) / r.height() * (kHigh - kLow)};
}

void cCurveEdit::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = plot();
    p.fillRect(rect(), palette().base());
    // The unit square (time 0..1, progress 0..1) and the diagonal of linear motion.
    p.setPen(QPen(palette().mid().color(), 1));
    p.drawRect(QRectF(toWidget({0, 1}), toWidget({1, 0})));
    p.setPen(QPen(palette().mid().color(), 1, Qt::DashLine));
    p.drawLine(toWidget({0, 0}), toWidget({1, 1}));
    p.setPen(QPen(palette().dark().color(), 1, Qt::DotLine));
    p.drawRect(r);

    QPainterPath curve(toWidget({0, 0}));
    const int steps = std::max(32, int(r.width()));
    for (int i = 1; i <= steps; ++i) {
        const double t = double(i) / steps;
        curve.lineTo(toWidget({t, easing_.progress(float(t))}));
    }
    p.setPen(QPen(palette().highlight().color(), 2));
    p.drawPath(curve);

    if (easing_.kind != eEaseKind::kBezier) return;
    const QPointF h[2] = {toWidget({easing_.x1, easing_.y1}), toWidget({easing_.x2, easing_.y2})};
    const QPointF ends[2] = {toWidget({0, 0}), toWidget({1, 1})};
    for (int i = 0; i < 2; ++i) {
        p.setPen(QPen(palette().text().color(), 1));
        p.drawLine(ends[i], h[i]);
        p.setBrush(i == picked_ && hasFocus() ? palette().highlight() : palette().button());
        p.drawEllipse(h[i], 5, 5);
    }
}

void cCurveEdit::moveHandle(int handle, QPointF c) {
    const float x = float(std::clamp(c.x(), 0.0, 1.0));
    const float y = float(std::clamp(c.y(), kYMin, kYMax));
    (handle == 0 ? easing_.x1 : easing_.x2) = x;
    (handle == 0 ? easing_.y1 : easing_.y2) = y;
    update();
    emit edited(easing_);
}

void cCurveEdit::mousePressEvent(QMouseEvent* e) {
    if (easing_.kind != eEaseKind::kBezier || e->button() != Qt::LeftButton) return;
    // The nearer control point, when the press is near one at all.
    const QPointF at = e->position();
    const QPointF h[2] = {toWidget({easing_.x1, easing_.y1}), toWidget({easing_.x2, easing_.y2})};
    const double d0 = QLineF(at, h[0]).length(), d1 = QLineF(at, h[1]).length();
    const int nearer = d1 < d0 ? 1 : 0;
    if (std::min(d0, d1) > 12) return;
    dragging_ = picked_ = nearer;
    update();
}

void cCurveEdit::mouseMoveEvent(QMouseEvent* e) {
    if (dragging_ >= 0) moveHandle(dragging_, toCurve(e->position()));
}

void cCurveEdit::mouseReleaseEvent(QMouseEvent* e) {
    if (dragging_ >= 0) moveHandle(dragging_, toCurve(e->position()));
    dragging_ = -1;
}

void cCurveEdit::keyPressEvent(QKeyEvent* e) {
    if (easing_.kind != eEaseKind::kBezier) return QWidget::keyPressEvent(e);
    const double step = e->modifiers() & Qt::ShiftModifier ? 0.1 : 0.01;
    QPointF c = picked_ == 0 ? QPointF(easing_.x1, easing_.y1) : QPointF(easing_.x2, easing_.y2);
    switch (e->key()) {
    case Qt::Key_Left:
        c.rx() -= step;
        break;
    case Qt::Key_Right:
        c.rx() += step;
        break;
    case Qt::Key_Up:
        c.ry() += step;
        break;
    case Qt::Key_Down:
        c.ry() -= step;
        break;
    case Qt::Key_Space: // the other control point
        picked_ = 1 - picked_;
        update();
        return;
    default:
        return QWidget::keyPressEvent(e);
    }
    moveHandle(picked_, c);
}
