#include "document/restore.h"

#include "document/project.h"

size_t cRestoreObj::size() const {
    size_t s = 0;
    for (const auto& r : records)
        s += r->size();
    return s;
}

unsigned cRestoreObj::changes() const {
    unsigned c = 0;
    for (const auto& r : records)
        c |= r->changes();
    return c;
}

void cRestoreObj::apply(cProject& doc, int mode, size_t from) const {
    if (from >= records.size()) return;
    if (mode == cRestore::kUndo) {
        for (size_t i = records.size(); i-- > from;)
            records[i]->apply(doc, mode);
    } else {
        for (size_t i = from; i < records.size(); ++i)
            records[i]->apply(doc, mode);
    }
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
    strFrame* f = doc.frames_.get(frame);
    if (!f || !f->cells.inRange(cell)) return;
    if (c)
        f->cells.setCopy(cell, *c);
    else
        f->cells.reset(cell);
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

cRest_Update_Picture::cRest_Update_Picture(int slot, const strPicture* n, const strPicture* o) : slot(slot) {
    if (n) newPicture = *n;
    if (o) oldPicture = *o;
}

void cRest_Update_Picture::apply(cProject& doc, int mode) {
    const auto& p = mode == kUndo ? oldPicture : newPicture;
    doc.setPicture(slot, p ? &*p : nullptr);
}

void cRest_Change_Picture::apply(cProject& doc, int) {
    doc.exchangePictures(a, b);
}

void cRest_Update_Effect::apply(cProject& doc, int mode) {
    if ((mode == kRedo) == inserted)
        doc.insertEffect(index, effect);
    else
        doc.removeEffect(index);
}

void cRest_Update_Setting::apply(cProject& doc, int mode) {
    doc.setSetting(key, mode == kUndo ? oldValue : newValue);
}

void cRest_Update_Text::apply(cProject& doc, int mode) {
    doc.setText(key, mode == kUndo ? oldText : newText);
}

void cRest_Cell_Number::apply(cProject& doc, int mode) {
    if (mode == kRedo) {
        doc.resizeCells(newNumber);
        return;
    }
    doc.resizeCells(oldNumber);
    // The lock entries past the smaller number come back; the cells are recorded before this record
    // and so are put back after it.
    for (size_t k = 0; k < removedLocks.size() && newNumber + k < doc.lockTable_.size(); ++k)
        doc.lockTable_[newNumber + k] = removedLocks[k];
}
