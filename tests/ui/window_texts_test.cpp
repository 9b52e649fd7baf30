// What a person reads, in English and in Japanese: the menus, the tool bars and every window the
// menus open. The English texts carry none of the rough phrases of older versions and only
// characters the default font has; in Japanese every menu item and window is translated and every
// character is in an installed font, so nothing shows as an empty box.

#include "editor_fixture.h"

#include "ui/shell/translators.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTabBar>
#include <QTextDocument>
#include <QToolBar>

namespace {

struct strShownText {
    QString text;
    QString where; // object name of the widget or menu that shows it
    QFont font;
};

// Phrases of earlier wordings that must not come back.
const char* const kRoughPhrases[] = {
    "I cancel one",
    "I redone one",
    "Brend",
    "Frequence",
    "Inversed",
    "connect to",
    "Reread",
    "※",
    "Center,Whole,Down,Up",
    "failure(w)",
    "Lock the image for each cell",
    "Division method",
    "Nbr div",
    "Start-up frame",
    "Flash fx",
    "Direction",
    "Keyframe",
};

QString Plain(QString text) {
    if (Qt::mightBeRichText(text)) {
        QTextDocument doc;
        doc.setHtml(text);
        text = doc.toPlainText();
    }
    // Access keys: "&File" shows "File", "&&" shows "&".
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

void AddMenu(const QMenu* menu, QList<strShownText>& out) {
    out.append({Plain(menu->title()), menu->objectName(), menu->font()});
    for (const QAction* a : menu->actions()) {
        if (a->isSeparator()) continue;
        if (a->menu()) {
            AddMenu(a->menu(), out);
            continue;
        }
        out.append({Plain(a->text()), menu->objectName() + QLatin1Char('/') + a->text(), menu->font()});
    }
}

// Every text of a window: its title, labels, buttons, group titles, tab names, list items and
// column headers, line-edit hints and tool-bar tips.
void AddWindow(const QWidget* window, QList<strShownText>& out) {
    out.append({window->windowTitle(), window->objectName(), window->font()});
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        const QString name = window->objectName() + QLatin1Char('/') + w->objectName();
        auto add = [&](const QString& text) {
            if (!text.isEmpty()) out.append({Plain(text), name, w->font()});
        };
        if (auto* l = qobject_cast<const QLabel*>(w)) add(l->text());
        if (auto* b = qobject_cast<const QAbstractButton*>(w)) add(b->text());
        if (auto* g = qobject_cast<const QGroupBox*>(w)) add(g->title());
        if (auto* e = qobject_cast<const QLineEdit*>(w)) add(e->placeholderText());
        if (auto* c = qobject_cast<const QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i)
                add(c->itemText(i));
        if (auto* t = qobject_cast<const QTabBar*>(w))
            for (int i = 0; i < t->count(); ++i)
                add(t->tabText(i));
        if (auto* v = qobject_cast<const QAbstractItemView*>(w); v && v->model()) {
            const QAbstractItemModel* m = v->model();
            for (int c = 0; c < m->columnCount(); ++c)
                add(m->headerData(c, Qt::Horizontal).toString());
        }
        if (auto* bar = qobject_cast<const QToolBar*>(w))
            for (const QAction* a : bar->actions())
                add(a->toolTip());
    }
}

// The menus and every window the menu commands open, after running every command once on a small
// project (the commands that leave the program or start another one excepted).
QList<strShownText> ShownTexts(strEditorFixture& f) {
    QList<strShownText> out;
    const cCommandTable& table = f.window->commands();
    const QList<QAction*> skipped = {table.action(kCmdQuit), table.action(kCmdOpenFolder),
                                     table.action(kCmdNew), table.action(kCmdOpen)};
    for (QAction* a : table.actions()) {
        if (skipped.contains(a)) continue;
        a->trigger();
        f.session().stopPlayback();
    }
    for (const QAction* a : f.window->menuBar()->actions())
        if (a->menu()) AddMenu(a->menu(), out);
    AddWindow(f.window.get(), out);
    for (const QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w != f.window.get()) AddWindow(w, out);
    out.append({f.window->statusText(), QStringLiteral("status bar"), f.window->font()});
    return out;
}

bool HasJapanese(const QString& text) {
    static const QRegularExpression kana(QStringLiteral("[\\x{3040}-\\x{30FF}\\x{4E00}-\\x{9FFF}]"));
    return kana.match(text).hasMatch();
}

// Texts that read the same in every language: numbers, symbols, file names and the names of
// formats and products.
bool Untranslatable(QString text) {
    static const QRegularExpression names(QStringLiteral(
        "PelkoEditor|RPG Maker|VX Ace|\\b(XP|VX|MV|2000|2003|PNG|GIF|APNG|WebP|BMP|XYZ|RGB|fps|"
        "Ctrl|Shift|Alt|Del|Tab|Esc|Space|OK|SE|F\\d+)\\b|[\\w-]+\\.(dat|txt|png|gif|wav|ogg)\\b|/\\S*"));
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    return !word.match(text.remove(names)).hasMatch();
}

QFont JapaneseFont() {
    const QStringList families = QFontDatabase::families(QFontDatabase::Japanese);
    return families.isEmpty() ? QFont() : QFont(families.front());
}

} // namespace

