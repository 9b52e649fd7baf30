#pragma once
// User-visible texts of the document layer (status-bar results and the message boxes the document
// raises), word for word as the user sees them. The core hands back a message id with its
// arguments (strMessage); the UI formats it with FormatMessage and shows it in the status bar or in a
// message box with the entry's caption.
//
// To add a message: add one line to PELKO_DOCUMENT_MESSAGES below (id, kind, text). Ids are
// assigned in list order; nothing else needs to change. Texts are printf-style with %d, %s, %f and
// their flags and widths; FormatMessage substitutes the arguments safely (a missing argument reads
// as 0 or an empty text, a mismatched one is converted).

#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

// How a message is shown.
enum class eMessageKind : uint8_t {
    kNone,    // nothing is shown
    kStatus,  // status bar, first part
    kReport,  // message box, caption "Reporting"
    kConfirm, // message box with Yes/No, caption "Confirmation"
    kError,   // message box, caption "Error"
};

// X(id, kind, text)
#define PELKO_DOCUMENT_MESSAGES(X)                                                                           \
    X(kMsgNone, kNone, "")                                                                                   \
    X(kMsgProcessingFailed, kStatus, "< ! > [%d:%d] : processing failed")                                    \
    /* undo history */                                                                                       \
    X(kMsgUndone, kStatus, "I cancel one")                                                                   \
    X(kMsgCannotUndo, kStatus, "< ! > I cannot cancel")                                                      \
    X(kMsgRedone, kStatus, "I redone one")                                                                   \
    X(kMsgCannotRedo, kStatus, "< ! > cannot fix it")                                                        \
    X(kMsgFrameRepair, kError,                                                                               \
      "There seems to be a failing in frame processing.\nAttempts to restore, but the history is reset.")    \
    /* frame commands */                                                                                     \
    X(kMsgFrameInserted, kStatus, "Inserted in frame [%d]")                                                  \
    X(kMsgFrameDeleted, kStatus, "Frame [%d] deleted")                                                       \
    X(kMsgFrameCleared, kStatus, "Frame [%d] cleared")                                                       \
    X(kMsgFrameCopied, kStatus, "Frame [%d]to[%d] copied")                                                   \
    X(kMsgFrameDone, kStatus, "Frame [%d] done")                                                             \
    /* counted results (cells, or frames when several are handled at once) */                                \
    X(kMsgCountDelete, kStatus, "[%d] : Delete")                                                             \
    X(kMsgCountClear, kStatus, "[%d] : Clear")                                                               \
    X(kMsgCountComplete, kStatus, "[%d] : Complete before and after with frame")                             \
    X(kMsgCountCopy, kStatus, "[%d] : Copy")                                                                 \
    X(kMsgCountCut, kStatus, "[%d] : Cut")                                                                   \
    X(kMsgCountPaste, kStatus, "[%d] : Paste")                                                               \
    X(kMsgCountForeground, kStatus, "[%d] : To the foreground")                                              \
    X(kMsgCountBackground, kStatus, "[%d] : To the background")                                              \
    /* what a save had to leave out (the singular forms take no count) */                                    \
    X(kMsgSaveLostEffect, kReport,                                                                           \
      "1 effect was not saved: the text format cannot hold an effect whose start frame is at or after the "  \
      "frame count (%d)")                                                                                    \
    X(kMsgSaveLostEffects, kReport,                                                                          \
      "%d effects were not saved: the text format cannot hold an effect whose start frame is at or after "   \
      "the frame count (%d)")                                                                                \
    X(kMsgSaveCutText, kReport,                                                                              \
      "1 text was shortened: a saved text keeps at most 255 bytes, up to its first zero byte (in the text "  \
      "format also up to its first line break)")                                                             \
    X(kMsgSaveCutTexts, kReport,                                                                             \
      "%d texts were shortened: a saved text keeps at most 255 bytes, up to its first zero byte (in the "    \
      "text format also up to its first line break)")                                                        \
    /* apply structural settings */                                                                          \
    X(kMsgConfirmStructural, kConfirm,                                                                       \
      "In order to reflect the change, it is necessary to rewrite it to a large extent.\nIs it "             \
      "OK\xEF\xBC\x9F"                                                                                       \
      "\n\xE2\x80\xBB"                                                                                       \
      "This operation can not be restored.")

enum eMessageId : int {
#define PELKO_MESSAGE_ID(id, kind, text) id,
    PELKO_DOCUMENT_MESSAGES(PELKO_MESSAGE_ID)
#undef PELKO_MESSAGE_ID
        kMsgCount
};

// One argument of a message.
using strMessageArg = std::variant<long long, double, std::string>;

// A message id with its arguments. id kMsgNone means "show nothing".
struct strMessage {
    eMessageId id = kMsgNone;
    std::vector<strMessageArg> args;

    strMessage() = default;
    template <class... A> explicit strMessage(eMessageId i, A&&... a) : id(i) {
        args.reserve(sizeof...(A));
        (args.push_back(ToArg(std::forward<A>(a))), ...);
    }

    bool none() const { return id == kMsgNone; }
    bool operator==(const strMessage&) const = default;

  private:
    template <class T> static strMessageArg ToArg(T&& v) {
        if constexpr (std::is_integral_v<std::decay_t<T>>) {
            return static_cast<long long>(v);
        } else if constexpr (std::is_floating_point_v<std::decay_t<T>>) {
            return static_cast<double>(v);
        } else {
            return std::string(std::forward<T>(v));
        }
    }
};

// The text of an id as given (with its conversions); "" for kMsgNone or an unknown id.
const char* MessageText(eMessageId id);
// How the message is shown; kNone for kMsgNone or an unknown id.
eMessageKind MessageKind(eMessageId id);
// "Reporting", "Confirmation", "Error"; "" for status and none.
const char* MessageCaption(eMessageKind kind);
// The identifier's name ("kMsgFrameDone"), for traces and test output.
const char* MessageName(eMessageId id);

// The formatted text, as the status bar shows it: at most 511 bytes (a 512-byte buffer). "" for kMsgNone.
std::string FormatMessage(const strMessage& m);
// The same formatting for any printf-style text: each conversion takes the next argument and goes
// through snprintf with a conversion rebuilt for the argument's own type.
std::string FormatMessageText(const char* format, const std::vector<strMessageArg>& args);

// The minute and second of the local clock, for "< ! > [%d:%d] : processing failed".
void LocalMinuteSecond(int& minute, int& second);
// "< ! > [%d:%d] : processing failed" with the given minute and second.
inline strMessage ProcessingFailed(int minute, int second) {
    return strMessage(kMsgProcessingFailed, minute, second);
}
