#include "WizardFrame.h"

#include <QDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace orvane {

WizardFrame BuildWizardFrame(QDialog* dialog, const QString& objectName, const QString& title) {
    dialog->setObjectName(objectName);
    dialog->setWindowTitle(title);
    dialog->setModal(true);
    dialog->setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* column = new QVBoxLayout(dialog);
    column->setContentsMargins(10, 10, 10, 10);
    auto* pages = new QStackedWidget;
    column->addWidget(pages, 1);
    auto* rule = new QFrame;
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    column->addWidget(rule);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    column->addLayout(buttons);
    return {pages, buttons};
}

}  // namespace orvane
