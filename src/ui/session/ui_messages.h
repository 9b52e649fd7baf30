#pragma once
// Texts of the editor's own windows. The library's commands return their own message ids
// (document/messages.h, interchange/messages.h); these are the ones the shell,
// the file commands and the editor's windows raise themselves.
//
// Every table text is an English source text of Qt's translation system: the functions below return
// it in the user's language (QCoreApplication::translate with the table's context). lupdate cannot
// expand the tables' macros, so the build lists every table text for it (translations/list_texts.cpp).

#include "document/message_table.h"

#include <QString>

#define PELKO_UI_MESSAGES(X)                                                                                 \
    X(kUiProgramName, "PelkoEditor")                                                                         \
    X(kUiInitialized, "Ready")                                                                               \
    X(kUiLoaded, "Opened %s")                                                                                \
    X(kUiReadingFailed, "Could not open %s: %s")                                                             \
    X(kUiSaved, "Saved %s")                                                                                  \
    X(kUiSaveFailed, "Could not save %s: %s")                                                                \
    X(kUiUnsavedChanges, "The animation has unsaved changes.\nDo you want to save it?")                      \
    X(kUiCreateFolderFailed, "Could not create the folder\n%s")                                              \
    X(kUiFileFilter, "Animations (*.txt *.dat)")                                                             \
    X(kUiConfirmation, "Confirmation")                                                                       \
    X(kUiBackupFailed, "Could not write the backup copy %s")                                                 \
    X(kUiFolderMissing, "The folder %s does not exist")                                                      \
    X(kUiCannotOpen, "Could not open the file.\n%s\n%s")                                                     \
    X(kUiImportFailed, "The clipboard could not be imported.\n%s")                                           \
    X(kUiExportFailed, "The animation could not be copied to the clipboard.\n%s")                            \
    X(kUiCannotSave, "Could not save the file.\n%s\n%s")                                                     \
    X(kUiExportedWithLosses, "%s, but not all of it: %d kinds of things were left out or changed")           \
    X(kUiGifFilter, "GIF animations (*.gif)")                                                                \
    X(kUiSheetFilter, "PNG pictures (*.png)")                                                                \
    X(kUiGifImported, "%s: %d frames from the GIF, pattern sheet %s")                                        \
    X(kUiGifImportFailed, "The GIF could not be imported.\n%s")                                              \
    X(kUiGifScaled, "The GIF's frames (%d x %d) are larger than a pattern: the sheet holds them scaled "     \
                    "down and the cells show them at %d %%.")

enum eUiMessage : int {
#define PELKO_UI_MESSAGE_ID(id, text) id,
    PELKO_UI_MESSAGES(PELKO_UI_MESSAGE_ID)
#undef PELKO_UI_MESSAGE_ID
        kUiMessageCount
};

// The translation contexts of the editor's own text tables (the library's tables carry theirs).
namespace text_context {
inline constexpr char kCaptions[] = "MessageCaptions";
inline constexpr char kUi[] = "UiMessages";
inline constexpr char kLists[] = "ListsTexts";
inline constexpr char kDialogs[] = "DialogTexts";
inline constexpr char kCanvas[] = "CanvasMessages";
inline constexpr char kChoices[] = "ChoiceLists";
} // namespace text_context

// A table text in the user's language ("" stays "").
QString TranslatedText(const char* context, const char* text);
// A table text in the user's language with its printf-style conversions filled (arguments as the
// document's messages take them); the translation keeps the source's conversions in their order.
QString TranslatedMessage(const char* context, const char* text, const std::vector<strMessageArg>& args);

// The source text of an id with its conversions (English, untranslated).
const char* UiSourceText(eUiMessage id);
// The text of an id in the user's language.
QString UiText(eUiMessage id);
// The formatted text in the user's language.
QString UiMessage(eUiMessage id, const std::vector<strMessageArg>& args = {});
// A message of one of the library's tables (document/message_table.h), formatted in the user's
// language.
QString TableMessage(const cMessageTable& table, int id, const std::vector<strMessageArg>& args);
// A library message (document table), formatted in the user's language.
QString LibraryMessage(const strMessage& m);
// A clipboard command's message with its product label, in the user's language.
QString InterchangeMessage(int message, int label);
// "Information", "Confirmation", "Error" in the user's language.
QString MessageBoxCaption(eMessageKind kind);
