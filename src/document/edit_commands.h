#pragma once
// The editing commands and Undo / Redo, independent of any window. The editor's
// menus, the timeline, the command-line tool and the tests all call this layer.
//
// It holds the current frame (the frame the canvas shows), the current cell (the cell the canvas
// focuses, -1 for none; used by Paste) and the cell selection (one mark per cell number of the
// current frame). Each command that changes the document is one transaction (cTransaction): it
// commits what it did with a label, or rolls back and changes nothing when it fails. It returns a
// strEditResult with the status-bar message to show.
//
// Change notices: the listener hears the document's own announcements (what each committed,
// undone or redone step changed, eDocChange) and this layer's view changes (kViewFrame,
// kViewSelection). While a command runs they are gathered and given once, when it has finished, so
// a listener never sees a half-done command.
//
// Choices made here:
// - The selection marks stay when the current frame changes; the cell commands act only on marked
//   cell numbers that hold a cell on the current frame (Delete "each selected cell that exists",
//   the moves "the selected cells", and the completion of selected cells, which never
//   creates a cell). Delete unmarks the cells it deleted.
// - A completed cell that comes out as it was (no neighbour, or already the completed value) is not
//   stored again and does not count; a run that changes nothing adds no undo step and reports
//   "processing failed".
// - To the foreground / background: a selected cell at the edge of the row cannot move, and the
//   selected cells stacked against it stay too, so a block moves as a whole or not at all.
// - After Undo, Redo and the frame deletions the current frame is clamped to the last frame; the
//   frame repair runs only when the current frame's slot is empty inside the document.
// - Multi-frame Delete and Clear (timeline) are deleteFrames / clearFrames here.
// - A command that would take the animation past its 1000 frames changes nothing and says so
//   ("The animation already has 1000 frames"); frames are never pushed off the end.

#include "document/doc_change.h"
#include "document/messages.h"
#include "document/result.h"

#include <cstdint>
#include <functional>
#include <vector>

class cConfig;
class cHistory;
class cProject;
struct strCell;

// What a command (an editing command, a tool run, a list command) did and what to show.
struct strEditResult : strResult {
    int count = 0;     // how many things it changed (cells stored, frames deleted, ...)
    strMessage status; // status-bar message; kMsgNone shows nothing
    strMessage alert;  // a message box to show before the status (the frame repair), or none
};

// View changes this layer announces besides the document's eDocChange bits.
enum eViewChange : unsigned {
    kViewFrame = 0x100,     // the current frame
    kViewSelection = 0x200, // the cell selection or the current cell
};

// Interpolation of one cell parameter: value(a) + trunc((value(b) - value(a)) * t), with
// the difference and the product in single-precision float and the result stored into the field's
// width.
template <class T> T InterpolateValue(T a, T b, float t) {
    const float d = static_cast<float>(b) - static_cast<float>(a);
    return static_cast<T>(static_cast<long long>(a) + static_cast<long long>(d * t));
}

// The simple cell supplement, on o (the cell being written, already a copy of its base)
// with the cells before (prev) and after (next), either possibly null. compType is "CompType":
// 0 all elements, 1 ignore image/pattern, 2 ignore image/pattern/colour. False when prev and next
// are both missing (o is left unchanged).
bool SupplementCell(strCell& o, const strCell* prev, const strCell* next, float t, int compType);

// Completes cell c of frame f from frames f-1 and f+1 with t = 0.5 and stores it with set-cell.
// The base is the cell itself, else prev, else next; with mustExist the cell is only completed when it exists
// on frame f. Returns whether a cell was stored: a result equal to the cell that is there (after
// normalisation) is not stored.
bool CompleteCell(cProject& doc, int frame, int cell, int compType, bool mustExist = false);

// Frame building blocks on the document primitives (they record while a transaction is open). The
// frame count is the highest occupied slot + 1.
// Whether count more frames fit below the frame capacity.
bool FramesFit(const cProject& doc, int count);
// "The animation already has 1000 frames".
strMessage FramesFull(const cProject& doc);
// Inserts count blank frames at `at` (0..frame count); later frames move up. Refused (0) when they
// would not all fit. Returns the number inserted.
int InsertBlankFrames(cProject& doc, int at, int count);
// Deletes frames first..first+count-1 (cut to the frame count); later frames slide down; when no
// frame is left one blank frame is put at 0. Returns the number deleted.
int DeleteFrames(cProject& doc, int first, int count);

