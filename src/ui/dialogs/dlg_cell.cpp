#include "ui/dialogs/dlg_cell.h"

#include "config/config.h"
#include "document/project.h"
#include "image/picture_slot_table.h"
#include "tools/cell_edit.h"
#include "ui/dialogs/dialog_helpers.h"
#include "ui/session/session.h"
#include "ui/shell/window_geometry.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSlider>

#include <algorithm>

namespace {
constexpr int kRefreshMs = 80;
const char* const kToneNames[4] = {
    QT_TRANSLATE_NOOP("cDlg_Cell", "Red"), QT_TRANSLATE_NOOP("cDlg_Cell", "Green"),
    QT_TRANSLATE_NOOP("cDlg_Cell", "Blue"), QT_TRANSLATE_NOOP("cDlg_Cell", "Saturation")};
uint8_t strCell::*const kToneFields[4] = {&strCell::red, &strCell::green, &strCell::blue,
                                          &strCell::saturation};

void SetState(QWidget* w, eControlState s, bool enabled) {
    w->setVisible(s != eControlState::kHidden);
    w->setEnabled(enabled && s == eControlState::kEditable);
}
} // namespace

QString cDlg_Cell::titleText(int frame, int cell) {
    return tr("Cell %1 on frame %2").arg(cell).arg(frame);
}

cDlg_Cell::cDlg_Cell(cSession& session, cCellEdit& edit, QWidget* parent)
    : QDialog(parent), session_(session), edit_(edit) {
    setObjectName(QStringLiteral("cellDialog"));
    setAccessibleName(tr("Cell"));
    build();
    timer_.setInterval(kRefreshMs);
    connect(&timer_, &QTimer::timeout, this, &cDlg_Cell::refresh);
    connect(&session_, &cSession::changed, this, &cDlg_Cell::onChanged);
    const cConfig& c = session_.config();
    move(PlaceOnScreens(QRect(QPoint(c.CellWinPostX, c.CellWinPostY), sizeHint()), AvailableScreens())
             .topLeft());
}

// The session may be gone when the main window destroys its windows: nothing here touches it.
cDlg_Cell::~cDlg_Cell() = default;

