#include "document/messages.h"

#include "document/message_table.h"

#include <cstdio>
#include <ctime>
#include <string_view>

namespace {

constexpr strMessageEntry kTable[] = {PELKO_DOCUMENT_MESSAGES(PELKO_MESSAGE_ENTRY)
                                          PELKO_REASON_MESSAGES(PELKO_MESSAGE_ENTRY)};
static_assert(sizeof(kTable) / sizeof(kTable[0]) == kMsgCount);

long long asInteger(const strMessageArg* a) {
    if (!a) return 0;
    if (auto* i = std::get_if<long long>(a)) return *i;
    if (auto* d = std::get_if<double>(a)) return static_cast<long long>(*d);
    return 0;
}

double asDouble(const strMessageArg* a) {
    if (!a) return 0;
    if (auto* d = std::get_if<double>(a)) return *d;
    if (auto* i = std::get_if<long long>(a)) return static_cast<double>(*i);
    return 0;
}

std::string asText(const strMessageArg* a) {
    if (!a) return {};
    if (auto* s = std::get_if<std::string>(a)) return *s;
    if (auto* m = std::get_if<strNestedMessage>(a))
        return m->message ? FormatMessage(*m->message) : std::string();
    if (auto* i = std::get_if<long long>(a)) return std::to_string(*i);
    if (auto* d = std::get_if<double>(a)) return std::to_string(*d);
    return {};
}

} // namespace

bool strNestedMessage::operator==(const strNestedMessage& other) const {
    if (!message || !other.message) return message == other.message;
    return *message == *other.message;
}

const cMessageTable& DocumentMessageTable() {
    static const cMessageTable table("DocumentMessages", kTable);
    return table;
}

const char* MessageText(eMessageId id) {
    return DocumentMessageTable().text(id);
}

eMessageKind MessageKind(eMessageId id) {
    return DocumentMessageTable().kind(id);
}

const char* MessageName(eMessageId id) {
    return DocumentMessageTable().name(id);
}

const char* MessageCaption(eMessageKind kind) {
    switch (kind) {
    case eMessageKind::kReport:
        return "Information";
    case eMessageKind::kConfirm:
        return "Confirmation";
    case eMessageKind::kError:
        return "Error";
    default:
        return "";
    }
}

// One snprintf conversion of value into a string as long as it needs.
template <class T> std::string formatted(const std::string& conversion, T value) {
    const int n = std::snprintf(nullptr, 0, conversion.c_str(), value);
    if (n <= 0) return std::string();
    std::string piece(static_cast<size_t>(n) + 1, '\0');
    std::snprintf(piece.data(), piece.size(), conversion.c_str(), value);
    piece.resize(static_cast<size_t>(n));
    return piece;
}

// Walks the format and substitutes one argument per conversion, each through snprintf with a
// conversion rebuilt from the format's flags, width and precision and the argument's own type, so
// that no argument list can be misread. Nothing is cut: a long file name or list comes out whole,
// so a multibyte character is never split.
std::string FormatMessageText(const char* f, const std::vector<strMessageArg>& args) {
    std::string out;
    size_t next = 0;
    while (*f) {
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
        while (*f && std::string_view("-+ #0").find(*f) != std::string_view::npos)
            ++f;
        while (*f >= '0' && *f <= '9')
            ++f;
        if (*f == '.') {
            ++f;
            while (*f >= '0' && *f <= '9')
                ++f;
        }
        const char* lengthStart = f;
        while (*f == 'l' || *f == 'h' || *f == 'z' || *f == 'j' || *f == 't' || *f == 'L')
            ++f;
        const char conv = *f;
        if (!conv) break;
        ++f;
        // flags, width and precision as written, length modifier replaced by our own
        std::string conversion(start, lengthStart);
        const strMessageArg* arg = next < args.size() ? &args[next] : nullptr;
        ++next;
        switch (conv) {
        case 'd':
        case 'i':
            out += formatted(conversion + "lld", asInteger(arg));
            break;
        case 'u':
        case 'x':
        case 'X':
        case 'o':
            out += formatted(conversion + "ll" + conv, static_cast<unsigned long long>(asInteger(arg)));
            break;
        case 'c':
            out += formatted(conversion + 'c', static_cast<int>(asInteger(arg)));
            break;
        case 'f':
        case 'F':
        case 'e':
        case 'E':
        case 'g':
        case 'G':
            out += formatted(conversion + conv, asDouble(arg));
            break;
        case 's':
            if (conversion == "%")
                out += asText(arg);
            else
                out += formatted(conversion + 's', asText(arg).c_str());
            break;
        default: // not a conversion we know: keep it as written
            out.append(start, f);
            continue;
        }
    }
    return out;
}

std::string FormatMessage(const strMessage& m) {
    return FormatMessageText(MessageText(m.id), m.args);
}

void LocalMinuteSecond(int& minute, int& second) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    minute = local.tm_min;
    second = local.tm_sec;
}
