// The RPG Maker MV mapping: the exact export text, the value maps both ways,
// real-shaped MV data, JSON of the wrong shape, round trips and the clipboard path.

#include "config/config.h"
#include "document/project.h"
#include "interchange/clipboard_device.h"
#include "interchange/clipboard_formats.h"
#include "interchange/mv_animation.h"
#include "platform/clipboard.h"
#include "support/document_compare.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Export(const cProject& doc, const std::string& locale = "jpn") {
    std::string out;
    EXPECT_EQ(PKMV::BuildMvPayload(doc, locale, out), 1);
    return out;
}

int Import(const std::string& text, cProject& doc, std::string* why = nullptr) {
    return PKMV::ReadMvPayload(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text.data()), text.size()),
                               doc, "jpn", why);
}

// A minimal valid animation with the given frames and timings texts.
std::string Animation(const std::string& frames, const std::string& timings = "[]") {
    return R"([{"name":"N","position":1,"frames":)" + frames + R"(,"timings":)" + timings + "}]";
}

const strCell* OnlyCell(const cProject& doc) { return doc.cell(0, 0); }

}  // namespace

TEST(MvExport, OneCellProjectExactText) {
    cProject doc;
    doc.create(0, 16, 0, 0);
    doc.setText(kTextName, "A");
    doc.frameOrCreate(0);
    strCell c;  // picture 0, pattern 1, at 0/0, 100 %, angle 0, opacity 255, normal
    doc.setCell(0, 0, &c);
    const std::string text = Export(doc);
    EXPECT_EQ(text,
              R"([{"animation1Hue":0,"animation1Name":"","animation2Hue":0,"animation2Name":"","frames":[[[0,0,0,100,0,0,255,0]]],"id":1,"name":"A","position":1,"timings":[]}])");

    platform::cMemoryClipboard clip;
    ASSERT_EQ(PKMV::ExportMv(doc, clip, cConfig::defaults()), 1);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(clip.read(clip.registerFormat(interchange::kFormatNameMV), bytes));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), text);  // no length word, no zero byte
    EXPECT_EQ(bytes.back(), ']');
}

TEST(MvExport, PicturesTimingsAndEmptySlots) {
    cProject doc;
    doc.create(0, 16, 0, 0);
    doc.setSetting(kKeyCentrePosition, 3);
    strPicture p;
    p.hue = 120;
    p.path = "img\\animations\\Fire2.png";
    doc.pictures().setCopy(1, p);
    doc.frameOrCreate(0);
    doc.frameOrCreate(2);  // slot 1 empty: left out
    strCell c;
    c.picture = 1;
    c.pattern = 250;
    c.x = -3;
    c.mx = -120;
    c.my = 80;
    c.angle = -455;
    c.opacity = 9;
    c.blend = 3;
    doc.setCell(2, 1, &c);
    strEffect e;
    e.startFrame = 4;
    e.flags = strEffect::kFlash | strEffect::kSound;
    e.flashObject = 2;
    e.flashFrames = 6;
    e.flashRed = 1;
    e.flashGreen = 2;
    e.flashBlue = 3;
    e.flashStrength = 4;
    e.soundPath = "se\\Fire1.ogg";
    e.volume = 70;
    e.frequency = 120;
    e.balance = 70;
    doc.addEffect(e);
    strEffect quiet;
    doc.addEffect(quiet);
    EXPECT_EQ(Export(doc),
              R"([{"animation1Hue":0,"animation1Name":"","animation2Hue":120,"animation2Name":"Fire2",)"
              R"("frames":[[],[[],[199,-3,0,120,-45,1,9,2]]],"id":1,"name":"","position":0,"timings":[)"
              R"({"flashColor":[255,0,0,0],"flashDuration":0,"flashScope":0,"frame":0,"se":null},)"
              R"({"flashColor":[1,2,3,4],"flashDuration":6,"flashScope":3,"frame":4,)"
              R"("se":{"name":"Fire1","pan":-30,"pitch":120,"volume":70}}]}])");
}

