// The RPG Maker 2000 animation mapping: exact payload bytes, the value maps, the
// import of hand-written records (with chunks the reader must skip) and bad input (round trips:
// clip_property_test.cpp).

#include "config/config.h"
#include "document/project.h"
#include "interchange/clip_2000.h"
#include "interchange/clipboard_device.h"
#include "interchange_fixture.h"
#include "platform/clipboard.h"
#include "support/document_compare.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

using namespace interchange_test;

namespace {

// Hand-built LCF pieces (lengths below 128, so one length byte), independent of the writer.
Bytes Chunk(uint8_t id, const Bytes& data) {
    return Cat({{id, static_cast<uint8_t>(data.size())}, data});
}
Bytes Payload(const Bytes& record) {
    const uint32_t n = static_cast<uint32_t>(record.size());
    return Cat({{uint8_t(n), uint8_t(n >> 8), uint8_t(n >> 16), uint8_t(n >> 24), 1, 0, 0, 0}, record});
}

// A project of `cells` cell slots with picture 0.
std::unique_ptr<cProject> WithPicture(int cells, const std::string& path) {
    auto doc = std::make_unique<cProject>();
    doc->create(0, cells, 0, 0);
    doc->setPicture(0, Picture(path));
    return doc;
}

Bytes Export(const cProject& doc) {
    return interchange_test::Export(doc, kProduct2000);
}

} // namespace

TEST(Lcf2000Export, OneCellOneTimingExactBytes) {
    auto doc = WithPicture(16, "Pic\\Fire1.png");
    doc->setSetting(kKeyCentrePosition, 1); // Whole: scope 1, position 1
    PutCell(*doc, 0, 0, Cell(0, 3, -2, 5, 150, 150, 0, 255, 0));
    doc->addEffect(Flash(0, 1, 255, 128, 0, 255, 0));

    const Bytes sound = Cat({Chunk(1, Text("(OFF)")), {0x00}});
    const Bytes timing =
        Cat({Chunk(1, {1}), Chunk(2, sound), Chunk(3, {1}), Chunk(5, {16}), Chunk(6, {0}), {0x00}});
    const Bytes cell = Cat({Chunk(2, {2}),
                            Chunk(3, {0x8F, 0xFF, 0xFF, 0xFF, 0x7E}),
                            Chunk(4, {5}),
                            Chunk(5, {0x81, 0x16}),
                            {0x00}});
    const Bytes frames = Cat({{1, 1}, Chunk(1, Cat({{1, 1}, cell})), {0x00}});
    const Bytes record = Cat({Chunk(2, Text("Fire1")),
                              Chunk(6, Cat({{1, 1}, timing})),
                              Chunk(9, {1}),
                              Chunk(10, {1}),
                              Chunk(12, frames),
                              {0x00}});
    EXPECT_EQ(Export(*doc), Payload(record));
    EXPECT_EQ(Export(*doc).size(), 76u);
}

TEST(Lcf2000Export, GraphicAndLongTexts) {
    // The graphic is the first occupied picture slot; texts of 128 bytes or more keep their length.
    cProject doc;
    doc.create(0, 16, 0, 0);
    const std::string name(200, 'n');
    const std::string title(130, 't');
    doc.setText(kTextName, name);
    doc.setPicture(2, Picture("C:\\Games\\Graphics\\" + title + ".png"));
    doc.setPicture(5, Picture("Other.png"));
    const Bytes b = Export(doc);
    EXPECT_EQ(b[8], 0x01); // chunk 1
    EXPECT_EQ(b[9], 0x81); // 200 as a variable-length integer: 81 48
    EXPECT_EQ(b[10], 0x48);
    cProject back;
    ASSERT_EQ(Import(b, back, kProduct2000), 1);
    EXPECT_EQ(back.text(kTextName), name);
    EXPECT_EQ(back.picture(0)->path, title);
}

