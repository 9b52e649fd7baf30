#include "ui/lists/palette_window.h"

#include "config/config.h"
#include "document/project.h"
#include "ui/dialogs/dialog_helpers.h"
#include "ui/lists/lists_messages.h"
#include "ui/lists/palette_view.h"
#include "ui/session/session.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWheelEvent>

cPaletteWindow::cPaletteWindow(cSession& session, std::function<cCanvas*()> canvas, QWidget* parent)
    : QWidget(parent), session_(session) {
    setObjectName(QStringLiteral("palette"));
    setAccessibleName(tr("Palette"));
    pictures_ = Named(new QComboBox(this), QStringLiteral("palettePicture"), tr("Picture"));
    zoom_ =
        ListCombo(this, ListsText(kLtZooms).toUtf8().constData(), QStringLiteral("paletteZoom"), tr("Zoom"));
    scroll_ = Named(new QScrollArea(this), QStringLiteral("paletteScroll"), tr("Patterns view"));
    area_ = new cPaletteView(session_, std::move(canvas), scroll_);
    scroll_->setWidget(area_);
    scroll_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scroll_->viewport()->installEventFilter(this);

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(2, 2, 2, 2);
    bar->addWidget(pictures_, 1);
    bar->addWidget(zoom_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(bar);
    layout->addWidget(scroll_, 1);

    zoom_->setCurrentIndex(area_->zoomIndex());
    connect(zoom_, &QComboBox::currentIndexChanged, area_, &cPaletteView::setZoomIndex);
    connect(pictures_, &QComboBox::activated, this, [this](int index) { showPicture(index); });
    vertical_ = session_.config().VerticalFlag;
    connect(&session_, &cSession::changed, this, &cPaletteWindow::onChanged);
    refill();
    showPicture(0);
}

void cPaletteWindow::showPicture(int picture, int pattern) {
    if (picture < 0) picture = area_->picture();
    area_->showPicture(picture, pattern);
    refill();
    window()->setWindowTitle(ListsMessage(kLtPaletteTitle, {(long long)area_->picture()}));
}

void cPaletteWindow::refill() {
    const cProject& doc = session_.document();
    int last = area_->picture();
    for (int i = doc.pictureCapacity() - 1; i > last; --i)
        if (doc.picture(i)) {
            last = i;
            break;
        }
    const QSignalBlocker block(pictures_);
    while (pictures_->count() > last + 1)
        pictures_->removeItem(pictures_->count() - 1);
    for (int i = pictures_->count(); i <= last; ++i)
        pictures_->addItem(QString::asprintf("%02d", i));
    pictures_->setCurrentIndex(area_->picture());
}

void cPaletteWindow::onChanged(unsigned flags) {
    if (flags & kChangeReplaced) area_->cancelDrag();
    // Of the view settings only the layout matters (the overlays of a drag change the view too).
    const bool vertical = session_.config().VerticalFlag;
    const bool layout = (flags & kChangeView) && vertical != vertical_;
    vertical_ = vertical;
    if (!layout && !(flags & (kChangeReplaced | kChangePictures | kChangeProject))) return;
    // A replaced or shrunk picture table: the shown number stays a number the document can hold.
    const int capacity = session_.document().pictureCapacity();
    const int picture = std::clamp(area_->picture(), 0, std::max(capacity - 1, 0));
    showPicture(picture);
}

bool cPaletteWindow::eventFilter(QObject* watched, QEvent* e) {
    if (watched == scroll_->viewport() && e->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(e);
        if (wheel->modifiers() & Qt::ControlModifier) {
            const int step = wheel->angleDelta().y() > 0 ? 1 : wheel->angleDelta().y() < 0 ? -1 : 0;
            zoom_->setCurrentIndex(std::clamp(zoom_->currentIndex() + step, 0, zoom_->count() - 1));
            return true;
        }
    }
    return QWidget::eventFilter(watched, e);
}
