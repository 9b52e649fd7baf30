#pragma once
// Texts of the tool and export windows, word for word as the user sees them: titles, status
// messages, message boxes and file filters. Control labels stand beside their controls.

#include "document/messages.h"

#include <QString>

#include <vector>

#define PELKO_DIALOG_TEXTS(X)                                                                                \
    X(kDlgFixCellTitle, "Associate the cell and the image")                                                  \
    X(kDlgFrameCompTitle, "Frame compensation")                                                              \
    X(kDlgBatchTitle, "Edit cell bundle")                                                                    \
    X(kDlgIntervalTitle, "Interval")                                                                         \
    X(kDlgPngTitle, "Export PNG")                                                                            \
    X(kDlgGifTitle, "Export animated GIF")                                                                   \
    X(kDlgProgressTitle, "In progress(%d/%d)")                                                               \
    X(kDlgAbort, "Abort")                                                                                    \
    X(kDlgInterrupted, "Processing has been interrupted")                                                    \
    X(kDlgCompleted, "Image output completion")                                                              \
    X(kDlgWriteFailed, "The image could not be written.\n%s\n%s")                                            \
    X(kDlgWriteFailedStatus, "< ! > Image output failed > %s")                                               \
    X(kDlgCannotExport, "< ! > Cannot export > %s")                                                          \
    X(kDlgPngFilter, "PNG format(*.png)")                                                                    \
    X(kDlgGifFilter, "GIF format(*.gif)")                                                                    \
    X(kDlgMultiSelect, "\xE2\x80\xBB SHIFT,CTRL\nselection multiple")

enum eDialogText : int {
#define PELKO_DIALOG_TEXT_ID(id, text) id,
    PELKO_DIALOG_TEXTS(PELKO_DIALOG_TEXT_ID)
#undef PELKO_DIALOG_TEXT_ID
        kDialogTextCount
};

// The text of an id as given (with its conversions).
QString DialogText(eDialogText id);
// The formatted text (printf-style conversions, arguments as the document's messages take them).
QString DialogMessage(eDialogText id, const std::vector<strMessageArg>& args);
