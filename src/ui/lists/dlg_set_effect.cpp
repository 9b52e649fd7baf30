#include "ui/lists/dlg_set_effect.h"

#include "config/config.h"
#include "document/project.h"
#include "image/texture.h"
#include "render/sprite_drawer.h"
#include "tools/effect_edit.h"
#include "ui/dialogs/dialog_helpers.h"
#include "ui/lists/record_dialog.h"
#include "ui/platform/prompts.h"
#include "ui/session/session.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDropEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSlider>
#include <QUrl>

namespace {

uint32_t ArgbOfWindowsColour(uint32_t c) {
    return 0xFF000000u | (c & 0xFF) << 16 | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

// A screen flash of the colour and drawing method over one pixel of a background, drawn by the
// drawing device.
uint32_t FlashOver(uint32_t background, int drawing, int red, int green, int blue, int strength) {
    cTexture target;
    if (!target.create(1, 1)) return background;
    cSpriteDrawer drawer;
    drawer.beginFrame(target, background);
    strRectParams r;
    r.flags = kRectWholeTarget;
    r.screenSpace = 1;
    r.alpha = strength;
    r.red = red;
    r.green = green;
    r.blue = blue;
    r.blend = drawing;
    drawer.drawRect(r);
    drawer.endFrame();
    return target.pixel(0, 0);
}

} // namespace

cDlg_SetEffect::cDlg_SetEffect(cSession& session, int index, const strEffect& record, QWidget* parent)
    : QDialog(parent), session_(session), record_(record), preview_(&session.soundDevice()) {
    setObjectName(QStringLiteral("effectDialog"));
    setAccessibleName(tr("Timing"));
    setWindowTitle(tr("Timing %1").arg(index));
    setAcceptDrops(true);
    const std::string& locale = session.config().Locale;
    cEffectEdit edit;
    edit.load(record, session.document().frameCapacity());

    start_ = RangeSpin(this, 0, session.document().frameCapacity(), QStringLiteral("effectStart"),
                       ListsText(kLtStartFrame));
    start_->setValue(edit.startFrame);

    sound_ =
        Named(new QGroupBox(ListsText(kLtSound), this), QStringLiteral("effectSound"), ListsText(kLtSound));
    sound_->setCheckable(true);
    sound_->setChecked(edit.sound);
    auto* soundForm = new QFormLayout(sound_);
    soundPath_ = Named(new QLineEdit(sound_), QStringLiteral("effectSoundPath"), tr("Sound file"));
    soundPath_->setText(FromDocument(edit.soundPath, locale));
    auto* open = OpenFileButton(sound_, session_, QStringLiteral("effectOpen"), kLtSoundFilter,
                                [this](const QString& file) { setFile(file); });
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(soundPath_, 1);
    pathRow->addWidget(open);
    soundForm->addRow(pathRow);
    volume_ = sliderRow(soundForm, kLtVolume, QStringLiteral("effectVolume"), 1, 100, 20, 50, 10);
    frequency_ = sliderRow(soundForm, kLtFrequency, QStringLiteral("effectFrequency"), 1, 200, 20, 50, 10);
    balance_ = sliderRow(soundForm, kLtBalance, QStringLiteral("effectBalance"), 0, 200, 20, 50, 10);
    volume_->setValue(edit.volume);
    frequency_->setValue(edit.frequency);
    balance_->setValue(edit.balance);
    auto* playButton = Named(new QPushButton(ListsText(kLtPlay), sound_), QStringLiteral("effectPlay"),
                             tr("Play the sound effect"));
    soundForm->addRow(playButton);

    flash_ =
        Named(new QGroupBox(ListsText(kLtFlash), this), QStringLiteral("effectFlash"), ListsText(kLtFlash));
    flash_->setCheckable(true);
    flash_->setChecked(edit.flash);
    auto* flashForm = new QFormLayout(flash_);
    flashFrames_ = RangeSpin(flash_, 0, 255, QStringLiteral("effectFlashFrames"), tr("Flash frames"));
    flashFrames_->setValue(edit.flashFrames);
    flashForm->addRow(ListsText(kLtFlashFrames), flashFrames_);
    object_ = ListCombo(flash_, cEffectEdit::kObjectList, QStringLiteral("effectObject"), tr("Flash target"));
    object_->addItem(ListsText(kLtNoObject));
    object_->setCurrentIndex(edit.object);
    flashForm->addRow(ListsText(kLtObject), object_);
    drawing_ =
        ListCombo(flash_, cEffectEdit::kDrawingList, QStringLiteral("effectDrawing"), tr("Flash blend"));
    drawing_->setCurrentIndex(edit.drawing);
    flashForm->addRow(ListsText(kLtDrawing), drawing_);
    const std::pair<eListsText, const char*> colours[] = {{kLtRed, "effectRed"},
                                                          {kLtGreen, "effectGreen"},
                                                          {kLtBlue, "effectBlue"},
                                                          {kLtStrength, "effectStrength"}};
    const int values[] = {edit.red, edit.green, edit.blue, edit.strength};
    for (int i = 0; i < 4; ++i) {
        colour_[i] = sliderRow(flashForm, colours[i].first, QString::fromLatin1(colours[i].second), 0, 255,
                               32, 64, 16);
        colour_[i]->setValue(values[i]);
    }
    auto* clear = Named(new QPushButton(ListsText(kLtClear), flash_), QStringLiteral("effectClear"),
                        tr("Clear the flash colour"));
    swatch_ = Named(new QLabel(flash_), QStringLiteral("effectSwatch"), tr("Flash colour preview"));
    auto* swatchRow = new QHBoxLayout;
    swatchRow->addWidget(clear);
    swatchRow->addWidget(swatch_, 1);
    flashForm->addRow(swatchRow);

    userDataOn_ = Named(new QCheckBox(ListsText(kLtUserData), this), QStringLiteral("effectUserDataOn"),
                        ListsText(kLtUserData));
    userDataOn_->setChecked(edit.userDataOn);
    userData_ = Named(new QLineEdit(this), QStringLiteral("effectUserData"), tr("User data"));
    userData_->setText(FromDocument(edit.userData, locale));

    auto* buttons = ApplyCancelButtons(this, QStringLiteral("effect"), [this] { apply(); });

    auto* top = new QFormLayout;
    top->addRow(ListsText(kLtStartFrame), start_);
    auto* groups = new QHBoxLayout;
    groups->addWidget(sound_, 1);
    groups->addWidget(flash_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(groups);
    layout->addWidget(userDataOn_);
    layout->addWidget(userData_);
    layout->addWidget(buttons);

    connect(playButton, &QPushButton::clicked, this, &cDlg_SetEffect::play);
    connect(clear, &QPushButton::clicked, this, [this] {
        cEffectEdit e;
        e.clearColour();
        const int v[] = {e.red, e.green, e.blue, e.strength};
        for (int i = 0; i < 4; ++i)
            colour_[i]->setValue(v[i]);
    });
    connect(flash_, &QGroupBox::toggled, this, &cDlg_SetEffect::updateEnabled);
    connect(object_, &QComboBox::currentIndexChanged, this, &cDlg_SetEffect::updateEnabled);
    connect(drawing_, &QComboBox::currentIndexChanged, this, &cDlg_SetEffect::updateSwatch);
    for (QSpinBox* s : colour_)
        connect(s, &QSpinBox::valueChanged, this, &cDlg_SetEffect::updateSwatch);
    connect(userDataOn_, &QCheckBox::toggled, userData_, &QWidget::setEnabled);
    connect(&session_, &cSession::changed, this, [this](unsigned flags) {
        if (flags & kChangeReplaced) reject();
    });
    userData_->setEnabled(edit.userDataOn);
    updateEnabled();
}

QSpinBox* cDlg_SetEffect::sliderRow(QFormLayout* form, eListsText label, const QString& name, int low,
                                    int high, int tick, int page, int line) {
    QWidget* parent = form->parentWidget();
    auto* slider =
        Named(new QSlider(Qt::Horizontal, parent), name + QStringLiteral("Slider"), ListsText(label));
    slider->setRange(low, high);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(tick);
    slider->setPageStep(page);
    slider->setSingleStep(line);
    auto* spin = RangeSpin(parent, low, high, name, ListsText(label));
    connect(slider, &QSlider::valueChanged, spin, &QSpinBox::setValue);
    connect(spin, &QSpinBox::valueChanged, slider, &QSlider::setValue);
    auto* row = new QHBoxLayout;
    row->addWidget(slider, 1);
    row->addWidget(spin);
    form->addRow(ListsText(label), row);
    return spin;
}

void cDlg_SetEffect::updateEnabled() {
    const bool colour = flash_->isChecked() && object_->currentIndex() != 2;
    drawing_->setEnabled(colour);
    for (QSpinBox* s : colour_) {
        s->setEnabled(colour);
        if (QWidget* slider = findChild<QSlider*>(s->objectName() + QStringLiteral("Slider")))
            slider->setEnabled(colour);
    }
    updateSwatch();
}

QPair<uint32_t, uint32_t> cDlg_SetEffect::swatch() const {
    const cConfig& config = session_.config();
    const uint32_t ground = ArgbOfWindowsColour(config.CGround), grid = ArgbOfWindowsColour(config.CGrid);
    if (!flash_->isChecked() || object_->currentIndex() == 2) return {ground, grid};
    const int d = drawing_->currentIndex();
    const int r = colour_[0]->value(), g = colour_[1]->value(), b = colour_[2]->value(),
              s = colour_[3]->value();
    return {FlashOver(ground, d, r, g, b, s), FlashOver(grid, d, r, g, b, s)};
}

void cDlg_SetEffect::updateSwatch() {
    const auto [overGround, overGrid] = swatch();
    QPixmap pixmap(96, 24);
    QPainter p(&pixmap);
    p.fillRect(0, 0, 48, 24, QColor::fromRgba(overGround));
    p.fillRect(48, 0, 48, 24, QColor::fromRgba(overGrid));
    p.end();
    swatch_->setPixmap(pixmap);
}

void cDlg_SetEffect::setFile(const QString& file) {
    soundPath_->setText(FromDocument(StoredPathOf(session_, file), session_.config().Locale));
}

void cDlg_SetEffect::play() {
    const std::string& locale = session_.config().Locale;
    const std::string name = ToDocument(soundPath_->text(), locale, cEffectEdit::kMaxText);
    if (!preview_.play(name, session_.document().text(kTextBaseFolder), locale, volume_->value(),
                       frequency_->value(), balance_->value()) &&
        !name.empty())
        session_.showStatus(ListsMessage(kLtCannotPlay, {soundPath_->text().toStdString(),
                                                         LibraryMessage(preview_.error()).toStdString()}));
}

void cDlg_SetEffect::apply() {
    const std::string& locale = session_.config().Locale;
    cEffectEdit e;
    e.startFrame = start_->value();
    e.sound = sound_->isChecked();
    e.soundPath = TypedPathOf(session_, soundPath_->text(), cEffectEdit::kMaxText);
    e.volume = volume_->value();
    e.frequency = frequency_->value();
    e.balance = balance_->value();
    e.flash = flash_->isChecked();
    e.flashFrames = flashFrames_->value();
    e.object = object_->currentIndex();
    e.drawing = drawing_->currentIndex();
    e.red = colour_[0]->value();
    e.green = colour_[1]->value();
    e.blue = colour_[2]->value();
    e.strength = colour_[3]->value();
    e.userDataOn = userDataOn_->isChecked();
    e.userData = ToDocument(userData_->text(), locale, cEffectEdit::kMaxText);
    e.apply(record_);
}

void cDlg_SetEffect::done(int result) {
    preview_.release();
    QDialog::done(result);
}

void cDlg_SetEffect::dragEnterEvent(QDragEnterEvent* e) {
    if (sound_->isChecked() && !FirstLocalFile(e->mimeData()).isEmpty()) e->acceptProposedAction();
}

void cDlg_SetEffect::dropEvent(QDropEvent* e) {
    const QString file = FirstLocalFile(e->mimeData());
    if (!sound_->isChecked() || file.isEmpty()) return;
    e->acceptProposedAction();
    setFile(file);
}
