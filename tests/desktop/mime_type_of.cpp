// Prints the file type the desktop's shared-mime-info database gives each
// file named, one per line, as file managers and file dialogs see it.
#include <QCoreApplication>
#include <QMimeDatabase>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QMimeDatabase types;
    for (int i = 1; i < argc; ++i) {
        const auto byName = types.mimeTypeForFile(QString::fromLocal8Bit(argv[i]));
        std::printf("%s\n", byName.name().toUtf8().constData());
    }
    return 0;
}
