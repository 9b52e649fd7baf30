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

// Resizes the window; the controls not shown whole inside it, and the number of rows of bars.
QStringList Hidden(cMainWindow& window, int width, int& rows) {
    window.resize(width, window.height());
    QTest::qWait(20); // the rows follow the window's resize and layout events
    QStringList hidden;
    QSet<int> tops;
    for (QToolBar* bar : window.toolBars()) {
        tops.insert(bar->y());
        if (bar->geometry().right() >= window.width()) hidden << bar->objectName();
        for (QAction* a : bar->actions())
            if (QWidget* c = bar->widgetForAction(a); !c->isVisible() || !bar->rect().contains(c->geometry()))
                hidden << c->objectName();
    }
    rows = int(tops.size());
    return hidden;
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
        int wideRows = 0, rows = 0;
        QCOMPARE(Hidden(w, 3000, wideRows), QStringList());
        QCOMPARE(Hidden(w, 800, rows), QStringList());
        // Asking for less than the minimum width gives the minimum, with more rows.
        QCOMPARE(Hidden(w, 200, rows), QStringList());
        QCOMPARE(w.width(), w.minimumWidth());
        QVERIFY(w.minimumWidth() >= cMainWindow::kMinimumWidth && rows > wideRows);

        // There every button runs its command and every check box takes a click.
        int clicked = 0;
        for (QToolBar* bar : w.toolBars())
            for (QAction* a : bar->actions()) {
                QWidget* control = bar->widgetForAction(a);
                if (auto* box = qobject_cast<QCheckBox*>(control)) {
                    const bool was = box->isChecked();
                    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
                    QVERIFY2(box->isChecked() != was, qPrintable(box->objectName()));
                    ++clicked;
                } else if (qobject_cast<QToolButton*>(control) && a->isEnabled()) {
                    QSignalSpy triggered(a, &QAction::triggered);
                    QTest::mouseClick(control, Qt::LeftButton);
                    QVERIFY2(triggered.count() == 1, qPrintable(control->objectName()));
                    f.session().stopPlayback();
                    ++clicked;
                }
            }
        QVERIFY(clicked >= 18);
        QCOMPARE(f.session().toolMode(), int(kToolSpline)); // the last mode clicked
    }
};

PELKO_UI_TEST(cToolBarsTest)
#include "tool_bars_test.moc"
