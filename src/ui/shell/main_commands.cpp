// The main window's commands: labels, shortcuts, handlers and the rules for their states.

#include "config/config.h"
#include "platform/path.h"
#include "playback/player.h"
#include "ui/platform/prompts.h"
#include "ui/session/session.h"
#include "ui/session/ui_messages.h"
#include "ui/shell/command_ids.h"
#include "ui/shell/command_table.h"
#include "ui/shell/main_window.h"
#include "ui/shell/tool_window.h"

#include <QAction>
#include <QActionGroup>
#include <QDesktopServices>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

namespace {
using K = QKeySequence;
using Kind = cCommandTable::eKind;

QList<K> Keys(std::initializer_list<QKeyCombination> keys) {
    QList<K> out;
    for (auto k : keys)
        out.append(K(k));
    return out;
}
} // namespace

void cMainWindow::registerCommands() {
    registerFileCommands();
    registerEditCommands();
    registerViewCommands();
    registerToolCommands();
    commands_->setBeforeCommand([this] { session_->stopPlayback(); });
    commands_->update();
}

void cMainWindow::registerFileCommands() {
    auto& t = *commands_;
    cSession& s = *session_;
    t.add(kCmdNew, tr("New"), Kind::kCommand, Keys({Qt::CTRL | Qt::Key_N}));
    t.setHandler(kCmdNew, [&s] { s.newDocument(); });
    t.add(kCmdOpen, tr("Open"), Kind::kCommand, Keys({Qt::CTRL | Qt::Key_O}));
    t.setHandler(kCmdOpen, [&s] { s.openWithDialog(); });
    t.add(kCmdSave, tr("Save"), Kind::kCommand, Keys({Qt::CTRL | Qt::Key_S}));
    t.setHandler(kCmdSave, [&s] { s.save(); });
    t.add(kCmdSaveAs, tr("Save as"));
    t.setHandler(kCmdSaveAs, [&s] { s.saveAs(); });
    t.add(kCmdImportGif, tr("Import animated GIF..."));
    t.setHandler(kCmdImportGif, [&s] { s.importGif(); });
    t.add(kCmdExportPng, tr("PNG pictures"));
    t.add(kCmdExportGif, tr("Animated GIF"));
    t.add(kCmdExportApng, tr("Animated PNG"));
    t.add(kCmdExportWebp, tr("Animated WebP"));

    const std::pair<int, const char*> exports[] = {{kCmdClipExport2000, QT_TR_NOOP("RPG Maker 2000")},
                                                   {kCmdClipExport2003, QT_TR_NOOP("RPG Maker 2003")},
                                                   {kCmdClipExportXP, QT_TR_NOOP("RPG Maker XP")},
                                                   {kCmdClipExportVX, QT_TR_NOOP("RPG Maker VX")},
                                                   {kCmdClipExportVXAce, QT_TR_NOOP("RPG Maker VX Ace")},
                                                   {kCmdClipExportMV, QT_TR_NOOP("RPG Maker MV")}};
    for (const auto& [id, label] : exports) {
        t.add(id, tr(label));
        if (id != kCmdClipExport2003) t.setHandler(id, [&s, id = id] { s.exportClipboard(id); });
    }
    const std::pair<int, const char*> imports[] = {
        {kCmdClipImport2000, QT_TR_NOOP("RPG Maker 2000")},
        {kCmdClipImport2003, QT_TR_NOOP("RPG Maker 2003")},
        {kCmdClipImportMarshal, QT_TR_NOOP("RPG Maker XP / VX / VX Ace")},
        {kCmdClipImportMV, QT_TR_NOOP("RPG Maker MV")}};
    for (const auto& [id, label] : imports) {
        t.add(id, tr(label));
        if (id == kCmdClipImport2003) continue;
        t.setHandler(id, [&s, id = id] { s.importClipboard(id); });
        t.setEnabledRule(id, [this, id = id] { return session_->clipboardState().isEnabled(id); });
    }
    t.add(kCmdQuit, tr("Quit"));
    t.setHandler(kCmdQuit, [this] { close(); });
}

