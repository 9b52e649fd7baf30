#include "tools/tool_messages.h"

#include "document/history.h"
#include "document/project.h"

#include <cstdio>
#include <string_view>

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

constexpr size_t kBufferSize = 512;

const strToolMessageEntry* entry(eToolMessageId id) {
    if (id < 0 || id >= kToolMsgCount) return nullptr;
    return &kTable[id];
}

long long asInteger(const strMessageArg* a) {
    if (!a) return 0;
    if (auto* i = std::get_if<long long>(a)) return *i;
    if (auto* d = std::get_if<double>(a)) return static_cast<long long>(*d);
    return 0;
}

std::string asText(const strMessageArg* a) {
    if (!a) return {};
    if (auto* s = std::get_if<std::string>(a)) return *s;
    if (auto* i = std::get_if<long long>(a)) return std::to_string(*i);
    return {};
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

// The tool texts use %d (and may use %s, %%), with flags and a width; each conversion takes the next
// argument and goes through snprintf with a conversion matching the argument's own type.
std::string FormatToolMessage(const strToolMessage& m) {
    if (m.id == kToolMsgDocument) return FormatMessage(m.document);
    const char* f = ToolMessageText(m.id);
    std::string out;
    size_t next = 0;
    char piece[kBufferSize];
    while (*f && out.size() < kBufferSize - 1) {
        if (*f != '%') {
            out += *f++;
            continue;
        }
        const char* start = f++;
        if (*f == '%') {
            out += '%';
            ++f;
            continue;
        }
        while (*f && std::string_view("-+ 0").find(*f) != std::string_view::npos)
            ++f;
        while (*f >= '0' && *f <= '9')
            ++f;
        std::string pieceFormat(start, f);
        const char conv = *f;
        if (!conv) break;
        ++f;
        const strMessageArg* arg = next < m.args.size() ? &m.args[next] : nullptr;
        ++next;
        if (conv == 'd' || conv == 'i') {
            pieceFormat += "lld";
            std::snprintf(piece, sizeof piece, pieceFormat.c_str(), asInteger(arg));
        } else if (conv == 's') {
            pieceFormat += 's';
            const std::string text = asText(arg);
            std::snprintf(piece, sizeof piece, pieceFormat.c_str(), text.c_str());
        } else {
            out.append(start, f);
            continue;
        }
        out += piece;
    }
    if (out.size() > kBufferSize - 1) out.resize(kBufferSize - 1);
    return out;
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
