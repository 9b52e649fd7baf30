// Playback on the canvas: a simulated second of the sample with the play clock's time injected, the
// frames shown against the player's, effects fired once each, and what stops it.

#include "canvas_fixture.h"
#include "ui_test.h"

#include "playback/sound_device.h"
#include "ui/shell/command_ids.h"
#include "ui/shell/command_table.h"

#include <QComboBox>
#include <QTest>

#include <map>
#include <numeric>

namespace {

// Sounds that load from any name and count how often each plays.
struct strPlays {
    std::map<std::string, int> count;
};

class cCountingSound : public cSoundInstance {
  public:
    cCountingSound(strPlays& plays, std::string path) : plays_(plays), path_(std::move(path)) {}
    bool isPlaying() const override { return false; }
    void play(int) override { ++plays_.count[path_]; }
    void stop() override {}
    void setVolume(float) override {}
    void setPan(float) override {}
    void setSpeed(float) override {}

  private:
    strPlays& plays_;
    std::string path_;
};

class cCountingDevice : public cSoundDevice {
  public:
    explicit cCountingDevice(strPlays& plays) : plays_(plays) {}
    bool isOpen() const override { return true; }
    std::unique_ptr<cSoundInstance> createFromFile(const std::string& path) override {
        return std::make_unique<cCountingSound>(plays_, path.substr(path.rfind('/') + 1));
    }
    const std::string& lastError() const override { return error_; }

  private:
    strPlays& plays_;
    std::string error_;
};

} // namespace

class cCanvasPlayTest : public QObject {
    Q_OBJECT
    std::unique_ptr<strCanvasFixture> f;
    strPlays plays;
    uint32_t now = 1000;

    bool openSample() {
        if (!f->openSample(std::make_unique<cCountingDevice>(plays))) return false;
        f->session().clock().setSource([this] { return now; });
        return true;
    }

  private slots:
    void init() {
        f = std::make_unique<strCanvasFixture>();
        plays = {};
    }
    void cleanup() { f.reset(); }

    void aSecondOfTheSample() {
        QVERIFY(openSample());
        cSession& s = f->session();
        const cA_Player& player = s.player();
        QVERIFY(f->window->commands().trigger(kCmdPlay));
        std::map<int, int> fired;
        std::vector<int> shown;
        bool flashShown = false;
        for (int ms = 0; ms < 1000 && s.playing(); ++ms) {
            ++now;
            const uint32_t lastTick = s.clock().last();
            s.pumpPlayback();
            if (s.clock().last() != lastTick)
                for (int e : player.fired())
                    ++fired[e];
            const QImage image = f->canvas->grabCanvas();
            if (!s.playing()) break;
            QCOMPARE(f->canvas->shownFrame(), player.currentFrame());
            QCOMPARE(s.currentFrame(), player.currentFrame());
            if (shown.empty() || shown.back() != player.currentFrame())
                shown.push_back(player.currentFrame());
            // While the white screen flash runs the whole canvas is lighter than the background.
            if (player.screenFlash().active() && player.screenFlash().remaining > 3)
                flashShown |= qRed(image.pixel(2, 299)) > 0x60;
        }
        QVERIFY(!s.playing());
        std::vector<int> every(24);
        std::iota(every.begin(), every.end(), 0);
        QCOMPARE(shown, every);
        QCOMPARE(fired, (std::map<int, int>{{0, 1}, {1, 1}, {2, 1}}));
        QCOMPARE(plays.count, (std::map<std::string, int>{{"Fire1.wav", 1}, {"Thunder1.wav", 1}}));
        QVERIFY(flashShown);
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
        QVERIFY(f->window->commands().trigger(kCmdPlay));
        run(100);
        QVERIFY(s.playing());
        QTest::keyClick(f->canvas, Qt::Key_Escape);
        QVERIFY(!s.playing());
        // Escape in another widget of the window stops it too.
        QVERIFY(f->window->commands().trigger(kCmdPlayFromStart));
        run(50);
        QTest::keyClick(f->window->findChild<QComboBox*>(QStringLiteral("zoomList")), Qt::Key_Escape);
        QVERIFY(!s.playing());
        // A command stops playback, then runs.
        QVERIFY(f->window->commands().trigger(kCmdPlay));
        run(100);
        const int frame = s.currentFrame();
        QVERIFY(f->window->commands().trigger(kCmdNextFrame));
        QVERIFY(!s.playing());
        QCOMPARE(s.currentFrame(), frame + 1);
    }
};

PELKO_UI_TEST(cCanvasPlayTest)
#include "canvas_play_test.moc"
