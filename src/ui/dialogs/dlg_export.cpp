#include "ui/dialogs/dlg_export.h"

#include "config/config.h"
#include "document/project.h"
#include "ui/dialogs/dialog_helpers.h"
#include "ui/dialogs/dialog_texts.h"
#include "ui/dialogs/dlg_progress.h"
#include "ui/dialogs/export_options.h"
#include "ui/platform/prompts.h"
#include "ui/session/session.h"
#include "ui/session/ui_messages.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

cDlg_Export::cDlg_Export(cSession& session, strExportSettings& settings, QWidget* parent)
    : QDialog(parent), session_(session), settings_(settings) {}

void cDlg_Export::finishLayout(QBoxLayout* options) {
    auto* box = Named(new QGroupBox(tr("Area"), this), QStringLiteral("exportCutBox"), tr("Area to export"));
    auto* grid = new QGridLayout(box);
    left_ = RangeSpin(box, -1024, 1024, QStringLiteral("exportLeft"), tr("Left"));
    top_ = RangeSpin(box, -1024, 1024, QStringLiteral("exportTop"), tr("Top"));
    width_ = RangeSpin(box, -1024, 1024, QStringLiteral("exportWidth"), tr("Width"));
    height_ = RangeSpin(box, -1024, 1024, QStringLiteral("exportHeight"), tr("Height"));
    auto* autoButton = Named(new QPushButton(tr("Fit"), box), QStringLiteral("exportAuto"), tr("Fit"));
    autoButton->setAutoDefault(false);
    grid->addWidget(new QLabel(tr("Left, top"), box), 0, 0);
    grid->addWidget(left_, 0, 1);
    grid->addWidget(top_, 0, 2);
    grid->addWidget(new QLabel(tr("Width, height"), box), 1, 0);
    grid->addWidget(width_, 1, 1);
    grid->addWidget(height_, 1, 2);
    grid->addWidget(autoButton, 0, 3, 2, 1);
    for (QSpinBox* s : {left_, top_, width_, height_})
        connect(s, &QSpinBox::valueChanged, this, [this] {
            storedCut() = cutRange();
            cutChosen() = true;
            showCut();
        });
    connect(autoButton, &QPushButton::clicked, this, &cDlg_Export::autoRange);

    background_ = Named(new QPushButton(this), QStringLiteral("exportBackground"), tr("Background colour"));
    background_->setAutoDefault(false);
    connect(background_, &QPushButton::clicked, this, [this] {
        cConfig& c = session_.config();
        const QColor chosen = session_.prompts().colour(FromWindowsColour(c.CTrans));
        if (!chosen.isValid()) return;
        c.CTrans = ToWindowsColour(chosen);
        showBackground();
    });
    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(new QLabel(tr("Background colour"), this));
    colourRow->addWidget(background_, 1);

    auto* exportButton =
        Named(new QPushButton(tr("Export"), this), QStringLiteral("exportRun"), tr("Export"));
    auto* close = Named(new QPushButton(tr("Close"), this), QStringLiteral("exportClose"), tr("Close"));
    exportButton->setDefault(true);
    close->setAutoDefault(false);
    connect(exportButton, &QPushButton::clicked, this, &cDlg_Export::exportFile);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(exportButton);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(options);
    layout->addWidget(box);
    layout->addLayout(colourRow);
    layout->addLayout(buttons);

    // A window opened for the first time frames every cell.
    setCut(storedCut());
    if (!cutChosen()) autoRange();
    showBackground();
}

strCutRange cDlg_Export::cutRange() const {
    return {left_->value(), top_->value(), width_->value(), height_->value()};
}

void cDlg_Export::setCut(const strCutRange& r) {
    for (QSpinBox* s : {left_, top_, width_, height_})
        s->blockSignals(true);
    left_->setValue(r.left);
    top_->setValue(r.top);
    width_->setValue(r.width);
    height_->setValue(r.height);
    for (QSpinBox* s : {left_, top_, width_, height_})
        s->blockSignals(false);
    storedCut() = cutRange();
    showCut();
}

bool cDlg_Export::autoRange() {
    strCutRange r = cutRange();
    if (!ComputeAutoCutRange(session_.document(), session_.pictureSlots(), r)) return false;
    cutChosen() = true;
    setCut(r);
    return true;
}

