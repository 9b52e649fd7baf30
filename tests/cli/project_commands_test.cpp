// Black-box tests of `pelko info`, `pelko dump` and `pelko convert` on fixture files.

#include "support/test_support.h"

#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using testing_support::DataPath;
using testing_support::RunCommand;
using testing_support::TempDir;

namespace {

std::string pelko(const std::string& args, int* status) {
    return RunCommand(std::string(PELKO_TOOL) + " " + args + " 2>&1", status);
}

} // namespace

TEST(CliProject, InfoSummarisesAProject) {
    int status = -1;
    std::string out = pelko("info " + DataPath("binary/ring.dat"), &status);
    EXPECT_EQ(status, 0) << out;
    for (const char* line : {"format: binary", "name: Sample ring", "frames: 12", "cell number: 8",
                             "effects: 3", "total duration: 13"})
        EXPECT_NE(out.find(line), std::string::npos) << line << "\n" << out;
}

TEST(CliProject, DumpFollowsTheSchema) {
    int status = -1;
    std::string out = RunCommand(std::string(PELKO_TOOL) + " dump " + DataPath("binary/ring.dat"), &status);
    ASSERT_EQ(status, 0);
    auto j = nlohmann::json::parse(out);
    EXPECT_EQ(j["name"], "Sample ring");
    EXPECT_EQ(j["settings"]["cellNumber"], 8);
    EXPECT_EQ(j["settings"]["lock"], 1);
    EXPECT_EQ(j["lockTable"].size(), 8u);
    EXPECT_EQ(j["lockTable"][7], 1);
    ASSERT_EQ(j["pictures"].size(), 2u);
    EXPECT_EQ(j["pictures"][1]["slot"], 1);
    EXPECT_EQ(j["pictures"][1]["hue"], 120);
    EXPECT_EQ(j["pictures"][0]["path"], "pictures\\ring.png");
    ASSERT_EQ(j["effects"].size(), 3u);
    EXPECT_EQ(j["effects"][1]["flags"], 1); // flash only
    EXPECT_EQ(j["effects"][2]["soundPath"], "Sound\\Thunder.wav");
    ASSERT_EQ(j["frames"].size(), 12u);
    EXPECT_EQ(j["frames"][6]["interval"], 2);
    const auto& cell = j["frames"][5]["cells"][4];
    EXPECT_EQ(cell["cell"], 7);
    EXPECT_EQ(cell["picture"], 1); // the lock table rewrites cell 7 to picture 1
    for (const char* key :
         {"pattern", "blend", "x", "y", "mx", "my", "angle", "opacity", "red", "green", "blue", "saturation"})
        EXPECT_TRUE(cell.contains(key)) << key;
}

TEST(CliProject, ConvertRoundTripsAndFailsCleanly) {
    TempDir dir;
    int status = -1;
    std::string out = pelko(
        "convert " + DataPath("binary/ring.dat") + " " + dir.file("copy.dat") + " --to binary", &status);
    ASSERT_EQ(status, 0) << out;
    EXPECT_EQ(testing_support::ReadBytes(dir.file("copy.dat")),
              testing_support::ReadBytes(DataPath("binary/ring.dat")));

    testing_support::WriteText(dir.file("junk.dat"), "definitely not a project");
    auto bytes = testing_support::ReadBytes(DataPath("binary/ring.dat"));
    bytes.resize(bytes.size() - 5);
    testing_support::WriteBytes(dir.file("cut.dat"), bytes);
    const std::pair<std::string, const char*> bad[] = {
        {"info " + dir.file("missing.dat"), "pelko: cannot read"},
        {"dump " + dir.file("junk.dat"), "unknown format"},
        {"convert " + dir.file("cut.dat") + " " + dir.file("never.dat"), "truncated"}};
    for (const auto& [args, message] : bad) {
        out = pelko(args, &status);
        EXPECT_EQ(status, 1) << args;
        EXPECT_NE(out.find(message), std::string::npos) << out;
    }
    EXPECT_FALSE(std::ifstream(dir.file("never.dat")).good());

    out = pelko("convert " + DataPath("binary/ring.dat") + " " + dir.file("x.dat") + " --to jpeg", &status);
    EXPECT_NE(status, 0);
}
