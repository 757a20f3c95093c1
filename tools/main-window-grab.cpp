// Saves a picture of the editor's main window with a styled menu, for the
// README and for checking the window's look without a desktop:
//   main-window-grab out.png -platform offscreen
#include "platform/ScriptedPlatform.h"
#include "ui/qt/MainWindow.h"
#include "EditorModelAccess.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    const QString out = args.size() > 1 ? args[1] : QStringLiteral("main-window.png");
    QTemporaryDir appFolder;  // a settings file of its own, not the user's
    orvane::ScriptedPlatform answers;
    answers.SuppressTips = true;
    orvane::TForm1 window(appFolder.path().toStdString() + "/", {});
    window.Desktop().Script = &answers;
    window.resize(1280, 800);
    window.show();
    while (!window.Started()) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);

    orvane::EditorModel& model = window.Model();
    model.ComboBox1Select(model.StylePositionByName("Blue Ribbon"));
    model.Properties().SetTitle("Holiday 2026");
    model.Properties().SetMenuText("Our summer by the sea: photos, films and the travel diary.\r\n\r\nChoose a button to begin.");
    for (const char* caption : {"&Photos", "&Videos", "Travel &Diary", "&Music"}) {
        model.Buttons().Add();
        model.Properties().SetCaption(caption);
    }
    orvane::EditorModelAccess::Doc(model).Menu.Buttons[1].Caption = "E&xit";
    model.CreateSkin();
    model.Properties().PressButton(2);
    window.TogglePalette(0);  // with "Menu Style" and "Button Properties", open from the start
    window.ShowModel();
    QApplication::processEvents();
    const bool saved = window.grab().save(out);
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(out));
    orvane::EditorModelAccess::Flags(model).Modified = false;
    window.close();
    return saved ? 0 : 1;
}
