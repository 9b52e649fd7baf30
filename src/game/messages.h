#pragma once
// Texts of the game projects' failures, as the user sees them. cGame hands back the message of a
// failure (strGameMessage: id and arguments); the editor shows it in the user's language, the
// command-line tool in English (FormatGameMessage). Details that come from the file formats (why a
// database does not parse) are a nested reason of the document table.

#include "document/message_table.h"

#include <string>
#include <vector>

namespace game {

// X(id, kind, text); every "%s" takes the next argument.
#define PELKO_GAME_MESSAGES(X)                                                                               \
    X(kGameMsgMissing, kError, "%s does not exist")                                                          \
    X(kGameMsgNotAGame, kError,                                                                              \
      "%s is not an RPG Maker game folder: it holds no Game.rxproj, Game.rvproj, Game.rvproj2, "             \
      "Game.rpgproject or RPG_RT.ldb with its animation database")                                           \
    X(kGameMsgNotADatabase, kError,                                                                          \
      "%s is not an RPG Maker animation database (Animations.rxdata, .rvdata, .rvdata2, Animations.json or " \
      "RPG_RT.ldb)")                                                                                         \
    X(kGameMsgCannotRead, kError, "The animation database could not be read: %s")                            \
    X(kGameMsgUnparsable, kError,                                                                            \
      "The animation database %s could not be read (%s). It will not be written.")                           \
    X(kGameMsgNoGame, kError, "No game is open")                                                             \
    X(kGameMsgCannotReadAnimation, kError, "Animation %s could not be read: %s")                             \
    X(kGameMsgCannotWriteAnimation, kError, "Animation %s could not be written: %s")                         \
    X(kGameMsgNotReadBack, kError,                                                                           \
      "The new animation database did not read back (%s). Nothing was written.")                             \
    X(kGameMsgChangedOnDisk, kError,                                                                         \
      "The animation database %s was changed on disk since the game was opened (by RPG Maker or another "    \
      "program). Nothing was written; open the game again.")                                                 \
    X(kGameMsgBackupFailed, kError, "The backup copy of %s could not be made (%s). Nothing was written.")    \
    X(kGameMsgWriteFailed, kError,                                                                           \
      "The animation database %s could not be written (%s). It was left as it was.")                         \
    X(kGameMsgPictureNotFound, kReport, "Picture %s was not found (tried %s)")                               \
    X(kGameMsgSoundNotFound, kReport, "Sound %s was not found (tried %s)")

#define PELKO_GAME_MESSAGE_ID(id, kind, text) id,
enum eGameMessage : int {
    kGameMsgNone = 0,
    kGameMsgBefore = 3199,
    PELKO_GAME_MESSAGES(PELKO_GAME_MESSAGE_ID)
};
#undef PELKO_GAME_MESSAGE_ID

struct strGameMessage {
    eGameMessage id = kGameMsgNone;
    std::vector<strMessageArg> args; // texts, and reasons of the document table (translated on their own)

    bool none() const { return id == kGameMsgNone; }
    bool operator==(const strGameMessage&) const = default;
};

// The game's failures.
const cMessageTable& GameMessageTable();
// The text of an id; "" for kGameMsgNone and an unknown id.
const char* GameMessageText(int id);
// The message in English, each "%s" replaced by the next argument (a missing one by "").
std::string FormatGameMessage(const strGameMessage& m);

} // namespace game