TEST(MvExport, AtMostSixteenCells) {
    cProject doc;
    doc.create(0, 20, 0, 0);
    doc.frameOrCreate(0);
    for (int c = 0; c < 20; ++c) {
        strCell x;
        x.pattern = static_cast<uint16_t>(c + 1);
        doc.setCell(0, c, &x);
    }
    cProject back;
    ASSERT_EQ(Import(Export(doc), back), 1);
    EXPECT_EQ(back.cellNumber(), 16);
    int n = 0;
    for (int c = 0; c < 16; ++c) n += back.cell(0, c) != nullptr;
    EXPECT_EQ(n, 16);
    EXPECT_EQ(back.cell(0, 15)->pattern, 16);
}

TEST(MvMaps, CellValuesBothWays) {
    strCell c;
    int v[8];
    c.angle = -455;
    PKMV::CellToMv(c, v);
    EXPECT_EQ(v[4], -45);
    c.angle = 459;
    PKMV::CellToMv(c, v);
    EXPECT_EQ(v[4], 45);
    c.picture = 1;
    c.pattern = 250;
    PKMV::CellToMv(c, v);
    EXPECT_EQ(v[0], 199);
    c.picture = 0;
    c.pattern = 0;  // clamped to 0..99 after -1
    PKMV::CellToMv(c, v);
    EXPECT_EQ(v[0], 0);
    c.mx = -50;
    c.my = 70;
    PKMV::CellToMv(c, v);
    EXPECT_EQ(v[3], 70);
    EXPECT_EQ(v[5], 1);
    c.mx = 0;  // below 1 counts as mirrored
    PKMV::CellToMv(c, v);
    EXPECT_EQ(v[5], 1);

    const bool all[8] = {true, true, true, true, true, true, true, true};
    strCell d;
    const double p199[8] = {199, 0, 0, 100, -45, 0, 255, 0};
    ASSERT_TRUE(PKMV::CellFromMv(p199, all, d));
    EXPECT_EQ(d.picture, 1);
    EXPECT_EQ(d.pattern, 100);
    EXPECT_EQ(d.angle, -450);
    const double p250[8] = {250, 0, 0, 100, 0, 1, 300, 2};
    ASSERT_TRUE(PKMV::CellFromMv(p250, all, d));
    EXPECT_EQ(d.picture, 1);
    EXPECT_EQ(d.pattern, 151);
    EXPECT_EQ(d.mx, -100);
    EXPECT_EQ(d.my, 100);
    EXPECT_EQ(d.opacity, 300 & 0xFF);
    EXPECT_EQ(d.blend, 3);
    const double p99[8] = {99, 1e9, -1e9, 50.9, 0, 0, -1, 9};
    ASSERT_TRUE(PKMV::CellFromMv(p99, all, d));
    EXPECT_EQ(d.picture, 0);
    EXPECT_EQ(d.pattern, 100);
    EXPECT_EQ(d.x, 32767);  // held to 16 bits; the document clamps further
    EXPECT_EQ(d.y, -32767);
    EXPECT_EQ(d.mx, 50);
    EXPECT_EQ(d.opacity, 255);  // low 8 bits of -1
    EXPECT_EQ(d.blend, 0);
    const double negative[8] = {-1, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_FALSE(PKMV::CellFromMv(negative, all, d));
    const bool none[8] = {};
    ASSERT_TRUE(PKMV::CellFromMv(negative, none, d));
    EXPECT_EQ(d, strCell{});
}

TEST(MvMaps, Tables) {
    const int toMv[] = {1, 3, 2, 0, 1, 1};
    for (int c = 0; c < 6; ++c) EXPECT_EQ(PKMV::PositionToMv(c), toMv[c]);
    const int fromMv[] = {3, 0, 2, 1};
    for (int p = 0; p < 4; ++p) EXPECT_EQ(PKMV::PositionFromMv(p), fromMv[p]);
    EXPECT_EQ(PKMV::PositionFromMv(9), 0);
    EXPECT_EQ(PKMV::FlashScopeToMv(0), 2);
    EXPECT_EQ(PKMV::FlashScopeToMv(1), 1);
    EXPECT_EQ(PKMV::FlashScopeToMv(2), 3);
    EXPECT_EQ(PKMV::FlashObjectFromMv(1), 1);
    EXPECT_EQ(PKMV::FlashObjectFromMv(2), 0);
    EXPECT_EQ(PKMV::FlashObjectFromMv(3), 2);
    const int blendTo[] = {0, 1, 0, 2, 3};
    for (int b = 0; b < 5; ++b) EXPECT_EQ(PKMV::BlendToMv(b), blendTo[b]);
    const int blendFrom[] = {0, 1, 3, 4};
    for (int b = 0; b < 4; ++b) EXPECT_EQ(PKMV::BlendFromMv(b), blendFrom[b]);
    EXPECT_EQ(PKMV::BlendFromMv(7), 0);
}

TEST(MvImport, PanAndTimingDefaults) {
    cProject doc;
    ASSERT_EQ(Import(Animation("[[]]", R"([{"frame":3,"se":{"name":"Hit","pan":30,"pitch":90,"volume":55}},{}])"),
                     doc),
              1);
    ASSERT_EQ(doc.effectCount(), 2);
    const strEffect* bare = doc.effect(0);  // frame 0 sorts first
    EXPECT_EQ(bare->flags, 0);
    EXPECT_EQ(*bare, strEffect{});
    const strEffect* hit = doc.effect(1);
    EXPECT_EQ(hit->flags, strEffect::kSound);
    EXPECT_EQ(hit->startFrame, 3);
    EXPECT_EQ(hit->balance, 130);
    EXPECT_EQ(hit->frequency, 90);
    EXPECT_EQ(hit->volume, 55);
    // An empty name still sets the sound bit.
    ASSERT_EQ(Import(Animation("[[]]", R"([{"se":{"name":""}}])"), doc), 1);
    EXPECT_EQ(doc.effect(0)->flags, strEffect::kSound);
}

TEST(MvImport, RealShapedAnimationsJsonElement) {
    const std::string text = testing_support::ReadText(testing_support::DataPath("mv/real_shaped/payload.json"));
    cProject doc;
    std::string why;
    ASSERT_EQ(Import(text, doc, &why), 1) << why;
    EXPECT_EQ(doc.text(kTextName), "\x8D\x55\x8C\x82 Physical");  // CP932
    EXPECT_EQ(doc.getSetting(kKeyCentrePosition), 1);
    EXPECT_EQ(doc.cellNumber(), 16);
    EXPECT_EQ(doc.getSetting(kKeySplitFormat), 1);
    EXPECT_EQ(doc.getSetting(kKeyEditFormat), 2);
    EXPECT_EQ(doc.getSetting(kKeyLock), 0);
    EXPECT_EQ(doc.getSetting(kKeyBasicInterval), 1);
    ASSERT_NE(doc.picture(0), nullptr);
    EXPECT_EQ(doc.picture(0)->path, "Hit1");
    EXPECT_EQ(doc.picture(0)->hue, 40);
    EXPECT_EQ(doc.picture(0)->divX, 192);
    EXPECT_EQ(doc.picture(1), nullptr);

    EXPECT_EQ(doc.frameCount(), 3);
    const strCell* a = doc.cell(0, 0);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->pattern, 1);
    EXPECT_EQ(a->x, -12);
    EXPECT_EQ(a->y, -30);
    EXPECT_EQ(a->mx, 150);
    EXPECT_EQ(a->my, 150);
    EXPECT_EQ(a->blend, 1);
    EXPECT_EQ(doc.cell(0, 1), nullptr);  // [-1,0,...]: unused
    const strCell* b = doc.cell(0, 2);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->picture, 1);
    EXPECT_EQ(b->pattern, 3);
    EXPECT_EQ(b->x, 60);
    EXPECT_EQ(b->y, 20);
    EXPECT_EQ(b->mx, -80);
    EXPECT_EQ(b->my, 80);
    EXPECT_EQ(b->angle, -450);
    EXPECT_EQ(b->opacity, 127);
    EXPECT_EQ(b->blend, 3);
    ASSERT_NE(doc.frame(1), nullptr);
    EXPECT_EQ(doc.frame(1)->cells.occupied(), 0);
    EXPECT_EQ(doc.cell(2, 0), nullptr);
    ASSERT_NE(doc.cell(2, 2), nullptr);
    EXPECT_EQ(doc.cell(2, 2)->pattern, 6);
    EXPECT_EQ(doc.cell(2, 2)->angle, 900);
    EXPECT_EQ(doc.cell(2, 2)->blend, 4);

    ASSERT_EQ(doc.effectCount(), 3);
    const strEffect* t0 = doc.effect(0);
    EXPECT_EQ(t0->startFrame, 0);
    EXPECT_EQ(t0->flags, strEffect::kFlash | strEffect::kSound);
    EXPECT_EQ(t0->flashObject, 1);
    EXPECT_EQ(t0->flashFrames, 5);
    EXPECT_EQ(t0->flashStrength, 153);
    EXPECT_EQ(t0->soundPath, "Attack3");
    EXPECT_EQ(t0->balance, 80);
    EXPECT_EQ(t0->frequency, 150);
    EXPECT_EQ(t0->volume, 90);
    const strEffect* t1 = doc.effect(1);  // "frame": 1.9
    EXPECT_EQ(t1->startFrame, 1);
    EXPECT_EQ(t1->flags, strEffect::kFlash);
    EXPECT_EQ(t1->flashObject, 0);
    EXPECT_EQ(t1->flashFrames, 3);
    EXPECT_EQ(t1->flashRed, 0);
    EXPECT_EQ(t1->flashGreen, 128);
    EXPECT_EQ(t1->flashBlue, 255);
    EXPECT_EQ(t1->flashStrength, 200);
    const strEffect* t2 = doc.effect(2);
    EXPECT_EQ(t2->startFrame, 2);
    EXPECT_EQ(t2->flags, 0);
}

