// Recovery copies in the editor: written while the document is modified, removed by a save, a return
// to the saved state and a normal close; offered at the next start by the recovery window.

#include "editor_fixture.h"

#include "document/anime_file_device.h"
#include "platform/file_io.h"
#include "ui/dialogs/dlg_recovery.h"
#include "ui/dialogs/dlg_settings.h"
#include "ui/session/ui_messages.h"
#include "ui/shell/translators.h"
#include "workspace/recovery_info.h"
#include "workspace/recovery_store.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <QTreeWidget>

namespace {

QString RecoveryFolder(const strEditorFixture& f) {
    return QString::fromStdString(cRecoveryStore::folderFor(f.config.filePath));
}

// The files in the recovery folder (not the damaged/ folder).
QStringList RecoveryFiles(const strEditorFixture& f) {
    return QDir(RecoveryFolder(f)).entryList(QDir::Files, QDir::Name);
}

// Settings with a recovery interval, as the next start reads them.
void SetInterval(strEditorFixture& f, int seconds) {
    cConfig c;
    c.setDefaults();
    c.filePath = f.config.filePath;
    c.RecoveryInterval = seconds;
    QVERIFY(c.write());
}

// A copy left by an editor that is gone: written by a store of its own that then closes (the lock
// file goes, the copy stays). The copy's document has `frames` frames with cell 0 at x = 10 * frame
// + shift.
void LeaveCopy(const strEditorFixture& f, const strRecoveryInfo& info, int frames, int shift) {
    cProject doc(&f.config);
    testing_support::MakeFrames(doc, frames);
    for (int i = 0; i < frames; ++i) {
        const strCell c = testing_support::CellAt(i * 10 + shift);
        doc.setCell(i, 0, &c);
    }
    doc.setText(kTextFileName, info.fileName);
    std::vector<uint8_t> bytes;
    QVERIFY(cRecoveryStore::serialise(doc, bytes));
    cRecoveryStore gone(cRecoveryStore::folderFor(f.config.filePath));
    QVERIFY(gone.open());
    QVERIFY(gone.writeCopy(1, bytes, info));
    gone.close();
}

strRecoveryInfo FileOrigin(const QString& path, int64_t when) {
    strRecoveryInfo info;
    info.origin = eRecoveryOrigin::kFile;
    info.path = path.toStdString();
    info.fileName = QFileInfo(path).fileName().toStdString();
    info.savedAt = when;
    info.lastChange = strMessage(kStepBatch);
    return info;
}

} // namespace

class cRecoveryTest : public QObject {
    Q_OBJECT

  private slots:
    // The copy comes once the interval has passed after an edit, with what the document is and its
    // last change; the save removes it, and so does an undo back to the saved state.
    void copyFollowsTheEdits() {
        strEditorFixture f;
        SetInterval(f, 1);
        QVERIFY(f.start());
        cRecoveryKeeper& keeper = f.session().recovery();
        QVERIFY(keeper.isOpen());
        cRecoveryStore& store = *keeper.store();
        const QString mine = f.writeProject(QStringLiteral("mine.dat"), 3);
        QVERIFY(f.session().openPath(mine));
        QVERIFY(!keeper.waiting());

        strCell moved;
        moved.x = 123;
        f.putCell(1, 0, moved);
        QVERIFY(keeper.waiting());
        keeper.flush();
        QVERIFY(!store.hasCopy(keeper.slot())); // not before the interval
        QTRY_VERIFY_WITH_TIMEOUT(!keeper.waiting(), 3000);
        keeper.flush();
        QVERIFY(store.hasCopy(keeper.slot()));

        // The copy holds the edit; its description the file and the last change.
        cProject copy(&f.config);
        std::vector<uint8_t> bytes;
        QVERIFY(platform::ReadWholeFile(store.copyPath(keeper.slot()), bytes, 1 << 20));
        QVERIFY(cRecoveryStore::deserialise(bytes, copy));
        QCOMPARE(copy.cell(1, 0)->x, 123);
        QVERIFY(platform::ReadWholeFile(store.infoPath(keeper.slot()), bytes, 1 << 20));
        strRecoveryInfo info;
        QVERIFY(DecodeRecoveryInfo(bytes, info));
        QCOMPARE(int(info.origin), int(eRecoveryOrigin::kFile));
        QCOMPARE(QString::fromStdString(info.path), mine);
        QCOMPARE(info.lastChange, strMessage(kStepBatch));
        QVERIFY(std::abs(info.savedAt - QDateTime::currentSecsSinceEpoch()) < 60);

        // Nothing changed since the copy: no new wait.
        QVERIFY(!keeper.waiting());
        QVERIFY(f.session().save());
        keeper.flush();
        QVERIFY(!store.hasCopy(keeper.slot()));
        QVERIFY(!keeper.waiting());

        // Back to the saved state by Undo: the copy goes and no copy is written afterwards.
        f.putCell(2, 0, moved);
        QTRY_VERIFY_WITH_TIMEOUT(!keeper.waiting(), 3000);
        keeper.flush();
        QVERIFY(store.hasCopy(keeper.slot()));
        QVERIFY(f.trigger(kCmdUndo));
        QVERIFY(!f.doc().modified());
        keeper.flush();
        QVERIFY(!store.hasCopy(keeper.slot()));

        // Another document: the old one's copy goes, the new one has a slot of its own.
        f.putCell(2, 0, moved);
        QTRY_VERIFY_WITH_TIMEOUT(!keeper.waiting(), 3000);
        const int old = keeper.slot();
        f.prompts.answers = {cPrompts::kNo};
        QVERIFY(f.session().newDocument());
        keeper.flush();
        QVERIFY(keeper.slot() != old);
        QVERIFY(!store.hasCopy(old));
    }

