#include "ui/dialogs/dlg_frame_comp.h"

#include "config/config.h"
#include "document/project.h"
#include "tools/cell_params.h"
#include "tools/frame_comp.h"
#include "ui/dialogs/check_list.h"
#include "ui/dialogs/curve_edit.h"
#include "ui/dialogs/dialog_helpers.h"
#include "ui/dialogs/dialog_texts.h"
#include "ui/session/session.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>

namespace {
// Labels of the parameter groups, in the order of eTweenGroup.
constexpr const char* kGroupLabels[kTweenGroupCount] = {
    QT_TRANSLATE_NOOP("cDlg_FrameComp", "Position"), QT_TRANSLATE_NOOP("cDlg_FrameComp", "Scale"),
    QT_TRANSLATE_NOOP("cDlg_FrameComp", "Angle"), QT_TRANSLATE_NOOP("cDlg_FrameComp", "Opacity"),
    QT_TRANSLATE_NOOP("cDlg_FrameComp", "Tone")};
} // namespace

cDlg_FrameComp::cDlg_FrameComp(cSession& session, cFrameComp& state, QWidget* parent)
    : cDlg_Tool(session, QStringLiteral("frameCompDialog"), DialogText(kDlgFrameCompTitle), parent),
      state_(state) {
    cells_ = new cCheckList(QStringLiteral("frameCompCells"), tr("Cell numbers"), this);
    params_ = new cCheckList(QStringLiteral("frameCompParams"), tr("Values"), this);
    start_ = RangeSpin(this, 0, 0, QStringLiteral("frameCompStart"), tr("Start frame"));
    end_ = RangeSpin(this, 0, 0, QStringLiteral("frameCompEnd"), tr("End frame"));
    method_ = ListCombo(this, cFrameComp::kMethodList, QStringLiteral("frameCompMethod"), tr("Method"));

    auto* lists = new QHBoxLayout;
    for (auto [title, list] :
         {std::pair{QT_TR_NOOP("Cell numbers"), cells_}, std::pair{QT_TR_NOOP("Values"), params_}}) {
        auto* box = new QGroupBox(tr(title), this);
        (new QVBoxLayout(box))->addWidget(list);
        lists->addWidget(box);
    }
    auto* frames = new QHBoxLayout;
    frames->addWidget(start_);
    frames->addWidget(new QLabel(tr("to"), this));
    frames->addWidget(end_);
    frames->addStretch(1);
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->addRow(tr("Frames"), frames);
    form->addRow(tr("Method"), method_);

    // Easing: one choice per group on the left, the curve of one group on the right.
    auto* easing = Named(new QGroupBox(tr("Easing"), this), QStringLiteral("frameCompEasing"), tr("Easing"));
    auto* choices = new QGridLayout;
    for (int g = 0; g < kTweenGroupCount; ++g) {
        const QString label = tr(kGroupLabels[g]);
        ease_[size_t(g)] = ListCombo(easing, cFrameComp::kEaseList,
                                     QStringLiteral("frameCompEase_%1").arg(QLatin1String(TweenGroupName(g))),
                                     tr("Easing of %1").arg(label));
        auto* name = new QLabel(label, easing);
        name->setBuddy(ease_[size_t(g)]);
        choices->addWidget(name, g, 0);
        choices->addWidget(ease_[size_t(g)], g, 1);
        connect(ease_[size_t(g)], &QComboBox::currentIndexChanged, this,
                [this, g](int kind) { easingChosen(g, kind); });
    }
    fullTurns_ = Named(new QCheckBox(tr("Full turns"), easing), QStringLiteral("frameCompFullTurns"),
                       tr("Angles turn the whole way as stored, not the shorter way"));
    fullTurns_->setToolTip(fullTurns_->accessibleName());
    choices->addWidget(fullTurns_, kTweenAngle, 2);
    choices->setRowStretch(kTweenGroupCount, 1);

    curveTitle_ = new QLabel(easing);
    curveTitle_->setObjectName(QStringLiteral("frameCompCurveTitle"));
    curve_ = Named(new cCurveEdit(easing), QStringLiteral("frameCompCurve"), tr("Easing curve"));
    connect(curve_, &cCurveEdit::edited, this, &cDlg_FrameComp::curveEdited);
    auto* numbers = new QGridLayout;
    const char* pointNames[4] = {"X1", "Y1", "X2", "Y2"};
    for (int i = 0; i < 4; ++i) {
        auto* spin = Named(new QDoubleSpinBox(easing),
                           QStringLiteral("frameCompCurve%1").arg(QLatin1String(pointNames[i])),
                           tr("Control point %1").arg(QLatin1String(pointNames[i])));
        spin->setDecimals(3);
        spin->setSingleStep(0.05);
        spin->setRange(i % 2 == 0 ? 0.0 : -1.0, i % 2 == 0 ? 1.0 : 2.0);
        points_[size_t(i)] = spin;
        numbers->addWidget(new QLabel(QLatin1String(pointNames[i]), easing), i / 2, (i % 2) * 2);
        numbers->addWidget(spin, i / 2, (i % 2) * 2 + 1);
        connect(spin, &QDoubleSpinBox::valueChanged, this, [this] {
            strEasing e = tween_.easing[size_t(curveGroup_)];
            e.x1 = float(points_[0]->value());
            e.y1 = float(points_[1]->value());
            e.x2 = float(points_[2]->value());
            e.y2 = float(points_[3]->value());
            curveEdited(e);
        });
    }
    auto* curveColumn = new QVBoxLayout;
    curveColumn->addWidget(curveTitle_);
    curveColumn->addWidget(curve_, 1);
    curveColumn->addLayout(numbers);
    auto* easingRow = new QHBoxLayout(easing);
    easingRow->addLayout(choices);
    easingRow->addLayout(curveColumn, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addLayout(form);
    layout->addWidget(easing);
    layout->addLayout(runButtons(QStringLiteral("frameComp")));
}

void cDlg_FrameComp::load() {
    const cProject& doc = session_.document();
    std::vector<std::string> cellLabels;
    for (int c = 0; c < doc.cellNumber(); ++c)
        cellLabels.push_back(cFrameComp::cellLabel(c));
    cells_->setRows(cellLabels, state_.cellChecks);
    params_->setRows(CellParamNames(), state_.paramChecks);
    const int last = std::max(doc.frameCount() - 1, 0);
    start_->setRange(0, last);
    end_->setRange(0, last);
    start_->setValue(state_.startFrame);
    end_->setValue(state_.endFrame);
    method_->setCurrentIndex(state_.method);
    tween_ = state_.tween;
    for (int g = 0; g < kTweenGroupCount; ++g) {
        const QSignalBlocker block(ease_[size_t(g)]);
        ease_[size_t(g)]->setCurrentIndex(int(tween_.easing[size_t(g)].kind));
    }
    fullTurns_->setChecked(tween_.fullTurns);
    // The editor shows the first curve when the group shown last has none.
    if (tween_.easing[size_t(curveGroup_)].kind != eEaseKind::kBezier)
        for (int g = 0; g < kTweenGroupCount; ++g)
            if (tween_.easing[size_t(g)].kind == eEaseKind::kBezier) {
                curveGroup_ = g;
                break;
            }
    showCurveOf(curveGroup_);
}

void cDlg_FrameComp::store() {
    state_.cellChecks = cells_->checks();
    state_.paramChecks = params_->checks();
    state_.startFrame = start_->value();
    state_.endFrame = end_->value();
    state_.method = method_->currentIndex();
    tween_.fullTurns = fullTurns_->isChecked();
    state_.tween = tween_;
    session_.config().TweenEasing = TweenOptionsText(tween_);
}

void cDlg_FrameComp::easingChosen(int group, int kind) {
    tween_.easing[size_t(group)].kind = eEaseKind(kind);
    showCurveOf(group);
}

void cDlg_FrameComp::showCurveOf(int group) {
    curveGroup_ = std::clamp(group, 0, kTweenGroupCount - 1);
    curveTitle_->setText(tr("Curve of %1").arg(tr(kGroupLabels[curveGroup_])));
    curve_->setEasing(tween_.easing[size_t(curveGroup_)]);
    showCurveValues();
}

void cDlg_FrameComp::showCurveValues() {
    const strEasing& e = tween_.easing[size_t(curveGroup_)];
    const float values[4] = {e.x1, e.y1, e.x2, e.y2};
    for (int i = 0; i < 4; ++i) {
        const QSignalBlocker block(points_[size_t(i)]);
        points_[size_t(i)]->setValue(values[i]);
        // The numbers belong to the curve: only a curve has control points.
        points_[size_t(i)]->setEnabled(e.kind == eEaseKind::kBezier);
    }
}

void cDlg_FrameComp::curveEdited(const strEasing& e) {
    if (!strEasing::validBezier(e.x1, e.y1, e.x2, e.y2)) return;
    tween_.easing[size_t(curveGroup_)] = e;
    curve_->setEasing(e);
    showCurveValues();
}

strEditResult cDlg_FrameComp::runTool() {
    return state_.run(ToolContext(session_));
}

bool cDlg_FrameComp::fits() const {
    const cProject& doc = session_.document();
    return cells_->count() == doc.cellNumber() && start_->maximum() == std::max(doc.frameCount() - 1, 0);
}

void cDlg_FrameComp::refit() {
    state_.fitToProject(session_.document());
}
