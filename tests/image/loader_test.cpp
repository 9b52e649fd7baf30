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

// Fixtures from their main fields; the others are set on the result.
strBmpFixture Bmp(int w, int h, int bits, Bytes data, std::vector<uint32_t> table = {},
                  uint32_t compression = 0, uint32_t clrUsed = 0) {
    return {.width = w,
            .height = h,
            .bits = bits,
            .compression = compression,
            .table = std::move(table),
            .clrUsed = clrUsed,
            .pixelData = std::move(data)};
}
strPngFixture Png(int w, int h, int colourType, std::vector<Bytes> rows, int bitDepth = 8) {
    return {.width = w, .height = h, .colourType = colourType, .bitDepth = bitDepth, .rows = std::move(rows)};
}

// Expects a failed load that leaves the target empty.
void ExpectRefused(const Bytes& bytes) {
    cBMP b;
    b.Attach(cDib::Create(1, 1, 32));
    EXPECT_FALSE(Load(bytes, b));
    EXPECT_FALSE(b.IsAttached());
}

// Expects rows of 8-bit indices (top row first), or of 32-bit pixels.
void ExpectIndices(const cBMP& b, const std::vector<std::vector<uint8_t>>& rows) {
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            EXPECT_EQ(Ix(b, int(x), int(y)), rows[y][x]) << x << "," << y;
}
void ExpectPixels(const cBMP& b, const std::vector<std::vector<uint32_t>>& rows) {
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            EXPECT_EQ(Px(b, int(x), int(y)), rows[y][x]) << x << "," << y;
}

// Expects the first palette entries (0xAARRGGBB).
void ExpectPalette(const cBMP& b, const std::vector<uint32_t>& entries) {
    for (size_t i = 0; i < entries.size(); ++i)
        EXPECT_EQ(*b.GetPaletteEntry(int(i)), entries[i]) << i;
}

