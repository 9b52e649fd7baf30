// The GIF draft on the canvas: reading it, the frame it shows and drawing it over the frame (its
// placement drag is a gesture of the library, cGifDraftTool).

#include "config/config.h"
#include "document/project.h"
#include "ui/canvas/canvas.h"
#include "ui/canvas/canvas_messages.h"
#include "ui/platform/prompts.h"
#include "ui/session/session.h"
#include "ui/session/ui_messages.h"

#include <QPainter>

bool cCanvas::setGifDraftPath(const QString& path, bool tell) {
    const std::string wanted = path.toStdString();
    strMessage why;
    if (!gifDraft_.load(wanted, &why)) {
        session_.showStatus(UiMessage(kUiReadingFailed, {wanted, Nested(why)}));
        if (tell)
            session_.prompts().message(CanvasMessage(kCanvasGifUnreadable, {wanted, Nested(why)}),
                                       cPrompts::kError);
        return false;
    }
    session_.config().GIFPath = wanted;
    session_.viewSettingsChanged();
    return true;
}

int cCanvas::gifDraftFrame() const {
    if (!gifDraft_.loaded()) return -1;
    const cProject& doc = session_.document();
    const int frame = session_.currentFrame();
    int into = 0;
    if (session_.playing()) into = doc.frameInterval(frame, true) - session_.player().hold();
    return GifDraftFrame(AnimationTick(doc, frame, into), AnimationTick(doc, gifDraft_.placement.startFrame),
                         session_.config().GIFSpeed, gifDraft_.frameCount());
}

void cCanvas::paintGifDraft(QPainter& p) const {
    if (!session_.config().VGifFlag) return;
    const QImage& image = gifDraft_.frame(gifDraftFrame());
    if (image.isNull()) return;
    const strGifDraftPlacement& at = gifDraft_.placement;
    const double scale = zoom() * at.scale;
    p.save();
    p.setOpacity(gifDraft_.opacity / 255.0);
    p.translate(toScreen(QPointF(at.x, at.y)));
    p.rotate(at.angle);
    p.scale(scale, scale);
    p.drawImage(QPointF(-image.width() / 2.0, -image.height() / 2.0), image);
    p.restore();
}
