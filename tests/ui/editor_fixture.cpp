#include "editor_fixture.h"

#include "document/anime_file_device.h"
#include "document/cell.h"
#include "document/project.h"
#include "playback/sound_device.h"
#include "ui/shell/tool_window.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QUrl>

strEditorFixture::strEditorFixture() {
    config.setDefaults();
    config.filePath = dir.filePath(QStringLiteral("config.ini")).toStdString();
    QDir(dir.path()).mkpath(QStringLiteral("Data"));
}

bool strEditorFixture::start(std::unique_ptr<cSoundDevice> sound) {
    window.reset();
    config.setDefaults();
    config.filePath = dir.filePath(QStringLiteral("config.ini")).toStdString();
    window = std::make_unique<cMainWnd>(config, prompts, clipboard);
    return window->create(sound ? std::move(sound) : NullSoundDevice());
}

QString strEditorFixture::writeProject(const QString& name, int frames) const {
    cProject doc(&config);
    doc.create(-1, -1, -1, -1);
    for (int f = 0; f < frames; ++f) {
        doc.frameOrCreate(f);
        strCell c;
        c.x = int16_t(f * 10);
        doc.setCell(f, 0, &c);
    }
    const QString file = path(name);
    ANIME::cAnimeFile_Device device;
    device.save(file.toStdString(), doc, 0);
    return file;
}

bool strEditorFixture::activateToolWindow(QWidget* tool) const {
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) return false;
    for (QWidget* w :
         {static_cast<QWidget*>(window->listWindow()), static_cast<QWidget*>(window->paletteWindow())})
        if (w != tool) w->hide();
    tool->show();
    tool->activateWindow();
    // A tool window counts as active with its main window; wait for the key focus itself.
    return QTest::qWaitFor([tool] { return QGuiApplication::focusWindow() == tool->windowHandle(); });
}

void strEditorFixture::touch() const {
    cSession& s = window->session();
    s.report(s.commands().insertFrame());
}

void strEditorFixture::dropFiles(QWidget* target, const QStringList& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& p : paths)
        urls << QUrl::fromLocalFile(p);
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return;
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}
