#include "ui/dialogs/dlg_settings.h"

#include "config/config.h"
#include "ui/dialogs/dialog_helpers.h"
#include "ui/dialogs/dlg_project.h"
#include "ui/platform/prompts.h"
#include "ui/session/session.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace {

const char* const kTransList =
    QT_TRANSLATE_NOOP("ChoiceLists", "Picture's alpha,Palette index 0,Top-left pixel,Black,Automatic");
const char* const kCompList = QT_TRANSLATE_NOOP(
    "ChoiceLists",
    "Everything,Everything but picture and pattern,Everything but picture and pattern and colour");

} // namespace

QString cDlg_Settings::colourText(uint32_t value) {
    return QString::asprintf("0x%08x", value);
}

uint32_t cDlg_Settings::parseColour(const QString& text) {
    QString t = text.trimmed();
    if (t.isEmpty()) return 0x80808080u;
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) t = t.mid(2);
    uint32_t v = 0;
    for (QChar ch : t) {
        const int d = QStringLiteral("0123456789abcdef").indexOf(ch.toLower());
        if (d < 0) break;
        v = (v << 4) | uint32_t(d);
    }
    return v;
}

cDlg_Settings::cDlg_Settings(cSession& session, QWidget* parent) : QDialog(parent), session_(session) {
    setObjectName(QStringLiteral("settingsDialog"));
    setAccessibleName(tr("Editor settings"));
    setWindowTitle(tr("Editor settings"));
    tabs_ = Named(new QTabWidget(this), QStringLiteral("settingsPages"), tr("Settings pages"));
    tabs_->addTab(foldersPage(), tr("Folders"));
    tabs_->addTab(defaultPage(), tr("New animations"));
    tabs_->addTab(displayPage(), tr("Display"));
    tabs_->addTab(gamesPage(), tr("Game projects"));
    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Apply | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("settingsButtons"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
    connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this, &cDlg_Settings::apply);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        apply();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    load();
}

void cDlg_Settings::load() {
    for (auto& f : loaders_)
        f();
}

void cDlg_Settings::apply() {
    for (auto& f : storers_)
        f();
    session_.pictureSlots().setBackgroundFromSetting(session_.config().CGround);
    session_.viewSettingsChanged();
    session_.showStatus(tr("Editor settings applied"));
}

QWidget* cDlg_Settings::foldersPage() {
    cConfig& c = session_.config();
    auto* page = Named(new QWidget(this), QStringLiteral("foldersPage"), tr("Folders"));
    auto* form = new QFormLayout(page);
    auto folder = [&](const QString& label, std::string cConfig::*key, int max, const char* fallback,
                      const QString& name) {
        auto* edit = Named(new QLineEdit(page), name, label);
        edit->setMaxLength(max);
        form->addRow(label, edit);
        loaders_.push_back([&c, edit, key] { edit->setText(QString::fromStdString(c.*key)); });
        storers_.push_back([&c, edit, key, fallback] {
            const std::string v = edit->text().trimmed().toStdString();
            c.*key = v.empty() ? fallback : v;
        });
    };
    folder(tr("Working folder name"), &cConfig::FolderName_C, 64, "Data", QStringLiteral("folderWorking"));
    folder(tr("Picture folder"), &cConfig::FolderName_G, 255, "BattleEffect", QStringLiteral("folderImages"));
    folder(tr("Sound folder"), &cConfig::FolderName_S, 255, "Sound", QStringLiteral("folderSounds"));
    form->addRow(new QLabel(tr("Takes effect after restart"), page));
    auto* trans = ListCombo(page, kTransList, QStringLiteral("transType"), tr("Transparent colour"));
    form->addRow(tr("Transparent colour"), trans);
    auto* comp = ListCombo(page, kCompList, QStringLiteral("compType"), tr("Filling in copies"));
    form->addRow(tr("Filling in copies"), comp);
    auto* backup = Named(new QCheckBox(tr("Make a backup copy when opening a file"), page),
                         QStringLiteral("backUpFlag"), tr("Make a backup copy when opening a file"));
    form->addRow(backup);
    auto* recovery = RangeSpin(page, 0, cConfig::kMaxRecoveryInterval, QStringLiteral("recoveryInterval"),
                               tr("Seconds between recovery copies"));
    recovery->setSuffix(tr(" seconds"));
    recovery->setSpecialValueText(tr("Never"));
    form->addRow(tr("Save a recovery copy every"), recovery);
    loaders_.push_back([&c, trans, comp, backup, recovery] {
        trans->setCurrentIndex(std::clamp(c.TransType, 0, 4));
        comp->setCurrentIndex(std::clamp(c.CompType, 0, 2));
        backup->setChecked(c.BackUpFlag);
        recovery->setValue(std::clamp(c.RecoveryInterval, 0, cConfig::kMaxRecoveryInterval));
    });
    storers_.push_back([&c, trans, comp, backup, recovery] {
        c.TransType = trans->currentIndex();
        c.CompType = comp->currentIndex();
        c.BackUpFlag = backup->isChecked();
        c.RecoveryInterval = recovery->value();
    });
    return page;
}

