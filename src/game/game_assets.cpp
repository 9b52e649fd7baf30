#include "game/game_assets.h"

#include "config/config.h"
#include "interchange/clipboard_formats.h"
#include "interchange/file_name_resolution.h"
#include "platform/path.h"

namespace game {

namespace {

strAssetSearch Find(const std::vector<std::string>& folders, std::string_view title,
                    std::span<const std::string_view> extensions) {
    strAssetSearch s;
    if (title.empty()) return s;
    std::string names = std::string(title) + ".{";
    for (size_t i = 0; i < extensions.size(); ++i)
        names += (i ? "," : "") + std::string(extensions[i].substr(1));
    names += "}";
    for (size_t i = 0; i < folders.size(); ++i) {
        const std::string file = platform::FindTitleFileIgnoringCase(folders[i], title, extensions);
        if (!file.empty()) {
            s.found = platform::JoinPath(folders[i], file);
            s.inGame = i == 0;
            return s;
        }
        s.tried.push_back(platform::JoinPath(folders[i], names));
    }
    return s;
}

std::vector<std::string> Folders(const std::string& own, const std::vector<std::string>& packages,
                                 const char* relative) {
    std::vector<std::string> out{own};
    for (const std::string& p : packages)
        out.push_back(JoinNoCase(platform::ToDiskSeparators(p), relative));
    return out;
}

} // namespace

std::string strAssetSearch::describe(const char* what, std::string_view title) const {
    std::string text = std::string(what) + " " + std::string(title) + " not found (tried ";
    for (size_t i = 0; i < tried.size(); ++i)
        text += (i ? "; " : "") + tried[i];
    return text + ")";
}

std::vector<std::string> RuntimePackageFolders(const cConfig& config, int product) {
    std::vector<std::string> out;
    auto add = [&out](const std::string& folder) {
        if (!folder.empty()) out.push_back(folder);
    };
    switch (product) {
    case interchange::kProduct2000:
        add(config.RTPFolder_2000);
        add(config.RTPFolder_2003);
        break;
    case interchange::kProductXP:
        add(config.RTPFolder_XP);
        break;
    case interchange::kProductVX:
        add(config.RTPFolder_VX);
        break;
    case interchange::kProductVXAce:
        add(config.RTPFolder_VXAce);
        break;
    case interchange::kProductMV:
        add(config.RTPFolder_MV);
        break;
    default:
        break;
    }
    return out;
}

cGameAssets::cGameAssets(const strGameLocation& game, const cConfig& config) {
    if (!game.product) return;
    const std::vector<std::string> packages = RuntimePackageFolders(config, game.product->product);
    pictureFolders_ = Folders(game.pictures, packages, game.product->pictures);
    soundFolders_ = Folders(game.sounds, packages, game.product->sounds);
}

strAssetSearch cGameAssets::findPicture(std::string_view title) const {
    return Find(pictureFolders_, title, PictureExtensions());
}

strAssetSearch cGameAssets::findSound(std::string_view title) const {
    return Find(soundFolders_, title, SoundExtensions());
}

} // namespace game
