// The edit-clipboard operations for the list window, the canvas and the timeline,
// and the cell Copy / Cut / Paste commands: what they change, their messages, and that
// each is one undo step with its label.

#include "config/config.h"
#include "document/edit_commands.h"
#include "document/history.h"
#include "document/project.h"
#include "interchange/edit_clip_commands.h"
#include "platform/clipboard.h"
#include "support/document_builder.h"
#include "support/document_compare.h"
#include "support/message_texts.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <tuple>
#include <vector>

namespace {

strCell CellAt(int x, int y = 0, uint16_t pattern = 1) {
    return strCell{.pattern = pattern, .x = static_cast<int16_t>(x), .y = static_cast<int16_t>(y)};
}

// A project of `frames` frames whose frame f holds, in cells 0..3, cells with x = 100 f + c and
// interval f + 1.
class EditClipFixture : public ::testing::Test {
  protected:
    void SetUp() override { make(10); }

    void make(int frames, int cells = 8) {
        ops.reset();
        commands.reset();
        doc = std::make_unique<cProject>(&cfg);
        ASSERT_TRUE(testing_support::MakeFrames(*doc, frames, cells));
        for (int f = 0; f < frames; ++f) {
            doc->setFrameInterval(f, static_cast<uint16_t>(f + 1));
            for (int c = 0; c < 4; ++c) {
                strCell x = CellAt(100 * f + c, c, static_cast<uint16_t>(c + 1));
                doc->setCell(f, c, &x);
            }
        }
        commands = std::make_unique<cEditCommands>(*doc, cfg);
        commands->setClock([](int& m, int& s) {
            m = 12;
            s = 34;
        });
        ops = std::make_unique<cEditClipCommands>(*commands, board);
    }

    std::string status(const strEditResult& r) const { return FormatMessage(r.status); }
    cHistory& history() const { return doc->history(); }
    // The change was one undo step with this label, and undoing it gives the document of the
    // fingerprint back.
    void expectOneUndoStepBackTo(const std::string& before, const std::string& label) {
        EXPECT_EQ(history().undoCount(), 1u);
        EXPECT_EQ(status(commands->undo()), "Undone: " + label);
        EXPECT_EQ(testing_support::ProjectFingerprint(*doc), before);
    }
    void select(std::initializer_list<int> cells) {
        for (int c : cells)
            commands->select(c);
    }

    cConfig cfg = cConfig::defaults();
    platform::cMemoryClipboard clip;
    cEditClipboard board{clip};
    std::unique_ptr<cProject> doc;
    std::unique_ptr<cEditCommands> commands;
    std::unique_ptr<cEditClipCommands> ops;
};

} // namespace

// ---- canvas and the cell commands --------------------------------------------------------------

TEST_F(EditClipFixture, CanvasCopyOfCells3And5Is73BytesAndPastesAtSlot10) {
    make(2, 16);
    strCell five = CellAt(55, 5, 9);
    doc->setCell(0, 5, &five);
    select({3, 4, 5}); // 4 selected but empty: not copied
    const strEditResult copy = ops->copyCells();
    EXPECT_TRUE(copy.ok);
    EXPECT_EQ(status(copy), Msg(kMsgCountCopy, 2));
    // The record layout is checked byte by byte with the payloads; here the size and the order.
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(clip.read(board.format(), bytes));
    ASSERT_EQ(bytes.size(), 73u);
    EXPECT_EQ(std::tuple(bytes[22], bytes[48]), std::tuple(2, 0)); // cell 5 (offset 2), then cell 3

    commands->setCurrentFrame(1);
    EXPECT_EQ(status(ops->pasteCells(10)), Msg(kMsgCountPaste, 2));
    ASSERT_TRUE(doc->cell(1, 10) && doc->cell(1, 12));
    EXPECT_EQ(doc->cell(1, 11), nullptr);
    EXPECT_EQ(*doc->cell(1, 10), *doc->cell(0, 3));
    EXPECT_EQ(*doc->cell(1, 12), five);
    EXPECT_EQ(commands->selection(), (std::vector<int>{10, 12}));
    // One undo step removes both.
    EXPECT_TRUE(commands->undo().ok);
    EXPECT_FALSE(doc->cell(1, 10) || doc->cell(1, 12));
}

TEST_F(EditClipFixture, CopyOfNothingShowsNothing) {
    commands->select(6); // empty slot
    const strEditResult r = ops->copyCells();
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.status.none());
    EXPECT_FALSE(board.hasKind(kClipAnyKind));
}

