#pragma once
// User-visible texts of the RPG Maker interchange: the product labels and the four
// status messages of the clipboard commands. The core returns message ids (with the label id as
// the argument); the user interface and the command-line tool format them.

#include <string>

namespace interchange {

enum eMessage : int {
    kMsgNone = 0,
    // Status messages; "%s" is a product label.
    kMsgImportSucceeded = 3100,
    kMsgImportFailed,
    kMsgExportSucceeded,
    kMsgExportFailed,
    // Product labels.
    kLabel2000 = 3120,
    kLabelXP,
    kLabelVX,
    kLabelVXAce,
    kLabelXPVXVXAce,
    kLabelMV,
};

struct strMessageText {
    int id;
    const char* text;
};

inline constexpr strMessageText kMessageTexts[] = {
    {kMsgImportSucceeded, "%s : Import succeeded"},
    {kMsgImportFailed, "< ! > %s : Import failed"},
    {kMsgExportSucceeded, "%s : Export succeeded"},
    {kMsgExportFailed, "< ! > %s : Export failed"},
    {kLabel2000, "RPG Maker 2000 [Anime fight]"},
    {kLabelXP, "RPG Maker XP [Anime fight]"},
    {kLabelVX, "RPG Maker VX [Anime fight]"},
    {kLabelVXAce, "RPG Maker VXAce [Anime fight]"},
    {kLabelXPVXVXAce, "RPG Maker XP / VX / VXAce [Anime fight]"},
    {kLabelMV, "RPG Maker MV [Anime fight]"},
};

// The text of a message id; "" for an unknown id (and for kMsgNone).
inline const char* MessageText(int id) {
    for (const auto& m : kMessageTexts)
        if (m.id == id) return m.text;
    return "";
}

// A message with its "%s" replaced by an argument.
inline std::string FormatMessage(int id, const std::string& argument) {
    std::string text = MessageText(id);
    if (auto at = text.find("%s"); at != std::string::npos) text.replace(at, 2, argument);
    return text;
}

}  // namespace interchange
