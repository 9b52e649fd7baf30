#include "document/message_table.h"

#include <algorithm>

const strMessageEntry* cMessageTable::find(int id) const {
    if (entries_.empty()) return nullptr;
    // Most tables number their entries without gaps from the first.
    const long long at = static_cast<long long>(id) - entries_.front().id;
    if (at >= 0 && at < static_cast<long long>(entries_.size()) && entries_[size_t(at)].id == id)
        return &entries_[size_t(at)];
    const auto it = std::lower_bound(entries_.begin(), entries_.end(), id,
                                     [](const strMessageEntry& e, int wanted) { return e.id < wanted; });
    return it != entries_.end() && it->id == id ? &*it : nullptr;
}

const char* cMessageTable::text(int id) const {
    const strMessageEntry* e = find(id);
    return e ? e->text : "";
}

eMessageKind cMessageTable::kind(int id) const {
    const strMessageEntry* e = find(id);
    return e ? e->kind : eMessageKind::kNone;
}

const char* cMessageTable::name(int id) const {
    const strMessageEntry* e = find(id);
    return e ? e->name : "";
}
