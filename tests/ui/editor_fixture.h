#pragma once
// A main window on a settings file in a temporary folder, with prompts the test answers and no
// sound output.

#include "config/config.h"
#include "ui/platform/prompts.h"
#include "ui/platform/qt_clipboard.h"
#include "ui/session/session.h"
#include "ui/shell/main_wnd.h"

#include <QStringList>
#include <QTemporaryDir>

#include <functional>

#include <memory>

class cProject;
class cSoundDevice;

// Answers questions from a queue (Cancel when it is empty) and records what was asked.
class cScriptedPrompts : public cPrompts {
  public:
    QList<eAnswer> answers;
    QStringList asked;
    QStringList messages;
    QString openAnswer;
    QString saveAnswer;
    int fileDialogs = 0;
    QColor colourAnswer;

    eAnswer question(const QString& text, const QString&, bool) override {
        asked << text;
        return answers.isEmpty() ? kCancel : answers.takeFirst();
    }
    std::function<void()> onMessage; // called as a message box would show
    void message(const QString& text, eBox) override {
        messages << text;
        if (onMessage) onMessage();
    }
    QString openFileName(const QString&, const QString&) override {
        ++fileDialogs;
        return openAnswer;
    }
    QString saveFileName(const QString&, const QString&, const QString&) override {
        ++fileDialogs;
        return saveAnswer;
    }
    QString folderName(const QString&) override { return {}; }
    QColor colour(const QColor&) override { return colourAnswer; }
};

struct strEditorFixture {
    QTemporaryDir dir;
    cConfig config;
    cScriptedPrompts prompts;
    cQtClipboard clipboard;
    std::unique_ptr<cMainWnd> window;

    // A window whose settings file is config.ini in the temporary folder (with its working folder).
    strEditorFixture();
    // Makes (or makes again, as at the next start) the window, without sound output unless a device
    // is given; false when creation failed.
    bool start(std::unique_ptr<cSoundDevice> sound = nullptr);
    cSession& session() const { return window->session(); }
    QString path(const QString& name) const { return dir.filePath(name); }
    // Writes a small project (frames frames, one cell each) to a file; returns its path.
    QString writeProject(const QString& name, int frames = 3) const;
    // Drops files on a widget as a file manager would (drag enter, then drop).
    static void dropFiles(QWidget* target, const QStringList& paths);
    // Shows the main window and one of its tool windows (the other one hidden) and makes that tool
    // window the active one, as a click on it would; false when it did not become active.
    bool activateToolWindow(QWidget* tool) const;
    // Makes the document modified with an undoable change.
    void touch() const;
    // The widget of that object name under `in` (the main window when null); a warning names a
    // missing one, so a failing test says which control it could not find.
    template <class T> T* find(const char* name, const QObject* in = nullptr) const {
        T* w = (in ? in : window.get())->findChild<T*>(QString::fromLatin1(name));
        if (!w) qWarning("no widget %s", name);
        return w;
    }
};
