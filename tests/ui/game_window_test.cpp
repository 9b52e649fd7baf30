// Game projects in the editor: File > Open game project..., the game window's list and its
// pictures of frame 1, an animation opened with the game's pictures on the canvas, Save back into the
// game's database (the other lines byte for byte), Save to game as new animation, New and Rename,
// the unsaved-changes question, refusals (changed on disk, unparsable), Save as to a project file,
// and the recent games.

#include "canvas_fixture.h"

#include "game/game.h"
#include "platform/code_page.h"
#include "ui/dialogs/dlg_settings.h"
#include "ui/game/game_list_model.h"
#include "ui/game/game_thumbnails.h"
#include "ui/game/game_window.h"
#include "ui/session/ui_messages.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QTableView>

namespace {

constexpr QRgb kRed = 0xFFFF0000, kBlue = 0xFF0000FF;

// An MV game "Hero" in dir: the test database (ids 1, 2 "炎の剣" with Fire1, 3, empty 4, 5) and the
// picture Fire1 (960 x 384: pattern 0 red, every other pixel blue); HitPhysical, Thunder1 and the
// sounds are missing.
QString MakeMvGame(const QString& dir) {
    const QString game = dir + QStringLiteral("/Hero");
    QDir().mkpath(game + QStringLiteral("/data"));
    QDir().mkpath(game + QStringLiteral("/img/animations"));
    QFile marker(game + QStringLiteral("/Game.rpgproject"));
    if (!marker.open(QIODevice::WriteOnly)) return {};
    marker.close();
    if (!QFile::copy(QStringLiteral(PELKO_TEST_DATA "/game/Animations.json"),
                     game + QStringLiteral("/data/Animations.json")))
        return {};
    QFile::setPermissions(game + QStringLiteral("/data/Animations.json"),
                          QFile::ReadOwner | QFile::WriteOwner);
    QImage sheet(960, 384, QImage::Format_ARGB32);
    sheet.fill(kBlue);
    for (int y = 0; y < 192; ++y)
        for (int x = 0; x < 192; ++x)
            sheet.setPixel(x, y, kRed);
    if (!sheet.save(game + QStringLiteral("/img/animations/Fire1.png"))) return {};
    return game;
}

QByteArray Database(const QString& game) {
    return strEditorFixture::read(game + QStringLiteral("/data/Animations.json"));
}

} // namespace

class cGameWindowTest : public QObject {
    Q_OBJECT

    struct strGame : strCanvasFixture {
        QString game;
        QByteArray original;
        cGameWindow* gameWindow = nullptr;

        bool begin() {
            if (!start()) return false;
            game = MakeMvGame(dir.path());
            original = Database(game);
            canvas = qobject_cast<cCanvas*>(window->canvas());
            window->show();
            canvas->viewport()->setFixedSize(400, 300);
            canvas->setOrigin({0, 0});
            overlaysOff();
            prompts.folderAnswer = game;
            if (!trigger(kCmdOpenGame)) return false;
            gameWindow = window->findChild<cGameWindow*>(QStringLiteral("gameWindow"));
            return gameWindow && !game.isEmpty();
        }
        bool openAnimation(int id) {
            gameWindow->selectId(id);
            QTest::mouseClick(find<QPushButton>("gameOpen", gameWindow), Qt::LeftButton);
            return session().gameAnimation() == id;
        }
        // The game read again from disk.
        std::unique_ptr<game::cGame> reread() const {
            auto g = std::make_unique<game::cGame>();
            std::string error;
            if (!g->open(game.toStdString(), config, &error)) qWarning("%s", error.c_str());
            return g;
        }
    };

