#pragma once

#include "app/Tips.h"

#include <QDialog>
#include <QImage>

class QCheckBox;

namespace orvane {

// The panel's background, painted once: each row blends from top to bottom
// (weight y / height of the bottom colour); from row 7 down a line at x 38
// starts at 80 % of its row's colour and fades into the row towards the bottom.
QImage TipPanelBackground(QSize size, QColor top, QColor bottom);

// Draws the icon at `at` into the background. Its bluish pixels (blue above
// red and green) are see-through: they take the background pixel one row
// below, darkened by blue / 255, so the icon's shadow falls on the gradient.
void BlendTipIcon(QImage& background, const QImage& icon, QPoint at);

// The modal first-use tip: " Tip", the text on its painted panel, the
// "Do not show this message again." box and OK, which also answers Escape.
// F1 asks for the help contents.
class TipWindow : public QDialog {
    Q_OBJECT
public:
    explicit TipWindow(const TipWindowContent& content, QWidget* parent = nullptr);

    bool DoNotShowAgain() const;

    static constexpr int kWidth = 349;
    static constexpr int kHeight = 169;

signals:
    void HelpRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QCheckBox* doNotShow_ = nullptr;
};

}  // namespace orvane
