// Conversions, reduction, quantisation, HSV, palette sort and colour counting.

#include "image/pixel_ops.h"
#include "image_fixtures.h"

#include <gtest/gtest.h>

#include <set>

using namespace image_fixtures;

namespace {

// readPixel's colour of every pixel, top row first.
std::vector<uint32_t> Colours(const cDib& d) {
    std::vector<uint32_t> out;
    for (int i = 0; i < d.width() * d.height(); ++i)
        out.push_back(d.readPixel(i % d.width(), i / d.width()));
    return out;
}
using V = std::vector<uint32_t>;

// n distinct colours along a ramp.
std::vector<uint32_t> Ramp(int n, int pixels) {
    std::vector<uint32_t> v;
    for (int i = 0; i < pixels; ++i)
        v.push_back(uint32_t((i % n) * 3) << 16 | uint32_t((i % n) * 7 % 256) << 8 | uint32_t(i % n));
    return v;
}

} // namespace

TEST(Dib, CreateStrideAndLayoutCodes) {
    EXPECT_FALSE(cDib::create(0, 1, 8));
    EXPECT_FALSE(cDib::create(1, 0, 8));
    EXPECT_FALSE(cDib::create(1, 1, 2));
    EXPECT_FALSE(cDib::create(kMaxPictureSide + 1, 1, 8));
    EXPECT_FALSE(cDib::create(4, 4, 4, 17));
    EXPECT_EQ(cDib::create(3, 2, 24)->stride(), 12); // 9 bytes padded to 4
    EXPECT_EQ(cDib::strideOf(1, 1), 4);
    EXPECT_EQ(cDib::strideOf(33, 1), 8);
    EXPECT_EQ(cDib::create(5, 1, 4)->colourUsed(), 16);
    const uint32_t m565[4] = {0xF800, 0x07E0, 0x1F, 0}, m555[4] = {0x7C00, 0x03E0, 0x1F, 0};
    const uint32_t argb[4] = {0xFF0000, 0xFF00, 0xFF, 0xFF000000u}, odd[4] = {0xFF, 0xFF00, 0xFF0000, 0};
    EXPECT_EQ(cDib::create(1, 1, 16)->layoutCode(), kLayout555);
    EXPECT_EQ(cDib::create(1, 1, 16, 0, m555)->layoutCode(), kLayout555);
    EXPECT_EQ(cDib::create(1, 1, 16, 0, m565)->layoutCode(), kLayout565);
    EXPECT_EQ(cDib::create(1, 1, 32)->layoutCode(), kLayoutRgb32);
    EXPECT_EQ(cDib::create(1, 1, 32, 0, argb)->layoutCode(), kLayoutArgb32);
    EXPECT_EQ(cDib::create(1, 1, 32, 0, odd)->layoutCode(), 0);
    EXPECT_EQ(cDib::create(1, 1, 24)->layoutCode(), 0);
}

TEST(ConvertBitDepth, ThirtyTwoBitAlphaRules) {
    // From 24 bits: opaque.
    auto d = ConvertBitDepth(*MakeDib(3, 1, 24, {0x102030, 0x000000, 0xABCDEF}), 32, kLayoutArgb32);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->layoutCode(), kLayoutArgb32);
    EXPECT_EQ(Values(*d), (V{0xFF102030u, 0xFF000000u, 0xFFABCDEFu}));
    // One non-zero alpha keeps every alpha.
    d = ConvertBitDepth(*MakeDib(3, 1, 32, {0x00112233, 0x01445566, 0x00AABBCC}), 32, kLayoutArgb32);
    EXPECT_EQ(Values(*d), (V{0x00112233u, 0x01445566u, 0x00AABBCCu}));
    // The same layout duplicates (alpha not filled); an invalid depth copies.
    auto src = MakeDib(2, 1, 32, {0x00010203, 0x00040506});
    EXPECT_EQ(Values(*ConvertBitDepth(*src, 32, kLayoutRgb32))[0], 0x00010203u);
    auto copy = ConvertBitDepth(*src, 7, 0);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->bits(), 32);
    EXPECT_EQ(Values(*copy), (V{0x00010203u, 0x00040506u}));
}

