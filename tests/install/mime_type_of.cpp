// Prints the MIME type that the desktop's shared MIME database gives each
// file, as a file manager would see it (Qt reads the same database from
// XDG_DATA_DIRS): "PATH TYPE" per line. With --content first, the file's
// name is not looked at, only its first bytes.
#include <QCoreApplication>
#include <QMimeDatabase>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QMimeDatabase database;
    int first = 1;
    QMimeDatabase::MatchMode mode = QMimeDatabase::MatchDefault;
    if (argc > 1 && std::strcmp(argv[1], "--content") == 0) {
        mode = QMimeDatabase::MatchContent;
        first = 2;
    }
    if (first >= argc) {
        std::fputs("usage: mime_type_of [--content] FILE...\n", stderr);
        return 2;
    }
    for (int i = first; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        std::printf("%s %s\n", argv[i], database.mimeTypeForFile(path, mode).name().toUtf8().constData());
    }
    return 0;
}
