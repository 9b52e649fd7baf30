#include "ui/shell/main_window.h"

#include "config/config.h"
#include "ui/canvas/canvas_keys.h"
#include "ui/dialogs/dlg_about.h"
#include "ui/dialogs/dlg_help.h"
#include "ui/dialogs/dlg_project.h"
#include "ui/dialogs/dlg_recovery.h"
#include "ui/dialogs/dlg_settings.h"
#include "ui/lists/lists_messages.h"
#include "ui/platform/prompts.h"
#include "ui/session/session.h"
#include "ui/session/ui_messages.h"
#include "ui/shell/access_letters.h"
#include "ui/shell/command_table.h"
#include "ui/shell/editor_modules.h"
#include "ui/shell/tool_window.h"
#include "ui/shell/window_geometry.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

cMainWindow::cMainWindow(cConfig& config, cPrompts& prompts, platform::cClipboard& clipboard, QWidget* parent)
    : QMainWindow(parent), config_(config), prompts_(prompts), clipboard_(clipboard),
      session_(std::make_unique<cSession>(config, prompts, clipboard)), commands_(new cCommandTable(this)) {
    setObjectName(QStringLiteral("mainWindow"));
    setAccessibleName(UiText(kUiProgramName));
    updateTitle();
    setAcceptDrops(true);
    auto* placeholder = new QWidget(this);
    placeholder->setObjectName(QStringLiteral("canvas"));
    placeholder->setAccessibleName(tr("Canvas"));
    setCentralWidget(placeholder);
}

cMainWindow::~cMainWindow() {
    // Windows that listen to the session go before it.
    delete listWnd_;
    delete paletteWnd_;
    delete takeCentralWidget();
    session_->stopPlayback();
}

bool cMainWindow::create(std::unique_ptr<cSoundDevice> sound) {
    // No settings file yet: the windows are laid out for this screen instead of the stored places.
    firstStart_ = config_.filePath.empty() || !QFileInfo::exists(QString::fromStdString(config_.filePath));
    config_.read();
    if (!session_->start(std::move(sound))) {
        why_ = session_->why();
        return false;
    }
    listWnd_ = new cToolWindow(QStringLiteral("listWindow"), ListsText(kLtListTitle), this);
    paletteWnd_ = new cToolWindow(QStringLiteral("paletteWindow"), ListsMessage(kLtPaletteTitle, {0}), this);
    registerCommands();
    buildMenus();
    buildToolBars();
    buildStatusBar();
    InstallCanvas(*this);
    InstallLists(*this);
    InstallToolWindows(*this);
    InstallGame(*this);
    commands_->update();

    connect(listWnd_, &cToolWindow::visibilityChanged, this, [this](bool v) {
        if (!closing_) config_.VListFlag = v;
        commands_->update();
    });
    connect(paletteWnd_, &cToolWindow::visibilityChanged, this, [this](bool v) {
        if (!closing_) config_.VPalFlag = v;
        commands_->update();
    });
    restoreWindows();

    connect(session_.get(), &cSession::changed, this, &cMainWindow::onChanged);
    connect(session_.get(), &cSession::statusChanged, this,
            [this](const QString& t) { statusMessage_->setText(t); });
    // Switches, tool modes and windows shown or hidden say what they did, as the commands do.
    connect(commands_, &cCommandTable::ran, this, [this](int id) {
        const cCommandTable::eKind kind = commands_->kind(id);
        const QAction* a = commands_->action(id);
        // A show item that is not a switch (Help) opens a window, which says so itself.
        if ((kind != cCommandTable::kToggle && kind != cCommandTable::kTool &&
             kind != cCommandTable::kShow) ||
            !a->isCheckable())
            return;
        const QString label = WithoutAccessLetter(a->text());
        if (kind == cCommandTable::kTool)
            session_->showStatus(tr("Tool: %1").arg(label));
        else
            session_->showStatus(a->isChecked() ? tr("%1: on").arg(label) : tr("%1: off").arg(label));
    });
    connect(session_.get(), &cSession::hintChanged, this, [this](const QString& t) {
        statusHint_->setText(t);
        statusHint_->setToolTip(t);
    });
    if (QClipboard* clip = QGuiApplication::clipboard())
        connect(clip, &QClipboard::dataChanged, this, &cMainWindow::refreshClipboardState);
    refreshClipboardState();
    onChanged(kChangeAll);
    return true;
}

