// The editing commands with their messages, the completion rule, and
// Undo / Redo through the command layer.

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

strCell CellX(int x) {
    strCell c;
    c.x = static_cast<int16_t>(x);
    return c;
}

// A document of `frames` blank frames with `cells` cell numbers, a history and the command layer.
// The clock is fixed at 7:05 so that "processing failed" is predictable.
struct Editor {
    explicit Editor(int frames = 5, int cells = 16) {
        doc.create(0, cells, 0, 0);
        for (int k = 0; k < frames; ++k)
            doc.frames().setCopy(k, doc.blankFrame());
        ed.setDocument(doc);
        ed.setClock([](int& m, int& s) {
            m = 7;
            s = 5;
        });
    }
    void put(int frame, int cell, const strCell& c) { ASSERT_TRUE(doc.setCell(frame, cell, &c)); }
    void put(int frame, int cell, int x) { put(frame, cell, CellX(x)); }
    // Marks frame f with a cell in slot 0 whose x is the frame's tag, for tracking frames.
    void tag(int f, int tagValue) { put(f, 0, CellX(tagValue)); }
    int tagOf(int f) const {
        const strCell* c = doc.cell(f, 0);
        return c ? c->x : -1;
    }
    int x(int frame, int cell) const {
        const strCell* c = doc.cell(frame, cell);
        return c ? c->x : -9999;
    }

    cConfig config;
    cProject doc{&config};
    cHistory history{32};
    cEditCommands ed{doc, history, config};
};

std::string Text(const strEditResult& r) {
    return FormatMessage(r.status);
}

const std::string kFailed = "< ! > [7:5] : processing failed";

}  // namespace

// ---------------------------------------------------------------------------------------------
// Interpolation and the supplement

TEST(Completion, InterpolationTruncatesTowardZero) {
    EXPECT_EQ(InterpolateValue<int16_t>(10, 15, 0.5f), 12);
    EXPECT_EQ(InterpolateValue<int16_t>(15, 10, 0.5f), 13);
    EXPECT_EQ(InterpolateValue<int16_t>(0, -10, 1.0f / 3), -3);
    EXPECT_EQ(InterpolateValue<int16_t>(0, -10, 2.0f / 3), -6);
    EXPECT_EQ(InterpolateValue<int16_t>(-1024, 1024, 0.5f), 0);
    EXPECT_EQ(InterpolateValue<uint8_t>(255, 0, 0.5f), 128);  // unsigned fields read unsigned
    EXPECT_EQ(InterpolateValue<uint8_t>(0, 255, 0.5f), 127);
    EXPECT_EQ(InterpolateValue<uint16_t>(1, 65535, 0.5f), 32768);
    EXPECT_EQ(InterpolateValue<int16_t>(-3600, 3600, 0.25f), -1800);
}

TEST(Completion, TenAndFifteenGiveTwelveAndThirteen) {
    Editor e(3);
    e.put(0, 2, 10);
    e.put(2, 2, 15);
    e.ed.setCurrentFrame(1);
    strEditResult r = e.ed.completeFrame();
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(Text(r), "Frame [1] done");
    EXPECT_EQ(e.x(1, 2), 12);

    Editor f(3);
    f.put(0, 2, 15);
    f.put(2, 2, 10);
    f.ed.setCurrentFrame(1);
    f.ed.completeFrame();
    EXPECT_EQ(f.x(1, 2), 13);
}

namespace {

strCell Rich(int picture, int pattern, int blend, int x, int colour) {
    strCell c;
    c.picture = static_cast<uint8_t>(picture);
    c.pattern = static_cast<uint16_t>(pattern);
    c.blend = static_cast<uint8_t>(blend);
    c.x = c.y = static_cast<int16_t>(x);
    c.mx = c.my = static_cast<int16_t>(100 + x);
    c.angle = static_cast<int16_t>(x * 10);
    c.opacity = static_cast<uint8_t>(x);
    c.red = c.green = c.blue = c.saturation = static_cast<uint8_t>(colour);
    return c;
}

}  // namespace

