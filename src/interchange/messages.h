#pragma once
// User-visible texts of the RPG Maker interchange: the product labels and the four
// status messages of the clipboard commands. The core returns message ids (with the label id as
// the argument); the user interface and the command-line tool format them.

#include "document/message_table.h"

#include <string>

namespace interchange {

// X(id, kind, text); the status messages' "%s" is a product label.
#define PELKO_INTERCHANGE_STATUS(X)                                                                          \
    X(kMsgImportSucceeded, kStatus, "Imported from the clipboard (%s)")                                      \
    X(kMsgImportFailed, kStatus, "Could not import from the clipboard (%s)")                                 \
    X(kMsgExportSucceeded, kStatus, "Copied to the clipboard (%s)")                                          \
    X(kMsgExportFailed, kStatus, "Could not copy to the clipboard (%s)")
#define PELKO_INTERCHANGE_LABELS(X)                                                                          \
    X(kLabel2000, kNone, "RPG Maker 2000 battle animation")                                                  \
    X(kLabelXP, kNone, "RPG Maker XP battle animation")                                                      \
    X(kLabelVX, kNone, "RPG Maker VX battle animation")                                                      \
    X(kLabelVXAce, kNone, "RPG Maker VX Ace battle animation")                                               \
    X(kLabelXPVXVXAce, kNone, "RPG Maker XP / VX / VX Ace battle animation")                                 \
    X(kLabelMV, kNone, "RPG Maker MV battle animation")

#define PELKO_INTERCHANGE_ID(id, kind, text) id,
enum eMessage : int {
    kMsgNone = 0,
    kStatusBefore = 3099,
    PELKO_INTERCHANGE_STATUS(PELKO_INTERCHANGE_ID) kLabelBefore = 3119,
    PELKO_INTERCHANGE_LABELS(PELKO_INTERCHANGE_ID)
};
#undef PELKO_INTERCHANGE_ID

// The status messages and the product labels.
const cMessageTable& MessageTable();

// The text of a message id; "" for an unknown id (and for kMsgNone).
inline const char* MessageText(int id) {
    return MessageTable().text(id);
}

// A message with its "%s" filled by an argument.
inline std::string FormatMessage(int id, const std::string& argument) {
    return FormatMessageText(MessageText(id), {argument});
}

// A clipboard command's status message with the product label it names ("" for kMsgNone).
inline std::string StatusText(int message, int label) {
    return message == kMsgNone ? std::string() : FormatMessage(message, MessageText(label));
}

} // namespace interchange
