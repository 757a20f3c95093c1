#pragma once

#include <QScrollArea>
#include <QWidget>

#include <array>
#include <functional>

namespace orvane {

class PaletteColumn;

// One collapsible palette: a painted title bar with its open/close button,
// and a body that is hidden while the palette is closed.
class PaletteFrame : public QWidget {
    Q_OBJECT
public:
    PaletteFrame(const QString& caption, QWidget* body, QWidget* parent = nullptr);
    QWidget* Body() const { return body_; }
    // The glyph of the open/close button: open or closed, pressed or not.
    void SetGlyph(bool open, bool pressed);
    // The height of title and body when open, at the column's width.
    int FullHeight(int width) const;

signals:
    void Toggled();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QRect ButtonRect() const;

    QString caption_;
    QWidget* body_;
    bool open_ = false;
    bool pressed_ = false;
};

// The scrolling column that stacks the five palettes as the model places them.
class PaletteColumnView : public QScrollArea {
    Q_OBJECT
public:
    PaletteColumnView(PaletteColumn& model, std::array<PaletteFrame*, 5> frames, QWidget* parent = nullptr);
    // Takes each palette's open height from its layout (start-up).
    void MeasurePalettes();
    // Places and shows the palettes as the model says; scrolls palette
    // `inView` (0-4, or -1) into view and sets the column's width.
    void Arrange(int inView = -1);
    PaletteFrame* Frame(int index) const { return frames_[size_t(index)]; }
    // One wheel notch: 30 pixels.
    void ScrollBy(int notches);
    // A wheel turn in eighths of a degree; fine-grained wheels and touch pads
    // add up to whole notches.
    void Wheel(int angleDelta);

protected:
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    PaletteColumn& model_;
    std::array<PaletteFrame*, 5> frames_;
    QWidget* inner_;
    int wheelRest_ = 0;
};

}  // namespace orvane
