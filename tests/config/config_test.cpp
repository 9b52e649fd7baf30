#include "config/config.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "platform/path.h"
#include "platform/profile_file.h"
#include "support/test_support.h"

using testing_support::DataPath;
using testing_support::ReadText;
using testing_support::TempDir;
using testing_support::WriteText;

namespace {

// The record stored in every_field.ini: every field differs from its default.
cConfig everyFieldChanged() {
    cConfig c;
    c.filePath = DataPath("config/every_field.ini");
    EXPECT_TRUE(c.read());
    return c;
}

TEST(Config, ClampsUndoAndPlayRate) {
    const struct {
        int playRate, undo, rateIndex, depth;
    } rows[] = {{9, 100, 6, 32}, {-3, 0, 0, 0}, {3, -4, 3, 0}};
    for (const auto& row : rows) {
        cConfig c;
        c.PlayRate = row.playRate;
        c.Undo = row.undo;
        EXPECT_EQ(c.playRateIndex(), row.rateIndex) << row.playRate;
        EXPECT_EQ(c.undoDepth(), row.depth) << row.undo;
    }
}

TEST(Config, ValueForms) {
    // (the line in the file, the value the key then holds as written back); the record read into
    // differs from the defaults in every field, so a key that is kept shows its earlier value.
    const std::string longText(600, 'p');
    // Init_FileName is read into 260 bytes: this value is cut after 259, just after "; ", and the
    // blank it then ends with must survive the write.
    const std::string cut = std::string(249, 'n') + "\xFF\xFFn; P2" + "n; ";
    const std::pair<std::string, std::string> rows[] = {
        {"VListFlag=false", "1"}, // only a leading "0" is false
        {"BackUpFlag=0abc", "0"},
        {"VBarFlag=", "1"},          // empty: true
        {"TargetOpacity=300", "44"}, // low 8 bits
        {"Init_Center=-1", "5"},     // low 8 bits (255), then the list's last entry
        {"MainWinPostX= -12abc", "-12"},
        {"MainWinPostY=abc", "0"},
        {"MainWinSizeX=+7", "7"},
        {"MainWinSizeY=000000000000001234", "1"}, // 16-byte buffer: "000000000000001"
        {"ListWinPostX=99999999999", "32767"},    // saturates, then held to screen coordinates
        {"ListWinPostY=-99999999999", "-32767"},
        {"CBackShadow=2281701631", "2281701631"},
        {"CNextShadow=-1", "4294967295"},
        {"CTrans=4294967296", "16777215"}, // a Windows colour: 0x00BBGGRR
        {"LastLoadPath=" + longText, std::string(511, 'p')},
        {"Init_FileName=" + cut + "more text", cut},
        {"Init_Cell=\"8\"", "8"}, // numbers are read after the quotes are removed
        {"Init_Int=", "1"},       // 0, held to 1..255
        {"PostGrid=- 5", "0"},
        {"GridSize= 12 34", "12"},
        {"CenterW=-2147483648", "2"},
        {"CenterH=2147483647", "1024"},
        {"CGrid=4294967295", "16777215"},
        // A value starting with "!" and an absent key keep the current value.
        {"Locale=!jpn", "UTF-8"},
        {"VListFlag=!", "0"},
        {"Undo=!7", "3"},
        {"Locus", "0"}, // no "=": not a key
    };
    for (const auto& [line, value] : rows) {
        const std::string key = line.substr(0, line.find('='));
        cConfig c = everyFieldChanged();
        // The section name matches case-insensitively.
        ASSERT_TRUE(c.readFrom(platform::cProfileFile("[config]\n" + line + "\n")));
        platform::cProfileFile written;
        ASSERT_TRUE(c.writeTo(written));
        EXPECT_EQ(written.getString("CONFIG", key, "<absent>", 1024), value) << line;
    }

    EXPECT_EQ(cConfig::parseInt("\t\n 42"), 42); // the file's values come trimmed
}

// Values outside what the settings accept would make windows of 32767 x 32767, histories or grids
// without bound, or a save format that no save can write: each is held to its range on reading.
TEST(Config, GarbageValuesAreHeldToTheirRanges) {
    const std::pair<std::string, std::string> rows[] = {
        {"Init_Format=7", "1"},
        {"Init_Edit=200", "4"},
        {"Init_Div=2", "1"},
        {"Init_Cell=0", "1"},
        {"Init_Cell=999", "255"},
        {"Init_CutX=5000", "1024"},
        {"Init_CutY=-3", "1"},
        {"TransType=99", "4"},
        {"CompType=-5", "0"},
        {"GridSize=1", "2"},
        {"GridBit=255", "7"},
        {"AngleGrid=99999", "3000"},
        {"Locus=99999", "1000"},
        {"DragAKey=300", "255"},
        {"GIFKey=-1", "0"},
        {"GIFSpeed=-5", "0"},
        {"PlayRate=9", "6"},
        {"Undo=-1", "0"},
        {"PlayBit=4294967295", "1964"}, // the option bits, never the running ones
        {"MainWinSizeX=-5", "0"},
        {"PalWinSizeY=99999999", "32767"},
        {"TargetPostX=5000", "1024"},
        {"CGround=4294967295", "16777215"},
        {"RecoveryInterval=-1", "0"},
        {"RecoveryInterval=86400", "3600"},
    };
    for (const auto& [line, value] : rows) {
        const std::string key = line.substr(0, line.find('='));
        cConfig c;
        ASSERT_TRUE(c.readFrom(platform::cProfileFile("[CONFIG]\n" + line + "\n")));
        platform::cProfileFile written;
        ASSERT_TRUE(c.writeTo(written));
        EXPECT_EQ(written.getString("CONFIG", key, "<absent>", 1024), value) << line;
    }
}

TEST(Config, WriteKeepsOtherSectionsAndComments) {
    TempDir dir;
    WriteText(dir.file("config.ini"), ReadText(DataPath("config/other_sections.ini")));
    cConfig c;
    c.filePath = dir.file("config.ini");
    ASSERT_TRUE(c.read());
    EXPECT_EQ(c.Undo, 3);
    c.Undo = 9;
    ASSERT_TRUE(c.write());
    std::string after = ReadText(c.filePath);
    EXPECT_EQ(after.substr(0, 48), "; PelkoEditor settings\r\n[Window]\r\nUndo=keep me\r\n");
    EXPECT_NE(after.find("Undo = 9\r\nUnknown=stays\r\n"), std::string::npos);
    const std::string tail =
        "RecoveryInterval=60\r\n\r\n[Later]\r\nx=1\r\n"; // keys appended before the blank line
    EXPECT_EQ(after.substr(after.size() - tail.size()), tail);
}

TEST(Config, AbsentFileKeepsDefaultsAndEveryFieldReadsBack) {
    TempDir dir;
    cConfig c;
    c.Undo = 3;
    ASSERT_TRUE(c.setDefaults()); // resets changed fields
    EXPECT_EQ(platform::FileNamePart(c.filePath), "config.ini");
    c.filePath = dir.file("sub/folder/config.ini");
    ASSERT_TRUE(c.read());
    cConfig expected = cConfig::defaults();
    expected.filePath = c.filePath;
    EXPECT_EQ(c, expected);

    // Every field differs from its default, so the comparison below checks every key.
    cConfig written = everyFieldChanged();
    written.filePath = c.filePath; // the folder is created too
    ASSERT_TRUE(written.write());
    EXPECT_EQ(ReadText(c.filePath), ReadText(DataPath("config/every_field.ini")));
    ASSERT_TRUE(c.read());
    EXPECT_EQ(c, written);

    // Writing again over the same file changes nothing.
    std::string first = ReadText(written.filePath);
    ASSERT_TRUE(c.write());
    EXPECT_EQ(ReadText(written.filePath), first);
}

TEST(Config, UnstorableTextIsReportedButTheRestIsWritten) {
    TempDir dir;
    cConfig c;
    c.filePath = dir.file("config.ini");
    c.GIFPath = "two\nlines";
    c.Undo = 4;
    EXPECT_FALSE(c.write());
    cConfig reread;
    reread.filePath = c.filePath;
    ASSERT_TRUE(reread.read());
    EXPECT_EQ(reread.Undo, 4);
    EXPECT_EQ(reread.GIFPath, "");
}

TEST(Config, FileLocationWorkingFolderAndUnknownPath) {
    cConfig none;
    none.filePath.clear();
    none.Undo = 7;
    EXPECT_FALSE(none.read());
    EXPECT_FALSE(none.write());
    EXPECT_EQ(none.Undo, 7);
    TempDir dir;
    const std::string program = dir.file("bin"), user = dir.file("user/PelkoEditor");
    platform::MakeFolder(program);
    EXPECT_EQ(cConfig::locateFile(program, user), user + "/config.ini");
    WriteText(program + "/config.ini", "");
    EXPECT_EQ(cConfig::locateFile(program, user), program + "/config.ini"); // portable mode
    EXPECT_EQ(cConfig::locateFile("", user), user + "/config.ini");
    EXPECT_EQ(cConfig::locateFile(dir.file("elsewhere"), ""), dir.file("elsewhere") + "/config.ini");
    EXPECT_EQ(cConfig::locateFile("", ""), "");

    // The working folder lives beside the settings file.
    none.filePath = "/home/u/.config/PelkoEditor/config.ini";
    EXPECT_EQ(none.workingFolder(), "/home/u/.config/PelkoEditor/Data");
    none.FolderName_C.clear();
    EXPECT_EQ(none.workingFolder(), "/home/u/.config/PelkoEditor");
}

} // namespace

