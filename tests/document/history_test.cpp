// The undo history: steps, depth, the valid flags, size accounting, clearing and the
// frame repair.

#include "config/config.h"
#include "document/history.h"
#include "document/project.h"
#include "document/restore.h"
#include "support/document_compare.h"

#include <gtest/gtest.h>

#include <functional>

using testing_support::CompareProjects;
using testing_support::ProjectFingerprint;

namespace {

strCell CellX(int x) {
    strCell c;
    c.x = static_cast<int16_t>(x);
    return c;
}

// A document with `frames` blank frames of `cells` cell numbers, bound to a history.
struct Doc {
    explicit Doc(int frames = 4, int cells = 8, int depth = 32) : history(depth) {
        doc.create(0, cells, 0, 0);
        for (int k = 0; k < frames; ++k)
            doc.frames().setCopy(k, doc.blankFrame());
        history.attach(&doc);
    }
    // One committed step that stores CellX(x) at (frame, cell).
    bool step(int frame, int cell, int x) {
        history.open();
        strCell c = CellX(x);
        doc.setCell(frame, cell, &c);
        return history.close(true);
    }
    int x(int frame, int cell) const {
        const strCell* c = doc.cell(frame, cell);
        return c ? c->x : -9999;
    }
    cConfig config;
    cProject doc{&config};
    cHistory history;
};

class cRest_Test : public cRestore {
  public:
    explicit cRest_Test(bool ok) { valid = ok; }
    const char* name() const override { return "Test\n"; }
    void apply(cProject&, int) override {}
};

}  // namespace

TEST(History, StepIsUndoneAndRedoneAsOne) {
    Doc d;
    d.history.open();
    strCell a = CellX(1), b = CellX(2);
    d.doc.setCell(0, 0, &a);
    d.doc.setCell(0, 0, &b);  // same slot twice: undo must replay newest first
    d.doc.setCell(1, 3, &a);
    d.doc.setFrameInterval(2, 7);
    EXPECT_TRUE(d.history.isOpen());
    EXPECT_TRUE(d.history.close(true));
    EXPECT_FALSE(d.history.isOpen());
    ASSERT_EQ(d.history.undoCount(), 1u);
    EXPECT_EQ(d.history.undoStep(0)->records.size(), 4u);
    EXPECT_STREQ(d.history.undoStep(0)->records.front()->name(), "Update Interval\n");

    ASSERT_TRUE(d.history.undo());
    EXPECT_EQ(d.doc.cell(0, 0), nullptr);
    EXPECT_EQ(d.doc.cell(1, 3), nullptr);
    EXPECT_EQ(d.doc.frameInterval(2, false), 0);
    EXPECT_EQ(d.history.undoCount(), 0u);
    EXPECT_EQ(d.history.redoCount(), 1u);
    EXPECT_FALSE(d.history.undo());

    ASSERT_TRUE(d.history.redo());  // oldest first: the second store wins
    EXPECT_EQ(d.x(0, 0), 2);
    EXPECT_EQ(d.x(1, 3), 1);
    EXPECT_EQ(d.doc.frameInterval(2, false), 7);
    EXPECT_FALSE(d.history.redo());
    EXPECT_EQ(d.history.undoCount(), 1u);
}

TEST(History, ReplayRecordsNothing) {
    Doc d;
    d.step(0, 0, 5);
    ASSERT_TRUE(d.history.undo());
    EXPECT_EQ(d.doc.pendingStep(), nullptr);
    ASSERT_TRUE(d.history.redo());
    EXPECT_EQ(d.history.undoCount(), 1u);
    EXPECT_EQ(d.history.redoCount(), 0u);
    EXPECT_EQ(d.history.recordCount(), 1u);
}

TEST(History, UndoClosesTheOpenStepWithoutCommit) {
    Doc d;
    d.step(0, 0, 1);
    d.history.open();
    strCell c = CellX(2);
    d.doc.setCell(0, 1, &c);
    ASSERT_TRUE(d.history.undo());  // undoes the committed step; the open one is dropped
    EXPECT_FALSE(d.history.isOpen());
    EXPECT_EQ(d.doc.cell(0, 0), nullptr);
    EXPECT_EQ(d.x(0, 1), 2);  // the change of the dropped step stays made
    EXPECT_EQ(d.history.redoCount(), 1u);
}

TEST(History, Depth32KeepsTheLast32Of33Steps) {
    Doc d(4, 8, 32);
    for (int k = 1; k <= 33; ++k)
        ASSERT_TRUE(d.step(0, 0, k));
    EXPECT_EQ(d.history.undoCount(), 32u);
    for (int k = 0; k < 32; ++k)
        ASSERT_TRUE(d.history.undo()) << k;
    EXPECT_FALSE(d.history.undo());
    EXPECT_EQ(d.x(0, 0), 1);  // the first step can no longer be undone
    for (int k = 0; k < 32; ++k)
        ASSERT_TRUE(d.history.redo());
    EXPECT_EQ(d.x(0, 0), 33);
}

