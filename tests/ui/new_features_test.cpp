// The editor's windows for eased tweens, pattern sheets, GIF import, animated PNG and WebP export and
// the actor-side preview, driven through their controls; the results are checked against the library
// and, for the animated files, against the command-line tool's.

#include "canvas_fixture.h"
#include "ui/dialogs/dialog_texts.h"

#include "document/history.h"
#include "export/gif_file.h"
#include "export/gif_import.h"
#include "export/png_writer.h"
#include "image/picture_loader.h"
#include "playback/play_clock.h"
#include "tools/cell_params.h"
#include "tools/easing.h"
#include "ui/dialogs/curve_edit.h"
#include "ui/dialogs/dlg_export_gif.h"
#include "ui/dialogs/dlg_frame_comp.h"
#include "ui/dialogs/dlg_pattern_sheet.h"
#include "ui/dialogs/dlg_progress.h"
#include "ui/session/ui_messages.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <algorithm>

namespace {

// A GIF of frames of w x h in the given colours (0xRRGGBB) and delays (hundredths).
bool WriteGif(const QString& path, int w, int h, const std::vector<std::pair<uint32_t, int>>& frames) {
    cGifFile gif;
    for (const auto& [colour, delay] : frames) {
        auto frame = std::make_unique<cGifLocal>();
        frame->bitmap = cDib::create(w, h, 32);
        std::fill_n(reinterpret_cast<uint32_t*>(frame->bitmap->pixels()), size_t(w) * size_t(h),
                    0xFF000000u | colour);
        // A mark in the top-left corner, so no two frames are alike and left differs from right.
        *reinterpret_cast<uint32_t*>(frame->bitmap->row(0)) = 0xFFFFFFFFu;
        frame->delay = delay;
        gif.addFrame(std::move(frame));
    }
    return gif.write(path.toStdString(), -1);
}

} // namespace

class cNewFeaturesTest : public QObject {
    Q_OBJECT
    std::unique_ptr<strCanvasFixture> f;

    template <class T> T* find(const char* name, const QObject* in = nullptr) const {
        return f->find<T>(name, in);
    }
    cProject& doc() const { return f->doc(); }
    static bool waitEnd(cDlg_Progress* p) {
        QPointer<cDlg_Progress> guard(p);
        return p && QTest::qWaitFor([&] { return guard.isNull() || !guard->isVisible(); }, 60000);
    }

  private slots:
    void init() { f = std::make_unique<strCanvasFixture>(); }
    void cleanup() { f.reset(); }

    void tweenEasesPerGroupAsTheLibraryDoesInOneStep() {
        // Cell 0 at X 0 on frame 0 and at X 1000, scale 200 on frame 4, nothing between.
        QVERIFY(f->open([](cProject& d) {
            for (int fr = 0; fr <= 4; ++fr)
                d.frameOrCreate(fr);
            strCell a = SheetCell(1, 0, 0);
            d.setCell(0, 0, &a);
            a.x = 1000;
            a.mx = 200;
            d.setCell(4, 0, &a);
        }));
        f->session().requestTool({kCmdFrameTool, cTimelineRange::ofCells(0, 0, 4, 0)});
        auto* dlg = f->window->findChild<cDlg_FrameComp*>();
        QVERIFY(dlg && dlg->isVisible());
        // Position eased in; scale on a curve whose first control point is dragged with the mouse.
        find<QComboBox>("frameCompEase_position", dlg)->setCurrentIndex(int(eEaseKind::kIn));
        find<QComboBox>("frameCompEase_scale", dlg)->setCurrentIndex(int(eEaseKind::kBezier));
        QCOMPARE(dlg->curveGroup(), int(kTweenScale));
        cCurveEdit* curve = dlg->curveEdit();
        QVERIFY(find<QDoubleSpinBox>("frameCompCurveX1", dlg)->isEnabled());
        const strEasing before = curve->easing();
        const QPoint from = curve->toWidget({before.x1, before.y1}).toPoint();
        const QPoint to = curve->toWidget({0.9, 0.0}).toPoint();
        QTest::mousePress(curve, Qt::LeftButton, {}, from);
        QTest::mouseMove(curve, (from + to) / 2);
        QTest::mouseRelease(curve, Qt::LeftButton, {}, to);
        const strEasing dragged = curve->easing();
        QCOMPARE(dragged.kind, eEaseKind::kBezier);
        QVERIFY(std::abs(dragged.x1 - 0.9f) < 0.02f && std::abs(dragged.y1) < 0.02f);
        QVERIFY(std::abs(find<QDoubleSpinBox>("frameCompCurveX1", dlg)->value() - double(dragged.x1)) <
                0.001);
        // The numbers edit the same curve.
        find<QDoubleSpinBox>("frameCompCurveY2", dlg)->setValue(1.25);
        QCOMPARE(curve->easing().y2, 1.25f);

        const strCell A = *doc().cell(0, 0), B = *doc().cell(4, 0);
        strTweenOptions want;
        want.easing[kTweenPosition].kind = eEaseKind::kIn;
        want.easing[kTweenScale] = curve->easing();
        find<QPushButton>("frameCompRun", dlg)->click();
        QVERIFY(!dlg->isVisible());
        QList<int> xs, mxs, wantMxs;
        for (int fr = 1; fr <= 3; ++fr) {
            QVERIFY(doc().cell(fr, 0));
            xs << doc().cell(fr, 0)->x;
            mxs << doc().cell(fr, 0)->mx;
            strCell c = A;
            TweenCell(c, A, B, float(fr) / 4.0f, kParamAll, want);
            wantMxs << c.mx;
        }
        QCOMPARE(xs, (QList<int>{15, 125, 421})); // 1000 t^3
        QCOMPARE(mxs, wantMxs);
        QCOMPARE(f->session().history().undoCount(), size_t(1));
        QVERIFY(f->trigger(kCmdUndo));
        QVERIFY(!doc().cell(2, 0));

        // The easing is kept in the settings and comes back at the next start.
        QVERIFY(f->closeWindow());
        QVERIFY(QString::fromStdString(f->stored("TweenEasing"))
                    .startsWith(QStringLiteral("position=in;scale=bezier:")));
        QVERIFY(f->start());
        f->session().requestTool({kCmdFrameTool, cTimelineRange::ofCell(0, 0)});
        QCOMPARE(find<QComboBox>("frameCompEase_position")->currentIndex(), int(eEaseKind::kIn));
        QCOMPARE(find<QComboBox>("frameCompEase_scale")->currentIndex(), int(eEaseKind::kBezier));
    }

