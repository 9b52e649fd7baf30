#include "ui/dialogs/dlg_batch.h"

#include "document/project.h"
#include "tools/batch_edit.h"
#include "tools/cell_params.h"
#include "ui/dialogs/check_list.h"
#include "ui/dialogs/dialog_helpers.h"
#include "ui/dialogs/dialog_texts.h"
#include "ui/session/session.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>

cDlg_Batch::cDlg_Batch(cSession& session, cBatchEdit& state, QWidget* parent)
    : cDlg_Tool(session, QStringLiteral("batchDialog"), DialogText(kDlgBatchTitle), parent), state_(state) {
    frames_ = new cCheckList(QStringLiteral("batchFrames"), tr("Frames"), this);
    cells_ = new cCheckList(QStringLiteral("batchCells"), tr("Cell numbers"), this);
    params_ = new cCheckList(QStringLiteral("batchParams"), tr("Values"), this);
    formula_ = ListCombo(this, cBatchEdit::kFormulaList, QStringLiteral("batchFormula"), tr("Operation"));
    value_ = RangeSpin(this, cBatchEdit::kMinValue, cBatchEdit::kMaxValue, QStringLiteral("batchValue"),
                       tr("Value"));

    auto* range = new QGroupBox(tr("What to change"), this);
    auto* lists = new QHBoxLayout(range);
    for (auto [title, list] :
         {std::pair{QT_TR_NOOP("Frames"), frames_}, std::pair{QT_TR_NOOP("Cell numbers"), cells_},
          std::pair{QT_TR_NOOP("Values"), params_}}) {
        auto* column = new QVBoxLayout;
        column->addWidget(new QLabel(tr(title), range));
        column->addWidget(list, 1);
        lists->addLayout(column);
    }
    auto* setting = new QGroupBox(tr("Change"), this);
    auto* form = new QFormLayout(setting);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->addRow(tr("Operation"), formula_);
    form->addRow(QString(), value_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(range, 1);
    layout->addWidget(setting);
    layout->addLayout(runButtons(QStringLiteral("batch")));
}

void cDlg_Batch::load() {
    const cProject& doc = session_.document();
    std::vector<std::string> frameLabels, cellLabels;
    for (int f = 0; f < doc.frameCount(); ++f)
        frameLabels.push_back(cBatchEdit::frameLabel(f));
    for (int c = 0; c < doc.cellNumber(); ++c)
        cellLabels.push_back(cBatchEdit::cellLabel(c));
    frames_->setRows(frameLabels, state_.frameChecks);
    cells_->setRows(cellLabels, state_.cellChecks);
    params_->setRows(CellParamNames(), state_.paramChecks);
    formula_->setCurrentIndex(state_.formula);
    value_->setValue(state_.value);
}

void cDlg_Batch::store() {
    state_.frameChecks = frames_->checks();
    state_.cellChecks = cells_->checks();
    state_.paramChecks = params_->checks();
    state_.formula = formula_->currentIndex();
    state_.value = value_->value();
}

strEditResult cDlg_Batch::runTool() {
    return state_.run(ToolContext(session_));
}

bool cDlg_Batch::fits() const {
    const cProject& doc = session_.document();
    return frames_->count() == doc.frameCount() && cells_->count() == doc.cellNumber();
}

void cDlg_Batch::refit() {
    state_.fitToProject(session_.document());
}
