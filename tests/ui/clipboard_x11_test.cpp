// The system clipboard between two processes under a real X server: a payload with NUL bytes that
// one editor process puts is read, byte for byte, by another, for a Marshal format, MV and the edit
// clipboard.

#include "ui_test.h"

#include "interchange/clipboard_formats.h"
#include "ui/platform/qt_clipboard.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QSocketNotifier>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>

#include <cstdio>

// The writer process: puts the file's bytes under the format name, says "ready", and keeps the
// clipboard until its standard input closes.
int RunClipboardWriter(const char* name, const char* file) {
    QFile in(QString::fromLocal8Bit(file));
    if (!in.open(QIODevice::ReadOnly)) return 2;
    const QByteArray bytes = in.readAll();
    cQtClipboard clip;
    if (!clip.write(clip.registerFormat(name), std::vector<uint8_t>(bytes.begin(), bytes.end()))) return 3;
    std::printf("ready\n");
    std::fflush(stdout);
    QSocketNotifier stdinClosed(0, QSocketNotifier::Read);
    QObject::connect(&stdinClosed, &QSocketNotifier::activated, qApp, &QCoreApplication::quit);
    QTimer::singleShot(30000, qApp, &QCoreApplication::quit);
    return QCoreApplication::exec();
}

class cClipboardX11Test : public QObject {
    Q_OBJECT

  private slots:
    void payloadCrossesProcesses_data() {
        QTest::addColumn<QString>("format");
        QTest::newRow("VX Ace") << QString::fromLatin1(interchange::kFormatNameVXAce);
        QTest::newRow("MV") << QString::fromLatin1(interchange::kFormatNameMV);
        QTest::newRow("edit") << QString::fromLatin1(interchange::kFormatNameEdit);
    }

    // Skipped in the test itself, not in initTestCase: a skipped initTestCase leaves Qt Test
    // skipping every class that runs after it in the same program.
    void payloadCrossesProcesses() {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X server (run under xvfb-run)");
        QFETCH(QString, format);
        QByteArray payload("\x10\x00\x00\x00\x04\x08o:\x00ANIMATION\x00\xff\x00", 20);
        payload.append(QByteArray(3000, '\0'));
        payload.append("end");
        QTemporaryFile file;
        QVERIFY(file.open());
        file.write(payload);
        file.close();

        QProcess writer;
        writer.setProgram(QCoreApplication::applicationFilePath());
        writer.setArguments({QStringLiteral("--put-clipboard"), format, file.fileName()});
        writer.start();
        QVERIFY(writer.waitForStarted());
        QVERIFY(writer.waitForReadyRead(10000));
        QCOMPARE(writer.readLine().trimmed(), QByteArray("ready"));

        cQtClipboard clip;
        const uint32_t number = clip.registerFormat(format.toStdString());
        QTRY_VERIFY(clip.isAvailable(number));
        std::vector<uint8_t> got;
        QVERIFY(clip.read(number, got));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(got.data()), qsizetype(got.size())), payload);
        QVERIFY(!clip.isAvailable(clip.registerFormat("RPGXP ANIMATION")));

        writer.closeWriteChannel();
        QVERIFY(writer.waitForFinished(10000));
        QCOMPARE(writer.exitCode(), 0);
    }
};

PELKO_UI_TEST(cClipboardX11Test)
#include "clipboard_x11_test.moc"
