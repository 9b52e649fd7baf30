#pragma once
// The shortcuts of a window's own actions (Cut, Copy, Paste, Delete, Select all, Settings) take
// precedence over the main window's, whose shortcuts stay active in its tool windows: the widget
// claims the key in the shortcut override and runs its action on the key press.

#include "ui/lists/lists_messages.h"

#include <functional>

class QAction;
class QEvent;
class QWidget;

// The keys of the windows' own commands.
enum eLocalKeys {
    kNoKeys,
    kSettingsKeys,
    kCutKeys,
    kCopyKeys,
    kPasteKeys,
    kDeleteKeys,
    kSelectAllKeys,
    kMoveUpKeys,
    kMoveDownKeys
};

// An action of a widget with the keys of its kind, named after the widget plus name; run is
// called when it is triggered.
QAction* AddLocalAction(QWidget* widget, eListsText text, const char* name, eLocalKeys keys,
                        std::function<void()> run);

// For QEvent::ShortcutOverride: accepts the event when one of the widget's actions has the key.
// For QEvent::KeyPress: triggers that action (when enabled) and accepts the event. Returns whether
// the key belongs to an action of the widget.
bool HandleLocalShortcut(QWidget* widget, QEvent* event);
