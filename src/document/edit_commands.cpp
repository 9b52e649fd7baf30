#include "document/edit_commands.h"

#include "config/config.h"
#include "document/history.h"
#include "document/project.h"
#include "document/restore.h"
#include "document/transaction.h"

#include <algorithm>
#include <utility>

// ---------------------------------------------------------------------------------------------
// Completion

bool SupplementCell(strCell& o, const strCell* prev, const strCell* next, float t, int compType) {
    if (!prev && !next) return false;
    const int mode = std::clamp(compType, 0, 2);
    const strCell saved = o;
    if (prev && next) {
        const strCell& p = *prev;
        const strCell& n = *next;
        if (mode == 0) {
            o.picture = InterpolateValue(p.picture, n.picture, t);
            o.pattern = InterpolateValue(p.pattern, n.pattern, t);
        }
        o.blend = InterpolateValue(p.blend, n.blend, t);
        o.x = InterpolateValue(p.x, n.x, t);
        o.y = InterpolateValue(p.y, n.y, t);
        o.mx = InterpolateValue(p.mx, n.mx, t);
        o.my = InterpolateValue(p.my, n.my, t);
        o.angle = InterpolateValue(p.angle, n.angle, t);
        o.opacity = InterpolateValue(p.opacity, n.opacity, t);
        if (mode != 2) {
            o.red = InterpolateValue(p.red, n.red, t);
            o.green = InterpolateValue(p.green, n.green, t);
            o.blue = InterpolateValue(p.blue, n.blue, t);
            o.saturation = InterpolateValue(p.saturation, n.saturation, t);
        }
    } else {
        o = prev ? *prev : *next;
    }
    if (mode >= 1) {
        o.picture = saved.picture;
        o.pattern = saved.pattern;
    }
    if (mode == 2) {
        o.red = saved.red;
        o.green = saved.green;
        o.blue = saved.blue;
        o.saturation = saved.saturation;
    }
    return true;
}

bool CompleteCell(cProject& doc, int frame, int cell, int compType, bool mustExist) {
    const strCell* base = doc.cell(frame, cell);
    const strCell* prev = doc.cell(frame - 1, cell);
    const strCell* next = doc.cell(frame + 1, cell);
    if (mustExist && !base) return false;
    const strCell* src = base ? base : prev ? prev : next;
    if (!src) return false;
    strCell o = *src;
    // With neither neighbour the result stays a copy of the cell itself.
    SupplementCell(o, prev, next, 0.5f, compType);
    // A cell that completion leaves as it is is not stored again (no undo record, not counted).
    return doc.changeCell(frame, cell, &o);
}

// ---------------------------------------------------------------------------------------------
// Frame building blocks

bool FramesFit(const cProject& doc, int count) {
    return doc.frameCount() + std::max(count, 0) <= doc.frameCapacity();
}

strMessage FramesFull(const cProject& doc) {
    return strMessage(kMsgFramesFull, doc.frameCapacity());
}

int InsertBlankFrames(cProject& doc, int at, int count) {
    const int n = doc.frameCount();
    if (at < 0 || at > n || count < 1 || !FramesFit(doc, count)) return 0;
    cTransaction t(doc,
                   count == 1 ? strMessage(kStepInsertFrame, at) : strMessage(kStepInsertFrames, count, at));
    if (n > at && !doc.slideFrames(at, n - at, at + count)) return 0;
    for (int k = 0; k < count; ++k)
        if (!doc.replaceFrame(at + k, &doc.blankFrame())) return 0;
    t.commit();
    return count;
}

int DeleteFrames(cProject& doc, int first, int count) {
    const int n = doc.frameCount();
    if (first < 0 || first >= n || count < 1) return 0;
    count = std::min(count, n - first);
    cTransaction t(doc, count == 1 ? strMessage(kStepDeleteFrame, first)
                                   : strMessage(kStepDeleteFrames, first, first + count - 1));
    int deleted = 0;
    for (int k = first; k < first + count; ++k) {
        if (!doc.frame(k)) continue;
        if (!doc.replaceFrame(k, nullptr)) return 0;
        ++deleted;
    }
    if (n > first + count && !doc.slideFrames(first + count, n - first - count, first)) return 0;
    if (doc.getSetting(kKeyFrameCount) == 0 && !doc.replaceFrame(0, &doc.blankFrame())) return 0;
    t.commit();
    return deleted;
}

