#include "document/history.h"

#include "document/project.h"
#include "document/restore.h"

#include <algorithm>

namespace {

int clampDepth(int d) {
    return std::clamp(d, 0, cHistory::kMaxDepth);
}

} // namespace

cHistory::cHistory(cProject& doc, int depth) : doc_(doc), depth_(clampDepth(depth)) {}

cHistory::~cHistory() = default;

uint64_t cHistory::state() const {
    return undo_.empty() ? base_ : undo_.front()->serial;
}

void cHistory::clear(int depth) {
    if (depth >= 0) depth_ = clampDepth(depth);
    base_ = state();
    undo_.clear();
    redo_.clear();
}

void cHistory::trim() {
    while (undo_.size() > static_cast<size_t>(depth_)) {
        base_ = undo_.back()->serial;
        undo_.pop_back();
    }
}

void cHistory::push(std::unique_ptr<cRestoreObj> step) {
    step->serial = nextSerial_++;
    redo_.clear();
    undo_.push_front(std::move(step));
    trim();
}

const cRestoreObj* cHistory::undo() {
    if (undo_.empty() || doc_.inTransaction()) return nullptr;
    std::unique_ptr<cRestoreObj> step = std::move(undo_.front());
    undo_.pop_front();
    // No transaction is open while replaying, so the primitives record nothing.
    step->apply(doc_, cRestore::kUndo);
    redo_.push_front(std::move(step));
    doc_.announce(redo_.front()->changes() | kDocHistory);
    return redo_.front().get();
}

const cRestoreObj* cHistory::redo() {
    if (redo_.empty() || doc_.inTransaction()) return nullptr;
    std::unique_ptr<cRestoreObj> step = std::move(redo_.front());
    redo_.pop_front();
    step->apply(doc_, cRestore::kRedo);
    undo_.push_front(std::move(step));
    doc_.announce(undo_.front()->changes() | kDocHistory);
    return undo_.front().get();
}

const strMessage* cHistory::undoLabel() const {
    return undo_.empty() ? nullptr : &undo_.front()->label;
}

const strMessage* cHistory::redoLabel() const {
    return redo_.empty() ? nullptr : &redo_.front()->label;
}

size_t cHistory::recordBytes() const {
    size_t s = 0;
    for (const auto& st : undo_)
        s += st->size();
    for (const auto& st : redo_)
        s += st->size();
    return s;
}

size_t cHistory::recordCount() const {
    size_t n = 0;
    for (const auto& st : undo_)
        n += st->records.size();
    for (const auto& st : redo_)
        n += st->records.size();
    return n;
}
