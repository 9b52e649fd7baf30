#pragma once
// The editor's settings record. One instance lives for the whole process; every module reads its
// fields directly. Field names are the keys of the settings file ("config.ini", section "CONFIG").

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {
class cProfileFile;
}

class cConfig {
  public:
    // Program version shown by the About box; not stored in the file.
    static constexpr float kVersion = 0.71f;

    // Fixed capacities used when a document is created; not stored in the file.
    static constexpr int kMinFrameCapacity = 65535;
    static constexpr int kMaxCellNumber = 255;
    static constexpr int kMinPictureCapacity = 255;
    static constexpr int kMinEffectCapacity = 1023;
    // The longest interval between recovery copies, in seconds ("RecoveryInterval").
    static constexpr int kMaxRecoveryInterval = 3600;

    // Fixed canvas drawing colours (0x00BBGGRR); not stored in the file.
    static constexpr uint32_t kColourPrevOutline = 0xFF2020;
    static constexpr uint32_t kColourNextOutline = 0x20FF20;
    static constexpr uint32_t kColourCellOutline = 0x0000FF;
    static constexpr uint32_t kColourSelectedOutline = 0xFFFFFF;
    static constexpr uint32_t kColourCurrentOutline = 0x20FFFF;
    static constexpr uint32_t kColourPath = 0xFFFF00;
    static constexpr uint32_t kColourHighlightOutline = 0xFFFF80;
    static constexpr uint32_t kColourFill = 0x506B4A;

    // Settings file location and section.
    std::string filePath;
    std::string section = "CONFIG";

    // Keys in file order.
    std::string Locale = "jpn";
    std::string LastLoadPath;
    std::string FolderName_C = "Data";
    std::string FolderName_G = "BattleEffect";
    std::string FolderName_S = "Sound";
    int MainWinPostX = 32, MainWinPostY = 32, MainWinSizeX = 640, MainWinSizeY = 480;
    int ListWinPostX = 672, ListWinPostY = 32, ListWinSizeX = 250, ListWinSizeY = 300;
    int PalWinPostX = 672, PalWinPostY = 332, PalWinSizeX = 250, PalWinSizeY = 348;
    int CellWinPostX = 92, CellWinPostY = 512;
    bool VListFlag = true;
    bool VPalFlag = true;
    bool VBarFlag = true;
    bool VStatusFlag = true;
    bool VToolFlag = true;
    bool VNextFlag = true;
    bool VBackFlag = true;
    bool VNowFlag = true;
    bool VShadowFlag = true;
    bool VGridFlag = true;
    bool VLocusFlag = true;
    bool VTargetFlag = true;
    bool VGifFlag = true;
    bool VCenterFlag = true;
    bool VLineFlag = true;
    bool VerticalFlag = false;
    int CenterW = 640, CenterH = 480;
    int GridSize = 32;
    uint32_t GridBit = 7;
    int PostGrid = 4;
    int ScaleGrid = 10;
    int AngleGrid = 10;
    bool NewFrameFlag = true;
    bool BackUpFlag = false;
    int TransType = 4;
    int CompType = 0;
    int Undo = 32;
    int Locus = 10;
    int DragAKey = 65;
    int DragSKey = 83;
    uint32_t PlayBit = 416;
    int PlayRate = 0;
    uint32_t CGround = 0x101010;
    uint32_t CGrid = 0x404040;
    uint32_t CBackShadow = 0x880000FF;
    uint32_t CNextShadow = 0x8800FF00;
    uint32_t CCenterLine = 0x8888FF88;
    uint32_t CTrans = 0;
    // New projects leave every cell number free to show any picture.
    bool Init_FixFlag = false;
    uint8_t Init_Center = 0;
    // New pictures are divided by pattern size (RPG Maker sheets: 192 x 192 patterns).
    uint8_t Init_Div = 1;
    uint8_t Init_Edit = 2;
    uint8_t Init_Format = 1;
    int Init_Int = 1;
    int Init_Cell = 16;
    int Init_CutX = 192, Init_CutY = 192;
    std::string Init_FileName = "newfile.txt";
    int TargetPostX = 0, TargetPostY = 0;
    uint8_t TargetOpacity = 255;
    std::string TargetPath;
    int GIFKey = 71;
    int GIFSpeed = 100;
    std::string GIFPath;
    // The last easing of the tween window (tools/easing.h TweenOptionsText); empty: linear.
    std::string TweenEasing;
    // Run-time package folders of the RPG Maker products: where a game's pictures and sounds are
    // looked for after the game's own folders (empty: not searched).
    std::string RTPFolder_2000;
    std::string RTPFolder_2003;
    std::string RTPFolder_XP;
    std::string RTPFolder_VX;
    std::string RTPFolder_VXAce;
    std::string RTPFolder_MV;
    // The game folders opened last, the latest first (empty: none).
    std::string RecentGame1, RecentGame2, RecentGame3, RecentGame4, RecentGame5;
    // The language of the editor's windows: "auto" follows the desktop, "en" English, "ja" Japanese;
    // any other value reads as "auto". Read at start-up.
    std::string Language = "auto";
    // Seconds of editing between two recovery copies of a modified document; 0 writes none.
    int RecoveryInterval = 60;

