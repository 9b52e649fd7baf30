// The editing commands with their messages and the completion rule. The history property test
// checks that every command undoes and redoes exactly; these tests check what the commands do.

#include "config/config.h"
#include "document/edit_commands.h"
#include "document/history.h"
#include "document/project.h"
#include "document/restore.h"
#include "support/document_compare.h"

#include <gtest/gtest.h>

using testing_support::FingerprintDifference;
using testing_support::ProjectFingerprint;

namespace {

// A document of `frames` blank frames with `cells` cell numbers, a history and the command layer.
// The clock is fixed at 7:05 so that "processing failed" is predictable.
struct Editor {
    explicit Editor(int frames = 5, int cells = 16) {
        doc.create(0, cells, 0, 0);
        for (int k = 0; k < frames; ++k)
            doc.frames().setCopy(k, doc.blankFrame());
        ed.setDocument(doc);
        ed.setClock([](int& m, int& s) { m = 7, s = 5; });
    }
    void put(int frame, int cell, const strCell& c) { ASSERT_TRUE(doc.setCell(frame, cell, &c)); }
    void put(int frame, int cell, int x) { put(frame, cell, strCell{.x = static_cast<int16_t>(x)}); }
    // Frame f gets a cell in slot 0 whose x is f, to track where the frames go.
    void tagFrames() {
        for (int f = 0; f < doc.frames().count(); ++f)
            put(f, 0, f);
    }
    int x(int frame, int cell) const {
        const strCell* c = doc.cell(frame, cell);
        return c ? c->x : -1;
    }
    // The x of slot 0 of every frame up to the count, "-" for no cell, "/interval" when not 0.
    std::string tags() const {
        std::string s;
        for (int f = 0; f < doc.frames().count(); ++f) {
            const strFrame* fr = doc.frame(f);
            s += (s.empty() ? "" : " ") + (doc.cell(f, 0) ? std::to_string(x(f, 0)) : std::string("-"));
            if (fr && fr->interval) s += "/" + std::to_string(fr->interval);
        }
        return s;
    }
    // The x of every cell slot of frame f, "-" for an empty slot.
    std::string row(int f) const {
        std::string s;
        for (int c = 0; c < doc.cellNumber(); ++c)
            s += (c ? " " : "") + (doc.cell(f, c) ? std::to_string(x(f, c)) : std::string("-"));
        return s;
    }

    cConfig config;
    cProject doc{&config};
    cHistory history{32};
    cEditCommands ed{doc, history, config};
};

std::string Text(const strEditResult& r) {
    return FormatMessage(r.status);
}

// A command that did nothing and shows nothing.
void ExpectNothing(const strEditResult& r) {
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.status.none());
}

const std::string kFailed = "< ! > [7:5] : processing failed";

