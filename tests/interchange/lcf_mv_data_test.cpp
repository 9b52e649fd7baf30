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
#include "interchange_fixture.h"
#include "platform/code_page.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace interchange_test;
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

TEST(LcfAndMvData, ImportCases) {
    const std::tuple<const char*, int, const char*> products[] = {{"lcf", interchange::kProduct2000, ".bin"},
                                                                  {"mv", interchange::kProductMV, ".json"}};
    for (const auto& [product, code, extension] : products) {
        const auto cases = Cases(product);
        ASSERT_FALSE(cases.empty()) << product;
        for (const fs::path& folder : cases) {
            SCOPED_TRACE(folder.string());
            cProject doc;
            std::string why;
            ASSERT_EQ(Import(ReadBytes((folder / "payload").string() + extension), doc, code, &why), 1)
                << why;
            CheckDump(folder, doc);

            const Bytes out = Export(doc, code);
            const fs::path exported = (folder / "export").string() + extension;
            if (fs::exists(exported)) {
                EXPECT_EQ(out, ReadBytes(exported.string()));
            }
            cProject again;
            ASSERT_EQ(Import(out, again, code, &why), 1) << why;
            EXPECT_EQ(Dump(again), Dump(doc));
        }
    }
}
