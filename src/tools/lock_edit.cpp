#include "tools/lock_edit.h"

#include "document/project.h"
#include "document/transaction.h"

#include <algorithm>
#include <cstdio>

void cLockEdit::open(const cProject& doc) {
    rows.assign(static_cast<size_t>(std::max(doc.cellNumber(), 0)), strRow{});
    for (int c = 0; c < static_cast<int>(rows.size()); ++c)
        rows[c].image = doc.lockedPicture(c);
}

void cLockEdit::setSelected(int image) {
    const int v = std::clamp(image, 0, 65535);
    for (auto& r : rows)
        if (r.selected) r.image = v;
}

int cLockEdit::maxImage(const cProject& doc) {
    return std::max(doc.pictureCount() - 1, 0);
}

strEditResult cLockEdit::update(const strToolContext& ctx) const {
    strEditResult r;
    if (!ctx.doc) return r;
    cTransaction t(*ctx.doc, strMessage(kStepLockTable));
    int changed = 0;
    for (int c = 0; c < static_cast<int>(rows.size()); ++c)
        if (ctx.doc->setLockedPicture(c, static_cast<uint8_t>(std::clamp(rows[c].image, 0, 255)))) ++changed;
    t.commit();
    r.count = changed;
    r.ok = true;
    return r;
}

void cLockCellEdit::open(const cProject& doc, int c) {
    cell = c;
    image = doc.lockedPicture(c);
}

std::string cLockCellEdit::title() const {
    char buf[64];
    std::snprintf(buf, sizeof buf, "[%d] Locked for cell and image", cell);
    return buf;
}

strEditResult cLockCellEdit::ok(const strToolContext& ctx) const {
    strEditResult r;
    if (!ctx.doc) return r;
    const auto picture = static_cast<uint8_t>(std::clamp(image, 0, 255));
    cTransaction t(*ctx.doc, strMessage(kStepLockCell, cell, picture));
    const bool done = ctx.doc->setLockedPicture(cell, picture) && t.commit();
    r.count = done ? 1 : 0;
    r.ok = done;
    return r;
}
