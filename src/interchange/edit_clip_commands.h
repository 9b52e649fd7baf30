#pragma once
// The edit-clipboard operations for the list window, the canvas and the timeline,
// and the cell Copy, Cut and Paste commands, independent of any window. The list window,
// the canvas, the timeline, the main window's Edit menu, the tests and the fuzzers call them.
//
// The collect / remove / paste building blocks are free functions on a document; cEditClipCommands
// runs them as commands on the editing-command layer (cEditCommands: current frame, cell
// selection, "processing failed" clock) and returns a strEditResult with the status message.
//
// Choices made here:
//   - Every command that changes the document is one transaction with a label ("Cut picture 2",
//     "Paste effect at frame 5"); a command that fails changes nothing.
//   - Messages: the list window reports "[%d] : Copy" / "Cut" / "Paste" / "Delete" with the row
//     index (for Paste of an effect, the slot it went to) and "processing failed" on failure. The
//     canvas and the timeline report the number of cells copied, cut or deleted (frames for a
//     frame range) and, for Paste, the number of changes; when nothing was done they show nothing.
//   - The cell Paste command needs a current cell: it pastes with the current cell as the base slot.
//     Without one it does nothing (no message); the editor checks cEditCommands::currentCell()
//     first and hands the command to the list window's paste instead.
//   - After a timeline cut or delete of frames the current frame is clamped to the frames left.
//   - A paste of frames that would take the animation past 1000 frames changes nothing and says
//     so.

#include "document/edit_commands.h"
#include "document/timeline_range.h"
#include "interchange/edit_clip.h"

#include <cstdint>
#include <vector>

class cProject;

// A canvas position (pixels from the centre position) for a paste at the mouse.
struct strCanvasPoint {
    int x = 0;
    int y = 0;
};

// The edit clipboard kind of a timeline range's kind: frames for whole columns, rows for whole rows,
// cells for a block (and for nothing).
uint32_t ClipKindOf(eRangeKind kind);

// ---- building blocks ---------------------------------------------------------------------------

// Canvas copy: for each selected cell number (ascending, stopping at the row size) that holds a cell
// on frame, a cell record (0, cell - first selected). Returns the number of records.
int CollectCanvasCells(const cProject& doc, int frame, const std::vector<int>& selection, cClip_Mass& out);

// Timeline collect of a range, cut to the document; out gets the records of the range's clipboard
// kind (ClipKindOf): for whole columns (kClipFrames) every cell slot of each frame from the last to
// the first, then the frame record; for a block (kClipCells) its rows × its frames; for whole rows
// (kClipRows) the rows × all frames, plus a lock record per row when the image lock is on. Returns
// the number of occupied cells collected (frames for whole columns).
int CollectTimeline(const cProject& doc, const cTimelineRange& range, cClip_Mass& out);

// Timeline remove of a range (one transaction): whole columns are deleted (one blank frame is left
// when none remains); for a block or whole rows every occupied cell of the area is deleted, and for
// rows with the lock on the rows' lock entries become 0. Returns the number of frames or cells
// deleted.
int RemoveTimeline(cProject& doc, const cTimelineRange& range);

// Timeline paste of a payload at (frame, cell) (one transaction): rows paste at frame 0, frames at
// cell 0. In order: lock records (rows, lock on), insertion of one blank frame per frame record
// (frames), cell records, empty-cell records, frame intervals. Refused stores are skipped.
// Returns the number of changes, or -1 (nothing changed) when the frames would not fit; pasted,
// when given, gets the pasted range.
int PasteTimeline(cProject& doc, const cClip_Mass& mass, int frame, int cell,
                  cTimelineRange* pasted = nullptr);

// ---- commands ----------------------------------------------------------------------------------

class cEditClipCommands {
  public:
    cEditClipCommands(cEditCommands& commands, cEditClipboard& clipboard)
        : commands_(commands), clipboard_(clipboard) {}

    cEditClipboard& clipboard() const { return clipboard_; }
    // Menu state: Paste of a place is enabled when the clipboard holds the kind it accepts
    // (the main Edit menu and the canvas use kClipCells).
    bool canPaste(uint32_t kind) const { return clipboard_.hasKind(kind); }

    // ---- list window: effects (slot i) ----
    strEditResult copyEffect(int i);
    strEditResult cutEffect(int i);
    // selected, when given, gets the slot the pasted effect went to.
    strEditResult pasteEffect(int* selected = nullptr);
    strEditResult deleteEffect(int i);
    // The effect dialog's Apply: replaces effect i (moving it by its start frame), or adds the
    // record when slot i is empty. at, when given, gets the slot it now stands in.
    strEditResult storeEffect(int i, const strEffect& edited, int* at = nullptr);

    // ---- list window: pictures (slot i) ----
    strEditResult copyPicture(int i);
    strEditResult cutPicture(int i);
    strEditResult pastePicture(int i);
    strEditResult deletePicture(int i);

    // ---- canvas (current frame, cell selection) and cell commands ----
    // Copy: the selected cells with their cell numbers relative to the first selected one.
    strEditResult copyCells();
    // Copy; when at least one cell was copied, delete the selected cells (one undo step).
    strEditResult cutCells();
    // Paste with base slot `slot` (< 0: the first occupied selected slot, else the first empty
    // one); at, when given, is the mouse position that a single pasted cell takes.
    strEditResult pasteCells(int slot = -1, const strCanvasPoint* at = nullptr);
    // The cell Paste command: base slot = the current cell; nothing without one (ok false).
    strEditResult pasteAtCurrentCell(const strCanvasPoint* at = nullptr);

    // ---- timeline: a range, or a paste of kind kClipFrames, kClipCells or kClipRows ----
    strEditResult timelineCopy(const cTimelineRange& range);
    strEditResult timelineCut(const cTimelineRange& range);
    strEditResult timelineDelete(const cTimelineRange& range);
    // pasted, when given, gets the pasted range (the timeline's new selection).
    strEditResult timelinePaste(uint32_t kind, int frame, int cell, cTimelineRange* pasted = nullptr);

  private:
    cEditCommands& commands_;
    cEditClipboard& clipboard_;
};
