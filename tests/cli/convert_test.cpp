// Black-box tests of `pelko info` and `pelko dump`, and of `pelko convert` between the binary, text and
// legacy formats, on the fixtures under tests/data/text/ and tests/data/legacy/ (each case folder: input.*,
// expected.txt and, where given, expected.json, the `pelko dump` of the input).

#include "support/test_support.h"

#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using testing_support::DataPath;
using testing_support::ReadBytes;
using testing_support::ReadText;
using testing_support::RunCommand;
using testing_support::TempDir;

namespace {

std::string tool() {
    return std::string(PELKO_TOOL);
}

// Runs pelko; returns its standard output and error together.
std::string pelko(const std::string& args, int* status) {
    return RunCommand(tool() + " " + args + " 2>&1", status);
}

// Runs pelko; returns its standard error, with the exit status in *status.
std::string pelkoErrors(const std::string& args, int* status) {
    return RunCommand(tool() + " " + args + " 2>&1 >/dev/null", status);
}

// `pelko convert <in> <out><extra>`; returns its standard error.
std::string convert(const std::string& in, const std::string& out, const std::string& extra, int* status) {
    return pelkoErrors("convert " + in + " " + out + extra, status);
}

std::string dump(const std::string& path) {
    int status = -1;
    std::string out = RunCommand(tool() + " dump " + path, &status);
    EXPECT_EQ(status, 0) << path;
    return out;
}

std::string head(const std::string& path, size_t n = 8) {
    return ReadText(path).substr(0, n);
}

} // namespace

TEST(CliConvert, BinaryToTextAndBackIsByteExact) {
    TempDir dir;
    int status = -1;
    const std::string small = DataPath("text/small/input.dat"), ring = DataPath("binary/ring.dat");
    EXPECT_EQ(convert(small, dir.file("small.txt"), " --to text", &status), "");
    ASSERT_EQ(status, 0);
    EXPECT_EQ(ReadText(dir.file("small.txt")), ReadText(DataPath("text/small/expected.txt")));
    EXPECT_EQ(convert(DataPath("text/small/expected.txt"), dir.file("small.dat"), " --to binary", &status),
              "");
    ASSERT_EQ(status, 0);
    EXPECT_EQ(ReadBytes(dir.file("small.dat")), ReadBytes(small));
    EXPECT_EQ(dump(dir.file("small.dat")), ReadText(DataPath("text/small/expected.json")));
    // The larger sample of the binary tests goes through text unchanged as well.
    ASSERT_EQ(convert(ring, dir.file("ring.txt"), " --to text", &status), "");
    ASSERT_EQ(status, 0);
    ASSERT_EQ(convert(dir.file("ring.txt"), dir.file("ring.dat"), " --to binary", &status), "");
    EXPECT_EQ(ReadBytes(dir.file("ring.dat")), ReadBytes(ring));
}

TEST(CliConvert, WithoutToTheDocumentsSaveFormatDecides) {
    TempDir dir;
    int status = -1;
    const std::string text = DataPath("text/small/expected.txt"), binary = DataPath("text/small/input.dat");
    // A text project saves as text whatever the name says, a binary one as binary; --to overrides both.
    const struct {
        std::string in, out, extra, head;
    } cases[] = {{text, "a.dat", "", "PELK_TEX"},
                 {binary, "b.txt", "", "PELK_BIN"},
                 {text, "c.txt", " --to binary", "PELK_BIN"},
                 {binary, "d.dat", " --to text", "PELK_TEX"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.out);
        convert(c.in, dir.file(c.out), c.extra, &status);
        ASSERT_EQ(status, 0);
        EXPECT_EQ(head(dir.file(c.out)), c.head);
    }
    EXPECT_EQ(ReadText(dir.file("a.dat")), ReadText(text));
}

TEST(CliConvert, LegacyFilesAreReadAndSavedAsText) {
    TempDir dir;
    int status = -1;
    const std::string input = DataPath("legacy/basic/input.txt");
    EXPECT_EQ(dump(input), ReadText(DataPath("legacy/basic/expected.json")));

    ASSERT_EQ(convert(input, dir.file("out.dat"), "", &status), "");
    ASSERT_EQ(status, 0);
    EXPECT_EQ(ReadText(dir.file("out.dat")), ReadText(DataPath("legacy/basic/expected.txt")));
    EXPECT_EQ(dump(dir.file("out.dat")), ReadText(DataPath("legacy/basic/expected.json")));

    // In binary the document is the same but for its save format.
    ASSERT_EQ(convert(input, dir.file("out.bin"), " --to binary", &status), "");
    ASSERT_EQ(status, 0);
    auto expected = nlohmann::json::parse(ReadText(DataPath("legacy/basic/expected.json")));
    auto actual = nlohmann::json::parse(dump(dir.file("out.bin")));
    EXPECT_EQ(actual["settings"]["saveFormat"], 0);
    actual["settings"]["saveFormat"] = 1;
    EXPECT_EQ(actual, expected);

    // The legacy format is never written.
    convert(input, dir.file("x"), " --to legacy", &status);
    EXPECT_NE(status, 0);
    EXPECT_FALSE(std::ifstream(dir.file("x")).good());
}

TEST(CliConvert, EffectsTheTextFormatCannotHoldAreReported) {
    TempDir dir;
    int status = -1;
    const std::string input = DataPath("text/late_effect/input.dat");
    std::string err = convert(input, dir.file("late.txt"), " --to text", &status);
    EXPECT_EQ(status, 0);
    EXPECT_NE(err.find("warning: " + dir.file("late.txt") + ": 2 effects were not saved"), std::string::npos)
        << err;
    EXPECT_EQ(ReadText(dir.file("late.txt")), ReadText(DataPath("text/late_effect/expected.txt")));

    // Binary keeps them: no warning, and the document survives unchanged.
    err = convert(input, dir.file("late.dat"), " --to binary", &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(err, "");
    EXPECT_EQ(ReadBytes(dir.file("late.dat")), ReadBytes(input));
}

TEST(CliConvert, BrokenTextFilesFailWithTheLine) {
    TempDir dir;
    int status = -1;
    std::string text = ReadText(DataPath("text/small/expected.txt"));
    testing_support::WriteText(dir.file("cut.txt"), text.substr(0, text.size() - 1)); // no final "9"
    std::string err = convert(dir.file("cut.txt"), dir.file("never.dat"), "", &status);
    EXPECT_EQ(status, 1);
    EXPECT_NE(err.find("cannot read"), std::string::npos) << err;
    EXPECT_NE(err.find("line 36"), std::string::npos) << err;
    EXPECT_FALSE(std::ifstream(dir.file("never.dat")).good());
}

TEST(CliProject, InfoSummarisesAProject) {
    int status = -1;
    std::string out = pelko("info " + DataPath("binary/ring.dat"), &status);
    EXPECT_EQ(status, 0) << out;
    for (const char* line : {"format: binary", "name: Sample ring", "frames: 12", "cell number: 8",
                             "effects: 3", "total duration: 13"})
        EXPECT_NE(out.find(line), std::string::npos) << line << "\n" << out;
}

TEST(CliProject, DumpFollowsTheSchema) {
    auto j = nlohmann::json::parse(dump(DataPath("binary/ring.dat")));
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

TEST(CliProject, BadInputFailsCleanly) {
    TempDir dir;
    int status = -1;
    std::string out;
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
