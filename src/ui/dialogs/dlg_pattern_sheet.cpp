#include "ui/dialogs/dlg_pattern_sheet.h"

#include "export/sheet_file.h"
#include "image/picture_loader.h"
#include "ui/dialogs/dialog_helpers.h"
#include "ui/platform/prompts.h"
#include "ui/session/session.h"
#include "ui/session/ui_messages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTabWidget>

#include <algorithm>

namespace {
// The products in the order of eSheetProduct.
constexpr const char* kProducts[] = {QT_TRANSLATE_NOOP("cDlg_PatternSheet", "Any (this editor's limits)"),
                                     QT_TRANSLATE_NOOP("cDlg_PatternSheet", "RPG Maker 2000 / 2003"),
                                     QT_TRANSLATE_NOOP("cDlg_PatternSheet", "RPG Maker XP"),
                                     QT_TRANSLATE_NOOP("cDlg_PatternSheet", "RPG Maker VX"),
                                     QT_TRANSLATE_NOOP("cDlg_PatternSheet", "RPG Maker VX Ace"),
                                     QT_TRANSLATE_NOOP("cDlg_PatternSheet", "RPG Maker MV")};

QString Utf8(const std::string& s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

// A 32-bit B, G, R, A bitmap as a QImage (a copy).
QImage ToImage(const cDib& dib) {
    QImage image(dib.width(), dib.height(), QImage::Format_ARGB32);
    for (int y = 0; y < dib.height(); ++y)
        std::copy(dib.row(y), dib.row(y) + size_t(dib.width()) * 4, image.scanLine(y));
    return image;
}
} // namespace

cDlg_PatternSheet::cDlg_PatternSheet(cSession& session, QWidget* parent)
    : QDialog(parent), session_(session) {
    setObjectName(QStringLiteral("patternSheetDialog"));
    setWindowTitle(tr("Pattern sheet"));
    setAccessibleName(windowTitle());

    product_ = Named(new QComboBox(this), QStringLiteral("sheetProduct"), tr("Product"));
    for (const char* p : kProducts)
        product_->addItem(tr(p));
    pattern_ = RangeSpin(this, 1, 4096, QStringLiteral("sheetPattern"), tr("Pattern size"));
    pattern_->setSuffix(tr(" px"));
    perRow_ = RangeSpin(this, 1, 1000, QStringLiteral("sheetPerRow"), tr("Patterns a row"));
    connect(product_, &QComboBox::currentIndexChanged, this, &cDlg_PatternSheet::productChosen);
    auto* shared = new QFormLayout;
    shared->addRow(tr("Product"), product_);
    shared->addRow(tr("Pattern size"), pattern_);
    shared->addRow(tr("Patterns a row"), perRow_);

    // ---- build page ----
    auto* buildPage = new QWidget(this);
    inputs_ = Named(new QListWidget(buildPage), QStringLiteral("sheetInputs"), tr("Inputs"));
    inputs_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto button = [this](QWidget* parent, const QString& text, const char* name) {
        auto* b = Named(new QPushButton(text, parent), QString::fromLatin1(name),
                        QString(text).remove(QLatin1Char('&')));
        b->setAutoDefault(false);
        return b;
    };
    auto* addFiles = button(buildPage, tr("&Add pictures..."), "sheetAddFiles");
    auto* addFolder = button(buildPage, tr("Add &folder..."), "sheetAddFolder");
    auto* remove = button(buildPage, tr("&Remove"), "sheetRemove");
    connect(addFiles, &QPushButton::clicked, this, [this] {
        const QString file = session_.prompts().openFileName(session_.dialogFolder(),
                                                             tr("Pictures (*.png *.bmp *.gif *.xyz)"));
        if (!file.isEmpty()) addInputs({file});
    });
    connect(addFolder, &QPushButton::clicked, this, [this] {
        const QString folder = session_.prompts().folderName(session_.dialogFolder());
        if (!folder.isEmpty()) addInputs({folder});
    });
    connect(remove, &QPushButton::clicked, this, [this] { qDeleteAll(inputs_->selectedItems()); });
    auto* inputButtons = new QVBoxLayout;
    inputButtons->addWidget(addFiles);
    inputButtons->addWidget(addFolder);
    inputButtons->addWidget(remove);
    inputButtons->addStretch(1);
    auto* inputRow = new QHBoxLayout;
    inputRow->addWidget(inputs_, 1);
    inputRow->addLayout(inputButtons);

    strip_ = Named(new QCheckBox(tr("Cut pictures into frames of"), buildPage), QStringLiteral("sheetStrip"),
                   tr("Cut pictures into frames (a sprite strip)"));
    stripWidth_ = RangeSpin(buildPage, 1, 16384, QStringLiteral("sheetStripWidth"), tr("Frame width"));
    stripHeight_ = RangeSpin(buildPage, 0, 16384, QStringLiteral("sheetStripHeight"), tr("Frame height"));
    stripWidth_->setValue(64);
    stripHeight_->setSpecialValueText(tr("picture height"));
    trim_ = Named(new QCheckBox(tr("Trim each frame to its opaque pixels, then centre it"), buildPage),
                  QStringLiteral("sheetTrim"), tr("Trim frames"));
    auto* stripRow = new QHBoxLayout;
    stripRow->addWidget(strip_);
    stripRow->addWidget(stripWidth_);
    stripRow->addWidget(new QLabel(QStringLiteral("x"), buildPage));
    stripRow->addWidget(stripHeight_);
    stripRow->addStretch(1);

    auto* buildButton = button(buildPage, tr("&Build"), "sheetBuild");
    save_ = button(buildPage, tr("&Save..."), "sheetSave");
    save_->setEnabled(false);
    connect(buildButton, &QPushButton::clicked, this, [this] { build(); });
    connect(save_, &QPushButton::clicked, this, [this] { save(); });
    auto* actions = new QHBoxLayout;
    actions->addStretch(1);
    actions->addWidget(buildButton);
    actions->addWidget(save_);

    preview_ = new QLabel(buildPage);
    preview_->setObjectName(QStringLiteral("sheetPreview"));
    preview_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    preview_->setBackgroundRole(QPalette::Dark);
    auto* scroll = Named(new QScrollArea(buildPage), QStringLiteral("sheetPreviewArea"), tr("Sheet"));
    scroll->setWidget(preview_);
    scroll->setWidgetResizable(true);
    scroll->setMinimumHeight(180);
    report_ = Named(new QPlainTextEdit(buildPage), QStringLiteral("sheetReport"), tr("What was done"));
    report_->setReadOnly(true);
    report_->setMaximumHeight(110);

    auto* buildLayout = new QVBoxLayout(buildPage);
    buildLayout->addLayout(inputRow);
    buildLayout->addLayout(stripRow);
    buildLayout->addWidget(trim_);
    buildLayout->addLayout(actions);
    buildLayout->addWidget(scroll, 1);
    buildLayout->addWidget(report_);

    // ---- check page ----
    auto* checkPage = new QWidget(this);
    checkPath_ = Named(new QLineEdit(checkPage), QStringLiteral("sheetCheckPath"), tr("Picture to check"));
    auto* browse = button(checkPage, tr("C&hoose..."), "sheetCheckBrowse");
    auto* checkButton = button(checkPage, tr("&Check"), "sheetCheck");
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString file = session_.prompts().openFileName(session_.dialogFolder(),
                                                             tr("Pictures (*.png *.bmp *.gif *.xyz)"));
        if (!file.isEmpty()) check(file);
    });
    connect(checkButton, &QPushButton::clicked, this, [this] { check(checkPath_->text()); });
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(checkPath_, 1);
    pathRow->addWidget(browse);
    pathRow->addWidget(checkButton);
    checkReport_ = Named(new QPlainTextEdit(checkPage), QStringLiteral("sheetCheckReport"), tr("Findings"));
    checkReport_->setReadOnly(true);
    auto* checkLayout = new QVBoxLayout(checkPage);
    checkLayout->addLayout(pathRow);
    checkLayout->addWidget(checkReport_, 1);

    pages_ = Named(new QTabWidget(this), QStringLiteral("sheetPages"), tr("Pattern sheet"));
    pages_->addTab(buildPage, tr("Build"));
    pages_->addTab(checkPage, tr("Check"));
    auto* close = button(this, tr("Close"), "sheetClose");
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch(1);
    closeRow->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(shared);
    layout->addWidget(pages_, 1);
    layout->addLayout(closeRow);
    productChosen();
    resize(560, 640);
}

