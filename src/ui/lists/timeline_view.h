#pragma once
// The timeline grid: frames across, cell numbers down, a header row of frame numbers, a header
// column of cell numbers and a corner. It holds the cursor and three rectangles (the selection, the
// copied range and the drag range), turns the mouse and the keys into cursor moves and selections,
// and leaves what the cells mean to cTimeline, which binds it to the document.
//
// A rectangle is a cTimelineRange: a block of cells, whole frame columns or whole cell rows. What
// lies under a point and what the cursor stands on are given by the same kinds: a grid cell
// (kRangeCells), a column header (kRangeFrames), a row header (kRangeRows) or nothing.

#include "document/timeline_range.h"

#include <QAbstractScrollArea>

class cTimelineView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    static constexpr int kHeader = 48; // header row height and header column width
    static constexpr int kCell = 16;

    enum eRect { kSelection, kCopied, kDrag, kRectCount };
    struct strHit {
        eRangeKind kind = kRangeNone;
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

    const cTimelineRange& rect(eRect which) const { return rects_[which]; }
    // Stores the rectangle cut to the grid and repaints.
    void setRect(eRect which, const cTimelineRange& r);
    // The block of cells a rectangle covers on the grid: whole rows or columns widened to it.
    cTimelineRange widened(const cTimelineRange& r) const { return r.blockOn(columns_, rows_); }

    int cursorFrame() const { return cursorFrame_; }
    int cursorCell() const { return cursorCell_; }
    // What the cursor stands on: a grid cell, a frame (column) or a cell row.
    eRangeKind cursorKind() const { return cursorKind_; }
    // Moves the cursor (clamped) and gives it a kind. With extend the selection grows from its
    // anchor to the cursor keeping its kind; otherwise it becomes the cursor's cell, column or row
    // and the anchor moves there. Emits cursorMoved and selectionChanged; returns whether the
    // cursor moved.
    bool moveCursor(int frame, int cell, bool extend, eRangeKind kind = kRangeCells);
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
    QRect areaOf(const cTimelineRange& r) const;
    void selectAt(const strHit& hit, Qt::KeyboardModifiers modifiers);

    int columns_ = 0;
    int rows_ = 0;
    int cursorFrame_ = 0;
    int cursorCell_ = 0;
    eRangeKind cursorKind_ = kRangeCells;
    int anchorFrame_ = 0;
    int anchorCell_ = 0;
    cTimelineRange rects_[kRectCount];
    // The press that is being dragged: its kind (none when none) and grid position.
    eRangeKind pressKind_ = kRangeNone;
    int pressFrame_ = 0;
    int pressCell_ = 0;
};
