// The canvas's wiring of real mouse and key events to the library's gestures: buttons and Ctrl,
// Shift and the A / S keys, cancelling, the drag range, the Scale tool's pivot phase, the spline
// dialog, the popup, zoom and pan, double click and arrows. The gestures' values are tested in
// tests/tools/canvas_gestures_test.cpp.

#include "canvas_fixture.h"
#include "ui/session/ui_messages.h"
#include "ui/shell/access_letters.h"

#include "ui/canvas/dlg_spline.h"
#include "ui/dialogs/dlg_cell_number_chooser.h"

#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QWheelEvent>

namespace {

// Puts cells (cell number, x, y) of pattern 1 on every frame 0..frames-1.
auto Cells(std::vector<std::array<int, 3>> cells, int frames = 1) {
    return [cells, frames](cProject& doc) {
        for (int f = 0; f < frames; ++f) {
            doc.frameOrCreate(f);
            for (const auto& [n, x, y] : cells) {
                const strCell c = SheetCell(1, x, y);
                doc.setCell(f, n, &c);
            }
        }
    };
}

} // namespace

class cCanvasEditTest : public QObject {
    Q_OBJECT
    std::unique_ptr<strCanvasFixture> f;

    cEditCommands& commands() const { return f->session().commands(); }
    size_t undoSteps() const { return f->session().history().undoCount(); }

  private slots:
    void init() { f = std::make_unique<strCanvasFixture>(); }
    void cleanup() { f.reset(); }

    void clicksSelect() {
        QVERIFY(f->open(Cells({{2, 0, 0}, {5, 30, 0}, {1, -140, 0}, {3, 140, 60}, {4, 140, -60}})));
        // The hit test and the click modes are the library's (tests/tools); here the buttons and Ctrl.
        const struct {
            const char* what;
            QPointF at;
            Qt::KeyboardModifiers mods;
            std::vector<int> selection;
            int current;
        } clicks[] = {
            {"the overlap of cells 2 and 5 picks 5, the higher number", {20, 0}, {}, {5}, 5},
            {"Ctrl-click adds", {140, 60}, Qt::ControlModifier, {3, 5}, 3},
            {"a click on nothing clears the selection", {-60, 100}, {}, {}, -1},
        };
        for (const auto& c : clicks) {
            f->click(c.at, Qt::LeftButton, c.mods);
            QVERIFY2(commands().selection() == c.selection && commands().currentCell() == c.current, c.what);
        }
        QCOMPARE(undoSteps(), size_t(0)); // none of the clicks changed a cell
    }

    void moveSnapsUnlessShiftIsHeld_data() {
        QTest::addColumn<bool>("shift");
        QTest::addColumn<int>("right");
        QTest::newRow("snapped") << false << 12;
        QTest::newRow("shift") << true << 13;
    }
    void moveSnapsUnlessShiftIsHeld() {
        QFETCH(bool, shift);
        QFETCH(int, right);
        // At 200 %, 10 screen pixels are 5 document pixels; the position step is 4.
        QVERIFY(f->open(Cells({{0, 8, -32}, {1, -18, 32}}), 3));
        f->session().report(commands().selectAll());
        const Qt::KeyboardModifiers m = shift ? Qt::ShiftModifier : Qt::NoModifier;
        f->press({-18, 32}, Qt::LeftButton, Qt::ControlModifier);
        f->moveTo({-15, 32}, m);
        f->moveTo({-13, 32}, m);
        f->release({-13, 32}, Qt::LeftButton, m);
        QCOMPARE((QList<int>{f->cell(0, 0)->x, f->cell(0, 1)->x, f->cell(0, 1)->y}),
                 (QList<int>{right, -right, 32}));
        QCOMPARE(undoSteps(), size_t(1));
    }

    void aDragRotatesSDragScales() {
        QVERIFY(f->open([](cProject& doc) {
            strCell c = SheetCell(1, 0, 0);
            c.angle = 1700;
            doc.setCell(0, 0, &c);
        }));
        // A quarter turn clockwise about the cell's position: 2600 brought into range.
        f->dragHolding(Qt::Key_A, {40, 0}, {0, 40});
        QCOMPARE((QList<int>{f->cell(0, 0)->angle, f->cell(0, 0)->mx}), (QList<int>{-1000, 100}));
        // S: twice as far from the position doubles both magnifications.
        f->dragHolding(Qt::Key_S, {20, 0}, {40, 0});
        QCOMPARE((QList<int>{f->cell(0, 0)->mx, f->cell(0, 0)->my, f->cell(0, 0)->x}),
                 (QList<int>{200, 200, 0}));
        QCOMPARE(undoSteps(), size_t(2));
    }

