#include "game/messages.h"

namespace game {

const char* GameMessageText(int id) {
    for (const strGameMessageText& m : kGameMessageTexts)
        if (m.id == id) return m.text;
    return "";
}

std::string FormatGameMessage(const strGameMessage& m) {
    const std::string text = GameMessageText(m.id);
    std::string out;
    size_t next = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == 's') {
            if (next < m.args.size()) out += m.args[next];
            ++next;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace game
