#include "ui/lists/list_window.h"

#include "config/config.h"
#include "document/project.h"
#include "document/transaction.h"
#include "platform/code_page.h"
#include "tools/effect_edit.h"
#include "ui/lists/dlg_set_effect.h"
#include "ui/lists/dlg_set_picture.h"
#include "ui/lists/lists_messages.h"
#include "ui/lists/local_shortcuts.h"
#include "ui/lists/record_dialog.h"
#include "ui/lists/source_list_view.h"
#include "ui/lists/timeline.h"
#include "ui/platform/prompts.h"
#include "ui/session/session.h"
#include "ui/session/ui_messages.h"
#include "ui/shell/access_letters.h"
#include "ui/shell/command_ids.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QTabWidget>
#include <QVBoxLayout>

cListWindow::cListWindow(cSession& session, QWidget* parent) : QWidget(parent), session_(session) {
    setObjectName(QStringLiteral("sourceList"));
    setAccessibleName(ListsText(kLtListTitle));
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("listTabs"));
    tabs_->setAccessibleName(tr("List pages"));
    makeList(cSourceListModel::kPictures);
    makeList(cSourceListModel::kEffects);
    timeline_ = new cTimeline(session_, tabs_);
    tabs_->addTab(lists_[0].view, ListsItem(kLtTabs, kPicturesPage));
    tabs_->addTab(lists_[1].view, ListsItem(kLtTabs, kEffectsPage));
    tabs_->addTab(timeline_, ListsItem(kLtTabs, kTimelinePage));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tabs_);

    connect(lists_[0].view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& now) {
                if (now.isValid()) emit pictureChosen(now.row());
            });
    connect(&session_, &cSession::changed, this, &cListWindow::onChanged);
}

void cListWindow::makeList(eList which) {
    strList& l = lists_[which];
    const bool pictures = which == cSourceListModel::kPictures;
    l.model = new cSourceListModel(session_, which, this);
    l.view = new cSourceListView(this);
    l.view->setObjectName(pictures ? QStringLiteral("pictureList") : QStringLiteral("effectList"));
    l.view->setAccessibleName(pictures ? tr("Pictures") : tr("Sounds and flashes"));
    l.view->setModel(l.model);
    for (int c = 0; c < l.model->columnCount(); ++c)
        l.view->header()->resizeSection(c, cSourceListModel::columnWidth(which, c));
    const std::tuple<eCommand, eListsText, const char*, eLocalKeys> items[] = {
        {kSettings, kLtSettings, "Settings", kSettingsKeys},
        {kNew, kLtNew, "New", kNoKeys},
        {kReload, kLtReload, "Reload", kNoKeys},
        {kCheckSheet, kLtCheckSheet, "CheckSheet", kNoKeys},
        {kCut, kLtCut, "Cut", kCutKeys},
        {kCopy, kLtCopy, "Copy", kCopyKeys},
        {kPaste, kLtPaste, "Paste", kPasteKeys},
        {kDelete, kLtDelete, "Delete", kDeleteKeys},
        {kMoveUp, kLtMoveUp, "MoveUp", kMoveUpKeys},
        {kMoveDown, kLtMoveDown, "MoveDown", kMoveDownKeys},
    };
    for (const auto& [id, text, name, keys] : items)
        l.actions[id] = AddLocalAction(l.view, text, name, keys, [this, which, id = id] { run(which, id); });
    connect(l.view, &QWidget::customContextMenuRequested, this,
            [this, which](QPoint at) { showPopup(which, lists_[which].view->viewport()->mapToGlobal(at)); });
    connect(l.view, &QAbstractItemView::doubleClicked, this, [this, which](const QModelIndex& i) {
        lists_[which].view->selectRow(i.row());
        run(which, kSettings);
    });
    connect(l.view, &cSourceListView::fileDropped, this, [this, which](int row, const QString& file) {
        session_.stopPlayback();
        if (which == cSourceListModel::kPictures)
            editPicture(row, file);
        else
            editEffect(row, file);
    });
}

// ---- refresh ---------------------------------------------------------------------------------------

void cListWindow::onChanged(unsigned flags) {
    if (flags & (kChangeReplaced | kChangePictures | kChangeProject))
        refreshList(cSourceListModel::kPictures);
    if (flags & (kChangeReplaced | kChangeEffects)) refreshList(cSourceListModel::kEffects);
}

