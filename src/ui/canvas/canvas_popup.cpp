// The canvas popup "MENU_EDIT1", built from the canvas's own actions.

#include "interchange/edit_clip.h"
#include "ui/canvas/canvas.h"
#include "ui/session/session.h"
#include "ui/shell/command_ids.h"

#include <QAction>
#include <QMenu>

namespace {

struct strPopupItem {
    int id;
    const char* label;
    const char* name;
};

constexpr strPopupItem kItems[] = {
    {kCmdCellSettings, "Settings", "canvasSettings"},
    {kCmdNewCell, "New", "canvasNew"},
    {kCmdCut, "Cut", "canvasCut"},
    {kCmdCopy, "Copy", "canvasCopy"},
    {kCmdPaste, "Paste", "canvasPaste"},
    {kCmdDelete, "Delete", "canvasDelete"},
    {kCmdToForeground, "To the foreground", "canvasToForeground"},
    {kCmdToBackground, "To the background", "canvasToBackground"},
    {kCmdCompleteCells, "Complete before and after with frame", "canvasComplete"},
};

} // namespace

void cCanvas::buildPopup() {
    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("MENU_EDIT1"));
    popup_->setAccessibleName(QStringLiteral("Canvas menu"));
    for (const strPopupItem& item : kItems) {
        QAction* a = popup_->addAction(QString::fromLatin1(item.label));
        a->setObjectName(QString::fromLatin1(item.name));
        a->setData(item.id);
        if (item.id == kCmdNewCell) popup_->addSeparator();
        connect(a, &QAction::triggered, this, [this, id = item.id] {
            cSession& s = session_;
            s.stopPlayback();
            const strCanvasPoint at{popupDocument_.x(), popupDocument_.y()};
            switch (id) {
            case kCmdCellSettings:
            case kCmdNewCell: {
                strToolRequest r;
                r.command = id;
                r.frameFirst = r.frameLast = s.currentFrame();
                if (id == kCmdCellSettings) r.cellFirst = r.cellLast = s.commands().currentCell();
                r.globalPos = popup_->pos();
                r.hasDocumentPos = id == kCmdNewCell; // the new cell goes where the menu was opened
                r.documentPos = popupDocument_;
                r.origin = this;
                s.requestTool(r);
                break;
            }
            case kCmdCut:
                s.report(s.clipCommands().cutCells());
                break;
            case kCmdCopy:
                s.report(s.clipCommands().copyCells());
                break;
            case kCmdPaste:
                if (s.commands().currentCell() >= 0) {
                    s.report(s.clipCommands().pasteAtCurrentCell(&at));
                } else {
                    // Without a current cell the cell-number chooser asks where the paste goes.
                    strToolRequest r;
                    r.command = kCmdPaste;
                    r.frameFirst = r.frameLast = s.currentFrame();
                    r.globalPos = popup_->pos();
                    r.hasDocumentPos = true;
                    r.documentPos = popupDocument_;
                    r.origin = this;
                    s.requestTool(r);
                }
                break;
            case kCmdDelete:
                s.report(s.commands().deleteSelectedCells());
                break;
            case kCmdToForeground:
                s.report(s.commands().toForeground());
                break;
            case kCmdToBackground:
                s.report(s.commands().toBackground());
                break;
            case kCmdCompleteCells:
                s.report(s.commands().completeSelectedCells());
                break;
            default:
                break;
            }
        });
    }
}

void cCanvas::showPopup(QPoint globalPos) {
    cSession& s = session_;
    const bool selected = s.commands().selectedCount() > 0;
    for (QAction* a : popup_->actions()) {
        switch (a->data().toInt()) {
        case kCmdCellSettings:
            a->setEnabled(s.commands().currentCell() >= 0);
            break;
        case kCmdPaste:
            a->setEnabled(s.clipCommands().canPaste(kClipCells));
            break;
        case kCmdCut:
        case kCmdCopy:
        case kCmdDelete:
        case kCmdToForeground:
        case kCmdToBackground:
        case kCmdCompleteCells:
            a->setEnabled(selected);
            break;
        default:
            break;
        }
    }
    popup_->popup(globalPos);
}
