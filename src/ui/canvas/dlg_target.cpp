#include "ui/canvas/dlg_target.h"

#include "config/config.h"
#include "image/picture_loader.h"
#include "ui/canvas/canvas_messages.h"
#include "ui/canvas/file_row.h"
#include "ui/dialogs/dialog_helpers.h"
#include "ui/session/session.h"
#include "ui/session/ui_messages.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QSlider>

cDlg_Target::cDlg_Target(cSession& session, QWidget* parent) : QDialog(parent), session_(session) {
    Named(this, QStringLiteral("targetWindow"), CanvasString(kCanvasTargetTitle));
    setWindowTitle(CanvasString(kCanvasTargetTitle));
    file_ =
        new cFileRow(session.prompts(), CanvasString(kCanvasImageFilter), QStringLiteral("targetFile"), this);
    x_ = RangeSpin(this, -1024, 1024, QStringLiteral("targetX"), tr("Target offset x"));
    y_ = RangeSpin(this, -1024, 1024, QStringLiteral("targetY"), tr("Target offset y"));
    opacity_ = RangeSpin(this, 0, 255, QStringLiteral("targetOpacity"), CanvasString(kCanvasOpacity));
    auto* slider = Named(new QSlider(Qt::Horizontal, this), QStringLiteral("targetOpacitySlider"),
                         CanvasString(kCanvasOpacity));
    slider->setRange(0, 255);
    auto* position = new QHBoxLayout;
    position->addWidget(x_);
    position->addWidget(y_);
    auto* opacity = new QHBoxLayout;
    opacity->addWidget(slider, 1);
    opacity->addWidget(opacity_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto* form = new QFormLayout(this);
    form->addRow(CanvasString(kCanvasFile), file_);
    form->addRow(CanvasString(kCanvasPosition), position);
    form->addRow(CanvasString(kCanvasOpacity), opacity);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    connect(file_, &cFileRow::chosen, this, &cDlg_Target::setPicture);
    cConfig& c = session_.config();
    auto store = [this, &c] {
        c.TargetPostX = x_->value();
        c.TargetPostY = y_->value();
        c.TargetOpacity = uint8_t(opacity_->value());
        session_.viewSettingsChanged();
    };
    connect(x_, &QSpinBox::valueChanged, this, store);
    connect(y_, &QSpinBox::valueChanged, this, store);
    connect(opacity_, &QSpinBox::valueChanged, this, store);
    connect(opacity_, &QSpinBox::valueChanged, slider, &QSlider::setValue);
    connect(slider, &QSlider::valueChanged, opacity_, &QSpinBox::setValue);
    connect(&session_, &cSession::changed, this, [this](unsigned flags) {
        if (flags & kChangeView) refresh();
    });
    refresh();
}

void cDlg_Target::refresh() {
    const cConfig& c = session_.config();
    const QSignalBlocker b1(x_), b2(y_);
    file_->setPath(QString::fromStdString(c.TargetPath));
    x_->setValue(c.TargetPostX);
    y_->setValue(c.TargetPostY);
    opacity_->setValue(c.TargetOpacity);
}

bool cDlg_Target::setPicture(const QString& path) {
    cConfig& c = session_.config();
    const std::string before = c.TargetPath;
    c.TargetPath = path.toStdString();
    const bool ok = session_.pictureSlots().updateTarget(c);
    if (!ok) {
        const strMessage why = LoadFailureMessage(session_.pictureSlots().lastLoad());
        c.TargetPath = before;
        session_.pictureSlots().updateTarget(c);
        session_.showStatus(
            UiMessage(kUiReadingFailed, {path.toStdString(), LibraryMessage(why).toStdString()}));
    }
    session_.viewSettingsChanged();
    return ok;
}
