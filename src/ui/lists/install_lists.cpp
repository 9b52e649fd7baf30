// The list window (pictures, effects, timeline) and the picture palette on the main window. The
// main window's shortcuts stay active while a tool window is active; the lists and the timeline
// claim the keys of their own commands (see local_shortcuts.h).

#include "ui/canvas/canvas.h"
#include "ui/lists/palette_window.h"
#include "ui/lists/list_window.h"
#include "ui/shell/editor_modules.h"
#include "ui/shell/main_window.h"
#include "ui/shell/tool_window.h"

void InstallLists(cMainWindow& window) {
    auto* list = new cListWindow(window.session(), window.listWindow());
    window.listWindow()->setContent(list);
    auto* palette = new cPaletteWindow(
        window.session(), [&window] { return qobject_cast<cCanvas*>(window.canvas()); },
        window.paletteWindow());
    window.paletteWindow()->setContent(palette);
    QObject::connect(list, &cListWindow::pictureChosen, palette,
                     [palette](int picture) { palette->showPicture(picture); });
}
