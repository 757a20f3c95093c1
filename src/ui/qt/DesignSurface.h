#pragma once

#include "platform/Bitmap.h"
#include "ui/qt/QtConvert.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <filesystem>
#include <vector>

class QMimeData;

namespace orvane {

class EditorModel;

// Shows the menu as the model composed it: the menu panel over its shadow
// panel, the button previews, the menu-text label and the window-control
// example, with the inverting selection box. Pointer input goes to the
// model's selection and hover handlers.
class DesignSurface : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMargin = 4;  // the menu panel's place; its shadow sits 4 further

    explicit DesignSurface(EditorModel& model, QWidget* parent = nullptr);

    // Reads the model again and repaints.
    void Refresh();
    QSize sizeHint() const override;

    // The button animation moves the previews away from their layout places.
    void BeginAnimation();
    void MoveButton(int slot, int left, int top);
    void EndAnimation();
    bool Animating() const { return animating_; }
    // Where a button's preview is now, in menu coordinates.
    QPoint ButtonPlace(int slot) const { return place_[size_t(slot)]; }

signals:
    // A press or click changed the selection.
    void SelectionChanged();
    // The button menu (button > 0) or the design-surface menu (0).
    void ContextMenuRequested(int button, QPoint globalPos);
    // A picture dropped on a photo style's menu.
    void PhotoDropped(const QString& path);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QPoint ToMenu(const QPoint& p) const;
    int ButtonUnder(const QPoint& menuPoint) const;
    void ComposeBack();
    void ComposeButtons();
    void Hover(const QPoint& menuPoint);

    EditorModel& model_;
    Bitmap shown_;  // the menu image with its text labels and window controls
    QImage back_;   // shown_'s pixels, as Qt paints them
    std::array<std::array<QImage, 3>, 31> buttons_{};
    std::array<QPoint, 31> place_{};
    std::string shownLabel_;
    bool animating_ = false;
    int hover_ = 0;
    int pressed_ = 0;
};

// A 32-bit bitmap as an opaque Qt image without a copy: the bitmap's byte 3 is made opaque in place, and
// the image shows its pixels for as long as neither changes size.
QImage OpaqueView(Bitmap& bitmap);

// The local files a drag carries; empty when it carries anything else.
std::vector<std::filesystem::path> DraggedFiles(const QMimeData* data);

}  // namespace orvane
