// Black-box tests of `pelko info` and `pelko dump`, and of `pelko convert` between the binary, text and
// legacy formats, on the fixtures under tests/data/text/ and tests/data/legacy/ (each case folder: input.*,
// expected.txt and, where given, expected.json, the `pelko dump` of the input).

#include "cli/cli_fixture.h"

#include <fstream>

using cli_fixture::DumpText;
using testing_support::DataPath;
using testing_support::ReadBytes;
using testing_support::ReadText;
using testing_support::TempDir;

TEST(CliConvert, EachFormatIsWrittenByteExact) {
    const std::string small = DataPath("text/small/input.dat"), late = DataPath("text/late_effect/input.dat");
    const std::string legacy = DataPath("legacy/basic/input.txt"),
                      legacyText = DataPath("legacy/basic/expected.txt");
    const struct {
        std::string in, out, to;
        std::string expected; // the file the output equals
        std::string warning;  // what standard error says after "pelko: warning: <out>: ", or nothing
    } rows[] = {
        // The sample of the independent writer goes through text and comes back unchanged.
        {DataPath("binary/ring.dat"), "ring.txt", "text", "", ""},
        {"ring.txt", "ring.dat", "binary", DataPath("binary/ring.dat"), ""},
        // Without --to a text project saves as text whatever the name says, a binary one as binary.
        {legacyText, "a.dat", "", legacyText, ""},
        {small, "b.txt", "", small, ""},
        // Effects the text format cannot hold are reported.
        {late, "late.txt", "text", DataPath("text/late_effect/expected.txt"), "2 effects were not saved"},
    };
    TempDir dir;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.out);
        const std::string in = row.in.find('/') == std::string::npos ? dir.file(row.in) : row.in;
        int status = -1;
        const std::string err = cli_fixture::Pelko("convert " + in + " " + dir.file(row.out) +
                                                       (row.to.empty() ? "" : " --to " + row.to),
                                                   &status, true);
        ASSERT_EQ(status, 0) << err;
        if (row.warning.empty()) {
            EXPECT_EQ(err, "");
        } else {
            EXPECT_NE(err.find("pelko: warning: " + dir.file(row.out) + ": " + row.warning),
                      std::string::npos)
                << err;
        }
        if (!row.expected.empty()) {
            EXPECT_EQ(ReadBytes(dir.file(row.out)), ReadBytes(row.expected));
        }
    }
    EXPECT_EQ(DumpText(small), ReadText(DataPath("text/small/expected.json")));
    EXPECT_EQ(DumpText(legacy), ReadText(DataPath("legacy/basic/expected.json")));
}

TEST(CliProject, InfoAndDumpReadTheIndependentSample) {
    int status = -1;
    std::string out = cli_fixture::Pelko("info " + DataPath("binary/ring.dat"), &status);
    EXPECT_EQ(status, 0) << out;
    for (const char* line : {"format: binary", "name: Sample ring", "frames: 12", "cell number: 8",
                             "effects: 3", "total duration: 13"})
        EXPECT_NE(out.find(line), std::string::npos) << line << "\n" << out;
    // The counts above; the fields the independent writer set below.
    auto j = cli_fixture::Dump(DataPath("binary/ring.dat"));
    EXPECT_EQ(j["settings"]["lock"], 1);
    EXPECT_EQ(j["lockTable"].size(), 8u);
    EXPECT_EQ(j["lockTable"][7], 1);
    EXPECT_EQ(j["pictures"][1]["slot"], 1);
    EXPECT_EQ(j["pictures"][1]["hue"], 120);
    EXPECT_EQ(j["pictures"][0]["path"], "pictures\\ring.png");
    EXPECT_EQ(j["effects"][1]["flags"], 1); // flash only
    EXPECT_EQ(j["effects"][2]["soundPath"], "Sound\\Thunder.wav");
    EXPECT_EQ(j["frames"][6]["interval"], 2);
    const auto& cell = j["frames"][5]["cells"][4];
    EXPECT_EQ(cell["cell"], 7);
    EXPECT_EQ(cell["picture"], 1); // the lock table rewrites cell 7 to picture 1
}

TEST(CliProject, BadInputFailsWithOneLine) {
    TempDir dir;
    testing_support::WriteText(dir.file("junk.dat"), "definitely not a project");
    const std::string text = ReadText(DataPath("text/small/expected.txt"));
    testing_support::WriteText(dir.file("cut.txt"), text.substr(0, text.size() - 1)); // no final "9"
    // A binary project cut inside its last frame says where it ends.
    const std::string ring = ReadText(DataPath("binary/ring.dat"));
    testing_support::WriteText(dir.file("cut.dat"), ring.substr(0, ring.size() - 2));
    const std::pair<std::string, std::string> bad[] = {
        {"info " + dir.file("missing.dat"), "pelko: cannot read " + dir.file("missing.dat") + ": " +
                                                dir.file("missing.dat") + " does not exist"},
        {"info " + dir.file("cut.dat"), "(truncated or damaged)"},
        {"dump " + dir.file("cut.dat"), ": the file ends early in frame "},
        {"dump " + dir.file("junk.dat"), "unknown format"},
        {"convert " + dir.file("cut.txt") + " " + dir.file("never.dat"),
         "cannot read " + dir.file("cut.txt") + ": line 36"},
    };
    for (const auto& [args, message] : bad)
        cli_fixture::ExpectOneLineFailure(args, message);
    EXPECT_FALSE(std::ifstream(dir.file("never.dat")).good());

    // The legacy format is only read; the argument parser refuses it in the same one line.
    cli_fixture::ExpectOneLineFailure("convert " + DataPath("legacy/basic/input.txt") + " " + dir.file("x") +
                                          " --to legacy",
                                      "--to: legacy");
    EXPECT_FALSE(std::ifstream(dir.file("x")).good());

    // A project past the frame limit is refused by every command and never rewritten in place.
    const std::string big = dir.file("big.txt");
    testing_support::WriteText(big, "PELK_TEX0071\r\nn\r\nu\r\n1,0,0,0,1,0,0,1500,1,0,0\r\n9\r\n1,0\r\n9");
    const std::string before = ReadText(big);
    for (const char* command : {"info ", "dump ", "convert --to text "})
        cli_fixture::ExpectOneLineFailure(command + big + (command[0] == 'c' ? " " + big : ""),
                                          "1500 frames; a project holds at most 1000");
    EXPECT_EQ(ReadText(big), before);
}
