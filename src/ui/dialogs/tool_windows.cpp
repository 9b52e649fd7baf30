#include "ui/dialogs/tool_windows.h"

#include "config/config.h"
#include "document/history.h"
#include "document/project.h"
#include "image/picture_slot_table.h"
#include "ui/dialogs/dialog_texts.h"
#include "ui/dialogs/dlg_batch.h"
#include "ui/dialogs/dlg_cell.h"
#include "ui/dialogs/dlg_cell_number_chooser.h"
#include "ui/dialogs/dlg_export_gif.h"
#include "ui/dialogs/dlg_export_png.h"
#include "ui/dialogs/dlg_frame_comp.h"
#include "ui/dialogs/dlg_lock.h"
#include "ui/dialogs/dlg_lock_cell.h"
#include "ui/dialogs/dlg_pattern_sheet.h"
#include "ui/dialogs/dlg_set_interval.h"
#include "ui/session/session.h"
#include "ui/shell/command_ids.h"
#include "ui/shell/command_table.h"
#include "ui/shell/main_window.h"
#include "ui/shell/window_geometry.h"

#include <QCursor>
#include <QEvent>
#include <algorithm>

namespace {
// Set on a window that keeps the main window disabled while it is shown.
constexpr const char* kLocksMain = "locksMain";
} // namespace

cToolWindows::cToolWindows(cMainWindow& window)
    : QObject(&window), window_(window), session_(window.session()) {
    setObjectName(QStringLiteral("toolWindows"));
    // The tween starts with every value ticked and the easing used last.
    frameComp_.paramChecks.assign(frameComp_.paramChecks.size(), 1);
    TweenOptionsFromText(session_.config().TweenEasing, frameComp_.tween);
    installCommands();
    connect(&session_, &cSession::toolRequested, this, &cToolWindows::onRequest);
}

cToolWindows::~cToolWindows() = default;

void cToolWindows::installCommands() {
    cCommandTable& t = window_.commands();
    cSession& s = session_;
    t.setHandler(kCmdCellSettings, [this, &s] {
        if (s.commands().currentCell() >= 0) openCell(s.currentFrame(), s.commands().currentCell());
    });
    t.setEnabledRule(kCmdCellSettings, [&s] { return s.commands().currentCell() >= 0; });
    // Both take the point a popup was opened at: the new cell, or a single pasted cell, goes there.
    auto pointOf = [](const QVariant& p) {
        return p.isValid() ? std::optional<QPoint>(p.toPoint()) : std::nullopt;
    };
    t.setHandler(kCmdNewCell, std::function<void(const QVariant&)>([this, pointOf](const QVariant& p) {
                     openChooser(kChooseNew, pointerOrCorner(), pointOf(p));
                 }));
    t.setHandler(kCmdPaste, std::function<void(const QVariant&)>([this, &s, pointOf](const QVariant& p) {
                     const std::optional<QPoint> at = pointOf(p);
                     const strCanvasPoint point{at ? at->x() : 0, at ? at->y() : 0};
                     if (s.commands().currentCell() >= 0)
                         s.report(s.clipCommands().pasteAtCurrentCell(at ? &point : nullptr));
                     else
                         openChooser(kChoosePaste, pointerOrCorner(), at);
                 }));
    t.setHandler(kCmdCellLock, [this] { openLockTable(); });
    t.setHandler(kCmdIntervalTool, [this] { openInterval(); });
    t.setHandler(kCmdBatchTool, [this] { openBatch(); });
    t.setHandler(kCmdFrameTool, [this, &s] {
        // With cells selected on the canvas: those cells, from the current frame to the tween's end
        // frame (or the last frame when that lies before).
        const std::vector<int> selected = s.commands().selection();
        if (!selected.empty()) {
            const int last = std::max(s.document().frameCount() - 1, 0);
            const int end =
                frameComp_.endFrame > s.currentFrame() ? std::min(frameComp_.endFrame, last) : last;
            openFrameCompFor(selected, s.currentFrame(), end);
            return;
        }
        // Otherwise with the state as it stands; with no cell number ticked yet, the current cell is.
        frameComp_.fitToProject(s.document());
        const int current = s.commands().currentCell();
        bool any = false;
        for (uint8_t c : frameComp_.cellChecks)
            any = any || c;
        if (!any && current >= 0 && current < int(frameComp_.cellChecks.size()))
            frameComp_.cellChecks[size_t(current)] = 1;
        openFrameComp();
    });
    t.setHandler(kCmdExportPng, [this] { openExportPng(); });
    t.setHandler(kCmdExportGif, [this] { openExportGif()->setFormat(eAnimationFormat::kGif); });
    t.setHandler(kCmdExportApng, [this] { openExportGif()->setFormat(eAnimationFormat::kApng); });
    t.setHandler(kCmdExportWebp, [this] { openExportGif()->setFormat(eAnimationFormat::kWebp); });
    t.setHandler(kCmdBuildSheet, [this] { openPatternSheet(false); });
    t.setHandler(kCmdCheckSheet, [this] { openPatternSheet(true); });
    t.update();
}

