// Picture loaders: detection and the four decoders, on fixtures written by independent writers and checked
// pixel by pixel, plus crafted files that must fail without a crash or a huge allocation.

#include "image/builtin_pictures.h"
#include "image/picture_loader.h"
#include "image/transparency.h"
#include "image_fixtures.h"
#include "support/test_support.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <cstring>
#include <filesystem>

using namespace image_fixtures;

namespace {

uint32_t Px(const cBMP& b, int x, int y) {
    uint32_t v;
    std::memcpy(&v, b.GetBits() + size_t(y) * size_t(b.GetStride()) + 4 * x, 4);
    return v;
}
uint8_t Ix(const cBMP& b, int x, int y) {
    return b.GetBits()[size_t(y) * size_t(b.GetStride()) + size_t(x)];
}

bool Load(const Bytes& bytes, cBMP& b, strLoadInfo* info = nullptr) {
    return LoadPictureMemory(bytes, b, {}, info);
}

// Expects a failed load that leaves the target empty.
void ExpectRefused(const Bytes& bytes) {
    cBMP b;
    b.Attach(cDib::Create(1, 1, 32));
    EXPECT_FALSE(Load(bytes, b));
    EXPECT_FALSE(b.IsAttached());
}

} // namespace

TEST(Detect, Table) {
    auto detect = [](Bytes head, Bytes tail = {}) {
        return DetectImageFormat(head, tail.empty() ? head : tail);
    };
    EXPECT_EQ(detect({137, 'P', 'N', 'G', 13, 10, 26, 10}), kImagePng);
    EXPECT_EQ(detect({0xFF, 0xD8, 0xFF, 0xE0}, {0, 0, 0, 0, 0, 0, 0xFF, 0xD9}), kImageJpeg);
    EXPECT_EQ(detect({0xFF, 0xD8, 0xFF, 0xE0}, {0, 0, 0, 0, 0, 0, 0xFF, 0x00}), kImageUnknown);
    EXPECT_EQ(detect({'G', 'I', 'F', '8', '9', 'a'}), kImageGif);
    EXPECT_EQ(detect({0x00, 0x2A, 0, 0}), kImageTiff);
    EXPECT_EQ(detect({'X', 'Y', 'Z', '1'}), kImageXyz);
    EXPECT_EQ(detect({'B', 'M'}), kImageBmp);
    EXPECT_EQ(detect({'I', 'I', 0x2A, 0}), kImageUnknown);
    EXPECT_EQ(detect({}), kImageUnknown);
}

TEST(Loader, JpegTiffAndUnknownAreRefused) {
    strLoadInfo info;
    cBMP b;
    EXPECT_FALSE(Load({0xFF, 0xD8, 0xFF, 0xE0, 0, 0x10, 'J', 'F', 'I', 'F', 0, 0xFF, 0xD9}, b, &info));
    EXPECT_EQ(info.format, kImageJpeg);
    EXPECT_FALSE(Load({0x00, 0x2A, 0, 8, 0, 0, 0, 0}, b, &info));
    EXPECT_EQ(info.format, kImageTiff);
    ExpectRefused({'h', 'e', 'l', 'l', 'o'});
    ExpectRefused({});
}

TEST(Loader, MissingFileFailsAndEmptiesTheTarget) {
    testing_support::TempDir dir;
    cBMP b;
    b.Attach(cDib::Create(1, 1, 8));
    EXPECT_FALSE(LoadPictureFile(dir.file("none.png"), b));
    EXPECT_FALSE(b.IsAttached());
}

// ---- BMP ----

