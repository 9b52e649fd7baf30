#include "ui/dialogs/dlg_lock_cell.h"

#include "ui/dialogs/dialog_helpers.h"
#include "ui/session/session.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>

QString cDlg_LockCell::titleText(int c) {
    return tr("Picture of cell number %1").arg(c);
}

cDlg_LockCell::cDlg_LockCell(cSession& session, QWidget* parent) : QDialog(parent), session_(session) {
    setObjectName(QStringLiteral("lockSingleDialog"));
    image_ = RangeSpin(this, 0, 0, QStringLiteral("lockImage"), tr("Picture number"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("lockSingleButtons"));
    auto* form = new QFormLayout(this);
    form->addRow(tr("Picture number"), image_);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &cDlg_LockCell::ok);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    connect(&session_, &cSession::changed, this, [this](unsigned flags) {
        if (flags & (kChangeReplaced | kChangeProject)) close();
    });
}

void cDlg_LockCell::openFor(int c) {
    edit_.open(session_.document(), c);
    const QString title = titleText(edit_.cell);
    setWindowTitle(title);
    setAccessibleName(title);
    image_->setRange(0, std::max(cLockEdit::maxImage(session_.document()), edit_.image));
    image_->setValue(edit_.image);
    image_->setFocus();
}

void cDlg_LockCell::ok() {
    edit_.image = image_->value();
    const strEditResult r = edit_.ok(ToolContext(session_));
    session_.report(r);
    session_.showStatus(r.ok ? tr("Cell number %1 locked to picture %2").arg(edit_.cell).arg(edit_.image)
                             : tr("The lock of cell number %1 is unchanged").arg(edit_.cell));
    close();
}
