#pragma once

#include <QString>

class QDialog;
class QHBoxLayout;
class QStackedWidget;

namespace orvane {

// What the two wizards share: a modal window holding a stack of pages over
// a rule, and a row for the buttons (stretched at its left) under it.
struct WizardFrame {
    QStackedWidget* Pages;
    QHBoxLayout* Buttons;
};
WizardFrame BuildWizardFrame(QDialog* dialog, const QString& objectName, const QString& title);

}  // namespace orvane
