#include "ui/dialogs/dialog_texts.h"

#include "ui/session/ui_messages.h"

namespace {
constexpr const char* kTexts[] = {
#define PELKO_DIALOG_TEXT_STRING(id, text) text,
    PELKO_DIALOG_TEXTS(PELKO_DIALOG_TEXT_STRING)
#undef PELKO_DIALOG_TEXT_STRING
};
static_assert(sizeof(kTexts) / sizeof(kTexts[0]) == kDialogTextCount);
} // namespace

const char* DialogSourceText(eDialogText id) {
    return id >= 0 && id < kDialogTextCount ? kTexts[id] : "";
}

QString DialogText(eDialogText id) {
    return TranslatedText(text_context::kDialogs, DialogSourceText(id));
}

QString DialogMessage(eDialogText id, const std::vector<strMessageArg>& args) {
    return TranslatedMessage(text_context::kDialogs, DialogSourceText(id), args);
}
