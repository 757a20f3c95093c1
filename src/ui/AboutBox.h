#pragma once

class QWidget;

namespace orvane {

// "About Orvane Graphic": the splash picture with the long notice, modal,
// until "[Close]" (or Escape) closes it.
void ShowAboutBox(QWidget* parent);

}  // namespace orvane
