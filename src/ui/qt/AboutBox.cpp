#include "AboutBox.h"

#include "ui/qt/Splash.h"

namespace orvane {

void ShowAboutBox(QWidget* parent, const std::string& layout) {
    Splash box(Splash::Mode::About, parent);
    box.SetNote(QString::fromStdString(layout));
    box.exec();
}

}  // namespace orvane
