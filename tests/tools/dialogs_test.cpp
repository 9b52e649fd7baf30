// The store rules behind the cell dialog and the two lock dialogs, the Apply rules of the
// effect and image dialogs, and the tool message table.

#include "support/message_texts.h"
#include "tool_fixture.h"
#include "tools/batch_edit.h"
#include "tools/cell_edit.h"
#include "tools/effect_edit.h"
#include "tools/frame_comp.h"
#include "tools/lock_edit.h"

#include <array>
#include <gtest/gtest.h>
#include <tuple>

using tools_test::CellAt;
using tools_test::Doc;
using tools_test::FillXs;
using tools_test::kColumn;

TEST(CellDialog, ApplyStoresOnlyADifferentCellAsOneStep) {
    Doc d;
    d.put(3, 2, CellAt(10, 20));
    cCellEdit dlg;
    ASSERT_TRUE(dlg.open(d.doc, 3, 2));
    EXPECT_EQ(dlg.title(), "Cell [3,2]");
    EXPECT_EQ(dlg.apply(d.ctx).count, 0); // no change: nothing recorded
    EXPECT_EQ(d.history.undoCount(), 0u);
    EXPECT_FALSE(dlg.isOpen());

    dlg.open(d.doc, 3, 2);
    dlg.edit().x = 2000; // normalised for this cell number on the rebuild
    dlg.rebuild(d.doc);
    EXPECT_EQ(dlg.working().x, 1024);
    ASSERT_NE(dlg.previewCell(3, 2), nullptr);
    EXPECT_EQ(dlg.previewCell(3, 2)->x, 1024);
    EXPECT_EQ(dlg.previewCell(3, 1), nullptr);
    EXPECT_EQ(dlg.apply(d.ctx).count, 1);
    EXPECT_EQ(d.x(3, 2), 1024);
    EXPECT_EQ(d.history.undoCount(), 1u);
    EXPECT_EQ(dlg.frame(), -1);
    EXPECT_EQ(dlg.previewCell(3, 2), nullptr);

    // An empty slot shows the neutral cell and stores nothing.
    EXPECT_FALSE(dlg.open(d.doc, 1, 1));
    EXPECT_EQ(dlg.working(), strCell::neutral());
    dlg.edit().x = 5;
    EXPECT_EQ(dlg.apply(d.ctx).count, 0);
    EXPECT_EQ(d.at(1, 1), nullptr);
}

TEST(CellDialog, CopyFromTheNeighboursChangesOnlyTheWorkingCopy) {
    Doc d;
    ASSERT_TRUE(FillXs(d.doc, kColumn, 0, "- - 1 2"));
    cCellEdit dlg;
    dlg.open(d.doc, 3, 0);
    EXPECT_TRUE(dlg.canCopyFrom(d.doc, -1));
    EXPECT_FALSE(dlg.canCopyFrom(d.doc, +1));
    EXPECT_TRUE(dlg.copyFrom(d.doc, -1));
    EXPECT_EQ(dlg.working().x, 1);
    EXPECT_EQ(d.x(3, 0), 2);
    EXPECT_FALSE(dlg.copyFrom(d.doc, +1));
    dlg.apply(d.ctx);
    EXPECT_EQ(d.x(3, 0), 1);
}

TEST(CellDialog, EditFormatTwoStoresSxFromSyWithTheFlip) {
    Doc d;
    d.put(0, 0, CellAt(0));
    d.doc.setSetting(kKeyEditFormat, 2);
    cCellEdit dlg;
    dlg.open(d.doc, 0, 0);
    EXPECT_FALSE(dlg.inversed);
    dlg.edit().my = 150;
    dlg.inversed = true;
    dlg.apply(d.ctx);
    EXPECT_EQ(d.at(0, 0)->mx, -150);
    EXPECT_EQ(d.at(0, 0)->my, 150);
    dlg.open(d.doc, 0, 0);
    EXPECT_TRUE(dlg.inversed); // SX * SY < 1
}

TEST(CellDialog, ColourTextRoundTrips) {
    const strCell c{.red = 0x64, .green = 0, .blue = 0x0A, .saturation = 0xC8};
    EXPECT_EQ(cCellEdit::colourText(c), "c864000a");
    strCell back;
    ASSERT_TRUE(cCellEdit::parseColourText("c864000a", back));
    EXPECT_EQ(back, c);
    ASSERT_TRUE(cCellEdit::parseColourText("ff", back)); // 0x000000ff: bytes limited to 200
    EXPECT_EQ(back.saturation, 0);
    EXPECT_EQ(back.blue, 200);
    EXPECT_FALSE(cCellEdit::parseColourText("zz", back));
    EXPECT_EQ(back.blue, 200);
    cCellEdit::clearColour(back);
    EXPECT_EQ(cCellEdit::colourText(back), "64646464");
}

TEST(CellDialog, ControlsFollowTheEditFormatAndTheLock) {
    using S = eControlState;
    const S E = S::kEditable, D = S::kDisabled, H = S::kHidden;
    const struct {
        int format;
        bool locked;
        strCellControls expected;
    } cases[] = {{0, false, {E, E, E, H, true}},
                 {1, true, {D, D, D, H, false}},
                 {2, false, {E, H, E, E, true}},
                 {3, false, {E, E, D, H, true}},
                 {4, false, {D, E, E, H, true}}};
    auto fields = [](const strCellControls& k) { return std::tuple(k.angle, k.sx, k.sy, k.flip, k.image); };
    for (const auto& c : cases)
        EXPECT_EQ(fields(cCellEdit::controls(c.format, c.locked)), fields(c.expected)) << c.format;
    EXPECT_EQ(cCellEdit::maxPattern(0), 1);
    EXPECT_EQ(cCellEdit::maxPattern(25), 25);
}

