#include "ui/dialogs/dlg_settings.h"

#include "config/config.h"
#include "ui/dialogs/dialog_helpers.h"
#include "ui/dialogs/dlg_project.h"
#include "ui/platform/prompts.h"
#include "ui/session/session.h"

#include <QCheckBox>
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
    "\xCE\xB1 value of the image,Palette number \xEF\xBC\x90,Upper-left 1 dot,Black,Automatic";
const char* const kCompList = "All elements,Ignore image/pattern,Ignore image/pattern/color";

} // namespace

QString cDlg_Settings::ColourText(uint32_t value) {
    return QString::asprintf("0x%08x", value);
}

uint32_t cDlg_Settings::ParseColour(const QString& text) {
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
    setAccessibleName(QStringLiteral("Editor settings"));
    setWindowTitle(QStringLiteral("Editor settings"));
    tabs_ = Named(new QTabWidget(this), QStringLiteral("settingsPages"), QStringLiteral("Settings pages"));
    tabs_->addTab(foldersPage(), QStringLiteral("Folders"));
    tabs_->addTab(defaultPage(), QStringLiteral("Default"));
    tabs_->addTab(displayPage(), QStringLiteral("Display"));
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
    session_.pictureSlots().SetBackgroundFromSetting(session_.config().CGround);
    session_.viewSettingsChanged();
}

QWidget* cDlg_Settings::foldersPage() {
    cConfig& c = session_.config();
    auto* page = Named(new QWidget(this), QStringLiteral("foldersPage"), QStringLiteral("Folders"));
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
    folder(QStringLiteral("Base name folder"), &cConfig::FolderName_C, 64, "Data",
           QStringLiteral("folderWorking"));
    folder(QStringLiteral("Image folder path"), &cConfig::FolderName_G, 255, "BattleEffect",
           QStringLiteral("folderImages"));
    folder(QStringLiteral("Voice folder path"), &cConfig::FolderName_S, 255, "Sound",
           QStringLiteral("folderSounds"));
    form->addRow(new QLabel(QString::fromUtf8("\xE2\x80\xBB Reread needed"), page));
    auto* trans = ListCombo(page, kTransList, QStringLiteral("transType"),
                            QStringLiteral("Method of transparent color"));
    form->addRow(QStringLiteral("Method of transparent color"), trans);
    auto* comp =
        ListCombo(page, kCompList, QStringLiteral("compType"), QStringLiteral("Simple cell supplement"));
    form->addRow(QStringLiteral("Simple cell supplement"), comp);
    auto* backup = Named(new QCheckBox(QStringLiteral(" Generate a backup file when reading"), page),
                         QStringLiteral("backUpFlag"), QStringLiteral("Generate a backup file when reading"));
    form->addRow(backup);
    loaders_.push_back([&c, trans, comp, backup] {
        trans->setCurrentIndex(std::clamp(c.TransType, 0, 4));
        comp->setCurrentIndex(std::clamp(c.CompType, 0, 2));
        backup->setChecked(c.BackUpFlag);
    });
    storers_.push_back([&c, trans, comp, backup] {
        c.TransType = trans->currentIndex();
        c.CompType = comp->currentIndex();
        c.BackUpFlag = backup->isChecked();
    });
    return page;
}

