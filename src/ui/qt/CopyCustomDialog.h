#pragma once

#include "app/CopyCustom.h"

#include <QDialog>

class QListWidget;

namespace orvane {

// The copy-custom window, shown modally over a TfrmCopyCustom.
class CopyCustomDialog : public QDialog {
    Q_OBJECT
public:
    explicit CopyCustomDialog(TfrmCopyCustom& model, QWidget* parent = nullptr);

    QListWidget* List() const { return list_; }

    void accept() override;
    void reject() override;

private:
    TfrmCopyCustom& model_;
    QListWidget* list_ = nullptr;
};

}  // namespace orvane
