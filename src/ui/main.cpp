#include "platform/FileUtil.h"
#include "ui/MainWindow.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(orvane::kAppTitle.data(), qsizetype(orvane::kAppTitle.size())));
    std::vector<std::string> args;
    if (argc > 1) args.emplace_back(argv[1]);
    orvane::TForm1 window(orvane::ExecutableFolder(), args);
    window.show();
    return app.exec();
}