// Rewrites the IHDR size of a PNG and its CRC.
void SetPngSize(Bytes& png, const uint8_t (&size)[8]) {
    std::memcpy(png.data() + 16, size, 8);
    uint32_t c = crc32(0, png.data() + 12, 17);
    for (int i = 0; i < 4; ++i)
        png[size_t(29 + i)] = uint8_t(c >> (24 - 8 * i));
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

TEST(Loader, RefusedFormatsAndMissingFiles) {
    strLoadInfo info;
    cBMP b;
    EXPECT_FALSE(Load({0xFF, 0xD8, 0xFF, 0xE0, 0, 0x10, 'J', 'F', 'I', 'F', 0, 0xFF, 0xD9}, b, &info));
    EXPECT_EQ(info.format, kImageJpeg);
    EXPECT_EQ(LoadFailureText(info), "JPEG pictures cannot be loaded");
    EXPECT_FALSE(Load({0x00, 0x2A, 0, 8, 0, 0, 0, 0}, b, &info));
    EXPECT_EQ(info.format, kImageTiff);
    ExpectRefused({'h', 'e', 'l', 'l', 'o'});
    ExpectRefused({});
    testing_support::TempDir dir;
    b.Attach(cDib::Create(1, 1, 8));
    EXPECT_FALSE(LoadPictureFile(dir.file("none.png"), b, &info));
    EXPECT_FALSE(b.IsAttached());
    EXPECT_EQ(info.failure, kLoadUnreadable);
    // A file on disk loads like the same bytes in memory.
    testing_support::WriteBytes(dir.file("p.png"), MakePng(Png(1, 1, PNG_COLOR_TYPE_RGB, {{9, 8, 7}})));
    ASSERT_TRUE(LoadPictureFile(dir.file("p.png"), b));
    EXPECT_EQ(Px(b, 0, 0), 0xFF090807u);
}

// The decoded 32-bit size is held to the budget by every loader, from the header: with a budget
// of 400 bytes, 10 x 10 pictures load and 11 x 10 or 10 x 11 ones are refused as too large.
TEST(Loader, PicturesAboveTheBudgetAreRefused) {
    const strLoadLimits limits{.maxBytes = 400};
    auto files = [](int w, int h) {
        return std::vector<Bytes>{
            MakeBmp(Bmp(w, h, 8, Bytes(size_t(cDib::StrideOf(w, 8) * h), 1), {0, 0xFFFFFF}, 0, 2)),
            MakePng(Png(w, h, PNG_COLOR_TYPE_GRAY, std::vector<Bytes>(size_t(h), Bytes(size_t(w), 7)))),
            MakeXyz(w, h, std::vector<uint32_t>(256, 0x808080), Bytes(size_t(w * h), 1)),
            MakeGif(w, h, {0, 0xFFFFFF}, {{.width = w, .height = h, .indices = Bytes(size_t(w * h), 1)}}),
        };
    };
    for (const Bytes& file : files(10, 10)) {
        cBMP b;
        EXPECT_TRUE(LoadPictureMemory(file, b, limits));
    }
    for (auto [w, h] : {std::pair{11, 10}, std::pair{10, 11}})
        for (const Bytes& file : files(w, h)) {
            cBMP b;
            strLoadInfo info;
            EXPECT_FALSE(LoadPictureMemory(file, b, limits, &info)) << ImageFormatName(info.format);
            EXPECT_EQ(info.failure, kLoadTooLarge) << ImageFormatName(info.format);
            EXPECT_EQ(std::pair(info.width, info.height), std::pair(int64_t(w), int64_t(h)));
        }
    // A one-bit PNG of a few kilobytes that decoded to 268 MB: one row more than the budget allows.
    const Bytes png =
        MakePng(Png(16384, 4097, PNG_COLOR_TYPE_GRAY, std::vector<Bytes>(4097, Bytes(2048, 0)), 1));
    cBMP b;
    strLoadInfo info;
    EXPECT_FALSE(LoadPictureMemory(png, b, {}, &info));
    EXPECT_EQ(LoadFailureText(info),
              "16384 x 4097 pixels would take 257 MiB; a picture may take at most 256 MiB");
}

// ---- BMP ----

TEST(LoaderBmp, OneBitBecomesEightBitsWith256Entries) {
    // 10 x 2, bottom-up; junk in the reserved byte of the table must not become alpha.
    strBmpFixture s = Bmp(10, 2, 1, {0xFF, 0xC0, 0, 0, 0xA0, 0x40, 0, 0}, {0x204060, 0xF0E0D0});
    s.tableReserved = 0x55;
    cBMP b;
    strLoadInfo info;
    ASSERT_TRUE(Load(MakeBmp(s), b, &info));
    EXPECT_EQ(info.format, kImageBmp);
    EXPECT_EQ(info.sourceDepth, 1);
    EXPECT_EQ(b.GetBitCount(), 8);
    ASSERT_EQ(b.Palette().Count(), 256);
    ExpectPalette(b, {0xFF204060u, 0xFFF0E0D0u});
    for (int i = 2; i < 256; ++i)
        ASSERT_EQ(*b.GetPaletteEntry(i), 0xFF000000u) << i;
    ExpectIndices(b, {{1, 0, 1, 0, 0, 0, 0, 0, 0, 1}, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}});
    EXPECT_EQ(b.GetColourKey(), 0u);
}

TEST(LoaderBmp, FourBitTopDownWithShortTable) {
    cBMP b;
    ASSERT_TRUE(
        Load(MakeBmp(Bmp(3, -2, 4, {0x12, 0x00, 0, 0, 0x21, 0x10, 0, 0}, {0, 0xFF0000, 0x00FF00}, 0, 3)), b));
    EXPECT_EQ(b.GetBitCount(), 8);
    EXPECT_EQ(b.Palette().Count(), 256); // expanded table: 3 colours then black
    ExpectIndices(b, {{1, 2, 0}, {2, 1, 1}});
}