class cWindowTextsTest : public QObject {
    Q_OBJECT

  private slots:
    void englishTextsAreTheNewWordingInTheDefaultFont() {
        strEditorFixture f;
        QVERIFY(f.start());
        QVERIFY(f.openProject(QStringLiteral("texts.dat"), 3));
        const QList<strShownText> texts = ShownTexts(f);
        QVERIFY(texts.size() > 300);
        QSet<QString> windows;
        for (const strShownText& t : texts)
            windows.insert(t.where.section(QLatin1Char('/'), 0, 0));
        for (const char* name :
             {"mainWindow", "listWindow", "paletteWindow", "settingsDialog", "exportGifDialog",
              "frameCompDialog", "patternSheetDialog", "helpDialog", "menuFile", "menuTool"})
            QVERIFY2(windows.contains(QString::fromLatin1(name)), name);
        QStringList faults;
        for (const strShownText& t : texts) {
            for (const char* phrase : kRoughPhrases)
                if (t.text.contains(QString::fromUtf8(phrase), Qt::CaseInsensitive))
                    faults << t.where + QStringLiteral(": ") + t.text;
            const QFontMetrics metrics(t.font);
            for (const char32_t c : t.text.toUcs4())
                if (c >= 0x2E80 || !metrics.inFontUcs4(c))
                    faults << t.where + QStringLiteral(": U+%1 in ").arg(uint(c), 4, 16, QLatin1Char('0')) +
                                  t.text;
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    void japaneseTranslatesEveryMenuAndWindow() {
        cTranslators translators;
        QVERIFY(translators.install(QStringLiteral("ja")));
        QStringList faults;
        {
            strEditorFixture f;
            QVERIFY(f.start());
            QVERIFY(f.openProject(QStringLiteral("texts.dat"), 3));
            const QFontMetrics japanese(JapaneseFont());
            for (const strShownText& t : ShownTexts(f)) {
                if (!HasJapanese(t.text) && !Untranslatable(t.text))
                    faults << t.where + QStringLiteral(": untranslated: ") + t.text;
                const QFontMetrics own(t.font);
                for (const char32_t c : t.text.toUcs4())
                    if (!own.inFontUcs4(c) && !japanese.inFontUcs4(c))
                        faults << t.where +
                                      QStringLiteral(": no glyph U+%1 in ")
                                          .arg(uint(c), 4, 16, QLatin1Char('0')) +
                                      t.text;
            }
        }
        translators.remove();
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }
};

PELKO_UI_TEST(cWindowTextsTest)
#include "window_texts_test.moc"
