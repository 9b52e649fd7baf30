#pragma once
// Texts of the game projects' failures, as the user sees them. cGame hands back the message of a
// failure (strGameMessage: id and arguments); the editor shows it in the user's language, the
// command-line tool in English (FormatGameMessage). Details that come from the file formats (why a
// database does not parse) are a nested reason of the document table.

#include "document/messages.h"

#include <string>
#include <vector>

namespace game {

enum eGameMessage : int {
    kGameMsgNone = 0,
    kGameMsgMissing = 3200,
    kGameMsgNotAGame,
    kGameMsgNotADatabase,
    kGameMsgCannotRead,
    kGameMsgUnparsable,
    kGameMsgNoGame,
    kGameMsgCannotReadAnimation,
    kGameMsgCannotWriteAnimation,
    kGameMsgNotReadBack,
    kGameMsgChangedOnDisk,
    kGameMsgBackupFailed,
    kGameMsgWriteFailed,
    kGameMsgPictureNotFound,
    kGameMsgSoundNotFound,
};

struct strGameMessageText {
    int id;
    const char* text;
};

// Every "%s" takes the next argument.
inline constexpr strGameMessageText kGameMessageTexts[] = {
    {kGameMsgMissing, "%s does not exist"},
    {kGameMsgNotAGame, "%s is not an RPG Maker game folder: it holds no Game.rxproj, Game.rvproj, "
                       "Game.rvproj2, Game.rpgproject "
                       "or RPG_RT.ldb with its animation database"},
    {kGameMsgNotADatabase,
     "%s is not an RPG Maker animation database (Animations.rxdata, .rvdata, .rvdata2, Animations.json or "
     "RPG_RT.ldb)"},
    {kGameMsgCannotRead, "The animation database could not be read: %s"},
    {kGameMsgUnparsable, "The animation database %s could not be read (%s). It will not be written."},
    {kGameMsgNoGame, "No game is open"},
    {kGameMsgCannotReadAnimation, "Animation %s could not be read: %s"},
    {kGameMsgCannotWriteAnimation, "Animation %s could not be written: %s"},
    {kGameMsgNotReadBack, "The new animation database did not read back (%s). Nothing was written."},
    {kGameMsgChangedOnDisk,
     "The animation database %s was changed on disk since the game was opened (by RPG Maker or another "
     "program). Nothing was written; open the game again."},
    {kGameMsgBackupFailed, "The backup copy of %s could not be made (%s). Nothing was written."},
    {kGameMsgWriteFailed, "The animation database %s could not be written (%s). It was left as it was."},
    {kGameMsgPictureNotFound, "Picture %s was not found (tried %s)"},
    {kGameMsgSoundNotFound, "Sound %s was not found (tried %s)"},
};

struct strGameMessage {
    eGameMessage id = kGameMsgNone;
    std::vector<strMessageArg> args; // texts, and reasons of the document table (translated on their own)

    bool none() const { return id == kGameMsgNone; }
    bool operator==(const strGameMessage&) const = default;
};

// The text of an id; "" for kGameMsgNone and an unknown id.
const char* GameMessageText(int id);
// The message in English, each "%s" replaced by the next argument (a missing one by "").
std::string FormatGameMessage(const strGameMessage& m);

} // namespace game