TEST(LoaderBmp, SixteenTwentyFourAndThirtyTwoBitsBecomeThirtyTwo) {
    // 24 bits, bottom row first (B, G, R).
    strBmpFixture s = Bmp(2, 2, 24, {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0});
    cBMP b;
    ASSERT_TRUE(Load(MakeBmp(s), b));
    EXPECT_EQ(b.GetBitCount(), 32);
    ExpectPixels(b, {{0xFF090807u, 0xFF0C0B0Au}, {0xFF030201u}});
    // 5-6-5 bitfields: pure red, pure blue.
    s = Bmp(2, 1, 16, {0x00, 0xF8, 0x1F, 0x00}, {}, 3);
    s.masks = {0xF800, 0x07E0, 0x001F};
    ASSERT_TRUE(Load(MakeBmp(s), b));
    ExpectPixels(b, {{0xFFFF0000u, 0xFF0000FFu}});
    // 32 bits: an unused fourth byte is opaque, an alpha channel is kept, masks may swap R and B.
    s = Bmp(2, 1, 32, {1, 2, 3, 0, 4, 5, 6, 0});
    ASSERT_TRUE(Load(MakeBmp(s), b));
    EXPECT_EQ(Px(b, 0, 0), 0xFF030201u);
    s.pixelData[7] = 0x80;
    ASSERT_TRUE(Load(MakeBmp(s), b));
    ExpectPixels(b, {{0x00030201u, 0x80060504u}});
    s.compression = 3;
    s.masks = {0x0000FF, 0x00FF00, 0xFF0000};
    s.pixelData[7] = 0;
    ASSERT_TRUE(Load(MakeBmp(s), b));
    EXPECT_EQ(Px(b, 0, 0), 0xFF010203u);
}

TEST(LoaderBmp, RunLengthEncoded) {
    // Bottom row: 1 1 1, then 1 2 3 absolute (padded), end of line; delta 2 right on the middle row,
    // 3 3 3 3, end of line; top row: 2 x 6, end of bitmap.
    const Bytes rle8 = {3, 1, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 2, 0, 4, 3, 0, 0, 6, 2, 0, 1};
    cBMP b;
    ASSERT_TRUE(Load(MakeBmp(Bmp(6, 3, 8, rle8, {0, 0x111111, 0x222222, 0x333333}, 1, 4)), b));
    ExpectIndices(b, {{2, 2, 2, 2, 2, 2}, {0, 0, 3, 3, 3, 3}, {1, 1, 1, 1, 2, 3}});
    EXPECT_EQ(b.Palette().Count(), 4);
    // RLE4: bottom 1 2 1 2 1; top absolute 3 4 5 6 7 (3 data bytes padded to 4).
    const Bytes rle4 = {5, 0x12, 0, 0, 0, 5, 0x34, 0x56, 0x70, 0, 0, 1};
    ASSERT_TRUE(Load(MakeBmp(Bmp(5, 2, 4, rle4, std::vector<uint32_t>(16, 0x808080), 2)), b));
    ExpectIndices(b, {{3, 4, 5, 6, 7}, {1, 2, 1, 2, 1}});
}

// Writers that encode each row's padding end rows with a run past the row's end (8 pixels for a row
// of 6, RLE8; of 5, RLE4): the run is clipped at the row's end, in encoded and absolute mode.
TEST(LoaderBmp, RunsPastTheRowEndAreClipped) {
    const Bytes rle8 = {8, 1, 0, 0, 0, 8, 1, 2, 3, 4, 5, 6, 7, 8, 0, 0, 0, 1};
    cBMP b;
    ASSERT_TRUE(Load(MakeBmp(Bmp(6, 2, 8, rle8, std::vector<uint32_t>(16, 0x404040), 1, 16)), b));
    ExpectIndices(b, {{1, 2, 3, 4, 5, 6}, {1, 1, 1, 1, 1, 1}});
    const Bytes rle4 = {8, 0x12, 0, 0, 0, 8, 0x34, 0x56, 0x78, 0x9A, 0, 0, 3, 0xBB, 0, 1};
    ASSERT_TRUE(Load(MakeBmp(Bmp(5, 3, 4, rle4, std::vector<uint32_t>(16, 0x404040), 2, 16)), b));
    ExpectIndices(b, {{11, 11, 11, 0, 0}, {3, 4, 5, 6, 7}, {1, 2, 1, 2, 1}});
}

