// Menu and shortcut states, title, loading, drops and the looped range of the main window; the
// Project window, the Editor settings sheet, the About box and Help.

#include "editor_fixture.h"
#include "interchange/messages.h"
#include "ui/session/ui_messages.h"
#include "ui/shell/command_table.h"

#include "interchange/clipboard_formats.h"
#include "ui/dialogs/dlg_about.h"
#include "ui/dialogs/dlg_help.h"
#include "ui/dialogs/dlg_project.h"
#include "ui/dialogs/dlg_settings.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

#include <set>

class cShellTest : public QObject {
    Q_OBJECT
    std::unique_ptr<strEditorFixture> f;

    // Whether each command is on.
    QList<bool> enabled(std::initializer_list<int> ids) const {
        QList<bool> out;
        for (int id : ids)
            out << f->enabled(id);
        return out;
    }
    void key(int key, Qt::KeyboardModifiers mods = Qt::ControlModifier) const {
        QTest::keyClick(f->window.get(), Qt::Key(key), mods);
    }

  private slots:
    void init() {
        f = std::make_unique<strEditorFixture>();
        QVERIFY(f->start());
        f->window->show();
        f->window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f->window.get()));
    }
    void cleanup() { f.reset(); }

    void ctrlSOnANewDocumentAsksWhereToSave() {
        QCOMPARE(enabled({kCmdSave, kCmdSaveAs}), (QList<bool>{true, true}));
        f->touch();
        // Cancelled: nothing written, still modified.
        key(Qt::Key_S);
        QCOMPARE(f->prompts.fileDialogs, 1);
        QVERIFY(f->doc().modified());
        // Once the document has a file, Ctrl+S saves it there without asking.
        f->prompts.saveAnswer = f->path(QStringLiteral("first.dat"));
        QVERIFY(f->trigger(kCmdSaveAs));
        f->touch();
        QVERIFY(f->enabled(kCmdSave));
        key(Qt::Key_S);
        QCOMPARE(f->prompts.fileDialogs, 2);
        QVERIFY(!f->doc().modified());
        QCOMPARE(f->window->statusText(), UiMessage(kUiSaved, {f->prompts.saveAnswer.toStdString()}));
    }

    void cellCommandsAndUndoFollowTheSelectionAndTheHistory() {
        const auto cellCommands = [this] {
            return enabled({kCmdCut, kCmdCopy, kCmdDelete, kCmdCompleteCells});
        };
        QCOMPARE(cellCommands(), QList<bool>(4, false));
        QCOMPARE(enabled({kCmdUndo, kCmdRedo}), (QList<bool>{false, false}));
        f->putCell(0, 3);
        f->session().report(f->session().commands().selectAll());
        QCOMPARE(cellCommands(), QList<bool>(4, true));
        // Delete through its shortcut removes the cell and leaves the commands greyed again.
        key(Qt::Key_Delete, Qt::NoModifier);
        QVERIFY(!f->doc().cell(0, 3));
        QCOMPARE(cellCommands(), QList<bool>(4, false));
        // Ctrl+Z brings it back, Ctrl+Y and Ctrl+Shift+Z remove it again.
        key(Qt::Key_Z);
        QVERIFY(f->doc().cell(0, 3));
        QCOMPARE(enabled({kCmdUndo, kCmdRedo}), (QList<bool>{true, true}));
        key(Qt::Key_Y);
        QVERIFY(!f->doc().cell(0, 3));
        QCOMPARE(enabled({kCmdUndo, kCmdRedo}), (QList<bool>{true, false}));
        key(Qt::Key_Z);
        QVERIFY(f->doc().cell(0, 3));
        key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(!f->doc().cell(0, 3));
    }

    void importItemsAndPasteFollowTheClipboard() {
        cQtClipboard& clip = f->clipboard;
        const auto imports = [this] {
            return enabled({kCmdClipImport2000, kCmdClipImportMarshal, kCmdClipImportMV});
        };
        clip.write(clip.registerFormat("unrelated/format"), {1, 2, 3});
        QCOMPARE(imports(), QList<bool>(3, false));
        QCOMPARE(enabled({kCmdPaste, kCmdClipImport2003, kCmdClipExport2003}), QList<bool>(3, false));
        // Each format turns on its own item only.
        const uint32_t formats[] = {platform::cClipboard::kFormat2000,
                                    clip.registerFormat(interchange::kFormatNameVX),
                                    clip.registerFormat(interchange::kFormatNameMV)};
        for (int k = 0; k < 3; ++k) {
            clip.write(formats[k], {0, 1, 0, 2});
            QList<bool> expected(3, false);
            expected[k] = true;
            QTRY_COMPARE(imports(), expected);
        }
        // A failed import says so and leaves the document as it was.
        f->touch();
        f->prompts.answers = {cPrompts::kNo};
        QVERIFY(f->trigger(kCmdClipImportMV));
        QVERIFY(f->window->statusText().startsWith(
            InterchangeMessage(interchange::kMsgImportFailed, interchange::kLabelMV) + QStringLiteral(": ")));
        QVERIFY(f->doc().modified());
        // Copying cells enables Paste, and an export to RPG Maker replaces them.
        f->putCell(0, 0);
        f->session().report(f->session().commands().selectAll());
        QVERIFY(f->trigger(kCmdCopy));
        QTRY_VERIFY(f->enabled(kCmdPaste));
        QVERIFY(f->trigger(kCmdClipExportXP));
        QCOMPARE(f->window->statusText(),
                 InterchangeMessage(interchange::kMsgExportSucceeded, interchange::kLabelXP));
        QTRY_VERIFY(!f->enabled(kCmdPaste));
        QTRY_VERIFY(f->enabled(kCmdClipImportMarshal));
    }

    void titleAndFailedLoad() {
        const QString title = QStringLiteral("PelkoEditor 0.71");
        const QString mark = QStringLiteral("[*]");
        QCOMPARE(f->window->windowTitle(), title + mark);
        const QString good = f->writeProject(QStringLiteral("good.dat"));
        QVERIFY(f->session().openPath(good));
        QCOMPARE(f->window->windowTitle(), title + QStringLiteral(" - ") + good + mark);
        QVERIFY(!f->window->isWindowModified());
        f->touch();
        QVERIFY(f->window->isWindowModified());
        // A file that cannot be read changes nothing: document, title, modified flag.
        const QString bad = f->path(QStringLiteral("bad.dat"));
        QFile(bad).open(QIODevice::WriteOnly);
        f->prompts.answers = {cPrompts::kNo};
        QVERIFY(!f->session().openPath(bad));
        QCOMPARE(
            f->window->statusText(),
            UiMessage(kUiReadingFailed, {bad.toStdString(), FormatMessage(strMessage(kWhyUnknownFormat))}));
        QCOMPARE(f->doc().frameCount(), 4);
        QVERIFY(f->doc().modified());
        QCOMPARE(f->window->windowTitle(), title + QStringLiteral(" - ") + good + mark);
        QVERIFY(f->window->isWindowModified());
        // New names no file.
        f->prompts.answers = {cPrompts::kNo};
        QVERIFY(f->session().newDocument());
        QCOMPARE(f->window->windowTitle(), title + mark);
        QVERIFY(!f->window->isWindowModified());
    }

    void commandLineAndDropOpenTheFile() {
        const QString one = f->writeProject(QStringLiteral("one.dat"), 2);
        const QString two = f->writeProject(QStringLiteral("two.txt"), 5);
        f->window->openLater(one);
        QTRY_COMPARE(f->session().currentPath(), one);
        QCOMPARE(f->doc().frameCount(), 2);
        // Only the first of several dropped files opens.
        strEditorFixture::dropFiles(f->window.get(), {two, one});
        QCOMPARE(f->window->statusText(), UiMessage(kUiLoaded, {two.toStdString()}));
        QCOMPARE(f->session().currentPath(), two);
        QCOMPARE(f->doc().frameCount(), 5);
    }

    void aSaveThatLosesEffectsSaysSo() {
        // The text format has no place for an effect after the last frame.
        QVERIFY(f->doc().addEffect({.startFrame = 40, .flags = strEffect::kSound, .soundPath = "hit.wav"}));
        f->doc().setSetting(kKeySaveFormat, 1);
        f->prompts.saveAnswer = f->path(QStringLiteral("lossy.txt"));
        QVERIFY(f->trigger(kCmdSaveAs));
        QCOMPARE(f->window->statusText(), UiMessage(kUiSaved, {f->prompts.saveAnswer.toStdString()}));
        QCOMPARE(f->prompts.messages.size(), 1);
        QVERIFY(f->prompts.messages.front().contains(QStringLiteral("1")));
    }

    // The play tool bar's range fields may be entered in either order; a looped playback from
    // inside the range goes round the frames between them.
    void aLoopedRangeEnteredBackwardsStillPlays() {
        QVERIFY(f->openProject(QStringLiteral("range.dat"), 10));
        cSession& s = f->session();
        uint32_t now = 1000;
        s.clock().setSource([&now] { return now; });
        s.setPlayOption(kPlayLoop, true);
        f->find<QCheckBox>("playRangeCheck")->setChecked(true);
        for (auto [first, second] : {std::pair{5, 3}, std::pair{3, 5}}) {
            f->find<QSpinBox>("playRangeStart")->setValue(first);
            f->find<QSpinBox>("playRangeEnd")->setValue(second);
            s.setCurrentFrame(4);
            QVERIFY(f->trigger(kCmdPlay));
            std::set<int> shown;
            for (int ms = 0; ms < 2000 && s.playing(); ++ms, ++now) {
                s.pumpPlayback();
                shown.insert(s.currentFrame());
            }
            QVERIFY(s.playing());
            QCOMPARE(shown, (std::set<int>{3, 4, 5}));
            s.stopPlayback();
        }
    }

    // A range that reaches the last frame keeps reaching it when frames are inserted; a range end
    // past the last frame after a deletion comes back to the last frame; an inner range stays.
    void thePlayRangeFollowsTheAnimationsLength() {
        QVERIFY(f->openProject(QStringLiteral("follow.dat"), 10));
        cSession& s = f->session();
        auto* end = f->find<QSpinBox>("playRangeEnd");
        QCOMPARE(end->value(), 9);
        s.setCurrentFrame(2);
        QVERIFY(f->trigger(kCmdInsertFrame) && f->trigger(kCmdInsertFrame));
        QCOMPARE(s.playRangeEnd(), 11);
        QCOMPARE(end->value(), 11);
        f->find<QSpinBox>("playRangeStart")->setValue(4);
        end->setValue(6);
        QVERIFY(f->trigger(kCmdInsertFrame));
        QCOMPARE(s.playRangeEnd(), 6);
        s.setCurrentFrame(0);
        for (int i = 0; i < 8; ++i)
            QVERIFY(f->trigger(kCmdDeleteFrame));
        QCOMPARE(s.document().frameCount(), 5);
        QCOMPARE(s.playRangeStart(), 4);
        QCOMPARE(end->value(), 4);
        QVERIFY(f->trigger(kCmdUndo));
        QCOMPARE(end->maximum(), 5);
    }

    void projectSettingsAreOneUndoStep() {
        QVERIFY(f->trigger(kCmdProject) && f->trigger(kCmdProject));
        QCOMPARE(f->window->findChildren<cDlg_Project*>().size(), 1);
        auto* dlg = f->window->findChild<cDlg_Project*>();
        cProject& doc = f->doc();
        // A name of more than 64 bytes is cut; a plain change marks the document modified.
        f->find<QLineEdit>("projectName")->setText(QString(70, QLatin1Char('n')));
        f->find<QSpinBox>("projectBasicInterval")->setValue(3);
        QVERIFY(dlg->apply());
        QCOMPARE(doc.text(kTextName), std::string(64, 'n'));
        QCOMPARE(doc.getSetting(kKeyBasicInterval), 3);
        QVERIFY(doc.modified());
        QCOMPARE(f->window->commands().action(kCmdUndo)->text(), QStringLiteral("Undo Project settings"));
        QCOMPARE(f->window->statusText(), QStringLiteral("Project settings applied"));
        // Applying the values the document holds changes nothing and says so.
        const size_t before = f->session().history().undoCount();
        QVERIFY(dlg->apply());
        QCOMPARE(f->session().history().undoCount(), before);
        QCOMPARE(f->window->statusText(), QStringLiteral("The project settings are unchanged"));
        // "<< Auto-set" sums the frame durations.
        f->touch();
        f->find<QPushButton>("projectAutoSet")->click();
        QCOMPARE(f->find<QSpinBox>("projectTotalInterval")->value(), 6);

        // A smaller cell number asks nothing: the cells it removes come back with Undo, and the
        // dialog shows the values of the document again.
        f->putCell(0, 5);
        const size_t steps = f->session().history().undoCount();
        f->find<QSpinBox>("projectCellNumber")->setValue(4);
        QVERIFY(dlg->apply());
        QVERIFY(f->prompts.asked.isEmpty());
        QCOMPARE(doc.cellNumber(), 4);
        QVERIFY(!doc.cell(0, 5));
        QCOMPARE(f->session().history().undoCount(), steps + 1);
        // The selection follows the new cell number.
        f->session().report(f->session().commands().selectAll());
        QVERIFY(f->session().commands().selection().size() <= 4);
        QVERIFY(f->trigger(kCmdUndo));
        QCOMPARE(f->window->statusText(), QStringLiteral("Undone: Project settings"));
        QCOMPARE(doc.cellNumber(), f->config.Init_Cell);
        QVERIFY(doc.cell(0, 5));
        QCOMPARE(f->find<QSpinBox>("projectCellNumber")->value(), f->config.Init_Cell);
    }

    void settingsSheetStoresEveryPageAndColours() {
        QVERIFY(f->trigger(kCmdEditorSettings));
        auto* sheet = f->window->findChild<cDlg_Settings*>();
        QVERIFY(sheet);
        // Texts read as written: no UTF-8 byte shown as a character of its own (a C1 control).
        for (QLabel* label : sheet->findChildren<QLabel*>())
            for (QChar c : label->text())
                QVERIFY2(c.unicode() < 0x80 || c.unicode() > 0x9F, qPrintable(label->text()));
        f->find<QLineEdit>("folderImages")->setText(QString());
        f->find<QSpinBox>("initCell")->setValue(24);
        f->find<QCheckBox>("backUpFlag")->setChecked(true);
        f->find<QLineEdit>("colourBackShadow")->setText(QStringLiteral("0x1234zz"));
        f->find<QLineEdit>("colourNextShadow")->setText(QString());
        f->prompts.colourAnswer = QColor(0x11, 0x22, 0x33);
        f->find<QPushButton>("colourGround")->click();
        QCOMPARE(f->find<QPushButton>("colourGround")->text(), QStringLiteral("0x00332211"));
        sheet->apply();
        const cConfig& c = f->config;
        QCOMPARE(c.FolderName_G, std::string("BattleEffect"));
        QCOMPARE((QList<int>{c.Init_Cell, c.BackUpFlag}), (QList<int>{24, 1}));
        // The background is a Windows colour (0x00BBGGRR) and reaches the canvas at once.
        QCOMPARE((QList<uint32_t>{c.CBackShadow, c.CNextShadow, c.CGround}),
                 (QList<uint32_t>{0x1234, 0x80808080, 0x332211}));
        QCOMPARE(f->session().pictureSlots().backgroundColour(), 0x112233u);
        // A new document takes the new defaults.
        QVERIFY(f->trigger(kCmdNew));
        QCOMPARE(f->doc().cellNumber(), 24);
    }

    void aboutShowsTheVersionWithTwoDecimals() {
        QCOMPARE(cDlg_About::versionText(), QStringLiteral("Version 0.71"));
        QVERIFY(f->trigger(kCmdAbout));
        QVERIFY(f->window->findChild<cDlg_About*>()->isVisible());
    }

    // Help shows the keys of the commands and leaves the document alone, while the forward key
    // still moves the selected cells to the foreground.
    void helpListsTheKeysAndChangesNothing() {
        QVERIFY(f->openProject(QStringLiteral("help.dat")));
        QVERIFY(f->trigger(kCmdSelectAll) && f->trigger(kCmdHelp));
        QVERIFY(!f->session().history().canUndo());
        auto* help = f->window->findChild<cDlg_Help*>();
        QVERIFY(help && help->isVisible());
        auto* table = help->findChild<QTableWidget*>(QStringLiteral("helpShortcuts"));
        QStringList rows;
        for (int r = 0; r < table->rowCount(); ++r)
            rows << table->item(r, 1)->text() + QLatin1Char('=') + table->item(r, 0)->text();
        auto row = [this](int command, const char* keys) {
            return f->window->commands().action(command)->text().remove(QLatin1Char('&')) + QLatin1Char('=') +
                   QLatin1String(keys);
        };
        QVERIFY2(rows.contains(row(kCmdSave, "Ctrl+S")), qPrintable(rows.join(QLatin1Char(' '))));
        QVERIFY(rows.contains(row(kCmdHelp, "F1")));
        QVERIFY(rows.contains(row(kCmdToForeground, "Forward")));
        QVERIFY(f->trigger(kCmdToForeground));
        QVERIFY(f->session().history().canUndo());
    }
};

PELKO_UI_TEST(cShellTest)
#include "shell_test.moc"