    void rightButtonCancelsAndShiftCountsWithoutAMove() {
        QVERIFY(f->open(Cells({{0, 13, 0}})));
        f->press({13, 0});
        f->moveTo({50, 30});
        f->click({50, 30}, Qt::RightButton);
        QCOMPARE(f->canvas->dragMode(), int(kDragIdle));
        f->release({50, 30});
        QCOMPARE((QList<int>{f->cell(0, 0)->x, f->cell(0, 0)->y}), (QList<int>{13, 0}));
        QCOMPARE(undoSteps(), size_t(0));
        // Shift pressed after the last move turns snapping off for the release (position step 4).
        f->press({13, 0});
        f->moveTo({22, 0});
        QTest::keyPress(f->canvas, Qt::Key_Shift);
        f->release({22, 0}, Qt::LeftButton, Qt::ShiftModifier);
        QTest::keyRelease(f->canvas, Qt::Key_Shift);
        QCOMPARE(int(f->cell(0, 0)->x), 22);
        QCOMPARE(undoSteps(), size_t(1));
    }

    void dragRangeMovesItsBlockInOneStep() {
        QVERIFY(f->open(Cells({{0, -60, 0}, {1, 60, 0}}, 5)));
        f->session().setDragRange(cTimelineRange::ofCells(1, 0, 3, 0));
        f->session().setCurrentFrame(2);
        f->drag({-60, 0}, {-40, 8}, Qt::ShiftModifier);
        for (int frame = 0; frame < 5; ++frame) {
            const bool inRange = frame >= 1 && frame <= 3;
            QCOMPARE((QList<int>{f->cell(frame, 0)->x, f->cell(frame, 0)->y, f->cell(frame, 1)->x}),
                     (QList<int>{inRange ? -40 : -60, inRange ? 8 : 0, 60}));
        }
        QCOMPARE(undoSteps(), size_t(1));
    }

    void scaleToolBandThenPivot() {
        QVERIFY(f->open(Cells({{0, 0, 0}})));
        f->session().setToolMode(kToolPivot);
        // A band from (20, 0) to (70, 0), then the pointer twice as far, a quarter turn on: a click
        // applies; a right click cancels.
        for (Qt::MouseButton button : {Qt::RightButton, Qt::LeftButton}) {
            f->drag({20, 0}, {70, 0});
            QCOMPARE(f->canvas->dragMode(), int(kDragRotateScale));
            f->moveTo({20, 100});
            QTest::mouseClick(f->view(), button, {}, f->screen(20, 100));
            QCOMPARE(f->canvas->dragMode(), int(kDragIdle));
        }
        const strCell* c = f->cell(0, 0);
        QCOMPARE((QList<int>{c->x, c->y, c->angle, c->mx, c->my}), (QList<int>{20, -40, 900, 200, 200}));
        QCOMPARE(undoSteps(), size_t(1));
    }

