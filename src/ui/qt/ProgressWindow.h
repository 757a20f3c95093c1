#pragma once

#include <QWidget>

class QLabel;
class QTimer;

namespace orvane {

// The small borderless window shown while a menu or button style is saved or
// loaded: an icon and a short text on a raised panel. It closes itself 3 s
// after it was made, or when CloseAfter's delay runs out.
class ProgressWindow : public QWidget {
    Q_OBJECT
public:
    explicit ProgressWindow(QWidget* parent = nullptr);

    void SetText(const QString& text);
    QString Text() const;
    // Restarts the close timer with a new delay.
    void CloseAfter(int ms);

    static constexpr int kWidth = 153;
    static constexpr int kHeight = 49;
    static constexpr int kDefaultCloseMs = 3000;

private:
    QLabel* label_ = nullptr;
    QTimer* timer_ = nullptr;
};

}  // namespace orvane
