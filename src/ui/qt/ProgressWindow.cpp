#include "ProgressWindow.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

namespace orvane {

ProgressWindow::ProgressWindow(QWidget* parent) : QWidget(parent) {
    // A tool window stays above the editor without taking the focus from it.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(kWidth, kHeight);

    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
    panel->setGeometry(0, 0, kWidth, kHeight);
    panel->setAutoFillBackground(true);

    auto* icon = new QLabel(panel);
    icon->setPixmap(QPixmap(":/windows/progress_icon.png"));
    icon->setGeometry(10, 10, 32, 32);

    label_ = new QLabel("Saving...", panel);
    label_->setFont(QFont("Tahoma", 8));
    label_->setGeometry(52, 17, kWidth - 52 - 3, 16);

    timer_ = new QTimer(this);
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &QWidget::close);
    timer_->start(kDefaultCloseMs);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - QPoint(kWidth / 2, kHeight / 2));
}

void ProgressWindow::SetText(const QString& text) { label_->setText(text); }

QString ProgressWindow::Text() const { return label_->text(); }

void ProgressWindow::CloseAfter(int ms) { timer_->start(ms); }

}  // namespace orvane
