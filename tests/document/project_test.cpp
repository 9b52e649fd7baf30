#include "document/restore.h"
#include "document_fixture.h"
#include "support/document_compare.h"

using document_testing::Editor;
using document_testing::MakeFrames;
using testing_support::FillXs;
using testing_support::kColumn;
using testing_support::kRow;
using testing_support::ProjectFingerprint;
using testing_support::XsOf;

TEST(Project, CreateRaisesAndCutsCapacities) {
    cConfig cfg;
    cfg.Init_Cell = 7;
    cProject doc(&cfg);
    ASSERT_TRUE(doc.create(3, 0, 10, 0));
    EXPECT_EQ(doc.frameCapacity(), 1000);
    EXPECT_EQ(doc.pictureCapacity(), 255);
    EXPECT_EQ(doc.effectCapacity(), 1000);
    EXPECT_EQ(doc.cellNumber(), 7);
    EXPECT_EQ(doc.lockTable().size(), 7u);
    EXPECT_EQ(doc.blankFrame().cells.capacity(), 7);

    ASSERT_TRUE(doc.create(0, 300, 2000, 0));
    EXPECT_EQ(doc.pictureCapacity(), 1000);
    EXPECT_EQ(doc.getSetting(kKeyCellNumber), 255); // one byte in the binary format
}

TEST(Project, SettingsAndTextsByKey) {
    cProject doc;
    EXPECT_TRUE(doc.setSetting(kKeyLock, 5));
    EXPECT_EQ(doc.getSetting(kKeyLock), 1);
    EXPECT_FALSE(doc.setSetting(kKeyFrameCount, 3));
    EXPECT_FALSE(doc.setSetting(12, 3));
    std::string s;
    EXPECT_FALSE(doc.getText(kTextName, s));
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
    const std::pair<int, int> settings[] = {{kKeyBasicInterval, 4}, {kKeyCentrePosition, 2},
                                            {kKeySplitFormat, 1},   {kKeyLock, 1},
                                            {kKeyEditFormat, 3},    {kKeySaveFormat, 1}};
    for (auto [key, value] : settings)
        EXPECT_EQ(d2.getSetting(key), value) << key;
}

TEST(Project, SetCellNormalises) {
    cProject doc;
    MakeFrames(doc, 1, 4);
    const strCell c{77, 0, 9, -2000, 1025, 1200, -1001, 3601, 3, 201, 255, 200, 250};
    ASSERT_TRUE(doc.setCell(0, 2, &c));
    EXPECT_EQ(*doc.cell(0, 2), (strCell{77, 1, 4, -1024, 1024, 1000, -1000, 3600, 3, 200, 200, 200, 200}));

    EXPECT_FALSE(doc.setCell(0, 4, &c)); // outside the row
    EXPECT_FALSE(doc.setCell(1, 0, &c)); // empty frame slot
    EXPECT_TRUE(doc.setCell(0, 2, nullptr));
    EXPECT_EQ(doc.cell(0, 2), nullptr);
}

TEST(Project, EditFormatsAndLockApplyInOrder) {
    cProject doc;
    MakeFrames(doc, 1, 2);
    const strCell c(3, 1, 0, 0, 0, -50, 80, 450); // picture 3, mx -50, my 80, angle 450
    auto stored = [&](int edit) {
        doc.setSetting(kKeyEditFormat, edit);
        doc.setCell(0, 1, &c);
        const strCell& s = *doc.cell(0, 1);
        return std::to_string(s.mx) + " " + std::to_string(s.my) + " " + std::to_string(s.angle);
    };
    EXPECT_EQ(stored(0), "-50 80 450");
    EXPECT_EQ(stored(1), "100 100 0");
    EXPECT_EQ(stored(2), "-80 80 450"); // the mirror stays, the size follows y
    EXPECT_EQ(stored(3), "-50 -50 450");
    EXPECT_EQ(stored(4), "-50 80 0");

    doc.setSetting(kKeyEditFormat, 0);
    doc.setLockedPicture(1, 9);
    doc.setSetting(kKeyLock, 1);
    doc.setCell(0, 1, &c);
    EXPECT_EQ(doc.cell(0, 1)->picture, 9);
    doc.setSetting(kKeyLock, 0);
    doc.setCell(0, 1, &c);
    EXPECT_EQ(doc.cell(0, 1)->picture, 3);
}

