#include "app/AppFolders.h"
#include "platform/FileUtil.h"
#include "platform/Version.h"
#include "ui/MainWindow.h"

#include <QApplication>

#include <iostream>

namespace {

// An error no command caught still reaches the user as a message rather than
// ending the program with the menu unsaved.
class EditorApplication : public QApplication {
public:
    using QApplication::QApplication;
    orvane::Platform* Desktop = nullptr;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& error) {
            if (Desktop) orvane::ReportError(*Desktop, error);
            return false;
        }
    }
};

const char* const kUsage =
    "usage: orvane-graphic [FILE]...\n"
    "\n"
    "Starts the editor of graphic autorun menus. Each FILE is opened if it can be:\n"
    "a menu style file (.ovgsty) or a button style file (.ovgbtn) is installed,\n"
    "the first menu file (.mng) is opened; without one a new menu starts.\n"
    "\n"
    "  --help      show this text and exit\n"
    "  --version   show the version and exit\n";

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args;
    bool filesOnly = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (!filesOnly && arg == "--") {
            filesOnly = true;
        } else if (!filesOnly && (arg == "--help" || arg == "-h")) {
            std::cout << kUsage;
            return 0;
        } else if (!filesOnly && arg == "--version") {
            std::cout << "orvane-graphic " << orvane::VersionText() << "\n";
            return 0;
        } else if (!filesOnly && arg.size() > 1 && arg[0] == '-') {
            std::cerr << "orvane-graphic: unknown option " << arg << "\n" << kUsage;
            return 2;
        } else {
            args.push_back(arg);
        }
    }
    EditorApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(orvane::kAppTitle.data(), qsizetype(orvane::kAppTitle.size())));
    const auto folders =
        orvane::AppFolders::Decide(orvane::ExecutableFolder(), orvane::FolderEnvironment::FromProcess());
    orvane::TForm1 window(folders, args);
    app.Desktop = &window.Desktop();
    window.show();
    return app.exec();
}
