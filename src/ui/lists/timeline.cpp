#include "ui/lists/timeline.h"

#include "config/config.h"
#include "document/project.h"
#include "interchange/edit_clip_commands.h"
#include "playback/player.h"
#include "tools/frame_comp.h"
#include "ui/dialogs/dialog_helpers.h"
#include "ui/lists/lists_messages.h"
#include "ui/lists/local_shortcuts.h"
#include "ui/session/session.h"
#include "ui/session/ui_messages.h"
#include "ui/shell/access_letters.h"
#include "ui/shell/command_ids.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

cTimeline::cTimeline(cSession& session, QWidget* parent) : cTimelineView(parent), session_(session) {
    setObjectName(QStringLiteral("timeline"));
    setAccessibleName(tr("Timeline"));
    const std::tuple<eCommand, eListsText, const char*, eLocalKeys> items[] = {
        {kSettings, kLtSettings, "Settings", kSettingsKeys},
        {kNewCell, kLtNew, "NewCell", kNoKeys},
        {kInsertFrame, kLtNew, "InsertFrame", kNoKeys},
        {kInsertCell, kLtInsertCell, "InsertCell", kNoKeys},
        {kCut, kLtCut, "Cut", kCutKeys},
        {kCopy, kLtCopy, "Copy", kCopyKeys},
        {kPaste, kLtPaste, "Paste", kPasteKeys},
        {kDelete, kLtDelete, "Delete", kDeleteKeys},
        {kFrameCompletion, kLtFrameCompletion, "FrameCompletion", kNoKeys},
        {kBatch, kLtBatch, "Batch", kNoKeys},
        {kPlayRange, kLtPlayRange, "PlayRange", kNoKeys},
        {kDragRange, kLtDragRange, "DragRange", kNoKeys},
        {kSelectAll, kLtSelectAll, "SelectAll", kSelectAllKeys},
    };
    for (const auto& [id, text, name, keys] : items)
        actions_[id] = AddLocalAction(this, text, name, keys, [this, id = id] { run(id); });
    connect(this, &cTimelineView::cursorMoved, this, &cTimeline::onCursorMoved);
    connect(this, &cTimelineView::selectionChanged, this, &cTimeline::onSelectionChanged);
    connect(this, &cTimelineView::pastLastColumn, this, &cTimeline::onPastLastColumn);
    connect(this, &cTimelineView::contextMenuRequested, this, &cTimeline::showPopup);
    connect(this, &cTimelineView::doubleClicked, this, [this] { run(kSettings); });
    connect(&session_, &cSession::changed, this, &cTimeline::onChanged);
    onChanged(kChangeAll);
}

// ---- document view ----------------------------------------------------------------------------------

void cTimeline::onChanged(unsigned flags) {
    const cProject& doc = session_.document();
    if (flags & kChangeReplaced) {
        setRect(kSelection, {});
        setRect(kCopied, {});
    }
    if (flags & (kChangeReplaced | kChangeCells | kChangeProject))
        setGridSize(doc.frameCount(), doc.cellNumber());
    if (flags & (kChangeReplaced | kChangeCells | kChangeProject | kChangeView))
        setRect(kDrag, session_.dragRange());
    if (flags & (kChangeReplaced | kChangeFrame)) followFrame(session_.currentFrame());
    viewport()->update();
}

bool cTimeline::hasMark(int frame, int cell) const {
    return session_.document().cell(frame, cell) != nullptr;
}

QString cTimeline::rowLabel(int cell) const {
    const cProject& doc = session_.document();
    if (doc.getSetting(kKeyLock) && cell >= 0 && cell < doc.cellNumber())
        return QString::asprintf("%d [%d]", cell, doc.lockedPicture(cell));
    return QString::asprintf("%d", cell);
}

QString cTimeline::cornerLabel() const {
    const int frame = session_.currentFrame();
    const strFrame* f = session_.document().frame(frame);
    return QString::asprintf("% 3d,% 3d", frame, f ? int(f->interval) : 0);
}

bool cTimeline::isCurrentColumn(int frame) const {
    return frame == session_.currentFrame();
}

bool cTimeline::event(QEvent* e) {
    if (HandleLocalShortcut(this, e)) return true;
    return cTimelineView::event(e);
}

// ---- notifications ----------------------------------------------------------------------------------

void cTimeline::onCursorMoved() {
    const int frame = cursorFrame();
    if (frame < session_.document().frameCount() && frame != session_.currentFrame())
        session_.setCurrentFrame(frame);
}

