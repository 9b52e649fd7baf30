#pragma once
// Runs the built `pelko` tool for the black-box tests of tests/cli.

#include "support/test_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>

namespace cli_fixture {

// `pelko <args>` on OpenAL's null output; returns standard output and error together, or only the
// error when errorsOnly is set.
inline std::string Pelko(const std::string& args, int* status, bool errorsOnly = false) {
    return testing_support::RunCommand("ALSOFT_DRIVERS=null " + std::string(PELKO_TOOL) + " " + args +
                                           (errorsOnly ? " 2>&1 >/dev/null" : " 2>&1"),
                                       status);
}

// The text of `pelko <options> dump <project>`; the command must succeed.
inline std::string DumpText(const std::string& project, const std::string& options = "") {
    int status = -1;
    const std::string out =
        testing_support::RunCommand(std::string(PELKO_TOOL) + " " + options + " dump " + project, &status);
    EXPECT_EQ(status, 0) << project;
    return out;
}

inline nlohmann::json Dump(const std::string& project, const std::string& options = "") {
    return nlohmann::json::parse(DumpText(project, options), nullptr, false);
}

// The sample project and its files, written by the program that builds them, in folder.
inline void MakeSample(const std::string& folder) {
    int status = -1;
    testing_support::RunCommand(std::string(PELKO_MAKE_SAMPLE) + " " + folder + " >/dev/null", &status);
    ASSERT_EQ(status, 0) << folder;
}

// `pelko <args>` fails with status 1 and one line "pelko: ..." that contains `names`.
inline void ExpectOneLineFailure(const std::string& args, const std::string& names) {
    int status = -1;
    const std::string out = Pelko(args, &status);
    EXPECT_EQ(status, 1) << args << "\n" << out;
    EXPECT_EQ(out.find("pelko: "), 0u) << args << "\n" << out;
    EXPECT_NE(out.find(names), std::string::npos) << args << "\n" << out;
    EXPECT_EQ(out.find('\n'), out.size() - 1) << args << "\n" << out;
}

} // namespace cli_fixture