TEST_F(EditClipFixture, CutDeletesAsOneStep) {
    const std::string before = testing_support::ProjectFingerprint(*doc);
    commands->setCurrentFrame(2);
    select({1, 2});
    EXPECT_EQ(status(ops->cutCells()), Msg(kMsgCountCut, 2));
    EXPECT_FALSE(doc->cell(2, 1) || doc->cell(2, 2));
    EXPECT_TRUE(commands->selection().empty());
    EXPECT_TRUE(board.hasKind(kClipCells));
    expectOneUndoStepBackTo(before, "Cut 2 cells");
}

TEST_F(EditClipFixture, SinglePastedCellTakesThePositionItReplacesOrTheMouse) {
    commands->select(0);
    ops->copyCells(); // x 0, y 0
    commands->setCurrentFrame(3);
    commands->setCurrentCell(2); // x 302, y 2
    EXPECT_EQ(status(ops->pasteAtCurrentCell()), Msg(kMsgCountPaste, 1));
    EXPECT_EQ(std::tuple(doc->cell(3, 2)->x, doc->cell(3, 2)->y, doc->cell(3, 2)->pattern),
              std::tuple(302, 2, 1));

    const strCanvasPoint mouse{-40, 17};
    ops->pasteCells(6, &mouse);
    EXPECT_EQ(std::tuple(doc->cell(3, 6)->x, doc->cell(3, 6)->y), std::tuple(-40, 17));

    // Into an empty slot without the mouse the cell keeps its own position.
    ops->pasteCells(7);
    EXPECT_EQ(doc->cell(3, 7)->x, 0);

    // No current cell: the cell Paste command does nothing (the list window's paste takes over).
    commands->setCurrentCell(-1);
    EXPECT_FALSE(ops->pasteAtCurrentCell().ok);
}

TEST_F(EditClipFixture, PasteBaseSlotRules) {
    select({0, 1});
    ops->copyCells();
    commands->clearSelection();
    // No slot given, nothing selected: the first empty slot (4).
    ops->pasteCells();
    EXPECT_EQ(std::tuple(doc->cell(0, 4)->x, doc->cell(0, 5)->x), std::tuple(0, 1));
    // The first slot that is both occupied and selected.
    commands->clearSelection();
    select({7, 2}); // 7 empty
    ops->pasteCells();
    EXPECT_EQ(std::tuple(doc->cell(0, 2)->x, doc->cell(0, 3)->x), std::tuple(0, 1));
    // Records beyond the row are refused and not counted.
    EXPECT_EQ(status(ops->pasteCells(7)), Msg(kMsgCountPaste, 1));
}

TEST_F(EditClipFixture, PasteNeedsTheRightKind) {
    strEffect e;
    cClip_Effect effect(&e);
    board.put(effect);
    EXPECT_FALSE(ops->canPaste(kClipCells));
    const std::string before = testing_support::ProjectFingerprint(*doc);
    EXPECT_FALSE(ops->pasteCells(0).ok);
    EXPECT_FALSE(ops->timelinePaste(kClipFrames, 0, 0).ok);
    EXPECT_EQ(testing_support::ProjectFingerprint(*doc), before);
    EXPECT_EQ(history().undoCount(), 0u);
}

// ---- timeline ----------------------------------------------------------------------------------

TEST_F(EditClipFixture, CuttingAllTenFramesLeavesOneEmptyFrame) {
    const std::string before = testing_support::ProjectFingerprint(*doc);
    commands->setCurrentFrame(7);
    EXPECT_EQ(status(ops->timelineCut(cTimelineRange::ofFrames(0, 9))), Msg(kMsgCountCut, 10));
    EXPECT_EQ(std::tuple(doc->frameCount(), doc->frame(0)->cells.occupied(), doc->frame(0)->interval,
                         commands->currentFrame()),
              std::tuple(1, 0, 0, 0));
    expectOneUndoStepBackTo(before, "Cut frames 0 to 9");
}

