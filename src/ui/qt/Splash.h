#pragma once

#include "app/Tips.h"

#include <QDialog>

class QLabel;
class QTimer;

namespace orvane {

// The borderless picture window: at start-up with the version line and the
// short notice, closing itself after a delay; as the about box with the long
// notice and a "[Close]" link instead.
class Splash : public QDialog {
    Q_OBJECT
public:
    enum class Mode { StartUp, About };
    explicit Splash(Mode mode, QWidget* parent = nullptr);

    // Closes the window `ms` from now; a later call replaces the delay.
    void CloseAfter(int ms);
    // A small line under the notice (the about box: where files are kept).
    void SetNote(const QString& text);

    static constexpr int kWidth = 392;
    static constexpr int kHeight = 212;

    static constexpr const char* kShortNotice = orvane::kShortNotice.data();
    static constexpr const char* kLongNotice = orvane::kLongNotice.data();

signals:
    // The window has closed, by its timer or otherwise.
    void Finished();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTimer* timer_ = nullptr;
    QLabel* note_ = nullptr;
    bool finished_ = false;
};

// The picture of both windows, its pure lime green made transparent.
QImage SplashPicture();

}  // namespace orvane
