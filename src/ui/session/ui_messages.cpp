#include "ui/session/ui_messages.h"

namespace {
constexpr const char* kTexts[] = {
#define PELKO_UI_MESSAGE_TEXT(id, text) text,
    PELKO_UI_MESSAGES(PELKO_UI_MESSAGE_TEXT)
#undef PELKO_UI_MESSAGE_TEXT
};
static_assert(sizeof(kTexts) / sizeof(kTexts[0]) == kUiMessageCount);
} // namespace

const char* UiText(eUiMessage id) {
    return id >= 0 && id < kUiMessageCount ? kTexts[id] : "";
}

QString UiMessage(eUiMessage id, const std::vector<strMessageArg>& args) {
    return QString::fromStdString(FormatMessageText(UiText(id), args));
}

QString LibraryMessage(const strMessage& m) {
    return QString::fromStdString(FormatMessage(m));
}