TEST_F(EditClipFixture, PastingThreeFramesAtFiveInsertsThem) {
    ops->timelineCopy(cTimelineRange::ofFrames(1, 3));
    cTimelineRange pasted;
    const strEditResult r = ops->timelinePaste(kClipFrames, 5, 4, &pasted);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(pasted, cTimelineRange::ofFrames(5, 7));
    EXPECT_EQ(doc->frameCount(), 13);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(doc->frame(5 + k)->interval, 2 + k);
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(doc->cell(5 + k, c)->x, 100 * (1 + k) + c);
    }
    for (int f = 8; f < 13; ++f)
        EXPECT_EQ(doc->cell(f, 0)->x, 100 * (f - 3)); // old 5..9 moved down by 3
    EXPECT_EQ(history().undoCount(), 1u);
    EXPECT_EQ(status(commands->undo()), "Undone: Paste 3 frames at frame 5");
    EXPECT_EQ(std::tuple(doc->frameCount(), doc->cell(5, 0)->x), std::tuple(10, 500));
}

// A paste of frames that would take the animation past 1000 frames changes nothing.
TEST_F(EditClipFixture, PastingFramesPastTheLimitIsRefused) {
    make(998, 4);
    ops->timelineCopy(cTimelineRange::ofFrames(1, 3));
    doc->markSaved();
    const std::string before = testing_support::ProjectFingerprint(*doc);
    const strEditResult r = ops->timelinePaste(kClipFrames, 5, 0);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(status(r), Msg(kMsgFramesFull, 1000));
    EXPECT_EQ(testing_support::ProjectFingerprint(*doc), before);
    EXPECT_EQ(history().undoCount(), 0u);
    EXPECT_FALSE(doc->modified());
    ops->timelineCopy(cTimelineRange::ofFrames(1, 2)); // two still fit
    EXPECT_TRUE(ops->timelinePaste(kClipFrames, 5, 0).ok);
    EXPECT_EQ(doc->frameCount(), 1000);
}

TEST_F(EditClipFixture, CellBlockCopyPasteOverwritesExactly) {
    ops->timelineCopy(cTimelineRange::ofCells(2, 3, 3, 4)); // cells 3 (occupied) and 4 (empty) of frames 2..3
    cTimelineRange pasted;
    strCell extra = CellAt(9);
    doc->setCell(6, 1, &extra);
    const strEditResult r = ops->timelinePaste(kClipCells, 6, 0, &pasted);
    EXPECT_EQ(pasted, cTimelineRange::ofCells(6, 0, 7, 1));
    EXPECT_EQ(std::tuple(doc->cell(6, 0)->x, doc->cell(7, 0)->x), std::tuple(203, 303));
    EXPECT_FALSE(doc->cell(6, 1) || doc->cell(7, 1)); // the empty-cell record deletes the target
    EXPECT_EQ(status(r), Msg(kMsgCountPaste, 4));     // 2 stored, 2 deleted

    EXPECT_EQ(status(ops->timelineDelete(cTimelineRange::ofCells(0, 0, 1, 1))), Msg(kMsgCountDelete, 4));
    EXPECT_EQ(doc->cell(0, 0), nullptr);
    EXPECT_NE(doc->cell(2, 0), nullptr);
}

TEST_F(EditClipFixture, CellRowsCarryLockRecords) {
    doc->setSetting(kKeyLock, 1);
    doc->setLockedPicture(1, 3);
    doc->setLockedPicture(2, 4);
    EXPECT_EQ(status(ops->timelineCopy(cTimelineRange::ofRows(1, 2))), Msg(kMsgCountCopy, 20));
    cTimelineRange pasted;
    ops->timelinePaste(kClipRows, 7, 5, &pasted); // rows paste at frame 0
    EXPECT_EQ(pasted, cTimelineRange::ofRows(5, 6));
    EXPECT_EQ(std::tuple(doc->lockedPicture(5), doc->lockedPicture(6)), std::tuple(3, 4));
    for (int f = 0; f < 10; ++f) {
        EXPECT_EQ(doc->cell(f, 5)->x, 100 * f + 1);
        EXPECT_EQ(doc->cell(f, 5)->picture, 3); // the lock applies to the stored cells
        EXPECT_EQ(doc->cell(f, 6)->x, 100 * f + 2);
    }

    EXPECT_EQ(status(ops->timelineCut(cTimelineRange::ofRows(5, 6))), Msg(kMsgCountCut, 20));
    EXPECT_EQ(std::tuple(doc->lockedPicture(5), doc->lockedPicture(6)), std::tuple(0, 0));
    for (int f = 0; f < 10; ++f)
        EXPECT_EQ(doc->cell(f, 5), nullptr);
    commands->undo();
    EXPECT_EQ(std::tuple(doc->lockedPicture(5), doc->cell(4, 6)->x), std::tuple(3, 402));

    // With the lock off no lock records are collected.
    doc->setSetting(kKeyLock, 0);
    ops->timelineCopy(cTimelineRange::ofRows(1, 1));
    cClip_Mass mass(kClipRows);
    ASSERT_TRUE(board.get(mass));
    EXPECT_TRUE(mass.locks.empty());
}