    // Fills every field with its default and sets the file path from the location rule.
    bool setDefaults();
    // Reads every key in file order; an absent key (or one whose value starts with "!") keeps its value.
    bool read();
    // Writes every key in file order, creating the file and section when needed.
    bool write() const;

    // The recent game folders, latest first, the empty ones left out.
    std::vector<std::string> recentGames() const;
    // Puts folder first among the recent game folders (taking it out of its old place, the oldest
    // one dropped when all five are taken). An empty folder changes nothing.
    void rememberGame(const std::string& folder);

    // Holds every value to the range the settings accept (numbers clamped, colours and bit sets
    // masked to their bits); read() applies it to whatever the file held. Window rectangles are held
    // to plausible screen coordinates here and placed on the real screens by the editor.
    void clampToRanges();

    // History depth from "Undo", clamped to 0..32.
    int undoDepth() const;
    // Playback rate index from "PlayRate", clamped to 0..6.
    int playRateIndex() const;

    // A record holding the built-in defaults, for code that runs without the editor's record.
    static const cConfig& defaults();

    // ---- helpers (config.cpp) ----
    // read()/write() on a profile held in memory (read() and write() use these on the file).
    // readFrom returns true; writeTo returns false when a value could not be stored (a text with a
    // line feed), after storing every other key.
    bool readFrom(const platform::cProfileFile& file);
    bool writeTo(platform::cProfileFile& file) const;

    // Value forms: leading white space, optional sign, decimal digits up to the first
    // other character; no digits gives 0. parseInt saturates at the int range; parseUint takes a
    // negative value modulo 2^32 (as strtoul does) and saturates larger magnitudes at 0xFFFFFFFF.
    static int parseInt(std::string_view text);
    static uint32_t parseUint(std::string_view text);

    // The settings file: "config.ini" in programFolder when that file exists there (portable mode),
    // else "config.ini" in userFolder (the per-user folder, platform::UserConfigFolder), else in
    // programFolder; "" when both folders are unknown. setDefaults() uses the executable's folder.
    // An explicit path (the CLI's --config FILE) is set by assigning filePath after setDefaults().
    static std::string locateFile(const std::string& programFolder, const std::string& userFolder);
    // The working folder: baseFolder alone when folderName is empty, else folderName resolved
    // against baseFolder for use on disk (an absolute folderName stands alone).
    static std::string workingFolderIn(const std::string& baseFolder, const std::string& folderName);
    // workingFolderIn(folder of filePath, FolderName_C): the working folder lives beside config.ini.
    std::string workingFolder() const;

    bool operator==(const cConfig&) const = default;
};