void cListWindow::refreshList(eList which) {
    strList& l = lists_[which];
    const int row = l.view->selectedRow();
    const QSignalBlocker block(l.view->selectionModel());
    l.model->refresh();
    if (row >= 0) l.view->selectRow(std::min(row, l.model->rowCount() - 1));
}

int cListWindow::selectedRow(eList which) const {
    return lists_[which].view->selectedRow();
}

// ---- commands --------------------------------------------------------------------------------------

bool cListWindow::isEnabled(eList which, eCommand c) const {
    const int row = selectedRow(which);
    const cProject& doc = session_.document();
    const bool pictures = which == cSourceListModel::kPictures;
    const bool filled = pictures ? doc.picture(row) != nullptr : doc.effect(row) != nullptr;
    switch (c) {
    case kSettings:
        return row >= 0 && !dialog_;
    case kNew:
        return !pictures && doc.effectCount() < doc.effectCapacity() && !dialog_;
    case kReload:
    case kCheckSheet:
        return pictures && filled;
    case kPaste:
        return row >= 0 && session_.clipCommands().canPaste(pictures ? kClipPicture : kClipEffect);
    case kMoveUp:
    case kMoveDown: {
        // A picture moves into the next slot up or down, filled or not.
        const int to = row + (c == kMoveUp ? -1 : 1);
        return pictures && row >= 0 && to >= 0 && to < doc.pictureCapacity() && (filled || doc.picture(to));
    }
    default:
        return filled;
    }
}

bool cListWindow::run(eList which, eCommand c) {
    if (!isEnabled(which, c)) return false;
    session_.stopPlayback();
    const int row = selectedRow(which);
    cEditClipCommands& clip = session_.clipCommands();
    if (which == cSourceListModel::kPictures) {
        switch (c) {
        case kSettings:
            editPicture(row);
            break;
        case kReload:
            reloadSlot(row);
            break;
        case kCheckSheet: {
            strToolRequest r;
            r.command = kCmdCheckSheet;
            r.picture = row;
            session_.requestTool(r);
            break;
        }
        case kCut:
            session_.report(clip.cutPicture(row));
            break;
        case kDelete:
            session_.report(clip.deletePicture(row));
            break;
        case kCopy:
            session_.report(clip.copyPicture(row));
            break;
        case kPaste:
            if (session_.report(clip.pastePicture(row))) emit pictureChosen(row);
            break;
        case kMoveUp:
        case kMoveDown: {
            // The selection goes with the picture.
            const int to = row + (c == kMoveUp ? -1 : 1);
            if (!session_.report(session_.commands().movePicture(row, to))) break;
            lists_[which].view->selectRow(to);
            session_.showStatus(tr("Picture %1 moved to %2").arg(row).arg(to));
            break;
        }
        default:
            return false;
        }
        return true;
    }
    switch (c) {
    case kSettings:
        editEffect(row);
        break;
    case kNew:
        editEffect(session_.document().effectCount(), {}, session_.currentFrame());
        break;
    case kCut:
        session_.report(clip.cutEffect(row));
        break;
    case kCopy:
        session_.report(clip.copyEffect(row));
        break;
    case kPaste: {
        int slot = -1;
        if (session_.report(clip.pasteEffect(&slot))) lists_[which].view->selectRow(slot);
        break;
    }
    case kDelete:
        session_.report(clip.deleteEffect(row));
        break;
    default:
        return false;
    }
    return true;
}

void cListWindow::showPopup(eList which, QPoint globalPos) {
    if (popup_) popup_->deleteLater();
    popup_ = new QMenu(this);
    const bool pictures = which == cSourceListModel::kPictures;
    popup_->setObjectName(pictures ? QStringLiteral("MENU_IMAGELIST") : QStringLiteral("MENU_EFFECTLIST"));
    popup_->setAccessibleName(popup_->objectName());
    const std::vector<eCommand> items =
        pictures ? std::vector<eCommand>{kSettings, kReload, kCheckSheet, kCut,     kCopy,
                                         kPaste,    kDelete, kMoveUp,     kMoveDown}
                 : std::vector<eCommand>{kSettings, kNew, kCut, kCopy, kPaste, kDelete};
    for (eCommand c : items) {
        QAction* a = lists_[which].actions[c];
        a->setEnabled(isEnabled(which, c));
        popup_->addAction(a);
        if (c == kCheckSheet || c == kNew || c == kDelete) popup_->addSeparator();
    }
    connect(popup_, &QMenu::aboutToHide, this, [this, which] {
        for (QAction* a : lists_[which].actions)
            a->setEnabled(true);
    });
    AssignAccessLetters(popup_);
    popup_->popup(globalPos);
}

