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
    t.add(kCmdNew, QStringLiteral("New"), Kind::kCommand, Keys({Qt::CTRL | Qt::Key_N}));
    t.setHandler(kCmdNew, [&s] { s.newDocument(); });
    t.add(kCmdOpen, QStringLiteral("Open"), Kind::kCommand, Keys({Qt::CTRL | Qt::Key_O}));
    t.setHandler(kCmdOpen, [&s] { s.openWithDialog(); });
    t.add(kCmdSave, QStringLiteral("Save"), Kind::kCommand, Keys({Qt::CTRL | Qt::Key_S}));
    t.setHandler(kCmdSave, [&s] { s.save(); });
    t.setEnabledRule(kCmdSave, [&s] { return !s.document().untitled(); });
    t.add(kCmdSaveAs, QStringLiteral("Save as"));
    t.setHandler(kCmdSaveAs, [&s] { s.saveAs(); });
    t.add(kCmdExportPng, QStringLiteral("PNG"));
    t.add(kCmdExportGif, QStringLiteral("GIF (animated)"));

    const std::pair<int, const char*> exports[] = {
        {kCmdClipExport2000, "RPG Maker 2000"},    {kCmdClipExport2003, "RPG Maker 2003"},
        {kCmdClipExportXP, "RPG Maker XP"},        {kCmdClipExportVX, "RPG Maker VX"},
        {kCmdClipExportVXAce, "RPG Maker VX Ace"}, {kCmdClipExportMV, "RPG Maker MV"}};
    for (const auto& [id, label] : exports) {
        t.add(id, QString::fromLatin1(label));
        if (id != kCmdClipExport2003) t.setHandler(id, [&s, id = id] { s.exportClipboard(id); });
    }
    const std::pair<int, const char*> imports[] = {{kCmdClipImport2000, "RPG Maker 2000"},
                                                   {kCmdClipImport2003, "RPG Maker 2003"},
                                                   {kCmdClipImportMarshal, "RPG Maker XP / VX / VX Ace"},
                                                   {kCmdClipImportMV, "RPG Maker MV"}};
    for (const auto& [id, label] : imports) {
        t.add(id, QString::fromLatin1(label));
        if (id == kCmdClipImport2003) continue;
        t.setHandler(id, [&s, id = id] { s.importClipboard(id); });
        t.setEnabledRule(id, [this, id = id] { return session_->clipboardState().IsEnabled(id); });
    }
    t.add(kCmdQuit, QStringLiteral("Quit"));
    t.setHandler(kCmdQuit, [this] { close(); });
}

