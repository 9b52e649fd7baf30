#include "game/mv_element_scan.h"

#include <nlohmann/json.hpp>

#include <string_view>

namespace game {

namespace {

bool IsSpace(uint8_t c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool IsDigit(uint8_t c) {
    return c >= '0' && c <= '9';
}

int HexDigit(uint8_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Integer digits past which a number might not fit a double (the parser refuses an infinite one).
constexpr int kSafeDigits = 300;

// One pass of strict JSON over an element. Every function returns false for "not sure": the text may
// be invalid, or valid in a way this pass leaves to the parser.
class cQuickScanner {
  public:
    cQuickScanner(std::span<const uint8_t> text, size_t pos) : t_(text), pos_(pos) {}

    bool element(strMvElement& out) {
        if (pos_ >= t_.size()) return false;
        out = strMvElement{};
        if (t_[pos_] == '{') {
            out.object = true;
            if (!object(1, &out)) return false;
        } else if (!value(0)) {
            return false;
        }
        out.end = pos_;
        // What may follow an element of the array; anything else is left to the parser's message.
        return pos_ < t_.size() && (IsSpace(t_[pos_]) || t_[pos_] == ',' || t_[pos_] == ']');
    }

  private:
    void space() {
        while (pos_ < t_.size() && IsSpace(t_[pos_]))
            ++pos_;
    }
    bool take(uint8_t c) {
        if (pos_ >= t_.size() || t_[pos_] != c) return false;
        ++pos_;
        return true;
    }

    bool value(int depth) {
        if (pos_ >= t_.size()) return false;
        switch (t_[pos_]) {
        case '{':
            return object(depth + 1, nullptr);
        case '[': {
            int count = 0;
            return array(depth + 1, count);
        }
        case '"': {
            bool escaped = false;
            return string(escaped);
        }
        case 't':
            return word("true");
        case 'f':
            return word("false");
        case 'n':
            return word("null");
        default:
            return number();
        }
    }

    bool word(std::string_view w) {
        if (t_.size() - pos_ < w.size() ||
            std::string_view(reinterpret_cast<const char*>(t_.data()) + pos_, w.size()) != w)
            return false;
        pos_ += w.size();
        return true;
    }

    // -?(0|[1-9][0-9]*)(\.[0-9]+)? ; exponents are left to the parser (they may overflow).
    bool number() {
        take('-');
        if (pos_ >= t_.size() || !IsDigit(t_[pos_])) return false;
        if (t_[pos_] == '0') {
            ++pos_;
        } else {
            const size_t first = pos_;
            while (pos_ < t_.size() && IsDigit(t_[pos_]))
                ++pos_;
            if (pos_ - first > kSafeDigits) return false;
        }
        if (take('.')) {
            if (pos_ >= t_.size() || !IsDigit(t_[pos_])) return false;
            while (pos_ < t_.size() && IsDigit(t_[pos_]))
                ++pos_;
        }
        return pos_ >= t_.size() || (t_[pos_] != 'e' && t_[pos_] != 'E');
    }

    // A string from its opening quote; escaped tells whether its text differs from its bytes.
    bool string(bool& escaped) {
        escaped = false;
        ++pos_;
        while (pos_ < t_.size()) {
            const uint8_t c = t_[pos_];
            if (c == '"') {
                ++pos_;
                return true;
            }
            if (c < 0x20) return false;
            if (c == '\\') {
                escaped = true;
                if (!escape()) return false;
            } else if (c < 0x80) {
                ++pos_;
            } else if (!utf8()) {
                return false;
            }
        }
        return false;
    }

    bool escape() {
        if (t_.size() - pos_ < 2) return false;
        const uint8_t e = t_[pos_ + 1];
        if (e != 'u') {
            pos_ += 2;
            return std::string_view("\"\\/bfnrt").find(char(e)) != std::string_view::npos;
        }
        if (t_.size() - pos_ < 6) return false;
        int code = 0;
        for (size_t k = 2; k < 6; ++k) {
            const int d = HexDigit(t_[pos_ + k]);
            if (d < 0) return false;
            code = code * 16 + d;
        }
        pos_ += 6;
        return code < 0xD800 || code > 0xDFFF; // surrogate pairs are left to the parser
    }

    // One well-formed UTF-8 sequence of two to four bytes (no overlong forms, no surrogates, at most
    // U+10FFFF).
    bool utf8() {
        const uint8_t c = t_[pos_];
        int n = 0;
        uint8_t lo = 0x80, hi = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            n = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            n = 2;
            if (c == 0xE0) lo = 0xA0;
            if (c == 0xED) hi = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            n = 3;
            if (c == 0xF0) lo = 0x90;
            if (c == 0xF4) hi = 0x8F;
        } else {
            return false;
        }
        if (t_.size() - pos_ <= size_t(n)) return false;
        for (int k = 1; k <= n; ++k) {
            const uint8_t b = t_[pos_ + size_t(k)];
            if (b < (k == 1 ? lo : 0x80) || b > (k == 1 ? hi : 0xBF)) return false;
        }
        pos_ += size_t(n) + 1;
        return true;
    }

    // After '[' or '{' was seen at pos_.
    bool array(int depth, int& count) {
        if (depth > kMvMaxDepth) return false;
        ++pos_;
        space();
        if (take(']')) return true;
        for (;;) {
            if (!value(depth)) return false;
            ++count;
            space();
            if (take(']')) return true;
            if (!take(',')) return false;
            space();
        }
    }

    // top: the element itself, whose name, pictures and frames are collected.
    bool object(int depth, strMvElement* top) {
        if (depth > kMvMaxDepth) return false;
        ++pos_;
        space();
        if (take('}')) return true;
        for (;;) {
            if (pos_ >= t_.size() || t_[pos_] != '"') return false;
            const size_t keyStart = pos_ + 1;
            bool escaped = false;
            if (!string(escaped)) return false;
            const std::string_view key(reinterpret_cast<const char*>(t_.data()) + keyStart,
                                       pos_ - 1 - keyStart);
            space();
            if (!take(':')) return false;
            space();
            if (top && !member(escaped, key, depth, *top)) return false;
            if (!top && !value(depth)) return false;
            space();
            if (take('}')) return true;
            if (!take(',')) return false;
            space();
        }
    }

    // A member of the element: the texts and frames the list shows are taken.
    bool member(bool escapedKey, std::string_view key, int depth, strMvElement& top) {
        if (escapedKey) return false; // its text is not its bytes
        std::string* text = key == "name"             ? &top.name
                            : key == "animation1Name" ? &top.pictures[0]
                            : key == "animation2Name" ? &top.pictures[1]
                                                      : nullptr;
        if (text && pos_ < t_.size() && t_[pos_] == '"') {
            const size_t start = pos_ + 1;
            bool escaped = false;
            if (!string(escaped) || escaped) return false;
            text->assign(reinterpret_cast<const char*>(t_.data()) + start, pos_ - 1 - start);
            return true;
        }
        if (key == "frames" && pos_ < t_.size() && t_[pos_] == '[') return array(depth + 1, top.frames);
        return value(depth);
    }

    std::span<const uint8_t> t_;
    size_t pos_;
};

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
    strMessage error;

    bool null() override { return value(); }
    bool boolean(bool) override { return value(); }
    bool number_integer(number_integer_t) override { return value(); }
    bool number_unsigned(number_unsigned_t) override { return value(); }
    bool number_float(number_float_t, const string_t&) override { return value(); }
    bool binary(binary_t&) override { return value(); }
    bool string(string_t& s) override {
        if (depth == 1 && key_ == "name") name = s;
        if (depth == 1 && key_ == "animation1Name") pictures[0] = s;
        if (depth == 1 && key_ == "animation2Name") pictures[1] = s;
        return value();
    }
    bool start_object(std::size_t) override {
        if (depth == 0) object = true;
        return value() && enter(false);
    }
    bool start_array(std::size_t) override { return value() && enter(depth == 1 && key_ == "frames"); }
    bool end_object() override { return leave(); }
    bool end_array() override { return leave(); }
    bool key(string_t& k) override {
        if (depth == 1) key_ = k;
        return true;
    }
    bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception&) override {
        error = strMessage(kMvNotJsonAt, static_cast<long long>(position));
        return false;
    }

