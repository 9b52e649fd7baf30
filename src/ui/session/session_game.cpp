// The session's game projects: opening a game, its animations as documents, writing them back.

#include "config/config.h"
#include "document/transaction.h"
#include "game/messages.h"
#include "interchange/export_losses.h"
#include "platform/code_page.h"
#include "platform/path.h"
#include "ui/platform/prompts.h"
#include "ui/session/game_texts.h"
#include "ui/session/session.h"
#include "ui/session/ui_messages.h"

#include <QStringList>

namespace {

QString FromUtf8(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

bool cSession::openGameWithDialog() {
    QString start = dialogFolder_;
    if (game_ && game_->isOpen())
        start = FromUtf8(platform::FolderPart(game_->location().folder));
    else if (const auto recent = config_.recentGames(); !recent.empty())
        start = FromUtf8(platform::FolderPart(recent.front()));
    const QString path = prompts_.folderName(start);
    if (path.isEmpty()) {
        showStatus(tr("Nothing opened"));
        return false;
    }
    return openGame(path);
}

bool cSession::openGame(const QString& path) {
    auto fresh = std::make_unique<game::cGame>();
    if (!fresh->open(path.toStdString(), config_)) {
        showStatus(tr("Could not open the game %1").arg(path));
        prompts_.message(GameMessage(fresh->failure()), cPrompts::kError);
        return false;
    }
    // The document stays the animation it is when the same game is opened again (after it changed
    // on disk); an animation of another game is let go first.
    const bool sameGame = game_ && gameId_ && game_->location().database == fresh->location().database;
    if (gameId_ && !sameGame) {
        if (!confirmDiscard()) return false;
        gameId_ = 0;
    }
    config_.rememberGame(fresh->location().folder);
    game_ = std::move(fresh);
    gameList_ = game_->list();
    showStatus(tr("Opened the game %1 (%2, %3 animations)")
                   .arg(FromUtf8(platform::FileNamePart(game_->location().folder)),
                        QString::fromUtf8(game_->productName()))
                   .arg(game_->lastId()));
    emit gameChanged(true);
    announce(kChangeTitle);
    return true;
}

bool cSession::openGameAnimation(int id) {
    if (!game_ || !game_->isOpen()) return false;
    if (!confirmDiscard()) return false;
    auto fresh = std::make_unique<cProject>(&config_);
    if (!game_->read(id, *fresh)) {
        reportGameFailure(true);
        return false;
    }
    if (!replaceDocument(std::move(fresh))) return false;
    gameId_ = id;
    currentPath_.clear();
    setGameOrigin(QString::fromStdString(game_->location().folder), QString::number(id));
    showStatus(tr("Opened %1").arg(gameTitle()));
    announce(kChangeTitle);
    // What the game cannot show is said once: in a window, and (shortened) in the status bar.
    const std::vector<game::strGameMessage> missing = game_->missingAssetMessages(*doc_);
    if (!missing.empty()) {
        QStringList lines, titles;
        for (const game::strGameMessage& m : missing) {
            lines << GameMessage(m);
            titles << FromUtf8(std::get<std::string>(m.args.front()));
        }
        showStatus(tr("%1: not found in the game: %2").arg(gameTitle(), titles.join(QStringLiteral(", "))));
        prompts_.message(lines.join(QLatin1Char('\n')), cPrompts::kReport);
    }
    return true;
}

bool cSession::newGameAnimation(const QString& name) {
    if (!game_ || !game_->isOpen() || !confirmDiscard()) return false;
    std::unique_ptr<cProject> fresh = workspace_.newDocument(std::string());
    if (!fresh) return false;
    game::strGameWriteReport r;
    if (!writeToGame(*fresh, 0, {false, name.toStdString()}, r)) return false;
    // The document was just asked about: the new animation opens without a second question.
    doc_->markSaved();
    return openGameAnimation(r.id);
}

bool cSession::renameGameAnimation(int id, const QString& name) {
    if (!game_ || !game_->isOpen()) return false;
    cProject stored(&config_);
    if (!game_->read(id, stored)) {
        reportGameFailure(false);
        return false;
    }
    game::strGameWriteReport r;
    if (!writeToGame(stored, id, {false, name.toStdString()}, r)) return false;
    // The open animation takes the name as the game now holds it (read back, so in the project code
    // page and as the product keeps it), as one undo step. A document without other changes stays
    // unmodified: the game holds what it holds.
    cProject renamed(&config_);
    if (id == gameId_ && game_->read(id, renamed)) {
        const bool clean = !doc_->modified();
        cTransaction step(*doc_, strMessage(kStepRenameAnimation, name.toStdString()));
        doc_->setText(kTextName, renamed.text(kTextName));
        if (step.commit() && clean) doc_->markSaved();
    }
    // A rename does not say what the stored animation already lacked.
    announce(kChangeTitle);
    return true;
}

bool cSession::saveToGame() {
    return gameId_ && saveDocumentToGame(gameId_);
}

bool cSession::saveToGameAsNew() {
    return saveDocumentToGame(0);
}

bool cSession::saveDocumentToGame(int id) {
    if (!game_ || !game_->isOpen()) return false;
    game::strGameWriteReport r;
    if (!writeToGame(*doc_, id, {}, r)) return false;
    // The document is the animation written (a new one after Save to game as new animation).
    gameId_ = r.id;
    currentPath_.clear();
    doc_->setUntitled(true);
    doc_->markSaved();
    recovery_.saved();
    setGameOrigin(QString::fromStdString(game_->location().folder), QString::number(r.id));
    announce(kChangeTitle | kChangeHistory);
    // The database holds what the product can take; say what it could not.
    reportLosses(r.losses);
    return true;
}

bool cSession::writeToGame(const cProject& doc, int id, const game::strNameChoice& name,
                           game::strGameWriteReport& r) {
    if (!game_->write(doc, id, name, r)) {
        reportGameFailure(false);
        return false;
    }
    gameList_ = game_->list();
    QString text = tr("Saved %1").arg(GameAnimationTitle(*game_, gameList_, r.id));
    if (!r.backup.empty()) text += tr(" (the database as it was: %1)").arg(FromUtf8(r.backup));
    showStatus(text);
    emit gameChanged(false);
    return true;
}

void cSession::reportGameFailure(bool opening) {
    const QString why = GameMessage(game_->failure());
    showStatus(opening ? tr("Could not open the animation: %1").arg(why)
                       : tr("Could not save to the game: %1").arg(why));
    prompts_.message(why, cPrompts::kError);
}

QString cSession::gameTitle() const {
    if (!game_ || !gameId_) return {};
    return GameAnimationTitle(*game_, gameList_, gameId_);
}

void cSession::makePathsAbsoluteForSaveAs() {
    if (!game_ || !gameId_) return;
    cTransaction step(*doc_, strMessage(kStepFullPicturePaths));
    game::cGame::makePathsAbsolute(*doc_, config_.Locale);
    step.commit();
}

bool cSession::openIfGame(const QString& path, bool& opened) {
    // Only a game folder or a database file is a game; a project file never is.
    game::strGameLocation where;
    opened = false;
    if (!game::LocateGame(path.toStdString(), where)) return false;
    opened = openGame(path);
    return true;
}
