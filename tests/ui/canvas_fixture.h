#pragma once
// An editor on a project whose picture 0 is the sample sheet (ten 96 x 96 patterns), with the canvas
// at a known size, zoom and origin, every overlay off, and helpers that drive the canvas with real
// mouse events at document points.

#include "editor_fixture.h"

#include "ui/canvas/canvas.h"

#include <functional>

// A Windows colour 0x00BBGGRR as 0xRRGGBB.
uint32_t FromWindows(uint32_t c);

struct strCanvasFixture : strEditorFixture {
    cCanvas* canvas = nullptr;

    // Writes the sample sheet and a project filled by build (8 cell numbers; frames as build makes
    // them), opens it, and sets the canvas to 400 x 300 at the zoom index, origin (0, 0).
    bool open(const std::function<void(cProject&)>& build, int zoomIndex = 2,
              std::unique_ptr<cSoundDevice> sound = nullptr);
    // The sample project of the sample program.
    bool openSample(std::unique_ptr<cSoundDevice> sound = nullptr);
    // Every view overlay off (grid, centre lines, outlines, onion skins, path, target).
    void overlaysOff();

    QWidget* view() const { return canvas->viewport(); }
    QPoint screen(double x, double y) const { return canvas->toScreen(QPointF(x, y)).toPoint(); }
    void press(QPointF d, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {});
    void moveTo(QPointF d, Qt::KeyboardModifiers m = {});
    void release(QPointF d, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {});
    void click(QPointF d, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {});
    // Press, move in steps to the end, release.
    void drag(QPointF from, QPointF to, Qt::KeyboardModifiers m = {});
    // The same with a key held down on the canvas.
    void dragHolding(Qt::Key key, QPointF from, QPointF to);
    // The colour (0xRRGGBB) the canvas shows at a document point.
    uint32_t shown(double x, double y) const;
    // The background colour as 0xRRGGBB.
    uint32_t ground() const { return FromWindows(config.CGround); }
    // Opens a file through the browse button of a window, as the file dialog would answer.
    void browse(QWidget* window, const char* button, const QString& name);
    const strCell* cell(int frame, int n) const;
};

// A cell of picture 0 at (x, y).
strCell SheetCell(int pattern, int x, int y);
