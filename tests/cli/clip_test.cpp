// Black-box tests of `pelko clip import` and `pelko clip export`: the tool is run on payload files
// (exactly the bytes of a clipboard block) and project files in a temporary folder.

#include "support/test_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

using testing_support::DataPath;
using testing_support::ReadBytes;
using testing_support::RunCommand;
using testing_support::TempDir;
using testing_support::WriteBytes;
using testing_support::WriteText;

namespace {

std::string Pelko(const std::string& args, int* status) {
    return RunCommand(std::string(PELKO_TOOL) + " " + args + " 2>&1", status);
}

std::string Quote(const std::string& s) {
    return "'" + s + "'";
}

// `pelko --config <config> clip <verb> <product> <in> <out>`.
std::string Clip(const std::string& config, const std::string& verb, const std::string& product,
                 const std::string& in, const std::string& out, int* status, const std::string& extra = "") {
    return Pelko("--config " + Quote(config) + " clip " + verb + " " + product + " " + Quote(in) + " " +
                     Quote(out) + extra,
                 status);
}

// A settings file in the temporary folder, with the picture folder given.
std::string ConfigWithPictures(const TempDir& dir, const std::string& pictures) {
    std::string path = dir.file("config.ini");
    WriteText(path, "[CONFIG]\nFolderName_G=" + pictures + "\nFolderName_S=Audio\\SE\nFolderName_C=Data\n");
    return path;
}

nlohmann::json Dump(const std::string& config, const std::string& project) {
    int status = -1;
    std::string out = RunCommand(
        std::string(PELKO_TOOL) + " --config " + Quote(config) + " dump " + Quote(project), &status);
    EXPECT_EQ(status, 0) << out;
    return nlohmann::json::parse(out, nullptr, false);
}

bool Exists(const std::string& path) {
    return !ReadBytes(path).empty();
}

TEST(CliClip, ImportsAPayloadWithTheConfiguredFolders) {
    TempDir dir;
    WriteBytes(dir.file("Fire1.png"), {1});
    std::string config = ConfigWithPictures(dir, dir.path());
    std::string out = dir.file("fire.dat");
    int status = -1;
    std::string text =
        Clip(config, "import", "vxace", DataPath("marshal/vxace_basic.bin"), out, &status, " --to binary");
    ASSERT_EQ(status, 0) << text;
    EXPECT_NE(text.find("RPG Maker XP / VX / VXAce [Anime fight] : Import succeeded"), std::string::npos)
        << text;
    nlohmann::json j = Dump(config, out);
    ASSERT_FALSE(j.is_discarded());
    EXPECT_EQ(j["name"], "Fire");
    EXPECT_EQ(j["settings"]["cellNumber"], 16);
    ASSERT_EQ(j["pictures"].size(), 1u);
    EXPECT_EQ(j["pictures"][0]["path"], dir.path() + "\\Fire1.png"); // found in the absolute folder
    EXPECT_EQ(j["pictures"][0]["hue"], 30);
    ASSERT_EQ(j["effects"].size(), 1u);
    EXPECT_EQ(j["effects"][0]["soundPath"], "Audio\\SE\\Fire2");
    ASSERT_EQ(j["frames"].size(), 2u);
}

TEST(CliClip, ExportImportRoundTripForEachProduct) {
    TempDir dir;
    std::string config = ConfigWithPictures(dir, "BattleEffect");
    std::string first = dir.file("first.txt");
    int status = -1;
    std::string text =
        Clip(config, "import", "xp", DataPath("marshal/xp_extras.bin"), first, &status, " --to text");
    ASSERT_EQ(status, 0) << text;
    nlohmann::json a = Dump(config, first);
    EXPECT_EQ(a["pictures"][0]["path"], "BattleEffect\\Thunder1");

    for (const char* product : {"xp", "vx", "vxace"}) {
        std::string payload = dir.file(std::string(product) + ".bin");
        text = Clip(config, "export", product, first, payload, &status);
        ASSERT_EQ(status, 0) << product << ": " << text;
        EXPECT_NE(text.find("[Anime fight] : Export succeeded"), std::string::npos) << text;
        std::vector<uint8_t> b = ReadBytes(payload);
        ASSERT_GT(b.size(), 30u);
        EXPECT_EQ(b[0] | b[1] << 8 | b[2] << 16 | uint32_t(b[3]) << 24, b.size()) << product;
        EXPECT_EQ(b[4], 0x04);
        EXPECT_EQ(b[5], 0x08);
        EXPECT_EQ(b[25], std::string(product) == "xp" ? 0x0D : 0x0F) << product;

        // Imported again, the project is the same, but for what the product cannot carry.
        std::string second = dir.file(std::string(product) + ".txt");
        text = Clip(config, "import", product, payload, second, &status);
        ASSERT_EQ(status, 0) << product << ": " << text;
        nlohmann::json b2 = Dump(config, second);
        EXPECT_EQ(b2["frames"], a["frames"]) << product;
        EXPECT_EQ(b2["name"], a["name"]) << product;
        // The paths were resolved once already: the title of "BattleEffect\Thunder1" is Thunder1.
        EXPECT_EQ(b2["pictures"], a["pictures"]) << product;
        if (std::string(product) == "xp") {
            EXPECT_EQ(b2["effects"], a["effects"]);
        }
    }
}

TEST(CliClip, ASaveThatLosesEffectsSaysSo) {
    // xp_shared has no frames and two timings: the text format cannot hold them.
    TempDir dir;
    std::string config = ConfigWithPictures(dir, "BattleEffect");
    for (const std::string to : {"text", "binary"}) {
        int status = -1;
        std::string text = Clip(config, "import", "xp", DataPath("marshal/xp_shared.bin"),
                                dir.file("out." + to), &status, " --to " + to);
        ASSERT_EQ(status, 0) << text;
        const bool warned =
            text.find("pelko: warning: " + dir.file("out." + to) +
                      ": 2 effects were not saved: the text format cannot hold an effect "
                      "whose start frame is at or after the frame count (0)") != std::string::npos;
        EXPECT_EQ(warned, to == "text") << text;
    }
}

TEST(CliClip, FailuresLeaveNoOutput) {
    TempDir dir;
    std::string config = ConfigWithPictures(dir, "BattleEffect");
    WriteBytes(dir.file("junk.bin"), {'n', 'o', 't', ' ', 'a', ' ', 'p', 'a', 'y', 'l', 'o', 'a', 'd'});
    std::string out = dir.file("out.dat");
    int status = -1;
    std::string text = Clip(config, "import", "vx", dir.file("junk.bin"), out, &status);
    EXPECT_NE(status, 0);
    EXPECT_NE(text.find("< ! > RPG Maker XP / VX / VXAce [Anime fight] : Import failed"), std::string::npos)
        << text;

    std::vector<uint8_t> b = ReadBytes(DataPath("marshal/vxace_basic.bin"));
    b.resize(b.size() / 2);
    WriteBytes(dir.file("cut.bin"), b);
    // A cut payload, a missing file, an unknown product, a project that is not there.
    const std::vector<std::vector<std::string>> bad = {
        {"import", "vxace", dir.file("cut.bin"), out},
        {"import", "xp", dir.file("none.bin"), out},
        {"import", "2003", DataPath("marshal/vxace_basic.bin"), out},
        {"export", "xp", dir.file("none.dat"), dir.file("p.bin")}};
    for (const auto& c : bad) {
        text = Clip(config, c[0], c[1], c[2], c[3], &status);
        EXPECT_NE(status, 0) << c[2] << ": " << text;
    }
    EXPECT_FALSE(Exists(dir.file("p.bin")));
    EXPECT_FALSE(Exists(out));
}

} // namespace
