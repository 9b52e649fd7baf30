#include "document/edit_commands.h"

#include "config/config.h"
#include "document/history.h"
#include "document/project.h"

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
    doc.normaliseCell(o, cell);
    if (base && o == *base) return false;
    return doc.setCell(frame, cell, &o);
}

// ---------------------------------------------------------------------------------------------
// Frame building blocks

int InsertBlankFrames(cProject& doc, int at, int count) {
    const int cap = doc.frames().capacity();
    int n = doc.frames().count();
    if (at < 0 || at > n || at >= cap || count < 1) return 0;
    count = std::min(count, cap - at);
    // Frames that would be pushed past the last slot are deleted first (recorded with their copy).
    for (int k = std::max(at, cap - count); k < n; ++k)
        if (doc.frame(k) && !doc.replaceFrame(k, nullptr)) return 0;
    n = std::min(n, cap - count);
    if (n > at && !doc.slideFrames(at, n - at, at + count)) return 0;
    int inserted = 0;
    for (int k = 0; k < count; ++k)
        if (doc.replaceFrame(at + k, &doc.blankFrame())) ++inserted;
    return inserted;
}

int DeleteFrames(cProject& doc, int first, int count) {
    const int n = doc.frames().count();
    if (first < 0 || first >= n || count < 1) return 0;
    count = std::min(count, n - first);
    int deleted = 0;
    for (int k = first; k < first + count; ++k) {
        if (!doc.frame(k)) continue;
        if (!doc.replaceFrame(k, nullptr)) return deleted;
        ++deleted;
    }
    if (n > first + count) doc.slideFrames(first + count, n - first - count, first);
    if (doc.frames().occupied() == 0) doc.replaceFrame(0, &doc.blankFrame());
    return deleted;
}

// ---------------------------------------------------------------------------------------------
// cEditCommands: state

cEditCommands::cEditCommands(cProject& doc, cHistory& history, const cConfig& config)
    : doc_(&doc), history_(&history), config_(&config) {
    setDocument(doc);
}

void cEditCommands::setDocument(cProject& doc) {
    doc_ = &doc;
    history_->attach(doc_);
    current_ = 0;
    currentCell_ = -1;
    selected_.assign(static_cast<size_t>(std::max(doc.cellNumber(), 0)), 0);
}

bool cEditCommands::setCurrentFrame(int f) {
    if (!doc_->frame(f)) return false;
    current_ = f;
    return true;
}

void cEditCommands::setCurrentCell(int c) {
    currentCell_ = c >= 0 && c < doc_->cellNumber() ? c : -1;
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
    if (c < 0 || c >= static_cast<int>(selected_.size())) return;
    selected_[c] = on ? 1 : 0;
}

void cEditCommands::clearSelection() {
    selected_.assign(selected_.size(), 0);
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
    if (doc_->frame(current_)) return false;
    history_->repairFrames(&current_);
    r.alert = strMessage(kMsgFrameRepair);
    r.changed = true;
    return true;
}

void cEditCommands::clampCurrentFrame() {
    syncSelection();
    if (doc_->frame(current_)) return;
    current_ = std::clamp(current_, 0, std::max(doc_->frames().count() - 1, 0));
}

bool cEditCommands::begin(strEditResult& r) {
    checkCurrentFrame(r);
    history_->open();
    return doc_->frame(current_) != nullptr;
}

void cEditCommands::commit() {
    history_->close(true);
}

// ---------------------------------------------------------------------------------------------
// Frame commands

strEditResult cEditCommands::insertFrame() {
    strEditResult r;
    const bool ready = begin(r);
    const int i = current_;
    const bool done = ready && InsertBlankFrames(*doc_, i, 1) == 1;
    commit();
    r.ok = done;
    r.changed |= done;
    r.status = done ? strMessage(kMsgFrameInserted, i) : processingFailed();
    return r;
}

