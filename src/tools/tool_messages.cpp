#include "tools/tool_messages.h"

#include "document/history.h"
#include "document/project.h"

namespace {

struct strToolMessageEntry {
    const char* name;
    eMessageKind kind;
    const char* text;
};

constexpr strToolMessageEntry kTable[] = {
#define PELKO_TOOL_MESSAGE_ENTRY(id, kind, text) {#id, eMessageKind::kind, text},
    PELKO_TOOL_MESSAGES(PELKO_TOOL_MESSAGE_ENTRY)
#undef PELKO_TOOL_MESSAGE_ENTRY
};
static_assert(sizeof(kTable) / sizeof(kTable[0]) == kToolMsgCount);

const strToolMessageEntry* entry(eToolMessageId id) {
    if (id < 0 || id >= kToolMsgCount) return nullptr;
    return &kTable[id];
}

} // namespace

const char* ToolMessageText(eToolMessageId id) {
    const auto* e = entry(id);
    return e ? e->text : "";
}

eMessageKind ToolMessageKind(const strToolMessage& m) {
    if (m.id == kToolMsgDocument) return MessageKind(m.document.id);
    const auto* e = entry(m.id);
    return e ? e->kind : eMessageKind::kNone;
}

const char* ToolMessageName(const strToolMessage& m) {
    if (m.id == kToolMsgDocument) return MessageName(m.document.id);
    const auto* e = entry(m.id);
    return e ? e->name : "";
}

std::string FormatToolMessage(const strToolMessage& m) {
    if (m.id == kToolMsgDocument) return FormatMessage(m.document);
    return FormatMessageText(ToolMessageText(m.id), m.args);
}

strToolMessage strToolContext::processingFailed() const {
    int minute = 0, second = 0;
    if (clock)
        clock(minute, second);
    else
        LocalMinuteSecond(minute, second);
    return strToolMessage(ProcessingFailed(minute, second));
}

bool strToolContext::openStep() const {
    if (!doc || !history || history->document() != doc) return false;
    return history->open();
}

void strToolContext::commitStep() const {
    if (!doc || !history || history->document() != doc) return;
    history->close(true);
}
