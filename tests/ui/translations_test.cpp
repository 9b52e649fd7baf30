// The editor's languages: which one a setting and a desktop give, the Japanese translation built into
// the program (complete, with the conversions of every table text kept), Qt's own dialogs, and the
// language setting in the settings window.

#include "editor_fixture.h"

#include "document/messages.h"
#include "ui/dialogs/dialog_helpers.h"
#include "ui/dialogs/dlg_settings.h"
#include "ui/lists/lists_messages.h"
#include "ui/session/table_texts.h"
#include "ui/session/ui_messages.h"
#include "ui/shell/translators.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QRegularExpression>

namespace {

// The printf conversions of a text in order ("%%" is not one).
QStringList Conversions(const QString& text) {
    static const QRegularExpression conversion(
        QStringLiteral("%(?:%|[-+ #0]*\\d*(?:\\.\\d+)?[hlzjtL]*[a-zA-Z])"));
    QStringList out;
    for (auto it = conversion.globalMatch(text); it.hasNext();) {
        const QString c = it.next().captured();
        if (c != QLatin1String("%%")) out << c;
    }
    return out;
}

// Texts that read the same in Japanese: names, numbers and symbols.
bool SameInEveryLanguage(const QString& text) {
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    const QString stripped =
        QString(text).remove(QStringLiteral("PelkoEditor")).remove(QStringLiteral("fps"));
    return !word.match(stripped).hasMatch();
}

} // namespace

class cTranslationsTest : public QObject {
    Q_OBJECT

  private slots:
    void theSettingOrTheDesktopChoosesTheLanguage() {
        const struct {
            const char* setting;
            QLocale desktop;
            const char* language;
        } rows[] = {
            {"auto", QLocale(QLocale::Japanese, QLocale::Japan), "ja"},
            {"auto", QLocale(QLocale::English, QLocale::UnitedKingdom), "en"},
            {"auto", QLocale(QLocale::German, QLocale::Germany), "en"}, // not translated: the source
            {"auto", QLocale::c(), "en"},
            {"en", QLocale(QLocale::Japanese, QLocale::Japan), "en"},
            {"ja", QLocale(QLocale::English, QLocale::UnitedStates), "ja"},
            {"fr", QLocale(QLocale::Japanese, QLocale::Japan), "ja"}, // unknown value: as "auto"
            {"", QLocale(QLocale::English, QLocale::UnitedStates), "en"},
        };
        for (const auto& row : rows)
            QCOMPARE(cTranslators::choose(row.setting, row.desktop), QString::fromLatin1(row.language));
    }

    void japaneseTranslatesEveryTableTextAndKeepsItsConversions() {
        cTranslators translators;
        QVERIFY(translators.install(QStringLiteral("ja")));
        QCOMPARE(translators.language(), QStringLiteral("ja"));
        int translated = 0;
        for (const strTableText& t : TableTexts()) {
            const QString source = QString::fromUtf8(t.text);
            const QString shown = TranslatedText(t.context, t.text);
            QVERIFY2(!shown.isEmpty(), t.text);
            QVERIFY2(Conversions(shown) == Conversions(source),
                     qPrintable(source + QStringLiteral(" -> ") + shown));
            if (shown != source)
                ++translated;
            else
                QVERIFY2(SameInEveryLanguage(source), qPrintable(QStringLiteral("untranslated: ") + source));
            if (QByteArray(t.context) == text_context::kChoices)
                QCOMPARE(ChoiceList(t.text).join(QLatin1Char(',')), shown);
        }
        QVERIFY(translated > 100);
        // Arguments land in the translated text in their order.
        const QString copied = LibraryMessage(strMessage(kMsgFrameCopied, 31, 47));
        QVERIFY(copied.indexOf(QStringLiteral("31")) < copied.indexOf(QStringLiteral("47")));
        QVERIFY(UiMessage(kUiLoaded, {std::string("x.dat")}).contains(QStringLiteral("x.dat")));
        QVERIFY(UiMessage(kUiLoaded, {std::string("x.dat")}) != QStringLiteral("Opened x.dat"));
        // A font with the Japanese glyphs is installed (scripts/setup), so no text shows empty boxes.
        QVERIFY(!QFontDatabase::families(QFontDatabase::Japanese).isEmpty());
        // Qt's own dialogs come along.
        QVERIFY(QCoreApplication::translate("QPlatformTheme", "Cancel") != QLatin1String("Cancel"));

        translators.remove();
        QCOMPARE(UiText(kUiUnsavedChanges), QString::fromUtf8(UiSourceText(kUiUnsavedChanges)));
        QCOMPARE(translators.language(), QStringLiteral("en"));
    }

    void aChoiceListWithAnotherCountStaysEnglish() {
        // The translation of a list must keep its entries; a broken one falls back to the source.
        QCOMPARE(ChoiceList("One,Two"), (QStringList{QStringLiteral("One"), QStringLiteral("Two")}));
        QVERIFY(!cTranslators().install(QStringLiteral("xx")));
        QVERIFY(cTranslators().install(QStringLiteral("en")));
    }

    void theSettingsWindowStoresTheLanguage() {
        strEditorFixture f;
        QVERIFY(f.start());
        f.config.Language = "nonsense";
        cDlg_Settings dialog(f.session());
        auto* box = dialog.findChild<QComboBox*>(QStringLiteral("language"));
        QVERIFY(box);
        QCOMPARE(box->currentData().toString(), QStringLiteral("auto"));
        for (const char* value : {"ja", "en", "auto"}) {
            box->setCurrentIndex(box->findData(QString::fromLatin1(value)));
            dialog.apply();
            QCOMPARE(f.config.Language, std::string(value));
        }
        f.config.Language = "ja";
        dialog.load();
        QCOMPARE(box->currentData().toString(), QStringLiteral("ja"));
    }
};

PELKO_UI_TEST(cTranslationsTest)
#include "translations_test.moc"