void cMainWindow::registerEditCommands() {
    auto& t = *commands_;
    cSession& s = *session_;
    auto selected = [&s] { return s.commands().selectedCount() > 0; };
    auto edit = [&t, &s](int id, const char* label, auto run, QList<K> keys = {}) {
        t.add(id, QString::fromLatin1(label), Kind::kCommand, keys);
        t.setHandler(id, [&s, run] { s.report(run(s)); });
    };
    edit(
        kCmdUndo, "Undo", [](cSession& s) { return s.commands().undo(); }, Keys({Qt::CTRL | Qt::Key_Z}));
    t.setEnabledRule(kCmdUndo, [&s] { return s.history().canUndo(); });
    t.setLabelRule(kCmdUndo, [&s] { return s.undoText(); });
    edit(
        kCmdRedo, "Redo", [](cSession& s) { return s.commands().redo(); }, Keys({Qt::CTRL | Qt::Key_Y}));
    t.setEnabledRule(kCmdRedo, [&s] { return s.history().canRedo(); });
    t.setLabelRule(kCmdRedo, [&s] { return s.redoText(); });
    edit(
        kCmdCut, "Cut", [](cSession& s) { return s.clipCommands().cutCells(); },
        Keys({Qt::CTRL | Qt::Key_X}));
    t.setEnabledRule(kCmdCut, selected);
    edit(
        kCmdCopy, "Copy", [](cSession& s) { return s.clipCommands().copyCells(); },
        Keys({Qt::CTRL | Qt::Key_C}));
    t.setEnabledRule(kCmdCopy, selected);
    // Carried out by the tool windows (without a current cell the cell-number chooser asks where).
    t.add(kCmdPaste, QStringLiteral("Paste"), Kind::kCommand, Keys({Qt::CTRL | Qt::Key_V}));
    t.setEnabledRule(kCmdPaste, [&s] { return s.clipboardHasCells(); });
    edit(
        kCmdDelete, "Delete", [](cSession& s) { return s.commands().deleteSelectedCells(); },
        Keys({QKeyCombination(Qt::Key_Delete)}));
    t.setEnabledRule(kCmdDelete, selected);
    edit(
        kCmdSelectAll, "Select all", [](cSession& s) { return s.commands().selectAll(); },
        Keys({Qt::CTRL | Qt::Key_A}));
    edit(
        kCmdCompleteCells, "Complete before and after with frame",
        [](cSession& s) { return s.commands().completeSelectedCells(); }, Keys({Qt::CTRL | Qt::Key_B}));
    t.setEnabledRule(kCmdCompleteCells, selected);
    edit(
        kCmdToForeground, "To the foreground", [](cSession& s) { return s.commands().toForeground(); },
        Keys({QKeyCombination(Qt::Key_Forward)}));
    edit(
        kCmdToBackground, "To the background", [](cSession& s) { return s.commands().toBackground(); },
        Keys({QKeyCombination(Qt::Key_Back)}));

    t.add(kCmdProject, QStringLiteral("Project"));
    t.setHandler(kCmdProject, [this] { openProjectDialog(); });
    t.add(kCmdCellLock, QStringLiteral("The cell number and image"));
    t.setEnabledRule(kCmdCellLock, [&s] { return s.document().getSetting(kKeyLock) != 0; });
    t.add(kCmdCellSettings, QStringLiteral("Settings"), Kind::kCommand,
          Keys({QKeyCombination(Qt::Key_Space), QKeyCombination(Qt::Key_Return),
                QKeyCombination(Qt::Key_Enter)}));
    // Space and Enter reach the settings only from the windows that show cells; the windows that
    // own them add this action to themselves.
    t.action(kCmdCellSettings)->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    removeAction(t.action(kCmdCellSettings));
    t.add(kCmdNewCell, QStringLiteral("New"));

    // Frame menu.
    edit(
        kCmdCopyFromNext, "Copy from next frame",
        [](cSession& s) { return s.commands().copyFromNextFrame(); }, Keys({Qt::CTRL | Qt::Key_Period}));
    edit(
        kCmdCopyFromPrevious, "Copy from previous frame",
        [](cSession& s) { return s.commands().copyFromPreviousFrame(); }, Keys({Qt::CTRL | Qt::Key_Comma}));
    edit(
        kCmdCompleteFrame, "Add frame before and after",
        [](cSession& s) { return s.commands().completeFrame(); }, Keys({Qt::CTRL | Qt::Key_L}));
    edit(
        kCmdInsertFrame, "Insert Frame", [](cSession& s) { return s.commands().insertFrame(); },
        Keys({Qt::CTRL | Qt::Key_I}));
    edit(kCmdDeleteFrame, "Delete Frame", [](cSession& s) { return s.commands().deleteFrame(); });
    edit(kCmdClearFrame, "Clear Frame", [](cSession& s) { return s.commands().clearFrame(); });
    edit(
        kCmdNextFrame, "Next frame", [](cSession& s) { return s.commands().nextFrame(); },
        Keys({Qt::CTRL | Qt::Key_Right}));
    edit(
        kCmdPreviousFrame, "Previous frame", [](cSession& s) { return s.commands().previousFrame(); },
        Keys({Qt::CTRL | Qt::Key_Left}));
    edit(kCmdLastFrame, "Last frame", [](cSession& s) { return s.commands().lastFrame(); });
    edit(kCmdFirstFrame, "First frame", [](cSession& s) { return s.commands().firstFrame(); });
    t.add(kCmdAutoAddFrame, QStringLiteral("Auto add frame"), Kind::kToggle);
    t.setHandler(kCmdAutoAddFrame, [this] { config_.NewFrameFlag = !config_.NewFrameFlag; });
    t.setCheckedRule(kCmdAutoAddFrame, [this] { return config_.NewFrameFlag; });
}

