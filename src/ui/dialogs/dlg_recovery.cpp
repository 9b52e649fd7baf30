#include "ui/dialogs/dlg_recovery.h"

#include "platform/path.h"
#include "ui/dialogs/dialog_helpers.h"
#include "ui/platform/prompts.h"
#include "ui/session/session.h"
#include "ui/session/ui_messages.h"
#include "ui/shell/translators.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString FromUtf8(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

QString cDlg_Recovery::whatText(const strRecoveryInfo& info) {
    switch (info.origin) {
    case eRecoveryOrigin::kFile:
        return FromUtf8(platform::FileNamePart(info.path));
    case eRecoveryOrigin::kGame:
        return tr("Animation %1 of the game in %2")
            .arg(FromUtf8(info.id), FromUtf8(platform::FileNamePart(info.path)));
    case eRecoveryOrigin::kUntitled:
        break;
    }
    return tr("Untitled");
}

QString cDlg_Recovery::whenText(const strRecoveryInfo& info) {
    const QDateTime when = QDateTime::fromSecsSinceEpoch(info.savedAt).toLocalTime();
    return cTranslators::displayLocale().toString(when, QLocale::ShortFormat);
}

QString cDlg_Recovery::lastChangeText(const strRecoveryInfo& info) {
    if (!info.lastChange.none()) return LibraryMessage(info.lastChange);
    // A change this version does not know keeps the English words it was saved with.
    if (!info.lastChangeText.empty()) return FromUtf8(info.lastChangeText);
    return tr("(not known)");
}

QString cDlg_Recovery::problemText(const strRecoveryProblem& problem) {
    const QString file = FromUtf8(platform::FileNamePart(problem.file));
    if (problem.movedTo.empty())
        return tr("%1: %2 (it could not be moved aside)").arg(file, LibraryMessage(problem.reason));
    return tr("%1: %2 (moved to %3)").arg(file, LibraryMessage(problem.reason), FromUtf8(problem.movedTo));
}

cDlg_Recovery::cDlg_Recovery(cSession& session, std::vector<strRecoveryEntry> entries,
                             std::vector<strRecoveryProblem> problems, QWidget* parent)
    : QDialog(parent), session_(session), entries_(std::move(entries)) {
    setObjectName(QStringLiteral("recoveryDialog"));
    setAccessibleName(tr("Recover unsaved work"));
    setWindowTitle(tr("Recover unsaved work"));
    auto* layout = new QVBoxLayout(this);

    auto* intro = Named(new QLabel(tr("The editor did not close normally. These documents had changes that "
                                      "were not saved; a copy of each was kept. Recover opens one of them, "
                                      "the others are offered again at the next start."),
                                   this),
                        QStringLiteral("recoveryIntro"), tr("Explanation"));
    intro->setWordWrap(true);
    layout->addWidget(intro);

    list_ = Named(new QTreeWidget(this), QStringLiteral("recoveryList"), tr("Recovery copies"));
    list_->setHeaderLabels({tr("Document"), tr("Copy made"), tr("Last change")});
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setAllColumnsShowFocus(true);
    list_->header()->setStretchLastSection(true);
    layout->addWidget(list_, 1);

    if (!problems.empty()) {
        auto* note =
            Named(new QLabel(tr("These recovery copies could not be read and were put aside:"), this),
                  QStringLiteral("recoveryProblemsNote"), tr("Damaged copies"));
        note->setWordWrap(true);
        auto* text =
            Named(new QPlainTextEdit(this), QStringLiteral("recoveryProblems"), tr("Damaged copies"));
        text->setReadOnly(true);
        QStringList lines;
        for (const strRecoveryProblem& p : problems)
            lines << problemText(p);
        text->setPlainText(lines.join(QLatin1Char('\n')));
        text->setMaximumHeight(text->fontMetrics().lineSpacing() * 5 + 12);
        layout->addWidget(note);
        layout->addWidget(text);
    }

    auto* buttons =
        Named(new QDialogButtonBox(this), QStringLiteral("recoveryButtons"), tr("Recovery buttons"));
    recover_ = Named(buttons->addButton(tr("&Recover"), QDialogButtonBox::AcceptRole),
                     QStringLiteral("recoverButton"), tr("Recover"));
    discard_ = Named(buttons->addButton(tr("&Discard..."), QDialogButtonBox::DestructiveRole),
                     QStringLiteral("discardButton"), tr("Discard"));
    QPushButton* later = Named(buttons->addButton(tr("&Later"), QDialogButtonBox::RejectRole),
                               QStringLiteral("laterButton"), tr("Later"));
    recover_->setDefault(true);
    connect(recover_, &QPushButton::clicked, this, [this] {
        if (recoverSelected()) accept();
    });
    connect(discard_, &QPushButton::clicked, this, [this] {
        discardSelected();
        if (entries_.empty()) accept();
    });
    connect(later, &QPushButton::clicked, this, &QDialog::reject);
    connect(list_, &QTreeWidget::itemDoubleClicked, recover_, &QPushButton::click);
    layout->addWidget(buttons);
    fill();
    resize(640, problems.empty() ? 300 : 420);
}

void cDlg_Recovery::fill() {
    list_->clear();
    for (const strRecoveryEntry& e : entries_) {
        auto* item = new QTreeWidgetItem(list_, {whatText(e.info), whenText(e.info), lastChangeText(e.info)});
        if (e.info.origin != eRecoveryOrigin::kUntitled) item->setToolTip(0, FromUtf8(e.info.path));
    }
    list_->resizeColumnToContents(0);
    list_->resizeColumnToContents(1);
    if (!entries_.empty()) list_->setCurrentItem(list_->topLevelItem(0));
    recover_->setEnabled(!entries_.empty());
    discard_->setEnabled(!entries_.empty());
}

int cDlg_Recovery::selected() const {
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    return row >= 0 ? row : (entries_.empty() ? -1 : 0);
}

bool cDlg_Recovery::recoverSelected() {
    const int row = selected();
    if (row < 0) return false;
    if (!session_.recover(entries_[size_t(row)])) {
        // Taken by another editor, or unreadable and put aside: it is no longer offered. A copy
        // still in its place (the unsaved-changes question was cancelled) stays in the list.
        if (!platform::Exists(entries_[size_t(row)].copyPath)) {
            entries_.erase(entries_.begin() + row);
            fill();
        }
        return false;
    }
    entries_.erase(entries_.begin() + row);
    return true;
}

bool cDlg_Recovery::discardSelected() {
    const int row = selected();
    if (row < 0) return false;
    const strRecoveryEntry& e = entries_[size_t(row)];
    const QString question =
        tr("Discard the recovery copy of %1? Its unsaved changes are lost for good.").arg(whatText(e.info));
    if (session_.prompts().question(question, UiText(kUiConfirmation), false) != cPrompts::kYes) return false;
    cRecoveryStore* store = session_.recovery().store();
    strMessage why;
    if (!store || !store->discard(e, &why)) {
        session_.prompts().message(tr("The recovery copy cannot be removed: %1").arg(LibraryMessage(why)),
                                   cPrompts::kError);
        return false;
    }
    entries_.erase(entries_.begin() + row);
    fill();
    return true;
}
