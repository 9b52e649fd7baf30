// The edit clipboard payloads: exact envelopes and bodies, the reversed record
// order, the kind check that enables Paste, and strict reading of malformed payloads.

#include "interchange/clipboard_formats.h"
#include "interchange/edit_clip.h"
#include "interchange_fixture.h"
#include "platform/clipboard.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

using namespace interchange_test;

namespace {

Bytes Built(cEditClip& payload) {
    EXPECT_TRUE(payload.build());
    return payload.buffer();
}

Bytes Padded(Bytes b, size_t n, uint8_t fill) {
    b.insert(b.end(), n, fill);
    return b;
}

} // namespace

TEST(EditClipPayload, PictureWithEmptyPathIs18Bytes) {
    strPicture p{.divX = 5, .divY = 0x0102, .hue = 359};
    cClip_Picture payload(&p);
    EXPECT_EQ(Built(payload), (Bytes{0x11, 0x11, 0x00, 0x40, 0x0A, 0x00, 0x00, 0x00, 0x05, 0x00, 0x02, 0x01,
                                     0x67, 0x01, 0x00, 0x00, 0x00, 0x00}));
    p.path = "a\\b";
    EXPECT_EQ(Built(payload), (Bytes{0x11, 0x11, 0x00, 0x40, 0x0D, 0x00, 0x00, 0x00, 0x05, 0x00, 0x02,
                                     0x01, 0x67, 0x01, 0x00, 0x00, 0x03, 'a',  '\\', 'b',  0x00}));

    cClip_Picture nothing;
    EXPECT_FALSE(nothing.build());
    EXPECT_EQ(nothing.size(), 0u);
}

TEST(EditClipPayload, EffectLayout) {
    strEffect e{0x0203, 7, 9, 1, 2, 10, 11, 12, 13, 80, 0x0120, 150, "se", "u"};
    cClip_Effect payload(&e);
    EXPECT_EQ(Built(payload),
              (Bytes{0x22, 0x22, 0x00, 0x40, 0x1A, 0x00, 0x00, 0x00, // kind, length 26
                     0x03, 0x02, 0x07, 0x00, 0x09, 0x00, 0x01, 0x02, 10,   11,
                     12,   13,   80,   0x00, 0x20, 0x01, 150,  0x00, 0x00, 0x00, // 20-byte fixed part
                     0x02, 's',  'e',  0x01, 'u',  0x00}));
    strEffect back;
    back.userData = "keep";
    cClip_Effect reader(&back);
    ASSERT_TRUE(reader.parse(payload.buffer()));
    EXPECT_EQ(back, e);

    // A zero text length leaves the record's text as it was.
    e.userData.clear();
    payload.build();
    back.userData = "keep";
    ASSERT_TRUE(reader.parse(payload.buffer()));
    EXPECT_EQ(back.userData, "keep");
}

TEST(EditClipPayload, MassRecordsAreStoredReversed) {
    cClip_Mass mass(kClipRows);
    const strCell a{.picture = 2, .pattern = 0x0304, .x = -1};
    const strCell b{.angle = -3600};
    mass.addCell(0, 1, a);
    mass.addCell(4, 2, b);
    mass.addEmpty(1, 1);
    mass.addEmpty(2, 1);
    mass.addEmpty(3, 1);
    mass.addFrame(7, 8);
    mass.addLock(0, 5);
    mass.addLock(1, 6);
    EXPECT_EQ(Built(mass), Cat({{0x55, 0x55, 0x00, 0x40, 89, 0, 0, 0}, // kind, length of the rest
                                {0, 0, 0, 0, 2, 0, 3, 0, 1, 0, 2, 0},  // reserved, then the four counts
                                // The first cell record in the bytes is the last one collected: offsets 4 /
                                // 2, angle F1F0.
                                {4, 0,   2, 0,   0, 0,    1,    0,   0,   0,   0,   0,   0,
                                 0, 100, 0, 100, 0, 0xF0, 0xF1, 255, 100, 100, 100, 100, 0},
                                {0, 0,   1, 0,   2, 0, 4, 3,   0,   0,   0xFF, 0xFF, 0,
                                 0, 100, 0, 100, 0, 0, 0, 255, 100, 100, 100,  100,  0},
                                {3, 0, 1, 0, 2, 0, 1, 0, 1, 0, 1, 0}, // empties
                                {7, 0, 8, 0},                         // frame
                                {1, 0, 6, 0, 0, 0, 5, 0},             // locks
                                {0}}));
}

