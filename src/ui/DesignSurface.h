#pragma once

#include <QImage>
#include <QWidget>

namespace orvane {

class EditorModel;

// Shows the menu as the model composed it, over its shadow panel, and turns
// pointer input into the model's selection handlers.
class DesignSurface : public QWidget {
    Q_OBJECT
public:
    explicit DesignSurface(EditorModel& model, QWidget* parent = nullptr);

    // Reads the model again and repaints.
    void Refresh();
    QSize sizeHint() const override;

signals:
    void SelectionChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QPoint ToMenu(const QPoint& p) const;
    void Compose();

    EditorModel& model_;
    QImage image_;
    int hover_ = 0;
    int pressed_ = 0;
};

// A 32-bit bitmap as an opaque Qt image.
QImage ToQImage(const class Bitmap& bitmap);

}  // namespace orvane