// ---------------------------------------------------------------------------------------------
// cEditCommands: state

cEditCommands::cEditCommands(cProject& doc, const cConfig& config) : config_(&config) {
    setDocument(doc);
}

cEditCommands::~cEditCommands() {
    if (doc_) doc_->setChangeListener(nullptr);
}

void cEditCommands::setDocument(cProject& doc) {
    if (doc_ && doc_ != &doc) doc_->setChangeListener(nullptr);
    doc_ = &doc;
    doc_->setChangeListener([this](unsigned changes) { announce(changes); });
    current_ = 0;
    currentCell_ = -1;
    selected_.assign(static_cast<size_t>(std::max(doc.cellNumber(), 0)), 0);
}

cHistory& cEditCommands::history() const {
    return doc_->history();
}

void cEditCommands::announce(unsigned changes) {
    pending_ |= changes;
    if (holds_ == 0) flush();
}

void cEditCommands::flush() {
    // A listener may run commands of its own; what they announce is given in the next round.
    while (pending_ && holds_ == 0) {
        const unsigned changes = pending_;
        pending_ = 0;
        if (listener_) listener_(changes);
    }
}

bool cEditCommands::setCurrentFrame(int f) {
    if (!doc_->frame(f)) return false;
    if (f != current_) {
        current_ = f;
        announce(kViewFrame);
    }
    return true;
}

void cEditCommands::setCurrentCell(int c) {
    c = c >= 0 && c < doc_->cellNumber() ? c : -1;
    if (c == currentCell_) return;
    currentCell_ = c;
    announce(kViewSelection);
}

void cEditCommands::syncSelection() {
    selected_.resize(static_cast<size_t>(std::max(doc_->cellNumber(), 0)), 0);
    if (currentCell_ >= doc_->cellNumber()) currentCell_ = -1;
}

bool cEditCommands::isSelected(int c) const {
    return c >= 0 && c < static_cast<int>(selected_.size()) && c < doc_->cellNumber() && (selected_[c] & 1);
}

void cEditCommands::select(int c, bool on) {
    syncSelection();
    if (c < 0 || c >= static_cast<int>(selected_.size()) || (selected_[c] != 0) == on) return;
    selected_[c] = on ? 1 : 0;
    announce(kViewSelection);
}

void cEditCommands::clearSelection() {
    if (std::find(selected_.begin(), selected_.end(), 1) == selected_.end()) return;
    selected_.assign(selected_.size(), 0);
    announce(kViewSelection);
}

std::vector<int> cEditCommands::selection() const {
    std::vector<int> out;
    for (int c = 0; c < static_cast<int>(selected_.size()); ++c)
        if (isSelected(c)) out.push_back(c);
    return out;
}

int cEditCommands::selectedCount() const {
    return static_cast<int>(selection().size());
}

strMessage cEditCommands::processingFailed() const {
    int minute = 0, second = 0;
    if (clock_)
        clock_(minute, second);
    else
        LocalMinuteSecond(minute, second);
    return ProcessingFailed(minute, second);
}

bool cEditCommands::checkCurrentFrame(strEditResult& r) {
    syncSelection();
    if (doc_->frame(current_) || doc_->inTransaction()) return false;
    doc_->repairFrames();
    current_ = std::clamp(current_, 0, std::max(doc_->frameCount() - 1, 0));
    r.alert = strMessage(kMsgFrameRepair);
    announce(kDocCells | kDocHistory | kViewFrame);
    return true;
}

void cEditCommands::clampCurrentFrame() {
    syncSelection();
    if (doc_->frame(current_)) return;
    const int frame = std::clamp(current_, 0, std::max(doc_->frameCount() - 1, 0));
    if (frame == current_) return;
    current_ = frame;
    announce(kViewFrame);
}

// ---------------------------------------------------------------------------------------------
// Frame commands

strEditResult cEditCommands::insertFrame() {
    cHold hold(*this);
    strEditResult r;
    checkCurrentFrame(r);
    const int i = current_;
    if (!FramesFit(*doc_, 1)) {
        r.status = FramesFull(*doc_);
        return r;
    }
    cTransaction t(*doc_, strMessage(kStepInsertFrame, i));
    r.ok = doc_->frame(i) && InsertBlankFrames(*doc_, i, 1) == 1 && t.commit();
    r.count = r.ok ? 1 : 0;
    r.status = r.ok ? strMessage(kMsgFrameInserted, i) : processingFailed();
    return r;
}

