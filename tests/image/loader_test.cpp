// Picture loaders: detection and the four decoders, on fixtures written by independent writers and checked
// pixel by pixel, plus crafted files that must fail without a crash or a huge allocation.

#include "image/builtin_pictures.h"
#include "image/picture_loader.h"
#include "image_fixtures.h"
#include "support/test_support.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <filesystem>

using namespace image_fixtures;

namespace {

using Rows = std::vector<std::vector<uint32_t>>;

// Every pixel, top row first, as stored: the indices of an 8-bit picture, else 0xAARRGGBB.
Rows Pixels(const cBMP& b) {
    const std::vector<uint32_t> values = Values(*b.dib());
    const size_t w = size_t(b.dib()->width());
    Rows rows;
    for (size_t at = 0; at < values.size(); at += w)
        rows.emplace_back(values.begin() + long(at), values.begin() + long(at + w));
    return rows;
}
std::vector<uint32_t> PaletteOf(const cBMP& b) {
    std::vector<uint32_t> out;
    for (int i = 0; i < b.palette().count(); ++i)
        out.push_back(*b.getPaletteEntry(i));
    return out;
}
// The given entries, then opaque black up to 256.
std::vector<uint32_t> Padded(std::vector<uint32_t> entries) {
    entries.resize(256, 0xFF000000u);
    return entries;
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

// A copy of bytes with values written at `at`, or only its first n bytes.
Bytes Patched(Bytes bytes, size_t at, const Bytes& values) {
    std::copy(values.begin(), values.end(), bytes.begin() + long(at));
    return bytes;
}
Bytes Cut(const Bytes& bytes, size_t n) {
    return Bytes(bytes.begin(), bytes.begin() + long(n));
}

// A PNG with another IHDR size (4 bytes of width, 4 of height) and the CRC to match.
Bytes PngSized(const Bytes& png, const Bytes& size) {
    Bytes out = Patched(png, 16, size);
    uint32_t c = crc32(0, out.data() + 12, 17);
    return Patched(out, 29, {uint8_t(c >> 24), uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
}

// Expects a failed load that leaves the target empty.
void ExpectRefused(const Bytes& bytes) {
    cBMP b;
    b.attach(cDib::create(1, 1, 32));
    EXPECT_FALSE(Load(bytes, b));
    EXPECT_FALSE(b.isAttached());
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
    EXPECT_EQ(LoadFailureText(info), "JPEG pictures cannot be loaded"); // what detection found, refused
    testing_support::TempDir dir;
    b.attach(cDib::create(1, 1, 8));
    EXPECT_FALSE(LoadPictureFile(dir.file("none.png"), b, &info));
    EXPECT_FALSE(b.isAttached());
    EXPECT_EQ(info.failure, kLoadUnreadable);
    // A file on disk loads like the same bytes in memory.
    testing_support::WriteBytes(dir.file("p.png"), MakePng(Png(1, 1, PNG_COLOR_TYPE_RGB, {{9, 8, 7}})));
    ASSERT_TRUE(LoadPictureFile(dir.file("p.png"), b));
    EXPECT_EQ(Pixels(b), (Rows{{0xFF090807u}}));
}

// The decoded 32-bit size is held to the budget by every loader, from the header: with a budget
// of 400 bytes, 10 x 10 pictures load and 11 x 10 or 10 x 11 ones are refused as too large.
TEST(Loader, PicturesAboveTheBudgetAreRefused) {
    const strLoadLimits limits{.maxBytes = 400};
    auto files = [](int w, int h) {
        return std::vector<Bytes>{
            MakeBmp(Bmp(w, h, 8, Bytes(size_t(cDib::strideOf(w, 8) * h), 1), {0, 0xFFFFFF}, 0, 2)),
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

// Every decoder on files of known pixels: the format, depth and every pixel and palette entry.
TEST(Loader, DecodesEveryPixel) {
    // 1-bit BMP with junk in the reserved byte of the table, which must not become alpha.
    strBmpFixture oneBit = Bmp(10, 2, 1, {0xFF, 0xC0, 0, 0, 0xA0, 0x40, 0, 0}, {0x204060, 0xF0E0D0});
    oneBit.tableReserved = 0x55;
    strBmpFixture rgb565 = Bmp(2, 1, 16, {0x00, 0xF8, 0x1F, 0x00}, {}, 3);
    rgb565.masks = {0xF800, 0x07E0, 0x001F};
    strPngFixture pal = Png(3, 2, PNG_COLOR_TYPE_PALETTE, {{0x01, 0x20}, {0x33, 0x00}}, 4); // 0 1 2 / 3 3 0
    pal.palette = {0x102030, 0x405060, 0x708090, 0xA0B0C0};
    pal.trnsAlpha = {255, 128, 0};
    strPngFixture greyKey = Png(3, 1, PNG_COLOR_TYPE_GRAY, {{0, 77, 255}});
    greyKey.trnsGrey = 77;
    // 9 x 9 interlaced, and the same with a file gamma of 1/2.2, which against the screen gamma 2.2
    // changes nothing.
    strPngFixture adam7{.width = 9, .height = 9, .colourType = PNG_COLOR_TYPE_RGB, .interlaced = true};
    Rows adam7Pixels(9);
    for (int y = 0; y < 9; ++y) {
        adam7.rows.emplace_back();
        for (int x = 0; x < 9; ++x) {
            adam7.rows.back().insert(adam7.rows.back().end(),
                                     {uint8_t(x * 20), uint8_t(y * 20), uint8_t(x + y)});
            adam7Pixels[size_t(y)].push_back(0xFF000000u | uint32_t(x * 20) << 16 | uint32_t(y * 20) << 8 |
                                             uint32_t(x + y));
        }
    }
    strPngFixture gamma = adam7;
    gamma.interlaced = false;
    gamma.gamma = 1 / 2.2;
    // An interlaced GIF frame at 1,2 on a 5 x 13 screen with one transparent pixel: the canvas is
    // black and every pixel opaque after normalisation. A second frame is ignored.
    const std::vector<uint32_t> map = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    strGifFrame frame{.left = 1, .top = 2, .width = 3, .height = 10, .interlaced = true, .transparent = 3};
    Rows canvas(13, std::vector<uint32_t>(5, 0xFF000000u));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 3; ++x) {
            const bool hole = x == 1 && y == 4;
            frame.indices.push_back(uint8_t(hole ? 3 : (x + y) % 3));
            canvas[size_t(y + 2)][size_t(x + 1)] |= hole ? 0 : map[size_t((x + y) % 3)];
        }
    const strGifFrame ignored{.width = 3, .height = 10, .indices = Bytes(30, 2)};
    const strGifFrame local{.width = 2, .height = 1, .localMap = {0x123456, 0x654321}, .indices = {1, 0}};
    // XYZ: entry 0 has alpha 0.
    std::vector<uint32_t> xyzMap(256), xyzPalette(256);
    Bytes xyzIndices;
    Rows xyzPixels(5);
    for (int i = 0; i < 256; ++i) {
        xyzMap[size_t(i)] = uint32_t(i) << 16 | uint32_t(255 - i) << 8 | uint32_t(i / 2);
        xyzPalette[size_t(i)] = xyzMap[size_t(i)] | (i ? 0xFF000000u : 0);
    }
    for (int i = 0; i < 7 * 5; ++i) {
        xyzIndices.push_back(uint8_t(i * 7));
        xyzPixels[size_t(i / 7)].push_back(uint8_t(i * 7));
    }
    // 16 bits per channel: the high byte is kept.
    const Bytes row16 = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xFF, 0xFF,
                         0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0,    0};
    // RLE8, bottom row: 1 1 1, then 1 2 3 absolute (padded), end of line; delta 2 right on the middle
    // row, 3 3 3 3, end of line; top row: 2 x 6, end of bitmap.
    const Bytes rle8 = {3, 1, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 2, 0, 4, 3, 0, 0, 6, 2, 0, 1};
    // RLE4: bottom 1 2 1 2 1; top absolute 3 4 5 6 7 (3 data bytes padded to 4).
    const Bytes rle4 = {5, 0x12, 0, 0, 0, 5, 0x34, 0x56, 0x70, 0, 0, 1};
    // Writers that encode each row's padding end rows with a run past the row's end (8 pixels for a
    // row of 6, RLE8; of 5, RLE4): the run is clipped at the row's end, in encoded and absolute mode.
    const Bytes rle8Past = {8, 1, 0, 0, 0, 8, 1, 2, 3, 4, 5, 6, 7, 8, 0, 0, 0, 1};
    const Bytes rle4Past = {8, 0x12, 0, 0, 0, 8, 0x34, 0x56, 0x78, 0x9A, 0, 0, 3, 0xBB, 0, 1};
    const std::vector<uint32_t> grey16(16, 0x404040);

    auto expect = [](const char* name, const Bytes& file, eImageFormat format, int sourceDepth, int bits,
                     const Rows& pixels, const std::vector<uint32_t>& palette = {}) {
        SCOPED_TRACE(name);
        cBMP b;
        strLoadInfo info;
        ASSERT_TRUE(Load(file, b, &info));
        EXPECT_EQ(info.format, format);
        EXPECT_EQ(info.sourceDepth, sourceDepth);
        EXPECT_EQ(b.getBitCount(), bits);
        EXPECT_EQ(Pixels(b), pixels); // top row first: indices of 8 bits, else 0xAARRGGBB
        if (!palette.empty()) {
            EXPECT_EQ(PaletteOf(b), palette); // every entry, with its alpha
        }
    };
    expect("BMP 1 bit", MakeBmp(oneBit), kImageBmp, 1, 8,
           {{1, 0, 1, 0, 0, 0, 0, 0, 0, 1}, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
           Padded({0xFF204060u, 0xFFF0E0D0u}));
    expect("BMP 4 bits top-down, short table",
           MakeBmp(Bmp(3, -2, 4, {0x12, 0x00, 0, 0, 0x21, 0x10, 0, 0}, {0, 0xFF0000, 0x00FF00}, 0, 3)),
           kImageBmp, 4, 8, {{1, 2, 0}, {2, 1, 1}}, Padded({0xFF000000u, 0xFFFF0000u, 0xFF00FF00u}));
    expect("BMP 24 bits, bottom row first",
           MakeBmp(Bmp(2, 2, 24, {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0})), kImageBmp, 24, 32,
           {{0xFF090807u, 0xFF0C0B0Au}, {0xFF030201u, 0xFF060504u}});
    expect("BMP 5-6-5 bitfields", MakeBmp(rgb565), kImageBmp, 16, 32, {{0xFFFF0000u, 0xFF0000FFu}});
    expect("BMP 32 bits, unused fourth byte", MakeBmp(Bmp(2, 1, 32, {1, 2, 3, 0, 4, 5, 6, 0})), kImageBmp, 32,
           32, {{0xFF030201u, 0xFF060504u}});
    expect("BMP 32 bits with alpha", MakeBmp(Bmp(2, 1, 32, {1, 2, 3, 0, 4, 5, 6, 0x80})), kImageBmp, 32, 32,
           {{0x00030201u, 0x80060504u}});
    expect("BMP RLE8", MakeBmp(Bmp(6, 3, 8, rle8, {0, 0x111111, 0x222222, 0x333333}, 1, 4)), kImageBmp, 8, 8,
           {{2, 2, 2, 2, 2, 2}, {0, 0, 3, 3, 3, 3}, {1, 1, 1, 1, 2, 3}},
           {0xFF000000u, 0xFF111111u, 0xFF222222u, 0xFF333333u});
    expect("BMP RLE4", MakeBmp(Bmp(5, 2, 4, rle4, std::vector<uint32_t>(16, 0x808080), 2)), kImageBmp, 4, 8,
           {{3, 4, 5, 6, 7}, {1, 2, 1, 2, 1}});
    expect("RunsPastTheRowEndAreClipped: RLE8", MakeBmp(Bmp(6, 2, 8, rle8Past, grey16, 1, 16)), kImageBmp, 8,
           8, {{1, 2, 3, 4, 5, 6}, {1, 1, 1, 1, 1, 1}});
    expect("RunsPastTheRowEndAreClipped: RLE4", MakeBmp(Bmp(5, 3, 4, rle4Past, grey16, 2, 16)), kImageBmp, 4,
           8, {{11, 11, 11, 0, 0}, {3, 4, 5, 6, 7}, {1, 2, 1, 2, 1}});
    expect("PNG palette with tRNS", MakePng(pal), kImagePng, 4, 8, {{0, 1, 2}, {3, 3, 0}},
           {0xFF102030u, 0x80405060u, 0x00708090u, 0xFFA0B0C0u});
    expect("PNG RGBA, alpha exactly",
           MakePng(Png(2, 2, PNG_COLOR_TYPE_RGB_ALPHA,
                       {{10, 20, 30, 0, 40, 50, 60, 1}, {70, 80, 90, 254, 100, 110, 120, 255}})),
           kImagePng, 32, 32, {{0x000A141Eu, 0x0128323Cu}, {0xFE46505Au, 0xFF646E78u}});
    expect("PNG RGB", MakePng(Png(2, 1, PNG_COLOR_TYPE_RGB, {{1, 2, 3, 4, 5, 6}})), kImagePng, 24, 32,
           {{0xFF010203u, 0xFF040506u}});
    expect("PNG grey 2 bits", MakePng(Png(3, 1, PNG_COLOR_TYPE_GRAY, {{0x1B}}, 2)), kImagePng, 2, 32,
           {{0xFF000000u, 0xFF555555u, 0xFFAAAAAAu}});
    expect("PNG grey tRNS becomes alpha", MakePng(greyKey), kImagePng, 8, 32,
           {{0xFF000000u, 0x004D4D4Du, 0xFFFFFFFFu}});
    expect("PNG 16 bits", MakePng(Png(2, 1, PNG_COLOR_TYPE_RGB_ALPHA, {row16}, 16)), kImagePng, 64, 32,
           {{0xFF12569Au, 0x00010305u}});
    expect("PNG interlaced", MakePng(adam7), kImagePng, 24, 32, adam7Pixels);
    expect("PNG gamma", MakePng(gamma), kImagePng, 24, 32, adam7Pixels);
    expect("GIF interlaced first frame", MakeGif(5, 13, map, {frame, ignored}), kImageGif, 8, 32, canvas);
    expect("GIF local map wins", MakeGif(2, 1, {0xFFFFFF, 0xFFFFFF}, {local}), kImageGif, 8, 32,
           {{0xFF654321u, 0xFF123456u}});
    expect("XYZ", MakeXyz(7, 5, xyzMap, xyzIndices), kImageXyz, 8, 8, xyzPixels, xyzPalette);
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
        const uint32_t stored = Pixels(b)[0][0];
        EXPECT_EQ(b.getBitCount() == 8 ? *b.getPaletteEntry(int(stored)) : stored, expected);
        for (size_t n = 0; n < file.size(); ++n)
            ExpectRefused(Cut(file, n));
    }
}

// Crafted and damaged files of every format fail cleanly and leave the target empty. The huge ones
// ("in a few bytes") stay within the budget, so that what refuses them, before any picture-sized
// allocation, is the data too short to hold them: an RLE end of bitmap or a 1 x 1 GIF image would
// otherwise load as a picture of that size. The GIF record walk's own checks are the animation reader's
// tests; here only what the loader adds (later images skipped undecoded, the size limits).
TEST(Loader, CraftedFilesFail) {
    auto rle8 = [](int w, int h, Bytes data) {
        return MakeBmp(Bmp(w, h, 8, std::move(data), {0, 0xFFFFFF}, 1, 2));
    };
    auto raw8 = [](int w, int h, Bytes data, uint32_t clrUsed = 0) {
        return MakeBmp(Bmp(w, h, 8, std::move(data), std::vector<uint32_t>(256, 0), 0, clrUsed));
    };
    const Bytes png = MakePng(Png(4, 4, PNG_COLOR_TYPE_RGB, std::vector<Bytes>(4, Bytes(12, 9))));
    const std::vector<uint32_t> map = {0, 0xFFFFFF};
    const strGifFrame two{.width = 2, .height = 2, .indices = {0, 1, 1, 0}},
        one{.width = 1, .height = 1, .indices = {1}};
    strGifFrame outside = two; // at 3,3 on a 4 x 4 screen
    outside.left = outside.top = 3;
    const std::vector<uint32_t> grey(256, 0x808080);
    const Bytes idx(12, 1), xyz = MakeXyz(4, 3, grey, idx);
    const struct {
        const char* name;
        Bytes file;
    } cases[] = {
        {"not a picture", {'h', 'e', 'l', 'l', 'o'}},
        {"empty", {}},
        {"BMP RLE past the image (3 rows of 2)",
         rle8(4, 2, {0, 3, 1, 1, 1, 0, 0, 0, 0, 0, 4, 1, 0, 0, 4, 1, 0, 1})},
        {"BMP RLE delta below the image", rle8(4, 2, {0, 2, 1, 5, 0, 1})},
        {"BMP RLE absolute run past the data", rle8(4, 2, {0, 6, 1, 1, 0})},
        {"BMP RLE data ends before the image", rle8(4, 2, {4, 1, 0, 0})},
        {"BMP pixels one byte short", raw8(4, 4, Bytes(15, 0))},
        {"BMP more colours than 8 bits address", raw8(4, 4, Bytes(16, 0), 257)},
        {"BMP table past the end of the file", Cut(raw8(4, 4, Bytes(16, 0)), 14 + 40 + 200)},
        {"BMP above the side limit", raw8(kMaxPictureSide + 1, 4, Bytes(16, 0))},
        {"BMP RLE 8192 x 4096 in a few bytes", rle8(8192, 4096, {0, 1})},
        {"BMP unknown header size", Patched(raw8(4, 4, Bytes(16, 0)), 14, {41})},
        {"BMP cut in the file header", {'B', 'M', 0, 0}},
        {"PNG shorter than its signature", {137, 'P', 'N', 'G', 1, 2, 3}},
        {"PNG cut in half", Cut(png, png.size() / 2)},
        {"PNG CRC error inside the IDAT data", Patched(png, 45, {uint8_t(png[45] ^ 0xFF)})},
        {"PNG 4096 x 4096 with no data behind it", PngSized(png, {0, 0, 0x10, 0, 0, 0, 0x10, 0})},
        {"PNG above the side limit", PngSized(png, {0, 0, 0x40, 1, 0, 0, 0, 1})},
        {"GIF later frame outside the screen", MakeGif(4, 4, map, {one, outside})},
        {"GIF 4096 x 4096 screen in a few dozen bytes",
         Patched(MakeGif(4, 4, map, {one}), 6, {0, 0x10, 0, 0x10})},
        {"XYZ stream one byte short", MakeXyz(4, 3, grey, idx, 0, 1)},
        {"XYZ one byte too many", MakeXyz(4, 3, grey, idx, 1, 0)},
        {"XYZ width 0", MakeXyz(0, 3, grey, {})},
        {"XYZ height 0", MakeXyz(4, 0, grey, {})},
        {"XYZ without the end marker", Cut(xyz, xyz.size() - 3)},
        {"XYZ broken zlib header", Patched(xyz, 8, {uint8_t(xyz[8] ^ 0x0F)})},
        {"XYZ 65535 x 65535: above the side limit", Patched(xyz, 4, {0xFF, 0xFF, 0xFF, 0xFF})},
        {"XYZ 4096 x 4096 behind a tiny stream", Patched(xyz, 4, {0, 0x10, 0, 0x10})},
        {"XYZ cut in the header", {'X', 'Y', 'Z', '1', 1, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectRefused(c.file);
    }
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
    err.getSize(w, h);
    EXPECT_EQ(std::tuple(w, h, err.getBitCount()), std::tuple(32, 32, 8));
    const Rows cell = Pixels(err);
    EXPECT_EQ(cell[0][0], 1u);   // frame
    EXPECT_EQ(cell[5][16], 0u);  // background
    EXPECT_EQ(cell[16][16], 1u); // cross
    cBMP label;
    ASSERT_TRUE(LoadPictureResource("BITMAP_LABEL", label));
    label.getSize(w, h);
    EXPECT_EQ(std::pair(w, h), std::pair(10 * kLabelCellWidth, kLabelCellHeight));
    EXPECT_EQ(*label.getPaletteEntry(1), 0xFFFFFFFFu);
    EXPECT_EQ(Pixels(label)[1][1 * kLabelCellWidth + 3], 1u); // the top of the "1"
    EXPECT_FALSE(LoadPictureResource("BITMAP_NONE", label));
    EXPECT_FALSE(label.isAttached());
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
