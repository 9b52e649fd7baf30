// Playback on the canvas: a simulated second of the sample with the play clock's time injected, the
// frames shown against the player's, its sounds and flash, and what stops it and what does not.

#include "canvas_fixture.h"

#include "playback/fake_sound.h"
#include "render/frame_composer.h"

#include <QComboBox>

#include <map>
#include <numeric>

class cCanvasPlayTest : public QObject {
    Q_OBJECT
    std::unique_ptr<strCanvasFixture> f;
    playback_test::FakeSoundDevice* sounds = nullptr;
    uint32_t now = 1000;

    bool openSample() {
        auto device = std::make_unique<playback_test::FakeSoundDevice>();
        sounds = device.get();
        if (!f->openSample(std::move(device))) return false;
        f->session().clock().setSource([this] { return now; });
        return true;
    }

  private slots:
    void init() { f = std::make_unique<strCanvasFixture>(); }
    void cleanup() { f.reset(); }

    void aSecondOfTheSample() {
        QVERIFY(openSample());
        f->overlaysOff();
        cSession& s = f->session();
        const cPlayer& player = s.player();
        QVERIFY(f->trigger(kCmdPlay));
        std::vector<int> shown;
        bool flashShown = false, flashComposed = false;
        for (int ms = 0; ms < 1000 && s.playing(); ++ms) {
            ++now;
            s.pumpPlayback();
            for (auto& [path, sound] : sounds->states) // sounds end as they start
                sound->playing = false;
            const QImage image = f->canvas->grabCanvas();
            if (!s.playing()) break;
            QCOMPARE(f->canvas->shownFrame(), player.currentFrame());
            QCOMPARE(s.currentFrame(), player.currentFrame());
            if (shown.empty() || shown.back() != player.currentFrame())
                shown.push_back(player.currentFrame());
            // While the white screen flash runs the whole canvas is lighter than the background.
            if (player.screenFlash().active() && player.screenFlash().remaining > 3)
                flashShown |= qRed(image.pixel(2, 299)) > 0x60;
            // The running flash is the player's, drawn by the library's composer as an export draws
            // it: the canvas equals that composition (below the "Playing" text in its corner).
            if (player.screenFlash().active() && !flashComposed) {
                flashComposed = true;
                cSpriteDrawer drawer;
                cTexture expected;
                QVERIFY(expected.create(400, 300));
                strFrameScene scene{.background = 0xFF000000u | f->ground(), .flashes = &player.flashes()};
                scene.drawCells = !player.clearCells();
                ComposeFrame(drawer, expected, s.pictureSlots(), s.document(), player.currentFrame(),
                             strCaptureArea{-200, -150, 200, 150}, scene);
                const QImage composed(expected.row(0), 400, 300, expected.pitch(), QImage::Format_RGB32);
                QCOMPARE(image.size(), composed.size());
                QVERIFY(image.copy(0, 40, 400, 260) == composed.copy(0, 40, 400, 260));
            }
        }
        QVERIFY(!s.playing());
        std::vector<int> every(24);
        std::iota(every.begin(), every.end(), 0);
        QCOMPARE(shown, every);
        // Each sound loaded once (by its file name) and played once.
        std::map<std::string, int> plays;
        for (const auto& [path, state] : sounds->states)
            plays[path.substr(path.rfind('/') + 1)] = state->plays;
        QCOMPARE(sounds->loads, 2);
        QCOMPARE(plays, (std::map<std::string, int>{{"Fire1.wav", 1}, {"Thunder1.wav", 1}}));
        QVERIFY(flashShown && flashComposed);
        // Back to editing: the last frame stays, the info text is gone.
        QCOMPARE(s.currentFrame(), 23);
    }

    void escapeAndCommandsStopIt() {
        QVERIFY(openSample());
        cSession& s = f->session();
        auto run = [&](int ms) {
            for (int k = 0; k < ms; ++k, ++now)
                s.pumpPlayback();
        };
        QVERIFY(f->trigger(kCmdPlay));
        run(100);
        QVERIFY(s.playing());
        QTest::keyClick(f->canvas, Qt::Key_Escape);
        QVERIFY(!s.playing());
        // Escape in another widget of the window stops it too.
        QVERIFY(f->trigger(kCmdPlayFromStart));
        run(50);
        QTest::keyClick(f->find<QComboBox>("zoomList"), Qt::Key_Escape);
        QVERIFY(!s.playing());
        // Toggles leave it playing; a command stops playback, then runs.
        QVERIFY(f->trigger(kCmdPlay));
        run(100);
        for (int id : {kCmdPlayLoop, kCmdViewGrid, kCmdShowStatusBar, kCmdToolPivot})
            QVERIFY2(f->trigger(id) && s.playing(), qPrintable(QString::number(id)));
        const int frame = s.currentFrame();
        QVERIFY(f->trigger(kCmdNextFrame));
        QVERIFY(!s.playing());
        QCOMPARE(s.currentFrame(), frame + 1);
        // Play toggles: the second one stops.
        QVERIFY(f->trigger(kCmdPlay) && f->trigger(kCmdPlay));
        QVERIFY(!s.playing());
    }
};

PELKO_UI_TEST(cCanvasPlayTest)
#include "canvas_play_test.moc"
