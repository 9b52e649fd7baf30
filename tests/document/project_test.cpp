#include "config/config.h"
#include "document/project.h"
#include "document/restore.h"

#include <gtest/gtest.h>

namespace {

strCell cellAt(int x) {
    strCell c;
    c.x = static_cast<int16_t>(x);
    return c;
}

}  // namespace

TEST(Project, CreateRaisesAndCutsCapacities) {
    cConfig cfg;
    cfg.Init_Cell = 7;
    cProject doc(&cfg);
    ASSERT_TRUE(doc.create(3, 0, 10, 0));
    EXPECT_EQ(doc.frames().capacity(), 1000);
    EXPECT_EQ(doc.pictures().capacity(), 255);
    EXPECT_EQ(doc.effects().capacity(), 1000);
    EXPECT_EQ(doc.cellNumber(), 7);
    EXPECT_EQ(doc.lockTable().size(), 7u);
    EXPECT_EQ(doc.blankFrame().cells.capacity(), 7);

    ASSERT_TRUE(doc.create(0, 300, 2000, 0));
    EXPECT_EQ(doc.pictures().capacity(), 1000);
    EXPECT_EQ(doc.cellNumber(), 255);  // one byte in the binary format
    EXPECT_EQ(doc.getSetting(kKeyCellNumber), 255);
}

TEST(Project, SettingsAndTextsByKey) {
    cProject doc;
    EXPECT_TRUE(doc.setSetting(kKeyLock, 5));
    EXPECT_EQ(doc.getSetting(kKeyLock), 1);
    EXPECT_TRUE(doc.setSetting(kKeyTotalInterval, 12345));
    EXPECT_EQ(doc.getSetting(kKeyTotalInterval), 12345);
    EXPECT_FALSE(doc.setSetting(kKeyFrameCount, 3));
    EXPECT_FALSE(doc.setSetting(12, 3));
    EXPECT_FALSE(doc.modified());

    std::string s;
    EXPECT_FALSE(doc.getText(kTextName, s));
    EXPECT_TRUE(doc.setText(kTextName, "Fire"));
    EXPECT_TRUE(doc.getText(kTextName, s));
    EXPECT_EQ(s, "Fire");
    EXPECT_FALSE(doc.setText(20, "x"));
    EXPECT_FALSE(doc.modified());

    cConfig cfg;
    cfg.Init_Int = 4;
    cfg.Init_Center = 2;
    cfg.Init_Div = 1;
    cfg.Init_FixFlag = true;
    cfg.Init_Edit = 3;
    cfg.Init_Format = 1;
    cProject d2(&cfg);
    d2.applyDefaults();
    EXPECT_EQ(d2.getSetting(kKeyBasicInterval), 4);
    EXPECT_EQ(d2.getSetting(kKeyCentrePosition), 2);
    EXPECT_EQ(d2.getSetting(kKeySplitFormat), 1);
    EXPECT_EQ(d2.getSetting(kKeyLock), 1);
    EXPECT_EQ(d2.getSetting(kKeyEditFormat), 3);
    EXPECT_EQ(d2.getSetting(kKeySaveFormat), 1);
}

TEST(Project, SetCellNormalises) {
    cProject doc;
    doc.create(1, 4, 0, 0);
    doc.frameOrCreate(0);
    strCell c;
    c.pattern = 0;
    c.x = -2000;
    c.y = 1025;
    c.mx = 1200;
    c.my = -1001;
    c.angle = 3601;
    c.blend = 9;
    c.red = 201;
    c.green = 255;
    c.blue = 200;
    c.saturation = 250;
    c.picture = 77;
    c.opacity = 3;
    ASSERT_TRUE(doc.setCell(0, 2, &c));
    const strCell& n = *doc.cell(0, 2);
    EXPECT_EQ(n.pattern, 1);
    EXPECT_EQ(n.x, -1024);
    EXPECT_EQ(n.y, 1024);
    EXPECT_EQ(n.mx, 1000);
    EXPECT_EQ(n.my, -1000);
    EXPECT_EQ(n.angle, 3600);
    EXPECT_EQ(n.blend, 4);
    EXPECT_EQ(n.red, 200);
    EXPECT_EQ(n.green, 200);
    EXPECT_EQ(n.blue, 200);
    EXPECT_EQ(n.saturation, 200);
    EXPECT_EQ(n.picture, 77);
    EXPECT_EQ(n.opacity, 3);
    EXPECT_TRUE(doc.modified());

    EXPECT_FALSE(doc.setCell(0, 4, &c));  // outside the row
    EXPECT_FALSE(doc.setCell(1, 0, &c));  // empty frame slot
    EXPECT_TRUE(doc.setCell(0, 2, nullptr));
    EXPECT_EQ(doc.cell(0, 2), nullptr);
}