TEST(Completion, CompTypeModes) {
    const strCell prev = Rich(2, 10, 0, 10, 0);
    const strCell next = Rich(6, 20, 3, 20, 200);
    const strCell base = Rich(9, 99, 1, 77, 150);

    strCell o = base;
    ASSERT_TRUE(SupplementCell(o, &prev, &next, 0.5f, 0));  // all elements
    EXPECT_EQ(o, Rich(4, 15, 1, 15, 100));

    o = base;
    SupplementCell(o, &prev, &next, 0.5f, 1);  // ignore image/pattern
    EXPECT_EQ(o, Rich(9, 99, 1, 15, 100));

    o = base;
    SupplementCell(o, &prev, &next, 0.5f, 2);  // ignore image/pattern/colour, blend still interpolated
    EXPECT_EQ(o, Rich(9, 99, 1, 15, 150));

    o = base;
    SupplementCell(o, &prev, nullptr, 0.5f, 0);  // only prev: a copy of prev
    EXPECT_EQ(o, prev);
    o = base;
    SupplementCell(o, nullptr, &next, 0.5f, 1);  // only next, keeping base's picture and pattern
    strCell expect = next;
    expect.picture = 9;
    expect.pattern = 99;
    EXPECT_EQ(o, expect);
    o = base;
    SupplementCell(o, &prev, nullptr, 0.5f, 2);
    expect = prev;
    expect.picture = 9;
    expect.pattern = 99;
    expect.red = expect.green = expect.blue = expect.saturation = 150;
    EXPECT_EQ(o, expect);

    o = base;
    EXPECT_FALSE(SupplementCell(o, nullptr, nullptr, 0.5f, 0));
    EXPECT_EQ(o, base);
}

TEST(Completion, CellOnlyInThePreviousFrame) {
    // mode 0: copied unchanged into the current frame
    Editor e(3);
    const strCell prev = Rich(2, 10, 0, 10, 50);
    e.put(0, 4, prev);
    e.ed.setCurrentFrame(1);
    e.ed.completeFrame();
    ASSERT_NE(e.doc.cell(1, 4), nullptr);
    EXPECT_EQ(*e.doc.cell(1, 4), prev);

    // modes 1 and 2: the current cell keeps its picture and pattern
    for (int mode : {1, 2}) {
        Editor f(3);
        f.config.CompType = mode;
        f.put(0, 4, prev);
        f.put(1, 4, Rich(7, 3, 1, 60, 120));
        f.ed.setCurrentFrame(1);
        f.ed.select(4);
        strEditResult r = f.ed.completeSelectedCells();
        EXPECT_EQ(Text(r), "[1] : Complete before and after with frame");
        strCell expect = prev;
        expect.picture = 7;
        expect.pattern = 3;
        if (mode == 2) expect.red = expect.green = expect.blue = expect.saturation = 120;
        EXPECT_EQ(*f.doc.cell(1, 4), expect) << mode;
    }
}

TEST(Completion, AddFrameBeforeAndAfterVisitsEveryCellNumberFromTheTop) {
    Editor e(3, 4);
    e.put(0, 0, 0);
    e.put(2, 0, 100);
    e.put(2, 3, 8);  // only next
    e.put(1, 2, 33);  // only the cell itself: stored again unchanged
    e.ed.setCurrentFrame(1);
    strEditResult r = e.ed.completeFrame();
    EXPECT_EQ(Text(r), "Frame [1] done");
    EXPECT_EQ(e.x(1, 0), 50);
    EXPECT_EQ(e.doc.cell(1, 1), nullptr);
    EXPECT_EQ(e.x(1, 2), 33);
    EXPECT_EQ(e.x(1, 3), 8);
    // one record per stored cell, stored from the highest cell number down (newest first here)
    const cRestoreObj* step = e.history.undoStep(0);
    ASSERT_NE(step, nullptr);
    ASSERT_EQ(step->records.size(), 3u);
    e.ed.undo();
    EXPECT_EQ(e.doc.cell(1, 0), nullptr);
    EXPECT_EQ(e.doc.cell(1, 3), nullptr);
}

