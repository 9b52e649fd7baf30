// What the canvas shows: the composed frame against the command-line tool's rendering, and the
// overlays where the settings put them.

#include "canvas_fixture.h"
#include "ui_test.h"

#include "render/colour_rules.h"
#include "ui/shell/command_ids.h"
#include "ui/shell/command_table.h"

#include <QDialog>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

namespace {

uint32_t Rgb(const QImage& image, QPoint p) {
    return image.pixel(p) & 0xFFFFFF;
}

// Windows colour 0x00BBGGRR to 0x00RRGGBB.
uint32_t FromWindows(uint32_t c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

} // namespace

class cCanvasViewTest : public QObject {
    Q_OBJECT
    std::unique_ptr<strCanvasFixture> f;

  private slots:
    void init() { f = std::make_unique<strCanvasFixture>(); }
    void cleanup() { f.reset(); }

    void hundredPercentEqualsTheRendering_data() {
        QTest::addColumn<int>("frame");
        for (int frame : {0, 5, 8, 10, 13})
            QTest::newRow(qPrintable(QString::number(frame))) << frame;
    }
    void hundredPercentEqualsTheRendering() {
        QFETCH(int, frame);
        QVERIFY(f->openSample());
        f->overlaysOff();
        f->session().setCurrentFrame(frame);
        const QImage shown = f->canvas->grabCanvas();
        QCOMPARE(shown.size(), QSize(400, 300));
        const QString out = f->path(QStringLiteral("frame.png"));
        QProcess tool;
        tool.start(QStringLiteral(PELKO_TOOL),
                   {QStringLiteral("render"), f->path(QStringLiteral("canvas.txt")), QString::number(frame),
                    out, QStringLiteral("--area"), QStringLiteral("-200,-150,400,300"),
                    QStringLiteral("--background"),
                    QString::asprintf("0x%06x", FromWindows(f->config.CGround))});
        QVERIFY(tool.waitForFinished(30000));
        QCOMPARE(tool.exitCode(), 0);
        const QImage rendered(out);
        QCOMPARE(rendered.size(), shown.size());
        int differing = 0;
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 400; ++x)
                differing += Rgb(shown, {x, y}) != Rgb(rendered, {x, y});
        QCOMPARE(differing, 0);
    }

    void dragPreviewIsTheResult() {
        // Frame 18 of the sample: the dragged spark (cell 1) lies over the ring (0) and under the
        // other sparks (2, 3), so the preview is composed from the kept lower part each time.
        QVERIFY(f->openSample());
        f->overlaysOff();
        f->session().setCurrentFrame(18);
        const QPointF from(f->cell(18, 1)->x, f->cell(18, 1)->y);
        QCOMPARE(f->canvas->cellAt(from.toPoint()), 1);
        f->press(from);
        QImage during;
        for (const QPointF step : {QPointF(9, 3), QPointF(20, -7), QPointF(33, 14)}) {
            f->moveTo(from + step, Qt::ShiftModifier);
            during = f->canvas->grabCanvas();
        }
        f->release(from + QPointF(33, 14), Qt::LeftButton, Qt::ShiftModifier);
        QCOMPARE(int(f->cell(18, 1)->x), int(from.x()) + 33);
        QVERIFY(f->canvas->grabCanvas() == during);
    }

    void overlaysFollowTheSettings() {
        // Pattern 9 (a glow) on frame 0 at the left, on frame 1 at the right.
        QVERIFY(f->open([](cProject& doc) {
            strCell a = SheetCell(9, -100, 0), b = SheetCell(9, 100, 0);
            doc.setCell(0, 0, &a);
            doc.frameOrCreate(1);
            doc.setCell(1, 0, &b);
        }));
        f->overlaysOff();
        cConfig& c = f->config;
        cSession& s = f->session();
        s.setCurrentFrame(1);
        const uint32_t ground = FromWindows(c.CGround);
        const QPoint skin = f->screen(-100, 0), grid = f->screen(32, 50), beside = f->screen(33, 50);
        QImage shown = f->canvas->grabCanvas();
        QCOMPARE(Rgb(shown, skin), ground);
        QCOMPARE(Rgb(shown, grid), ground);

        // The previous frame as a silhouette in "CBackShadow", blended over the background.
        c.VBackFlag = c.VShadowFlag = true;
        c.CBackShadow = 0x80FF0000;
        s.notify(kChangeView);
        const uint32_t texel =
            f->session().pictureSlots().Find(0)->ImageTexture().Pixel(3 * 96 + 48, 96 + 48);
        const uint32_t silhouette = (render::Mul8(0x80, texel >> 24) << 24) | 0xFF0000;
        QCOMPARE(Rgb(f->canvas->grabCanvas(), skin),
                 render::BlendPixel(kBlendAlpha, silhouette, 0xFF000000 | ground) & 0xFFFFFF);
        // As an outline instead: the quad's left edge in the previous-frame colour, its inside clear.
        c.VShadowFlag = false;
        s.notify(kChangeView);
        shown = f->canvas->grabCanvas();
        QCOMPARE(Rgb(shown, f->screen(-148, 0)), FromWindows(cConfig::kColourPrevOutline));
        QCOMPARE(Rgb(shown, skin), ground);

        // Grid lines every "GridSize" document pixels.
        c.VLineFlag = c.VGridFlag = true;
        c.VCenterFlag = false;
        s.notify(kChangeView);
        shown = f->canvas->grabCanvas();
        QCOMPARE(Rgb(shown, grid), FromWindows(c.CGrid));
        QCOMPARE(Rgb(shown, beside), ground);
        c.GridSize = 20;
        s.notify(kChangeView);
        shown = f->canvas->grabCanvas();
        QCOMPARE(Rgb(shown, grid), ground);
        QCOMPARE(Rgb(shown, f->screen(40, 50)), FromWindows(c.CGrid));
    }

