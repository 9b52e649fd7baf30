#include "document/history.h"

#include "document/project.h"
#include "document/restore.h"

#include <algorithm>

namespace {

int clampDepth(int d) { return std::clamp(d, 0, cHistory::kMaxDepth); }

}  // namespace

cHistory::cHistory(int depth) : depth_(clampDepth(depth)) {}

cHistory::~cHistory() {
    if (doc_) doc_->setHistoryClearHook(nullptr);
}

void cHistory::attach(cProject* doc) {
    if (doc_) {
        doc_->setHistoryClearHook(nullptr);
        doc_->takePendingStep();
    }
    doc_ = doc;
    clear();
    if (doc_) {
        doc_->takePendingStep();
        doc_->setHistoryClearHook([this] { onDocumentClear(); });
    }
}

void cHistory::onDocumentClear() { clear(); }

void cHistory::clear(int depth) {
    if (depth >= 0) depth_ = clampDepth(depth);
    undo_.clear();
    redo_.clear();
}

bool cHistory::open() {
    if (!doc_) return false;
    doc_->takePendingStep();
    if (depth_ < 1) return false;
    doc_->setPendingStep(std::make_unique<cRestoreObj>());
    return true;
}

bool cHistory::isOpen() const { return doc_ && doc_->pendingStep(); }

bool cHistory::close(bool commit) {
    if (!doc_) return false;
    std::unique_ptr<cRestoreObj> step = doc_->takePendingStep();
    if (!step || !commit || !step->valid || step->empty() || depth_ < 1) return false;
    redo_.clear();
    undo_.push_front(std::move(step));
    while (undo_.size() > static_cast<size_t>(depth_)) undo_.pop_back();
    return true;
}

bool cHistory::undo() {
    if (!doc_) return false;
    close(false);
    if (undo_.empty()) return false;
    std::unique_ptr<cRestoreObj> step = std::move(undo_.front());
    undo_.pop_front();
    // No step is open while replaying, so the primitives record nothing.
    for (auto& r : step->records) r->apply(*doc_, cRestore::kUndo);
    redo_.push_front(std::move(step));
    return true;
}

bool cHistory::redo() {
    if (!doc_) return false;
    close(false);
    if (redo_.empty()) return false;
    std::unique_ptr<cRestoreObj> step = std::move(redo_.front());
    redo_.pop_front();
    for (auto it = step->records.rbegin(); it != step->records.rend(); ++it) (*it)->apply(*doc_, cRestore::kRedo);
    undo_.push_front(std::move(step));
    return true;
}

size_t cHistory::recordBytes() const {
    size_t s = 0;
    for (const auto& st : undo_) s += st->size();
    for (const auto& st : redo_) s += st->size();
    return s;
}

size_t cHistory::recordCount() const {
    size_t n = 0;
    for (const auto& st : undo_) n += st->records.size();
    for (const auto& st : redo_) n += st->records.size();
    return n;
}

int cHistory::CompactFrames(cProject& doc) {
    auto& frames = doc.frames();
    int moved = 0;
    int to = 0;
    for (int from = 0; from < frames.capacity(); ++from) {
        if (!frames.get(from)) continue;
        if (from != to) {
            frames.set(to, frames.take(from));
            ++moved;
        }
        ++to;
    }
    if (moved) doc.setModified(true);
    return moved;
}

void cHistory::repairFrames(int* currentFrame) {
    if (!doc_) return;
    doc_->takePendingStep();
    clear();
    CompactFrames(*doc_);
    auto& frames = doc_->frames();
    if (frames.occupied() == 0 && frames.capacity() > 0) {
        frames.setCopy(0, doc_->blankFrame());
        doc_->setModified(true);
    }
    if (currentFrame) *currentFrame = std::clamp(*currentFrame, 0, std::max(frames.count() - 1, 0));
}
