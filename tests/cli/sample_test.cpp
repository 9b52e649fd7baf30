// The program that builds the sample writes the same files on every run, sounds included, and
// `pelko play --audio` loads every sound the sample's effects name.

#include "cli/cli_fixture.h"

using testing_support::RunCommand;

TEST(Sample, WritesTheSameSoundsEveryTimeAndTheyAllPlay) {
    testing_support::TempDir dir;
    int status = -1;
    for (const char* run : {"/a", "/b"})
        ASSERT_EQ((RunCommand(std::string(PELKO_MAKE_SAMPLE) + " " + dir.path() + run, &status), status), 0);
    for (const char* file :
         {"sample.txt", "sample_sheet.png", "Audio/SE/Fire1.wav", "Audio/SE/Thunder1.wav"}) {
        const auto a = testing_support::ReadBytes(dir.path() + "/a/" + file);
        EXPECT_GT(a.size(), 1000u) << file;
        EXPECT_EQ(a, testing_support::ReadBytes(dir.path() + "/b/" + file)) << file;
    }
    const std::string err =
        cli_fixture::Pelko("play " + dir.path() + "/a/sample.txt --audio --ticks 2", &status, true);
    EXPECT_EQ(status, 0) << err;
    EXPECT_TRUE(err.empty() || err.find("no sound") != std::string::npos) << err; // no sound failed to load
}
