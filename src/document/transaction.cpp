#include "document/transaction.h"

#include "document/project.h"
#include "document/restore.h"

cTransaction::cTransaction(cProject& doc, strMessage label) : doc_(doc) {
    if (!doc_.pending_) {
        doc_.pending_ = std::make_unique<cRestoreObj>();
        doc_.pending_->label = std::move(label);
        outermost_ = true;
    } else {
        mark_ = doc_.pending_->records.size();
    }
}

cTransaction::~cTransaction() {
    rollback();
}

bool cTransaction::recorded() const {
    return open_ && doc_.pending_ && doc_.pending_->records.size() > mark_;
}

void cTransaction::setLabel(strMessage label) {
    if (open_ && outermost_) doc_.pending_->label = std::move(label);
}

bool cTransaction::commit() {
    if (!open_) return false;
    const bool changed = recorded();
    open_ = false;
    if (!outermost_) return changed;
    std::unique_ptr<cRestoreObj> step = std::move(doc_.pending_);
    if (!changed) return false;
    const unsigned changes = step->changes();
    doc_.history_.push(std::move(step));
    doc_.announce(changes | kDocHistory);
    return true;
}

void cTransaction::rollback() {
    if (!open_) return;
    open_ = false;
    cRestoreObj& step = *doc_.pending_;
    // Replaying the records through the primitives must not record them again.
    doc_.replaying_ = true;
    step.apply(doc_, cRestore::kUndo, mark_);
    doc_.replaying_ = false;
    step.records.resize(mark_);
    if (outermost_) doc_.pending_.reset();
}