  private slots:
    void openListAndShowTheGamesPicture() {
        strGame f;
        QVERIFY(f.begin());
        QVERIFY(f.gameWindow->isVisible());
        QCOMPARE(f.gameWindow->accessibleName(), QStringLiteral("Game"));
        cGameListModel* m = f.gameWindow->model();
        QCOMPARE(m->rowCount(), 5);
        QCOMPARE(m->index(1, cGameListModel::kColumnId).data().toString(), QStringLiteral("002"));
        QCOMPARE(m->index(1, cGameListModel::kColumnName).data().toString(), QStringLiteral("炎の剣"));
        QCOMPARE(m->index(1, cGameListModel::kColumnFrames).data().toInt(), 3);
        QCOMPARE(m->flags(m->index(3, cGameListModel::kColumnName)), Qt::NoItemFlags); // slot 4 is null
        QVERIFY(m->flags(m->index(4, cGameListModel::kColumnName)) & Qt::ItemIsEditable);
        QCOMPARE(f.config.RecentGame1, f.game.toStdString());

        // Frame 1 of "炎の剣": pattern 0 (red) 192 x 192 at (-20, 0) over the dark ground, at 1/4.8.
        const QImage small = f.gameWindow->thumbnails()->draw(2);
        QCOMPARE(small.size(), QSize(cGameThumbnails::kWidth, cGameThumbnails::kHeight));
        QCOMPARE(small.pixel(36, 30), kRed);
        QCOMPARE(small.pixel(2, 2) & 0xFFFFFF, 0x303038u);
        QVERIFY(f.gameWindow->thumbnails()->draw(4).isNull()); // the empty slot
        // Asked for by the table, drawn later, one per pass of the event loop.
        const QModelIndex picture = m->index(1, cGameListModel::kColumnPicture);
        picture.data(Qt::DecorationRole);
        QVERIFY(QTest::qWaitFor([&] { return picture.data(Qt::DecorationRole).isValid(); }, 5000));
        QCOMPARE(picture.data(Qt::DecorationRole).value<QPixmap>().toImage().pixel(36, 30), kRed);
        QVERIFY(QTest::qWaitFor([&] { return f.gameWindow->thumbnails()->pending() == 0; }, 5000));

        QVERIFY(f.openAnimation(2));
        QCOMPARE(f.doc().frameCount(), 3);
        QVERIFY(!f.doc().modified());
        QVERIFY2(f.window->windowTitle().contains(QStringLiteral("Hero \u203a 002 炎の剣")),
                 qPrintable(f.window->windowTitle()));
        QCOMPARE(f.session().baseFolder(), f.game + QStringLiteral("/img/animations"));
        // The canvas shows the game's own picture with the default settings.
        QCOMPARE(f.shown(-20, 0), 0xFF0000u);
        QCOMPARE(f.shown(-20 + 60, 60), 0xFF0000u);
        QVERIFY(f.enabled(kCmdSave));
        QVERIFY(f.prompts.messages.isEmpty()); // Fire1 is there; the sound-less timing asks for none

        // Animation 1 names a picture and a sound the game lacks: said once, with the folders tried.
        QVERIFY(f.openAnimation(1));
        QCOMPARE(f.prompts.messages.size(), 1);
        const QString said = f.prompts.messages.front();
        QVERIFY2(said.contains(QStringLiteral("HitPhysical")) &&
                     said.contains(f.game + QStringLiteral("/img/animations/HitPhysical.{png")) &&
                     said.contains(QStringLiteral("Attack3")),
                 qPrintable(said));
        QVERIFY(f.window->statusText().contains(QStringLiteral("HitPhysical")));
    }

    void saveWritesBackIntoTheSlot() {
        strGame f;
        QVERIFY(f.begin());
        QVERIFY(f.openAnimation(2));
        strCell moved = *f.doc().cell(0, 0);
        moved.x = 33;
        moved.y = -7;
        moved.red = 60; // MV has no cell tone: the save says so
        f.putCell(0, 0, moved);
        QVERIFY(f.window->isWindowModified());
        QVERIFY(f.trigger(kCmdSave));
        QVERIFY(!f.doc().modified());
        QCOMPARE(f.prompts.messages.size(), 1);
        QVERIFY2(f.prompts.messages.front().contains(QStringLiteral("tone")),
                 qPrintable(f.prompts.messages.front()));
        QVERIFY(!f.window->isWindowModified());

        auto g = f.reread();
        QVERIFY(g->isOpen());
        cProject back;
        QVERIFY(g->read(2, back));
        QCOMPARE(back.cell(0, 0)->x, 33);
        QCOMPARE(back.cell(0, 0)->y, -7);
        QCOMPARE(back.frameCount(), 3);
        QCOMPARE(platform::ToUtf8(back.text(kTextName), "jpn"), std::string("炎の剣"));
        // The status names the backup (what the write keeps is the library's business).
        QVERIFY(f.window->statusText().contains(QStringLiteral("Backups")));

        // Save to game as new animation: id last + 1, the document is that animation then.
        QVERIFY(f.trigger(kCmdSaveToGameNew));
        QCOMPARE(f.session().gameAnimation(), 6);
        g = f.reread();
        QCOMPARE(g->lastId(), 6);
        cProject added;
        QVERIFY(g->read(6, added));
        QCOMPARE(added.cell(0, 0)->x, 33);
        QCOMPARE(platform::ToUtf8(added.text(kTextName), "jpn"), std::string("炎の剣"));
        QVERIFY(f.window->windowTitle().contains(QStringLiteral("006 炎の剣")));
    }

