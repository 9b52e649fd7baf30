#include "platform/profile_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_support.h"

using platform::cProfileFile;
using namespace std::string_literals;
using testing_support::DataPath;
using testing_support::ReadText;
using testing_support::TempDir;
using testing_support::WriteText;

namespace {

std::string get(const cProfileFile& f, std::string_view section, std::string_view key, size_t buffer = 512) {
    return f.getString(section, key, "<absent>", buffer);
}

// ---- reading ----------------------------------------------------------------------------------------

TEST(ProfileFileRead, SectionsKeysWhiteSpaceAndBuffers) {
    cProfileFile f(ReadText(DataPath("platform/sections.ini")));
    EXPECT_EQ(get(f, "CONFIG", "Locale"), "jpn");
    EXPECT_EQ(get(f, "config", "LOCALE"), "jpn"); // names match case-insensitively
    EXPECT_EQ(get(f, "CONFIG", "Tab"), "value with  inner  spaces");
    EXPECT_EQ(get(f, "CONFIG", "Empty"), "");
    EXPECT_EQ(get(f, "CONFIG", "Path"), "C:\\Games\\x.png");
    EXPECT_EQ(get(f, "CONFIG", "Quoted"), "kept");
    EXPECT_EQ(get(f, "CONFIG", "Eq"), "a=b=c");
    EXPECT_EQ(get(f, "CONFIG", "no equals sign here"), "<absent>");
    EXPECT_EQ(get(f, "CONFIG", ""), "<absent>");
    EXPECT_EQ(get(f, "CONFIG", "top"), "<absent>"); // lines before any section belong to none
    EXPECT_EQ(get(f, "Other", "Locale"), "other");
    EXPECT_EQ(get(f, "Missing", "Locale"), "<absent>");
    EXPECT_EQ(get(f, "A", "k"), "1");    // the first matching key wins
    EXPECT_EQ(get(f, "A", "late"), "5"); // a later section of the same name is searched too
    EXPECT_EQ(get(f, "A", "onlyB"), "<absent>");
    EXPECT_EQ(get(f, "broken", "k"), "<absent>"); // no "]": not a header, its k in no section
    EXPECT_EQ(get(f, "", "k"), "empty name");
    EXPECT_EQ(get(f, "a]b", "k"), "last bracket");
    // The buffer size counts the terminating zero.
    EXPECT_EQ(get(f, "S", "k", 8), "0123456");
    EXPECT_EQ(get(f, "S", "k", 11), "0123456789");
    EXPECT_EQ(get(f, "S", "k", 1), "");
    EXPECT_EQ(get(f, "S", "k", 0), "");
    EXPECT_EQ(f.getString("S", "absent", "fallback!", 5), "fall"); // the fallback is cut too
    EXPECT_TRUE(f.hasKey("CONFIG", "empty"));
    EXPECT_FALSE(f.hasKey("CONFIG", "Nope"));
}

TEST(ProfileFileRead, OnePairOfSurroundingQuotesIsRemoved) {
    const std::pair<std::string, std::string> cases[] = {
        {"\"C:\\Games\\Graphics\"", "C:\\Games\\Graphics"},
        {"'single'", "single"},
        {"  \" spaced \"  ", " spaced "},
        {"\"\"", ""},
        {"\"\"a\"\"", "\"a\""},
        {"\"", "\""},
        {"\"a", "\"a"},
        {"\"a'", "\"a'"},
        {"\"x\"y", "\"x\"y"},
        {"a\"b\"", "a\"b\""},
    };
    for (const auto& [stored, read] : cases) {
        cProfileFile f("[A]\nk=" + stored + "\n");
        EXPECT_EQ(get(f, "A", "k"), read) << stored;
    }
    // The buffer cuts the value inside the quotes.
    EXPECT_EQ(get(cProfileFile("[A]\nk=\"abcdef\"\n"), "A", "k", 4), "abc");
}

TEST(ProfileFileRead, LineEndingsBomAndNul) {
    cProfileFile crlf("[S]\r\nk=v\r\nlast=no newline");
    EXPECT_EQ(get(crlf, "S", "k"), "v");
    EXPECT_EQ(get(crlf, "S", "last"), "no newline");
    EXPECT_EQ(crlf.newline(), "\r\n");

    cProfileFile bom("\xEF\xBB\xBF[S]\nk=v\n");
    EXPECT_EQ(get(bom, "S", "k"), "v");
    EXPECT_EQ(bom.newline(), "\n");

    // A value ends at its first NUL; what is left is trimmed (so it reads back the same when written).
    cProfileFile nul("[S]\nk=ab\0cd\nt=x \v\0y\n"s);
    EXPECT_EQ(get(nul, "S", "k"), "ab");
    EXPECT_EQ(get(nul, "S", "t"), "x");
    ASSERT_TRUE(nul.setString("S", "t", "new"));
    EXPECT_EQ(nul.text(), "[S]\nk=ab\0cd\nt=new\n"s);
}

TEST(ProfileFileFunctions, CreateUpdateAndReadButNeverReplaceAHugeFile) {
    TempDir dir;
    cProfileFile f;
    EXPECT_TRUE(f.load(dir.file("absent.ini")));
    EXPECT_EQ(f.text(), "");
    EXPECT_EQ(platform::ReadProfileString(dir.file("absent.ini"), "S", "k", "fb", 16), "fb");

    std::string huge(cProfileFile::kMaxFileBytes + 1, '\n');
    huge.replace(0, 8, "[S]\nk=v\n");
    WriteText(dir.file("huge.ini"), huge);
    EXPECT_FALSE(f.load(dir.file("huge.ini")));
    EXPECT_EQ(platform::ReadProfileString(dir.file("huge.ini"), "S", "k", "fb", 16), "fb");
    // A file that cannot be read is never replaced by a write.
    EXPECT_FALSE(platform::WriteProfileString(dir.file("huge.ini"), "S", "k", "new"));
    EXPECT_EQ(ReadText(dir.file("huge.ini")).size(), huge.size());

    const std::string path = dir.file("config.ini");
    ASSERT_TRUE(platform::WriteProfileString(path, "CONFIG", "a", "1"));
    ASSERT_TRUE(platform::WriteProfileString(path, "CONFIG", "b", "two"));
    ASSERT_TRUE(platform::WriteProfileString(path, "CONFIG", "a", "3"));
    EXPECT_EQ(ReadText(path), "[CONFIG]\na=3\nb=two\n");
    EXPECT_EQ(platform::ReadProfileString(path, "config", "B", "", 512), "two");
    EXPECT_FALSE(platform::WriteProfileString(dir.file("no/folder/x.ini"), "S", "k", "v"));
}

// ---- writing ----------------------------------------------------------------------------------------

TEST(ProfileFileWrite, ReplacesInPlaceOrAppendsKeepingEverythingElse) {
    struct Set {
        const char *section, *key, *value;
    };
    const struct {
        std::string before;
        std::vector<Set> sets;
        std::string after;
    } cases[] = {
        // Replaced in place, matched case-insensitively; other sections and lines kept.
        {"; settings\n[Other]\nUndo=5\n\n[CONFIG]\n  undo = 7   \nLocale=jpn\n\n[Tail]\nx=1\n",
         {{"CONFIG", "Undo", "12"}, {"config", "Locale", ""}},
         "; settings\n[Other]\nUndo=5\n\n[CONFIG]\n  undo = 12\nLocale=\n\n[Tail]\nx=1\n"},
        // A new key goes after the section's last non-blank line.
        {"[CONFIG]\na=1\n; trailing comment of the section\n\n\n[Next]\nb=2\n",
         {{"CONFIG", "New", "v"}},
         "[CONFIG]\na=1\n; trailing comment of the section\nNew=v\n\n\n[Next]\nb=2\n"},
        {"[CONFIG]\n[Next]\n", {{"CONFIG", "k", "v"}}, "[CONFIG]\nk=v\n[Next]\n"},
        {"[A]\nx=1\n[B]\n[A]\ny=2\n", {{"A", "z", "3"}}, "[A]\nx=1\nz=3\n[B]\n[A]\ny=2\n"},
        // A new section goes at the end, after a blank line.
        {"[A]\nx=1\n", {{"CONFIG", "k", "v"}}, "[A]\nx=1\n\n[CONFIG]\nk=v\n"},
        {"[A]\nx=1", {{"A", "y", "2"}, {"B", "z", "3"}}, "[A]\nx=1\ny=2\n\n[B]\nz=3\n"},
        {"[A]\n\n", {{"B", "z", "3"}}, "[A]\n\n[B]\nz=3\n"},
        {"", {{"CONFIG", "k", "v"}}, "[CONFIG]\nk=v\n"},
        {"\xEF\xBB\xBF", {{"S", "k", "v"}}, "\xEF\xBB\xBF[S]\nk=v\n"},
        // CR LF kept.
        {"[A]\r\nx=1\r\n",
         {{"A", "x", "2"}, {"A", "y", "3"}, {"B", "z", "4"}},
         "[A]\r\nx=2\r\ny=3\r\n\r\n[B]\r\nz=4\r\n"},
        {"[A]\r\nx=1", {{"A", "x", "22"}}, "[A]\r\nx=22"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.before);
        cProfileFile f(c.before);
        for (const Set& e : c.sets)
            ASSERT_TRUE(f.setString(e.section, e.key, e.value)) << e.key;
        EXPECT_EQ(f.text(), c.after);
    }
}

TEST(ProfileFileWrite, RefusesWhatCouldNotBeReadBack) {
    cProfileFile f("[A]\nx=1\n");
    const std::string before = f.text();
    const std::string bad[][3] = {{"A", "x", "two\nlines"}, {"A", "x", "nul\0"s}, {"A", "", "v"},
                                  {"A", " x", "v"},         {"A", "a=b", "v"},    {"A", "[k]", "v"},
                                  {"", "k", "v"},           {"A\nB", "k", "v"}};
    for (const auto& b : bad)
        EXPECT_FALSE(f.setString(b[0], b[1], b[2])) << b[1] << "=" << b[2];
    EXPECT_EQ(f.text(), before);
}

TEST(ProfileFileWrite, EveryStorableValueReadsBack) {
    // Values that reading would change (blanks at an end, quotes around) are stored inside one
    // more pair of quotes; the others exactly as given.
    const std::string values[] = {"plain",           "C:\\x y\\z",   " lead",    "trail\t", "  ",
                                  "\"quoted\"",      "'single'",     "\"",       "''",      "\"a'",
                                  "nn; P2\xFF\xFF ", "\x01\r\x02\r", "=;[]#!\"", ""};
    for (const std::string& v : values) {
        cProfileFile f("[A]\r\nk=old\r\n");
        ASSERT_TRUE(f.setString("A", "k", v));
        ASSERT_TRUE(f.setString("A", "new", v));
        for (const cProfileFile& g : {f, cProfileFile(f.text())}) {
            EXPECT_EQ(get(g, "A", "k", 600), v) << f.text();
            EXPECT_EQ(get(g, "A", "new", 600), v) << f.text();
        }
    }
    cProfileFile f;
    f.setString("A", "k", "C:\\x y");
    EXPECT_EQ(f.text(), "[A]\nk=C:\\x y\n");
}

TEST(ProfileFileWrite, SavingThroughASymbolicLinkKeepsTheLink) {
    TempDir dir;
    WriteText(dir.file("real.ini"), "[CONFIG]\na=1\n");
    std::filesystem::create_symlink("real.ini", dir.file("config.ini"));
    ASSERT_TRUE(platform::WriteProfileString(dir.file("config.ini"), "CONFIG", "a", "2"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("config.ini")));
    EXPECT_EQ(ReadText(dir.file("real.ini")), "[CONFIG]\na=2\n");
}

// setStrings must give exactly what setString gives key by key.
TEST(ProfileFileWrite, BatchEqualsKeyByKey) {
    const std::string bases[] = {
        "",
        "[A]\nk=",
        "[A]\nk=\n",
        "[A]\r\nx=1\r\n\r\n[B]\r\nk=2\r\n[a]\r\nK = 3\r\ny=4",
        "; c\n[A]\n\n[B]\n[A]\nx=1\n",
        "[B]\nk=1",
        "\xEF\xBB\xBF[A]\nq=\0\n"s,
        "[A]\nx=1\nx=2\n[A]\nk=9\n\n\n",
    };
    const std::vector<std::vector<platform::strProfileEntry>> batches = {
        {{"k", "v"}},
        {{"k", "v"}, {"new", "n"}},
        {{"new", "n"}, {"x", ""}, {"K", "upper"}, {"y", "why"}},
        {{"a", "1"}, {"b", "2"}, {"a", "3"}},
        {{"x", "1"}, {"bad=key", "v"}, {"z", "multi\nline"}, {"q", "ok"}},
    };
    for (const std::string& base : bases) {
        for (const auto& batch : batches) {
            cProfileFile one(base), all(base);
            bool ok = true;
            for (const auto& e : batch)
                ok = one.setString("A", e.key, e.value) && ok;
            EXPECT_EQ(all.setStrings("A", batch), ok);
            EXPECT_EQ(all.text(), one.text()) << "base: " << base;
        }
    }
}

} // namespace