void cTimeline::onSelectionChanged(Qt::KeyboardModifiers modifiers) {
    const cTimelineRange& s = rect(kSelection);
    const int frame = session_.currentFrame();
    if (s.kind() != kRangeCells || frame < s.firstFrame() || frame > s.lastFrame()) return;
    cEditCommands& commands = session_.commands();
    const cProject& doc = session_.document();
    const bool keep = (modifiers & Qt::ControlModifier) != 0;
    cEditCommands::cHold hold(commands);
    for (int c = 0; c < doc.cellNumber(); ++c) {
        const bool on = s.contains(frame, c) && doc.cell(frame, c);
        if (on == commands.isSelected(c) || (!on && keep)) continue;
        commands.select(c, on);
    }
    if (commands.isSelected(cursorCell())) commands.setCurrentCell(cursorCell());
}

void cTimeline::onPastLastColumn(Qt::KeyboardModifiers modifiers) {
    if (!session_.config().NewFrameFlag) return;
    const int last = session_.document().frameCount() - 1;
    session_.setCurrentFrame(last);
    session_.stopPlayback();
    if (!session_.report(session_.commands().nextFrame())) return;
    moveCursor(session_.currentFrame(), cursorCell(), (modifiers & Qt::ShiftModifier) != 0,
               cursorKind() == kRangeFrames ? kRangeFrames : kRangeCells);
}

void cTimeline::followCursor() {
    onCursorMoved();
    onSelectionChanged(Qt::NoModifier);
}

// ---- commands -----------------------------------------------------------------------------------------

bool cTimeline::isEnabled(eCommand c) const {
    const eRangeKind selection = rect(kSelection).kind();
    const cProject& doc = session_.document();
    if (columns() < 1 || rows() < 1) return false;
    switch (c) {
    case kSettings:
        if (cursorKind() == kRangeCells) return doc.cell(cursorFrame(), cursorCell()) != nullptr;
        if (cursorKind() == kRangeRows) return doc.getSetting(kKeyLock) != 0;
        return true;
    case kNewCell:
        return cursorKind() == kRangeCells;
    case kInsertFrame:
        return cursorKind() != kRangeRows;
    case kInsertCell:
    case kPlayRange:
        return selection == kRangeCells || selection == kRangeFrames;
    case kPaste:
        return session_.clipCommands().canPaste(ClipKindOf(cursorKind()));
    case kSelectAll:
        return true;
    default:
        return selection != kRangeNone;
    }
}

bool cTimeline::run(eCommand c) {
    if (!isEnabled(c)) return false;
    // Every command of the timeline is a command: a running playback stops first.
    session_.stopPlayback();
    switch (c) {
    case kSettings:
        settings();
        break;
    case kNewCell: {
        request({kCmdNewCell, cTimelineRange::ofCell(cursorFrame(), cursorCell()), -1, QCursor::pos()});
        break;
    }
    case kInsertFrame:
        insertFrame();
        break;
    case kInsertCell:
        insertCell();
        break;
    case kCut:
    case kCopy:
    case kDelete:
        clipOperation(c);
        break;
    case kPaste:
        paste();
        break;
    case kFrameCompletion:
        toolRequest(kCmdFrameTool);
        break;
    case kBatch:
        toolRequest(kCmdBatchTool);
        break;
    case kPlayRange:
        playRange();
        break;
    case kDragRange:
        dragRange();
        break;
    case kSelectAll:
        selectAll();
        break;
    case kCommandCount:
        return false;
    }
    return true;
}

void cTimeline::showPopup(QPoint globalPos) {
    const eRangeKind kind = rect(kSelection).kind();
    if (kind == kRangeNone) return;
    if (popup_) popup_->deleteLater();
    popup_ = new QMenu(this);
    QMenu* m = popup_;
    const char* name = kind == kRangeFrames ? "MENU_FRAME" : kind == kRangeRows ? "MENU_LINE" : "MENU_CELL";
    m->setObjectName(QString::fromLatin1(name));
    m->setAccessibleName(QString::fromLatin1(name));
    auto add = [m, this](std::initializer_list<eCommand> ids) {
        for (eCommand id : ids) {
            actions_[id]->setEnabled(isEnabled(id));
            m->addAction(actions_[id]);
        }
    };
    if (kind == kRangeFrames) {
        add({kSettings, kInsertFrame});
    } else if (kind == kRangeCells) {
        add({kSettings, kNewCell, kInsertCell});
    } else {
        add({kSettings});
    }
    m->addSeparator();
    add({kCut, kCopy, kPaste, kDelete});
    m->addSeparator();
    add({kFrameCompletion, kBatch});
    if (kind == kRangeFrames) add({kPlayRange});
    add({kDragRange});
    // The actions stay usable by their shortcuts whatever the menu showed.
    connect(m, &QMenu::aboutToHide, this, [this] {
        for (QAction* a : actions_)
            a->setEnabled(true);
    });
    AssignAccessLetters(m);
    m->popup(globalPos);
}

