// Black-box tests of `pelko clip import` and `pelko clip export`: the tool is run on payload files
// (exactly the bytes of a clipboard block) and project files in a temporary folder.

#include "cli/cli_fixture.h"
#include "document/messages.h"
#include "interchange/messages.h"

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
    std::string clip(const std::string& verb, const std::string& product, const std::string& in,
                     const std::string& out, int* status, const std::string& extra = "") const {
        return cli_fixture::Pelko(
            "--config " + config + " clip " + verb + " " + product + " " + in + " " + out + extra, status);
    }
    nlohmann::json dump(const std::string& project) const {
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
        run.clip("import", "vxace", DataPath("marshal/vxace_basic.bin"), out, &status, " --to binary");
    ASSERT_EQ(status, 0) << text;
    EXPECT_NE(text.find(interchange::FormatMessage(interchange::kMsgImportSucceeded,
                                                   interchange::MessageText(interchange::kLabelXPVXVXAce))),
              std::string::npos)
        << text;
    // The values of the payload are the mapping's business; the folders come from the settings.
    nlohmann::json j = run.dump(out);
    EXPECT_EQ(j["pictures"][0]["path"], pictures.path() + "/Fire1.png"); // found in the absolute folder
    EXPECT_EQ(j["effects"][0]["soundPath"], "Audio\\SE/Fire2");          // not found: no extension
}

TEST(CliClip, ExportImportRoundTripForEachProduct) {
    strClipRun run("BattleEffect");
    const std::string first = run.dir.file("first.txt");
    int status = -1;
    std::string text =
        run.clip("import", "xp", DataPath("marshal/xp_extras.bin"), first, &status, " --to text");
    ASSERT_EQ(status, 0) << text;
    nlohmann::json a = run.dump(first);
    EXPECT_EQ(a["pictures"][0]["path"], "BattleEffect/Thunder1");

    for (const auto& [product, label] : {std::pair<std::string, int>{"xp", interchange::kLabelXP},
                                         {"vx", interchange::kLabelVX},
                                         {"vxace", interchange::kLabelVXAce}}) {
        SCOPED_TRACE(product);
        const std::string payload = run.dir.file(product + ".bin");
        text = run.clip("export", product, first, payload, &status);
        ASSERT_EQ(status, 0) << text;
        EXPECT_NE(text.find(interchange::FormatMessage(interchange::kMsgExportSucceeded,
                                                       interchange::MessageText(label))),
                  std::string::npos)
            << text;
        std::vector<uint8_t> b = ReadBytes(payload);
        ASSERT_GT(b.size(), 30u);
        EXPECT_EQ(b[0] | b[1] << 8 | b[2] << 16 | uint32_t(b[3]) << 24, b.size()); // the length word too
        EXPECT_EQ(b[25], product == "xp" ? 0x0D : 0x0F);

        // Imported again, the project is the same, but for what the product cannot carry.
        const std::string second = run.dir.file(product + ".txt");
        text = run.clip("import", product, payload, second, &status);
        ASSERT_EQ(status, 0) << text;
        nlohmann::json b2 = run.dump(second);
        EXPECT_EQ(b2["frames"], a["frames"]);
        // The paths were resolved once already: the title of "BattleEffect/Thunder1" is Thunder1.
        EXPECT_EQ(b2["pictures"], a["pictures"]);
    }
}

TEST(CliClip, ASaveThatLosesEffectsSaysSo) {
    // xp_shared has no frames and two timings: the text format cannot hold them.
    strClipRun run("BattleEffect");
    int status = -1;
    const std::string out = run.dir.file("out.txt");
    std::string text =
        run.clip("import", "xp", DataPath("marshal/xp_shared.bin"), out, &status, " --to text");
    ASSERT_EQ(status, 0) << text;
    EXPECT_NE(text.find("pelko: warning: " + out + ": 2 effects were not saved"), std::string::npos) << text;
}