strCell Rich(int picture, int pattern, int blend, int x, int colour) {
    return strCell(picture, pattern, blend, x, x, 100 + x, 100 + x, x * 10, x, colour, colour, colour,
                   colour);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Interpolation and the supplement

TEST(Completion, InterpolationTruncatesTowardZero) {
    EXPECT_EQ(InterpolateValue<int16_t>(0, -10, 1.0f / 3), -3);
    EXPECT_EQ(InterpolateValue<int16_t>(0, -10, 2.0f / 3), -6);
    EXPECT_EQ(InterpolateValue<int16_t>(-1024, 1024, 0.5f), 0);
    EXPECT_EQ(InterpolateValue<uint8_t>(255, 0, 0.5f), 128); // unsigned fields read unsigned
    EXPECT_EQ(InterpolateValue<uint16_t>(1, 65535, 0.5f), 32768);
}

TEST(Completion, TenAndFifteenGiveTwelveAndThirteen) {
    for (auto [a, b, want] : {std::tuple{10, 15, 12}, std::tuple{15, 10, 13}}) {
        Editor e(3);
        e.ed.setCurrentFrame(1);
        EXPECT_EQ(Text(e.ed.completeFrame()), kFailed); // nothing to complete yet
        EXPECT_EQ(e.history.undoCount(), 0u);
        e.put(0, 2, a);
        e.put(2, 2, b);
        EXPECT_EQ(Text(e.ed.completeFrame()), "Frame [1] done");
        EXPECT_EQ(e.x(1, 2), want);
    }
}

TEST(Completion, CompTypeModes) {
    const strCell prev = Rich(2, 10, 0, 10, 0), next = Rich(6, 20, 3, 20, 200),
                  base = Rich(9, 99, 1, 77, 150);
    auto run = [&](const strCell* p, const strCell* n, int mode) {
        strCell o = base;
        EXPECT_EQ(SupplementCell(o, p, n, 0.5f, mode), p || n);
        return o;
    };
    EXPECT_EQ(run(&prev, &next, 0), Rich(4, 15, 1, 15, 100)); // all elements
    EXPECT_EQ(run(&prev, &next, 1), Rich(9, 99, 1, 15, 100)); // ignore image/pattern
    EXPECT_EQ(run(&prev, &next, 2), Rich(9, 99, 1, 15, 150)); // and colour; blend still interpolated
    EXPECT_EQ(run(nullptr, nullptr, 0), base);
    strCell expect = next; // only next, keeping picture and pattern (only prev: see below)
    expect.picture = 9;
    expect.pattern = 99;
    EXPECT_EQ(run(nullptr, &next, 1), expect);
}

TEST(Completion, CellOnlyInThePreviousFrame) {
    const strCell prev = Rich(2, 10, 0, 10, 50);
    for (int mode : {0, 1, 2}) {
        SCOPED_TRACE(mode);
        Editor f(3);
        f.config.CompType = mode;
        f.put(0, 4, prev);
        f.ed.setCurrentFrame(1);
        strCell expect = prev;
        if (mode == 0) { // copied unchanged into the current frame
            f.ed.completeFrame();
        } else { // the current cell keeps its picture and pattern
            f.put(1, 4, Rich(7, 3, 1, 60, 120));
            f.ed.select(4);
            EXPECT_EQ(Text(f.ed.completeSelectedCells()), "[1] : Complete before and after with frame");
            expect.picture = 7;
            expect.pattern = 3;
            if (mode == 2) expect.red = expect.green = expect.blue = expect.saturation = 120;
        }
        ASSERT_NE(f.doc.cell(1, 4), nullptr);
        EXPECT_EQ(*f.doc.cell(1, 4), expect);
    }
}

TEST(Completion, AddFrameBeforeAndAfterVisitsEveryCellNumber) {
    Editor e(3, 4);
    e.put(0, 0, 0);
    e.put(2, 0, 100);
    e.put(2, 3, 8);  // only next
    e.put(1, 2, 33); // only the cell itself: nothing to complete, not stored
    e.ed.setCurrentFrame(1);
    EXPECT_EQ(Text(e.ed.completeFrame()), "Frame [1] done");
    EXPECT_EQ(e.row(1), "50 - 33 8");
    EXPECT_EQ(e.history.undoStep(0)->records.size(), 2u); // one record per changed cell
}

TEST(Completion, ARunThatChangesNothingAddsNoStep) {
    // Cells without neighbours, and cells that already are what completion gives them.
    Editor e(3, 4);
    e.put(1, 0, 5);
    e.put(0, 1, 10);
    e.put(1, 1, 15);
    e.put(2, 1, 20);
    e.ed.setCurrentFrame(1);
    e.ed.select(0);
    e.ed.select(1);
    const std::string before = ProjectFingerprint(e.doc);
    EXPECT_EQ(Text(e.ed.completeFrame()), kFailed);
    ExpectNothing(e.ed.completeSelectedCells());
    EXPECT_EQ(ProjectFingerprint(e.doc), before);
    EXPECT_EQ(e.history.undoCount(), 0u);
}

TEST(Completion, SelectedCellsWithoutACellAreNotCreated) {
    Editor e(3);
    e.put(0, 1, 10);
    e.put(2, 1, 20);
    e.ed.setCurrentFrame(1);
    e.ed.select(1);
    ExpectNothing(e.ed.completeSelectedCells());
    EXPECT_EQ(e.doc.cell(1, 1), nullptr);

    e.put(1, 1, 0);
    e.put(1, 2, 0);
    e.ed.select(2);
    e.config.CompType = 0;
    EXPECT_EQ(Text(e.ed.completeSelectedCells()), "[1] : Complete before and after with frame");
    EXPECT_EQ(e.x(1, 1), 15);
    EXPECT_EQ(e.x(1, 2), 0); // neither neighbour: unchanged, not counted
}

TEST(Completion, ResultIsNormalised) {
    Editor e(3);
    e.doc.setSetting(kKeyEditFormat, 1);                      // locked: angle 0, magnifications 100
    e.doc.frame(0)->cells.setCopy(3, Rich(0, 1, 0, 10, 100)); // stored raw, bypassing normalisation
    e.doc.frame(2)->cells.setCopy(3, Rich(0, 1, 0, 30, 100));
    e.ed.setCurrentFrame(1);
    e.ed.completeFrame();
    strCell expect = Rich(0, 1, 0, 20, 100);
    expect.angle = 0;
    expect.mx = expect.my = 100;
    ASSERT_NE(e.doc.cell(1, 3), nullptr);
    EXPECT_EQ(*e.doc.cell(1, 3), expect);
}

// ---------------------------------------------------------------------------------------------
// Frame commands

TEST(FrameCommands, InsertDeleteAndClearFrame) {
    Editor e(4);
    e.tagFrames();
    e.doc.setFrameInterval(2, 5);
    e.ed.setCurrentFrame(2);
    strEditResult r = e.ed.insertFrame();
    EXPECT_TRUE(r.ok && r.changed);
    EXPECT_EQ(Text(r), "Inserted in frame [2]");
    EXPECT_EQ(e.tags(), "0 1 - 2/5 3");
    EXPECT_EQ(e.doc.frame(2)->cells.capacity(), 16);
    EXPECT_EQ(e.ed.currentFrame(), 2);

    e.ed.setCurrentFrame(1);
    EXPECT_EQ(Text(e.ed.deleteFrame()), "Frame [1] deleted");
    EXPECT_EQ(e.tags(), "0 - 2/5 3");
    EXPECT_EQ(e.ed.currentFrame(), 1);
    e.ed.setCurrentFrame(3); // the last frame: the current frame follows the count
    EXPECT_EQ(Text(e.ed.deleteFrame()), "Frame [3] deleted");
    EXPECT_EQ(e.ed.currentFrame(), 2);

    EXPECT_EQ(Text(e.ed.clearFrame()), "Frame [2] cleared");
    EXPECT_EQ(e.tags(), "0 - -");
}

TEST(FrameCommands, InsertFrameInAFullDocumentDropsSlot999) {
    Editor e(1000, 2);
    e.tagFrames();
    const std::string start = ProjectFingerprint(e.doc);
    e.ed.setCurrentFrame(0);
    EXPECT_EQ(Text(e.ed.insertFrame()), "Inserted in frame [0]");
    EXPECT_EQ(e.doc.frames().occupied(), 1000);
    EXPECT_EQ(e.x(0, 0), -1);
    EXPECT_EQ(e.x(1, 0), 0);
    EXPECT_EQ(e.x(999, 0), 998); // the old frame 999 is gone
    EXPECT_EQ(Text(e.ed.undo()), "I cancel one");
    EXPECT_EQ(FingerprintDifference(start, ProjectFingerprint(e.doc)), ""); // frame 999 is back

    // at the last slot the frame there is replaced by a blank one
    e.ed.setCurrentFrame(999);
    EXPECT_EQ(Text(e.ed.insertFrame()), "Inserted in frame [999]");
    EXPECT_EQ(e.x(999, 0), -1);
    EXPECT_EQ(e.x(998, 0), 998);
}

TEST(FrameCommands, SeveralFramesAtOnce) {
    Editor e(6);
    e.tagFrames();
    e.ed.setCurrentFrame(5);
    EXPECT_EQ(Text(e.ed.deleteFrames(1, 3)), "[3] : Delete");
    EXPECT_EQ(e.tags(), "0 4 5");
    EXPECT_EQ(e.ed.currentFrame(), 2);
    ExpectNothing(e.ed.deleteFrames(10, 2));

    EXPECT_EQ(Text(e.ed.clearFrames(1, 5)), "[2] : Clear"); // cut to the occupied frames
    EXPECT_EQ(e.tags(), "0 - -");
    EXPECT_TRUE(e.ed.clearFrames(7, 2).status.none());

    EXPECT_EQ(Text(e.ed.deleteFrames(0, 3)), "[3] : Delete"); // all: one blank frame left
    EXPECT_EQ(e.doc.frames().occupied(), 1);
    EXPECT_EQ(e.tags(), "-");
}

TEST(FrameCommands, CopyFromPreviousAndNextFrame) {
    Editor e(3, 10);
    e.put(0, 2, 7);
    e.put(0, 5, 8);
    e.doc.setFrameInterval(0, 6);
    e.put(1, 3, 1);
    e.ed.setCurrentFrame(0);
    EXPECT_EQ(Text(e.ed.copyFromPreviousFrame()), kFailed); // frame 0 has no previous frame

    e.ed.setCurrentFrame(1);
    EXPECT_EQ(Text(e.ed.copyFromPreviousFrame()), "Frame [0]to[1] copied");
    EXPECT_EQ(e.row(1), "- - 7 - - 8 - - - -");
    EXPECT_EQ(e.doc.frame(1)->interval, 0); // the interval is set to 0 afterwards
    EXPECT_EQ(e.history.undoStep(0)->records.size(), 2u);

    e.ed.setCurrentFrame(2);
    EXPECT_EQ(Text(e.ed.copyFromNextFrame()), kFailed); // no frame after the last one
    e.ed.setCurrentFrame(0);
    e.put(1, 9, 9);
    EXPECT_EQ(Text(e.ed.copyFromNextFrame()), "Frame [1]to[0] copied");
    EXPECT_EQ(e.row(0), "- - 7 - - 8 - - - 9");
}

TEST(FrameCommands, Navigation) {
    Editor e(3);
    e.config.NewFrameFlag = false;
    std::string moves;
    auto go = [&](strEditResult r) {
        moves += (r.ok ? "" : "!") + std::to_string(e.ed.currentFrame()) + " ";
    };
    go(e.ed.previousFrame());
    go(e.ed.firstFrame());
    go(e.ed.nextFrame());
    go(e.ed.lastFrame());
    go(e.ed.lastFrame());
    go(e.ed.nextFrame()); // last frame, "Auto add frame" off: stays
    go(e.ed.previousFrame());
    go(e.ed.firstFrame());
    EXPECT_EQ(moves, "!0 !0 1 2 !2 !2 1 0 ");
    EXPECT_FALSE(e.ed.setCurrentFrame(3));
    EXPECT_EQ(e.doc.frames().count(), 3);
    EXPECT_EQ(e.history.undoCount(), 0u);
}

TEST(FrameCommands, NextFrameAddsAFrameWhenAutoAddIsOn) {
    Editor e(2);
    e.config.NewFrameFlag = true;
    e.ed.setCurrentFrame(1);
    strEditResult r = e.ed.nextFrame();
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(Text(r), "Inserted in frame [2]");
    EXPECT_EQ(e.ed.currentFrame(), 2);
    EXPECT_EQ(e.doc.frames().count(), 3);
    e.ed.setCurrentFrame(0);
    EXPECT_TRUE(e.ed.nextFrame().status.none()); // not the last frame: just moves
    EXPECT_EQ(e.doc.frames().count(), 3);

    // undoing the added frame brings the current frame back inside the document
    e.ed.lastFrame();
    e.ed.undo();
    EXPECT_EQ(e.doc.frames().count(), 2);
    EXPECT_EQ(e.ed.currentFrame(), 1);

    Editor full(1000, 1); // a full document only stays
    full.config.NewFrameFlag = true;
    full.ed.setCurrentFrame(999);
    ExpectNothing(full.ed.nextFrame());
    EXPECT_EQ(full.ed.currentFrame(), 999);
}

TEST(FrameCommands, EmptyCurrentFrameRunsTheFrameRepair) {
    Editor e(4);
    e.tagFrames();
    e.ed.setCurrentFrame(1);
    e.history.open();
    e.doc.setCell(0, 1, nullptr);
    e.history.close(true);
    e.doc.frames().reset(1); // packing lost behind the history's back
    strEditResult r = e.ed.clearFrame();
    EXPECT_EQ(r.alert.id, kMsgFrameRepair);
    EXPECT_EQ(MessageKind(r.alert.id), eMessageKind::kError);
    EXPECT_EQ(
        FormatMessage(r.alert),
        "There seems to be a failing in frame processing.\nAttempts to restore, but the history is reset.");
    EXPECT_EQ(e.tags(), "0 - 3"); // compacted (2, 3 moved to 1, 2), then frame 1 cleared
    EXPECT_EQ(Text(r), "Frame [1] cleared");
    EXPECT_EQ(e.history.undoCount(), 1u); // only the command's own step
}

// ---------------------------------------------------------------------------------------------
// Cell commands

TEST(CellCommands, DeleteCountsOnlyExistingCells) {
    Editor e(2, 5);
    e.put(0, 1, 1);
    e.put(0, 4, 4);
    for (int c : {1, 2, 4})
        e.ed.select(c);
    EXPECT_EQ(Text(e.ed.deleteSelectedCells()), "[2] : Delete");
    EXPECT_EQ(e.row(0), "- - - - -");
    EXPECT_EQ(e.ed.selection(), std::vector<int>{2});
    ExpectNothing(e.ed.deleteSelectedCells());
}

TEST(CellCommands, MovesSwapEmptySlotsAndStopAtTheEdges) {
    Editor e(1, 4);
    e.put(0, 1, 1);
    e.ed.select(1);
    EXPECT_EQ(Text(e.ed.toForeground()), "[1] : To the foreground"); // into the empty slot 2
    EXPECT_EQ(e.row(0), "- - 1 -");
    e.ed.clearSelection();
    e.put(0, 3, 3);
    e.ed.select(3);
    ExpectNothing(e.ed.toForeground()); // the top cell number cannot move up
    e.ed.clearSelection();
    e.put(0, 0, 0);
    e.ed.select(0);
    EXPECT_TRUE(e.ed.toBackground().status.none());
    EXPECT_EQ(e.ed.selection(), std::vector<int>{0});
    e.ed.clearSelection();
    e.ed.select(1); // a mark on an empty slot moves nothing
    EXPECT_TRUE(e.ed.toForeground().status.none());
    EXPECT_TRUE(e.ed.toBackground().status.none());
    EXPECT_EQ(e.row(0), "0 - 1 3");
}

TEST(CellCommands, ABlockMovesAsAWholeOrStays) {
    struct {
        std::vector<int> selected;
        bool up;
        std::string row;
        std::string status;
        std::vector<int> after; // the selection afterwards
    } cases[] = {
        {{3, 4}, true, "0 1 2 5 3 4 6 7", "[2] : To the foreground", {4, 5}},
        {{3, 4}, false, "0 1 3 4 2 5 6 7", "[2] : To the background", {2, 3}},
        {{6, 7}, true, "0 1 2 3 4 5 6 7", "", {6, 7}},
        {{5, 6, 7}, true, "0 1 2 3 4 5 6 7", "", {5, 6, 7}},
        {{0, 1}, false, "0 1 2 3 4 5 6 7", "", {0, 1}},
        {{2, 6, 7}, true, "0 1 3 2 4 5 6 7", "[1] : To the foreground", {3, 6, 7}},
        {{0, 1, 4}, false, "0 1 2 4 3 5 6 7", "[1] : To the background", {0, 1, 3}},
        {{0, 1, 3, 4}, true, "2 0 1 5 3 4 6 7", "[4] : To the foreground", {1, 2, 4, 5}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.selected));
        Editor e(1, 8);
        for (int k = 0; k < 8; ++k)
            e.put(0, k, k);
        e.history.clear();
        for (int k : c.selected)
            e.ed.select(k);
        e.ed.setCurrentCell(c.selected.back());
        const strEditResult r = c.up ? e.ed.toForeground() : e.ed.toBackground();
        EXPECT_EQ(Text(r), c.status);
        EXPECT_EQ(e.row(0), c.row);
        EXPECT_EQ(e.ed.selection(), c.after);
        EXPECT_EQ(e.ed.currentCell(), c.after.back());
        EXPECT_EQ(e.history.undoCount(), c.status.empty() ? 0u : 1u);
    }
}

