#include "editor_fixture.h"

#include "document/anime_file_device.h"
#include "document/transaction.h"
#include "platform/profile_file.h"
#include "playback/sound_device.h"
#include "ui/shell/tool_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QProcess>
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
    window = std::make_unique<cMainWindow>(config, prompts, clipboard);
    return window->create(sound ? std::move(sound) : NullSoundDevice());
}

QString strEditorFixture::writeProject(const QString& name, int frames) const {
    cProject doc(&config);
    testing_support::MakeFrames(doc, frames);
    for (int f = 0; f < frames; ++f) {
        const strCell c = testing_support::CellAt(f * 10);
        doc.setCell(f, 0, &c);
    }
    const QString file = path(name);
    anime::cAnimeFileDevice device;
    device.save(file.toStdString(), doc, 0);
    return file;
}

bool strEditorFixture::enabled(int command) const {
    window->commands().update();
    return window->commands().action(command)->isEnabled();
}

bool strEditorFixture::openProject(const QString& name, int frames) const {
    return session().openPath(writeProject(name, frames));
}

void strEditorFixture::putCell(int frame, int n, const strCell& cell) const {
    edit([&](cProject& d) { d.setCell(frame, n, &cell); });
}

void strEditorFixture::edit(const std::function<void(cProject&)>& change) const {
    cTransaction t(doc(), strMessage(kStepBatch));
    change(doc());
    t.commit();
}

bool strEditorFixture::closeWindow() const {
    QCloseEvent close;
    QApplication::sendEvent(window.get(), &close);
    return close.isAccepted();
}

std::string strEditorFixture::stored(const char* key) const {
    platform::cProfileFile file;
    file.load(config.filePath);
    return file.getString("CONFIG", key, "absent", 64);
}

QByteArray strEditorFixture::read(const QString& file) {
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

QByteArray strEditorFixture::runTool(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(PELKO_TOOL), args);
    if (!p.waitForFinished(120000) || p.exitCode() != 0) qWarning("%s", p.readAllStandardError().constData());
    return p.readAllStandardOutput();
}

void strEditorFixture::type(QSpinBox* spin, int value) {
    spin->selectAll();
    QTest::keyClicks(spin, QString::number(value));
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

void strEditorFixture::dropFiles(QWidget* target, const QStringList& paths, QPoint at) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& p : paths)
        urls << QUrl::fromLocalFile(p);
    data.setUrls(urls);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return;
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}