TEST(ConvertBitDepth, SixteenBitLayoutsRoundTrip) {
    auto src = MakeDib(2, 1, 24, {0xFF0000, 0x00FF00});
    auto d565 = ConvertBitDepth(*src, 16, kLayout565);
    ASSERT_TRUE(d565);
    EXPECT_EQ(d565->layoutCode(), kLayout565);
    EXPECT_EQ(Values(*d565), (V{0xF800u, 0x07E0u}));
    auto d555 = ConvertBitDepth(*src, 16, 0);
    EXPECT_EQ(d555->layoutCode(), kLayout555);
    EXPECT_EQ(Values(*d555), (V{0x7C00u, 0x03E0u}));
    EXPECT_EQ(Values(*ConvertBitDepth(*d565, 32, kLayoutArgb32)), (V{0xFFFF0000u, 0xFF00FF00u}));
}

TEST(ConvertBitDepth, ToIndexedMapsToNearestEntry) {
    // Three exact colours fit a 4-bit table.
    auto d = ConvertBitDepth(*MakeDib(3, 1, 24, {0x0000FF, 0xFF0000, 0x0000FF}), 4, 0);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->bits(), 4);
    EXPECT_EQ(Colours(*d), (V{0x0000FFu, 0xFF0000u, 0x0000FFu}));
    EXPECT_EQ(d->readIndex(0, 0), d->readIndex(2, 0));
}

TEST(ReduceToIndexed, DepthFollowsColourCountAndKeepsColours) {
    const std::pair<int, int> cases[] = {{1, 1}, {2, 1}, {3, 4}, {16, 4}, {17, 8}, {256, 8}};
    for (const auto& [colours, depth] : cases) {
        SCOPED_TRACE(colours);
        auto src = MakeDib(32, 16, 24, Ramp(colours, 32 * 16));
        auto d = ReduceToIndexed(*src, 0, 0);
        ASSERT_TRUE(d);
        EXPECT_EQ(d->bits(), depth);
        EXPECT_EQ(Colours(*d), Colours(*src));
    }
    // The table is sorted by luma and rounded up to an even count.
    auto d = ReduceToIndexed(*MakeDib(3, 1, 24, {0xFFFFFF, 0x000000, 0xFF0000}), 0, 0);
    ASSERT_EQ(d->colourUsed(), 4);
    EXPECT_EQ(d->table(), (std::vector<uint32_t>{0x000000, 0xFF0000, 0xFFFFFF, 0x000000}));
}

TEST(ReduceToIndexed, FallBacksAndAskedDepths) {
    EXPECT_EQ(ReduceToIndexed(*MakeDib(2, 1, 32, {0x80FF0000, 0}), 0, 0)->bits(), 32); // alpha
    std::vector<uint32_t> many;
    for (uint32_t i = 0; i < 256; ++i)
        many.push_back(i * 0x010101u);
    many.push_back(0x133501);
    EXPECT_EQ(ReduceToIndexed(*MakeDib(257, 1, 24, many), 0, 0)->bits(), 24); // too many colours
    auto src = MakeDib(4, 1, 24, {0x000000, 0xFFFFFF, 0x000000, 0xFFFFFF});
    auto wider = ReduceToIndexed(*src, 8, 0); // 8 is not below the chosen 1: use 8
    ASSERT_TRUE(wider);
    EXPECT_EQ(wider->bits(), 8);
    EXPECT_EQ(wider->colourUsed(), 256);
    EXPECT_EQ(wider->readPixel(1, 0), 0xFFFFFFu);
    auto five = MakeDib(5, 1, 24, {1, 2, 3, 4, 5});
    EXPECT_EQ(ReduceToIndexed(*five, 1, 0)->bits(), 1);   // needs 4 bits, 1 asked: plain conversion
    EXPECT_EQ(ReduceToIndexed(*five, 16, 0)->bits(), 16); // 9 or more: plain conversion
}