strEditResult cEditCommands::deleteFrame() {
    cHold hold(*this);
    strEditResult r;
    checkCurrentFrame(r);
    const int i = current_;
    cTransaction t(*doc_, strMessage(kStepDeleteFrame, i));
    r.ok = doc_->frame(i) && DeleteFrames(*doc_, i, 1) == 1 && t.commit();
    r.count = r.ok ? 1 : 0;
    clampCurrentFrame();
    r.status = r.ok ? strMessage(kMsgFrameDeleted, i) : processingFailed();
    return r;
}

strEditResult cEditCommands::deleteFrames(int first, int count) {
    cHold hold(*this);
    strEditResult r;
    checkCurrentFrame(r);
    r.count = DeleteFrames(*doc_, first, count);
    r.ok = r.count > 0;
    clampCurrentFrame();
    if (r.ok) r.status = strMessage(kMsgCountDelete, r.count);
    return r;
}

strEditResult cEditCommands::clearFrame() {
    cHold hold(*this);
    strEditResult r;
    checkCurrentFrame(r);
    const int i = current_;
    cTransaction t(*doc_, strMessage(kStepClearFrame, i));
    r.ok = doc_->frame(i) && doc_->replaceFrame(i, &doc_->blankFrame()) && t.commit();
    r.count = r.ok ? 1 : 0;
    r.status = r.ok ? strMessage(kMsgFrameCleared, i) : processingFailed();
    return r;
}

strEditResult cEditCommands::clearFrames(int first, int count) {
    cHold hold(*this);
    strEditResult r;
    checkCurrentFrame(r);
    const int n = doc_->frameCount();
    const int from = std::max(first, 0);
    const int to = std::min(std::clamp(first, 0, n) + std::clamp(count, 0, n), n);
    cTransaction t(*doc_, to - from == 1 ? strMessage(kStepClearFrame, from)
                                         : strMessage(kStepClearFrames, from, to - 1));
    for (int k = from; k < to; ++k)
        if (doc_->frame(k) && doc_->replaceFrame(k, &doc_->blankFrame())) ++r.count;
    t.commit();
    r.ok = r.count > 0;
    if (r.ok) r.status = strMessage(kMsgCountClear, r.count);
    return r;
}

strEditResult cEditCommands::copyFrame(int offset) {
    cHold hold(*this);
    strEditResult r;
    checkCurrentFrame(r);
    const int i = current_;
    const int source = i + offset;
    // Both frames must lie in 0..occupied frame count - 1.
    const int n = doc_->getSetting(kKeyFrameCount);
    cTransaction t(*doc_, strMessage(kStepCopyFrame, source, i));
    r.ok = source >= 0 && source < n && i < n && doc_->frame(i) && doc_->frame(source) &&
           doc_->replaceFrame(i, doc_->frame(source)) && doc_->setFrameInterval(i, 0);
    if (r.ok) t.commit();
    r.count = r.ok ? 1 : 0;
    r.status = r.ok          ? strMessage(kMsgFrameCopied, source, i)
               : source < 0  ? strMessage(kMsgNoPreviousFrameToCopy)
               : source >= n ? strMessage(kMsgNoNextFrameToCopy)
                             : processingFailed();
    return r;
}

strEditResult cEditCommands::copyFromPreviousFrame() {
    return copyFrame(-1);
}

strEditResult cEditCommands::copyFromNextFrame() {
    return copyFrame(+1);
}

strEditResult cEditCommands::completeFrame() {
    cHold hold(*this);
    strEditResult r;
    checkCurrentFrame(r);
    const int i = current_;
    cTransaction t(*doc_, strMessage(kStepCompleteFrame, i));
    if (doc_->frame(i))
        for (int c = doc_->cellNumber() - 1; c >= 0; --c)
            if (CompleteCell(*doc_, i, c, config_->CompType)) ++r.count;
    t.commit();
    r.ok = r.count > 0;
    // A frame at either end has one neighbour only: its cells can become copies of that one's, and
    // nothing is filled in when they are already.
    const int last = doc_->frameCount() - 1;
    r.status = r.ok              ? strMessage(kMsgFrameDone, i)
               : !doc_->frame(i) ? processingFailed()
               : i == last       ? strMessage(kMsgFillLastFrame, i)
               : i == 0          ? strMessage(kMsgFillFirstFrame, i)
                                 : strMessage(kMsgNothingToFillIn, i);
    return r;
}

