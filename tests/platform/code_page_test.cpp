#include "platform/code_page.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

using namespace platform;

namespace {

const std::string kAnimeCp932 = "\x83\x41\x83\x6A\x83\x81"; // アニメ
const std::string kAnimeUtf8 = "\xE3\x82\xA2\xE3\x83\x8B\xE3\x83\xA1";
const std::u16string kAnimeUtf16 = u"\u30A2\u30CB\u30E1";
const std::string kReplacement = "\xEF\xBF\xBD";

TEST(CodePage, LocaleNames) {
    for (const char* jp :
         {"jpn", "JPN", "", "japanese", "ja_JP", "ja-JP", "Japanese_Japan", "Japanese_Japan.932", ".932",
          "no such locale", "C", "UTF-16", "UCS-4", "ja_JP.no-such-set"})
        EXPECT_EQ(CodePageForLocale(jp), "CP932") << jp;
    for (const char* u :
         {"UTF-8", "utf8", "Utf-8", "65001", ".65001", "ja_JP.UTF-8", "C.utf8", ".UTF8", " utf-8 "})
        EXPECT_EQ(CodePageForLocale(u), "UTF-8") << u;
    EXPECT_EQ(CodePageForLocale("English_United States.1252"), "CP1252");
    EXPECT_EQ(CodePageForLocale(".1252"), "CP1252");
    EXPECT_EQ(CodePageForLocale("ja_JP.eucJP"), "eucJP");
    EXPECT_EQ(CodePageForLocale("ISO-8859-15"), "ISO-8859-15");
    EXPECT_TRUE(IsUtf8Locale("utf8"));
    EXPECT_FALSE(IsUtf8Locale("jpn"));
}

TEST(CodePage, Cp932BothWays) {
    EXPECT_EQ(ToUtf8(kAnimeCp932, "jpn"), kAnimeUtf8);
    EXPECT_EQ(FromUtf8(kAnimeUtf8, "jpn"), kAnimeCp932);
    EXPECT_EQ(ToUtf16(kAnimeCp932, "jpn"), kAnimeUtf16);
    EXPECT_EQ(FromUtf16(kAnimeUtf16, "jpn"), kAnimeCp932);

    // Half-width katakana are single bytes: ｱﾆﾒ.
    EXPECT_EQ(ToUtf16("\xB1\xC6\xD2", "jpn"), u"\uFF71\uFF86\uFF92");
    EXPECT_EQ(FromUtf16(u"\uFF71\uFF86\uFF92", "jpn"), "\xB1\xC6\xD2");

    // 0x5C is a backslash on its own and a trail byte inside 表 (95 5C).
    EXPECT_EQ(ToUtf16("C:\\\x95\x5C\\a.png", "jpn"), u"C:\\\u8868\\a.png");
    EXPECT_EQ(FromUtf16(u"C:\\\u8868\\a.png", "jpn"), "C:\\\x95\x5C\\a.png");

    // Microsoft mappings of CP932: WAVE DASH bytes give FULLWIDTH TILDE, NEC row 13 is present.
    EXPECT_EQ(ToUtf16("\x81\x60", "jpn"), u"\uFF5E");
    EXPECT_EQ(ToUtf16("\x87\x40", "jpn"), u"\u2460"); // ①

    std::string ascii;
    for (int c = 1; c < 0x80; ++c)
        ascii += char(c);
    EXPECT_EQ(ToUtf8(ascii, "jpn"), ascii);
    EXPECT_EQ(FromUtf8(ascii, "jpn"), ascii);
    EXPECT_EQ(ToUtf8(std::string("a\0b", 3), "jpn"), std::string("a\0b", 3));
    EXPECT_EQ(ToUtf8("", "jpn"), "");
}

TEST(CodePage, InvalidCp932IsReplacedPerByte) {
    EXPECT_EQ(ToUtf8("A\x83", "jpn"), "A" + kReplacement);   // cut off at the end
    EXPECT_EQ(ToUtf8("\x83 B", "jpn"), kReplacement + " B"); // bad trail byte
    EXPECT_EQ(ToUtf8("\xFF\xFF" + kAnimeCp932, "jpn"), kReplacement + kReplacement + kAnimeUtf8);
    EXPECT_EQ(ToUtf16("x\xFDy", "jpn"), u"x\uFFFDy");
}

TEST(CodePage, UnrepresentableCharactersBecomeQuestionMarks) {
    EXPECT_EQ(FromUtf8("a\xC3\xA9z", "jpn"), "a?z");                    // é
    EXPECT_EQ(FromUtf8("\xF0\x9F\x98\x80!", "jpn"), "?!");              // 😀, one "?" for 4 bytes
    EXPECT_EQ(FromUtf8("\xC3" + kAnimeUtf8, "jpn"), "?" + kAnimeCp932); // invalid UTF-8
    EXPECT_EQ(FromUtf16(u"a\xD800z", "jpn"), "a?z");                    // unpaired surrogate
    EXPECT_EQ(FromUtf8("\xC3\xA9", "CP1252"), "\xE9");
}

TEST(CodePage, Utf8Locale) {
    EXPECT_EQ(ToUtf8(kAnimeUtf8, "UTF-8"), kAnimeUtf8);
    EXPECT_EQ(FromUtf8(kAnimeUtf8, "utf8"), kAnimeUtf8);
    EXPECT_EQ(ToUtf16(kAnimeUtf8, "UTF-8"), kAnimeUtf16);
    EXPECT_EQ(FromUtf16(kAnimeUtf16, "UTF-8"), kAnimeUtf8);
    // Invalid UTF-8 bytes are replaced one by one: truncated, overlong, surrogate, beyond U+10FFFF.
    EXPECT_EQ(ToUtf8("\xC3(", "UTF-8"), kReplacement + "(");
    EXPECT_EQ(ToUtf8("\xC0\xAF", "UTF-8"), kReplacement + kReplacement);
    EXPECT_EQ(ToUtf8("\xED\xA0\x80", "UTF-8"), kReplacement + kReplacement + kReplacement);
    EXPECT_EQ(ToUtf8("\xF4\x90\x80\x80", "UTF-8"), kReplacement + kReplacement + kReplacement + kReplacement);
    EXPECT_EQ(ToUtf8("\xE3\x82", "UTF-8"), kReplacement + kReplacement);
}

TEST(CodePage, Utf16SurrogatePairs) {
    const std::string grin = "\xF0\x9F\x98\x80";
    EXPECT_EQ(Utf8ToUtf16(grin), u"\xD83D\xDE00");
    EXPECT_EQ(Utf16ToUtf8(u"\xD83D\xDE00"), grin);
    EXPECT_EQ(Utf16ToUtf8(u"\xDE00\xD83D"), kReplacement + kReplacement);
    EXPECT_EQ(Utf16ToUtf8(u"\xD83D"), kReplacement);
    EXPECT_EQ(Utf8ToUtf16("\xEF\xBF\xBF"), u"\xFFFF");
}

TEST(CodePage, ThreadsConvertIndependently) {
    std::atomic<int> failures = 0;
    {
        std::vector<std::jthread> threads;
        for (int t = 0; t < 4; ++t)
            threads.emplace_back([&failures] {
                for (int i = 0; i < 500; ++i)
                    failures += (ToUtf8(kAnimeCp932, "jpn") != kAnimeUtf8) +
                                (FromUtf16(kAnimeUtf16, "jpn") != kAnimeCp932);
            });
    }
    EXPECT_EQ(failures, 0);
}

} // namespace
