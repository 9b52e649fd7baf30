#include "ui/dialogs/dlg_export_gif.h"

#include "ui/dialogs/dialog_helpers.h"
#include "ui/dialogs/dialog_texts.h"
#include "ui/dialogs/export_options.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QSpinBox>

cDlg_ExportGif::cDlg_ExportGif(cSession& session, strExportSettings& settings, QWidget* parent)
    : cDlg_Export(session, settings, parent), options_(settings.gif) {
    setObjectName(QStringLiteral("exportGifDialog"));
    setAccessibleName(DialogText(kDlgGifTitle));
    setWindowTitle(DialogText(kDlgGifTitle));
    auto check = [this](const char* text, const char* name, bool on) {
        auto* c = Named(new QCheckBox(tr(text), this), QString::fromLatin1(name), tr(text));
        c->setChecked(on);
        return c;
    };
    const strGifExportOptions& o = options_;
    fps_ = RangeSpin(this, 1, 1000, QStringLiteral("gifFps"), tr("Ticks per second"));
    fps_->setValue(o.fps);
    limit6_ = check(QT_TR_NOOP("At least 6/100 s per step"), "gifLimit6", o.limit6);
    transparent_ = check(QT_TR_NOOP("Transparent background"), "gifTransparent", o.transparent);
    zoom_ = RangeSpin(this, 1, 200, QStringLiteral("gifZoom"), tr("Zoom"));
    zoom_->setSuffix(QStringLiteral("%"));
    zoom_->setValue(o.zoom);
    flash_ = check(QT_TR_NOOP("Flashes"), "gifFlash", o.flash);
    target_ = check(QT_TR_NOOP("Target picture"), "gifTarget", o.target);
    wholeFrames_ = check(QT_TR_NOOP("Write whole frames"), "gifWholeFrames", o.wholeFrames);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("Speed"), this), 0, 0);
    grid->addWidget(fps_, 0, 1);
    grid->addWidget(new QLabel(tr("ticks per second"), this), 0, 2);
    grid->addWidget(limit6_, 1, 0, 1, 3);
    grid->addWidget(new QLabel(tr("Zoom"), this), 2, 0);
    grid->addWidget(zoom_, 2, 1);
    grid->addWidget(transparent_, 3, 0, 1, 3);
    grid->addWidget(flash_, 4, 0, 1, 3);
    grid->addWidget(target_, 5, 0, 1, 3);
    grid->addWidget(wholeFrames_, 6, 0, 1, 3);
    auto* options = new QVBoxLayout;
    options->addLayout(grid);
    finishLayout(options);
}

void cDlg_ExportGif::storeOptions() {
    strGifExportOptions& o = options_;
    o.fps = fps_->value();
    o.limit6 = limit6_->isChecked();
    o.transparent = transparent_->isChecked();
    o.zoom = zoom_->value();
    o.flash = flash_->isChecked();
    o.target = target_->isChecked();
    o.wholeFrames = wholeFrames_->isChecked();
}

strCutRange& cDlg_ExportGif::storedCut() {
    return options_.cut;
}
bool& cDlg_ExportGif::cutChosen() {
    return options_.cutChosen;
}
QString cDlg_ExportGif::filter() const {
    return DialogText(kDlgGifFilter);
}
QString cDlg_ExportGif::suffix() const {
    return QStringLiteral("gif");
}

strCaptureRequest cDlg_ExportGif::request(const std::string& path, uint32_t backgroundRgb) const {
    return GifRequest(options_, path, backgroundRgb);
}
