#include "document/limits.h"
#include "document_fixture.h"
#include "support/test_support.h"

#include <functional>

using namespace document_testing;

namespace {

// A binary project of `frames` empty frames and `effects` user-data effects. The writer cannot
// produce more than a document holds, so larger files are made by patching the counts and adding
// the records they announce.
Bytes BinaryProject(int frames, int effects) {
    cProject doc;
    MakeFrames(doc, std::min(frames, kMaxFrames), 1);
    for (int i = 0; i < std::min(effects, kMaxEffects); ++i)
        doc.addEffect(strEffect(0, strEffect::kUserData, 4, 0, 0, 0, 0, 0, 0, 100, 100, 100, "", "u"));
    Bytes b = Write(doc, anime::kFormatBinary);
    const size_t frameRecords = size_t(std::min(frames, kMaxFrames)) * 3; // interval, no cells
    for (int i = kMaxEffects; i < effects; ++i) {
        const Bytes effect = {0, 0, 4, 1, 'u'}; // frame 0, user data "u"
        b.insert(b.end() - long(frameRecords), effect.begin(), effect.end());
    }
    for (int i = kMaxFrames; i < frames; ++i)
        b.insert(b.end(), {0, 0, 0});
    b[39] = uint8_t(effects), b[40] = uint8_t(effects >> 8);
    b[41] = uint8_t(frames), b[42] = uint8_t(frames >> 8);
    return b;
}

// A text project whose frame section holds `frames` frames and `effects` effects; the header
// declares one frame, as a hand-edited file may.
Bytes TextProject(int frames, int effects) {
    std::string t = "PELK_TEX0071\r\nn\r\nu\r\n1,0,0,0,1,0,0,1,1,0,0\r\n9\r\n";
    for (int i = 0; i < effects; ++i)
        t += "4,1\r\n7\r\nu\r\n";
    for (int i = 0; i < frames; ++i)
        t += "1,0\r\n";
    return ToBytes(t + "9");
}

// A legacy file of `frames` frames (each end of frame starts the next) and `effects` flashes.
Bytes LegacyProject(int frames, int effects) {
    std::string t = "nani,n\r\n";
    for (int i = 0; i < effects; ++i)
        t += "5,0\r\n";
    for (int i = 1; i < frames; ++i)
        t += "1,0\r\n";
    return ToBytes(t);
}

struct strLimitCase {
    const char* name;
    int format;
    std::function<Bytes(int, int)> build;
};

const strLimitCase kFormats[] = {
    {"binary", anime::kFormatBinary, BinaryProject},
    {"text", anime::kFormatText, TextProject},
    {"legacy", anime::kFormatLegacy, LegacyProject},
};

// A project at the limits loads whole; one past a limit is refused with how many it holds and how
// many fit, never loaded cut.
TEST(ProjectLimits, FilesAboveTheLimitsAreRefusedWithTheirCounts) {
    for (const strLimitCase& c : kFormats) {
        SCOPED_TRACE(c.name);
        cProject doc;
        std::string error;
        ASSERT_EQ(Read(c.build(kMaxFrames, kMaxEffects), doc, c.format, &error), 1) << error;
        EXPECT_EQ(doc.frameCount(), kMaxFrames);
        EXPECT_EQ(doc.effectCount(), kMaxEffects);

        for (const auto& [frames, effects, why] :
             {std::tuple(1500, 1, "the project has 1500 frames; a project holds at most 1000"),
              std::tuple(1001, 1, "the project has 1001 frames; a project holds at most 1000"),
              std::tuple(1, 1001, "the project has 1001 effects; a project holds at most 1000")}) {
            EXPECT_EQ(Read(c.build(frames, effects), doc, c.format, &error), -1) << frames << " " << effects;
            EXPECT_EQ(error, why);
        }
    }
}

TEST(ProjectLimits, TextHeadersAndPictureRecordsOutsideTheSlots) {
    cProject doc;
    std::string error;
    const auto read = [&](const std::string& header, const std::string& body = "") {
        return Read(ToBytes("PELK_TEX0071\r\nn\r\nu\r\n" + header + "\r\n" + body + "9\r\n1,0\r\n9"), doc,
                    anime::kFormatText, &error);
    };
    EXPECT_EQ(read("1,0,0,0,1,0,0,1500,1,0,0"), -1);
    EXPECT_EQ(error, "the project has 1500 frames; a project holds at most 1000");
    EXPECT_EQ(read("1,0,0,0,1,0,0,1,1,0,2000"), -1);
    EXPECT_EQ(error, "the project has 2000 effects; a project holds at most 1000");
    // Picture slots follow the header's count (255 at least, 1000 at most).
    EXPECT_EQ(read("1,0,0,0,1,0,0,1,1,0,0", "2,254,1,1,0\r\np.png\r\n"), 1) << error;
    EXPECT_EQ(doc.picture(254)->path, "p.png");
    EXPECT_EQ(read("1,0,0,0,1,0,0,1,1,0,0", "2,255,1,1,0\r\np.png\r\n"), -1);
    EXPECT_EQ(error, "line 6: picture 255 lies outside the 255 picture slots the header makes room for");
    EXPECT_EQ(read("1,0,0,0,1,0,0,1,1,1000,0", "2,999,1,1,0\r\np.png\r\n"), 1) << error;
    EXPECT_EQ(read("1,0,0,0,1,0,0,1,1,1000,0", "2,-1,1,1,0\r\np.png\r\n"), -1);
}

} // namespace