void cDlg_Cell::build() {
    auto* grid = new QGridLayout;
    auto field = [&](QWidget* w, int row, int column, const QString& text) {
        grid->addWidget(w, row, column * 2);
        auto* label = new QLabel(text, this);
        label->setBuddy(w);
        grid->addWidget(label, row, column * 2 + 1);
        return label;
    };
    auto spin = [&](int low, int high, const char* name, const char* accessible) {
        QSpinBox* s = RangeSpin(this, low, high, QString::fromLatin1(name), tr(accessible));
        connect(s, &QSpinBox::valueChanged, this, &cDlg_Cell::edited);
        fields_ << s;
        return s;
    };
    image_ = spin(0, 0, "cellImage", QT_TR_NOOP("Picture"));
    pattern_ = spin(1, 1, "cellPattern", QT_TR_NOOP("Pattern"));
    x_ = spin(-1024, 1024, "cellX", QT_TR_NOOP("X"));
    y_ = spin(-1024, 1024, "cellY", QT_TR_NOOP("Y"));
    sx_ = spin(-1000, 1000, "cellSx", QT_TR_NOOP("Horizontal scale"));
    sy_ = spin(-1000, 1000, "cellSy", QT_TR_NOOP("Vertical scale"));
    angle_ = spin(-3600, 3600, "cellAngle", QT_TR_NOOP("Angle in tenths of a degree"));
    opacity_ = spin(0, 255, "cellOpacity", QT_TR_NOOP("Opacity"));
    flip_ = ListCombo(this, cCellEdit::kFlipList, QStringLiteral("cellFlip"), tr("Mirror"));
    blend_ = ListCombo(this, cCellEdit::kBlendList, QStringLiteral("cellBlend"), tr("Blend"));
    for (QComboBox* c : {flip_, blend_}) {
        connect(c, &QComboBox::currentIndexChanged, this, &cDlg_Cell::edited);
        fields_ << c;
    }
    connect(image_, &QSpinBox::valueChanged, this, [this] {
        if (!filling_) updatePatternRange();
    });
    field(image_, 0, 0, tr("Picture"));
    field(pattern_, 0, 1, tr("Pattern"));
    field(x_, 1, 0, tr("&X"));
    field(y_, 1, 1, tr("&Y"));
    sxLabel_ = field(sx_, 2, 0, tr("Scale &H (%)"));
    field(sy_, 2, 1, tr("Scale &V (%)"));
    grid->addWidget(flip_, 2, 0, 1, 2); // in the place of SX, which format 2 hides
    field(angle_, 4, 0, tr("&Angle (0.1 degree)"));
    field(opacity_, 4, 1, tr("&Opacity"));
    field(blend_, 5, 0, tr("&Blend"));

    previous_ = Named(new QPushButton(tr("Copy from previous frame (&,)"), this),
                      QStringLiteral("cellCopyPrevious"), tr("Copy from previous frame"));
    next_ = Named(new QPushButton(tr("Copy from next frame (&.)"), this), QStringLiteral("cellCopyNext"),
                  tr("Copy from next frame"));
    for (auto [button, offset] : {std::pair{previous_, -1}, std::pair{next_, 1}}) {
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, offset = offset] {
            if (!edit_.copyFrom(session_.document(), offset)) return;
            fill();
            edited_ = true;
            edit_.setChanged(true);
            refresh();
        });
    }
    details_ = Named(new QPushButton(tr("&Details"), this), QStringLiteral("cellDetails"), tr("Details"));
    details_->setCheckable(true);
    details_->setAutoDefault(false);
    auto* copyRow = new QHBoxLayout;
    copyRow->addWidget(previous_);
    copyRow->addWidget(next_);
    copyRow->addStretch(1);
    copyRow->addWidget(details_);

    colourBox_ = Named(new QGroupBox(tr("Tone (0 to 200 %, 100 % = unchanged)"), this),
                       QStringLiteral("cellColours"), tr("Tone"));
    auto* colours = new QGridLayout(colourBox_);
    for (int i = 0; i < 4; ++i) {
        const QString name = QString::fromLatin1(kToneNames[i]);
        const QString shown = tr(kToneNames[i]);
        auto* slider =
            Named(new QSlider(Qt::Horizontal, colourBox_), QStringLiteral("cellSlider") + name, shown);
        slider->setRange(0, 200);
        slider->setTickPosition(QSlider::TicksBelow);
        slider->setTickInterval(20);
        slider->setPageStep(50);
        slider->setSingleStep(10);
        QSpinBox* tone = RangeSpin(colourBox_, 0, 200, QStringLiteral("cellTone") + name, shown);
        sliders_[size_t(i)] = slider;
        tones_[size_t(i)] = tone;
        fields_ << slider << tone;
        connect(slider, &QSlider::valueChanged, tone, &QSpinBox::setValue);
        connect(tone, &QSpinBox::valueChanged, slider, &QSlider::setValue);
        connect(slider, &QSlider::valueChanged, this, [this] {
            if (filling_) return;
            strCell c = edit_.working();
            for (size_t k = 0; k < 4; ++k)
                c.*kToneFields[k] = uint8_t(tones_[k]->value());
            colourText_->setText(QString::fromStdString(cCellEdit::colourText(c)));
            edited();
        });
        colours->addWidget(new QLabel(shown, colourBox_), i, 0);
        colours->addWidget(slider, i, 1);
        colours->addWidget(tone, i, 2);
    }
    colourText_ = Named(new QLineEdit(colourBox_), QStringLiteral("cellColourText"),
                        tr("Tone as hexadecimal ssrrggbb"));
    colourText_->setMaxLength(8);
    auto* textLabel = new QLabel(tr("&Code (ssrrggbb)"), colourBox_);
    textLabel->setBuddy(colourText_);
    clear_ =
        Named(new QPushButton(tr("R&eset"), colourBox_), QStringLiteral("cellClear"), tr("Reset the tone"));
    clear_->setAutoDefault(false);
    fields_ << colourText_ << clear_;
    colours->addWidget(colourText_, 4, 1);
    colours->addWidget(textLabel, 4, 2);
    colours->addWidget(clear_, 5, 1);
    connect(colourText_, &QLineEdit::textEdited, this, [this](const QString& text) {
        strCell c = edit_.working();
        if (!cCellEdit::parseColourText(text.toStdString(), c)) return;
        setColours(c, colourText_);
        edited();
    });
    connect(clear_, &QPushButton::clicked, this, [this] {
        strCell c = edit_.working();
        cCellEdit::clearColour(c);
        setColours(c, nullptr);
        edited();
    });
    connect(details_, &QPushButton::toggled, this, [this](bool on) {
        edit_.details = on;
        colourBox_->setVisible(on);
        adjustSize();
        // The taller window moves up rather than reach below the screen.
        if (const QScreen* screen = this->screen()) {
            const QRect area = screen->availableGeometry();
            const int over = frameGeometry().bottom() - area.bottom();
            if (over > 0) move(x(), std::max(area.top(), y() - over));
        }
    });

    apply_ = Named(new QPushButton(tr("Apply"), this), QStringLiteral("cellApply"), tr("Apply"));
    auto* close = Named(new QPushButton(tr("Close"), this), QStringLiteral("cellClose"), tr("Close"));
    apply_->setDefault(true);
    close->setAutoDefault(false);
    connect(apply_, &QPushButton::clicked, this, &cDlg_Cell::apply);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(apply_);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(grid);
    layout->addLayout(copyRow);
    layout->addWidget(colourBox_);
    layout->addLayout(buttons);
    colourBox_->setVisible(false);
}

void cDlg_Cell::openCell(int frame, int cell) {
    edit_.open(session_.document(), frame, cell);
    edited_ = false;
    setWindowTitle(titleText(edit_.frame(), edit_.cell()));
    fill();
    details_->setChecked(edit_.details);
    showPreview(edit_.editable());
    timer_.start();
}

