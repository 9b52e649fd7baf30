#pragma once
// Finding a game's pictures and sounds by title: the game's own folder first, then the product's
// run-time package folders from the settings ("RTPFolder_XP" and the others; empty by default),
// each with the same sub-folder as in the game. A title matches a file named title plus one of the
// known extensions of its kind; the exact case is preferred, then ASCII case is ignored (games made
// on Windows often differ in case from their files). When nothing is found, the search says which
// names and folders were tried.

#include "game/game_layout.h"

#include <string>
#include <string_view>
#include <vector>

class cConfig;

namespace game {

struct strAssetSearch {
    std::string found;              // the file found ("" when none)
    bool inGame = false;            // found in the game's own folder (not a run-time package)
    std::vector<std::string> tried; // one entry per folder: "folder/title.{png,bmp,...}"

    // "picture Fire1 not found (tried ...; ...)" for a search that found nothing.
    std::string describe(const char* what, std::string_view title) const;
};

class cGameAssets {
  public:
    cGameAssets() = default;
    // The run-time package folders of the product come from the settings.
    cGameAssets(const strGameLocation& game, const cConfig& config);

    // Titles are UTF-8, as file names on disk.
    strAssetSearch findPicture(std::string_view title) const;
    strAssetSearch findSound(std::string_view title) const;
    // The folders searched, in order (the game's first).
    const std::vector<std::string>& pictureFolders() const { return pictureFolders_; }
    const std::vector<std::string>& soundFolders() const { return soundFolders_; }

  private:
    std::vector<std::string> pictureFolders_, soundFolders_;
};

// The run-time package folders the settings name for a product (2000 / 2003 has two: the 2000 and
// the 2003 package, in that order); empty entries are left out.
std::vector<std::string> RuntimePackageFolders(const cConfig& config, int product);

} // namespace game
