#pragma once
// Documents built for tests: blank frames, cells told apart by their x, and two ways of writing where
// the cells are. A row is one frame's cells by number ("0 - 7": x 0 in cell 0, none in cell 1, x 7
// in cell 2); a column is one cell number along the frames ("0 - 40": x 0 on frame 0, none on frame 1,
// x 40 on frame 2).

#include "document/cell.h"
#include "document/project.h"
#include "support/timeline_range_print.h"

#include <sstream>
#include <string>

namespace testing_support {

// A cell that differs from a new cell only in x and y.
inline strCell CellAt(int x, int y = 0) {
    return strCell{.x = static_cast<int16_t>(x), .y = static_cast<int16_t>(y)};
}

// Makes doc a new document of `frames` blank frames with `cells` cell numbers (below 1: the
// configured number). False when the document refuses.
inline bool MakeFrames(cProject& doc, int frames, int cells = 0) {
    if (!doc.create(0, cells, 0, 0)) return false;
    for (int f = 0; f < frames; ++f)
        if (!doc.frameOrCreate(f)) return false;
    return true;
}

enum eCellLine { kRow, kColumn };

// The x values of frame `at`'s cells (a row) or of cell number `at` along the frames (a column), "-"
// for none.
inline std::string XsOf(const cProject& doc, eCellLine line, int at) {
    std::string s;
    for (int i = 0; i < (line == kColumn ? doc.frameCount() : doc.cellNumber()); ++i) {
        const strCell* c = line == kColumn ? doc.cell(i, at) : doc.cell(at, i);
        s += (i ? " " : "") + (c ? std::to_string(c->x) : std::string("-"));
    }
    return s;
}

// Stores cells with the x values of a row or column written as XsOf writes it, making the frames they
// need; a "-" stores nothing. False when a store fails.
[[nodiscard]] inline bool FillXs(cProject& doc, eCellLine line, int at, const std::string& xs) {
    std::istringstream in(xs);
    std::string item;
    for (int i = 0; in >> item; ++i) {
        const int f = line == kColumn ? i : at, n = line == kColumn ? at : i;
        const strCell c = CellAt(item == "-" ? 0 : std::stoi(item));
        if (item != "-" && !(doc.frameOrCreate(f) && doc.setCell(f, n, &c))) return false;
    }
    return true;
}

} // namespace testing_support
