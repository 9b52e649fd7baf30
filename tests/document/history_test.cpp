// Transactions and the undo history: nesting, rollback, the depth, the clean point, labels, the
// change notices and the frame repair. history_property_test checks that steps of every primitive
// undo and redo exactly.

#include "document/restore.h"
#include "document_fixture.h"
#include "support/document_compare.h"

using Doc = document_testing::Editor;
using testing_support::kColumn;
using testing_support::ProjectFingerprint;

namespace {

std::string LabelText(const strMessage* m) {
    return m ? FormatMessage(*m) : "(none)";
}

} // namespace

TEST(Transaction, NestedOnesJoinAndOnlyTheOutermostCommits) {
    Doc d;
    d.step(0, 9, 1); // an older step: the joined one must not swallow or split it
    {
        cTransaction outer(d.doc, strMessage(kStepPasteCells, 2));
        d.put(0, 0, 1);
        {
            cTransaction inner(d.doc, strMessage(kStepDeleteFrame, 4));
            EXPECT_FALSE(inner.outermost());
            d.put(0, 1, 2);
            EXPECT_TRUE(inner.commit());
            EXPECT_FALSE(inner.commit()); // once
        }
        EXPECT_EQ(d.history.undoCount(), 1u); // nothing enters before the outermost commit
        EXPECT_TRUE(outer.commit());
    }
    ASSERT_EQ(d.history.undoCount(), 2u);
    EXPECT_EQ(d.history.undoStep(0)->records.size(), 2u);
    EXPECT_EQ(LabelText(d.history.undoLabel()), "Paste 2 cells");
    ASSERT_TRUE(d.ed.undo().ok);
    EXPECT_EQ(d.row(0), "- - - - - - - - - 1 - - - - - -"); // both joined changes undone at once
}

TEST(Transaction, RollbackRestoresTheDocumentAndAddsNoStep) {
    Doc d(3, 4);
    d.doc.setPicture(1, strPicture{.path = "a.png"});
    d.doc.addEffect(strEffect{.startFrame = 2});
    d.step(1, 1, 5);
    const std::string before = ProjectFingerprint(d.doc);
    {
        cTransaction outer(d.doc, strMessage(kStepBatch));
        d.put(0, 0, 1);
        d.doc.replaceFrame(2, nullptr);
        d.doc.setPicture(1, nullptr);
        d.doc.addEffect(strEffect{.startFrame = 0});
        d.doc.setCellNumber(2);
        {
            cTransaction inner(d.doc, strMessage(kStepBatch));
            d.doc.setText(kTextName, "x");
            EXPECT_TRUE(inner.commit()); // committed, but part of the outer one
        }
        d.doc.setSetting(kKeyLock, 1);
        d.doc.slideFrames(0, 1, 2);
        // the command fails here: leaving the scope rolls back
    }
    EXPECT_EQ(ProjectFingerprint(d.doc), before);
    EXPECT_EQ(d.history.undoCount(), 1u);
    EXPECT_FALSE(d.doc.inTransaction());

    // a nested rollback undoes only its own part
    {
        cTransaction outer(d.doc, strMessage(kStepBatch));
        d.put(0, 0, 1);
        {
            cTransaction inner(d.doc, strMessage(kStepBatch));
            d.put(0, 1, 2);
            inner.rollback();
        }
        EXPECT_TRUE(outer.commit());
    }
    EXPECT_EQ(d.row(0), "1 - - -");
    EXPECT_EQ(d.history.undoStep(0)->records.size(), 1u);

    // nothing recorded: nothing enters
    {
        cTransaction t(d.doc, strMessage(kStepBatch));
        d.doc.setSetting(kKeyLock, d.doc.getSetting(kKeyLock)); // the same value records nothing
        EXPECT_FALSE(t.commit());
    }
    EXPECT_EQ(d.history.undoCount(), 2u);
}

TEST(Transaction, RefusedWhileOpen) {
    Doc d;
    d.step(0, 0, 1);
    cTransaction t(d.doc, strMessage(kStepBatch));
    d.put(0, 1, 2);
    EXPECT_EQ(d.history.undo(), nullptr); // undo would tear the open change apart
    EXPECT_FALSE(d.doc.create(0, 4, 0, 0));
    EXPECT_EQ(d.doc.repairFrames(), -1);
    EXPECT_EQ(d.x(0, 1), 2);
}

