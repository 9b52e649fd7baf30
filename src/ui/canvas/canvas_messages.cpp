#include "ui/canvas/canvas_messages.h"

#include "ui/session/ui_messages.h"

namespace {
constexpr const char* kTexts[] = {
#define PELKO_CANVAS_MESSAGE_TEXT(id, text) text,
    PELKO_CANVAS_MESSAGES(PELKO_CANVAS_MESSAGE_TEXT)
#undef PELKO_CANVAS_MESSAGE_TEXT
};
static_assert(sizeof(kTexts) / sizeof(kTexts[0]) == kCanvasMessageCount);
} // namespace

const char* CanvasSourceText(eCanvasMessage id) {
    return id >= 0 && id < kCanvasMessageCount ? kTexts[id] : "";
}

QString CanvasString(eCanvasMessage id) {
    return TranslatedText(text_context::kCanvas, CanvasSourceText(id));
}

QString CanvasMessage(eCanvasMessage id, const std::vector<strMessageArg>& args) {
    return TranslatedMessage(text_context::kCanvas, CanvasSourceText(id), args);
}
