#include "ui/lists/lists_messages.h"

#include "ui/session/ui_messages.h"

#include <QStringList>

namespace {
constexpr const char* kTexts[] = {
#define PELKO_LISTS_TEXT_TEXT(id, text) text,
    PELKO_LISTS_TEXTS(PELKO_LISTS_TEXT_TEXT)
#undef PELKO_LISTS_TEXT_TEXT
};
static_assert(sizeof(kTexts) / sizeof(kTexts[0]) == kLtCount);
} // namespace

const char* ListsSourceText(eListsText id) {
    return id >= 0 && id < kLtCount ? kTexts[id] : "";
}

QString ListsText(eListsText id) {
    return TranslatedText(text_context::kLists, ListsSourceText(id));
}

QString ListsItem(eListsText id, int index) {
    const QStringList items = ListsText(id).split(QLatin1Char(','));
    return index >= 0 && index < items.size() ? items.at(index) : QString();
}

QString ListsMessage(eListsText id, const std::vector<strMessageArg>& args) {
    return TranslatedMessage(text_context::kLists, ListsSourceText(id), args);
}
