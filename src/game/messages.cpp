#include "game/messages.h"

#include "document/messages.h"

namespace game {

const char* GameMessageText(int id) {
    for (const strGameMessageText& m : kGameMessageTexts)
        if (m.id == id) return m.text;
    return "";
}

std::string FormatGameMessage(const strGameMessage& m) {
    return FormatMessageText(GameMessageText(m.id), m.args);
}

} // namespace game