void cTimeline::settings() {
    const int frame = cursorFrame(), cell = cursorCell();
    switch (cursorKind()) {
    case kRangeCells:
        request({kCmdCellSettings, cTimelineRange::ofCell(frame, cell), -1, QCursor::pos()});
        break;
    case kRangeFrames: {
        const cTimelineRange& s = rect(kSelection);
        request({kCmdIntervalTool, s.everyCell() ? s : cTimelineRange::ofFrames(frame, frame)});
        break;
    }
    case kRangeRows:
        request({kCmdCellLock, cTimelineRange::ofRows(cell, cell)});
        break;
    default:
        break;
    }
}

void cTimeline::insertFrame() {
    const int frame = cursorFrame();
    session_.setCurrentFrame(frame);
    if (!session_.report(session_.commands().insertFrame())) return;
    moveCursor(frame, cursorCell(), false, kRangeFrames);
}

void cTimeline::insertCell() {
    if (!session_.report(CompleteTimelineBlock(ToolContext(session_), widened(rect(kSelection)),
                                               session_.config().CompType)))
        return;
    followCursor();
}

void cTimeline::clipOperation(eCommand c) {
    const cTimelineRange s = rect(kSelection);
    const cTimelineRange w = widened(s); // before the grid shrinks
    cEditClipCommands& clip = session_.clipCommands();
    strEditResult r;
    if (c == kCut)
        r = clip.timelineCut(s);
    else if (c == kCopy)
        r = clip.timelineCopy(s);
    else
        r = clip.timelineDelete(s);
    if (!session_.report(r)) return;
    if (c != kDelete) setRect(kCopied, s);
    if (c != kCopy) {
        moveCursor(w.firstFrame(), w.firstCell(), false, s.kind());
        followCursor();
    }
}

void cTimeline::paste() {
    const eRangeKind kind = cursorKind();
    const int frame = kind == kRangeRows ? 0 : cursorFrame();
    const int cell = kind == kRangeFrames ? 0 : cursorCell();
    cTimelineRange pasted;
    if (!session_.report(session_.clipCommands().timelinePaste(ClipKindOf(kind), frame, cell, &pasted)))
        return;
    setRect(kSelection, pasted);
    followCursor();
}

void cTimeline::toolRequest(int command) {
    request({command, widened(rect(kSelection))});
}

void cTimeline::request(strToolRequest r) {
    // The tool window opened from the list window keeps the main window disabled while it is open.
    r.origin = this;
    session_.requestTool(r);
}

void cTimeline::playRange() {
    const cTimelineRange w = widened(rect(kSelection));
    if (w.frameCount() > 2) {
        const int last = std::max(session_.document().frameCount() - 1, 0);
        session_.setPlayRange(std::clamp(w.firstFrame(), 0, last), std::clamp(w.lastFrame(), 0, last));
        session_.setPlayOption(kPlayNoRange, false);
        session_.showStatus(
            tr("Play range: frames %1 to %2").arg(session_.playRangeStart()).arg(session_.playRangeEnd()));
    } else {
        session_.setPlayOption(kPlayNoRange, true);
        session_.showStatus(tr("Play range off: every frame plays"));
    }
}

void cTimeline::dragRange() {
    const cTimelineRange s = rect(kSelection);
    const cTimelineRange w = widened(s);
    const bool single = s.kind() == kRangeCells && w.count() == 1;
    session_.setDragRange(single ? cTimelineRange{} : w);
    session_.showStatus(single ? tr("Drag range cleared")
                               : tr("Drag range: frames %1 to %2, cell numbers %3 to %4")
                                     .arg(w.firstFrame())
                                     .arg(w.lastFrame())
                                     .arg(w.firstCell())
                                     .arg(w.lastCell()));
}

void cTimeline::selectAll() {
    const int lastFrame = columns() - 1, lastCell = rows() - 1;
    switch (cursorKind()) {
    case kRangeFrames:
        setRect(kSelection, cTimelineRange::ofFrames(0, lastFrame));
        break;
    case kRangeRows:
        setRect(kSelection, cTimelineRange::ofRows(0, lastCell));
        break;
    default:
        setRect(kSelection, cTimelineRange::ofCells(0, 0, lastFrame, lastCell));
        break;
    }
    onSelectionChanged(Qt::NoModifier);
}
