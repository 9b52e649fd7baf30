#include "ui/dialogs/dlg_about.h"

#include "config/config.h"
#include "ui/dialogs/dialog_helpers.h"
#include "ui/session/ui_messages.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

QString cDlg_About::versionText() {
    return tr("Version %1").arg(double(cConfig::kVersion), 0, 'f', 2);
}

cDlg_About::cDlg_About(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("aboutDialog"));
    setAccessibleName(tr("About PelkoEditor"));
    setWindowTitle(tr("About PelkoEditor"));
    auto* name =
        Named(new QLabel(UiText(kUiProgramName), this), QStringLiteral("aboutName"), tr("Program name"));
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    name->setFont(big);
    auto* version =
        Named(new QLabel(versionText(), this), QStringLiteral("aboutVersion"), tr("Program version"));
    auto* text =
        new QLabel(tr("An editor for the battle animations of RPG Maker 2000, XP, VX, VX Ace and MV."), this);
    text->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(name);
    layout->addWidget(version);
    layout->addWidget(text);
    layout->addWidget(buttons);
}