TEST(LoaderBmp, OneBitBecomesEightBitsWith256Entries) {
    // 10 x 2, bottom-up: file row 0 is the picture's bottom row.
    strBmpFixture s;
    s.width = 10;
    s.height = 2;
    s.bits = 1;
    s.table = {0x204060, 0xF0E0D0};
    s.tableReserved = 0x55;           // junk in the reserved byte must not become alpha
    s.pixelData = {0xFF, 0xC0, 0, 0,  // bottom: all ones
                   0xA0, 0x40, 0, 0}; // top: 1 0 1 0 0 0 0 0 | 0 1
    cBMP b;
    strLoadInfo info;
    ASSERT_TRUE(Load(MakeBmp(s), b, &info));
    EXPECT_EQ(info.format, kImageBmp);
    EXPECT_EQ(info.sourceDepth, 1);
    EXPECT_EQ(b.GetBitCount(), 8);
    ASSERT_EQ(b.Palette().Count(), 256);
    EXPECT_EQ(*b.GetPaletteEntry(0), 0xFF204060u);
    EXPECT_EQ(*b.GetPaletteEntry(1), 0xFFF0E0D0u);
    for (int i = 2; i < 256; ++i)
        ASSERT_EQ(*b.GetPaletteEntry(i), 0xFF000000u) << i;
    const uint8_t top[10] = {1, 0, 1, 0, 0, 0, 0, 0, 0, 1};
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(Ix(b, x, 0), top[x]) << x;
        EXPECT_EQ(Ix(b, x, 1), 1) << x;
    }
    EXPECT_EQ(b.GetColourKey(), 0u);
}

TEST(LoaderBmp, FourBitTopDownWithShortTable) {
    strBmpFixture s;
    s.width = 3;
    s.height = -2;
    s.bits = 4;
    s.clrUsed = 3;
    s.table = {0x000000, 0xFF0000, 0x00FF00};
    s.pixelData = {0x12, 0x00, 0, 0,  // top row: 1 2 0
                   0x21, 0x10, 0, 0}; // second:  2 1 1
    cBMP b;
    ASSERT_TRUE(Load(MakeBmp(s), b));
    EXPECT_EQ(b.GetBitCount(), 8);
    EXPECT_EQ(b.Palette().Count(), 256); // expanded table: 3 colours then black
    EXPECT_EQ(Ix(b, 0, 0), 1);
    EXPECT_EQ(Ix(b, 1, 0), 2);
    EXPECT_EQ(Ix(b, 2, 0), 0);
    EXPECT_EQ(Ix(b, 0, 1), 2);
    EXPECT_EQ(Ix(b, 2, 1), 1);
}

TEST(LoaderBmp, TwentyFourBitsBecomeOpaqueThirtyTwo) {
    strBmpFixture s;
    s.width = 2;
    s.height = 2;
    s.bits = 24;
    s.pixelData = {1, 2, 3, 4,  5,  6,  0, 0, // bottom row (B, G, R)
                   7, 8, 9, 10, 11, 12, 0, 0};
    cBMP b;
    ASSERT_TRUE(Load(MakeBmp(s), b));
    EXPECT_EQ(b.GetBitCount(), 32);
    EXPECT_EQ(Px(b, 0, 0), 0xFF090807u);
    EXPECT_EQ(Px(b, 1, 0), 0xFF0C0B0Au);
    EXPECT_EQ(Px(b, 0, 1), 0xFF030201u);
}

TEST(LoaderBmp, SixteenBitFiveSixFiveBitfields) {
    strBmpFixture s;
    s.width = 2;
    s.height = 1;
    s.bits = 16;
    s.compression = 3;
    s.masks = {0xF800, 0x07E0, 0x001F};
    s.pixelData = {0x00, 0xF8, 0x1F, 0x00}; // pure red, pure blue
    cBMP b;
    ASSERT_TRUE(Load(MakeBmp(s), b));
    EXPECT_EQ(b.GetBitCount(), 32);
    EXPECT_EQ(Px(b, 0, 0), 0xFFFF0000u);
    EXPECT_EQ(Px(b, 1, 0), 0xFF0000FFu);
}

