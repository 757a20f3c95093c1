#include "app/AppFolders.h"
#include "app/SingleInstance.h"
#include "platform/FileUtil.h"
#include "platform/Version.h"
#include "ui/qt/InstanceChannel.h"
#include "ui/qt/MainWindow.h"

#include <QApplication>
#include <QMessageBox>
#include <QSocketNotifier>

#include <csignal>
#include <iostream>
#include <sys/socket.h>
#include <unistd.h>

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

// A termination request (logout, kill) ends the editor as the user would,
// asking nothing: the settings are saved and the snapshots removed. The
// handler only writes a byte; the event loop does the closing.
int signalPipe[2] = {-1, -1};

void OnTerminate(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[0], &byte, 1);
}

void CloseOnTerminate(orvane::TForm1& window) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) return;
    auto* notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
        char byte;
        [[maybe_unused]] const auto got = ::read(signalPipe[1], &byte, 1);
        window.Terminate();
    });
    struct sigaction action = {};
    action.sa_handler = OnTerminate;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : {SIGTERM, SIGINT, SIGHUP}) sigaction(number, &action, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    // --help and --version answer without a display.
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--") break;
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (arg == "--version") {
            std::cout << "orvane-graphic " << orvane::VersionText() << "\n";
            return 0;
        }
    }
    // Qt takes its own options (-platform and the like) out of argv first.
    EditorApplication app(argc, argv);
    std::vector<std::string> args;
    bool filesOnly = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (!filesOnly && arg == "--") {
            filesOnly = true;
        } else if (!filesOnly && arg.size() > 1 && arg[0] == '-') {
            std::cerr << "orvane-graphic: unknown option " << arg << "\n" << kUsage;
            return 2;
        } else {
            args.push_back(arg);
        }
    }
    QApplication::setApplicationName(QString::fromUtf8(orvane::kAppTitle.data(), qsizetype(orvane::kAppTitle.size())));
    const auto environment = orvane::FolderEnvironment::FromProcess();
    const auto folders = orvane::AppFolders::Decide(orvane::ExecutableFolder(), environment);
    // One editor per settings file: a second start hands its files over.
    orvane::SingleInstance instance(orvane::ChannelFor(folders, environment));
    const std::string socketPath = instance.Channel().SocketPath();
    const std::string message = orvane::EncodeHandOver(orvane::FilesNamed(args));
    switch (instance.Decide([&] { return orvane::DeliverTo(socketPath, message); })) {
        case orvane::StartRole::HandedOver: return 0;
        case orvane::StartRole::NoAnswer:
            std::cerr << "orvane-graphic: " << orvane::kInstanceNoAnswer << "\n";
            QMessageBox::warning(nullptr, QApplication::applicationName(), orvane::kInstanceNoAnswer);
            return 1;
        case orvane::StartRole::First: break;
    }
    orvane::TForm1 window(folders, args);
    orvane::InstanceServer server(socketPath, [&window](const auto& files) { window.TakeHandOver(files); });
    app.Desktop = &window.Desktop();
    CloseOnTerminate(window);
    window.show();
    return app.exec();
}