// Every header kind, with the masks inside the header, after it or split (a 52-byte header with
// an alpha mask): the valid file loads, and every shorter cut of it is refused without a read past
// its end (the sanitizer build checks the reads).
TEST(LoaderBmp, HeaderReadsStayInsideTheFile) {
    const uint32_t swapped[4] = {0xFF, 0xFF00, 0xFF0000, 0xFF000000u}; // R and B swapped, alpha
    const Bytes pixel = {1, 2, 3, 0x80};
    struct Case {
        uint32_t headerSize, compression;
        int maskCount;
        uint32_t expected;
    } cases[] = {
        {40, 0, 0, 0x80030201u}, {40, 3, 3, 0xFF010203u},  {40, 6, 4, 0x80010203u},
        {52, 3, 3, 0xFF010203u}, {52, 6, 4, 0x80010203u},  {56, 6, 4, 0x80010203u},
        {56, 3, 4, 0x80010203u}, {108, 3, 4, 0x80010203u}, {124, 0, 0, 0x80030201u},
    };
    std::vector<std::pair<Bytes, uint32_t>> files;
    for (const Case& c : cases) {
        strBmpFixture s = Bmp(1, 1, 32, pixel, {}, c.compression);
        s.headerSize = c.headerSize;
        s.masks.assign(swapped, swapped + c.maskCount);
        files.emplace_back(MakeBmp(s), c.expected);
    }
    // A core header (16-bit sizes, 3-byte table entries): 8 bits, entry 0 = R 4, G 5, B 6.
    Bytes core = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0x1A, 0x03, 0, 0, 12, 0, 0, 0, 1, 0, 1, 0, 1, 0, 8, 0};
    core.resize(14 + 12 + 256 * 3 + 4, 0); // the table, then one row of index 0
    core[26] = 6, core[27] = 5, core[28] = 4;
    files.emplace_back(core, 0xFF040506u);
    for (const auto& [file, expected] : files) {
        SCOPED_TRACE(testing::Message() << "header " << int(file[14]) << " compression " << int(file[30]));
        cBMP b;
        ASSERT_TRUE(Load(file, b));
        EXPECT_EQ(b.GetBitCount() == 8 ? *b.GetPaletteEntry(Ix(b, 0, 0)) : Px(b, 0, 0), expected);
        for (size_t n = 0; n < file.size(); ++n)
            ExpectRefused(Bytes(file.begin(), file.begin() + long(n)));
    }
}

TEST(LoaderBmp, CraftedFilesFail) {
    strBmpFixture rle = Bmp(4, 2, 8, {}, {0, 0xFFFFFF}, 1, 2);
    for (const Bytes& data : std::vector<Bytes>{
             {0, 3, 1, 1, 1, 0, 0, 0, 0, 0, 4, 1, 0, 0, 4, 1, 0, 1}, // past the image (3 rows of 2)
             {0, 2, 1, 5, 0, 1},                                     // delta below the image
             {0, 6, 1, 1, 0},                                        // absolute run past the data
             {4, 1, 0, 0},                                           // data ends before the image
         }) {
        rle.pixelData = data;
        ExpectRefused(MakeBmp(rle));
    }
    strBmpFixture raw = Bmp(4, 4, 8, Bytes(15, 0), std::vector<uint32_t>(256, 0)); // one byte short
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
    // 16384 x 16384 with a few bytes of data, run-length or raw: refused before any picture-sized
    // allocation.
    rle.width = rle.height = raw.width = raw.height = 16384;
    rle.pixelData = {0, 1};
    ExpectRefused(MakeBmp(rle));
    raw.pixelData = Bytes(64, 0);
    ExpectRefused(MakeBmp(raw));
    Bytes bad = MakeBmp(raw);
    bad[14] = 41; // unknown header size
    ExpectRefused(bad);
    ExpectRefused({'B', 'M', 0, 0});
}

// ---- PNG ----