TEST(History, DepthLimitsTheStepsKept) {
    cProject p;
    EXPECT_EQ(cHistory(p, 77).depth(), 32);
    EXPECT_EQ(cHistory(p, -1).depth(), 0);
    cConfig config;
    config.Undo = 5;
    EXPECT_EQ(cProject(&config).history().depth(), 5); // the setting

    Doc d(1, 4, 3);
    for (int k = 1; k <= 4; ++k)
        d.step(0, 0, k);
    EXPECT_EQ(d.history.undoCount(), 3u);
    while (d.ed.undo().ok) {
    }
    EXPECT_EQ(d.x(0, 0), 1); // the first step fell off

    Doc none(1, 4, 0); // depth 0: changes are made and can still roll back, nothing is kept
    EXPECT_TRUE(none.step(0, 0, 9));
    EXPECT_EQ(none.x(0, 0), 9);
    EXPECT_EQ(none.history.undoCount(), 0u);
    EXPECT_TRUE(none.doc.modified());
    {
        cTransaction t(none.doc, strMessage(kStepBatch));
        none.put(0, 0, 3);
    }
    EXPECT_EQ(none.x(0, 0), 9);
    d.step(0, 0, 7);
    d.history.undo();
    d.step(0, 1, 7);
    EXPECT_EQ(d.history.redoCount(), 0u); // a new step empties the redo stack
}