// The 2000 format names one picture; without any the export says so rather than blaming the clipboard.
TEST(Lcf2000Export, NoPictureFailsAndLeavesTheClipboardAlone) {
    cProject doc;
    doc.create(0, 16, 4, 0); // four empty picture slots
    Bytes out{1, 2, 3};
    EXPECT_EQ(lcf::BuildLcfPayload(doc, out), -1);
    EXPECT_TRUE(out.empty());

    platform::cMemoryClipboard clip;
    const uint32_t other = clip.registerFormat("text/plain");
    clip.write(other, {'h', 'i'});
    interchange::cClipboardDevice device(clip, cConfig::defaults());
    EXPECT_EQ(device.exportClipboard(doc, interchange::kProduct2000), -1);
    EXPECT_EQ(device.lastError(), strMessage(kWhy2000NeedsPicture));
    EXPECT_TRUE(clip.isAvailable(other));
    EXPECT_FALSE(clip.isAvailable(platform::cClipboard::kFormat2000));
    // Any picture slot serves as the graphic.
    doc.setPicture(3, strPicture{});
    EXPECT_EQ(device.exportClipboard(doc, interchange::kProduct2000), 1);
    EXPECT_TRUE(device.lastError().none());
}

TEST(Lcf2000Maps, ValuesTheRoundTripsDoNotReach) {
    // Zoom of a mirrored cell, its lower bound 20; five-bit colours held to 0..31.
    EXPECT_EQ(std::tuple(lcf::ZoomOf(-200, 50), lcf::ZoomOf(-200, -50), lcf::ZoomOf(150, 120)),
              std::tuple(50, 20, 150));
    EXPECT_EQ(std::tuple(lcf::OpacityToTransparency(128), lcf::TransparencyToOpacity(49)),
              std::tuple(49, 130));
    EXPECT_EQ(std::tuple(lcf::ColourFrom5(16), lcf::ColourFrom5(99)), std::tuple(132, 255));
    for (int v = 0; v <= 31; ++v)
        EXPECT_EQ(lcf::ColourTo5(lcf::ColourFrom5(v)), v);
    // Unknown centre positions and flash scopes.
    EXPECT_EQ(std::tuple(lcf::CentreFromScopePosition(0, 0), lcf::CentreFromScopePosition(0, 7)),
              std::tuple(3, 2));
    EXPECT_EQ(lcf::FlashObjectToScope(2), 0);
    strEffect e{.flashObject = 1};
    lcf::FlashScopeToObject(2, e);
    EXPECT_EQ(e.flashObject, 0);
    e.flashObject = 1;
    lcf::FlashScopeToObject(5, e); // another non-zero value keeps the object
    EXPECT_EQ(e.flashObject, 1);
}

TEST(Lcf2000Export, SoundClampsTimingCountAndEightCellSlots) {
    auto doc = WithPicture(12, ""); // no chunk 2: the timings come first
    // Two timings, count 2. The second has no valid block.
    strEffect loud = Sound(0, "Sound\\Bang.ogg", 150, 30);
    loud.balance = 200;
    doc->addEffect(loud);
    doc->addEffect(strEffect{.startFrame = 3});
    for (int c = 0; c < 12; ++c)
        PutCell(*doc, 0, c, {.pattern = static_cast<uint16_t>(c + 1)});
    const Bytes b = Export(*doc);
    // The timing array begins right after the header: chunk 6, its length, then the count.
    ASSERT_EQ(b[8], 0x06);
    EXPECT_EQ(b[10], 2);

    cProject back;
    ASSERT_EQ(Import(b, back, kProduct2000), 1);
    ASSERT_EQ(back.effectCount(), 2);
    const strEffect* a = back.effect(0);
    EXPECT_EQ(std::tuple(a->flags, a->soundPath, a->volume, a->frequency, a->balance),
              std::tuple(strEffect::kSound, "Bang", 100, 50, 200));
    EXPECT_EQ(std::tuple(back.effect(1)->flags, back.effect(1)->startFrame), std::tuple(0, 3));
    // At most eight cell slots: the eighth comes back, the ones past it are not written. (The import
    // drops cells past the eighth too, so a round trip alone would not show the limit.)
    ASSERT_NE(back.cell(0, 7), nullptr);
    for (int c = 8; c < 12; ++c)
        doc->setCell(0, c, nullptr);
    EXPECT_EQ(Export(*doc), b);
}

