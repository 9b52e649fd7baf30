#pragma once
// The timeline bound to the document: the grid's size follows the frame count and the cell number,
// marks show where cells exist, the cursor moves the current frame and a block selection selects
// the canvas's cells. Its popups ("MENU_FRAME", "MENU_CELL", "MENU_LINE") and shortcuts run the
// timeline's commands: settings, new cell or frame, completion, batch, playback and drag range, and
// cut, copy, paste and delete of frames, cell blocks and cell rows.

#include "ui/lists/timeline_view.h"
#include "ui/session/canvas_overlays.h"

#include <QMenu>
#include <QPointer>

class cSession;
class QAction;

class cTimeline : public cTimelineView {
    Q_OBJECT
  public:
    enum eCommand {
        kSettings,
        kNewCell,
        kInsertFrame,
        kInsertCell,
        kCut,
        kCopy,
        kPaste,
        kDelete,
        kFrameCompletion,
        kBatch,
        kPlayRange,
        kDragRange,
        kSelectAll,
        kCommandCount
    };

    explicit cTimeline(cSession& session, QWidget* parent = nullptr);

    QAction* action(eCommand c) const { return actions_[c]; }
    // Whether a command can run now (the rules its popup item follows).
    bool isEnabled(eCommand c) const;
    // Runs a command when it is enabled; returns whether it ran.
    bool run(eCommand c);
    // The popup shown last (null before the first).
    QMenu* popup() const { return popup_; }
    // Shows the popup of the selection's kind at a global point.
    void showPopup(QPoint globalPos);

  protected:
    bool hasMark(int frame, int cell) const override;
    QString rowLabel(int cell) const override;
    QString cornerLabel() const override;
    bool isCurrentColumn(int frame) const override;
    bool event(QEvent* e) override;

  private:
    void onChanged(unsigned flags);
    void onCursorMoved();
    void onSelectionChanged(Qt::KeyboardModifiers modifiers);
    void onPastLastColumn(Qt::KeyboardModifiers modifiers);
    // After a command: the canvas's frame and selection follow the cursor.
    void followCursor();
    void settings();
    void insertFrame();
    void insertCell();
    void clipOperation(eCommand c);
    void paste();
    void toolRequest(int command);
    // Asks the tool windows, as the timeline (see strToolRequest).
    void request(strToolRequest r);
    void playRange();
    void dragRange();
    void selectAll();

    cSession& session_;
    QAction* actions_[kCommandCount] = {};
    QPointer<QMenu> popup_;
};
