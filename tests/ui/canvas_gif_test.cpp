// The GIF draft on the canvas: its window, the frame shown at the current frame, at a speed and
// while playing, the placement drag, and a file that cannot be read.

#include "canvas_fixture.h"
#include "ui_test.h"

#include "export/gif_file.h"
#include "ui/shell/command_ids.h"
#include "ui/shell/command_table.h"

#include <QDialog>
#include <QFile>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

constexpr uint32_t kColours[] = {0xFF0000, 0x00FF00, 0x0000FF};

class cCanvasGifTest : public QObject {
    Q_OBJECT
    std::unique_ptr<strCanvasFixture> f;
    QDialog* window = nullptr;

    // Three frames of two ticks; the draft window open on a 20 x 20 GIF of red, green, blue.
    bool open() {
        CGIFFile gif;
        for (uint32_t colour : kColours) {
            auto frame = std::make_unique<CGIFLocal>();
            frame->bitmap = cDib::Create(20, 20, 32);
            std::fill_n(reinterpret_cast<uint32_t*>(frame->bitmap->Pixels()), 400, 0xFF000000u | colour);
            gif.AddFrame(std::move(frame));
        }
        if (!f->open([](cProject& doc) { doc.setSetting(kKeyBasicInterval, 2), doc.frameOrCreate(2); }) ||
            !gif.Write(f->path(QStringLiteral("draft.gif")).toStdString(), -1))
            return false;
        f->overlaysOff();
        f->config.VGifFlag = true;
        f->window->commands().trigger(kCmdGifDraft);
        window = f->window->findChild<QDialog*>(QStringLiteral("gifDraftWindow"));
        if (!window) return false;
        spin("gifOpacity")->setValue(255);
        return choose("draft.gif");
    }
    bool choose(const char* name) {
        f->prompts.openAnswer = f->path(QLatin1String(name));
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("gifFileBrowse")), Qt::LeftButton);
        return f->config.GIFPath == f->prompts.openAnswer.toStdString();
    }
    QSpinBox* spin(const char* name) const { return window->findChild<QSpinBox*>(QLatin1String(name)); }
    uint32_t at(double x, double y) const {
        return f->canvas->grabCanvas().pixel(f->screen(x, y)) & 0xFFFFFF;
    }

  private slots:
    void init() { f = std::make_unique<strCanvasFixture>(); }
    void cleanup() { f.reset(); }

    void frameFollowsTheAnimationAndTheSpeed() {
        QVERIFY(open());
        QCOMPARE(at(5, 5), kColours[0]);
        QVERIFY(QFile::remove(f->path(QStringLiteral("draft.gif")))); // read once: the draft stays
        f->session().setCurrentFrame(1);                              // tick 2
        QCOMPARE(at(-10, -10), kColours[2]);
        spin("gifSpeed")->setValue(50);
        QCOMPARE(at(9, 9), kColours[1]);
        // A file that cannot be read says so and keeps the draft.
        QFile(f->path(QStringLiteral("broken.gif"))).open(QIODevice::WriteOnly);
        QVERIFY(!choose("broken.gif"));
        QVERIFY(f->prompts.messages.value(0).startsWith(QStringLiteral("The GIF could not be read: ")));
        QCOMPARE(at(9, 9), kColours[1]);
        f->config.VGifFlag = false;
        f->session().notify(kChangeView);
        QVERIFY(at(9, 9) != kColours[1]);
    }

    void placementDragAndCancel() {
        QVERIFY(open());
        f->session().setCurrentFrame(2);
        // G-drag from (60, 40) by 20 pixels down: centred there, a quarter turn, twice the size, and the
        // GIF starts at frame 2.
        QTest::keyPress(f->view(), Qt::Key_G);
        f->drag({60, 40}, {60, 60});
        QCOMPARE(f->window->statusText(), QStringLiteral("90,200"));
        QCOMPARE((std::vector<int>{spin("gifX")->value(), spin("gifY")->value(), spin("gifAngle")->value(),
                                   spin("gifScale")->value(), spin("gifStartFrame")->value()}),
                 (std::vector<int>{60, 40, 90, 200, 2}));
        QCOMPARE(at(60 + 18, 40 - 18), kColours[0]);
        // A right click during the drag puts the draft back.
        f->press({-60, 0});
        f->moveTo({-30, 0});
        QTest::mouseClick(f->view(), Qt::RightButton, {}, f->screen(-30, 0));
        f->release({-30, 0});
        QTest::keyRelease(f->view(), Qt::Key_G);
        QCOMPARE(at(60 + 18, 40 - 18), kColours[0]);
        spin("gifScale")->setValue(100);
        QVERIFY(at(60 + 18, 40 - 18) != kColours[0]);
    }

    void followsPlaybackTickByTick() {
        QVERIFY(open());
        uint32_t now = 1000;
        cSession& s = f->session();
        s.clock().setSource([&now] { return now; });
        spin("gifSpeed")->setValue(50);
        f->window->commands().trigger(kCmdPlayFromStart);
        // (animation frame, GIF frame) at ticks 1 to 6 at half speed; the last tick ends playback.
        std::vector<std::pair<int, int>> shown;
        for (uint32_t last = s.clock().last(); s.playing() && now < 1400; ++now, s.pumpPlayback())
            if (s.clock().last() != last && (last = s.clock().last()) && s.playing())
                shown.emplace_back(s.currentFrame(), f->canvas->gifDraftFrame());
        QCOMPARE(shown, (std::vector<std::pair<int, int>>{{0, 0}, {1, 1}, {1, 1}, {2, 2}, {2, 2}, {2, 2}}));
    }
};

PELKO_UI_TEST(cCanvasGifTest)
#include "canvas_gif_test.moc"
