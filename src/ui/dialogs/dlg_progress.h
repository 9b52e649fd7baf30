#pragma once
// The progress window of an export: runs the export worker on its own thread and shows
// "In progress(%d/%d)" every 400 ms. "Abort" (or closing the window) stops the worker cooperatively:
// the worker ends after the image it is working on, on a helper thread, so the window never waits.
// ended() reports how the export ended; the window then closes itself.
//
// The worker reads the document and the picture slots, so the window runs application-modal: nothing
// may change them until it has ended.

#include "export/export_worker.h"

#include <QDialog>
#include <QTimer>

#include <memory>
#include <thread>

class QProgressBar;
class QPushButton;

class cDlg_Progress : public QDialog {
    Q_OBJECT
  public:
    // worker: prepared (its capture's Begin succeeded).
    cDlg_Progress(std::unique_ptr<cExportWorker> worker, QWidget* parent);
    ~cDlg_Progress() override;

    // Shows the window and starts the worker; false (nothing shown) when the thread cannot start.
    bool start();
    const strExportOutcome& outcome() const { return outcome_; }
    int doneCount() const { return worker_->doneCount(); }
    int total() const { return total_; }

  signals:
    void ended(const strExportOutcome& outcome);

  public slots:
    // "Abort", Esc and the window's close button.
    void reject() override;

  protected:
    void closeEvent(QCloseEvent* e) override;

  private:
    void showCount(int done);
    void finish();

    std::unique_ptr<cExportWorker> worker_;
    std::thread stopper_;
    QTimer timer_;
    QProgressBar* bar_;
    QPushButton* abort_;
    int total_ = 0;
    bool stopping_ = false;
    bool ended_ = false;
    strExportOutcome outcome_;
};
