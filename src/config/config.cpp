#include "config/config.h"

#include <algorithm>
#include <climits>
#include <utility>
#include <vector>

#include "platform/path.h"
#include "platform/profile_file.h"

namespace {

constexpr const char* kAppFolderName = "PelkoEditor";
constexpr const char* kFileName = "config.ini";

// Read buffers, terminating zero included.
constexpr size_t kFlagBuffer = 8;
constexpr size_t kNumberBuffer = 16;
constexpr size_t kTextBuffer = 512;
constexpr size_t kFileNameBuffer = 260;

// The marker the reads use for "absent": a value starting with it keeps the current value.
constexpr std::string_view kAbsent = "!";

// Calls v(key, field[, bufferSize]) for every key, in file order. The field's type gives
// the value form: bool flag, int int, uint32_t uint, uint8_t byte, std::string text.
template <typename Config, typename Visitor> void visitKeys(Config& c, Visitor& v) {
    v("Locale", c.Locale);
    v("LastLoadPath", c.LastLoadPath);
    v("FolderName_C", c.FolderName_C);
    v("FolderName_G", c.FolderName_G);
    v("FolderName_S", c.FolderName_S);
    v("MainWinPostX", c.MainWinPostX);
    v("MainWinPostY", c.MainWinPostY);
    v("MainWinSizeX", c.MainWinSizeX);
    v("MainWinSizeY", c.MainWinSizeY);
    v("ListWinPostX", c.ListWinPostX);
    v("ListWinPostY", c.ListWinPostY);
    v("ListWinSizeX", c.ListWinSizeX);
    v("ListWinSizeY", c.ListWinSizeY);
    v("PalWinPostX", c.PalWinPostX);
    v("PalWinPostY", c.PalWinPostY);
    v("PalWinSizeX", c.PalWinSizeX);
    v("PalWinSizeY", c.PalWinSizeY);
    v("CellWinPostX", c.CellWinPostX);
    v("CellWinPostY", c.CellWinPostY);
    v("VListFlag", c.VListFlag);
    v("VPalFlag", c.VPalFlag);
    v("VBarFlag", c.VBarFlag);
    v("VStatusFlag", c.VStatusFlag);
    v("VToolFlag", c.VToolFlag);
    v("VNextFlag", c.VNextFlag);
    v("VBackFlag", c.VBackFlag);
    v("VNowFlag", c.VNowFlag);
    v("VShadowFlag", c.VShadowFlag);
    v("VGridFlag", c.VGridFlag);
    v("VLocusFlag", c.VLocusFlag);
    v("VTargetFlag", c.VTargetFlag);
    v("VGifFlag", c.VGifFlag);
    v("VCenterFlag", c.VCenterFlag);
    v("VLineFlag", c.VLineFlag);
    v("VerticalFlag", c.VerticalFlag);
    v("CenterW", c.CenterW);
    v("CenterH", c.CenterH);
    v("GridSize", c.GridSize);
    v("GridBit", c.GridBit);
    v("PostGrid", c.PostGrid);
    v("ScaleGrid", c.ScaleGrid);
    v("AngleGrid", c.AngleGrid);
    v("NewFrameFlag", c.NewFrameFlag);
    v("BackUpFlag", c.BackUpFlag);
    v("TransType", c.TransType);
    v("CompType", c.CompType);
    v("Undo", c.Undo);
    v("Locus", c.Locus);
    v("DragAKey", c.DragAKey);
    v("DragSKey", c.DragSKey);
    v("PlayBit", c.PlayBit);
    v("PlayRate", c.PlayRate);
    v("CGround", c.CGround);
    v("CGrid", c.CGrid);
    v("CBackShadow", c.CBackShadow);
    v("CNextShadow", c.CNextShadow);
    v("CCenterLine", c.CCenterLine);
    v("CTrans", c.CTrans);
    v("Init_FixFlag", c.Init_FixFlag);
    v("Init_Center", c.Init_Center);
    v("Init_Div", c.Init_Div);
    v("Init_Edit", c.Init_Edit);
    v("Init_Format", c.Init_Format);
    v("Init_Int", c.Init_Int);
    v("Init_Cell", c.Init_Cell);
    v("Init_CutX", c.Init_CutX);
    v("Init_CutY", c.Init_CutY);
    v("Init_FileName", c.Init_FileName, kFileNameBuffer);
    v("TargetPostX", c.TargetPostX);
    v("TargetPostY", c.TargetPostY);
    v("TargetOpacity", c.TargetOpacity);
    v("TargetPath", c.TargetPath);
    v("GIFKey", c.GIFKey);
    v("GIFSpeed", c.GIFSpeed);
    v("GIFPath", c.GIFPath);
    v("TweenEasing", c.TweenEasing);
    v("RTPFolder_2000", c.RTPFolder_2000);
    v("RTPFolder_2003", c.RTPFolder_2003);
    v("RTPFolder_XP", c.RTPFolder_XP);
    v("RTPFolder_VX", c.RTPFolder_VX);
    v("RTPFolder_VXAce", c.RTPFolder_VXAce);
    v("RTPFolder_MV", c.RTPFolder_MV);
    v("RecentGame1", c.RecentGame1);
    v("RecentGame2", c.RecentGame2);
    v("RecentGame3", c.RecentGame3);
    v("RecentGame4", c.RecentGame4);
    v("RecentGame5", c.RecentGame5);
    v("Language", c.Language);
    v("RecoveryInterval", c.RecoveryInterval);
}

struct cKeyReader {
    const platform::cProfileFile& file;
    const std::string& section;

