// The canvas's repaint: the composed frame scaled to the zoom, then the overlays at screen resolution.

#include "config/config.h"
#include "document/project.h"
#include "ui/canvas/canvas.h"
#include "ui/canvas/canvas_messages.h"
#include "ui/canvas/dlg_spline.h"
#include "ui/session/session.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

// Windows colour 0x00BBGGRR.
QColor WindowsColour(uint32_t c) {
    return QColor(int(c & 255), int((c >> 8) & 255), int((c >> 16) & 255));
}
// 0xAARRGGBB.
QColor AlphaColour(uint32_t c) {
    return QColor(int((c >> 16) & 255), int((c >> 8) & 255), int(c & 255), int(c >> 24));
}

QPen Pen(const QColor& c, Qt::PenStyle style = Qt::SolidLine) {
    QPen pen(c, 0, style);
    pen.setCosmetic(true);
    return pen;
}

bool Contains(const std::vector<int>& v, int x) {
    return std::find(v.begin(), v.end(), x) != v.end();
}

} // namespace

void cCanvas::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    paintCanvas(p);
}

void cCanvas::paintCanvas(QPainter& p) {
    const cConfig& c = session_.config();
    p.fillRect(QRect(QPoint(0, 0), viewport()->size()), WindowsColour(c.CGround));
    const strCanvasScene sc = scene();
    const QImage& image = frame_.image(sc, generation_, baseGeneration_);
    shownFrame_ = sc.frame;
    if (!image.isNull()) {
        const float z = zoom();
        const QPointF at = toScreen(QPointF(sc.area.left, sc.area.top));
        p.drawImage(QRectF(at.x(), at.y(), image.width() * z, image.height() * z), image);
    }
    paintGifDraft(p);
    // The actor side is a mirrored preview: no outline shows where a cell of the document is.
    const bool playing = session_.playing();
    const bool editing = !playing && !session_.actorSide();
    if (editing && !c.VShadowFlag) paintSkinOutlines(p);
    paintGrid(p);
    if (editing) {
        paintPath(p);
        paintOutlines(p);
        paintGesture(p);
    }
    paintOverlays(p);
    paintInfo(p);
}

