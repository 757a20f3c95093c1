#include "Splash.h"

#include "app/Tips.h"

#include <QBitmap>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace orvane {
namespace {

constexpr QRgb kTransparentKey = 0xFF00FF00;  // pure lime green

class Picture : public QWidget {
public:
    Picture(QImage image, QWidget* parent) : QWidget(parent), image_(std::move(image)) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, image_);
    }

private:
    QImage image_;
};

QLabel* TextLabel(QWidget* parent, const QString& text, const QFont& font, QRect at, QColor colour) {
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    label->setGeometry(at);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, colour);
    label->setPalette(pal);
    return label;
}

}  // namespace

QImage SplashPicture() {
    QImage image = QImage(":/windows/splash.png").convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (line[x] == kTransparentKey) line[x] = 0;
    }
    return image;
}

Splash::Splash(Mode mode, QWidget* parent) : QDialog(parent) {
    Qt::WindowFlags flags = Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint;
    flags |= mode == Mode::StartUp ? Qt::SplashScreen : Qt::Dialog;
    setWindowFlags(flags);
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(kWidth, kHeight);

    const QImage image = SplashPicture();
    auto* picture = new Picture(image, this);
    picture->setGeometry(0, 0, kWidth, kHeight);
    // Without a compositor the transparent corners need a window shape.
    setMask(QBitmap::fromImage(image.createAlphaMask()));

    const QColor ink(28, 43, 68);
    auto* version = TextLabel(this, QString::fromStdString(VersionLine()), QFont("Verdana", 8), {228, 177, 133, 15}, ink);
    version->setAlignment(Qt::AlignRight | Qt::AlignTop);

    const QFont notice("Arial", 8);
    auto* shortNotice = TextLabel(this, kShortNotice, notice, {16, 136, 350, 15}, ink);
    auto* longNotice = TextLabel(this, kLongNotice, notice, {16, 124, 356, 52}, ink);
    longNotice->setWordWrap(true);
    longNotice->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* close = TextLabel(this, "<a href=\"close\" style=\"color:#ffd27a\">[Close]</a>", QFont("Tahoma", 8),
                            {164, 54, 60, 15}, ink);
    close->setTextFormat(Qt::RichText);
    close->setCursor(Qt::PointingHandCursor);
    connect(close, &QLabel::linkActivated, this, [this] { this->close(); });

    note_ = TextLabel(this, QString(), QFont("Arial", 7), {16, 193, 360, 13}, ink);
    note_->setVisible(false);

    const bool about = mode == Mode::About;
    shortNotice->setVisible(!about);
    longNotice->setVisible(about);
    close->setVisible(about);

    timer_ = new QTimer(this);
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, [this] { this->close(); });

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - QPoint(kWidth / 2, kHeight / 2));
}

void Splash::CloseAfter(int ms) { timer_->start(ms); }

void Splash::SetNote(const QString& text) {
    // A long path is cut in the middle rather than running off the picture.
    note_->setText(note_->fontMetrics().elidedText(text, Qt::ElideMiddle, note_->width()));
    note_->setToolTip(text);
    note_->setVisible(!text.isEmpty());
}

void Splash::closeEvent(QCloseEvent* event) {
    timer_->stop();
    QDialog::closeEvent(event);
    if (!finished_) {
        finished_ = true;
        emit Finished();
    }
}

void Splash::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace orvane