TEST(Config, RecentGamesLatestFirstWithoutRepeatsAndKeptInTheFile) {
    TempDir dir;
    cConfig c;
    c.filePath = dir.file("config.ini");
    EXPECT_TRUE(c.recentGames().empty());
    c.rememberGame("");
    EXPECT_TRUE(c.recentGames().empty());
    for (const char* f : {"/g/1", "/g/2", "/g/3", "/g/4", "/g/5", "/g/6"})
        c.rememberGame(f);
    // The oldest is dropped when a sixth comes.
    EXPECT_EQ(c.recentGames(), (std::vector<std::string>{"/g/6", "/g/5", "/g/4", "/g/3", "/g/2"}));
    // A folder opened again moves to the front and is not listed twice.
    c.rememberGame("/g/3");
    EXPECT_EQ(c.recentGames(), (std::vector<std::string>{"/g/3", "/g/6", "/g/5", "/g/4", "/g/2"}));
    c.rememberGame("/g/3");
    EXPECT_EQ(c.recentGames(), (std::vector<std::string>{"/g/3", "/g/6", "/g/5", "/g/4", "/g/2"}));
    ASSERT_TRUE(c.write());
    const std::string text = ReadText(c.filePath);
    EXPECT_NE(text.find("RecentGame1=/g/3"), std::string::npos) << text;
    EXPECT_LT(text.find("RecentGame1=/g/3"), text.find("RecentGame2=/g/6"));
    cConfig back;
    back.filePath = c.filePath;
    ASSERT_TRUE(back.read());
    EXPECT_EQ(back.recentGames(), c.recentGames());
    // Gaps in a hand-edited file are skipped.
    back.RecentGame1.clear();
    back.RecentGame4.clear();
    EXPECT_EQ(back.recentGames(), (std::vector<std::string>{"/g/6", "/g/5", "/g/2"}));
    back.rememberGame("/g/7");
    EXPECT_EQ(back.RecentGame1, "/g/7");
    EXPECT_EQ(back.RecentGame4, "/g/2");
    EXPECT_EQ(back.RecentGame5, "");
}
