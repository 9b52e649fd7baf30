#include "ui/canvas/dlg_spline.h"

#include "tools/spline.h"
#include "ui/canvas/canvas_messages.h"
#include "ui/dialogs/dialog_helpers.h"
#include "ui/session/session.h"
#include "ui/session/ui_messages.h"

#include <QCheckBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>

cDlg_Spline::cDlg_Spline(cSession& session, cSpline& spline, QWidget* parent)
    : QDialog(parent, Qt::Tool), session_(session), spline_(spline) {
    Named(this, QStringLiteral("splineDialog"), tr("Spline curve"));
    frames_ = RangeSpin(this, 0, 0, QStringLiteral("splineFrames"), CanvasString(kCanvasSplineFrames));
    grid_ = Named(new QCheckBox(CanvasString(kCanvasSplineGrid), this), QStringLiteral("splineGrid"),
                  CanvasString(kCanvasSplineGrid));
    auto* runButton = Named(new QPushButton(CanvasString(kCanvasSplineRun), this),
                            QStringLiteral("splineRun"), CanvasString(kCanvasSplineRun));
    auto* cancel = Named(new QPushButton(CanvasString(kCanvasCancel), this), QStringLiteral("splineCancel"),
                         CanvasString(kCanvasCancel));
    runButton->setDefault(true);
    auto* form = new QFormLayout(this);
    form->addRow(CanvasString(kCanvasSplineFrames), frames_);
    form->addRow(grid_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(runButton);
    buttons->addWidget(cancel);
    form->addRow(buttons);
    connect(frames_, &QSpinBox::valueChanged, this, [this](int n) {
        spline_.frames = n;
        emit previewChanged();
    });
    connect(grid_, &QCheckBox::toggled, this, [this](bool on) {
        spline_.snap = on;
        emit previewChanged();
    });
    connect(runButton, &QPushButton::clicked, this, &cDlg_Spline::run);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void cDlg_Spline::fill() {
    const QSignalBlocker b1(frames_), b2(grid_);
    setWindowTitle(tr("Spline curve: cell %1").arg(spline_.cell));
    frames_->setRange(0, spline_.maxFrames(session_.document()));
    frames_->setValue(spline_.frames);
    grid_->setChecked(spline_.snap);
}

void cDlg_Spline::run() {
    spline_.frames = frames_->value();
    spline_.snap = grid_->isChecked();
    strToolContext ctx;
    ctx.doc = &session_.document();
    session_.report(spline_.run(ctx));
    accept();
}

bool cDlg_Spline::event(QEvent* e) {
    // The window closes as soon as another window takes the activation.
    if (e->type() == QEvent::WindowDeactivate && isVisible()) reject();
    return QDialog::event(e);
}

void cDlg_Spline::hideEvent(QHideEvent* e) {
    spline_.frames = frames_->value();
    QDialog::hideEvent(e);
    emit previewChanged();
}
