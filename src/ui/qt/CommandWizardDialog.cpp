#include "CommandWizardDialog.h"
#include "ui/qt/QtConvert.h"

#include "ui/qt/WizardFrame.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace orvane {

namespace {


constexpr QSize kClientSize(337, 322);

QString OptionName(int code) { return QString("Option10%1").arg(code, 2, 10, QChar('0')); }

QLabel* WrappedLabel(const QString& text) {
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    return label;
}

QGroupBox* Frame(const QString& caption, QVBoxLayout*& inside) {
    auto* frame = new QGroupBox(caption);
    inside = new QVBoxLayout(frame);
    inside->setSpacing(4);
    return frame;
}

}  // namespace

CommandWizardDialog::CommandWizardDialog(TfrmBtnWizCls& wizard, QWidget* parent) : QDialog(parent), wizard_(wizard) {
    const WizardFrame frame = BuildWizardFrame(this, "frmBtnWiz", "Button Command Wizard");
    pages_ = frame.Pages;
    pages_->addWidget(BuildActionPage());
    pages_->addWidget(BuildMenuActionPage());
    pages_->addWidget(BuildTargetPage());
    pages_->addWidget(BuildAddressPage());
    pages_->addWidget(BuildMessagePage());
    QHBoxLayout* buttons = frame.Buttons;
    back_ = new QPushButton("<< &Back");
    back_->setObjectName("Command2000");
    forward_ = new QPushButton;
    forward_->setObjectName("Command2001");
    cancel_ = new QPushButton("&Cancel");
    cancel_->setObjectName("cmdCancel");
    // Enter always means forward, even from a text field.
    for (QPushButton* b : {back_, cancel_}) b->setAutoDefault(false);
    forward_->setDefault(true);
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addSpacing(8);
    buttons->addWidget(cancel_);

    connect(back_, &QPushButton::clicked, this, [this] { Navigate("Command2000"); });
    connect(forward_, &QPushButton::clicked, this, [this] { Navigate("Command2001"); });
    connect(cancel_, &QPushButton::clicked, this, &CommandWizardDialog::reject);

    Sync();
    setFixedSize(kClientSize.expandedTo(minimumSizeHint()));
}

QWidget* CommandWizardDialog::BuildActionPage() {
    QVBoxLayout* inside = nullptr;
    QGroupBox* frame = Frame("Step 1 - Button Action", inside);
    inside->addWidget(WrappedLabel("What would you like your button to do?"));
    inside->addSpacing(2);
    auto* group = new QButtonGroup(frame);
    for (int code : TfrmBtnWizCls::kListedCodes) {
        auto* radio = new QRadioButton(Q(TfrmBtnWizCls::ActionCaption(code)));
        radio->setObjectName(OptionName(code));
        group->addButton(radio, code);
        inside->addWidget(radio);
        actions_[size_t(code)] = radio;
        connect(radio, &QRadioButton::toggled, this, [this, radio](bool on) {
            if (!on) return;
            wizard_.ChooseAction(radio->objectName().toStdString());
            Sync();
        });
    }
    inside->addStretch(1);
    return frame;
}

QWidget* CommandWizardDialog::BuildMenuActionPage() {
    QVBoxLayout* inside = nullptr;
    QGroupBox* frame = Frame("Step 2 - Menu Action", inside);
    inside->addWidget(WrappedLabel("When the user clicks this button, I would like Orvane Graphic to:"));
    const char* captions[] = {"Remain on screen", "Minimize into the TaskBar", "Close (exit)"};
    const char* names[] = {"optRemain", "optMinimize", "optClose"};
    auto* group = new QButtonGroup(frame);
    for (size_t i = 0; i < menuActions_.size(); ++i) {
        auto* radio = new QRadioButton(captions[i]);
        radio->setObjectName(names[i]);
        group->addButton(radio);
        auto* indent = new QHBoxLayout;
        indent->addSpacing(12);
        indent->addWidget(radio);
        inside->addLayout(indent);
        menuActions_[i] = radio;
        connect(radio, &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) wizard_.Action = TfrmBtnWizCls::MenuAction(i);
        });
    }
    inside->addSpacing(8);
    inside->addWidget(
        WrappedLabel("When Orvane Graphic launches your target, would you like the new window to be maximized?"));
    maximize_ = new QCheckBox("Maximize window");
    maximize_->setObjectName("chkMaximize");
    auto* indent = new QHBoxLayout;
    indent->addSpacing(12);
    indent->addWidget(maximize_);
    inside->addLayout(indent);
    connect(maximize_, &QCheckBox::toggled, this, [this](bool on) { wizard_.Maximize = on; });
    inside->addStretch(1);
    QLabel* note = WrappedLabel("Note: Some applications will refuse to have their window state set by another application.");
    QPalette tinted = note->palette();
    tinted.setColor(QPalette::WindowText, palette().color(QPalette::Highlight));
    note->setPalette(tinted);
    inside->addWidget(note);
    return frame;
}