TEST(CellCommands, SelectAllAndTheCellNumber) {
    Editor e(2, 6);
    e.put(0, 1, 1);
    e.put(0, 4, 4);
    e.ed.select(2); // a mark on an empty slot
    strEditResult r = e.ed.selectAll();
    EXPECT_TRUE(r.changed);
    EXPECT_TRUE(r.status.none());
    EXPECT_EQ(e.ed.selection(), (std::vector<int>{1, 4}));
    e.ed.selectAll(); // all existing cells already selected: clears
    EXPECT_TRUE(e.ed.selection().empty());
    e.ed.setCurrentFrame(1); // a frame without cells
    e.ed.select(3);
    e.ed.selectAll();
    EXPECT_TRUE(e.ed.selection().empty());

    // the marks follow the cell number
    e.ed.select(5);
    e.ed.setCurrentCell(5);
    e.doc.setCellNumber(4);
    e.ed.selectAll(); // any command trims the marks
    EXPECT_TRUE(e.ed.selection().empty());
    EXPECT_EQ(e.ed.currentCell(), -1);
    e.ed.select(9);
    EXPECT_FALSE(e.ed.isSelected(9));
    e.ed.setCurrentCell(5);
    EXPECT_EQ(e.ed.currentCell(), -1);
}

// ---------------------------------------------------------------------------------------------
// Undo / Redo and the step frame

