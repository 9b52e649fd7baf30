#pragma once
// One change of the document, as the user sees it: a command opens a transaction, changes the
// document through its primitives (which record what they change into it), and commits.
//
// - Nested transactions join the open one: their records become part of the outer step, and only
//   the outermost commit hands the step to the history. A nested commit never drops or splits a
//   step.
// - A transaction that is not committed rolls back when it ends (or on rollback()): the records it
//   took are replayed backwards, so the document is as it was when it opened, and no step enters
//   the history. A nested rollback undoes only the nested part.
// - The label says what the command did ("Move 3 cells"); the outermost transaction's label is the
//   step's. It can be set once the command knows its counts.
// - After the outermost commit the document announces the kinds of things the step changed.
//
// Transactions record at every history depth (rollback needs the records); at depth 0 the
// committed step is dropped at once.

#include "document/messages.h"

#include <cstddef>

class cProject;

class cTransaction {
  public:
    cTransaction(cProject& doc, strMessage label);
    ~cTransaction();
    cTransaction(const cTransaction&) = delete;
    cTransaction& operator=(const cTransaction&) = delete;

    // Ends the transaction keeping its changes. Outermost: a step with at least one record enters
    // the history; returns whether it did. Nested: returns whether it recorded anything. Later calls
    // (and calls after rollback) do nothing and return false.
    bool commit();
    // Ends the transaction undoing its changes.
    void rollback();
    void setLabel(strMessage label);

    // Whether this transaction opened the step (no other was open).
    bool outermost() const { return outermost_; }
    // Whether it recorded anything so far.
    bool recorded() const;
    cProject& document() const { return doc_; }

  private:
    cProject& doc_;
    size_t mark_ = 0; // records of the step before this transaction opened
    bool outermost_ = false;
    bool open_ = true;
};
