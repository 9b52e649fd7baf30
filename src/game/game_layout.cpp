#include "game/game_layout.h"

#include "interchange/clipboard_formats.h"
#include "platform/path.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace game {

namespace {

namespace fs = std::filesystem;

constexpr strGameProduct kProducts[] = {
    {interchange::kProductMV, "RPG Maker MV", "Game.rpgproject", "data/Animations.json", "img/animations",
     "audio/se"},
    {interchange::kProductVXAce, "RPG Maker VX Ace", "Game.rvproj2", "Data/Animations.rvdata2",
     "Graphics/Animations", "Audio/SE"},
    {interchange::kProductVX, "RPG Maker VX", "Game.rvproj", "Data/Animations.rvdata", "Graphics/Animations",
     "Audio/SE"},
    {interchange::kProductXP, "RPG Maker XP", "Game.rxproj", "Data/Animations.rxdata", "Graphics/Animations",
     "Audio/SE"},
    {interchange::kProduct2000, "RPG Maker 2000 / 2003", "RPG_RT.lmt", "RPG_RT.ldb", "Battle", "Sound"},
};

bool EqualNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

bool IsFile(const std::string& p) {
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

// The game folder of a database file: the file's folder, less the folders the product puts the
// database in ("Data" for "Data/Animations.rxdata").
std::string GameFolderOf(const std::string& database, const strGameProduct& p) {
    fs::path folder = fs::path(database).parent_path();
    for (std::string_view rel = p.database; rel.find('/') != std::string_view::npos;
         rel = rel.substr(rel.find('/') + 1))
        folder = folder.parent_path();
    return folder.empty() ? std::string(".") : folder.string();
}

void Fill(strGameLocation& out, const strGameProduct& p, const std::string& folder,
          const std::string& database) {
    out.product = &p;
    out.folder = folder;
    out.database = database;
    out.pictures = JoinNoCase(folder, p.pictures);
    out.sounds = JoinNoCase(folder, p.sounds);
}

} // namespace

std::span<const strGameProduct> GameProducts() {
    return kProducts;
}

const strGameProduct* FindGameProduct(int product) {
    for (const strGameProduct& p : kProducts)
        if (p.product == product) return &p;
    return nullptr;
}

std::string JoinNoCase(const std::string& base, std::string_view relative) {
    fs::path at(base);
    while (!relative.empty()) {
        const size_t slash = relative.find('/');
        const std::string part(relative.substr(0, slash));
        relative = slash == std::string_view::npos ? std::string_view() : relative.substr(slash + 1);
        std::error_code ec;
        fs::path exact = at / part;
        if (!fs::exists(exact, ec)) {
            for (fs::directory_iterator it(at, ec), end; !ec && it != end; it.increment(ec)) {
                const std::string name = it->path().filename().string();
                if (EqualNoCase(name, part)) {
                    exact = it->path();
                    break;
                }
            }
        }
        at = exact;
    }
    return at.string();
}

bool LocateGame(const std::string& given, strGameLocation& out, std::string* error) {
    out = strGameLocation{};
    std::error_code ec;
    std::string path = platform::ToDiskSeparators(given);
    if (fs::path abs = fs::absolute(path, ec); !ec) path = abs.lexically_normal().string();
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    if (fs::is_directory(path, ec)) {
        // A folder: the product whose project file and database are both there, else the product
        // whose database alone is.
        for (bool needMarker : {true, false}) {
            for (const strGameProduct& p : kProducts) {
                const std::string database = JoinNoCase(path, p.database);
                if (!IsFile(database)) continue;
                if (needMarker && !IsFile(JoinNoCase(path, p.marker))) continue;
                Fill(out, p, path, database);
                return true;
            }
        }
        if (error)
            *error = path + " is not an RPG Maker game folder (no Game.rxproj, Game.rvproj, Game.rvproj2, "
                            "Game.rpgproject or RPG_RT.ldb with its animation database)";
        return false;
    }
    if (!IsFile(path)) {
        if (error)
            *error = path + (fs::exists(path, ec) ? " is not a regular file or folder" : " does not exist");
        return false;
    }
    const std::string name = fs::path(path).filename().string();
    for (const strGameProduct& p : kProducts) {
        if (!EqualNoCase(name, platform::FileNamePart(p.database))) continue;
        Fill(out, p, GameFolderOf(path, p), path);
        return true;
    }
    if (error)
        *error = path + " is not an RPG Maker animation database (Animations.rxdata, .rvdata, .rvdata2, "
                        "Animations.json or RPG_RT.ldb)";
    return false;
}

} // namespace game
