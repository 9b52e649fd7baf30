#include "ui/dialogs/dlg_lock.h"

#include "ui/dialogs/dialog_helpers.h"
#include "ui/dialogs/dialog_texts.h"
#include "ui/session/session.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

cDlg_Lock::cDlg_Lock(cSession& session, QWidget* parent) : QDialog(parent), session_(session) {
    setObjectName(QStringLiteral("lockTableDialog"));
    setAccessibleName(DialogText(kDlgFixCellTitle));
    setWindowTitle(DialogText(kDlgFixCellTitle));

    rows_ = Named(new QTreeWidget(this), QStringLiteral("lockRows"), tr("Cell numbers and pictures"));
    rows_->setColumnCount(2);
    rows_->setHeaderLabels({tr("Cell number"), tr("Picture")});
    rows_->setRootIsDecorated(false);
    rows_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    rows_->setUniformRowHeights(true);
    number_ = RangeSpin(this, 0, 0, QStringLiteral("lockNumber"), tr("Picture number"));
    auto* numberLabel = new QLabel(tr("<< Picture number"), this);
    numberLabel->setBuddy(number_);
    auto* hint = new QLabel(DialogText(kDlgMultiSelect), this);
    auto* updateButton = Named(new QPushButton(tr("Set"), this), QStringLiteral("lockUpdate"), tr("Set"));
    auto* close = Named(new QPushButton(tr("Close"), this), QStringLiteral("lockClose"), tr("Close"));

    auto* side = new QVBoxLayout;
    auto* numberRow = new QHBoxLayout;
    numberRow->addWidget(number_);
    numberRow->addWidget(numberLabel);
    side->addLayout(numberRow);
    side->addWidget(hint);
    side->addStretch(1);
    side->addWidget(updateButton);
    side->addWidget(close);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(rows_, 1);
    layout->addLayout(side);

    connect(rows_, &QTreeWidget::itemSelectionChanged, this, [this] {
        for (int i = 0; i < rows_->topLevelItemCount() && i < int(edit_.rows.size()); ++i)
            edit_.rows[size_t(i)].selected = rows_->topLevelItem(i)->isSelected();
    });
    connect(number_, &QSpinBox::valueChanged, this, [this](int v) {
        edit_.setSelected(v);
        showRows();
    });
    connect(updateButton, &QPushButton::clicked, this, &cDlg_Lock::update);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(&session_, &cSession::changed, this, [this](unsigned flags) {
        if (isVisible() && (flags & (kChangeReplaced | kChangeProject | kChangeLock))) load();
    });
}

void cDlg_Lock::load() {
    edit_.open(session_.document());
    number_->blockSignals(true);
    number_->setRange(0, cLockEdit::maxImage(session_.document()));
    number_->blockSignals(false);
    rows_->clear();
    for (size_t i = 0; i < edit_.rows.size(); ++i)
        rows_->addTopLevelItem(new QTreeWidgetItem({QString::number(i), QString()}));
    showRows();
}

void cDlg_Lock::showRows() {
    for (int i = 0; i < rows_->topLevelItemCount() && i < int(edit_.rows.size()); ++i)
        rows_->topLevelItem(i)->setText(1, QString::number(edit_.rows[size_t(i)].image));
}

void cDlg_Lock::update() {
    const strEditResult r = edit_.update(ToolContext(session_));
    if (!session_.report(r)) return;
    session_.showStatus(r.count ? tr("Lock table stored: %1 cell numbers changed").arg(r.count)
                                : tr("The lock table is unchanged"));
}