QWidget* cDlg_Settings::gamesPage() {
    cConfig& c = session_.config();
    auto* page = Named(new QWidget(this), QStringLiteral("gamesPage"), tr("Game projects"));
    auto* form = new QFormLayout(page);
    auto* note = new QLabel(tr("A game's pictures and sounds are looked for in the game's own folders first, "
                               "then in the run-time package folder of its product (empty: not searched)."),
                            page);
    note->setWordWrap(true);
    form->addRow(note);
    const struct {
        const char* label;
        std::string cConfig::*key;
        const char* name;
    } rows[] = {
        {QT_TR_NOOP("RPG Maker 2000 run-time package"), &cConfig::RTPFolder_2000, "rtpFolder2000"},
        {QT_TR_NOOP("RPG Maker 2003 run-time package"), &cConfig::RTPFolder_2003, "rtpFolder2003"},
        {QT_TR_NOOP("RPG Maker XP run-time package"), &cConfig::RTPFolder_XP, "rtpFolderXP"},
        {QT_TR_NOOP("RPG Maker VX run-time package"), &cConfig::RTPFolder_VX, "rtpFolderVX"},
        {QT_TR_NOOP("RPG Maker VX Ace run-time package"), &cConfig::RTPFolder_VXAce, "rtpFolderVXAce"},
        {QT_TR_NOOP("RPG Maker MV run-time package"), &cConfig::RTPFolder_MV, "rtpFolderMV"},
    };
    for (const auto& row : rows) {
        const QString label = tr(row.label);
        const QString name = QString::fromLatin1(row.name);
        auto* edit = Named(new QLineEdit(page), name, label);
        auto* browse = Named(new QPushButton(tr("Browse..."), page), name + QStringLiteral("Browse"),
                             tr("Choose the folder of %1").arg(label));
        auto* line = new QHBoxLayout;
        line->addWidget(edit, 1);
        line->addWidget(browse);
        form->addRow(label, line);
        connect(browse, &QPushButton::clicked, this, [this, edit] {
            const QString folder = session_.prompts().folderName(edit->text());
            if (!folder.isEmpty()) edit->setText(folder);
        });
        const auto key = row.key;
        loaders_.push_back([&c, edit, key] { edit->setText(QString::fromStdString(c.*key)); });
        storers_.push_back([&c, edit, key] { c.*key = edit->text().trimmed().toStdString(); });
    }
    return page;
}