    void unsavedQuestionWhenAnotherAnimationOpens() {
        strGame f;
        QVERIFY(f.begin());
        QVERIFY(f.openAnimation(2));
        f.touch();
        // Cancel: nothing changes.
        f.prompts.answers = {cPrompts::kCancel};
        QVERIFY(!f.openAnimation(5));
        QCOMPARE(f.prompts.asked.size(), 1);
        QCOMPARE(f.prompts.asked.front(), UiText(kUiUnsavedChanges));
        QCOMPARE(f.session().gameAnimation(), 2);
        QVERIFY(f.doc().modified());
        // No: the change is dropped, the database untouched.
        f.prompts.answers = {cPrompts::kNo};
        QVERIFY(f.openAnimation(5));
        QCOMPARE(Database(f.game), f.original);
        // Yes: written back first.
        f.touch();
        f.prompts.answers = {cPrompts::kYes};
        QVERIFY(f.openAnimation(2));
        QCOMPARE(f.reread()->list()[4].frames, 2);
        QVERIFY(Database(f.game) != f.original);
    }

    void refusalsLeaveTheDatabaseAsItWas() {
        strGame f;
        QVERIFY(f.begin());
        QVERIFY(f.openAnimation(2));
        f.touch();
        // Another program saves the game meanwhile.
        QByteArray theirs = f.original;
        theirs.replace("\"Thunder\"", "\"Thunder!\"");
        {
            QFile file(f.game + QStringLiteral("/data/Animations.json"));
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(theirs);
        }
        f.prompts.messages.clear();
        QVERIFY(f.trigger(kCmdSave));
        QVERIFY(f.doc().modified());
        QCOMPARE(f.prompts.messages.size(), 1);
        QVERIFY2(f.prompts.messages.front().contains(QStringLiteral("changed on disk")),
                 qPrintable(f.prompts.messages.front()));
        QCOMPARE(Database(f.game), theirs);
        // Opening the game again reads their version; the document stays animation 2 and saves.
        QVERIFY(f.trigger(kCmdOpenGame));
        QCOMPARE(f.session().gameAnimation(), 2);
        QVERIFY(f.trigger(kCmdSave));
        QVERIFY(Database(f.game).contains("\"Thunder!\""));

        // A database that does not parse is not opened (the game open before stays) nor written.
        const QByteArray broken = "[\nnull,\n{\"id\":1,\"name\":\n";
        const QString other = MakeMvGame(f.path(QStringLiteral("other")));
        {
            QFile file(other + QStringLiteral("/data/Animations.json"));
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(broken);
        }
        f.prompts.messages.clear();
        f.prompts.folderAnswer = other;
        QVERIFY(f.trigger(kCmdOpenGame));
        QCOMPARE(f.prompts.messages.size(), 1);
        QVERIFY(f.prompts.messages.front().contains(other + QStringLiteral("/data/Animations.json")));
        QCOMPARE(strEditorFixture::read(other + QStringLiteral("/data/Animations.json")), broken);
        QCOMPARE(f.session().game()->location().folder, f.game.toStdString());
        QCOMPARE(f.session().gameAnimation(), 2);
    }

    void saveAsMakesAProjectFileThatFindsThePictures() {
        strGame f;
        QVERIFY(f.begin());
        QVERIFY(f.openAnimation(2));
        const QString file = f.path(QStringLiteral("elsewhere/fire.dat"));
        QDir().mkpath(f.path(QStringLiteral("elsewhere")));
        QVERIFY(f.session().saveTo(file));
        QCOMPARE(f.session().gameAnimation(), 0);
        QCOMPARE(f.session().currentPath(), file);
        QVERIFY(!f.window->windowTitle().contains(QStringLiteral("\u203a")));
        QVERIFY(f.session().openPath(file));
        QCOMPARE(f.doc().picture(0)->path,
                 (f.game + QStringLiteral("/img/animations/Fire1.png")).toStdString());
        QCOMPARE(f.shown(-20, 0), 0xFF0000u);
        // Saving the project file leaves the game alone.
        f.touch();
        QVERIFY(f.trigger(kCmdSave));
        QCOMPARE(Database(f.game), f.original);
    }