TEST(MvImport, RequiredKeysAndWrongTypesFail) {
    const char* bad[] = {
        "",                                                     // not JSON
        "[{\"name\":\"N\"",                                     // cut short
        "[]",                                                   // empty top level
        "{\"name\":\"N\"}",                                     // top level not an array
        "[[1,2]]",                                              // animation not an object
        "[3]",                                                  //
        R"([{"position":1,"frames":[[]],"timings":[]}])",       // no name
        R"([{"name":5,"position":1,"frames":[[]],"timings":[]}])",
        R"([{"name":"N","frames":[[]],"timings":[]}])",         // no position
        R"([{"name":"N","position":"1","frames":[[]],"timings":[]}])",
        R"([{"name":"N","position":1,"timings":[]}])",          // no frames
        R"([{"name":"N","position":1,"frames":[],"timings":[]}])",
        R"([{"name":"N","position":1,"frames":{},"timings":[]}])",
        R"([{"name":"N","position":1,"frames":[[]]}])",         // no timings
        R"([{"name":"N","position":1,"frames":[[]],"timings":{}}])",
        R"([{"name":"N","position":1,"frames":[5],"timings":[]}])",        // frame not an array
        R"([{"name":"N","position":1,"frames":[[7]],"timings":[]}])",      // cell not an array
        R"([{"name":"N","position":1,"frames":[[{}]],"timings":[]}])",
        R"([{"name":"N","position":1,"frames":[[]],"timings":[1]}])",      // timing not an object
        R"([{"name":"N","position":1,"frames":[[]],"timings":[[]]}])",
    };
    for (const char* text : bad) {
        cProject doc;
        std::string why;
        EXPECT_EQ(Import(text, doc, &why), -1) << text;
        EXPECT_FALSE(why.empty()) << text;
    }
}