void cMainWindow::registerEditCommands() {
    auto& t = *commands_;
    cSession& s = *session_;
    auto selected = [&s] { return s.commands().selectedCount() > 0; };
    auto edit = [&t, &s](int id, const char* label, auto run, QList<K> keys = {}) {
        t.add(id, tr(label), Kind::kCommand, keys);
        t.setHandler(id, [&s, run, id] {
            const int frameBefore = s.currentFrame();
            const strEditResult r = run(s);
            s.report(r);
            reportQuietEdit(s, id, r, frameBefore);
        });
    };
    edit(
        kCmdUndo, QT_TR_NOOP("Undo"), [](cSession& s) { return s.commands().undo(); },
        Keys({Qt::CTRL | Qt::Key_Z}));
    t.setEnabledRule(kCmdUndo, [&s] { return s.history().canUndo(); });
    t.setLabelRule(kCmdUndo, [&s] { return s.undoText(); });
    edit(
        kCmdRedo, QT_TR_NOOP("Redo"), [](cSession& s) { return s.commands().redo(); },
        Keys({Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::SHIFT | Qt::Key_Z}));
    t.setEnabledRule(kCmdRedo, [&s] { return s.history().canRedo(); });
    t.setLabelRule(kCmdRedo, [&s] { return s.redoText(); });
    edit(
        kCmdCut, QT_TR_NOOP("Cut"), [](cSession& s) { return s.clipCommands().cutCells(); },
        Keys({Qt::CTRL | Qt::Key_X}));
    t.setEnabledRule(kCmdCut, selected);
    edit(
        kCmdCopy, QT_TR_NOOP("Copy"), [](cSession& s) { return s.clipCommands().copyCells(); },
        Keys({Qt::CTRL | Qt::Key_C}));
    t.setEnabledRule(kCmdCopy, selected);
    // Carried out by the tool windows (without a current cell the cell-number chooser asks where).
    t.add(kCmdPaste, tr("Paste"), Kind::kCommand, Keys({Qt::CTRL | Qt::Key_V}));
    t.setEnabledRule(kCmdPaste, [&s] { return s.clipboardHasCells(); });
    edit(
        kCmdDelete, QT_TR_NOOP("Delete"), [](cSession& s) { return s.commands().deleteSelectedCells(); },
        Keys({QKeyCombination(Qt::Key_Delete)}));
    t.setEnabledRule(kCmdDelete, selected);
    edit(
        kCmdSelectAll, QT_TR_NOOP("Select all"), [](cSession& s) { return s.commands().selectAll(); },
        Keys({Qt::CTRL | Qt::Key_A}));
    edit(
        kCmdCompleteCells, QT_TR_NOOP("Fill in selected cells from frames before and after"),
        [](cSession& s) { return s.commands().completeSelectedCells(); }, Keys({Qt::CTRL | Qt::Key_B}));
    t.setEnabledRule(kCmdCompleteCells, selected);
    edit(
        kCmdToForeground, QT_TR_NOOP("Bring to front"),
        [](cSession& s) { return s.commands().toForeground(); }, Keys({QKeyCombination(Qt::Key_Forward)}));
    edit(
        kCmdToBackground, QT_TR_NOOP("Send to back"), [](cSession& s) { return s.commands().toBackground(); },
        Keys({QKeyCombination(Qt::Key_Back)}));

    t.add(kCmdProject, tr("Project settings"));
    t.setHandler(kCmdProject, [this] { openProjectDialog(); });
    t.add(kCmdCellLock, tr("Lock cell numbers to pictures"));
    t.setEnabledRule(kCmdCellLock, [&s] { return s.document().getSetting(kKeyLock) != 0; });
    t.add(kCmdCellSettings, tr("Cell settings"), Kind::kCommand,
          Keys({QKeyCombination(Qt::Key_Space), QKeyCombination(Qt::Key_Return),
                QKeyCombination(Qt::Key_Enter)}));
    // Space and Enter reach the settings only from the windows that show cells; the windows that
    // own them add this action to themselves.
    t.action(kCmdCellSettings)->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    removeAction(t.action(kCmdCellSettings));
    t.add(kCmdNewCell, tr("New cell"));

    // Frame menu.
    edit(
        kCmdCopyFromNext, QT_TR_NOOP("Copy from next frame"),
        [](cSession& s) { return s.commands().copyFromNextFrame(); }, Keys({Qt::CTRL | Qt::Key_Period}));
    edit(
        kCmdCopyFromPrevious, QT_TR_NOOP("Copy from previous frame"),
        [](cSession& s) { return s.commands().copyFromPreviousFrame(); }, Keys({Qt::CTRL | Qt::Key_Comma}));
    edit(
        kCmdCompleteFrame, QT_TR_NOOP("Fill in frame from frames before and after"),
        [](cSession& s) { return s.commands().completeFrame(); }, Keys({Qt::CTRL | Qt::Key_L}));
    edit(
        kCmdInsertFrame, QT_TR_NOOP("Insert frame"), [](cSession& s) { return s.commands().insertFrame(); },
        Keys({Qt::CTRL | Qt::Key_I}));
    edit(kCmdDeleteFrame, QT_TR_NOOP("Delete frame"), [](cSession& s) { return s.commands().deleteFrame(); });
    edit(kCmdClearFrame, QT_TR_NOOP("Clear frame"), [](cSession& s) { return s.commands().clearFrame(); });
    edit(
        kCmdNextFrame, QT_TR_NOOP("Next frame"), [](cSession& s) { return s.commands().nextFrame(); },
        Keys({Qt::CTRL | Qt::Key_Right}));
    edit(
        kCmdPreviousFrame, QT_TR_NOOP("Previous frame"),
        [](cSession& s) { return s.commands().previousFrame(); }, Keys({Qt::CTRL | Qt::Key_Left}));
    edit(kCmdLastFrame, QT_TR_NOOP("Last frame"), [](cSession& s) { return s.commands().lastFrame(); });
    edit(kCmdFirstFrame, QT_TR_NOOP("First frame"), [](cSession& s) { return s.commands().firstFrame(); });
    t.add(kCmdAutoAddFrame, tr("Add frames automatically"), Kind::kToggle);
    t.setHandler(kCmdAutoAddFrame, [this] { config_.NewFrameFlag = !config_.NewFrameFlag; });
    t.setCheckedRule(kCmdAutoAddFrame, [this] { return config_.NewFrameFlag; });
}

