#include "platform/code_page.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <map>
#include <utility>

namespace platform {

namespace {

constexpr const char* kCp932 = "CP932";
constexpr const char* kUtf8 = "UTF-8";
constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD"; // U+FFFD
constexpr char32_t kReplacement = 0xFFFD;

// ---- UTF-8 / UTF-16 ------------------------------------------------------------------------------

// Decodes one UTF-8 character at s[i]. On success advances i and returns true; on an invalid or
// truncated sequence leaves i unchanged and returns false.
bool decodeUtf8(std::string_view s, size_t& i, char32_t& cp) {
    unsigned char b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        cp = b0;
        ++i;
        return true;
    }
    size_t len;
    char32_t min;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2, min = 0x80, cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3, min = 0x800, cp = b0 & 0x0F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4, min = 0x10000, cp = b0 & 0x07;
    } else {
        return false;
    }
    if (s.size() - i < len) return false;
    for (size_t k = 1; k < len; ++k) {
        unsigned char b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) return false;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += len;
    return true;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

// ---- iconv ---------------------------------------------------------------------------------------

// Per-thread cache of iconv descriptors (an iconv_t must not be shared between threads).
class cIconvCache {
  public:
    ~cIconvCache() {
        for (auto& [key, cd] : table_)
            if (cd != invalid()) iconv_close(cd);
    }
    // The descriptor converting from -> to, or (iconv_t)-1 when iconv cannot open it.
    iconv_t get(const std::string& to, const std::string& from) {
        auto key = std::make_pair(to, from);
        auto it = table_.find(key);
        if (it != table_.end()) return it->second;
        iconv_t cd = iconv_open(to.c_str(), from.c_str());
        table_.emplace(std::move(key), cd);
        return cd;
    }
    static iconv_t invalid() { return reinterpret_cast<iconv_t>(-1); }

