// The tool bars at any width the main window can take, in English and in Japanese: they wrap onto
// further rows as the window narrows and join again as it widens, so no control ever hides behind
// an extension arrow, and every button still runs its command where it ends up.

#include "editor_fixture.h"

#include "ui/shell/translators.h"

#include <QAction>
#include <QSet>
#include <QSignalSpy>
#include <QToolBar>
#include <QToolButton>

namespace {

// Whether every control of every bar is shown whole inside the window; the failures are listed.
bool EveryControlShown(const cMainWindow& window, QStringList& faults) {
    for (QToolBar* bar : window.toolBars()) {
        if (bar->geometry().right() >= window.width())
            faults << QStringLiteral("%1 ends at %2 in a window %3 wide")
                          .arg(bar->objectName())
                          .arg(bar->geometry().right())
                          .arg(window.width());
        for (QAction* a : bar->actions()) {
            QWidget* control = bar->widgetForAction(a);
            if (!control || !control->isVisible() || !bar->rect().contains(control->geometry()))
                faults << bar->objectName() + QStringLiteral(": ") +
                              (control ? control->objectName() : a->objectName());
        }
    }
    return faults.isEmpty();
}

int Rows(const cMainWindow& window) {
    QSet<int> tops;
    for (const QToolBar* bar : window.toolBars())
        tops.insert(bar->y());
    return int(tops.size());
}

// Resizes the window and lets the layout settle (the rows are recomputed from its events).
void ResizeTo(cMainWindow& window, int width) {
    window.resize(width, window.height());
    QTest::qWait(20);
}

} // namespace

class cToolBarsTest : public QObject {
    Q_OBJECT

  private slots:
    void barsWrapSoEveryControlIsShownAndWorks_data() {
        QTest::addColumn<QString>("language");
        QTest::newRow("English") << QStringLiteral("en");
        QTest::newRow("Japanese") << QStringLiteral("ja");
    }

    void barsWrapSoEveryControlIsShownAndWorks() {
        QFETCH(QString, language);
        cTranslators translators;
        QVERIFY(translators.install(language));
        strEditorFixture f;
        QVERIFY(f.start());
        QVERIFY(f.openProject(QStringLiteral("bars.dat"), 3));
        cMainWindow& w = *f.window;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QStringList faults;

        ResizeTo(w, 3000);
        QVERIFY2(EveryControlShown(w, faults), qPrintable(faults.join(QLatin1Char('\n'))));
        const int wideRows = Rows(w);
        // The narrowest the window goes; asking for less gives the minimum.
        ResizeTo(w, 200);
        QCOMPARE(w.width(), w.minimumWidth());
        QVERIFY(w.minimumWidth() >= cMainWindow::kMinimumWidth);
        QVERIFY2(EveryControlShown(w, faults), qPrintable(faults.join(QLatin1Char('\n'))));
        QVERIFY(Rows(w) > wideRows);
        // Between the two: still everything shown.
        ResizeTo(w, 800);
        QVERIFY2(EveryControlShown(w, faults), qPrintable(faults.join(QLatin1Char('\n'))));

        // At the minimum width every button runs its command and every check box takes a click.
        ResizeTo(w, w.minimumWidth());
        cSession& s = f.session();
        int clicked = 0;
        for (QToolBar* bar : w.toolBars())
            for (QAction* a : bar->actions()) {
                QWidget* control = bar->widgetForAction(a);
                if (auto* box = qobject_cast<QCheckBox*>(control)) {
                    const bool was = box->isChecked();
                    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
                    QVERIFY2(box->isChecked() != was, qPrintable(box->objectName()));
                    ++clicked;
                }
                if (!qobject_cast<QToolButton*>(control) || !a->isEnabled()) continue;
                QSignalSpy triggered(a, &QAction::triggered);
                QTest::mouseClick(control, Qt::LeftButton);
                QVERIFY2(triggered.count() == 1, qPrintable(a->objectName()));
                s.stopPlayback();
                ++clicked;
            }
        QVERIFY(clicked >= 18);
        // The last mode clicked is the tool in use.
        QCOMPARE(s.toolMode(), int(kToolSpline));
        translators.remove();
    }
};

PELKO_UI_TEST(cToolBarsTest)
#include "tool_bars_test.moc"