void cDlg_Cell::fill() {
    filling_ = true;
    const strCell& c = edit_.working();
    updateStates();
    image_->setValue(c.picture);
    updatePatternRange();
    pattern_->setValue(c.pattern);
    x_->setValue(c.x);
    y_->setValue(c.y);
    sx_->setValue(c.mx);
    sy_->setValue(c.my);
    flip_->setCurrentIndex(edit_.inversed ? 1 : 0);
    angle_->setValue(c.angle);
    opacity_->setValue(c.opacity);
    blend_->setCurrentIndex(std::min<int>(c.blend, blend_->count() - 1));
    setColours(c, nullptr);
    filling_ = false;
}

void cDlg_Cell::setColours(const strCell& c, QObject* source) {
    const bool was = filling_;
    filling_ = true;
    for (size_t i = 0; i < 4; ++i)
        sliders_[i]->setValue(c.*kToneFields[i]);
    if (source != colourText_) colourText_->setText(QString::fromStdString(cCellEdit::colourText(c)));
    filling_ = was;
}

void cDlg_Cell::readControls() {
    strCell& c = edit_.edit();
    c.picture = uint8_t(image_->value());
    c.pattern = uint16_t(pattern_->value());
    c.x = int16_t(x_->value());
    c.y = int16_t(y_->value());
    c.mx = int16_t(sx_->value());
    c.my = int16_t(sy_->value());
    c.angle = int16_t(angle_->value());
    c.opacity = uint8_t(opacity_->value());
    c.blend = uint8_t(blend_->currentIndex());
    for (size_t i = 0; i < 4; ++i)
        c.*kToneFields[i] = uint8_t(tones_[i]->value());
    edit_.inversed = flip_->currentIndex() == 1;
}

void cDlg_Cell::updateStates() {
    const cProject& doc = session_.document();
    const bool on = edit_.isOpen() && edit_.editable();
    for (QWidget* w : fields_)
        w->setEnabled(on);
    apply_->setEnabled(on);
    const strCellControls k =
        cCellEdit::controls(doc.getSetting(kKeyEditFormat), doc.getSetting(kKeyLock) != 0);
    SetState(angle_, k.angle, on);
    SetState(sx_, k.sx, on);
    sxLabel_->setVisible(k.sx != eControlState::kHidden);
    SetState(sy_, k.sy, on);
    SetState(flip_, k.flip, on);
    image_->setEnabled(on && k.image);
    previous_->setEnabled(on && edit_.canCopyFrom(doc, -1));
    next_->setEnabled(on && edit_.canCopyFrom(doc, 1));
    // The ranges never cut the cell's own values, so opening and applying keeps what was not touched.
    image_->setMaximum(std::max<int>(cCellEdit::maxImage(doc), edit_.working().picture));
}

void cDlg_Cell::updatePatternRange() {
    const cPictureSlot* slot = session_.pictureSlots().find(image_->value());
    const int count = slot && slot->isValid() ? slot->patternCount() : 0;
    int high = cCellEdit::maxPattern(count);
    if (image_->value() == edit_.working().picture) high = std::max<int>(high, edit_.working().pattern);
    pattern_->setMaximum(high);
}

void cDlg_Cell::edited() {
    if (filling_) return;
    edited_ = true;
    edit_.setChanged(true);
}

void cDlg_Cell::refresh() {
    if (!edit_.isOpen() || !edit_.editable() || !edit_.changed()) return;
    readControls();
    edit_.rebuild(session_.document());
    edit_.setChanged(false);
    showPreview(true);
}

void cDlg_Cell::apply() {
    if (edit_.isOpen() && edit_.editable()) {
        readControls();
        session_.report(edit_.apply(ToolContext(session_)));
    }
    close();
}

void cDlg_Cell::showPreview(bool on) {
    strCanvasOverlays o = session_.overlays();
    if (on) {
        o.cellPreview = true;
        o.previewFrame = edit_.frame();
        o.previewCell = edit_.cell();
        o.previewValue = edit_.working();
    } else {
        if (!o.cellPreview) return;
        o.cellPreview = false;
        o.previewFrame = -1;
        o.previewCell = -1;
    }
    session_.setOverlays(o);
}

void cDlg_Cell::onChanged(unsigned flags) {
    if (!isVisible() || !edit_.isOpen()) return;
    if (flags & kChangeReplaced) {
        close();
        return;
    }
    if (!(flags & (kChangeCells | kChangeProject | kChangePictures))) return;
    const cProject& doc = session_.document();
    if (!doc.frame(edit_.frame()) || edit_.cell() >= doc.cellNumber()) {
        close();
    } else if (!edited_) {
        openCell(edit_.frame(), edit_.cell());
    } else {
        filling_ = true;
        updateStates();
        updatePatternRange();
        filling_ = false;
    }
}

void cDlg_Cell::hideEvent(QHideEvent* e) {
    timer_.stop();
    showPreview(false);
    edit_.close();
    QDialog::hideEvent(e);
}

void cDlg_Cell::moveEvent(QMoveEvent* e) {
    QDialog::moveEvent(e);
    if (!isVisible()) return;
    cConfig& c = session_.config();
    c.CellWinPostX = pos().x();
    c.CellWinPostY = pos().y();
}