TEST(EditClipPayload, EmptyOrOversizedMassPutsNothing) {
    cClip_Mass mass(kClipCells);
    EXPECT_FALSE(mass.build());
    for (size_t i = 0; i <= cClip_Mass::kMaxRecords; ++i)
        mass.addEmpty(0, 0);
    EXPECT_FALSE(mass.build());
    mass.empties.pop_back();
    EXPECT_TRUE(mass.build());
}

TEST(EditClipPayload, MalformedPayloadsFail) {
    cClip_Mass mass(kClipCells);
    mass.addCell(0, 0, strCell{});
    mass.addCell(0, 3, strCell{});
    const Bytes good = Built(mass);
    cClip_Mass reader(kClipCells);
    ASSERT_TRUE(reader.parse(good));

    for (size_t n = 0; n < good.size(); ++n) {
        Bytes cut(good.begin(), good.begin() + static_cast<long>(n));
        EXPECT_FALSE(reader.parse(cut)) << n;
    }
    // Counts that promise more records than the body holds (with a consistent length word).
    Bytes liar = good;
    liar[12] = liar[13] = 0xFF;
    EXPECT_FALSE(reader.parse(liar));
    EXPECT_TRUE(reader.cells.empty());
    cClip_Mass frames(kClipFrames);
    EXPECT_FALSE(frames.parse(good)); // another kind

    strEffect e;
    cClip_Effect effect(&e);
    EXPECT_FALSE(effect.parse(Bytes{0x22, 0x22, 0x00, 0x40, 0x01, 0x00, 0x00, 0x00, 0x00}));
    cClip_Effect detached;
    EXPECT_FALSE(detached.parse(good));
}

TEST(EditClipboard, PutGetAndKinds) {
    platform::cMemoryClipboard clip;
    cEditClipboard board(clip);
    EXPECT_EQ(board.format(), clip.registerFormat(interchange::kFormatNameEdit));
    EXPECT_FALSE(board.hasKind(kClipAnyKind));

    strEffect e{.startFrame = 12};
    cClip_Effect put(&e);
    ASSERT_TRUE(board.put(put));
    EXPECT_TRUE(board.hasKind(kClipEffect) && board.hasKind(kClipAnyKind));
    EXPECT_FALSE(board.hasKind(kClipCells) || board.hasKind(kClipPicture));

    // Another running instance sees the same clipboard.
    cEditClipboard other(clip);
    strEffect got;
    cClip_Effect get(&got);
    ASSERT_TRUE(other.get(get));
    EXPECT_EQ(got.startFrame, 12);
    strPicture p;
    cClip_Picture wrong(&p);
    EXPECT_FALSE(other.get(wrong));

    // RPG Maker data replaces it; a payload of 4 bytes or less is no payload.
    clip.write(clip.registerFormat(interchange::kFormatNameMV), {'[', ']'});
    EXPECT_FALSE(board.hasKind(kClipAnyKind));
    clip.write(board.format(), {0x22, 0x22, 0x00, 0x40});
    EXPECT_FALSE(board.hasKind(kClipEffect));
    EXPECT_FALSE(board.get(get));
}

TEST(EditClipboard, PasteIsEnabledExactlyWhenGetSucceeds) {
    // Clipboard blocks may come back rounded up: padding after the payload is not read. A block
    // that cannot be read never enables Paste.
    cClip_Mass mass(kClipCells);
    mass.addCell(0, 2, strCell{.x = 7});
    mass.addEmpty(1, 0);
    const Bytes good = Built(mass);
    Bytes tooLong = good;
    tooLong[4] += 1;
    const std::pair<Bytes, bool> cases[] = {
        {good, true},     {Padded(good, 3, 0), true},    {Padded(good, 100, 0xEE), true},
        {tooLong, false}, {Padded(tooLong, 1, 0), true}, // the padding holds the zero byte
    };
    platform::cMemoryClipboard clip;
    cEditClipboard board(clip);
    for (const auto& [block, readable] : cases) {
        SCOPED_TRACE(testing::PrintToString(block));
        clip.write(board.format(), block);
        cClip_Mass got(kClipCells);
        EXPECT_EQ(board.hasKind(kClipCells), readable);
        EXPECT_EQ(board.hasKind(kClipAnyKind), readable);
        ASSERT_EQ(board.get(got), readable);
        if (readable) {
            EXPECT_EQ(got.cells, mass.cells);
            EXPECT_EQ(got.empties, mass.empties);
        }
    }
}
