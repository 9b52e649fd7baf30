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

#include <iterator>
#include <span>

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

// One of the editor's own text tables: the English source texts in id order (an X-macro table's
// texts, PELKO_UI_TEXT_ENTRY) under one translation context.
class cUiTextTable {
  public:
    template <size_t N>
    constexpr cUiTextTable(const char* context, const char* const (&texts)[N])
        : context_(context), texts_(texts) {}

    const char* context() const { return context_; }
    int size() const { return static_cast<int>(texts_.size()); }
    // The source text of an id with its conversions (English, untranslated); "" outside the table.
    const char* source(int id) const { return id >= 0 && id < size() ? texts_[size_t(id)] : ""; }
    // The text of an id in the user's language.
    QString text(int id) const { return TranslatedText(context_, source(id)); }
    // The text in the user's language with its printf-style conversions filled.
    QString message(int id, const std::vector<strMessageArg>& args) const {
        return TranslatedMessage(context_, source(id), args);
    }

  private:
    const char* context_;
    std::span<const char* const> texts_;
};

// X(id, text) -> the text, for a table's array of source texts.
#define PELKO_UI_TEXT_ENTRY(id, text) text,
// The table `name` of an X-macro list of (id, text) whose ids run 0..count - 1: its source texts
// (nameTexts) and the table over them under the translation context.
#define PELKO_UI_TEXT_TABLE(name, list, count, context)                                                      \
    inline constexpr const char* name##Texts[] = {list(PELKO_UI_TEXT_ENTRY)};                                \
    static_assert(std::size(name##Texts) == (count));                                                        \
    inline constexpr cUiTextTable name(context, name##Texts)

PELKO_UI_TEXT_TABLE(kUiTable, PELKO_UI_MESSAGES, kUiMessageCount, text_context::kUi);

// The source text of an id with its conversions (English, untranslated).
inline const char* UiSourceText(eUiMessage id) {
    return kUiTable.source(id);
}
// The text of an id in the user's language.
inline QString UiText(eUiMessage id) {
    return kUiTable.text(id);
}
// The formatted text in the user's language.
inline QString UiMessage(eUiMessage id, const std::vector<strMessageArg>& args = {}) {
    return kUiTable.message(id, args);
}
// A message of one of the library's tables (document/message_table.h), formatted in the user's
// language.
QString TableMessage(const cMessageTable& table, int id, const std::vector<strMessageArg>& args);
// A library message (document table), formatted in the user's language.
QString LibraryMessage(const strMessage& m);
// A clipboard command's message with its product label, in the user's language.
QString InterchangeMessage(int message, int label);
// "Information", "Confirmation", "Error" in the user's language.
QString MessageBoxCaption(eMessageKind kind);
