#include "ui/game/game_commands.h"
#include "ui/shell/editor_modules.h"
#include "ui/shell/main_window.h"

void InstallGame(cMainWindow& window) {
    new cGameCommands(window);
}