void cToolWindows::onRequest(const strToolRequest& r) {
    const cProject& doc = session_.document();
    // An empty range means every frame and every cell number.
    const cTimelineRange range =
        r.range.empty() ? cTimelineRange::ofRows(0, cTimelineRange::kEvery) : r.range;
    // The cell of a block or of a row (on the current frame), or none (-1).
    const int cell = r.range.kind() == kRangeCells || r.range.kind() == kRangeRows ? r.range.firstCell() : -1;
    const int frame = r.range.kind() == kRangeCells ? r.range.firstFrame() : session_.currentFrame();
    switch (r.command) {
    case kCmdCellSettings:
        if (cell >= 0) openCell(frame, cell, r.origin);
        break;
    case kCmdFrameTool:
        frameComp_.fillFromTimeline(doc, range);
        openFrameComp(r.origin);
        break;
    case kCmdBatchTool:
        batch_.fillFromTimeline(doc, range);
        openBatch(r.origin);
        break;
    case kCmdIntervalTool:
        interval_.fillFromTimeline(doc, range);
        openInterval(r.origin);
        break;
    case kCmdCellLock:
        if (cell >= 0)
            openLockSingle(cell, r.origin);
        else
            openLockTable(r.origin);
        break;
    case kCmdNewCell:
        if (cell >= 0) newCell(frame, cell, std::nullopt);
        break;
    case kCmdExportPng:
        openExportPng();
        break;
    case kCmdExportGif:
        openExportGif();
        break;
    case kCmdCheckSheet: {
        const strPicture* p = doc.picture(r.picture);
        const std::string path =
            p ? cPictureSlotTable::resolvePicturePath(strSlotSource::of(doc), p->path, true) : std::string();
        openPatternSheet(true, QString::fromStdString(path));
        break;
    }
    default:
        break;
    }
}

template <class T, class Make> T* cToolWindows::show(QPointer<T>& slot, QWidget* origin, Make make) {
    T* w = window_.showModeless(slot, make);
    // The windows stay (hidden) when closed, so a window closed and opened again at once is never
    // deleted under the caller.
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    if (origin && origin->window() != &window_) lockMain(w);
    return w;
}

void cToolWindows::lockMain(QWidget* dialog) {
    if (dialog->property(kLocksMain).toBool()) return;
    dialog->setProperty(kLocksMain, true);
    dialog->installEventFilter(this);
    if (mainLocks_++ == 0) {
        window_.setEnabled(false);
        // Disabling a window disables the windows it owns too; they stay usable.
        for (QWidget* w : window_.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (w->isWindow()) w->setEnabled(true);
    }
}

bool cToolWindows::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::Hide && watched->property(kLocksMain).toBool()) {
        watched->setProperty(kLocksMain, false);
        watched->removeEventFilter(this);
        if (--mainLocks_ == 0) window_.setEnabled(true);
    }
    return QObject::eventFilter(watched, e);
}

QPoint cToolWindows::pointerOrCorner() const {
    const QPoint p = QCursor::pos();
    return window_.frameGeometry().contains(p) ? p : QPoint();
}

cDlg_Cell* cToolWindows::openCell(int frame, int cell, QWidget* origin) {
    cDlg_Cell* d = show(cellDlg_, origin, [this] { return new cDlg_Cell(session_, cell_, &window_); });
    d->openCell(frame, cell);
    // The title names the cell only now.
    window_.reportOpened(d);
    return d;
}

cDlg_FrameComp* cToolWindows::openFrameComp(QWidget* origin) {
    frameComp_.fitToProject(session_.document());
    cDlg_FrameComp* d =
        show(frameDlg_, origin, [this] { return new cDlg_FrameComp(session_, frameComp_, &window_); });
    d->load();
    return d;
}