strEditResult cEditCommands::moveTo(int frame) {
    strEditResult r;
    if (frame != current_ && setCurrentFrame(frame)) r.ok = true;
    return r;
}

strEditResult cEditCommands::nextFrame() {
    cHold hold(*this);
    strEditResult r;
    checkCurrentFrame(r);
    const int n = doc_->getSetting(kKeyFrameCount);
    if (current_ == n - 1 && config_->NewFrameFlag) {
        if (!FramesFit(*doc_, 1)) {
            r.status = FramesFull(*doc_);
            return r;
        }
        cTransaction t(*doc_, strMessage(kStepInsertFrame, n));
        if (InsertBlankFrames(*doc_, n, 1) == 1 && t.commit()) {
            r.status = strMessage(kMsgFrameInserted, n);
            r.count = 1;
        }
    }
    r.ok = moveTo(current_ + 1).ok;
    return r;
}

strEditResult cEditCommands::previousFrame() {
    cHold hold(*this);
    strEditResult r;
    checkCurrentFrame(r);
    if (current_ >= 1) r.ok = moveTo(current_ - 1).ok;
    return r;
}

strEditResult cEditCommands::firstFrame() {
    cHold hold(*this);
    strEditResult r;
    checkCurrentFrame(r);
    if (current_ >= 1) r.ok = moveTo(0).ok;
    return r;
}

strEditResult cEditCommands::lastFrame() {
    cHold hold(*this);
    strEditResult r;
    checkCurrentFrame(r);
    r.ok = moveTo(std::max(doc_->getSetting(kKeyFrameCount) - 1, 0)).ok;
    return r;
}

// ---------------------------------------------------------------------------------------------
// Cell commands

strEditResult cEditCommands::completeSelectedCells() {
    cHold hold(*this);
    strEditResult r;
    checkCurrentFrame(r);
    cTransaction t(*doc_, strMessage(kStepCompleteCells));
    // Only selected cells that exist on the current frame are completed, so no cell is created
    // ("Complete selected cells").
    for (int c : selection())
        if (CompleteCell(*doc_, current_, c, config_->CompType, true)) ++r.count;
    t.setLabel(Counted(kStepCompleteCells, r.count));
    t.commit();
    r.ok = r.count > 0;
    if (r.ok) r.status = strMessage(kMsgCountComplete, r.count);
    return r;
}

strEditResult cEditCommands::deleteSelectedCells() {
    cHold hold(*this);
    strEditResult r;
    checkCurrentFrame(r);
    cTransaction t(*doc_, strMessage(kStepDeleteCells));
    for (int c : selection()) {
        if (!doc_->cell(current_, c) || !doc_->setCell(current_, c, nullptr)) continue;
        select(c, false);
        ++r.count;
    }
    t.setLabel(Counted(kStepDeleteCells, r.count));
    t.commit();
    r.ok = r.count > 0;
    if (r.ok) r.status = strMessage(kMsgCountDelete, r.count);
    return r;
}

strEditResult cEditCommands::moveCells(int direction) {
    cHold hold(*this);
    strEditResult r;
    checkCurrentFrame(r);
    std::vector<int> cells = selection();
    // To the foreground: from the highest down, so a block of adjacent cells moves as a whole;
    // to the background: from the lowest up.
    if (direction > 0) std::reverse(cells.begin(), cells.end());
    const eMessageId label = direction > 0 ? kStepForegroundCells : kStepBackgroundCells;
    cTransaction t(*doc_, strMessage(label));
    // A selected cell that cannot move (at the edge of the row) holds back the selected cells
    // stacked against it, so that a block either moves as a whole or stays as it is.
    std::vector<uint8_t> held(selected_.size(), 0);
    for (int c : cells) {
        // Only selected cells that exist move; the slot they move into may be empty.
        const int d = c + direction;
        if (!doc_->cell(current_, c)) continue;
        const bool blocked = d < 0 || d >= static_cast<int>(held.size()) || held[d];
        if (blocked || !doc_->exchangeCells(current_, c, current_, d)) {
            held[c] = 1;
            continue;
        }
        std::swap(selected_[c], selected_[d]);
        if (currentCell_ == c)
            currentCell_ = d;
        else if (currentCell_ == d)
            currentCell_ = c;
        ++r.count;
    }
    t.setLabel(Counted(label, r.count));
    t.commit();
    r.ok = r.count > 0;
    if (r.ok) {
        announce(kViewSelection);
        r.status = strMessage(direction > 0 ? kMsgCountForeground : kMsgCountBackground, r.count);
    }
    return r;
}

