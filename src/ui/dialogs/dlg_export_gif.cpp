#include "ui/dialogs/dlg_export_gif.h"

#include "ui/dialogs/dialog_helpers.h"
#include "ui/dialogs/dialog_texts.h"
#include "ui/dialogs/export_options.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
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
    format_ = Named(new QComboBox(this), QStringLiteral("animationFormat"), tr("File format"));
    format_->addItems({tr("Animated GIF"), tr("Animated PNG"), tr("Animated WebP")});
    format_->setCurrentIndex(int(o.format));
    lossy_ = check(QT_TR_NOOP("Lossy"), "webpLossy", o.webpLossy);
    quality_ = RangeSpin(this, 0, 100, QStringLiteral("webpQuality"), tr("Quality"));
    quality_->setValue(o.webpQuality);
    connect(format_, &QComboBox::currentIndexChanged, this, &cDlg_ExportGif::showFormat);
    connect(lossy_, &QCheckBox::toggled, this, &cDlg_ExportGif::showFormat);
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

    auto* formatRow = new QHBoxLayout;
    formatRow->addWidget(new QLabel(tr("Format"), this));
    formatRow->addWidget(format_);
    formatRow->addWidget(lossy_);
    formatRow->addWidget(new QLabel(tr("Quality"), this));
    formatRow->addWidget(quality_);
    formatRow->addStretch(1);
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
    options->addLayout(formatRow);
    options->addLayout(grid);
    finishLayout(options);
    showFormat();
}

void cDlg_ExportGif::setFormat(eAnimationFormat format) {
    format_->setCurrentIndex(int(format));
}

void cDlg_ExportGif::showFormat() {
    const auto format = eAnimationFormat(format_->currentIndex());
    const bool webp = format == eAnimationFormat::kWebp;
    lossy_->setEnabled(webp);
    quality_->setEnabled(webp && lossy_->isChecked());
    wholeFrames_->setEnabled(format == eAnimationFormat::kGif);
    transparent_->setText(format == eAnimationFormat::kGif ? tr("Transparent background")
                                                           : tr("Transparent background (full alpha)"));
}

void cDlg_ExportGif::storeOptions() {
    strGifExportOptions& o = options_;
    o.format = eAnimationFormat(format_->currentIndex());
    o.webpLossy = lossy_->isChecked();
    o.webpQuality = quality_->value();
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
    const auto format = eAnimationFormat(format_->currentIndex());
    return DialogText(format == eAnimationFormat::kApng   ? kDlgApngFilter
                      : format == eAnimationFormat::kWebp ? kDlgWebpFilter
                                                          : kDlgGifFilter);
}
QString cDlg_ExportGif::suffix() const {
    const auto format = eAnimationFormat(format_->currentIndex());
    return format == eAnimationFormat::kApng   ? QStringLiteral("png")
           : format == eAnimationFormat::kWebp ? QStringLiteral("webp")
                                               : QStringLiteral("gif");
}

strCaptureRequest cDlg_ExportGif::request(const std::string& path, uint32_t backgroundRgb) const {
    return GifRequest(options_, path, backgroundRgb);
}
