// Every command says in the status bar what it did: a window it opened, an outcome, a file dialog
// or a question that was cancelled. The tool windows report their run, or that they were closed
// without one.

#include "editor_fixture.h"

#include "ui/shell/tool_window.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMap>

namespace {

// Commands a run in this test cannot reach, and why.
const QMap<int, const char*> kNotRun = {
    {kCmdQuit, "closes the window"},
    {kCmdOpenFolder, "starts the desktop's file manager"},
    {kCmdClipExport2003, "never enabled: 2003 travels as 2000"},
    {kCmdClipImport2003, "never enabled: 2003 travels as 2000"},
    {kCmdShowGameWindow, "needs an open game (game_window_test)"},
    {kCmdSaveToGameNew, "needs an open game (game_window_test)"},
};

// The export that puts on the clipboard what an import takes.
const QMap<int, int> kImportFrom = {{kCmdClipImport2000, kCmdClipExport2000},
                                    {kCmdClipImportMarshal, kCmdClipExportXP},
                                    {kCmdClipImportMV, kCmdClipExportMV}};

// Commands whose result shows in the frame position beside the status text.
const QList<int> kFrameMoves = {kCmdNextFrame, kCmdPreviousFrame, kCmdFirstFrame, kCmdLastFrame};

// Hides every window but the main window and its list and palette, and closes popups.
void CloseOtherWindows(const strEditorFixture& f) {
    while (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w != f.window.get() && w != f.window->listWindow() &&
            w != f.window->paletteWindow())
            w->hide();
}

} // namespace

class cCommandReportsTest : public QObject {
    Q_OBJECT

  private slots:
    void everyCommandSaysWhatItDid() {
        strEditorFixture f;
        QVERIFY(f.start());
        const QString file = f.writeProject(QStringLiteral("reports.dat"), 3);
        cCommandTable& table = f.window->commands();
        cSession& s = f.session();
        QStringList silent;
        for (QAction* a : table.actions()) {
            const int id = a->objectName().mid(int(strlen("action"))).toInt();
            if (kNotRun.contains(id)) continue;
            // Each command on the same state: frame 1 of the project, its cell current and on the
            // edit clipboard, the lock on, an undone step to redo; for an import, the clipboard
            // holding that product's animation.
            f.prompts.answers = {cPrompts::kNo};
            QVERIFY(s.openPath(file));
            s.setCurrentFrame(1);
            s.commands().select(0);
            s.commands().setCurrentCell(0);
            s.report(s.clipCommands().copyCells());
            // The edit clipboard's copy took the system clipboard; an import needs its product there.
            if (kImportFrom.contains(id)) {
                // The 2000 format carries one picture, so the animation needs one.
                f.edit([](cProject& d) { d.setPicture(0, strPicture{5, 5, 0, "fire.png"}); });
                QVERIFY(s.exportClipboard(kImportFrom[id]));
                f.prompts.answers = {cPrompts::kNo};
                QVERIFY(s.openPath(file));
            }
            s.refreshClipboard();
            f.edit([](cProject& d) { d.setSetting(kKeyLock, 1); });
            f.touch();
            f.touch();
            s.report(s.commands().undo());
            f.prompts.answers = {cPrompts::kNo};

            s.showStatus(QString());
            const QString position = f.window->positionText();
            QVERIFY2(table.trigger(id), qPrintable(a->text()));
            const bool said = !f.window->statusText().isEmpty();
            const bool moved = kFrameMoves.contains(id) && f.window->positionText() != position;
            if (!said && !moved) silent << QStringLiteral("%1 %2").arg(id).arg(a->text());
            s.stopPlayback();
            CloseOtherWindows(f);
        }
        QVERIFY2(silent.isEmpty(), qPrintable(silent.join(QLatin1Char('\n'))));
    }

    void toolWindowsReportTheirRunOrThatTheyWereCancelled() {
        strEditorFixture f;
        QVERIFY(f.start());
        QVERIFY(f.openProject(QStringLiteral("tools.dat"), 4));
        cSession& s = f.session();
        const struct {
            int command;
            const char* window;
            const char* run;
            const char* cancelled;
        } rows[] = {
            {kCmdFrameTool, "frameCompDialog", "frameCompRun", "Tween cancelled"},
            {kCmdBatchTool, "batchDialog", "batchRun", "Batch edit cancelled"},
            {kCmdIntervalTool, "intervalDialog", "intervalRun", "Interval cancelled"},
        };
        for (const auto& row : rows) {
            QVERIFY(f.trigger(row.command));
            auto* dialog = f.find<QDialog>(row.window);
            QVERIFY(dialog && dialog->isVisible());
            QVERIFY(s.statusText().startsWith(QStringLiteral("Opened \"")));
            dialog->close();
            QCOMPARE(s.statusText(), QString::fromLatin1(row.cancelled));
            // Run: the tool's own report, and no "cancelled" after it as the window closes.
            QVERIFY(f.trigger(row.command));
            s.showStatus(QString());
            QTest::mouseClick(f.find<QPushButton>(row.run, dialog), Qt::LeftButton);
            QVERIFY(!dialog->isVisible());
            QVERIFY2(!s.statusText().isEmpty() && !s.statusText().endsWith(QStringLiteral("cancelled")),
                     qPrintable(s.statusText()));
        }
    }
};

PELKO_UI_TEST(cCommandReportsTest)
#include "command_reports_test.moc"
