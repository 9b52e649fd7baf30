// The canvas: construction, the view transform and scroll bars, and what it shows of the session.

#include "ui/canvas/canvas.h"

#include "config/config.h"
#include "document/project.h"
#include "image/picture_slot_table.h"
#include "ui/canvas/dlg_spline.h"
#include "ui/session/session.h"
#include "ui/shell/command_ids.h"
#include "ui/shell/command_table.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace {

// How far the view origin may move from the animation's centre, in document pixels.
constexpr double kViewReach = 1536;

// Windows colour 0x00BBGGRR to 0x00RRGGBB.
uint32_t RgbOfWindowsColour(uint32_t c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

int FloorTo(int v, int step) {
    return v >= 0 ? v / step * step : -((-v + step - 1) / step * step);
}

} // namespace

cCanvas::cCanvas(cSession& session, cCommandTable& commands, QWidget* parent)
    : QAbstractScrollArea(parent), session_(session), commands_(commands) {
    setObjectName(QStringLiteral("canvas"));
    setAccessibleName(tr("Canvas"));
    viewport()->setObjectName(QStringLiteral("canvasView"));
    viewport()->setAccessibleName(tr("Canvas drawing area"));
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    horizontalScrollBar()->setObjectName(QStringLiteral("canvasHorizontalBar"));
    horizontalScrollBar()->setAccessibleName(tr("Canvas horizontal scroll bar"));
    verticalScrollBar()->setObjectName(QStringLiteral("canvasVerticalBar"));
    verticalScrollBar()->setAccessibleName(tr("Canvas vertical scroll bar"));
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(160, 120);
    // Space and Enter open the settings of the current cell while the canvas has the focus.
    if (QAction* settings = commands_.action(kCmdCellSettings)) addAction(settings);
    buildPopup();
    qApp->installEventFilter(this);
    connect(&session_, &cSession::changed, this, &cCanvas::onChanged);
    updateScrollBars();
}

cCanvas::~cCanvas() {
    qApp->removeEventFilter(this);
    if (splineDlg_) splineDlg_->close();
}

// ---- for other windows ----------------------------------------------------------------------------

QPoint cCanvas::documentPointAt(const QPoint& globalPos) const {
    return toDocument(viewport()->mapFromGlobal(QPointF(globalPos)));
}

bool cCanvas::containsGlobal(const QPoint& globalPos) const {
    return isVisible() && viewport()->rect().contains(viewport()->mapFromGlobal(globalPos));
}

int cCanvas::cellAt(const QPoint& d) const {
    const std::vector<int> hits = hitsAt(d);
    return hits.empty() ? -1 : hits.back();
}

std::vector<int> cCanvas::hitsAt(QPoint d) const {
    return HitCells(
        session_.document(), session_.currentFrame(), d.x(), d.y(),
        [this](const strCell& c, int& w, int& h) { return cellSize(c, w, h); },
        [this](int n, const strCell* c) { return shownCell(n, c); });
}

void cCanvas::takeFocus() {
    activateWindow();
    setFocus(Qt::OtherFocusReason);
}

// ---- view -----------------------------------------------------------------------------------------

float cCanvas::zoom() const {
    return cSession::zoomOfIndex(session_.zoomIndex());
}

QPointF cCanvas::toScreen(QPointF d) const {
    const float z = zoom();
    const QSize size = viewport()->size();
    return {(d.x() - origin_.x()) * z + size.width() / 2, (d.y() - origin_.y()) * z + size.height() / 2};
}

QPointF cCanvas::toDocumentF(QPointF s) const {
    const float z = zoom();
    const QSize size = viewport()->size();
    const double x = (s.x() - size.width() / 2) / z + origin_.x();
    const double y = (s.y() - size.height() / 2) / z + origin_.y();
    return {std::clamp(x, -1e6, 1e6), std::clamp(y, -1e6, 1e6)};
}

QPoint cCanvas::toDocument(QPointF s) const {
    const QPointF d = toDocumentF(s);
    return {int(d.x()), int(d.y())};
}

void cCanvas::setOrigin(QPointF o) {
    // The origin stays on whole screen pixels, so the composed frame lands on whole pixels too.
    const double z = zoom();
    const double x = std::round(std::clamp(o.x(), -kViewReach, kViewReach) * z) / z;
    const double y = std::round(std::clamp(o.y(), -kViewReach, kViewReach) * z) / z;
    if (QPointF(x, y) == origin_) return;
    origin_ = {x, y};
    updateScrollBars();
    viewport()->update();
}

void cCanvas::zoomAbout(int index, QPointF s) {
    index = std::clamp(index, 0, 4);
    if (index == session_.zoomIndex()) return;
    const QSize size = viewport()->size();
    const double oldZoom = zoom();
    const double dx = (s.x() - size.width() / 2) / oldZoom + origin_.x();
    const double dy = (s.y() - size.height() / 2) / oldZoom + origin_.y();
    session_.setZoomIndex(index);
    const double z = zoom();
    setOrigin({dx - (s.x() - size.width() / 2) / z, dy - (s.y() - size.height() / 2) / z});
}

void cCanvas::updateScrollBars() {
    const double z = zoom();
    const int reach = int(kViewReach * z);
    const QSize size = viewport()->size();
    QScrollBar* bars[] = {horizontalScrollBar(), verticalScrollBar()};
    const int values[] = {int(std::lround(origin_.x() * z)), int(std::lround(origin_.y() * z))};
    const int pages[] = {size.width(), size.height()};
    for (int i = 0; i < 2; ++i) {
        const QSignalBlocker block(bars[i]);
        bars[i]->setRange(-reach, reach);
        bars[i]->setPageStep(std::max(pages[i], 1));
        bars[i]->setSingleStep(std::max(int(16 * z), 4));
        bars[i]->setValue(values[i]);
    }
}