TEST(Lcf2000Import, OffSoundAndNoFlashStillAddsAnEffect) {
    const Bytes timing = Cat({Chunk(1, {1}), Chunk(2, Cat({Chunk(1, Text("(OFF)")), {0x00}})), {0x00}});
    cProject doc;
    std::string why;
    ASSERT_EQ(Import(Payload(Cat({Chunk(6, Cat({{1, 1}, timing})), Chunk(12, {0}), {0x00}})), doc,
                     kProduct2000, &why),
              1)
        << why;
    ASSERT_EQ(doc.effectCount(), 1);
    EXPECT_EQ(std::tuple(doc.effect(0)->flags, doc.effect(0)->startFrame), std::tuple(0, 0));
    // Without chunks 9 and 10 the LCF defaults (scope 0, position 2) give "Down".
    EXPECT_EQ(doc.getSetting(kKeyCentrePosition), 2);
    EXPECT_NE(doc.picture(0), nullptr); // picture slot 0 even with an empty title
}

TEST(Lcf2000Import, BadHeadersFail) {
    const std::string json = R"([{"animation1Hue":0,"frames":[]}])";
    const std::pair<Bytes, int> headers[] = {
        {{}, -1},
        {{1, 0, 0, 0}, -1},
        {{0, 0, 0, 0, 1, 0, 0, 0, 0}, -1},
        {{1, 0, 0, 0, 0, 0, 0, 0, 0}, -1},
        {{1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0}, -1}, // -1 records
        {{1, 0, 0, 0, 1, 0, 0, 0, 0}, -1},             // a record without frames
        {{4, 0, 0, 0, 1, 0, 0, 0, 12, 1, 0, 0}, 1},    // no frames, but the chunk
        {{1, 0, 0, 0, 1, 0, 0, 0}, -1},                // no record at all
        // Other data under format 582: a JSON text's first bytes are two positive words.
        {Text(json), -1},
    };
    for (const auto& [bytes, result] : headers) {
        cProject doc;
        EXPECT_EQ(Import(bytes, doc, kProduct2000), result) << testing::PrintToString(bytes);
    }
    cProject doc;
    platform::cMemoryClipboard clip;
    EXPECT_EQ(lcf::ImportLcf(doc, clip, cConfig::defaults()), -1); // format absent
}

TEST(Lcf2000Import, EveryPrefixFails) {
    const cConfig cfg = TestConfig();
    const Bytes full = Export(*SampleProject(cfg));
    ASSERT_LT(full.size(), 264u); // the length word below is one byte
    for (size_t n = 0; n <= full.size(); ++n) {
        Bytes cut(full.begin(), full.begin() + static_cast<long>(n));
        cProject back;
        EXPECT_EQ(Import(cut, back, kProduct2000), n == full.size() ? 1 : -1) << n;
        if (n < 9) continue;
        cut[0] = static_cast<uint8_t>(n - 8); // a header that agrees with the cut: still cut short
        cut[1] = 0;
        EXPECT_EQ(Import(cut, back, kProduct2000), n == full.size() ? 1 : -1) << n;
    }
}

TEST(Lcf2000Import, TheLengthWordIsNotTrusted) {
    // The record runs to its end marker whatever the first word says (it must only be positive).
    // After it a block rounded up holds zero bytes, or anything when the record ends where the
    // length word says; other bytes after the record are not an animation block.
    const cConfig cfg = TestConfig();
    const Bytes exact = Export(*SampleProject(cfg));
    cProject reference;
    ASSERT_EQ(Import(exact, reference, kProduct2000), 1);
    const uint32_t length = static_cast<uint32_t>(exact.size() - 8);
    for (uint32_t word : {length, 1u, length - 3, length + 1, 0x7FFFFFFFu}) {
        for (const auto& [padding, fill] :
             {std::pair(size_t(0), 0), std::pair(size_t(5), 0), std::pair(size_t(5), 0xEE)}) {
            Bytes block = Rewrapped(exact, word, 0);
            block.insert(block.end(), padding, uint8_t(fill));
            cProject back;
            std::string why;
            const bool accepted = fill == 0 || word == length;
            ASSERT_EQ(Import(block, back, kProduct2000, &why), accepted ? 1 : -1) << word << " " << padding;
            if (accepted)
                EXPECT_EQ(testing_support::CompareProjects(reference, back), "") << word << " " << padding;
            else
                EXPECT_EQ(why, "not an RPG Maker 2000 animation: data follows the animation record (byte " +
                                   std::to_string(exact.size()) + ")");
        }
    }
}

