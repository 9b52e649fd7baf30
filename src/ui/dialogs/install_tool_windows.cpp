#include "ui/dialogs/tool_windows.h"
#include "ui/shell/editor_modules.h"

// The tool and export windows carry out their commands and the other windows' requests; the object
// lives as long as the main window.
void InstallToolWindows(cMainWindow& window) {
    new cToolWindows(window);
}