TEST(Project, LockedPictureRewritesEveryFrameWhenTheLockIsOn) {
    Editor e(3, 2);
    ASSERT_TRUE(FillXs(e.doc, kColumn, 1, "0 0 0"));
    auto column = [&] {
        std::string s;
        for (int f = 0; f < 3; ++f)
            s += std::to_string(e.doc.cell(f, 1)->picture);
        return s;
    };
    EXPECT_TRUE(e.doc.setLockedPicture(1, 4));
    EXPECT_EQ(column(), "000"); // lock off: table only
    EXPECT_FALSE(e.doc.setLockedPicture(1, 4));
    EXPECT_FALSE(e.doc.setLockedPicture(2, 1));
    EXPECT_EQ(e.doc.lockedPicture(5), 0);

    e.doc.setSetting(kKeyLock, 1);
    {
        cTransaction t(e.doc, strMessage(kStepLockCell, 1, 6));
        EXPECT_TRUE(e.doc.setLockedPicture(1, 6));
        ASSERT_TRUE(t.commit());
    }
    EXPECT_EQ(column(), "666");
    // The cells showed picture 0, not the old entry 4: they are recorded so that undo gives
    // them back exactly, after the column is rewritten with the old entry.
    ASSERT_EQ(e.history.undoStep(0)->records.size(), 4u);
    ASSERT_TRUE(e.history.undo());
    EXPECT_EQ(e.doc.lockedPicture(1), 4);
    EXPECT_EQ(column(), "000");
    ASSERT_TRUE(e.history.redo());
    EXPECT_EQ(e.doc.lockedPicture(1), 6);
    EXPECT_EQ(column(), "666");
}

// The history property test checks that it undoes exactly.
TEST(Project, SetCellNumberResizesRowsAndLockTable) {
    Editor e(2, 8);
    cProject& doc = e.doc;
    ASSERT_TRUE(FillXs(doc, kRow, 0, "0 1 2 3 4 5 6 7"));
    ASSERT_TRUE(FillXs(doc, kRow, 1, "- 1 - 3 - 5 - 7"));
    for (int c = 0; c < 8; ++c)
        doc.setLockedPicture(c, static_cast<uint8_t>(c + 1));
    EXPECT_TRUE(doc.setCellNumber(4));
    EXPECT_EQ(doc.frame(1)->cells.capacity(), 4);
    EXPECT_EQ(e.row(0) + " | " + e.row(1), "0 1 2 3 | - 1 - 3");
    EXPECT_EQ(doc.lockTable(), (std::vector<uint8_t>{1, 2, 3, 4}));
    EXPECT_EQ(doc.blankFrame().cells.capacity(), 4);

    EXPECT_FALSE(doc.setCellNumber(0));
    EXPECT_FALSE(doc.setCellNumber(4));
    EXPECT_TRUE(doc.setCellNumber(999));
    EXPECT_EQ(doc.cellNumber(), 255);
    EXPECT_EQ(doc.lockTable()[200], 0);
}

