#pragma once
// What other windows ask the canvas to show besides the document: the cell window's working copy,
// the export windows' cut range and the palette's dragged pattern. The session holds one record;
// the canvas draws it on every repaint (kChangeView announces a change).

#include "document/cell.h"
#include "document/timeline_range.h"

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
// What each command reads of the range (ids of command_ids.h):
//   40043 settings       the cell window of its first cell on its first frame (whole rows: the
//                        current frame); nothing for whole columns
//   40007 frame setting  frame compensation filled with the range's frames and cell numbers
//   40005 batch          batch filled the same way
//   40004 interval       the interval window filled with the range's frames
//   40012 cell lock      a block or rows: "[%d] Locked for cell and image" of its first cell number;
//                        otherwise the whole lock table
//   40209 new            a new cell as the settings window finds its cell
// An empty range means every frame and every cell number.
struct strToolRequest {
    int command = 0;      // the command id of the window (frame setting, batch, interval, settings …)
    cTimelineRange range; // the frames and cell numbers the window is filled with
    int picture = -1;     // 49010 check sheet: the picture whose file is checked (-1: none)
    QPoint globalPos{};   // where a window that opens at the pointer goes
    // The widget that asks. When it lies in a window other than the main window (the list window),
    // the main window is disabled while the tool window is open.
    QWidget* origin = nullptr;
};
