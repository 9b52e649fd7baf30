// The PNG and GIF export windows: their files equal `pelko export` with the same options, Abort
// leaves nothing behind, and a file that cannot be written is reported by name.

#include "editor_fixture.h"
#include "ui_test.h"

#include "document/anime_file_device.h"
#include "document/project.h"
#include "export/png_writer.h"
#include "sample_project.h"
#include "ui/dialogs/dlg_export_gif.h"
#include "ui/dialogs/dlg_export_png.h"
#include "ui/dialogs/dlg_progress.h"
#include "ui/shell/command_ids.h"
#include "ui/shell/command_table.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

class cExportWindowsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<strEditorFixture> f;

    QWidget* in_ = nullptr; // the export window the controls are looked up in

    template <class T> T* find(const char* name) const {
        T* w = (in_ ? in_ : f->window.get())->findChild<T*>(QString::fromLatin1(name));
        if (!w) qWarning("no widget %s", name);
        return w;
    }
    static QByteArray read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Sets the cut range through its spin boxes.
    void setCut(int left, int top, int width, int height) {
        const std::pair<const char*, int> fields[] = {
            {"exportLeft", left}, {"exportTop", top}, {"exportWidth", width}, {"exportHeight", height}};
        for (const auto& [name, value] : fields) {
            auto* spin = find<QSpinBox>(name);
            spin->selectAll();
            QTest::keyClicks(spin, QString::number(value));
        }
    }
    static bool waitEnd(cDlg_Progress* p) {
        QPointer<cDlg_Progress> guard(p);
        return QTest::qWaitFor([&] { return guard.isNull() || !guard->isVisible(); }, 60000);
    }
    QByteArray tool(const QStringList& args) const {
        QProcess p;
        p.start(QStringLiteral(PELKO_TOOL), args);
        if (!p.waitForFinished(120000) || p.exitCode() != 0)
            qWarning("%s", p.readAllStandardError().constData());
        return p.readAllStandardOutput();
    }

  private slots:
    void init() {
        in_ = nullptr;
        f = std::make_unique<strEditorFixture>();
        QVERIFY(f->start());
        auto sheet = sample::DrawSheet();
        QVERIFY(WritePngFile(f->path(QStringLiteral("sample_sheet.png")).toStdString(), *sheet, true));
        cProject doc(&f->config);
        QVERIFY(sample::BuildProject(doc));
        ANIME::cAnimeFile_Device device;
        QCOMPARE(device.save(f->path(QStringLiteral("sample.txt")).toStdString(), doc, 1), 1);
        QVERIFY(f->session().openPath(f->path(QStringLiteral("sample.txt"))));
        f->prompts.colourAnswer = QColor(0x20, 0x40, 0x60);
    }
    void cleanup() { f.reset(); }

    void filesEqualTheCommandLineTool() {
        const QString project = f->path(QStringLiteral("sample.txt"));
        // A PNG sheet: 4 per column, filled column by column, no alpha, a chosen background.
        QVERIFY(f->window->commands().trigger(kCmdExportPng));
        auto* png = f->window->findChild<cDlg_ExportPng*>();
        in_ = png;
        QCOMPARE(QFileInfo(png->proposedPath()).fileName(), QStringLiteral("sample.png"));
        find<QRadioButton>("pngVerticalFixed")->click();
        find<QSpinBox>("pngDivision")->setValue(4);
        find<QRadioButton>("pngVer")->click();
        find<QCheckBox>("pngAlpha")->click();
        find<QPushButton>("exportBackground")->click();
        setCut(-100, -90, 180, 150);
        QVERIFY(f->session().overlays().cutRange);
        QCOMPARE(f->session().overlays().cutArea, QRect(-100, -90, 180, 150));
        const QString sheet = f->path(QStringLiteral("window.png"));
        f->prompts.saveAnswer = sheet;
        QVERIFY(waitEnd(png->exportFile()));
        QCOMPARE(f->window->statusText(), QStringLiteral("Image output completion"));
        QVERIFY(!png->isVisible());
        QVERIFY(!f->session().overlays().cutRange);
        tool({QStringLiteral("export"), QStringLiteral("png"), project, f->path(QStringLiteral("tool.png")),
              QStringLiteral("--per-column"), QStringLiteral("4"), QStringLiteral("--column-first"),
              QStringLiteral("--area"), QStringLiteral("-100,-90,180,150"), QStringLiteral("--background"),
              QStringLiteral("0x204060")});
        QVERIFY(!read(sheet).isEmpty());
        QVERIFY(read(sheet) == read(f->path(QStringLiteral("tool.png"))));

        // An animated GIF at 150 %, with flashes and a transparent background.
        QVERIFY(f->window->commands().trigger(kCmdExportGif));
        auto* gif = f->window->findChild<cDlg_ExportGif*>();
        in_ = gif;
        find<QSpinBox>("gifZoom")->setValue(150);
        find<QSpinBox>("gifFps")->setValue(30);
        find<QCheckBox>("gifFlash")->click();
        find<QCheckBox>("gifTransparent")->click();
        setCut(-120, -100, 200, 180);
        const QString anim = f->path(QStringLiteral("window.gif"));
        f->prompts.saveAnswer = anim;
        QVERIFY(waitEnd(gif->exportFile()));
        tool({QStringLiteral("export"), QStringLiteral("gif"), project, f->path(QStringLiteral("tool.gif")),
              QStringLiteral("--zoom"), QStringLiteral("150"), QStringLiteral("--fps"), QStringLiteral("30"),
              QStringLiteral("--flash"), QStringLiteral("--transparent"), QStringLiteral("--limit6"),
              QStringLiteral("--area"), QStringLiteral("-120,-100,200,180"), QStringLiteral("--background"),
              QStringLiteral("0x204060")});
        QVERIFY(!read(anim).isEmpty());
        QVERIFY(read(anim) == read(f->path(QStringLiteral("tool.gif"))));

        // The options are kept for the next opening.
        QVERIFY(f->window->commands().trigger(kCmdExportGif));
        QCOMPARE(find<QSpinBox>("gifZoom")->value(), 150);
        QCOMPARE(find<QSpinBox>("exportLeft")->value(), -120);
    }

    void abortAndUnwritableFilesLeaveNothingAndSaySo() {
        QVERIFY(f->window->commands().trigger(kCmdExportGif));
        auto* gif = f->window->findChild<cDlg_ExportGif*>();
        in_ = gif;
        find<QSpinBox>("gifZoom")->setValue(200);
        find<QCheckBox>("gifFlash")->click();
        setCut(-256, -256, 512, 512);
        const QString anim = f->path(QStringLiteral("aborted.gif"));
        f->prompts.saveAnswer = anim;
        cDlg_Progress* progress = gif->exportFile();
        QVERIFY(progress && progress->isVisible());
        QVERIFY(!gif->isVisible());
        f->window->findChild<QPushButton*>(QStringLiteral("progressAbort"))->click();
        QVERIFY(waitEnd(progress));
        QCOMPARE(f->prompts.messages, QStringList{QStringLiteral("Processing has been interrupted")});
        QVERIFY(gif->isVisible());
        QVERIFY(!QFile::exists(anim));

        // A folder that is a file: the failure names the file; nothing is written.
        QFile blocker(f->path(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString bad = f->path(QStringLiteral("blocker/out.gif"));
        f->prompts.saveAnswer = bad;
        find<QSpinBox>("gifZoom")->setValue(100);
        setCut(-60, -60, 120, 120);
        QVERIFY(waitEnd(gif->exportFile()));
        QCOMPARE(f->prompts.messages.size(), 2);
        QVERIFY(f->prompts.messages.last().contains(bad));
        QVERIFY(f->window->statusText().contains(bad));
        QVERIFY(gif->isVisible());
        QVERIFY(!QFile::exists(bad));
    }
};

PELKO_UI_TEST(cExportWindowsTest)
#include "export_windows_test.moc"