TEST(History, SmallDepthUndoesOnlyTheLastSteps) {
    for (int depth : {1, 2, 5}) {
        Doc d(4, 8, depth);
        for (int k = 1; k <= 8; ++k)
            d.step(0, 0, k);
        int undone = 0;
        while (d.history.undo())
            ++undone;
        EXPECT_EQ(undone, depth);
        EXPECT_EQ(d.x(0, 0), 8 - depth);
    }
}

TEST(History, DepthZeroRecordsNothing) {
    Doc d(4, 8, 0);
    EXPECT_FALSE(d.history.open());
    EXPECT_EQ(d.doc.pendingStep(), nullptr);
    strCell c = CellX(3);
    EXPECT_TRUE(d.doc.setCell(0, 0, &c));  // the change is made, nothing recorded
    EXPECT_FALSE(d.history.close(true));
    EXPECT_EQ(d.history.undoCount(), 0u);
    EXPECT_FALSE(d.history.undo());
    EXPECT_EQ(d.x(0, 0), 3);
}

TEST(History, DepthComesClampedFromTheSettings) {
    cConfig cfg;
    cfg.Undo = 100;
    EXPECT_EQ(cHistory(cfg.undoDepth()).depth(), 32);
    cfg.Undo = -4;
    EXPECT_EQ(cHistory(cfg.undoDepth()).depth(), 0);
    EXPECT_EQ(cHistory(77).depth(), 32);
    EXPECT_EQ(cHistory(-1).depth(), 0);
}

TEST(History, ClearEmptiesBothStacksAndSetsTheDepth) {
    Doc d;
    for (int k = 1; k <= 4; ++k)
        d.step(0, 0, k);
    d.history.undo();
    d.history.clear();  // negative: keeps the limit
    EXPECT_EQ(d.history.undoCount(), 0u);
    EXPECT_EQ(d.history.redoCount(), 0u);
    EXPECT_EQ(d.history.depth(), 32);
    d.history.clear(3);
    EXPECT_EQ(d.history.depth(), 3);
    d.history.clear(100);
    EXPECT_EQ(d.history.depth(), 32);
    d.history.clear(0);
    EXPECT_EQ(d.history.depth(), 0);
    EXPECT_FALSE(d.step(0, 0, 9));
}

TEST(History, NewEditEmptiesTheRedoStack) {
    Doc d;
    d.step(0, 0, 1);
    d.step(0, 0, 2);
    d.history.undo();
    d.history.undo();
    EXPECT_EQ(d.history.redoCount(), 2u);
    d.step(1, 1, 5);
    EXPECT_EQ(d.history.redoCount(), 0u);
    EXPECT_FALSE(d.history.redo());
    EXPECT_EQ(d.history.undoCount(), 1u);
}

TEST(History, EmptyStepsAreDropped) {
    Doc d;
    d.step(0, 0, 1);
    d.history.undo();
    d.history.open();
    EXPECT_FALSE(d.doc.setLockedPicture(0, 0));  // changes nothing, records nothing
    EXPECT_FALSE(d.doc.setCell(99, 0, nullptr));
    EXPECT_FALSE(d.history.close(true));
    EXPECT_EQ(d.history.undoCount(), 0u);
    EXPECT_EQ(d.history.redoCount(), 1u);  // an empty step does not empty the redo stack
    d.history.open();
    EXPECT_FALSE(d.history.close(true));
}

TEST(History, CloseWithoutCommitDeletesTheStep) {
    Doc d;
    d.history.open();
    strCell c = CellX(4);
    d.doc.setCell(0, 0, &c);
    EXPECT_FALSE(d.history.close(false));
    EXPECT_EQ(d.history.undoCount(), 0u);
    EXPECT_EQ(d.x(0, 0), 4);
}

TEST(History, OpenDiscardsAnOpenStep) {
    Doc d;
    d.history.open();
    strCell c = CellX(4);
    d.doc.setCell(0, 0, &c);
    d.history.open();
    d.doc.setCell(0, 1, &c);
    d.history.close(true);
    ASSERT_EQ(d.history.undoCount(), 1u);
    EXPECT_EQ(d.history.undoStep(0)->records.size(), 1u);
}

