#include "config/config.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "platform/path.h"
#include "platform/profile_file.h"
#include "support/test_support.h"

using testing_support::ReadText;
using testing_support::TempDir;
using testing_support::WriteText;

namespace {

// A record that reads the given "[CONFIG]" body from a file in dir.
cConfig readBody(const TempDir& dir, const std::string& body) {
    WriteText(dir.file("config.ini"), "[CONFIG]\n" + body);
    cConfig c;
    c.filePath = dir.file("config.ini");
    EXPECT_TRUE(c.read());
    return c;
}

TEST(Config, AbsentFileKeepsDefaultsAndWriteCreatesEveryKey) {
    TempDir dir;
    cConfig c;
    c.Undo = 3;
    c.Locale = "UTF-8";
    ASSERT_TRUE(c.setDefaults()); // resets changed fields
    EXPECT_EQ(platform::FileNamePart(c.filePath), "config.ini");
    c.filePath = dir.file("sub/folder/config.ini"); // the folder is created too
    ASSERT_TRUE(c.read());
    cConfig expected = cConfig::defaults();
    expected.filePath = c.filePath;
    EXPECT_EQ(c, expected);

    // Every key is written: the round trip of every field below reads each one back.
    ASSERT_TRUE(c.write());
    EXPECT_EQ(ReadText(c.filePath).substr(0, 9), "[CONFIG]\n");
    cConfig again;
    again.filePath = c.filePath;
    again.Undo = 99;
    ASSERT_TRUE(again.read());
    EXPECT_EQ(again, c);
}

TEST(Config, ClampsUndoAndPlayRate) {
    TempDir dir;
    cConfig c = readBody(dir, "PlayRate=9\nUndo=100\n");
    EXPECT_EQ(c.PlayRate, 9); // stored as read; clamped when used
    EXPECT_EQ(c.playRateIndex(), 6);
    EXPECT_EQ(c.undoDepth(), 32);
    c = readBody(dir, "PlayRate=-3\nUndo=0\n");
    EXPECT_EQ(c.playRateIndex(), 0);
    EXPECT_EQ(c.undoDepth(), 0);
    c.Undo = -4;
    EXPECT_EQ(c.undoDepth(), 0);
}

TEST(Config, ValueForms) {
    TempDir dir;
    cConfig c = readBody(dir,
                         "VListFlag=false\n" // only a leading "0" is false
                         "VPalFlag=0abc\n"
                         "VBarFlag=\n" // empty: true
                         "VerticalFlag=yes\n"
                         "TargetOpacity=300\n" // low 8 bits: 44
                         "Init_Center=-1\n"    // 255
                         "MainWinPostX= -12abc\n"
                         "MainWinPostY=abc\n"
                         "MainWinSizeX=+7\n"
                         "MainWinSizeY=000000000000001234\n" // 16-byte buffer: "000000000000001"
                         "ListWinPostX=99999999999\n"        // saturates
                         "ListWinPostY=-99999999999\n"
                         "CBackShadow=2281701631\n"
                         "CNextShadow=-1\n"
                         "CCenterLine=4294967296\n"
                         "GridBit=5x\n");
    EXPECT_TRUE(c.VListFlag);
    EXPECT_FALSE(c.VPalFlag);
    EXPECT_TRUE(c.VBarFlag);
    EXPECT_TRUE(c.VerticalFlag);
    EXPECT_EQ(c.TargetOpacity, 44);
    EXPECT_EQ(c.Init_Center, 255);
    EXPECT_EQ(c.MainWinPostX, -12);
    EXPECT_EQ(c.MainWinPostY, 0);
    EXPECT_EQ(c.MainWinSizeX, 7);
    EXPECT_EQ(c.MainWinSizeY, 1);
    EXPECT_EQ(c.ListWinPostX, INT_MAX);
    EXPECT_EQ(c.ListWinPostY, INT_MIN);
    EXPECT_EQ(c.CBackShadow, 0x880000FFu);
    EXPECT_EQ(c.CNextShadow, 0xFFFFFFFFu);
    EXPECT_EQ(c.CCenterLine, 0xFFFFFFFFu);
    EXPECT_EQ(c.GridBit, 5u);

    EXPECT_EQ(cConfig::parseInt(""), 0);
    EXPECT_EQ(cConfig::parseInt("\t\n 42"), 42);
    EXPECT_EQ(cConfig::parseInt("- 5"), 0);
    EXPECT_EQ(cConfig::parseInt("-2147483648"), INT_MIN);
    EXPECT_EQ(cConfig::parseInt("2147483647"), INT_MAX);
    EXPECT_EQ(cConfig::parseUint("4294967295"), 0xFFFFFFFFu);
    EXPECT_EQ(cConfig::parseUint("-5"), 0xFFFFFFFBu);
    EXPECT_EQ(cConfig::parseUint(" 12 34"), 12u);
}

TEST(Config, AbsentOrBangKeepsTheCurrentValue) {
    TempDir dir;
    WriteText(dir.file("config.ini"), "[config]\nLocale=!UTF-8\nVListFlag=!\nUndo=!7\nGridSize=12\n");
    cConfig c;
    c.filePath = dir.file("config.ini");
    c.Locale = "UTF-8";
    c.VListFlag = false;
    c.Undo = 5;
    c.Locus = 99;
    ASSERT_TRUE(c.read());
    EXPECT_EQ(c.Locale, "UTF-8");
    EXPECT_FALSE(c.VListFlag);
    EXPECT_EQ(c.Undo, 5);
    EXPECT_EQ(c.Locus, 99);    // absent
    EXPECT_EQ(c.GridSize, 12); // the section name matched case-insensitively
}

TEST(Config, TextBuffers) {
    TempDir dir;
    std::string longText(600, 'p');
    cConfig c = readBody(dir, "LastLoadPath=" + longText + "\nInit_FileName=" + longText +
                                  "\nGIFPath=  spaced path.gif  \n");
    EXPECT_EQ(c.LastLoadPath, std::string(511, 'p'));
    EXPECT_EQ(c.Init_FileName, std::string(259, 'p'));
    EXPECT_EQ(c.GIFPath, "spaced path.gif");
}

TEST(Config, QuotedValuesAndValuesCutByTheirBuffer) {
    TempDir dir;
    // Init_FileName is read into 260 bytes: its value is cut after 259, here just after "; ".
    const std::string cut = std::string(249, 'n') + "\xFF\xFFn; P2" + "n; ";
    ASSERT_EQ(cut.size(), 259u);
    cConfig c = readBody(dir, "FolderName_G=\"C:\\Games\\Graphics\"\nInit_Cell=\"8\"\n"
                              "FolderName_S=\"  padded  \"\nInit_FileName=" +
                                  cut + "more text\n");
    EXPECT_EQ(c.FolderName_G, "C:\\Games\\Graphics");
    EXPECT_EQ(c.Init_Cell, 8);
    EXPECT_EQ(c.FolderName_S, "  padded  ");
    EXPECT_EQ(c.Init_FileName, cut);
    // Whatever was read is written so that it reads back the same.
    ASSERT_TRUE(c.write());
    cConfig again;
    again.filePath = c.filePath;
    ASSERT_TRUE(again.read());
    EXPECT_EQ(again, c);
}

TEST(Config, WriteKeepsOtherSectionsAndComments) {
    TempDir dir;
    const std::string before = "; PelkoEditor settings\r\n"
                               "[Window]\r\n"
                               "Undo=keep me\r\n"
                               "\r\n"
                               "[CONFIG]\r\n"
                               "; a comment inside the section\r\n"
                               "Undo = 3\r\n"
                               "Unknown=stays\r\n"
                               "\r\n"
                               "[Later]\r\n"
                               "x=1\r\n";
    WriteText(dir.file("config.ini"), before);
    cConfig c;
    c.filePath = dir.file("config.ini");
    ASSERT_TRUE(c.read());
    EXPECT_EQ(c.Undo, 3);
    c.Undo = 9;
    ASSERT_TRUE(c.write());
    std::string after = ReadText(c.filePath);
    EXPECT_EQ(after.substr(0, 48), "; PelkoEditor settings\r\n[Window]\r\nUndo=keep me\r\n");
    EXPECT_NE(after.find("; a comment inside the section\r\n"), std::string::npos);
    EXPECT_NE(after.find("Undo = 9\r\nUnknown=stays\r\n"), std::string::npos);
    const std::string tail = "GIFPath=\r\n\r\n[Later]\r\nx=1\r\n"; // keys appended before the blank line
    EXPECT_EQ(after.substr(after.size() - tail.size()), tail);
    EXPECT_EQ(after.find("\n\n"), std::string::npos); // no LF-only line was added
    EXPECT_EQ(after.find("Undo="), after.find("Undo=keep me"));
}

cConfig everyFieldChanged() {
    cConfig c;
    c.Locale = "UTF-8";
    c.LastLoadPath = "/home/u/\xE3\x82\xA2\xE3\x83\x8B\xE3\x83\xA1 files";
    c.FolderName_C = "Work\\Dir", c.FolderName_G = "C:\\Games\\Battle", c.FolderName_S = "/srv/sound";
    c.MainWinPostX = -100, c.MainWinPostY = -1, c.MainWinSizeX = 1920, c.MainWinSizeY = 1080;
    c.ListWinPostX = 1, c.ListWinPostY = 2, c.ListWinSizeX = 3, c.ListWinSizeY = 4;
    c.PalWinPostX = 5, c.PalWinPostY = 6, c.PalWinSizeX = 7, c.PalWinSizeY = 8;
    c.CellWinPostX = INT_MIN, c.CellWinPostY = INT_MAX;
    c.VListFlag = c.VPalFlag = c.VBarFlag = c.VStatusFlag = c.VToolFlag = c.VNextFlag = c.VBackFlag = false;
    c.VNowFlag = c.VShadowFlag = c.VGridFlag = c.VLocusFlag = c.VTargetFlag = c.VGifFlag = false;
    c.VCenterFlag = c.VLineFlag = c.NewFrameFlag = c.Init_FixFlag = false;
    c.VerticalFlag = c.BackUpFlag = true;
    c.CenterW = 2, c.CenterH = 1024, c.GridSize = 255, c.GridBit = 0xFFFFFFFF;
    c.PostGrid = 3000, c.ScaleGrid = 0, c.AngleGrid = 1;
    c.TransType = 0, c.CompType = 2, c.Undo = 100, c.Locus = 0, c.DragAKey = 17, c.DragSKey = 16;
    c.PlayBit = 0x1FF, c.PlayRate = 9;
    c.CGround = 0xABCDEF, c.CGrid = 0, c.CBackShadow = 0x80808080, c.CNextShadow = 1;
    c.CCenterLine = 0xFFFFFFFF, c.CTrans = 0x00FF00FF;
    c.Init_Center = 5, c.Init_Div = 1, c.Init_Edit = 4, c.Init_Format = 0;
    c.Init_Int = 255, c.Init_Cell = 1, c.Init_CutX = 1024, c.Init_CutY = 1;
    c.Init_FileName = "anime.dat";
    c.TargetPostX = -320, c.TargetPostY = 240, c.TargetOpacity = 0, c.TargetPath = "target\\enemy.png";
    c.GIFKey = 72, c.GIFSpeed = 250, c.GIFPath = "draft = with equals.gif";
    return c;
}

TEST(Config, RoundTripOfEveryField) {
    TempDir dir;
    cConfig written = everyFieldChanged();
    written.filePath = dir.file("config.ini");
    // Every field differs from its default, so the comparison below checks every key.
    ASSERT_TRUE(written.write());
    cConfig reread;
    reread.setDefaults();
    reread.filePath = written.filePath;
    ASSERT_TRUE(reread.read());
    EXPECT_EQ(reread, written);

    // Writing again over the same file changes nothing.
    std::string first = ReadText(written.filePath);
    ASSERT_TRUE(reread.write());
    EXPECT_EQ(ReadText(written.filePath), first);

    // In memory too.
    platform::cProfileFile file;
    ASSERT_TRUE(written.writeTo(file));
    cConfig fromMemory;
    ASSERT_TRUE(fromMemory.readFrom(file));
    fromMemory.filePath = written.filePath;
    EXPECT_EQ(fromMemory, written);
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

TEST(Config, FileLocationAndUnknownPath) {
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
}

TEST(Config, WorkingFolder) {
    EXPECT_EQ(cConfig::workingFolderIn("/opt/pelko", "Data"), "/opt/pelko/Data");
    EXPECT_EQ(cConfig::workingFolderIn("/opt/pelko", ""), "/opt/pelko");
    EXPECT_EQ(cConfig::workingFolderIn("/opt/pelko", "Work\\Sub\\"), "/opt/pelko/Work/Sub");
    EXPECT_EQ(cConfig::workingFolderIn("/opt/pelko", "../shared"), "/opt/shared");
    EXPECT_EQ(cConfig::workingFolderIn("/opt/pelko", "/srv/data"), "/srv/data");
    cConfig c;
    c.filePath = "/home/u/.config/PelkoEditor/config.ini";
    EXPECT_EQ(c.workingFolder(), "/home/u/.config/PelkoEditor/Data");
    c.FolderName_C.clear();
    EXPECT_EQ(c.workingFolder(), "/home/u/.config/PelkoEditor");
}

} // namespace
