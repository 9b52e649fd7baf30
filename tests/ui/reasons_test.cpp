// Failures say why in the user's language, in the message window and the status bar; files that are
// not there are marked in the lists and reported once.

#include "editor_fixture.h"
#include "export/gif_file.h"
#include "interchange/clipboard_formats.h"
#include "ui/canvas/canvas.h"
#include "ui/dialogs/dlg_pattern_sheet.h"
#include "ui/dialogs/dlg_recovery.h"
#include "ui/lists/dlg_set_effect.h"
#include "ui/lists/list_window.h"
#include "ui/lists/source_list_model.h"
#include "ui/lists/source_list_view.h"
#include "ui/session/ui_messages.h"
#include "ui/shell/tool_window.h"
#include "ui/shell/translators.h"

#include "document/anime_file_device.h"
#include "workspace/recovery_store.h"

#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>

namespace {

// The English words left in a text once paths and the names of formats and products are taken out.
QString EnglishIn(QString text, const QString& folder) {
    text.remove(folder);
    static const QRegularExpression names(
        QStringLiteral("/\\S*|RPG|JSON|GIF|PNG|WebP|Ruby|Marshal|MV|BMP|XYZ|LcfDataBase|MiB|[\\w-]*\\.(gif|"
                       "png|bmp|xyz|dat|json)\\b"));
    text.remove(names);
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{3,}"));
    const QRegularExpressionMatch m = word.match(text);
    return m.hasMatch() ? m.captured() : QString();
}

} // namespace

class cReasonsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<strEditorFixture> f;
    cTranslators translators;

    // The last message window's text and the status bar both hold text.
    void saidInBoth(const QString& text) const {
        QVERIFY2(!f->prompts.messages.isEmpty(), qPrintable(text));
        QVERIFY2(f->prompts.messages.last().contains(text), qPrintable(f->prompts.messages.last()));
        QVERIFY2(f->window->statusText().contains(text), qPrintable(f->window->statusText()));
    }

  private slots:
    void init() {
        QVERIFY(translators.install(QStringLiteral("ja")));
        f = std::make_unique<strEditorFixture>();
        QVERIFY(f->start());
    }
    void cleanup() {
        f.reset();
        translators.remove();
    }

    void aDamagedFileSaysWhyInJapanese() {
        // Cut inside its last frame.
        const QString good = f->writeProject(QStringLiteral("good.dat"), 3);
        QByteArray bytes = strEditorFixture::read(good);
        bytes.chop(3);
        const QString cut = f->path(QStringLiteral("cut.dat"));
        QFile file(cut);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        QVERIFY(!f->session().openPath(cut));
        const QString why = LibraryMessage(strMessage(kWhyBinaryEndsEarly, strMessage(kPartFrame, 2)));
        QCOMPARE(why, QStringLiteral(
                          "フレーム 2 の途中でファイルが終わっています (途中で切れているか壊れています)"));
        saidInBoth(why);
        QVERIFY(f->prompts.messages.last().contains(cut));

        // Not a project at all, and a file that is not there.
        const QString png = f->path(QStringLiteral("picture.dat"));
        QFile other(png);
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write("\x89PNG\r\n\x1a\n0000000000000000");
        other.close();
        QVERIFY(!f->session().openPath(png));
        saidInBoth(QStringLiteral("アニメーションのファイルではありません"));
        QVERIFY(!f->session().openPath(f->path(QStringLiteral("gone.dat"))));
        saidInBoth(f->path(QStringLiteral("gone.dat")) + QStringLiteral(" がありません"));
        QVERIFY(!f->window->statusText().contains(QStringLiteral("does not exist")));
    }

    // The reasons of the pattern sheet, the GIF draft, the recovery window and the game come from the
    // library and the system; in a Japanese editor not one English word of them shows.
    void windowsGiveLibraryAndSystemReasonsInJapanese() {
        const QString folder = f->dir.path();
        QStringList faults;
        auto check = [&](const QString& where, const QString& text) {
            if (text.isEmpty()) faults << where + QStringLiteral(": empty");
            const QString word = EnglishIn(text, folder);
            if (!word.isEmpty())
                faults << where + QStringLiteral(": \"") + word + QStringLiteral("\" in ") + text;
        };

        // Pattern sheet: a folder without pictures, a sheet saved where no folder is (ENOENT of the
        // system), a picture that is not one.
        QVERIFY(QDir(folder).mkpath(QStringLiteral("empty")));
        QVERIFY(f->trigger(kCmdBuildSheet));
        auto* sheet = f->window->findChild<cDlg_PatternSheet*>();
        QVERIFY(sheet);
        sheet->addInputs({f->path(QStringLiteral("empty"))});
        QVERIFY(!sheet->build());
        check(QStringLiteral("sheet build"), f->find<QPlainTextEdit>("sheetReport", sheet)->toPlainText());
        QImage frame(8, 8, QImage::Format_ARGB32);
        frame.fill(Qt::red);
        QVERIFY(frame.save(f->path(QStringLiteral("empty/a.png"))));
        QVERIFY(sheet->build());
        f->prompts.messages.clear();
        QVERIFY(!sheet->save(f->path(QStringLiteral("nowhere/sheet.png"))));
        QCOMPARE(f->prompts.messages.size(), 1);
        check(QStringLiteral("sheet save"), f->prompts.messages.last());
        QVERIFY(f->prompts.messages.last().contains(LibraryMessage(strMessage(kSysNotFound))));
        QFile text(f->path(QStringLiteral("note.png")));
        QVERIFY(text.open(QIODevice::WriteOnly) && text.write("not a picture") > 0);
        text.close();
        QVERIFY(!sheet->check(f->path(QStringLiteral("note.png"))));
        check(QStringLiteral("sheet check"), sheet->checkReport());

        // GIF draft: a GIF cut after its header.
        cGifFile gif;
        auto local = std::make_unique<cGifLocal>();
        local->bitmap = cDib::create(4, 4, 32);
        local->delay = 10;
        QVERIFY(gif.addFrame(std::move(local)));
        std::vector<uint8_t> bytes;
        QVERIFY(gif.encode(bytes, -1));
        QFile cut(f->path(QStringLiteral("cut.gif")));
        QVERIFY(cut.open(QIODevice::WriteOnly) &&
                cut.write(reinterpret_cast<const char*>(bytes.data()), 20) == 20);
        cut.close();
        f->prompts.messages.clear();
        auto* canvas = f->window->findChild<cCanvas*>();
        QVERIFY(canvas && !canvas->setGifDraftPath(f->path(QStringLiteral("cut.gif")), true));
        QCOMPARE(f->prompts.messages.size(), 1);
        check(QStringLiteral("GIF draft"), f->prompts.messages.last());
        check(QStringLiteral("GIF draft status"), f->window->statusText());

        // Recovery: copies left damaged by an editor that is gone.
        const std::string recovery = f->path(QStringLiteral("recovery")).toStdString();
        QVERIFY(QDir().mkpath(QString::fromStdString(recovery)));
        for (const char* name : {"00000000000000aa-1", "00000000000000aa-2"}) {
            QFile copy(QString::fromStdString(recovery) + QLatin1Char('/') + QLatin1String(name) +
                       QStringLiteral(".dat"));
            QVERIFY(copy.open(QIODevice::WriteOnly) && copy.write("PELK_BIN") > 0);
        }
        QFile info(QString::fromStdString(recovery) + QStringLiteral("/00000000000000aa-1.json"));
        QVERIFY(info.open(QIODevice::WriteOnly) && info.write("{\"format\":1") > 0);
        info.close();
        cRecoveryStore store(recovery);
        QVERIFY(store.open());
        std::vector<strRecoveryProblem> problems;
        QVERIFY(store.list(&problems).empty());
        QCOMPARE(int(problems.size()), 2);
        for (const strRecoveryProblem& p : problems)
            check(QStringLiteral("recovery"), cDlg_Recovery::problemText(p));
        strRecoveryInfo when;
        when.savedAt = 1796140800; // 2026-12-01
        QVERIFY(cDlg_Recovery::whenText(when).startsWith(QStringLiteral("2026/12/")));

        // A game whose animation database does not parse.
        const QString game = f->path(QStringLiteral("Broken"));
        QVERIFY(QDir().mkpath(game + QStringLiteral("/data")));
        QFile marker(game + QStringLiteral("/Game.rpgproject"));
        QVERIFY(marker.open(QIODevice::WriteOnly));
        marker.close();
        QFile database(game + QStringLiteral("/data/Animations.json"));
        QVERIFY(database.open(QIODevice::WriteOnly) && database.write("[null,\n{\"id\":1,") > 0);
        database.close();
        f->prompts.messages.clear();
        QVERIFY(!f->session().openGame(game));
        QCOMPARE(f->prompts.messages.size(), 1);
        check(QStringLiteral("game"), f->prompts.messages.last());

        // A save onto a loop of symbolic links (ELOOP, which the file calls do not word for
        // themselves), and the Play button of a timing whose sound cannot be played.
        const QString loop = f->path(QStringLiteral("loop.dat"));
        QVERIFY(QFile::link(loop, loop));
        f->prompts.messages.clear();
        QVERIFY(!f->session().saveTo(loop));
        QCOMPARE(f->prompts.messages.size(), 1);
        check(QStringLiteral("save onto a link loop"), f->prompts.messages.last());
        QVERIFY(f->prompts.messages.last().contains(LibraryMessage(strMessage(kSysLinkLoop))));
        strEffect timing;
        timing.flags = strEffect::kSound;
        timing.soundPath = f->path(QStringLiteral("junk.wav")).toStdString();
        cDlg_SetEffect effect(f->session(), 0, timing);
        f->find<QPushButton>("effectPlay", &effect)->click();
        check(QStringLiteral("sound preview"), f->window->statusText());
        QVERIFY(f->window->statusText().contains(LibraryMessage(strMessage(kWhySoundOff)))); // no device

        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    void recoveryDatesFollowTheEditorsLanguage() {
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        const QLocale japanese(QLocale::Japanese, QLocale::Japan);
        QCOMPARE(cTranslators::displayLocale(english).language(), QLocale::Japanese);
        QCOMPARE(cTranslators::displayLocale(japanese), japanese);
        translators.remove();
        QCOMPARE(cTranslators::displayLocale(japanese).language(), QLocale::English);
        const QLocale british(QLocale::English, QLocale::UnitedKingdom);
        QCOMPARE(cTranslators::displayLocale(british), british); // its own date order kept
    }

    void badClipboardPayloadsOfEveryProductSayWhy() {
        cQtClipboard& clip = f->clipboard;
        const struct {
            uint32_t format;
            int command;
            std::vector<uint8_t> payload;
            const char* why; // the reason's start, in Japanese
        } cases[] = {
            {platform::cClipboard::kFormat2000,
             kCmdClipImport2000,
             {8, 0, 0, 0, 1, 0, 0, 0, 1, 5, 'a'},
             "RPGツクール2000 のアニメーションではありません: アニメーションのデータのチャンクが"},
            {clip.registerFormat(interchange::kFormatNameVX),
             kCmdClipImportMarshal,
             {10, 0, 0, 0, 4, 9, '[', 6, 0, 0},
             "RPGツクールXP / VX / VX Ace のアニメーションではありません: Ruby Marshal 4.8 "
             "のデータではありません"},
            {clip.registerFormat(interchange::kFormatNameMV),
             kCmdClipImportMV,
             {'[', '{'},
             "RPGツクールMV のアニメーションではありません: JSON として読めません"},
        };
        for (const auto& c : cases) {
            f->prompts.messages.clear();
            QVERIFY(clip.write(c.format, c.payload));
            QTRY_VERIFY(f->enabled(c.command));
            QVERIFY(f->trigger(c.command));
            QCOMPARE(f->prompts.messages.size(), 1);
            saidInBoth(QString::fromUtf8(c.why));
        }
    }

    // The 2000 format names the animation's picture; without one the copy says so, not that the
    // clipboard refused.
    void a2000CopyWithoutAPictureSaysWhy() {
        f->edit([](cProject& d) {
            for (int i = 0; i < d.pictureCapacity(); ++i)
                d.setPicture(i, nullptr);
        });
        f->prompts.messages.clear();
        QVERIFY(f->trigger(kCmdClipExport2000));
        QCOMPARE(f->prompts.messages.size(), 1);
        saidInBoth(QStringLiteral("RPGツクール2000 の形式"));
        QVERIFY(!f->clipboard.isAvailable(platform::cClipboard::kFormat2000));
    }

    void missingPicturesAreMarkedAndReportedOnce() {
        // A project whose second picture is not there, and whose sound is not either.
        {
            QImage picture(8, 8, QImage::Format_ARGB32);
            picture.fill(Qt::blue);
            QVERIFY(picture.save(f->path(QStringLiteral("here.png"))));
            cProject doc(&f->config);
            testing_support::MakeFrames(doc, 1);
            doc.setPicture(0, strPicture{1, 1, 0, "here.png"});
            doc.setPicture(1, strPicture{1, 1, 0, "pics/gone.png"});
            doc.addEffect({.startFrame = 0, .flags = strEffect::kSound, .soundPath = "boom"});
            anime::cAnimeFileDevice device;
            QCOMPARE(device.save(f->path(QStringLiteral("m.dat")).toStdString(), doc, 0), 1);
        }
        QVERIFY(f->session().openPath(f->path(QStringLiteral("m.dat"))));
        QCOMPARE(f->prompts.messages.size(), 1);
        const QString pictures = LibraryMessage(strMessage(
            kMsgPictureNotFound, "gone.png (" + f->path(QStringLiteral("pics")).toStdString() + ")"));
        QVERIFY(pictures.startsWith(QStringLiteral("画像が 1 個見つかりません: gone.png")));
        QVERIFY(f->prompts.messages[0].contains(pictures));
        QVERIFY(f->prompts.messages[0].contains(QStringLiteral("効果音ファイルが 1 個見つかりません: boom")));
        QVERIFY(f->window->statusText().contains(pictures));

        auto* list = qobject_cast<cListWindow*>(f->window->listWindow()->content());
        QVERIFY(list);
        QAbstractItemModel* m = list->list(cSourceListModel::kPictures)->model();
        // The missing picture is marked and says where it was looked for; the one there is not.
        QVERIFY(!m->data(m->index(1, 1), Qt::DecorationRole).value<QIcon>().isNull());
        const QString tip = m->data(m->index(1, 1), Qt::ToolTipRole).toString();
        QVERIFY2(tip.contains(f->path(QStringLiteral("pics"))) && tip.contains(QStringLiteral("gone.png")) &&
                     tip.startsWith(QStringLiteral("見つかりません")),
                 qPrintable(tip));
        QVERIFY(m->data(m->index(0, 1), Qt::DecorationRole).isNull());
        QVERIFY(m->data(m->index(0, 1), Qt::ToolTipRole).isNull());
        QAbstractItemModel* e = list->list(cSourceListModel::kEffects)->model();
        QVERIFY(!e->data(e->index(0, 1), Qt::DecorationRole).value<QIcon>().isNull());
        QVERIFY(e->data(e->index(0, 1), Qt::ToolTipRole).toString().contains(QStringLiteral("boom.wav")));

        // Reloading or editing does not report again; a picture that comes back is no longer marked.
        QImage picture(8, 8, QImage::Format_ARGB32);
        picture.fill(Qt::red);
        QVERIFY(QDir().mkpath(f->path(QStringLiteral("pics"))));
        QVERIFY(picture.save(f->path(QStringLiteral("pics/gone.png"))));
        f->session().reloadPictures();
        QCOMPARE(f->prompts.messages.size(), 1);
        QVERIFY(m->data(m->index(1, 1), Qt::DecorationRole).isNull());

        // A picture outside the animation's folder is stored and shown whole.
        const QString outside = QDir::temp().filePath(
            QStringLiteral("pelko-outside-%1.png").arg(QCoreApplication::applicationPid()));
        QVERIFY(picture.save(outside));
        f->edit([&](cProject& d) { d.setPicture(2, strPicture{1, 1, 0, outside.toStdString()}); });
        QCOMPARE(m->data(m->index(2, 1)).toString(), outside);
        QVERIFY(m->data(m->index(2, 1), Qt::ToolTipRole).toString().contains(QStringLiteral("フルパス")));
        QFile::remove(outside);
    }
};

PELKO_UI_TEST(cReasonsTest)
#include "reasons_test.moc"