TEST(History, InvalidOrNullRecordPoisonsItsStep) {
    for (bool useNull : {false, true}) {
        Doc d;
        d.history.open();
        strCell c = CellX(4);
        d.doc.setCell(0, 0, &c);
        cRestoreObj* step = d.doc.pendingStep();
        ASSERT_NE(step, nullptr);
        step->append(useNull ? nullptr : std::make_unique<cRest_Test>(false));
        EXPECT_FALSE(step->valid);
        d.doc.setCell(0, 1, &c);  // appended to an invalid step: deleted at once
        EXPECT_EQ(step->records.size(), 1u);
        EXPECT_FALSE(d.history.close(true));
        EXPECT_EQ(d.history.undoCount(), 0u);
        EXPECT_EQ(d.x(0, 0), 4);  // the changes themselves are made
        EXPECT_EQ(d.x(0, 1), 4);
    }
}

TEST(History, SetCellNumberClearsTheHistory) {
    Doc d;
    d.step(0, 0, 1);
    d.step(0, 1, 2);
    d.history.undo();
    d.history.open();
    strCell c = CellX(4);
    d.doc.setCell(0, 2, &c);
    ASSERT_TRUE(d.doc.setCellNumber(4));
    EXPECT_EQ(d.history.undoCount(), 0u);
    EXPECT_EQ(d.history.redoCount(), 0u);
    EXPECT_FALSE(d.history.isOpen());  // the open step is dropped too
    EXPECT_FALSE(d.history.close(true));
    EXPECT_FALSE(d.history.undo());
    // the same cell number changes nothing and keeps the history
    d.step(0, 0, 5);
    EXPECT_FALSE(d.doc.setCellNumber(4));
    EXPECT_EQ(d.history.undoCount(), 1u);
}

TEST(History, CreateAndStructuralApplyClearTheHistory) {
    Doc d;
    d.step(0, 0, 1);
    d.doc.create(0, 8, 0, 0);
    EXPECT_EQ(d.history.undoCount(), 0u);

    Doc e;
    e.step(0, 0, 1);
    strProjectSettings s;
    s.cellNumber = e.doc.cellNumber();
    s.editFormat = 1;
    ASSERT_TRUE(e.doc.applyStructural(s, [] { return true; }));
    EXPECT_EQ(e.history.undoCount(), 0u);
}

TEST(History, AttachBindsTheHistoryToOneDocument) {
    Doc d;
    d.step(0, 0, 1);
    cProject other(&d.config);
    other.create(0, 8, 0, 0);
    other.frames().setCopy(0, other.blankFrame());
    d.history.attach(&other);  // a new document: the history starts empty
    EXPECT_EQ(d.history.undoCount(), 0u);
    d.doc.setCellNumber(3);  // the old document's hook is gone
    d.history.open();
    strCell c = CellX(2);
    other.setCell(0, 0, &c);
    d.history.close(true);
    EXPECT_EQ(d.history.undoCount(), 1u);
    EXPECT_EQ(d.doc.pendingStep(), nullptr);
    d.history.detach();
    EXPECT_EQ(d.history.undoCount(), 0u);
    EXPECT_FALSE(d.history.open());
    EXPECT_FALSE(d.history.undo());
    other.setCellNumber(5);  // no hook left to call
}

TEST(History, DestroyedHistoryLeavesNoHook) {
    cConfig cfg;
    cProject doc(&cfg);
    doc.create(0, 8, 0, 0);
    {
        cHistory h;
        h.attach(&doc);
    }
    EXPECT_TRUE(doc.setCellNumber(4));  // would call a dead history otherwise
}

TEST(History, StepScopeCommitsOnce) {
    Doc d;
    {
        cHistoryStep step(d.history);
        strCell c = CellX(4);
        d.doc.setCell(0, 0, &c);
    }
    EXPECT_EQ(d.history.undoCount(), 1u);
    {
        cHistoryStep step(d.history);
        strCell c = CellX(5);
        d.doc.setCell(0, 0, &c);
        EXPECT_FALSE(step.cancel());
        EXPECT_FALSE(step.commit());
    }
    EXPECT_EQ(d.history.undoCount(), 1u);
}

TEST(History, SizeAccounting) {
    Doc d;
    d.history.open();
    strCell c = CellX(4);
    d.doc.setCell(0, 0, &c);         // new copy only: 4 + 22
    d.doc.setCell(0, 0, &c);         // new and old: 4 + 44
    d.doc.setCell(0, 0, nullptr);    // old only: 4 + 22
    d.doc.setFrameInterval(0, 3);    // 4
    d.doc.exchangeCells(0, 0, 0, 1);  // 4
    d.history.close(true);
    EXPECT_EQ(d.history.undoStep(0)->size(), 26u + 48u + 26u + 4u + 4u);
    EXPECT_EQ(d.history.recordBytes(), 108u);
    EXPECT_EQ(d.history.recordCount(), 5u);
    d.history.undo();
    EXPECT_EQ(d.history.recordBytes(), 108u);  // the redo stack counts too
}

