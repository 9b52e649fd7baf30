#include "ui/shell/access_letters.h"

#include <QAction>
#include <QMenu>
#include <QSet>

namespace {

// What an item said before letters were given, and what it shows with its letter.
constexpr const char* kBase = "accessBase";
constexpr const char* kShown = "accessShown";

bool IsAsciiLetterOrDigit(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9');
}

// Position of the single '&' (not "&&") in text, or -1.
qsizetype MarkerAt(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&')) continue;
        if (text[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return i;
    }
    return -1;
}

// The text with its letter at a position free in used, or with "(&X)" added.
QString WithLetter(const QString& plain, QSet<QChar>& used) {
    // A '&' of the text itself is doubled, so it shows as one.
    auto escaped = [&](qsizetype marker) {
        QString out;
        for (qsizetype j = 0; j < plain.size(); ++j) {
            if (j == marker) out += QLatin1Char('&');
            out += plain[j];
            if (plain[j] == QLatin1Char('&')) out += QLatin1Char('&');
        }
        return out;
    };
    auto take = [&](qsizetype i) {
        used.insert(plain[i].toUpper());
        return escaped(i);
    };
    for (qsizetype i = 0; i < plain.size(); ++i) {
        const bool wordStart = i == 0 || !plain[i - 1].isLetterOrNumber();
        if (wordStart && IsAsciiLetterOrDigit(plain[i]) && !used.contains(plain[i].toUpper())) return take(i);
    }
    for (qsizetype i = 0; i < plain.size(); ++i)
        if (IsAsciiLetterOrDigit(plain[i]) && !used.contains(plain[i].toUpper())) return take(i);
    static const QString kSpare = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
    for (QChar c : kSpare) {
        if (used.contains(c)) continue;
        used.insert(c);
        const QString mark = QStringLiteral("(&") + c + QLatin1Char(')');
        // "...": the letter goes before the dots, as "開く(&O)..." has it.
        const QString text = escaped(-1);
        if (text.endsWith(QStringLiteral("...")))
            return text.left(text.size() - 3) + mark + QStringLiteral("...");
        return text + mark;
    }
    return escaped(-1);
}

} // namespace

QString WithoutAccessLetter(const QString& text) {
    QString out = text;
    const qsizetype at = MarkerAt(out);
    if (at < 0) return out.replace(QStringLiteral("&&"), QStringLiteral("&"));
    // "(&X)" goes whole; a letter inside a word loses only its marker.
    if (at > 0 && out[at - 1] == QLatin1Char('(') && at + 2 < out.size() && out[at + 2] == QLatin1Char(')'))
        out.remove(at - 1, 4);
    else
        out.remove(at, 1);
    return out.replace(QStringLiteral("&&"), QStringLiteral("&"));
}

QChar AccessLetterOf(const QString& text) {
    const qsizetype at = MarkerAt(text);
    return at < 0 ? QChar() : text[at + 1].toUpper();
}

void AssignAccessLetters(QMenu* menu) {
    QList<QAction*> items;
    for (QAction* a : menu->actions())
        if (!a->isSeparator() && !a->text().isEmpty()) items << a;
    // A text that changed since letters were given is the new base.
    for (QAction* a : items)
        if (a->property(kShown).toString() != a->text()) a->setProperty(kBase, a->text());
    QSet<QChar> used;
    QList<QAction*> open;
    for (QAction* a : items) {
        const QString base = a->property(kBase).toString();
        const QChar letter = AccessLetterOf(base);
        if (!letter.isNull() && !used.contains(letter)) {
            used.insert(letter);
            a->setText(base);
            a->setProperty(kShown, base);
        } else {
            open << a;
        }
    }
    for (QAction* a : open) {
        const QString text = WithLetter(WithoutAccessLetter(a->property(kBase).toString()), used);
        a->setText(text);
        a->setProperty(kShown, text);
    }
}

void InstallAccessLetters(QMenu* menu) {
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu] { AssignAccessLetters(menu); });
    for (QAction* a : menu->actions())
        if (QMenu* sub = a->menu()) InstallAccessLetters(sub);
}
