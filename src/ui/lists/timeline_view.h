#pragma once
// The timeline grid: frames across, cell numbers down, a header row of frame numbers, a header
// column of cell numbers and a corner. It holds the cursor and three rectangles (the selection, the
// copied range and the drag range), turns the mouse and the keys into cursor moves and selections,
// and leaves what the cells mean to cTimeline, which binds it to the document.
//
// A rectangle uses -1 for "all frames" or "all cell numbers" and left = -2 for "empty"
// (strTimelineRange); its kind follows from that: a block of cells, frame columns or cell rows.

#include "interchange/edit_clip_commands.h"

#include <QAbstractScrollArea>

// What lies under a point, and the kind of a rectangle or of the cursor.
enum eGridKind : int { kGridNone = 0, kGridRow = 16, kGridColumn = 32, kGridCell = 64 };

class cTimelineView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    static constexpr int kHeader = 48; // header row height and header column width
    static constexpr int kCell = 16;

    enum eRect { kSelection, kCopied, kDrag, kRectCount };
    struct strHit {
        int kind = kGridNone;
        int frame = -1;
        int cell = -1;
    };

    explicit cTimelineView(QWidget* parent = nullptr);

    // The grid's size; the cursor and the rectangles are clamped into it (a rectangle that lies
    // wholly outside becomes empty).
    void setGridSize(int columns, int rows);
    int columns() const { return columns_; }
    int rows() const { return rows_; }

    // What lies under a point of the viewport. With clampToGrid (a drag in progress) a point past
    // the grid gives the nearest grid position.
    strHit hitTest(QPoint point, bool clampToGrid = false) const;

    const strTimelineRange& rect(eRect which) const { return rects_[which]; }
    // Stores the rectangle normalised (left <= right, top <= bottom) and repaints.
    void setRect(eRect which, strTimelineRange r);
    // The kind of a rectangle: kGridCell (block), kGridColumn (all cell numbers of a frame range),
    // kGridRow (all frames of a cell range), kGridNone when empty.
    static int KindOf(const strTimelineRange& r);
    static bool Contains(const strTimelineRange& r, int frame, int cell);
    // The rectangle with "all" replaced by the grid's real range.
    strTimelineRange widened(const strTimelineRange& r) const;

    int cursorFrame() const { return cursorFrame_; }
    int cursorCell() const { return cursorCell_; }
    // What the cursor stands on: a grid cell, a frame (column) or a cell row.
    int cursorKind() const { return cursorKind_; }
    // Moves the cursor (clamped) and gives it a kind. With extend the selection grows from its
    // anchor to the cursor keeping its kind; otherwise it becomes the cursor's cell, column or row
    // and the anchor moves there. Emits cursorMoved and selectionChanged; returns whether the
    // cursor moved.
    bool moveCursor(int frame, int cell, bool extend, int kind = kGridCell);
    // The cursor follows a frame chosen elsewhere (the canvas, playback): no selection change.
    void followFrame(int frame);
    void ensureVisible(int frame, int cell);

  signals:
    void cursorMoved();
    void selectionChanged(Qt::KeyboardModifiers modifiers);
    void contextMenuRequested(QPoint globalPos);
    void doubleClicked();
    // The right arrow on the last frame.
    void pastLastColumn(Qt::KeyboardModifiers modifiers);

  protected:
    // Drawing hooks.
    virtual bool hasMark(int frame, int cell) const;
    virtual QString columnLabel(int frame) const;
    virtual QString rowLabel(int cell) const;
    virtual QString cornerLabel() const;
    virtual bool isCurrentColumn(int frame) const;

    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

  private:
    void updateScrollBars();
    int visibleColumns() const;
    int visibleRows() const;
    QRect cellRect(int frame, int cell) const;
    QRect areaOf(const strTimelineRange& r) const;
    void selectAt(const strHit& hit, Qt::KeyboardModifiers modifiers);
    strTimelineRange rangeOf(int kind, int f0, int c0, int f1, int c1) const;
    strTimelineRange clamped(strTimelineRange r) const;

    int columns_ = 0;
    int rows_ = 0;
    int cursorFrame_ = 0;
    int cursorCell_ = 0;
    int cursorKind_ = kGridCell;
    int anchorFrame_ = 0;
    int anchorCell_ = 0;
    strTimelineRange rects_[kRectCount];
    // The press that is being dragged: its kind (0 when none) and grid position.
    int pressKind_ = kGridNone;
    int pressFrame_ = 0;
    int pressCell_ = 0;
};