cDlg_FrameComp* cToolWindows::openFrameCompFor(const std::vector<int>& cells, int first, int last) {
    const cProject& doc = session_.document();
    frameComp_.startFrame = first;
    frameComp_.endFrame = last;
    frameComp_.cellChecks.assign(size_t(std::max(doc.cellNumber(), 0)), 0);
    for (int c : cells)
        if (c >= 0 && c < doc.cellNumber()) frameComp_.cellChecks[size_t(c)] = 1;
    frameComp_.paramChecks.assign(frameComp_.paramChecks.size(), 1);
    return openFrameComp();
}

cDlg_Batch* cToolWindows::openBatch(QWidget* origin) {
    batch_.fitToProject(session_.document());
    cDlg_Batch* d = show(batchDlg_, origin, [this] { return new cDlg_Batch(session_, batch_, &window_); });
    d->load();
    return d;
}

cDlg_SetInterval* cToolWindows::openInterval(QWidget* origin) {
    cDlg_SetInterval* d =
        show(intervalDlg_, origin, [this] { return new cDlg_SetInterval(session_, interval_, &window_); });
    d->load();
    return d;
}

cDlg_Lock* cToolWindows::openLockTable(QWidget* origin) {
    cDlg_Lock* d = show(lockDlg_, origin, [this] { return new cDlg_Lock(session_, &window_); });
    d->load();
    return d;
}

cDlg_LockCell* cToolWindows::openLockSingle(int cell, QWidget* origin) {
    cDlg_LockCell* d = show(lockSingleDlg_, origin, [this] { return new cDlg_LockCell(session_, &window_); });
    d->openFor(cell);
    window_.reportOpened(d);
    return d;
}

cDlg_ExportPng* cToolWindows::openExportPng() {
    const bool first = !pngDlg_;
    cDlg_ExportPng* d =
        show(pngDlg_, nullptr, [this] { return new cDlg_ExportPng(session_, export_, &window_); });
    // The first time beside the main window, clear of the cut range it marks on the canvas.
    if (first) MoveBeside(d, &window_);
    return d;
}

cDlg_ExportGif* cToolWindows::openExportGif() {
    const bool first = !gifDlg_;
    cDlg_ExportGif* d =
        show(gifDlg_, nullptr, [this] { return new cDlg_ExportGif(session_, export_, &window_); });
    if (first) MoveBeside(d, &window_);
    return d;
}

cDlg_PatternSheet* cToolWindows::openPatternSheet(bool checkPage, const QString& path) {
    cDlg_PatternSheet* d =
        show(sheetDlg_, nullptr, [this] { return new cDlg_PatternSheet(session_, &window_); });
    if (checkPage)
        d->showCheckPage(path);
    else
        d->showBuildPage();
    return d;
}

cDlg_CellNumberChooser* cToolWindows::openChooser(eChooserRole role, QPoint globalPos,
                                                  std::optional<QPoint> at) {
    if (chooser_) chooser_->close();
    const bool atPointer = !globalPos.isNull();
    const QPoint place = atPointer ? globalPos : window_.canvas()->mapToGlobal(QPoint(0, 0));
    auto* c = new cDlg_CellNumberChooser(session_.document(), session_.currentFrame(), &window_);
    chooser_ = c;
    c->setTitle(DialogText(role == kChoosePaste ? kDlgPasteIntoCell : kDlgNewCellAt));
    connect(c, &cDlg_CellNumberChooser::chosen, this, [this, role, at](int cell) { choose(role, cell, at); });
    c->popup(place, atPointer);
    session_.showStatus(role == kChoosePaste ? tr("Choose the cell number to paste into (Escape cancels)")
                                             : tr("Choose the cell number of the new cell (Escape cancels)"));
    return c;
}

void cToolWindows::choose(eChooserRole role, int cell, std::optional<QPoint> at) {
    cSession& s = session_;
    if (role == kChoosePaste) {
        const strCanvasPoint point{at ? at->x() : 0, at ? at->y() : 0};
        s.report(s.clipCommands().pasteCells(cell, at ? &point : nullptr));
        return;
    }
    newCell(s.currentFrame(), cell, at);
}

void cToolWindows::newCell(int frame, int cell, std::optional<QPoint> at) {
    cSession& s = session_;
    cProject& doc = s.document();
    if (cell < 0 || cell >= doc.cellNumber() || !doc.frame(frame)) return;
    s.setCurrentFrame(frame);
    // At the pointer when known, else at the origin.
    s.report(s.commands().newCell(cell, at ? at->x() : 0, at ? at->y() : 0));
}
