#pragma once
// cCanvas: the canvas. It shows the current frame as the export draws it (the library's
// compositor at document scale, scaled to the zoom with nearest pixels), paints the overlays at
// screen resolution (grid, centre box, onion-skin outlines, path, cell outlines, band, pivot, cut
// range, GIF draft, info text) and hands mouse events to the library's gestures (cCanvasGestures),
// painting the preview, band and pivot they report. The view: a document point d shows at s = (d - origin) x
// zoom + (W/2, H/2).

#include "tools/canvas_gestures.h"
#include "tools/spline.h"
#include "ui/canvas/canvas_frame.h"
#include "ui/canvas/gif_draft.h"

#include <QAbstractScrollArea>
#include <QPointer>
#include <QSet>

#include <vector>

class cCommandTable;
class cDlg_Spline;
class cSession;
class QMenu;

class cCanvas : public QAbstractScrollArea {
    Q_OBJECT
    // The spline dialog travels in a signal: moc needs the whole type to register it.
    Q_MOC_INCLUDE("ui/canvas/dlg_spline.h")
  public:
    cCanvas(cSession& session, cCommandTable& commands, QWidget* parent = nullptr);
    ~cCanvas() override;

    // --- for the windows that drop on the canvas (palette) ---
    // The document point under a global screen point (truncated toward zero).
    QPoint documentPointAt(const QPoint& globalPos) const;
    // Whether a global screen point lies over the canvas's drawing area.
    bool containsGlobal(const QPoint& globalPos) const;
    // The topmost cell of the current frame under a document point, or -1 (the canvas's hit test).
    int cellAt(const QPoint& documentPoint) const;
    void takeFocus();

    // --- view ---
    QPointF origin() const { return origin_; }
    void setOrigin(QPointF origin);
    float zoom() const;
    QPointF toScreen(QPointF document) const;
    QPoint toDocument(QPointF screen) const;
    // The same without the truncation to whole pixels.
    QPointF toDocumentF(QPointF screen) const;

    // --- GIF draft (canvas_gif.cpp) ---
    cGifDraft& gifDraft() { return gifDraft_; }
    // Reads path as the GIF draft and stores it as "GIFPath" (empty: none). A file that cannot be read
    // keeps the draft before and says so in the status bar and, when tell, in a message box.
    bool setGifDraftPath(const QString& path, bool tell);
    // The GIF frame shown now: the animation's tick (the current frame, and the time into it while
    // playing) at "GIFSpeed" from the draft's start frame; -1 without a draft.
    int gifDraftFrame() const;

    // --- state, for the status bar and the tests ---
    int dragMode() const { return gestures_.mode(); }
    // The frame the last repaint showed, and the compositor's cache.
    int shownFrame() const { return shownFrame_; }
    const cCanvasFrame& frameCache() const { return frame_; }
    cSpline& spline() { return spline_; }
    // Ends any running gesture without a change.
    void cancelGesture();
    // The picture the canvas would show now, rendered offscreen (what paintEvent draws).
    QImage grabCanvas();
    // The status bar's hint for the pointer over the canvas: the gesture a drag starts in a tool
    // mode (eToolMode), over a cell or not, and the keys that change it.
    static QString gestureHint(int toolMode, bool overCell, const QString& rotateKey,
                               const QString& scaleKey);
    // The canvas menu at the current cell (the Menu key, Shift+F10).
    void openPopupAtCurrentCell();

  signals:
    // The spline dialog opened (tests answer it).
    void splineDialogOpened(cDlg_Spline* dialog);

  protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool event(QEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void leaveEvent(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    // --- canvas.cpp ---
    void onChanged(unsigned flags);
    void updateScrollBars();
    void zoomAbout(int index, QPointF screenPoint);
    strCanvasScene scene() const;
    strCaptureArea visibleArea() const;
    // The generation of what the composed frame depends on moves on; touchPreview only for the
    // cells a running gesture changes.
    void touchFrame();
    void touchPreview();
    bool cellSize(const strCell& cell, int& width, int& height) const;
    // The cell numbers under a document point as the canvas shows them (ascending).
    std::vector<int> hitsAt(QPoint document) const;
    const strCell* shownCell(int cell, const strCell* documentCell) const;
    void showPosition(QPoint screen);

    // --- canvas_paint.cpp ---
    void paintCanvas(QPainter& p);
    void paintGrid(QPainter& p) const;
    void paintSkinOutlines(QPainter& p) const;
    void paintPath(QPainter& p) const;
    void paintOutlines(QPainter& p) const;
    void paintGesture(QPainter& p) const;
    void paintOverlays(QPainter& p) const;
    void paintInfo(QPainter& p) const;
    void paintQuad(QPainter& p, const strCell& cell, const QColor& colour) const;

    // --- canvas_gif.cpp ---
    void paintGifDraft(QPainter& p) const;

    // --- canvas_mouse.cpp ---
    strGestureContext gestureContext();
    strGestureKeys gestureKeys(Qt::KeyboardModifiers modifiers) const;
    strGestureEvent gestureEvent(QMouseEvent* e, bool withButton) const;
    // Notices, the pan, the frame's composition and the spline dialog after a gesture call.
    void take(const strGestureResult& result);
    void shiftChanged(bool held);
    void showGestureStatus();
    void hover(QPoint screen);
    void showHint(bool overCell);
    // Tab: the next (or previous) cell of the frame becomes the current one; false when no cell
    // lies that way (the key moves the focus on).
    bool stepCell(bool forward);
    // Tab past the cells: the next (previous) control of the main window takes the focus.
    void focusNextControl(bool forward);
    void openSplineDialog(const strSplineRequest& request);
    void endGesture();
    bool keyHeld(int virtualKey) const;
    void nudge(int dx, int dy);
    void showPopup(QPoint globalPos);
    void buildPopup();

    cSession& session_;
    cCommandTable& commands_;
    QPointF origin_{0, 0};
    // The focus came in by Tab or Shift+Tab: the next step starts from that end of the frame.
    bool tabbedIn_ = false;
    cCanvasFrame frame_;
    uint64_t generation_ = 1;
    uint64_t baseGeneration_ = 1;
    int shownFrame_ = -1;

    // The running gesture and the pointer (viewport pixels).
    cCanvasGestures gestures_;
    QPoint current_;
    bool previewShown_ = false; // the composed frame shows a gesture's preview
    std::vector<int> hover_;
    QPoint popupDocument_;
    bool popupOnRelease_ = false; // the right button went down on the idle canvas

    cGifDraft gifDraft_;

    QSet<int> keysHeld_; // Qt keys held now (watched on the whole application)
    cSpline spline_;
    QPointer<cDlg_Spline> splineDlg_;
    QMenu* popup_ = nullptr;
    QList<QAction*> popupItems_;
};