void cMainWindow::reportQuietEdit(cSession& s, int id, const strEditResult& r, int frameBefore) {
    // Commands whose library result says nothing: the selection and the stacking order say what
    // they did here. A frame move shows in the frame position; only a move that did not happen
    // (at either end) needs words.
    switch (id) {
    case kCmdCut:
    case kCmdCopy:
    case kCmdDelete:
    case kCmdCompleteCells:
        // They do nothing, and say nothing, when no selected cell is on the current frame.
        if (r.status.none() && r.alert.none())
            s.showStatus(tr("No selected cell on frame %1").arg(s.currentFrame()));
        break;
    case kCmdSelectAll: {
        const int n = s.commands().selectedCount();
        s.showStatus(n > 0 ? tr("Cells selected: %1").arg(n) : tr("No cell selected"));
        break;
    }
    case kCmdToForeground:
    case kCmdToBackground:
        if (r.count == 0)
            s.showStatus(tr("No cell moved: none is selected on frame %1, or they are at the end of the row")
                             .arg(s.currentFrame()));
        else
            s.showStatus(id == kCmdToForeground ? tr("Cells brought forward: %1").arg(r.count)
                                                : tr("Cells sent back: %1").arg(r.count));
        break;
    case kCmdNextFrame:
    case kCmdPreviousFrame:
    case kCmdFirstFrame:
    case kCmdLastFrame:
        if (r.status.none() && s.currentFrame() == frameBefore)
            s.showStatus(tr("Already at frame %1").arg(frameBefore));
        break;
    default:
        break;
    }
}

