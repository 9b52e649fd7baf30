// Menu and shortcut states, title, loading, drops and the playback rule of the main window.

#include "editor_fixture.h"
#include "ui_test.h"

#include "interchange/clipboard_formats.h"
#include "playback/play_clock.h"
#include "playback/player.h"
#include "ui/shell/command_ids.h"
#include "ui/shell/command_table.h"

#include <QAction>
#include <QCheckBox>
#include <QMimeData>
#include <QSpinBox>
#include <QTest>
#include <QUrl>

#include <set>

class cShellTest : public QObject {
    Q_OBJECT
    std::unique_ptr<strEditorFixture> f;

    bool enabled(int id) const {
        f->window->commands().update();
        return f->window->commands().action(id)->isEnabled();
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

    void saveIsGreyedAndCtrlSInertOnANewDocument() {
        QVERIFY(!enabled(kCmdSave));
        QVERIFY(enabled(kCmdSaveAs));
        f->touch();
        QTest::keyClick(f->window.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(f->prompts.fileDialogs, 0);
        QVERIFY(f->session().document().modified());
        // Once the document has a file, Ctrl+S saves it there without asking.
        f->prompts.saveAnswer = f->path(QStringLiteral("first.dat"));
        QVERIFY(f->window->commands().trigger(kCmdSaveAs));
        f->touch();
        QVERIFY(enabled(kCmdSave));
        QTest::keyClick(f->window.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(f->prompts.fileDialogs, 1);
        QVERIFY(!f->session().document().modified());
        QCOMPARE(f->window->statusText(), QStringLiteral("Saved > ") + f->prompts.saveAnswer);
    }

    void cellCommandsFollowTheSelection() {
        const int ids[] = {kCmdCut, kCmdCopy, kCmdDelete, kCmdCompleteCells};
        for (int id : ids)
            QVERIFY2(!enabled(id), qPrintable(QString::number(id)));
        cSession& s = f->session();
        strCell c;
        s.commands().history().open();
        s.document().setCell(0, 3, &c);
        s.commands().history().close();
        s.report(s.commands().selectAll());
        for (int id : ids)
            QVERIFY2(enabled(id), qPrintable(QString::number(id)));
        // Delete through its shortcut removes the cell and leaves the commands greyed again.
        QTest::keyClick(f->window.get(), Qt::Key_Delete);
        QVERIFY(!s.document().cell(0, 3));
        for (int id : ids)
            QVERIFY(!enabled(id));
    }

    void undoAndRedoFollowTheHistory() {
        QVERIFY(!enabled(kCmdUndo));
        QVERIFY(!enabled(kCmdRedo));
        f->touch();
        QVERIFY(enabled(kCmdUndo));
        QTest::keyClick(f->window.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f->session().document().frameCount(), 1);
        QVERIFY(!enabled(kCmdUndo));
        QVERIFY(enabled(kCmdRedo));
        QTest::keyClick(f->window.get(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(f->session().document().frameCount(), 2);
    }

    void importItemsAndPasteFollowTheClipboard() {
        cQtClipboard& clip = f->clipboard;
        clip.write(clip.registerFormat("unrelated/format"), {1, 2, 3});
        const int imports[] = {kCmdClipImport2000, kCmdClipImportMarshal, kCmdClipImportMV};
        for (int id : imports)
            QVERIFY(!enabled(id));
        QVERIFY(!enabled(kCmdPaste));
        QVERIFY(!enabled(kCmdClipImport2003) && !enabled(kCmdClipExport2003));
        // Each format turns on its own item only.
        const std::pair<uint32_t, int> cases[] = {
            {platform::cClipboard::kFormat2000, kCmdClipImport2000},
            {clip.registerFormat(interchange::kFormatNameVX), kCmdClipImportMarshal},
            {clip.registerFormat(interchange::kFormatNameMV), kCmdClipImportMV}};
        for (const auto& [format, id] : cases) {
            clip.write(format, {0, 1, 0, 2});
            QTRY_VERIFY(enabled(id));
            for (int other : imports)
                if (other != id) QVERIFY(!enabled(other));
        }
        // A failed import says so and leaves the document as it was.
        f->touch();
        f->prompts.answers = {cPrompts::kNo};
        QVERIFY(f->window->commands().trigger(kCmdClipImportMV));
        QCOMPARE(f->window->statusText(), QStringLiteral("< ! > RPG Maker MV [Anime fight] : Import failed"));
        QVERIFY(f->session().document().modified());
        // Copying cells enables Paste, and an export to RPG Maker replaces them.
        cSession& s = f->session();
        strCell c;
        s.history().open();
        s.document().setCell(0, 0, &c);
        s.history().close();
        s.report(s.commands().selectAll());
        QVERIFY(f->window->commands().trigger(kCmdCopy));
        QTRY_VERIFY(enabled(kCmdPaste));
        QVERIFY(f->window->commands().trigger(kCmdClipExportXP));
        QCOMPARE(f->window->statusText(), QStringLiteral("RPG Maker XP [Anime fight] : Export succeeded"));
        QTRY_VERIFY(!enabled(kCmdPaste));
        QTRY_VERIFY(enabled(kCmdClipImportMarshal));
    }

    void titleAndFailedLoad() {
        QCOMPARE(f->window->windowTitle(), QStringLiteral("PelkoEditor0.71"));
        const QString good = f->writeProject(QStringLiteral("good.dat"));
        QVERIFY(f->session().openPath(good));
        QCOMPARE(f->window->windowTitle(), QStringLiteral("PelkoEditor0.71 - ") + good);
        QCOMPARE(f->session().document().frameCount(), 3);
        f->touch();
        // A file that cannot be read changes nothing: document, title, modified flag.
        const QString bad = f->path(QStringLiteral("bad.dat"));
        QFile(bad).open(QIODevice::WriteOnly);
        f->prompts.answers = {cPrompts::kNo};
        QVERIFY(!f->session().openPath(bad));
        QCOMPARE(f->window->statusText(), QStringLiteral("< ! > Reading failed > ") + bad);
        QCOMPARE(f->session().document().frameCount(), 4);
        QVERIFY(f->session().document().modified());
        QCOMPARE(f->window->windowTitle(), QStringLiteral("PelkoEditor0.71 - ") + good);
        // New names no file.
        f->prompts.answers = {cPrompts::kNo};
        QVERIFY(f->session().newDocument());
        QCOMPARE(f->window->windowTitle(), QStringLiteral("PelkoEditor0.71"));
    }

    void commandLineAndDropOpenTheFile() {
        const QString one = f->writeProject(QStringLiteral("one.dat"), 2);
        const QString two = f->writeProject(QStringLiteral("two.txt"), 5);
        f->window->openLater(one);
        QTRY_COMPARE(f->session().currentPath(), one);
        QCOMPARE(f->session().document().frameCount(), 2);
        // Only the first of several dropped files opens.
        strEditorFixture::dropFiles(f->window.get(), {two, one});
        QCOMPARE(f->window->statusText(), QStringLiteral("Loaded > ") + two);
        QCOMPARE(f->session().currentPath(), two);
        QCOMPARE(f->session().document().frameCount(), 5);
        // Save writes back to the opened file.
        f->touch();
        QVERIFY(f->window->commands().trigger(kCmdSave));
        QCOMPARE(f->prompts.fileDialogs, 0);
        QCOMPARE(f->window->statusText(), QStringLiteral("Saved > ") + two);
    }

    void aSaveThatLosesEffectsSaysSo() {
        // The text format has no place for an effect after the last frame.
        cSession& s = f->session();
        strEffect late;
        late.startFrame = 40;
        late.flags = 2;
        late.soundPath = "hit.wav";
        QVERIFY(s.document().addEffect(late));
        s.document().setSetting(kKeySaveFormat, 1);
        f->prompts.saveAnswer = f->path(QStringLiteral("lossy.txt"));
        QVERIFY(f->window->commands().trigger(kCmdSaveAs));
        QCOMPARE(f->window->statusText(), QStringLiteral("Saved > ") + f->prompts.saveAnswer);
        QCOMPARE(f->prompts.messages.size(), 1);
        QVERIFY(f->prompts.messages.front().contains(QStringLiteral("1")));
    }

    void commandsStopPlaybackButTogglesDoNot() {
        const QString file = f->writeProject(QStringLiteral("play.dat"), 30);
        QVERIFY(f->session().openPath(file));
        cSession& s = f->session();
        QVERIFY(f->window->commands().trigger(kCmdPlay));
        QVERIFY(s.playing());
        for (int id : {kCmdPlayLoop, kCmdViewGrid, kCmdShowStatusBar, kCmdToolScale}) {
            QVERIFY(f->window->commands().trigger(id));
            QVERIFY2(s.playing(), qPrintable(QString::number(id)));
        }
        QVERIFY(f->window->commands().trigger(kCmdNextFrame));
        QVERIFY(!s.playing());
        // Play toggles: the second one stops.
        QVERIFY(f->window->commands().trigger(kCmdPlay));
        QVERIFY(f->window->commands().trigger(kCmdPlay));
        QVERIFY(!s.playing());
    }

    // The play tool bar's range fields may be entered in either order; a looped playback from
    // inside the range goes round the frames between them.
    void aLoopedRangeEnteredBackwardsStillPlays() {
        const QString file = f->writeProject(QStringLiteral("range.dat"), 10);
        QVERIFY(f->session().openPath(file));
        cSession& s = f->session();
        uint32_t now = 1000;
        s.clock().setSource([&now] { return now; });
        s.setPlayOption(kPlayLoop, true);
        f->window->findChild<QCheckBox*>(QStringLiteral("playRangeCheck"))->setChecked(true);
        auto* from = f->window->findChild<QSpinBox*>(QStringLiteral("playRangeStart"));
        auto* to = f->window->findChild<QSpinBox*>(QStringLiteral("playRangeEnd"));
        for (auto [first, second] : {std::pair{5, 3}, std::pair{3, 5}}) {
            from->setValue(first);
            to->setValue(second);
            s.setCurrentFrame(4);
            QVERIFY(f->window->commands().trigger(kCmdPlay));
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
};

PELKO_UI_TEST(cShellTest)
#include "shell_test.moc"
