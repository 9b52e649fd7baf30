// Animated PNG and WebP exports, read back chunk by chunk: the APNG chunk sequence with its CRCs,
// sequence numbers, rectangles and delays, and its frames decoded and composed as a viewer does,
// against the PNG sequence of the same export; the WebP frames and durations from its RIFF chunks;
// and what is left on disk when an export fails or is stopped.

#include "export/apng_writer.h"
#include "export/export_fixture.h"
#include "export/webp_writer.h"
#include "image/picture_loader.h"
#include "image/pixel_ops.h"
#include "support/message_texts.h"

#include <zlib.h>

#include <array>
#include <cstring>
#include <filesystem>

using export_fixture::PatternColour;
using export_fixture::strExportFixture;
using testing_support::TempDir;

namespace {

uint32_t Be32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}
uint32_t Le24(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
}

struct strChunk {
    std::string type;
    std::vector<uint8_t> data;
};

// The chunks of a PNG file; every CRC must match (zlib's crc32 over type and data).
std::vector<strChunk> PngChunks(const std::vector<uint8_t>& file) {
    std::vector<strChunk> out;
    static const uint8_t kSig[8] = {137, 'P', 'N', 'G', 13, 10, 26, 10};
    EXPECT_TRUE(file.size() >= 8 && std::memcmp(file.data(), kSig, 8) == 0);
    for (size_t pos = 8; pos + 12 <= file.size();) {
        const uint32_t length = Be32(&file[pos]);
        if (length > file.size() - pos - 12) {
            ADD_FAILURE() << "chunk past the end at " << pos;
            break;
        }
        strChunk c{
            std::string(reinterpret_cast<const char*>(&file[pos + 4]), 4),
            std::vector<uint8_t>(file.begin() + long(pos) + 8, file.begin() + long(pos) + 8 + long(length))};
        const uLong crc = crc32(crc32(0, Z_NULL, 0), &file[pos + 4], uInt(length + 4));
        EXPECT_EQ(Be32(&file[pos + 8 + length]), uint32_t(crc)) << c.type << " at " << pos;
        pos += 12 + length;
        out.push_back(std::move(c));
    }
    return out;
}

struct strApngFrame {
    uint32_t width, height, x, y, delayNum, delayDen;
    uint8_t dispose, blend;
    std::vector<uint8_t> zdata; // the frame's IDAT or fdAT data, joined
};

// The frames of an APNG, with the checks of its chunk order and sequence numbers.
std::vector<strApngFrame> ApngFrames(const std::vector<strChunk>& chunks, uint32_t& announced) {
    std::vector<strApngFrame> frames;
    uint32_t sequence = 0;
    announced = 0;
    EXPECT_EQ(chunks.front().type, "IHDR");
    EXPECT_EQ(chunks.back().type, "IEND");
    for (const strChunk& c : chunks) {
        if (c.type == "acTL") {
            EXPECT_TRUE(frames.empty()) << "acTL after the first frame";
            announced = Be32(&c.data[0]);
            EXPECT_EQ(Be32(&c.data[4]), 0u); // endless
        } else if (c.type == "fcTL") {
            EXPECT_EQ(Be32(&c.data[0]), sequence++);
            const uint8_t* d = c.data.data();
            frames.push_back({Be32(d + 4),
                              Be32(d + 8),
                              Be32(d + 12),
                              Be32(d + 16),
                              uint32_t(d[20] << 8 | d[21]),
                              uint32_t(d[22] << 8 | d[23]),
                              d[24],
                              d[25],
                              {}});
        } else if (c.type == "IDAT") {
            EXPECT_EQ(frames.size(), 1u) << "IDAT belongs to the first frame";
            frames.back().zdata.insert(frames.back().zdata.end(), c.data.begin(), c.data.end());
        } else if (c.type == "fdAT") {
            EXPECT_GT(frames.size(), 1u);
            EXPECT_EQ(Be32(&c.data[0]), sequence++);
            frames.back().zdata.insert(frames.back().zdata.end(), c.data.begin() + 4, c.data.end());
        }
    }
    return frames;
}

