// Data-driven import cases: every folder under tests/data/lcf/ and tests/data/mv/ holds a clipboard
// payload (payload.bin / payload.json) and the project it must give, as the JSON dump of
// document/project_dump.h (expected.json). When the folder also holds the payload the imported
// project must export to (export.bin / export.json), that is compared byte for byte. Either way the
// imported project is exported and imported again and must not change.
//
// PELKO_UPDATE_GOLDEN=1 in the environment writes expected.json instead of comparing it (check the
// result by eye before committing it).

#include "document/project.h"
#include "document/project_dump.h"
#include "interchange/clip_2000.h"
#include "interchange/mv_animation.h"
#include "platform/code_page.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using testing_support::ReadBytes;
using testing_support::ReadText;

std::string Dump(const cProject& doc) {
    return DumpProjectJson(doc, [](const std::string& s) { return platform::ToUtf8(s, "jpn"); });
}

std::vector<fs::path> Cases(const std::string& product) {
    std::vector<fs::path> out;
    for (const auto& e : fs::directory_iterator(testing_support::DataPath(product)))
        if (e.is_directory()) out.push_back(e.path());
    std::sort(out.begin(), out.end());
    return out;
}

void CheckDump(const fs::path& folder, const cProject& doc) {
    const fs::path expected = folder / "expected.json";
    if (std::getenv("PELKO_UPDATE_GOLDEN")) {
        testing_support::WriteText(expected.string(), Dump(doc));
        return;
    }
    ASSERT_TRUE(fs::exists(expected)) << expected;
    EXPECT_EQ(Dump(doc), ReadText(expected.string())) << folder;
}

} // namespace

TEST(LcfData, ImportCases) {
    const auto cases = Cases("lcf");
    ASSERT_FALSE(cases.empty());
    for (const fs::path& folder : cases) {
        SCOPED_TRACE(folder.string());
        const std::vector<uint8_t> payload = ReadBytes((folder / "payload.bin").string());
        cProject doc;
        ASSERT_EQ(PK2::ReadLcfPayload(payload, doc), 1);
        CheckDump(folder, doc);

        std::vector<uint8_t> out;
        ASSERT_EQ(PK2::BuildLcfPayload(doc, out), 1);
        if (fs::exists(folder / "export.bin")) {
            EXPECT_EQ(out, ReadBytes((folder / "export.bin").string()));
        }
        cProject again;
        ASSERT_EQ(PK2::ReadLcfPayload(out, again), 1);
        EXPECT_EQ(Dump(again), Dump(doc));
    }
}

TEST(MvData, ImportCases) {
    const auto cases = Cases("mv");
    ASSERT_FALSE(cases.empty());
    for (const fs::path& folder : cases) {
        SCOPED_TRACE(folder.string());
        const std::vector<uint8_t> payload = ReadBytes((folder / "payload.json").string());
        cProject doc;
        std::string why;
        ASSERT_EQ(PKMV::ReadMvPayload(payload, doc, "jpn", &why), 1) << why;
        CheckDump(folder, doc);

        std::string out;
        ASSERT_EQ(PKMV::BuildMvPayload(doc, "jpn", out), 1);
        if (fs::exists(folder / "export.json")) {
            EXPECT_EQ(out, ReadText((folder / "export.json").string()));
        }
        cProject again;
        ASSERT_EQ(PKMV::ReadMvPayload(std::vector<uint8_t>(out.begin(), out.end()), again, "jpn", &why), 1)
            << why;
        EXPECT_EQ(Dump(again), Dump(doc));
    }
}