// What the lock does to the cells is the document's business; the dialog clamps and records a step.
TEST(LockDialogs, SetLockClampsAndRecordsAStepOnlyForAChange) {
    Doc d(2, 3);
    cLockCellEdit one;
    one.open(d.doc, 1);
    EXPECT_EQ(one.title(), "[1] Locked for cell and image");
    one.image = 300; // clamped to 255
    EXPECT_EQ(one.ok(d.ctx).count, 1);
    EXPECT_EQ(d.doc.lockedPicture(1), 255);
    EXPECT_EQ(d.history.undoCount(), 1u);
    // The same value again records nothing.
    EXPECT_EQ(one.ok(d.ctx).count, 0);
    EXPECT_EQ(d.history.undoCount(), 1u);
}

TEST(LockDialogs, TheTableDialogUpdatesEveryRowInOneStep) {
    Doc d(2, 4);
    cLockEdit dlg;
    dlg.open(d.doc);
    ASSERT_EQ(dlg.rows.size(), 4u);
    dlg.rows[1].selected = true;
    dlg.rows[3].selected = true;
    dlg.setSelected(70000); // the list holds 0..65535
    EXPECT_EQ(dlg.rows[1].image, 65535);
    EXPECT_EQ(dlg.rows[0].image, 0);
    EXPECT_EQ(dlg.update(d.ctx).count, 2);
    EXPECT_EQ(d.doc.lockedPicture(1), 255);
    EXPECT_EQ(d.doc.lockedPicture(3), 255);
    EXPECT_EQ(d.history.undoCount(), 1u);
    ASSERT_TRUE(d.history.undo());
    EXPECT_EQ(d.doc.lockedPicture(3), 0);
}

TEST(EffectDialog, ApplyResetsBlocksWhoseBoxIsOff) {
    strEffect e{.flags = strEffect::kSound | strEffect::kFlash | strEffect::kUserData,
                .flashFrames = 6,
                .flashRed = 255,
                .volume = 40,
                .frequency = 150,
                .balance = 20,
                .soundPath = "Sound\\Hit.wav",
                .userData = "note"};
    cEffectEdit dlg;
    dlg.load(e);
    EXPECT_EQ(dlg.flashFrames, 6);
    dlg.sound = false;
    dlg.userDataOn = false;
    dlg.apply(e);
    EXPECT_EQ(e, (strEffect{.flags = strEffect::kFlash, .flashFrames = 6, .flashRed = 255}));

    // A flash that is off shows 10 frames and stores the defaults.
    e = {.flashFrames = 33, .flashRed = 1};
    dlg.load(e);
    EXPECT_EQ(dlg.flashFrames, 10);
    dlg.apply(e);
    EXPECT_EQ(e, strEffect{});
    dlg.clearColour();
    EXPECT_EQ(dlg.red, 128);
    EXPECT_EQ(dlg.strength, 255);
}

TEST(EffectDialog, ObjectTwoStoresTheNeutralFlash) {
    strEffect e;
    cEffectEdit dlg;
    dlg.load(e);
    dlg.flash = true;
    dlg.object = 2;
    dlg.flashFrames = 4;
    dlg.drawing = 3;
    dlg.red = 10;
    dlg.green = 20;
    dlg.blue = 30;
    dlg.strength = 40;
    EXPECT_FALSE(dlg.colourEnabled());
    dlg.apply(e);
    EXPECT_EQ(e, (strEffect{.flags = strEffect::kFlash, .flashFrames = 4, .flashObject = 2}));
    dlg.object = 1;
    EXPECT_TRUE(dlg.colourEnabled());
    dlg.apply(e);
    EXPECT_EQ((std::array<int, 6>{e.flashObject, e.flashDrawing, e.flashRed, e.flashGreen, e.flashBlue,
                                  e.flashStrength}),
              (std::array<int, 6>{1, 3, 10, 20, 30, 40}));
}

TEST(ImageDialog, ApplyWritesDivisionsHueAndPath) {
    strPicture p;
    cPictureEdit dlg;
    dlg.load(p, 1);
    EXPECT_EQ(dlg.splitFormat, 1);
    dlg = {.path = std::string(300, 'a'), .divX = 0, .divY = 5000, .hue = 400};
    dlg.apply(p);
    EXPECT_EQ((std::array<int, 3>{p.divX, p.divY, p.hue}), (std::array<int, 3>{1, 1024, 360}));
    EXPECT_EQ(p.path.size(), 255u);
}

TEST(DroppedFiles, BecomeRelativeToTheBaseFolderWherePossible) {
    const std::array<const char*, 3> cases[] = {
        // file, base folder, stored name
        {"/data/anim/Sound/hit.wav", "/data/anim", "Sound/hit.wav"},
        {"/data/anim/Sound/hit.wav", "/data/anim/", "Sound/hit.wav"},
        {"/elsewhere/hit.wav", "/data/anim", "/elsewhere/hit.wav"},
        {"/data/animation/hit.wav", "/data/anim", "/data/animation/hit.wav"},
        {"C:\\game\\Sound\\a.wav", "C:\\game", "Sound\\a.wav"},
        {"/x/a.wav", "", "/x/a.wav"},
    };
    for (const auto& [file, base, stored] : cases)
        EXPECT_EQ(DroppedFilePath(file, base), stored) << file << " in " << base;
}

TEST(ToolTexts, ChoiceListsArePlain) {
    for (const char* list :
         {cCellEdit::kBlendList, cCellEdit::kFlipList, cBatchEdit::kFormulaList, cFrameComp::kMethodList,
          cEffectEdit::kObjectList, cEffectEdit::kDrawingList, cPictureEdit::kDivisionList})
        EXPECT_TRUE(IsPlainText(list)) << list;
}