TEST(Project, EditFormatsAndLockApplyInOrder) {
    cProject doc;
    doc.create(1, 2, 0, 0);
    doc.frameOrCreate(0);
    strCell c;
    c.mx = -50;
    c.my = 80;
    c.angle = 450;
    c.picture = 3;
    auto stored = [&](int edit) {
        doc.setSetting(kKeyEditFormat, edit);
        doc.setCell(0, 1, &c);
        return *doc.cell(0, 1);
    };
    EXPECT_EQ(stored(0).mx, -50);
    strCell f1 = stored(1);
    EXPECT_EQ(f1.angle, 0);
    EXPECT_EQ(f1.mx, 100);
    EXPECT_EQ(f1.my, 100);
    strCell f2 = stored(2);  // the mirror stays, the size follows y
    EXPECT_EQ(f2.mx, -80);
    EXPECT_EQ(f2.my, 80);
    EXPECT_EQ(f2.angle, 450);
    strCell f3 = stored(3);
    EXPECT_EQ(f3.my, -50);
    EXPECT_EQ(stored(4).angle, 0);

    doc.setSetting(kKeyEditFormat, 0);
    doc.lockTable()[1] = 9;
    doc.setSetting(kKeyLock, 1);
    doc.setCell(0, 1, &c);
    EXPECT_EQ(doc.cell(0, 1)->picture, 9);
    doc.setSetting(kKeyLock, 0);
    doc.setCell(0, 1, &c);
    EXPECT_EQ(doc.cell(0, 1)->picture, 3);
}

TEST(Project, LockedPictureRewritesEveryFrameWhenTheLockIsOn) {
    cProject doc;
    doc.create(3, 2, 0, 0);
    for (int f = 0; f < 3; ++f) {
        doc.frameOrCreate(f);
        strCell c;
        doc.setCell(f, 1, &c);
    }
    EXPECT_TRUE(doc.setLockedPicture(1, 4));
    EXPECT_EQ(doc.cell(2, 1)->picture, 0);  // lock off: table only
    EXPECT_FALSE(doc.setLockedPicture(1, 4));
    EXPECT_FALSE(doc.setLockedPicture(2, 1));
    EXPECT_EQ(doc.lockedPicture(5), 0);

    doc.setSetting(kKeyLock, 1);
    doc.setPendingStep(std::make_unique<cRestoreObj>());
    EXPECT_TRUE(doc.setLockedPicture(1, 6));
    for (int f = 0; f < 3; ++f) EXPECT_EQ(doc.cell(f, 1)->picture, 6);
    // The cells showed picture 0, not the old entry 4: they are recorded so that undo gives
    // them back exactly, after the column is rewritten with the old entry.
    auto step = doc.takePendingStep();
    ASSERT_EQ(step->records.size(), 4u);
    for (auto& r : step->records) r->apply(doc, cRestore::kUndo);
    EXPECT_EQ(doc.lockedPicture(1), 4);
    for (int f = 0; f < 3; ++f) EXPECT_EQ(doc.cell(f, 1)->picture, 0);
    for (auto it = step->records.rbegin(); it != step->records.rend(); ++it) (*it)->apply(doc, cRestore::kRedo);
    EXPECT_EQ(doc.lockedPicture(1), 6);
    for (int f = 0; f < 3; ++f) EXPECT_EQ(doc.cell(f, 1)->picture, 6);
}

