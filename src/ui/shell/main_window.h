#pragma once
// The main window: menu bar, the four tool bars, the status bar, the canvas in the middle, and the
// list and palette tool windows beside it. It wires actions to the session's commands; the
// behaviour lives in the session and the library.

#include "interchange/clipboard_device.h"
#include "playback/sound_device.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

class cCommandTable;
class cConfig;
class cPrompts;
class cSession;
struct strEditResult;
class cToolWindow;
class QLabel;
class QToolBar;
class QMenu;
namespace platform {
class cClipboard;
}

class cMainWindow : public QMainWindow {
    Q_OBJECT
  public:
    cMainWindow(cConfig& config, cPrompts& prompts, platform::cClipboard& clipboard,
                QWidget* parent = nullptr);
    ~cMainWindow() override;

    // The creation steps in order: title, drops, settings file, working folder, sound device, tool
    // bars, undo depth, pictures, canvas, tool windows at their stored places, a new document. False
    // (with why()) when a step failed; the caller shows it and ends.
    bool create(std::unique_ptr<cSoundDevice> sound = nullptr);
    const QString& why() const { return why_; }
    // Opens a path once the event loop runs (the command line's file, after the window shows).
    void openLater(const QString& path);
    // When editors that did not close normally left recovery copies (or damaged ones), shows the
    // recovery window and returns once it is closed. Whether it was shown.
    bool offerRecovery();

    cSession& session() const { return *session_; }
    cCommandTable& commands() const { return *commands_; }
    cToolWindow* listWindow() const { return listWnd_; }
    cToolWindow* paletteWindow() const { return paletteWnd_; }
    // The central canvas (the window takes ownership).
    void setCanvas(QWidget* canvas);
    QWidget* canvas() const { return centralWidget(); }
    QList<QToolBar*> toolBars() const { return toolBars_; }

    QString statusText() const;
    QString positionText() const;
    // The gesture hint beside the status text.
    QString hintText() const;
    // Stores the window rectangles and the last folder in the settings and writes the file.
    void storeSettings();
    // Probes the system clipboard again (the import items and Paste follow it).
    void refreshClipboardState();

    // Runs a modeless window of the main window: shows it, or brings it to the front when it is
    // already open, and says in the status bar which window that is. make builds it the first time
    // (and again after it was closed).
    template <class T, class Make> T* showModeless(QPointer<T>& slot, Make make);
    // "Opened "Batch edit"" in the status bar.
    void reportOpened(const QWidget* window);

    // The smallest size of the window (wider when a tool bar needs more).
    static constexpr int kMinimumWidth = 480;
    static constexpr int kMinimumHeight = 360;

  protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

  private:
    void registerCommands();
    void registerFileCommands();
    void registerEditCommands();
    void registerViewCommands();
    // Status text, after an edit command ran, for what its library result does not say (a selection
    // with no cell on the frame, select all, stacking, a frame move at either end).
    static void reportQuietEdit(cSession& s, int id, const strEditResult& r, int frameBefore);
    void registerToolCommands();
    void buildMenus();
    void buildToolBars();
    // Puts the tool bars in as few rows as the width allows, in their order; run whenever the
    // window's width or a bar's size changes.
    void reflowToolBars();
    void buildStatusBar();
    void restoreWindows();
    void onChanged(unsigned flags);
    void updateTitle();
    void updatePosition();
    void openProjectDialog();
    void openSettingsDialog();
    void openAboutBox();
    void openHelpWindow();
    void openCurrentFolder();

    cConfig& config_;
    cPrompts& prompts_;
    platform::cClipboard& clipboard_;
    std::unique_ptr<cSession> session_;
    cCommandTable* commands_;
    cToolWindow* listWnd_ = nullptr;
    cToolWindow* paletteWnd_ = nullptr;
    QLabel* statusMessage_ = nullptr;
    QLabel* statusPosition_ = nullptr;
    QLabel* statusHint_ = nullptr;
    QList<QToolBar*> toolBars_;
    bool closing_ = false;
    bool firstStart_ = false; // no settings file was there at start-up
    QString why_;
    QPointer<QWidget> projectDlg_;
    QPointer<QWidget> settingsDlg_;
    QPointer<QWidget> aboutDlg_;
    QPointer<QWidget> helpDlg_;
};

template <class T, class Make> T* cMainWindow::showModeless(QPointer<T>& slot, Make make) {
    if (!slot) {
        slot = make();
        slot->setAttribute(Qt::WA_DeleteOnClose);
    }
    slot->show();
    slot->raise();
    slot->activateWindow();
    reportOpened(slot);
    return slot;
}
