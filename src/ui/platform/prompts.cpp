#include "ui/platform/prompts.h"

#include "ui/session/ui_messages.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

cPrompts::eAnswer cDialogPrompts::question(const QString& text, const QString& caption, bool withCancel) {
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel) buttons |= QMessageBox::Cancel;
    const auto answer = QMessageBox::question(parent_, caption, text, buttons,
                                              withCancel ? QMessageBox::Cancel : QMessageBox::No);
    if (answer == QMessageBox::Yes) return kYes;
    if (answer == QMessageBox::No) return kNo;
    return withCancel ? kCancel : kNo;
}

void cDialogPrompts::message(const QString& text, eBox box) {
    if (box == kError)
        QMessageBox::critical(parent_, MessageBoxCaption(eMessageKind::kError), text);
    else
        QMessageBox::information(parent_, MessageBoxCaption(eMessageKind::kReport), text);
}

QString cDialogPrompts::openFileName(const QString& folder, const QString& filter) {
    return QFileDialog::getOpenFileName(parent_, QString(), folder, filter);
}

QString cDialogPrompts::saveFileName(const QString& proposal, const QString& filter,
                                     const QString& defaultSuffix) {
    QFileDialog dialog(parent_, QString(), proposal, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setObjectName(QStringLiteral("saveDialog"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

QString cDialogPrompts::folderName(const QString& folder) {
    return QFileDialog::getExistingDirectory(parent_, QString(), folder);
}

QColor cDialogPrompts::colour(const QColor& initial) {
    return QColorDialog::getColor(initial, parent_);
}