    void windowOverlaysAreDrawn() {
        QVERIFY(f->open([](cProject& doc) {
            const strCell c = SheetCell(9, -100, 0);
            doc.setCell(0, 0, &c);
        }));
        f->overlaysOff();
        const uint32_t ground = FromWindows(f->config.CGround);
        strCanvasOverlays o;
        // The cell window's working copy stands in for the document's cell.
        o.cellPreview = true;
        o.previewFrame = 0;
        o.previewCell = 0;
        o.previewValue = SheetCell(9, 100, 0);
        // The palette's pattern under the pointer, and an export's cut range.
        o.patternDrag = true;
        o.dragPicture = 0;
        o.dragPattern = 9;
        o.dragAt = QPointF(0, 100);
        o.cutRange = true;
        o.cutArea = QRect(-150, -120, 60, 40);
        f->session().setOverlays(o);
        const QImage shown = f->canvas->grabCanvas();
        QCOMPARE(Rgb(shown, f->screen(-100, 0)), ground);
        QVERIFY(Rgb(shown, f->screen(100, 0)) != ground);
        QVERIFY(Rgb(shown, f->screen(0, 100)) != ground);
        QCOMPARE(Rgb(shown, f->screen(-150, -100)), 0xFFFFFFu);
        QCOMPARE(Rgb(shown, f->screen(-149, -100)), ground);
        QCOMPARE(f->canvas->cellAt({-100, 0}), -1); // the hit test sees what is shown
        f->session().setOverlays({});
        QVERIFY(Rgb(f->canvas->grabCanvas(), f->screen(-100, 0)) != ground);
    }

    void composesOnlyWhatChanged() {
        QVERIFY(f->open([](cProject& doc) {
            const strCell a = SheetCell(9, -100, 0), b = SheetCell(9, 0, 0);
            doc.setCell(0, 0, &a);
            doc.frameOrCreate(1);
            doc.setCell(1, 0, &b);
        }));
        cConfig& c = f->config;
        cSession& s = f->session();
        const std::pair<const char*, std::function<void()>> steps[] = {
            {"hover",
             [&] {
                 f->moveTo({-100, 0});
             }},
            {"click",
             [&] {
                 f->press({-100, 0}), f->release({-100, 0});
             }},
            {"nudge", [&] { QTest::keyClick(f->canvas, Qt::Key_Right); }},
            {"drag",
             [&] {
                 f->press({-99, 0}), f->moveTo({-80, 10});
             }},
            {"drag on",
             [&] {
                 f->moveTo({-70, 20});
             }},
            {"cancel",
             [&] {
                 QTest::keyClick(f->canvas, Qt::Key_Escape), f->release({-70, 20});
             }},
            {"frame", [&] { s.setCurrentFrame(1); }},
            {"flag", [&] { c.VBackFlag = !c.VBackFlag, s.notify(kChangeView); }},
            {"pan",
             [&] {
                 f->canvas->setOrigin({5, 5});
             }},
        };
        const bool composes[] = {false, false, true, true, true, true, true, true, true};
        for (size_t k = 0; k < std::size(steps); ++k) {
            f->canvas->grabCanvas();
            const int before = f->canvas->frameCache().compositions();
            steps[k].second();
            f->canvas->grabCanvas();
            f->canvas->grabCanvas();
            QVERIFY2(f->canvas->frameCache().compositions() - before == int(composes[k]), steps[k].first);
        }
    }

    void targetWindowPlacesThePicture() {
        QVERIFY(f->open([](cProject&) {}));
        f->overlaysOff();
        f->config.VTargetFlag = true;
        QImage red(20, 20, QImage::Format_RGB32);
        red.fill(Qt::red);
        QVERIFY(red.save(f->path(QStringLiteral("target.png"))));
        QFile(f->path(QStringLiteral("broken.png"))).open(QIODevice::WriteOnly);
        QVERIFY(f->window->commands().trigger(kCmdTargetImage));
        auto* window = f->window->findChild<QDialog*>(QStringLiteral("targetWindow"));
        QVERIFY(window);
        auto choose = [&](const QString& name) {
            f->prompts.openAnswer = f->path(name);
            QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("targetFileBrowse")),
                              Qt::LeftButton);
        };
        choose(QStringLiteral("target.png"));
        QCOMPARE(Rgb(f->canvas->grabCanvas(), f->screen(9, -10)), 0xFF0000u);
        window->findChild<QSpinBox*>(QStringLiteral("targetX"))->setValue(50);
        window->findChild<QSpinBox*>(QStringLiteral("targetOpacity"))->setValue(0);
        QCOMPARE(f->config.TargetPostX, 50);
        QImage shown = f->canvas->grabCanvas();
        QCOMPARE(Rgb(shown, f->screen(9, -10)), FromWindows(f->config.CGround));
        QCOMPARE(Rgb(shown, f->screen(59, -10)), FromWindows(f->config.CGround));
        window->findChild<QSpinBox*>(QStringLiteral("targetOpacity"))->setValue(255);
        QCOMPARE(Rgb(f->canvas->grabCanvas(), f->screen(59, -10)), 0xFF0000u);
        // A file that cannot be read keeps the picture before it.
        choose(QStringLiteral("broken.png"));
        QCOMPARE(QString::fromStdString(f->config.TargetPath), f->path(QStringLiteral("target.png")));
        QVERIFY(f->window->statusText().startsWith(QStringLiteral("< ! > Reading failed > ")));
        QCOMPARE(Rgb(f->canvas->grabCanvas(), f->screen(59, -10)), 0xFF0000u);
    }
};

PELKO_UI_TEST(cCanvasViewTest)
#include "canvas_view_test.moc"
