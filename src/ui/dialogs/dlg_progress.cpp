#include "ui/dialogs/dlg_progress.h"

#include "ui/dialogs/dialog_helpers.h"
#include "ui/dialogs/dialog_texts.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>

namespace {
constexpr int kRefreshMs = 400;
}

cDlg_Progress::cDlg_Progress(std::unique_ptr<cExportWorker> worker, QWidget* parent)
    : QDialog(parent), worker_(std::move(worker)) {
    setObjectName(QStringLiteral("progressDialog"));
    setAccessibleName(tr("Export progress"));
    setWindowModality(Qt::ApplicationModal);
    total_ = worker_->totalImages();
    bar_ = Named(new QProgressBar(this), QStringLiteral("progressBar"), tr("Pictures done"));
    bar_->setRange(0, total_);
    bar_->setMinimumWidth(240);
    abort_ = Named(new QPushButton(DialogText(kDlgAbort), this), QStringLiteral("progressAbort"),
                   DialogText(kDlgAbort));
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(bar_, 1);
    layout->addWidget(abort_);
    connect(abort_, &QPushButton::clicked, this, &cDlg_Progress::reject);
    timer_.setInterval(kRefreshMs);
    connect(&timer_, &QTimer::timeout, this, [this] { showCount(worker_->doneCount()); });
    showCount(0);
}

cDlg_Progress::~cDlg_Progress() {
    if (stopper_.joinable()) stopper_.join();
    worker_.reset();
}

bool cDlg_Progress::start() {
    worker_->setCompletion([this](const strExportOutcome&) {
        QMetaObject::invokeMethod(this, &cDlg_Progress::finish, Qt::QueuedConnection);
    });
    if (!worker_->start()) return false;
    show();
    timer_.start();
    return true;
}

void cDlg_Progress::showCount(int done) {
    const QString text = DialogMessage(kDlgProgressTitle, {done, total_});
    setWindowTitle(text);
    // The count stands in the bar too, for window managers that show no title.
    bar_->setFormat(text);
    bar_->setValue(done);
}

void cDlg_Progress::reject() {
    if (stopping_ || ended_) return;
    // The window stays until the worker has stopped; finish() closes it.
    stopping_ = true;
    abort_->setEnabled(false);
    stopper_ = std::thread([this] {
        worker_->stop();
        QMetaObject::invokeMethod(this, &cDlg_Progress::finish, Qt::QueuedConnection);
    });
}

void cDlg_Progress::closeEvent(QCloseEvent* e) {
    // The window closes once the worker has ended.
    if (!ended_) {
        e->ignore();
        reject();
        return;
    }
    e->accept();
}

void cDlg_Progress::finish() {
    if (ended_) return;
    if (stopping_ && stopper_.joinable()) stopper_.join();
    worker_->wait();
    ended_ = true;
    timer_.stop();
    outcome_ = worker_->outcome();
    showCount(outcome_.images);
    // Hidden first: what the export window says about the outcome stands alone.
    hide();
    emit ended(outcome_);
    deleteLater();
}
