// The menu bar, built from command ids.

#include "ui/shell/access_letters.h"
#include "ui/shell/command_ids.h"
#include "ui/shell/command_table.h"
#include "ui/shell/main_window.h"

#include <QMenu>
#include <QMenuBar>

namespace {
// 0 stands for a separator.
void Fill(QMenu* menu, const cCommandTable& table, std::initializer_list<int> ids) {
    for (int id : ids) {
        if (id == 0)
            menu->addSeparator();
        else
            menu->addAction(table.action(id));
    }
}

QMenu* AddMenu(QWidget* parent, QMenuBar* bar, QMenu* into, const QString& title, const QString& name) {
    auto* menu = new QMenu(title, parent);
    menu->setObjectName(name);
    menu->setAccessibleName(QString(title).remove(QLatin1Char('&')));
    if (into)
        into->addMenu(menu);
    else
        bar->addMenu(menu);
    return menu;
}
} // namespace

void cMainWindow::buildMenus() {
    const cCommandTable& t = *commands_;
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));
    bar->setAccessibleName(tr("Menu bar"));

    QMenu* file = AddMenu(this, bar, nullptr, tr("&File"), QStringLiteral("menuFile"));
    Fill(file, t, {kCmdNew, kCmdOpen, kCmdSave, kCmdSaveAs, 0, kCmdImportGif, 0});
    Fill(AddMenu(this, bar, file, tr("&Export"), QStringLiteral("menuExportImage")), t,
         {kCmdExportPng, kCmdExportGif, kCmdExportApng, kCmdExportWebp});
    Fill(AddMenu(this, bar, file, tr("Copy to &Clipboard for"), QStringLiteral("menuClipExport")), t,
         {kCmdClipExport2000, kCmdClipExport2003, kCmdClipExportXP, kCmdClipExportVX, kCmdClipExportVXAce,
          kCmdClipExportMV});
    Fill(AddMenu(this, bar, file, tr("&Import from Clipboard"), QStringLiteral("menuClipImport")), t,
         {kCmdClipImport2000, kCmdClipImport2003, kCmdClipImportMarshal, kCmdClipImportMV});
    Fill(file, t, {0, kCmdQuit});

    QMenu* edit = AddMenu(this, bar, nullptr, tr("&Edit"), QStringLiteral("menuEdit"));
    Fill(edit, t,
         {kCmdUndo, kCmdRedo, 0, kCmdCut, kCmdCopy, kCmdPaste, kCmdDelete, kCmdSelectAll, 0,
          kCmdCompleteCells, 0, kCmdProject, kCmdCellLock});

    QMenu* frame = AddMenu(this, bar, nullptr, tr("F&rame"), QStringLiteral("menuFrame"));
    Fill(frame, t,
         {kCmdCopyFromNext, kCmdCopyFromPrevious, kCmdCompleteFrame, 0, kCmdInsertFrame, kCmdDeleteFrame,
          kCmdClearFrame, 0, kCmdAutoAddFrame, 0, kCmdNextFrame, kCmdPreviousFrame, kCmdLastFrame,
          kCmdFirstFrame});

    QMenu* view = AddMenu(this, bar, nullptr, tr("&View"), QStringLiteral("menuView"));
    Fill(view, t,
         {kCmdViewVertical, 0, kCmdViewTranslucent, kCmdViewBorder, kCmdViewNextSkin, kCmdViewPreviousSkin,
          kCmdViewPath, kCmdViewScreenEffect, kCmdViewGif, kCmdViewGrid, 0, kCmdViewActorSide, 0,
          kCmdShowList, kCmdShowPalette, kCmdShowStatusBar, kCmdShowToolBar});

    QMenu* tool = AddMenu(this, bar, nullptr, tr("&Tools"), QStringLiteral("menuTool"));
    Fill(tool, t,
         {kCmdToolMove, kCmdToolRotate, kCmdToolResize, kCmdToolPivot, kCmdToolSpline, 0, kCmdIntervalTool,
          kCmdBatchTool, kCmdFrameTool, 0, kCmdPlayFromStart, kCmdPlay});
    Fill(AddMenu(this, bar, tool, tr("&Play options"), QStringLiteral("menuReplay")), t,
         {kCmdPlayLoop, kCmdPlayReverse, kCmdPlaySound, kCmdPlayScreenEffect, kCmdPlaySoundEveryTime,
          kCmdPlayClearCells, 0, kCmdPlayAsAll, kCmdPlayAsHit, kCmdPlayAsMiss});
    Fill(tool, t,
         {0, kCmdTargetImage, kCmdGifDraft, 0, kCmdBuildSheet, kCmdCheckSheet, 0, kCmdOpenFolder,
          kCmdEditorSettings});

    QMenu* help = AddMenu(this, bar, nullptr, tr("&Help"), QStringLiteral("menuHelp"));
    Fill(help, t, {kCmdHelp, kCmdAbout});

    // The clipboard may have changed while no notification arrived (some platforms do not report
    // other programs' changes); look again whenever a menu that depends on it opens.
    for (QMenu* m : {file, edit})
        connect(m, &QMenu::aboutToShow, this, &cMainWindow::refreshClipboardState);
    // After that look, which may give the Undo and Redo items their labels again.
    for (QMenu* m : {file, edit, frame, view, tool, help})
        InstallAccessLetters(m);
}
