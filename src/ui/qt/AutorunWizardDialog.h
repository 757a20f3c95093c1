#pragma once

#include "distribution/AutorunWizard.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QStackedWidget;

namespace orvane {

// The "Create Autorun Application" window over a TfrmEXEWizCls: four pages,
// the menus' check boxes and radio buttons built from the model's lists.
class AutorunWizardDialog : public QDialog {
    Q_OBJECT
public:
    explicit AutorunWizardDialog(TfrmEXEWizCls& wizard, QWidget* parent = nullptr);

    TfrmEXEWizCls& Model() const { return wizard_; }

    void reject() override;

private:
    QWidget* BuildNamePage();
    QWidget* BuildMenusPage();
    QWidget* BuildDefaultPage();
    QWidget* BuildResultPage();
    void Navigate(const char* controlName);
    void RebuildCheckBoxes();
    void RebuildRadioButtons();
    void Sync();

    TfrmEXEWizCls& wizard_;
    bool closing_ = false;

    QStackedWidget* pages_ = nullptr;
    QLineEdit* name_ = nullptr;
    QScrollArea* checkList_ = nullptr;
    QScrollArea* radioList_ = nullptr;
    std::vector<QCheckBox*> checks_;
    std::vector<QRadioButton*> radios_;
    QLabel* boldName_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* forward_ = nullptr;
    QPushButton* close_ = nullptr;
};

}  // namespace orvane
