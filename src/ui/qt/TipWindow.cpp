#include "TipWindow.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>

#include <algorithm>

namespace orvane {
namespace {

constexpr QRect kPanel{4, 4, 341, 125};
constexpr QRect kText{44, 8, 285, 105};  // inside the panel
constexpr QPoint kIcon{4, 6};            // inside the panel
constexpr int kLineX = 38;
constexpr int kLineTop = 7;

QColor Blend(QColor a, QColor b, double t) {
    auto mix = [t](int x, int y) { return int(x + (y - x) * t + 0.5); };
    return QColor(mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue()));
}

QColor Scaled(QColor c, double f) {
    auto scale = [f](int v) { return std::clamp(int(v * f + 0.5), 0, 255); };
    return QColor(scale(c.red()), scale(c.green()), scale(c.blue()));
}

// The raised panel: its painted background under a one-pixel bevel.
class TipPanel : public QWidget {
public:
    TipPanel(QImage background, QWidget* parent) : QWidget(parent), background_(std::move(background)) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(0, 0, background_);
        const QRect r = rect().adjusted(0, 0, -1, -1);
        p.setPen(palette().color(QPalette::Light));
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(palette().color(QPalette::Mid));
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    }

private:
    QImage background_;
};

QString ToQt(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.replace("\r\n", "\n");
    return s;
}

}  // namespace

QImage TipPanelBackground(QSize size, QColor top, QColor bottom) {
    QImage image(size, QImage::Format_RGB32);
    const int h = size.height();
    for (int y = 0; y < h; ++y) {
        const QColor row = Blend(top, bottom, h > 0 ? double(y) / h : 0.0);
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::fill(line, line + size.width(), row.rgb());
        if (y >= kLineTop && kLineX < size.width()) {
            const int span = std::max(1, h - 1 - kLineTop);
            const double darken = 0.8 + 0.2 * double(y - kLineTop) / span;
            line[kLineX] = Scaled(row, darken).rgb();
        }
    }
    return image;
}

void BlendTipIcon(QImage& background, const QImage& icon, QPoint at) {
    const QImage src = icon.convertToFormat(QImage::Format_RGB32);
    const int w = background.width(), h = background.height();
    for (int y = 0; y < src.height(); ++y) {
        const int by = at.y() + y;
        if (by < 0 || by >= h) continue;
        // The pixel below the last row is the last row itself.
        const int below = std::min(by + 1, h - 1);
        for (int x = 0; x < src.width(); ++x) {
            const int bx = at.x() + x;
            if (bx < 0 || bx >= w) continue;
            const QRgb c = src.pixel(x, y);
            const int b = qBlue(c);
            if (b > qRed(c) && b > qGreen(c)) {
                background.setPixel(bx, by, Scaled(QColor(background.pixel(bx, below)), b / 255.0).rgb());
            } else {
                background.setPixel(bx, by, c);
            }
        }
    }
}

TipWindow::TipWindow(const TipWindowContent& content, QWidget* parent) : QDialog(parent) {
    setWindowTitle(" Tip");
    setWindowFlags(Qt::Tool | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(kWidth, kHeight);
    setModal(true);

    const QPalette pal = palette();
    QImage background = TipPanelBackground(kPanel.size(), pal.color(QPalette::Base), pal.color(QPalette::ToolTipBase));
    BlendTipIcon(background, QImage(":/windows/tip_icon.png"), kIcon);
    auto* panel = new TipPanel(std::move(background), this);
    panel->setGeometry(kPanel);

    auto* text = new QLabel(ToQt(content.Text), panel);
    text->setGeometry(kText);
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text->setFont(QFont("Verdana", 8));
    QPalette textPalette = text->palette();
    textPalette.setColor(QPalette::WindowText, pal.color(QPalette::Text));
    text->setPalette(textPalette);

    doNotShow_ = new QCheckBox("Do not show this message again.", this);
    doNotShow_->setChecked(content.DoNotShowAgain);
    doNotShow_->setGeometry(8, 138, 250, 22);

    auto* ok = new QPushButton("OK", this);
    ok->setGeometry(270, 136, 75, 25);
    ok->setDefault(true);
    ok->setAutoDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, &TipWindow::HelpRequested);

    ok->setFocus();
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.center() - QPoint(kWidth / 2, kHeight / 2));
    }
}

bool TipWindow::DoNotShowAgain() const { return doNotShow_->isChecked(); }

void TipWindow::keyPressEvent(QKeyEvent* event) {
    // OK is the cancel button as well: Escape answers it.
    if (event->key() == Qt::Key_Escape) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace orvane
