#include "ui/session/game_texts.h"

#include "platform/path.h"
#include "ui/session/ui_messages.h"

#include <QCoreApplication>

QString GameMessage(const game::strGameMessage& m) {
    return TableMessage(game::GameMessageTable(), m.id, m.args);
}

QString GameAnimationLabel(int id, const std::string& nameUtf8) {
    return QString::asprintf("%03d ", id) + QString::fromStdString(nameUtf8);
}

QString GameAnimationTitle(const game::cGame& g, const std::vector<game::strGameAnimation>& list, int id) {
    std::string name;
    if (id >= 1 && id <= int(list.size()) && list[size_t(id - 1)].id == id) name = list[size_t(id - 1)].name;
    const QString game = QString::fromStdString(platform::FileNamePart(g.location().folder));
    return game + QStringLiteral(" \u203a ") + GameAnimationLabel(id, name);
}

QString GameDatabaseFilter() {
    return QCoreApplication::translate("GameTexts", "RPG Maker animation databases") +
           QStringLiteral(
               " (Animations.rxdata Animations.rvdata Animations.rvdata2 Animations.json RPG_RT.ldb)");
}
