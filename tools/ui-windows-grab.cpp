// Saves PNG pictures of the small windows (tip, splash, about box, progress)
// so their look can be checked without a desktop:
//   ui-windows-grab [outdir] -platform offscreen
#include "app/Tips.h"
#include "ui/qt/ProgressWindow.h"
#include "ui/qt/Splash.h"
#include "ui/qt/TipWindow.h"

#include "SaveGrab.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    const QString folder = args.size() > 1 ? args[1] : QStringLiteral("window-grabs");
    QDir().mkpath(folder);
    bool ok = true;

    // The first tip, the one with paragraphs and an ampersand, and the longest.
    for (int tip : {0, 13, 14}) {
        orvane::TipWindow window(*orvane::TipContent(orvane::Tip(tip)));
        ok &= SaveGrab(window, folder, QString("tip-%1").arg(tip, 2, 10, QChar('0')));
    }

    orvane::Splash splash(orvane::Splash::Mode::StartUp);
    ok &= SaveGrab(splash, folder, "splash");
    orvane::Splash about(orvane::Splash::Mode::About);
    about.SetNote("Installed: settings in ~/.config/orvane-graphic/, styles in ~/.local/share/orvane-graphic/");
    ok &= SaveGrab(about, folder, "about");

    const char* texts[] = {"Saving...", "Save cancelled...", "Loading Menu...", "Button Loaded."};
    for (int i = 0; i < 4; ++i) {
        orvane::ProgressWindow progress;
        progress.SetText(texts[i]);
        ok &= SaveGrab(progress, folder, QString("progress-%1").arg(i + 1));
    }
    return ok ? 0 : 1;
}
