#include "export/cut_range.h"

#include "document/project.h"
#include "image/picture_slot_table.h"

#include <algorithm>
#include <cmath>

bool ComputeAutoCutRange(const cProject& doc, const cPictureSlotTable& slots, strCutRange& range) {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    for (int f = 0; f < doc.frameCount(); ++f) {
        const strFrame* frame = doc.frame(f);
        if (!frame) continue;
        for (int c = 0; c < frame->cells.capacity(); ++c) {
            const strCell* cell = frame->cells.get(c);
            if (!cell) continue;
            const cPictureSlot* slot = slots.find(cell->picture);
            if (!slot || !slot->isValidPattern(int(cell->pattern) - 1)) continue;
            int w = 0, h = 0;
            slot->getCellSize(w, h);
            const double a = ((int(cell->angle) + 14400) % 3600) / 10.0 * 3.14159265358979323846 / 180.0;
            const double cs = std::cos(a), sn = std::sin(a);
            const double sx = cell->mx / 100.0, sy = cell->my / 100.0;
            for (int k = 0; k < 4; ++k) {
                const double px = ((k & 1) ? w / 2.0 : -w / 2.0) * sx,
                             py = ((k & 2) ? h / 2.0 : -h / 2.0) * sy;
                // Rounded to 1e-6 so that the noise of cos and sin does not widen the range.
                const double X = std::round((px * cs - py * sn + cell->x) * 1e6) / 1e6;
                const double Y = std::round((px * sn + py * cs + cell->y) * 1e6) / 1e6;
                minX = std::min(minX, X);
                maxX = std::max(maxX, X);
                minY = std::min(minY, Y);
                maxY = std::max(maxY, Y);
            }
        }
    }
    if (minX == 0 && minY == 0 && maxX == 0 && maxY == 0) return false;
    const int left = int(std::floor(minX)) - 1, top = int(std::floor(minY)) - 1;
    const int right = int(std::ceil(maxX)) + 1, bottom = int(std::ceil(maxY)) + 1;
    range.left = left;
    range.top = top;
    range.width = right - left;
    range.height = bottom - top;
    return true;
}
