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

bool cGame::Open(const std::string& path, const cConfig& config, std::string* error) {
    db_.reset();
    if (!LocateGame(path, location_, error)) return false;
    locale_ = config.Locale;
    assets_ = cGameAssets(location_, config);
    std::vector<uint8_t> bytes;
    std::string why;
    if (!file_.Read(location_.database, bytes, &why)) {
        if (error) *error = why;
        return false;
    }
    auto db = MakeAnimationDatabase(location_.product->product);
    if (!db->Parse(std::move(bytes), &why)) {
        if (error) *error = location_.database + ": " + why;
        return false;
    }
    db_ = std::move(db);
    return true;
}

std::vector<strGameAnimation> cGame::List() const {
    return db_ ? db_->List(locale_) : std::vector<strGameAnimation>{};
}

bool cGame::Read(int id, cProject& doc, std::string* error) const {
    if (!db_) {
        if (error) *error = "no game is open";
        return false;
    }
    if (!db_->Read(id, doc, locale_, error)) return false;
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
    if (!db_) {
        if (error) *error = "no game is open";
        return false;
    }
    if (id == 0) id = db_->LastId() + 1;
    const bool added = id > db_->LastId();
    std::vector<uint8_t> bytes;
    if (!db_->Write(doc, id, name, locale_, bytes, error)) return false;
    // What is written must parse as the database it replaces.
    std::string why;
    std::unique_ptr<cAnimationDatabase> fresh = db_->ParseWritten(std::move(bytes), &why);
    if (!fresh) {
        if (error) *error = "the new database does not read back (" + why + "); nothing was written";
        return false;
    }
    if (!file_.Write(fresh->FileBytes(), &report.backup, error)) {
        db_->Restore();
        return false;
    }
    report.added = added;
    report.id = id;
    report.losses = interchange::ExportLosses(doc, location_.product->product);
    report.warnings = MissingAssets(doc);
    db_ = std::move(fresh);
    return true;
}

std::vector<std::string> cGame::MissingAssets(const cProject& doc) const {
    std::vector<std::string> out;
    for (int i = 0; i < doc.pictures().capacity(); ++i) {
        const strPicture* p = doc.pictures().get(i);
        if (!p || p->path.empty()) continue;
        const std::string title = platform::ToUtf8(interchange::TitleOf(p->path), locale_);
        const strAssetSearch s = assets_.FindPicture(title);
        if (s.found.empty()) out.push_back(s.Describe("picture", title));
    }
    for (int i = 0; i < doc.effects().capacity(); ++i) {
        const strEffect* e = doc.effects().get(i);
        if (!e || !(e->flags & strEffect::kSound) || e->soundPath.empty()) continue;
        const std::string title = platform::ToUtf8(interchange::TitleOf(e->soundPath), locale_);
        const strAssetSearch s = assets_.FindSound(title);
        if (s.found.empty()) out.push_back(s.Describe("sound", title));
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
