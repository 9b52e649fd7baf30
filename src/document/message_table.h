#pragma once
// One table type for every list of user-visible texts of the library: the document's messages and
// reasons (document/messages.h), the clipboard commands' messages (interchange/messages.h) and the
// game's failures (game/messages.h). An entry holds the id, its identifier's name, how it is shown
// and its English text with printf-style conversions; a table holds its entries and the translation
// context the editor looks its texts up in. Every table is formatted by FormatMessageText
// (document/messages.h) and translated by the editor's TableMessage (ui/session/ui_messages.h).

#include "document/messages.h"

#include <span>

struct strMessageEntry {
    int id;
    const char* name; // "kMsgFrameDone"
    eMessageKind kind;
    const char* text; // English, with its conversions
};

class cMessageTable {
  public:
    // entries in ascending order of id.
    constexpr cMessageTable(const char* context, std::span<const strMessageEntry> entries)
        : context_(context), entries_(entries) {}

    // The entry of id; null for an id the table does not hold.
    const strMessageEntry* find(int id) const;
    // Its text, kind and name; "", kNone and "" for an id the table does not hold.
    const char* text(int id) const;
    eMessageKind kind(int id) const;
    const char* name(int id) const;

    // The translation context of the texts ("DocumentMessages"); stable, as the translations use it.
    const char* context() const { return context_; }
    std::span<const strMessageEntry> entries() const { return entries_; }

  private:
    const char* context_;
    std::span<const strMessageEntry> entries_;
};

// The document's messages and reasons (eMessageId).
const cMessageTable& DocumentMessageTable();

// X(id, kind, text) -> an entry.
#define PELKO_MESSAGE_ENTRY(id, kind, text) {id, #id, eMessageKind::kind, text},
