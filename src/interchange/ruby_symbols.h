#pragma once
// The symbol tables of the Marshal codec and the name tables of the reader.
// Symbol texts are kept as UTF-8 (the original kept UTF-16; every symbol the mapping uses is ASCII).

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ruby {

// Write symbol table: symbol text -> index. A value i >= 0 means the symbol was written with index
// i; a negative value ~i means index i is reserved for it but it has not been written yet. New
// indices are the number of entries at the moment of insertion, so reserved and written symbols draw
// from one sequence. Shared by every writer of one export.
class cWriteSymbols {
  public:
    void clear() { map_.clear(); }
    size_t size() const { return map_.size(); }
    // The entry's value, or nullptr when the text is unknown.
    int32_t* find(std::string_view text) {
        auto it = map_.find(std::string(text));
        return it == map_.end() ? nullptr : &it->second;
    }
    // Inserts the text with the next index (written: i, reserved: ~i) and returns the index.
    int32_t insert(std::string_view text, bool reserved) {
        int32_t i = static_cast<int32_t>(map_.size());
        map_.emplace(std::string(text), reserved ? ~i : i);
        return i;
    }

  private:
    std::unordered_map<std::string, int32_t> map_;
};

// Read symbol table: index -> text, indices in order of definition. Shared for one import.
class cReadSymbols {
  public:
    void clear() { texts_.clear(); }
    int32_t size() const { return static_cast<int32_t>(texts_.size()); }
    int32_t add(std::string text) {
        texts_.push_back(std::move(text));
        return size() - 1;
    }
    // The text stored under index i; empty when none is.
    const std::string& get(int32_t i) const {
        static const std::string kEmpty;
        return i >= 0 && i < size() ? texts_[static_cast<size_t>(i)] : kEmpty;
    }
    // Forgets the entries from index n on (used when the reader steps back over a value).
    void truncate(int32_t n) {
        if (n >= 0 && n < size()) texts_.resize(static_cast<size_t>(n));
    }

  private:
    std::vector<std::string> texts_;
};

// Name table: symbol text -> non-zero identifier. The tables and their identifiers are the schema of
// the animation mapping.
class cNameTable {
  public:
    cNameTable() = default;
    cNameTable(std::initializer_list<std::pair<const std::string, int>> names) : map_(names) {}
    void add(const std::string& text, int id) { map_[text] = id; }
    // The identifier, 0 when the text is unknown.
    int find(const std::string& text) const {
        auto it = map_.find(text);
        return it == map_.end() ? 0 : it->second;
    }
    void clear() { map_.clear(); }

  private:
    std::unordered_map<std::string, int> map_;
};

} // namespace ruby