TEST(MvImport, OptionalValuesOfOtherTypesKeepDefaults) {
    cProject doc;
    ASSERT_EQ(Import(Animation(R"([[[0,"x",null,true,[1],{},2,1],[0,1,2],[]]])",
                               R"([{"frame":"2","flashScope":1,"flashColor":[1,"a",3],"se":"Hit"}])"),
                     doc),
              1);
    const strCell* c = OnlyCell(doc);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->x, 0);
    EXPECT_EQ(c->mx, 100);
    EXPECT_EQ(c->opacity, 2);
    EXPECT_EQ(c->blend, 1);
    EXPECT_EQ(doc.cell(0, 1), nullptr);  // fewer than 8 elements
    const strEffect* e = doc.effect(0);
    EXPECT_EQ(e->startFrame, 0);
    EXPECT_EQ(e->flags, strEffect::kFlash);
    EXPECT_EQ(e->flashRed, 128);  // "flashColor" without 4 elements is ignored
}

TEST(MvImport, DeepNestingAndHugeNumbersAreRefused) {
    cProject doc;
    std::string deep = std::string(100000, '[') + std::string(100000, ']');
    EXPECT_EQ(Import(deep, doc), -1);
    // Brackets inside strings do not count.
    ASSERT_EQ(Import(R"([{"name":"[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[\"","position":1,"frames":[[]],"timings":[]}])",
                     doc),
              1);
    EXPECT_EQ(doc.text(kTextName), std::string(42, '[') + "\"");
    ASSERT_EQ(Import(Animation("[[[1e300,-1e300,1e300,1e300,1e300,1e300,1e300,1e300]]]",
                               R"([{"frame":-1e300,"flashScope":1e300,"flashDuration":1e300}])"),
                     doc),
              1);
    EXPECT_NE(OnlyCell(doc), nullptr);
    EXPECT_EQ(doc.effect(0)->startFrame, 0);
    EXPECT_EQ(doc.effect(0)->flashFrames, 65535);
}

