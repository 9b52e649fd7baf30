// What the canvas shows: the composed frame against the command-line tool's rendering, and the
// overlays where the settings put them.

#include "canvas_fixture.h"
#include "ui_test.h"

#include "render/colour_rules.h"

#include <QProcess>
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
};

PELKO_UI_TEST(cCanvasViewTest)
#include "canvas_view_test.moc"
