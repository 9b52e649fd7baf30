#pragma once
// Texts of the editor's own windows, word for word as the user sees them. The library's commands
// return their own message ids (document/messages.h, interchange/messages.h); these are the ones
// the shell, the file commands and the editor's windows raise themselves.

#include "document/messages.h"

#include <QString>

#define PELKO_UI_MESSAGES(X)                                                                                 \
    X(kUiProgramName, "PelkoEditor")                                                                         \
    X(kUiInitialized, "Initialized")                                                                         \
    X(kUiLoaded, "Loaded > %s")                                                                              \
    X(kUiReadingFailed, "< ! > Reading failed > %s")                                                         \
    X(kUiSaved, "Saved > %s")                                                                                \
    X(kUiSaveFailed, "< ! > Save failed > %s")                                                               \
    X(kUiUnsavedChanges, "The content has changed.\nDo you want to save it\xEF\xBC\x9F")                     \
    X(kUiMakeWorkingFolder, "Do you want to generate the working folder [%s]\xEF\xBC\x9F")                   \
    X(kUiCreateFolderFailed, "Failed to create. \n%s")                                                       \
    X(kUiFileFilter, "Animation(*.txt,dat) (*.txt *.dat)")                                                   \
    X(kUiConfirmation, "Confirmation")                                                                       \
    X(kUiBackupFailed, "< ! > The backup could not be written > %s")                                         \
    X(kUiFolderMissing, "< ! > The folder does not exist > %s")                                              \
    X(kUiCannotOpen, "Could not open the file.\n%s\n%s")                                                     \
    X(kUiImportFailed, "The clipboard could not be imported.\n%s")

enum eUiMessage : int {
#define PELKO_UI_MESSAGE_ID(id, text) id,
    PELKO_UI_MESSAGES(PELKO_UI_MESSAGE_ID)
#undef PELKO_UI_MESSAGE_ID
        kUiMessageCount
};

// The text of an id with its conversions.
const char* UiText(eUiMessage id);
// The formatted text (printf-style conversions, arguments as the document's messages take them).
QString UiMessage(eUiMessage id, const std::vector<strMessageArg>& args = {});
// A library message (document or tools), formatted.
QString LibraryMessage(const strMessage& m);
