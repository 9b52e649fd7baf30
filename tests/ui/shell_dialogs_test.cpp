// The Project window, the Editor settings sheet and the About box.

#include "editor_fixture.h"
#include "ui_test.h"

#include "document/project.h"
#include "ui/dialogs/dlg_about.h"
#include "ui/dialogs/dlg_help.h"
#include "ui/dialogs/dlg_project.h"
#include "ui/dialogs/prop_conf.h"
#include "ui/shell/command_ids.h"
#include "ui/shell/command_table.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

class cShellDialogsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<strEditorFixture> f;

    template <class T> T* find(const char* name) const { return f->find<T>(name); }

  private slots:
    void init() {
        f = std::make_unique<strEditorFixture>();
        QVERIFY(f->start());
    }
    void cleanup() { f.reset(); }

    void projectPlainFieldsMarkModifiedAndStructuralAsks() {
        QVERIFY(f->window->commands().trigger(kCmdProject));
        QVERIFY(f->window->commands().trigger(kCmdProject));
        QCOMPARE(f->window->findChildren<cDlg_Project*>().size(), 1);
        auto* dlg = f->window->findChild<cDlg_Project*>();
        cProject& doc = f->session().document();
        // A name of more than 64 bytes is cut; a plain change marks the document modified.
        find<QLineEdit>("projectName")->setText(QString(70, QLatin1Char('n')));
        find<QSpinBox>("projectBasicInterval")->setValue(3);
        QVERIFY(dlg->apply());
        QCOMPARE(doc.text(kTextName), std::string(64, 'n'));
        QCOMPARE(doc.getSetting(kKeyBasicInterval), 3);
        QVERIFY(doc.modified());
        QVERIFY(f->prompts.asked.isEmpty());
        // "<< Auto-set" sums the frame durations.
        f->touch();
        find<QPushButton>("projectAutoSet")->click();
        QCOMPARE(find<QSpinBox>("projectTotalInterval")->value(), 6);

        // A structural change asks; No keeps everything as it was.
        f->touch();
        find<QSpinBox>("projectCellNumber")->setValue(4);
        f->prompts.answers = {cPrompts::kNo};
        QVERIFY(!dlg->apply());
        QCOMPARE(doc.cellNumber(), f->config.Init_Cell);
        QCOMPARE(find<QSpinBox>("projectCellNumber")->value(), f->config.Init_Cell);
        QVERIFY(f->session().history().canUndo());
        find<QSpinBox>("projectCellNumber")->setValue(4);
        f->prompts.answers = {cPrompts::kYes};
        QVERIFY(dlg->apply());
        QCOMPARE(doc.cellNumber(), 4);
        QVERIFY(!f->session().history().canUndo());
        QCOMPARE(f->prompts.asked.size(), 2);
        // The selection follows the new cell number.
        f->session().report(f->session().commands().selectAll());
        QVERIFY(f->session().commands().selection().size() <= 4);
    }

    void settingsSheetStoresEveryPageAndColours() {
        QVERIFY(f->window->commands().trigger(kCmdEditorSettings));
        auto* sheet = f->window->findChild<cProp_Conf*>();
        QVERIFY(sheet);
        // Texts read as written: no UTF-8 byte shown as a character of its own (a C1 control).
        for (QLabel* label : sheet->findChildren<QLabel*>())
            for (QChar c : label->text())
                QVERIFY2(c.unicode() < 0x80 || c.unicode() > 0x9F, qPrintable(label->text()));
        find<QLineEdit>("folderImages")->setText(QString());
        find<QSpinBox>("initCell")->setValue(24);
        find<QCheckBox>("backUpFlag")->setChecked(true);
        find<QLineEdit>("colourBackShadow")->setText(QStringLiteral("0x1234zz"));
        find<QLineEdit>("colourNextShadow")->setText(QString());
        f->prompts.colourAnswer = QColor(0x11, 0x22, 0x33);
        find<QPushButton>("colourGround")->click();
        QCOMPARE(find<QPushButton>("colourGround")->text(), QStringLiteral("0x00332211"));
        sheet->apply();
        QCOMPARE(f->config.FolderName_G, std::string("BattleEffect"));
        QCOMPARE(f->config.Init_Cell, 24);
        QVERIFY(f->config.BackUpFlag);
        QCOMPARE(f->config.CBackShadow, 0x1234u);
        QCOMPARE(f->config.CNextShadow, 0x80808080u);
        // The background is a Windows colour (0x00BBGGRR) and reaches the canvas at once.
        QCOMPARE(f->config.CGround, 0x332211u);
        QCOMPARE(f->session().pictureSlots().BackgroundColour(), 0x112233u);
        // A new document takes the new defaults.
        QVERIFY(f->window->commands().trigger(kCmdNew));
        QCOMPARE(f->session().document().cellNumber(), 24);
    }

    void aboutShowsTheVersionWithTwoDecimals() {
        QCOMPARE(cDlg_About::VersionText(), QStringLiteral("Version 0.71"));
        QVERIFY(f->window->commands().trigger(kCmdAbout));
        QVERIFY(f->window->findChild<cDlg_About*>()->isVisible());
    }

    // Help shows the keys of the commands and leaves the document alone, while the forward key
    // still moves the selected cells to the foreground.
    void helpListsTheKeysAndChangesNothing() {
        QVERIFY(f->session().openPath(f->writeProject(QStringLiteral("help.dat"))));
        QVERIFY(f->window->commands().trigger(kCmdSelectAll));
        QVERIFY(f->window->commands().trigger(kCmdHelp));
        QVERIFY(!f->session().history().canUndo());
        auto* help = f->window->findChild<cDlg_Help*>();
        QVERIFY(help && help->isVisible());
        auto* table = help->findChild<QTableWidget*>(QStringLiteral("helpShortcuts"));
        QStringList rows;
        for (int r = 0; r < table->rowCount(); ++r)
            rows << table->item(r, 1)->text() + QLatin1Char('=') + table->item(r, 0)->text();
        QVERIFY2(rows.contains(QStringLiteral("Save=Ctrl+S")), qPrintable(rows.join(QLatin1Char(' '))));
        QVERIFY(rows.contains(QStringLiteral("Help=F1")));
        QVERIFY(rows.contains(QStringLiteral("To the foreground=Forward")));
        QVERIFY(f->window->commands().trigger(kCmdToForeground));
        QVERIFY(f->session().history().canUndo());
    }
};

PELKO_UI_TEST(cShellDialogsTest)
#include "shell_dialogs_test.moc"
