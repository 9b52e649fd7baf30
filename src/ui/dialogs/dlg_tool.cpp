#include "ui/dialogs/dlg_tool.h"

#include "ui/dialogs/dialog_helpers.h"
#include "ui/session/session.h"

#include <QHBoxLayout>
#include <QPushButton>

cDlg_Tool::cDlg_Tool(cSession& session, const QString& objectName, const QString& title, QWidget* parent)
    : QDialog(parent), session_(session) {
    setObjectName(objectName);
    setAccessibleName(title);
    setWindowTitle(title);
    connect(&session_, &cSession::changed, this, [this](unsigned flags) {
        if (!isVisible() || !(flags & (kChangeReplaced | kChangeCells | kChangeProject)) || fits()) return;
        store();
        refit();
        load();
    });
}

QHBoxLayout* cDlg_Tool::runButtons(const QString& prefix) {
    auto* runButton = Named(new QPushButton(tr("Run"), this), prefix + tr("Run"), tr("Run"));
    auto* cancel = Named(new QPushButton(tr("Cancel"), this), prefix + tr("Cancel"), tr("Cancel"));
    runButton->setDefault(true);
    connect(runButton, &QPushButton::clicked, this, &cDlg_Tool::run);
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(runButton);
    row->addWidget(cancel);
    return row;
}

void cDlg_Tool::run() {
    store();
    ran_ = true;
    session_.report(runTool());
    close();
}

void cDlg_Tool::showEvent(QShowEvent* e) {
    ran_ = false;
    QDialog::showEvent(e);
}

void cDlg_Tool::hideEvent(QHideEvent* e) {
    store();
    if (!ran_) session_.showStatus(tr("%1 cancelled").arg(windowTitle()));
    ran_ = false;
    QDialog::hideEvent(e);
}
