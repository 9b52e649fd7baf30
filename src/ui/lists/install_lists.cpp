// The list window (pictures, effects, timeline) and the picture palette on the main window. The
// main window's shortcuts stay active while a tool window is active; the lists and the timeline
// claim the keys of their own commands (see local_shortcuts.h).

#include "ui/canvas/main_edit_wnd.h"
#include "ui/lists/dlg_palette.h"
#include "ui/lists/dlg_source_list.h"
#include "ui/shell/editor_modules.h"
#include "ui/shell/main_wnd.h"
#include "ui/shell/tool_window.h"

void InstallLists(cMainWnd& window) {
    auto* list = new cDlg_SourceList(window.session(), window.listWindow());
    window.listWindow()->setContent(list);
    auto* palette = new cDlg_Palette(
        window.session(), [&window] { return qobject_cast<cMainEditWnd*>(window.canvas()); },
        window.paletteWindow());
    window.paletteWindow()->setContent(palette);
    QObject::connect(list, &cDlg_SourceList::pictureChosen, palette,
                     [palette](int picture) { palette->showPicture(picture); });
}
