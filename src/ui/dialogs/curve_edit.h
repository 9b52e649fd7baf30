#pragma once
// cCurveEdit: a small square that draws an easing curve (progress over time, both 0..1) as the library
// computes it, and for a cubic Bezier its two control points, which the mouse drags (x held to 0..1,
// y to -1..2). The arrow keys move the point last picked by 0.01 (Shift: 0.1); Space picks the other.

#include "tools/easing.h"

#include <QWidget>

class cCurveEdit : public QWidget {
    Q_OBJECT
  public:
    explicit cCurveEdit(QWidget* parent = nullptr);

    const strEasing& easing() const { return easing_; }
    // Shows another curve (no signal).
    void setEasing(const strEasing& e);

    // The widget point of a curve point, and back (for tests and the painting).
    QPointF toWidget(QPointF curve) const;
    QPointF toCurve(QPointF widget) const;

    QSize sizeHint() const override { return {160, 160}; }
    QSize minimumSizeHint() const override { return {120, 120}; }

  signals:
    // A control point was moved by the mouse or the keys.
    void edited(const strEasing& e);

  protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

  private:
    QRectF plot() const;
    void moveHandle(int handle, QPointF curve);

    strEasing easing_;
    int dragging_ = -1; // 0: (x1, y1), 1: (x2, y2)
    int picked_ = 0;
};
