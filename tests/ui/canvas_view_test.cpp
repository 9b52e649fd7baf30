// What the canvas shows: the composed frame against the command-line tool's rendering, the
// overlays where the settings put them, and the GIF draft (its window, the frame shown at the
// current frame, at a speed and while playing, the placement drag, a file that cannot be read).

#include "canvas_fixture.h"
#include "ui/canvas/canvas_messages.h"
#include "ui/session/ui_messages.h"

#include "export/gif_file.h"
#include "render/colour_rules.h"

#include <QDialog>
#include <QFile>

namespace {

// Cell 0 of pattern 9 (a glow) at (xs[k], 0) on frame k.
auto Glows(std::vector<int> xs) {
    return [xs](cProject& doc) {
        for (int k = 0; k < int(xs.size()); ++k) {
            const strCell c = SheetCell(9, xs[k], 0);
            doc.frameOrCreate(k);
            doc.setCell(k, 0, &c);
        }
    };
}

constexpr uint32_t kColours[] = {0xFF0000, 0x00FF00, 0x0000FF};

} // namespace

class cCanvasViewTest : public QObject {
    Q_OBJECT
    std::unique_ptr<strCanvasFixture> f;
    QDialog* window = nullptr; // the GIF draft window

    // Three frames of two ticks; the draft window open on a 20 x 20 GIF of red, green, blue.
    bool openDraft() {
        cGifFile gif;
        for (uint32_t colour : kColours) {
            auto frame = std::make_unique<cGifLocal>();
            frame->bitmap = cDib::create(20, 20, 32);
            std::fill_n(reinterpret_cast<uint32_t*>(frame->bitmap->pixels()), 400, 0xFF000000u | colour);
            gif.addFrame(std::move(frame));
        }
        if (!f->open([](cProject& doc) {
                doc.setSetting(kKeyBasicInterval, 2);
                doc.frameOrCreate(2);
            }) ||
            !gif.write(f->path(QStringLiteral("draft.gif")).toStdString(), -1))
            return false;
        f->overlaysOff();
        f->config.VGifFlag = true;
        f->trigger(kCmdGifDraft);
        window = f->find<QDialog>("gifDraftWindow");
        if (!window) return false;
        spin("gifOpacity")->setValue(255);
        return choose("draft.gif");
    }
    bool choose(const char* name) {
        f->browse(window, "gifFileBrowse", QLatin1String(name));
        return f->config.GIFPath == f->prompts.openAnswer.toStdString();
    }
    QSpinBox* spin(const char* name) const { return f->find<QSpinBox>(name, window); }

  private slots:
    void init() { f = std::make_unique<strCanvasFixture>(); }
    void cleanup() { f.reset(); }

    void hundredPercentEqualsTheRendering() {
        // Every frame of the sample over a target picture, against `pelko render` of the same area.
        QVERIFY(f->openSample());
        f->overlaysOff();
        QImage target(120, 90, QImage::Format_ARGB32);
        for (int y = 0; y < target.height(); ++y)
            for (int x = 0; x < target.width(); ++x)
                target.setPixel(x, y, qRgba(x * 2, y * 2, 200 - x, x < 60 ? 255 : 128));
        const QString targetPath = f->path(QStringLiteral("target.png"));
        QVERIFY(target.save(targetPath));
        f->config.TargetPath = targetPath.toStdString();
        f->config.VTargetFlag = true;
        QVERIFY(f->session().pictureSlots().updateTarget(f->config));
        f->session().viewSettingsChanged();
        const int frames = f->session().document().frameCount();
        QVERIFY(frames > 20);
        for (int frame = 0; frame < frames; ++frame) {
            f->session().setCurrentFrame(frame);
            const QImage shown = f->canvas->grabCanvas().convertToFormat(QImage::Format_RGB32);
            QCOMPARE(shown.size(), QSize(400, 300));
            const QString out = f->path(QStringLiteral("frame.png"));
            QFile::remove(out);
            f->runTool({QStringLiteral("render"), f->path(QStringLiteral("canvas.txt")),
                        QString::number(frame), out, QStringLiteral("--area"),
                        QStringLiteral("-200,-150,400,300"), QStringLiteral("--background"),
                        QString::asprintf("0x%06x", f->ground()), QStringLiteral("--target"), targetPath});
            QVERIFY2(QImage(out).convertToFormat(QImage::Format_RGB32) == shown,
                     qPrintable(QString::number(frame)));
        }
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
        // The glow on frame 0 at the left, on frame 1 at the right.
        QVERIFY(f->open(Glows({-100, 100})));
        f->overlaysOff();
        cConfig& c = f->config;
        cSession& s = f->session();
        s.setCurrentFrame(1);
        QCOMPARE((QList<uint32_t>{f->shown(-100, 0), f->shown(32, 50)}),
                 (QList<uint32_t>{f->ground(), f->ground()}));

        // The previous frame as a silhouette in "CBackShadow", blended over the background.
        c.VBackFlag = c.VShadowFlag = true;
        c.CBackShadow = 0x80FF0000;
        s.viewSettingsChanged();
        const uint32_t texel =
            f->session().pictureSlots().find(0)->imageTexture().pixel(3 * 96 + 48, 96 + 48);
        const uint32_t silhouette = (render::Mul8(0x80, texel >> 24) << 24) | 0xFF0000;
        QCOMPARE(f->shown(-100, 0),
                 render::BlendPixel(kBlendAlpha, silhouette, 0xFF000000 | f->ground()) & 0xFFFFFF);
        // As an outline instead: the quad's left edge in the previous-frame colour, its inside clear.
        c.VShadowFlag = false;
        s.viewSettingsChanged();
        QCOMPARE((QList<uint32_t>{f->shown(-148, 0), f->shown(-100, 0)}),
                 (QList<uint32_t>{FromWindows(cConfig::kColourPrevOutline), f->ground()}));

        // Grid lines every "GridSize" document pixels.
        c.VLineFlag = c.VGridFlag = true;
        c.VCenterFlag = false;
        s.viewSettingsChanged();
        QCOMPARE((QList<uint32_t>{f->shown(32, 50), f->shown(33, 50)}),
                 (QList<uint32_t>{FromWindows(c.CGrid), f->ground()}));
        c.GridSize = 20;
        s.viewSettingsChanged();
        QCOMPARE((QList<uint32_t>{f->shown(32, 50), f->shown(40, 50)}),
                 (QList<uint32_t>{f->ground(), FromWindows(c.CGrid)}));
    }

