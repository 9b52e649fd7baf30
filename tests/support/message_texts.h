#pragma once
// Expected status texts, formatted from the message tables: a test names the message and its
// arguments, never a copy of its words, so rewording a message changes no test.

#include "document/messages.h"

#include <ostream>
#include <string>
#include <utility>

template <class... A> std::string Msg(eMessageId id, A&&... args) {
    return FormatMessage(strMessage(id, std::forward<A>(args)...));
}

// True when a text shows in any font: printable ASCII and line breaks only, and no bracketed "< ! >"
// prefix of old status lines.
inline bool IsPlainText(const std::string& text) {
    for (const char c : text)
        if (c != '\n' && (c < 0x20 || c > 0x7E)) return false;
    return text.find("< ! >") == std::string::npos;
}

// A message in test output, as `pelko` prints it.
inline std::ostream& operator<<(std::ostream& out, const strMessage& m) {
    return out << FormatMessage(m);
}
