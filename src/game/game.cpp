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

bool cGame::Fail(strGameMessage m, std::string* error) const {
    failure_ = std::move(m);
    if (error) *error = FormatGameMessage(failure_);
    return false;
}

bool cGame::Open(const std::string& path, const cConfig& config, std::string* error) {
    db_.reset();
    failure_ = {};
    if (!LocateGame(path, location_)) {
        std::error_code ec;
        const eGameMessage id = !std::filesystem::exists(path, ec)        ? kGameMsgMissing
                                : std::filesystem::is_directory(path, ec) ? kGameMsgNotAGame
                                                                          : kGameMsgNotADatabase;
        return Fail({id, {path}}, error);
    }
    locale_ = config.Locale;
    assets_ = cGameAssets(location_, config);
    std::vector<uint8_t> bytes;
    strMessage why;
    if (!file_.Read(location_.database, bytes, &why)) return Fail({kGameMsgCannotRead, {Nested(why)}}, error);
    auto db = MakeAnimationDatabase(location_.product->product);
    if (!db->Parse(std::move(bytes), &why))
        return Fail({kGameMsgUnparsable, {location_.database, Nested(why)}}, error);
    db_ = std::move(db);
    return true;
}

std::vector<strGameAnimation> cGame::List() const {
    return db_ ? db_->List(locale_) : std::vector<strGameAnimation>{};
}

bool cGame::Read(int id, cProject& doc, std::string* error) const {
    failure_ = {};
    if (!db_) return Fail({kGameMsgNoGame, {}}, error);
    strMessage why;
    if (!db_->Read(id, doc, locale_, &why))
        return Fail({kGameMsgCannotReadAnimation, {std::to_string(id), Nested(why)}}, error);
    doc.setText(kTextBaseFolder, platform::FromUtf8(location_.pictures, locale_));
    for (int i = 0; i < doc.pictureCapacity(); ++i) {
        const strPicture* p = doc.picture(i);
        if (!p || p->path.empty()) continue;
        const strAssetSearch s = assets_.FindPicture(platform::ToUtf8(p->path, locale_));
        if (s.found.empty()) continue;
        strPicture found = *p;
        found.path = platform::FromUtf8(s.inGame ? platform::FileNamePart(s.found) : s.found, locale_);
        doc.setPicture(i, found);
    }
    for (int i = 0; i < doc.effectCapacity(); ++i) {
        const strEffect* e = doc.effect(i);
        if (!e || e->soundPath.empty()) continue;
        const std::string title = platform::ToUtf8(e->soundPath, locale_);
        const strAssetSearch s = assets_.FindSound(title);
        strEffect found = *e;
        found.soundPath = platform::FromUtf8(
            s.found.empty() ? platform::JoinPath(location_.sounds, title) : s.found, locale_);
        doc.changeEffect(i, found);
    }
    doc.markSaved();
    doc.setUntitled(true);
    return true;
}

bool cGame::Write(const cProject& doc, int id, const strNameChoice& name, strGameWriteReport& report,
                  std::string* error) {
    report = strGameWriteReport{};
    failure_ = {};
    // The reason of the report is the same failure in the reason table's words.
    auto fail = [&](strGameMessage m, strMessage reason) {
        report.reason = std::move(reason);
        return Fail(std::move(m), error);
    };
    if (!db_) return fail({kGameMsgNoGame, {}}, strMessage(kGameDbNotOpen));
    if (id == 0) id = db_->LastId() + 1;
    const bool added = id > db_->LastId();
    std::vector<uint8_t> bytes;
    strMessage why;
    if (!db_->Write(doc, id, name, locale_, bytes, &why))
        return fail({kGameMsgCannotWriteAnimation, {std::to_string(id), Nested(why)}},
                    strMessage(kGameDbUnwritable, id, why));
    // What is written must parse as the database it replaces.
    std::unique_ptr<cAnimationDatabase> fresh = db_->ParseWritten(std::move(bytes), &why);
    if (!fresh) return fail({kGameMsgNotReadBack, {Nested(why)}}, strMessage(kGameDbNewFileUnreadable, why));
    cDatabaseFile::eWriteFailure failure = cDatabaseFile::kWriteOk;
    if (!file_.Write(fresh->FileBytes(), &report.backup, &why, &failure)) {
        db_->Restore();
        // why: the change on disk, the backup or the write that failed, naming the file.
        const std::string& database = location_.database;
        switch (failure) {
        case cDatabaseFile::kWriteChanged:
            return fail({kGameMsgChangedOnDisk, {database}}, why);
        case cDatabaseFile::kWriteBackup:
            return fail({kGameMsgBackupFailed, {database, Nested(why)}}, why);
        default:
            return fail({kGameMsgWriteFailed, {database, Nested(why)}}, why);
        }
    }
    report.added = added;
    report.id = id;
    for (const interchange::strExportLoss& loss : interchange::ExportLosses(doc, location_.product->product))
        report.losses.push_back(interchange::ExportLossMessage(loss));
    report.ok = true;
    report.warnings = MissingAssets(doc);
    db_ = std::move(fresh);
    return true;
}

std::vector<std::string> cGame::MissingAssets(const cProject& doc) const {
    std::vector<std::string> out;
    // The tool's warnings: "picture Fire1 not found (tried ...)", as strAssetSearch::Describe says it.
    for (const strGameMessage& m : MissingAssetMessages(doc))
        out.push_back(std::string(m.id == kGameMsgPictureNotFound ? "picture " : "sound ") +
                      std::get<std::string>(m.args[0]) + " not found (tried " +
                      std::get<std::string>(m.args[1]) + ")");
    return out;
}

std::vector<strGameMessage> cGame::MissingAssetMessages(const cProject& doc) const {
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
        const strAssetSearch s = assets_.FindPicture(title);
        if (s.found.empty()) out.push_back({kGameMsgPictureNotFound, {title, tried(s)}});
    }
    for (int i = 0; i < doc.effects().capacity(); ++i) {
        const strEffect* e = doc.effects().get(i);
        if (!e || !(e->flags & strEffect::kSound) || e->soundPath.empty()) continue;
        const std::string title = platform::ToUtf8(interchange::TitleOf(e->soundPath), locale_);
        const strAssetSearch s = assets_.FindSound(title);
        if (s.found.empty()) out.push_back({kGameMsgSoundNotFound, {title, tried(s)}});
    }
    return out;
}

void cGame::MakePathsAbsolute(cProject& doc, const std::string& locale) {
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
