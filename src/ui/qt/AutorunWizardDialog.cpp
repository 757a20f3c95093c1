#include "AutorunWizardDialog.h"
#include "ui/qt/QtConvert.h"

#include "ui/qt/WizardFrame.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace orvane {

namespace {


constexpr QSize kClientSize(284, 244);

QLabel* WrappedLabel(const QString& text) {
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    return label;
}

QLabel* Question(const QString& text) {
    QLabel* label = WrappedLabel(text);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QWidget* Page(QVBoxLayout*& inside) {
    auto* page = new QWidget;
    inside = new QVBoxLayout(page);
    inside->setContentsMargins(0, 0, 0, 0);
    inside->setSpacing(6);
    return page;
}

QScrollArea* OptionList() {
    auto* list = new QScrollArea;
    list->setWidgetResizable(false);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setBackgroundRole(QPalette::Base);
    list->setWidget(new QWidget);
    return list;
}

// Items sit 8 pixels in, 20 pixels apart, in a panel as tall as they need.
template <typename Box>
std::vector<Box*> FillList(QScrollArea* list, const std::vector<TfrmEXEWizCls::Option>& options) {
    auto* panel = new QWidget;
    const int width = list->viewport()->width();
    panel->resize(width, 20 * int(options.size()) + 16);
    std::vector<Box*> boxes;
    for (size_t i = 0; i < options.size(); ++i) {
        auto* box = new Box(Q(options[i].Caption), panel);
        box->setObjectName(Q(options[i].Name));
        box->setChecked(options[i].Checked);
        const int number = int(i) + 1;
        box->setGeometry(8, 20 * number - 10, width - 16, box->sizeHint().height());
        boxes.push_back(box);
    }
    delete list->takeWidget();
    list->setWidget(panel);
    for (Box* box : boxes) box->show();
    return boxes;
}

}  // namespace

AutorunWizardDialog::AutorunWizardDialog(TfrmEXEWizCls& wizard, QWidget* parent) : QDialog(parent), wizard_(wizard) {
    const WizardFrame frame = BuildWizardFrame(this, "frmEXEWiz", "Create Autorun Application");
    pages_ = frame.Pages;
    pages_->addWidget(BuildNamePage());
    pages_->addWidget(BuildMenusPage());
    pages_->addWidget(BuildDefaultPage());
    pages_->addWidget(BuildResultPage());
    QHBoxLayout* buttons = frame.Buttons;
    back_ = new QPushButton("< B&ack");
    back_->setObjectName("Command3000");
    forward_ = new QPushButton;
    forward_->setObjectName("Command3001");
    close_ = new QPushButton("&Close");
    close_->setObjectName("cmdClose");
    back_->setAutoDefault(false);
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addSpacing(6);
    buttons->addWidget(close_);
    // Keeps its place while hidden on the first page, so the others do not jump.
    QSizePolicy keep = back_->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    back_->setSizePolicy(keep);

    connect(back_, &QPushButton::clicked, this, [this] { Navigate("Command3000"); });
    connect(forward_, &QPushButton::clicked, this, [this] { Navigate("Command3001"); });
    connect(close_, &QPushButton::clicked, this, &AutorunWizardDialog::reject);

    Sync();
    setFixedSize(kClientSize.expandedTo(minimumSizeHint()));
}

QWidget* AutorunWizardDialog::BuildNamePage() {
    QVBoxLayout* inside = nullptr;
    QWidget* page = Page(inside);
    inside->addWidget(Question("Would you like to create your Autorun application now?"));
    inside->addSpacing(4);
    auto* caption = new QLabel("Autorun Application:");
    inside->addWidget(caption);
    auto* row = new QHBoxLayout;
    name_ = new QLineEdit;
    name_->setObjectName("txtName");
    caption->setBuddy(name_);
    auto* browse = new QPushButton("&Browse");
    browse->setObjectName("cmdBrowse");
    browse->setAutoDefault(false);
    browse->setMaximumWidth(browse->fontMetrics().horizontalAdvance("Browse") + 24);
    row->addWidget(name_, 1);
    row->addWidget(browse);
    inside->addLayout(row);
    inside->addSpacing(4);
    inside->addWidget(WrappedLabel(
        "If you are gathering the files for your CD in a particular directory, you should save the autorun "
        "application in the base directory, such that when you create your CD it is copied to the root (base) "
        "directory of the CD."));
    inside->addStretch(1);
    connect(name_, &QLineEdit::textEdited, this, [this](const QString& text) { wizard_.NameField = text.toStdString(); });
    connect(browse, &QPushButton::clicked, this, [this] {
        wizard_.Browse();
        Sync();
    });
    return page;
}

QWidget* AutorunWizardDialog::BuildMenusPage() {
    QVBoxLayout* inside = nullptr;
    QWidget* page = Page(inside);
    auto* row = new QHBoxLayout;
    row->addWidget(Question("Which menus would you like to include?"), 1);
    auto* all = new QPushButton("Select All");
    all->setObjectName("cmdSelectAll");
    all->setAutoDefault(false);
    row->addWidget(all, 0, Qt::AlignTop);
    inside->addLayout(row);
    checkList_ = OptionList();
    inside->addWidget(checkList_, 1);
    inside->addWidget(
        WrappedLabel("This should include your main menu, plus any sub-menus and viewer installation menus."));
    connect(all, &QPushButton::clicked, this, [this] {
        wizard_.SelectAll();
        Sync();
    });
    return page;
}

QWidget* AutorunWizardDialog::BuildDefaultPage() {
    QVBoxLayout* inside = nullptr;
    QWidget* page = Page(inside);
    inside->addWidget(Question("Which menu would you like to be the default menu?"));
    radioList_ = OptionList();
    inside->addWidget(radioList_, 1);
    inside->addWidget(WrappedLabel("This will be the menu which displays first when the CD autoruns"));
    return page;
}

QWidget* AutorunWizardDialog::BuildResultPage() {
    QVBoxLayout* inside = nullptr;
    QWidget* page = Page(inside);
    inside->addWidget(WrappedLabel(
        "Congratulations your autorun system has now been created for you! The following files were created:"));
    auto* files = new QVBoxLayout;
    files->setContentsMargins(16, 2, 0, 2);
    boldName_ = new QLabel;
    boldName_->setObjectName("lblBoldName");
    auto* inf = new QLabel("autorun.inf");
    for (QLabel* label : {boldName_, inf}) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
        files->addWidget(label);
    }
    inside->addLayout(files);
    inside->addWidget(WrappedLabel("Just copy these files to the base (root) directory of your CD. They should not "
                                   "be placed in a sub-directory or folder."));
    inside->addStretch(1);
    return page;
}

