#include "game/game.h"

#include "config/config.h"
#include "document/project.h"
#include "game/lcf_database.h"
#include "game/marshal_database.h"
#include "game/mv_database.h"
#include "interchange/clipboard_formats.h"
#include "interchange/file_name_resolution.h"
#include "platform/code_page.h"
#include "platform/path.h"

#include <filesystem>

namespace game {

std::unique_ptr<cAnimationDatabase> MakeAnimationDatabase(int product) {
    switch (product) {
    case interchange::kProduct2000:
        return std::make_unique<cLcfDatabase>();
    case interchange::kProductXP:
    case interchange::kProductVX:
    case interchange::kProductVXAce:
        return std::make_unique<cMarshalDatabase>(product);
    case interchange::kProductMV:
        return std::make_unique<cMvDatabase>();
    default:
        return nullptr;
    }
}

bool cGame::fail(strGameMessage m, std::string* error) const {
    failure_ = std::move(m);
    if (error) *error = FormatGameMessage(failure_);
    return false;
}

bool cGame::open(const std::string& path, const cConfig& config, std::string* error) {
    db_.reset();
    failure_ = {};
    if (!LocateGame(path, location_)) {
        std::error_code ec;
        const eGameMessage id = !std::filesystem::exists(path, ec)        ? kGameMsgMissing
                                : std::filesystem::is_directory(path, ec) ? kGameMsgNotAGame
                                                                          : kGameMsgNotADatabase;
        return fail({id, {path}}, error);
    }
    locale_ = config.Locale;
    assets_ = cGameAssets(location_, config);
    std::vector<uint8_t> bytes;
    strMessage why;
    if (!file_.read(location_.database, bytes, &why)) return fail({kGameMsgCannotRead, {Nested(why)}}, error);
    auto db = MakeAnimationDatabase(location_.product->product);
    if (!db->parse(std::move(bytes), &why))
        return fail({kGameMsgUnparsable, {location_.database, Nested(why)}}, error);
    db_ = std::move(db);
    return true;
}

std::vector<strGameAnimation> cGame::list() const {
    return db_ ? db_->list(locale_) : std::vector<strGameAnimation>{};
}

bool cGame::read(int id, cProject& doc, std::string* error) const {
    failure_ = {};
    if (!db_) return fail({kGameMsgNoGame, {}}, error);
    strMessage why;
    if (!db_->read(id, doc, locale_, &why))
        return fail({kGameMsgCannotReadAnimation, {std::to_string(id), Nested(why)}}, error);
    doc.setText(kTextBaseFolder, platform::FromUtf8(location_.pictures, locale_));
    for (int i = 0; i < doc.pictureCapacity(); ++i) {
        const strPicture* p = doc.picture(i);
        if (!p || p->path.empty()) continue;
        const strAssetSearch s = assets_.findPicture(platform::ToUtf8(p->path, locale_));
        if (s.found.empty()) continue;
        strPicture found = *p;
        found.path = platform::FromUtf8(s.inGame ? platform::FileNamePart(s.found) : s.found, locale_);
        doc.setPicture(i, found);
    }
    for (int i = 0; i < doc.effectCapacity(); ++i) {
        const strEffect* e = doc.effect(i);
        if (!e || e->soundPath.empty()) continue;
        const std::string title = platform::ToUtf8(e->soundPath, locale_);
        const strAssetSearch s = assets_.findSound(title);
        strEffect found = *e;
        found.soundPath = platform::FromUtf8(
            s.found.empty() ? platform::JoinPath(location_.sounds, title) : s.found, locale_);
        doc.changeEffect(i, found);
    }
    doc.markSaved();
    doc.setUntitled(true);
    return true;
}

bool cGame::write(const cProject& doc, int id, const strNameChoice& name, strGameWriteReport& report,
                  std::string* error) {
    report = strGameWriteReport{};
    failure_ = {};
    // The reason of the report is the same failure in the reason table's words.
    auto failWith = [&](strGameMessage m, strMessage reason) {
        report.reason = std::move(reason);
        return fail(std::move(m), error);
    };
    if (!db_) return failWith({kGameMsgNoGame, {}}, strMessage(kGameDbNotOpen));
    if (id == 0) id = db_->lastId() + 1;
    const bool added = id > db_->lastId();
    std::vector<uint8_t> bytes;
    strMessage why;
    if (!db_->write(doc, id, name, locale_, bytes, &why))
        return failWith({kGameMsgCannotWriteAnimation, {std::to_string(id), Nested(why)}},
                        strMessage(kGameDbUnwritable, id, why));
    // What is written must parse as the database it replaces.
    std::unique_ptr<cAnimationDatabase> fresh = db_->parseWritten(std::move(bytes), &why);
    if (!fresh)
        return failWith({kGameMsgNotReadBack, {Nested(why)}}, strMessage(kGameDbNewFileUnreadable, why));
    cDatabaseFile::eWriteFailure failure = cDatabaseFile::kWriteOk;
    if (!file_.write(fresh->fileBytes(), &report.backup, &why, &failure)) {
        db_->restore();
        // why: the change on disk, the backup or the write that failed, naming the file.
        const std::string& database = location_.database;
        switch (failure) {
        case cDatabaseFile::kWriteChanged:
            return failWith({kGameMsgChangedOnDisk, {database}}, why);
        case cDatabaseFile::kWriteBackup:
            return failWith({kGameMsgBackupFailed, {database, Nested(why)}}, why);
        default:
            return failWith({kGameMsgWriteFailed, {database, Nested(why)}}, why);
        }
    }
    report.added = added;
    report.id = id;
    for (const interchange::strExportLoss& loss : interchange::ExportLosses(doc, location_.product->product))
        report.losses.push_back(interchange::ExportLossMessage(loss));
    report.ok = true;
    report.warnings = missingAssets(doc);
    db_ = std::move(fresh);
    return true;
}

std::vector<std::string> cGame::missingAssets(const cProject& doc) const {
    std::vector<std::string> out;
    // The tool's warnings: "picture Fire1 not found (tried ...)", as strAssetSearch::Describe says it.
    for (const strGameMessage& m : missingAssetMessages(doc))
        out.push_back(std::string(m.id == kGameMsgPictureNotFound ? "picture " : "sound ") +
                      std::get<std::string>(m.args[0]) + " not found (tried " +
                      std::get<std::string>(m.args[1]) + ")");
    return out;
}

std::vector<strGameMessage> cGame::missingAssetMessages(const cProject& doc) const {
    auto tried = [](const strAssetSearch& s) {
        std::string text;
        for (size_t i = 0; i < s.tried.size(); ++i)
            text += (i ? "; " : "") + s.tried[i];
        return text;
    };
    std::vector<strGameMessage> out;
    for (int i = 0; i < doc.pictures().capacity(); ++i) {
        const strPicture* p = doc.pictures().get(i);
        if (!p || p->path.empty()) continue;
        const std::string title = platform::ToUtf8(interchange::TitleOf(p->path), locale_);
        const strAssetSearch s = assets_.findPicture(title);
        if (s.found.empty()) out.push_back({kGameMsgPictureNotFound, {title, tried(s)}});
    }
    for (int i = 0; i < doc.effects().capacity(); ++i) {
        const strEffect* e = doc.effects().get(i);
        if (!e || !(e->flags & strEffect::kSound) || e->soundPath.empty()) continue;
        const std::string title = platform::ToUtf8(interchange::TitleOf(e->soundPath), locale_);
        const strAssetSearch s = assets_.findSound(title);
        if (s.found.empty()) out.push_back({kGameMsgSoundNotFound, {title, tried(s)}});
    }
    return out;
}

void cGame::makePathsAbsolute(cProject& doc, const std::string& locale) {
    const std::string base = platform::ToUtf8(doc.text(kTextBaseFolder), locale);
    for (int i = 0; i < doc.pictureCapacity(); ++i) {
        const strPicture* p = doc.picture(i);
        if (!p || p->path.empty()) continue;
        const std::string path = platform::ToUtf8(p->path, locale);
        if (platform::IsAbsolute(path)) continue;
        strPicture absolute = *p;
        absolute.path = platform::FromUtf8(platform::JoinPath(base, path), locale);
        doc.setPicture(i, absolute);
    }
}

} // namespace game