    void patternSheetIsBuiltSavedAndChecked() {
        QVERIFY(f->openSample());
        // Three frames in a folder, named so that number order differs from text order.
        QVERIFY(QDir(f->dir.path()).mkpath(QStringLiteral("frames")));
        const uint32_t colours[] = {0xFF0000u, 0x00FF00u, 0x0000FFu};
        const char* names[] = {"f1.png", "f2.png", "f10.png"};
        for (int i = 0; i < 3; ++i) {
            auto dib = cDib::create(20, 12, 32);
            std::fill_n(reinterpret_cast<uint32_t*>(dib->pixels()), 240, 0xFF000000u | colours[i]);
            QVERIFY(WritePngFile(f->path(QStringLiteral("frames/") + QLatin1String(names[i])).toStdString(),
                                 *dib, true));
        }
        QVERIFY(f->trigger(kCmdBuildSheet));
        auto* dlg = f->window->findChild<cDlg_PatternSheet*>();
        QVERIFY(dlg && dlg->isVisible());
        // Nothing to build from: refused with the reason, nothing to save.
        QVERIFY(!dlg->build());
        QVERIFY(!find<QPushButton>("sheetSave", dlg)->isEnabled());
        dlg->addInputs({f->path(QStringLiteral("frames"))});
        find<QSpinBox>("sheetPattern", dlg)->setValue(32);
        QVERIFY(dlg->build());
        QCOMPARE(int(dlg->result().frames.size()), 3);
        QCOMPARE((QList<int>{dlg->result().sheet->width(), dlg->result().sheet->height()}),
                 (QList<int>{160, 32}));
        QVERIFY(dlg->buildReport().startsWith(QStringLiteral("3 patterns of 32 x 32")));
        const QString sheet = f->path(QStringLiteral("sheet.png"));
        QVERIFY(dlg->save(sheet));
        cBMP back;
        QVERIFY(LoadPictureFile(sheet.toStdString(), back));
        // The file is the sheet built: pattern 3 (f10, numbers by value) is blue.
        QCOMPARE(back.dib()->readPixel(64 + 16, 16), 0xFF0000FFu);
        // A sprite strip wider than a pattern is cut into frames; a size that does not divide is refused.
        dlg->setStrip(7, 0);
        QVERIFY(!dlg->build());
        QVERIFY(find<QPlainTextEdit>("sheetReport", dlg)
                    ->toPlainText()
                    .startsWith(QStringLiteral("Nothing built")));
        dlg->setStrip(0, 0);

        // The check: RPG Maker 2000 takes 96-pixel patterns of a palette picture.
        dlg->setProduct(eSheetProduct::k2000);
        QCOMPARE(find<QSpinBox>("sheetPattern", dlg)->value(), 96);
        dlg->showCheckPage(sheet);
        QList<int> kinds;
        for (const strSheetFinding& finding : dlg->findings())
            kinds << int(finding.kind);
        QVERIFY(kinds.contains(int(eSheetFinding::kNotPalette))); // a finding of the product chosen
        QVERIFY(!dlg->check(f->path(QStringLiteral("missing.png"))));
        QVERIFY(dlg->checkReport().startsWith(QStringLiteral("Could not read")));

        // From the picture list: the selected picture's file is checked.
        f->session().requestTool({kCmdCheckSheet, {}, 0});
        QVERIFY(find<QLineEdit>("sheetCheckPath", dlg)->text().endsWith(QStringLiteral("sample_sheet.png")));
        QVERIFY(!dlg->checkReport().startsWith(QStringLiteral("Could not read")));
    }