TEST(LoaderBmp, ThirtyTwoBits) {
    strBmpFixture s;
    s.width = 2;
    s.height = 1;
    s.bits = 32;
    s.pixelData = {1, 2, 3, 0, 4, 5, 6, 0}; // fourth byte unused: opaque
    cBMP b;
    ASSERT_TRUE(Load(MakeBmp(s), b));
    EXPECT_EQ(Px(b, 0, 0), 0xFF030201u);
    s.pixelData = {1, 2, 3, 0, 4, 5, 6, 0x80}; // an alpha channel: kept
    ASSERT_TRUE(Load(MakeBmp(s), b));
    EXPECT_EQ(Px(b, 0, 0), 0x00030201u);
    EXPECT_EQ(Px(b, 1, 0), 0x80060504u);
    s.compression = 3; // R and B swapped by masks
    s.masks = {0x0000FF, 0x00FF00, 0xFF0000};
    s.pixelData = {1, 2, 3, 0, 4, 5, 6, 0};
    ASSERT_TRUE(Load(MakeBmp(s), b));
    EXPECT_EQ(Px(b, 0, 0), 0xFF010203u);
}

TEST(LoaderBmp, Rle8) {
    strBmpFixture s;
    s.width = 6;
    s.height = 3;
    s.bits = 8;
    s.compression = 1;
    s.clrUsed = 4;
    s.table = {0x000000, 0x111111, 0x222222, 0x333333};
    s.pixelData = {
        3, 1, 0, 3, 1, 2, 3, 0, // bottom row: 1 1 1 2 3 (absolute run of 3 padded), then x = 4 ... row end
        0, 0,                   // end of line (x=5 stays 0)
        0, 2, 2, 0,             // delta: 2 right on the middle row
        4, 3,                   // 3 3 3 3
        0, 0,                   // end of line
        6, 2,                   // top row: 2 x 6
        0, 1,                   // end of bitmap
    };
    cBMP b;
    ASSERT_TRUE(Load(MakeBmp(s), b));
    const uint8_t want[3][6] = {{2, 2, 2, 2, 2, 2}, {0, 0, 3, 3, 3, 3}, {1, 1, 1, 1, 2, 3}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(Ix(b, x, y), want[y][x]) << x << "," << y;
    EXPECT_EQ(b.Palette().Count(), 4);
}

TEST(LoaderBmp, Rle4) {
    strBmpFixture s;
    s.width = 5;
    s.height = 2;
    s.bits = 4;
    s.compression = 2;
    s.table = std::vector<uint32_t>(16, 0x808080);
    s.pixelData = {5, 0x12, 0,    0,             // bottom: 1 2 1 2 1
                   0, 5,    0x34, 0x56, 0x70, 0, // top (absolute): 3 4 5 6 7, 3 data bytes padded to 4
                   0, 1};
    cBMP b;
    ASSERT_TRUE(Load(MakeBmp(s), b));
    const uint8_t want[2][5] = {{3, 4, 5, 6, 7}, {1, 2, 1, 2, 1}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(Ix(b, x, y), want[y][x]) << x << "," << y;
}

TEST(LoaderBmp, CraftedFilesFail) {
    strBmpFixture rle;
    rle.width = 4;
    rle.height = 2;
    rle.bits = 8;
    rle.compression = 1;
    rle.clrUsed = 2;
    rle.table = {0, 0xFFFFFF};
    rle.pixelData = {5, 1, 0, 1}; // a run past the row
    ExpectRefused(MakeBmp(rle));
    rle.pixelData = {0, 3, 1, 1, 1, 0, 0, 0, 0, 0, 4, 1, 0, 0, 4, 1, 0, 1}; // past the image (3 rows of 2)
    ExpectRefused(MakeBmp(rle));
    rle.pixelData = {0, 2, 1, 5, 0, 1}; // delta below the image
    ExpectRefused(MakeBmp(rle));
    rle.pixelData = {0, 6, 1, 1, 0}; // absolute run past the data
    ExpectRefused(MakeBmp(rle));
    rle.pixelData = {4, 1, 0, 0}; // data ends before the image does
    ExpectRefused(MakeBmp(rle));

    strBmpFixture raw;
    raw.width = 4;
    raw.height = 4;
    raw.bits = 8;
    raw.table = std::vector<uint32_t>(256, 0);
    raw.pixelData = Bytes(15, 0); // one byte short
    ExpectRefused(MakeBmp(raw));
    raw.pixelData = Bytes(16, 0);
    raw.clrUsed = 257; // more colours than 8 bits address
    ExpectRefused(MakeBmp(raw));
    raw.clrUsed = 0;
    Bytes cut = MakeBmp(raw);
    cut.resize(14 + 40 + 200); // the table runs past the end of the file
    ExpectRefused(cut);
    raw.width = kMaxPictureSide + 1;
    ExpectRefused(MakeBmp(raw));

    // A header that claims 16384 x 16384 with a few bytes of run-length data: refused before any
    // picture-sized allocation.
    rle.width = 16384;
    rle.height = 16384;
    rle.pixelData = {0, 1};
    ExpectRefused(MakeBmp(rle));
    // The same with raw pixels: the data must be in the file.
    raw.width = 16384;
    raw.height = 16384;
    raw.pixelData = Bytes(64, 0);
    ExpectRefused(MakeBmp(raw));

    Bytes bad = MakeBmp(raw);
    bad[14] = 41; // unknown header size
    ExpectRefused(bad);
    ExpectRefused({'B', 'M', 0, 0});
}

// ---- PNG ----

TEST(LoaderPng, PaletteWithTrnsKeepsItsAlphas) {
    strPngFixture s;
    s.width = 3;
    s.height = 2;
    s.colourType = PNG_COLOR_TYPE_PALETTE;
    s.bitDepth = 4;
    s.palette = {0x102030, 0x405060, 0x708090, 0xA0B0C0};
    s.trnsAlpha = {255, 128, 0};
    s.rows = {{0x01, 0x20}, {0x33, 0x00}}; // 0 1 2 / 3 3 0
    cBMP b;
    strLoadInfo info;
    ASSERT_TRUE(Load(MakePng(s), b, &info));
    EXPECT_EQ(info.format, kImagePng);
    EXPECT_EQ(info.sourceDepth, 4);
    EXPECT_EQ(b.GetBitCount(), 8);
    ASSERT_EQ(b.Palette().Count(), 4);
    EXPECT_EQ(*b.GetPaletteEntry(0), 0xFF102030u);
    EXPECT_EQ(*b.GetPaletteEntry(1), 0x80405060u);
    EXPECT_EQ(*b.GetPaletteEntry(2), 0x00708090u);
    EXPECT_EQ(*b.GetPaletteEntry(3), 0xFFA0B0C0u);
    EXPECT_EQ(Ix(b, 0, 0), 0);
    EXPECT_EQ(Ix(b, 1, 0), 1);
    EXPECT_EQ(Ix(b, 2, 0), 2);
    EXPECT_EQ(Ix(b, 0, 1), 3);
    EXPECT_EQ(Ix(b, 2, 1), 0);
    uint32_t key, index;
    ComputeTransparency(b, kTransFlagAuto, key, index);
    EXPECT_EQ(index, 2u);
}

TEST(LoaderPng, RgbaKeepsAlphaExactly) {
    strPngFixture s;
    s.width = 2;
    s.height = 2;
    s.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
    s.rows = {{10, 20, 30, 0, 40, 50, 60, 1}, {70, 80, 90, 254, 100, 110, 120, 255}};
    cBMP b;
    ASSERT_TRUE(Load(MakePng(s), b));
    EXPECT_EQ(b.GetBitCount(), 32);
    EXPECT_EQ(Px(b, 0, 0), 0x000A141Eu);
    EXPECT_EQ(Px(b, 1, 0), 0x0128323Cu);
    EXPECT_EQ(Px(b, 0, 1), 0xFE46505Au);
    EXPECT_EQ(Px(b, 1, 1), 0xFF646E78u);
}

TEST(LoaderPng, RgbIsOpaqueAndGreyBecomesRgb) {
    strPngFixture s;
    s.width = 2;
    s.height = 1;
    s.colourType = PNG_COLOR_TYPE_RGB;
    s.rows = {{1, 2, 3, 4, 5, 6}};
    cBMP b;
    ASSERT_TRUE(Load(MakePng(s), b));
    EXPECT_EQ(b.GetBitCount(), 32);
    EXPECT_EQ(Px(b, 0, 0), 0xFF010203u);
    EXPECT_EQ(Px(b, 1, 0), 0xFF040506u);

    strPngFixture g;
    g.width = 3;
    g.height = 1;
    g.colourType = PNG_COLOR_TYPE_GRAY;
    g.bitDepth = 2;
    g.rows = {{0x1B}}; // 0 1 2 (3)
    ASSERT_TRUE(Load(MakePng(g), b));
    EXPECT_EQ(Px(b, 0, 0), 0xFF000000u);
    EXPECT_EQ(Px(b, 1, 0), 0xFF555555u);
    EXPECT_EQ(Px(b, 2, 0), 0xFFAAAAAAu);

    g.bitDepth = 8;
    g.rows = {{0, 77, 255}};
    g.trnsGrey = 77; // grey tRNS becomes alpha
    ASSERT_TRUE(Load(MakePng(g), b));
    EXPECT_EQ(Px(b, 0, 0), 0xFF000000u);
    EXPECT_EQ(Px(b, 1, 0) >> 24, 0u);
    EXPECT_EQ(Px(b, 2, 0), 0xFFFFFFFFu);
}

TEST(LoaderPng, SixteenBitLoadsAsEightBitsPerChannel) {
    strPngFixture s;
    s.width = 2;
    s.height = 1;
    s.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
    s.bitDepth = 16;
    s.rows = {
        {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xFF, 0xFF, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x00, 0x00}};
    cBMP b;
    strLoadInfo info;
    ASSERT_TRUE(Load(MakePng(s), b, &info));
    EXPECT_EQ(info.sourceDepth, 64);
    EXPECT_EQ(b.GetBitCount(), 32);
    // Stripping keeps the high byte.
    EXPECT_EQ(Px(b, 0, 0), 0xFF12569Au);
    EXPECT_EQ(Px(b, 1, 0), 0x00010305u);
}

TEST(LoaderPng, InterlacedAndGamma) {
    strPngFixture s;
    s.width = 9;
    s.height = 9;
    s.colourType = PNG_COLOR_TYPE_RGB;
    s.interlaced = true;
    for (int y = 0; y < 9; ++y) {
        Bytes r;
        for (int x = 0; x < 9; ++x)
            r.insert(r.end(), {uint8_t(x * 20), uint8_t(y * 20), uint8_t(x + y)});
        s.rows.push_back(r);
    }
    cBMP b;
    ASSERT_TRUE(Load(MakePng(s), b));
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x)
            ASSERT_EQ(Px(b, x, y),
                      0xFF000000u | uint32_t(x * 20) << 16 | uint32_t(y * 20) << 8 | uint32_t(x + y));
    // A file gamma of 1/2.2 against the screen gamma 2.2 changes nothing.
    s.interlaced = false;
    s.gamma = 1 / 2.2;
    ASSERT_TRUE(Load(MakePng(s), b));
    EXPECT_EQ(Px(b, 8, 8), 0xFFA0A010u);
}

TEST(LoaderPng, CraftedFilesFail) {
    strPngFixture s;
    s.width = 4;
    s.height = 4;
    s.colourType = PNG_COLOR_TYPE_RGB;
    s.rows = std::vector<Bytes>(4, Bytes(12, 9));
    Bytes good = MakePng(s);
    Bytes cut(good.begin(), good.begin() + long(good.size() / 2));
    ExpectRefused(cut);
    Bytes crc = good;
    crc[45] ^= 0xFF; // inside the IDAT data: CRC error
    ExpectRefused(crc);
    // A header claiming 16384 x 16384 RGBA with no data behind it.
    Bytes huge = good;
    const uint8_t dim[8] = {0, 0, 0x40, 0, 0, 0, 0x40, 0};
    std::memcpy(huge.data() + 16, dim, 8);
    uint32_t c = crc32(0, huge.data() + 12, 17);
    huge[29] = uint8_t(c >> 24), huge[30] = uint8_t(c >> 16), huge[31] = uint8_t(c >> 8),
    huge[32] = uint8_t(c);
    ExpectRefused(huge);
    // Above the side limit.
    const uint8_t big[8] = {0, 0, 0x40, 1, 0, 0, 0, 1};
    std::memcpy(huge.data() + 16, big, 8);
    c = crc32(0, huge.data() + 12, 17);
    huge[29] = uint8_t(c >> 24), huge[30] = uint8_t(c >> 16), huge[31] = uint8_t(c >> 8),
    huge[32] = uint8_t(c);
    ExpectRefused(huge);
}

// ---- GIF ----

TEST(LoaderGif, InterlacedFirstFrameOnBlackCanvas) {
    strGifFrame f;
    f.left = 1;
    f.top = 2;
    f.width = 3;
    f.height = 10;
    f.interlaced = true;
    f.transparent = 3;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 3; ++x)
            f.indices.push_back(uint8_t(x == 1 && y == 4 ? 3 : (x + y) % 3));
    strGifFrame second = f; // ignored
    second.interlaced = false;
    second.transparent = -1;
    std::fill(second.indices.begin(), second.indices.end(), 2);
    const std::vector<uint32_t> map = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    cBMP b;
    strLoadInfo info;
    ASSERT_TRUE(Load(MakeGif(5, 13, map, {f, second}), b, &info));
    EXPECT_EQ(info.format, kImageGif);
    EXPECT_EQ(b.GetBitCount(), 32);
    int w, h;
    b.GetSize(w, h);
    EXPECT_EQ(w, 5);
    EXPECT_EQ(h, 13);
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 5; ++x) {
            uint32_t want = 0xFF000000u; // canvas black, fully opaque after normalisation
            int fx = x - 1, fy = y - 2;
            if (fx >= 0 && fx < 3 && fy >= 0 && fy < 10 && !(fx == 1 && fy == 4))
                want |= map[size_t((fx + fy) % 3)];
            ASSERT_EQ(Px(b, x, y), want) << x << "," << y;
        }
}

