#include "game/mv_database.h"

#include "interchange/mv_animation.h"

#include <nlohmann/json.hpp>

namespace game {

namespace {

using ordered_json = nlohmann::ordered_json;

bool Fail(std::string* error, const std::string& why) {
    if (error) *error = why;
    return false;
}

bool IsSpace(uint8_t c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The end of the JSON value that starts at i (strings, nesting and scalars only; the value itself is
// checked by the parser). npos when the text ends inside it.
size_t ValueEnd(std::span<const uint8_t> t, size_t i) {
    int depth = 0;
    for (; i < t.size(); ++i) {
        const uint8_t c = t[i];
        if (c == '"') {
            for (++i; i < t.size() && t[i] != '"'; ++i)
                if (t[i] == '\\') ++i;
            if (i >= t.size()) return std::string_view::npos;
            if (depth == 0) return i + 1;
        } else if (c == '[' || c == '{') {
            ++depth;
        } else if (c == ']' || c == '}') {
            if (depth == 0) return i; // the end of the enclosing array
            if (--depth == 0) return i + 1;
        } else if (depth == 0 && (c == ',' || IsSpace(c))) {
            return i;
        }
    }
    return depth == 0 ? i : std::string_view::npos;
}

// Collects what the list shows of one element while the parser checks it.
class cEntrySax : public nlohmann::json_sax<nlohmann::json> {
  public:
    int depth = 0;
    bool object = false;
    int frames = 0;
    std::string name, pictures[2];

    bool null() override { return Value(); }
    bool boolean(bool) override { return Value(); }
    bool number_integer(number_integer_t) override { return Value(); }
    bool number_unsigned(number_unsigned_t) override { return Value(); }
    bool number_float(number_float_t, const string_t&) override { return Value(); }
    bool binary(binary_t&) override { return Value(); }
    bool string(string_t& s) override {
        if (depth == 1 && key_ == "name") name = s;
        if (depth == 1 && key_ == "animation1Name") pictures[0] = s;
        if (depth == 1 && key_ == "animation2Name") pictures[1] = s;
        return Value();
    }
    bool start_object(std::size_t) override {
        if (depth == 0) object = true;
        return Value() && Enter(false);
    }
    bool start_array(std::size_t) override { return Value() && Enter(depth == 1 && key_ == "frames"); }
    bool end_object() override { return Leave(); }
    bool end_array() override { return Leave(); }
    bool key(string_t& k) override {
        if (depth == 1) key_ = k;
        return true;
    }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& e) override {
        error = e.what();
        return false;
    }
    std::string error;

  private:
    bool Value() {
        if (inFrames_ && depth == 2) ++frames;
        return true;
    }
    bool Enter(bool frames) {
        if (++depth > cMvDatabase::kMaxDepth) {
            error = "values nested too deep";
            return false;
        }
        if (frames) inFrames_ = true;
        return true;
    }
    bool Leave() {
        if (depth == 2) inFrames_ = false;
        --depth;
        return true;
    }
    std::string key_;
    bool inFrames_ = false;
};

} // namespace

bool cMvDatabase::Parse(std::vector<uint8_t> bytes, std::string* error) {
    bytes_ = std::move(bytes);
    entries_.clear();
    std::span<const uint8_t> t(bytes_);
    size_t i = 0;
    if (t.size() >= 3 && t[0] == 0xEF && t[1] == 0xBB && t[2] == 0xBF) i = 3; // a UTF-8 byte order mark
    while (i < t.size() && IsSpace(t[i]))
        ++i;
    if (i >= t.size() || t[i] != '[') return Fail(error, "the file is not a JSON array");
    ++i;
    for (;;) {
        while (i < t.size() && IsSpace(t[i]))
            ++i;
        if (i >= t.size()) return Fail(error, "the JSON array is not closed");
        if (t[i] == ']' && entries_.empty()) break;
        strEntry e;
        e.start = i;
        e.end = ValueEnd(t, i);
        if (e.end == std::string_view::npos || e.end == i)
            return Fail(error, "a JSON value is cut or missing");
        cEntrySax sax;
        if (!nlohmann::json::sax_parse(t.subspan(e.start, e.end - e.start), &sax))
            return Fail(error,
                        "element " + std::to_string(entries_.size()) + " is not valid JSON: " + sax.error);
        e.object = sax.object;
        e.frames = sax.frames;
        e.name = std::move(sax.name);
        e.pictures[0] = std::move(sax.pictures[0]);
        e.pictures[1] = std::move(sax.pictures[1]);
        entries_.push_back(std::move(e));
        i = entries_.back().end;
        while (i < t.size() && IsSpace(t[i]))
            ++i;
        if (i < t.size() && t[i] == ',') {
            ++i;
            continue;
        }
        if (i < t.size() && t[i] == ']') break;
        return Fail(error, "the JSON array is not closed");
    }
    for (++i; i < t.size(); ++i)
        if (!IsSpace(t[i])) return Fail(error, "text follows the JSON array");
    return true;
}

int cMvDatabase::LastId() const {
    return entries_.empty() ? 0 : static_cast<int>(entries_.size() - 1);
}

std::vector<strGameAnimation> cMvDatabase::List(const std::string&) const {
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

bool cMvDatabase::Read(int id, cProject& doc, const std::string& locale, std::string* error) const {
    if (id < 1 || id > LastId() || !entries_[size_t(id)].object)
        return Fail(error, "animation " + std::to_string(id) + " is empty");
    const strEntry& e = entries_[size_t(id)];
    std::string payload = "[" + std::string(Text(e)) + "]";
    if (e.frames == 0) {
        // An animation without frames reads as one empty frame (the clipboard import wants one).
        ordered_json j = ordered_json::parse(Text(e), nullptr, false);
        if (j.is_object()) j["frames"] = ordered_json::array({ordered_json::array()});
        payload = "[" + j.dump(-1, ' ', false, ordered_json::error_handler_t::replace) + "]";
    }
    std::string why;
    if (PKMV::ReadMvPayload({reinterpret_cast<const uint8_t*>(payload.data()), payload.size()}, doc, locale,
                            &why) != 1)
        return Fail(error, "animation " + std::to_string(id) + " cannot be read: " + why);
    return true;
}

bool cMvDatabase::Write(const cProject& doc, int id, const strNameChoice& name, const std::string& locale,
                        std::vector<uint8_t>& out, std::string* error) {
    if (id < 1 || id > LastId() + 1) return Fail(error, "there is no animation " + std::to_string(id));
    std::string payload;
    if (PKMV::BuildMvPayload(doc, locale, payload) != 1)
        return Fail(error, "the animation cannot be written");
    const ordered_json written = ordered_json::parse(payload, nullptr, false);
    if (!written.is_array() || written.empty() || !written[0].is_object())
        return Fail(error, "the written animation does not read back");
    const ordered_json& fresh = written[0];

    const bool replace = id <= LastId() && entries_[size_t(id)].object;
    ordered_json element = replace ? ordered_json::parse(Text(entries_[size_t(id)]), nullptr, false)
                                   : ordered_json::object({{"id", id}});
    if (!element.is_object()) return Fail(error, "animation " + std::to_string(id) + " is not an object");
    for (const auto& [key, value] : fresh.items()) {
        if (key == "id" || (key == "name" && name.keep && replace)) continue;
        element[key] = value;
    }
    element["id"] = id;
    if (!name.keep) element["name"] = name.utf8;
    const std::string line = element.dump(-1, ' ', false, ordered_json::error_handler_t::replace);

    size_t cut = 0, resume = 0;
    std::string insert = line;
    if (id <= LastId()) {
        cut = entries_[size_t(id)].start;
        resume = entries_[size_t(id)].end;
    } else if (entries_.empty()) {
        cut = resume = static_cast<size_t>(std::find(bytes_.begin(), bytes_.end(), '[') - bytes_.begin()) + 1;
        insert = "\n" + line + "\n";
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
    return true;
}

} // namespace game
