// cDatabaseFile on files larger than its read block: every changed byte is seen wherever it falls
// (block and word boundaries included) even when the time stays, the backup is the file as read,
// and a refused write leaves neither a backup nor a change.

#include "game/database_file.h"
#include "support/message_texts.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>

using testing_support::ReadBytes;
using testing_support::WriteBytes;

namespace {

std::vector<uint8_t> Pattern(size_t n) {
    std::vector<uint8_t> b(n);
    for (size_t i = 0; i < n; ++i)
        b[i] = static_cast<uint8_t>((i * 131 + i / 977) & 0xFF);
    return b;
}

// Writes bytes and gives the file back its modification time, so only the bytes tell.
void Overwrite(const std::string& path, const std::vector<uint8_t>& bytes) {
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    WriteBytes(path, bytes);
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

// A file of n pattern bytes, read by a cDatabaseFile.
struct strReadFile {
    testing_support::TempDir dir;
    std::string path;
    std::vector<uint8_t> original;
    game::cDatabaseFile file;

    strReadFile(const std::string& name, size_t n) : path(dir.path() + "/" + name), original(Pattern(n)) {
        WriteBytes(path, original);
        std::vector<uint8_t> read;
        EXPECT_TRUE(file.read(path, read));
        EXPECT_EQ(read, original);
    }
};

} // namespace

TEST(DatabaseFile, SeesEveryChangedByteWhateverBlockItFallsIn) {
    constexpr size_t kBlock = size_t(256) << 10;
    for (size_t size : {size_t(0), size_t(7), size_t(8), kBlock - 3, kBlock, 2 * kBlock + 5}) {
        SCOPED_TRACE(size);
        testing_support::TempDir dir;
        const std::string path = dir.path() + "/db";
        const std::vector<uint8_t> original = Pattern(size);
        WriteBytes(path, original);
        game::cDatabaseFile file;
        std::vector<uint8_t> read;
        ASSERT_TRUE(file.read(path, read));
        EXPECT_EQ(read, original);
        EXPECT_EQ(read.capacity(), read.size()); // one buffer of the file's size
        EXPECT_FALSE(file.changedOnDisk());

        for (size_t at : {size_t(0), size_t(7), size_t(8), kBlock - 1, kBlock, size - 1}) {
            if (at >= size) continue;
            SCOPED_TRACE(at);
            std::vector<uint8_t> other = original;
            other[at] ^= 0x20;
            Overwrite(path, other);
            strMessage why;
            std::vector<uint8_t> now;
            EXPECT_TRUE(file.changedOnDisk(&why, &now));
            EXPECT_EQ(why, strMessage(kGameDbContentsChanged));
            EXPECT_EQ(now, other);
            Overwrite(path, original);
            EXPECT_FALSE(file.changedOnDisk());
        }
        // Two bytes swapped keep the sum of the bytes; the hash must not.
        if (size >= 16) {
            std::vector<uint8_t> swapped = original;
            std::swap(swapped[3], swapped[size - 4]);
            if (swapped != original) {
                Overwrite(path, swapped);
                EXPECT_TRUE(file.changedOnDisk());
                Overwrite(path, original);
            }
        }
        std::vector<uint8_t> longer = original;
        longer.push_back(0);
        Overwrite(path, longer);
        strMessage why;
        EXPECT_TRUE(file.changedOnDisk(&why));
        EXPECT_EQ(why, strMessage(kGameDbSizeChanged));
    }
}

TEST(DatabaseFile, TheFirstWriteBacksUpTheFileAsReadAndLaterOnesDoNot) {
    strReadFile f("Animations.json", 700000);
    const std::string& path = f.path;
    game::cDatabaseFile& file = f.file;

    const std::vector<uint8_t> first = Pattern(1000), second = Pattern(300001);
    std::string backup;
    strMessage error;
    ASSERT_TRUE(file.write(first, &backup, &error)) << error;
    ASSERT_FALSE(backup.empty());
    EXPECT_EQ(ReadBytes(backup), f.original);
    EXPECT_EQ(ReadBytes(path), first);
    EXPECT_FALSE(file.changedOnDisk());
    ASSERT_TRUE(file.write(second, &backup, &error)) << error;
    EXPECT_TRUE(backup.empty());
    EXPECT_EQ(ReadBytes(path), second);
    size_t backups = 0;
    for (const auto& entry : std::filesystem::directory_iterator(f.dir.path() + "/Backups")) {
        EXPECT_EQ(entry.path().filename().string().rfind("Animations.json.", 0), 0u);
        ++backups;
    }
    EXPECT_EQ(backups, 1u); // no temporary file left either

    // A backup never replaces an earlier one made in the same second: the next free name is taken.
    const std::string same = file.backupPath(1796140800);
    WriteBytes(same, {1});
    WriteBytes(same + "-2", {2});
    EXPECT_EQ(file.backupPath(1796140800), same + "-3");
}

TEST(DatabaseFile, ARefusedWriteChangesNothing) {
    strReadFile f("RPG_RT.ldb", 300000);
    const std::string& path = f.path;
    game::cDatabaseFile& file = f.file;

    std::vector<uint8_t> other = f.original;
    other[290000] ^= 1;
    Overwrite(path, other);
    std::string backup = "x";
    strMessage error;
    EXPECT_FALSE(file.write(Pattern(10), &backup, &error));
    EXPECT_EQ(error.id, kGameDbChangedOnDisk) << error;
    EXPECT_TRUE(backup.empty());
    EXPECT_EQ(ReadBytes(path), other);
    EXPECT_FALSE(std::filesystem::exists(f.dir.path() + "/Backups"));

    std::filesystem::remove(path);
    EXPECT_FALSE(file.write(Pattern(10), &backup, &error));
    EXPECT_FALSE(std::filesystem::exists(path));
}