    void windowOverlaysAreDrawn() {
        QVERIFY(f->open(Glows({-100})));
        f->overlaysOff();
        // The cell window's working copy stands in for the document's cell; the palette's pattern
        // under the pointer, and an export's cut range.
        f->session().setOverlays({.cellPreview = true,
                                  .previewFrame = 0,
                                  .previewCell = 0,
                                  .previewValue = SheetCell(9, 100, 0),
                                  .cutRange = true,
                                  .cutArea = QRect(-150, -120, 60, 40),
                                  .patternDrag = true,
                                  .dragPicture = 0,
                                  .dragPattern = 9,
                                  .dragAt = QPointF(0, 100)});
        QCOMPARE(f->shown(-100, 0), f->ground());
        QVERIFY(f->shown(100, 0) != f->ground());
        QVERIFY(f->shown(0, 100) != f->ground());
        QCOMPARE(f->shown(-150, -100), 0xFFFFFFu);
        QCOMPARE(f->shown(-149, -100), f->ground());
        QCOMPARE(f->canvas->cellAt({-100, 0}), -1); // the hit test sees what is shown
        f->session().setOverlays({});
        QVERIFY(f->shown(-100, 0) != f->ground());
    }

    void composesOnlyWhatChanged() {
        QVERIFY(f->open(Glows({-100, 0})));
        cConfig& c = f->config;
        cSession& s = f->session();
        // Whether a step composed the frame once, however often it is shown after.
        const auto composed = [&](auto step) {
            f->canvas->grabCanvas();
            const int before = f->canvas->frameCache().compositions();
            step();
            f->canvas->grabCanvas();
            f->canvas->grabCanvas();
            return f->canvas->frameCache().compositions() - before;
        };
        QCOMPARE(composed([&] { f->moveTo({-100, 0}); }), 0);                      // hover
        QCOMPARE(composed([&] { f->click({-100, 0}); }), 0);                       // select
        QCOMPARE(composed([&] { QTest::keyClick(f->canvas, Qt::Key_Right); }), 1); // nudge
        QCOMPARE(composed([&] {
                     f->press({-99, 0});
                     f->moveTo({-80, 10});
                 }),
                 1);                                          // drag
        QCOMPARE(composed([&] { f->moveTo({-70, 20}); }), 1); // drag on
        QCOMPARE(composed([&] {
                     QTest::keyClick(f->canvas, Qt::Key_Escape);
                     f->release({-70, 20});
                 }),
                 1);
        QCOMPARE(composed([&] { s.setCurrentFrame(1); }), 1);
        QCOMPARE(composed([&] {
                     c.VBackFlag = !c.VBackFlag;
                     s.viewSettingsChanged();
                 }),
                 1);
        QCOMPARE(composed([&] { f->canvas->setOrigin({5, 5}); }), 1); // pan
    }