void cCanvas::scrollContentsBy(int, int) {
    const double z = zoom();
    setOrigin({horizontalScrollBar()->value() / z, verticalScrollBar()->value() / z});
}

void cCanvas::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    updateScrollBars();
}

// ---- what the canvas shows ------------------------------------------------------------------------

void cCanvas::onChanged(unsigned flags) {
    if (flags & (kChangeReplaced | kChangeProject)) {
        cancelGesture();
        hover_.clear();
        if (splineDlg_) splineDlg_->close();
    }
    // A change made elsewhere (a shortcut, playback) ends a running gesture.
    if ((flags & kChangeCells || (flags & kChangePlay && session_.playing())) && gestures_.tool())
        cancelGesture();
    if (flags & kChangeView) {
        setOrigin(origin_); // the zoom may have changed: back onto whole screen pixels
        updateScrollBars();
    }
    if (flags & (kChangeReplaced | kChangeCells | kChangePictures | kChangeProject | kChangeFrame |
                 kChangeView | kChangePlay | kChangeEffects))
        touchFrame();
    viewport()->update();
}

void cCanvas::touchFrame() {
    ++generation_;
    ++baseGeneration_;
}

void cCanvas::touchPreview() {
    ++generation_;
}

bool cCanvas::cellSize(const strCell& cell, int& w, int& h) const {
    const cPictureSlot* slot = session_.pictureSlots().find(cell.picture);
    if (!slot || !slot->isValidPattern(int(cell.pattern) - 1)) return false;
    slot->getCellSize(w, h);
    return w > 0 && h > 0;
}

const strCell* cCanvas::shownCell(int n, const strCell* documentCell) const {
    if (const cCanvasTool* tool = gestures_.tool())
        if (const strCell* preview = tool->preview(n)) return preview;
    const strCanvasOverlays& o = session_.overlays();
    if (o.cellPreview && o.previewFrame == session_.currentFrame() && o.previewCell == n)
        return &o.previewValue;
    return documentCell;
}

strCaptureArea cCanvas::visibleArea() const {
    // The document pixels under the view, from its left and top edges. Below 100 % the edges are
    // multiples of the pixels that share one screen pixel, so the frame lands on whole pixels.
    const double z = zoom();
    const int step = z < 1 ? int(std::lround(1 / z)) : 1;
    const QSize size = viewport()->size();
    const int cx = size.width() / 2, cy = size.height() / 2;
    strCaptureArea a;
    a.left = FloorTo(int(std::floor(origin_.x() - cx / z)), step);
    a.top = FloorTo(int(std::floor(origin_.y() - cy / z)), step);
    a.right = -FloorTo(-int(std::ceil(origin_.x() + (size.width() - cx) / z)), step);
    a.bottom = -FloorTo(-int(std::ceil(origin_.y() + (size.height() - cy) / z)), step);
    // Nothing is drawn beyond the reach of the cells and the view; the size stays even.
    const int reach = int(kViewReach) + 1024;
    a.left = std::max(a.left, -reach);
    a.top = std::max(a.top, -reach);
    a.right = std::min(a.right, reach);
    a.bottom = std::min(a.bottom, reach);
    if (a.width() % 2) ++a.right;
    if (a.height() % 2) ++a.bottom;
    return a;
}

strCanvasScene cCanvas::scene() const {
    const cConfig& c = session_.config();
    cSession& s = session_;
    strCanvasScene scene;
    scene.doc = &s.document();
    scene.pictures = &s.pictureSlots();
    scene.frame = s.currentFrame();
    scene.area = visibleArea();
    strFrameScene& layers = scene.layers;
    layers.background = 0xFF000000u | RgbOfWindowsColour(c.CGround);
    layers.drawTarget = c.VTargetFlag;
    ComputeTargetOffset(s.document(), s.pictureSlots(), c, layers.targetOffsetX, layers.targetOffsetY);
    layers.targetOpacity = c.TargetOpacity;
    layers.errorPicture = true;
    layers.actorSide = s.actorSide();
    if (s.playing()) {
        layers.flashes = &s.player().flashes();
        layers.drawCells = !s.player().clearCells();
    } else if (c.VShadowFlag) {
        layers.previousSkin = c.VBackFlag ? c.CBackShadow : 0;
        layers.nextSkin = c.VNextFlag ? c.CNextShadow : 0;
    }
    layers.cellOf = [this](int n, const strCell* cell) { return shownCell(n, cell); };
    if (const cCanvasTool* tool = gestures_.tool()) scene.volatileFrom = tool->firstPreview();
    const strCanvasOverlays& o = s.overlays();
    if (o.patternDrag && o.dragPicture >= 0) {
        strCell& dragged = layers.overCell.emplace();
        dragged.picture = uint8_t(o.dragPicture);
        dragged.pattern = uint16_t(o.dragPattern);
        dragged.x = int16_t(o.dragAt.x());
        dragged.y = int16_t(o.dragAt.y());
    }
    return scene;
}

QImage cCanvas::grabCanvas() {
    QImage out(viewport()->size(), QImage::Format_RGB32);
    QPainter p(&out);
    paintCanvas(p);
    return out;
}

void cCanvas::showPosition(QPoint screen) {
    const QPoint d = toDocument(screen);
    session_.showStatus(QString::asprintf("%d,%d", d.x(), d.y()));
}