TEST(LoaderGif, LocalColourMap) {
    strGifFrame f;
    f.width = 2;
    f.height = 1;
    f.localMap = {0x123456, 0x654321};
    f.indices = {1, 0};
    cBMP b;
    ASSERT_TRUE(Load(MakeGif(2, 1, {0xFFFFFF, 0xFFFFFF}, {f}), b));
    EXPECT_EQ(Px(b, 0, 0), 0xFF654321u);
    EXPECT_EQ(Px(b, 1, 0), 0xFF123456u);
}

TEST(LoaderGif, CraftedFilesFail) {
    strGifFrame f;
    f.width = 2;
    f.height = 2;
    f.indices = {0, 1, 1, 0};
    Bytes good = MakeGif(4, 4, {0, 0xFFFFFF}, {f});
    Bytes noTrailer(good.begin(), good.end() - 1);
    ExpectRefused(noTrailer);
    Bytes cut(good.begin(), good.begin() + 20);
    ExpectRefused(cut);
    // A frame that does not lie inside the screen (placed at 3,3 on a 4 x 4 screen).
    f.left = 3;
    f.top = 3;
    ExpectRefused(MakeGif(4, 4, {0, 0xFFFFFF}, {f}));
    // A later frame outside the screen fails too.
    strGifFrame ok;
    ok.width = 1;
    ok.height = 1;
    ok.indices = {1};
    ExpectRefused(MakeGif(4, 4, {0, 0xFFFFFF}, {ok, f}));
    // No frame at all.
    ExpectRefused(MakeGif(4, 4, {0, 0xFFFFFF}, {}));
    // A screen of 16384 x 16384 in a file of a few dozen bytes.
    Bytes huge = MakeGif(4, 4, {0, 0xFFFFFF}, {ok});
    huge[6] = 0x00, huge[7] = 0x40, huge[8] = 0x00, huge[9] = 0x40;
    ExpectRefused(huge);
}

