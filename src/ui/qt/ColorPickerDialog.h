#pragma once

#include "app/ColorPicker.h"
#include "ui/qt/FocusPopup.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace orvane {

// Opens a pop-up below the toolbar button that called it (PopupTopLeft),
// on the button's screen.
void PlaceBelow(QWidget* popup, const QWidget* button);
// Moves a window that grew back onto its screen.
void KeepOnScreen(QWidget* window);

// The colour picker's window: shows a TfrmColorsCls and forwards the mouse,
// the fields and the buttons to it. Borderless; it closes itself when the
// model says so or when it loses the focus, and deletes itself then.
class ColorPickerDialog : public FocusPopup {
    Q_OBJECT
public:
    explicit ColorPickerDialog(std::unique_ptr<TfrmColorsCls> model, QWidget* parent = nullptr);
    ~ColorPickerDialog() override;

    TfrmColorsCls& Model() { return *model_; }
    // Reads the model into the widgets; closes the window once the model has.
    void Sync() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool ModelClosed() const override { return model_->Closed; }
    void ModelLosesFocus() override { model_->LoseFocus(); }
    bool Busy() const override { return busy_ > 0; }

private:
    // Runs a model handler; a tip shown meanwhile must not count as lost focus.
    template <typename F>
    void Run(F&& handler);
    void PaintThumbBars(class QPainter& p);
    void RefreshGradient();

    std::unique_ptr<TfrmColorsCls> model_;
    std::array<QLineEdit*, 6> fields_{};
    std::array<QLabel*, 6> labels_{};
    QPushButton* define_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* reset_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QSlider* saturation_ = nullptr;
    QImage gradient_;
    int gradientSaturation_ = -1;
    int pressedSwatch_ = 0;
    int busy_ = 0;
};

}  // namespace orvane
