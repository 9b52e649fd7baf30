#include "platform/path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "support/test_support.h"

using namespace platform;
using testing_support::TempDir;

namespace {

struct strSplitCase {
    const char* path;
    const char* folder;
    const char* name;
    const char* ext;
};

TEST(Path, SplitsOnBothSeparators) {
    const strSplitCase cases[] = {
        {"a\\b/c.png", "a\\b", "c.png", ".png"},
        {"c.png", "", "c.png", ".png"},
        {"/c.png", "/", "c.png", ".png"},
        {"\\c.png", "\\", "c.png", ".png"},
        {"C:\\c.png", "C:\\", "c.png", ".png"},
        {"C:c.png", "C:", "c.png", ".png"},
        {"a//b", "a", "b", ""},
        {"a/b/", "a/b", "", ""},
        {"dir.x/file", "dir.x", "file", ""},
        {"a/b.tar.gz", "a", "b.tar.gz", ".gz"},
        {"a/.ini", "a", ".ini", ""},
        {"a/..", "a", "..", ""},
        {"a/name.", "a", "name.", "."},
        {"\\\\server\\share", "\\\\server", "share", ""},
        {"", "", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FolderPart(c.path), c.folder) << c.path;
        EXPECT_EQ(FileNamePart(c.path), c.name) << c.path;
        EXPECT_EQ(Extension(c.path), c.ext) << c.path;
    }
    EXPECT_EQ(StemPart("x\\Attack1.png"), "Attack1");
    EXPECT_EQ(StemPart("x/.ini"), ".ini");
}

TEST(Path, Absolute) {
    for (const char* p : {"/x", "\\x", "C:\\x", "c:/x", "\\\\server\\x", "D:\\"})
        EXPECT_TRUE(IsAbsolute(p)) << p;
    for (const char* p : {"", "x", "x/y", "C:", "C:x", "1:\\x", ".\\x"})
        EXPECT_FALSE(IsAbsolute(p)) << p;
}

TEST(Path, JoinKeepsTheBaseStyle) {
    EXPECT_EQ(JoinPath("C:\\Game\\Data", "x.png"), "C:\\Game\\Data\\x.png");
    EXPECT_EQ(JoinPath("/home/u/Data", "x.png"), "/home/u/Data/x.png");
    EXPECT_EQ(JoinPath("/home/u/", "x.png"), "/home/u/x.png");
    EXPECT_EQ(JoinPath("C:\\Game/Data", "x"), "C:\\Game/Data/x"); // the last separator used
    EXPECT_EQ(JoinPath("C:", "x"), "C:\\x");
    EXPECT_EQ(JoinPath("Data", "x"), "Data/x");
    EXPECT_EQ(JoinPath("Data", "/abs/x"), "/abs/x");
    EXPECT_EQ(JoinPath("Data", "D:\\x"), "D:\\x");
    EXPECT_EQ(JoinPath("", "x"), "x");
    EXPECT_EQ(JoinPath("Data", ""), "Data");
}

TEST(Path, Canonicalise) {
    const std::pair<const char*, const char*> cases[] = {
        {"a\\b\\..\\c", "a\\c"},
        {"/x/./y/", "/x/y"},
        {"a/..", "."},
        {"../a", "../a"},
        {"a/../../b", "../b"},
        {"/..", "/"},
        {"/../x", "/x"},
        {"C:\\..\\x", "C:\\x"},
        {"C:\\a\\.\\\\b\\", "C:\\a\\b"},
        {"a//b///c", "a/b/c"},
        {"a\\b/c", "a\\b\\c"}, // the first separator sets the style
        {".", "."},
        {"./", "."},
        {"", ""},
        {"\\\\server\\share\\..\\x", "\\\\server\\x"},
        {"C:..\\x", "C:..\\x"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(Canonicalise(in), out) << in;
}

TEST(Path, ResolveForDisk) {
    EXPECT_EQ(ResolveForDisk("Battle\\Fire.png", "/home/u/Data"), "/home/u/Data/Battle/Fire.png");
    EXPECT_EQ(ResolveForDisk("..\\Pictures\\a.png", "/home/u/Data"), "/home/u/Pictures/a.png");
    EXPECT_EQ(ResolveForDisk("/abs/./a.png", "/home"), "/abs/a.png");
    EXPECT_EQ(ResolveForDisk("\\abs\\a.png", "/home"), "/abs/a.png");
    EXPECT_EQ(ResolveForDisk("rel\\a.png", ""), "rel/a.png");
    EXPECT_EQ(ResolveForDisk("", "/home/u"), "/home/u");
    EXPECT_EQ(ResolveForDisk("", ""), "");
}

TEST(PathFileSystem, ExistsMakeFolderAndFindTitleFile) {
    TempDir dir;
    EXPECT_TRUE(Exists(dir.path()));
    EXPECT_TRUE(IsFolder(dir.path()));
    EXPECT_FALSE(Exists(dir.file("nope")));
    EXPECT_FALSE(Exists(""));
    testing_support::WriteText(dir.file("f.txt"), "x");
    EXPECT_TRUE(IsRegularFile(dir.file("f.txt")));
    EXPECT_FALSE(IsFolder(dir.file("f.txt")));
    EXPECT_TRUE(MakeFolder(dir.file("a/b/c")));
    EXPECT_TRUE(IsFolder(dir.file("a/b/c")));
    EXPECT_TRUE(MakeFolder(dir.file("a/b/c")));    // already there
    EXPECT_FALSE(MakeFolder(dir.file("f.txt/x"))); // below a file
    EXPECT_FALSE(MakeFolder(""));

    for (const char* name :
         {"Fire.png", "Fire.bmp", "Fire", "Fire2.png", "fire.gif", "Fire.tar.gz", "Ice.png"})
        testing_support::WriteText(dir.file(name), "x");
    std::filesystem::create_directory(dir.file("Fire.d")); // a folder, however named, never matches
    std::filesystem::create_directory(dir.file("Wind.dir"));
    EXPECT_EQ(FindTitleFile(dir.path(), "Fire"), "Fire.bmp"); // smallest name in byte order
    EXPECT_EQ(FindTitleFile(dir.path(), "Ice"), "Ice.png");
    EXPECT_EQ(FindTitleFile(dir.path(), "Wind"), "");
    EXPECT_EQ(FindTitleFile(dir.path(), "Fir"), "");
    EXPECT_EQ(FindTitleFile(dir.path(), ""), "");
    EXPECT_EQ(FindTitleFile(dir.file("missing"), "Fire"), "");
#ifdef __linux__
    EXPECT_EQ(FindTitleFile(dir.path(), "fire"), "fire.gif");
    EXPECT_EQ(FindTitleFile(dir.path(), "ICE"), ""); // case-sensitive on Linux
#endif
    // A folder given with backslashes is found on disk too.
    std::string back = dir.path();
    std::replace(back.begin(), back.end(), '/', '\\');
    EXPECT_EQ(FindTitleFile(back, "Ice"), "Ice.png");
}

TEST(PathFileSystem, ExecutableAndUserConfigFolders) {
    std::string exe = ExecutableFolder();
#ifdef __linux__
    ASSERT_FALSE(exe.empty());
    EXPECT_TRUE(IsAbsolute(exe));
    EXPECT_TRUE(IsFolder(exe));
#endif
    const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
    const char* oldHome = std::getenv("HOME");
    std::string savedXdg = oldXdg ? oldXdg : "", savedHome = oldHome ? oldHome : "";
    setenv("XDG_CONFIG_HOME", "/xdg/conf", 1);
    setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(UserConfigFolder("PelkoEditor"), "/xdg/conf/PelkoEditor");
    setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
    EXPECT_EQ(UserConfigFolder("PelkoEditor"), "/home/someone/.config/PelkoEditor");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(UserConfigFolder("PelkoEditor"), "/home/someone/.config/PelkoEditor");
    unsetenv("HOME");
    EXPECT_EQ(UserConfigFolder("PelkoEditor"), "");
    if (oldXdg) setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
    if (oldHome) setenv("HOME", savedHome.c_str(), 1);
}

} // namespace