TEST(LoaderPng, PaletteWithTrnsKeepsItsAlphas) {
    strPngFixture s = Png(3, 2, PNG_COLOR_TYPE_PALETTE, {{0x01, 0x20}, {0x33, 0x00}}, 4); // 0 1 2 / 3 3 0
    s.palette = {0x102030, 0x405060, 0x708090, 0xA0B0C0};
    s.trnsAlpha = {255, 128, 0};
    cBMP b;
    strLoadInfo info;
    ASSERT_TRUE(Load(MakePng(s), b, &info));
    EXPECT_EQ(info.format, kImagePng);
    EXPECT_EQ(info.sourceDepth, 4);
    EXPECT_EQ(b.GetBitCount(), 8);
    ASSERT_EQ(b.Palette().Count(), 4);
    ExpectPalette(b, {0xFF102030u, 0x80405060u, 0x00708090u, 0xFFA0B0C0u});
    ExpectIndices(b, {{0, 1, 2}, {3, 3, 0}});
    uint32_t key, index;
    ComputeTransparency(b, kTransFlagAuto, key, index);
    EXPECT_EQ(index, 2u);
}

TEST(LoaderPng, TrueColourAndGrey) {
    cBMP b;
    ASSERT_TRUE(Load(MakePng(Png(2, 2, PNG_COLOR_TYPE_RGB_ALPHA,
                                 {{10, 20, 30, 0, 40, 50, 60, 1}, {70, 80, 90, 254, 100, 110, 120, 255}})),
                     b));
    EXPECT_EQ(b.GetBitCount(), 32);
    ExpectPixels(b, {{0x000A141Eu, 0x0128323Cu}, {0xFE46505Au, 0xFF646E78u}}); // alpha exactly
    ASSERT_TRUE(Load(MakePng(Png(2, 1, PNG_COLOR_TYPE_RGB, {{1, 2, 3, 4, 5, 6}})), b));
    ExpectPixels(b, {{0xFF010203u, 0xFF040506u}});
    ASSERT_TRUE(Load(MakePng(Png(3, 1, PNG_COLOR_TYPE_GRAY, {{0x1B}}, 2)), b));
    ExpectPixels(b, {{0xFF000000u, 0xFF555555u, 0xFFAAAAAAu}});
    strPngFixture s = Png(3, 1, PNG_COLOR_TYPE_GRAY, {{0, 77, 255}});
    s.trnsGrey = 77;
    ASSERT_TRUE(Load(MakePng(s), b));
    EXPECT_EQ(Px(b, 0, 0), 0xFF000000u);
    EXPECT_EQ(Px(b, 1, 0) >> 24, 0u); // grey tRNS becomes alpha
    EXPECT_EQ(Px(b, 2, 0), 0xFFFFFFFFu);
    // 16 bits per channel: the high byte is kept.
    const Bytes row16 = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xFF, 0xFF,
                         0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0,    0};
    strLoadInfo info;
    ASSERT_TRUE(Load(MakePng(Png(2, 1, PNG_COLOR_TYPE_RGB_ALPHA, {row16}, 16)), b, &info));
    EXPECT_EQ(info.sourceDepth, 64);
    ExpectPixels(b, {{0xFF12569Au, 0x00010305u}});
}

TEST(LoaderPng, InterlacedAndGamma) {
    strPngFixture s{.width = 9, .height = 9, .colourType = PNG_COLOR_TYPE_RGB, .interlaced = true};
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
    Bytes good = MakePng(Png(4, 4, PNG_COLOR_TYPE_RGB, std::vector<Bytes>(4, Bytes(12, 9))));
    ExpectRefused(Bytes(good.begin(), good.begin() + long(good.size() / 2)));
    Bytes crc = good;
    crc[45] ^= 0xFF; // inside the IDAT data: CRC error
    ExpectRefused(crc);
    Bytes huge = good;
    SetPngSize(huge, {0, 0, 0x40, 0, 0, 0, 0x40, 0}); // 16384 x 16384 with no data behind it
    ExpectRefused(huge);
    SetPngSize(huge, {0, 0, 0x40, 1, 0, 0, 0, 1}); // above the side limit
    ExpectRefused(huge);
}