TEST(History, EveryRecordKindUndoesAndRedoes) {
    Doc d(6, 4);
    d.doc.setSetting(kKeyLock, 1);
    strCell c = CellX(10);
    for (int f = 0; f < 6; ++f)
        d.doc.setCell(f, 1, &c);
    d.doc.setFrameInterval(3, 4);
    const std::string start = ProjectFingerprint(d.doc);

    struct Op {
        const char* name;
        std::function<bool(cProject&)> run;
    };
    const Op ops[] = {
        {"Change Cell\n", [](cProject& p) { return p.exchangeCells(0, 1, 2, 3); }},
        {"Change Frame\n", [](cProject& p) { return p.exchangeFrames(1, 3); }},
        {"Slide Frame\n", [](cProject& p) { return p.slideFrames(2, 3, 7); }},
        {"Update Cell\n", [](cProject& p) { return p.setCell(4, 1, nullptr); }},
        {"Update FixCell\n", [](cProject& p) { return p.setLockedPicture(1, 9); }},
        {"Update Frame\n", [](cProject& p) { return p.replaceFrame(5, nullptr); }},
        {"Update Interval\n", [](cProject& p) { return p.setFrameInterval(3, 9); }},
    };
    for (const Op& op : ops) {
        SCOPED_TRACE(op.name);
        d.history.open();
        ASSERT_TRUE(op.run(d.doc));
        ASSERT_TRUE(d.history.close(true));
        EXPECT_STREQ(d.history.undoStep(0)->records.back()->name(), op.name);
        const std::string after = ProjectFingerprint(d.doc);
        EXPECT_NE(after, start);
        ASSERT_TRUE(d.history.undo());
        EXPECT_EQ(testing_support::FingerprintDifference(start, ProjectFingerprint(d.doc)), "");
        ASSERT_TRUE(d.history.redo());
        EXPECT_EQ(testing_support::FingerprintDifference(after, ProjectFingerprint(d.doc)), "");
        ASSERT_TRUE(d.history.undo());
    }
}

TEST(History, SlideOverOccupiedFramesGivesThemBack) {
    Doc d(6, 4);
    for (int f = 0; f < 6; ++f) {
        strCell c = CellX(f);
        d.doc.setCell(f, 0, &c);
    }
    const std::string start = ProjectFingerprint(d.doc);
    d.history.open();
    ASSERT_TRUE(d.doc.slideFrames(0, 2, 3));  // frames 3 and 4 are overwritten
    d.history.close(true);
    EXPECT_EQ(d.x(3, 0), 0);
    EXPECT_EQ(d.x(4, 0), 1);
    EXPECT_EQ(d.doc.frame(0), nullptr);
    d.history.undo();
    EXPECT_EQ(testing_support::FingerprintDifference(start, ProjectFingerprint(d.doc)), "");
}

TEST(FrameRepair, CompactsFramesKeepingTheirOrder) {
    Doc d(0, 4);
    for (int f : {1, 4, 5, 9}) {
        d.doc.frames().setCopy(f, d.doc.blankFrame());
        strCell c = CellX(f);
        d.doc.setCell(f, 0, &c);
    }
    d.step(4, 1, 3);
    d.doc.setModified(false);
    int current = 7;
    d.history.repairFrames(&current);
    EXPECT_EQ(d.history.undoCount(), 0u);
    EXPECT_EQ(d.doc.frames().count(), 4);
    EXPECT_EQ(d.doc.frames().occupied(), 4);
    EXPECT_EQ(d.x(0, 0), 1);
    EXPECT_EQ(d.x(1, 0), 4);
    EXPECT_EQ(d.x(1, 1), 3);
    EXPECT_EQ(d.x(2, 0), 5);
    EXPECT_EQ(d.x(3, 0), 9);
    EXPECT_EQ(current, 3);
    EXPECT_TRUE(d.doc.modified());

    int inside = 1;
    EXPECT_EQ(cHistory::CompactFrames(d.doc), 0);  // already packed
    d.history.repairFrames(&inside);
    EXPECT_EQ(inside, 1);
}

TEST(FrameRepair, NoFrameLeftGivesOneBlankFrame) {
    Doc d(0, 4);
    int current = 5;
    d.history.repairFrames(&current);
    EXPECT_EQ(current, 0);
    ASSERT_NE(d.doc.frame(0), nullptr);
    EXPECT_EQ(d.doc.frames().occupied(), 1);
    EXPECT_EQ(d.doc.frame(0)->cells.capacity(), 4);
    EXPECT_EQ(d.doc.frame(0)->cells.occupied(), 0);
}
