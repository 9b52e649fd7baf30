#include "platform/profile_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/file_io.h"

namespace platform {

namespace {

#ifdef _WIN32
constexpr std::string_view kNativeNewline = "\r\n";
#else
constexpr std::string_view kNativeNewline = "\n";
#endif

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

std::string lowerAsciiString(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        c = lowerAscii(c);
    return r;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    return true;
}

enum class eLineKind { Other, Section, Key };

// One line of the file, as offsets into the text.
struct strLine {
    size_t begin = 0;      // first byte of the line
    size_t contentEnd = 0; // end of the line's text (before CR LF / LF)
    size_t end = 0;        // after the line ending
    eLineKind kind = eLineKind::Other;
    std::string_view name;  // section or key name
    std::string_view value; // key value (trimmed)
    size_t valueBegin = 0;  // where the trimmed value starts (for in-place replacement)
};

// Calls fn(line) for each line from `start`; fn returns false to stop.
template <typename Fn> void forEachLine(std::string_view text, size_t start, Fn&& fn) {
    size_t pos = start;
    while (pos < text.size()) {
        strLine line;
        line.begin = pos;
        size_t nl = text.find('\n', pos);
        if (nl == std::string_view::npos) {
            line.contentEnd = line.end = text.size();
        } else {
            line.end = nl + 1;
            line.contentEnd = (nl > pos && text[nl - 1] == '\r') ? nl - 1 : nl;
        }
        std::string_view content = text.substr(line.begin, line.contentEnd - line.begin);
        std::string_view t = trim(content);
        if (!t.empty() && t.front() == '[') {
            size_t close = t.rfind(']');
            if (close != std::string_view::npos && close > 0) {
                line.kind = eLineKind::Section;
                line.name = trim(t.substr(1, close - 1));
            }
        } else {
            size_t eq = content.find('=');
            if (eq != std::string_view::npos) {
                std::string_view key = trim(content.substr(0, eq));
                if (!key.empty()) {
                    line.kind = eLineKind::Key;
                    line.name = key;
                    std::string_view rest = content.substr(eq + 1);
                    // A value ends at its first NUL, as in the C API; the rest is then trimmed.
                    rest = rest.substr(0, rest.find('\0'));
                    size_t lead = 0;
                    while (lead < rest.size() && isBlank(rest[lead]))
                        ++lead;
                    line.valueBegin = line.begin + eq + 1 + lead;
                    line.value = trim(rest);
                }
            }
        }
        if (!fn(line)) return;
        pos = line.end;
    }
}

bool isQuote(char c) {
    return c == '"' || c == '\'';
}

// A read value without one pair of surrounding quotes of the same kind.
std::string_view unquote(std::string_view v) {
    if (v.size() >= 2 && isQuote(v.front()) && v.back() == v.front()) return v.substr(1, v.size() - 2);
    return v;
}

// The form in which a value is stored so that it reads back as itself: inside one more pair of
// double quotes when reading would otherwise trim its blanks or take off its quotes.
std::string storedForm(std::string_view v) {
    const bool wrap =
        !v.empty() && (isBlank(v.front()) || isBlank(v.back()) || unquote(v).size() != v.size());
    return wrap ? "\"" + std::string(v) + "\"" : std::string(v);
}

bool validName(std::string_view name) {
    if (name.empty() || trim(name).size() != name.size()) return false;
    for (char c : name)
        if (c == '\n' || c == '\r' || c == '\0') return false;
    return true;
}

} // namespace

void cProfileFile::parse(std::string_view text) {
    text_.assign(text.data(), text.size());
    bodyStart_ = text_.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    size_t nl = text_.find('\n');
    if (nl == std::string::npos)
        newline_ = kNativeNewline;
    else
        newline_ = (nl > 0 && text_[nl - 1] == '\r') ? "\r\n" : "\n";
}

bool cProfileFile::load(const std::string& path, std::string* error) {
    parse({});
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) return true; // a missing file reads as empty
        if (error) *error = "cannot open " + path;
        return false;
    }
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes, kMaxFileBytes, error)) return false;
    parse(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    return true;
}

bool cProfileFile::save(const std::string& path, std::string* error) const {
    if (text_.size() > kMaxFileBytes) {
        if (error) *error = path + " would be too large";
        return false;
    }
    return WriteFileAtomically(
        path, std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text_.data()), text_.size()), error);
}

namespace {

// The value of the first matching key, or nothing.
std::optional<std::string_view> findValue(std::string_view text, size_t start, std::string_view section,
                                          std::string_view key) {
    std::optional<std::string_view> found;
    bool inSection = false;
    forEachLine(text, start, [&](const strLine& line) {
        if (line.kind == eLineKind::Section) {
            inSection = equalsNoCase(line.name, section);
        } else if (line.kind == eLineKind::Key && inSection && equalsNoCase(line.name, key)) {
            found = line.value;
            return false;
        }
        return true;
    });
    return found;
}

} // namespace

std::string cProfileFile::getString(std::string_view section, std::string_view key, std::string_view fallback,
                                    size_t bufferSize) const {
    const auto found = findValue(text_, bodyStart_, section, key);
    std::string_view value = found ? unquote(*found) : fallback;
    if (bufferSize == 0) return {};
    return std::string(value.substr(0, bufferSize - 1));
}