void cListWindow::reloadSlot(int row) {
    // A file that cannot be read now leaves the picture as it was loaded.
    if (session_.reloadPicture(row)) {
        session_.showStatus(tr("Picture %1 reloaded").arg(row));
        return;
    }
    const std::string path =
        platform::ToUtf8(session_.document().picture(row)->path, session_.config().Locale);
    session_.showStatus(ListsMessage(kLtCannotOpen, {path}));
    session_.prompts().message(ListsMessage(kLtCannotOpen, {path}), cPrompts::kError);
}

// ---- settings dialogs ------------------------------------------------------------------------------

void cListWindow::showDialog(QDialog* dialog) {
    dialog_ = dialog;
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->show();
    session_.showStatus(tr("Opened \"%1\"").arg(dialog->windowTitle()));
    connect(dialog, &QDialog::rejected, this,
            [this, title = dialog->windowTitle()] { session_.showStatus(tr("%1 cancelled").arg(title)); });
}

void cListWindow::editPicture(int row, const QString& file) {
    const cProject& doc = session_.document();
    if (row < 0 || row >= doc.pictureCapacity() || dialog_) return;
    strPicture record;
    if (const strPicture* p = doc.picture(row)) {
        record = *p;
    } else {
        const int product = session_.documentProduct();
        const auto [x, y] = cPictureEdit::newDivisions(session_.config(), doc.getSetting(kKeySplitFormat),
                                                       product == interchange::kProduct2000 ||
                                                           product == interchange::kProduct2003);
        record.divX = static_cast<uint16_t>(x);
        record.divY = static_cast<uint16_t>(y);
    }
    auto* dlg = new cDlg_SetPicture(session_, row, record, this);
    if (!file.isEmpty()) dlg->setFile(file);
    connect(dlg, &QDialog::accepted, this,
            [this, dlg, row] { commitPicture(row, dlg->record(), dlg->splitFormat()); });
    showDialog(dlg);
}

void cListWindow::commitPicture(int row, const strPicture& record, int splitFormat) {
    cProject& doc = session_.document();
    // A new division method and the picture are one step.
    cTransaction step(doc, strMessage(doc.picture(row) ? kStepChangePicture : kStepAddPicture, row));
    if (splitFormat != doc.getSetting(kKeySplitFormat)) {
        strProjectSettings settings = doc.settings();
        settings.splitFormat = splitFormat;
        doc.applySettings(settings);
    }
    const bool stored = session_.pictureSlots().storePicture(doc, row, record);
    // A picture that cannot be stored takes the new division method back with it.
    if (stored) step.commit();
    const std::string path = platform::ToUtf8(record.path, session_.config().Locale);
    if (stored) {
        session_.showStatus(tr("Picture %1 set to %2").arg(row).arg(QString::fromStdString(path)));
    } else {
        session_.showStatus(ListsMessage(kLtCannotOpen, {path}));
        session_.prompts().message(ListsMessage(kLtCannotOpen, {path}), cPrompts::kError);
    }
    lists_[cSourceListModel::kPictures].view->selectRow(row);
    emit pictureChosen(row);
}

void cListWindow::editEffect(int row, const QString& file, int startFrame) {
    const cProject& doc = session_.document();
    if (row < 0 || row >= doc.effectCapacity() || dialog_) return;
    strEffect record;
    if (const strEffect* e = doc.effect(row))
        record = *e;
    else
        record.startFrame = static_cast<uint16_t>(std::max(startFrame, 0));
    if (!file.isEmpty()) {
        record.soundPath = StoredPathOf(session_, file);
        record.flags |= strEffect::kSound;
    }
    auto* dlg = new cDlg_SetEffect(session_, row, record, this);
    connect(dlg, &QDialog::accepted, this, [this, dlg, row] { commitEffect(row, dlg->record()); });
    showDialog(dlg);
}

void cListWindow::commitEffect(int row, const strEffect& record) {
    int at = -1;
    if (!session_.report(session_.clipCommands().storeEffect(row, record, &at))) return;
    lists_[cSourceListModel::kEffects].view->selectRow(at);
    session_.showStatus(tr("Timing at frame %1 stored").arg(record.startFrame));
}
