#include "ui/dialogs/dlg_frame_comp.h"

#include "document/project.h"
#include "tools/cell_params.h"
#include "tools/frame_comp.h"
#include "ui/dialogs/check_list.h"
#include "ui/dialogs/dialog_helpers.h"
#include "ui/dialogs/dialog_texts.h"
#include "ui/session/session.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>

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
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addLayout(form);
    layout->addLayout(runButtons(QStringLiteral("frameComp")));
}

void cDlg_FrameComp::load() {
    const cProject& doc = session_.document();
    std::vector<std::string> cellLabels;
    for (int c = 0; c < doc.cellNumber(); ++c)
        cellLabels.push_back(cFrameComp::CellLabel(c));
    cells_->setRows(cellLabels, state_.cellChecks);
    params_->setRows(CellParamNames(), state_.paramChecks);
    const int last = std::max(doc.frameCount() - 1, 0);
    start_->setRange(0, last);
    end_->setRange(0, last);
    start_->setValue(state_.startFrame);
    end_->setValue(state_.endFrame);
    method_->setCurrentIndex(state_.method);
}

void cDlg_FrameComp::store() {
    state_.cellChecks = cells_->checks();
    state_.paramChecks = params_->checks();
    state_.startFrame = start_->value();
    state_.endFrame = end_->value();
    state_.method = method_->currentIndex();
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