// ---- XYZ ----

TEST(LoaderXyz, PixelsAndPalette) {
    std::vector<uint32_t> pal(256);
    for (int i = 0; i < 256; ++i)
        pal[size_t(i)] = uint32_t(i) << 16 | uint32_t(255 - i) << 8 | uint32_t(i / 2);
    std::vector<uint8_t> idx;
    for (int i = 0; i < 7 * 5; ++i)
        idx.push_back(uint8_t(i * 7));
    cBMP b;
    strLoadInfo info;
    ASSERT_TRUE(Load(MakeXyz(7, 5, pal, idx), b, &info));
    EXPECT_EQ(info.format, kImageXyz);
    EXPECT_EQ(b.GetBitCount(), 8);
    ASSERT_EQ(b.Palette().Count(), 256);
    EXPECT_EQ(*b.GetPaletteEntry(0), 0x0000FF00u); // entry 0: alpha 0
    EXPECT_EQ(*b.GetPaletteEntry(200), 0xFFC83764u);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            ASSERT_EQ(Ix(b, x, y), uint8_t((y * 7 + x) * 7));
    uint32_t key, index;
    ComputeTransparency(b, kTransFlagAuto, key, index);
    EXPECT_EQ(index, 0u);
}

TEST(LoaderXyz, WrongAmountsOfDataFail) {
    std::vector<uint32_t> pal(256, 0x808080);
    std::vector<uint8_t> idx(12, 1);
    ExpectRefused(MakeXyz(4, 3, pal, idx, 0, 1)); // the stream ends one byte short
    ExpectRefused(MakeXyz(4, 3, pal, idx, 1, 0)); // one byte too many
    ExpectRefused(MakeXyz(0, 3, pal, {}, 0, 0));  // width 0
    ExpectRefused(MakeXyz(4, 0, pal, {}, 0, 0));  // height 0
    Bytes good = MakeXyz(4, 3, pal, idx);
    Bytes cut(good.begin(), good.end() - 3); // the end marker is missing
    ExpectRefused(cut);
    Bytes corrupt = good;
    corrupt[8] ^= 0x0F; // broken zlib header
    ExpectRefused(corrupt);
    Bytes huge = good;
    huge[4] = huge[5] = huge[6] = huge[7] = 0xFF; // 65535 x 65535: above the side limit
    ExpectRefused(huge);
    huge[5] = huge[7] = 0x3F; // 16383 x 16383 behind a tiny stream
    ExpectRefused(huge);
    ExpectRefused({'X', 'Y', 'Z', '1', 1, 0});
}