// A frame's own PNG (its size, its data) decoded by the picture loader.
std::unique_ptr<cDib> DecodeFrame(const strApngFrame& f) {
    std::vector<uint8_t> png = {137, 'P', 'N', 'G', 13, 10, 26, 10};
    auto chunk = [&png](const char* type, const std::vector<uint8_t>& data) {
        for (int s : {24, 16, 8, 0})
            png.push_back(uint8_t(data.size() >> s));
        const size_t start = png.size();
        png.insert(png.end(), type, type + 4);
        png.insert(png.end(), data.begin(), data.end());
        const uLong crc = crc32(crc32(0, Z_NULL, 0), &png[start], uInt(png.size() - start));
        for (int s : {24, 16, 8, 0})
            png.push_back(uint8_t(crc >> s));
    };
    std::vector<uint8_t> ihdr;
    for (uint32_t v : {f.width, f.height})
        for (int s : {24, 16, 8, 0})
            ihdr.push_back(uint8_t(v >> s));
    ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});
    chunk("IHDR", ihdr);
    chunk("IDAT", f.zdata);
    chunk("IEND", {});
    cBMP picture;
    EXPECT_TRUE(LoadPictureMemory(png, picture));
    return picture.dib() ? DuplicateBitmap(*picture.dib()) : nullptr;
}

// Frames 0..3 of lengths 1, 2, 1, 3 show patterns 1, 2, 2, 4 in the middle of an 8 x 8 area.
struct strAnimatedFixture : strExportFixture {
    strAnimatedFixture() : strExportFixture({1, 2, 1, 3}, 4) {
        const strCell same{.pattern = 2};
        doc->setCell(2, 0, &same);
    }
};

strCaptureRequest Request(const strExportFixture& f, const std::string& path, uint32_t flags) {
    strCaptureRequest r = f.request(path, flags, 0, 50); // 2 hundredths a tick
    r.area = {-4, -4, 4, 4};
    return r;
}