TEST(Completion, NothingToCompleteFails) {
    Editor e(3);
    e.ed.setCurrentFrame(1);
    strEditResult r = e.ed.completeFrame();
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(Text(r), kFailed);
    EXPECT_EQ(e.history.undoCount(), 0u);
}

TEST(Completion, SelectedCellsWithoutACellAreNotCreated) {
    Editor e(3);
    e.put(0, 1, 10);
    e.put(2, 1, 20);
    e.ed.setCurrentFrame(1);
    e.ed.select(1);
    strEditResult r = e.ed.completeSelectedCells();
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.status.none());  // failure message "none"
    EXPECT_EQ(e.doc.cell(1, 1), nullptr);

    e.put(1, 1, 0);
    e.put(1, 2, 0);
    e.ed.select(2);
    e.config.CompType = 0;
    r = e.ed.completeSelectedCells();
    EXPECT_EQ(Text(r), "[2] : Complete before and after with frame");
    EXPECT_EQ(e.x(1, 1), 15);
    EXPECT_EQ(e.x(1, 2), 0);  // neither neighbour: stored unchanged, counted
}

TEST(Completion, ResultIsNormalised) {
    Editor e(3);
    e.doc.setSetting(kKeyEditFormat, 1);  // locked: angle 0, magnifications 100
    strCell a = Rich(0, 1, 0, 10, 100), b = Rich(0, 1, 0, 30, 100);
    e.doc.frame(0)->cells.setCopy(3, a);  // stored raw, bypassing normalisation
    e.doc.frame(2)->cells.setCopy(3, b);
    e.ed.setCurrentFrame(1);
    e.ed.completeFrame();
    ASSERT_NE(e.doc.cell(1, 3), nullptr);
    EXPECT_EQ(e.doc.cell(1, 3)->x, 20);
    EXPECT_EQ(e.doc.cell(1, 3)->angle, 0);
    EXPECT_EQ(e.doc.cell(1, 3)->mx, 100);
}

// ---------------------------------------------------------------------------------------------
// Frame commands

TEST(FrameCommands, InsertFrameShiftsLaterFramesUp) {
    Editor e(4);
    for (int f = 0; f < 4; ++f)
        e.tag(f, f);
    e.doc.setFrameInterval(2, 5);
    e.ed.setCurrentFrame(2);
    strEditResult r = e.ed.insertFrame();
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.changed);
    EXPECT_EQ(Text(r), "Inserted in frame [2]");
    EXPECT_EQ(e.doc.frames().count(), 5);
    EXPECT_EQ(e.tagOf(1), 1);
    EXPECT_EQ(e.tagOf(2), -1);
    EXPECT_EQ(e.doc.frame(2)->interval, 0);
    EXPECT_EQ(e.doc.frame(2)->cells.capacity(), 16);
    EXPECT_EQ(e.tagOf(3), 2);
    EXPECT_EQ(e.doc.frame(3)->interval, 5);
    EXPECT_EQ(e.tagOf(4), 3);
    EXPECT_EQ(e.ed.currentFrame(), 2);
}

TEST(FrameCommands, InsertFrameInAFullDocumentDropsSlot999) {
    Editor e(1000, 2);
    for (int f = 0; f < 1000; ++f)
        e.tag(f, f);
    const std::string start = ProjectFingerprint(e.doc);
    e.ed.setCurrentFrame(0);
    strEditResult r = e.ed.insertFrame();
    EXPECT_EQ(Text(r), "Inserted in frame [0]");
    EXPECT_EQ(e.doc.frames().occupied(), 1000);
    EXPECT_EQ(e.tagOf(0), -1);
    EXPECT_EQ(e.tagOf(1), 0);
    EXPECT_EQ(e.tagOf(999), 998);  // the old frame 999 is gone
    const std::string after = ProjectFingerprint(e.doc);
    EXPECT_EQ(Text(e.ed.undo()), "I cancel one");
    EXPECT_EQ(FingerprintDifference(start, ProjectFingerprint(e.doc)), "");  // frame 999 is back
    EXPECT_EQ(Text(e.ed.redo()), "I redone one");
    EXPECT_EQ(FingerprintDifference(after, ProjectFingerprint(e.doc)), "");

    // at the last slot the frame there is replaced by a blank one
    e.ed.setCurrentFrame(999);
    EXPECT_EQ(Text(e.ed.insertFrame()), "Inserted in frame [999]");
    EXPECT_EQ(e.tagOf(999), -1);
    EXPECT_EQ(e.tagOf(998), 997);
}

