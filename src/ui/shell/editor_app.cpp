#include "ui/shell/editor_app.h"

#include "config/config.h"
#include "ui/platform/prompts.h"
#include "ui/platform/qt_clipboard.h"
#include "ui/shell/main_window.h"

#include <QApplication>
#include <QMessageBox>

#include <clocale>

int RunEditor(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("PelkoEditor"));
    QApplication::setOrganizationName(QStringLiteral("PelkoEditor"));

    cConfig config;
    config.setDefaults();
    std::setlocale(LC_CTYPE, "");

    cDialogPrompts prompts;
    cQtClipboard clipboard;
    int result = -1;
    {
        cMainWindow window(config, prompts, clipboard);
        prompts.setParent(&window);
        if (!window.create()) {
            QMessageBox::critical(nullptr, QStringLiteral("ERROR"), window.why());
            return -1;
        }
        window.show();
        const QStringList args = QApplication::arguments();
        if (args.size() >= 2 && !args.at(1).isEmpty()) window.openLater(args.at(1));
        result = app.exec();
        prompts.setParent(nullptr);
    }
    return result;
}
