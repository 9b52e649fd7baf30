// The editing commands with their messages and the completion rule. The history property test
// checks that every command undoes and redoes exactly; these tests check what the commands do.

#include "document/restore.h"
#include "document_fixture.h"
#include "support/document_compare.h"
#include "support/message_texts.h"

#include <functional>
#include <set>
#include <tuple>

using namespace document_testing;
using testing_support::ProjectFingerprint;

namespace {

std::string Text(const strEditResult& r) {
    return FormatMessage(r.status);
}

const std::string kFailed = Msg(kMsgProcessingFailed, 7, 5);

strCell Rich(int picture, int pattern, int blend, int x, int colour) {
    return strCell(picture, pattern, blend, x, x, 100 + x, 100 + x, x * 10, x, colour, colour, colour,
                   colour);
}

// Every frame up to the count: the x of its cells joined by "+", "-" for none, "/interval" when not
// 0, and "!" when its row does not have the cell number of slots.
std::string Tags(const cProject& doc) {
    std::string s;
    for (int f = 0; f < doc.frameCount(); ++f) {
        std::string t;
        for (int c = 0; c < doc.cellNumber(); ++c)
            if (doc.cell(f, c)) t += (t.empty() ? "" : "+") + std::to_string(doc.cell(f, c)->x);
        s += (f ? " " : "") + (t.empty() ? "-" : t);
        if (const strFrame* fr = doc.frame(f)) {
            if (fr->interval) s += "/" + std::to_string(fr->interval);
            if (fr->cells.capacity() != doc.cellNumber()) s += "!";
        }
    }
    return s;
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

// Frame 1 completed from frames 0 and 2, as a whole or in its selected cells.
TEST(Completion, CompletesFromTheNeighbourFrames) {
    const std::string done = Msg(kMsgFrameDone, 1), some = Msg(kMsgCountComplete, 1),
                      nothing = Msg(kMsgNothingToFillIn, 1);
    struct {
        const char* name;
        std::string frames[3];
        std::vector<int> selected; // empty: the whole frame
        std::string status, row;   // and frame 1 afterwards
        size_t records;            // one per changed cell
    } cases[] = {
        {"ten and fifteen give twelve", {"- - 10 -", "- - - -", "- - 15 -"}, {}, done, "- - 12 -", 1},
        {"nothing to complete", {"- - - -", "- - - -", "- - - -"}, {}, nothing, "- - - -", 0},
        {"both, only next, only itself", {"0 - - -", "- - 33 -", "100 - - 8"}, {}, done, "50 - 33 8", 2},
        {"nothing changes: no step", {"- 10 - -", "5 15 - -", "- 20 - -"}, {}, nothing, "5 15 - -", 0},
        {"nothing changes, selected", {"- 10 - -", "5 15 - -", "- 20 - -"}, {0, 1}, "", "5 15 - -", 0},
        {"no cell is created", {"- 10 - -", "- - - -", "- 20 - -"}, {1}, "", "- - - -", 0},
        {"two selected, one alone", {"- 10 - -", "- 0 0 -", "- 20 - -"}, {1, 2}, some, "- 15 0 -", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Editor e(3, 4);
        for (int f = 0; f < 3; ++f)
            ASSERT_TRUE(FillXs(e.doc, kRow, f, c.frames[f]));
        e.history.clear();
        e.ed.setCurrentFrame(1);
        for (int k : c.selected)
            e.ed.select(k);
        const strEditResult r = c.selected.empty() ? e.ed.completeFrame() : e.ed.completeSelectedCells();
        EXPECT_EQ(Text(r), c.status);
        EXPECT_EQ(r.ok, c.records > 0);
        EXPECT_EQ(e.row(1), c.row);
        const cRestoreObj* step = e.history.undoStep(0);
        EXPECT_EQ(step ? step->records.size() : 0u, c.records);
    }
}

// A frame at either end has one neighbour: its cells become copies of that one's, and when they
// already are, the status names the neighbour that is missing.
TEST(Completion, AFrameAtEitherEndSaysWhichNeighbourIsMissing) {
    Editor e(3, 4);
    for (int f = 0; f < 3; ++f)
        ASSERT_TRUE(FillXs(e.doc, kRow, f, "5 - - -"));
    e.ed.setCurrentFrame(2);
    EXPECT_EQ(Text(e.ed.completeFrame()), Msg(kMsgFillLastFrame, 2));
    e.ed.setCurrentFrame(0);
    EXPECT_EQ(Text(e.ed.completeFrame()), Msg(kMsgFillFirstFrame, 0));
    ASSERT_TRUE(FillXs(e.doc, kRow, 1, "7 - - -"));
    EXPECT_EQ(Text(e.ed.completeFrame()), Msg(kMsgFrameDone, 0));
    EXPECT_EQ(e.row(0), "7 - - -");
}

TEST(Completion, CompTypeModes) {
    const strCell prev = Rich(2, 10, 0, 10, 0), next = Rich(6, 20, 3, 20, 200),
                  base = Rich(9, 99, 1, 77, 150);
    const struct {
        const strCell *prev, *next;
        int mode;
        strCell result;
    } cases[] = {
        {&prev, &next, 0, Rich(4, 15, 1, 15, 100)}, // all elements
        {&prev, &next, 1, Rich(9, 99, 1, 15, 100)}, // ignore image/pattern
        {&prev, &next, 2, Rich(9, 99, 1, 15, 150)}, // and colour; blend still interpolated
        {nullptr, nullptr, 0, base},
        {nullptr, &next, 1, Rich(9, 99, 3, 20, 200)}, // one neighbour: copied, keeping what the mode keeps
        {&prev, nullptr, 0, prev},
        {&prev, nullptr, 1, Rich(9, 99, 0, 10, 0)},
        {&prev, nullptr, 2, Rich(9, 99, 0, 10, 150)},
    };
    for (const auto& c : cases) {
        strCell o = base;
        EXPECT_EQ(SupplementCell(o, c.prev, c.next, 0.5f, c.mode), c.prev || c.next);
        EXPECT_EQ(o, c.result) << (&c - cases);
    }

    // The commands take the mode from the settings.
    Editor e(3);
    e.config.CompType = 2;
    e.put(0, 4, prev);
    e.put(1, 4, base);
    e.ed.setCurrentFrame(1);
    e.ed.select(4);
    EXPECT_EQ(Text(e.ed.completeSelectedCells()), Msg(kMsgCountComplete, 1));
    EXPECT_EQ(*e.doc.cell(1, 4), Rich(9, 99, 0, 10, 150));
}

TEST(Completion, ResultIsNormalised) {
    Editor e(3);
    e.put(0, 3, Rich(0, 1, 0, 10, 100));
    e.put(2, 3, Rich(0, 1, 0, 30, 100));
    e.doc.setSetting(kKeyEditFormat, 1); // locked: angle 0, magnifications 100; the cells stay as they are
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

// Four frames: frame f has a cell with x f in slot 0, the odd ones one with x 10 + f in slot 1, and
// frame 2 the interval 5.
TEST(FrameCommands, ChangeTheFramesAndTheCurrentFrame) {
    const std::string start = "0 1+11 2/5 3+13";
    using Run = std::function<strEditResult(cEditCommands&)>;
    using std::placeholders::_1;
    const auto deleteFrames = &cEditCommands::deleteFrames, clearFrames = &cEditCommands::clearFrames;
    struct {
        const char* name;
        int current;
        Run run;
        std::string status, tags;
        int currentAfter;
        std::string label; // of the undo step
    } cases[] = {
        {"insert", 2, &cEditCommands::insertFrame, Msg(kMsgFrameInserted, 2), "0 1+11 - 2/5 3+13", 2,
         "Insert frame 2"},
        {"delete", 1, &cEditCommands::deleteFrame, Msg(kMsgFrameDeleted, 1), "0 2/5 3+13", 1,
         "Delete frame 1"},
        {"delete the last: the current follows", 3, &cEditCommands::deleteFrame, Msg(kMsgFrameDeleted, 3),
         "0 1+11 2/5", 2, "Delete frame 3"},
        {"clear", 2, &cEditCommands::clearFrame, Msg(kMsgFrameCleared, 2), "0 1+11 - 3+13", 2,
         "Clear frame 2"},
        {"delete several", 3, std::bind(deleteFrames, _1, 1, 2), Msg(kMsgCountDelete, 2), "0 3+13", 1,
         "Delete frames 1 to 2"},
        {"delete several past the end", 3, std::bind(deleteFrames, _1, 10, 2), "", start, 3, ""},
        {"delete all: one blank frame is left", 3, std::bind(deleteFrames, _1, 0, 4), Msg(kMsgCountDelete, 4),
         "-", 0, "Delete frames 0 to 3"},
        {"clear several, cut to the frames", 0, std::bind(clearFrames, _1, 1, 5), Msg(kMsgCountClear, 3),
         "0 - - -", 0, "Clear frames 1 to 3"},
        {"clear several past the end", 0, std::bind(clearFrames, _1, 7, 2), "", start, 0, ""},
        {"copy the previous: interval 0", 3, &cEditCommands::copyFromPreviousFrame,
         Msg(kMsgFrameCopied, 2, 3), "0 1+11 2/5 2", 3, "Copy frame 2 to frame 3"},
        {"no frame before the first", 0, &cEditCommands::copyFromPreviousFrame,
         Msg(kMsgNoPreviousFrameToCopy), start, 0, ""},
        {"copy the next", 0, &cEditCommands::copyFromNextFrame, Msg(kMsgFrameCopied, 1, 0),
         "1+11 1+11 2/5 3+13", 0, "Copy frame 1 to frame 0"},
        {"no frame after the last", 3, &cEditCommands::copyFromNextFrame, Msg(kMsgNoNextFrameToCopy), start,
         3, ""},
        {"next on the last adds a frame", 3, &cEditCommands::nextFrame, Msg(kMsgFrameInserted, 4),
         start + " -", 4, "Insert frame 4"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Editor e(4, 4);
        ASSERT_TRUE(FillXs(e.doc, kColumn, 0, "0 1 2 3"));
        ASSERT_TRUE(FillXs(e.doc, kColumn, 1, "- 11 - 13"));
        e.doc.setFrameInterval(2, 5);
        e.history.clear();
        ASSERT_EQ(Tags(e.doc), start);
        e.ed.setCurrentFrame(c.current);
        const strEditResult r = c.run(e.ed);
        EXPECT_EQ(Text(r), c.status);
        EXPECT_EQ(Tags(e.doc), c.tags);
        EXPECT_EQ(e.ed.currentFrame(), c.currentAfter);
        EXPECT_EQ(r.ok, !c.label.empty());
        EXPECT_EQ(e.history.undoCount(), r.ok ? 1u : 0u);
        EXPECT_EQ(e.history.undoLabel() ? FormatMessage(*e.history.undoLabel()) : "", c.label);
    }
}

// Nothing that adds frames pushes one off the end: on 1000 frames it changes nothing and says why.
TEST(FrameCommands, AFullAnimationRefusesNewFrames) {
    Editor e(1000, 2);
    for (int f = 0; f < 1000; ++f)
        e.put(f, 0, f);
    e.doc.markSaved();
    const std::string start = ProjectFingerprint(e.doc);
    e.config.NewFrameFlag = true;
    for (int current : {0, 999}) {
        e.ed.setCurrentFrame(current);
        const strEditResult r = current == 999 ? e.ed.nextFrame() : e.ed.insertFrame();
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(Text(r), Msg(kMsgFramesFull, 1000));
        EXPECT_EQ(e.ed.currentFrame(), current);
    }
    EXPECT_EQ(InsertBlankFrames(e.doc, 500, 1), 0);
    EXPECT_EQ(start, ProjectFingerprint(e.doc));
    EXPECT_EQ(e.history.undoCount(), 0u);
    EXPECT_FALSE(e.doc.modified());

    e.ed.deleteFrame(); // 999 frames: one more fits, two do not
    EXPECT_EQ(InsertBlankFrames(e.doc, 0, 2), 0);
    EXPECT_EQ(Text(e.ed.insertFrame()), Msg(kMsgFrameInserted, 998));
    EXPECT_EQ(e.x(999, 0), 998);
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
    EXPECT_EQ(e.doc.frameCount(), 3);
    EXPECT_EQ(e.history.undoCount(), 0u);
}

TEST(FrameCommands, EmptyCurrentFrameRunsTheFrameRepair) {
    Editor e(4);
    ASSERT_TRUE(FillXs(e.doc, kColumn, 0, "0 1 2 3"));
    e.ed.setCurrentFrame(1);
    e.step(0, 1, 5);
    e.doc.replaceFrame(1, nullptr); // packing lost behind the history's back
    strEditResult r = e.ed.clearFrame();
    EXPECT_EQ(r.alert.id, kMsgFrameRepair);
    EXPECT_EQ(FormatMessage(r.alert), MessageText(kMsgFrameRepair));
    EXPECT_EQ(Tags(e.doc), "0+5 - 3"); // compacted (2, 3 moved to 1, 2), then frame 1 cleared
    EXPECT_EQ(Text(r), Msg(kMsgFrameCleared, 1));
    EXPECT_EQ(e.history.undoCount(), 1u); // only the command's own step
}

// ---------------------------------------------------------------------------------------------
// Cell commands

// To the foreground (+1), to the background (-1) and Delete (0) on the selected cells of one frame.
TEST(CellCommands, ABlockMovesAsAWholeOrStays) {
    const std::string full = "0 1 2 3 4 5 6 7", gap = "0 1 - 3 4 5 6 7";
    struct {
        std::string row;
        std::vector<int> selected;
        int direction;
        std::string status, after;
        std::vector<int> selectedAfter;
    } cases[] = {
        {gap, {1}, 1, Msg(kMsgCountForeground, 1), "0 - 1 3 4 5 6 7", {2}}, // into an empty slot
        {gap, {2}, 1, "", gap, {2}},                                        // a mark on an empty slot
        {gap, {2}, -1, "", gap, {2}},
        {full, {3, 4}, 1, Msg(kMsgCountForeground, 2), "0 1 2 5 3 4 6 7", {4, 5}},
        {full, {3, 4}, -1, Msg(kMsgCountBackground, 2), "0 1 3 4 2 5 6 7", {2, 3}},
        {full, {6, 7}, 1, "", full, {6, 7}}, // against the edge: the block stays
        {full, {5, 6, 7}, 1, "", full, {5, 6, 7}},
        {full, {0, 1}, -1, "", full, {0, 1}},
        {full, {2, 6, 7}, 1, Msg(kMsgCountForeground, 1), "0 1 3 2 4 5 6 7", {3, 6, 7}},
        {full, {0, 1, 4}, -1, Msg(kMsgCountBackground, 1), "0 1 2 4 3 5 6 7", {0, 1, 3}},
        {full, {0, 1, 3, 4}, 1, Msg(kMsgCountForeground, 4), "2 0 1 5 3 4 6 7", {1, 2, 4, 5}},
        {gap, {1, 2, 4}, 0, Msg(kMsgCountDelete, 2), "0 - - 3 - 5 6 7", {2}}, // only cells there are
        {gap, {2}, 0, "", gap, {2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.selected) + " " + std::to_string(c.direction));
        Editor e(1, 8);
        ASSERT_TRUE(FillXs(e.doc, kRow, 0, c.row));
        e.history.clear();
        for (int k : c.selected)
            e.ed.select(k);
        e.ed.setCurrentCell(c.selected.back());
        const strEditResult r = c.direction > 0   ? e.ed.toForeground()
                                : c.direction < 0 ? e.ed.toBackground()
                                                  : e.ed.deleteSelectedCells();
        EXPECT_EQ(Text(r), c.status);
        EXPECT_EQ(r.ok, !c.status.empty());
        EXPECT_EQ(e.row(0), c.after);
        EXPECT_EQ(e.ed.selection(), c.selectedAfter);
        EXPECT_EQ(e.ed.currentCell(), c.direction ? c.selectedAfter.back() : c.selected.back());
        EXPECT_EQ(e.history.undoCount(), c.status.empty() ? 0u : 1u);
    }
}

TEST(CellCommands, SelectAllAndTheCellNumber) {
    Editor e(2, 6);
    ASSERT_TRUE(FillXs(e.doc, kRow, 0, "- 1 - - 4"));
    e.ed.select(2); // a mark on an empty slot
    strEditResult r = e.ed.selectAll();
    EXPECT_TRUE(r.ok);
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

TEST(UndoCommands, MessagesSayWhatWasUndone) {
    Editor e(2);
    EXPECT_EQ(Text(e.ed.undo()), Msg(kMsgCannotUndo));
    EXPECT_EQ(Text(e.ed.redo()), Msg(kMsgCannotRedo));
    ASSERT_TRUE(FillXs(e.doc, kRow, 0, "1 1"));
    e.ed.select(0);
    e.ed.select(1);
    e.ed.deleteSelectedCells();
    strEditResult r = e.ed.undo();
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(Text(r), "Undone: Delete 2 cells");
    EXPECT_EQ(Text(e.ed.redo()), "Redone: Delete 2 cells");
    EXPECT_EQ(Text(e.ed.redo()), Msg(kMsgCannotRedo));
    EXPECT_EQ(FormatMessage(e.ed.processingFailed()), kFailed);

    e.ed.lastFrame(); // undoing an added frame brings the current frame back inside the document
    e.ed.nextFrame();
    e.ed.undo();
    EXPECT_EQ(e.ed.currentFrame(), 1);
}

// What the listener hears: one notice per command, after it has finished, with the document's
// changes and the view's.
TEST(UndoCommands, OneNoticePerCommand) {
    Editor e(3, 4);
    ASSERT_TRUE(FillXs(e.doc, kRow, 1, "1 2"));
    std::vector<unsigned> heard;
    e.ed.setListener([&](unsigned c) { heard.push_back(c); });
    e.ed.setCurrentFrame(1);
    e.ed.selectAll();
    e.ed.toForeground();
    e.ed.deleteFrame();
    e.ed.undo();
    e.ed.setCurrentFrame(1); // already there: nothing
    EXPECT_EQ(heard,
              (std::vector<unsigned>{kViewFrame, kViewSelection, kDocCells | kDocHistory | kViewSelection,
                                     kDocCells | kDocHistory, kDocCells | kDocHistory}));
}

// ---------------------------------------------------------------------------------------------
// Picture list

// Moving a picture swaps two slots and renumbers the cells and lock entries that name either, so
// the animation looks the same; one step, undone exactly. With the lock on, the lock entries move
// first and the cells follow them.
TEST(PictureCommands, MoveRenumbersTheCellsAndTheLock) {
    for (const bool locked : {false, true}) {
        SCOPED_TRACE(locked ? "lock on" : "lock off");
        Editor e(2, 3);
        for (const char* path : {"a.png", "b.png", "c.png"})
            ASSERT_TRUE(e.doc.setPicture(e.doc.pictureCount(), strPicture{5, 2, 0, path}));
        e.doc.setSetting(kKeyLock, locked);
        for (int c = 0; c < 3; ++c)
            e.doc.setLockedPicture(c, uint8_t(locked ? c : 1)); // false when the entry holds it
        ASSERT_EQ(e.doc.lockedPicture(2), locked ? 2 : 1);
        const int pictures[2][3] = {{0, 1, 2}, {locked ? 0 : 1, 1, 2}};
        for (int f = 0; f < 2; ++f)
            for (int c = 0; c < 3; ++c) {
                strCell cell = CellAt(10 * f + c);
                cell.picture = uint8_t(pictures[f][c]);
                e.put(f, c, cell);
            }
        const std::string before = ProjectFingerprint(e.doc);
        const auto state = [&e] {
            std::string s;
            for (int i = 0; i < 3; ++i)
                s += e.doc.picture(i) ? e.doc.picture(i)->path.substr(0, 1) : "-";
            for (int f = 0; f < 2; ++f)
                for (int c = 0; c < 3; ++c)
                    s += " " + std::to_string(e.doc.cell(f, c)->picture);
            for (int c = 0; c < 3; ++c)
                s += " L" + std::to_string(e.doc.lockedPicture(c));
            return s;
        };

        const strEditResult r = e.ed.movePicture(1, 0);
        EXPECT_TRUE(r.ok);
        EXPECT_EQ(Text(r), Msg(kStepMovePicture, 1, 0));
        EXPECT_EQ(state(), locked ? "bac 1 0 2 1 0 2 L1 L0 L2" : "bac 1 0 2 0 0 2 L0 L0 L0");
        EXPECT_EQ(e.counts(), 100u);
        EXPECT_EQ(Text(e.ed.undo()), Msg(kMsgUndone, Msg(kStepMovePicture, 1, 0)));
        EXPECT_EQ(ProjectFingerprint(e.doc), before);
        e.ed.redo();
        // Into an empty slot: picture 2 goes to slot 3 and its cells follow.
        EXPECT_TRUE(e.ed.movePicture(2, 3).ok);
        EXPECT_EQ(state().substr(0, 3), "ba-");
        EXPECT_EQ(e.doc.picture(3)->path, "c.png");
        EXPECT_EQ(e.doc.cell(0, 2)->picture, 3);
        EXPECT_EQ(e.counts(), 200u);

        // Refused, with no step: two empty slots, a slot outside the table, the same slot.
        EXPECT_EQ(Text(e.ed.movePicture(5, 6)), Msg(kMsgPictureSlotEmpty, 5));
        EXPECT_EQ(Text(e.ed.movePicture(0, -1)), kFailed);
        EXPECT_EQ(Text(e.ed.movePicture(0, e.doc.pictureCapacity())), kFailed);
        EXPECT_FALSE(e.ed.movePicture(1, 1).ok);
        EXPECT_EQ(e.counts(), 200u);
    }
}

// ---------------------------------------------------------------------------------------------
// Message table

// Arguments the text does not expect: a missing one reads as 0, a mismatched one is converted, extra
// ones are ignored; an unknown id shows nothing; a message as the argument of another is formatted
// in its place.
TEST(Messages, ArgumentsAreFittedToTheText) {
    const std::pair<strMessage, std::string> cases[] = {
        {strMessage(), ""},
        {strMessage(kMsgUndoItem, strMessage(kStepMoveCells, 3)), Msg(kMsgUndoItem, Msg(kStepMoveCells, 3))},
        {strMessage(kMsgRedoItem, Counted(kStepMoveCells, 1)), Msg(kMsgRedoItem, Msg(kStepMoveCell))},
        {strMessage(kMsgFrameCopied, 4), Msg(kMsgFrameCopied, 4, 0)},
        {strMessage(kMsgFrameDone, std::string("x")), Msg(kMsgFrameDone, 0)},
        {strMessage(kMsgFrameDone, 2.9), Msg(kMsgFrameDone, 2)},
        {strMessage(kMsgFrameDone, -3, 8), Msg(kMsgFrameDone, -3)},
        {strMessage(static_cast<eMessageId>(999), 1), ""},
    };
    for (const auto& [message, text] : cases)
        EXPECT_EQ(FormatMessage(message), text) << MessageName(message.id);
    EXPECT_NE(Msg(kMsgFrameDone, 2), Msg(kMsgFrameDone, 3));
}

TEST(Messages, FormattingKeepsFlagsAndWidths) {
    const std::tuple<const char*, std::vector<strMessageArg>, std::string> cases[] = {
        {"(%02d:%02d)", {7LL, 5LL}, "(07:05)"},
        {"[%d] %s", {std::string("x"), 3LL}, "[0] 3"},
        {"%5.1f%%", {2LL}, "  2.0%"},
        {"0x%08x", {255LL}, "0x000000ff"},
        {"%d", {}, "0"},
        // long arguments come out whole: a cut could split a multibyte character
        {"%s: %s",
         {std::string(600, 'a'), std::string("\xE7\x94\xBB\xE5\x83\x8F")},
         std::string(600, 'a') + ": \xE7\x94\xBB\xE5\x83\x8F"},
        {"%3s|%-3s|%.2s", {std::string("a"), std::string("b"), std::string("xyz")}, "  a|b  |xy"},
    };
    for (const auto& [format, args, text] : cases)
        EXPECT_EQ(FormatMessageText(format, args), text) << format;
}

TEST(Messages, TextsArePlain) {
    for (int id = 0; id < kMsgCount; ++id)
        EXPECT_TRUE(IsPlainText(MessageText(static_cast<eMessageId>(id))))
            << MessageName(static_cast<eMessageId>(id));
}

TEST(Messages, Captions) {
    EXPECT_STREQ(MessageCaption(MessageKind(kMsgFrameRepair)), MessageCaption(eMessageKind::kError));
    const std::set<std::string> captions = {MessageCaption(eMessageKind::kReport),
                                            MessageCaption(eMessageKind::kConfirm),
                                            MessageCaption(eMessageKind::kError)};
    EXPECT_EQ(captions.size(), 3u);
    EXPECT_EQ(captions.count(""), 0u);
    EXPECT_STREQ(MessageCaption(MessageKind(kMsgFrameDone)), "");
    EXPECT_STREQ(MessageText(static_cast<eMessageId>(-1)), "");
    EXPECT_STREQ(MessageText(kMsgCount), "");
    for (int id = 0; id < kMsgCount; ++id)
        EXPECT_STRNE(MessageName(static_cast<eMessageId>(id)), "") << id;
}
