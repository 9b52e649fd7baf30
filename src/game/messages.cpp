#include "game/messages.h"

namespace game {

namespace {
constexpr strMessageEntry kEntries[] = {PELKO_GAME_MESSAGES(PELKO_MESSAGE_ENTRY)};
} // namespace

const cMessageTable& GameMessageTable() {
    static const cMessageTable table("GameMessages", kEntries);
    return table;
}

const char* GameMessageText(int id) {
    return GameMessageTable().text(id);
}

std::string FormatGameMessage(const strGameMessage& m) {
    return FormatMessageText(GameMessageText(m.id), m.args);
}

} // namespace game