void cMainWindow::restoreWindows() {
    setMinimumSize(std::max(minimumWidth(), kMinimumWidth), kMinimumHeight);
    listWnd_->setMinimumSize(240, 240);
    paletteWnd_->setMinimumSize(200, 200);
    if (firstStart_) {
        const QRect screen = QGuiApplication::primaryScreen()
                                 ? QGuiApplication::primaryScreen()->availableGeometry()
                                 : QRect(0, 0, 1280, 800);
        const strFirstLayout l = FirstStartLayout(screen);
        auto put = [](const QRect& r, int& x, int& y, int& w, int& h) {
            x = r.x();
            y = r.y();
            w = r.width();
            h = r.height();
        };
        put(l.main, config_.MainWinPostX, config_.MainWinPostY, config_.MainWinSizeX, config_.MainWinSizeY);
        put(l.list, config_.ListWinPostX, config_.ListWinPostY, config_.ListWinSizeX, config_.ListWinSizeY);
        put(l.palette, config_.PalWinPostX, config_.PalWinPostY, config_.PalWinSizeX, config_.PalWinSizeY);
    }
    RestoreWindowRect(this, config_.MainWinPostX, config_.MainWinPostY, config_.MainWinSizeX,
                      config_.MainWinSizeY);
    RestoreWindowRect(listWnd_, config_.ListWinPostX, config_.ListWinPostY, config_.ListWinSizeX,
                      config_.ListWinSizeY);
    RestoreWindowRect(paletteWnd_, config_.PalWinPostX, config_.PalWinPostY, config_.PalWinSizeX,
                      config_.PalWinSizeY);
    statusBar()->setVisible(config_.VStatusFlag);
    for (QToolBar* bar : toolBars_)
        bar->setVisible(config_.VBarFlag);
    // The tool windows appear with the main window.
    QTimer::singleShot(0, this, [this] {
        listWnd_->setVisible(config_.VListFlag);
        paletteWnd_->setVisible(config_.VPalFlag);
    });
}

void cMainWindow::openLater(const QString& path) {
    if (path.isEmpty()) return;
    QTimer::singleShot(0, this, [this, path] {
        session_->stopPlayback();
        session_->openPath(path);
    });
}

bool cMainWindow::offerRecovery() {
    cRecoveryStore* store = session_->recovery().store();
    if (!store || !session_->recovery().isOpen()) return false;
    std::vector<strRecoveryProblem> problems;
    std::vector<strRecoveryEntry> entries = store->list(&problems);
    if (entries.empty() && problems.empty()) return false;
    cDlg_Recovery dialog(*session_, std::move(entries), std::move(problems), this);
    dialog.exec();
    return true;
}

void cMainWindow::setCanvas(QWidget* canvas) {
    delete takeCentralWidget();
    setCentralWidget(canvas);
}

QString cMainWindow::statusText() const {
    return statusMessage_ ? statusMessage_->text() : QString();
}
QString cMainWindow::hintText() const {
    return statusHint_ ? statusHint_->text() : QString();
}
QString cMainWindow::positionText() const {
    return statusPosition_ ? statusPosition_->text() : QString();
}

void cMainWindow::buildStatusBar() {
    statusMessage_ = new QLabel(this);
    statusMessage_->setObjectName(QStringLiteral("statusMessage"));
    statusMessage_->setAccessibleName(tr("Status message"));
    statusPosition_ = new QLabel(this);
    statusPosition_->setObjectName(QStringLiteral("statusPosition"));
    statusPosition_->setAccessibleName(tr("Frame position"));
    statusPosition_->setMinimumWidth(80);
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    statusBar()->setAccessibleName(tr("Status bar"));
    statusHint_ = new QLabel(this);
    statusHint_->setObjectName(QStringLiteral("statusHint"));
    statusHint_->setAccessibleName(tr("Gesture under the pointer"));
    statusHint_->setMinimumWidth(0);
    statusHint_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusBar()->addWidget(statusMessage_, 1);
    statusBar()->addWidget(statusHint_, 2);
    statusBar()->addPermanentWidget(statusPosition_);
}