  private:
    std::map<std::pair<std::string, std::string>, iconv_t> table_;
};

cIconvCache& iconvCache() {
    thread_local cIconvCache cache;
    return cache;
}

// Converts bytes through cd into out, a chunk at a time, and flushes the shift state. At a byte the
// converter cannot take, skipBad(the bytes from there on) writes what stands for it and returns how
// many bytes to pass over (at least 1).
template <class SkipBad>
void convertThrough(iconv_t cd, std::string_view bytes, std::string& out, SkipBad skipBad) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char chunk[1024];
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    while (inLeft > 0) {
        char* outPtr = chunk;
        size_t outLeft = sizeof chunk;
        size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(chunk, size_t(outPtr - chunk));
        if (r != size_t(-1)) continue;
        if (errno == E2BIG) continue;
        const size_t skip = std::min(std::max<size_t>(skipBad(std::string_view(in, inLeft)), 1), inLeft);
        in += skip;
        inLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    char* outPtr = chunk;
    size_t outLeft = sizeof chunk;
    iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
    out.append(chunk, size_t(outPtr - chunk));
}

// Decodes code-page bytes to UTF-8; undecodable bytes become U+FFFD, one per byte.
std::string decodeWithIconv(std::string_view bytes, const std::string& codePage) {
    std::string out;
    iconv_t cd = iconvCache().get(kUtf8, codePage);
    if (cd == cIconvCache::invalid()) {
        // No converter at all: keep ASCII, replace the rest.
        for (char c : bytes) {
            if (static_cast<unsigned char>(c) < 0x80)
                out += c;
            else
                out += kReplacementUtf8;
        }
        return out;
    }
    out.reserve(bytes.size() * 2 + 16);
    // EILSEQ or EINVAL (cut off at the end): replace one byte and go on.
    convertThrough(cd, bytes, out, [&out](std::string_view) {
        out += kReplacementUtf8;
        return size_t(1);
    });
    return out;
}

// Encodes valid UTF-8 to code-page bytes; unrepresentable characters become "?".
std::string encodeWithIconv(std::string_view validUtf8, const std::string& codePage) {
    std::string out;
    iconv_t cd = iconvCache().get(codePage, kUtf8);
    if (cd == cIconvCache::invalid()) {
        for (size_t i = 0; i < validUtf8.size();) {
            char32_t cp;
            if (decodeUtf8(validUtf8, i, cp))
                out += cp < 0x80 ? char(cp) : '?';
            else
                ++i, out += '?';
        }
        return out;
    }
    out.reserve(validUtf8.size() + 16);
    // EILSEQ: the character at the front has no form in the code page. Skip the whole character.
    convertThrough(cd, validUtf8, out, [&out](std::string_view rest) {
        out += '?';
        size_t skip = 0;
        char32_t cp;
        if (!decodeUtf8(rest, skip, cp)) skip = 1;
        return skip;
    });
    return out;
}

// True when iconv can convert both ways and ASCII maps to itself, byte for byte.
bool asciiCompatible(const std::string& codePage) {
    iconv_t to = iconvCache().get(codePage, kUtf8);
    iconv_t from = iconvCache().get(kUtf8, codePage);
    if (to == cIconvCache::invalid() || from == cIconvCache::invalid()) return false;
    std::string probe = "\t\r\n";
    for (char c = 0x20; c < 0x7F; ++c)
        probe += c;
    return encodeWithIconv(probe, codePage) == probe && decodeWithIconv(probe, codePage) == probe;
}

std::string lowerAscii(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return r;
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

bool namesUtf8(const std::string& lower) {
    return lower == "utf-8" || lower == "utf8" || lower == "65001";
}

bool namesJapanese(const std::string& lower) {
    return lower == "jpn" || lower == "japanese" || lower == "ja" || lower == "ja_jp" || lower == "ja-jp" ||
           lower == "japanese_japan";
}

std::string resolveCodePage(const std::string& locale) {
    std::string_view name = trimmed(locale);
    if (name.empty()) return kCp932;
    std::string lower = lowerAscii(name);
    if (namesUtf8(lower)) return kUtf8;
    size_t dot = name.rfind('.');
    if (dot != std::string_view::npos) {
        std::string_view codeSet = name.substr(dot + 1);
        std::string codeSetLower = lowerAscii(codeSet);
        if (namesUtf8(codeSetLower)) return kUtf8;
        if (codeSet.empty() || codeSetLower == "932") return kCp932;
        std::string candidate(codeSet);
        if (codeSet.find_first_not_of("0123456789") == std::string_view::npos) candidate = "CP" + candidate;
        return asciiCompatible(candidate) ? candidate : kCp932;
    }
    if (namesJapanese(lower)) return kCp932;
    std::string candidate(name);
    return asciiCompatible(candidate) ? candidate : kCp932;
}

} // namespace

std::string CodePageForLocale(const std::string& locale) {
    thread_local std::map<std::string, std::string> cache;
    auto it = cache.find(locale);
    if (it != cache.end()) return it->second;
    if (cache.size() > 64) cache.clear(); // bounded
    std::string cp = resolveCodePage(locale);
    cache.emplace(locale, cp);
    return cp;
}

bool IsUtf8Locale(const std::string& locale) {
    return CodePageForLocale(locale) == kUtf8;
}

std::string SanitizeUtf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        size_t start = i;
        char32_t cp;
        if (decodeUtf8(utf8, i, cp)) {
            out.append(utf8.substr(start, i - start));
        } else {
            out += kReplacementUtf8;
            ++i;
        }
    }
    return out;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        char32_t cp;
        if (!decodeUtf8(utf8, i, cp)) {
            cp = kReplacement;
            ++i;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += char16_t(0xD800 + (cp >> 10));
            out += char16_t(0xDC00 + (cp & 0x3FF));
        } else {
            out += char16_t(cp);
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 3);
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = kReplacement;
        }
        appendUtf8(out, cp);
    }
    return out;
}

std::string ToUtf8(std::string_view bytes, const std::string& locale) {
    std::string cp = CodePageForLocale(locale);
    if (cp == kUtf8) return SanitizeUtf8(bytes);
    return decodeWithIconv(bytes, cp);
}

std::string FromUtf8(std::string_view utf8, const std::string& locale) {
    std::string valid = SanitizeUtf8(utf8);
    std::string cp = CodePageForLocale(locale);
    if (cp == kUtf8) return valid;
    return encodeWithIconv(valid, cp);
}

std::u16string ToUtf16(std::string_view bytes, const std::string& locale) {
    return Utf8ToUtf16(ToUtf8(bytes, locale));
}

std::string FromUtf16(std::u16string_view text, const std::string& locale) {
    std::string utf8 = Utf16ToUtf8(text);
    std::string cp = CodePageForLocale(locale);
    if (cp == kUtf8) return utf8;
    return encodeWithIconv(utf8, cp);
}

} // namespace platform
