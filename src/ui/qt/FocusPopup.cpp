#include "ui/qt/FocusPopup.h"

#include <QCloseEvent>

namespace orvane {

FocusPopup::FocusPopup(const char* objectName, QWidget* parent) : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(objectName);
    setFocusPolicy(Qt::StrongFocus);
}

bool FocusPopup::CloseIfModelClosed() {
    if (finished_) return true;
    if (!ModelClosed()) return false;
    finished_ = true;
    close();
    return true;
}

// Shown without waiting: it takes the focus, so that losing it can close it.
void FocusPopup::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    activateWindow();
    setFocus();
}

void FocusPopup::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || finished_) return;
    if (isActiveWindow()) {
        wasActive_ = true;
        return;
    }
    if (Busy() || !wasActive_) return;
    ModelLosesFocus();
    Sync();
}

void FocusPopup::closeEvent(QCloseEvent* event) {
    if (!ModelClosed()) ModelLosesFocus();
    finished_ = true;
    emit Finished();
    event->accept();
}

}  // namespace orvane
