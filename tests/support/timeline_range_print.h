#pragma once
// How GoogleTest prints a timeline range in a failed comparison: "frames 2..7 x cells 1..5",
// "frames 3..4, every cell", "cells 2..6, every frame" or "empty", in place of its bytes. Found by
// argument-dependent lookup (cTimelineRange lives in the global namespace), so a test only includes
// this header; the library itself never sees GoogleTest.

#include "document/timeline_range.h"

#include <ostream>

inline void PrintTo(const cTimelineRange& r, std::ostream* out) {
    switch (r.kind()) {
    case kRangeCells:
        *out << "frames " << r.firstFrame() << ".." << r.lastFrame() << " x cells " << r.firstCell() << ".."
             << r.lastCell();
        return;
    case kRangeFrames:
        *out << "frames " << r.firstFrame() << ".." << r.lastFrame() << ", every cell";
        return;
    case kRangeRows:
        *out << "cells " << r.firstCell() << ".." << r.lastCell() << ", every frame";
        return;
    default:
        *out << "empty";
        return;
    }
}