void cDlg_PatternSheet::showBuildPage() {
    pages_->setCurrentIndex(0);
}

void cDlg_PatternSheet::showCheckPage(const QString& path) {
    pages_->setCurrentIndex(1);
    if (!path.isEmpty()) check(path);
}

void cDlg_PatternSheet::productChosen() {
    const strSheetLimits limits = SheetLimits(eSheetProduct(product_->currentIndex()));
    pattern_->setValue(limits.patternSize);
    perRow_->setValue(limits.perRow);
}

void cDlg_PatternSheet::setProduct(eSheetProduct product) {
    product_->setCurrentIndex(int(product));
}

void cDlg_PatternSheet::setStrip(int frameWidth, int frameHeight) {
    strip_->setChecked(frameWidth > 0);
    if (frameWidth > 0) stripWidth_->setValue(frameWidth);
    stripHeight_->setValue(frameHeight);
}

void cDlg_PatternSheet::setTrim(bool on) {
    trim_->setChecked(on);
}

void cDlg_PatternSheet::addInputs(const QStringList& paths) {
    for (const QString& p : paths)
        inputs_->addItem(p);
}

QStringList cDlg_PatternSheet::inputs() const {
    QStringList out;
    for (int i = 0; i < inputs_->count(); ++i)
        out << inputs_->item(i)->text();
    return out;
}