// Data of another kind under format 582 is refused with where it stops being an animation record,
// never imported as an empty animation (which would replace the user's document).
TEST(Lcf2000Import, OnlyAnAnimationRecordToItsEndIsAccepted) {
    const cConfig cfg = TestConfig();
    const Bytes good = Export(*SampleProject(cfg));
    auto patched = [&good](size_t at, std::initializer_list<uint8_t> bytes) {
        Bytes b = good;
        std::copy(bytes.begin(), bytes.end(), b.begin() + long(at));
        return b;
    };
    const Bytes frames = Cat({Chunk(1, Cat({{1, 1}, Chunk(2, {2}), {0x00}})), {0x00}});
    const std::pair<Bytes, std::string> cases[] = {
        {Text("RIFF$\x08\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0D\xAC\0\0\x88X\x01\0\x02\0\x10\0data"),
         "the block is shorter than its 8-byte header (byte 0)"},
        {Cat({{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 0x0D}, Text("IHDR")}),
         "the animation record has no frames (byte 0)"},
        {Text(R"([{"animation1Hue":0,"animation1Name":"","frames":[[]],"id":1}])"),
         "a chunk of the animation record runs past its end (byte 10)"},
        {Cat({{0x30, 0, 0, 0, 4, 8, 0x5B, 6, 0x6F, 0x3A, 0x13}, Text("RPG::Animation")}),
         "a chunk of the animation record runs past its end (byte 10)"},
        // Valid pieces, wrongly put together.
        {Payload(Cat({Chunk(12, Cat({{1, 1}, frames})), Chunk(9, {1}), {0x00}})),
         "chunk ids of the animation record are not ascending (byte 22)"},
        {Payload(Cat({Chunk(9, {1, 1}), Chunk(12, {0}), {0x00}})),
         "a chunk of the animation record holds more than its value (byte 11)"},
        {Payload(Cat({Chunk(12, Cat({{2, 1}, frames})), {0x00}})),
         "a number runs past the end of its chunk (byte 21)"},
        {Payload(Cat({Chunk(12, Cat({{2, 1}, frames, {1}, frames})), {0x00}})),
         "the indices of the frame records are not ascending (byte 22)"},
        {Payload(Cat({Chunk(12, {0}), {0x07}})),
         "chunk ids of the animation record are not ascending (byte 12)"},
        {patched(good.size() - 1, {0x01}),
         "chunk ids of the animation record are not ascending (byte " + std::to_string(good.size()) + ")"},
        {Payload(Cat({Chunk(12, {0x8F, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}), {0x00}})),
         "a number does not fit in 32 bits (byte 15)"},
    };
    for (const auto& [bytes, reason] : cases) {
        cProject doc;
        std::string why;
        EXPECT_EQ(Import(bytes, doc, kProduct2000, &why), -1) << reason;
        EXPECT_EQ(why, "not an RPG Maker 2000 animation: " + reason);
    }
    // Chunks the reader does not know (2003 ones) still pass when they are shaped as chunks.
    cProject doc;
    std::string why;
    EXPECT_EQ(
        Import(Payload(Cat({Chunk(3, {1}), Chunk(12, Cat({{1, 1}, frames})), Chunk(40, Text("x")), {0x00}})),
               doc, kProduct2000, &why),
        1)
        << why;
}

TEST(Lcf2000Import, CountsAboveAProjectAreRefused) {
    // A frame count of 2^31 with two bytes of data: refused by its count, nothing allocated for it.
    const Bytes record = Cat({Chunk(12, {0x88, 0x80, 0x80, 0x80, 0x00, 0x01, 0x00}), {0x00}});
    cProject doc;
    std::string why;
    ASSERT_EQ(Import(Payload(record), doc, kProduct2000, &why), -1);
    EXPECT_EQ(why, "the project has 2147483648 frames; a project holds at most 1000");
    const Bytes timings = Cat({Chunk(6, {0x87, 0x69}), Chunk(12, {0}), {0x00}}); // 1001 timings
    ASSERT_EQ(Import(Payload(timings), doc, kProduct2000, &why), -1);
    EXPECT_EQ(why, "the project has 1001 effects; a project holds at most 1000");
}