strEditResult cEditCommands::deleteFrame() {
    strEditResult r;
    const bool ready = begin(r);
    const int i = current_;
    const bool done = ready && DeleteFrames(*doc_, i, 1) == 1;
    commit();
    clampCurrentFrame();
    r.ok = done;
    r.changed |= done;
    r.status = done ? strMessage(kMsgFrameDeleted, i) : processingFailed();
    return r;
}

strEditResult cEditCommands::deleteFrames(int first, int count) {
    strEditResult r;
    begin(r);
    const int n = DeleteFrames(*doc_, first, count);
    commit();
    clampCurrentFrame();
    r.ok = n > 0;
    r.changed |= n > 0;
    if (n > 0) r.status = strMessage(kMsgCountDelete, n);
    return r;
}

strEditResult cEditCommands::clearFrame() {
    strEditResult r;
    const bool ready = begin(r);
    const int i = current_;
    const bool done = ready && doc_->replaceFrame(i, &doc_->blankFrame());
    commit();
    r.ok = done;
    r.changed |= done;
    r.status = done ? strMessage(kMsgFrameCleared, i) : processingFailed();
    return r;
}

strEditResult cEditCommands::clearFrames(int first, int count) {
    strEditResult r;
    begin(r);
    int n = 0;
    const int cap = doc_->frames().capacity();
    const int end = std::clamp(first, 0, cap) + std::clamp(count, 0, cap);
    for (int k = std::max(first, 0); k < std::min(end, cap); ++k)
        if (doc_->frame(k) && doc_->replaceFrame(k, &doc_->blankFrame())) ++n;
    commit();
    r.ok = n > 0;
    r.changed |= n > 0;
    if (n > 0) r.status = strMessage(kMsgCountClear, n);
    return r;
}

strEditResult cEditCommands::copyFrame(int offset) {
    strEditResult r;
    const bool ready = begin(r);
    const int i = current_;
    const int source = i + offset;
    // Both frames must lie in 0..occupied frame count - 1.
    const int n = doc_->getSetting(kKeyFrameCount);
    bool done = ready && source >= 0 && source < n && i < n && doc_->frame(source);
    if (done) done = doc_->replaceFrame(i, doc_->frame(source)) && doc_->setFrameInterval(i, 0);
    commit();
    r.ok = done;
    r.changed |= done;
    r.status = done ? strMessage(kMsgFrameCopied, source, i) : processingFailed();
    return r;
}

strEditResult cEditCommands::copyFromPreviousFrame() {
    return copyFrame(-1);
}

strEditResult cEditCommands::copyFromNextFrame() {
    return copyFrame(+1);
}

strEditResult cEditCommands::completeFrame() {
    strEditResult r;
    const bool ready = begin(r);
    const int i = current_;
    int stored = 0;
    if (ready)
        for (int c = doc_->cellNumber() - 1; c >= 0; --c)
            if (CompleteCell(*doc_, i, c, config_->CompType)) ++stored;
    commit();
    r.ok = stored > 0;
    r.changed |= stored > 0;
    r.status = stored > 0 ? strMessage(kMsgFrameDone, i) : processingFailed();
    return r;
}

strEditResult cEditCommands::moveTo(int frame) {
    strEditResult r;
    if (frame != current_ && doc_->frame(frame)) {
        current_ = frame;
        r.ok = true;
        r.changed = true;
    }
    return r;
}

strEditResult cEditCommands::nextFrame() {
    strEditResult r;
    checkCurrentFrame(r);
    const int n = doc_->getSetting(kKeyFrameCount);
    if (current_ == n - 1 && config_->NewFrameFlag) {
        history_->open();
        const bool added = InsertBlankFrames(*doc_, n, 1) == 1;
        commit();
        if (added) {
            r.status = strMessage(kMsgFrameInserted, n);
            r.changed = true;
        }
    }
    strEditResult m = moveTo(current_ + 1);
    r.ok = m.ok;
    r.changed |= m.changed;
    return r;
}

strEditResult cEditCommands::previousFrame() {
    strEditResult r;
    checkCurrentFrame(r);
    strEditResult m = current_ >= 1 ? moveTo(current_ - 1) : strEditResult{};
    m.alert = r.alert;
    m.changed |= r.changed;
    return m;
}

