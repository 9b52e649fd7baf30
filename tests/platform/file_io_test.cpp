#include "platform/file_io.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "support/test_support.h"

using namespace platform;
using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

namespace {

std::vector<std::string> FolderNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A FIFO, a device and a folder are refused at once with the same reason; a FIFO that no writer
// ever opens would block an ordinary open for good.
TEST(FileIo, ReadsOnlyRegularFiles) {
    TempDir dir;
    const std::string fifo = dir.file("pipe.dat");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_directory(dir.file("folder.dat"));
    for (const std::string& path : {fifo, std::string("/dev/zero"), dir.file("folder.dat")}) {
        std::vector<uint8_t> bytes{1, 2, 3};
        std::string why;
        EXPECT_FALSE(ReadWholeFile(path, bytes, 1024, &why)) << path;
        EXPECT_EQ(why, "not a regular file: " + path);
        EXPECT_TRUE(bytes.empty());
        EXPECT_EQ(OpenRegularFile(path, &why), -1);
    }
    std::string why;
    std::vector<uint8_t> none;
    EXPECT_FALSE(ReadWholeFile(dir.file("missing"), none, 16, &why));
    EXPECT_EQ(why.rfind("cannot open " + dir.file("missing") + ": ", 0), 0u) << why;
}

TEST(FileIo, RefusesFilesAboveTheBoundUnread) {
    TempDir dir;
    WriteBytes(dir.file("a"), std::vector<uint8_t>(100, 7));
    std::vector<uint8_t> bytes;
    bool tooLarge = false;
    EXPECT_TRUE(ReadWholeFile(dir.file("a"), bytes, 100, nullptr, &tooLarge));
    EXPECT_EQ(bytes.size(), 100u);
    EXPECT_FALSE(tooLarge);
    EXPECT_FALSE(ReadWholeFile(dir.file("a"), bytes, 99, nullptr, &tooLarge));
    EXPECT_TRUE(tooLarge);
    EXPECT_TRUE(bytes.empty());
}

// A killed save leaves "NAME.tmp-XXXXXX" behind; the next save of the same target removes it, and
// leaves alone the files of other targets, other names that only look alike, and the temporary file
// of a save that is still running (it holds the lock).
TEST(FileIo, SaveRemovesStaleTemporaryFilesOfItsTargetOnly) {
    TempDir dir;
    const std::vector<std::string> stale = {"out.gif.tmp-a1B2c3", "out.gif.tmp-ZZZZZZ"};
    const std::vector<std::string> kept = {"other.gif.tmp-a1B2c3", "out.gif.tmp-abc",
                                           "out.gif.tmp-abcdefg",  "out.gif.tmp-ab.c_d",
                                           "xout.gif.tmp-a1B2c3",  "out.gif.tmp"};
    for (const auto& n : stale)
        WriteBytes(dir.file(n), {1});
    for (const auto& n : kept)
        WriteBytes(dir.file(n), {1});
    const std::string running = dir.file("out.gif.tmp-RUNNIN");
    WriteBytes(running, {1});
    const int held = ::open(running.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);

    std::string why;
    ASSERT_TRUE(WriteFileAtomically(dir.file("out.gif"), std::vector<uint8_t>{9, 8}, &why)) << why;
    std::vector<std::string> expected = kept;
    expected.push_back("out.gif");
    expected.push_back("out.gif.tmp-RUNNIN");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FolderNames(dir.path()), expected);
    EXPECT_EQ(ReadBytes(dir.file("out.gif")), (std::vector<uint8_t>{9, 8}));
    ::close(held);
    EXPECT_EQ(RemoveStaleTemporaryFiles(dir.file("out.gif")), 1); // released now
}

TEST(FileIo, ScratchFileHasNoNameOnDisk) {
    TempDir dir;
    std::string why;
    const int fd = OpenScratchFileBeside(dir.file("out.gif"), &why);
    ASSERT_GE(fd, 0) << why;
    EXPECT_EQ(::write(fd, "abc", 3), 3);
    char back[3] = {};
    EXPECT_EQ(::pread(fd, back, 3, 0), 3);
    EXPECT_EQ(std::string(back, 3), "abc");
    EXPECT_TRUE(FolderNames(dir.path()).empty());
    ::close(fd);
    EXPECT_EQ(OpenScratchFileBeside(dir.file("no/such/folder/out.gif"), &why), -1);
    EXPECT_FALSE(why.empty());
}

} // namespace