void cDlg_Export::showCut() {
    if (!isVisible()) return;
    strCanvasOverlays o = session_.overlays();
    o.cutRange = true;
    const strCutRange r = cutRange();
    o.cutArea = QRect(r.left, r.top, r.width, r.height).normalized();
    session_.setOverlays(o);
}

void cDlg_Export::showBackground() {
    const uint32_t c = session_.config().CTrans;
    background_->setText(QString::asprintf("0x%06x", c));
    QPixmap swatch(16, 16);
    swatch.fill(FromWindowsColour(c));
    background_->setIcon(QIcon(swatch));
}

void cDlg_Export::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    showCut();
}

void cDlg_Export::changeEvent(QEvent* e) {
    QDialog::changeEvent(e);
    // With both export windows open, the canvas shows the range of the one in use.
    if (e->type() == QEvent::ActivationChange && isActiveWindow()) showCut();
}

void cDlg_Export::hideEvent(QHideEvent* e) {
    storeOptions();
    QDialog::hideEvent(e);
    if (parentWidget())
        for (cDlg_Export* other : parentWidget()->findChildren<cDlg_Export*>(Qt::FindDirectChildrenOnly))
            if (other != this && other->isVisible()) {
                other->showCut();
                return;
            }
    strCanvasOverlays o = session_.overlays();
    if (o.cutRange) {
        o.cutRange = false;
        session_.setOverlays(o);
    }
}

QString cDlg_Export::proposedPath() const {
    const cProject& doc = session_.document();
    QString base =
        QFileInfo(FromDocument(doc.text(kTextFileName), session_.config().Locale)).completeBaseName();
    if (base.isEmpty()) base = QStringLiteral("animation");
    const QString folder = settings_.folder.isEmpty() ? session_.dialogFolder() : settings_.folder;
    return QDir(folder).filePath(base + QLatin1Char('.') + suffix());
}

cDlg_Progress* cDlg_Export::exportFile() {
    if (exporting_) return nullptr;
    // As every command does; the worker then has the document to itself.
    session_.stopPlayback();
    storeOptions();
    const QString path = session_.prompts().saveFileName(proposedPath(), filter(), suffix());
    if (path.isEmpty()) return nullptr;
    settings_.folder = QFileInfo(path).absolutePath();
    path_ = path.toStdString();

    auto worker = std::make_unique<cExportWorker>();
    strCaptureRequest r = request(path.toStdString(), RgbOfWindowsColour(session_.config().CTrans));
    r.project = &session_.document();
    r.pictures = &session_.pictureSlots();
    if (!worker->capture().begin(r)) {
        QApplication::beep();
        session_.showStatus(
            DialogMessage(kDlgCannotExport, {LibraryMessage(worker->capture().lastReason()).toStdString()}));
        return nullptr;
    }
    auto* progress = new cDlg_Progress(std::move(worker), parentWidget());
    connect(progress, &cDlg_Progress::ended, this, &cDlg_Export::ended);
    exporting_ = true;
    hide();
    if (!progress->start()) {
        strExportOutcome failed;
        failed.result = eExportResult::kFailed;
        failed.failedPath = path.toStdString();
        failed.reason = tr("The export could not be started.").toStdString();
        delete progress;
        ended(failed);
        return nullptr;
    }
    return progress;
}

void cDlg_Export::ended(const strExportOutcome& o) {
    exporting_ = false;
    switch (o.result) {
    case eExportResult::kCompleted:
        QApplication::beep();
        session_.showStatus(DialogText(kDlgCompleted));
        close();
        // The images hold every cell but those of pictures that are not loaded; say which.
        session_.reportLosses(
            session_.workspace().missingPictures(session_.document(), session_.pictureSlots()));
        return;
    case eExportResult::kFailed: {
        const std::string file = o.failedPath.empty() ? path_ : o.failedPath;
        session_.showStatus(DialogMessage(kDlgWriteFailedStatus, {file}));
        const std::string why =
            o.reasonMessage.none() ? o.reason : LibraryMessage(o.reasonMessage).toStdString();
        session_.prompts().message(DialogMessage(kDlgWriteFailed, {file, why}), cPrompts::kError);
        break;
    }
    default:
        session_.prompts().message(DialogText(kDlgInterrupted), cPrompts::kReport);
        break;
    }
    show();
    raise();
}
