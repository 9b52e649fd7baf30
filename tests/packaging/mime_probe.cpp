// Prints the MIME type Qt's database gives each file named on the command line ("FILE: TYPE"), as
// Qt-based file managers and file dialogs see them; the database follows XDG_DATA_DIRS.
#include <QCoreApplication>
#include <QMimeDatabase>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QMimeDatabase db;
    const QStringList files = QCoreApplication::arguments().mid(1);
    for (const QString& file : files)
        std::printf("%s: %s\n", qPrintable(file), qPrintable(db.mimeTypeForFile(file).name()));
    return files.isEmpty() ? 2 : 0;
}