TEST(QuantizeColours, BadInputAndSmallCounts) {
    auto zeros = MakeDib(2, 2, 24, {0, 0, 0, 0});
    EXPECT_FALSE(QuantizeColours(*MakeDib(2, 2, 32, {0, 0, 0, 0}), 16));
    EXPECT_FALSE(QuantizeColours(*zeros, 1));
    EXPECT_FALSE(QuantizeColours(*zeros, 513));
    // Cb is the widest axis: blue (Cb 127.5) goes to the upper label 1, red to 0.
    auto d = QuantizeColours(*MakeDib(4, 1, 24, {0xFF0000, 0x0000FF, 0xFF0000, 0x0000FF}), 2);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->bits(), 1);
    EXPECT_EQ(Values(*d), (V{0, 1, 0, 1}));
    EXPECT_EQ(d->table(), (V{0xFF0000, 0x0000FF}));
    // Three: 4 bits, two clusters and a black tail. Y is the widest axis; its mean is 106.3: black and
    // dark grey below, white above.
    d = QuantizeColours(*MakeDib(3, 1, 24, {0x000000, 0x404040, 0xFFFFFF}), 3);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->bits(), 4);
    EXPECT_EQ(Values(*d), (V{0, 0, 1}));
    EXPECT_EQ(d->table(), (V{0x202020, 0xFFFFFF, 0, 0}));
}

TEST(QuantizeColours, FiveHundredTwelveGivesTwentyFourBits) {
    std::vector<uint32_t> px;
    for (int i = 0; i < 64 * 64; ++i)
        px.push_back(uint32_t(i * 2654435761u) & 0xFFFFFF);
    auto d = QuantizeColours(*MakeDib(64, 64, 24, px), 512);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->bits(), 24);
    const V all = Colours(*d);
    const std::set<uint32_t> colours(all.begin(), all.end());
    EXPECT_GT(colours.size(), 256u);
    EXPECT_LE(colours.size(), 512u);
}

TEST(QuantizeColours, SingleColourEndsInTheLastLabel) {
    auto src = MakeDib(5, 3, 24, std::vector<uint32_t>(15, 0x336699));
    auto d = QuantizeColours(*src, 256);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->bits(), 8);
    EXPECT_EQ(Values(*d), V(15, 255));
    V table(256, 0);
    table[255] = 0x336699;
    EXPECT_EQ(d->table(), table);
    EXPECT_EQ(QuantizeColours(*src, 16)->readIndex(0, 0), 15); // n = 16: D = 4, label 2^4 - 1
}

TEST(AdjustHsv, KnownColours) {
    for (int hue : {0, 90, 180, 359, -200}) // grey stays grey whatever the hue
        EXPECT_EQ(AdjustHsv(0xFF808080u, hue, 0, 0), 0xFF808080u) << hue;
    EXPECT_EQ(AdjustHsv(0x12000000u, 45, 0, 0), 0x12000000u);
    EXPECT_EQ(AdjustHsv(0xFF808080u, 0, 0, 20), 0xFF949494u);
    for (uint32_t c : {0xFFC83264u, 0x80FF0000u, 0xFF10E0A0u}) { // full turns change nothing
        EXPECT_EQ(AdjustHsv(c, 360, 0, 0), AdjustHsv(c, 0, 0, 0));
        EXPECT_EQ(AdjustHsv(c, -360, 0, 0), AdjustHsv(c, 0, 0, 0));
    }
    // max = R, G < B: raw hue (50 - 100) * 60 / 150 = -20, +720 -> 340; the round trip is exact.
    EXPECT_EQ(AdjustHsv(0xFFC83264u, 0, 0, 0), 0xFFC83264u);
    EXPECT_EQ(AdjustHsv(0xFFFF0000u, 120, 0, 0), 0xFF00FF00u);
    EXPECT_EQ(AdjustHsv(0xFFFF0000u, 240, 0, 0), 0xFF0000FFu);
    EXPECT_EQ(AdjustHsv(0xFFFF0000u, 0, -255, 0), 0xFFFFFFFFu); // no saturation: grey at v
    EXPECT_EQ(AdjustHsv(0x7FFF0000u, 0, 0, -255), 0x7F000000u);
}

TEST(SortPalette, AscendingDescendingAndDuplicates) {
    uint32_t e[5] = {0xFFFFFF, 0x000000, 0x01FF0000, 0xFF0000, 0x808080};
    ASSERT_EQ(SortPalette(5, e, true), 4);
    e[1] &= 0xFFFFFF; // the two reds are adjacent; one survives
    EXPECT_EQ(V(e, e + 5), (V{0x000000u, 0xFF0000u, 0x808080u, 0xFFFFFFu, 0u}));
    uint32_t f[3] = {0x000000, 0xFFFFFF, 0x0000FF};
    EXPECT_EQ(SortPalette(3, f, false), 3);
    EXPECT_EQ(V(f, f + 3), (V{0xFFFFFFu, 0x0000FFu, 0x000000u}));
}

