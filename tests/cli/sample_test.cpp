// The program that builds the sample: run twice, it writes the same project, picture and sounds, and
// `pelko play --audio` loads every sound the sample's effects name.

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <string>

using testing_support::RunCommand;
using testing_support::TempDir;

TEST(Sample, WritesTheSameSoundsEveryTimeAndTheyAllPlay) {
    TempDir dir;
    int status = -1;
    for (const char* run : {"a", "b"}) {
        const std::string out =
            RunCommand(std::string(PELKO_MAKE_SAMPLE) + " " + dir.file(run) + " 2>&1", &status);
        ASSERT_EQ(status, 0) << out;
    }
    for (const char* file :
         {"sample.txt", "sample_sheet.png", "Audio/SE/Fire1.wav", "Audio/SE/Thunder1.wav"}) {
        const auto a = testing_support::ReadBytes(dir.file(std::string("a/") + file));
        EXPECT_GT(a.size(), 1000u) << file;
        EXPECT_EQ(a, testing_support::ReadBytes(dir.file(std::string("b/") + file))) << file;
    }
    const std::string out = RunCommand("ALSOFT_DRIVERS=null " + std::string(PELKO_TOOL) + " play " +
                                           dir.file("a/sample.txt") + " --audio --ticks 2 2>&1 >/dev/null",
                                       &status);
    EXPECT_EQ(status, 0) << out;
    if (out.find("no sound") == std::string::npos) {
        EXPECT_EQ(out, ""); // no sound failed to load
    }
}
