#pragma once
// Where each RPG Maker product keeps a game's animations, pictures and sounds, and finding a game
// from a folder or from its animation database.
//
// A folder is a game of a product when it holds the product's project file (Game.rxproj,
// Game.rvproj, Game.rvproj2, Game.rpgproject; for 2000 / 2003 RPG_RT.lmt beside RPG_RT.ldb) and
// its database. Without a project file, a folder that holds one of the databases is taken as that
// product's game. A path that names a database file directly gives the game around it. Folder and
// file names written by Windows tools may differ in case from the table; each part of a path is
// matched exactly first and then with ASCII case ignored.

#include <span>
#include <string>
#include <string_view>

namespace game {

struct strGameProduct {
    int product;          // interchange product code (0 for 2000 / 2003)
    const char* name;     // "RPG Maker VX Ace"
    const char* marker;   // the project file that marks the game folder
    const char* database; // the animation database, relative to the game folder
    const char* pictures; // the animation pictures' folder
    const char* sounds;   // the sound effects' folder
};

// The five products, in the order folders are tested.
std::span<const strGameProduct> GameProducts();
// The product of a code; nullptr for an unknown one.
const strGameProduct* FindGameProduct(int product);

struct strGameLocation {
    const strGameProduct* product = nullptr;
    std::string folder;   // the game folder
    std::string database; // the database file
    std::string pictures; // the animation pictures' folder (may not exist)
    std::string sounds;   // the sound effects' folder (may not exist)
};

// Finds the game at path (a game folder or its database file). False, with the reason, when path
// is neither.
bool LocateGame(const std::string& path, strGameLocation& out, std::string* error = nullptr);

// base joined with a relative path ('/' separated), each part matched exactly or else with ASCII
// case ignored among the entries that exist; parts that do not exist are joined as given.
std::string JoinNoCase(const std::string& base, std::string_view relative);

} // namespace game
