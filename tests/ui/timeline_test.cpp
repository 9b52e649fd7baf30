// The timeline: selections by mouse and keys, its popups and commands, and what they change.

#include "editor_fixture.h"

#include "ui/dialogs/check_list.h"
#include "ui/lists/list_window.h"
#include "ui/lists/timeline.h"
#include "ui/shell/tool_window.h"

#include <QMenu>
#include <QTabWidget>

using testing_support::FillXs;
using testing_support::kColumn;

class cTimelineTest : public QObject {
    Q_OBJECT
    std::unique_ptr<strEditorFixture> f;
    cTimeline* kf = nullptr;

    cProject& doc() const { return f->session().document(); }
    // The centre of a grid cell; frame -1 is the row header, cell -1 the column header.
    static QPoint at(int frame, int cell) {
        const int x = frame < 0 ? 24 : cTimelineView::kHeader + frame * cTimelineView::kCell + 8;
        const int y = cell < 0 ? 24 : cTimelineView::kHeader + cell * cTimelineView::kCell + 8;
        return {x, y};
    }
    void press(int frame, int cell, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(kf->viewport(), button, {}, at(frame, cell));
    }
    // A drag from one grid position to another.
    void select(int frame0, int cell0, int frame1, int cell1) {
        press(frame0, cell0);
        QMouseEvent move(QEvent::MouseMove, at(frame1, cell1), kf->viewport()->mapToGlobal(at(frame1, cell1)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(kf->viewport(), &move);
        QTest::mouseRelease(kf->viewport(), Qt::LeftButton, {}, at(frame1, cell1));
    }
    // Right-clicks a position and triggers an item of the popup that opens.
    void popupItem(int frame, int cell, const char* menu, const char* item) {
        press(frame, cell, Qt::RightButton);
        QVERIFY(kf->popup());
        QCOMPARE(kf->popup()->objectName(), QString::fromLatin1(menu));
        auto* a = kf->popup()->findChild<QAction*>(QStringLiteral("timeline") + QString::fromLatin1(item));
        if (!a) a = kf->findChild<QAction*>(QStringLiteral("timeline") + QString::fromLatin1(item));
        QVERIFY(a && kf->popup()->actions().contains(a) && a->isEnabled());
        a->trigger();
        kf->popup()->close();
    }

  private slots:
    void init() {
        f = std::make_unique<strEditorFixture>();
        QVERIFY(f->start());
        f->edit([](cProject& d) { // frames 0..9, on frame f cell number f % 3 at x f
            QVERIFY(FillXs(d, kColumn, 0, "0 - - 3 - - 6 - - 9"));
            QVERIFY(FillXs(d, kColumn, 1, "- 1 - - 4 - - 7"));
            QVERIFY(FillXs(d, kColumn, 2, "- - 2 - - 5 - - 8"));
        });
        auto* list = qobject_cast<cListWindow*>(f->window->listWindow()->content());
        QVERIFY(list);
        list->tabs()->setCurrentIndex(cListWindow::kTimelinePage);
        f->window->listWindow()->resize(600, 400);
        kf = list->timeline();
        QVERIFY(f->activateToolWindow(f->window->listWindow()));
        kf->setFocus();
    }
    void cleanup() { f.reset(); }

    void selectionsByMouseAndKeys() {
        using R = cTimelineRange;
        select(3, -1, 7, 4); // column header drag: frames 3..7, all cells
        QCOMPARE(kf->rect(cTimelineView::kSelection), R::ofFrames(3, 7));
        QCOMPARE(f->session().currentFrame(), 3);
        select(-1, 2, 5, 1); // row header drag: cells 2..1, all frames
        QCOMPARE(kf->rect(cTimelineView::kSelection), R::ofRows(1, 2));
        select(2, 1, 4, 0); // a block, and Shift+arrows growing it
        QCOMPARE(kf->rect(cTimelineView::kSelection), R::ofCells(2, 0, 4, 1));
        QTest::keyClick(kf, Qt::Key_Right);
        QCOMPARE(kf->rect(cTimelineView::kSelection), R::ofCell(3, 1));
        QTest::keyClick(kf, Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(kf, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(kf->rect(cTimelineView::kSelection), R::ofCells(3, 1, 4, 2));
        // A block on the current frame selects the canvas's cells in it.
        QCOMPARE(f->session().currentFrame(), 4);
        QCOMPARE(f->session().commands().selection(), std::vector<int>{1});
        // A right click inside keeps the selection; outside the grid a left press clears it.
        press(3, 2, Qt::RightButton);
        QCOMPARE(kf->rect(cTimelineView::kSelection), R::ofCells(3, 1, 4, 2));
        kf->popup()->close();
        press(40, 12);
        QVERIFY(kf->rect(cTimelineView::kSelection).empty());
    }

    void cutAndPasteOfABlockMovesItsCellsAsOneStepEach() {
        const strCell a = *doc().cell(1, 1), b = *doc().cell(2, 2);
        select(1, 1, 2, 2);
        const size_t steps = f->session().history().undoCount();
        QTest::keyClick(kf, Qt::Key_X, Qt::ControlModifier);
        QVERIFY(!doc().cell(1, 1) && !doc().cell(2, 2));
        QCOMPARE(kf->rect(cTimelineView::kCopied), cTimelineRange::ofCells(1, 1, 2, 2));
        press(6, 4);
        QTest::keyClick(kf, Qt::Key_V, Qt::ControlModifier);
        QVERIFY(doc().cell(6, 4) && doc().cell(7, 5));
        QCOMPARE(*doc().cell(6, 4), a);
        QCOMPARE(*doc().cell(7, 5), b);
        QCOMPARE(kf->rect(cTimelineView::kSelection), cTimelineRange::ofCells(6, 4, 7, 5));
        QCOMPARE(f->session().history().undoCount(), steps + 2);
    }

    void insertFrameAndPlaybackRangeFromTheFramePopup() {
        popupItem(4, -1, "MENU_FRAME", "InsertFrame");
        QCOMPARE(doc().frameCount(), 11);
        QVERIFY(!doc().cell(4, 1));
        QCOMPARE(doc().cell(5, 1)->x, 4);
        QCOMPARE(kf->rect(cTimelineView::kSelection), cTimelineRange::ofFrames(4, 4));

        auto* check = f->find<QCheckBox>("playRangeCheck");
        const auto range = [this] {
            return QList<int>{f->find<QSpinBox>("playRangeStart")->value(),
                              f->find<QSpinBox>("playRangeEnd")->value()};
        };
        select(2, -1, 6, -1);
        popupItem(3, -1, "MENU_FRAME", "PlayRange");
        QVERIFY(check->isChecked());
        QCOMPARE(range(), (QList<int>{2, 6}));
        QCOMPARE(f->window->statusText(), QStringLiteral("Play range: frames 2 to 6"));
        // Two frames are no range: the box is cleared, the fields stay.
        select(4, -1, 5, -1);
        popupItem(4, -1, "MENU_FRAME", "PlayRange");
        QVERIFY(!check->isChecked());
        QCOMPARE(range(), (QList<int>{2, 6}));
        QCOMPARE(f->window->statusText(), QStringLiteral("Play range off: every frame plays"));
        // The drag range: columns widened to every cell number; a single grid cell clears it.
        select(3, -1, 7, -1);
        popupItem(5, -1, "MENU_FRAME", "DragRange");
        QCOMPARE(f->session().dragRange(), cTimelineRange::ofCells(3, 0, 7, doc().cellNumber() - 1));
        QCOMPARE(kf->rect(cTimelineView::kDrag), f->session().dragRange());
        QCOMPARE(
            f->window->statusText(),
            QStringLiteral("Drag range: frames 3 to 7, cell numbers 0 to %1").arg(doc().cellNumber() - 1));
        popupItem(2, 1, "MENU_CELL", "DragRange");
        QVERIFY(f->session().dragRange().empty());
        QCOMPARE(f->window->statusText(), QStringLiteral("Drag range cleared"));
    }

    void rightArrowOnTheLastFrameAddsOneWhenAutoAddIsOn() {
        f->config.NewFrameFlag = false;
        press(9, 0);
        QTest::keyClick(kf, Qt::Key_Right);
        QCOMPARE(doc().frameCount(), 10);
        QCOMPARE(kf->cursorFrame(), 9);
        f->config.NewFrameFlag = true;
        QTest::keyClick(kf, Qt::Key_Right);
        QCOMPARE(doc().frameCount(), 11);
        QCOMPARE(kf->cursorFrame(), 10);
        QCOMPARE(f->session().currentFrame(), 10);
    }

    void wholeColumnsAreWidenedBeforeAToolActs() {
        QList<strToolRequest> asked;
        connect(&f->session(), &cSession::toolRequested, this,
                [&asked](const strToolRequest& r) { asked << r; });
        QVERIFY(FillXs(doc(), kColumn, 6, "- - - 0 - - - 40"));
        select(3, -1, 7, -1);
        popupItem(5, -1, "MENU_FRAME", "FrameCompletion");
        QCOMPARE(asked.size(), 1);
        const strToolRequest r = asked.front();
        QCOMPARE(r.command, 40007);
        QCOMPARE(r.origin, static_cast<QWidget*>(kf));
        QCOMPARE(r.range, cTimelineRange::ofCells(3, 0, 7, doc().cellNumber() - 1));
        // The frame setting window opens filled with every cell number of frames 3..7; run with X.
        auto* cells = f->find<cCheckList>("frameCompCells");
        QTRY_VERIFY(cells->isVisible());
        QVERIFY(cells->isChecked(0) && cells->isChecked(6));
        QCOMPARE(f->find<QSpinBox>("frameCompEnd")->value(), 7);
        f->find<cCheckList>("frameCompParams")->setChecked(3, true); // x
        QVERIFY(!f->window->isEnabled());                            // opened from the list window
        f->find<QPushButton>("frameCompRun")->click();
        QTRY_VERIFY(f->window->isEnabled());
        QCOMPARE(doc().cell(5, 6)->x, 20);
        // "Insert intermediate Cell" completes a block from its neighbours itself.
        select(4, 6, 6, 6);
        doc().setCell(5, 6, nullptr);
        popupItem(5, 6, "MENU_CELL", "InsertCell");
        QCOMPARE(doc().cell(5, 6)->x, 20);
        // A block with nothing to fill it in from says so in the status bar.
        select(4, 5, 6, 5);
        popupItem(5, 5, "MENU_CELL", "InsertCell");
        QVERIFY(!doc().cell(5, 5));
        QCOMPARE(
            f->window->statusText(),
            QStringLiteral("No cell lies before or after the block in its cell numbers to fill it in from"));
    }

    void aShrunkOrReplacedDocumentLeavesNoRangeBehind() {
        select(6, 1, 9, 2);
        QTest::keyClick(kf, Qt::Key_C, Qt::ControlModifier);
        // Frames 7.. deleted elsewhere: the ranges are clipped to the grid.
        f->session().report(f->session().commands().deleteFrames(7, 3));
        QCOMPARE(kf->columns(), 7);
        QCOMPARE(kf->rect(cTimelineView::kSelection), cTimelineRange::ofCells(6, 1, 6, 2));
        QVERIFY(kf->cursorFrame() < 7);
        // A replaced document clears them; the commands act on the new grid only.
        f->prompts.answers = {cPrompts::kNo};
        QVERIFY(f->session().openPath(f->writeProject(QStringLiteral("small.txt"), 2)));
        QCOMPARE(kf->columns(), 2);
        QVERIFY(kf->rect(cTimelineView::kSelection).empty() && kf->rect(cTimelineView::kCopied).empty());
        QVERIFY(!kf->isEnabled(cTimeline::kCut) && !kf->isEnabled(cTimeline::kDelete));
        QTest::keyClick(kf, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(doc().frameCount(), 2);
    }
};

PELKO_UI_TEST(cTimelineTest)
#include "timeline_test.moc"