    // The stored value, or nothing (false) when the key is absent or its value starts with "!".
    bool get(const char* key, size_t bufferSize, std::string& out) const {
        out = file.getString(section, key, kAbsent, bufferSize);
        return out.empty() || out[0] != '!';
    }
    void operator()(const char* key, bool& field) const {
        std::string s;
        if (get(key, kFlagBuffer, s)) field = s.empty() || s[0] != '0';
    }
    void operator()(const char* key, int& field) const {
        std::string s;
        if (get(key, kNumberBuffer, s)) field = cConfig::parseInt(s);
    }
    void operator()(const char* key, uint32_t& field) const {
        std::string s;
        if (get(key, kNumberBuffer, s)) field = cConfig::parseUint(s);
    }
    void operator()(const char* key, uint8_t& field) const {
        std::string s;
        if (get(key, kNumberBuffer, s))
            field = static_cast<uint8_t>(static_cast<unsigned>(cConfig::parseInt(s)) & 0xFFu);
    }
    void operator()(const char* key, std::string& field, size_t bufferSize = kTextBuffer) const {
        std::string s;
        if (get(key, bufferSize, s)) field = std::move(s);
    }
};

// Collects the "key=value" texts; they are stored in one pass (cProfileFile::setStrings).
struct cKeyWriter {
    std::vector<std::pair<const char*, std::string>> values;

    void put(const char* key, std::string value) { values.emplace_back(key, std::move(value)); }
    void operator()(const char* key, const bool& field) { put(key, field ? "1" : "0"); }
    void operator()(const char* key, const int& field) { put(key, std::to_string(field)); }
    void operator()(const char* key, const uint32_t& field) { put(key, std::to_string(field)); }
    void operator()(const char* key, const uint8_t& field) { put(key, std::to_string(unsigned(field))); }
    void operator()(const char* key, const std::string& field, size_t = kTextBuffer) { put(key, field); }
};

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Sign and saturated magnitude (at most 2^32 - 1 + 1, enough for both int and uint32 results).
void parseDecimal(std::string_view text, bool& negative, uint64_t& magnitude) {
    size_t i = 0;
    while (i < text.size() && isSpace(text[i]))
        ++i;
    negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    magnitude = 0;
    constexpr uint64_t kCap = uint64_t(1) << 32;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        magnitude = std::min(kCap, magnitude * 10 + uint64_t(text[i] - '0'));
}

} // namespace

bool cConfig::setDefaults() {
    *this = cConfig();
    filePath = locateFile(platform::ExecutableFolder(), platform::UserConfigFolder(kAppFolderName));
    return true;
}

bool cConfig::readFrom(const platform::cProfileFile& file) {
    section = "CONFIG";
    cKeyReader reader{file, section};
    visitKeys(*this, reader);
    clampToRanges();
    return true;
}

void cConfig::clampToRanges() {
    // Screen coordinates: far beyond any screen, yet small enough that position + size cannot overflow.
    static constexpr int kScreen = 32767;
    auto place = [](int& x, int& y) {
        x = std::clamp(x, -kScreen, kScreen);
        y = std::clamp(y, -kScreen, kScreen);
    };
    auto size = [](int& w, int& h) {
        w = std::clamp(w, 0, kScreen);
        h = std::clamp(h, 0, kScreen);
    };
    place(MainWinPostX, MainWinPostY);
    size(MainWinSizeX, MainWinSizeY);
    place(ListWinPostX, ListWinPostY);
    size(ListWinSizeX, ListWinSizeY);
    place(PalWinPostX, PalWinPostY);
    size(PalWinSizeX, PalWinSizeY);
    place(CellWinPostX, CellWinPostY);
    CenterW = std::clamp(CenterW, 2, 1024);
    CenterH = std::clamp(CenterH, 2, 1024);
    GridSize = std::clamp(GridSize, 2, 255);
    GridBit &= 7u;
    PostGrid = std::clamp(PostGrid, 0, 3000);
    ScaleGrid = std::clamp(ScaleGrid, 0, 3000);
    AngleGrid = std::clamp(AngleGrid, 0, 3000);
    TransType = std::clamp(TransType, 0, 4);
    CompType = std::clamp(CompType, 0, 2);
    Undo = std::clamp(Undo, 0, 32);
    Locus = std::clamp(Locus, 0, 1000);
    // Key codes are virtual-key codes, one byte.
    DragAKey = std::clamp(DragAKey, 0, 255);
    DragSKey = std::clamp(DragSKey, 0, 255);
    GIFKey = std::clamp(GIFKey, 0, 255);
    // The replay options the settings keep (loop, reverse, screen and sound effects, no range, sound
    // every time, clear cells); the running bits never come from the file.
    PlayBit &= 0x7ACu;
    PlayRate = std::clamp(PlayRate, 0, 6);
    CGround &= 0xFFFFFFu;
    CGrid &= 0xFFFFFFu;
    CTrans &= 0xFFFFFFu;
    Init_Center = std::min<uint8_t>(Init_Center, 5);
    Init_Div = std::min<uint8_t>(Init_Div, 1);
    Init_Edit = std::min<uint8_t>(Init_Edit, 4);
    Init_Format = std::min<uint8_t>(Init_Format, 1);
    Init_Int = std::clamp(Init_Int, 1, 255);
    Init_Cell = std::clamp(Init_Cell, 1, kMaxCellNumber);
    Init_CutX = std::clamp(Init_CutX, 1, 1024);
    Init_CutY = std::clamp(Init_CutY, 1, 1024);
    TargetPostX = std::clamp(TargetPostX, -1024, 1024);
    TargetPostY = std::clamp(TargetPostY, -1024, 1024);
    GIFSpeed = std::clamp(GIFSpeed, 0, 1000);
    RecoveryInterval = std::clamp(RecoveryInterval, 0, kMaxRecoveryInterval);
}

