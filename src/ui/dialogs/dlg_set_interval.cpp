#include "ui/dialogs/dlg_set_interval.h"

#include "document/project.h"
#include "tools/batch_edit.h"
#include "ui/dialogs/dialog_helpers.h"
#include "ui/dialogs/dialog_texts.h"
#include "ui/session/session.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>

cDlg_SetInterval::cDlg_SetInterval(cSession& session, cIntervalSetting& state, QWidget* parent)
    : cDlg_Tool(session, QStringLiteral("intervalDialog"), DialogText(kDlgIntervalTitle), parent),
      state_(state) {
    start_ = RangeSpin(this, 0, 0, QStringLiteral("intervalStart"), tr("Start frame"));
    end_ = RangeSpin(this, 0, 0, QStringLiteral("intervalEnd"), tr("End frame"));
    interval_ = RangeSpin(this, 0, 255, QStringLiteral("intervalValue"), tr("Interval"));
    auto* frames = new QHBoxLayout;
    frames->addWidget(start_);
    frames->addWidget(new QLabel(tr("to"), this));
    frames->addWidget(end_);
    auto* form = new QFormLayout(this);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->addRow(tr("Frames"), frames);
    form->addRow(tr("Interval"), interval_);
    form->addRow(runButtons(QStringLiteral("interval")));
}

void cDlg_SetInterval::load() {
    const int last = std::max(session_.document().frameCount() - 1, 0);
    start_->setRange(0, last);
    end_->setRange(0, last);
    start_->setValue(state_.startFrame);
    end_->setValue(state_.endFrame);
    interval_->setValue(state_.interval);
}

void cDlg_SetInterval::store() {
    state_.startFrame = start_->value();
    state_.endFrame = end_->value();
    state_.interval = interval_->value();
}

strEditResult cDlg_SetInterval::runTool() {
    return state_.run(ToolContext(session_));
}

bool cDlg_SetInterval::fits() const {
    return start_->maximum() == std::max(session_.document().frameCount() - 1, 0);
}
