#include "ui/dialogs/dialog_helpers.h"

#include "platform/code_page.h"
#include "tools/tool_context.h"
#include "ui/session/session.h"
#include "ui/session/ui_messages.h"

QStringList ChoiceList(const char* items) {
    const QStringList source = QString::fromUtf8(items).split(QLatin1Char(','));
    const QStringList shown = TranslatedText(text_context::kChoices, items).split(QLatin1Char(','));
    return shown.size() == source.size() ? shown : source;
}

QComboBox* ListCombo(QWidget* parent, const char* items, const QString& name, const QString& accessible) {
    auto* combo = Named(new QComboBox(parent), name, accessible);
    combo->addItems(ChoiceList(items));
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

QColor FromWindowsColour(uint32_t v) {
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

uint32_t ToWindowsColour(const QColor& c) {
    return uint32_t(c.red()) | (uint32_t(c.green()) << 8) | (uint32_t(c.blue()) << 16);
}

strToolContext ToolContext(cSession& session) {
    strToolContext ctx;
    ctx.doc = &session.document();
    return ctx;
}
