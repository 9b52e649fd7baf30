// What a person meets in the first hour: the defaults of new projects and pictures, saving an
// untitled document and the format its extension names, the modified mark in the title, the window
// layout of a first start and the windows' minimum sizes, the Rotate and Scale tools and the status
// bar's hints, Tab through the cells, the popups by keyboard, access letters in every menu, the row
// that adds a timing and the titled cell-number chooser.

#include "canvas_fixture.h"

#include "tools/effect_edit.h"
#include "ui/dialogs/dlg_cell_number_chooser.h"
#include "ui/dialogs/dlg_help.h"
#include "ui/lists/dlg_set_picture.h"
#include "ui/lists/list_window.h"
#include "ui/lists/source_list_model.h"
#include "ui/lists/source_list_view.h"
#include "ui/lists/timeline.h"
#include "ui/shell/access_letters.h"
#include "ui/shell/tool_window.h"
#include "ui/shell/window_geometry.h"
#include "workspace/workspace.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTableWidget>
#include <QToolBar>
#include <QWindow>

namespace {

QByteArray Head(const QString& file, int bytes = 8) {
    return strEditorFixture::read(file).left(bytes);
}

// Every visible popup menu of the application with that object name.
QMenu* OpenPopup(const char* name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* m = qobject_cast<QMenu*>(w); m && m->isVisible() && m->objectName() == QLatin1String(name))
            return m;
    return nullptr;
}

// The letters of a menu's items after it opened; fails the test on an item without one or a
// letter used twice.
bool LettersUnique(QMenu* menu, QString& why) {
    emit menu->aboutToShow();
    QSet<QChar> seen;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator()) continue;
        const QChar letter = AccessLetterOf(a->text());
        if (letter.isNull() || seen.contains(letter)) {
            why = menu->objectName() + QStringLiteral(": ") + a->text();
            return false;
        }
        seen.insert(letter);
        if (a->menu() && !LettersUnique(a->menu(), why)) return false;
    }
    return true;
}

} // namespace

class cFirstHourTest : public QObject {
    Q_OBJECT
    std::unique_ptr<strCanvasFixture> f;

    cProject& doc() const { return f->doc(); }
    cListWindow* lists() const { return qobject_cast<cListWindow*>(f->window->listWindow()->content()); }

  private slots:
    void init() { f = std::make_unique<strCanvasFixture>(); }
    void cleanup() { f.reset(); }

    void newProjectsAndPicturesFollowTodaysSheets() {
        QVERIFY(f->start());
        // A new project: no lock, pictures divided by pattern size.
        QCOMPARE(doc().getSetting(kKeyLock), 0);
        QCOMPARE(doc().getSetting(kKeySplitFormat), 1);
        QVERIFY(!f->enabled(kCmdCellLock));
        // The stored values keep their meaning: a settings file that asks for the lock gets it.
        cConfig c = f->config;
        QCOMPARE(cPictureEdit::newDivisions(c, 1, false), std::make_pair(192, 192));
        QCOMPARE(cPictureEdit::newDivisions(c, 1, true), std::make_pair(96, 96));
        // A project divided by number gets a sheet's five by five; configured sizes stay.
        QCOMPARE(cPictureEdit::newDivisions(c, 0, false), std::make_pair(5, 5));
        c.Init_CutX = 64;
        c.Init_CutY = 48;
        QCOMPARE(cPictureEdit::newDivisions(c, 1, true), std::make_pair(64, 48));
        c.Init_Div = 0;
        QCOMPARE(cPictureEdit::newDivisions(c, 0, false), std::make_pair(64, 48));
        QCOMPARE(cPictureEdit::newDivisions(c, 1, false), std::make_pair(192, 192));

        // The picture dialog of an empty row starts at 192 x 192 and can change the method: the
        // project's split format and the picture are one undo step.
        QImage sheet(960, 384, QImage::Format_ARGB32);
        sheet.fill(Qt::blue);
        QVERIFY(sheet.save(f->path(QStringLiteral("sheet.png"))));
        lists()->editPicture(1, f->path(QStringLiteral("sheet.png")));
        auto* dlg = f->window->findChild<cDlg_SetPicture*>();
        QVERIFY(dlg);
        auto* method = f->find<QComboBox>("pictureDivision", dlg);
        auto* across = f->find<QSpinBox>("pictureDivX", dlg);
        QVERIFY(method->isEnabled());
        QCOMPARE(across->value(), 192);
        QCOMPARE(f->find<QSpinBox>("pictureDivY", dlg)->value(), 192);
        method->setCurrentIndex(0);
        QCOMPARE(across->value(), 5);
        QCOMPARE(across->accessibleName(), QStringLiteral("Patterns across"));
        method->setCurrentIndex(1);
        QCOMPARE(across->accessibleName(), QStringLiteral("Pattern width"));
        method->setCurrentIndex(0);
        f->find<QSpinBox>("pictureDivY", dlg)->setValue(2);
        QTest::mouseClick(f->find<QPushButton>("pictureApply", dlg), Qt::LeftButton);
        QVERIFY(doc().picture(1));
        QCOMPARE(doc().getSetting(kKeySplitFormat), 0);
        QCOMPARE((QList<int>{doc().picture(1)->divX, doc().picture(1)->divY}), (QList<int>{5, 2}));
        QCOMPARE(f->session().history().undoCount(), size_t(1));
        // 960 / 5 by 384 / 2: the slot is divided by the new method.
        QVERIFY(f->session().pictureSlots().find(1) && f->session().pictureSlots().find(1)->isValid());
        QVERIFY(f->trigger(kCmdUndo));
        QCOMPARE(doc().getSetting(kKeySplitFormat), 1);
        QVERIFY(!doc().picture(1));
    }