TEST(FrameCommands, DeleteFrameSlidesLaterFramesDown) {
    Editor e(4);
    for (int f = 0; f < 4; ++f)
        e.tag(f, f);
    const std::string start = ProjectFingerprint(e.doc);
    e.ed.setCurrentFrame(1);
    strEditResult r = e.ed.deleteFrame();
    EXPECT_EQ(Text(r), "Frame [1] deleted");
    EXPECT_EQ(e.doc.frames().count(), 3);
    EXPECT_EQ(e.tagOf(1), 2);
    EXPECT_EQ(e.tagOf(2), 3);
    EXPECT_EQ(e.ed.currentFrame(), 1);

    e.ed.setCurrentFrame(2);  // the last frame: the current frame follows the count
    EXPECT_EQ(Text(e.ed.deleteFrame()), "Frame [2] deleted");
    EXPECT_EQ(e.ed.currentFrame(), 1);

    e.ed.undo();
    e.ed.undo();
    EXPECT_EQ(FingerprintDifference(start, ProjectFingerprint(e.doc)), "");
}

TEST(FrameCommands, DeletingTheOnlyFrameLeavesOneBlankFrame) {
    Editor e(1);
    e.tag(0, 5);
    e.doc.setFrameInterval(0, 9);
    strEditResult r = e.ed.deleteFrame();
    EXPECT_EQ(Text(r), "Frame [0] deleted");
    ASSERT_NE(e.doc.frame(0), nullptr);
    EXPECT_EQ(e.doc.frames().occupied(), 1);
    EXPECT_EQ(e.doc.frame(0)->cells.occupied(), 0);
    EXPECT_EQ(e.doc.frame(0)->interval, 0);
    e.ed.undo();
    EXPECT_EQ(e.tagOf(0), 5);
    EXPECT_EQ(e.doc.frame(0)->interval, 9);
}

TEST(FrameCommands, SeveralFramesAtOnce) {
    Editor e(6);
    for (int f = 0; f < 6; ++f)
        e.tag(f, f);
    e.ed.setCurrentFrame(5);
    strEditResult r = e.ed.deleteFrames(1, 3);
    EXPECT_EQ(Text(r), "[3] : Delete");
    EXPECT_EQ(e.doc.frames().count(), 3);
    EXPECT_EQ(e.tagOf(1), 4);
    EXPECT_EQ(e.ed.currentFrame(), 2);
    r = e.ed.deleteFrames(10, 2);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.status.none());

    r = e.ed.clearFrames(1, 5);  // cut to the occupied frames
    EXPECT_EQ(Text(r), "[2] : Clear");
    EXPECT_EQ(e.tagOf(0), 0);
    EXPECT_EQ(e.tagOf(1), -1);
    EXPECT_EQ(e.doc.frames().count(), 3);
    EXPECT_TRUE(e.ed.clearFrames(7, 2).status.none());

    EXPECT_EQ(Text(e.ed.deleteFrames(0, 3)), "[3] : Delete");  // all: one blank frame left
    EXPECT_EQ(e.doc.frames().occupied(), 1);
}

TEST(FrameCommands, ClearFrame) {
    Editor e(3);
    e.tag(1, 4);
    e.doc.setFrameInterval(1, 3);
    e.ed.setCurrentFrame(1);
    strEditResult r = e.ed.clearFrame();
    EXPECT_EQ(Text(r), "Frame [1] cleared");
    EXPECT_EQ(e.doc.frame(1)->cells.occupied(), 0);
    EXPECT_EQ(e.doc.frame(1)->interval, 0);
    EXPECT_EQ(e.doc.frames().count(), 3);
}