void cMainWindow::registerViewCommands() {
    auto& t = *commands_;
    const std::tuple<int, const char*, bool cConfig::*> flags[] = {
        {kCmdViewVertical, "Arrange the cell vertically", &cConfig::VerticalFlag},
        {kCmdViewTranslucent, "Translucent", &cConfig::VShadowFlag},
        {kCmdViewBorder, "Frames border", &cConfig::VNowFlag},
        {kCmdViewNextSkin, "Next frame (onion skin)", &cConfig::VNextFlag},
        {kCmdViewPreviousSkin, "Previous frame (onion skin)", &cConfig::VBackFlag},
        {kCmdViewPath, "Path", &cConfig::VLocusFlag},
        {kCmdViewScreenEffect, "Screen effect", &cConfig::VTargetFlag},
        {kCmdViewGif, "GIF animation", &cConfig::VGifFlag},
        {kCmdViewGrid, "Grid line", &cConfig::VLineFlag},
    };
    for (const auto& [id, label, member] : flags) {
        t.add(id, QString::fromLatin1(label), Kind::kToggle);
        t.setHandler(id, [this, member = member] {
            config_.*member = !(config_.*member);
            session_->viewSettingsChanged();
        });
        t.setCheckedRule(id, [this, member = member] { return config_.*member; });
    }

    auto show = [&t](int id, const char* label, std::function<bool()> visible,
                     std::function<void(bool)> set) {
        t.add(id, QString::fromLatin1(label), Kind::kShow);
        t.setHandler(id, [visible, set] { set(!visible()); });
        t.setCheckedRule(id, visible);
    };
    show(
        kCmdShowList, "Show list window", [this] { return listWnd_->isVisible(); },
        [this](bool v) { listWnd_->setVisible(v); });
    show(
        kCmdShowPalette, "Show palette window", [this] { return paletteWnd_->isVisible(); },
        [this](bool v) { paletteWnd_->setVisible(v); });
    show(
        kCmdShowStatusBar, "Show status bar", [this] { return config_.VStatusFlag; },
        [this](bool v) {
            config_.VStatusFlag = v;
            statusBar()->setVisible(v);
        });
    show(
        kCmdShowToolBar, "Show toolbar", [this] { return config_.VBarFlag; },
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
    const std::pair<int, const char*> modes[] = {
        {kCmdToolMove, "Move"}, {kCmdToolScale, "Scale"}, {kCmdToolSpline, "Spline curve"}};
    for (int mode = 0; mode < 3; ++mode) {
        const int id = modes[mode].first;
        tools->addAction(t.add(id, QString::fromLatin1(modes[mode].second), Kind::kTool));
        t.setHandler(id, [&s, mode] { s.setToolMode(mode); });
        t.setCheckedRule(id, [&s, mode] { return s.toolMode() == mode; });
    }
    t.add(kCmdIntervalTool, QStringLiteral("Interval setting at one time"));
    t.add(kCmdBatchTool, QStringLiteral("Cell and Batch setting"));
    t.add(kCmdFrameTool, QStringLiteral("Frame setting"));

    t.add(kCmdPlayFromStart, QStringLiteral("Play from the beginning"), Kind::kPlay,
          Keys({Qt::CTRL | Qt::Key_Q}));
    t.setHandler(kCmdPlayFromStart, [&s] { s.play(true); });
    t.add(kCmdPlay, QStringLiteral("Play"), Kind::kPlay, Keys({Qt::CTRL | Qt::Key_W}));
    t.setHandler(kCmdPlay, [&s] {
        if (!s.stopPlayback()) s.play(false);
    });
    const std::pair<int, const char*> options[] = {
        {kCmdPlayLoop, "Loop"},
        {kCmdPlayReverse, "Reverse playback"},
        {kCmdPlaySound, "Sound effect"},
        {kCmdPlayScreenEffect, "Screen effect"},
        {kCmdPlaySoundEveryTime, "Play sound effect every time when playing"},
        {kCmdPlayClearCells, "Clear cell after playback"},
    };
    const uint32_t bits[] = {kPlayLoop,         kPlayReverse,        kPlaySoundEffect,
                             kPlayScreenEffect, kPlaySoundEveryTime, kPlayClearCells};
    for (size_t i = 0; i < std::size(options); ++i) {
        const uint32_t bit = bits[i];
        t.add(options[i].first, QString::fromLatin1(options[i].second), Kind::kToggle);
        t.setHandler(options[i].first,
                     [this, bit] { session_->setPlayOption(bit, !(config_.PlayBit & bit)); });
        t.setCheckedRule(options[i].first, [this, bit] { return (config_.PlayBit & bit) != 0; });
    }
    t.add(kCmdTargetImage, QStringLiteral("Target image"));
    t.add(kCmdGifDraft, QStringLiteral("GIF draft"));
    t.add(kCmdOpenFolder, QStringLiteral("Open current folder"));
    t.setHandler(kCmdOpenFolder, [this] { openCurrentFolder(); });
    t.add(kCmdEditorSettings, QStringLiteral("Editor settings"));
    t.setHandler(kCmdEditorSettings, [this] { openSettingsDialog(); });
    t.add(kCmdHelp, QStringLiteral("Help"), Kind::kShow, Keys({QKeyCombination(Qt::Key_F1)}));
    t.setHandler(kCmdHelp, [this] { openHelpWindow(); });
    t.add(kCmdAbout, QStringLiteral("About"));
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
