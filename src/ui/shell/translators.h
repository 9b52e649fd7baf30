#pragma once
// The editor's language: the translations of its own texts (built into the program as
// ":/i18n/pelko_LANG.qm") and of Qt's dialogs (Qt's installed qtbase_LANG.qm), chosen from the
// "Language" setting or, when it says "auto", from the desktop's languages.

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTranslator>

#include <memory>
#include <string>
#include <vector>

class cTranslators {
  public:
    // The languages the editor is translated into besides its English source texts, in the order the
    // settings window offers them.
    static QStringList available();
    // The language a setting asks for: "en", one of available(), or, for "auto" and any unknown value,
    // the first of the desktop's UI languages the editor has ("en" when none).
    static QString choose(const std::string& setting, const QLocale& desktop = QLocale::system());

    // Installs the translators of `language` on the application ("en" installs none). False when the
    // editor's own translation could not be loaded; Qt's own may be missing without harm.
    bool install(const QString& language);
    // Removes what install put in place.
    void remove();
    ~cTranslators();

    // The language installed last ("en" before any).
    const QString& language() const { return language_; }
    // The locale dates and times are written in: the desktop's when it speaks the language the
    // editor shows (its own date order and clock), otherwise that language's own.
    static QLocale displayLocale(const QLocale& desktop = QLocale::system());

  private:
    std::vector<std::unique_ptr<QTranslator>> installed_;
    QString language_ = QStringLiteral("en");
};