    void splineGestureAndRunAreOneStep() {
        QVERIFY(f->open(Cells({{0, 0, 0}}, 4)));
        strCell scaled = *f->cell(2, 0);
        scaled.mx = 150;
        f->putCell(2, 0, scaled);
        f->session().document().setCell(3, 0, nullptr);
        f->session().setToolMode(kToolSpline);
        QSignalSpy opened(f->canvas, &cCanvas::splineDialogOpened);
        f->drag({0, 0}, {100, 100});
        QCOMPARE(f->canvas->dragMode(), int(kDragSpline));
        f->moveTo({100, 0});
        f->click({100, 0});
        QCOMPARE(opened.count(), 1);
        auto* dialog = opened.at(0).at(0).value<cDlg_Spline*>();
        QVERIFY(dialog->windowTitle().endsWith(QLatin1Char('0')));
        f->find<QSpinBox>("splineFrames", dialog)->setValue(2);
        f->find<QCheckBox>("splineGrid", dialog)->setChecked(false);
        const size_t before = undoSteps();
        QTest::mouseClick(f->find<QPushButton>("splineRun", dialog), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        // Only the position changes.
        QCOMPARE((QList<int>{f->cell(1, 0)->x, f->cell(1, 0)->y, f->cell(2, 0)->x, f->cell(2, 0)->mx}),
                 (QList<int>{75, 25, 100, 150}));
        QVERIFY(!f->cell(3, 0));
        QCOMPARE(undoSteps(), before + 1);
        QCOMPARE(f->window->statusText(), LibraryMessage(strMessage(kMsgSplineDone, 2)));
    }

    // The popup's items are the commands of the main window: the same label and enabling rule; New
    // (and Paste) take the point the popup was opened at.
    void popupActsOnTheClickedCell() {
        QVERIFY(f->open(Cells({{2, 30, 20}})));
        f->click({30, 20}, Qt::RightButton);
        auto* menu = f->canvas->findChild<QMenu*>(QStringLiteral("MENU_EDIT1"));
        QVERIFY(menu && menu->isVisible());
        QCOMPARE(commands().selection(), std::vector<int>{2});
        for (auto [name, id] :
             {std::pair("canvasPaste", kCmdPaste), std::pair("canvasToForeground", kCmdToForeground),
              std::pair("canvasSettings", kCmdCellSettings)}) {
            QAction* item = f->find<QAction>(name, menu);
            QCOMPARE(item->isEnabled(), f->enabled(id));
            QCOMPARE(WithoutAccessLetter(item->text()),
                     WithoutAccessLetter(f->window->commands().action(id)->text()));
        }
        f->find<QAction>("canvasNew", menu)->trigger();
        menu->hide();
        auto* chooser = f->window->findChild<cDlg_CellNumberChooser*>();
        QVERIFY(chooser && chooser->isVisible());
        chooser->setCurrentRow(5);
        QTest::keyClick(chooser, Qt::Key_Return);
        QVERIFY(f->cell(0, 5));
        QCOMPARE((QList<int>{f->cell(0, 5)->x, f->cell(0, 5)->y}), (QList<int>{30, 20}));
        QCOMPARE(commands().selection(), std::vector<int>{5});

        f->click({30, 20}, Qt::RightButton);
        QVERIFY(menu->isVisible());
        f->find<QAction>("canvasDelete", menu)->trigger();
        menu->hide();
        QVERIFY(!f->cell(0, 5));
        QVERIFY(f->cell(0, 2));
    }

    void wheelZoomsAboutThePointerAndTheMiddleButtonPans() {
        QVERIFY(f->open(Cells({})));
        const QPoint at = f->screen(40, 30);
        QWheelEvent wheel(at, f->view()->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, Qt::ControlModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(f->view(), &wheel);
        QCOMPARE(f->session().zoomIndex(), 3);
        QCOMPARE(f->canvas->toDocument(at), QPoint(40, 30));
        const QPointF origin = f->canvas->origin();
        QTest::mousePress(f->view(), Qt::MiddleButton, {}, at);
        QTest::mouseMove(f->view(), at + QPoint(20, 10));
        QTest::mouseRelease(f->view(), Qt::MiddleButton, {}, at + QPoint(20, 10));
        QCOMPARE(f->canvas->origin(), origin - QPointF(10, 5));
        QTest::mouseDClick(f->view(), Qt::MiddleButton, {}, at);
        QCOMPARE(f->canvas->origin(), QPointF(0, 0));
    }

    void doubleClickAsksForTheSettingsAndArrowsNudge() {
        QVERIFY(f->open(Cells({{3, 10, 10}})));
        QSignalSpy asked(&f->session(), &cSession::toolRequested);
        const QPoint at = f->screen(10, 10);
        QTest::mouseClick(f->view(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(f->view(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(f->view(), Qt::LeftButton, {}, at);
        QCOMPARE(asked.count(), 1);
        const auto r = asked.at(0).at(0).value<strToolRequest>();
        QCOMPARE(r.command, int(kCmdCellSettings));
        QCOMPARE(r.range, cTimelineRange::ofCell(0, 3));
        QTest::keyClick(f->canvas, Qt::Key_Right);
        QTest::keyClick(f->canvas, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE((QList<int>{f->cell(0, 3)->x, f->cell(0, 3)->y}), (QList<int>{11, 14}));
        QCOMPARE(undoSteps(), size_t(2));
    }
};

PELKO_UI_TEST(cCanvasEditTest)
#include "canvas_edit_test.moc"