// The payload holds what the product takes; stderr has one warning line for each kind of thing it
// could not carry, and the export still succeeds.
TEST(CliClip, ExportsSayWhatTheProductCouldNotCarry) {
    strClipRun run("BattleEffect");
    // 250 frames, each with a cell with a colour tone, and a second picture.
    std::string text = "PELK_TEX0071\r\nn\r\nu\r\n1,0,0,0,1,0,0,250,16,2,0\r\n2,0,1,1,0,0,0,0\r\na.png\r\n"
                       "2,1,1,1,0,0,0,0\r\nb.png\r\n9\r\n2,0,0,1,0,0,0,100,100,0,255,50,100,100,100\r\n";
    for (int i = 0; i < 250; ++i)
        text += "1,0\r\n";
    testing_support::WriteText(run.dir.file("long.txt"), text + "9");
    const std::string payload = run.dir.file("long.bin");
    int status = -1;
    const std::string out = cli_fixture::Pelko("--config " + run.config + " clip export xp " +
                                                   run.dir.file("long.txt") + " " + payload,
                                               &status, true);
    EXPECT_EQ(status, 0) << out;
    // Every frame repeats the toned cell of the one before it: 200 of them are written.
    EXPECT_EQ(out, "pelko: warning: 50 frames past the limit of 200 left out\n"
                   "pelko: warning: 1 picture left out: the product holds only 1\n"
                   "pelko: warning: 200 cells lose their colour tone and saturation\n");
    EXPECT_GT(ReadBytes(payload).size(), 30u);
    // Nothing lost: nothing said.
    testing_support::WriteText(run.dir.file("plain.txt"),
                               "PELK_TEX0071\r\nn\r\nu\r\n1,0,0,0,1,0,0,1,16,1,0\r\n"
                               "2,0,1,1,0,0,0,0\r\na.png\r\n9\r\n"
                               "2,0,0,1,0,0,0,100,100,0,255,100,100,100,100\r\n1,0\r\n9");
    for (const char* product : {"2000", "xp", "vx", "vxace", "mv"}) {
        const std::string quiet =
            cli_fixture::Pelko("--config " + run.config + " clip export " + product + " " +
                                   run.dir.file("plain.txt") + " " + run.dir.file("plain.bin"),
                               &status, true);
        EXPECT_EQ(status, 0) << product << quiet;
        EXPECT_EQ(quiet, "") << product;
    }
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
        {"export", "xp", run.dir.file("none.dat"), run.dir.file("p.bin")},
        // Another product's payload under the 2000 format is not an animation record.
        {"import", "2000", DataPath("marshal/vxace_basic.bin"), out}};
    for (const auto& c : bad) {
        int status = -1;
        const std::string text = run.clip(c[0], c[1], c[2], c[3], &status);
        EXPECT_NE(status, 0) << c[2] << ": " << text;
        if (c[1] == "2000") {
            EXPECT_NE(
                text.find(interchange::FormatMessage(interchange::kMsgImportFailed,
                                                     interchange::MessageText(interchange::kLabel2000)) +
                          " (not an RPG Maker 2000 animation: "),
                std::string::npos)
                << text;
        }
        if (c[2] == junk) {
            EXPECT_NE(
                text.find(interchange::FormatMessage(interchange::kMsgImportFailed,
                                                     interchange::MessageText(interchange::kLabelXPVXVXAce))),
                std::string::npos)
                << text;
        }
    }
    EXPECT_FALSE(std::filesystem::exists(run.dir.file("p.bin")));
    EXPECT_FALSE(std::filesystem::exists(out));
}

// The 2000 format names the animation's picture: an animation without one is refused for that
// reason, not as a clipboard that would not take the data.
TEST(CliClip, A2000ExportWithoutAPictureSaysWhy) {
    strClipRun run("BattleEffect");
    testing_support::WriteText(run.dir.file("bare.txt"),
                               "PELK_TEX0071\r\nn\r\nu\r\n1,0,0,0,1,0,0,1,16,0,0\r\n9\r\n1,0\r\n9");
    int status = -1;
    const std::string text =
        run.clip("export", "2000", run.dir.file("bare.txt"), run.dir.file("bare.bin"), &status);
    EXPECT_NE(status, 0) << text;
    EXPECT_NE(text.find(interchange::FormatMessage(interchange::kMsgExportFailed,
                                                   interchange::MessageText(interchange::kLabel2000)) +
                        " (" + FormatMessage(strMessage(kWhy2000NeedsPicture)) + ")"),
              std::string::npos)
        << text;
    EXPECT_FALSE(std::filesystem::exists(run.dir.file("bare.bin")));
}

} // namespace
