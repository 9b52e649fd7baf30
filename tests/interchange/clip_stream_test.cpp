// cClipStream: every operation of the byte stream and its two clipboard transfers.

#include "interchange/clip_stream.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

std::vector<uint8_t> Bytes(const cClipStream& s) {
    return std::vector<uint8_t>(s.data(0), s.data(0) + s.size());
}

TEST(ClipStream, WriteAtOverwritesWithoutGrowing) {
    cClipStream s;
    const uint8_t zero[6] = {};
    s.write(zero, 6);
    const uint8_t word[4] = {0xAA, 0xBB, 0xCC, 0xDD};
    EXPECT_EQ(s.writeAt(0, word, 4), 4u);
    EXPECT_EQ(s.writeAt(4, word, 4), 6u); // stops at the end of the buffer
    EXPECT_EQ(s.size(), 6u);
    EXPECT_EQ(Bytes(s), (std::vector<uint8_t>{0xAA, 0xBB, 0xCC, 0xDD, 0xAA, 0xBB}));
    EXPECT_EQ(s.writeAt(9, word, 4), 9u); // past the end: nothing
    EXPECT_EQ(s.size(), 6u);
}

TEST(ClipStream, ReadsStopAtTheEndWithoutFailing) {
    cClipStream s;
    s.assign({1, 2, 3, 4, 5});
    EXPECT_EQ(s.position(), 0u);
    EXPECT_EQ(s.readByte(), 1);
    EXPECT_EQ(*s.current(), 2);
    uint8_t out[8] = {};
    EXPECT_EQ(s.read(out, 8), 4u); // only what remains
    EXPECT_EQ(out[3], 5);
    EXPECT_TRUE(s.atEnd());
    EXPECT_EQ(s.readByte(), 0); // at the end: 0, position unchanged
    EXPECT_EQ(s.position(), 5u);
    EXPECT_EQ(s.read(out, 1), 0u);

    s.seek(3);
    EXPECT_EQ(s.readU16(), 0x0504);
    s.seek(4);
    EXPECT_EQ(s.readU32(), 5u); // missing bytes read as 0
    s.seek(100);
    EXPECT_EQ(s.position(), 5u);

    // Skip clamps, and -1 steps back.
    s.seek(2);
    s.skip(static_cast<uint32_t>(-1));
    EXPECT_EQ(s.position(), 1u);
    EXPECT_EQ(s.readByte(), 2);
    s.skip(1000);
    EXPECT_EQ(s.position(), 5u);
    s.clear();
    EXPECT_EQ(std::tuple(s.size(), s.position()), std::tuple(0u, 0u));
}

TEST(ClipStream, ClipboardTransfersCarryTheWholeBuffer) {
    platform::cMemoryClipboard clip;
    const uint32_t f = clip.registerFormat("RPGXP ANIMATION");

    cClipStream out;
    out.assign({1, 2, 3});
    out.seek(2); // the position is not used
    ASSERT_TRUE(out.writeToClipboard(clip, f));

    cClipStream in;
    in.assign({7, 7});
    ASSERT_TRUE(in.readFromClipboard(clip, f));
    EXPECT_EQ(Bytes(in), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(in.position(), 0u);

    // A format that is not there: false and an empty buffer.
    EXPECT_FALSE(in.readFromClipboard(clip, clip.registerFormat("RPGVX ANIMATION")));
    EXPECT_EQ(in.size(), 0u);
    // Writing empties the clipboard first: only the new format is left.
    cClipStream other;
    other.assign({5});
    ASSERT_TRUE(other.writeToClipboard(clip, platform::cClipboard::kFormat2000));
    EXPECT_FALSE(clip.isAvailable(f));
    EXPECT_TRUE(clip.isAvailable(582));
    EXPECT_FALSE(other.writeToClipboard(clip, 0));
}

} // namespace
