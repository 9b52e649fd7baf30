// The settings file: read once at start, written once at close with the window rectangles; a stored
// rectangle off every screen is brought back.

#include "editor_fixture.h"

#include "platform/profile_file.h"
#include "ui/shell/tool_window.h"
#include "ui/shell/window_geometry.h"

#include <QDir>
#include <QFile>

class cSettingsFileTest : public QObject {
    Q_OBJECT

  private slots:
    void windowRectanglesAndFlagsSurviveARestart() {
        strEditorFixture f;
        QVERIFY(f.start());
        QVERIFY(!QFileInfo::exists(f.path(QStringLiteral("config.ini"))));
        f.window->show();
        f.window->resize(700, 500);
        f.window->move(40, 50);
        f.window->listWindow()->resize(260, 310);
        f.window->listWindow()->move(720, 60);
        QTRY_VERIFY(f.window->paletteWindow()->isVisible());
        QVERIFY(f.trigger(kCmdShowPalette) && f.trigger(kCmdViewGrid));
        f.window->showMaximized();
        QVERIFY(f.closeWindow());
        // The normal rectangle is stored, not the maximised one.
        const std::pair<const char*, std::string> keys[] = {
            {"MainWinSizeX", "700"},
            {"MainWinSizeY", "500"},
            {"ListWinPostX", "720"},
            {"ListWinSizeY", "310"},
            {"VPalFlag", "0"},
            {"VLineFlag", "0"},
            {"LastLoadPath", f.path(QStringLiteral("Data")).toStdString()}};
        for (const auto& [key, value] : keys)
            QVERIFY2(f.stored(key) == value, key);

        QVERIFY(f.start());
        f.window->show();
        QCOMPARE(f.window->size(), QSize(700, 500));
        QCOMPARE(f.window->listWindow()->pos(), QPoint(720, 60));
        QVERIFY(!f.config.VLineFlag);
        QTRY_VERIFY(f.window->listWindow()->isVisible());
        QTest::qWait(20);
        QVERIFY(!f.window->paletteWindow()->isVisible());
        QVERIFY(!f.window->commands().action(kCmdShowPalette)->isChecked());
    }

    void workingFolderIsMadeAndLastFolderRemembered() {
        {
            // A first start makes the missing working folder without a question.
            strEditorFixture f;
            QDir(f.dir.path()).rmdir(QStringLiteral("Data"));
            QVERIFY(f.start());
            QVERIFY(f.prompts.asked.isEmpty());
            QVERIFY(f.prompts.messages.isEmpty());
            QCOMPARE(QFileInfo(f.session().workingFolder()), QFileInfo(f.path(QStringLiteral("Data"))));
            QVERIFY(QFileInfo(f.path(QStringLiteral("Data"))).isDir());
            // New documents and imports take the working folder as their base folder.
            QCOMPARE(QFileInfo(f.session().baseFolder()), QFileInfo(f.path(QStringLiteral("Data"))));
        }
        {
            // A working folder that cannot be made (a file has its name): said once, and the
            // settings file's folder serves instead.
            strEditorFixture f;
            QDir(f.dir.path()).rmdir(QStringLiteral("Data"));
            QFile blocker(f.path(QStringLiteral("Data")));
            QVERIFY(blocker.open(QIODevice::WriteOnly));
            blocker.close();
            QVERIFY(f.start());
            QVERIFY(f.prompts.asked.isEmpty());
            QCOMPARE(f.prompts.messages.size(), 1);
            QCOMPARE(QFileInfo(f.session().workingFolder()), QFileInfo(f.dir.path()));
        }
        // An existing "LastLoadPath" is where the file dialogs start; the backup goes to the working
        // folder as a copy of the file just opened.
        strEditorFixture f;
        QDir(f.dir.path()).mkpath(QStringLiteral("last"));
        platform::cProfileFile file;
        file.setString("CONFIG", "LastLoadPath", f.path(QStringLiteral("last")).toStdString());
        file.setString("CONFIG", "BackUpFlag", "1");
        QVERIFY(file.save(f.config.filePath));
        QVERIFY(f.start());
        QCOMPARE(f.session().dialogFolder(), f.path(QStringLiteral("last")));
        const QString project = f.writeProject(QStringLiteral("last/p.dat"), 4);
        QVERIFY(f.session().openPath(project));
        const QByteArray written = f.read(project);
        QVERIFY(!written.isEmpty());
        QCOMPARE(f.read(f.path(QStringLiteral("Data/backup.dat"))), written);
    }

    void offScreenRectanglesAreBroughtBack() {
        const QList<QRect> screens = {QRect(0, 0, 1280, 1024), QRect(1280, 0, 1920, 1080)};
        // Visible (also partly, or on the second screen): kept.
        for (const QRect r :
             {QRect(100, 100, 640, 480), QRect(-300, 10, 640, 480), QRect(2000, 500, 800, 600)})
            QCOMPARE(PlaceOnScreens(r, screens), r);
        // Off every screen: onto the nearest one, inside it.
        QCOMPARE(PlaceOnScreens(QRect(5000, 200, 640, 480), screens), QRect(2560, 200, 640, 480));
        QCOMPARE(PlaceOnScreens(QRect(-2000, -900, 640, 480), screens), QRect(0, 0, 640, 480));
        QCOMPARE(PlaceOnScreens(QRect(100, 1500, 3000, 3000), screens), QRect(1280, 0, 1920, 1080));
        // A title bar above the top edge cannot be grabbed.
        QCOMPARE(PlaceOnScreens(QRect(100, -470, 640, 480), screens).top(), 0);
        // Larger than its screen (a garbage setting): the screen's size, on it whole.
        QCOMPARE(PlaceOnScreens(QRect(32, 32, 32767, 32767), screens), QRect(0, 0, 1280, 1024));
        QCOMPARE(PlaceOnScreens(QRect(1400, 100, 5000, 500), screens), QRect(1280, 100, 1920, 500));

        strEditorFixture f;
        platform::cProfileFile file;
        file.setString("CONFIG", "MainWinPostX", "-30000");
        file.setString("CONFIG", "MainWinPostY", "-30000");
        for (const char* key : {"ListWinSizeX", "ListWinSizeY", "PalWinSizeX", "PalWinSizeY"})
            file.setString("CONFIG", key, "99999999");
        QVERIFY(file.save(f.config.filePath));
        QVERIFY(f.start());
        QRect screen;
        for (const QRect& s : AvailableScreens())
            screen |= s;
        for (const QWidget* w :
             {static_cast<QWidget*>(f.window.get()), static_cast<QWidget*>(f.window->listWindow()),
              static_cast<QWidget*>(f.window->paletteWindow())}) {
            const QRect shown(w->pos(), w->size());
            QVERIFY2(screen.contains(shown), qPrintable(w->objectName()));
        }
    }
};

PELKO_UI_TEST(cSettingsFileTest)
#include "settings_file_test.moc"
