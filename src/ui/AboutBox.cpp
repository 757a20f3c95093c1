#include "AboutBox.h"

#include "ui/Splash.h"

namespace orvane {

void ShowAboutBox(QWidget* parent) {
    Splash box(Splash::Mode::About, parent);
    box.exec();
}

}  // namespace orvane