TEST(FrameCommands, CopyFromPreviousAndNextFrame) {
    Editor e(3);
    e.put(0, 2, 7);
    e.put(0, 5, 8);
    e.doc.setFrameInterval(0, 6);
    e.put(1, 3, 1);

    e.ed.setCurrentFrame(0);
    strEditResult r = e.ed.copyFromPreviousFrame();  // frame 0 has no previous frame
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(Text(r), kFailed);

    e.ed.setCurrentFrame(1);
    r = e.ed.copyFromPreviousFrame();
    EXPECT_EQ(Text(r), "Frame [0]to[1] copied");
    EXPECT_EQ(e.x(1, 2), 7);
    EXPECT_EQ(e.x(1, 5), 8);
    EXPECT_EQ(e.doc.cell(1, 3), nullptr);
    EXPECT_EQ(e.doc.frame(1)->interval, 0);  // the interval is set to 0 afterwards
    EXPECT_EQ(e.history.undoStep(0)->records.size(), 2u);

    e.ed.setCurrentFrame(2);
    EXPECT_EQ(Text(e.ed.copyFromNextFrame()), kFailed);  // no frame after the last one
    e.ed.setCurrentFrame(0);
    e.put(1, 9, 9);
    EXPECT_EQ(Text(e.ed.copyFromNextFrame()), "Frame [1]to[0] copied");
    EXPECT_EQ(e.x(0, 9), 9);
}

TEST(FrameCommands, Navigation) {
    Editor e(3);
    e.config.NewFrameFlag = false;
    EXPECT_FALSE(e.ed.previousFrame().ok);
    EXPECT_FALSE(e.ed.firstFrame().ok);
    EXPECT_TRUE(e.ed.nextFrame().ok);
    EXPECT_EQ(e.ed.currentFrame(), 1);
    EXPECT_TRUE(e.ed.lastFrame().ok);
    EXPECT_EQ(e.ed.currentFrame(), 2);
    EXPECT_FALSE(e.ed.lastFrame().ok);
    strEditResult r = e.ed.nextFrame();  // last frame, "Auto add frame" off: stays
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.status.none());
    EXPECT_EQ(e.doc.frames().count(), 3);
    EXPECT_TRUE(e.ed.previousFrame().ok);
    EXPECT_EQ(e.ed.currentFrame(), 1);
    EXPECT_TRUE(e.ed.firstFrame().ok);
    EXPECT_EQ(e.ed.currentFrame(), 0);
    EXPECT_FALSE(e.ed.setCurrentFrame(3));
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
    EXPECT_EQ(e.history.undoCount(), 1u);
    e.ed.setCurrentFrame(0);
    EXPECT_TRUE(e.ed.nextFrame().status.none());  // not the last frame: just moves
    EXPECT_EQ(e.doc.frames().count(), 3);

    // undoing the added frame brings the current frame back inside the document
    e.ed.lastFrame();
    e.ed.undo();
    EXPECT_EQ(e.doc.frames().count(), 2);
    EXPECT_EQ(e.ed.currentFrame(), 1);
}

TEST(FrameCommands, NextFrameInAFullDocumentOnlyStays) {
    Editor e(1000, 1);
    e.ed.setCurrentFrame(999);
    strEditResult r = e.ed.nextFrame();
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.status.none());
    EXPECT_EQ(e.ed.currentFrame(), 999);
}

TEST(FrameCommands, EmptyCurrentFrameRunsTheFrameRepair) {
    Editor e(4);
    for (int f = 0; f < 4; ++f)
        e.tag(f, f);
    e.ed.setCurrentFrame(1);
    e.history.open();
    e.doc.setCell(0, 1, nullptr);
    e.history.close(true);
    e.doc.frames().reset(1);  // packing lost behind the history's back
    strEditResult r = e.ed.clearFrame();
    EXPECT_EQ(r.alert.id, kMsgFrameRepair);
    EXPECT_EQ(MessageKind(r.alert.id), eMessageKind::kError);
    EXPECT_EQ(
        FormatMessage(r.alert),
        "There seems to be a failing in frame processing.\nAttempts to restore, but the history is reset.");
    EXPECT_EQ(e.tagOf(0), 0);
    EXPECT_EQ(e.tagOf(2), 3);  // compacted: frames 2, 3 moved to 1, 2
    EXPECT_EQ(e.doc.frames().count(), 3);
    EXPECT_EQ(Text(r), "Frame [1] cleared");  // then the command runs
    EXPECT_EQ(e.tagOf(1), -1);
    EXPECT_EQ(e.history.undoCount(), 1u);  // only the command's own step
}

