// Saves PNG pictures of the small windows (tip, splash, about box, progress)
// so their look can be checked without a desktop:
//   ui-windows-grab [outdir] -platform offscreen
#include "app/Tips.h"
#include "ui/ProgressWindow.h"
#include "ui/Splash.h"
#include "ui/TipWindow.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>

#include <cstdio>

namespace {

bool Save(QWidget& window, const QString& folder, const QString& name) {
    window.show();
    QApplication::processEvents();
    const QString path = QDir(folder).filePath(name + ".png");
    const bool saved = window.grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
    window.hide();
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    const QString folder = args.size() > 1 ? args[1] : QStringLiteral("window-grabs");
    QDir().mkpath(folder);
    bool ok = true;

    // The first tip, the one with paragraphs and an ampersand, and the longest.
    for (int tip : {0, 13, 14}) {
        orvane::TipWindow window(*orvane::TipContent(tip));
        ok &= Save(window, folder, QString("tip-%1").arg(tip, 2, 10, QChar('0')));
    }

    orvane::Splash splash(orvane::Splash::Mode::StartUp);
    ok &= Save(splash, folder, "splash");
    orvane::Splash about(orvane::Splash::Mode::About);
    ok &= Save(about, folder, "about");

    const char* texts[] = {"Saving...", "Save cancelled...", "Loading Menu...", "Button Loaded."};
    for (int i = 0; i < 4; ++i) {
        orvane::ProgressWindow progress;
        progress.SetText(texts[i]);
        ok &= Save(progress, folder, QString("progress-%1").arg(i + 1));
    }
    return ok ? 0 : 1;
}
