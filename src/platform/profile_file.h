#pragma once
// INI profile files with the semantics of Windows private-profile files, which the settings record
// relies on.
//
// Reading
//   - "[name]" lines open a section (white space around the line and around the name is ignored; the
//     name ends at the last "]" of the line, text after it is ignored). A line starting with "[" that
//     has no "]" is not a section header.
//   - "key=value" lines inside a section define keys: the key is the text before the first "=", the
//     value the text after it, both with white space (space, tab, CR, VT, FF) trimmed at both ends;
//     then one pair of quotes around the value ('"..."' or "'...'") is removed, blanks inside kept.
//     Lines without "=" (comments such as "; ..." included), lines with an empty key and lines
//     before the first section header define nothing.
//   - Section and key names match case-insensitively (ASCII letters only).
//   - The first matching key wins, searching every section of that name in file order.
//   - A value ends at its first NUL byte, as it would in the C API.
//   - A read has a buffer size that counts the terminating zero: the value (or the fallback) is cut
//     to bufferSize-1 bytes; a buffer size of 0 gives an empty string.
//   - A UTF-8 byte-order mark at the start of the file is skipped.
//   - A missing file reads as empty. Files are read whole up to kMaxFileBytes; a larger or unreadable
//     file reads as empty and cannot be written (so it is never truncated by a write).
//
// Writing stores every value that can be stored so that reading gives it back: a value with a blank
// at either end, or with quotes of one kind at both ends, is written inside one more pair of double
// quotes. Writing one key keeps every other byte of the file: the value of the first matching key line is
// replaced in place (the text up to and including "=" is kept as it was); otherwise a "key=value"
// line is inserted after the last non-blank line of the first section of that name; otherwise a new
// section is appended at the end of the file (after a blank line when the file is not empty). New
// lines use the file's line ending (that of its first line: CR LF or LF; LF for a new file on Linux).
// Files are saved through platform::WriteFileAtomically.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace platform {

struct strProfileEntry {
    std::string_view key;
    std::string_view value;
};

class cProfileFile {
  public:
    // Upper bound of the size of a profile file that is read or written.
    static constexpr size_t kMaxFileBytes = size_t(1) << 20;

    cProfileFile() { parse({}); }
    explicit cProfileFile(std::string_view text) { parse(text); }

    // Takes the file's bytes (never fails; any bytes are accepted).
    void parse(std::string_view text);
    // The file's bytes as they would be saved.
    const std::string& text() const { return text_; }

    // Loads a file. A missing file gives an empty profile and true. A file that cannot be read or
    // is larger than kMaxFileBytes gives an empty profile and false (with the reason in *error).
    bool load(const std::string& path, std::string* error = nullptr);
    // Saves the bytes to path through WriteFileAtomically. False (with the reason) on failure or
    // when the text is larger than kMaxFileBytes.
    bool save(const std::string& path, std::string* error = nullptr) const;

    // Like GetPrivateProfileString: the value of the key, or the fallback when the key is absent,
    // cut to bufferSize-1 bytes.
    std::string getString(std::string_view section, std::string_view key, std::string_view fallback,
                          size_t bufferSize) const;
    // True when the key exists in the section.
    bool hasKey(std::string_view section, std::string_view key) const;

    // Like WritePrivateProfileString: sets one key, creating the section when needed. Refuses (false,
    // nothing changed) names that are empty, have white space at either end, contain a line break or
    // a NUL, keys containing "=" or starting with "[", and values containing a line feed or a NUL.
    bool setString(std::string_view section, std::string_view key, std::string_view value);

    // Sets several keys of one section at once, with the result of setString for each in turn but in
    // one pass over the file. Refused entries are skipped (the others are stored) and make it return
    // false.
    bool setStrings(std::string_view section, std::span<const strProfileEntry> entries);

    // The line ending used for lines this object adds.
    const std::string& newline() const { return newline_; }

  private:
    std::string text_;
    std::string newline_;
    size_t bodyStart_ = 0; // 3 when the text starts with a UTF-8 byte-order mark
};

// GetPrivateProfileString on a file: the value, or the fallback when the file or the key is absent.
std::string ReadProfileString(const std::string& path, std::string_view section, std::string_view key,
                              std::string_view fallback, size_t bufferSize);
// WritePrivateProfileString on a file: loads it (a missing file is created), sets the key and saves
// it atomically. False when the file cannot be read or written or the names/value are refused.
bool WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value, std::string* error = nullptr);

} // namespace platform
