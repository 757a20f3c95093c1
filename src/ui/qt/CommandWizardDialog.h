#pragma once

#include "distribution/CommandWizard.h"

#include <QDialog>

#include <array>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;

namespace orvane {

// The "Button Command Wizard" window over a TfrmBtnWizCls: it shows the
// model's page and forwards every choice, edit and button press to it.
class CommandWizardDialog : public QDialog {
    Q_OBJECT
public:
    explicit CommandWizardDialog(TfrmBtnWizCls& wizard, QWidget* parent = nullptr);

    TfrmBtnWizCls& Model() const { return wizard_; }

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* BuildActionPage();
    QWidget* BuildMenuActionPage();
    QWidget* BuildTargetPage();
    QWidget* BuildAddressPage();
    QWidget* BuildMessagePage();
    void Navigate(const char* controlName);
    void Sync();

    TfrmBtnWizCls& wizard_;
    bool closing_ = false;

    QStackedWidget* pages_ = nullptr;
    std::array<QRadioButton*, 10> actions_{};  // by code
    std::array<QRadioButton*, 3> menuActions_{};
    QCheckBox* maximize_ = nullptr;
    QGroupBox* targetFrame_ = nullptr;
    QLabel* targetPrompt_ = nullptr;
    QLineEdit* target_ = nullptr;
    QPushButton* browse_ = nullptr;
    QGroupBox* addressFrame_ = nullptr;
    QLabel* addressPrompt_ = nullptr;
    QLabel* addressHint_ = nullptr;
    QLineEdit* address_ = nullptr;
    QLabel* subjectPrompt_ = nullptr;
    QLineEdit* subject_ = nullptr;
    QGroupBox* messageFrame_ = nullptr;
    QLabel* messagePrompt_ = nullptr;
    QPlainTextEdit* message_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* forward_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace orvane
