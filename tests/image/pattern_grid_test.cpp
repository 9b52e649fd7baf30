// The pattern grid and the transparent-colour methods.

#include "image/pattern_grid.h"
#include "image/transparency.h"
#include "image_fixtures.h"

#include <gtest/gtest.h>

TEST(PatternGrid, SheetsOfA192Picture) {
    strPatternGrid g;
    ASSERT_TRUE(ComputePatternGrid(192, 192, 5, 5, false, g));
    EXPECT_EQ(g, (strPatternGrid{38, 38, 5, 5, 25}));
    strRect r;
    ASSERT_TRUE(PatternRect(g, 24, r));
    EXPECT_EQ(r, (strRect{152, 152, 190, 190})); // the last 2 pixels belong to no pattern
    EXPECT_EQ(PatternHitTest(g, 189, 189), 24);
    EXPECT_EQ(PatternHitTest(g, 190, 10), -1);
    EXPECT_EQ(PatternHitTest(g, 10, 191), -1);
    EXPECT_EQ(PatternHitTest(g, 37, 38), 5);
    EXPECT_EQ(PatternHitTest(g, -1, 0), -1);
    EXPECT_FALSE(PatternRect(g, 25, r));
    EXPECT_EQ(r, strRect{});
}

TEST(PatternGrid, ByWidthLargeSheetsLimitsAndBadRequests) {
    strPatternGrid g;
    EXPECT_FALSE(ComputePatternGrid(192, 192, 200, 200, true, g)); // 0 columns
    EXPECT_EQ(g, strPatternGrid{});
    ASSERT_TRUE(ComputePatternGrid(192, 100, 64, 48, true, g));
    EXPECT_EQ(g, (strPatternGrid{64, 48, 3, 2, 6}));
    ASSERT_TRUE(ComputePatternGrid(3, 2, 10, 10, false, g)); // more sheets than pixels: 1-pixel cells
    EXPECT_EQ(g, (strPatternGrid{1, 1, 3, 2, 6}));
    EXPECT_TRUE(ComputePatternGrid(100, 100, 1, 1, true, g));
    EXPECT_EQ(g.count, 10000);
    EXPECT_FALSE(ComputePatternGrid(10001, 1, 1, 1, true, g));
    EXPECT_TRUE(ComputePatternGrid(10000, 1, 10000, 1, false, g));
    EXPECT_FALSE(ComputePatternGrid(0, 10, 1, 1, true, g));
    EXPECT_FALSE(ComputePatternGrid(10, 10, 0, 1, false, g));
    EXPECT_FALSE(ComputePatternGrid(10, 10, 1, -1, false, g));
}

using namespace image_fixtures;

namespace {

// The key and index a method gives on a picture.
std::pair<uint32_t, uint32_t> KeyAndIndex(const cBMP& b, uint32_t flags) {
    uint32_t key, index;
    ComputeTransparency(b, flags, key, index);
    return {key, index};
}
using KI = std::pair<uint32_t, uint32_t>;

} // namespace

TEST(Transparency, IndexedPictures) {
    cBMP b;
    Attach(b, 2, 2, 8, {1, 0, 0, 0}, {0xFF102030, 0xFF405060, 0x00708090, 0x00A0B0C0});
    EXPECT_EQ(KeyAndIndex(b, kTransFlagAuto), KI(0x708090u, 2u)); // first entry with alpha 0
    EXPECT_EQ(KeyAndIndex(b, kTransFlagPalette0), KI(0x102030u, 0u));
    EXPECT_EQ(KeyAndIndex(b, kTransFlagUpperLeft), KI(0x405060u, 1u));
    EXPECT_EQ(KeyAndIndex(b, kTransFlagBlack), KI(0u, kNoTransIndex)); // only a key on an indexed picture
    EXPECT_EQ(KeyAndIndex(b, 0), KI(kNoColourKey, kNoTransIndex));
    EXPECT_EQ(TransFlagsOfMethod(9), 0u);
    Attach(b, 2, 2, 8, {0, 0, 0, 0},
           {0xFF102030, 0xFF405060}); // automatic with no transparent entry: nothing
    EXPECT_EQ(KeyAndIndex(b, kTransFlagAuto), KI(kNoColourKey, kNoTransIndex));
}

TEST(Transparency, RgbPictures) {
    cBMP b;
    Attach(b, 2, 2, 32, {0xFF123456, 0, 0, 0});
    EXPECT_EQ(KeyAndIndex(b, kTransFlagUpperLeft), KI(0x123456u, kNoTransIndex));
    EXPECT_EQ(KeyAndIndex(b, kTransFlagBlack).first, 0u);
    EXPECT_EQ(KeyAndIndex(b, kTransFlagPalette0), KI(kNoColourKey, kNoTransIndex)); // as method 0
    EXPECT_EQ(KeyAndIndex(b, kTransFlagAuto).first, kNoColourKey);
    cBMP empty;
    EXPECT_EQ(KeyAndIndex(empty, kTransFlagBlack).first, kNoColourKey);
}