strEditResult cEditCommands::toForeground() {
    return moveCells(+1);
}

strEditResult cEditCommands::toBackground() {
    return moveCells(-1);
}

strEditResult cEditCommands::selectAll() {
    cHold hold(*this);
    strEditResult r;
    checkCurrentFrame(r);
    const strFrame* f = doc_->frame(current_);
    bool allSelected = true;
    for (int c = 0; c < doc_->cellNumber(); ++c)
        if (f && f->cells.get(c) && !isSelected(c)) allSelected = false;
    for (int c = 0; c < static_cast<int>(selected_.size()); ++c)
        select(c, !allSelected && f && f->cells.get(c));
    r.ok = true;
    return r;
}

strEditResult cEditCommands::movePicture(int from, int to) {
    cHold hold(*this);
    strEditResult r;
    const int slots = doc_->pictureCapacity();
    if (from < 0 || to < 0 || from >= slots || to >= slots || from == to) {
        r.status = processingFailed();
        return r;
    }
    if (!doc_->picture(from) && !doc_->picture(to)) {
        r.status = strMessage(kMsgPictureSlotEmpty, from);
        return r;
    }
    const auto renumbered = [from, to](int p) { return p == from ? to : p == to ? from : p; };
    // The cells are read before anything changes: with the lock on, storing a lock entry rewrites
    // the picture of its column's cells.
    struct strMoved {
        int frame, cell;
        strCell c;
    };
    std::vector<strMoved> moved;
    for (int f = 0; f < doc_->frameCount(); ++f)
        for (int c = 0; c < doc_->cellNumber(); ++c)
            if (const strCell* cell = doc_->cell(f, c); cell && renumbered(cell->picture) != cell->picture)
                moved.push_back({f, c, *cell});
    cTransaction t(*doc_, strMessage(kStepMovePicture, from, to));
    bool ok = doc_->exchangePictures(from, to);
    for (int c = 0; ok && c < doc_->cellNumber(); ++c) {
        const int p = doc_->lockedPicture(c);
        if (renumbered(p) != p)
            ok = renumbered(p) <= 255 && doc_->setLockedPicture(c, uint8_t(renumbered(p)));
    }
    for (strMoved& m : moved) {
        if (!ok) break;
        ok = renumbered(m.c.picture) <= 255;
        m.c.picture = uint8_t(renumbered(m.c.picture));
        ok = ok && doc_->setCell(m.frame, m.cell, &m.c);
    }
    if (!ok) {
        r.status = processingFailed();
        return r; // the transaction takes back what was stored
    }
    t.commit();
    r.ok = true;
    r.count = 1;
    r.status = strMessage(kStepMovePicture, from, to);
    return r;
}

strEditResult cEditCommands::newCell(int cell, int x, int y) {
    cHold hold(*this);
    strEditResult r;
    checkCurrentFrame(r);
    if (cell < 0 || cell >= doc_->cellNumber() || !doc_->frame(current_)) return r;
    if (!doc_->cell(current_, cell)) {
        strCell fresh;
        fresh.x = static_cast<int16_t>(std::clamp(x, -1024, 1024));
        fresh.y = static_cast<int16_t>(std::clamp(y, -1024, 1024));
        cTransaction t(*doc_, strMessage(kStepNewCell, cell, current_));
        if (!doc_->setCell(current_, cell, &fresh) || !t.commit()) return r;
        r.count = 1;
    }
    clearSelection();
    select(cell);
    setCurrentCell(cell);
    r.ok = true;
    return r;
}

// ---------------------------------------------------------------------------------------------
// Undo / Redo

strEditResult cEditCommands::undo() {
    cHold hold(*this);
    strEditResult r;
    const cRestoreObj* step = doc_->history().undo();
    r.ok = step != nullptr;
    r.status = step ? strMessage(kMsgUndone, step->label) : strMessage(kMsgCannotUndo);
    if (step) clampCurrentFrame();
    return r;
}

strEditResult cEditCommands::redo() {
    cHold hold(*this);
    strEditResult r;
    const cRestoreObj* step = doc_->history().redo();
    r.ok = step != nullptr;
    r.status = step ? strMessage(kMsgRedone, step->label) : strMessage(kMsgCannotRedo);
    if (step) clampCurrentFrame();
    return r;
}
