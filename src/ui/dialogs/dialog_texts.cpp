#include "ui/dialogs/dialog_texts.h"

namespace {
constexpr const char* kTexts[] = {
#define PELKO_DIALOG_TEXT_STRING(id, text) text,
    PELKO_DIALOG_TEXTS(PELKO_DIALOG_TEXT_STRING)
#undef PELKO_DIALOG_TEXT_STRING
};
static_assert(sizeof(kTexts) / sizeof(kTexts[0]) == kDialogTextCount);
} // namespace

QString DialogText(eDialogText id) {
    return QString::fromUtf8(id >= 0 && id < kDialogTextCount ? kTexts[id] : "");
}

QString DialogMessage(eDialogText id, const std::vector<strMessageArg>& args) {
    return QString::fromStdString(
        FormatMessageText(id >= 0 && id < kDialogTextCount ? kTexts[id] : "", args));
}
