#pragma once
// A pattern dragged from the picture palette and dropped on the canvas: it changes the picture and
// pattern of the cell under the pointer, or becomes a new cell at the drop point.

#include "tools/tool_context.h"

class cProject;

// The cell number a pattern of `picture` dropped on empty space goes to on `frame`: the first number
// (from 0 up) without a cell there; with the image lock on, only numbers locked to `picture`. -1 when
// there is none (or the frame does not exist).
int FreeCellFor(const cProject& doc, int frame, int picture);

struct strPatternDrop {
    int frame = 0;
    int target = -1;  // the cell under the pointer, -1 for empty space
    int picture = 0;  // the palette's picture number
    int pattern = 1;  // 1-based
    int x = 0, y = 0; // where a new cell goes (the drop point minus the grab offset)
};

// Stores the dropped pattern as one undo step: onto the target cell (a copy with the picture and
// pattern changed, everything else kept), or as the new-cell default with the picture, the pattern and
// x, y in FreeCellFor. Returns the cell number stored, or -1 when nothing was stored.
int DropPattern(const strToolContext& ctx, const strPatternDrop& drop);