QWidget* cDlg_Settings::defaultPage() {
    cConfig& c = session_.config();
    auto* page = Named(new QWidget(this), QStringLiteral("defaultPage"), QStringLiteral("Default"));
    auto* group = new QGroupBox(QStringLiteral("Initial state of the project"), page);
    auto* form = new QFormLayout(group);
    auto* interval =
        RangeSpin(group, 1, 255, QStringLiteral("initInterval"), QStringLiteral("Basic interval"));
    auto* cells = RangeSpin(group, 1, cConfig::kMaxCellNumber, QStringLiteral("initCell"),
                            QStringLiteral("Cell number"));
    auto* centre =
        ListCombo(group, ui_lists::kCentre, QStringLiteral("initCenter"), QStringLiteral("Center position"));
    auto* split =
        ListCombo(group, ui_lists::kSplitFormat, QStringLiteral("initDiv"), QStringLiteral("Split format"));
    auto* edit =
        ListCombo(group, ui_lists::kEditFormat, QStringLiteral("initEdit"), QStringLiteral("Edit format"));
    auto* save =
        ListCombo(group, ui_lists::kSaveFormat, QStringLiteral("initFormat"), QStringLiteral("Save format"));
    auto* lock = Named(new QCheckBox(QString::fromLatin1(ui_lists::kLockLabel), group),
                       QStringLiteral("initFixFlag"), QStringLiteral("Lock the image for each cell"));
    auto* cutX =
        RangeSpin(group, 1, 1024, QStringLiteral("initCutX"), QStringLiteral("Horizontal divisions"));
    auto* cutY = RangeSpin(group, 1, 1024, QStringLiteral("initCutY"), QStringLiteral("Vertical divisions"));
    auto* cut = new QHBoxLayout;
    cut->addWidget(cutX);
    cut->addWidget(cutY);
    form->addRow(QStringLiteral("Basic interval"), interval);
    form->addRow(QStringLiteral("Cell number"), cells);
    form->addRow(QStringLiteral("Center position"), centre);
    form->addRow(QStringLiteral("Split format"), split);
    form->addRow(QStringLiteral("Edit format"), edit);
    form->addRow(QStringLiteral("Save format"), save);
    form->addRow(lock);
    form->addRow(QStringLiteral("Nbr div (H , V)"), cut);
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
    auto* page = Named(new QWidget(this), QStringLiteral("displayPage"), QStringLiteral("Display"));
    auto* form = new QFormLayout(page);
    cPrompts& prompts = session_.prompts();

    // A Windows colour value picked with the colour chooser, shown as "0x%08x" beside a swatch.
    auto picker = [&](const QString& label, uint32_t cConfig::*key, const QString& name) {
        auto* button = Named(new QPushButton(page), name, label);
        auto value = std::make_shared<uint32_t>(0);
        auto show = [button, value] {
            button->setText(ColourText(*value));
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
        storers_.push_back([&c, edit, key] { c.*key = ParseColour(edit->text()); });
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

    form->addRow(
        QStringLiteral("Background Color"),
        picker(QStringLiteral("Background Color"), &cConfig::CGround, QStringLiteral("colourGround")));
    form->addRow(flag(QStringLiteral("Center line"), &cConfig::VCenterFlag, QStringLiteral("centerFlag")));
    form->addRow(QStringLiteral("Color (0xaarrggbb)"),
                 alpha(QStringLiteral("Center line color"), &cConfig::CCenterLine,
                       QStringLiteral("colourCenterLine")));
    auto* range = new QHBoxLayout;
    range->addWidget(
        number(2, 1024, &cConfig::CenterW, QStringLiteral("centerW"), QStringLiteral("Center width")));
    range->addWidget(
        number(2, 1024, &cConfig::CenterH, QStringLiteral("centerH"), QStringLiteral("Center height")));
    form->addRow(QStringLiteral("Range [x,y]"), range);
    form->addRow(flag(QStringLiteral("Grid"), &cConfig::VGridFlag, QStringLiteral("gridFlag")));
    form->addRow(QStringLiteral("Grid color"),
                 picker(QStringLiteral("Grid color"), &cConfig::CGrid, QStringLiteral("colourGrid")));
    form->addRow(QStringLiteral("Interval"), number(2, 255, &cConfig::GridSize, QStringLiteral("gridSize"),
                                                    QStringLiteral("Grid interval")));
    form->addRow(new QLabel(QStringLiteral("Before and after cell"), page));
    form->addRow(
        QStringLiteral("Before (0xaarrggbb)"),
        alpha(QStringLiteral("Before colour"), &cConfig::CBackShadow, QStringLiteral("colourBackShadow")));
    form->addRow(
        QStringLiteral("After (0xaarrggbb)"),
        alpha(QStringLiteral("After colour"), &cConfig::CNextShadow, QStringLiteral("colourNextShadow")));
    return page;
}
