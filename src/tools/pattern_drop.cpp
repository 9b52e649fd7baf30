#include "tools/pattern_drop.h"

#include "document/project.h"
#include "document/transaction.h"

#include <algorithm>

int FreeCellFor(const cProject& doc, int frame, int picture) {
    const strFrame* f = doc.frame(frame);
    if (!f) return -1;
    const bool lock = doc.getSetting(kKeyLock) != 0;
    const int rows = std::min(doc.cellNumber(), f->cells.capacity());
    for (int c = 0; c < rows; ++c) {
        if (f->cells.get(c)) continue;
        if (lock && doc.lockedPicture(c) != picture) continue;
        return c;
    }
    return -1;
}

int DropPattern(const strToolContext& ctx, const strPatternDrop& drop) {
    if (!ctx.doc) return -1;
    cProject& doc = *ctx.doc;
    strCell cell;
    int slot = drop.target;
    if (const strCell* under = slot >= 0 ? doc.cell(drop.frame, slot) : nullptr) {
        cell = *under;
    } else {
        slot = FreeCellFor(doc, drop.frame, drop.picture);
        if (slot < 0) return -1;
        cell.x = static_cast<int16_t>(std::clamp(drop.x, -32768, 32767));
        cell.y = static_cast<int16_t>(std::clamp(drop.y, -32768, 32767));
    }
    cell.picture = static_cast<uint8_t>(std::clamp(drop.picture, 0, 255));
    cell.pattern = static_cast<uint16_t>(std::clamp(drop.pattern, 1, 0xFFFF));
    cTransaction t(doc, strMessage(kStepPattern, cell.pattern, cell.picture, slot));
    // Dropping the pattern a cell already shows is done, though it changes nothing.
    const bool stored = doc.setCell(drop.frame, slot, &cell);
    if (stored) t.commit();
    return stored ? slot : -1;
}