QWidget* cDlg_Settings::defaultPage() {
    cConfig& c = session_.config();
    auto* page = Named(new QWidget(this), QStringLiteral("defaultPage"), tr("New animations"));
    auto* group = new QGroupBox(tr("Settings of a new animation"), page);
    auto* form = new QFormLayout(group);
    auto* interval = RangeSpin(group, 1, 255, QStringLiteral("initInterval"), tr("Frame interval"));
    auto* cells =
        RangeSpin(group, 1, cConfig::kMaxCellNumber, QStringLiteral("initCell"), tr("Cell numbers"));
    auto* centre = ListCombo(group, ui_lists::kCentre, QStringLiteral("initCenter"), tr("Anchor"));
    auto* split = ListCombo(group, ui_lists::kSplitFormat, QStringLiteral("initDiv"), tr("Divide pictures"));
    auto* edit = ListCombo(group, ui_lists::kEditFormat, QStringLiteral("initEdit"), tr("Edit rule"));
    auto* save = ListCombo(group, ui_lists::kSaveFormat, QStringLiteral("initFormat"), tr("Save format"));
    auto* lock =
        Named(new QCheckBox(QCoreApplication::translate("cDlg_Project", ui_lists::kLockLabel), group),
              QStringLiteral("initFixFlag"), tr("Lock each cell number to one picture"));
    auto* cutX = RangeSpin(group, 1, 1024, QStringLiteral("initCutX"), tr("Patterns across"));
    auto* cutY = RangeSpin(group, 1, 1024, QStringLiteral("initCutY"), tr("Patterns down"));
    auto* cut = new QHBoxLayout;
    cut->addWidget(cutX);
    cut->addWidget(cutY);
    form->addRow(tr("Frame interval"), interval);
    form->addRow(tr("Cell numbers"), cells);
    form->addRow(tr("Anchor"), centre);
    form->addRow(tr("Divide pictures"), split);
    form->addRow(tr("Edit rule"), edit);
    form->addRow(tr("Save format"), save);
    form->addRow(lock);
    form->addRow(tr("Patterns across, down"), cut);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(group);
    layout->addStretch(1);
    loaders_.push_back([&c, interval, cells, centre, split, edit, save, lock, cutX, cutY] {
        interval->setValue(c.Init_Int);
        cells->setValue(c.Init_Cell);
        centre->setCurrentIndex(std::min<int>(c.Init_Center, 5));
        split->setCurrentIndex(std::min<int>(c.Init_Div, 1));
        edit->setCurrentIndex(std::min<int>(c.Init_Edit, 4));
        save->setCurrentIndex(std::min<int>(c.Init_Format, 1));
        lock->setChecked(c.Init_FixFlag);
        cutX->setValue(c.Init_CutX);
        cutY->setValue(c.Init_CutY);
    });
    storers_.push_back([&c, interval, cells, centre, split, edit, save, lock, cutX, cutY] {
        c.Init_Int = interval->value();
        c.Init_Cell = cells->value();
        c.Init_Center = uint8_t(centre->currentIndex());
        c.Init_Div = uint8_t(split->currentIndex());
        c.Init_Edit = uint8_t(edit->currentIndex());
        c.Init_Format = uint8_t(save->currentIndex());
        c.Init_FixFlag = lock->isChecked();
        c.Init_CutX = cutX->value();
        c.Init_CutY = cutY->value();
    });
    return page;
}

