// The cell window, the chooser, the lock windows and the frame compensation, batch and interval
// windows, driven through their controls and compared with the library's tools.

#include "editor_fixture.h"
#include "ui_test.h"

#include "document/anime_file_device.h"
#include "document/history.h"
#include "document/project.h"
#include "tools/batch_edit.h"
#include "tools/frame_comp.h"
#include "ui/dialogs/check_list.h"
#include "ui/dialogs/dlg_at_once.h"
#include "ui/dialogs/dlg_cell.h"
#include "ui/dialogs/dlg_contex_cell.h"
#include "ui/dialogs/dlg_fix_cell.h"
#include "ui/dialogs/dlg_fix_cell_s.h"
#include "ui/dialogs/dlg_frame_comp.h"
#include "ui/dialogs/dlg_set_interval.h"
#include "ui/shell/command_ids.h"
#include "ui/shell/command_table.h"
#include "ui/shell/tool_window.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>

class cToolWindowsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<strEditorFixture> f;

    template <class T> T* find(const char* name) const { return f->find<T>(name); }
    cProject& doc() const { return f->session().document(); }
    void request(int command, int f0 = -1, int f1 = -1, int c0 = -1, int c1 = -1, QWidget* origin = nullptr) {
        strToolRequest r;
        r.command = command;
        r.frameFirst = f0;
        r.frameLast = f1;
        r.cellFirst = c0;
        r.cellLast = c1;
        r.origin = origin;
        f->session().requestTool(r);
    }
    // Ticks row `row` of a check list as a user does: select it and press Space.
    static void tick(cCheckList* list, int row) {
        list->setCurrentRow(row);
        QTest::keyClick(list, Qt::Key_Space);
    }
    static void type(QSpinBox* spin, int value) {
        spin->selectAll();
        QTest::keyClicks(spin, QString::number(value));
    }
    // A copy of the session's document as saved, for running the library's tools on.
    std::unique_ptr<cProject> copyOfDocument() const {
        const std::string file = f->path(QStringLiteral("copy.dat")).toStdString();
        ANIME::cAnimeFile_Device device;
        auto copy = std::make_unique<cProject>(&f->config);
        if (device.save(file, doc(), 0) != 1 || device.load(file, *copy) != 1) return nullptr;
        return copy;
    }
    static QList<strCell> cells(const cProject& d, int cell) {
        QList<strCell> out;
        for (int fr = 0; fr < d.frameCount(); ++fr)
            out << (d.cell(fr, cell) ? *d.cell(fr, cell) : strCell::neutral());
        return out;
    }

  private slots:
    void init() {
        f = std::make_unique<strEditorFixture>();
        QVERIFY(f->start());
        QVERIFY(f->session().openPath(f->writeProject(QStringLiteral("p.dat"), 6)));
    }
    void cleanup() { f.reset(); }

    void cellWindowControlsFollowTheEditFormatAndLock() {
        struct strCase {
            int format;
            bool angle, sx, sy, flipShown, sxShown;
        } cases[] = {{0, true, true, true, false, true},
                     {1, false, false, false, false, true},
                     {2, true, false, true, true, false},
                     {3, true, true, false, false, true},
                     {4, false, true, true, false, true}};
        for (const strCase& c : cases) {
            doc().setSetting(kKeyEditFormat, c.format);
            doc().setSetting(kKeyLock, c.format == 1);
            request(kCmdCellSettings, 0, 0, 0, 0);
            auto* dlg = f->window->findChild<cDlg_Cell*>();
            QVERIFY(dlg && dlg->isVisible());
            const QString at = QString::number(c.format);
            QVERIFY2(find<QSpinBox>("cellAngle")->isEnabled() == c.angle, qPrintable(at));
            QVERIFY2(find<QSpinBox>("cellSx")->isEnabled() == c.sx, qPrintable(at));
            QVERIFY2(find<QSpinBox>("cellSx")->isVisibleTo(dlg) == c.sxShown, qPrintable(at));
            QVERIFY2(find<QSpinBox>("cellSy")->isEnabled() == c.sy, qPrintable(at));
            QVERIFY2(find<QComboBox>("cellFlip")->isVisibleTo(dlg) == c.flipShown, qPrintable(at));
            QVERIFY2(find<QSpinBox>("cellImage")->isEnabled() == (c.format != 1), qPrintable(at));
            dlg->close();
        }
        // Format 2: "Inversed" stores SX as minus SY.
        doc().setSetting(kKeyLock, 0);
        doc().setSetting(kKeyEditFormat, 2);
        request(kCmdCellSettings, 1, 1, 0, 0);
        type(find<QSpinBox>("cellSy"), 150);
        find<QComboBox>("cellFlip")->setCurrentIndex(1);
        find<QPushButton>("cellApply")->click();
        QCOMPARE(doc().cell(1, 0)->mx, int16_t(-150));
        QCOMPARE(doc().cell(1, 0)->my, int16_t(150));
    }

    void cellWindowPreviewsAppliesOnceAndKeepsEmptySlotsInert() {
        cSession& s = f->session();
        // The colour text sets the four sliders (saturation first).
        request(kCmdCellSettings, 2, 2, 0, 0);
        auto* dlg = f->window->findChild<cDlg_Cell*>();
        find<QPushButton>("cellDetails")->click();
        auto* text = find<QLineEdit>("cellColourText");
        text->selectAll();
        QTest::keyClicks(text, QStringLiteral("c8646432"));
        QCOMPARE(find<QSpinBox>("cellToneSaturation")->value(), 200);
        QCOMPARE(find<QSpinBox>("cellToneRed")->value(), 100);
        QCOMPARE(find<QSpinBox>("cellToneGreen")->value(), 100);
        QCOMPARE(find<QSpinBox>("cellToneBlue")->value(), 50);
        find<QPushButton>("cellClear")->click();
        QCOMPARE(text->text(), QStringLiteral("64646464"));

        // An unchanged cell applies nothing.
        QVERIFY(!s.history().canUndo());
        find<QPushButton>("cellApply")->click();
        QVERIFY(!dlg->isVisible());
        QVERIFY(!s.history().canUndo());

        // The canvas shows the working copy; Apply is one undo step; closing ends the preview.
        request(kCmdCellSettings, 2, 2, 0, 0);
        type(find<QSpinBox>("cellX"), 77);
        QTRY_COMPARE(s.overlays().previewValue.x, int16_t(77));
        QVERIFY(s.overlays().cellPreview);
        QCOMPARE(s.overlays().previewFrame, 2);
        QCOMPARE(doc().cell(2, 0)->x, int16_t(20));
        find<QPushButton>("cellApply")->click();
        QCOMPARE(doc().cell(2, 0)->x, int16_t(77));
        QCOMPARE(s.history().undoCount(), size_t(1));
        QVERIFY(!s.overlays().cellPreview);
        QVERIFY(f->window->commands().trigger(kCmdUndo));
        QCOMPARE(doc().cell(2, 0)->x, int16_t(20));

        // Copy from the next frame fills the controls without touching the document.
        request(kCmdCellSettings, 2, 2, 0, 0);
        QVERIFY(find<QPushButton>("cellCopyPrevious")->isEnabled());
        find<QPushButton>("cellCopyNext")->click();
        QCOMPARE(find<QSpinBox>("cellX")->value(), 30);
        QCOMPARE(doc().cell(2, 0)->x, int16_t(20));

        // An empty slot: nothing to edit, preview or apply.
        request(kCmdCellSettings, 2, 2, 5, 5);
        QVERIFY(!find<QSpinBox>("cellX")->isEnabled());
        QVERIFY(!find<QPushButton>("cellApply")->isEnabled());
        QVERIFY(!s.overlays().cellPreview);
        QCOMPARE(dlg->windowTitle(), QStringLiteral("Cell [2,5]"));
    }

    void frameCompensationAndBatchMatchTheLibraryInOneStepEach() {
        // Cell 0 at frames 0 and 4 only.
        for (int fr = 1; fr <= 3; ++fr)
            doc().setCell(fr, 0, nullptr);
        auto expected = copyOfDocument();
        QVERIFY(expected);
        cHistory& h = f->session().history();
        // From the menu with nothing ticked, the current cell is.
        f->session().commands().setCurrentCell(3);
        QVERIFY(f->window->commands().trigger(kCmdFrameTool));
        QVERIFY(find<cCheckList>("frameCompCells")->isChecked(3));

        request(kCmdFrameTool, 0, 4, 0, 0);
        auto* comp = f->window->findChild<cDlg_FrameComp*>();
        QVERIFY(comp && comp->isVisible());
        QVERIFY(find<cCheckList>("frameCompCells")->isChecked(0));
        QCOMPARE(find<QSpinBox>("frameCompEnd")->value(), 4);
        tick(find<cCheckList>("frameCompParams"), 3); // Coordinate X
        find<QPushButton>("frameCompRun")->click();
        QVERIFY(!comp->isVisible());
        cFrameComp tool;
        tool.endFrame = 4;
        tool.cellChecks = {1};
        tool.paramChecks[3] = 1;
        strToolContext ctx;
        ctx.doc = expected.get();
        tool.run(ctx);
        QCOMPARE(cells(doc(), 0), cells(*expected, 0));
        QVERIFY(f->window->statusText().startsWith(QStringLiteral("Processing on frame [0]")));
        QCOMPARE(h.undoCount(), size_t(1));

        // The batch: frames 1..3 of cell 0, X += 10; the ticked parameter is kept for next time.
        request(kCmdBatchTool, 1, 3, 0, 0);
        tick(find<cCheckList>("batchParams"), 3);
        find<QComboBox>("batchFormula")->setCurrentIndex(cBatchEdit::kAdd);
        type(find<QSpinBox>("batchValue"), -10);
        find<QPushButton>("batchRun")->click();
        cBatchEdit batch;
        batch.fitToProject(*expected);
        batch.frameChecks = {0, 1, 1, 1, 0, 0};
        batch.cellChecks[0] = 1;
        batch.paramChecks[3] = 1;
        batch.formula = cBatchEdit::kAdd;
        batch.value = -10;
        batch.run(ctx);
        QCOMPARE(cells(doc(), 0), cells(*expected, 0));
        QCOMPARE(h.undoCount(), size_t(2));
        QVERIFY(f->window->commands().trigger(kCmdBatchTool));
        QVERIFY(find<cCheckList>("batchParams")->isChecked(3));
        find<QPushButton>("batchCancel")->click();

        // Interval: filled from the selection, one undo step.
        request(kCmdIntervalTool, 1, 2);
        type(find<QSpinBox>("intervalValue"), 7);
        find<QPushButton>("intervalRun")->click();
        QCOMPARE(doc().frameInterval(1, false), 7);
        QCOMPARE(doc().frameInterval(2, false), 7);
        QCOMPARE(doc().frameInterval(3, false), 0);
        QVERIFY(f->window->commands().trigger(kCmdUndo));
        QCOMPARE(doc().frameInterval(1, false), 0);
    }

    void chooserMakesNewCellsAndTakesPaste() {
        cSession& s = f->session();
        QVERIFY(f->window->commands().trigger(kCmdNewCell));
        auto* chooser = f->window->findChild<cDlg_ContexCell*>();
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
        // From the canvas's popup the new cell goes where the pointer was.
        strToolRequest r;
        r.command = kCmdNewCell;
        r.hasDocumentPos = true;
        r.documentPos = QPoint(30, -40);
        s.requestTool(r);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        chooser = f->window->findChild<cDlg_ContexCell*>();
        chooser->setCurrentRow(2);
        QTest::keyClick(chooser, Qt::Key_Space);
        QCOMPARE(doc().cell(0, 2)->x, int16_t(30));
        QCOMPARE(doc().cell(0, 2)->y, int16_t(-40));
        // The timeline's "New" names the place: no chooser.
        request(kCmdNewCell, 3, 3, 6, 6);
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
        QVERIFY(f->window->commands().trigger(kCmdPaste));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        chooser = f->window->findChild<cDlg_ContexCell*>();
        QVERIFY(chooser && chooser->isVisible());
        const QRect row = chooser->visualItemRect(chooser->item(4));
        QTest::mouseClick(chooser->viewport(), Qt::LeftButton, {}, row.center());
        QVERIFY(doc().cell(0, 4));
        QCOMPARE(doc().cell(0, 4)->x, doc().cell(0, 0)->x);
    }

    void eachWindowOpensOnceAndFromElsewhereDisablesTheMainWindow() {
        QVERIFY(!f->window->commands().action(kCmdCellLock)->isEnabled());
        doc().setSetting(kKeyLock, 1);
        f->window->commands().update();
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
            request(command, 0, 0, command == kCmdCellSettings ? 0 : -1, -1, fromList ? list : nullptr);
            const QList<QDialog*> first = windows();
            QVERIFY2(first.size() == 1, at);
            QVERIFY2(f->window->isEnabled() == !fromList, at);
            QVERIFY2(first[0]->isEnabled() && list->isEnabled(), at);
            request(command, 0, 0, command == kCmdCellSettings ? 0 : -1);
            QVERIFY2(windows() == first, at);
            first[0]->close();
            QVERIFY2(f->window->isEnabled(), at);
            request(command, 0, 0, command == kCmdCellSettings ? 0 : -1);
            QVERIFY2(windows() == first, at);
            first[0]->close();
        }
    }

    void lockWindowsStoreOneStepAndDisableTheMainWindowFromElsewhere() {
        doc().setSetting(kKeyLock, 1);
        for (int i = 0; i < 4; ++i)
            doc().pictures().setCopy(i, strPicture());
        f->window->commands().update();
        QVERIFY(f->window->commands().trigger(kCmdCellLock));
        auto* rows = find<QTreeWidget>("lockRows");
        rows->topLevelItem(1)->setSelected(true);
        rows->topLevelItem(2)->setSelected(true);
        type(find<QSpinBox>("lockNumber"), 3);
        QCOMPARE(rows->topLevelItem(2)->text(1), QStringLiteral("3"));
        QCOMPARE(rows->topLevelItem(0)->text(1), QStringLiteral("0"));
        find<QPushButton>("lockUpdate")->click();
        QCOMPARE(doc().lockedPicture(1), 3);
        QCOMPARE(doc().lockedPicture(2), 3);
        QCOMPARE(f->session().history().undoCount(), size_t(1));

        // Asked for by the list window: the main window is disabled until the window closes.
        QWidget* list = f->window->listWindow();
        request(kCmdCellLock, -1, -1, 2, 2, list);
        auto* single = f->window->findChild<cDlg_FixCell_S*>();
        QCOMPARE(single->windowTitle(), QStringLiteral("[2] Locked for cell and image"));
        QCOMPARE(find<QSpinBox>("lockImage")->value(), 3);
        QVERIFY(!f->window->isEnabled());
        QVERIFY(single->isEnabled() && list->isEnabled());
        type(find<QSpinBox>("lockImage"), 1);
        find<QDialogButtonBox>("lockSingleButtons")->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(doc().lockedPicture(2), 1);
        QVERIFY(!single->isVisible());
        QVERIFY(f->window->isEnabled());
    }
};

PELKO_UI_TEST(cToolWindowsTest)
#include "tool_windows_test.moc"
