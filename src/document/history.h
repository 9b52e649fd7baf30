#pragma once
// The undo history: an undo stack and a redo stack of steps (cRestoreObj), newest at the
// front, and a depth limit 0..32.
//
// A step is opened on the document (it becomes the document's pending step), the document's
// primitives append their records to it, and closing it with commit hands it to the history. The
// history is bound to the current document with attach(); it then installs the document's clear
// hook so that a cell-number change or a re-create empties it. One history lives for the whole
// program; when the document is replaced, attach the new one (which clears the history) or detach
// before the old document is destroyed.

#include <cstddef>
#include <deque>
#include <memory>

class cProject;
class cRestoreObj;

class cHistory {
public:
    static constexpr int kMaxDepth = 32;

    // depth is clamped to 0..32 (cConfig::undoDepth gives the configured value).
    explicit cHistory(int depth = kMaxDepth);
    ~cHistory();
    cHistory(const cHistory&) = delete;
    cHistory& operator=(const cHistory&) = delete;

    // Binds the history to doc (null unbinds): removes the hook from the previous document, drops
    // its open step, empties both stacks and installs the clear hook on doc.
    void attach(cProject* doc);
    void detach() { attach(nullptr); }
    cProject* document() const { return doc_; }

    int depth() const { return depth_; }
    // Empties both stacks; a negative depth keeps the current limit, other values are clamped to
    // 0..32. The open step, if any, is left alone.
    void clear(int depth = -1);

    // Discards any open step, then, when the depth is at least 1, opens an empty one on the
    // document. Returns whether a step is open afterwards.
    bool open();
    // Whether the document has an open step.
    bool isOpen() const;
    // Takes the open step from the document. commit false deletes it. commit true: a valid step
    // with at least one record empties the redo stack and goes on the undo stack (the oldest step
    // is deleted when there are more than depth); an invalid or empty step is deleted. Returns
    // whether the step entered the history.
    bool close(bool commit = true);

    // Closes any open step without committing, then replays the newest undo step (records newest
    // first, mode 2) and moves it to the redo stack. False when there is nothing to undo.
    bool undo();
    // Replays the newest redo step (records oldest first, mode 3) and moves it to the undo stack.
    bool redo();
    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    size_t undoCount() const { return undo_.size(); }
    size_t redoCount() const { return redo_.size(); }
    // Steps by age, 0 = newest; null out of range.
    const cRestoreObj* undoStep(size_t i) const { return i < undo_.size() ? undo_[i].get() : nullptr; }
    const cRestoreObj* redoStep(size_t i) const { return i < redo_.size() ? redo_[i].get() : nullptr; }

    // Bytes held by the records of both stacks, as the records account for them (cRestore::size).
    size_t recordBytes() const;
    // Number of records on both stacks.
    size_t recordCount() const;

    // The frame repair: empties the history, compacts the document's frames (each empty slot
    // receives the next occupied frame after it, so occupied frames keep their order and move to
    // the front), puts one blank frame at 0 when no frame is left, and clamps *currentFrame to
    // 0..frame count - 1. Changes the frames directly (no records) and marks the document modified.
    void repairFrames(int* currentFrame);
    // Compaction alone, on any document; returns the number of frames that moved.
    static int CompactFrames(cProject& doc);

private:
    void onDocumentClear();

    cProject* doc_ = nullptr;
    int depth_ = kMaxDepth;
    std::deque<std::unique_ptr<cRestoreObj>> undo_;  // newest at the front
    std::deque<std::unique_ptr<cRestoreObj>> redo_;  // newest at the front
};

// One step as a scope: opens on construction, closes with commit on destruction unless closed
// before. A command that fails half-way still commits what it recorded.
class cHistoryStep {
public:
    explicit cHistoryStep(cHistory& h) : h_(&h) { h_->open(); }
    ~cHistoryStep() { commit(); }
    cHistoryStep(const cHistoryStep&) = delete;
    cHistoryStep& operator=(const cHistoryStep&) = delete;

    // Closes the step once; later calls do nothing. Returns whether it entered the history.
    bool commit() { return close(true); }
    bool cancel() { return close(false); }

private:
    bool close(bool commit) {
        if (!h_) return false;
        cHistory* h = h_;
        h_ = nullptr;
        return h->close(commit);
    }
    cHistory* h_;
};
