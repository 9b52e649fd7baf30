#pragma once
// cGame: an RPG Maker game's animations, opened from the game folder (or its database file).
//
// Open finds the product and parses the whole animation database; a file that does not parse is
// never written. Read gives one animation as a document whose base folder is the game's picture
// folder: a picture found there is named by its file name, one found in a run-time package by its
// full path, one found nowhere by its title; sounds get the full path of the file found (or of the
// game's sound folder and the title). Write puts a document into a slot (or adds it after the last)
// through the product's mapping and reports what the product could not hold; the file is written
// through cDatabaseFile (refused when it changed on disk, a backup before the first write, atomic).
//
// A call that fails gives its reason in English through error and keeps it as a message
// (failure()) for a caller that shows it in the user's language; a failed write() also gives it as
// the report's reason (a message of the reason table, as every strResult has it).

#include "document/result.h"
#include "game/animation_database.h"
#include "game/database_file.h"
#include "game/game_assets.h"
#include "game/game_layout.h"
#include "game/messages.h"
#include "interchange/export_losses.h"

#include <memory>
#include <string>
#include <vector>

class cConfig;
class cProject;

namespace game {

// losses: what the product could not hold (interchange::ExportLossMessage of each).
struct strGameWriteReport : strResult {
    int id = 0;                        // the slot written
    bool added = false;                // a new animation
    std::vector<std::string> warnings; // pictures and sounds the game does not have
    std::string backup;                // the backup this write made ("" none)
};

class cGame {
  public:
    // Finds the game at path and reads its database. False, with the reason, when there is no
    // game there or its database does not parse.
    bool open(const std::string& path, const cConfig& config, std::string* error = nullptr);
    bool isOpen() const { return db_ != nullptr; }

    const strGameLocation& location() const { return location_; }
    int product() const { return location_.product ? location_.product->product : -1; }
    const char* productName() const { return location_.product ? location_.product->name : ""; }
    const cGameAssets& assets() const { return assets_; }
    int lastId() const { return db_ ? db_->lastId() : 0; }
    std::vector<strGameAnimation> list() const;

    // Re-creates doc from animation id (unmodified, untitled). False, with the reason, for an
    // empty slot or an animation the mapping cannot read.
    bool read(int id, cProject& doc, std::string* error = nullptr) const;
    // Writes doc into slot id (1..lastId()) or, for id 0 or lastId() + 1, as a new animation.
    bool write(const cProject& doc, int id, const strNameChoice& name, strGameWriteReport& report,
               std::string* error = nullptr);

    // The message of the last call of Open, Read or Write that failed (kGameMsgNone after one that
    // succeeded).
    const strGameMessage& failure() const { return failure_; }

    // The pictures and sounds of doc that neither the game nor a run-time package has, one text
    // each saying which names and folders were tried.
    std::vector<std::string> missingAssets(const cProject& doc) const;
    // The same as messages (kGameMsgPictureNotFound, kGameMsgSoundNotFound).
    std::vector<strGameMessage> missingAssetMessages(const cProject& doc) const;
    // Makes every picture path of doc absolute (against its base folder), for a document that is
    // saved away from the game.
    static void makePathsAbsolute(cProject& doc, const std::string& locale);

  private:
    // Keeps m as the failure, gives it in English through error; false.
    bool fail(strGameMessage m, std::string* error) const;

    strGameLocation location_;
    std::string locale_;
    cGameAssets assets_;
    cDatabaseFile file_;
    std::unique_ptr<cAnimationDatabase> db_;
    mutable strGameMessage failure_;
};

} // namespace game
