// The RPG Maker MV mapping: the exact export text, the value maps both ways,
// JSON of the wrong shape (round trips: clip_property_test.cpp).

#include "document/project.h"
#include "interchange/mv_animation.h"
#include "interchange_fixture.h"
#include "support/document_compare.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

using namespace interchange_test;

namespace {

std::string ExportText(const cProject& doc) {
    const Bytes b = Export(doc, kProductMV);
    return std::string(b.begin(), b.end());
}

int ImportText(const std::string& text, cProject& doc, std::string* why = nullptr) {
    return Import(text, doc, kProductMV, why);
}

// A minimal valid animation with the given frames and timings texts.
std::string Animation(const std::string& frames, const std::string& timings = "[]") {
    return R"([{"name":"N","position":1,"frames":)" + frames + R"(,"timings":)" + timings + "}]";
}

// "[x,x,...]" with n copies of x.
std::string Repeated(const std::string& x, int n) {
    std::string out = "[";
    for (int i = 0; i < n; ++i)
        out += (i ? "," : "") + x;
    return out + "]";
}

} // namespace

TEST(MvExport, PicturesTimingsAndEmptySlots) {
    cProject doc;
    doc.create(0, 16, 0, 0);
    doc.setSetting(kKeyCentrePosition, 3);
    doc.setText(kTextName, "\x89\xCE Fire"); // CP932 "火 Fire"
    doc.setPicture(1, strPicture{.hue = 120, .path = "img\\animations\\Fire2.png"});
    doc.frameOrCreate(0); // slot 1 empty: a frame without cells, so that frame 2 stays frame 2
    PutCell(doc, 2, 1,
            {.picture = 1,
             .pattern = 250,
             .blend = 3,
             .x = -3,
             .mx = -120,
             .my = 80,
             .angle = -455,
             .opacity = 9});
    strEffect e = Flash(4, 2, 1, 2, 3, 4, 6);
    e.flags |= strEffect::kSound;
    e.soundPath = "se\\Fire1.ogg";
    e.volume = e.balance = 70;
    e.frequency = 120;
    doc.addEffect(e);
    doc.addEffect(strEffect{});
    const std::string text = ExportText(doc);
    EXPECT_EQ(text,
              R"([{"animation1Hue":0,"animation1Name":"","animation2Hue":120,"animation2Name":"Fire2",)"
              R"("frames":[[],[],[[],[199,-3,0,120,-45,1,9,2]]],"id":1,"name":")"
              "\xE7\x81\xAB Fire" // UTF-8
              R"(","position":0,"timings":[)"
              R"({"flashColor":[255,0,0,0],"flashDuration":0,"flashScope":0,"frame":0,"se":null},)"
              R"({"flashColor":[1,2,3,4],"flashDuration":6,"flashScope":3,"frame":4,)"
              R"("se":{"name":"Fire1","pan":-30,"pitch":120,"volume":70}}]}])");
    cProject back;
    ASSERT_EQ(ImportText(text, back), 1);
    EXPECT_EQ(back.text(kTextName), "\x89\xCE Fire");

    // At most 16 cells are written: the sixteenth ends the frame. (The import drops cells past the
    // sixteenth too, so a round trip would not show the limit.)
    cProject wide;
    wide.create(0, 20, 0, 0);
    for (int i = 0; i < 20; ++i)
        PutCell(wide, 0, i, {.pattern = static_cast<uint16_t>(i + 1)});
    EXPECT_NE(ExportText(wide).find(R"([14,0,0,100,0,0,255,0],[15,0,0,100,0,0,255,0]]],"id")"),
              std::string::npos);

    // At most 999 timings are written.
    for (int i = 0; i < 1000; ++i)
        wide.addEffect(strEffect{});
    const std::string many = ExportText(wide);
    size_t timings = 0;
    for (size_t at = many.find(R"("frame":)"); at != std::string::npos; at = many.find(R"("frame":)", at + 1))
        ++timings;
    EXPECT_EQ(timings, 999u);
}