bool cProfileFile::hasKey(std::string_view section, std::string_view key) const {
    return findValue(text_, bodyStart_, section, key).has_value();
}

bool cProfileFile::setString(std::string_view section, std::string_view key, std::string_view value) {
    const strProfileEntry entry{key, value};
    return setStrings(section, std::span<const strProfileEntry>(&entry, 1));
}

bool cProfileFile::setStrings(std::string_view section, std::span<const strProfileEntry> entries) {
    if (!validName(section)) return false;
    bool allStored = true;

    // The keys to store, each once (a later duplicate's value wins), in the order of first mention.
    struct strPending {
        std::string_view key;
        std::string value; // as stored
        bool replaced = false;
    };
    std::vector<strPending> pending;
    std::unordered_map<std::string, size_t> byName; // lower-case name -> index in pending
    for (const strProfileEntry& e : entries) {
        bool valid = validName(e.key) && e.key.find('=') == std::string_view::npos && e.key.front() != '[' &&
                     e.value.find('\n') == std::string_view::npos &&
                     e.value.find('\0') == std::string_view::npos;
        if (!valid) {
            allStored = false;
            continue;
        }
        auto [it, added] = byName.emplace(lowerAsciiString(e.key), pending.size());
        if (added)
            pending.push_back({e.key, storedForm(e.value)});
        else
            pending[it->second].value = storedForm(e.value);
    }
    if (pending.empty()) return allStored;

    // One pass: find the first line of each key and the end of the first section of this name.
    struct strReplacement {
        size_t begin, length, index;
    };
    std::vector<strReplacement> replacements;
    bool inSection = false;
    bool sectionSeen = false;            // the first section of this name has been met
    bool inFirstSection = false;         // currently inside that first section
    size_t insertAt = std::string::npos; // after the last non-blank line of the first section
    size_t left = pending.size();
    std::string lowered;
    forEachLine(text_, bodyStart_, [&](const strLine& line) {
        if (line.kind == eLineKind::Section) {
            inSection = equalsNoCase(line.name, section);
            inFirstSection = inSection && !sectionSeen;
            if (inFirstSection) {
                sectionSeen = true;
                insertAt = line.end;
            }
            return true;
        }
        if (line.kind == eLineKind::Key && inSection) {
            lowered = lowerAsciiString(line.name);
            auto it = byName.find(lowered);
            if (it != byName.end() && !pending[it->second].replaced) {
                pending[it->second].replaced = true;
                replacements.push_back({line.valueBegin, line.contentEnd - line.valueBegin, it->second});
                --left;
            }
        }
        if (inFirstSection &&
            !trim(std::string_view(text_).substr(line.begin, line.contentEnd - line.begin)).empty())
            insertAt = line.end;
        return left > 0; // when every key was found nothing is inserted
    });

    // Keys not found, as lines in order of first mention.
    std::string added;
    for (const strPending& p : pending)
        if (!p.replaced) added.append(p.key).append("=").append(p.value).append(newline_);

    // Edit from the end of the text backwards so that earlier offsets stay valid; an insertion at
    // the end of the first section comes after every replacement inside that section.
    if (!added.empty() && insertAt == std::string::npos) {
        std::string block;
        std::string_view body = std::string_view(text_).substr(bodyStart_);
        if (!body.empty()) {
            bool endsWithNewline = body.back() == '\n';
            std::string_view lastLine = body;
            if (endsWithNewline) lastLine.remove_suffix(1);
            size_t nl = lastLine.rfind('\n');
            if (nl != std::string_view::npos) lastLine = lastLine.substr(nl + 1);
            if (!endsWithNewline) block += newline_;
            // Separate the new section by a blank line unless the file already ends with one.
            if (!trim(lastLine).empty()) block += newline_;
        }
        block.append("[").append(section).append("]").append(newline_).append(added);
        text_ += block;
        added.clear();
    }
    size_t r = replacements.size();
    if (!added.empty()) {
        // Replacements after the insertion point (in later sections of the same name) go first. (A
        // replacement exactly at the insertion point is the empty value of a last line without a line
        // ending; it goes after the insertion, so that its value lands before the added line break.)
        while (r > 0 && replacements[r - 1].begin > insertAt) {
            --r;
            text_.replace(replacements[r].begin, replacements[r].length,
                          pending[replacements[r].index].value);
        }
        // The line before the insertion point may be the last line, without a line ending.
        if (insertAt == text_.size() && insertAt > bodyStart_ && text_.back() != '\n')
            added.insert(0, newline_);
        text_.insert(insertAt, added);
    }
    while (r > 0) {
        --r;
        text_.replace(replacements[r].begin, replacements[r].length, pending[replacements[r].index].value);
    }
    return allStored;
}

std::string ReadProfileString(const std::string& path, std::string_view section, std::string_view key,
                              std::string_view fallback, size_t bufferSize) {
    cProfileFile file;
    file.load(path); // a file that cannot be read reads as empty
    return file.getString(section, key, fallback, bufferSize);
}

bool WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value, std::string* error) {
    cProfileFile file;
    if (!file.load(path, error)) return false;
    if (!file.setString(section, key, value)) {
        if (error) *error = "invalid section, key or value for " + path;
        return false;
    }
    return file.save(path, error);
}

} // namespace platform