strSheetOptions cDlg_PatternSheet::options() const {
    strSheetOptions o;
    o.product = eSheetProduct(product_->currentIndex());
    o.patternSize = pattern_->value();
    o.perRow = perRow_->value();
    o.trim = trim_->isChecked();
    return o;
}

QString cDlg_PatternSheet::productName() const {
    return product_->currentIndex() == 0 ? tr("this editor") : product_->currentText();
}

bool cDlg_PatternSheet::build() {
    result_ = {};
    frames_.clear();
    save_->setEnabled(false);
    std::vector<std::string> paths;
    for (const QString& p : inputs())
        paths.push_back(p.toStdString());
    strSheetInput how;
    if (strip_->isChecked()) {
        how.frameWidth = stripWidth_->value();
        how.frameHeight = stripHeight_->value();
    }
    strMessage why;
    const bool any = !paths.empty();
    bool ok = any && LoadSheetFrames(paths, how, frames_, &why);
    std::vector<const cDib*> images;
    for (const strSheetFrame& f : frames_)
        images.push_back(f.image.get());
    ok = ok && BuildPatternSheet(images, options(), result_, &why);
    if (!ok) {
        result_ = {};
        preview_->clear();
        report_->setPlainText(tr("Nothing built: %1")
                                  .arg(any ? LibraryMessage(why)
                                           : tr("Add the pictures, folders or GIFs that hold the frames.")));
        return false;
    }
    save_->setEnabled(true);
    showResult();
    return true;
}

void cDlg_PatternSheet::showResult() {
    preview_->setPixmap(QPixmap::fromImage(ToImage(*result_.sheet)));
    report_->setPlainText(buildReport());
}

QString cDlg_PatternSheet::buildReport() const {
    if (!result_.sheet) return report_->toPlainText();
    QStringList lines;
    lines << tr("%1 patterns of %2 x %3, %4 a row: a sheet of %5 x %6 pixels.")
                 .arg(result_.frames.size())
                 .arg(result_.patternSize)
                 .arg(result_.patternSize)
                 .arg(result_.columns)
                 .arg(result_.sheet->width())
                 .arg(result_.sheet->height());
    // A run of frames scaled alike, or left empty, is one line.
    for (size_t i = 0; i < result_.frames.size();) {
        const strPlacedFrame& p = result_.frames[i];
        size_t j = i + 1;
        while (j < result_.frames.size()) {
            const strPlacedFrame& q = result_.frames[j];
            if (q.scaled != p.scaled || q.empty != p.empty || q.sourceWidth != p.sourceWidth ||
                q.sourceHeight != p.sourceHeight || q.width != p.width || q.height != p.height)
                break;
            ++j;
        }
        const QString which = j - i == 1 ? tr("Pattern %1 (%2)").arg(p.pattern).arg(Utf8(frames_[i].source))
                                         : tr("Patterns %1 to %2 (%3 to %4)")
                                               .arg(p.pattern)
                                               .arg(result_.frames[j - 1].pattern)
                                               .arg(Utf8(frames_[i].source), Utf8(frames_[j - 1].source));
        if (p.scaled)
            lines << tr("%1 scaled down from %2 x %3 to %4 x %5.")
                         .arg(which)
                         .arg(p.sourceWidth)
                         .arg(p.sourceHeight)
                         .arg(p.width)
                         .arg(p.height);
        if (p.empty) lines << tr("%1: no opaque pixel, left empty.").arg(which);
        i = j;
    }
    for (eSheetProduct product : result_.beyondLimitOf)
        lines << tr("%1 patterns are more than %2 reads in one picture.")
                     .arg(result_.frames.size())
                     .arg(tr(kProducts[int(product)]));
    return lines.join(QLatin1Char('\n'));
}

