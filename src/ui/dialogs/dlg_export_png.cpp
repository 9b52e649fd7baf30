#include "ui/dialogs/dlg_export_png.h"

#include "ui/dialogs/dialog_helpers.h"
#include "ui/dialogs/dialog_texts.h"
#include "ui/dialogs/export_options.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>

cDlg_ExportPng::cDlg_ExportPng(cSession& session, strExportSettings& settings, QWidget* parent)
    : cDlg_Export(session, settings, parent), options_(settings.png) {
    setObjectName(QStringLiteral("exportPngDialog"));
    setAccessibleName(DialogText(kDlgPngTitle));
    setWindowTitle(DialogText(kDlgPngTitle));
    auto check = [this](const char* text, const char* name, bool on) {
        auto* c = Named(new QCheckBox(tr(text), this), QString::fromLatin1(name), tr(text));
        c->setChecked(on);
        return c;
    };
    auto radio = [this](const char* text, const char* name, QButtonGroup* group, bool on) {
        auto* r = Named(new QRadioButton(tr(text), this), QString::fromLatin1(name), tr(text));
        group->addButton(r);
        r->setChecked(on);
        return r;
    };
    const strPngExportOptions& o = options_;
    sheet_ = check(QT_TR_NOOP("One sheet"), "pngSheet", o.sheet);
    auto* fix = new QButtonGroup(this);
    horizontal_ = radio(QT_TR_NOOP("Fixed columns"), "pngHorizontalFixed", fix, !o.fixRows);
    vertical_ = radio(QT_TR_NOOP("Fixed rows"), "pngVerticalFixed", fix, o.fixRows);
    division_ = RangeSpin(this, 1, 999, QStringLiteral("pngDivision"), tr("Columns or rows"));
    division_->setValue(o.division);
    auto* order = new QButtonGroup(this);
    hor_ = radio(QT_TR_NOOP("Fill rows first"), "pngHor", order, !o.columnFirst);
    ver_ = radio(QT_TR_NOOP("Fill columns first"), "pngVer", order, o.columnFirst);
    interval_ = check(QT_TR_NOOP("Repeat frames by their interval"), "pngInterval", o.interval);
    alpha_ = check(QT_TR_NOOP("Keep transparency"), "pngAlpha", o.alpha);
    connect(sheet_, &QCheckBox::toggled, this, &cDlg_ExportPng::updateStates);

    auto* grid = new QGridLayout;
    grid->addWidget(sheet_, 0, 0, 1, 3);
    grid->addWidget(horizontal_, 1, 0);
    grid->addWidget(vertical_, 1, 1);
    auto* divisionLabel = new QLabel(tr("Count:"), this);
    divisionLabel->setBuddy(division_);
    grid->addWidget(divisionLabel, 2, 0);
    grid->addWidget(division_, 2, 1);
    grid->addWidget(hor_, 3, 0);
    grid->addWidget(ver_, 3, 1);
    grid->addWidget(interval_, 4, 0);
    grid->addWidget(alpha_, 4, 1);
    auto* options = new QVBoxLayout;
    options->addLayout(grid);
    finishLayout(options);
    updateStates();
}

void cDlg_ExportPng::updateStates() {
    const bool sheet = sheet_->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{horizontal_, vertical_, division_, hor_, ver_})
        w->setEnabled(sheet);
}

void cDlg_ExportPng::storeOptions() {
    strPngExportOptions& o = options_;
    o.sheet = sheet_->isChecked();
    o.fixRows = vertical_->isChecked();
    o.division = division_->value();
    o.columnFirst = ver_->isChecked();
    o.interval = interval_->isChecked();
    o.alpha = alpha_->isChecked();
}

strCutRange& cDlg_ExportPng::storedCut() {
    return options_.cut;
}
bool& cDlg_ExportPng::cutChosen() {
    return options_.cutChosen;
}
QString cDlg_ExportPng::filter() const {
    return DialogText(kDlgPngFilter);
}
QString cDlg_ExportPng::suffix() const {
    return QStringLiteral("png");
}

strCaptureRequest cDlg_ExportPng::request(const std::string& path, uint32_t backgroundRgb) const {
    return PngRequest(options_, path, backgroundRgb);
}