void cMainWindow::registerViewCommands() {
    auto& t = *commands_;
    const std::tuple<int, const char*, bool cConfig::*> flags[] = {
        {kCmdViewVertical, QT_TR_NOOP("Palette in one column"), &cConfig::VerticalFlag},
        {kCmdViewTranslucent, QT_TR_NOOP("Onion skins as silhouettes"), &cConfig::VShadowFlag},
        {kCmdViewBorder, QT_TR_NOOP("Cell outlines"), &cConfig::VNowFlag},
        {kCmdViewNextSkin, QT_TR_NOOP("Next frame (onion skin)"), &cConfig::VNextFlag},
        {kCmdViewPreviousSkin, QT_TR_NOOP("Previous frame (onion skin)"), &cConfig::VBackFlag},
        {kCmdViewPath, QT_TR_NOOP("Motion path"), &cConfig::VLocusFlag},
        {kCmdViewScreenEffect, QT_TR_NOOP("Target picture"), &cConfig::VTargetFlag},
        {kCmdViewGif, QT_TR_NOOP("GIF draft"), &cConfig::VGifFlag},
        {kCmdViewGrid, QT_TR_NOOP("Grid"), &cConfig::VLineFlag},
    };
    for (const auto& [id, label, member] : flags) {
        t.add(id, tr(label), Kind::kToggle);
        t.setHandler(id, [this, member = member] {
            config_.*member = !(config_.*member);
            session_->viewSettingsChanged();
        });
        t.setCheckedRule(id, [this, member = member] { return config_.*member; });
    }

    t.add(kCmdViewActorSide, tr("Actor side"), Kind::kToggle, Keys({Qt::CTRL | Qt::SHIFT | Qt::Key_M}));
    t.setHandler(kCmdViewActorSide, [this] { session_->setActorSide(!session_->actorSide()); });
    t.setCheckedRule(kCmdViewActorSide, [this] { return session_->actorSide(); });

    auto show = [&t](int id, const char* label, std::function<bool()> visible,
                     std::function<void(bool)> set) {
        t.add(id, tr(label), Kind::kShow);
        t.setHandler(id, [visible, set] { set(!visible()); });
        t.setCheckedRule(id, visible);
    };
    show(
        kCmdShowList, QT_TR_NOOP("Show list window"), [this] { return listWnd_->isVisible(); },
        [this](bool v) { listWnd_->setVisible(v); });
    show(
        kCmdShowPalette, QT_TR_NOOP("Show palette window"), [this] { return paletteWnd_->isVisible(); },
        [this](bool v) { paletteWnd_->setVisible(v); });
    show(
        kCmdShowStatusBar, QT_TR_NOOP("Show status bar"), [this] { return config_.VStatusFlag; },
        [this](bool v) {
            config_.VStatusFlag = v;
            statusBar()->setVisible(v);
        });
    show(
        kCmdShowToolBar, QT_TR_NOOP("Show tool bar"), [this] { return config_.VBarFlag; },
        [this](bool v) {
            config_.VBarFlag = v;
            for (QToolBar* bar : toolBars_)
                bar->setVisible(v);
        });
}