void cCanvas::paintGrid(QPainter& p) const {
    const cConfig& c = session_.config();
    if (!c.VLineFlag) return;
    const QSize size = viewport()->size();
    const QPoint lo = toDocument(QPointF(0, 0)), hi = toDocument(QPointF(size.width(), size.height()));
    if (c.VGridFlag && c.GridSize >= 2 && c.GridSize * zoom() >= 3) {
        p.setPen(Pen(WindowsColour(c.CGrid)));
        const int g = c.GridSize;
        for (int x = lo.x() / g * g - g; x <= hi.x() + g; x += g) {
            const double sx = std::floor(toScreen(QPointF(x, 0)).x());
            p.drawLine(QPointF(sx, 0), QPointF(sx, size.height()));
        }
        for (int y = lo.y() / g * g - g; y <= hi.y() + g; y += g) {
            const double sy = std::floor(toScreen(QPointF(0, y)).y());
            p.drawLine(QPointF(0, sy), QPointF(size.width(), sy));
        }
    }
    if (c.VCenterFlag) {
        p.setPen(Pen(AlphaColour(c.CCenterLine)));
        const QPointF o = toScreen(QPointF(0, 0));
        p.drawLine(QPointF(std::floor(o.x()), 0), QPointF(std::floor(o.x()), size.height()));
        p.drawLine(QPointF(0, std::floor(o.y())), QPointF(size.width(), std::floor(o.y())));
        const QPointF a = toScreen(QPointF(-c.CenterW / 2, -c.CenterH / 2));
        const QPointF b = toScreen(QPointF(c.CenterW - c.CenterW / 2, c.CenterH - c.CenterH / 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(a, b));
    }
}

void cCanvas::paintQuad(QPainter& p, const strCell& cell, const QColor& colour) const {
    int w = 0, h = 0;
    if (!cellSize(cell, w, h)) return;
    const strQuad q = CellQuad(cell, w, h);
    QPolygonF poly;
    for (int k = 0; k < 4; ++k)
        poly << toScreen(QPointF(q.x[k], q.y[k]));
    p.setPen(Pen(colour));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(poly);
}

void cCanvas::paintSkinOutlines(QPainter& p) const {
    const cConfig& c = session_.config();
    const cProject& doc = session_.document();
    const int frame = session_.currentFrame();
    const std::pair<int, uint32_t> skins[] = {{c.VBackFlag ? frame - 1 : -1, cConfig::kColourPrevOutline},
                                              {c.VNextFlag ? frame + 1 : -1, cConfig::kColourNextOutline}};
    for (const auto& [f, colour] : skins) {
        const strFrame* fr = f >= 0 ? doc.frame(f) : nullptr;
        if (!fr) continue;
        for (int n = 0; n < fr->cells.capacity(); ++n)
            if (const strCell* cell = fr->cells.get(n)) paintQuad(p, *cell, WindowsColour(colour));
    }
}

void cCanvas::paintPath(QPainter& p) const {
    const cConfig& c = session_.config();
    const int cell = session_.commands().currentCell();
    if (!c.VLocusFlag || cell < 0) return;
    const cProject& doc = session_.document();
    const int frame = session_.currentFrame();
    const int first = std::max(frame - std::max(c.Locus, 0), 0);
    const int last = std::min(frame + std::max(c.Locus, 0), doc.frameCount() - 1);
    p.setPen(Pen(WindowsColour(cConfig::kColourPath)));
    p.setBrush(Qt::NoBrush);
    QPolygonF line;
    for (int f = first; f <= last; ++f) {
        const strCell* at = f == frame ? shownCell(cell, doc.cell(f, cell)) : doc.cell(f, cell);
        if (!at) continue;
        const QPointF s = toScreen(QPointF(at->x, at->y));
        line << s;
        p.drawRect(QRectF(s.x() - 2, s.y() - 2, 4, 4));
    }
    p.drawPolyline(line);
}

void cCanvas::paintOutlines(QPainter& p) const {
    const cConfig& c = session_.config();
    const cProject& doc = session_.document();
    const strFrame* fr = doc.frame(session_.currentFrame());
    if (!fr) return;
    const cEditCommands& cmd = session_.commands();
    for (int n = 0; n < fr->cells.capacity(); ++n) {
        const strCell* cell = shownCell(n, fr->cells.get(n));
        if (!cell) continue;
        if (n == cmd.currentCell())
            paintQuad(p, *cell, WindowsColour(cConfig::kColourCurrentOutline));
        else if (cmd.isSelected(n))
            paintQuad(p, *cell, WindowsColour(cConfig::kColourSelectedOutline));
        else if (Contains(hover_, n))
            paintQuad(p, *cell, WindowsColour(cConfig::kColourHighlightOutline));
        else if (c.VNowFlag)
            paintQuad(p, *cell, WindowsColour(cConfig::kColourCellOutline));
    }
}

void cCanvas::paintGesture(QPainter& p) const {
    const QColor path = WindowsColour(cConfig::kColourPath);
    p.setBrush(Qt::NoBrush);
    auto marker = [&p](QPointF s) {
        p.drawEllipse(s, 4, 4);
        p.drawLine(s - QPointF(6, 0), s + QPointF(6, 0));
        p.drawLine(s - QPointF(0, 6), s + QPointF(0, 6));
    };
    const cCanvasTool* tool = gestures_.tool();
    const int mode = tool ? tool->mode() : int(kDragIdle);
    if (mode == kDragIdle || mode == kDragPan || mode == kDragGifDraft) {
        // nothing of the gesture to draw
    } else if (mode == kDragBand) {
        const QPointF pivot = toScreen(QPointF(tool->pivotX(), tool->pivotY()));
        p.setPen(Pen(Qt::white, Qt::DashLine));
        p.drawLine(pivot, toScreen(QPointF(tool->pointerX(), tool->pointerY())));
        marker(pivot);
    } else if (mode == kDragSpline) {
        // The curve as it would be with the control point under the pointer.
        const QPointF d0(tool->pivotX(), tool->pivotY()), d2(tool->referenceX(), tool->referenceY());
        const QPointF d1(tool->pointerX(), tool->pointerY());
        QPainterPath curve(toScreen(d0));
        curve.quadTo(toScreen(d1), toScreen(d2));
        p.setPen(Pen(Qt::white, Qt::DashLine));
        p.drawLine(toScreen(d0), toScreen(d1));
        p.drawLine(toScreen(d2), toScreen(d1));
        p.setPen(Pen(path));
        p.drawPath(curve);
        marker(toScreen(d1));
    } else if (mode == kDragRotateScale || ((mode == kDragRotate || mode == kDragScale) && tool->started())) {
        const QPointF pivot = toScreen(QPointF(tool->pivotX(), tool->pivotY()));
        const QPointF reference = mode == kDragRotateScale ? QPointF(tool->referenceX(), tool->referenceY())
                                                           : QPointF(tool->pressX(), tool->pressY());
        p.setPen(Pen(path));
        marker(pivot);
        p.setPen(Pen(Qt::white, Qt::DashLine));
        p.drawLine(pivot, toScreen(reference));
        p.setPen(Pen(path, Qt::DashLine));
        p.drawLine(pivot, toScreen(QPointF(tool->pointerX(), tool->pointerY())));
    }
    if (splineDlg_ && splineDlg_->isVisible()) {
        const std::vector<strPoint> points = spline_.preview(session_.document());
        p.setPen(Pen(path));
        for (size_t i = 0; i < points.size(); ++i) {
            const QPointF s = toScreen(QPointF(points[i].x, points[i].y));
            if (i > 0) {
                p.drawLine(toScreen(QPointF(points[i - 1].x, points[i - 1].y)), s);
                p.drawRect(QRectF(s.x() - 2, s.y() - 2, 4, 4));
            }
        }
    }
}

void cCanvas::paintOverlays(QPainter& p) const {
    const strCanvasOverlays& o = session_.overlays();
    if (o.cutRange && !o.cutArea.isNull()) {
        const QRect r = o.cutArea.normalized();
        p.setPen(Pen(Qt::white));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(toScreen(r.topLeft()), toScreen(QPointF(r.x() + r.width(), r.y() + r.height()))));
    }
    if (o.patternDrag && o.highlightCell >= 0)
        if (const strCell* cell = session_.document().cell(session_.currentFrame(), o.highlightCell))
            paintQuad(p, *cell, WindowsColour(cConfig::kColourHighlightOutline));
}

void cCanvas::paintInfo(QPainter& p) const {
    QString text;
    if (session_.playing()) {
        text = CanvasString(session_.actorSide() ? kCanvasPlayingActorSide : kCanvasPlaying);
    } else if (session_.actorSide()) {
        text = CanvasString(kCanvasActorSide);
    } else {
        const int n = session_.commands().currentCell();
        const strCell* c =
            n >= 0 ? shownCell(n, session_.document().cell(session_.currentFrame(), n)) : nullptr;
        if (!c) return;
        const uint32_t colour =
            uint32_t(c->saturation) << 24 | uint32_t(c->red) << 16 | uint32_t(c->green) << 8 | c->blue;
        text =
            CanvasMessage(kCanvasCellInfo, {n, int(c->picture), int(c->pattern), int(c->x), int(c->y),
                                            int(c->mx), int(c->my), int(c->angle), int(c->opacity), colour});
    }
    p.setPen(Qt::white);
    const QFontMetrics fm = p.fontMetrics();
    int y = 2 + fm.ascent();
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        p.drawText(2, y, line);
        y += fm.height();
    }
}
