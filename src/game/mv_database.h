#pragma once
// cMvDatabase: data/Animations.json of RPG Maker MV, a JSON array [null, {...}, ...] that MV writes
// one element a line. Element n is the animation with "id" n.
//
// The file's bytes are kept with the place of each element. Reading an animation hands the element,
// as a one-element array, to the clipboard import; writing one runs the clipboard export and puts the
// new element in place of the old one's bytes (or after the last element, with the separator the
// file uses between elements), so every other line stays byte for byte. The keys of the slot's old
// element keep their order, keys the mapping does not write are kept, "id" comes first in a new one.
// The file that write makes is checked where it differs: the bytes before and after the new element
// must be those of this file, and the new element (with its separator) must be valid JSON.

#include "game/animation_database.h"
#include "game/mv_element_scan.h"

#include <optional>

namespace game {

class cMvDatabase : public cAnimationDatabase {
  public:
    bool parse(std::vector<uint8_t> bytes, strMessage* error) override;
    std::span<const uint8_t> fileBytes() const override { return bytes_; }
    int lastId() const override;
    std::vector<strGameAnimation> list(const std::string& locale) const override;
    bool read(int id, cProject& doc, const std::string& locale, strMessage* error) const override;
    bool write(const cProject& doc, int id, const strNameChoice& name, const std::string& locale,
               std::vector<uint8_t>& out, strMessage* error) override;
    std::unique_ptr<cAnimationDatabase> parseWritten(std::vector<uint8_t> out, strMessage* error) override;

  private:
    struct strEntry : strMvElement {
        size_t start = 0; // the element's bytes: start to end
    };
    // The bytes of the file the last Write replaced: cut to resume, by inserted bytes.
    struct strSplice {
        int id = 0;
        size_t cut = 0, resume = 0, inserted = 0;
    };
    std::string_view text(const strEntry& e) const {
        return {reinterpret_cast<const char*>(bytes_.data()) + e.start, e.end - e.start};
    }

    std::vector<uint8_t> bytes_;
    std::vector<strEntry> entries_; // element 0 (null) included
    std::optional<strSplice> lastWrite_;
};

} // namespace game
