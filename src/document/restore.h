#pragma once
// Undo records. A primitive of cProject creates one before it changes the document, while a
// transaction is open, copying what it needs; apply(kUndo) and apply(kRedo) replay it through the
// primitives. Each record says which kinds of things it changes (eDocChange), so that a step can
// tell the views what to refresh.

#include "document/cell.h"
#include "document/doc_change.h"
#include "document/effect.h"
#include "document/frame.h"
#include "document/messages.h"
#include "document/picture.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class cProject;

class cRestore {
  public:
    static constexpr int kUndo = 2;
    static constexpr int kRedo = 3;

    virtual ~cRestore() = default;
    virtual const char* name() const = 0;
    // Bytes of memory the record holds.
    virtual size_t size() const { return 4; }
    // The eDocChange bits of what apply changes.
    virtual unsigned changes() const = 0;
    virtual void apply(cProject& doc, int mode) = 0;
};

// One undoable step: its records, oldest first, and the label of the command that made it.
class cRestoreObj {
  public:
    void append(std::unique_ptr<cRestore> r) {
        if (r) records.push_back(std::move(r));
    }
    bool empty() const { return records.empty(); }
    size_t size() const;
    // The kinds of things the step changes: the bits of its records.
    unsigned changes() const;
    // Replays the records from index `from` on: undo newest first, redo oldest first.
    void apply(cProject& doc, int mode, size_t from = 0) const;

    strMessage label;
    uint64_t serial = 0; // given by the history when the step enters it
    std::vector<std::unique_ptr<cRestore>> records;
};

class cRest_Change_Cell : public cRestore {
  public:
    cRest_Change_Cell(int fa, int ca, int fb, int cb) : fa(fa), ca(ca), fb(fb), cb(cb) {}
    const char* name() const override { return "Change Cell\n"; }
    unsigned changes() const override { return kDocCells; }
    void apply(cProject& doc, int mode) override;
    int fa, ca, fb, cb;
};

class cRest_Change_Frame : public cRestore {
  public:
    cRest_Change_Frame(int a, int b) : a(a), b(b) {}
    const char* name() const override { return "Change Frame\n"; }
    unsigned changes() const override { return kDocCells; }
    void apply(cProject& doc, int mode) override;
    int a, b;
};

class cRest_Slide_Frame : public cRestore {
  public:
    cRest_Slide_Frame(int from, int count, int to) : from(from), count(count), to(to) {}
    const char* name() const override { return "Slide Frame\n"; }
    unsigned changes() const override { return kDocCells; }
    void apply(cProject& doc, int mode) override;
    int from, count, to;
};

class cRest_Update_Cell : public cRestore {
  public:
    cRest_Update_Cell(int frame, int cell, const strCell* newCell, const strCell* oldCell);
    const char* name() const override { return "Update Cell\n"; }
    size_t size() const override;
    unsigned changes() const override { return kDocCells; }
    void apply(cProject& doc, int mode) override;
    int frame, cell;
    std::optional<strCell> newCell, oldCell;
};

class cRest_Update_FixCell : public cRestore {
  public:
    cRest_Update_FixCell(int cell, int newPicture, int oldPicture)
        : cell(cell), newPicture(newPicture), oldPicture(oldPicture) {}
    const char* name() const override { return "Update FixCell\n"; }
    unsigned changes() const override { return kDocLock | kDocCells; }
    void apply(cProject& doc, int mode) override;
    int cell, newPicture, oldPicture;
};

class cRest_Update_Frame : public cRestore {
  public:
    cRest_Update_Frame(int index, const strFrame* newFrame, const strFrame* oldFrame);
    const char* name() const override { return "Update Frame\n"; }
    size_t size() const override;
    unsigned changes() const override { return kDocCells; }
    void apply(cProject& doc, int mode) override;
    int index;
    std::unique_ptr<strFrame> newFrame, oldFrame;
};

class cRest_Update_Int : public cRestore {
  public:
    cRest_Update_Int(int frame, int newInterval, int oldInterval)
        : frame(frame), newInterval(newInterval), oldInterval(oldInterval) {}
    const char* name() const override { return "Update Interval\n"; }
    unsigned changes() const override { return kDocCells; }
    void apply(cProject& doc, int mode) override;
    int frame, newInterval, oldInterval;
};

// A picture slot set, changed or emptied.
class cRest_Update_Picture : public cRestore {
  public:
    cRest_Update_Picture(int slot, const strPicture* newPicture, const strPicture* oldPicture);
    const char* name() const override { return "Update Picture\n"; }
    unsigned changes() const override { return kDocPictures; }
    void apply(cProject& doc, int mode) override;
    int slot;
    std::optional<strPicture> newPicture, oldPicture;
};

// Two picture slots swapped.
class cRest_Change_Picture : public cRestore {
  public:
    cRest_Change_Picture(int a, int b) : a(a), b(b) {}
    const char* name() const override { return "Change Picture\n"; }
    unsigned changes() const override { return kDocPictures; }
    void apply(cProject& doc, int mode) override;
    int a, b;
};

// An effect inserted at (or removed from) a place of the packed effect table.
class cRest_Update_Effect : public cRestore {
  public:
    cRest_Update_Effect(int index, const strEffect& effect, bool inserted)
        : index(index), effect(effect), inserted(inserted) {}
    const char* name() const override { return "Update Effect\n"; }
    unsigned changes() const override { return kDocEffects; }
    void apply(cProject& doc, int mode) override;
    int index;
    strEffect effect;
    bool inserted;
};

// A setting (keys 5..11) or a text (keys 16..19) of the project.
class cRest_Update_Setting : public cRestore {
  public:
    cRest_Update_Setting(int key, int newValue, int oldValue)
        : key(key), newValue(newValue), oldValue(oldValue) {}
    const char* name() const override { return "Update Setting\n"; }
    unsigned changes() const override { return kDocProject; }
    void apply(cProject& doc, int mode) override;
    int key, newValue, oldValue;
};

class cRest_Update_Text : public cRestore {
  public:
    cRest_Update_Text(int key, std::string newText, std::string oldText)
        : key(key), newText(std::move(newText)), oldText(std::move(oldText)) {}
    const char* name() const override { return "Update Text\n"; }
    size_t size() const override { return cRestore::size() + newText.size() + oldText.size(); }
    unsigned changes() const override { return kDocProject; }
    void apply(cProject& doc, int mode) override;
    int key;
    std::string newText, oldText;
};

// The cell number. The cells a smaller number removes are recorded before it as cell updates; this
// record keeps the lock entries it removes.
class cRest_Cell_Number : public cRestore {
  public:
    cRest_Cell_Number(int newNumber, int oldNumber, std::vector<uint8_t> removedLocks)
        : newNumber(newNumber), oldNumber(oldNumber), removedLocks(std::move(removedLocks)) {}
    const char* name() const override { return "Cell Number\n"; }
    size_t size() const override { return cRestore::size() + removedLocks.size(); }
    unsigned changes() const override { return kDocProject | kDocCells | kDocLock; }
    void apply(cProject& doc, int mode) override;
    int newNumber, oldNumber;
    std::vector<uint8_t> removedLocks;
};