TEST(Project, SetCellNumberResizesRowsAndLockTable) {
    cProject doc;
    doc.create(2, 8, 0, 0);
    int cleared = 0;
    doc.setHistoryClearHook([&cleared] { ++cleared; });
    for (int f = 0; f < 2; ++f) {
        doc.frameOrCreate(f);
        for (int c = 0; c < 8; ++c) {
            strCell x = cellAt(c);
            doc.setCell(f, c, &x);
        }
    }
    for (int c = 0; c < 8; ++c) doc.lockTable()[c] = static_cast<uint8_t>(c + 1);
    doc.setModified(false);
    EXPECT_TRUE(doc.setCellNumber(4));
    EXPECT_EQ(cleared, 1);
    EXPECT_TRUE(doc.modified());
    EXPECT_EQ(doc.cellNumber(), 4);
    EXPECT_EQ(doc.frame(1)->cells.capacity(), 4);
    EXPECT_EQ(doc.frame(1)->cells.occupied(), 4);
    EXPECT_EQ(doc.lockTable(), (std::vector<uint8_t>{1, 2, 3, 4}));
    EXPECT_EQ(doc.blankFrame().cells.capacity(), 4);
    EXPECT_FALSE(doc.setCellNumber(4));
    EXPECT_FALSE(doc.setCellNumber(0));
    EXPECT_TRUE(doc.setCellNumber(999));
    EXPECT_EQ(doc.cellNumber(), 255);
    EXPECT_EQ(doc.lockTable()[200], 0);
}

TEST(Project, EffectsStaySortedAndStable) {
    cProject doc;
    int v = 1;
    for (int start : {5, 2, 5, 0}) {
        strEffect e;
        e.startFrame = static_cast<uint16_t>(start);
        e.volume = static_cast<uint16_t>(v++);
        int at = -1;
        ASSERT_TRUE(doc.addEffect(e, &at));
        EXPECT_EQ(doc.effect(at)->volume, e.volume);
    }
    std::vector<std::pair<int, int>> got;
    for (int i = 0; i < doc.effectCount(); ++i) got.emplace_back(doc.effect(i)->startFrame, doc.effect(i)->volume);
    EXPECT_EQ(got, (std::vector<std::pair<int, int>>{{0, 4}, {2, 2}, {5, 1}, {5, 3}}));

    // A full table refuses instead of pushing the last effect out.
    for (int i = doc.effectCount(); i < 1000; ++i) ASSERT_TRUE(doc.addEffect(strEffect{}));
    EXPECT_FALSE(doc.addEffect(strEffect{}));
    EXPECT_EQ(doc.effect(999)->startFrame, 5);
}

TEST(Project, DurationsResolveTheBasicInterval) {
    cProject doc;
    doc.create(3, 1, 0, 0);
    doc.frameOrCreate(0);
    doc.frameOrCreate(2);
    doc.setFrameInterval(2, 5);
    doc.setSetting(kKeyBasicInterval, 3);
    EXPECT_EQ(doc.frameInterval(0, true), 3);
    EXPECT_EQ(doc.frameInterval(0, false), 0);
    EXPECT_EQ(doc.frameInterval(1, true), 0);
    EXPECT_EQ(doc.totalDuration(), 8u);
    doc.setSetting(kKeyBasicInterval, 10);
    EXPECT_EQ(doc.totalDuration(), 15u);
    EXPECT_FALSE(doc.setFrameInterval(1, 2));
}