// ---- GIF ----

TEST(LoaderGif, InterlacedFirstFrameOnBlackCanvas) {
    strGifFrame f{.left = 1, .top = 2, .width = 3, .height = 10, .interlaced = true, .transparent = 3};
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 3; ++x)
            f.indices.push_back(uint8_t(x == 1 && y == 4 ? 3 : (x + y) % 3));
    strGifFrame second{.width = 3, .height = 10, .indices = Bytes(30, 2)}; // ignored
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
    // A local colour map wins over the global one.
    strGifFrame local{.width = 2, .height = 1, .localMap = {0x123456, 0x654321}, .indices = {1, 0}};
    ASSERT_TRUE(Load(MakeGif(2, 1, {0xFFFFFF, 0xFFFFFF}, {local}), b));
    ExpectPixels(b, {{0xFF654321u, 0xFF123456u}});
}

TEST(LoaderGif, CraftedFilesFail) {
    strGifFrame f{.width = 2, .height = 2, .indices = {0, 1, 1, 0}};
    const std::vector<uint32_t> map = {0, 0xFFFFFF};
    Bytes good = MakeGif(4, 4, map, {f});
    ExpectRefused(Bytes(good.begin(), good.end() - 1)); // no trailer
    ExpectRefused(Bytes(good.begin(), good.begin() + 20));
    strGifFrame outside = f; // at 3,3 on a 4 x 4 screen, first or later
    outside.left = outside.top = 3;
    strGifFrame ok{.width = 1, .height = 1, .indices = {1}};
    ExpectRefused(MakeGif(4, 4, map, {outside}));
    ExpectRefused(MakeGif(4, 4, map, {ok, outside}));
    ExpectRefused(MakeGif(4, 4, map, {})); // no frame at all
    Bytes huge = MakeGif(4, 4, map, {ok}); // a 16384 x 16384 screen in a few dozen bytes
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
    ExpectRefused(MakeXyz(0, 3, pal, {}));
    ExpectRefused(MakeXyz(4, 0, pal, {}));
    Bytes good = MakeXyz(4, 3, pal, idx);
    ExpectRefused(Bytes(good.begin(), good.end() - 3)); // the end marker is missing
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
    Bytes out(raw.size()), small(raw.size() - 1), larger(raw.size() + 100);
    size_t produced = 0;
    EXPECT_TRUE(InflateBuffer(packed.data(), packed.size(), out.data(), out.size(), &produced));
    EXPECT_EQ(produced, raw.size());
    EXPECT_EQ(out, raw);
    EXPECT_FALSE(InflateBuffer(packed.data(), packed.size(), small.data(), small.size()));
    EXPECT_TRUE(InflateBuffer(packed.data(), packed.size(), larger.data(), larger.size(), &produced));
    EXPECT_EQ(produced, raw.size());
    EXPECT_FALSE(InflateBuffer(packed.data(), packed.size() - 1, out.data(), out.size()));
    EXPECT_FALSE(InflateBuffer(packed.data(), 0, out.data(), out.size()));
}

TEST(Builtins, ErrorPictureAndLabel) {
    cBMP err;
    ASSERT_TRUE(LoadPictureResource("BITMAP_ERCELL", err));
    int w, h;
    err.GetSize(w, h);
    EXPECT_EQ(w, 32);
    EXPECT_EQ(h, 32);
    EXPECT_EQ(err.GetBitCount(), 8);
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

// The fuzz targets' seed pictures are valid files of their format, except the findings kept as
// "refused-*", which must fail cleanly.
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
            cBMP b;
            strLoadInfo info;
            const bool refused = entry.path().filename().string().starts_with("refused-");
            EXPECT_NE(LoadPictureMemory(testing_support::ReadBytes(entry.path().string()), b, {}, &info),
                      refused)
                << entry.path();
            EXPECT_EQ(info.format, format) << entry.path();
            ++seen;
        }
    }
    EXPECT_GT(seen, 0);
}