    void newAndRename() {
        strGame f;
        QVERIFY(f.begin());
        QTest::mouseClick(f.find<QPushButton>("gameNew", f.gameWindow), Qt::LeftButton);
        QCOMPARE(f.session().gameAnimation(), 6);
        QCOMPARE(f.reread()->list().back().name, std::string("New animation"));
        QVERIFY(f.window->windowTitle().contains(QStringLiteral("Hero \u203a 006 New animation")));
        QVERIFY(QTest::qWaitFor([&] { return f.gameWindow->currentId() == 6; }, 2000));

        // The name of another animation edited in place is written into the game; the open document
        // is not changed.
        cGameListModel* m = f.gameWindow->model();
        QVERIFY(m->setData(m->index(m->rowOf(5), cGameListModel::kColumnName), QStringLiteral("雷"),
                           Qt::EditRole));
        QVERIFY(!f.doc().modified());
        QCOMPARE(f.reread()->list()[4].name, std::string("雷"));
        QVERIFY(QTest::qWaitFor(
            [&] {
                return m->index(4, cGameListModel::kColumnName).data().toString() == QStringLiteral("雷");
            },
            2000));

        // The open animation renamed: the document takes the name as one undo step and stays
        // unmodified (the game holds that name); undoing it gives the old name back, modified.
        QVERIFY(m->setData(m->index(m->rowOf(6), cGameListModel::kColumnName), QStringLiteral("風"),
                           Qt::EditRole));
        QCOMPARE(platform::ToUtf8(f.doc().text(kTextName), "jpn"), std::string("風"));
        QVERIFY(!f.doc().modified());
        QVERIFY(f.window->windowTitle().contains(QStringLiteral("Hero \u203a 006 風")));
        QVERIFY(f.session().history().undoLabel());
        QCOMPARE(*f.session().history().undoLabel(), strMessage(kStepRenameAnimation, std::string("風")));
        QVERIFY(f.trigger(kCmdUndo));
        QCOMPARE(platform::ToUtf8(f.doc().text(kTextName), "jpn"), std::string("New animation"));
        QVERIFY(f.doc().modified());
    }

    void runTimePackageFolderFromTheSettings() {
        strGame f;
        QVERIFY(f.begin());
        const QString rtp = f.path(QStringLiteral("rtp"));
        QDir().mkpath(rtp + QStringLiteral("/img/animations"));
        QImage green(192, 192, QImage::Format_ARGB32);
        green.fill(0xFF00FF00);
        QVERIFY(green.save(rtp + QStringLiteral("/img/animations/HitPhysical.png")));
        QVERIFY(f.trigger(kCmdEditorSettings));
        auto* settings = f.window->findChild<cDlg_Settings*>(QStringLiteral("settingsDialog"));
        QVERIFY(settings);
        f.prompts.folderAnswer = rtp;
        QTest::mouseClick(f.find<QPushButton>("rtpFolderMVBrowse", settings), Qt::LeftButton);
        QCOMPARE(f.find<QLineEdit>("rtpFolderMV", settings)->text(), rtp);
        settings->apply();
        QCOMPARE(f.config.RTPFolder_MV, rtp.toStdString());
        QVERIFY(f.config.RTPFolder_VX.empty());

        // The game opened again finds the picture in the package; only the sound is missing now.
        f.prompts.folderAnswer = f.game;
        QVERIFY(f.trigger(kCmdOpenGame));
        f.prompts.messages.clear();
        QVERIFY(f.openAnimation(1));
        QCOMPARE(f.doc().picture(0)->path,
                 (rtp + QStringLiteral("/img/animations/HitPhysical.png")).toStdString());
        QCOMPARE(f.prompts.messages.size(), 1);
        QVERIFY(!f.prompts.messages.front().contains(QStringLiteral("HitPhysical")));
        QVERIFY(f.prompts.messages.front().contains(rtp + QStringLiteral("/audio/se/Attack3.{")));
    }

    void recentGamesAndOpeningADatabaseFile() {
        strGame f;
        QVERIFY(f.begin());
        const QString other = MakeMvGame(f.path(QStringLiteral("second")));
        // File > Open takes the database file itself as the game; the document is not replaced.
        f.prompts.openAnswer = other + QStringLiteral("/data/Animations.json");
        f.touch();
        QVERIFY(f.trigger(kCmdOpen));
        QVERIFY(f.prompts.asked.isEmpty());
        QCOMPARE(f.session().game()->location().folder, other.toStdString());
        QCOMPARE(f.config.recentGames(),
                 (std::vector<std::string>{other.toStdString(), f.game.toStdString()}));

        QMenu* recent = f.window->findChild<QMenu*>(QStringLiteral("menuRecentGames"));
        QVERIFY(recent);
        QMetaObject::invokeMethod(recent, "aboutToShow");
        QAction* second = recent->findChild<QAction*>(QStringLiteral("recentGame2"));
        QVERIFY(second);
        second->trigger();
        QCOMPARE(f.session().game()->location().folder, f.game.toStdString());
        QCOMPARE(f.config.RecentGame1, f.game.toStdString());
        // Kept in the settings file for the next start.
        f.prompts.answers = {cPrompts::kNo};
        QVERIFY(f.closeWindow());
        QCOMPARE(f.stored("RecentGame1"), f.game.toStdString());
        QCOMPARE(f.stored("RecentGame2"), other.toStdString());
    }
};

PELKO_UI_TEST(cGameWindowTest)
#include "game_window_test.moc"
