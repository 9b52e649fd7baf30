#include "ui/game/game_commands.h"

#include "config/config.h"
#include "ui/game/game_window.h"
#include "ui/session/session.h"
#include "ui/shell/access_letters.h"
#include "ui/shell/command_ids.h"
#include "ui/shell/command_table.h"
#include "ui/shell/main_window.h"

#include <QAction>
#include <QMenu>

cGameCommands::cGameCommands(cMainWindow& window) : QObject(&window), main_(window) {
    setObjectName(QStringLiteral("gameCommands"));
    cCommandTable& t = window.commands();
    cSession& s = window.session();
    t.add(kCmdOpenGame, tr("Open game project..."), cCommandTable::kCommand,
          {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O)});
    t.setHandler(kCmdOpenGame, [&s] { s.openGameWithDialog(); });
    t.add(kCmdShowGameWindow, tr("Game window"), cCommandTable::kCommand,
          {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_G)});
    t.setHandler(kCmdShowGameWindow, [this] { showWindow(); });
    t.setEnabledRule(kCmdShowGameWindow, [&s] { return s.game() != nullptr; });
    t.add(kCmdSaveToGameNew, tr("Save to game as new animation"));
    t.setHandler(kCmdSaveToGameNew, [&s] { s.saveToGameAsNew(); });
    t.setEnabledRule(kCmdSaveToGameNew, [&s] { return s.game() != nullptr; });

    // A game that opens shows its window.
    connect(&s, &cSession::gameChanged, this, [this](bool opened) {
        if (opened) showWindow();
    });

    QMenu* file = window.findChild<QMenu*>(QStringLiteral("menuFile"));
    if (!file) return;
    QAction* before = t.action(kCmdImportGif);
    auto* recent = new QMenu(tr("Recent games"), file);
    recent->setObjectName(QStringLiteral("menuRecentGames"));
    recent->setAccessibleName(tr("Recent games"));
    connect(recent, &QMenu::aboutToShow, this, [this, recent] { fillRecent(recent); });
    InstallAccessLetters(recent); // after the list is filled
    file->insertAction(before, t.action(kCmdOpenGame));
    file->insertMenu(before, recent);
    file->insertAction(before, t.action(kCmdSaveToGameNew));
    file->insertAction(before, t.action(kCmdShowGameWindow));
    file->insertSeparator(before);
    fillRecent(recent);
}

cGameWindow* cGameCommands::gameWindow() const {
    return window_;
}

cGameWindow* cGameCommands::showWindow() {
    return main_.showModeless(window_, [this] { return new cGameWindow(main_.session(), &main_); });
}

void cGameCommands::fillRecent(QMenu* menu) {
    menu->clear();
    cSession& s = main_.session();
    const std::vector<std::string> folders = s.config().recentGames();
    for (size_t i = 0; i < folders.size(); ++i) {
        const QString folder = QString::fromStdString(folders[i]);
        QAction* a = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(folder));
        a->setObjectName(QStringLiteral("recentGame%1").arg(i + 1));
        connect(a, &QAction::triggered, this, [&s, folder] { s.openGame(folder); });
    }
    if (folders.empty()) menu->addAction(tr("(none)"))->setEnabled(false);
}