    void gifImportMakesANewAnimationAfterTheQuestion() {
        QVERIFY(f->openSample());
        const QString gif = f->path(QStringLiteral("fire.gif"));
        QVERIFY(WriteGif(gif, 40, 30, {{0xFF0000, 10}, {0x00FF00, 10}, {0x0000FF, 30}}));
        f->touch();
        const int framesBefore = doc().frameCount();

        // A GIF that cannot be read: said, and the animation stays.
        QFile broken(f->path(QStringLiteral("broken.gif")));
        QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("GIF89a") == 6);
        broken.close();
        f->prompts.answers = {cPrompts::kNo};
        QVERIFY(!f->session().importGif(broken.fileName(), f->path(QStringLiteral("broken.png"))));
        QCOMPARE(doc().frameCount(), framesBefore);
        QVERIFY(!f->prompts.messages.isEmpty());

        // Cancelling the question keeps everything.
        f->prompts.asked.clear();
        f->prompts.answers = {cPrompts::kCancel};
        f->prompts.openAnswer = gif;
        QVERIFY(!f->trigger(kCmdImportGif) || doc().frameCount() == framesBefore);
        QCOMPARE(f->prompts.asked.size(), 1);
        QCOMPARE(doc().frameCount(), framesBefore);

        // The menu command: the question, the GIF, where the sheet goes (proposed beside the GIF).
        f->prompts.answers = {cPrompts::kNo};
        f->prompts.saveAnswer = f->path(QStringLiteral("fire_sheet.png"));
        QVERIFY(f->trigger(kCmdImportGif));
        QCOMPARE(doc().frameCount(), 3);
        QVERIFY(QFile::exists(f->prompts.saveAnswer));
        QCOMPARE(QString::fromStdString(doc().picture(0)->path), QStringLiteral("fire_sheet.png"));
        QVERIFY(f->session().currentPath().isEmpty());
        // The delays become ticks of the play rate in the settings (the frames and cells are the
        // library's, tests/export/gif_import_test.cpp).
        const std::vector<int> ticks = GifDelaysToTicks(
            {10, 10, 30}, int(cPlayClock::periodOfRate(cPlayClock::rateOfIndex(f->config.PlayRate))));
        QCOMPARE(doc().frameInterval(2, true), ticks[2]);
        // The sheet is loaded.
        QVERIFY(f->session().pictureSlots().find(0));
        QVERIFY(f->session().pictureSlots().find(0)->isValidPattern(2));
        QCOMPARE(f->window->statusText(),
                 UiMessage(kUiGifImported, {std::string("fire.gif"), 3, std::string("fire_sheet.png")}));
    }

    void animatedPngAndWebpCarryTheFramesAndDelaysOfTheGif() {
        QVERIFY(f->openSample());
        QVERIFY(f->trigger(kCmdExportApng));
        auto* w = f->window->findChild<cDlg_ExportGif*>();
        QVERIFY(w && w->isVisible());
        QCOMPARE(find<QComboBox>("animationFormat", w)->currentIndex(), int(eAnimationFormat::kApng));
        QVERIFY(!find<QCheckBox>("gifWholeFrames", w)->isEnabled());
        QVERIFY(!find<QCheckBox>("webpLossy", w)->isEnabled());
        // Each format: the window's file equals the tool's with the same options (the tool's files are
        // read back by an outside reader in tests/cli/animated_export_test.cpp, the GIF rows are in
        // export_windows_test).
        const struct {
            eAnimationFormat format;
            bool lossy;
            const char* file;
            QStringList args;
        } rows[] = {
            {eAnimationFormat::kApng, false, "anim.png", {"apng", "--limit6"}},
            {eAnimationFormat::kWebp, false, "anim.webp", {"webp", "--limit6"}},
            {eAnimationFormat::kWebp, true, "lossy.webp", {"webp", "--limit6", "--lossy", "60"}},
        };
        for (const auto& row : rows) {
            if (!w->isVisible()) QVERIFY(f->trigger(kCmdExportGif));
            find<QComboBox>("animationFormat", w)->setCurrentIndex(int(row.format));
            if (find<QCheckBox>("webpLossy", w)->isChecked() != row.lossy)
                find<QCheckBox>("webpLossy", w)->click();
            find<QSpinBox>("webpQuality", w)->setValue(60);
            QCOMPARE(QFileInfo(w->proposedPath()).suffix(),
                     QFileInfo(QString::fromLatin1(row.file)).suffix());
            f->prompts.saveAnswer = f->path(QString::fromLatin1(row.file));
            QVERIFY(waitEnd(w->exportFile()));
            QCOMPARE(f->window->statusText(), DialogText(kDlgCompleted));
            const auto r = w->cutRange();
            const QString area =
                QStringLiteral("%1,%2,%3,%4").arg(r.left).arg(r.top).arg(r.width).arg(r.height);
            const QString tool = f->path(QStringLiteral("tool_") + QString::fromLatin1(row.file));
            f->runTool(QStringList{QStringLiteral("export"), row.args.first(),
                                   f->path(QStringLiteral("canvas.txt")), tool} +
                       row.args.mid(1) +
                       QStringList{QStringLiteral("--area"), area, QStringLiteral("--background"),
                                   QStringLiteral("0x000000")});
            const QByteArray written = f->read(f->prompts.saveAnswer);
            QVERIFY2(!written.isEmpty() && written == f->read(tool), row.file);
        }
    }

    void actorSideShowsTheAnimationMirroredWithoutTouchingIt() {
        // One cell right of the centre.
        QVERIFY(f->open([](cProject& d) {
            d.frameOrCreate(0);
            strCell c = SheetCell(2, 60, 10);
            d.setCell(0, 0, &c);
        }));
        f->overlaysOff();
        const uint32_t ground = f->ground();
        // The colours of the canvas over the cell's square (12 .. 108, -38 .. 58), read at x or, with
        // mirrored, at -1 - x (document pixel x shows there on the actor side).
        auto colours = [this](bool mirrored) {
            const QImage shot = f->canvas->grabCanvas();
            QList<uint32_t> out;
            for (int y = -38; y < 58; y += 4)
                for (int x = 12; x < 108; x += 3)
                    out << (shot.pixel(f->screen(mirrored ? -1 - x : x, y)) & 0xFFFFFF);
            return out;
        };
        const QList<uint32_t> plain = colours(false);
        QVERIFY(std::count(plain.begin(), plain.end(), ground) < plain.size());
        const QList<uint32_t> left = colours(true);
        QVERIFY(std::all_of(left.begin(), left.end(), [&](uint32_t c) { return c == ground; }));
        const strCell stored = *doc().cell(0, 0);

        QVERIFY(f->trigger(kCmdViewActorSide));
        QVERIFY(f->window->commands().action(kCmdViewActorSide)->isChecked());
        QCOMPARE(colours(true), plain);
        const QList<uint32_t> right = colours(false);
        QVERIFY(std::all_of(right.begin(), right.end(), [&](uint32_t c) { return c == ground; }));
        // Nothing changed in the document, and a left click does not pick the mirrored cell.
        QCOMPARE(*doc().cell(0, 0), stored);
        QVERIFY(!f->session().history().canUndo());
        QVERIFY(!doc().modified());
        const std::vector<int> selected = f->session().commands().selection();
        const int current = f->session().commands().currentCell();
        f->click({-61, 10});
        QCOMPARE(f->session().commands().selection(), selected);
        QCOMPARE(f->session().commands().currentCell(), current);
        QVERIFY(!f->session().history().canUndo());

        // Play as a hit or a miss: one of three, the player follows.
        QVERIFY(f->window->commands().action(kCmdPlayAsAll)->isChecked());
        QVERIFY(f->trigger(kCmdPlayAsMiss));
        QCOMPARE(f->session().player().condition(), eTimingCondition::kMiss);
        QVERIFY(f->window->commands().action(kCmdPlayAsMiss)->isChecked());
        QVERIFY(!f->window->commands().action(kCmdPlayAsAll)->isChecked());

        QVERIFY(f->trigger(kCmdViewActorSide));
        QCOMPARE(colours(false), plain);
    }
};

PELKO_UI_TEST(cNewFeaturesTest)
#include "new_features_test.moc"