  private:
    bool value() {
        if (inFrames_ && depth == 2) ++frames;
        return true;
    }
    bool enter(bool frames) {
        if (++depth > kMvMaxDepth) {
            error = strMessage(kMarshalTooDeep);
            return false;
        }
        if (frames) inFrames_ = true;
        return true;
    }
    bool leave() {
        if (depth == 2) inFrames_ = false;
        --depth;
        return true;
    }
    std::string key_;
    bool inFrames_ = false;
};

} // namespace

eQuickScan QuickScanMvElement(std::span<const uint8_t> text, size_t start, strMvElement& out) {
    return cQuickScanner(text, start).element(out) ? eQuickScan::kValid : eQuickScan::kUnsure;
}

bool ParseMvElement(std::span<const uint8_t> text, size_t start, strMvElement& out, strMessage* error) {
    out = strMvElement{};
    const size_t end = ValueEnd(text, start);
    if (end == std::string_view::npos || end == start) {
        if (error) *error = strMessage(kMvValueCut);
        return false;
    }
    cEntrySax sax;
    bool parsed = false;
    try {
        parsed = nlohmann::json::sax_parse(text.subspan(start, end - start), &sax);
    } catch (const std::exception&) { // the parser reports through the sax; this is a last guard
        sax.error = strMessage(kMvNotJson);
    }
    if (!parsed) {
        if (error) *error = sax.error.none() ? strMessage(kMvNotJson) : sax.error;
        return false;
    }
    out.end = end;
    out.object = sax.object;
    out.frames = sax.frames;
    out.name = std::move(sax.name);
    out.pictures[0] = std::move(sax.pictures[0]);
    out.pictures[1] = std::move(sax.pictures[1]);
    return true;
}

bool ScanMvElement(std::span<const uint8_t> text, size_t start, strMvElement& out, strMessage* error) {
    return QuickScanMvElement(text, start, out) == eQuickScan::kValid ||
           ParseMvElement(text, start, out, error);
}

} // namespace game