class cEditCommands {
  public:
    cEditCommands(cProject& doc, const cConfig& config);
    ~cEditCommands();
    cEditCommands(const cEditCommands&) = delete;
    cEditCommands& operator=(const cEditCommands&) = delete;

    // A new document replaces the current one: this layer listens to it, the current frame becomes
    // 0, the current cell none and the selection empty.
    void setDocument(cProject& doc);
    cProject& document() const { return *doc_; }
    cHistory& history() const;
    const cConfig& config() const { return *config_; }

    // --- change notices ---
    using Listener = std::function<void(unsigned changes)>;
    void setListener(Listener listener) { listener_ = std::move(listener); }
    // While a hold lives, announcements are gathered; the last hold to end gives them at once.
    class cHold {
      public:
        explicit cHold(cEditCommands& c) : c_(c) { ++c_.holds_; }
        ~cHold() {
            if (--c_.holds_ == 0) c_.flush();
        }
        cHold(const cHold&) = delete;
        cHold& operator=(const cHold&) = delete;

      private:
        cEditCommands& c_;
    };
    // Adds change bits to announce (eDocChange, eViewChange).
    void announce(unsigned changes);

    // Source of the local minute and second for "processing failed" (tests inject a fixed one).
    using MinuteSecondSource = std::function<void(int& minute, int& second)>;
    void setClock(MinuteSecondSource source) { clock_ = std::move(source); }

    // --- state ---
    int currentFrame() const { return current_; }
    // Moves to frame f when that slot is occupied; false otherwise.
    bool setCurrentFrame(int f);
    int currentCell() const { return currentCell_; }
    // -1 clears; out-of-range values clear too.
    void setCurrentCell(int c);

    bool isSelected(int c) const;
    // Marks or unmarks cell number c (ignored outside 0..cell number - 1).
    void select(int c, bool on = true);
    void clearSelection();
    // Marked cell numbers, ascending.
    std::vector<int> selection() const;
    int selectedCount() const;

    // "< ! > [%d:%d] : processing failed" with the clock's minute and second.
    strMessage processingFailed() const;
    // Runs the frame repair when the current frame's slot is empty; true when it ran. Commands
    // call it before they open their transaction.
    bool checkCurrentFrame(strEditResult& r);
    // Clamps the current frame to the frames left (after frames were deleted).
    void clampCurrentFrame();

    // --- frame commands ---
    strEditResult insertFrame();
    strEditResult deleteFrame();
    // Several frames at once (timeline): "[%d] : Delete" with the number deleted, else nothing.
    strEditResult deleteFrames(int first, int count);
    strEditResult clearFrame();
    // Several frames at once: "[%d] : Clear" with the number cleared, else nothing.
    strEditResult clearFrames(int first, int count);
    strEditResult copyFromPreviousFrame();
    strEditResult copyFromNextFrame();
    // "Add frame before and after": complete every cell number of the current frame.
    strEditResult completeFrame();
    strEditResult nextFrame();
    strEditResult previousFrame();
    strEditResult firstFrame();
    strEditResult lastFrame();

    // --- cell commands ---
    // "Complete before and after with frame" on the selected cells.
    strEditResult completeSelectedCells();
    strEditResult deleteSelectedCells();
    strEditResult toForeground();
    strEditResult toBackground();
    strEditResult selectAll();
    // "New" of the cell-number chooser: a cell with the new-cell defaults at (x, y) in cell number
    // `cell` of the current frame (one transaction) when that slot is empty; either way the cell
    // becomes the current and only selected one.
    strEditResult newCell(int cell, int x = 0, int y = 0);

    // --- picture list ---
    // Moves picture `from` to slot `to` (the two slots swap; an empty one moves too) and renumbers
    // the cells and the lock entries that name either picture, so the animation looks as before:
    // one step "Move picture 3 to 2". Refused when both slots are empty, either lies outside the
    // table, or a renumbered cell would name a picture past 255.
    strEditResult movePicture(int from, int to);

    // --- history ---
    strEditResult undo();
    strEditResult redo();

  private:
    strEditResult copyFrame(int offset);
    strEditResult moveCells(int direction);
    void syncSelection();
    void flush();
    strEditResult moveTo(int frame);

    cProject* doc_ = nullptr;
    const cConfig* config_;
    MinuteSecondSource clock_;
    Listener listener_;
    unsigned pending_ = 0;
    int holds_ = 0;
    int current_ = 0;
    int currentCell_ = -1;
    std::vector<uint8_t> selected_; // one mark per cell number
};
