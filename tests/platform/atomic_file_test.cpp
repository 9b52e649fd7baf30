// A file written piece by piece: nothing at the target changes before Commit, a patch inside what
// was written lands in place, a patch past it is refused, and an abandoned file leaves no trace.

#include "platform/file_io.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

using testing_support::TempDir;

namespace {

std::vector<uint8_t> Bytes(const std::string& s) {
    return {s.begin(), s.end()};
}

size_t FileCount(const std::string& folder) {
    size_t n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder))
        ++n;
    return n;
}

} // namespace

TEST(AtomicFile, PiecesReplaceTheTargetOnlyAtCommit) {
    TempDir dir;
    const std::string target = dir.file("out.bin");
    testing_support::WriteText(target, "old");
    ::chmod(target.c_str(), 0600);
    {
        platform::cAtomicFile f;
        std::string why;
        ASSERT_TRUE(f.open(target, &why)) << why;
        ASSERT_TRUE(f.write(Bytes("header...."), &why) && f.write(Bytes("body"), &why)) << why;
        EXPECT_EQ(f.size(), 14u);
        EXPECT_TRUE(f.writeAt(6, Bytes("1234"), &why)) << why; // inside: patched in place
        EXPECT_FALSE(f.writeAt(12, Bytes("xyz"), &why));       // past the end: refused
        EXPECT_EQ(testing_support::ReadText(target), "old");   // nothing changed yet
        EXPECT_EQ(FileCount(dir.path()), 2u);                  // the target and the temporary file
        ASSERT_TRUE(f.commit(&why)) << why;
    }
    EXPECT_EQ(testing_support::ReadText(target), "header1234body");
    struct stat st;
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u); // the replaced file's permissions
    EXPECT_EQ(FileCount(dir.path()), 1u);

    // Abandoned, by Discard or by going out of scope: the target stays, the temporary file goes.
    for (bool discard : {true, false}) {
        platform::cAtomicFile f;
        ASSERT_TRUE(f.open(target));
        ASSERT_TRUE(f.write(Bytes("new")));
        if (discard) {
            f.discard();
            EXPECT_FALSE(f.write(Bytes("more")));
            EXPECT_FALSE(f.commit());
        }
    }
    EXPECT_EQ(testing_support::ReadText(target), "header1234body");
    EXPECT_EQ(FileCount(dir.path()), 1u);
    // A folder that does not exist fails at Open.
    platform::cAtomicFile none;
    std::string why;
    EXPECT_FALSE(none.open(dir.file("missing/out.bin"), &why));
    EXPECT_NE(why.find("cannot create a temporary file"), std::string::npos) << why;
}
