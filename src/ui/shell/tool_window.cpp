#include "ui/shell/tool_window.h"

#include <QHideEvent>
#include <QShowEvent>
#include <QVBoxLayout>

cToolWindow::cToolWindow(const QString& objectName, const QString& title, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Tool), layout_(new QVBoxLayout(this)) {
    setObjectName(objectName);
    setAccessibleName(title);
    setWindowTitle(title);
    layout_->setContentsMargins(0, 0, 0, 0);
}

void cToolWindow::setContent(QWidget* content) {
    if (content_) {
        layout_->removeWidget(content_);
        content_->deleteLater();
    }
    content_ = content;
    if (content_) layout_->addWidget(content_);
}

void cToolWindow::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    // The window system hides tool windows with a minimised main window; only the user's and the
    // program's own show and hide count.
    if (!e->spontaneous()) emit visibilityChanged(true);
}

void cToolWindow::hideEvent(QHideEvent* e) {
    QWidget::hideEvent(e);
    if (!e->spontaneous()) emit visibilityChanged(false);
}