// ---------------------------------------------------------------------------------------------
// Cell commands

TEST(CellCommands, DeleteCountsOnlyExistingCells) {
    Editor e(2);
    e.put(0, 1, 1);
    e.put(0, 4, 4);
    for (int c : {1, 2, 4})
        e.ed.select(c);
    strEditResult r = e.ed.deleteSelectedCells();
    EXPECT_EQ(Text(r), "[2] : Delete");
    EXPECT_EQ(e.doc.cell(0, 1), nullptr);
    EXPECT_EQ(e.doc.cell(0, 4), nullptr);
    EXPECT_EQ(e.ed.selection(), std::vector<int>{2});
    r = e.ed.deleteSelectedCells();
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.status.none());
    e.ed.undo();
    EXPECT_EQ(e.x(0, 1), 1);
    EXPECT_EQ(e.x(0, 4), 4);
}

TEST(CellCommands, ToTheForegroundMovesABlockAsAWhole) {
    Editor e(1, 8);
    for (int c = 0; c < 8; ++c)
        e.put(0, c, c);
    e.ed.select(3);
    e.ed.select(4);
    e.ed.setCurrentCell(4);
    strEditResult r = e.ed.toForeground();
    EXPECT_EQ(Text(r), "[2] : To the foreground");
    EXPECT_EQ(e.x(0, 4), 3);
    EXPECT_EQ(e.x(0, 5), 4);
    EXPECT_EQ(e.x(0, 3), 5);  // the cell that was at 5 is now at 3
    EXPECT_EQ(e.ed.selection(), (std::vector<int>{4, 5}));
    EXPECT_EQ(e.ed.currentCell(), 5);
    e.ed.undo();
    for (int c = 0; c < 8; ++c)
        EXPECT_EQ(e.x(0, c), c);
}

TEST(CellCommands, ToTheBackgroundMovesABlockAsAWhole) {
    Editor e(1, 8);
    for (int c = 0; c < 8; ++c)
        e.put(0, c, c);
    e.ed.select(3);
    e.ed.select(4);
    strEditResult r = e.ed.toBackground();
    EXPECT_EQ(Text(r), "[2] : To the background");
    EXPECT_EQ(e.x(0, 2), 3);
    EXPECT_EQ(e.x(0, 3), 4);
    EXPECT_EQ(e.x(0, 4), 2);
    EXPECT_EQ(e.ed.selection(), (std::vector<int>{2, 3}));
}

TEST(CellCommands, MovesSwapEmptySlotsAndStopAtTheEdges) {
    Editor e(1, 4);
    e.put(0, 1, 1);
    e.ed.select(1);
    EXPECT_EQ(Text(e.ed.toForeground()), "[1] : To the foreground");  // into the empty slot 2
    EXPECT_EQ(e.doc.cell(0, 1), nullptr);
    EXPECT_EQ(e.x(0, 2), 1);
    e.ed.clearSelection();
    e.put(0, 3, 3);
    e.ed.select(3);
    strEditResult r = e.ed.toForeground();  // the top cell number cannot move up
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.status.none());
    e.ed.clearSelection();
    e.put(0, 0, 0);
    e.ed.select(0);
    EXPECT_TRUE(e.ed.toBackground().status.none());
    EXPECT_EQ(e.ed.selection(), std::vector<int>{0});
    e.ed.clearSelection();
    e.ed.select(1);  // a mark on an empty slot moves nothing
    EXPECT_TRUE(e.ed.toForeground().status.none());
    EXPECT_TRUE(e.ed.toBackground().status.none());
    EXPECT_EQ(e.x(0, 2), 1);
    EXPECT_EQ(e.x(0, 0), 0);
}

