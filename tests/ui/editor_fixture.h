#pragma once
// A main window on a settings file in a temporary folder, with prompts the test answers and no
// sound output; with it the headers that nearly every test of the editor uses.

#include "ui_test.h"

#include "config/config.h"
#include "document/project.h"
#include "support/document_builder.h"
#include "ui/platform/prompts.h"
#include "ui/platform/qt_clipboard.h"
#include "ui/session/session.h"
#include "ui/shell/command_ids.h"
#include "ui/shell/command_table.h"
#include "ui/shell/main_window.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSpinBox>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

class cSoundDevice;

// Answers questions from a queue (Cancel when it is empty) and records what was asked.
class cScriptedPrompts : public cPrompts {
  public:
    QList<eAnswer> answers;
    QStringList asked;
    QStringList messages;
    QString openAnswer;
    QString saveAnswer;
    QString folderAnswer;
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
    QString folderName(const QString&) override { return folderAnswer; }
    QColor colour(const QColor&) override { return colourAnswer; }
};

struct strEditorFixture {
    QTemporaryDir dir;
    cConfig config;
    cScriptedPrompts prompts;
    cQtClipboard clipboard;
    std::unique_ptr<cMainWindow> window;

    // A window whose settings file is config.ini in the temporary folder (with its working folder).
    strEditorFixture();
    // Makes (or makes again, as at the next start) the window, without sound output unless a device
    // is given; false when creation failed.
    bool start(std::unique_ptr<cSoundDevice> sound = nullptr);
    cSession& session() const { return window->session(); }
    cProject& doc() const { return window->session().document(); }
    QString path(const QString& name) const { return dir.filePath(name); }
    bool trigger(int command) const { return window->commands().trigger(command); }
    // Whether the command's menu item is on, with the states brought up to date first.
    bool enabled(int command) const;
    // Writes a small project (frames frames, one cell each) to a file; returns its path.
    QString writeProject(const QString& name, int frames = 3) const;
    // Writes and opens such a project.
    bool openProject(const QString& name, int frames = 3) const;
    // Sets a cell as one undo step, as an edit would.
    void putCell(int frame, int n, const strCell& cell = {}) const;
    // Runs a change of the document as one undo step, so the windows hear of it as of an edit.
    void edit(const std::function<void(cProject&)>& change) const;
    // Closes the main window as its close box does; whether it closed.
    bool closeWindow() const;
    // A key of the settings file's CONFIG section as stored ("absent" when it is not there).
    std::string stored(const char* key) const;
    // The contents of a file (empty when it cannot be read).
    static QByteArray read(const QString& file);
    // Runs the command-line tool; its standard output (a failure is logged).
    static QByteArray runTool(const QStringList& args);
    // Types a number into a spin box as a user does.
    static void type(QSpinBox* spin, int value);
    // Drops files at a point of a widget as a file manager would (drag enter, move, drop).
    static void dropFiles(QWidget* target, const QStringList& paths, QPoint at = {5, 5});
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