TEST(MvImport, FramesBeyondTheCapacityAndCellsBeyondSixteen) {
    std::string frames = "[";
    for (int i = 0; i < 1200; ++i) frames += i ? ",[[0,1,0,100,0,0,255,0]]" : "[[0,1,0,100,0,0,255,0]]";
    frames += "]";
    cProject doc;
    ASSERT_EQ(Import(Animation(frames), doc), 1);
    EXPECT_EQ(doc.frameCount(), 1000);
    std::string wide = "[[";
    for (int i = 0; i < 20; ++i) wide += i ? ",[0,0,0,100,0,0,255,0]" : "[0,0,0,100,0,0,255,0]";
    wide += "]]";
    ASSERT_EQ(Import(Animation(wide), doc), 1);
    EXPECT_EQ(doc.frame(0)->cells.occupied(), 16);
}

TEST(MvRoundTrip, ProjectToPayloadToProject) {
    cProject doc;
    doc.create(0, 16, 0, 0);
    doc.applyDefaults();
    doc.setSetting(kKeySplitFormat, 1);
    doc.setSetting(kKeyEditFormat, 2);
    doc.setSetting(kKeyLock, 0);
    doc.setSetting(kKeyBasicInterval, 1);
    doc.setSetting(kKeyCentrePosition, 2);
    doc.setText(kTextName, "\x89\xCE Fire");  // CP932 "火 Fire"
    strPicture p;
    p.divX = p.divY = 192;
    p.path = "Fire1";
    p.hue = 200;
    doc.pictures().setCopy(0, p);
    p.path = "Fire2";
    p.hue = 0;
    doc.pictures().setCopy(1, p);
    const uint8_t blends[] = {0, 1, 3, 4};
    for (int f = 0; f < 8; ++f) {
        doc.frameOrCreate(f);
        for (int c = f % 2; c < 16; c += 3) {
            strCell x;
            x.picture = static_cast<uint8_t>((f + c) % 2);
            x.pattern = static_cast<uint16_t>(1 + (f * 5 + c) % 100);
            x.x = static_cast<int16_t>(f * 30 - c * 11);
            x.y = static_cast<int16_t>(c * 7 - 300);
            x.mx = static_cast<int16_t>((c % 2 ? -1 : 1) * (50 + 10 * f));
            x.my = static_cast<int16_t>(50 + 10 * f);
            x.angle = static_cast<int16_t>((c - 8) * 150);
            x.opacity = static_cast<uint8_t>(f * 30);
            x.blend = blends[(f + c) % 4];
            doc.setCell(f, c, &x);
        }
    }
    strEffect e;
    e.startFrame = 1;
    e.flags = strEffect::kFlash | strEffect::kSound;
    e.flashObject = 2;
    e.flashFrames = 12;
    e.flashRed = 10;
    e.flashGreen = 20;
    e.flashBlue = 30;
    e.flashStrength = 40;
    e.soundPath = "Thunder9";
    e.volume = 80;
    e.frequency = 150;
    e.balance = 30;
    doc.addEffect(e);
    strEffect plain;
    plain.startFrame = 5;
    doc.addEffect(plain);

    const std::string text = Export(doc);
    EXPECT_NE(text.find("\"name\":\"\xE7\x81\xAB Fire\""), std::string::npos);  // UTF-8
    cProject back;
    ASSERT_EQ(Import(text, back), 1);
    EXPECT_EQ(testing_support::CompareProjects(doc, back), "");
    EXPECT_EQ(Export(back), text);
}

