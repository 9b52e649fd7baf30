#include "document/timeline_range.h"

#include <algorithm>
#include <utility>

cTimelineRange::cTimelineRange(eRangeKind kind, int frameA, int cellA, int frameB, int cellB) : kind_(kind) {
    if (kind_ == kRangeRows) {
        frameA = 0;
        frameB = kEvery;
    }
    if (kind_ == kRangeFrames) {
        cellA = 0;
        cellB = kEvery;
    }
    firstFrame_ = std::min(frameA, frameB);
    lastFrame_ = std::max(frameA, frameB);
    firstCell_ = std::min(cellA, cellB);
    lastCell_ = std::max(cellA, cellB);
}

cTimelineRange cTimelineRange::ofCells(int frameA, int cellA, int frameB, int cellB) {
    return cTimelineRange(kRangeCells, frameA, cellA, frameB, cellB);
}

cTimelineRange cTimelineRange::ofFrames(int frameA, int frameB) {
    return cTimelineRange(kRangeFrames, frameA, 0, frameB, 0);
}

cTimelineRange cTimelineRange::ofRows(int cellA, int cellB) {
    return cTimelineRange(kRangeRows, 0, cellA, 0, cellB);
}

cTimelineRange cTimelineRange::spanning(eRangeKind kind, int frameA, int cellA, int frameB, int cellB) {
    switch (kind) {
    case kRangeCells:
    case kRangeFrames:
    case kRangeRows:
        return cTimelineRange(kind, frameA, cellA, frameB, cellB);
    default:
        return {};
    }
}

bool cTimelineRange::contains(int frame, int cell) const {
    return !empty() && frame >= firstFrame_ && frame <= lastFrame_ && cell >= firstCell_ && cell <= lastCell_;
}

cTimelineRange cTimelineRange::clampedTo(int frames, int cells) const {
    if (empty() || frames < 1 || cells < 1) return {};
    cTimelineRange r = *this;
    if (!everyFrame()) {
        r.firstFrame_ = std::max(r.firstFrame_, 0);
        r.lastFrame_ = std::min(r.lastFrame_, frames - 1);
    }
    if (!everyCell()) {
        r.firstCell_ = std::max(r.firstCell_, 0);
        r.lastCell_ = std::min(r.lastCell_, cells - 1);
    }
    if (r.firstFrame_ > r.lastFrame_ || r.firstCell_ > r.lastCell_) return {};
    return r;
}

cTimelineRange cTimelineRange::blockOn(int frames, int cells) const {
    if (empty()) return {};
    return ofCells(firstFrame_, firstCell_, lastFrame_, lastCell_).clampedTo(frames, cells);
}
