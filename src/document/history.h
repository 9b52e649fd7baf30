#pragma once
// The undo history of one document: an undo stack and a redo stack of steps (cRestoreObj), newest
// at the front, and a depth limit 0..32.
//
// Steps come from transactions (cTransaction): the outermost one, when committed, hands its step to
// the history. Undo and Redo replay a whole step and return it, so the caller can show its label
// and refresh what it changed.
//
// The history also knows which state the saved file holds (the clean point): every step gets a
// serial number when it enters, and a state is named by the serial of the step that led to it (the
// oldest state the history can reach by the serial of the last step that fell off the bottom, 0 at
// first). The document is unmodified exactly when its state is the clean point. A step pushed off
// the bottom, or dropped from the redo stack by a new step, takes its state with it for good.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>

class cProject;
class cRestoreObj;
struct strMessage;

class cHistory {
  public:
    static constexpr int kMaxDepth = 32;

    // depth is clamped to 0..32 (cConfig::undoDepth gives the configured value).
    explicit cHistory(cProject& doc, int depth = kMaxDepth);
    ~cHistory();
    cHistory(const cHistory&) = delete;
    cHistory& operator=(const cHistory&) = delete;

    int depth() const { return depth_; }
    // Empties both stacks; a negative depth keeps the current limit, other values are clamped to
    // 0..32. The document's state stays what it is, so the clean point stays where it was when the
    // document is in it, and becomes unreachable otherwise.
    void clear(int depth = -1);

    // Replays the newest undo step (records newest first) and moves it to the redo stack; returns
    // it, or null when there is nothing to undo or a transaction is open.
    const cRestoreObj* undo();
    // Replays the newest redo step (records oldest first) and moves it to the undo stack.
    const cRestoreObj* redo();
    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    // The labels of the steps Undo and Redo would replay; null when there is none.
    const strMessage* undoLabel() const;
    const strMessage* redoLabel() const;
    size_t undoCount() const { return undo_.size(); }
    size_t redoCount() const { return redo_.size(); }
    // Steps by age, 0 = newest; null out of range.
    const cRestoreObj* undoStep(size_t i) const { return i < undo_.size() ? undo_[i].get() : nullptr; }
    const cRestoreObj* redoStep(size_t i) const { return i < redo_.size() ? redo_[i].get() : nullptr; }

    // --- the clean point ---
    // Whether the document is in the state the clean point names.
    bool isClean() const { return clean_ == state(); }
    // The current state becomes the clean point (a save, a load).
    void markClean() { clean_ = state(); }
    // No reachable state is clean any more (a change the history could not record).
    void forgetClean() { clean_ = kNoState; }

    // Bytes held by the records of both stacks, as the records account for them (cRestore::size).
    size_t recordBytes() const;
    // Number of records on both stacks.
    size_t recordCount() const;

    // Takes a committed step: it gets the next serial, empties the redo stack and goes on the undo
    // stack; the oldest step falls off when there are more than depth (at depth 0 the step itself).
    void push(std::unique_ptr<cRestoreObj> step);

  private:
    static constexpr uint64_t kNoState = UINT64_MAX;
    // The serial naming the document's current state.
    uint64_t state() const;
    void trim();

    cProject& doc_;
    int depth_ = kMaxDepth;
    uint64_t nextSerial_ = 1;
    uint64_t base_ = 0; // the state below the oldest undo step
    uint64_t clean_ = 0;
    std::deque<std::unique_ptr<cRestoreObj>> undo_; // newest at the front
    std::deque<std::unique_ptr<cRestoreObj>> redo_; // newest at the front
};