TEST(InflateBuffer, ChunkBoundariesAndLimits) {
    Bytes raw(10000);
    uint32_t seed = 12345;
    for (uint8_t& v : raw)
        v = uint8_t((seed = seed * 1103515245u + 12345u) >> 24);
    uLongf size = compressBound(uLong(raw.size()));
    Bytes packed(size);
    ASSERT_EQ(compress2(packed.data(), &size, raw.data(), uLong(raw.size()), 1), Z_OK);
    packed.resize(size);
    ASSERT_GT(packed.size(), 2048u);
    Bytes out(raw.size());
    size_t produced = 0;
    EXPECT_TRUE(InflateBuffer(packed.data(), packed.size(), out.data(), out.size(), &produced));
    EXPECT_EQ(produced, raw.size());
    EXPECT_EQ(out, raw);
    Bytes small(raw.size() - 1);
    EXPECT_FALSE(InflateBuffer(packed.data(), packed.size(), small.data(), small.size()));
    Bytes larger(raw.size() + 100);
    EXPECT_TRUE(InflateBuffer(packed.data(), packed.size(), larger.data(), larger.size(), &produced));
    EXPECT_EQ(produced, raw.size());
    EXPECT_FALSE(InflateBuffer(packed.data(), packed.size() - 1, out.data(), out.size()));
    EXPECT_FALSE(InflateBuffer(packed.data(), 0, out.data(), out.size()));
}

