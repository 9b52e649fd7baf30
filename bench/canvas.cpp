// The canvas's repaint while a cell is dragged (docs/performance.md, "Canvas").
//
// A typical frame of 16 cells (the sample sheet's 96 x 96 patterns at 100 % to 180 %, tones, blend
// modes normal / add / subtraction / multiplication in turn, every third rotated) with 16 cells on
// the previous and the next frame drawn as onion-skin silhouettes, grid and centre lines on, in an
// 800 x 600 canvas. Each iteration moves the pointer of a running move drag by one pixel and paints
// the canvas as its paint event does (compose what changed, scale to the zoom, overlays).
// BM_CanvasFrameChange repaints after a change of frame (everything composed again, skins included).
// BM_ComposeFrame is the library compositor alone on the same frame and area, for comparison.

#include "../samples/sample_project.h"

#include "config/config.h"
#include "document/anime_file_device.h"
#include "export/png_writer.h"
#include "playback/sound_device.h"
#include "render/frame_composer.h"
#include "ui/canvas/canvas.h"
#include "ui/platform/prompts.h"
#include "ui/platform/qt_clipboard.h"
#include "ui/session/session.h"
#include "ui/shell/main_window.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// The typical frame f (0..3), shifted a little from frame to frame.
void TypicalFrame(cProject& doc, int f) {
    doc.frameOrCreate(f);
    for (int c = 0; c < 16; ++c) {
        strCell cell;
        cell.pattern = uint16_t(1 + c % 10);
        cell.x = int16_t(-300 + (c % 4) * 200 + f * 6);
        cell.y = int16_t(-220 + (c / 4) * 147 + f * 4);
        cell.blend = uint8_t(c % 4);
        cell.red = uint8_t(c % 4 == 1 ? 150 : 100);
        cell.saturation = uint8_t(c % 4 == 2 ? 40 : 100);
        cell.angle = int16_t(c % 3 == 0 ? 300 : 0);
        cell.mx = cell.my = int16_t(100 + (c % 5) * 20);
        cell.opacity = uint8_t(c % 2 ? 255 : 200);
        doc.setCell(f, c, &cell);
    }
}

struct strCanvasScene {
    QTemporaryDir dir;
    cConfig config;
    cDialogPrompts prompts;
    cQtClipboard clipboard;
    std::unique_ptr<cMainWindow> window;
    cCanvas* canvas = nullptr;

    strCanvasScene() {
        config.setDefaults();
        config.filePath = dir.filePath(QStringLiteral("config.ini")).toStdString();
        config.FolderName_C.clear();
        window = std::make_unique<cMainWindow>(config, prompts, clipboard);
        window->create(NullSoundDevice());
        auto sheet = sample::DrawSheet();
        WritePngFile(dir.filePath(QStringLiteral("sample_sheet.png")).toStdString(), *sheet, true, nullptr);
        cProject doc(&config);
        doc.create(-1, 16, -1, -1);
        strPicture picture;
        picture.divX = sample::kColumns;
        picture.divY = sample::kRows;
        picture.path = "sample_sheet.png";
        doc.setPicture(0, picture);
        for (int f = 0; f < 4; ++f)
            TypicalFrame(doc, f);
        const QString file = dir.filePath(QStringLiteral("bench.txt"));
        anime::cAnimeFileDevice device;
        device.save(file.toStdString(), doc, anime::kFormatText);
        window->session().openPath(file);
        window->session().setCurrentFrame(1);
        config.VBackFlag = config.VNextFlag = config.VShadowFlag = true;
        config.VLineFlag = config.VGridFlag = config.VCenterFlag = true;
        canvas = static_cast<cCanvas*>(window->canvas());
        window->show();
        canvas->viewport()->setFixedSize(800, 600);
    }
    cSession& session() { return window->session(); }

    void mouse(QEvent::Type type, QPointF documentPoint) {
        const QPointF s = canvas->toScreen(documentPoint);
        QMouseEvent e(type, s, canvas->viewport()->mapToGlobal(s), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(canvas->viewport(), &e);
    }
};

QApplication& App() {
    static int argc = 1;
    static char name[] = "bench_canvas";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

void BM_CanvasDragRepaint(benchmark::State& state) {
    App();
    strCanvasScene scene;
    scene.session().setZoomIndex(int(state.range(0)));
    scene.canvas->setOrigin({-100, -80});
    // Press on cell 5 and start the drag.
    const strCell* c = scene.session().document().cell(1, 5);
    const QPointF at(c->x, c->y);
    scene.mouse(QEvent::MouseButtonPress, at);
    scene.mouse(QEvent::MouseMove, at + QPointF(12, 12));
    int step = 0;
    for (auto _ : state) {
        scene.mouse(QEvent::MouseMove, at + QPointF(12 + (step & 7), 12 + (step >> 3 & 7)) / 1.0);
        ++step;
        benchmark::DoNotOptimize(scene.canvas->grabCanvas());
    }
    scene.mouse(QEvent::MouseButtonRelease, at);
    state.counters["compositions"] = double(scene.canvas->frameCache().compositions());
}
BENCHMARK(BM_CanvasDragRepaint)->Arg(2)->Arg(4)->ArgName("zoom_index")->Unit(benchmark::kMillisecond);

// A repaint that composes everything again (the frame changed): both onion skins, 48 sprites.
void BM_CanvasFrameChange(benchmark::State& state) {
    App();
    strCanvasScene scene;
    scene.canvas->setOrigin({-100, -80});
    int frame = 0;
    for (auto _ : state) {
        scene.session().setCurrentFrame(1 + (frame++ & 1));
        benchmark::DoNotOptimize(scene.canvas->grabCanvas());
    }
}
BENCHMARK(BM_CanvasFrameChange)->Unit(benchmark::kMillisecond);

void BM_ComposeFrame(benchmark::State& state) {
    App();
    strCanvasScene scene;
    const strCaptureArea area{-400, -300, 400, 300};
    cSpriteDrawer drawer;
    cTexture target;
    target.create(area.width(), area.height());
    strFrameScene frame;
    frame.background = 0xFF101010;
    for (auto _ : state)
        benchmark::DoNotOptimize(ComposeFrame(drawer, target, scene.session().pictureSlots(),
                                              scene.session().document(), 1, area, frame));
}
BENCHMARK(BM_ComposeFrame)->Unit(benchmark::kMillisecond);

} // namespace
