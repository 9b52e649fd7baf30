// The undo history: the depth, open steps, the valid flags, size accounting, clearing and the
// frame repair. history_property_test checks that steps undo and redo exactly.

#include "document/restore.h"
#include "document_fixture.h"

// A history on a document of blank frames, with the command layer (which these tests leave alone).
using Doc = document_testing::Editor;

namespace {

class cRest_Test : public cRestore {
  public:
    explicit cRest_Test(bool ok) { valid = ok; }
    const char* name() const override { return "Test\n"; }
    void apply(cProject&, int) override {}
};

} // namespace

TEST(History, UndoClosesTheOpenStepWithoutCommit) {
    Doc d;
    d.step(0, 0, 1);
    d.history.open();
    d.put(0, 1, 2);
    ASSERT_TRUE(d.history.undo()); // undoes the committed step; the open one is dropped
    EXPECT_FALSE(d.history.isOpen());
    EXPECT_EQ(d.doc.cell(0, 0), nullptr);
    EXPECT_EQ(d.x(0, 1), 2); // the change of the dropped step stays made
    EXPECT_EQ(d.counts(), 1u);
}

TEST(History, DepthIsClampedAndClearKeepsOrSetsIt) {
    EXPECT_EQ(cHistory(77).depth(), 32);
    EXPECT_EQ(cHistory(-1).depth(), 0);

    Doc d;
    for (int k = 1; k <= 4; ++k)
        d.step(0, 0, k);
    d.history.undo();
    d.history.clear(); // negative: keeps the limit
    EXPECT_EQ(d.counts(), 0u);
    EXPECT_EQ(d.history.depth(), 32);
    d.history.clear(3);
    EXPECT_EQ(d.history.depth(), 3);
    d.history.clear(100);
    EXPECT_EQ(d.history.depth(), 32);
    d.history.clear(0); // depth 0 records nothing, but the change is made
    EXPECT_FALSE(d.step(0, 0, 9));
    EXPECT_EQ(d.doc.pendingStep(), nullptr);
    EXPECT_EQ(d.x(0, 0), 9);
}

TEST(History, OpenAndCloseRules) {
    Doc d;
    d.step(0, 0, 1);
    d.step(0, 0, 2);
    d.history.undo();
    d.history.undo();
    EXPECT_EQ(d.counts(), 2u);

    d.history.open(); // close without commit deletes the step; the change stays
    d.put(0, 0, 4);
    EXPECT_FALSE(d.history.close(false));
    EXPECT_EQ(d.counts(), 2u);
    EXPECT_EQ(d.x(0, 0), 4);

    d.history.open(); // open discards an open step
    d.put(0, 1, 4);
    d.history.open();
    d.put(0, 2, 4);
    d.history.close(true);
    EXPECT_EQ(d.counts(), 100u); // a new step empties the redo stack
    EXPECT_EQ(d.history.undoStep(0)->records.size(), 1u);

    {
        cHistoryStep scope(d.history); // commits once on leaving
        d.put(0, 0, 4);
    }
    EXPECT_EQ(d.counts(), 200u);
    {
        cHistoryStep scope(d.history);
        d.put(0, 0, 5);
        EXPECT_FALSE(scope.cancel());
        EXPECT_FALSE(scope.commit());
    }
    EXPECT_EQ(d.counts(), 200u);
}

TEST(History, InvalidOrNullRecordPoisonsItsStep) {
    for (bool useNull : {false, true}) {
        Doc d;
        d.history.open();
        d.put(0, 0, 4);
        cRestoreObj* step = d.doc.pendingStep();
        ASSERT_NE(step, nullptr);
        step->append(useNull ? nullptr : std::make_unique<cRest_Test>(false));
        EXPECT_FALSE(step->valid);
        d.put(0, 1, 4); // appended to an invalid step: deleted at once
        EXPECT_EQ(step->records.size(), 1u);
        EXPECT_FALSE(d.history.close(true));
        EXPECT_EQ(d.history.undoCount(), 0u);
        EXPECT_EQ(d.x(0, 0), 4); // the changes themselves are made
        EXPECT_EQ(d.x(0, 1), 4);
    }
}

