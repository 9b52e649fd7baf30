#include "ui/dialogs/dialog_helpers.h"

#include "platform/code_page.h"

QComboBox* ListCombo(QWidget* parent, const char* items, const QString& name, const QString& accessible) {
    auto* combo = Named(new QComboBox(parent), name, accessible);
    combo->addItems(QString::fromUtf8(items).split(QLatin1Char(',')));
    return combo;
}

QSpinBox* RangeSpin(QWidget* parent, int low, int high, const QString& name, const QString& accessible) {
    auto* spin = Named(new QSpinBox(parent), name, accessible);
    spin->setRange(low, high);
    return spin;
}

QString FromDocument(const std::string& bytes, const std::string& locale) {
    return QString::fromStdString(platform::ToUtf8(bytes, locale));
}

std::string ToDocument(const QString& text, const std::string& locale, size_t maxBytes) {
    QString t = text;
    std::string out = platform::FromUtf8(t.toStdString(), locale);
    while (out.size() > maxBytes && !t.isEmpty()) {
        t.chop(t.size() >= 2 && t.at(t.size() - 1).isLowSurrogate() ? 2 : 1);
        out = platform::FromUtf8(t.toStdString(), locale);
    }
    return out;
}
