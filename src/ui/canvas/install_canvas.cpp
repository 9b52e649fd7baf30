// The canvas module on the main window: the canvas itself and the commands it carries out.

#include "config/config.h"
#include "ui/canvas/canvas.h"
#include "ui/canvas/dlg_gif_draft.h"
#include "ui/canvas/dlg_target.h"
#include "ui/session/session.h"
#include "ui/shell/command_ids.h"
#include "ui/shell/command_table.h"
#include "ui/shell/editor_modules.h"
#include "ui/shell/main_window.h"

#include <memory>

void InstallCanvas(cMainWindow& window) {
    cSession& s = window.session();
    s.pictureSlots().updateTarget(s.config());
    auto* canvas = new cCanvas(s, window.commands(), &window);
    window.setCanvas(canvas);
    // The GIF draft is read when its path changes, never on a repaint.
    auto syncGifDraft = [&s, canvas] {
        const std::string& path = s.config().GIFPath;
        if (path != canvas->gifDraft().path()) canvas->setGifDraftPath(QString::fromStdString(path), false);
    };
    syncGifDraft();

    cCommandTable& t = window.commands();
    auto target = std::make_shared<QPointer<cDlg_Target>>();
    t.setHandler(kCmdTargetImage, [&window, &s, target] {
        s.pictureSlots().updateTarget(s.config());
        s.viewSettingsChanged();
        window.showModeless(*target, [&] { return new cDlg_Target(s, &window); });
    });
    auto gif = std::make_shared<QPointer<cDlg_GifDraft>>();
    t.setHandler(kCmdGifDraft, [&window, &s, canvas, gif, syncGifDraft] {
        syncGifDraft();
        window.showModeless(*gif, [&] { return new cDlg_GifDraft(s, *canvas, &window); });
    });
}