TEST_F(EditClipFixture, FrameCollectionOrder) {
    cClip_Mass mass;
    EXPECT_EQ(CollectTimeline(*doc, cTimelineRange::ofFrames(4, 4), mass), 1);
    ASSERT_EQ(mass.cells.size(), 4u);
    // Slots from the last to the first.
    EXPECT_EQ(std::tuple(mass.cells.front().cell, mass.empties.front().cell), std::tuple(3, 7));
    EXPECT_EQ(mass.frames, (std::vector<cClip_Mass::strFrameRecord>{{0, 5}}));
    // Ranges outside the document collect nothing.
    EXPECT_EQ(CollectTimeline(*doc, cTimelineRange::ofFrames(20, 30), mass), 0);
    EXPECT_TRUE(mass.empty());
    EXPECT_FALSE(ops->timelineCopy(cTimelineRange::ofFrames(20, 30)).ok);
}

// ---- list window -------------------------------------------------------------------------------

TEST_F(EditClipFixture, EffectsCopyCutPasteDelete) {
    doc->addEffect(strEffect{.startFrame = 1});
    doc->addEffect(strEffect{.startFrame = 5, .flags = strEffect::kSound, .soundPath = "Hit"});
    doc->addEffect(strEffect{.startFrame = 9});

    EXPECT_EQ(status(ops->copyEffect(1)), Msg(kMsgCountCopy, 1));
    EXPECT_EQ(status(ops->cutEffect(0)), Msg(kMsgCountCut, 0));
    EXPECT_EQ(doc->effectCount(), 2);
    EXPECT_EQ(doc->effect(0)->startFrame, 5); // later effects close the gap; a is on the clipboard
    int selected = -1;
    EXPECT_EQ(status(ops->pasteEffect(&selected)), Msg(kMsgCountPaste, 0));
    EXPECT_EQ(selected, 0);
    EXPECT_EQ(doc->effectCount(), 3);
    ops->copyEffect(1);
    ops->pasteEffect(&selected); // a second b sorts after the first
    EXPECT_EQ(std::tuple(selected, doc->effect(2)->soundPath, doc->effect(3)->startFrame),
              std::tuple(2, "Hit", 9));

    EXPECT_EQ(status(ops->deleteEffect(3)), Msg(kMsgCountDelete, 3));
    EXPECT_EQ(doc->effectCount(), 3);
    EXPECT_EQ(status(ops->deleteEffect(3)), Msg(kMsgNoEffectSelected));
    EXPECT_EQ(status(ops->copyEffect(50)), Msg(kMsgNoEffectSelected));
    EXPECT_EQ(status(ops->cutEffect(-1)), Msg(kMsgNoEffectSelected));
    commands->select(0);
    ops->copyCells();
    EXPECT_EQ(status(ops->pasteEffect()), Msg(kMsgNoEffectOnClipboard));
}

TEST_F(EditClipFixture, PicturesCopyCutPasteDelete) {
    const strPicture p{4, 2, 30, "Fire1.png"};
    doc->setPicture(3, p);
    doc->markSaved();
    EXPECT_EQ(status(ops->copyPicture(3)), Msg(kMsgCountCopy, 3));
    EXPECT_FALSE(doc->modified());
    EXPECT_EQ(status(ops->pastePicture(7)), Msg(kMsgCountPaste, 7));
    EXPECT_EQ(*doc->picture(7), p);
    EXPECT_TRUE(doc->modified());
    EXPECT_EQ(status(ops->cutPicture(3)), Msg(kMsgCountCut, 3));
    EXPECT_EQ(doc->picture(3), nullptr);
    EXPECT_EQ(status(ops->deletePicture(7)), Msg(kMsgCountDelete, 7));
    EXPECT_EQ(doc->picture(7), nullptr);
    EXPECT_EQ(status(ops->deletePicture(7)), Msg(kMsgPictureSlotEmpty, 7));
    EXPECT_EQ(status(ops->copyPicture(7)), Msg(kMsgPictureSlotEmpty, 7));
    EXPECT_EQ(status(ops->cutPicture(7)), Msg(kMsgPictureSlotEmpty, 7));
    commands->select(0);
    ops->copyCells();
    EXPECT_EQ(status(ops->pastePicture(1)), Msg(kMsgNoPictureOnClipboard));

    // Paste replaces the slot and normalises the record.
    strPicture odd{.divX = 0, .hue = 999};
    cClip_Picture payload(&odd);
    board.put(payload);
    ops->pastePicture(1);
    EXPECT_EQ(std::tuple(doc->picture(1)->divX, doc->picture(1)->hue), std::tuple(1, 360));
    EXPECT_EQ(status(ops->pastePicture(-1)), Msg(kMsgProcessingFailed, 12, 34));
}