TEST(CellCommands, SelectAll) {
    Editor e(2, 6);
    e.put(0, 1, 1);
    e.put(0, 4, 4);
    e.ed.select(2);  // a mark on an empty slot
    strEditResult r = e.ed.selectAll();
    EXPECT_TRUE(r.changed);
    EXPECT_TRUE(r.status.none());
    EXPECT_EQ(e.ed.selection(), (std::vector<int>{1, 4}));
    e.ed.selectAll();  // all existing cells already selected: clears
    EXPECT_TRUE(e.ed.selection().empty());
    e.ed.setCurrentFrame(1);  // a frame without cells
    e.ed.select(3);
    e.ed.selectAll();
    EXPECT_TRUE(e.ed.selection().empty());
}

TEST(CellCommands, SelectionFollowsTheCellNumber) {
    Editor e(1, 8);
    e.ed.select(6);
    e.ed.select(2);
    e.ed.setCurrentCell(6);
    e.doc.setCellNumber(4);
    e.ed.selectAll();  // any command trims the marks
    EXPECT_TRUE(e.ed.selection().empty());
    EXPECT_EQ(e.ed.currentCell(), -1);
    e.ed.select(9);
    EXPECT_FALSE(e.ed.isSelected(9));
    e.ed.setCurrentCell(5);
    EXPECT_EQ(e.ed.currentCell(), -1);
}

// ---------------------------------------------------------------------------------------------
// Undo / Redo and the step frame

TEST(UndoCommands, Messages) {
    Editor e(2);
    EXPECT_EQ(Text(e.ed.undo()), "< ! > I cannot cancel");
    EXPECT_EQ(Text(e.ed.redo()), "< ! > cannot fix it");
    e.put(0, 0, 1);
    e.ed.select(0);
    e.ed.deleteSelectedCells();
    strEditResult r = e.ed.undo();
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.changed);
    EXPECT_EQ(Text(r), "I cancel one");
    EXPECT_EQ(Text(e.ed.redo()), "I redone one");
    EXPECT_EQ(Text(e.ed.redo()), "< ! > cannot fix it");
}

TEST(UndoCommands, DepthZeroKeepsNothing) {
    Editor e(2);
    e.history.clear(0);
    e.ed.insertFrame();
    EXPECT_EQ(e.doc.frames().count(), 3);
    EXPECT_EQ(Text(e.ed.undo()), "< ! > I cannot cancel");
}

TEST(UndoCommands, EachCommandIsOneStep) {
    Editor e(4);
    for (int f = 0; f < 4; ++f)
        for (int c = 0; c < 3; ++c)
            e.put(f, c, f * 10 + c);
    const std::string start = ProjectFingerprint(e.doc);
    e.ed.setCurrentFrame(1);
    e.ed.insertFrame();
    e.ed.copyFromNextFrame();
    e.ed.setCurrentFrame(3);
    e.ed.select(0);
    e.ed.select(1);
    e.ed.toForeground();
    e.ed.completeFrame();
    e.ed.deleteFrame();
    EXPECT_EQ(e.history.undoCount(), 5u);
    for (int k = 0; k < 5; ++k)
        EXPECT_TRUE(e.ed.undo().ok);
    EXPECT_EQ(FingerprintDifference(start, ProjectFingerprint(e.doc)), "");
}

TEST(UndoCommands, CommandsAddedElsewhereUseTheStepFrame) {
    Editor e(2);
    strEditResult r;
    ASSERT_TRUE(e.ed.begin(r));
    e.put(0, 0, 1);
    e.put(1, 0, 1);
    e.ed.commit();
    EXPECT_TRUE(r.alert.none());
    EXPECT_EQ(e.history.undoCount(), 1u);
    EXPECT_EQ(FormatMessage(e.ed.processingFailed()), kFailed);
}

// ---------------------------------------------------------------------------------------------
// Message table