    // 0 turns the copies off.
    void noCopiesWithIntervalZero() {
        strEditorFixture f;
        SetInterval(f, 0);
        QVERIFY(f.start());
        f.touch();
        QVERIFY(f.doc().modified());
        QVERIFY(!f.session().recovery().waiting());
        f.session().recovery().writeDue(); // nothing is due without a wait either
        f.session().recovery().flush();
        QVERIFY(!f.session().recovery().store()->hasCopy(f.session().recovery().slot()));
    }

    // A normal close (the changes discarded) leaves nothing in the recovery folder.
    void cleanCloseLeavesNothing() {
        strEditorFixture f;
        SetInterval(f, 1);
        QVERIFY(f.start());
        f.touch();
        QTRY_VERIFY_WITH_TIMEOUT(!f.session().recovery().waiting(), 3000);
        f.session().recovery().flush();
        QVERIFY(RecoveryFiles(f).size() >= 3); // lock, copy, description
        f.prompts.answers = {cPrompts::kNo};
        QVERIFY(f.closeWindow());
        f.window.reset();
        QCOMPARE(RecoveryFiles(f), QStringList());
    }

    // Recover gives the document back modified, saving where it came from; the copy goes with the save.
    void recoverGivesTheDocumentBack() {
        strEditorFixture f;
        const QString mine = f.writeProject(QStringLiteral("mine.dat"), 3);
        const int64_t when = 1796140800;
        LeaveCopy(f, FileOrigin(mine, when), 5, 7);
        QVERIFY(f.start());
        cRecoveryStore& store = *f.session().recovery().store();
        std::vector<strRecoveryProblem> problems;
        std::vector<strRecoveryEntry> entries = store.list(&problems);
        QCOMPARE(entries.size(), size_t(1));
        cDlg_Recovery dialog(f.session(), entries, problems);
        auto* list = f.find<QTreeWidget>("recoveryList", &dialog);
        QCOMPARE(list->topLevelItemCount(), 1);
        QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("mine.dat"));
        QCOMPARE(list->topLevelItem(0)->text(1),
                 cTranslators::displayLocale().toString(QDateTime::fromSecsSinceEpoch(when).toLocalTime(),
                                                        QLocale::ShortFormat));
        QCOMPARE(list->topLevelItem(0)->text(2), LibraryMessage(strMessage(kStepBatch)));
        QVERIFY(!dialog.findChild<QPlainTextEdit*>(QStringLiteral("recoveryProblems")));