QWidget* CommandWizardDialog::BuildTargetPage() {
    QVBoxLayout* inside = nullptr;
    targetFrame_ = Frame("", inside);
    targetPrompt_ = WrappedLabel("");
    inside->addWidget(targetPrompt_);
    target_ = new QLineEdit;
    target_->setObjectName("txtTarget");
    targetPrompt_->setBuddy(target_);
    inside->addWidget(target_);
    browse_ = new QPushButton("Browse...");
    browse_->setObjectName("cmdBrowse");
    browse_->setAutoDefault(false);
    auto* right = new QHBoxLayout;
    right->addStretch(1);
    right->addWidget(browse_);
    inside->addLayout(right);
    inside->addStretch(1);
    connect(target_, &QLineEdit::textEdited, this, [this](const QString& text) { wizard_.Target = text.toStdString(); });
    connect(browse_, &QPushButton::clicked, this, [this] {
        wizard_.Browse();
        Sync();
        target_->setFocus();
    });
    return targetFrame_;
}

QWidget* CommandWizardDialog::BuildAddressPage() {
    QVBoxLayout* inside = nullptr;
    addressFrame_ = Frame("", inside);
    addressPrompt_ = WrappedLabel("");
    inside->addWidget(addressPrompt_);
    address_ = new QLineEdit;
    address_->setObjectName("txtAddress");
    inside->addWidget(address_);
    addressHint_ = WrappedLabel("Include the full path to the page you wish to be opened,\ne.g. http://www.example.com/index.html");
    addressHint_->setEnabled(false);  // greyed: an example, not an instruction
    inside->addWidget(addressHint_);
    inside->addSpacing(6);
    subjectPrompt_ = WrappedLabel("If you would like the subject line already filled out for the user, enter the subject below:");
    inside->addWidget(subjectPrompt_);
    subject_ = new QLineEdit;
    subject_->setObjectName("txtSubject");
    inside->addWidget(subject_);
    inside->addStretch(1);
    connect(address_, &QLineEdit::textEdited, this, [this](const QString& text) { wizard_.Address = text.toStdString(); });
    connect(subject_, &QLineEdit::textEdited, this, [this](const QString& text) { wizard_.Subject = text.toStdString(); });
    return addressFrame_;
}

QWidget* CommandWizardDialog::BuildMessagePage() {
    QVBoxLayout* inside = nullptr;
    messageFrame_ = Frame("", inside);
    messagePrompt_ = WrappedLabel("");
    inside->addWidget(messagePrompt_);
    message_ = new QPlainTextEdit;
    message_->setObjectName("txtMessage");
    message_->setTabChangesFocus(true);
    inside->addWidget(message_, 1);
    connect(message_, &QPlainTextEdit::textChanged, this, [this] {
        // The command's form expects CR LF line breaks; Qt gives LF alone.
        wizard_.Message = message_->toPlainText().replace('\n', "\r\n").toStdString();
    });
    return messageFrame_;
}

void CommandWizardDialog::Navigate(const char* controlName) {
    const int before = wizard_.Page;
    wizard_.Navigate(controlName);
    Sync();
    // The target page just shown, or shown again because its field was left empty.
    if (closing_ || !wizard_.FocusFirstField || (wizard_.Page == before && before != 2)) return;
    if (QWidget* first = pages_->currentWidget()->findChild<QLineEdit*>()) first->setFocus();
    else if (pages_->currentWidget() == messageFrame_) message_->setFocus();
}

void CommandWizardDialog::Sync() {
    if (closing_) return;
    if (wizard_.Outcome != TfrmBtnWizCls::Result::Open) {
        closing_ = true;
        if (wizard_.Outcome == TfrmBtnWizCls::Result::Finished) accept();
        else QDialog::reject();
        return;
    }
    const int code = wizard_.WizardAction;
    {
        const QSignalBlocker blockers[] = {
            QSignalBlocker(actions_[size_t(code)]), QSignalBlocker(menuActions_[size_t(wizard_.Action)]),
            QSignalBlocker(maximize_), QSignalBlocker(message_)};
        actions_[size_t(code)]->setChecked(true);
        menuActions_[size_t(wizard_.Action)]->setChecked(true);
        maximize_->setChecked(wizard_.Maximize);
        if (target_->text() != Q(wizard_.Target)) target_->setText(Q(wizard_.Target));
        if (address_->text() != Q(wizard_.Address)) address_->setText(Q(wizard_.Address));
        if (subject_->text() != Q(wizard_.Subject)) subject_->setText(Q(wizard_.Subject));
        QString message = Q(wizard_.Message);
        message.replace("\r\n", "\n");
        if (message_->toPlainText() != message) message_->setPlainText(message);
    }
    for (QGroupBox* frame : {targetFrame_, addressFrame_, messageFrame_}) frame->setTitle(Q(wizard_.TargetCaption));
    for (QLabel* prompt : {targetPrompt_, addressPrompt_, messagePrompt_}) prompt->setText(Q(wizard_.TargetPrompt));
    addressHint_->setVisible(!wizard_.MailPromptsVisible);
    subjectPrompt_->setVisible(wizard_.MailPromptsVisible);
    subject_->setVisible(wizard_.MailPromptsVisible);

    pages_->setCurrentIndex(int(wizard_.ShownPage()));
    back_->setEnabled(wizard_.BackEnabled);
    forward_->setText(Q(wizard_.ForwardCaption));
}

void CommandWizardDialog::reject() {
    if (!closing_) wizard_.Cancel();
    Sync();
}

void CommandWizardDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
}

}  // namespace orvane
