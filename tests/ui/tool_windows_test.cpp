// The cell window, the chooser, the lock windows and the frame compensation, batch and interval
// windows, driven through their controls.

#include "editor_fixture.h"
#include "ui/session/ui_messages.h"

#include "document/history.h"
#include "tools/batch_edit.h"
#include "ui/dialogs/check_list.h"
#include "ui/dialogs/dlg_cell.h"
#include "ui/dialogs/dlg_cell_number_chooser.h"
#include "ui/dialogs/dlg_frame_comp.h"
#include "ui/dialogs/dlg_lock_cell.h"
#include "ui/shell/tool_window.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QTreeWidget>

class cToolWindowsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<strEditorFixture> f;

    template <class T> T* find(const char* name) const { return f->find<T>(name); }
    cProject& doc() const { return f->doc(); }
    void request(int command, const cTimelineRange& range = {}, QWidget* origin = nullptr) {
        // (no pointer position)
        f->session().requestTool({command, range, -1, {}, origin});
    }
    // Ticks row `row` of a check list as a user does: select it and press Space.
    void tick(const char* list, int row) const {
        find<cCheckList>(list)->setCurrentRow(row);
        QTest::keyClick(find<cCheckList>(list), Qt::Key_Space);
    }
    // X of cell 0 on every frame (-1: no cell).
    QList<int> xs() const {
        QList<int> out;
        for (int fr = 0; fr < doc().frameCount(); ++fr)
            out << (doc().cell(fr, 0) ? doc().cell(fr, 0)->x : -1);
        return out;
    }

  private slots:
    void init() {
        f = std::make_unique<strEditorFixture>();
        QVERIFY(f->start());
        QVERIFY(f->openProject(QStringLiteral("p.dat"), 6));
    }
    void cleanup() { f.reset(); }

    void cellWindowControlsFollowTheEditFormatAndLock() {
        // Per edit format (locked with format 1): angle, SX, SY and image enabled; SX and flip shown.
        const QList<bool> expected[] = {{true, true, true, true, true, false},
                                        {false, false, false, false, true, false},
                                        {true, false, true, true, false, true},
                                        {true, true, false, true, true, false},
                                        {false, true, true, true, true, false}};
        for (int format = 0; format < 5; ++format) {
            doc().setSetting(kKeyEditFormat, format);
            doc().setSetting(kKeyLock, format == 1);
            request(kCmdCellSettings, cTimelineRange::ofCell(0, 0));
            auto* dlg = f->window->findChild<cDlg_Cell*>();
            QVERIFY(dlg && dlg->isVisible());
            const QList<bool> state{
                find<QSpinBox>("cellAngle")->isEnabled(),   find<QSpinBox>("cellSx")->isEnabled(),
                find<QSpinBox>("cellSy")->isEnabled(),      find<QSpinBox>("cellImage")->isEnabled(),
                find<QSpinBox>("cellSx")->isVisibleTo(dlg), find<QComboBox>("cellFlip")->isVisibleTo(dlg)};
            QVERIFY2(state == expected[format], qPrintable(QString::number(format)));
            dlg->close();
        }
        // Format 2: "Inversed" stores SX as minus SY.
        doc().setSetting(kKeyLock, 0);
        doc().setSetting(kKeyEditFormat, 2);
        request(kCmdCellSettings, cTimelineRange::ofCell(1, 0));
        // The status bar names the window by the cell it opened on.
        QCOMPARE(f->session().statusText(), QStringLiteral("Opened \"%1\"").arg(cDlg_Cell::titleText(1, 0)));
        f->type(find<QSpinBox>("cellSy"), 150);
        find<QComboBox>("cellFlip")->setCurrentIndex(1);
        find<QPushButton>("cellApply")->click();
        QCOMPARE((QList<int>{doc().cell(1, 0)->mx, doc().cell(1, 0)->my}), (QList<int>{-150, 150}));
    }

    void cellWindowPreviewsAppliesOnceAndKeepsEmptySlotsInert() {
        cSession& s = f->session();
        // The colour text sets the four sliders (saturation first).
        request(kCmdCellSettings, cTimelineRange::ofCell(2, 0));
        auto* dlg = f->window->findChild<cDlg_Cell*>();
        find<QPushButton>("cellDetails")->click();
        auto* text = find<QLineEdit>("cellColourText");
        text->selectAll();
        QTest::keyClicks(text, QStringLiteral("c8646432"));
        QCOMPARE(
            (QList<int>{find<QSpinBox>("cellToneSaturation")->value(), find<QSpinBox>("cellToneRed")->value(),
                        find<QSpinBox>("cellToneGreen")->value(), find<QSpinBox>("cellToneBlue")->value()}),
            (QList<int>{200, 100, 100, 50}));
        find<QPushButton>("cellClear")->click();
        QCOMPARE(text->text(), QStringLiteral("64646464"));

        // An unchanged cell applies nothing.
        find<QPushButton>("cellApply")->click();
        QVERIFY(!dlg->isVisible());
        QVERIFY(!s.history().canUndo());

        // The canvas shows the working copy; Apply is one undo step; closing ends the preview.
        request(kCmdCellSettings, cTimelineRange::ofCell(2, 0));
        f->type(find<QSpinBox>("cellX"), 77);
        QTRY_COMPARE(s.overlays().previewValue.x, int16_t(77));
        QVERIFY(s.overlays().cellPreview);
        QCOMPARE(s.overlays().previewFrame, 2);
        QCOMPARE(doc().cell(2, 0)->x, int16_t(20));
        find<QPushButton>("cellApply")->click();
        QCOMPARE(doc().cell(2, 0)->x, int16_t(77));
        QCOMPARE(s.history().undoCount(), size_t(1));
        QVERIFY(!s.overlays().cellPreview);
        QVERIFY(f->trigger(kCmdUndo));
        QCOMPARE(doc().cell(2, 0)->x, int16_t(20));

        // Copy from the next frame fills the controls without touching the document.
        request(kCmdCellSettings, cTimelineRange::ofCell(2, 0));
        QVERIFY(find<QPushButton>("cellCopyPrevious")->isEnabled());
        find<QPushButton>("cellCopyNext")->click();
        QCOMPARE(find<QSpinBox>("cellX")->value(), 30);
        QCOMPARE(doc().cell(2, 0)->x, int16_t(20));

        // An empty slot: nothing to edit, preview or apply.
        request(kCmdCellSettings, cTimelineRange::ofCell(2, 5));
        QVERIFY(!find<QSpinBox>("cellX")->isEnabled());
        QVERIFY(!find<QPushButton>("cellApply")->isEnabled());
        QVERIFY(!s.overlays().cellPreview);
        QCOMPARE(dlg->windowTitle(), cDlg_Cell::titleText(2, 5));
    }

    void frameCompensationBatchAndIntervalAreOneStepEach() {
        // Cell 0 at X 0 on frame 0 and X 40 on frame 4 only (and X 50 on frame 5).
        for (int fr = 1; fr <= 3; ++fr)
            doc().setCell(fr, 0, nullptr);
        cHistory& h = f->session().history();
        // From the menu with nothing ticked, the current cell is.
        f->session().commands().setCurrentCell(3);
        QVERIFY(f->trigger(kCmdFrameTool));
        QVERIFY(find<cCheckList>("frameCompCells")->isChecked(3));

        request(kCmdFrameTool, cTimelineRange::ofCells(0, 0, 4, 0));
        auto* comp = f->window->findChild<cDlg_FrameComp*>();
        QVERIFY(comp && comp->isVisible());
        QVERIFY(find<cCheckList>("frameCompCells")->isChecked(0));
        QCOMPARE(find<QSpinBox>("frameCompEnd")->value(), 4);
        // Opened for the timeline's selection with every value ticked.
        QVERIFY(find<cCheckList>("frameCompParams")->isChecked(3)); // Coordinate X
        find<QPushButton>("frameCompRun")->click();
        QVERIFY(!comp->isVisible());
        QCOMPARE(xs(), (QList<int>{0, 10, 20, 30, 40, 50}));
        QCOMPARE(f->window->statusText(), LibraryMessage(strMessage(kMsgCompensated, 0, 4, 3)));
        QCOMPARE(h.undoCount(), size_t(1));

        // The batch: frames 1..3 of cell 0, X += -10; the ticked parameter is kept for next time.
        request(kCmdBatchTool, cTimelineRange::ofCells(1, 0, 3, 0));
        tick("batchParams", 3);
        find<QComboBox>("batchFormula")->setCurrentIndex(cBatchEdit::kAdd);
        f->type(find<QSpinBox>("batchValue"), -10);
        find<QPushButton>("batchRun")->click();
        QCOMPARE(xs(), (QList<int>{0, 0, 10, 20, 40, 50}));
        QCOMPARE(h.undoCount(), size_t(2));
        QVERIFY(f->trigger(kCmdBatchTool));
        QVERIFY(find<cCheckList>("batchParams")->isChecked(3));
        find<QPushButton>("batchCancel")->click();

        // Interval: filled from the selection, one undo step.
        request(kCmdIntervalTool, cTimelineRange::ofFrames(1, 2));
        f->type(find<QSpinBox>("intervalValue"), 7);
        find<QPushButton>("intervalRun")->click();
        QCOMPARE((QList<int>{doc().frameInterval(1, false), doc().frameInterval(2, false),
                             doc().frameInterval(3, false)}),
                 (QList<int>{7, 7, 0}));
        QVERIFY(f->trigger(kCmdUndo));
        QCOMPARE(doc().frameInterval(1, false), 0);
    }

    void chooserMakesNewCellsAndTakesPaste() {
        cSession& s = f->session();
        QVERIFY(f->trigger(kCmdNewCell));
        auto* chooser = f->window->findChild<cDlg_CellNumberChooser*>();
        QVERIFY(chooser && chooser->isVisible());
        QCOMPARE(chooser->count(), doc().cellNumber());
        QCOMPARE(chooser->item(0)->text(), QStringLiteral("*0"));
        QCOMPARE(chooser->item(1)->text(), QStringLiteral(" 1"));
        QTest::keyClick(chooser, Qt::Key_Down);
        QTest::keyClick(chooser, Qt::Key_Return);
        QVERIFY(doc().cell(0, 1));
        QCOMPARE(*doc().cell(0, 1), strCell());
        QCOMPARE(s.commands().currentCell(), 1);
        QCOMPARE(s.history().undoCount(), size_t(1));
        // From the canvas's popup (the command with the popup's point) the new cell goes there.
        QVERIFY(f->window->commands().trigger(kCmdNewCell, QPoint(30, -40)));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        chooser = f->window->findChild<cDlg_CellNumberChooser*>();
        chooser->setCurrentRow(2);
        QTest::keyClick(chooser, Qt::Key_Space);
        QCOMPARE((QList<int>{doc().cell(0, 2)->x, doc().cell(0, 2)->y}), (QList<int>{30, -40}));
        // The timeline's "New" names the place: no chooser.
        request(kCmdNewCell, cTimelineRange::ofCell(3, 6));
        QVERIFY(doc().cell(3, 6));
        QCOMPARE(s.currentFrame(), 3);
        QCOMPARE(s.commands().currentCell(), 6);
        s.setCurrentFrame(0);

        // Paste without a current cell: the chosen number is the base.
        s.commands().clearSelection();
        s.commands().select(0);
        s.report(s.clipCommands().copyCells());
        s.commands().setCurrentCell(-1);
        f->window->refreshClipboardState();
        QVERIFY(f->trigger(kCmdPaste));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        chooser = f->window->findChild<cDlg_CellNumberChooser*>();
        QVERIFY(chooser && chooser->isVisible());
        const QRect row = chooser->visualItemRect(chooser->item(4));
        QTest::mouseClick(chooser->viewport(), Qt::LeftButton, {}, row.center());
        QVERIFY(doc().cell(0, 4));
        QCOMPARE(doc().cell(0, 4)->x, doc().cell(0, 0)->x);
    }

    void eachWindowOpensOnceAndFromElsewhereDisablesTheMainWindow() {
        QVERIFY(!f->enabled(kCmdCellLock));
        doc().setSetting(kKeyLock, 1);
        QVERIFY(f->enabled(kCmdCellLock));
        QWidget* list = f->window->listWindow();
        const auto windows = [this] {
            QList<QDialog*> shown;
            for (QDialog* d : f->window->findChildren<QDialog*>())
                if (d->isVisible()) shown << d;
            return shown;
        };
        // Each request as the list window's timeline makes it, then again from the main window.
        const int commands[] = {kCmdCellSettings, kCmdFrameTool, kCmdBatchTool, kCmdIntervalTool,
                                kCmdCellLock,     kCmdExportPng, kCmdExportGif};
        for (int command : commands) {
            const QByteArray at = QByteArray::number(command);
            const bool fromList = command != kCmdExportPng && command != kCmdExportGif;
            const cTimelineRange range =
                command == kCmdCellSettings ? cTimelineRange::ofCell(0, 0) : cTimelineRange::ofFrames(0, 0);
            request(command, range, fromList ? list : nullptr);
            const QList<QDialog*> first = windows();
            QVERIFY2(first.size() == 1, at);
            QVERIFY2(f->window->isEnabled() == !fromList, at);
            QVERIFY2(first[0]->isEnabled() && list->isEnabled(), at);
            for (int again = 0; again < 2; ++again) {
                request(command, range);
                QVERIFY2(windows() == first, at);
                first[0]->close();
                QVERIFY2(f->window->isEnabled(), at);
            }
        }
    }

    void lockTableAndSingleWindowStoreThePictures() {
        doc().setSetting(kKeyLock, 1);
        for (int i = 0; i < 4; ++i)
            doc().setPicture(i, strPicture());
        f->window->commands().update();
        QVERIFY(f->trigger(kCmdCellLock));
        auto* rows = find<QTreeWidget>("lockRows");
        rows->topLevelItem(1)->setSelected(true);
        rows->topLevelItem(2)->setSelected(true);
        f->type(find<QSpinBox>("lockNumber"), 3);
        QCOMPARE(rows->topLevelItem(2)->text(1), QStringLiteral("3"));
        QCOMPARE(rows->topLevelItem(0)->text(1), QStringLiteral("0"));
        find<QPushButton>("lockUpdate")->click();
        QCOMPARE((QList<int>{doc().lockedPicture(1), doc().lockedPicture(2)}), (QList<int>{3, 3}));
        QCOMPARE(f->session().statusText(), QStringLiteral("Lock table stored: 2 cell numbers changed"));
        QCOMPARE(f->session().history().undoCount(), size_t(1));
        find<QPushButton>("lockUpdate")->click();
        QCOMPARE(f->session().statusText(), QStringLiteral("The lock table is unchanged"));
        QCOMPARE(f->session().history().undoCount(), size_t(1));

        // The single window of a cell number, as the list window asks for it.
        request(kCmdCellLock, cTimelineRange::ofRows(2, 2), f->window->listWindow());
        auto* single = f->window->findChild<cDlg_LockCell*>();
        QCOMPARE(single->windowTitle(), cDlg_LockCell::titleText(2));
        QCOMPARE(f->session().statusText(), QStringLiteral("Opened \"%1\"").arg(cDlg_LockCell::titleText(2)));
        QCOMPARE(find<QSpinBox>("lockImage")->value(), 3);
        f->type(find<QSpinBox>("lockImage"), 1);
        find<QDialogButtonBox>("lockSingleButtons")->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(doc().lockedPicture(2), 1);
        QCOMPARE(f->session().statusText(), QStringLiteral("Cell number 2 locked to picture 1"));
        QVERIFY(!single->isVisible());
    }
};

PELKO_UI_TEST(cToolWindowsTest)
#include "tool_windows_test.moc"