        f.find<QPushButton>("recoverButton", &dialog)->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(f.doc().modified());
        QCOMPARE(f.doc().frameCount(), 5);
        QCOMPARE(f.doc().cell(4, 0)->x, 47);
        QCOMPARE(f.session().currentPath(), mine);
        QVERIFY(f.window->isWindowModified());
        QVERIFY(f.window->windowTitle().contains(QStringLiteral("mine.dat")));

        // Save writes the original file and the taken-over copy goes.
        QVERIFY(f.session().save());
        cProject onDisk(&f.config);
        anime::cAnimeFileDevice device;
        QCOMPARE(device.load(mine.toStdString(), onDisk), 1);
        QCOMPARE(onDisk.frameCount(), 5);
        QCOMPARE(onDisk.cell(4, 0)->x, 47);
        f.session().recovery().flush();
        f.window.reset();
        QCOMPARE(RecoveryFiles(f), QStringList());
    }

    // At start-up the window shows; Later keeps the copies for the next start. Untitled and game
    // copies say so.
    void laterKeepsTheCopies() {
        strEditorFixture f;
        strRecoveryInfo untitled;
        untitled.savedAt = 1796140800;
        LeaveCopy(f, untitled, 2, 0);
        strRecoveryInfo game;
        game.origin = eRecoveryOrigin::kGame;
        game.path = f.path(QStringLiteral("Quest")).toStdString();
        game.id = "12";
        game.savedAt = 1796140900;
        LeaveCopy(f, game, 2, 0);
        QVERIFY(f.start());
        QStringList rows;
        QTimer::singleShot(0, [&rows] {
            auto* dialog = qobject_cast<cDlg_Recovery*>(QApplication::activeModalWidget());
            if (!dialog) return;
            auto* list = dialog->findChild<QTreeWidget*>(QStringLiteral("recoveryList"));
            for (int i = 0; i < list->topLevelItemCount(); ++i)
                rows << list->topLevelItem(i)->text(0);
            dialog->findChild<QPushButton*>(QStringLiteral("laterButton"))->click();
        });
        QVERIFY(f.window->offerRecovery());
        QCOMPARE(rows, QStringList({cDlg_Recovery::tr("Untitled"),
                                    cDlg_Recovery::tr("Animation %1 of the game in %2").arg("12", "Quest")}));
        QVERIFY(!f.doc().modified());
        f.window.reset();
        QVERIFY(f.start());
        QCOMPARE(f.session().recovery().store()->list().size(), size_t(2));
        // A recovered game copy stays untitled and keeps its origin for the next copy.
        cDlg_Recovery dialog(f.session(), f.session().recovery().store()->list(), {});
        dialog.findChild<QTreeWidget*>(QStringLiteral("recoveryList"))
            ->setCurrentItem(dialog.findChild<QTreeWidget*>(QStringLiteral("recoveryList"))->topLevelItem(1));
        QVERIFY(dialog.recoverSelected());
        QVERIFY(f.doc().modified());
        QVERIFY(f.doc().untitled());
        QVERIFY(f.session().currentPath().isEmpty());
    }

    // Discard asks first; Yes removes the copy for good, the window closes with the last one.
    void discardRemovesAfterTheQuestion() {
        strEditorFixture f;
        LeaveCopy(f, FileOrigin(f.path(QStringLiteral("a.dat")), 1796140800), 2, 0);
        LeaveCopy(f, FileOrigin(f.path(QStringLiteral("b.dat")), 1796140900), 2, 0);
        QVERIFY(f.start());
        cRecoveryStore& store = *f.session().recovery().store();
        cDlg_Recovery dialog(f.session(), store.list(), {});
        auto* discard = f.find<QPushButton>("discardButton", &dialog);
        f.prompts.answers = {cPrompts::kNo};
        discard->click();
        QCOMPARE(f.prompts.asked.size(), 1);
        QVERIFY(f.prompts.asked.front().contains(QStringLiteral("a.dat")));
        QCOMPARE(dialog.entries().size(), size_t(2));
        QCOMPARE(store.list().size(), size_t(2));
        f.prompts.answers = {cPrompts::kYes};
        discard->click();
        QCOMPARE(dialog.entries().size(), size_t(1));
        const std::vector<strRecoveryEntry> left = store.list();
        QCOMPARE(left.size(), size_t(1));
        QCOMPARE(QString::fromStdString(left[0].info.path), f.path(QStringLiteral("b.dat")));
        f.prompts.answers = {cPrompts::kYes};
        discard->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(store.list().empty());
        QVERIFY(!f.doc().modified());
    }

    // A damaged copy is reported with where it went; the window opens with the readable ones.
    void damagedCopyIsReported() {
        strEditorFixture f;
        LeaveCopy(f, FileOrigin(f.path(QStringLiteral("good.dat")), 1796140800), 2, 0);
        LeaveCopy(f, FileOrigin(f.path(QStringLiteral("bad.dat")), 1796140900), 2, 0);
        // The second copy loses its tail, as a disk that filled up would leave it.
        QString bad;
        for (const QString& name : RecoveryFiles(f)) {
            if (!name.endsWith(QStringLiteral(".json"))) continue;
            if (strEditorFixture::read(QDir(RecoveryFolder(f)).filePath(name)).contains("bad.dat"))
                bad = QDir(RecoveryFolder(f)).filePath(name.chopped(5) + QStringLiteral(".dat"));
        }
        QVERIFY(!bad.isEmpty());
        QFile file(bad);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.resize(file.size() / 2));
        file.close();

        QVERIFY(f.start());
        std::vector<strRecoveryProblem> problems;
        std::vector<strRecoveryEntry> entries = f.session().recovery().store()->list(&problems);
        QCOMPARE(entries.size(), size_t(1));
        QCOMPARE(problems.size(), size_t(1));
        cDlg_Recovery dialog(f.session(), entries, problems);
        auto* text = f.find<QPlainTextEdit>("recoveryProblems", &dialog);
        QVERIFY(text);
        QVERIFY(text->toPlainText().contains(QFileInfo(bad).fileName()));
        QVERIFY(text->toPlainText().contains(QString::fromStdString(problems[0].movedTo)));
        QCOMPARE(f.find<QTreeWidget>("recoveryList", &dialog)->topLevelItemCount(), 1);
        QVERIFY(dialog.recoverSelected());
        QCOMPARE(f.session().currentPath(), f.path(QStringLiteral("good.dat")));

        // Only damaged copies: the window still opens, with nothing to recover.
        strEditorFixture g;
        LeaveCopy(g, FileOrigin(g.path(QStringLiteral("x.dat")), 1796140800), 2, 0);
        for (const QString& name : RecoveryFiles(g)) {
            if (!name.endsWith(QStringLiteral(".dat"))) continue;
            QFile empty(QDir(RecoveryFolder(g)).filePath(name)); // an empty copy
            QVERIFY(empty.open(QIODevice::WriteOnly | QIODevice::Truncate));
        }
        QVERIFY(g.start());
        QTimer::singleShot(0, [] {
            if (auto* dialog = qobject_cast<cDlg_Recovery*>(QApplication::activeModalWidget())) {
                QVERIFY(!dialog->findChild<QPushButton*>(QStringLiteral("recoverButton"))->isEnabled());
                QVERIFY(dialog->findChild<QPlainTextEdit*>(QStringLiteral("recoveryProblems")));
                dialog->reject();
            }
        });
        QVERIFY(g.window->offerRecovery());
        // Reported once: the next start has nothing to show.
        QVERIFY(!g.window->offerRecovery());
    }

    // The settings window edits the interval.
    void settingsEditTheInterval() {
        strEditorFixture f;
        QVERIFY(f.start());
        cDlg_Settings dialog(f.session());
        auto* spin = f.find<QSpinBox>("recoveryInterval", &dialog);
        QCOMPARE(spin->value(), 60);
        QCOMPARE(spin->maximum(), cConfig::kMaxRecoveryInterval);
        strEditorFixture::type(spin, 15);
        dialog.apply();
        QCOMPARE(f.config.RecoveryInterval, 15);
        spin->setValue(0);
        QCOMPARE(spin->text(), cDlg_Settings::tr("Never"));
        dialog.apply();
        QCOMPARE(f.config.RecoveryInterval, 0);
    }
};

PELKO_UI_TEST(cRecoveryTest)
#include "recovery_test.moc"
