#pragma once
// cMarshalDatabase: Animations.rxdata / .rvdata / .rvdata2, a Marshal dump of an Array whose
// element 0 is nil and element n the RPG::Animation with @id n.
//
// The file is kept as a cMarshalTree. Reading an animation writes its element as a clipboard dump of
// its own and runs the clipboard import on it; writing one runs the clipboard export, takes the
// animation object out of that dump and puts it in the slot. The slot's own object gives the order
// of the instance variables and keeps those the mapping does not write (unknown variables); every
// other element, with its sharing and symbols, is written as it was read.
//
// Strings are written as the file has them: with the UTF-8 encoding variable when the file's
// strings carry one (VX Ace), plain when none does (XP, VX).

#include "game/animation_database.h"
#include "game/marshal_tree.h"

namespace game {

class cMarshalDatabase : public cAnimationDatabase {
  public:
    explicit cMarshalDatabase(int product) : product_(product) {}

    bool parse(std::vector<uint8_t> bytes, strMessage* error) override;
    std::span<const uint8_t> fileBytes() const override {
        return std::span<const uint8_t>(tree_.arena()).first(fileSize_);
    }
    int lastId() const override;
    std::vector<strGameAnimation> list(const std::string& locale) const override;
    bool read(int id, cProject& doc, const std::string& locale, strMessage* error) const override;
    bool write(const cProject& doc, int id, const strNameChoice& name, const std::string& locale,
               std::vector<uint8_t>& out, strMessage* error) override;
    std::unique_ptr<cAnimationDatabase> parseWritten(std::vector<uint8_t> out, strMessage* error) override;
    void restore() override;

    const cMarshalTree& tree() const { return tree_; }

  private:
    // The animation object in slot id; kNoValue for an empty slot or another value.
    MarshalRef animation(int id) const;
    // The object to store: the new animation's variables in the order of the slot's old object,
    // with the old object's other variables kept.
    MarshalRef merge(MarshalRef old, MarshalRef fresh, int id, const strNameChoice& name);

    int product_;
    cMarshalTree tree_;
    bool encodedStrings_ = true;
    size_t fileSize_ = 0;
    bool spent_ = false; // the tree holds the file's bytes alone (parseWritten)
};

} // namespace game
