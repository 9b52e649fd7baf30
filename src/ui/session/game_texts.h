#pragma once
// Texts of the game projects in the user's language: the library's failure messages
// (game/messages.h, translation context "GameMessages") and the names the editor shows for a game's
// animations.

#include "game/game.h"

#include <QString>

#include <vector>

// A game message, formatted in the user's language.
QString GameMessage(const game::strGameMessage& m);
// "012 Fire": the id in three digits and the name.
QString GameAnimationLabel(int id, const std::string& nameUtf8);
// "Game › 012 Fire": the game folder's name and the animation's label (its name from list).
QString GameAnimationTitle(const game::cGame& g, const std::vector<game::strGameAnimation>& list, int id);
// The open dialog's filter of the animation databases ("RPG Maker animation databases (...)").
QString GameDatabaseFilter();
