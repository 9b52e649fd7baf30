#include "ui/canvas/dlg_gif_draft.h"

#include "config/config.h"
#include "ui/canvas/canvas.h"
#include "ui/canvas/canvas_messages.h"
#include "ui/canvas/file_row.h"
#include "ui/dialogs/dialog_helpers.h"
#include "ui/session/session.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QSpinBox>

#include <cmath>

cDlg_GifDraft::cDlg_GifDraft(cSession& session, cCanvas& canvas, QWidget* parent)
    : QDialog(parent), session_(session), canvas_(canvas) {
    Named(this, QStringLiteral("gifDraftWindow"), CanvasString(kCanvasGifTitle));
    setWindowTitle(CanvasString(kCanvasGifTitle));
    file_ = new cFileRow(session.prompts(), CanvasString(kCanvasGifFilter), QStringLiteral("gifFile"), this);
    speed_ = RangeSpin(this, 0, 1000, QStringLiteral("gifSpeed"), CanvasString(kCanvasSpeed));
    x_ = RangeSpin(this, -1024, 1024, QStringLiteral("gifX"), tr("GIF draft centre x"));
    y_ = RangeSpin(this, -1024, 1024, QStringLiteral("gifY"), tr("GIF draft centre y"));
    angle_ = RangeSpin(this, -180, 180, QStringLiteral("gifAngle"), CanvasString(kCanvasAngle));
    scale_ = RangeSpin(this, 1, 1000, QStringLiteral("gifScale"), CanvasString(kCanvasScale));
    start_ = RangeSpin(this, 0, 65535, QStringLiteral("gifStartFrame"), CanvasString(kCanvasStartFrame));
    opacity_ = RangeSpin(this, 0, 255, QStringLiteral("gifOpacity"), CanvasString(kCanvasOpacity));
    auto* position = new QHBoxLayout;
    position->addWidget(x_);
    position->addWidget(y_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto* form = new QFormLayout(this);
    form->addRow(CanvasString(kCanvasFile), file_);
    form->addRow(CanvasString(kCanvasSpeed), speed_);
    form->addRow(CanvasString(kCanvasPosition), position);
    form->addRow(CanvasString(kCanvasAngle), angle_);
    form->addRow(CanvasString(kCanvasScale), scale_);
    form->addRow(CanvasString(kCanvasStartFrame), start_);
    form->addRow(CanvasString(kCanvasOpacity), opacity_);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    connect(file_, &cFileRow::chosen, this, [this](const QString& path) {
        if (!canvas_.setGifDraftPath(path, true)) refresh();
    });
    for (QSpinBox* spin : {speed_, x_, y_, angle_, scale_, start_, opacity_})
        connect(spin, &QSpinBox::valueChanged, this, &cDlg_GifDraft::store);
    connect(&session_, &cSession::changed, this, [this](unsigned flags) {
        if (flags & kChangeView) refresh();
    });
    refresh();
}

void cDlg_GifDraft::refresh() {
    const cConfig& c = session_.config();
    const strGifDraftPlacement& at = canvas_.gifDraft().placement;
    const QSignalBlocker b1(speed_), b2(x_), b3(y_), b4(angle_), b5(scale_), b6(start_), b7(opacity_);
    file_->setPath(QString::fromStdString(c.GIFPath));
    speed_->setValue(c.GIFSpeed);
    x_->setValue(int(std::lround(at.x)));
    y_->setValue(int(std::lround(at.y)));
    angle_->setValue(at.angle);
    scale_->setValue(int(std::lround(at.scale * 100)));
    start_->setValue(at.startFrame);
    opacity_->setValue(canvas_.gifDraft().opacity);
}

void cDlg_GifDraft::store() {
    session_.config().GIFSpeed = speed_->value();
    strGifDraftPlacement& at = canvas_.gifDraft().placement;
    at.x = x_->value();
    at.y = y_->value();
    at.angle = angle_->value();
    at.scale = scale_->value() / 100.0;
    at.startFrame = start_->value();
    canvas_.gifDraft().opacity = opacity_->value();
    session_.viewSettingsChanged();
}
