// The PNG and GIF export windows: their files equal `pelko export` with the same options, the options
// are kept, Abort leaves nothing behind, and a file that cannot be written is reported by name.

#include "canvas_fixture.h"
#include "ui/dialogs/dialog_texts.h"

#include "ui/dialogs/dlg_export_gif.h"
#include "ui/dialogs/dlg_export_png.h"
#include "ui/dialogs/dlg_progress.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QRadioButton>

class cExportWindowsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<strCanvasFixture> f;

    QWidget* in_ = nullptr; // the export window the controls are looked up in

    template <class T> T* find(const char* name) const { return f->find<T>(name, in_); }
    // Opens an export window by its command; its controls are looked up from then on.
    cDlg_Export* open(int command) {
        f->trigger(command);
        auto* png = f->window->findChild<cDlg_ExportPng*>();
        in_ = command == kCmdExportPng ? png
                                       : static_cast<cDlg_Export*>(f->window->findChild<cDlg_ExportGif*>());
        return static_cast<cDlg_Export*>(in_);
    }
    // Sets the cut range through its spin boxes.
    void setCut(int left, int top, int width, int height) {
        f->type(find<QSpinBox>("exportLeft"), left);
        f->type(find<QSpinBox>("exportTop"), top);
        f->type(find<QSpinBox>("exportWidth"), width);
        f->type(find<QSpinBox>("exportHeight"), height);
    }
    static bool waitEnd(cDlg_Progress* p) {
        QPointer<cDlg_Progress> guard(p);
        return QTest::qWaitFor([&] { return guard.isNull() || !guard->isVisible(); }, 60000);
    }
    // What the export windows' controls hold, in one string.
    QString controls() const {
        QStringList out;
        for (QSpinBox* s : in_->findChildren<QSpinBox*>())
            out << s->objectName() + QLatin1Char('=') + QString::number(s->value());
        for (QAbstractButton* b : in_->findChildren<QAbstractButton*>())
            if (b->isCheckable()) out << b->objectName() + QLatin1Char('=') + QString::number(b->isChecked());
        return out.join(QLatin1Char(' '));
    }

  private slots:
    void init() {
        in_ = nullptr;
        f = std::make_unique<strCanvasFixture>();
        QVERIFY(f->openSample());
        f->prompts.colourAnswer = QColor(0x20, 0x40, 0x60);
    }
    void cleanup() { f.reset(); }

    void filesEqualTheCommandLineTool() {
        QVERIFY(QDir(f->dir.path()).mkpath(QStringLiteral("out")));
        const QString folder = f->path(QStringLiteral("out"));
        // Each row: the window, what is done on its controls, the tool's options for the same.
        const struct {
            int command;
            const char* file;
            std::function<void()> set;
            QStringList args;
        } rows[] = {
            {kCmdExportPng,
             "sheet.png",
             [&] { // 4 per column, filled column by column, no alpha, a chosen background
                 find<QRadioButton>("pngVerticalFixed")->click();
                 find<QSpinBox>("pngDivision")->setValue(4);
                 find<QRadioButton>("pngVer")->click();
                 find<QCheckBox>("pngAlpha")->click();
                 find<QPushButton>("exportBackground")->click();
                 setCut(-100, -90, 180, 150);
             },
             {"png", "--per-column", "4", "--column-first", "--area", "-100,-90,180,150"}},
            {kCmdExportGif,
             "changes.gif",
             [&] { // 150 %, 30 fps, flashes, a transparent background
                 find<QSpinBox>("gifZoom")->setValue(150);
                 find<QSpinBox>("gifFps")->setValue(30);
                 find<QCheckBox>("gifFlash")->click();
                 find<QCheckBox>("gifTransparent")->click();
                 setCut(-120, -100, 200, 180);
             },
             {"gif", "--zoom", "150", "--fps", "30", "--flash", "--transparent", "--limit6", "--area",
              "-120,-100,200,180"}},
            {kCmdExportGif,
             "whole.gif",
             [&] { find<QCheckBox>("gifWholeFrames")->click(); },
             {"gif", "--zoom", "150", "--fps", "30", "--flash", "--transparent", "--limit6", "--area",
              "-120,-100,200,180", "--whole-frames"}},
        };
        for (const auto& row : rows) {
            cDlg_Export* w = open(row.command);
            const QString file = QString::fromLatin1(row.file);
            // The name comes from the project's, in the folder of the last export.
            QCOMPARE(QFileInfo(w->proposedPath()).fileName(),
                     QStringLiteral("canvas.") + QFileInfo(file).suffix());
            if (row.command == kCmdExportGif) QCOMPARE(QFileInfo(w->proposedPath()).absolutePath(), folder);
            row.set();
            QVERIFY(f->session().overlays().cutRange);
            QCOMPARE(f->session().overlays().cutArea,
                     QRect(w->cutRange().left, w->cutRange().top, w->cutRange().width, w->cutRange().height));
            f->prompts.saveAnswer = folder + QLatin1Char('/') + file;
            QVERIFY(waitEnd(w->exportFile()));
            QCOMPARE(f->window->statusText(), DialogText(kDlgCompleted));
            QVERIFY(!w->isVisible());
            QVERIFY(!f->session().overlays().cutRange);
            const QStringList files{f->path(QStringLiteral("canvas.txt")),
                                    f->path(QStringLiteral("tool_") + file)};
            f->runTool(QStringList{QStringLiteral("export"), row.args.first()} + files + row.args.mid(1) +
                       QStringList{QStringLiteral("--background"), QStringLiteral("0x204060")});
            const QByteArray written = f->read(f->prompts.saveAnswer);
            QVERIFY2(!written.isEmpty() && written == f->read(f->path(QStringLiteral("tool_") + file)),
                     row.file);
        }
        // Whole frames are not the frames as changes.
        QVERIFY(f->read(folder + QStringLiteral("/whole.gif")) !=
                f->read(folder + QStringLiteral("/changes.gif")));
    }

    void optionsAreKeptBetweenOpeningsAndTheColourInTheSettings() {
        // With both windows open, closing one leaves the other's range on the canvas.
        cDlg_Export* png = open(kCmdExportPng);
        open(kCmdExportGif);
        setCut(-10, -20, 30, 40);
        png->close();
        QVERIFY(f->session().overlays().cutRange);
        QCOMPARE(f->session().overlays().cutArea, QRect(-10, -20, 30, 40));
        in_->close();
        QVERIFY(!f->session().overlays().cutRange);

        for (int command : {kCmdExportPng, kCmdExportGif}) {
            open(command);
            const QString defaults = controls();
            // Every check box and radio button turned, every number changed.
            for (QAbstractButton* b : in_->findChildren<QAbstractButton*>())
                if (b->isCheckable() && !b->isChecked()) b->click();
            for (QSpinBox* s : in_->findChildren<QSpinBox*>())
                s->setValue(s->value() == s->minimum() ? s->value() + 1 : s->value() - 1);
            const QString changed = controls();
            QVERIFY(changed != defaults);
            find<QPushButton>("exportClose")->click();
            QVERIFY(!in_->isVisible());
            QCOMPARE(open(command)->isVisible(), true);
            QCOMPARE(controls(), changed);
        }
        // The background colour is the setting "CTrans" (a Windows colour), kept across a restart.
        find<QPushButton>("exportBackground")->click();
        QVERIFY(f->closeWindow());
        QCOMPARE(f->stored("CTrans"), std::to_string(0x604020));
        QVERIFY(f->start());
        open(kCmdExportGif);
        QCOMPARE(find<QPushButton>("exportBackground")->text(), QStringLiteral("0x604020"));
    }

    void abortAndUnwritableFilesLeaveNothingAndSaySo() {
        cDlg_Export* gif = open(kCmdExportGif);
        find<QSpinBox>("gifZoom")->setValue(200);
        find<QCheckBox>("gifFlash")->click();
        setCut(-256, -256, 512, 512);
        const QString anim = f->path(QStringLiteral("aborted.gif"));
        f->prompts.saveAnswer = anim;
        QVERIFY(f->session().play(true));
        cDlg_Progress* progress = gif->exportFile();
        QVERIFY(!f->session().playing());
        QVERIFY(progress && progress->isVisible());
        QVERIFY(!gif->isVisible());
        // The editor keeps running while the worker renders.
        QVERIFY(QTest::qWaitFor([&] { return progress->doneCount() > 0; }, 20000));
        QVERIFY(progress->doneCount() < progress->total());
        // The message stands alone: the progress window has gone.
        QPointer<cDlg_Progress> guard(progress);
        bool progressShown = true;
        f->prompts.onMessage = [&] { progressShown = guard && guard->isVisible(); };
        f->window->findChild<QPushButton*>(QStringLiteral("progressAbort"))->click();
        QVERIFY(waitEnd(progress));
        f->prompts.onMessage = nullptr;
        QVERIFY(!progressShown);
        QCOMPARE(f->prompts.messages, QStringList{DialogText(kDlgInterrupted)});
        QVERIFY(gif->isVisible());
        QVERIFY(!QFile::exists(anim));
        QCOMPARE(QDir(f->dir.path()).entryList({QStringLiteral("aborted*")}), QStringList());
        find<QPushButton>("exportClose")->click();

        // A folder that is a file: the failure names the file (a sequence its first image); nothing is
        // written.
        QVERIFY(QFile(f->path(QStringLiteral("blocker"))).open(QIODevice::WriteOnly));
        for (const auto& [chosen, named] : {std::pair{"blocker/sheet.png", "blocker/sheet.png"},
                                            std::pair{"blocker/seq.png", "blocker/seq00000.png"}}) {
            cDlg_Export* w = open(kCmdExportPng);
            if (QLatin1String(chosen).contains(QLatin1String("seq"))) find<QCheckBox>("pngSheet")->click();
            setCut(-60, -60, 120, 120);
            f->prompts.messages.clear();
            f->prompts.saveAnswer = f->path(QString::fromLatin1(chosen));
            QVERIFY(waitEnd(w->exportFile()));
            const QString message = f->prompts.messages.value(0);
            QCOMPARE(f->prompts.messages.size(), 1);
            QVERIFY2(message.contains(f->path(QString::fromLatin1(named))), qPrintable(message));
            QVERIFY(f->window->statusText().contains(f->path(QString::fromLatin1(named))));
            QVERIFY(w->isVisible());
            w->close();
        }
    }
};

PELKO_UI_TEST(cExportWindowsTest)
#include "export_windows_test.moc"