strEditResult cEditCommands::firstFrame() {
    strEditResult r;
    checkCurrentFrame(r);
    strEditResult m = current_ >= 1 ? moveTo(0) : strEditResult{};
    m.alert = r.alert;
    m.changed |= r.changed;
    return m;
}

strEditResult cEditCommands::lastFrame() {
    strEditResult r;
    checkCurrentFrame(r);
    strEditResult m = moveTo(std::max(doc_->getSetting(kKeyFrameCount) - 1, 0));
    m.alert = r.alert;
    m.changed |= r.changed;
    return m;
}

// ---------------------------------------------------------------------------------------------
// Cell commands

strEditResult cEditCommands::completeSelectedCells() {
    strEditResult r;
    const bool ready = begin(r);
    int stored = 0;
    // Only selected cells that exist on the current frame are completed, so no cell is created
    // ("Complete selected cells").
    if (ready)
        for (int c : selection())
            if (CompleteCell(*doc_, current_, c, config_->CompType, true)) ++stored;
    commit();
    r.ok = stored > 0;
    r.changed |= stored > 0;
    if (stored > 0) r.status = strMessage(kMsgCountComplete, stored);
    return r;
}

strEditResult cEditCommands::deleteSelectedCells() {
    strEditResult r;
    const bool ready = begin(r);
    int deleted = 0;
    if (ready)
        for (int c : selection()) {
            if (!doc_->cell(current_, c) || !doc_->setCell(current_, c, nullptr)) continue;
            selected_[c] = 0;
            ++deleted;
        }
    commit();
    r.ok = deleted > 0;
    r.changed |= deleted > 0;
    if (deleted > 0) r.status = strMessage(kMsgCountDelete, deleted);
    return r;
}

strEditResult cEditCommands::moveCells(int direction) {
    strEditResult r;
    const bool ready = begin(r);
    std::vector<int> cells = selection();
    // To the foreground: from the highest down, so a block of adjacent cells moves as a whole;
    // to the background: from the lowest up.
    if (direction > 0) std::reverse(cells.begin(), cells.end());
    int moved = 0;
    // A selected cell that cannot move (at the edge of the row) holds back the selected cells
    // stacked against it, so that a block either moves as a whole or stays as it is.
    std::vector<uint8_t> held(selected_.size(), 0);
    if (ready)
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
            ++moved;
        }
    commit();
    r.ok = moved > 0;
    r.changed |= moved > 0;
    if (moved > 0) r.status = strMessage(direction > 0 ? kMsgCountForeground : kMsgCountBackground, moved);
    return r;
}

strEditResult cEditCommands::toForeground() {
    return moveCells(+1);
}

strEditResult cEditCommands::toBackground() {
    return moveCells(-1);
}

strEditResult cEditCommands::selectAll() {
    strEditResult r;
    checkCurrentFrame(r);
    const strFrame* f = doc_->frame(current_);
    bool allSelected = true;
    for (int c = 0; c < doc_->cellNumber(); ++c)
        if (f && f->cells.get(c) && !isSelected(c)) allSelected = false;
    const std::vector<uint8_t> before = selected_;
    for (int c = 0; c < static_cast<int>(selected_.size()); ++c)
        selected_[c] = !allSelected && f && f->cells.get(c) ? 1 : 0;
    r.ok = true;
    r.changed |= selected_ != before;
    return r;
}

// ---------------------------------------------------------------------------------------------
// Undo / Redo

strEditResult cEditCommands::undo() {
    return replayed(history_->undo(), kMsgUndone, kMsgCannotUndo);
}

strEditResult cEditCommands::redo() {
    return replayed(history_->redo(), kMsgRedone, kMsgCannotRedo);
}

strEditResult cEditCommands::replayed(bool ok, eMessageId done, eMessageId refused) {
    strEditResult r;
    r.ok = ok;
    r.status = strMessage(ok ? done : refused);
    if (ok) {
        r.changed = true;
        clampCurrentFrame();
    }
    return r;
}
