#include "game/mv_database.h"

#include "interchange/mv_animation.h"

#include <algorithm>
#include <cstring>

#include <nlohmann/json.hpp>

namespace game {

namespace {

using ordered_json = nlohmann::ordered_json;

bool Fail(strMessage* error, strMessage why) {
    if (error) *error = std::move(why);
    return false;
}

bool IsSpace(uint8_t c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

} // namespace

bool cMvDatabase::parse(std::vector<uint8_t> bytes, strMessage* error) {
    bytes_ = std::move(bytes);
    entries_.clear();
    lastWrite_.reset();
    std::span<const uint8_t> t(bytes_);
    size_t i = 0;
    if (t.size() >= 3 && t[0] == 0xEF && t[1] == 0xBB && t[2] == 0xBF) i = 3; // a UTF-8 byte order mark
    while (i < t.size() && IsSpace(t[i]))
        ++i;
    if (i >= t.size() || t[i] != '[') return Fail(error, strMessage(kGameDbNotJsonArray));
    ++i;
    for (;;) {
        while (i < t.size() && IsSpace(t[i]))
            ++i;
        if (i >= t.size()) return Fail(error, strMessage(kGameDbArrayOpen));
        if (t[i] == ']' && entries_.empty()) break;
        strEntry e;
        e.start = i;
        strMessage why;
        if (!ScanMvElement(t, i, e, &why))
            return Fail(error, strMessage(kGameDbElement, entries_.size(), why));
        entries_.push_back(std::move(e));
        i = entries_.back().end;
        while (i < t.size() && IsSpace(t[i]))
            ++i;
        if (i < t.size() && t[i] == ',') {
            ++i;
            continue;
        }
        if (i < t.size() && t[i] == ']') break;
        return Fail(error, strMessage(kGameDbArrayOpen));
    }
    for (++i; i < t.size(); ++i)
        if (!IsSpace(t[i])) return Fail(error, strMessage(kGameDbTextAfterArray));
    return true;
}

int cMvDatabase::lastId() const {
    return entries_.empty() ? 0 : static_cast<int>(entries_.size() - 1);
}

std::vector<strGameAnimation> cMvDatabase::list(const std::string&) const {
    std::vector<strGameAnimation> out;
    for (size_t id = 1; id < entries_.size(); ++id) {
        const strEntry& e = entries_[id];
        strGameAnimation a;
        a.id = static_cast<int>(id);
        a.empty = !e.object;
        a.name = e.name;
        a.frames = e.frames;
        for (const std::string& p : e.pictures)
            if (!p.empty()) a.pictures.push_back(p);
        out.push_back(std::move(a));
    }
    return out;
}

bool cMvDatabase::read(int id, cProject& doc, const std::string& locale, strMessage* error) const {
    if (id < 1 || id > lastId() || !entries_[size_t(id)].object)
        return Fail(error, strMessage(kGameDbEmpty, id));
    const strEntry& e = entries_[size_t(id)];
    std::string payload = "[" + std::string(text(e)) + "]";
    if (e.frames == 0) {
        // An animation without frames reads as one empty frame (the clipboard import wants one).
        ordered_json j = ordered_json::parse(text(e), nullptr, false);
        if (j.is_object()) j["frames"] = ordered_json::array({ordered_json::array()});
        payload = "[" + j.dump(-1, ' ', false, ordered_json::error_handler_t::replace) + "]";
    }
    strMessage why;
    if (mv::ReadMvPayload({reinterpret_cast<const uint8_t*>(payload.data()), payload.size()}, doc, locale,
                          &why) != 1)
        return Fail(error, strMessage(kGameDbUnreadable, id, why));
    return true;
}

bool cMvDatabase::write(const cProject& doc, int id, const strNameChoice& name, const std::string& locale,
                        std::vector<uint8_t>& out, strMessage* error) {
    lastWrite_.reset();
    if (id < 1 || id > lastId() + 1) return Fail(error, strMessage(kGameDbNoSuchAnimation, id));
    std::string payload;
    if (mv::BuildMvPayload(doc, locale, payload) != 1) return Fail(error, strMessage(kGameDbCannotWrite));
    const ordered_json written = ordered_json::parse(payload, nullptr, false);
    if (!written.is_array() || written.empty() || !written[0].is_object())
        return Fail(error, strMessage(kGameDbNotReadBack));
    const ordered_json& fresh = written[0];

    const bool replace = id <= lastId() && entries_[size_t(id)].object;
    ordered_json element = replace ? ordered_json::parse(text(entries_[size_t(id)]), nullptr, false)
                                   : ordered_json::object({{"id", id}});
    if (!element.is_object()) return Fail(error, strMessage(kGameDbNotObject, id));
    for (const auto& [key, value] : fresh.items()) {
        if (key == "id" || (key == "name" && name.keep && replace)) continue;
        element[key] = value;
    }
    element["id"] = id;
    if (!name.keep) element["name"] = name.utf8;
    const std::string line = element.dump(-1, ' ', false, ordered_json::error_handler_t::replace);

    size_t cut = 0, resume = 0;
    std::string insert = line;
    if (id <= lastId()) {
        cut = entries_[size_t(id)].start;
        resume = entries_[size_t(id)].end;
    } else if (entries_.empty()) {
        cut = resume = static_cast<size_t>(std::find(bytes_.begin(), bytes_.end(), '[') - bytes_.begin()) + 1;
        insert = "\nnull,\n" + line + "\n"; // element 0 is null; the new one is element 1
    } else {
        // After the last element, with the separator the file puts between elements.
        std::string separator = ",\n";
        if (entries_.size() >= 2)
            separator.assign(reinterpret_cast<const char*>(bytes_.data()) + entries_[entries_.size() - 2].end,
                             entries_.back().start - entries_[entries_.size() - 2].end);
        cut = resume = entries_.back().end;
        insert = separator + line;
    }
    out.clear();
    out.reserve(bytes_.size() + insert.size());
    out.insert(out.end(), bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(cut));
    out.insert(out.end(), insert.begin(), insert.end());
    out.insert(out.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(resume), bytes_.end());
    lastWrite_ = strSplice{id, cut, resume, insert.size()};
    return true;
}

std::unique_ptr<cAnimationDatabase> cMvDatabase::parseWritten(std::vector<uint8_t> out, strMessage* error) {
    auto db = std::make_unique<cMvDatabase>();
    // Where the rest of out is not this file's bytes as they were checked, out is parsed whole.
    const strSplice* w = lastWrite_ ? &*lastWrite_ : nullptr;
    const bool spliced = w && !entries_.empty() &&
                         out.size() == bytes_.size() - (w->resume - w->cut) + w->inserted &&
                         std::equal(bytes_.begin(), bytes_.begin() + std::ptrdiff_t(w->cut), out.begin()) &&
                         std::equal(bytes_.begin() + std::ptrdiff_t(w->resume), bytes_.end(),
                                    out.begin() + std::ptrdiff_t(w->cut + w->inserted));
    if (!spliced) {
        if (!db->parse(std::move(out), error)) return nullptr;
        return db;
    }
    db->bytes_ = std::move(out);
    db->entries_ = entries_;
    std::span<const uint8_t> t(db->bytes_);
    const size_t newEnd = w->cut + w->inserted;
    size_t i = w->cut;
    if (size_t(w->id) == entries_.size()) {
        // Added after the last element: a separator, then the element.
        while (i < newEnd && IsSpace(t[i]))
            ++i;
        if (i >= newEnd || t[i] != ',') {
            Fail(error, strMessage(kGameDbNotSeparated));
            return nullptr;
        }
        for (++i; i < newEnd && IsSpace(t[i]);)
            ++i;
        db->entries_.emplace_back();
    }
    strEntry& e = db->entries_[size_t(w->id)];
    e.start = i;
    strMessage why;
    if (!ScanMvElement(t, i, e, &why) || e.end != newEnd) {
        const strMessage what(kGameDbNotOneValue, w->id);
        Fail(error, why.none() ? what : strMessage(kWhyBecause, what, why));
        return nullptr;
    }
    const std::ptrdiff_t shift = std::ptrdiff_t(w->inserted) - std::ptrdiff_t(w->resume - w->cut);
    for (size_t k = size_t(w->id) + 1; k < db->entries_.size(); ++k) {
        db->entries_[k].start = size_t(std::ptrdiff_t(db->entries_[k].start) + shift);
        db->entries_[k].end = size_t(std::ptrdiff_t(db->entries_[k].end) + shift);
    }
    return db;
}

} // namespace game