void AutorunWizardDialog::Navigate(const char* controlName) {
    const int before = wizard_.Page;
    wizard_.Navigate(controlName);
    // The model builds its lists afresh on entering their pages.
    if (wizard_.Page != before && wizard_.Page == 2) RebuildCheckBoxes();
    if (wizard_.Page != before && wizard_.Page == 3) RebuildRadioButtons();
    Sync();
    if (wizard_.VisiblePage == 1) name_->setFocus();
    else if (wizard_.VisiblePage == 4) close_->setFocus();
    else forward_->setFocus();
}

void AutorunWizardDialog::RebuildCheckBoxes() {
    checks_ = FillList<QCheckBox>(checkList_, wizard_.ChkOptn);
    for (size_t i = 0; i < checks_.size(); ++i)
        connect(checks_[i], &QCheckBox::toggled, this, [this, i](bool on) {
            if (i < wizard_.ChkOptn.size()) wizard_.ChkOptn[i].Checked = on;
        });
}

void AutorunWizardDialog::RebuildRadioButtons() {
    radios_ = FillList<QRadioButton>(radioList_, wizard_.RadOptn);
    for (size_t i = 0; i < radios_.size(); ++i)
        connect(radios_[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) wizard_.ChooseRadio(i);
        });
}

void AutorunWizardDialog::Sync() {
    if (closing_) return;
    if (wizard_.Closed) {
        closing_ = true;
        QDialog::reject();
        return;
    }
    {
        const QSignalBlocker blockName(name_);
        if (name_->text() != Q(wizard_.NameField)) name_->setText(Q(wizard_.NameField));
    }
    for (size_t i = 0; i < checks_.size() && i < wizard_.ChkOptn.size(); ++i) {
        const QSignalBlocker block(checks_[i]);
        checks_[i]->setChecked(wizard_.ChkOptn[i].Checked);
    }
    for (size_t i = 0; i < radios_.size() && i < wizard_.RadOptn.size(); ++i) {
        const QSignalBlocker block(radios_[i]);
        if (wizard_.RadOptn[i].Checked) radios_[i]->setChecked(true);
    }
    boldName_->setText(Q(wizard_.BoldName));
    pages_->setCurrentIndex(wizard_.VisiblePage - 1);
    back_->setVisible(wizard_.BackVisible);
    forward_->setText(Q(wizard_.ForwardCaption));
    forward_->setEnabled(wizard_.ForwardEnabled);
    // With nothing left to go forward to, Enter closes.
    forward_->setDefault(wizard_.ForwardEnabled);
    forward_->setAutoDefault(wizard_.ForwardEnabled);
    close_->setAutoDefault(!wizard_.ForwardEnabled);
    close_->setDefault(!wizard_.ForwardEnabled);
}

void AutorunWizardDialog::reject() {
    if (!closing_) wizard_.Close();
    Sync();
}

}  // namespace orvane
