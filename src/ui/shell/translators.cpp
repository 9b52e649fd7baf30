#include "ui/shell/translators.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace {
// The language the translators installed last show (one application, one language).
QString shownLanguage = QStringLiteral("en");
} // namespace

QLocale cTranslators::displayLocale(const QLocale& desktop) {
    const QLocale language(shownLanguage);
    return desktop.language() == language.language() ? desktop : language;
}

QStringList cTranslators::available() {
    return {QStringLiteral("ja")};
}

QString cTranslators::choose(const std::string& setting, const QLocale& desktop) {
    const QString asked = QString::fromStdString(setting);
    if (asked == QLatin1String("en") || available().contains(asked)) return asked;
    // uiLanguages lists the desktop's preferences first to last ("ja-JP", "ja", "en-US", ...).
    for (const QString& name : desktop.uiLanguages()) {
        const QString language = name.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0);
        if (language == QLatin1String("en") || available().contains(language)) return language;
    }
    return QStringLiteral("en");
}

bool cTranslators::install(const QString& language) {
    remove();
    language_ = QStringLiteral("en");
    if (language == QLatin1String("en") || !available().contains(language))
        return language == QLatin1String("en");
    auto own = std::make_unique<QTranslator>();
    if (!own->load(QStringLiteral(":/i18n/pelko_%1.qm").arg(language))) return false;
    auto qt = std::make_unique<QTranslator>();
    if (qt->load(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qt.get());
        installed_.push_back(std::move(qt));
    }
    QCoreApplication::installTranslator(own.get());
    installed_.push_back(std::move(own));
    language_ = language;
    shownLanguage = language;
    return true;
}

void cTranslators::remove() {
    for (auto& t : installed_)
        QCoreApplication::removeTranslator(t.get());
    installed_.clear();
    language_ = QStringLiteral("en");
    shownLanguage = language_;
}

cTranslators::~cTranslators() {
    remove();
}