TEST(LoaderFile, ReadsFromDisk) {
    testing_support::TempDir dir;
    strPngFixture s;
    s.width = 1;
    s.height = 1;
    s.colourType = PNG_COLOR_TYPE_RGB;
    s.rows = {{9, 8, 7}};
    testing_support::WriteBytes(dir.file("p.png"), MakePng(s));
    cBMP b;
    ASSERT_TRUE(LoadPictureFile(dir.file("p.png"), b));
    EXPECT_EQ(Px(b, 0, 0), 0xFF090807u);
}

TEST(Builtins, ErrorPictureAndLabel) {
    cBMP err;
    ASSERT_TRUE(LoadPictureResource("BITMAP_ERCELL", err));
    int w, h;
    err.GetSize(w, h);
    EXPECT_EQ(w, 32);
    EXPECT_EQ(h, 32);
    EXPECT_EQ(err.GetBitCount(), 8);
    EXPECT_EQ(err.Palette().Count(), 256);
    EXPECT_EQ(Ix(err, 0, 0), 1);   // frame
    EXPECT_EQ(Ix(err, 16, 5), 0);  // background
    EXPECT_EQ(Ix(err, 16, 16), 1); // cross
    cBMP label;
    ASSERT_TRUE(LoadPictureResource("BITMAP_LABEL", label));
    label.GetSize(w, h);
    EXPECT_EQ(w, 10 * kLabelCellWidth);
    EXPECT_EQ(h, kLabelCellHeight);
    EXPECT_EQ(*label.GetPaletteEntry(1), 0xFFFFFFFFu);
    EXPECT_EQ(Ix(label, 1 * kLabelCellWidth + 3, 1), 1); // the top of the "1"
    EXPECT_FALSE(LoadPictureResource("BITMAP_NONE", label));
    EXPECT_FALSE(label.IsAttached());
}

// The fuzz targets' seed pictures are valid files of their format.
TEST(FuzzSeeds, EverySeedLoads) {
    const std::filesystem::path corpus =
        std::filesystem::path(PELKO_TEST_DATA) / ".." / ".." / "fuzz" / "corpus";
    const std::pair<const char*, eImageFormat> folders[] = {{"image_bmp", kImageBmp},
                                                            {"image_png", kImagePng},
                                                            {"image_gif", kImageGif},
                                                            {"image_xyz", kImageXyz}};
    int seen = 0;
    for (const auto& [name, format] : folders) {
        if (!std::filesystem::is_directory(corpus / name)) continue;
        for (const auto& entry : std::filesystem::directory_iterator(corpus / name)) {
            Bytes bytes = testing_support::ReadBytes(entry.path().string());
            cBMP b;
            strLoadInfo info;
            EXPECT_TRUE(LoadPictureMemory(bytes, b, {}, &info)) << entry.path();
            EXPECT_EQ(info.format, format) << entry.path();
            ++seen;
        }
    }
    EXPECT_GT(seen, 0);
}