void cMainWindow::onChanged(unsigned flags) {
    if (flags & (kChangeTitle | kChangeReplaced)) updateTitle();
    updatePosition();
    commands_->update();
}

void cMainWindow::updateTitle() {
    const QString path = session_->currentPath();
    QString shown = path.isEmpty() ? QString() : fontMetrics().elidedText(path, Qt::ElideMiddle, 384);
    if (session_->gameAnimation()) shown = session_->gameTitle();
    // "[*]" shows Qt's modified mark ("*") while the document differs from its saved state.
    setWindowTitle(session_->titleText(shown) + QStringLiteral("[*]"));
    setWindowModified(session_->document().modified());
}

void cMainWindow::updatePosition() {
    if (!statusPosition_) return;
    const int last = session_->document().frameCount() - 1;
    statusPosition_->setText(QString::asprintf("%d/%d", session_->currentFrame(), last));
}

void cMainWindow::refreshClipboardState() {
    session_->refreshClipboard();
}

void cMainWindow::storeSettings() {
    config_.LastLoadPath = session_->dialogFolder().toStdString();
    const QRect main = StoredWindowRect(this);
    config_.MainWinPostX = main.x();
    config_.MainWinPostY = main.y();
    config_.MainWinSizeX = main.width();
    config_.MainWinSizeY = main.height();
    const QRect list = StoredWindowRect(listWnd_);
    config_.ListWinPostX = list.x();
    config_.ListWinPostY = list.y();
    config_.ListWinSizeX = list.width();
    config_.ListWinSizeY = list.height();
    const QRect pal = StoredWindowRect(paletteWnd_);
    config_.PalWinPostX = pal.x();
    config_.PalWinPostY = pal.y();
    config_.PalWinSizeX = pal.width();
    config_.PalWinSizeY = pal.height();
    config_.write();
}

bool cMainWindow::event(QEvent* e) {
    // A bar that grew, or a window that was resized, may need other rows.
    if (e->type() == QEvent::Resize || e->type() == QEvent::LayoutRequest) reflowToolBars();
    return QMainWindow::event(e);
}

void cMainWindow::closeEvent(QCloseEvent* e) {
    session_->stopPlayback();
    if (!session_->confirmDiscard()) {
        e->ignore();
        return;
    }
    closing_ = true;
    storeSettings();
    listWnd_->hide();
    paletteWnd_->hide();
    e->accept();
}

void cMainWindow::dragEnterEvent(QDragEnterEvent* e) {
    if (e->mimeData()->hasUrls()) e->acceptProposedAction();
}

void cMainWindow::dropEvent(QDropEvent* e) {
    const QList<QUrl> urls = e->mimeData()->urls();
    if (urls.isEmpty() || !urls.front().isLocalFile()) return;
    e->acceptProposedAction();
    // Only the first dropped file is opened.
    const QString path = urls.front().toLocalFile();
    session_->stopPlayback();
    session_->openPath(path);
}

void cMainWindow::reportOpened(const QWidget* window) {
    session_->showStatus(tr("Opened \"%1\"").arg(window->windowTitle()));
}

void cMainWindow::openProjectDialog() {
    showModeless(projectDlg_, [this] { return new cDlg_Project(*session_, this); });
}

void cMainWindow::openSettingsDialog() {
    showModeless(settingsDlg_, [this] { return new cDlg_Settings(*session_, this); });
}

void cMainWindow::openHelpWindow() {
    showModeless(helpDlg_, [this] {
        auto keyName = [](int virtualKey) {
            return QKeySequence(QtKeyOfVirtualKey(virtualKey)).toString(QKeySequence::NativeText);
        };
        return new cDlg_Help(commands_->actions(), keyName(config_.DragAKey), keyName(config_.DragSKey),
                             this);
    });
}

void cMainWindow::openAboutBox() {
    showModeless(aboutDlg_, [this] { return new cDlg_About(this); });
}