TEST(Messages, ExactTexts) {
    EXPECT_EQ(FormatMessage(strMessage(kMsgFrameInserted, 3)), "Inserted in frame [3]");
    EXPECT_EQ(FormatMessage(strMessage(kMsgFrameDeleted, 0)), "Frame [0] deleted");
    EXPECT_EQ(FormatMessage(strMessage(kMsgFrameCleared, 12)), "Frame [12] cleared");
    EXPECT_EQ(FormatMessage(strMessage(kMsgFrameCopied, 4, 5)), "Frame [4]to[5] copied");
    EXPECT_EQ(FormatMessage(strMessage(kMsgFrameDone, 2)), "Frame [2] done");
    EXPECT_EQ(FormatMessage(strMessage(kMsgCountDelete, 2)), "[2] : Delete");
    EXPECT_EQ(FormatMessage(strMessage(kMsgCountClear, 2)), "[2] : Clear");
    EXPECT_EQ(FormatMessage(strMessage(kMsgCountCopy, 1)), "[1] : Copy");
    EXPECT_EQ(FormatMessage(strMessage(kMsgCountCut, 1)), "[1] : Cut");
    EXPECT_EQ(FormatMessage(strMessage(kMsgCountPaste, 1)), "[1] : Paste");
    EXPECT_EQ(FormatMessage(strMessage(kMsgCountForeground, 2)), "[2] : To the foreground");
    EXPECT_EQ(FormatMessage(strMessage(kMsgCountBackground, 2)), "[2] : To the background");
    EXPECT_EQ(FormatMessage(strMessage(kMsgUndone)), "I cancel one");
    EXPECT_EQ(FormatMessage(strMessage(kMsgCannotUndo)), "< ! > I cannot cancel");
    EXPECT_EQ(FormatMessage(strMessage(kMsgRedone)), "I redone one");
    EXPECT_EQ(FormatMessage(strMessage(kMsgCannotRedo)), "< ! > cannot fix it");
    EXPECT_EQ(FormatMessage(ProcessingFailed(59, 0)), "< ! > [59:0] : processing failed");
    EXPECT_EQ(FormatMessage(strMessage(kMsgConfirmStructural)),
              "In order to reflect the change, it is necessary to rewrite it to a large extent.\n"
              "Is it OK\xEF\xBC\x9F\n\xE2\x80\xBBThis operation can not be restored.");
    EXPECT_EQ(FormatMessage(strMessage()), "");
}

TEST(Messages, KindsCaptionsAndNames) {
    EXPECT_EQ(MessageKind(kMsgNone), eMessageKind::kNone);
    EXPECT_EQ(MessageKind(kMsgFrameDone), eMessageKind::kStatus);
    EXPECT_STREQ(MessageCaption(MessageKind(kMsgFrameRepair)), "Error");
    EXPECT_STREQ(MessageCaption(MessageKind(kMsgConfirmStructural)), "Confirmation");
    EXPECT_STREQ(MessageCaption(eMessageKind::kReport), "Reporting");
    EXPECT_STREQ(MessageCaption(eMessageKind::kStatus), "");
    EXPECT_STREQ(MessageName(kMsgFrameCopied), "kMsgFrameCopied");
    EXPECT_STREQ(MessageText(static_cast<eMessageId>(-1)), "");
    EXPECT_STREQ(MessageText(kMsgCount), "");
    for (int id = 0; id < kMsgCount; ++id)
        EXPECT_STRNE(MessageName(static_cast<eMessageId>(id)), "") << id;
}

TEST(Messages, FormattingIsSafe) {
    // missing and mismatched arguments
    EXPECT_EQ(FormatMessage(strMessage(kMsgFrameCopied, 4)), "Frame [4]to[0] copied");
    EXPECT_EQ(FormatMessage(strMessage(kMsgFrameDone, std::string("x"))), "Frame [0] done");
    EXPECT_EQ(FormatMessage(strMessage(kMsgFrameDone, 2.9)), "Frame [2] done");
    EXPECT_EQ(FormatMessage(strMessage(kMsgFrameDone, -3, 8)), "Frame [-3] done");
    EXPECT_EQ(FormatMessage(strMessage(static_cast<eMessageId>(999), 1)), "");
}

TEST(Messages, LocalClockGivesMinuteAndSecond) {
    int m = -1, s = -1;
    LocalMinuteSecond(m, s);
    EXPECT_GE(m, 0);
    EXPECT_LE(m, 59);
    EXPECT_GE(s, 0);
    EXPECT_LE(s, 60);
}
