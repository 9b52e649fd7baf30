#pragma once
// The palette's drawing area: one picture divided into its patterns, at the palette's zoom, laid out
// as the picture's own grid or stacked in one column ("VerticalFlag"). A left press on a pattern
// selects it and starts a drag onto the canvas: the canvas previews the pattern at the pointer and
// highlights the cell it would change; the release over the canvas stores the pattern there as one
// undo step (tools/pattern_drop.h).

#include <QPointer>
#include <QWidget>

#include <functional>

class cCanvas;
class cPictureSlot;
class cSession;

class cPaletteView : public QWidget {
    Q_OBJECT
  public:
    // canvas gives the canvas a drag drops on (null when there is none).
    cPaletteView(cSession& session, std::function<cCanvas*()> canvas, QWidget* parent = nullptr);

    int picture() const { return picture_; }
    int pattern() const { return pattern_; }
    // Shows a picture and selects a pattern; -1 keeps the current one. The pattern is kept within
    // the picture's patterns.
    void showPicture(int picture, int pattern);
    // Lays the patterns out again (the picture, its division or "VerticalFlag" changed).
    void relayout();
    int zoomIndex() const { return zoomIndex_; }
    void setZoomIndex(int index);
    int patternCount() const { return count_; }
    // The pattern (1-based) under a point of the widget, or -1.
    int patternAt(QPoint point) const;
    // Where pattern k (1-based) lies in the widget.
    QRect patternArea(int k) const;
    bool dragging() const { return dragging_; }
    // Ends a drag without a change.
    void cancelDrag();

  signals:
    void patternChosen(int pattern);

  protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void hideEvent(QHideEvent* e) override;

  private:
    const cPictureSlot* slot() const;
    bool vertical() const;
    // Pattern k (1-based) in picture pixels of the layout.
    QRect layoutRect(int k) const;
    static bool overCanvas(const cCanvas* canvas, QPoint globalPos);
    void dragTo(QPoint globalPos);
    void drop(QPoint globalPos);
    void endDrag();

    cSession& session_;
    std::function<cCanvas*()> canvas_;
    int picture_ = 0;
    int pattern_ = 1;
    int count_ = 1;
    QSize area_{320, 320};
    int zoomIndex_ = 2;
    bool dragging_ = false;
    QPoint grabOffset_; // the press point minus the centre of the pattern, in picture pixels
};