    void ctrlSOnAnUntitledDocumentIsSaveAsAndTheExtensionPicksTheFormat() {
        QVERIFY(f->start());
        f->window->show();
        // The main window has the keys (the tool windows come up after it).
        QTRY_VERIFY(f->window->paletteWindow()->isVisible());
        f->window->activateWindow();
        QTRY_VERIFY(QGuiApplication::focusWindow() == f->window->windowHandle());
        // New projects keep their stored default format (text); a name ending in .dat is binary.
        QCOMPARE(doc().getSetting(kKeySaveFormat), 1);
        // The title the window system shows: "*" while modified.
        auto shown = [this] { return f->window->windowHandle()->title(); };
        QVERIFY(!shown().contains(QLatin1Char('*')));
        f->touch();
        QVERIFY(shown().contains(QLatin1Char('*')));
        QVERIFY(f->enabled(kCmdSave));
        f->prompts.saveAnswer = f->path(QStringLiteral("x.dat"));
        QTest::keyClick(f->window.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(f->prompts.fileDialogs, 1);
        QCOMPARE(Head(f->path(QStringLiteral("x.dat"))), QByteArray("PELK_BIN"));
        QVERIFY(!shown().contains(QLatin1Char('*')));
        QVERIFY(shown().contains(QStringLiteral("x.dat")));
        // Titled now: Ctrl+S saves in place, in the format of its name, without asking.
        f->touch();
        QTest::keyClick(f->window.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(f->prompts.fileDialogs, 1);
        QCOMPARE(Head(f->path(QStringLiteral("x.dat"))), QByteArray("PELK_BIN"));
        QVERIFY(!doc().modified());
        // Save as a .txt name writes text; the project's format names only what other names get.
        f->prompts.saveAnswer = f->path(QStringLiteral("y.txt"));
        QVERIFY(f->trigger(kCmdSaveAs));
        QCOMPARE(Head(f->path(QStringLiteral("y.txt"))), QByteArray("PELK_TEX"));
        f->prompts.saveAnswer = f->path(QStringLiteral("z.anim"));
        QVERIFY(f->trigger(kCmdSaveAs));
        QCOMPARE(Head(f->path(QStringLiteral("z.anim"))), QByteArray("PELK_TEX"));
        QCOMPARE(cWorkspace::saveFormatForPath("A/B.DAT", 1), 0);
        QCOMPARE(cWorkspace::saveFormatForPath("b.Txt", 0), 1);
        QCOMPARE(cWorkspace::saveFormatForPath("dat", 1), 1);
        QCOMPARE(cWorkspace::nameForFormat("newfile.txt", 0), std::string("newfile.dat"));
        QCOMPARE(cWorkspace::nameForFormat("", 1), std::string("newfile.txt"));
        // A cancelled Save as on a new document writes nothing and keeps it modified.
        QVERIFY(f->trigger(kCmdNew) || true);
        f->prompts.answers = {cPrompts::kNo};
        f->touch();
        f->prompts.saveAnswer.clear();
        QTest::keyClick(f->window.get(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(doc().modified());
        QVERIFY(f->session().currentPath().isEmpty());
    }

    void aFirstStartLaysTheWindowsOutSideBySideAndEveryWindowHasAMinimum() {
        for (const QRect& screen :
             {QRect(0, 0, 1920, 1080), QRect(0, 0, 1280, 800), QRect(100, 30, 1024, 738)}) {
            const strFirstLayout l = FirstStartLayout(screen);
            for (const QRect& r : {l.main, l.list, l.palette}) {
                QVERIFY(screen.contains(r));
                QVERIFY(r.width() >= 240 && r.height() >= 240);
            }
            QVERIFY(!l.main.intersects(l.list) && !l.main.intersects(l.palette) &&
                    !l.list.intersects(l.palette));
            // Room for a title bar between the stacked windows.
            QVERIFY(l.palette.top() - l.list.bottom() >= 24);
            QVERIFY(l.main.width() * 3 >= screen.width() * 2 - 3 * 48);
            QVERIFY(l.main.height() * 3 >= screen.height() * 2);
        }
        // Without a settings file the stored defaults (640 x 480) are not used.
        QVERIFY(!QFile::exists(f->path(QStringLiteral("config.ini"))));
        QVERIFY(f->start());
        QVERIFY(f->config.MainWinSizeX != 640);
        QVERIFY(f->window->minimumWidth() >= 480 && f->window->minimumHeight() >= 360);
        for (QWidget* tool : {static_cast<QWidget*>(f->window->listWindow()),
                              static_cast<QWidget*>(f->window->paletteWindow())})
            QVERIFY(tool->minimumWidth() >= 200 && tool->minimumHeight() >= 200);
        // The next start takes the stored places.
        f->window->storeSettings();
        f->config.MainWinSizeX = 700;
        f->config.write();
        QVERIFY(f->start());
        QCOMPARE(f->config.MainWinSizeX, 700);
    }

    void exportWindowsOpenBesideTheMainWindow() {
        const QRect screen(0, 0, 1600, 1000);
        QCOMPARE(PlaceBeside({300, 400}, QRect(10, 20, 1000, 700), screen), QPoint(1010, 20));
        QCOMPARE(PlaceBeside({300, 400}, QRect(400, 20, 1150, 700), screen), QPoint(100, 20));
        QCOMPARE(PlaceBeside({300, 400}, QRect(100, 700, 1400, 280), screen), QPoint(1300, 600));
        QCOMPARE(PlaceBeside({300, 400}, QRect(0, 0, 1600, 1000), screen), QPoint(1300, 600));
    }

    void rotateAndScaleToolsByMouseAndTheHintsSayWhatADragDoes() {
        QVERIFY(f->open([](cProject& d) {
            const strCell c = SheetCell(1, 0, 0);
            d.setCell(0, 0, &c);
        }));
        QVERIFY(f->trigger(kCmdToolRotate));
        QCOMPARE(f->session().toolMode(), int(kToolRotate));
        QCOMPARE(f->window->statusText(), QStringLiteral("Tool: Rotate"));
        f->moveTo({30, 0});
        QVERIFY(f->window->hintText().contains(QStringLiteral("rotate the cell")));
        f->drag({40, 0}, {0, 40});
        QCOMPARE(f->cell(0, 0)->angle, 900);
        QCOMPARE((QList<int>{f->cell(0, 0)->x, f->cell(0, 0)->y}), (QList<int>{0, 0}));
        QVERIFY(f->trigger(kCmdViewGrid));
        QCOMPARE(f->window->statusText(),
                 f->config.VLineFlag ? QStringLiteral("Grid: on") : QStringLiteral("Grid: off"));
        QVERIFY(f->trigger(kCmdToolResize));
        f->moveTo({31, 0});
        QVERIFY(f->window->hintText().contains(QStringLiteral("scale the cell")));
        f->drag({20, 0}, {40, 0});
        QCOMPARE(f->cell(0, 0)->mx, 200);
        QCOMPARE(f->cell(0, 0)->my, 200);
        QVERIFY(f->trigger(kCmdToolMove));
        f->moveTo({30, 1});
        QVERIFY(f->window->hintText().contains(QStringLiteral("Hold A to rotate, S to scale")));
        f->moveTo({300, 200});
        QVERIFY(f->window->hintText().startsWith(QStringLiteral("Move:")));
        // The tool bar holds the modes and the tween; the old pivot tool says what it is.
        auto* tools = f->find<QToolBar>("toolToolBar");
        QStringList texts;
        for (QAction* a : tools->actions())
            texts << a->iconText();
        QCOMPARE(texts,
                 (QStringList{QStringLiteral("Move"), QStringLiteral("Rotate"), QStringLiteral("Scale"),
                              QStringLiteral("Pivot"), QStringLiteral("Spline"), QStringLiteral("Tween")}));
        // F1 lists the gestures with their keys.
        QVERIFY(f->trigger(kCmdHelp));
        auto* gestures = f->window->findChild<QTableWidget*>(QStringLiteral("helpGestures"));
        QVERIFY(gestures && gestures->rowCount() >= 10);
        bool rotateKey = false;
        for (int r = 0; r < gestures->rowCount(); ++r)
            rotateKey |= gestures->item(r, 0)->text() == QStringLiteral("Drag a cell holding A") &&
                         gestures->item(r, 1)->text() == QStringLiteral("A");
        QVERIFY(rotateKey);
    }

    void tabStepsThroughTheCellsAndArrowsSayWhatTheyMoved() {
        QVERIFY(f->open([](cProject& d) {
            for (int n : {1, 4, 6}) {
                const strCell c = SheetCell(1, n * 10, 0);
                d.setCell(0, n, &c);
            }
        }));
        cSession& s = f->session();
        // The main window has the keys (the tool windows come up after it).
        QTRY_VERIFY(f->window->paletteWindow()->isVisible());
        f->window->activateWindow();
        QTRY_VERIFY(QGuiApplication::focusWindow() == f->window->windowHandle());
        f->canvas->setFocus();
        QTest::keyClick(f->canvas, Qt::Key_Right);
        QVERIFY(f->window->statusText().startsWith(QStringLiteral("No cell selected")));
        QTest::keyClick(f->canvas, Qt::Key_Tab);
        QCOMPARE(s.commands().currentCell(), 1);
        QTest::keyClick(f->canvas, Qt::Key_Tab);
        QCOMPARE(s.commands().currentCell(), 4);
        QCOMPARE(s.commands().selection(), std::vector<int>{4});
        QTest::keyClick(f->canvas, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(s.commands().currentCell(), 1);
        // Before the first cell Shift+Tab leaves the canvas along the focus chain; Shift+Tab
        // coming back starts at the last cell, and past it Tab leaves too.
        QTest::keyClick(f->canvas, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(s.commands().currentCell(), 1);
        QWidget* before = QApplication::focusWidget();
        QVERIFY(before && before != f->canvas && before->window() == f->window.get());
        QTest::keyClick(before, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f->canvas);
        QTest::keyClick(f->canvas, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(s.commands().currentCell(), 6);
        QTest::keyClick(f->canvas, Qt::Key_Tab);
        QVERIFY(!f->canvas->hasFocus());
        QCOMPARE(s.commands().currentCell(), 6);
        // Ctrl+Tab leaves from any cell.
        f->canvas->setFocus();
        QTest::keyClick(f->canvas, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(s.commands().currentCell(), 4);
        QTest::keyClick(f->canvas, Qt::Key_Tab, Qt::ControlModifier);
        QVERIFY(!f->canvas->hasFocus());
        QCOMPARE(s.commands().currentCell(), 4);
        f->canvas->setFocus();
        QTest::keyClick(f->canvas, Qt::Key_Tab);
        QTest::keyClick(f->canvas, Qt::Key_Right);
        QCOMPARE(f->cell(0, 6)->x, 61);
        QCOMPARE(f->window->statusText(), QStringLiteral("Moved 1 cell by 1, 0"));
    }

    void menuKeyAndShiftF10OpenThePopupsAtTheCurrentCell() {
        QVERIFY(f->open([](cProject& d) {
            const strCell c = SheetCell(1, 40, 30);
            d.setCell(0, 2, &c);
        }));
        f->canvas->setFocus();
        QTest::keyClick(f->canvas, Qt::Key_Tab);
        QTest::keyClick(f->canvas, Qt::Key_F10, Qt::ShiftModifier);
        QMenu* menu = OpenPopup("MENU_EDIT1");
        QVERIFY(menu);
        // At the cell's position on screen.
        QCOMPARE(menu->pos(), f->view()->mapToGlobal(f->screen(40, 30)));
        QString why;
        QVERIFY2(LettersUnique(menu, why), qPrintable(why));
        menu->hide();
        QTest::keyClick(f->canvas, Qt::Key_Menu);
        QVERIFY(OpenPopup("MENU_EDIT1"));
        OpenPopup("MENU_EDIT1")->hide();

        auto* list = lists();
        list->tabs()->setCurrentIndex(cListWindow::kTimelinePage);
        QVERIFY(f->activateToolWindow(f->window->listWindow()));
        cTimeline* timeline = list->timeline();
        timeline->setFocus();
        QTest::keyClick(timeline, Qt::Key_Down);
        QTest::keyClick(timeline, Qt::Key_F10, Qt::ShiftModifier);
        QMenu* cellMenu = OpenPopup("MENU_CELL");
        QVERIFY(cellMenu);
        QVERIFY2(LettersUnique(cellMenu, why), qPrintable(why));
        cellMenu->hide();
        QTest::keyClick(timeline, Qt::Key_Menu);
        QVERIFY(OpenPopup("MENU_CELL"));
    }

    void everyMenuItemHasItsOwnAccessLetter() {
        QVERIFY(f->start());
        QString why;
        QSet<QChar> titles;
        for (QAction* top : f->window->menuBar()->actions()) {
            const QChar letter = AccessLetterOf(top->text());
            QVERIFY2(!letter.isNull() && !titles.contains(letter), qPrintable(top->text()));
            titles.insert(letter);
            QVERIFY2(LettersUnique(top->menu(), why), qPrintable(why));
        }
        // Labels that change (Undo with what it undoes) get a letter again.
        f->touch();
        f->window->commands().update();
        QVERIFY(LettersUnique(f->window->findChild<QMenu*>(QStringLiteral("menuEdit")), why));
        QCOMPARE(WithoutAccessLetter(f->window->commands().action(kCmdUndo)->text()).left(4),
                 QStringLiteral("Undo"));
        // Texts without Latin letters get one in brackets, before "..."; an ampersand of the text stays.
        QMenu menu;
        QAction* save = menu.addAction(QStringLiteral("保存"));
        QAction* open = menu.addAction(QStringLiteral("開く..."));
        QAction* file = menu.addAction(QStringLiteral("&ファイル"));
        QAction* both = menu.addAction(QStringLiteral("Sounds && flashes"));
        AssignAccessLetters(&menu);
        QCOMPARE(file->text(), QStringLiteral("&ファイル"));
        QCOMPARE(save->text(), QStringLiteral("保存(&A)"));
        QCOMPARE(open->text(), QStringLiteral("開く(&B)..."));
        QCOMPARE(both->text(), QStringLiteral("&Sounds && flashes"));
        QCOMPARE(WithoutAccessLetter(open->text()), QStringLiteral("開く..."));
        QCOMPARE(WithoutAccessLetter(both->text()), QStringLiteral("Sounds & flashes"));
        // A second pass keeps the letters.
        AssignAccessLetters(&menu);
        QCOMPARE(save->text(), QStringLiteral("保存(&A)"));
    }

    void theSoundsListEndsWithARowThatAddsATimingAndTheChooserSaysWhatItDoes() {
        QVERIFY(f->start());
        auto* list = lists();
        QAbstractItemModel* model = list->list(cSourceListModel::kEffects)->model();
        QCOMPARE(model->rowCount(), 1);
        QCOMPARE(model->index(0, 1).data().toString(), QStringLiteral("(new timing)"));
        f->edit([](cProject& d) {
            strEffect e;
            e.flags = strEffect::kFlash;
            d.addEffect(e);
        });
        QCOMPARE(model->rowCount(), 2);
        QCOMPARE(model->index(0, 1).data().toString(), QString());
        QCOMPARE(model->index(1, 1).data().toString(), QStringLiteral("(new timing)"));

        // Paste without a current cell asks where, under a title.
        cSession& s = f->session();
        f->putCell(0, 0, SheetCell(1, 0, 0));
        s.commands().select(0);
        s.report(s.clipCommands().copyCells());
        s.commands().setCurrentCell(-1);
        f->window->refreshClipboardState();
        QVERIFY(f->trigger(kCmdPaste));
        auto* chooser = f->window->findChild<cDlg_CellNumberChooser*>();
        QVERIFY(chooser && chooser->isVisible());
        auto* title = chooser->findChild<QLabel*>(QStringLiteral("cellChooserTitle"));
        QVERIFY(title && title->isVisible());
        QCOMPARE(title->text(), QStringLiteral("Paste into cell number"));
        QCOMPARE(chooser->accessibleName(), QStringLiteral("Paste into cell number"));
        // The title sits above row 0, which stays cell number 0.
        QVERIFY(chooser->visualItemRect(chooser->item(0)).top() >= 0);
        QVERIFY(title->geometry().bottom() < chooser->viewport()->geometry().top());
        QVERIFY(title->width() >= title->sizeHint().width());
    }
};

PELKO_UI_TEST(cFirstHourTest)

#include "first_hour_test.moc"