bool cDlg_PatternSheet::save(const QString& chosen) {
    if (!result_.sheet) return false;
    QString path = chosen;
    if (path.isEmpty()) {
        const QString first = inputs_->count() > 0 ? inputs_->item(0)->text() : QString();
        const QFileInfo info(first);
        const QString proposal =
            first.isEmpty()
                ? session_.dialogFolder()
                : info.absoluteDir().filePath(info.completeBaseName() + QStringLiteral("_sheet.png"));
        path = session_.prompts().saveFileName(proposal, tr("PNG pictures (*.png)"), QStringLiteral("png"));
    }
    if (path.isEmpty()) return false;
    strSheetWrite written;
    strMessage why;
    if (!WritePatternSheet(path.toStdString(), *result_.sheet, options().product, written, &why)) {
        session_.prompts().message(
            tr("The sheet could not be written.\n%1\n%2").arg(path, LibraryMessage(why)), cPrompts::kError);
        return false;
    }
    QString done = tr("Saved %1").arg(QFileInfo(path).fileName());
    if (written.palette) done += tr(" as a palette picture of %1 colours").arg(written.paletteEntries);
    if (!written.notPalette.none())
        done += tr(" in full colour (no palette: %1)").arg(LibraryMessage(written.notPalette));
    report_->appendPlainText(done);
    session_.showStatus(done);
    return true;
}

QString cDlg_PatternSheet::findingText(const strSheetFinding& f) const {
    const QString who = productName();
    const auto a = qlonglong(f.a), b = qlonglong(f.b);
    switch (f.kind) {
    case eSheetFinding::kSizeNotMultiple:
        return tr("The picture is %1 x %2 pixels, not a multiple of the %3-pixel pattern: the strip at the "
                  "right or bottom edge belongs to no pattern.")
            .arg(a)
            .arg(b)
            .arg(pattern_->value());
    case eSheetFinding::kColumns:
        return a < b
                   ? tr("The picture has %1 pattern columns; %2 places %3 patterns a row, so patterns in the "
                        "missing columns show nothing.")
                         .arg(a)
                         .arg(who)
                         .arg(b)
                   : tr("The picture has %1 pattern columns; %2 uses %3 a row, so the patterns past column "
                        "%3 "
                        "are never shown.")
                         .arg(a)
                         .arg(who)
                         .arg(b);
    case eSheetFinding::kTooManyPatterns:
        return tr("The picture holds %1 patterns; %2 reads at most %3.").arg(a).arg(who).arg(b);
    case eSheetFinding::kTooManyColours:
        return tr("The picture has %1 colours; %2 reads palette pictures of %3 colours beside the "
                  "transparent one.")
            .arg(a)
            .arg(who)
            .arg(b);
    case eSheetFinding::kPartialAlpha:
        return tr("%1 pixels are partly transparent; %2 shows a pixel either transparent or opaque.")
            .arg(a)
            .arg(who);
    case eSheetFinding::kNotPalette:
        return tr("The picture is stored with %1 bits a pixel; %2 reads palette (8-bit) pictures.")
            .arg(a)
            .arg(who);
    }
    return {};
}

bool cDlg_PatternSheet::check(const QString& path) {
    checkPath_->setText(path);
    findings_.clear();
    cBMP picture;
    strLoadInfo info;
    checked_ = path.isEmpty() ? false : LoadPictureFile(path.toStdString(), picture, &info);
    if (!checked_) {
        const QString reason = LibraryMessage(LoadFailureMessage(info));
        checkReport_->setPlainText(tr("Could not read %1").arg(path) +
                                   (reason.isEmpty() ? QString() : QStringLiteral(": ") + reason));
        return false;
    }
    findings_ = CheckPatternSheet(picture, options());
    checkReport_->setPlainText(checkReport());
    return true;
}

QString cDlg_PatternSheet::checkReport() const {
    if (!checked_) return checkReport_->toPlainText();
    if (findings_.empty())
        return tr("%1 reads this picture as a pattern sheet without trouble.").arg(productName());
    QStringList lines;
    for (const strSheetFinding& f : findings_)
        lines << findingText(f);
    return lines.join(QLatin1Char('\n'));
}
