// Saves PNG pictures of the colour picker (small and expanded), the
// shadow-set pop-up and the copy-custom window, each opened from the editor
// model as the main window opens them, so their look can be checked without
// a desktop:
//   tool-windows-grab [outdir] -platform offscreen
#include "app/EditorModel.h"
#include "platform/ScriptedPlatform.h"
#include "ui/qt/ColorPickerDialog.h"
#include "ui/qt/CopyCustomDialog.h"
#include "ui/qt/ShadowSetsPopup.h"

#include "SaveGrab.h"
#include "EditorModelAccess.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>

#include <cstdio>
#include <filesystem>
#include <unistd.h>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    const QString folder = args.size() > 1 ? args[1] : QStringLiteral("window-grabs");
    QDir().mkpath(folder);

    namespace fs = std::filesystem;
    const fs::path appFolder = fs::temp_directory_path() / ("orvane-tool-windows-" + std::to_string(::getpid()));
    fs::create_directories(appFolder);
    bool ok = true;
    {
        orvane::ScriptedPlatform platform;
        orvane::EditorModel model(platform, appFolder);
        orvane::EditorModelAccess::Prefs(model) = orvane::Settings::Defaults(appFolder.string() + "/", 1024, 768);
        model.StartNewMenu();
        orvane::EditorModelAccess::Doc(model).Menu.SelectedButton = 0;

        // The menu colour: its swatch is not among the basic ones.
        auto* small = new orvane::ColorPickerDialog(model.OpenColorPicker(orvane::ColorTarget::MenuColor));
        ok &= SaveGrab(*small, folder, "picker-small");
        small->close();

        // A basic colour is framed; the full editor then adds it to the custom colours.
        orvane::EditorModelAccess::Doc(model).Props.TextFont.Color = orvane::MakeColor(62, 154, 222);
        auto* large = new orvane::ColorPickerDialog(model.OpenColorPicker(orvane::ColorTarget::FontColor));
        ok &= SaveGrab(*large, folder, "picker-framed");
        orvane::TfrmColorsCls& m = large->Model();
        m.DefineCustomColors();
        m.AddToCustomColors();
        large->Sync();
        ok &= SaveGrab(*large, folder, "picker-expanded");
        large->close();

        orvane::EditorModelAccess::Doc(model).Menu.TextShadowDepth = 2;
        auto* shadows = new orvane::ShadowSetsPopup(model.OpenShadowSets());
        ok &= SaveGrab(*shadows, folder, "shadow-sets");
        shadows->close();

        orvane::TfrmCopyCustom copy(model);
        orvane::CopyCustomDialog dialog(copy);
        ok &= SaveGrab(dialog, folder, "copy-custom");
        // The closed pop-ups go before the model they point to.
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    std::error_code ec;
    fs::remove_all(appFolder, ec);
    return ok ? 0 : 1;
}