TEST(History, StructuralChangesClearTheHistory) {
    Doc d;
    d.step(0, 0, 1);
    d.step(0, 1, 2);
    d.history.undo();
    d.history.open();
    d.put(0, 2, 4);
    ASSERT_TRUE(d.doc.setCellNumber(4));
    EXPECT_EQ(d.counts(), 0u);
    EXPECT_FALSE(d.history.isOpen()); // the open step is dropped too
    EXPECT_FALSE(d.history.close(true));
    // the same cell number changes nothing and keeps the history
    d.step(0, 0, 5);
    EXPECT_FALSE(d.doc.setCellNumber(4));
    EXPECT_EQ(d.counts(), 100u);

    d.doc.create(0, 8, 0, 0);
    EXPECT_EQ(d.counts(), 0u);

    Doc e;
    e.step(0, 0, 1);
    ASSERT_TRUE(e.doc.applyStructural({.cellNumber = 16, .editFormat = 1}, {}));
    EXPECT_EQ(e.counts(), 0u);
}

TEST(History, AttachBindsTheHistoryToOneDocument) {
    Doc d;
    d.step(0, 0, 1);
    cProject other(&d.config);
    document_testing::MakeFrames(other, 1, 8);
    d.history.attach(&other); // a new document: the history starts empty
    EXPECT_EQ(d.history.undoCount(), 0u);
    d.doc.setCellNumber(3); // the old document's hook is gone
    d.history.open();
    strCell c;
    other.setCell(0, 0, &c);
    d.history.close(true);
    EXPECT_EQ(d.history.undoCount(), 1u);
    EXPECT_EQ(d.doc.pendingStep(), nullptr);
    d.history.detach();
    EXPECT_EQ(d.history.undoCount(), 0u);
    EXPECT_FALSE(d.history.open());
    EXPECT_FALSE(d.history.undo());
    other.setCellNumber(5); // no hook left to call

    {
        cHistory h;
        h.attach(&other);
    }
    EXPECT_TRUE(other.setCellNumber(4)); // would call a dead history otherwise
}

TEST(History, SizeAccounting) {
    Doc d;
    d.history.open();
    d.put(0, 0, 4);                  // new copy only: 4 + 22
    d.put(0, 0, 4);                  // new and old: 4 + 44
    d.doc.setCell(0, 0, nullptr);    // old only: 4 + 22
    d.doc.setFrameInterval(0, 3);    // 4
    d.doc.exchangeCells(0, 0, 0, 1); // 4
    d.history.close(true);
    EXPECT_EQ(d.history.undoStep(0)->size(), 26u + 48u + 26u + 4u + 4u);
    EXPECT_EQ(d.history.recordBytes(), 108u);
    EXPECT_EQ(d.history.recordCount(), 5u);
    d.history.undo();
    EXPECT_EQ(d.history.recordBytes(), 108u); // the redo stack counts too
}

TEST(FrameRepair, CompactsFramesKeepingTheirOrder) {
    Doc d(0, 4);
    for (int f : {1, 4, 5, 9}) {
        d.doc.frames().setCopy(f, d.doc.blankFrame());
        d.put(f, 0, f);
    }
    d.step(4, 1, 3);
    d.doc.setModified(false);
    int current = 7;
    d.history.repairFrames(&current);
    EXPECT_EQ(d.history.undoCount(), 0u);
    EXPECT_EQ(d.doc.frames().count(), 4);
    EXPECT_EQ(d.doc.frames().occupied(), 4);
    EXPECT_EQ(d.row(0) + " | " + d.row(1) + " | " + d.row(2) + " | " + d.row(3),
              "1 - - - | 4 3 - - | 5 - - - | 9 - - -");
    EXPECT_EQ(current, 3);
    EXPECT_TRUE(d.doc.modified());

    int inside = 1;
    EXPECT_EQ(cHistory::CompactFrames(d.doc), 0); // already packed
    d.history.repairFrames(&inside);
    EXPECT_EQ(inside, 1);

    Doc empty(0, 4); // no frame left: one blank frame
    current = 5;
    empty.history.repairFrames(&current);
    EXPECT_EQ(current, 0);
    ASSERT_NE(empty.doc.frame(0), nullptr);
    EXPECT_EQ(empty.doc.frames().occupied(), 1);
    EXPECT_EQ(empty.doc.frame(0)->cells.capacity(), 4);
    EXPECT_EQ(empty.doc.frame(0)->cells.occupied(), 0);
}