// Every list command that changes the document is one step that says what it did and undoes
// exactly; one that fails adds no step.
TEST_F(EditClipFixture, ListCommandsUndoWithTheirLabels) {
    auto named = [](int frame, const char* name) {
        return strEffect{
            .startFrame = static_cast<uint16_t>(frame), .flags = strEffect::kUserData, .userData = name};
    };
    const strEffect sound{.startFrame = 12, .flags = strEffect::kSound, .soundPath = "Hit"};
    using Run = std::function<strEditResult(cEditClipCommands&)>;
    struct {
        const char* name;
        Run run;
        std::string label; // "" when the command must fail
        std::vector<std::string> effects;
    } cases[] = {
        {"cut an effect", [](auto& o) { return o.cutEffect(1); }, Msg(kStepCutEffect, 2), {"a", "c", "d"}},
        {"delete an effect",
         [](auto& o) { return o.deleteEffect(3); },
         Msg(kStepDeleteEffect, 10),
         {"a", "b", "c"}},
        {"delete a missing effect", [](auto& o) { return o.deleteEffect(4); }, "", {"a", "b", "c", "d"}},
        {"add a sound",
         [&](auto& o) { return o.storeEffect(4, sound); },
         Msg(kStepAddSound, 12),
         {"a", "b", "c", "d", ""}},
        {"move an effect to the end",
         [&](auto& o) { return o.storeEffect(0, named(10, "a")); },
         Msg(kStepChangeEffect, 10),
         {"b", "c", "d", "a"}},
        {"move one before its place",
         [&](auto& o) { return o.storeEffect(3, named(0, "d")); },
         Msg(kStepChangeEffect, 0),
         {"a", "d", "b", "c"}},
        {"change one in place",
         [&](auto& o) { return o.storeEffect(1, named(2, "B")); },
         Msg(kStepChangeEffect, 2),
         {"a", "B", "c", "d"}},
        {"cut a picture",
         [](auto& o) { return o.cutPicture(2); },
         Msg(kStepCutPicture, 2),
         {"a", "b", "c", "d"}},
        {"delete a picture",
         [](auto& o) { return o.deletePicture(2); },
         Msg(kStepDeletePicture, 2),
         {"a", "b", "c", "d"}},
        {"paste a picture",
         [](auto& o) { return o.pastePicture(5); },
         Msg(kStepPastePicture, 5),
         {"a", "b", "c", "d"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        make(3, 4);
        for (const strEffect& e : {named(0, "a"), named(2, "b"), named(6, "c"), named(10, "d")})
            doc->addEffect(e);
        const strPicture picture{2, 2, 0, "p.png"};
        doc->setPicture(2, picture);
        strPicture copy = picture;
        cClip_Picture payload(&copy);
        board.put(payload);
        const std::string before = testing_support::ProjectFingerprint(*doc);
        const strEditResult r = c.run(*ops);
        std::vector<std::string> names;
        for (int i = 0; i < doc->effectCount(); ++i)
            names.push_back(doc->effect(i)->userData);
        EXPECT_EQ(names, c.effects);
        EXPECT_EQ(r.ok, !c.label.empty());
        if (!c.label.empty())
            expectOneUndoStepBackTo(before, c.label);
        else
            EXPECT_EQ(history().undoCount(), 0u);
    }

    // A full effect list refuses a new effect but takes an edited one.
    make(1, 4);
    for (int i = 0; i < doc->effectCapacity(); ++i)
        doc->addEffect(named(1, "x"));
    int at = -1;
    EXPECT_FALSE(ops->storeEffect(doc->effectCapacity(), named(0, "new"), &at).ok);
    EXPECT_EQ(at, -1);
    EXPECT_TRUE(ops->storeEffect(5, named(0, "first"), &at).ok);
    EXPECT_EQ(std::tuple(at, doc->effect(0)->userData), std::tuple(0, "first"));
}
