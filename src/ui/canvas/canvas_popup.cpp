// The canvas popup "MENU_EDIT1": items of the main window's command table, so each has the
// command's own enabling rule; Paste and New take the point the popup was opened at.

#include "ui/canvas/canvas.h"
#include "ui/shell/access_letters.h"
#include "ui/shell/command_ids.h"
#include "ui/shell/command_table.h"

#include <QAction>
#include <QMenu>

namespace {

struct strPopupItem {
    int id;
    const char* name;
};

constexpr strPopupItem kItems[] = {
    {kCmdCellSettings, "canvasSettings"},
    {kCmdNewCell, "canvasNew"},
    {kCmdCut, "canvasCut"},
    {kCmdCopy, "canvasCopy"},
    {kCmdPaste, "canvasPaste"},
    {kCmdDelete, "canvasDelete"},
    {kCmdToForeground, "canvasToForeground"},
    {kCmdToBackground, "canvasToBackground"},
    {kCmdCompleteCells, "canvasComplete"},
};

} // namespace

void cCanvas::buildPopup() {
    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("MENU_EDIT1"));
    popup_->setAccessibleName(tr("Canvas menu"));
    for (const strPopupItem& item : kItems) {
        QAction* a = commands_.popupItem(item.id, popup_);
        a->setObjectName(QString::fromLatin1(item.name));
        popup_->addAction(a);
        popupItems_ << a;
        if (item.id == kCmdNewCell) popup_->addSeparator();
    }
}

void cCanvas::showPopup(QPoint globalPos) {
    for (QAction* a : popupItems_) {
        const int id = a->data().toInt();
        // The new cell and a single pasted cell go where the menu was opened.
        if (id == kCmdPaste || id == kCmdNewCell) cCommandTable::setParameter(a, popupDocument_);
    }
    commands_.refreshPopup(popupItems_);
    AssignAccessLetters(popup_);
    popup_->popup(globalPos);
}
