#pragma once

#include <string>

class QWidget;

namespace orvane {

// "About Orvane Graphic": the splash picture with the long notice and a line
// saying where the editor keeps its files, modal, until "[Close]" (or
// Escape) closes it.
void ShowAboutBox(QWidget* parent, const std::string& layout = {});

}  // namespace orvane
