#pragma once
// User-visible texts of the editing tools, word for word as the user sees them, and the status a
// tool run reports.
//
// A tool reports either a message of this table or one of the document layer's table
// (src/document/messages.h: "< ! > [%d:%d] : processing failed", "Frame [%d] done", ...), so that no
// text is kept twice. strToolMessage carries either; FormatToolMessage formats both the way the
// status bar shows them (at most 511 bytes).
//
// To add a message: add one line to PELKO_TOOL_MESSAGES (id, kind, text); ids follow list order.

#include "document/messages.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

// X(id, kind, text)
#define PELKO_TOOL_MESSAGES(X)                                                                               \
    X(kToolMsgNone, kNone, "")                                                                               \
    /* a message of the document table, held in strToolMessage::document */                                  \
    X(kToolMsgDocument, kNone, "")                                                                           \
    /* frame compensation */                                                                                 \
    X(kToolMsgCompensated, kStatus, "Processing on frame [%d]\xEF\xBD\x9E[%d] >> Cell [%d] edited")          \
    /* spline curve */                                                                                       \
    X(kToolMsgSpline, kStatus, "Spline curve >> Cell [%d] edited")                                           \
    /* batch edit and interval */                                                                            \
    X(kToolMsgBatch, kStatus, "Batch processing >> Cell [%d] edited")                                        \
    X(kToolMsgInterval, kStatus, "Interval entered [%d]\xEF\xBD\x9E[%d] on frame [%d]")

enum eToolMessageId : int {
#define PELKO_TOOL_MESSAGE_ID(id, kind, text) id,
    PELKO_TOOL_MESSAGES(PELKO_TOOL_MESSAGE_ID)
#undef PELKO_TOOL_MESSAGE_ID
        kToolMsgCount
};

// A status message of a tool: an entry of the table above with its arguments, or (id
// kToolMsgDocument) an entry of the document layer's table. id kToolMsgNone shows nothing.
struct strToolMessage {
    eToolMessageId id = kToolMsgNone;
    std::vector<strMessageArg> args;
    strMessage document; // used when id == kToolMsgDocument

    strToolMessage() = default;
    // A message of the document table.
    strToolMessage(strMessage m) : id(m.none() ? kToolMsgNone : kToolMsgDocument), document(std::move(m)) {}
    template <class... A> explicit strToolMessage(eToolMessageId i, A&&... a) : id(i) {
        // The document layer's strMessage converts the arguments; reuse it.
        strMessage m(kMsgNone, std::forward<A>(a)...);
        args = std::move(m.args);
    }

    bool none() const { return id == kToolMsgNone || (id == kToolMsgDocument && document.none()); }
    // True when this is the document message `m` (any arguments).
    bool is(eMessageId m) const { return id == kToolMsgDocument && document.id == m; }
    bool is(eToolMessageId m) const { return id == m; }
    bool operator==(const strToolMessage&) const = default;
};

// The text of a tool message id as given; "" for none, kToolMsgDocument or an unknown id.
const char* ToolMessageText(eToolMessageId id);
// How the message is shown (the document entry's kind for kToolMsgDocument).
eMessageKind ToolMessageKind(const strToolMessage& m);
// The identifier's name ("kToolMsgSpline"; the document name for kToolMsgDocument).
const char* ToolMessageName(const strToolMessage& m);
// The formatted text as the status bar shows it, at most 511 bytes; "" for none.
std::string FormatToolMessage(const strToolMessage& m);

// What a tool run did and what to show.
struct strToolResult {
    bool ok = false;       // the run stored at least one change (or did what was asked)
    bool changed = false;  // the document changed: refresh the views
    int count = 0;         // stores that succeeded
    strToolMessage status; // status-bar message; none shows nothing
};

class cProject;
class cHistory;

// What every tool run works on.
struct strToolContext {
    // The document; null means "no document": every run does nothing.
    cProject* doc = nullptr;
    // The undo history, attached to doc. Null (or attached to another document): runs record no
    // undo step.
    cHistory* history = nullptr;
    // Source of the local minute and second for "processing failed"; empty uses the local clock.
    std::function<void(int& minute, int& second)> clock;

    // "< ! > [%d:%d] : processing failed" with the clock's minute and second.
    strToolMessage processingFailed() const;
    // Opens a step on the history when it is attached to doc; false when no step is open.
    bool openStep() const;
    // Commits the step opened by openStep.
    void commitStep() const;
};
