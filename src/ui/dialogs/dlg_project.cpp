#include "ui/dialogs/dlg_project.h"

#include "config/config.h"
#include "document/messages.h"
#include "document/project.h"
#include "ui/dialogs/dialog_helpers.h"
#include "ui/platform/prompts.h"
#include "ui/session/session.h"
#include "ui/session/ui_messages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <algorithm>

namespace {
constexpr size_t kNameBytes = 64;
constexpr size_t kUserDataBytes = 255;
} // namespace

cDlg_Project::cDlg_Project(cSession& session, QWidget* parent) : QDialog(parent), session_(session) {
    setObjectName(QStringLiteral("projectDialog"));
    setAccessibleName(tr("Project settings"));
    setWindowTitle(tr("Project settings"));

    name_ = Named(new QLineEdit(this), QStringLiteral("projectName"), tr("Name"));
    name_->setMaxLength(int(kNameBytes));
    userData_ = Named(new QLineEdit(this), QStringLiteral("projectUserData"), tr("User data"));
    userData_->setMaxLength(int(kUserDataBytes));
    centre_ = ListCombo(this, ui_lists::kCentre, QStringLiteral("projectCentre"), tr("Anchor"));
    saveFormat_ =
        ListCombo(this, ui_lists::kSaveFormat, QStringLiteral("projectSaveFormat"), tr("Save format"));
    basicInterval_ = RangeSpin(this, 1, 255, QStringLiteral("projectBasicInterval"), tr("Frame interval"));
    totalInterval_ = RangeSpin(this, 0, 9999, QStringLiteral("projectTotalInterval"), tr("Total length"));
    auto* autoSet = Named(new QPushButton(tr("<< Calculate"), this), QStringLiteral("projectAutoSet"),
                          tr("Calculate the total length"));
    cellNumber_ =
        RangeSpin(this, 1, cConfig::kMaxCellNumber, QStringLiteral("projectCellNumber"), tr("Cell numbers"));
    splitFormat_ =
        ListCombo(this, ui_lists::kSplitFormat, QStringLiteral("projectSplitFormat"), tr("Divide pictures"));
    lock_ = Named(new QCheckBox(tr(ui_lists::kLockLabel), this), QStringLiteral("projectLock"),
                  tr("Lock each cell number to one picture"));
    editFormat_ =
        ListCombo(this, ui_lists::kEditFormat, QStringLiteral("projectEditFormat"), tr("Edit rule"));

    auto* total = new QHBoxLayout;
    total->addWidget(totalInterval_, 1);
    total->addWidget(autoSet);
    auto* form = new QFormLayout;
    form->addRow(tr("Name"), name_);
    form->addRow(tr("User data"), userData_);
    form->addRow(tr("Anchor"), centre_);
    form->addRow(tr("Save format"), saveFormat_);
    form->addRow(tr("Frame interval"), basicInterval_);
    form->addRow(tr("Total length"), total);
    form->addRow(tr("Cell numbers"), cellNumber_);
    form->addRow(tr("Divide pictures"), splitFormat_);
    form->addRow(QString(), lock_);
    form->addRow(tr("Edit rule"), editFormat_);

    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Apply | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("projectButtons"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(autoSet, &QPushButton::clicked, this, [this] {
        totalInterval_->setValue(int(std::min<uint32_t>(session_.document().totalDuration(), 9999)));
    });
    connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this, [this] { apply(); });
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (apply()) accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Another document, or an undone change, shows its own values.
    connect(&session_, &cSession::changed, this, [this](unsigned flags) {
        if (flags & (kChangeReplaced | kChangeProject)) load();
    });
    load();
}

void cDlg_Project::load() {
    const cProject& doc = session_.document();
    const std::string& locale = session_.config().Locale;
    name_->setText(FromDocument(doc.text(kTextName), locale));
    userData_->setText(FromDocument(doc.text(kTextUserData), locale));
    centre_->setCurrentIndex(doc.getSetting(kKeyCentrePosition));
    saveFormat_->setCurrentIndex(doc.getSetting(kKeySaveFormat));
    basicInterval_->setValue(doc.getSetting(kKeyBasicInterval));
    totalInterval_->setValue(doc.getSetting(kKeyTotalInterval));
    cellNumber_->setValue(doc.cellNumber());
    splitFormat_->setCurrentIndex(doc.getSetting(kKeySplitFormat));
    lock_->setChecked(doc.getSetting(kKeyLock) != 0);
    editFormat_->setCurrentIndex(doc.getSetting(kKeyEditFormat));
}

bool cDlg_Project::apply() {
    cProject& doc = session_.document();
    const std::string& locale = session_.config().Locale;
    strProjectSettings s;
    s.name = ToDocument(name_->text(), locale, kNameBytes);
    s.userData = ToDocument(userData_->text(), locale, kUserDataBytes);
    s.centrePosition = centre_->currentIndex();
    s.saveFormat = saveFormat_->currentIndex();
    s.basicInterval = basicInterval_->value();
    s.totalInterval = totalInterval_->value();
    s.cellNumber = cellNumber_->value();
    s.splitFormat = splitFormat_->currentIndex();
    s.lock = lock_->isChecked() ? 1 : 0;
    s.editFormat = editFormat_->currentIndex();
    // One undo step "Project settings"; the views follow what the document announces.
    session_.stopPlayback();
    const bool changed = doc.applySettings(s);
    load();
    session_.showStatus(changed ? tr("Project settings applied") : tr("The project settings are unchanged"));
    return true;
}