void cMainWindow::registerToolCommands() {
    auto& t = *commands_;
    cSession& s = *session_;
    auto* tools = new QActionGroup(this);
    // In the order of eToolMode.
    const std::pair<int, const char*> modes[] = {{kCmdToolMove, QT_TR_NOOP("Move")},
                                                 {kCmdToolPivot, QT_TR_NOOP("Pivot")},
                                                 {kCmdToolSpline, QT_TR_NOOP("Spline curve")},
                                                 {kCmdToolRotate, QT_TR_NOOP("Rotate")},
                                                 {kCmdToolResize, QT_TR_NOOP("Scale")}};
    static_assert(std::size(modes) == kToolModeCount);
    for (int mode = 0; mode < kToolModeCount; ++mode) {
        const int id = modes[mode].first;
        tools->addAction(t.add(id, tr(modes[mode].second), Kind::kTool));
        t.setHandler(id, [&s, mode] { s.setToolMode(mode); });
        t.setCheckedRule(id, [&s, mode] { return s.toolMode() == mode; });
    }
    t.add(kCmdIntervalTool, tr("Set interval"));
    t.add(kCmdBatchTool, tr("Batch edit"));
    t.add(kCmdFrameTool, tr("Tween"));

    t.add(kCmdPlayFromStart, tr("Play from the start"), Kind::kPlay, Keys({Qt::CTRL | Qt::Key_Q}));
    t.setHandler(kCmdPlayFromStart, [&s] { s.play(true); });
    t.add(kCmdPlay, tr("Play"), Kind::kPlay, Keys({Qt::CTRL | Qt::Key_W}));
    t.setHandler(kCmdPlay, [&s] {
        if (!s.stopPlayback()) s.play(false);
    });
    const std::pair<int, const char*> options[] = {
        {kCmdPlayLoop, QT_TR_NOOP("Loop")},
        {kCmdPlayReverse, QT_TR_NOOP("Play backwards")},
        {kCmdPlaySound, QT_TR_NOOP("Sound effects")},
        {kCmdPlayScreenEffect, QT_TR_NOOP("Screen flashes")},
        {kCmdPlaySoundEveryTime, QT_TR_NOOP("Play sound effects on every pass")},
        {kCmdPlayClearCells, QT_TR_NOOP("Clear the canvas after playing")},
    };
    const uint32_t bits[] = {kPlayLoop,         kPlayReverse,        kPlaySoundEffect,
                             kPlayScreenEffect, kPlaySoundEveryTime, kPlayClearCells};
    for (size_t i = 0; i < std::size(options); ++i) {
        const uint32_t bit = bits[i];
        t.add(options[i].first, tr(options[i].second), Kind::kToggle);
        t.setHandler(options[i].first,
                     [this, bit] { session_->setPlayOption(bit, !(config_.PlayBit & bit)); });
        t.setCheckedRule(options[i].first, [this, bit] { return (config_.PlayBit & bit) != 0; });
    }
    // Which conditional timings (user data HIT / MISS) play; one of the three is checked.
    auto* playAs = new QActionGroup(this);
    const std::pair<int, const char*> conditions[] = {{kCmdPlayAsAll, QT_TR_NOOP("Play every timing")},
                                                      {kCmdPlayAsHit, QT_TR_NOOP("Play as a hit")},
                                                      {kCmdPlayAsMiss, QT_TR_NOOP("Play as a miss")}};
    for (int i = 0; i < 3; ++i) {
        const int id = conditions[i].first;
        const auto condition = eTimingCondition(i);
        playAs->addAction(t.add(id, tr(conditions[i].second), Kind::kToggle));
        t.setHandler(id, [&s, condition] { s.setPlayAs(condition); });
        t.setCheckedRule(id, [&s, condition] { return s.playAs() == condition; });
    }
    // Carried out by the tool windows.
    t.add(kCmdBuildSheet, tr("Build pattern sheet..."));
    t.add(kCmdCheckSheet, tr("Check pattern sheet..."));
    t.add(kCmdTargetImage, tr("Target picture settings"));
    t.add(kCmdGifDraft, tr("GIF draft settings"));
    t.add(kCmdOpenFolder, tr("Open project folder"));
    t.setHandler(kCmdOpenFolder, [this] { openCurrentFolder(); });
    t.add(kCmdEditorSettings, tr("Editor settings"));
    t.setHandler(kCmdEditorSettings, [this] { openSettingsDialog(); });
    t.add(kCmdHelp, tr("Help"), Kind::kShow, Keys({QKeyCombination(Qt::Key_F1)}));
    t.setHandler(kCmdHelp, [this] { openHelpWindow(); });
    t.add(kCmdAbout, tr("About PelkoEditor"));
    t.setHandler(kCmdAbout, [this] { openAboutBox(); });
}

void cMainWindow::openCurrentFolder() {
    const QString folder = session_->baseFolder();
    const std::string disk = platform::ToDiskSeparators(folder.toStdString());
    if (!platform::IsFolder(disk)) {
        session_->showStatus(UiMessage(kUiFolderMissing, {folder.toStdString()}));
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(disk)));
}
