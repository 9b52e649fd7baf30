#pragma once
// What other windows ask the canvas to show besides the document: the cell window's working copy,
// the export windows' cut range and the palette's dragged pattern. The session holds one record;
// the canvas draws it on every repaint (kChangeView announces a change).

#include "document/cell.h"

#include <QPointF>
#include <QRect>

class QWidget;

struct strCanvasOverlays {
    // The cell window's working copy, drawn in place of the document's cell (frame, cell).
    bool cellPreview = false;
    int previewFrame = -1;
    int previewCell = -1;
    strCell previewValue;

    // An export window's cut range, in animation coordinates (origin at the centre position),
    // normalised (a range typed with a negative width or height is shown where it captures).
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
// What each command reads (ids of command_ids.h):
//   40043 settings       the cell window of cell cellFirst on frame frameFirst (-1: the current frame)
//   40007 frame setting  frame compensation filled with frames frameFirst..frameLast and cell numbers
//   40005 batch          cellFirst..cellLast; batch filled the same way (-1 in a range: all)
//   40004 interval       the interval window filled with frames frameFirst..frameLast
//   40012 cell lock      cellFirst >= 0: "[%d] Locked for cell and image" of that cell number;
//                        otherwise the whole lock table
//   40209 new            a new cell in cell number cellFirst on frame frameFirst (-1: the current
//                        frame)
struct strToolRequest {
    int command = 0;     // the command id of the window (frame setting, batch, interval, settings …)
    int frameFirst = -1; // a frame range, inclusive (-1: none)
    int frameLast = -1;
    int cellFirst = -1; // a cell-number range, inclusive (-1: none)
    int cellLast = -1;
    QPoint globalPos{}; // where a window that opens at the pointer goes
    // The widget that asks. When it lies in a window other than the main window (the list window),
    // the main window is disabled while the tool window is open.
    QWidget* origin = nullptr;
};
