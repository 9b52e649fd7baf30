#pragma once
// cLcfDatabase: RPG_RT.ldb of RPG Maker 2000 / 2003. The file is the header string "LcfDataBase"
// (its length first), then the database chunks (chunk id, size, data; all variable-length integers)
// to the end of the file, with no end marker after the last one. Chunk 0x13 holds the animations:
// their count, then for each its id and its record (chunks up to a 0).
//
// Reading an animation hands its record, behind the clipboard's two header words, to the clipboard
// import. Writing one runs the clipboard export and replaces only the content of chunk 0x13: the
// other chunks stay byte for byte, and so do the other animation records. In the slot's own record
// the chunks the mapping writes are replaced and the others (2003 chunks among them) kept, in the
// order of their ids.

#include "game/animation_database.h"

namespace game {

class cLcfDatabase : public cAnimationDatabase {
  public:
    static constexpr uint32_t kAnimationChunk = 0x13;
    // Animation ids accepted (RPG Maker's own limit is far lower).
    static constexpr uint32_t kMaxId = 99999;

    bool parse(std::vector<uint8_t> bytes, strMessage* error) override;
    std::span<const uint8_t> fileBytes() const override { return bytes_; }
    int lastId() const override;
    std::vector<strGameAnimation> list(const std::string& locale) const override;
    bool read(int id, cProject& doc, const std::string& locale, strMessage* error) const override;
    bool write(const cProject& doc, int id, const strNameChoice& name, const std::string& locale,
               std::vector<uint8_t>& out, strMessage* error) override;
    std::unique_ptr<cAnimationDatabase> parseWritten(std::vector<uint8_t> out, strMessage* error) override;

  private:
    struct strRecord {
        uint32_t id = 0;
        size_t start = 0, end = 0; // the record's chunks and its 0
        std::string name, graphic; // project code page
        int frames = 0;
    };
    const strRecord* find(int id) const;

    std::vector<uint8_t> bytes_;
    size_t chunkStart_ = 0, dataStart_ = 0, dataEnd_ = 0; // chunk 0x13: its id, its data, its end
    std::vector<strRecord> records_;
};

} // namespace game
