#include "DesignSurface.h"

#include "app/EditorModel.h"
#include "ui/qt/QtConvert.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

namespace orvane {

std::vector<std::filesystem::path> DraggedFiles(const QMimeData* data) {
    std::vector<std::filesystem::path> files;
    if (!data || !data->hasUrls()) return files;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) return {};
        files.emplace_back(url.toLocalFile().toStdString());
    }
    return files;
}

QImage OpaqueView(Bitmap& bitmap) {
    if (bitmap.IsEmpty()) return QImage();
    uint32_t* p = bitmap.Data();
    for (size_t i = 0, n = bitmap.PixelCount(); i < n; ++i) p[i] |= 0xFF000000u;
    return QImage(reinterpret_cast<uchar*>(p), bitmap.Width(), bitmap.Height(), qsizetype(bitmap.Width()) * 4,
                  QImage::Format_RGB32);
}

DesignSurface::DesignSurface(EditorModel& model, QWidget* parent) : QWidget(parent), model_(model) {
    setMouseTracking(true);
    setAcceptDrops(true);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void DesignSurface::ComposeBack() {
    // A refresh on every key typed: the menu's storage is used again, never copied afresh.
    back_ = QImage();
    model_.DesignSurfaceBack(shown_);
    back_ = OpaqueView(shown_);
    shownLabel_ = model_.TextLabel();
}

void DesignSurface::ComposeButtons() {
    const TOVMenu& menu = model_.Doc().Menu;
    const DesignLayout& layout = model_.Renderer().Layout;
    for (int i = 1; i <= kMaxButtons; ++i) {
        auto& images = buttons_[size_t(i)];
        if (i > menu.ButtonCount) {
            images = {};
            continue;
        }
        for (int s = 0; s < 3; ++s) images[size_t(s)] = ToQImage(menu.Buttons[size_t(i)].Images[size_t(s)]);
        if (!animating_) place_[size_t(i)] = QPoint(layout.Buttons[size_t(i)].Left, layout.Buttons[size_t(i)].Top);
    }
}

void DesignSurface::Refresh() {
    ComposeBack();
    ComposeButtons();
    updateGeometry();
    resize(sizeHint());
    update();
}

QSize DesignSurface::sizeHint() const {
    return QSize(back_.width() + 2 * kMargin + 4, back_.height() + 2 * kMargin + 4);
}

void DesignSurface::BeginAnimation() { animating_ = true; }

void DesignSurface::MoveButton(int slot, int left, int top) {
    if (slot < 1 || slot > kMaxButtons) return;
    place_[size_t(slot)] = QPoint(left, top);
    update();
}

void DesignSurface::EndAnimation() {
    animating_ = false;
    Refresh();
}

QPoint DesignSurface::ToMenu(const QPoint& p) const { return p - QPoint(kMargin, kMargin); }

int DesignSurface::ButtonUnder(const QPoint& p) const {
    if (animating_) return 0;
    return model_.ButtonAt(p.x(), p.y());
}

void DesignSurface::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (back_.isNull()) return;
    const QRect panel(kMargin, kMargin, back_.width(), back_.height());
    // The shadow panel, 4 pixels down and right of the menu panel.
    painter.fillRect(panel.translated(4, 4), QColor(0, 0, 0, 110));
    painter.drawImage(panel.topLeft(), back_);
    painter.setClipRect(panel);
    const TOVMenu& menu = model_.Doc().Menu;
    const DesignLayout& layout = model_.Renderer().Layout;
    for (int i = 1; i <= menu.ButtonCount; ++i) {
        if (!animating_ && !layout.ButtonVisible[size_t(i)]) continue;
        const int state = i == pressed_ && i == hover_ ? 2 : (i == hover_ ? 1 : 0);
        const QImage& image = buttons_[size_t(i)][size_t(state)];
        if (!image.isNull()) painter.drawImage(panel.topLeft() + place_[size_t(i)], image);
    }
    if (animating_ || !layout.SelectionVisible) return;
    const int selected = menu.SelectedButton;
    Rect box;
    if (selected > 0 && selected <= menu.ButtonCount)
        box = layout.Buttons[size_t(selected)];
    else if (selected == 0)
        box = layout.MenuText;
    else
        box = layout.TitleSelection;
    // A dotted outline that inverts what lies under it, 2 pixels outside the element.
    painter.setClipping(false);
    QPen pen(Qt::white, 1, Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.drawRect(Q(box.Moved(kMargin, kMargin)).adjusted(-2, -2, 1, 1));
}

void DesignSurface::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint p = ToMenu(event->position().toPoint());
    pressed_ = ButtonUnder(p);
    if (pressed_) {
        model_.Properties().PressButton(pressed_);
        emit SelectionChanged();
    }
    update();
}

void DesignSurface::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || animating_) return;
    const QPoint p = ToMenu(event->position().toPoint());
    if (!model_.Properties().ReleaseOnSurface(pressed_, p.x(), p.y())) {
        pressed_ = 0;
        update();
        return;
    }
    pressed_ = 0;
    emit SelectionChanged();
}

void DesignSurface::Hover(const QPoint& p) {
    const int over = ButtonUnder(p);
    if (over) {
        model_.Properties().HoverButton(over);
    } else {
        model_.Properties().HoverBackground();
    }
    const bool relabel = model_.TextLabel() != shownLabel_;
    if (relabel) ComposeBack();
    if (!relabel && over == hover_) return;
    hover_ = over;
    update();
}

void DesignSurface::mouseMoveEvent(QMouseEvent* event) {
    Hover(ToMenu(event->position().toPoint()));
    setCursor(hover_ ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void DesignSurface::leaveEvent(QEvent*) {
    hover_ = 0;
    model_.Properties().HoverBackground();
    if (model_.TextLabel() != shownLabel_) ComposeBack();
    update();
}

void DesignSurface::contextMenuEvent(QContextMenuEvent* event) {
    const QPoint p = ToMenu(event->pos());
    if (!QRect(0, 0, back_.width(), back_.height()).contains(p)) return;
    const int button = ButtonUnder(p);
    if (button) {
        model_.Properties().PressButton(button);
        emit SelectionChanged();
    }
    emit ContextMenuRequested(button, event->globalPos());
}

// One picture over a photo style's menu is taken as its photo; anything else
// goes on to the window, which opens menus and styles.
void DesignSurface::dragEnterEvent(QDragEnterEvent* event) {
    const std::vector<std::filesystem::path> files = DraggedFiles(event->mimeData());
    const bool photo = files.size() == 1 && model_.Doc().Props.PhotoSkin && !animating_ &&
                       EditorSession::KindOfDropped(files[0]) == EditorSession::DroppedKind::Picture;
    if (photo)
        event->acceptProposedAction();
    else
        event->ignore();
}

void DesignSurface::dragMoveEvent(QDragMoveEvent* event) { event->acceptProposedAction(); }

void DesignSurface::dropEvent(QDropEvent* event) {
    const std::vector<std::filesystem::path> files = DraggedFiles(event->mimeData());
    if (files.size() != 1) return;
    event->acceptProposedAction();
    emit PhotoDropped(QString::fromStdString(files[0].string()));
}

}  // namespace orvane
