#include "canvas_fixture.h"

#include "sample_project.h"

#include "document/anime_file_device.h"
#include "export/png_writer.h"
#include "playback/sound_device.h"

#include <QApplication>
#include <QMouseEvent>

strCell SheetCell(int pattern, int x, int y) {
    return {.pattern = uint16_t(pattern), .x = int16_t(x), .y = int16_t(y)};
}

uint32_t FromWindows(uint32_t c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

bool strCanvasFixture::open(const std::function<void(cProject&)>& build, int zoomIndex,
                            std::unique_ptr<cSoundDevice> sound) {
    QApplication::setStartDragDistance(4);
    // The sample sheet: ten 96 x 96 patterns.
    auto sheet = sample::DrawSheet();
    if (!start(std::move(sound)) || !sheet ||
        !WritePngFile(path(QStringLiteral("sample_sheet.png")).toStdString(), *sheet, true, nullptr))
        return false;
    cProject doc(&config);
    testing_support::MakeFrames(doc, 1, 8);
    doc.setSetting(kKeyEditFormat, 0);
    strPicture picture;
    picture.divX = sample::kColumns;
    picture.divY = sample::kRows;
    picture.path = "sample_sheet.png";
    doc.setPicture(0, picture);
    build(doc);
    const QString file = path(QStringLiteral("canvas.txt"));
    anime::cAnimeFileDevice device;
    if (device.save(file.toStdString(), doc, anime::kFormatText) != 1) return false;
    if (!session().openPath(file)) return false;
    // The sample's sound files are not written here; the load's report of them is not under test.
    prompts.messages.clear();
    canvas = qobject_cast<cCanvas*>(window->canvas());
    if (!canvas) return false;
    window->show();
    canvas->viewport()->setFixedSize(400, 300);
    session().setZoomIndex(zoomIndex);
    canvas->setOrigin({0, 0});
    return true;
}

bool strCanvasFixture::openSample(std::unique_ptr<cSoundDevice> sound) {
    return open([](cProject& doc) { sample::BuildProject(doc); }, 2, std::move(sound));
}

void strCanvasFixture::overlaysOff() {
    for (bool cConfig::*flag :
         {&cConfig::VLineFlag, &cConfig::VNowFlag, &cConfig::VBackFlag, &cConfig::VNextFlag,
          &cConfig::VLocusFlag, &cConfig::VTargetFlag, &cConfig::VGifFlag})
        config.*flag = false;
    session().viewSettingsChanged();
}

void strCanvasFixture::press(QPointF d, Qt::MouseButton b, Qt::KeyboardModifiers m) {
    QTest::mousePress(view(), b, m, screen(d.x(), d.y()));
}

void strCanvasFixture::moveTo(QPointF d, Qt::KeyboardModifiers m) {
    // QTest::mouseMove carries no modifiers; send the event itself.
    const QPoint s = screen(d.x(), d.y());
    QMouseEvent e(QEvent::MouseMove, s, view()->mapToGlobal(s), Qt::NoButton, QApplication::mouseButtons(),
                  m);
    QApplication::sendEvent(view(), &e);
}

void strCanvasFixture::release(QPointF d, Qt::MouseButton b, Qt::KeyboardModifiers m) {
    QTest::mouseRelease(view(), b, m, screen(d.x(), d.y()));
}

void strCanvasFixture::click(QPointF d, Qt::MouseButton b, Qt::KeyboardModifiers m) {
    press(d, b, m);
    release(d, b, m);
}

void strCanvasFixture::dragHolding(Qt::Key key, QPointF from, QPointF to) {
    QTest::keyPress(view(), key);
    drag(from, to);
    QTest::keyRelease(view(), key);
}

uint32_t strCanvasFixture::shown(double x, double y) const {
    return canvas->grabCanvas().pixel(screen(x, y)) & 0xFFFFFF;
}

void strCanvasFixture::browse(QWidget* window, const char* button, const QString& name) {
    prompts.openAnswer = path(name);
    QTest::mouseClick(find<QPushButton>(button, window), Qt::LeftButton);
}

void strCanvasFixture::drag(QPointF from, QPointF to, Qt::KeyboardModifiers m) {
    press(from, Qt::LeftButton, m);
    for (int k = 1; k <= 4; ++k)
        moveTo(from + (to - from) * k / 4.0, m);
    release(to, Qt::LeftButton, m);
}

const strCell* strCanvasFixture::cell(int frame, int n) const {
    return session().document().cell(frame, n);
}
