#pragma once
// Undo records. A primitive of cProject creates one before it changes the document, while a step
// is open, copying what it needs; apply(kUndo) and apply(kRedo) replay it through the primitives.

#include "document/cell.h"
#include "document/frame.h"

#include <cstddef>
#include <deque>
#include <memory>
#include <optional>

class cProject;

class cRestore {
public:
    static constexpr int kUndo = 2;
    static constexpr int kRedo = 3;

    virtual ~cRestore() = default;
    virtual const char* name() const = 0;
    // Bytes of memory the record holds.
    virtual size_t size() const { return 4; }
    virtual void apply(cProject& doc, int mode) = 0;

    bool valid = true;
};

// One undoable step: records newest first.
class cRestoreObj {
public:
    // A null or invalid record poisons the step; records appended to an invalid step are dropped.
    void append(std::unique_ptr<cRestore> r);
    bool empty() const { return records.empty(); }
    size_t size() const;

    bool valid = true;
    std::deque<std::unique_ptr<cRestore>> records;  // newest at the front
};

class cRest_Change_Cell : public cRestore {
public:
    cRest_Change_Cell(int fa, int ca, int fb, int cb) : fa(fa), ca(ca), fb(fb), cb(cb) {}
    const char* name() const override { return "Change Cell\n"; }
    void apply(cProject& doc, int mode) override;
    int fa, ca, fb, cb;
};

class cRest_Change_Frame : public cRestore {
public:
    cRest_Change_Frame(int a, int b) : a(a), b(b) {}
    const char* name() const override { return "Change Frame\n"; }
    void apply(cProject& doc, int mode) override;
    int a, b;
};

class cRest_Slide_Frame : public cRestore {
public:
    cRest_Slide_Frame(int from, int count, int to) : from(from), count(count), to(to) {}
    const char* name() const override { return "Slide Frame\n"; }
    void apply(cProject& doc, int mode) override;
    int from, count, to;
};

class cRest_Update_Cell : public cRestore {
public:
    cRest_Update_Cell(int frame, int cell, const strCell* newCell, const strCell* oldCell);
    const char* name() const override { return "Update Cell\n"; }
    size_t size() const override;
    void apply(cProject& doc, int mode) override;
    int frame, cell;
    std::optional<strCell> newCell, oldCell;
};

class cRest_Update_FixCell : public cRestore {
public:
    cRest_Update_FixCell(int cell, int newPicture, int oldPicture)
        : cell(cell), newPicture(newPicture), oldPicture(oldPicture) {}
    const char* name() const override { return "Update FixCell\n"; }
    void apply(cProject& doc, int mode) override;
    int cell, newPicture, oldPicture;
};

class cRest_Update_Frame : public cRestore {
public:
    cRest_Update_Frame(int index, const strFrame* newFrame, const strFrame* oldFrame);
    const char* name() const override { return "Update Frame\n"; }
    size_t size() const override;
    void apply(cProject& doc, int mode) override;
    int index;
    std::unique_ptr<strFrame> newFrame, oldFrame;
};

class cRest_Update_Int : public cRestore {
public:
    cRest_Update_Int(int frame, int newInterval, int oldInterval)
        : frame(frame), newInterval(newInterval), oldInterval(oldInterval) {}
    const char* name() const override { return "Update Interval\n"; }
    void apply(cProject& doc, int mode) override;
    int frame, newInterval, oldInterval;
};
