#pragma once
// The store rules behind the cell dialog (cDlg_Cell "Cell [%d,%d]"): a working copy of one
// cell, normalised for its cell number, stored as one undo step only when it differs from the
// document's cell. The dialog's controls read and write the working copy; the canvas draws it in place
// of the document's cell while the dialog is open (previewCell).

#include "document/cell.h"
#include "tools/tool_context.h"

#include <cstdint>
#include <optional>
#include <string>

class cProject;

// How a control of the cell dialog is offered.
enum class eControlState : uint8_t { kEditable, kDisabled, kHidden };

struct strCellControls {
    eControlState angle = eControlState::kEditable;
    eControlState sx = eControlState::kEditable;
    eControlState sy = eControlState::kEditable;
    eControlState flip = eControlState::kHidden; // the "Normal,Mirrored" list
    bool image = true;                           // the image field (disabled while the lock is on)
};

class cCellEdit {
  public:
    static constexpr const char* kBlendList = "Normal,Add,Subtract,Multiply";
    static constexpr const char* kFlipList = "Normal,Mirrored";

    // Opens on (frame, cell): the working copy is the document's cell, or the neutral cell with the
    // controls disabled (editable() false) when there is none. Returns editable().
    bool open(const cProject& doc, int frame, int cell);
    // Closing sets frame and cell to -1 (which ends the preview); nothing is stored.
    void close();
    bool isOpen() const { return frame_ >= 0 && cell_ >= 0; }
    int frame() const { return frame_; }
    int cell() const { return cell_; }
    bool editable() const { return editable_; }
    // "Cell [%d,%d]" with frame and cell number.
    std::string title() const;

    // The working copy; edit() gives write access and marks it changed.
    const strCell& working() const { return work_; }
    strCell& edit();
    bool changed() const { return changed_; }
    void setChanged(bool c) { changed_ = c; }
    bool details = false; // "&D": the colour part is shown

    // "Copy from previous frame(&,)" / "Copy from next frame(&.)": enabled when frame -/+ 1 holds a
    // cell of this number; copying makes it the working copy (the document is not changed).
    bool canCopyFrom(const cProject& doc, int offset) const;
    bool copyFrom(const cProject& doc, int offset);

    // Edit format 2: the "Normal,Mirrored" list shows "Inversed" (true) when SX * SY < 1.
    static bool isInversed(const strCell& c);
    // The flip choice under edit format 2, kept until the working copy is rebuilt; initially from
    // the working copy.
    bool inversed = false;

    // The 80 ms rebuild: under edit format 2 SX becomes SY, negated when "Inversed" is chosen; then
    // the document's cell normalisation for this cell number is applied to the working copy.
    void rebuild(const cProject& doc);
    // While open, the cell the canvas draws at (frame, cell): the working copy at the edited place,
    // else null (draw the document's cell).
    const strCell* previewCell(int frame, int cell) const;

    // "Apply": rebuild; when the cell is editable and the document's cell differs from the working
    // copy, store it with set-cell as one undo step (count 1). The dialog then closes. No status
    // message is given.
    strEditResult apply(const strToolContext& ctx);

    // ":&C(ssrrggbb)": saturation, red, green, blue as "%08x".
    static std::string colourText(const strCell& c);
    // Typing into the colour text: the text is read as a hexadecimal number (up to 8 digits, leading
    // white space and an optional "0x" allowed, reading stops at the first other character) and its
    // four bytes set saturation, red, green, blue, each limited to the sliders' 0..200. False (and
    // nothing changed) when the text holds no hexadecimal digit.
    static bool parseColourText(const std::string& text, strCell& c);
    // "Cl&ear": red, green, blue and saturation 100.
    static void clearColour(strCell& c);

    // Which of angle, SX, SY and the flip list are usable under the edit format, and whether the
    // image field is (not with the lock on).
    static strCellControls controls(int editFormat, bool lockOn);
    // Field ranges: image 0..highest picture number in use (0 when none); pattern 1..patternCount
    // (the pattern count of the cell's picture, 1 when that picture is not loaded, i.e. <= 0).
    static int maxImage(const cProject& doc);
    static int maxPattern(int patternCount) { return patternCount < 1 ? 1 : patternCount; }

  private:
    int frame_ = -1;
    int cell_ = -1;
    bool editable_ = false;
    bool changed_ = false;
    strCell work_ = strCell::neutral();
};
