#pragma once
// The two lock dialogs: "Associate the cell and the image" (cDlg_Lock, the whole lock
// table) and "[%d] Locked for cell and image" (cDlg_LockCell, one cell number). Both store through
// the document's set-locked-picture primitive, which records the undo entry and, while the project's
// lock option is on, rewrites the image number of every cell of that number in every frame.

#include "tools/tool_context.h"

#include <cstdint>
#include <string>
#include <vector>

class cProject;

class cLockEdit {
  public:
    // One row per cell number: its image number as the list shows it (0..65535) and a selection mark.
    struct strRow {
        int image = 0;
        bool selected = false;
    };
    std::vector<strRow> rows;

    // Fills the rows from the project's lock table, none selected.
    void open(const cProject& doc);
    // "<< Number image": writes the number, clamped to 0..65535, into every selected row.
    void setSelected(int image);
    // The number field's range: 0 .. highest used picture number.
    static int maxImage(const cProject& doc);

    // "Update": one undo step; every row's image number, clamped to 0..255, becomes the lock of its
    // cell number (entries already equal record nothing). count = entries changed.
    strEditResult update(const strToolContext& ctx) const;
};

class cLockCellEdit {
  public:
    int cell = 0;
    int image = 0;

    // Opens for cell number c with the current lock.
    void open(const cProject& doc, int c);
    // "[%d] Locked for cell and image".
    std::string title() const;
    // "OK": one undo step setting the lock of `cell` to `image` (clamped to 0..255). count 1 when the
    // entry changed, 0 when it already held the value or the cell number is outside the table.
    strEditResult ok(const strToolContext& ctx) const;
};
