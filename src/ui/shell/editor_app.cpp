#include "ui/shell/editor_app.h"

#include "config/config.h"
#include "ui/platform/prompts.h"
#include "ui/platform/qt_clipboard.h"
#include "ui/session/ui_messages.h"
#include "ui/shell/main_window.h"
#include "ui/shell/translators.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QMessageBox>
#include <QTimer>

#include <clocale>

namespace {

// The program's icon in the sizes built into the executable (none when built without them).
QIcon EditorIcon() {
    QIcon icon;
    const QDir renders(QStringLiteral(":/icons"), QStringLiteral("pelko-editor-*.png"));
    for (const QString& name : renders.entryList(QDir::Files))
        icon.addFile(renders.filePath(name));
    return icon;
}

} // namespace

int RunEditor(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("PelkoEditor"));
    QApplication::setOrganizationName(QStringLiteral("PelkoEditor"));
    // Task bars find the installed pelko-editor.desktop by this name (the Wayland app id) and, on
    // X11, by the window class, which is the application name (the entry's StartupWMClass).
    QGuiApplication::setDesktopFileName(QStringLiteral("pelko-editor"));
    QApplication::setWindowIcon(EditorIcon());

    cConfig config;
    config.setDefaults();
    std::setlocale(LC_CTYPE, "");
    // The language is chosen before the first window is made: every text is translated as it is set.
    cConfig language = config;
    language.read();
    cTranslators translators;
    translators.install(cTranslators::choose(language.Language));

    cDialogPrompts prompts;
    cQtClipboard clipboard;
    int result = -1;
    {
        cMainWindow window(config, prompts, clipboard);
        prompts.setParent(&window);
        if (!window.create()) {
            QMessageBox::critical(nullptr, MessageBoxCaption(eMessageKind::kError), window.why());
            return -1;
        }
        window.show();
        const QStringList args = QApplication::arguments();
        const QString file = args.size() >= 2 ? args.at(1) : QString();
        // Recovery copies are offered first; the command line's file opens after that window.
        QTimer::singleShot(0, &window, [&window, file] {
            window.offerRecovery();
            window.openLater(file);
        });
        result = app.exec();
        prompts.setParent(nullptr);
    }
    return result;
}