TEST(MvMaps, CellValuesBothWays) {
    auto mv = [](const strCell& c) {
        int v[8];
        mv::CellToMv(c, v);
        return std::vector<int>(v, v + 8);
    };
    // The nearest whole degree, halves upward.
    for (const auto& [tenths, degrees] : {std::pair(-455, -45), std::pair(-456, -46), std::pair(459, 46),
                                          std::pair(101, 10), std::pair(-3600, -360), std::pair(5, 1)})
        EXPECT_EQ(mv({.angle = int16_t(tenths)})[4], degrees) << tenths;
    EXPECT_EQ(mv({.picture = 1, .pattern = 250})[0], 199);
    EXPECT_EQ(mv({.pattern = 0})[0], 0); // clamped to 0..99 after -1
    EXPECT_EQ(mv({.mx = -50, .my = 70}), (std::vector<int>{0, 0, 0, 70, 0, 1, 255, 0}));
    EXPECT_EQ(mv({.mx = 0})[5], 1); // below 1 counts as mirrored

    const bool all[8] = {true, true, true, true, true, true, true, true};
    strCell d;
    const std::pair<std::array<double, 8>, strCell> read[] = {
        {{199, 0, 0, 100, -45, 0, 255, 0}, Cell(1, 100, 0, 0, 100, 100, -450, 255, 0)},
        // Angles into (-180, 180] degrees.
        {{0, 0, 0, 100, 350, 0, 255, 0}, Cell(0, 1, 0, 0, 100, 100, -100, 255, 0)},
        {{0, 0, 0, 100, -180, 0, 255, 0}, Cell(0, 1, 0, 0, 100, 100, 1800, 255, 0)},
        {{0, 0, 0, 100, 1e12, 0, 255, 0}, Cell(0, 1, 0, 0, 100, 100, 1270, 255, 0)},
        {{250, 0, 0, 100, 0, 1, 300, 2}, Cell(1, 151, 0, 0, -100, 100, 0, 300 & 0xFF, 3)},
        // x and y held to 16 bits (the document clamps further); opacity the low 8 bits of -1.
        {{99, 1e9, -1e9, 50.9, 0, 0, -1, 9}, Cell(0, 100, 32767, -32767, 50, 50, 0, 255, 0)},
    };
    for (const auto& [values, cell] : read) {
        ASSERT_TRUE(mv::CellFromMv(values.data(), all, d));
        EXPECT_EQ(d, cell) << values[0];
    }
    const double negative[8] = {-1, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_FALSE(mv::CellFromMv(negative, all, d));
    const bool none[8] = {};
    ASSERT_TRUE(mv::CellFromMv(negative, none, d));
    EXPECT_EQ(d, strCell{});
    for (int b : {0, 1, 3, 4})
        EXPECT_EQ(mv::BlendFromMv(mv::BlendToMv(b)), b);
    // Codes without an entry of their own.
    EXPECT_EQ(std::tuple(mv::BlendToMv(2), mv::BlendFromMv(7)), std::tuple(0, 0));
}

TEST(MvImport, PanAndTimingDefaults) {
    cProject doc;
    ASSERT_EQ(ImportText(Animation("[[]]",
                                   R"([{"frame":3,"se":{"name":"Hit","pan":30,"pitch":90,"volume":55}},{}])"),
                         doc),
              1);
    ASSERT_EQ(doc.effectCount(), 2);
    EXPECT_EQ(*doc.effect(0), strEffect{}); // frame 0 sorts first
    const strEffect* hit = doc.effect(1);
    EXPECT_EQ(std::tuple(hit->flags, hit->startFrame, hit->balance, hit->frequency, hit->volume),
              std::tuple(strEffect::kSound, 3, 130, 90, 55));
    // An empty name still sets the sound bit.
    ASSERT_EQ(ImportText(Animation("[[]]", R"([{"se":{"name":""}}])"), doc), 1);
    EXPECT_EQ(doc.effect(0)->flags, strEffect::kSound);
}

TEST(MvImport, RequiredKeysAndWrongTypesFail) {
    // The empty text (not JSON) and the texts of the data file, one a line.
    std::istringstream lines(
        "\n" + testing_support::ReadText(testing_support::DataPath("interchange/mv_bad_shapes.txt")));
    int count = 0;
    for (std::string text; std::getline(lines, text);) {
        if (text.starts_with("#")) continue;
        cProject doc;
        std::string why;
        EXPECT_EQ(ImportText(text, doc, &why), -1) << text;
        EXPECT_FALSE(why.empty()) << text;
        ++count;
    }
    EXPECT_EQ(count, 20);
}

TEST(MvImport, OptionalValuesOfOtherTypesKeepDefaults) {
    cProject doc;
    ASSERT_EQ(ImportText(Animation(R"([[[0,"x",null,true,[1],{},2,1],[0,1,2],[]]])",
                                   R"([{"frame":"2","flashScope":1,"flashColor":[1,"a",3],"se":"Hit"}])"),
                         doc),
              1);
    const strCell* c = doc.cell(0, 0);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(std::tuple(c->x, c->mx, c->opacity, c->blend), std::tuple(0, 100, 2, 1));
    EXPECT_EQ(doc.cell(0, 1), nullptr); // fewer than 8 elements
    const strEffect* e = doc.effect(0);
    EXPECT_EQ(std::tuple(e->startFrame, e->flags), std::tuple(0, strEffect::kFlash));
    EXPECT_EQ(e->flashRed, 128); // "flashColor" without 4 elements is ignored
}

TEST(MvImport, DeepNestingAndHugeNumbersAreRefused) {
    cProject doc;
    std::string deep = std::string(100000, '[') + std::string(100000, ']');
    EXPECT_EQ(ImportText(deep, doc), -1);
    // Brackets inside strings do not count.
    ASSERT_EQ(
        ImportText(
            R"([{"name":"[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[\"","position":1,"frames":[[]],"timings":[]}])",
            doc),
        1);
    EXPECT_EQ(doc.text(kTextName), std::string(42, '[') + "\"");
    ASSERT_EQ(ImportText(Animation("[[[1e300,-1e300,1e300,1e300,1e300,1e300,1e300,1e300]]]",
                                   R"([{"frame":-1e300,"flashScope":1e300,"flashDuration":1e300}])"),
                         doc),
              1);
    EXPECT_NE(doc.cell(0, 0), nullptr);
    EXPECT_EQ(std::tuple(doc.effect(0)->startFrame, doc.effect(0)->flashFrames), std::tuple(0, 65535));
}

TEST(MvImport, FramesBeyondTheCapacityAndCellsBeyondSixteen) {
    cProject doc;
    // More frames than a project holds are refused, never cut.
    EXPECT_EQ(ImportText(Animation(Repeated("[[0,1,0,100,0,0,255,0]]", 1200)), doc), -1);
    ASSERT_EQ(ImportText(Animation(Repeated("[[0,1,0,100,0,0,255,0]]", 1000)), doc), 1);
    EXPECT_EQ(doc.frameCount(), 1000);
    ASSERT_EQ(ImportText(Animation("[" + Repeated("[0,0,0,100,0,0,255,0]", 20) + "]"), doc), 1);
    EXPECT_EQ(doc.frame(0)->cells.occupied(), 16);
}
