#include "ui/dialogs/dlg_cell_number_chooser.h"

#include "document/project.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

#include <algorithm>

cDlg_CellNumberChooser::cDlg_CellNumberChooser(const cProject& doc, int frame, QWidget* parent)
    : QListWidget(parent) {
    setObjectName(QStringLiteral("cellChooser"));
    setAccessibleName(tr("Cell number"));
    setWindowFlags(Qt::Popup);
    setAttribute(Qt::WA_DeleteOnClose);
    setUniformItemSizes(true);
    for (int c = 0; c < doc.cellNumber(); ++c)
        addItem(rowText(doc.cell(frame, c) != nullptr, c));
    if (count() > 0) setCurrentRow(0);
}

void cDlg_CellNumberChooser::setTitle(const QString& title) {
    setAccessibleName(title);
    setWindowTitle(title);
    if (!title_) {
        title_ = new QLabel(this);
        title_->setObjectName(QStringLiteral("cellChooserTitle"));
        title_->setMargin(3);
        title_->setStyleSheet(QStringLiteral("font-weight: bold"));
    }
    title_->setText(title);
    title_->setAccessibleName(title);
    // The title sits in a margin above the rows, so row i stays cell number i.
    setViewportMargins(0, title_->sizeHint().height(), 0, 0);
}

QString cDlg_CellNumberChooser::rowText(bool occupied, int c) {
    return QString::asprintf(occupied ? "*%d" : " %d", c);
}

void cDlg_CellNumberChooser::popup(QPoint at, bool atPointer) {
    const int rows = std::clamp(count(), 8, 16);
    const int rowHeight = std::max(sizeHintForRow(0), 14);
    const int titleHeight = title_ ? title_->sizeHint().height() : 0;
    const int width =
        std::max(fontMetrics().horizontalAdvance(QStringLiteral("*0000")) + 2 * frameWidth() +
                     (count() > rows ? style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0) + 8,
                 title_ ? title_->sizeHint().width() + 2 * frameWidth() : 0);
    resize(width, rows * rowHeight + titleHeight + 2 * frameWidth());
    if (title_) title_->setGeometry(frameWidth(), frameWidth(), width - 2 * frameWidth(), titleHeight);
    QPoint p = atPointer ? at + QPoint(8, -21) : at;
    if (const QScreen* screen = QGuiApplication::screenAt(at)) {
        const QRect area = screen->availableGeometry();
        p.setX(std::clamp(p.x(), area.left(), std::max(area.left(), area.right() + 1 - this->width())));
        p.setY(std::clamp(p.y(), area.top(), std::max(area.top(), area.bottom() + 1 - height())));
    }
    move(p);
    show();
    setFocus();
}

void cDlg_CellNumberChooser::choose(int row, bool byMouse) {
    if (done_ || row < 0 || row >= count()) return;
    done_ = true;
    close();
    emit chosen(row, byMouse);
}

void cDlg_CellNumberChooser::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        choose(currentRow(), false);
        return;
    default:
        QListWidget::keyPressEvent(e);
    }
}

void cDlg_CellNumberChooser::mouseReleaseEvent(QMouseEvent* e) {
    QListWidget::mouseReleaseEvent(e);
    if (e->button() != Qt::LeftButton) return;
    if (const QListWidgetItem* it = itemAt(e->position().toPoint())) choose(row(it), true);
}
