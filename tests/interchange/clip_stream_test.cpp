// Cclip_stream: every operation of the byte stream and its two clipboard transfers.

#include "interchange/clip_stream.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

std::vector<uint8_t> Bytes(const Cclip_stream& s) {
    return std::vector<uint8_t>(s.Data(0), s.Data(0) + s.Size());
}

TEST(ClipStream, WriteAtOverwritesWithoutGrowing) {
    Cclip_stream s;
    const uint8_t zero[6] = {};
    s.Write(zero, 6);
    const uint8_t word[4] = {0xAA, 0xBB, 0xCC, 0xDD};
    EXPECT_EQ(s.WriteAt(0, word, 4), 4u);
    EXPECT_EQ(s.WriteAt(4, word, 4), 6u); // stops at the end of the buffer
    EXPECT_EQ(s.Size(), 6u);
    EXPECT_EQ(Bytes(s), (std::vector<uint8_t>{0xAA, 0xBB, 0xCC, 0xDD, 0xAA, 0xBB}));
    EXPECT_EQ(s.WriteAt(9, word, 4), 9u); // past the end: nothing
    EXPECT_EQ(s.Size(), 6u);
}

TEST(ClipStream, ReadsStopAtTheEndWithoutFailing) {
    Cclip_stream s;
    s.Assign({1, 2, 3, 4, 5});
    EXPECT_EQ(s.Position(), 0u);
    EXPECT_EQ(s.ReadByte(), 1);
    EXPECT_EQ(*s.Current(), 2);
    uint8_t out[8] = {};
    EXPECT_EQ(s.Read(out, 8), 4u); // only what remains
    EXPECT_EQ(out[3], 5);
    EXPECT_TRUE(s.AtEnd());
    EXPECT_EQ(s.ReadByte(), 0); // at the end: 0, position unchanged
    EXPECT_EQ(s.Position(), 5u);
    EXPECT_EQ(s.Read(out, 1), 0u);

    s.Seek(3);
    EXPECT_EQ(s.ReadU16(), 0x0504);
    s.Seek(4);
    EXPECT_EQ(s.ReadU32(), 5u); // missing bytes read as 0
    s.Seek(100);
    EXPECT_EQ(s.Position(), 5u);

    // Skip clamps, and -1 steps back.
    s.Seek(2);
    s.Skip(static_cast<uint32_t>(-1));
    EXPECT_EQ(s.Position(), 1u);
    EXPECT_EQ(s.ReadByte(), 2);
    s.Skip(1000);
    EXPECT_EQ(s.Position(), 5u);
    s.Clear();
    EXPECT_EQ(std::tuple(s.Size(), s.Position()), std::tuple(0u, 0u));
}

TEST(ClipStream, ClipboardTransfersCarryTheWholeBuffer) {
    platform::cMemoryClipboard clip;
    const uint32_t f = clip.registerFormat("RPGXP ANIMATION");

    Cclip_stream out;
    out.Assign({1, 2, 3});
    out.Seek(2); // the position is not used
    ASSERT_TRUE(out.WriteToClipboard(clip, f));

    Cclip_stream in;
    in.Assign({7, 7});
    ASSERT_TRUE(in.ReadFromClipboard(clip, f));
    EXPECT_EQ(Bytes(in), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(in.Position(), 0u);

    // A format that is not there: false and an empty buffer.
    EXPECT_FALSE(in.ReadFromClipboard(clip, clip.registerFormat("RPGVX ANIMATION")));
    EXPECT_EQ(in.Size(), 0u);
    // Writing empties the clipboard first: only the new format is left.
    Cclip_stream other;
    other.Assign({5});
    ASSERT_TRUE(other.WriteToClipboard(clip, platform::cClipboard::kFormat2000));
    EXPECT_FALSE(clip.isAvailable(f));
    EXPECT_TRUE(clip.isAvailable(582));
    EXPECT_FALSE(other.WriteToClipboard(clip, 0));
}

} // namespace
