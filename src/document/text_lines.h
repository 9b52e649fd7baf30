#pragma once
// Line and field reading shared by the text project format and the legacy line format.
// A physical line ends at LF, CR or CR LF (or at the end of the data). Only the first
// `limit` bytes of a physical line are its content, and a NUL cuts the content short; the rest of
// the physical line is consumed with it, so the tail of an over-long line is never read as the
// next line. Fields are split at commas only; numbers are read like the C library's decimal
// conversion (leading blanks, optional sign, digits up to the first other character; no digits
// gives 0), saturating at the int range.

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <span>
#include <string_view>
#include <vector>

namespace anime {

class cTextLineReader {
  public:
    cTextLineReader(std::span<const uint8_t> data, size_t limit) : data_(data), limit_(limit) {}

    // The next line's content; false at the end of the data (no line left).
    bool next(std::string_view& line) {
        if (pos_ >= data_.size()) return false;
        const char* base = reinterpret_cast<const char*>(data_.data());
        const size_t start = pos_;
        size_t end = start;
        while (end < data_.size() && data_[end] != '\n' && data_[end] != '\r')
            ++end;
        pos_ = end;
        if (pos_ < data_.size()) {
            if (data_[pos_] == '\r' && pos_ + 1 < data_.size() && data_[pos_ + 1] == '\n') ++pos_;
            ++pos_;
        }
        size_t n = std::min(end - start, limit_);
        for (size_t i = 0; i < n; ++i)
            if (base[start + i] == '\0') {
                n = i;
                break;
            }
        line = std::string_view(base + start, n);
        ++lineNumber_;
        return true;
    }
    // 1-based number of the line last returned by next().
    int lineNumber() const { return lineNumber_; }

  private:
    std::span<const uint8_t> data_;
    size_t limit_;
    size_t pos_ = 0;
    int lineNumber_ = 0;
};

// A line split at commas. An empty line has no fields. Short lines need no allocation.
class cTextFields {
  public:
    explicit cTextFields(std::string_view line, size_t maxFields = std::numeric_limits<size_t>::max()) {
        if (line.empty() || maxFields == 0) return;
        const char* p = line.data();
        const char* const end = p + line.size();
        for (const char* start = p;; ++p) {
            if (p == end || *p == ',') {
                push(std::string_view(start, static_cast<size_t>(p - start)));
                if (p == end || count_ >= maxFields) break;
                start = p + 1;
            }
        }
    }

    size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    // The text of field i; empty when the line has fewer fields.
    std::string_view text(size_t i) const {
        if (i >= count_) return {};
        return i < kInline ? inline_[i] : overflow_[i - kInline];
    }
    // A field is given when it exists and is not empty.
    bool given(size_t i) const { return !text(i).empty(); }
    // The number in field i, or fallback when the field is not given.
    int number(size_t i, int fallback) const { return given(i) ? toNumber(text(i)) : fallback; }

    // Decimal conversion as described above, saturating at ±INT_MAX.
    static int toNumber(std::string_view s) {
        size_t i = 0;
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\v' || s[i] == '\f'))
            ++i;
        bool negative = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
        constexpr int64_t kMax = std::numeric_limits<int>::max();
        int64_t v = 0;
        for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i)
            v = std::min<int64_t>(v * 10 + (s[i] - '0'), kMax);
        return static_cast<int>(negative ? -v : v);
    }

  private:
    void push(std::string_view field) {
        if (count_ < kInline)
            inline_[count_] = field;
        else
            overflow_.push_back(field);
        ++count_;
    }

    static constexpr size_t kInline = 16;
    std::array<std::string_view, kInline> inline_;
    std::vector<std::string_view> overflow_; // fields after the first kInline (the lock record)
    size_t count_ = 0;
};

} // namespace anime
