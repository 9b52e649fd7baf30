// The MV element check: the quick pass against nlohmann-json's parser on the same bytes. Where the
// quick pass says "valid" the parser must accept and find the same name, pictures, frames and end;
// where the bytes are not JSON the quick pass must never say "valid".

#include "game/game_fixture.h"
#include "game/mv_element_scan.h"
#include "interchange/mv_animation.h"
#include "support/message_texts.h"

#include <gtest/gtest.h>

#include <string>

using game::eQuickScan;
using game::strMvElement;

namespace {

std::span<const uint8_t> Bytes(const std::string& s) {
    return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

// The element is followed by ",\n" as in the file.
struct strScan {
    eQuickScan quick;
    bool parsed;
    strMvElement fast, slow;
};

strScan Scan(const std::string& element) {
    const std::string text = element + ",\n";
    strScan s;
    s.quick = game::QuickScanMvElement(Bytes(text), 0, s.fast);
    strMessage why;
    s.parsed = game::ParseMvElement(Bytes(text), 0, s.slow, &why);
    return s;
}

void ExpectSame(const strMvElement& a, const strMvElement& b) {
    EXPECT_EQ(a.end, b.end);
    EXPECT_EQ(a.object, b.object);
    EXPECT_EQ(a.frames, b.frames);
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.pictures[0], b.pictures[0]);
    EXPECT_EQ(a.pictures[1], b.pictures[1]);
}

} // namespace

TEST(MvElementScan, TheQuickPassReadsWhatTheParserReads) {
    struct strCase {
        const char* json;
        const char* name;
        int frames;
        bool object;
    };
    const strCase cases[] = {
        {"null", "", 0, false},
        {"17", "", 0, false},
        {"\"text\"", "", 0, false},
        {"[1,{\"name\":\"x\"}]", "", 0, false},
        {"{}", "", 0, true},
        {"{\"id\":1,\"name\":\"Hit\",\"frames\":[[[0,1,2]],[],[[3,4,5],[6,7,8]]]}", "Hit", 3, true},
        {"{ \"name\" : \"炎の剣\" , \"frames\" : [ ] }", "炎の剣", 0, true},
        // The last of a repeated key names it; frames of repeated "frames" arrays add up.
        {"{\"name\":\"a\",\"name\":\"b\",\"frames\":[1],\"frames\":[2,3]}", "b", 3, true},
        // Only the element's own keys count, not those of nested objects.
        {"{\"x\":{\"name\":\"inner\",\"frames\":[1,2]},\"frames\":{\"a\":[1]}}", "", 0, true},
        {"{\"name\":5,\"frames\":\"none\"}", "", 0, true},
        {"{\"name\":\"\",\"frames\":[[[-0.5,1e0]],[true,false,null]]}", "", 2, true},
        {"{\"name\":\"a\\\"b\",\"frames\":[]}", "a\"b", 0, true},
        {"{\"na\\u006de\":\"escaped key\"}", "escaped key", 0, true},
        {"{\"name\":\"\\ud83d\\ude00\"}", "\xF0\x9F\x98\x80", 0, true},
        {"{\"s\":\"\\u00e9\\n\\t\\/\\\\\",\"n\":-0,\"m\":123456789012345678901234567890.25}", "", 0, true},
    };
    for (const strCase& c : cases) {
        SCOPED_TRACE(c.json);
        const strScan s = Scan(c.json);
        ASSERT_TRUE(s.parsed);
        EXPECT_EQ(s.slow.end, std::string(c.json).size());
        EXPECT_EQ(s.slow.name, c.name);
        EXPECT_EQ(s.slow.frames, c.frames);
        EXPECT_EQ(s.slow.object, c.object);
        if (s.quick == eQuickScan::kValid) ExpectSame(s.fast, s.slow);
        strMvElement any;
        ASSERT_TRUE(game::ScanMvElement(Bytes(std::string(c.json) + "]"), 0, any, nullptr));
        ExpectSame(any, s.slow);
    }
}

TEST(MvElementScan, TheCommonShapeNeedsNoParser) {
    const char* common[] = {
        "null",
        "{\"id\":3,\"animation1Hue\":0,\"animation1Name\":\"Fire1\",\"animation2Hue\":0,\"animation2Name\":"
        "\"\","
        "\"frames\":[[[1,-12.5,0,100,0,0,255,1]],[]],\"name\":\"炎 "
        "Ω\",\"position\":1,\"timings\":[{\"flashColor\":"
        "[255,255,255,255],\"flashDuration\":5,\"flashScope\":0,\"frame\":0,\"se\":{\"name\":\"Fire2\","
        "\"pan\":0,"
        "\"pitch\":100,\"volume\":90}}]}",
    };
    for (const char* json : common) {
        SCOPED_TRACE(json);
        const strScan s = Scan(json);
        ASSERT_EQ(s.quick, eQuickScan::kValid);
        ASSERT_TRUE(s.parsed);
        ExpectSame(s.fast, s.slow);
    }
    // What the clipboard export writes, as it writes it.
    cProject doc;
    game_test::SampleDocument(doc, "炎の剣", 4);
    std::string payload;
    ASSERT_EQ(mv::BuildMvPayload(doc, "jpn", payload), 1);
    const strScan s = Scan(payload.substr(1, payload.size() - 2));
    ASSERT_EQ(s.quick, eQuickScan::kValid);
    ExpectSame(s.fast, s.slow);
    EXPECT_EQ(s.fast.name, "炎の剣");
    EXPECT_EQ(s.fast.frames, 4);
    EXPECT_EQ(s.fast.pictures[0], "Fire1");
}

TEST(MvElementScan, WhatIsNotJsonIsNeverValid) {
    const std::string deep = std::string(33, '[') + std::string(33, ']');
    const char* bad[] = {
        "{",
        "{\"a\":1,}",
        "{\"a\" 1}",
        "{a:1}",
        "[1,]",
        "[1 2]",
        "01",
        "1.",
        ".5",
        "-",
        "+1",
        "1e400",
        "tru",
        "nul",
        "\"tab\there\"",
        "\"\\x\"",
        "\"\\u12g4\"",
        "\"\\ud800\"",
        "\"\\ude00\\ud83d\"",
        "\"\xC0\xAF\"",         // overlong
        "\"\xED\xA0\x80\"",     // a surrogate in UTF-8
        "\"\xF4\x90\x80\x80\"", // past U+10FFFF
        "\"\xE3\x81\"",         // cut
        "\"\x80\"",
        "\"open",
        deep.c_str(),
    };
    for (const char* json : bad) {
        SCOPED_TRACE(json);
        const strScan s = Scan(json);
        EXPECT_FALSE(s.parsed);
        EXPECT_EQ(s.quick, eQuickScan::kUnsure);
        strMvElement any;
        strMessage why;
        EXPECT_FALSE(game::ScanMvElement(Bytes(std::string(json) + ",\n"), 0, any, &why));
        EXPECT_FALSE(why.none());
    }
    // A value followed by what cannot follow an element is left to the array's own check.
    for (const char* json : {"{\"name\":\"x\"}}", "[1]x", "1x", "null:"}) {
        strMvElement e;
        EXPECT_EQ(game::QuickScanMvElement(Bytes(json), 0, e), eQuickScan::kUnsure) << json;
    }
    // Nesting to the limit is still JSON.
    const std::string limit = std::string(32, '[') + std::string(32, ']');
    const strScan s = Scan(limit);
    EXPECT_TRUE(s.parsed);
    EXPECT_EQ(s.quick, eQuickScan::kValid);
}
