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
    {kMsgImportSucceeded, "Imported from the clipboard (%s)"},
    {kMsgImportFailed, "Could not import from the clipboard (%s)"},
    {kMsgExportSucceeded, "Copied to the clipboard (%s)"},
    {kMsgExportFailed, "Could not copy to the clipboard (%s)"},
    {kLabel2000, "RPG Maker 2000 battle animation"},
    {kLabelXP, "RPG Maker XP battle animation"},
    {kLabelVX, "RPG Maker VX battle animation"},
    {kLabelVXAce, "RPG Maker VX Ace battle animation"},
    {kLabelXPVXVXAce, "RPG Maker XP / VX / VX Ace battle animation"},
    {kLabelMV, "RPG Maker MV battle animation"},
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

} // namespace interchange