// The modified flag follows the clean point. Operations: s step, u undo, r redo, S save (the clean
// point moves), c clear; after each one the flag is expected as written ('m' modified, '.' not).
TEST(History, TheModifiedFlagFollowsTheCleanPoint) {
    struct {
        const char* name;
        int depth;
        const char* ops;
        const char* modified;
    } cases[] = {
        {"undo back to the saved state", 32, "ssuu", "mmm."},
        {"redo back to the saved state", 32, "ssSuur", "mm.mmm"},
        {"save in the middle", 32, "ssuSrr", "mmm.mm"},
        {"redo to the save", 32, "ssSuurr", "mm.mmm."},
        {"a new step drops the saved state from the redo stack", 32, "sSusu", "m.mmm"},
        {"the saved state falls off the bottom", 2, "Ssssuu", ".mmmmm"},
        {"saved after the oldest kept step", 2, "ssSsuu", "mm.m.m"},
        {"clear keeps the state it is in", 32, "sScsc", "m..mm"},
        {"clear away from the saved state", 32, "sSsuucr", "m.m.mmm"},
        {"depth 0: every change is final", 0, "Ssu", ".mm"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Doc d(1, 4, c.depth);
        std::string flags;
        int x = 0;
        for (const char* op = c.ops; *op; ++op) {
            switch (*op) {
            case 's':
                d.step(0, 0, ++x);
                break;
            case 'u':
                d.ed.undo();
                break;
            case 'r':
                d.ed.redo();
                break;
            case 'S':
                d.doc.markSaved();
                break;
            case 'c':
                d.history.clear();
                break;
            }
            flags += d.doc.modified() ? 'm' : '.';
        }
        EXPECT_EQ(flags, c.modified);
    }
}

TEST(History, StoringWhatIsAlreadyThereIsNoStep) {
    Doc d(2, 4);
    d.step(0, 1, 7);
    d.doc.markSaved();
    {
        cTransaction t(d.doc, strMessage(kStepBatch));
        const strCell same = *d.doc.cell(0, 1);
        EXPECT_TRUE(d.doc.setCell(0, 1, &same));   // the cell it holds
        EXPECT_TRUE(d.doc.setCell(1, 2, nullptr)); // an empty slot emptied
        EXPECT_FALSE(t.recorded());
        EXPECT_FALSE(t.commit());
    }
    EXPECT_EQ(d.counts(), 100u);
    EXPECT_FALSE(d.doc.modified());
    EXPECT_TRUE(d.step(0, 1, 8)); // a real change is still a step
    EXPECT_EQ(d.counts(), 200u);
}

TEST(History, LabelsAndChangeNotices) {
    Doc d(2, 4);
    std::vector<unsigned> heard;
    d.ed.setListener([&](unsigned changes) { heard.push_back(changes); });
    EXPECT_EQ(LabelText(d.history.undoLabel()), "(none)");

    struct {
        const char* name;
        std::function<void(cProject&)> change;
        unsigned changes;
    } cases[] = {
        {"cell",
         [](cProject& p) {
             strCell c;
             p.setCell(0, 0, &c);
         },
         kDocCells},
        {"interval", [](cProject& p) { p.setFrameInterval(1, 4); }, kDocCells},
        {"frames", [](cProject& p) { p.exchangeFrames(0, 1); }, kDocCells},
        {"lock", [](cProject& p) { p.setLockedPicture(2, 3); }, kDocLock | kDocCells},
        {"picture", [](cProject& p) { p.setPicture(4, strPicture{}); }, kDocPictures},
        {"effect", [](cProject& p) { p.addEffect(strEffect{}); }, kDocEffects},
        {"setting", [](cProject& p) { p.setSetting(kKeyBasicInterval, 3); }, kDocProject},
        {"text", [](cProject& p) { p.setText(kTextUserData, "u"); }, kDocProject},
        {"cell number", [](cProject& p) { p.setCellNumber(6); }, kDocProject | kDocCells | kDocLock},
        {"picture and effect",
         [](cProject& p) {
             p.exchangePictures(4, 0);
             p.removeEffect(0);
         },
         kDocPictures | kDocEffects},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        heard.clear();
        {
            cTransaction t(d.doc, strMessage(kStepChangePicture, 7));
            c.change(d.doc);
            EXPECT_TRUE(heard.empty()); // nothing is announced while the change is open
            EXPECT_TRUE(t.commit());
        }
        EXPECT_EQ(heard, std::vector<unsigned>{c.changes | kDocHistory});
        EXPECT_EQ(d.history.undoStep(0)->changes(), c.changes);
        const strEditResult undone = d.ed.undo();
        EXPECT_EQ(FormatMessage(undone.status), "Undone: Change picture 7");
        EXPECT_EQ(LabelText(d.history.redoLabel()), "Change picture 7");
        EXPECT_EQ(FormatMessage(d.ed.redo().status), "Redone: Change picture 7");
        EXPECT_EQ(heard.size(), 3u);
        EXPECT_EQ(heard[1], c.changes | kDocHistory);
    }
    heard.clear();
    d.doc.markSaved();
    EXPECT_EQ(heard, std::vector<unsigned>{kDocHistory});
}

TEST(History, SizeAccounting) {
    Doc d;
    {
        cTransaction t(d.doc, strMessage(kStepBatch));
        d.put(0, 0, 4);                  // new copy only: 4 + 22
        d.put(0, 0, 5);                  // new and old: 4 + 44
        d.doc.setCell(0, 0, nullptr);    // old only: 4 + 22
        d.doc.setFrameInterval(0, 3);    // 4
        d.doc.exchangeCells(0, 0, 0, 1); // 4
        d.doc.setText(kTextName, "abc"); // 4 + 3
        t.commit();
    }
    EXPECT_EQ(d.history.undoStep(0)->size(), 26u + 48u + 26u + 4u + 4u + 7u);
    EXPECT_EQ(d.history.recordCount(), 6u);
    d.history.undo();
    EXPECT_EQ(d.history.recordBytes(), 115u); // the redo stack counts too
}

TEST(FrameRepair, CompactsFramesKeepingTheirOrder) {
    Doc d(0, 4);
    ASSERT_TRUE(FillXs(d.doc, kColumn, 0, "- 1 - - 4 5 - - - 9")); // frames 1, 4, 5 and 9 only
    d.step(4, 1, 3);
    d.doc.markSaved();
    EXPECT_EQ(d.doc.repairFrames(), 4);
    EXPECT_EQ(d.history.undoCount(), 0u);
    EXPECT_EQ(d.doc.frameCount(), 4);
    EXPECT_EQ(d.doc.getSetting(kKeyFrameCount), 4);
    EXPECT_EQ(d.row(0) + " | " + d.row(1) + " | " + d.row(2) + " | " + d.row(3),
              "1 - - - | 4 3 - - | 5 - - - | 9 - - -");
    EXPECT_TRUE(d.doc.modified());      // the repair cannot be undone, so the saved state is gone
    EXPECT_EQ(d.doc.repairFrames(), 0); // already packed

    Doc empty(0, 4); // no frame left: one blank frame
    EXPECT_EQ(empty.doc.repairFrames(), 1);
    ASSERT_NE(empty.doc.frame(0), nullptr);
    EXPECT_EQ(empty.doc.getSetting(kKeyFrameCount), 1);
    EXPECT_EQ(empty.doc.frame(0)->cells.capacity(), 4);
    EXPECT_EQ(empty.doc.frame(0)->cells.occupied(), 0);
}