bool cConfig::writeTo(platform::cProfileFile& file) const {
    cKeyWriter writer;
    visitKeys(*this, writer);
    std::vector<platform::strProfileEntry> entries;
    entries.reserve(writer.values.size());
    for (const auto& [key, value] : writer.values)
        entries.push_back({key, value});
    return file.setStrings(section, entries);
}

bool cConfig::read() {
    section = "CONFIG";
    if (filePath.empty()) return false;
    platform::cProfileFile file;
    if (!file.load(filePath)) return false;
    return readFrom(file);
}

bool cConfig::write() const {
    if (filePath.empty()) return false;
    std::string folder = platform::FolderPart(filePath);
    if (!folder.empty() && !platform::IsFolder(folder) && !platform::MakeFolder(folder)) return false;
    platform::cProfileFile file;
    if (!file.load(filePath)) return false; // never replace a file that could not be read
    bool stored = writeTo(file);
    return file.save(filePath) && stored;
}

std::vector<std::string> cConfig::recentGames() const {
    std::vector<std::string> out;
    for (const std::string* f : {&RecentGame1, &RecentGame2, &RecentGame3, &RecentGame4, &RecentGame5})
        if (!f->empty()) out.push_back(*f);
    return out;
}

void cConfig::rememberGame(const std::string& folder) {
    if (folder.empty()) return;
    std::vector<std::string> list{folder};
    for (const std::string& f : recentGames())
        if (f != folder) list.push_back(f);
    list.resize(5);
    RecentGame1 = list[0];
    RecentGame2 = list[1];
    RecentGame3 = list[2];
    RecentGame4 = list[3];
    RecentGame5 = list[4];
}

int cConfig::undoDepth() const {
    return std::clamp(Undo, 0, 32);
}

int cConfig::playRateIndex() const {
    return std::clamp(PlayRate, 0, 6);
}

const cConfig& cConfig::defaults() {
    static const cConfig record;
    return record;
}

int cConfig::parseInt(std::string_view text) {
    bool negative;
    uint64_t magnitude;
    parseDecimal(text, negative, magnitude);
    if (negative) return magnitude >= uint64_t(INT_MAX) + 1 ? INT_MIN : -int(magnitude);
    return magnitude >= uint64_t(INT_MAX) ? INT_MAX : int(magnitude);
}

uint32_t cConfig::parseUint(std::string_view text) {
    bool negative;
    uint64_t magnitude;
    parseDecimal(text, negative, magnitude);
    if (magnitude > UINT32_MAX) return UINT32_MAX;
    uint32_t value = static_cast<uint32_t>(magnitude);
    return negative ? uint32_t(0u - value) : value;
}

std::string cConfig::locateFile(const std::string& programFolder, const std::string& userFolder) {
    if (!programFolder.empty()) {
        std::string portable = platform::JoinPath(programFolder, kFileName);
        if (platform::IsRegularFile(portable)) return portable;
    }
    if (!userFolder.empty()) return platform::JoinPath(userFolder, kFileName);
    if (!programFolder.empty()) return platform::JoinPath(programFolder, kFileName);
    return {};
}

std::string cConfig::workingFolderIn(const std::string& baseFolder, const std::string& folderName) {
    if (folderName.empty()) return baseFolder;
    return platform::ResolveForDisk(folderName, baseFolder);
}

std::string cConfig::workingFolder() const {
    std::string base = filePath.empty() ? platform::ExecutableFolder() : platform::FolderPart(filePath);
    return workingFolderIn(base, FolderName_C);
}
