#include "ui/lists/record_dialog.h"

#include "config/config.h"
#include "platform/code_page.h"
#include "tools/effect_edit.h"
#include "ui/dialogs/dialog_helpers.h"
#include "ui/platform/prompts.h"
#include "ui/session/session.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>

QString FirstLocalFile(const QMimeData* data) {
    if (!data || !data->hasUrls()) return {};
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) return url.toLocalFile();
    return {};
}

std::string StoredPathOf(const cSession& session, const QString& file) {
    const std::string relative = DroppedFilePath(file.toStdString(), session.baseFolder().toStdString());
    return platform::FromUtf8(relative, session.config().Locale);
}

std::string TypedPathOf(const cSession& session, const QString& text, size_t maxBytes) {
    const std::string& locale = session.config().Locale;
    const QString stored =
        QDir::isAbsolutePath(text) ? FromDocument(StoredPathOf(session, text), locale) : text;
    return ToDocument(stored, locale, maxBytes);
}

QPushButton* OpenFileButton(QWidget* parent, cSession& session, const QString& name, eListsText filter,
                            std::function<void(const QString&)> take) {
    auto* open = Named(new QPushButton(ListsText(kLtOpen), parent), name,
                       QCoreApplication::translate("ListsTexts", "Open a file"));
    QObject::connect(open, &QPushButton::clicked, parent, [&session, filter, take] {
        const QString file = session.prompts().openFileName(session.baseFolder(), ListsText(filter));
        if (!file.isEmpty()) take(file);
    });
    return open;
}

QDialogButtonBox* ApplyCancelButtons(QDialog* dialog, const QString& prefix, std::function<void()> apply) {
    auto* buttons = new QDialogButtonBox(dialog);
    buttons->setObjectName(prefix + QStringLiteral("Buttons"));
    Named(buttons->addButton(ListsText(kLtApply), QDialogButtonBox::AcceptRole),
          prefix + QStringLiteral("Apply"), ListsText(kLtApply))
        ->setDefault(true);
    Named(buttons->addButton(ListsText(kLtCancel), QDialogButtonBox::RejectRole),
          prefix + QStringLiteral("Cancel"), ListsText(kLtCancel));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, [dialog, apply] {
        apply();
        dialog->accept();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}