TEST(MvClipboard, DispatcherImportExportAndMissingFormat) {
    cConfig cfg = cConfig::defaults();
    platform::cMemoryClipboard clip;
    interchange::cClipboardDevice device(clip, cfg);
    cProject doc(&cfg);
    EXPECT_EQ(device.ImportClipboard(doc, interchange::kProductMV), -1);

    const std::string text = Animation("[[[0,0,0,100,0,0,255,0]]]", R"([{"frame":0,"se":{"name":"Hit"}}])");
    clip.write(clip.registerFormat(interchange::kFormatNameMV), std::vector<uint8_t>(text.begin(), text.end()));
    std::unique_ptr<cProject> current = std::make_unique<cProject>(&cfg);
    cProject* before = current.get();
    auto report = interchange::RunImportCommand(device, current, interchange::kProductMV, "/work/folder");
    EXPECT_EQ(report.Text(), "RPG Maker MV [Anime fight] : Import succeeded");
    ASSERT_NE(current.get(), before);
    EXPECT_EQ(current->effect(0)->soundPath, "Sound\\Hit");
    EXPECT_EQ(current->text(kTextBaseFolder), "/work/folder");

    EXPECT_EQ(interchange::RunExportCommand(device, *current, interchange::kProductMV).Text(),
              "RPG Maker MV [Anime fight] : Export succeeded");

    const std::string broken = "[{\"name\":1}]";
    clip.write(clip.registerFormat(interchange::kFormatNameMV), std::vector<uint8_t>(broken.begin(), broken.end()));
    cProject* kept = current.get();
    report = interchange::RunImportCommand(device, current, interchange::kProductMV, "/work/folder");
    EXPECT_EQ(report.Text(), "< ! > RPG Maker MV [Anime fight] : Import failed");
    EXPECT_EQ(current.get(), kept);
    EXPECT_FALSE(device.LastError().empty());
}
