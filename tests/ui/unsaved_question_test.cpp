// The unsaved-changes question in every command that replaces the document or closes the window.

#include "editor_fixture.h"
#include "ui/session/ui_messages.h"

#include "document/anime_file_device.h"
#include "interchange/clipboard_device.h"
#include "interchange/clipboard_formats.h"

#include <QAction>
#include <QDir>

Q_DECLARE_METATYPE(cPrompts::eAnswer)

class cUnsavedQuestionTest : public QObject {
    Q_OBJECT

  private slots:
    void question_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<cPrompts::eAnswer>("answer");
        QTest::addColumn<bool>("saveWorks");
        for (const char* action : {"new", "open", "drop", "import", "close"}) {
            QTest::addRow("%s yes", action) << action << cPrompts::kYes << true;
            QTest::addRow("%s yes, save fails", action) << action << cPrompts::kYes << false;
            QTest::addRow("%s no", action) << action << cPrompts::kNo << true;
            QTest::addRow("%s cancel", action) << action << cPrompts::kCancel << true;
        }
    }

    void question() {
        QFETCH(QString, action);
        QFETCH(cPrompts::eAnswer, answer);
        QFETCH(bool, saveWorks);
        strEditorFixture f;
        QVERIFY(f.start());
        cSession& s = f.session();
        const QString other = f.writeProject(QStringLiteral("other.dat"), 7);
        // An imported MV animation on the clipboard.
        {
            cProject source(&f.config);
            testing_support::MakeFrames(source, 7);
            interchange::cClipboardDevice device(f.clipboard, f.config);
            QCOMPARE(device.exportClipboard(source, interchange::kProductMV), 1);
        }
        // The current document has a file and an unsaved change.
        const QString mine = f.writeProject(QStringLiteral("mine.dat"), 2);
        QVERIFY(s.openPath(mine));
        f.touch();
        if (!saveWorks) {
            // A folder where the file was: the save cannot replace it.
            QFile::remove(mine);
            QDir().mkdir(mine);
        }
        f.prompts.answers = {answer};
        f.prompts.openAnswer = other;

        bool replaced = false;
        if (action == QLatin1String("new"))
            f.trigger(kCmdNew);
        else if (action == QLatin1String("open"))
            f.trigger(kCmdOpen);
        else if (action == QLatin1String("drop"))
            strEditorFixture::dropFiles(f.window.get(), {other});
        else if (action == QLatin1String("import"))
            f.trigger(kCmdClipImportMV);
        else
            replaced = f.closeWindow();
        QCOMPARE(f.prompts.asked.size(), 1);
        QCOMPARE(f.prompts.asked.front(), UiText(kUiUnsavedChanges));

        const bool goesOn = answer == cPrompts::kNo || (answer == cPrompts::kYes && saveWorks);
        if (action != QLatin1String("close")) replaced = s.document().frameCount() != 3;
        QCOMPARE(replaced, goesOn);
        // Yes saved the change into the file; No and Cancel left the file as it was.
        if (saveWorks) {
            cProject onDisk(&f.config);
            anime::cAnimeFileDevice device;
            QCOMPARE(device.load(mine.toStdString(), onDisk), 1);
            QCOMPARE(onDisk.frameCount(), answer == cPrompts::kYes ? 3 : 2);
        }
        if (!goesOn) {
            QCOMPARE(s.currentPath(), mine);
            QVERIFY(s.document().modified());
        }
        // The settings file is written only when the window really closes.
        if (action == QLatin1String("close"))
            QCOMPARE(QFileInfo::exists(f.path(QStringLiteral("config.ini"))), goesOn);
    }
    // Undo and Redo name the step; back at the saved state the document is unmodified, the title
    // loses its mark and replacing the document asks nothing.
    void undoBackToTheSavedStateAsksNothing() {
        strEditorFixture f;
        QVERIFY(f.start());
        cSession& s = f.session();
        QVERIFY(s.openPath(f.writeProject(QStringLiteral("mine.dat"), 2)));
        QAction* undo = f.window->commands().action(kCmdUndo);
        QAction* redo = f.window->commands().action(kCmdRedo);
        QVERIFY(!f.enabled(kCmdUndo));
        QCOMPARE(undo->text(), QStringLiteral("Undo"));
        f.touch(); // inserts frame 0
        QVERIFY(f.window->isWindowModified());
        QVERIFY(f.enabled(kCmdUndo));
        QCOMPARE(undo->text(), QStringLiteral("Undo Insert frame 0"));

        QVERIFY(f.trigger(kCmdUndo));
        QCOMPARE(f.window->statusText(), QStringLiteral("Undone: Insert frame 0"));
        QCOMPARE(f.doc().frameCount(), 2);
        QVERIFY(!f.doc().modified());
        QVERIFY(!f.window->isWindowModified());
        QVERIFY(f.enabled(kCmdRedo));
        QCOMPARE(redo->text(), QStringLiteral("Redo Insert frame 0"));
        QCOMPARE(undo->text(), QStringLiteral("Undo"));

        QVERIFY(f.trigger(kCmdRedo));
        QCOMPARE(f.window->statusText(), QStringLiteral("Redone: Insert frame 0"));
        QVERIFY(f.window->isWindowModified());
        QVERIFY(f.trigger(kCmdUndo));

        QVERIFY(s.newDocument());
        QVERIFY(f.prompts.asked.isEmpty());
    }
};

PELKO_UI_TEST(cUnsavedQuestionTest)
#include "unsaved_question_test.moc"
