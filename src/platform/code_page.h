#pragma once
// Conversions between the project code page and UTF-8 / UTF-16.
//
// Texts inside a document are bytes of the project code page named by the "Locale" setting.
// The Locale value is mapped to a code page like this (case-insensitive):
//   - empty, "jpn", "japanese", "ja", "ja_JP", "ja-JP", "Japanese_Japan" (with or without a ".932"
//     suffix) and anything not understood below: CP932 (Microsoft Shift_JIS, iconv "CP932");
//   - "UTF-8", "utf8", "65001" or any name whose code-set part (after ".") is one of those,
//     e.g. "ja_JP.UTF-8", ".utf8", "C.UTF-8": UTF-8;
//   - a code-set part that is a number, e.g. "English_United States.1252" or ".1252": iconv "CP1252";
//   - any other code-set part (e.g. "ja_JP.eucJP") or a bare name (e.g. "ISO-8859-15"): that iconv
//     code page.
// A code page from the last two rules is used only when iconv can open it and it is ASCII-compatible
// (printable ASCII, TAB, CR and LF convert to themselves, one byte each); otherwise CP932 is used.
//
// Invalid input never fails a conversion; it is replaced:
//   - bytes that are not valid in the project code page (or invalid UTF-8), and a sequence cut off at
//     the end, decode as U+FFFD, one per offending byte;
//   - unpaired UTF-16 surrogates decode as U+FFFD;
//   - characters the project code page cannot represent encode as "?" (as WideCharToMultiByte's
//     default character does).
// Conversions are thread-safe (each thread keeps its own iconv descriptors).

#include <string>
#include <string_view>

namespace platform {

// The iconv name of the code page the Locale value selects ("CP932", "UTF-8", "CP1252", ...).
std::string CodePageForLocale(const std::string& locale);
// True when the Locale value selects UTF-8.
bool IsUtf8Locale(const std::string& locale);

// Project code page bytes -> UTF-8.
std::string ToUtf8(std::string_view bytes, const std::string& locale);
// UTF-8 -> project code page bytes.
std::string FromUtf8(std::string_view utf8, const std::string& locale);
// Project code page bytes -> UTF-16.
std::u16string ToUtf16(std::string_view bytes, const std::string& locale);
// UTF-16 -> project code page bytes.
std::string FromUtf16(std::u16string_view text, const std::string& locale);

// UTF-8 <-> UTF-16, with the same replacement rules.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view text);
// UTF-8 with every invalid sequence replaced by U+FFFD (valid input is returned unchanged).
std::string SanitizeUtf8(std::string_view utf8);

}  // namespace platform
