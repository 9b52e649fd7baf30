// The picture and effect lists: dropped files, the settings dialogs' Apply, and the edit clipboard.

#include "editor_fixture.h"
#include "ui/lists/lists_messages.h"
#include "ui/session/ui_messages.h"

#include "ui/lists/list_window.h"
#include "ui/lists/source_list_view.h"
#include "ui/shell/tool_window.h"

#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>

class cListsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<strEditorFixture> f;
    cListWindow* list = nullptr;
    using L = cSourceListModel;

    cProject& doc() const { return f->doc(); }
    // Drops a file on a row of a list, as a file manager does.
    void dropOnRow(L::eKind which, int row, const QString& file) {
        cSourceListView* view = list->list(which);
        f->dropFiles(view->viewport(), {file}, view->visualRect(view->model()->index(row, 0)).center());
    }
    void apply(const char* button) {
        QVERIFY(list->dialog());
        QTest::mouseClick(f->find<QPushButton>(button, list->dialog()), Qt::LeftButton);
        QTRY_VERIFY(!list->dialog());
    }
    QString text(L::eKind which, int row, int column) const {
        QAbstractItemModel* m = list->list(which)->model();
        return m->data(m->index(row, column)).toString();
    }
    void addEffects(std::initializer_list<std::pair<int, const char*>> effects) {
        f->edit([&](cProject& d) {
            for (const auto& [frame, name] : effects)
                d.addEffect({.startFrame = uint16_t(frame), .flags = strEffect::kUserData, .userData = name});
        });
    }
    QStringList effectNames() const {
        QStringList out;
        for (int i = 0; i < doc().effectCount(); ++i)
            out << QString::fromStdString(doc().effect(i)->userData);
        return out;
    }
    // Focuses a list on a row and types a key there.
    void key(L::eKind which, int row, int k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        list->tabs()->setCurrentIndex(which == L::kPictures ? 0 : 1);
        list->list(which)->setFocus();
        list->list(which)->selectRow(row);
        QTest::keyClick(list->list(which), Qt::Key(k), mods);
    }

  private slots:
    void init() {
        f = std::make_unique<strEditorFixture>();
        QVERIFY(f->start());
        list = qobject_cast<cListWindow*>(f->window->listWindow()->content());
        QVERIFY(list);
        QVERIFY(f->activateToolWindow(f->window->listWindow()));
    }
    void cleanup() { f.reset(); }

    void aDroppedPictureIsStoredRelativeToTheBaseFolder() {
        doc().setText(kTextBaseFolder, f->dir.path().toStdString());
        QDir(f->dir.path()).mkpath(QStringLiteral("Graphics"));
        QImage image(100, 40, QImage::Format_ARGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(f->path(QStringLiteral("Graphics/fire.png"))));
        dropOnRow(L::kPictures, 2, f->path(QStringLiteral("Graphics/fire.png")));
        apply("pictureApply");
        QVERIFY(doc().picture(2));
        QCOMPARE(QString::fromStdString(doc().picture(2)->path), QStringLiteral("Graphics/fire.png"));
        QVERIFY(f->session().pictureSlots().find(2) && f->session().pictureSlots().find(2)->isValid());
        QCOMPARE(text(L::kPictures, 2, 1), QStringLiteral("fire.png"));
        QCOMPARE(text(L::kPictures, 2, 2), QStringLiteral("100,40")); // smaller than one 192-pixel pattern
        QCOMPARE(f->window->statusText(), QStringLiteral("Picture 2 set to Graphics/fire.png"));
        // A whole path typed into the field is stored as a chosen file is: relative inside the folder.
        list->editPicture(3);
        QVERIFY(list->dialog());
        f->find<QLineEdit>("picturePath", list->dialog())
            ->setText(f->path(QStringLiteral("Graphics/fire.png")));
        f->find<QSpinBox>("pictureDivX", list->dialog())->setValue(1);
        f->find<QSpinBox>("pictureDivY", list->dialog())->setValue(1);
        apply("pictureApply");
        QVERIFY(doc().picture(3));
        QCOMPARE(QString::fromStdString(doc().picture(3)->path), QStringLiteral("Graphics/fire.png"));
        // A file that is no picture is reported, and the picture stays as it was.
        QFile bad(f->path(QStringLiteral("Graphics/notes.png")));
        QVERIFY(bad.open(QIODevice::WriteOnly) && bad.write("not a picture") > 0);
        bad.close();
        dropOnRow(L::kPictures, 2, bad.fileName());
        // ... and so does the division method chosen with it: nothing is stored, no step is left.
        const int method = doc().getSetting(kKeySplitFormat);
        const size_t steps = f->session().history().undoCount();
        f->find<QComboBox>("pictureDivision", list->dialog())->setCurrentIndex(1 - method);
        apply("pictureApply");
        QCOMPARE(doc().getSetting(kKeySplitFormat), method);
        QCOMPARE(f->session().history().undoCount(), steps);
        QCOMPARE(f->prompts.messages.value(0),
                 ListsMessage(kLtCannotOpen, {std::string("Graphics/notes.png")}));
        QCOMPARE(f->window->statusText(), f->prompts.messages.value(0));
        QCOMPARE(QString::fromStdString(doc().picture(2)->path), QStringLiteral("Graphics/fire.png"));
        // Reload reads the file again; a file gone keeps the picture as it was loaded.
        QVERIFY(image.scaled(200, 80).save(f->path(QStringLiteral("Graphics/fire.png"))));
        list->list(L::kPictures)->selectRow(2);
        QVERIFY(list->run(L::kPictures, cListWindow::kReload));
        int w = 0, h = 0;
        QVERIFY(f->session().pictureSlots().find(2)->getSize(w, h) && w == 200 && h == 80);
        QCOMPARE(f->window->statusText(), QStringLiteral("Picture 2 reloaded"));
        QVERIFY(QFile::remove(f->path(QStringLiteral("Graphics/fire.png"))));
        QVERIFY(list->run(L::kPictures, cListWindow::kReload));
        QCOMPARE(f->prompts.messages.size(), 2);
        QVERIFY(f->session().pictureSlots().find(2) && f->session().pictureSlots().find(2)->isValid());
    }

    void aPictureMovesUpAndDownWithItsCells() {
        f->edit([](cProject& d) {
            d.setPicture(0, strPicture{1, 1, 0, "a.png"});
            d.setPicture(1, strPicture{1, 1, 0, "b.png"});
        });
        strCell cell;
        cell.picture = 1;
        f->putCell(0, 0, cell);
        key(L::kPictures, 1, Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(QString::fromStdString(doc().picture(0)->path), QStringLiteral("b.png"));
        QCOMPARE(doc().cell(0, 0)->picture, 0);
        QCOMPARE(list->list(L::kPictures)->selectedRow(), 0);
        QCOMPARE(text(L::kPictures, 0, 1), QStringLiteral("b.png"));
        QCOMPARE(f->window->statusText(), QStringLiteral("Picture 1 moved to 0"));
        // The first slot has nothing above it; Move down follows the popup's rule.
        QVERIFY(!list->isEnabled(L::kPictures, cListWindow::kMoveUp));
        QVERIFY(!list->isEnabled(L::kEffects, cListWindow::kMoveDown));
        key(L::kPictures, 0, Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(QString::fromStdString(doc().picture(1)->path), QStringLiteral("b.png"));
        QCOMPARE(doc().cell(0, 0)->picture, 1);
        QCOMPARE(list->list(L::kPictures)->selectedRow(), 1);
        // Each move is one step of the history.
        QVERIFY(f->session().commands().undo().ok);
        QCOMPARE(QString::fromStdString(doc().picture(0)->path), QStringLiteral("b.png"));
    }

    void anEffectMovedBeforeOthersKeepsEveryEffect() {
        addEffects({{0, "a"}, {2, "b"}, {6, "c"}, {10, "d"}});
        QCOMPARE(list->list(L::kEffects)->model()->rowCount(), 5);
        key(L::kEffects, 3, Qt::Key_Space);
        auto* start = f->find<QSpinBox>("effectStart", list->dialog());
        QCOMPARE(start->value(), 10);
        start->setValue(1);
        apply("effectApply");
        QCOMPARE(effectNames(), QStringList({"a", "d", "b", "c"}));
        QCOMPARE(f->window->statusText(), QStringLiteral("Timing at frame 1 stored"));
        QCOMPARE(list->list(L::kEffects)->selectedRow(), 1);
        QCOMPARE(text(L::kEffects, 1, 4), QStringLiteral("\"d\""));
        // The empty last row makes a new effect; a window closed unapplied says so.
        key(L::kEffects, 4, Qt::Key_Return);
        QVERIFY(f->window->statusText().startsWith(QStringLiteral("Opened \"")));
        list->dialog()->close();
        QVERIFY(f->window->statusText().endsWith(QStringLiteral(" cancelled")));
        QTRY_VERIFY(!list->dialog());
        key(L::kEffects, 4, Qt::Key_Return);
        f->find<QSpinBox>("effectStart", list->dialog())->setValue(3);
        apply("effectApply");
        QCOMPARE(doc().effectCount(), 5);
        QCOMPARE(doc().effect(3)->startFrame, 3);
    }

    void effectsAreCutAndPastedBetweenDocuments() {
        addEffects({{4, "one"}, {8, "two"}});
        const strEffect two = *doc().effect(1);
        key(L::kEffects, 1, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(effectNames(), QStringList({"one"}));
        QCOMPARE(f->window->statusText(), LibraryMessage(strMessage(kMsgCountCut, 1)));
        f->prompts.answers = {cPrompts::kNo};
        QVERIFY(f->session().newDocument());
        QCOMPARE(doc().effectCount(), 0);
        key(L::kEffects, 0, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(doc().effectCount(), 1);
        QCOMPARE(*doc().effect(0), two);
        // Cells on the clipboard are no effect: Paste is off.
        QVERIFY(list->isEnabled(L::kEffects, cListWindow::kPaste));
        cClip_Mass cells(kClipCells);
        cells.addCell(0, 0, strCell{});
        QVERIFY(f->session().editClipboard().put(cells));
        QVERIFY(!list->isEnabled(L::kEffects, cListWindow::kPaste));
    }
};

PELKO_UI_TEST(cListsTest)
#include "lists_test.moc"