TEST(UndoCommands, MessagesAndTheStepFrame) {
    Editor e(2);
    EXPECT_EQ(Text(e.ed.undo()), "< ! > I cannot cancel");
    EXPECT_EQ(Text(e.ed.redo()), "< ! > cannot fix it");
    e.put(0, 0, 1);
    e.ed.select(0);
    e.ed.deleteSelectedCells();
    strEditResult r = e.ed.undo();
    EXPECT_TRUE(r.ok && r.changed);
    EXPECT_EQ(Text(r), "I cancel one");
    EXPECT_EQ(Text(e.ed.redo()), "I redone one");
    EXPECT_EQ(Text(e.ed.redo()), "< ! > cannot fix it");

    // commands added elsewhere use the step frame
    ASSERT_TRUE(e.ed.begin(r));
    e.put(0, 0, 1);
    e.put(1, 0, 1);
    e.ed.commit();
    EXPECT_TRUE(r.alert.none());
    EXPECT_EQ(e.history.undoCount(), 2u);
    EXPECT_EQ(FormatMessage(e.ed.processingFailed()), kFailed);

    e.history.clear(0); // depth 0 keeps nothing
    e.ed.insertFrame();
    EXPECT_EQ(e.doc.frames().count(), 3);
    EXPECT_EQ(Text(e.ed.undo()), "< ! > I cannot cancel");
}

