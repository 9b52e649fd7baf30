// Black-box tests of `pelko clip import` and `pelko clip export`: the tool is run on payload files
// (exactly the bytes of a clipboard block) and project files in a temporary folder.

#include "cli/cli_fixture.h"

#include <filesystem>
#include <string>
#include <vector>

using testing_support::DataPath;
using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

namespace {

// A settings file in the temporary folder with the picture folder given, and the runs of
// `pelko --config <it> clip ...` and `dump`.
struct strClipRun {
    TempDir dir;
    std::string config = dir.file("config.ini");

    explicit strClipRun(const std::string& pictures) {
        testing_support::WriteText(config, "[CONFIG]\nFolderName_G=" + pictures +
                                               "\nFolderName_S=Audio\\SE\nFolderName_C=Data\n");
    }
    // `clip <verb> <product> <in> <out><extra>`.
    std::string Clip(const std::string& verb, const std::string& product, const std::string& in,
                     const std::string& out, int* status, const std::string& extra = "") const {
        return cli_fixture::Pelko(
            "--config " + config + " clip " + verb + " " + product + " " + in + " " + out + extra, status);
    }
    nlohmann::json Dump(const std::string& project) const {
        return cli_fixture::Dump(project, "--config " + config);
    }
};

TEST(CliClip, ImportsAPayloadWithTheConfiguredFolders) {
    TempDir pictures;
    WriteBytes(pictures.file("Fire1.png"), {1});
    strClipRun run(pictures.path());
    const std::string out = run.dir.file("fire.dat");
    int status = -1;
    std::string text =
        run.Clip("import", "vxace", DataPath("marshal/vxace_basic.bin"), out, &status, " --to binary");
    ASSERT_EQ(status, 0) << text;
    EXPECT_NE(text.find("RPG Maker XP / VX / VXAce [Anime fight] : Import succeeded"), std::string::npos)
        << text;
    // The values of the payload are the mapping's business; the folders come from the settings.
    nlohmann::json j = run.Dump(out);
    EXPECT_EQ(j["pictures"][0]["path"], pictures.path() + "\\Fire1.png"); // found in the absolute folder
    EXPECT_EQ(j["effects"][0]["soundPath"], "Audio\\SE\\Fire2");
}

TEST(CliClip, ExportImportRoundTripForEachProduct) {
    strClipRun run("BattleEffect");
    const std::string first = run.dir.file("first.txt");
    int status = -1;
    std::string text =
        run.Clip("import", "xp", DataPath("marshal/xp_extras.bin"), first, &status, " --to text");
    ASSERT_EQ(status, 0) << text;
    nlohmann::json a = run.Dump(first);
    EXPECT_EQ(a["pictures"][0]["path"], "BattleEffect\\Thunder1");

    for (const std::string product : {"xp", "vx", "vxace"}) {
        SCOPED_TRACE(product);
        const std::string payload = run.dir.file(product + ".bin");
        text = run.Clip("export", product, first, payload, &status);
        ASSERT_EQ(status, 0) << text;
        EXPECT_NE(text.find("[Anime fight] : Export succeeded"), std::string::npos) << text;
        std::vector<uint8_t> b = ReadBytes(payload);
        ASSERT_GT(b.size(), 30u);
        EXPECT_EQ(b[0] | b[1] << 8 | b[2] << 16 | uint32_t(b[3]) << 24, b.size()); // the length word too
        EXPECT_EQ(b[25], product == "xp" ? 0x0D : 0x0F);

        // Imported again, the project is the same, but for what the product cannot carry.
        const std::string second = run.dir.file(product + ".txt");
        text = run.Clip("import", product, payload, second, &status);
        ASSERT_EQ(status, 0) << text;
        nlohmann::json b2 = run.Dump(second);
        EXPECT_EQ(b2["frames"], a["frames"]);
        // The paths were resolved once already: the title of "BattleEffect\Thunder1" is Thunder1.
        EXPECT_EQ(b2["pictures"], a["pictures"]);
    }
}

TEST(CliClip, ASaveThatLosesEffectsSaysSo) {
    // xp_shared has no frames and two timings: the text format cannot hold them.
    strClipRun run("BattleEffect");
    int status = -1;
    const std::string out = run.dir.file("out.txt");
    std::string text =
        run.Clip("import", "xp", DataPath("marshal/xp_shared.bin"), out, &status, " --to text");
    ASSERT_EQ(status, 0) << text;
    EXPECT_NE(text.find("pelko: warning: " + out + ": 2 effects were not saved"), std::string::npos) << text;
}

TEST(CliClip, FailuresLeaveNoOutput) {
    strClipRun run("BattleEffect");
    const std::string out = run.dir.file("out.dat"), junk = run.dir.file("junk.bin");
    WriteBytes(junk, {'n', 'o', 't', ' ', 'a', ' ', 'p', 'a', 'y', 'l', 'o', 'a', 'd'});
    // Junk (which payloads the mapping refuses is its own tests' business), a missing file, an unknown
    // product, a project that is not there.
    const std::vector<std::vector<std::string>> bad = {
        {"import", "vx", junk, out},
        {"import", "xp", run.dir.file("none.bin"), out},
        {"import", "2003", DataPath("marshal/vxace_basic.bin"), out},
        {"export", "xp", run.dir.file("none.dat"), run.dir.file("p.bin")}};
    for (const auto& c : bad) {
        int status = -1;
        const std::string text = run.Clip(c[0], c[1], c[2], c[3], &status);
        EXPECT_NE(status, 0) << c[2] << ": " << text;
        if (c[2] == junk) {
            EXPECT_NE(text.find("< ! > RPG Maker XP / VX / VXAce [Anime fight] : Import failed"),
                      std::string::npos)
                << text;
        }
    }
    EXPECT_FALSE(std::filesystem::exists(run.dir.file("p.bin")));
    EXPECT_FALSE(std::filesystem::exists(out));
}

} // namespace
