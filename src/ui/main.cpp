#include "platform/FileUtil.h"
#include "ui/MainWindow.h"

#include <QApplication>

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

}  // namespace

int main(int argc, char** argv) {
    EditorApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(orvane::kAppTitle.data(), qsizetype(orvane::kAppTitle.size())));
    std::vector<std::string> args;
    if (argc > 1) args.emplace_back(argv[1]);
    orvane::TForm1 window(orvane::ExecutableFolder(), args);
    app.Desktop = &window.Desktop();
    window.show();
    return app.exec();
}