TEST(Project, SlideAndExchangeRecordWhatUndoNeeds) {
    cProject doc;
    doc.create(10, 2, 0, 0);
    for (int f = 0; f < 6; ++f) {
        doc.frameOrCreate(f);
        strCell c = cellAt(f);
        doc.setCell(f, 0, &c);
    }
    doc.setPendingStep(std::make_unique<cRestoreObj>());
    // Block 0..1 onto 3..4: frames 3 and 4 are deleted, slots 0 and 1 become empty.
    ASSERT_TRUE(doc.slideFrames(0, 2, 3));
    EXPECT_EQ(doc.frame(0), nullptr);
    EXPECT_EQ(doc.cell(3, 0)->x, 0);
    EXPECT_EQ(doc.cell(4, 0)->x, 1);
    EXPECT_EQ(doc.cell(5, 0)->x, 5);
    auto step = doc.takePendingStep();
    for (auto& r : step->records) r->apply(doc, cRestore::kUndo);  // newest first
    for (int f = 0; f < 6; ++f) EXPECT_EQ(doc.cell(f, 0)->x, f) << f;
    for (auto it = step->records.rbegin(); it != step->records.rend(); ++it) (*it)->apply(doc, cRestore::kRedo);
    EXPECT_EQ(doc.frame(1), nullptr);
    EXPECT_EQ(doc.cell(4, 0)->x, 1);

    EXPECT_TRUE(doc.exchangeCells(3, 0, 5, 1));
    EXPECT_EQ(doc.cell(3, 0), nullptr);
    EXPECT_EQ(doc.cell(5, 1)->x, 0);
    EXPECT_FALSE(doc.exchangeCells(3, 0, 3, 0));
    EXPECT_FALSE(doc.exchangeCells(3, 0, 1, 0));  // empty frame slot
    EXPECT_TRUE(doc.exchangeFrames(0, 5));
    EXPECT_EQ(doc.frame(5), nullptr);
    EXPECT_FALSE(doc.exchangeFrames(2, 2));
    EXPECT_FALSE(doc.exchangeFrames(2, 1000));
}

TEST(Project, ApplyStructuralAsksAndRenormalises) {
    cProject doc;
    doc.create(1, 2, 0, 0);
    doc.frameOrCreate(0);
    strCell c;
    c.angle = 300;
    doc.setCell(0, 0, &c);
    strProjectSettings s;
    s.name = "N";
    s.cellNumber = 2;
    s.editFormat = 4;
    s.basicInterval = 2;
    EXPECT_FALSE(doc.applyStructural(s, [] { return false; }));
    EXPECT_EQ(doc.text(kTextName), "");
    EXPECT_EQ(doc.cell(0, 0)->angle, 300);
    EXPECT_TRUE(doc.applyStructural(s, [] { return true; }));
    EXPECT_EQ(doc.text(kTextName), "N");
    EXPECT_EQ(doc.getSetting(kKeyBasicInterval), 2);
    EXPECT_EQ(doc.cell(0, 0)->angle, 0);

    // Plain fields alone apply without a question.
    s.name = "M";
    bool asked = false;
    EXPECT_TRUE(doc.applyStructural(s, [&asked] { return asked = true; }));
    EXPECT_FALSE(asked);
    EXPECT_EQ(doc.text(kTextName), "M");
}

TEST(Project, NormalisePicture) {
    strPicture p;
    p.divX = 0;
    p.divY = 2000;
    p.hue = 400;
    cProject::normalisePicture(p);
    EXPECT_EQ(p.divX, 1);
    EXPECT_EQ(p.divY, 1024);
    EXPECT_EQ(p.hue, 360);
    p.divX = 50;
    cProject::normalisePicture(p, 40, 30);
    EXPECT_EQ(p.divX, 40);
    EXPECT_EQ(p.divY, 30);
}

TEST(PtrArray, ShiftsAndCountsSlots) {
    cPtrArray<int> a;
    EXPECT_EQ(a.get(0), nullptr);
    EXPECT_FALSE(a.allocate(0));
    ASSERT_TRUE(a.allocate(4));
    *a.getOrCreate(0) = 10;
    *a.getOrCreate(2) = 12;
    EXPECT_EQ(a.occupied(), 2);
    EXPECT_EQ(a.count(), 3);
    a.insertAt(0);
    EXPECT_EQ(a.get(0), nullptr);
    EXPECT_EQ(*a.get(1), 10);
    EXPECT_EQ(*a.get(3), 12);
    a.insertAt(0);  // 12 falls off the end
    EXPECT_EQ(a.occupied(), 1);
    EXPECT_EQ(*a.get(2), 10);
    a.removeAt(0);
    EXPECT_EQ(*a.get(1), 10);
    cPtrArray<int> copy = a;
    *copy.get(1) = 99;
    EXPECT_EQ(*a.get(1), 10);
    EXPECT_EQ(a.getOrCreate(4), nullptr);
}
