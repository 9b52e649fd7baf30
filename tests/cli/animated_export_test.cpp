// `pelko export apng|webp` read back by a reader outside the project (Pillow, through
// tests/data/cli/read_animation.py): the sample's animated PNG and WebP show the frames of its PNG
// sequence for the delays of its GIF export, with an opaque background and with full alpha.

#include "cli/cli_fixture.h"

#include <filesystem>

using testing_support::RunCommand;
using testing_support::TempDir;

namespace {

const std::string kPython = "/usr/bin/python3";

// Pillow with the given feature, or the reason it cannot be used.
std::string PillowMissing(const std::string& feature) {
    int status = -1;
    RunCommand(kPython + " -c \"from PIL import features; import sys; sys.exit(0 if features.check('" +
                   feature + "') else 1)\" 2>/dev/null",
               &status);
    return status == 0 ? "" : "Pillow with " + feature + " is not installed for " + kPython;
}

class CliAnimated : public ::testing::Test {
  protected:
    void SetUp() override {
        cli_fixture::MakeSample(dir.file("s"));
        testing_support::WriteText(dir.file("config.ini"), "");
    }

    void pelko(const std::string& args) {
        int status = -1;
        const std::string out =
            cli_fixture::Pelko("--config " + dir.file("config.ini") + " " + args + " >/dev/null", &status);
        ASSERT_EQ(status, 0) << args << "\n" << out;
    }

    // Exports the sample as `kind`, and (once for each background) as GIF and PNG sequence, then reads
    // `kind` back against them.
    nlohmann::json readBack(const std::string& kind, const std::string& options, bool alpha) {
        const std::string sample = dir.file("s/sample.txt") + " ", tag = alpha ? "alpha" : "opaque";
        const std::string common =
            " --limit6 --background 0x1c2030" + std::string(alpha ? " --transparent" : "");
        const auto frame = [&](int i) {
            return dir.file(tag + std::string(5 - std::to_string(i).size(), '0') + std::to_string(i) +
                            ".png");
        };
        if (!std::filesystem::exists(dir.file(tag + ".gif"))) {
            pelko("export gif " + sample + dir.file(tag + ".gif") + common);
            pelko("export png " + sample + dir.file(tag + ".png") + " --background 0x1c2030" +
                  (alpha ? " --alpha" : ""));
        }
        pelko("export " + kind + " " + sample + dir.file("a." + kind) + common + " " + options);
        std::string frames;
        for (int i = 0; std::filesystem::exists(frame(i)); ++i)
            frames += " " + frame(i);
        int status = -1;
        const std::string out =
            RunCommand(kPython + " " + testing_support::DataPath("cli/read_animation.py") + " " +
                           dir.file("a." + kind) + " " + dir.file(tag + ".gif") + frames,
                       &status);
        EXPECT_EQ(status, 0) << out;
        return nlohmann::json::parse(out, nullptr, false);
    }

    TempDir dir;
};

double Total(const nlohmann::json& durations) {
    double t = 0;
    for (const auto& d : durations)
        t += d.get<double>();
    return t;
}

} // namespace

TEST_F(CliAnimated, ApngShowsTheGifsFramesAndDelaysInFullColour) {
    if (const std::string why = PillowMissing("zlib"); !why.empty()) GTEST_SKIP() << why;
    for (bool alpha : {false, true}) {
        SCOPED_TRACE(alpha ? "alpha" : "opaque");
        const nlohmann::json r = readBack("apng", "", alpha);
        ASSERT_TRUE(r.is_object());
        EXPECT_EQ(r["format"], "PNG");
        ASSERT_EQ(r["timeline"].size(), 24u);
        EXPECT_EQ(r["durations"].size(), r["timeline"].size());
        for (size_t i = 0; i < r["timeline"].size(); ++i) {
            EXPECT_EQ(r["durations"][i].get<double>(), r["timeline"][i].get<double>()) << i;
            EXPECT_EQ(r["difference"][i].get<double>(), 0.0) << i; // every pixel as the PNG sequence has it
        }
    }
}

TEST_F(CliAnimated, WebpLosslessIsExactAndLossyStaysClose) {
    if (const std::string why = PillowMissing("webp_anim"); !why.empty()) GTEST_SKIP() << why;
    struct Row {
        const char* options;
        bool alpha;
        double worst; // largest mean difference allowed
    } rows[] = {{"", false, 0.0}, {"", true, 0.0}, {"--lossy 90", false, 1.0}};
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.options) + (row.alpha ? " alpha" : ""));
        const nlohmann::json r = readBack("webp", row.options, row.alpha);
        ASSERT_TRUE(r.is_object());
        EXPECT_EQ(r["format"], "WEBP");
        // Identical frames in a row are shown once for their summed delays (the sample ends with two
        // empty frames): the same pictures at the same times.
        EXPECT_EQ(Total(r["durations"]), Total(r["timeline"]));
        EXPECT_GE(r["durations"].size() + 1, r["timeline"].size());
        ASSERT_EQ(r["difference"].size(), 24u);
        for (size_t i = 0; i < r["difference"].size(); ++i)
            EXPECT_LE(r["difference"][i].get<double>(), row.worst) << i;
    }
}
