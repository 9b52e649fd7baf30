#pragma once
// The command table: one QAction per command id, owned here, with its label, shortcuts, and the
// rules that say when it is enabled and checked and, for a few, what it reads. Menus and tool bars are built
// from the ids.
//
// A command without a handler stays disabled, so a window that comes later turns its commands on by
// setting their handlers. update() recomputes every state in one place; the main window calls it
// whenever the session announces a change, so a shortcut never reaches a disabled command.
//
// Every command of kind kCommand stops a running playback before it runs; toggles, show/hide
// items, tool modes and the play commands do not.

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QVariant>

#include <functional>
#include <map>

class QAction;
class QWidget;

class cCommandTable : public QObject {
    Q_OBJECT
  public:
    enum eKind { kCommand, kToggle, kShow, kTool, kPlay };

    explicit cCommandTable(QWidget* owner);

    // Adds the action of a command (owned by the table's owner window, which receives its shortcuts).
    QAction* add(int id, const QString& label, eKind kind = kCommand, const QList<QKeySequence>& keys = {});
    QAction* action(int id) const;
    eKind kind(int id) const;
    // Every action, in the order of their identifiers.
    QList<QAction*> actions() const;

    void setHandler(int id, std::function<void()> run);
    // A handler that takes the parameter a popup item gives (see popupItem); an empty QVariant
    // when the command runs from the menu, a tool bar or a key.
    void setHandler(int id, std::function<void(const QVariant& parameter)> run);
    bool hasHandler(int id) const;
    // Enabled when the command has a handler and the rule (if any) holds.
    void setEnabledRule(int id, std::function<bool()> rule);
    // Makes the action checkable; its checked state follows the rule.
    void setCheckedRule(int id, std::function<bool()> rule);
    // The action's text follows the rule ("Undo Move 3 cells").
    void setLabelRule(int id, std::function<QString()> rule);
    // What runs before every kCommand (stopping playback).
    void setBeforeCommand(std::function<void()> before) { before_ = std::move(before); }

    // Recomputes every enabled and checked state.
    void update();
    // Runs a command as its menu item would: nothing when it is disabled. Returns whether it ran.
    bool trigger(int id, const QVariant& parameter = {});
    // An item for a popup that offers the command: its own action (owned by parent) with the
    // command's label, enabled by the command's rule when the popup is prepared (refreshPopup), and
    // running the command with the item's parameter (setParameter; Paste and New take the point the
    // popup was opened at).
    QAction* popupItem(int id, QObject* parent);
    static void setParameter(QAction* item, const QVariant& parameter);
    // Sets the label and enabled state of popup items made by popupItem.
    void refreshPopup(const QList<QAction*>& items);

  signals:
    // After a command ran.
    void ran(int id);

  private:
    struct strEntry {
        QAction* action = nullptr;
        eKind kind = kCommand;
        std::function<void(const QVariant&)> run;
        std::function<bool()> enabled;
        std::function<bool()> checked;
        std::function<QString()> label;
    };
    void dispatch(int id, const QVariant& parameter = {});

    QWidget* owner_;
    std::map<int, strEntry> entries_;
    std::function<void()> before_;
};