std::vector<std::string> FolderFiles(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(AnimatedPng, ChunksFramesAndDelaysMatchThePngSequence) {
    TempDir dir;
    const strAnimatedFixture f;
    export_fixture::RunCapture(Request(f, dir.file("a.png"), kExportApng));
    export_fixture::RunCapture(Request(f, dir.file("seq%05d.png"), kExportPng));

    const std::vector<strChunk> chunks = PngChunks(testing_support::ReadBytes(dir.file("a.png")));
    ASSERT_GE(chunks.size(), 3u);
    EXPECT_EQ(chunks[0].data, (std::vector<uint8_t>{0, 0, 0, 8, 0, 0, 0, 8, 8, 6, 0, 0, 0}));
    EXPECT_EQ(chunks[1].type, "acTL");
    uint32_t announced = 0;
    const std::vector<strApngFrame> frames = ApngFrames(chunks, announced);
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(announced, 4u);
    // Whole first frame, then the changed square, one pixel for the unchanged frame, the square.
    const uint32_t rects[4][4] = {{8, 8, 0, 0}, {4, 4, 2, 2}, {1, 1, 0, 0}, {4, 4, 2, 2}};
    const uint32_t delays[4] = {2, 4, 2, 6};
    std::vector<uint8_t> canvas(8 * 8 * 4, 0);
    for (size_t i = 0; i < frames.size(); ++i) {
        SCOPED_TRACE(i);
        const strApngFrame& fr = frames[i];
        EXPECT_EQ((std::array{fr.width, fr.height, fr.x, fr.y}),
                  (std::array{rects[i][0], rects[i][1], rects[i][2], rects[i][3]}));
        EXPECT_EQ(std::tuple(fr.delayNum, fr.delayDen, fr.dispose, fr.blend),
                  std::tuple(delays[i], 100u, 0, 0));
        // Compose as a viewer does (no disposal, the source replaces the rectangle) and compare with
        // the PNG written for the same image of the sequence.
        const std::unique_ptr<cDib> part = DecodeFrame(fr);
        ASSERT_TRUE(part);
        for (uint32_t y = 0; y < fr.height; ++y)
            std::memcpy(&canvas[((fr.y + y) * 8 + fr.x) * 4], part->row(int(y)), fr.width * 4);
        cBMP expected;
        ASSERT_TRUE(LoadPictureFile(dir.file("seq0000" + std::to_string(i) + ".png"), expected));
        for (int y = 0; y < 8; ++y)
            EXPECT_EQ(std::memcmp(&canvas[size_t(y) * 32], expected.dib()->row(y), 32), 0) << "row " << y;
    }
    EXPECT_EQ(canvas[(4 * 8 + 4) * 4 + 2], PatternColour(3) >> 16 & 255); // the last frame's pattern
}

TEST(AnimatedPng, FewerFramesThanAnnouncedAreCountedAndFailuresLeaveNothing) {
    TempDir dir;
    const auto red = render_fixture::MakeDib(2, 1, [](int, int) { return 0xFFFF0000u; });
    const auto blue = render_fixture::MakeDib(2, 1, [](int x, int) { return x ? 0xFF0000FFu : 0xFFFF0000u; });
    cApngWriter w;
    strMessage why;
    ASSERT_TRUE(w.begin(dir.file("two.png"), 2, 1, 3, &why)) << why;
    ASSERT_TRUE(w.addFrame(*red, 5, &why) && w.addFrame(*blue, 7, &why)) << why;
    ASSERT_TRUE(w.finish(&why)) << why;
    uint32_t announced = 0;
    const auto frames = ApngFrames(PngChunks(testing_support::ReadBytes(dir.file("two.png"))), announced);
    EXPECT_EQ(announced, 2u);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ((std::array{frames[1].width, frames[1].x, frames[1].delayNum}), (std::array{1u, 1u, 7u}));

    // A frame of another size fails the file: the old file stays, no temporary file is left.
    testing_support::WriteText(dir.file("old.png"), "old");
    cApngWriter bad;
    ASSERT_TRUE(bad.begin(dir.file("old.png"), 2, 1, 2, &why));
    EXPECT_FALSE(bad.addFrame(*render_fixture::MakeDib(1, 1, [](int, int) { return 0u; }), 1, &why));
    EXPECT_EQ(why, strMessage(kAnimFrameSize));
    EXPECT_FALSE(bad.finish(&why));
    EXPECT_EQ(testing_support::ReadText(dir.file("old.png")), "old");
    EXPECT_EQ(FolderFiles(dir.path()), (std::vector<std::string>{"old.png", "two.png"}));
}

TEST(AnimatedExport, StoppedOrUnwritableExportsKeepTheOldFile) {
    TempDir dir;
    const strAnimatedFixture f;
    for (uint32_t kind : {kExportApng, kExportWebp}) {
        testing_support::WriteText(dir.file("old"), "old");
        cCaptureImage capture;
        ASSERT_TRUE(capture.begin(Request(f, dir.file("old"), kind))) << capture.lastError();
        EXPECT_EQ(capture.step(), kStepImage);
        capture.cancel();
        EXPECT_EQ(testing_support::ReadText(dir.file("old")), "old");
        EXPECT_EQ(FolderFiles(dir.path()), std::vector<std::string>{"old"});
        // A folder that does not exist fails at Begin, naming the file.
        EXPECT_FALSE(capture.begin(Request(f, dir.file("none/x"), kind)));
        EXPECT_EQ(capture.failedPath(), dir.file("none/x"));
        EXPECT_NE(capture.lastError().find("cannot create a temporary file"), std::string::npos)
            << capture.lastError();
    }
}

TEST(AnimatedWebp, FramesAndDurationsFromTheRiffChunks) {
    TempDir dir;
    const strAnimatedFixture f;
    for (int quality : {-1, 60}) {
        SCOPED_TRACE(quality);
        strCaptureRequest r = Request(f, dir.file("a.webp"), kExportWebp);
        r.webpQuality = quality;
        export_fixture::RunCapture(r);
        const std::vector<uint8_t> file = testing_support::ReadBytes(dir.file("a.webp"));
        ASSERT_GT(file.size(), 30u);
        EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "RIFF");
        EXPECT_EQ(std::string(file.begin() + 8, file.begin() + 12), "WEBP");
        EXPECT_EQ(Le24(&file[4]) + 8, file.size());
        std::vector<uint32_t> durations;
        std::vector<std::string> kinds;
        for (size_t pos = 12; pos + 8 <= file.size();) {
            const std::string type(file.begin() + long(pos), file.begin() + long(pos) + 4);
            const uint32_t size = Le24(&file[pos + 4]) | uint32_t(file[pos + 7]) << 24;
            ASSERT_LE(size, file.size() - pos - 8);
            const uint8_t* d = &file[pos + 8];
            if (type == "VP8X") {
                EXPECT_TRUE(d[0] & 0x02) << "animation flag";
                EXPECT_EQ(Le24(d + 4) + 1, 8u); // canvas width
            }
            if (type == "ANIM") {
                EXPECT_EQ(d[4] | d[5] << 8, 0); // loop count: endless
            }
            if (type == "ANMF") {
                durations.push_back(Le24(d + 12));
                kinds.emplace_back(reinterpret_cast<const char*>(d + 16), 4);
            }
            pos += 8 + size + (size & 1);
        }
        // Frames 1 and 2 are the same picture: the encoder shows it once for both delays.
        EXPECT_EQ(durations, (std::vector<uint32_t>{20, 60, 60}));
        ASSERT_FALSE(kinds.empty());
        EXPECT_EQ(kinds[0], quality < 0 ? "VP8L" : "VP8 ");
    }
}