TEST(Project, EffectsStaySortedAndStable) {
    cProject doc;
    int v = 1;
    for (int start : {5, 2, 5, 0}) {
        const strEffect e(start, 0, 0, 0, 0, 128, 128, 128, 255, v++, 100, 100, "", "");
        int at = -1;
        ASSERT_TRUE(doc.addEffect(e, &at));
        EXPECT_EQ(doc.effect(at)->volume, e.volume);
    }
    std::vector<std::pair<int, int>> got;
    for (int i = 0; i < doc.effectCount(); ++i)
        got.emplace_back(doc.effect(i)->startFrame, doc.effect(i)->volume);
    EXPECT_EQ(got, (std::vector<std::pair<int, int>>{{0, 4}, {2, 2}, {5, 1}, {5, 3}}));

    // A changed effect keeps its place when its start frame stays, and goes after the effects of
    // its new start frame otherwise.
    strEffect louder = *doc.effect(2);
    louder.volume = 9;
    EXPECT_EQ(doc.changeEffect(2, louder), 2);
    louder.startFrame = 2;
    EXPECT_EQ(doc.changeEffect(2, louder), 2);
    EXPECT_EQ(doc.changeEffect(0, strEffect{.startFrame = 7}), 3);
    EXPECT_EQ(doc.changeEffect(4, strEffect{}), -1);
    got.clear();
    for (int i = 0; i < doc.effectCount(); ++i)
        got.emplace_back(doc.effect(i)->startFrame, doc.effect(i)->volume);
    EXPECT_EQ(got, (std::vector<std::pair<int, int>>{{2, 2}, {2, 9}, {5, 3}, {7, 100}}));

    // A full table refuses instead of pushing the last effect out.
    for (int i = doc.effectCount(); i < 1000; ++i)
        ASSERT_TRUE(doc.addEffect(strEffect{}));
    EXPECT_FALSE(doc.addEffect(strEffect{}));
    EXPECT_EQ(doc.effect(999)->startFrame, 7);
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

// The history property test checks that both undo exactly.
TEST(Project, SlideAndExchange) {
    cProject doc;
    ASSERT_TRUE(MakeFrames(doc, 6, 2));
    ASSERT_TRUE(FillXs(doc, kColumn, 0, "0 1 2 3 4 5"));
    // Block 0..1 onto 3..4: frames 3 and 4 are deleted, slots 0 and 1 become empty.
    ASSERT_TRUE(doc.slideFrames(0, 2, 3));
    EXPECT_EQ(doc.frame(0), nullptr);
    EXPECT_EQ(doc.frame(1), nullptr);
    EXPECT_EQ(XsOf(doc, kColumn, 0), "- - 2 0 1 5");

    EXPECT_TRUE(doc.exchangeCells(3, 0, 5, 1));
    EXPECT_EQ(doc.cell(3, 0), nullptr);
    EXPECT_EQ(doc.cell(5, 1)->x, 0);
    EXPECT_FALSE(doc.exchangeCells(3, 0, 3, 0));
    EXPECT_FALSE(doc.exchangeCells(3, 0, 1, 0)); // empty frame slot
    EXPECT_TRUE(doc.exchangeFrames(0, 5));
    EXPECT_EQ(doc.frame(5), nullptr);
    EXPECT_FALSE(doc.exchangeFrames(2, 2));
    EXPECT_FALSE(doc.exchangeFrames(2, 1000));
}

// The Project window's Apply: one step, the cells normalised again under a new edit format, and
// undo gives back every cell and setting as it was.
TEST(Project, ApplySettingsIsOneUndoableStep) {
    Editor e(1, 4);
    cProject& doc = e.doc;
    strCell c{.angle = 300};
    doc.setCell(0, 0, &c);
    doc.setCell(0, 3, &c);
    doc.markSaved();
    const std::string before = ProjectFingerprint(doc);
    strProjectSettings s{.name = "N", .basicInterval = 2, .cellNumber = 2, .editFormat = 4};
    EXPECT_TRUE(doc.applySettings(s));
    EXPECT_EQ(doc.text(kTextName), "N");
    EXPECT_EQ(doc.getSetting(kKeyBasicInterval), 2);
    EXPECT_EQ(doc.cellNumber(), 2);
    EXPECT_EQ(doc.cell(0, 0)->angle, 0);
    EXPECT_EQ(FormatMessage(*e.history.undoLabel()), "Project settings");
    EXPECT_EQ(e.history.undoCount(), 1u);
    EXPECT_FALSE(doc.applySettings(s)); // nothing changes: no step
    EXPECT_EQ(e.history.undoCount(), 1u);
    ASSERT_TRUE(e.history.undo());
    EXPECT_EQ(ProjectFingerprint(doc), before);
    EXPECT_FALSE(doc.modified());
}

TEST(Project, NormalisePicture) {
    strPicture p{0, 2000, 400, ""};
    cProject::normalisePicture(p);
    EXPECT_EQ(p, (strPicture{1, 1024, 360, ""}));
    p.divX = 50;
    cProject::normalisePicture(p, 40, 30);
    EXPECT_EQ(p, (strPicture{40, 30, 360, ""}));
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
    a.insertAt(0); // 12 falls off the end
    EXPECT_EQ(a.occupied(), 1);
    EXPECT_EQ(*a.get(2), 10);
    a.removeAt(0);
    EXPECT_EQ(*a.get(1), 10);
    cPtrArray<int> copy = a;
    *copy.get(1) = 99;
    EXPECT_EQ(*a.get(1), 10);
    EXPECT_EQ(a.getOrCreate(4), nullptr);
}