// ---------------------------------------------------------------------------------------------
// Message table

// The texts the commands above do not show.
TEST(Messages, ExactTexts) {
    const std::pair<strMessage, const char*> cases[] = {
        {strMessage(kMsgCountCopy, 1), "[1] : Copy"},
        {strMessage(kMsgCountCut, 1), "[1] : Cut"},
        {strMessage(kMsgCountPaste, 1), "[1] : Paste"},
        {ProcessingFailed(59, 0), "< ! > [59:0] : processing failed"},
        {strMessage(kMsgConfirmStructural),
         "In order to reflect the change, it is necessary to rewrite it to a large extent.\n"
         "Is it OK\xEF\xBC\x9F\n\xE2\x80\xBBThis operation can not be restored."},
        {strMessage(), ""},
        // missing and mismatched arguments
        {strMessage(kMsgFrameCopied, 4), "Frame [4]to[0] copied"},
        {strMessage(kMsgFrameDone, std::string("x")), "Frame [0] done"},
        {strMessage(kMsgFrameDone, 2.9), "Frame [2] done"},
        {strMessage(kMsgFrameDone, -3, 8), "Frame [-3] done"},
        {strMessage(static_cast<eMessageId>(999), 1), ""},
    };
    for (const auto& [message, text] : cases)
        EXPECT_EQ(FormatMessage(message), text);

    EXPECT_STREQ(MessageCaption(MessageKind(kMsgFrameRepair)), "Error");
    EXPECT_STREQ(MessageCaption(MessageKind(kMsgConfirmStructural)), "Confirmation");
    EXPECT_STREQ(MessageCaption(eMessageKind::kReport), "Reporting");
    EXPECT_STREQ(MessageCaption(MessageKind(kMsgFrameDone)), "");
    EXPECT_STREQ(MessageText(static_cast<eMessageId>(-1)), "");
    EXPECT_STREQ(MessageText(kMsgCount), "");
    for (int id = 0; id < kMsgCount; ++id)
        EXPECT_STRNE(MessageName(static_cast<eMessageId>(id)), "") << id;
}