TEST(CountColours, DistinctValuesAlphaAndLimit) {
    uint32_t out[4];
    auto d = MakeDib(3, 2, 32, {5, 6, 5, 7, 6, 5});
    EXPECT_EQ(CountColours(4, out, *d), 3);
    EXPECT_EQ(V(out, out + 4), (V{5u, 6u, 7u, 0u}));
    EXPECT_EQ(CountColours(2, out, *d), 0);
    EXPECT_EQ(CountColours(4, out, *MakeDib(2, 1, 32, {5, 0x01000000})), 0);
    EXPECT_EQ(CountColours(4, out, *MakeDib(2, 1, 24, {5, 6})), 0);
}

TEST(PixelOps, ExpandFlipFillAndTables) {
    auto d = MakeDib(3, 2, 4, {2, 0, 0, 0, 0, 1}, {0x111111, 0x222222, 0x333333});
    std::unique_ptr<cDib> e = DuplicateBitmap(*d);
    ASSERT_TRUE(ExpandToByteIndexed(e));
    EXPECT_EQ(e->bits(), 8);
    EXPECT_EQ(e->colourUsed(), 256);
    EXPECT_EQ(V(e->table().begin(), e->table().begin() + 4), (V{0x111111, 0x222222, 0x333333u, 0u}));
    EXPECT_EQ(Values(*e), (V{2, 0, 0, 0, 0, 1}));
    EXPECT_FALSE(ExpandToByteIndexed(e));
    FlipRows(*e);
    EXPECT_EQ(Values(*e), (V{0, 0, 1, 2, 0, 0}));
    EXPECT_FALSE(FillOpaqueAlpha(*e));
    auto rgba = MakeDib(1, 1, 32, {0x00123456});
    EXPECT_TRUE(FillOpaqueAlpha(*rgba));
    EXPECT_EQ(Values(*rgba)[0], 0xFF123456u);
    uint32_t got[4] = {9, 9, 9, 9};
    EXPECT_EQ(GetColourTable(*d, 1, 4, got), 2);
    EXPECT_EQ(got[0], 0x222222u);
    const uint32_t put[2] = {0xAA, 0xBB};
    EXPECT_EQ(SetColourTable(*d, 2, 2, put), 1);
    EXPECT_EQ(d->table()[2], 0xAAu);
    EXPECT_EQ(GetColourTable(*rgba, 0, 1, got), 0);
}

TEST(Bmp, AttachKeyAndPaletteFromTable) {
    cBMP b;
    EXPECT_FALSE(b.takePaletteFromTable());
    ASSERT_TRUE(b.attach(MakeDib(2, 2, 8, V(4, 0), {0x000000, 0xFF0000, 0x00FF00}), 0x123456));
    EXPECT_EQ(b.getColourKey(), 0xFF123456u);
    ASSERT_TRUE(b.takePaletteFromTable());
    ASSERT_EQ(b.palette().count(), 3);
    EXPECT_EQ(*b.getPaletteEntry(1), 0xFFFF0000u); // no alpha anywhere: all 255
    EXPECT_EQ(b.getPaletteEntry(3), nullptr);
    b.dib()->table()[1] = 0x80FF0000; // a table that has an alpha keeps every alpha as it is
    ASSERT_TRUE(b.takePaletteFromTable());
    EXPECT_EQ(V(b.palette().entries(), b.palette().entries() + 3), (V{0, 0x80FF0000u, 0x00FF00}));
    ASSERT_TRUE(b.attach(cDib::create(1, 1, 32)));
    EXPECT_EQ(b.getColourKey(), 0u);
    EXPECT_EQ(b.palette().count(), 0);
    EXPECT_FALSE(b.attach(nullptr));
    cPalette p;
    EXPECT_FALSE(p.set(nullptr, 0));
    EXPECT_TRUE(p.set(nullptr, 3)); // no entries given: zeros
    EXPECT_EQ(p.entries()[2], 0u);
}
