// The canvas module on the main window: the canvas itself and the commands it carries out.

#include "ui/canvas/main_edit_wnd.h"
#include "ui/session/session.h"
#include "ui/shell/editor_modules.h"
#include "ui/shell/main_wnd.h"

void InstallCanvas(cMainWnd& window) {
    cSession& s = window.session();
    s.pictureSlots().UpdateTarget(s.config());
    auto* canvas = new cMainEditWnd(s, window.commands(), &window);
    window.setCanvas(canvas);
}
