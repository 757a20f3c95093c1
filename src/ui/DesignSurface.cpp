#include "DesignSurface.h"

#include "app/EditorModel.h"

#include <QMouseEvent>
#include <QPainter>

namespace orvane {

namespace {
constexpr int kMargin = 4;  // the menu panel's place; its shadow sits 4 further
}

QImage ToQImage(const Bitmap& bitmap) {
    if (bitmap.IsEmpty()) return QImage();
    QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_RGB32);
    for (int y = 0; y < bitmap.Height(); ++y) {
        auto* line = reinterpret_cast<uint32_t*>(image.scanLine(y));
        const uint32_t* row = bitmap.Row(y);
        for (int x = 0; x < bitmap.Width(); ++x) line[x] = row[x] | 0xFF000000u;
    }
    return image;
}

DesignSurface::DesignSurface(EditorModel& model, QWidget* parent) : QWidget(parent), model_(model) {
    setMouseTracking(true);
    setAutoFillBackground(true);
}

void DesignSurface::Compose() {
    const int state = pressed_ && pressed_ == hover_ ? 2 : (hover_ ? 1 : 0);
    image_ = ToQImage(model_.DesignSurfaceImage(hover_, state));
}

void DesignSurface::Refresh() {
    Compose();
    updateGeometry();
    resize(sizeHint());
    update();
}

QSize DesignSurface::sizeHint() const {
    return QSize(image_.width() + 2 * kMargin + 8, image_.height() + 2 * kMargin + 8);
}

QPoint DesignSurface::ToMenu(const QPoint& p) const { return p - QPoint(kMargin, kMargin); }

void DesignSurface::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (image_.isNull()) return;
    painter.fillRect(QRect(kMargin + 4, kMargin + 4, image_.width(), image_.height()), QColor(0, 0, 0, 90));
    painter.drawImage(kMargin, kMargin, image_);
    const DesignLayout& layout = model_.Renderer.Layout;
    const int selected = model_.Doc.Menu.SelectedButton;
    if (!layout.SelectionVisible) return;
    Box box;
    if (selected > 0 && selected <= model_.Doc.Menu.ButtonCount)
        box = layout.Buttons[size_t(selected)];
    else if (selected == 0)
        box = layout.MenuText;
    else
        box = layout.TitleSelection;
    QPen pen(QColor(30, 30, 30));
    pen.setStyle(Qt::DashLine);
    painter.setPen(pen);
    painter.drawRect(QRect(box.Left + kMargin - 2, box.Top + kMargin - 2, box.Width + 3, box.Height + 3));
}

void DesignSurface::mousePressEvent(QMouseEvent* event) {
    const QPoint p = ToMenu(event->position().toPoint());
    pressed_ = model_.ButtonAt(p.x(), p.y());
    if (pressed_) model_.PressButton(pressed_);
    Refresh();
    emit SelectionChanged();
}

void DesignSurface::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = ToMenu(event->position().toPoint());
    const int released = model_.ButtonAt(p.x(), p.y());
    const DesignLayout& layout = model_.Renderer.Layout;
    auto inside = [&](const Box& b) {
        return p.x() >= b.Left && p.x() < b.Left + b.Width && p.y() >= b.Top && p.y() < b.Top + b.Height;
    };
    if (pressed_ && released == pressed_)
        model_.ClickButton(released);
    else if (!pressed_ && inside(layout.MenuText))
        model_.ClickMenuText();
    else if (!pressed_ && inside(layout.TitleSelection))
        model_.ClickTitle();
    else if (!pressed_)
        model_.ClickBackground();
    pressed_ = 0;
    Refresh();
    emit SelectionChanged();
}

void DesignSurface::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = ToMenu(event->position().toPoint());
    const int over = model_.ButtonAt(p.x(), p.y());
    if (over == hover_) return;
    hover_ = over;
    Compose();
    update();
}

void DesignSurface::leaveEvent(QEvent*) {
    hover_ = 0;
    Compose();
    update();
}

}  // namespace orvane
