#include "CopyCustomDialog.h"
#include "ui/qt/QtConvert.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvane {

CopyCustomDialog::CopyCustomDialog(TfrmCopyCustom& model, QWidget* parent) : QDialog(parent), model_(model) {
    setObjectName("frmCopyCustom");
    setWindowTitle(Q(TfrmCopyCustom::kCaption));
    setModal(true);

    auto* column = new QVBoxLayout(this);
    auto* intro = new QLabel(Q(TfrmCopyCustom::kIntro));
    intro->setWordWrap(true);
    auto* question = new QLabel(Q(TfrmCopyCustom::kQuestion));
    question->setWordWrap(true);
    column->addWidget(intro);
    column->addSpacing(4);
    column->addWidget(question);

    auto* group = new QGroupBox(Q(TfrmCopyCustom::kListCaption));
    auto* inGroup = new QVBoxLayout(group);
    list_ = new QListWidget;
    for (std::string_view entry : TfrmCopyCustom::kEntries) list_->addItem(Q(entry));
    list_->setCurrentRow(model_.Choice);
    // All fifteen at once: no scrolling for so short a list.
    list_->setMinimumHeight(list_->sizeHintForRow(0) * list_->count() + 2 * list_->frameWidth() + 2);
    inGroup->addWidget(list_);
    column->addWidget(group, 1);

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton("&OK", QDialogButtonBox::AcceptRole);
    buttons->addButton("&Cancel", QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    column->addWidget(buttons);

    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) { model_.Select(row); });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { accept(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &CopyCustomDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CopyCustomDialog::reject);
    setFixedWidth(360);
}

void CopyCustomDialog::accept() {
    model_.Ok();
    QDialog::accept();
}

void CopyCustomDialog::reject() {
    model_.Cancel();
    QDialog::reject();
}

}  // namespace orvane
