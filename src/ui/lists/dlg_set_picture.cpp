#include "ui/lists/dlg_set_picture.h"

#include "config/config.h"
#include "document/project.h"
#include "interchange/clipboard_formats.h"
#include "platform/code_page.h"
#include "platform/path.h"
#include "tools/effect_edit.h"
#include "ui/dialogs/dialog_helpers.h"
#include "ui/lists/record_dialog.h"
#include "ui/platform/prompts.h"
#include "ui/session/session.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDropEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QUrl>

cDlg_SetPicture::cDlg_SetPicture(cSession& session, int index, const strPicture& record, QWidget* parent)
    : QDialog(parent), session_(session), record_(record) {
    setObjectName(QStringLiteral("pictureDialog"));
    setAccessibleName(tr("Picture settings"));
    setWindowTitle(tr("Picture %1").arg(index));
    setAcceptDrops(true);

    cPictureEdit edit;
    edit.load(record, session.document().getSetting(kKeySplitFormat));
    path_ = Named(new QLineEdit(this), QStringLiteral("picturePath"), ListsText(kLtFilePath));
    path_->setText(FromDocument(edit.path, session.config().Locale));
    auto* open = OpenFileButton(this, session_, QStringLiteral("pictureOpen"), kLtImageFilter,
                                [this](const QString& file) { setFile(file); });
    division_ = ListCombo(this, cPictureEdit::kDivisionList, QStringLiteral("pictureDivision"),
                          ListsText(kLtDivision));
    division_->setCurrentIndex(edit.splitFormat);
    splitFormat_ = edit.splitFormat;
    divX_ = RangeSpin(this, 1, 1024, QStringLiteral("pictureDivX"), tr("Patterns across"));
    divY_ = RangeSpin(this, 1, 1024, QStringLiteral("pictureDivY"), tr("Patterns down"));
    divX_->setValue(edit.divX);
    divY_->setValue(edit.divY);
    showDivisionUnit();
    // Another method: the divisions of a sheet by that method (its values mean something else).
    connect(division_, &QComboBox::currentIndexChanged, this, [this](int method) {
        const int product = session_.documentProduct();
        const auto [x, y] = cPictureEdit::newDivisions(session_.config(), method,
                                                       product == interchange::kProduct2000 ||
                                                           product == interchange::kProduct2003);
        divX_->setValue(x);
        divY_->setValue(y);
        showDivisionUnit();
    });
    hue_ = RangeSpin(this, 0, 360, QStringLiteral("pictureHue"), ListsText(kLtHue));
    hue_->setValue(edit.hue);

    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(path_, 1);
    pathRow->addWidget(open);
    auto* divRow = new QHBoxLayout;
    divRow->addWidget(divX_);
    divRow->addWidget(divY_);
    auto* form = new QFormLayout;
    form->addRow(ListsText(kLtFilePath), pathRow);
    form->addRow(ListsText(kLtDivision), division_);
    form->addRow(ListsText(kLtDivisions), divRow);
    form->addRow(ListsText(kLtHue), hue_);
    auto* buttons = ApplyCancelButtons(this, QStringLiteral("picture"), [this] { apply(); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    // Another document: the record belongs to the old one.
    connect(&session_, &cSession::changed, this, [this](unsigned flags) {
        if (flags & kChangeReplaced) reject();
    });
}

void cDlg_SetPicture::showDivisionUnit() {
    const bool bySize = division_->currentIndex() != 0;
    divX_->setSuffix(bySize ? tr(" px wide") : tr(" across"));
    divY_->setSuffix(bySize ? tr(" px high") : tr(" down"));
    divX_->setAccessibleName(bySize ? tr("Pattern width") : tr("Patterns across"));
    divY_->setAccessibleName(bySize ? tr("Pattern height") : tr("Patterns down"));
}

void cDlg_SetPicture::setFile(const QString& file) {
    path_->setText(FromDocument(StoredPathOf(session_, file), session_.config().Locale));
    // Divided by pattern size, a picture smaller than a pattern is one pattern.
    const QSize size = QImageReader(file).size();
    if (division_->currentIndex() != 0 && size.isValid()) {
        divX_->setValue(std::min(divX_->value(), size.width()));
        divY_->setValue(std::min(divY_->value(), size.height()));
    }
}

void cDlg_SetPicture::apply() {
    cPictureEdit edit;
    edit.path = TypedPathOf(session_, path_->text(), cEffectEdit::kMaxText);
    edit.divX = divX_->value();
    edit.divY = divY_->value();
    edit.hue = hue_->value();
    edit.apply(record_);
    splitFormat_ = division_->currentIndex();
}

void cDlg_SetPicture::dragEnterEvent(QDragEnterEvent* e) {
    if (!FirstLocalFile(e->mimeData()).isEmpty()) e->acceptProposedAction();
}

void cDlg_SetPicture::dropEvent(QDropEvent* e) {
    const QString file = FirstLocalFile(e->mimeData());
    if (file.isEmpty()) return;
    e->acceptProposedAction();
    setFile(file);
}
