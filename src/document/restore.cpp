#include "document/restore.h"

#include "document/project.h"

void cRestoreObj::append(std::unique_ptr<cRestore> r) {
    if (!r || !r->valid) valid = false;
    if (!valid) return;
    records.push_front(std::move(r));
}

size_t cRestoreObj::size() const {
    size_t s = 0;
    for (const auto& r : records) s += r->size();
    return s;
}

void cRest_Change_Cell::apply(cProject& doc, int mode) {
    if (mode == kUndo)
        doc.exchangeCells(fb, cb, fa, ca);
    else
        doc.exchangeCells(fa, ca, fb, cb);
}

void cRest_Change_Frame::apply(cProject& doc, int mode) {
    if (mode == kUndo)
        doc.exchangeFrames(b, a);
    else
        doc.exchangeFrames(a, b);
}

void cRest_Slide_Frame::apply(cProject& doc, int mode) {
    if (mode == kUndo)
        doc.slideFrames(to, count, from);
    else
        doc.slideFrames(from, count, to);
}

cRest_Update_Cell::cRest_Update_Cell(int frame, int cell, const strCell* n, const strCell* o)
    : frame(frame), cell(cell) {
    if (n) newCell = *n;
    if (o) oldCell = *o;
}

size_t cRest_Update_Cell::size() const {
    return cRestore::size() + (newCell ? 22 : 0) + (oldCell ? 22 : 0);
}

void cRest_Update_Cell::apply(cProject& doc, int mode) {
    // The copy goes back exactly as recorded, not through set-cell's normalisation: under the image
    // lock a cell moved to another cell number (exchange, to the foreground) keeps its picture, and
    // normalising the old copy would give it the lock entry of its new cell number instead.
    // Replay opens no step, so nothing is recorded either way.
    const auto& c = mode == kUndo ? oldCell : newCell;
    strFrame* f = doc.frame(frame);
    if (!f || !f->cells.inRange(cell)) return;
    if (c)
        f->cells.setCopy(cell, *c);
    else
        f->cells.reset(cell);
    doc.setModified(true);
}

void cRest_Update_FixCell::apply(cProject& doc, int mode) {
    doc.setLockedPicture(cell, static_cast<uint8_t>(mode == kUndo ? oldPicture : newPicture));
}

cRest_Update_Frame::cRest_Update_Frame(int index, const strFrame* n, const strFrame* o) : index(index) {
    if (n) newFrame = std::make_unique<strFrame>(*n);
    if (o) oldFrame = std::make_unique<strFrame>(*o);
}

size_t cRest_Update_Frame::size() const {
    size_t s = cRestore::size();
    for (const auto* f : {newFrame.get(), oldFrame.get()})
        if (f) s += 2 + 22 * static_cast<size_t>(f->cells.occupied());
    return s;
}

void cRest_Update_Frame::apply(cProject& doc, int mode) {
    doc.replaceFrame(index, mode == kUndo ? oldFrame.get() : newFrame.get());
}

void cRest_Update_Int::apply(cProject& doc, int mode) {
    doc.setFrameInterval(frame, static_cast<uint16_t>(mode == kUndo ? oldInterval : newInterval));
}
