#pragma once
// Texts of the tool and export windows, as the user sees them: titles, status
// messages, message boxes and file filters. Control labels stand beside their controls.

#include "ui/session/ui_messages.h"

#include <QString>

#include <vector>

#define PELKO_DIALOG_TEXTS(X)                                                                                \
    X(kDlgFixCellTitle, "Lock cell numbers to pictures")                                                     \
    X(kDlgFrameCompTitle, "Tween")                                                                           \
    X(kDlgBatchTitle, "Batch edit")                                                                          \
    X(kDlgIntervalTitle, "Interval")                                                                         \
    X(kDlgPngTitle, "Export PNG")                                                                            \
    X(kDlgGifTitle, "Export animation")                                                                      \
    X(kDlgProgressTitle, "Working (%d of %d)")                                                               \
    X(kDlgAbort, "Stop")                                                                                     \
    X(kDlgInterrupted, "Stopped before the end")                                                             \
    X(kDlgCompleted, "Export finished")                                                                      \
    X(kDlgWriteFailed, "The picture could not be written.\n%s\n%s")                                          \
    X(kDlgWriteFailedStatus, "Export failed: %s")                                                            \
    X(kDlgCannotExport, "Cannot export: %s")                                                                 \
    X(kDlgPngFilter, "PNG pictures (*.png)")                                                                 \
    X(kDlgGifFilter, "GIF animations (*.gif)")                                                               \
    X(kDlgApngFilter, "Animated PNG pictures (*.png)")                                                       \
    X(kDlgWebpFilter, "WebP animations (*.webp)")                                                            \
    X(kDlgPasteIntoCell, "Paste into cell number")                                                           \
    X(kDlgNewCellAt, "New cell at cell number")                                                              \
    X(kDlgMultiSelect, "Shift or Ctrl + click\nselects several")

enum eDialogText : int {
#define PELKO_DIALOG_TEXT_ID(id, text) id,
    PELKO_DIALOG_TEXTS(PELKO_DIALOG_TEXT_ID)
#undef PELKO_DIALOG_TEXT_ID
        kDialogTextCount
};

PELKO_UI_TEXT_TABLE(kDialogTable, PELKO_DIALOG_TEXTS, kDialogTextCount, text_context::kDialogs);

// The text of an id in the user's language (with its conversions).
inline QString DialogText(eDialogText id) {
    return kDialogTable.text(id);
}
// The formatted text in the user's language (printf-style conversions, arguments as the document's messages
// take them).
inline QString DialogMessage(eDialogText id, const std::vector<strMessageArg>& args) {
    return kDialogTable.message(id, args);
}
