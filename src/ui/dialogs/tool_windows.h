#pragma once
// The tool and export windows of the main window: the cell window, the cell-number chooser, the two
// lock windows, frame compensation, batch, interval, and the PNG and GIF export windows. This object
// carries out the commands that open them and the requests of other windows
// (cSession::toolRequested), keeps each tool's state between openings, and opens every window once
// (a second "open" brings it to the front). A window opened on behalf of a window other than the main
// window disables the main window until it closes.

#include "tools/batch_edit.h"
#include "tools/cell_edit.h"
#include "tools/frame_comp.h"
#include "ui/dialogs/export_options.h"

#include <QObject>
#include <QPoint>
#include <QPointer>

#include <optional>
#include <vector>

class cDlg_Batch;
class cDlg_Cell;
class cDlg_CellNumberChooser;
class cDlg_ExportGif;
class cDlg_ExportPng;
class cDlg_PatternSheet;
class cDlg_Lock;
class cDlg_LockCell;
class cDlg_FrameComp;
class cDlg_SetInterval;
class cMainWindow;
class cSession;
class QWidget;
struct strToolRequest;

class cToolWindows : public QObject {
    Q_OBJECT
  public:
    // What a cell number chosen in the chooser is for.
    enum eChooserRole { kChooseNew, kChoosePaste };

    explicit cToolWindows(cMainWindow& window);
    ~cToolWindows() override;

    // origin: the widget that asked (null: the main window itself).
    cDlg_Cell* openCell(int frame, int cell, QWidget* origin = nullptr);
    cDlg_FrameComp* openFrameComp(QWidget* origin = nullptr);
    // The tween window for the cell numbers `cells` over frames first..last, every value ticked: the
    // Tween command with cells selected on the canvas (the main window asks, so it stays usable).
    cDlg_FrameComp* openFrameCompFor(const std::vector<int>& cells, int first, int last);
    cDlg_Batch* openBatch(QWidget* origin = nullptr);
    cDlg_SetInterval* openInterval(QWidget* origin = nullptr);
    cDlg_Lock* openLockTable(QWidget* origin = nullptr);
    cDlg_LockCell* openLockSingle(int cell, QWidget* origin = nullptr);
    cDlg_ExportPng* openExportPng();
    cDlg_ExportGif* openExportGif();
    // The pattern sheet window on its build page, or on its check page (checking path when given).
    cDlg_PatternSheet* openPatternSheet(bool checkPage = false, const QString& path = QString());
    // The chooser at a screen point, or (null point) at the canvas's top-left corner.
    // at, when given, is where the new cell or a single pasted cell goes (animation coordinates).
    cDlg_CellNumberChooser* openChooser(eChooserRole role, QPoint globalPos, std::optional<QPoint> at = {});
    // A cell number chosen: a new cell there on the current frame, or the paste with it as the base.
    void choose(eChooserRole role, int cell, std::optional<QPoint> at = {});
    // A cell with the new-cell defaults (at `at` when given) at cell number `cell` of `frame`, as one
    // undo step, made current and the only selected cell; an existing cell is only selected.
    void newCell(int frame, int cell, std::optional<QPoint> at);

    void onRequest(const strToolRequest& r);

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

    // The states kept between openings.
    cFrameComp& frameComp() { return frameComp_; }
    cBatchEdit& batch() { return batch_; }
    cIntervalSetting& interval() { return interval_; }
    strExportSettings& exportSettings() { return export_; }

  private:
    void installCommands();
    // Shows a window (made by make the first time), disabling the main window when origin lies in
    // another window.
    template <class T, class Make> T* show(QPointer<T>& slot, QWidget* origin, Make make);
    void lockMain(QWidget* dialog);
    QPoint pointerOrCorner() const;

    cMainWindow& window_;
    cSession& session_;
    cCellEdit cell_;
    cFrameComp frameComp_;
    cBatchEdit batch_;
    cIntervalSetting interval_;
    strExportSettings export_;
    int mainLocks_ = 0;

    QPointer<cDlg_Cell> cellDlg_;
    QPointer<cDlg_FrameComp> frameDlg_;
    QPointer<cDlg_Batch> batchDlg_;
    QPointer<cDlg_SetInterval> intervalDlg_;
    QPointer<cDlg_Lock> lockDlg_;
    QPointer<cDlg_LockCell> lockSingleDlg_;
    QPointer<cDlg_ExportPng> pngDlg_;
    QPointer<cDlg_ExportGif> gifDlg_;
    QPointer<cDlg_PatternSheet> sheetDlg_;
    QPointer<cDlg_CellNumberChooser> chooser_;
};
