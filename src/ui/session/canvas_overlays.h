#pragma once
// What other windows ask the canvas to show besides the document: the cell window's working copy,
// the export windows' cut range and the palette's dragged pattern. The session holds one record;
// the canvas draws it on every repaint (kChangeView announces a change).

#include "document/cell.h"

#include <QPointF>
#include <QRect>

struct strCanvasOverlays {
    // The cell window's working copy, drawn in place of the document's cell (frame, cell).
    bool cellPreview = false;
    int previewFrame = -1;
    int previewCell = -1;
    strCell previewValue;

    // An export window's cut range, in animation coordinates (origin at the centre position).
    bool cutRange = false;
    QRect cutArea;

    // The palette's drag: the pattern drawn at a document point, and the cell it would change
    // (-1 for a new cell).
    bool patternDrag = false;
    int dragPicture = 0;
    int dragPattern = 1;
    QPointF dragAt;
    int highlightCell = -1;
};

// A window asks for a tool window, filled with what it knows (the timeline's selection, the cell
// under the cursor, where the pointer is). The tool windows listen to cSession::toolRequested.
struct strToolRequest {
    int command = 0;     // the command id of the window (frame setting, batch, interval, settings …)
    int frameFirst = -1; // a frame range, inclusive (-1: none)
    int frameLast = -1;
    int cellFirst = -1; // a cell-number range, inclusive (-1: none)
    int cellLast = -1;
    QPoint globalPos; // where a window that opens at the pointer goes
};