QWidget* cDlg_Settings::displayPage() {
    cConfig& c = session_.config();
    auto* page = Named(new QWidget(this), QStringLiteral("displayPage"), tr("Display"));
    auto* form = new QFormLayout(page);
    cPrompts& prompts = session_.prompts();

    // A Windows colour value picked with the colour chooser, shown as "0x%08x" beside a swatch.
    auto picker = [&](const QString& label, uint32_t cConfig::*key, const QString& name) {
        auto* button = Named(new QPushButton(page), name, label);
        auto value = std::make_shared<uint32_t>(0);
        auto show = [button, value] {
            button->setText(colourText(*value));
            button->setStyleSheet(QStringLiteral("text-align:left; border-left: 16px solid %1;")
                                      .arg(FromWindowsColour(*value).name()));
        };
        connect(button, &QPushButton::clicked, this, [&prompts, value, show] {
            const QColor chosen = prompts.colour(FromWindowsColour(*value));
            if (!chosen.isValid()) return;
            *value = ToWindowsColour(chosen);
            show();
        });
        loaders_.push_back([&c, key, value, show] {
            *value = c.*key;
            show();
        });
        storers_.push_back([&c, key, value] { c.*key = *value; });
        return button;
    };
    // An alpha colour typed as eight hex digits ("%08x").
    auto alpha = [&](const QString& label, uint32_t cConfig::*key, const QString& name) {
        auto* edit = Named(new QLineEdit(page), name, label);
        edit->setMaxLength(10);
        loaders_.push_back([&c, edit, key] { edit->setText(QString::asprintf("%08x", c.*key)); });
        storers_.push_back([&c, edit, key] { c.*key = parseColour(edit->text()); });
        return edit;
    };
    auto flag = [&](const QString& label, bool cConfig::*key, const QString& name) {
        auto* box = Named(new QCheckBox(label, page), name, label);
        loaders_.push_back([&c, box, key] { box->setChecked(c.*key); });
        storers_.push_back([&c, box, key] { c.*key = box->isChecked(); });
        return box;
    };
    auto number = [&](int low, int high, int cConfig::*key, const QString& name, const QString& accessible) {
        auto* spin = RangeSpin(page, low, high, name, accessible);
        loaders_.push_back([&c, spin, key] { spin->setValue(c.*key); });
        storers_.push_back([&c, spin, key] { c.*key = spin->value(); });
        return spin;
    };

    form->addRow(tr("Background colour"),
                 picker(tr("Background colour"), &cConfig::CGround, QStringLiteral("colourGround")));
    form->addRow(flag(tr("Centre lines"), &cConfig::VCenterFlag, QStringLiteral("centerFlag")));
    form->addRow(tr("Colour (0xAARRGGBB)"),
                 alpha(tr("Centre line colour"), &cConfig::CCenterLine, QStringLiteral("colourCenterLine")));
    auto* range = new QHBoxLayout;
    range->addWidget(number(2, 1024, &cConfig::CenterW, QStringLiteral("centerW"), tr("Centre area width")));
    range->addWidget(number(2, 1024, &cConfig::CenterH, QStringLiteral("centerH"), tr("Centre area height")));
    form->addRow(tr("Centre area width, height"), range);
    form->addRow(flag(tr("Grid"), &cConfig::VGridFlag, QStringLiteral("gridFlag")));
    form->addRow(tr("Grid colour"), picker(tr("Grid colour"), &cConfig::CGrid, QStringLiteral("colourGrid")));
    form->addRow(tr("Grid spacing"),
                 number(2, 255, &cConfig::GridSize, QStringLiteral("gridSize"), tr("Grid spacing")));
    form->addRow(new QLabel(tr("Onion skins"), page));
    form->addRow(tr("Previous frame (0xAARRGGBB)"), alpha(tr("Previous frame colour"), &cConfig::CBackShadow,
                                                          QStringLiteral("colourBackShadow")));
    form->addRow(tr("Next frame (0xAARRGGBB)"),
                 alpha(tr("Next frame colour"), &cConfig::CNextShadow, QStringLiteral("colourNextShadow")));

    // "auto", "en", then the translations, in the order Language's values are offered.
    auto* language = Named(new QComboBox(page), QStringLiteral("language"), tr("Language"));
    language->addItem(tr("Automatic (as the desktop)"), QStringLiteral("auto"));
    language->addItem(tr("English"), QStringLiteral("en"));
    language->addItem(tr("Japanese"), QStringLiteral("ja"));
    form->addRow(tr("Language"), language);
    form->addRow(Named(new QLabel(tr("Takes effect after restart"), page), QStringLiteral("languageNote"),
                       tr("Takes effect after restart")));
    loaders_.push_back([&c, language] {
        const int at = language->findData(QString::fromStdString(c.Language));
        language->setCurrentIndex(at < 0 ? 0 : at);
    });
    storers_.push_back([&c, language] { c.Language = language->currentData().toString().toStdString(); });
    return page;
}
