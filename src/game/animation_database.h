#pragma once
// cAnimationDatabase: the animation database of one RPG Maker product, parsed whole, with its
// animations listed, read into documents and written back. Each product's database is one class
// (Marshal array, MV JSON array, LCF database); they read and write each animation through the same
// mapping as the product's clipboard payload.
//
// A database is not changed by Write: Write returns the bytes of the whole new file, and whoever
// writes them checks them with parseWritten before they replace the old file (cGame does). To make
// room for the new database, parseWritten may leave the old one spent (its file's bytes kept, its
// parsed form given up): it is then to be replaced by the new one, or restored (Restore) when the new
// file is not written after all.

#include "document/messages.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

class cProject;

namespace game {

struct strGameAnimation {
    int id = 0;
    bool empty = false; // the slot holds no animation (nil, null, not an animation)
    std::string name;   // UTF-8
    int frames = 0;
    std::vector<std::string> pictures; // picture titles (UTF-8), the empty ones left out
};

// The name an animation gets when it is written: keep (replace: the name the slot has; a new
// animation: the document's name) or the name given (UTF-8).
struct strNameChoice {
    bool keep = true;
    std::string utf8;
};

class cAnimationDatabase {
  public:
    virtual ~cAnimationDatabase() = default;

    // Parses a whole file (the bytes are kept). False, with the reason, for a file that is not
    // this product's animation database.
    virtual bool parse(std::vector<uint8_t> bytes, strMessage* error) = 0;
    // The bytes of the file that was parsed.
    virtual std::span<const uint8_t> fileBytes() const = 0;
    // The highest animation id (0 for none); a new animation gets lastId() + 1.
    virtual int lastId() const = 0;
    // Every slot 1..lastId(); texts converted from the project code page where the file holds it.
    virtual std::vector<strGameAnimation> list(const std::string& locale) const = 0;
    // Re-creates doc from animation id through the product's clipboard mapping (picture and sound
    // paths are the bare titles). False, with the reason, for an empty slot or a bad animation.
    virtual bool read(int id, cProject& doc, const std::string& locale, strMessage* error) const = 0;
    // The whole new file with doc written into slot id (1..lastId() replaces, lastId() + 1 adds).
    // What the slot held beyond what the mapping writes is kept.
    virtual bool write(const cProject& doc, int id, const strNameChoice& name, const std::string& locale,
                       std::vector<uint8_t>& out, strMessage* error) = 0;
    // The database of out, the file the last Write made, checked as Parse checks a file (nullptr,
    // with the reason, when it does not parse). A database whose Write copies the rest of the file
    // byte for byte may check that it did and parse only what changed.
    // The Marshal database leaves itself spent when it gives a new database (its tree's nodes are
    // about as large as its file; the old and the new tree are never held together); on nullptr it
    // has restored itself.
    virtual std::unique_ptr<cAnimationDatabase> parseWritten(std::vector<uint8_t> out, strMessage* error) = 0;
    // Parses the file's bytes again when parseWritten left this database spent; nothing otherwise.
    // Write restores a spent database first.
    virtual void restore() {}
};

// The database class of a product (interchange product code); nullptr for an unknown one.
std::unique_ptr<cAnimationDatabase> MakeAnimationDatabase(int product);

} // namespace game
