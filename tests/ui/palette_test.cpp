// The picture palette: showing a picture chosen in the list, its layouts, and dragging a pattern
// onto the canvas.

#include "canvas_fixture.h"
#include "ui/lists/lists_messages.h"

#include "ui/lists/list_window.h"
#include "ui/lists/palette_view.h"
#include "ui/lists/palette_window.h"
#include "ui/lists/source_list_view.h"
#include "ui/shell/tool_window.h"

#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>

class cPaletteTest : public QObject {
    Q_OBJECT
    std::unique_ptr<strCanvasFixture> f;
    cPaletteWindow* palette = nullptr;

    cPaletteView* area() const { return palette->area(); }
    enum eWhere { kOver, kBeside, kOverDisabled };
    // Presses on a pattern at an offset from its centre, moves to a document point of the canvas (or
    // beside the canvas) and releases there.
    void drag(int pattern, QPoint grab, QPointF to, int highlight = -1, eWhere where = kOver) {
        const QPoint at = area()->patternArea(pattern).center() + QPoint(1, 1) + grab;
        QTest::mousePress(area(), Qt::LeftButton, {}, at);
        QPoint global = f->view()->mapToGlobal(f->screen(to.x(), to.y()));
        if (where == kBeside) global = f->view()->mapToGlobal(QPoint(-40, -40));
        QMouseEvent move(QEvent::MouseMove, area()->mapFromGlobal(QPointF(global)), QPointF(global),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(area(), &move);
        QCOMPARE(f->session().overlays().patternDrag, where == kOver);
        if (where == kOver) {
            QCOMPARE(f->session().overlays().dragAt, to - QPointF(grab));
            QCOMPARE(f->session().overlays().highlightCell, highlight);
        }
        QMouseEvent up(QEvent::MouseButtonRelease, area()->mapFromGlobal(QPointF(global)), QPointF(global),
                       Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(area(), &up);
        QVERIFY(!f->session().overlays().patternDrag && f->session().overlays().highlightCell < 0);
    }

  private slots:
    void init() {
        f = std::make_unique<strCanvasFixture>();
        QVERIFY(f->open([](cProject& doc) {
            doc.setPicture(1, *doc.picture(0)); // the same sheet as picture 1
            for (const auto& [n, x] : {std::pair{0, 0}, {1, 30}}) {
                const strCell c = SheetCell(1, x, 0);
                doc.setCell(0, n, &c);
            }
        }));
        palette = qobject_cast<cPaletteWindow*>(f->window->paletteWindow()->content());
        QVERIFY(palette);
        QVERIFY(f->activateToolWindow(f->window->paletteWindow()));
    }
    void cleanup() { f.reset(); }

    void aListRowShowsItsPictureInEitherLayout() {
        auto* list = qobject_cast<cListWindow*>(f->window->listWindow()->content());
        list->list(cSourceListModel::kPictures)->selectRow(1);
        QCOMPARE(area()->picture(), 1);
        QCOMPARE(f->window->paletteWindow()->windowTitle(), ListsMessage(kLtPaletteTitle, {1}));
        QCOMPARE(palette->pictureBox()->currentText(), QStringLiteral("01"));
        const struct {
            bool vertical;
            int zoom;
            QPoint at;
            int pattern;
        } cases[] = {{false, 2, {250, 50}, 3},   {false, 2, {100, 100}, 7}, {false, 1, {100, 60}, 8},
                     {false, 2, {479, 191}, 10}, {false, 2, {480, 10}, -1}, {true, 2, {10, 200}, 3},
                     {true, 3, {10, 200}, 2},    {true, 2, {96, 10}, -1},   {true, 2, {95, 959}, 10}};
        for (const auto& c : cases) {
            f->config.VerticalFlag = c.vertical;
            f->session().viewSettingsChanged();
            palette->zoomBox()->setCurrentIndex(c.zoom);
            QCOMPARE(area()->patternAt(c.at), c.pattern);
        }
        QCOMPARE(area()->size(), QSize(96, 960));
    }

    void aDropOnEmptySpaceCreatesACellAtTheDropPoint() {
        palette->showPicture(1);
        const size_t steps = f->session().history().undoCount();
        drag(3, {10, 5}, {-120, 40});
        QVERIFY(f->cell(0, 2));
        QCOMPARE(*f->cell(0, 2), (strCell{.picture = 1, .pattern = 3, .x = -130, .y = 35}));
        QCOMPARE(f->session().history().undoCount(), steps + 1);
        QCOMPARE(f->session().commands().selection(), std::vector<int>{2});
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f->canvas));
        // Released beside the canvas, or over it while a tool window keeps it disabled: no change.
        drag(4, {}, {}, -1, kBeside);
        f->window->setEnabled(false);
        f->window->paletteWindow()->setEnabled(true); // as a tool window opened from the list leaves it
        drag(4, {}, {-120, 40}, -1, kOverDisabled);
        f->window->setEnabled(true);
        QVERIFY(!f->cell(0, 3));
        QCOMPARE(f->session().history().undoCount(), steps + 1);
    }

    void aDropOnTwoCellsChangesTheTopOne() {
        palette->showPicture(1);
        const strCell low = *f->cell(0, 0);
        drag(5, {-20, 0}, {20, 10}, 1);
        QCOMPARE(*f->cell(0, 0), low);
        QCOMPARE(*f->cell(0, 1), (strCell{.picture = 1, .pattern = 5, .x = 30}));
        QVERIFY(!f->cell(0, 2));
    }
};

PELKO_UI_TEST(cPaletteTest)
#include "palette_test.moc"