    void targetWindowPlacesThePicture() {
        QVERIFY(f->open([](cProject&) {}));
        f->overlaysOff();
        f->config.VTargetFlag = true;
        QImage red(20, 20, QImage::Format_RGB32);
        red.fill(Qt::red);
        QVERIFY(red.save(f->path(QStringLiteral("target.png"))));
        QFile(f->path(QStringLiteral("broken.png"))).open(QIODevice::WriteOnly);
        QVERIFY(f->trigger(kCmdTargetImage));
        auto* window = f->find<QDialog>("targetWindow");
        QVERIFY(window);
        f->browse(window, "targetFileBrowse", QStringLiteral("target.png"));
        QCOMPARE(f->shown(9, -10), 0xFF0000u);
        f->find<QSpinBox>("targetX", window)->setValue(50);
        f->find<QSpinBox>("targetOpacity", window)->setValue(0);
        QCOMPARE(f->config.TargetPostX, 50);
        QCOMPARE((QList<uint32_t>{f->shown(9, -10), f->shown(59, -10)}),
                 (QList<uint32_t>{f->ground(), f->ground()}));
        f->find<QSpinBox>("targetOpacity", window)->setValue(255);
        QCOMPARE(f->shown(59, -10), 0xFF0000u);
        // A file that cannot be read keeps the picture before it.
        f->browse(window, "targetFileBrowse", QStringLiteral("broken.png"));
        QCOMPARE(QString::fromStdString(f->config.TargetPath), f->path(QStringLiteral("target.png")));
        QCOMPARE(f->window->statusText(),
                 UiMessage(kUiReadingFailed, {f->path(QStringLiteral("broken.png")).toStdString(),
                                              FormatMessage(strMessage(kWhyPictureUnknown))}));
        QCOMPARE(f->shown(59, -10), 0xFF0000u);
    }

    void gifDraftFollowsTheAnimationAndTheSpeed() {
        QVERIFY(openDraft());
        QCOMPARE(f->shown(5, 5), kColours[0]);
        QVERIFY(QFile::remove(f->path(QStringLiteral("draft.gif")))); // read once: the draft stays
        f->session().setCurrentFrame(1);                              // tick 2
        QCOMPARE(f->shown(-10, -10), kColours[2]);
        spin("gifSpeed")->setValue(50);
        QCOMPARE(f->shown(9, 9), kColours[1]);
        // A file that cannot be read says so and keeps the draft.
        QFile(f->path(QStringLiteral("broken.gif"))).open(QIODevice::WriteOnly);
        QVERIFY(!choose("broken.gif"));
        QVERIFY(f->prompts.messages.value(0).startsWith(
            CanvasMessage(kCanvasGifUnreadable, {f->path(QStringLiteral("broken.gif")).toStdString()})
                .section(QLatin1Char('\n'), 0, 0)));
        QCOMPARE(f->shown(9, 9), kColours[1]);
        f->config.VGifFlag = false;
        f->session().viewSettingsChanged();
        QVERIFY(f->shown(9, 9) != kColours[1]);
    }

    void gifDraftPlacementDragAndCancel() {
        QVERIFY(openDraft());
        f->session().setCurrentFrame(2);
        // G-drag from (60, 40) by 20 pixels down: centred there, a quarter turn, twice the size, and the
        // GIF starts at frame 2.
        QTest::keyPress(f->view(), Qt::Key_G);
        f->drag({60, 40}, {60, 60});
        QCOMPARE(f->window->statusText(), QStringLiteral("90,200"));
        QCOMPARE((std::vector<int>{spin("gifX")->value(), spin("gifY")->value(), spin("gifAngle")->value(),
                                   spin("gifScale")->value(), spin("gifStartFrame")->value()}),
                 (std::vector<int>{60, 40, 90, 200, 2}));
        QCOMPARE(f->shown(60 + 18, 40 - 18), kColours[0]);
        // A right click during the drag puts the draft back.
        f->press({-60, 0});
        f->moveTo({-30, 0});
        QTest::mouseClick(f->view(), Qt::RightButton, {}, f->screen(-30, 0));
        f->release({-30, 0});
        QTest::keyRelease(f->view(), Qt::Key_G);
        QCOMPARE(f->shown(60 + 18, 40 - 18), kColours[0]);
        spin("gifScale")->setValue(100);
        QVERIFY(f->shown(60 + 18, 40 - 18) != kColours[0]);
    }

    void gifDraftFollowsPlaybackTickByTick() {
        QVERIFY(openDraft());
        uint32_t now = 1000;
        cSession& s = f->session();
        s.clock().setSource([&now] { return now; });
        spin("gifSpeed")->setValue(50);
        f->trigger(kCmdPlayFromStart);
        // (animation frame, GIF frame) at ticks 1 to 6 at half speed; the last tick ends playback.
        std::vector<std::pair<int, int>> shown;
        for (uint32_t last = s.clock().last(); s.playing() && now < 1400; ++now, s.pumpPlayback())
            if (s.clock().last() != last && (last = s.clock().last()) && s.playing())
                shown.emplace_back(s.currentFrame(), f->canvas->gifDraftFrame());
        QCOMPARE(shown, (std::vector<std::pair<int, int>>{{0, 0}, {1, 1}, {1, 1}, {2, 2}, {2, 2}, {2, 2}}));
    }
};

PELKO_UI_TEST(cCanvasViewTest)
#include "canvas_view_test.moc"
