#include "PopupPlacement.h"

#include <algorithm>

namespace orvane {

ScreenPoint PopupTopLeft(const Rect& button, int width, int height, const Rect& screen) {
    int x = button.Left + 1;
    int y = button.Bottom + 1;
    if (y + height > screen.Bottom) {
        const int above = button.Top - 1 - height;
        y = above >= screen.Top ? above : screen.Bottom - height;
    }
    // Right edge first, so a pop-up wider than the screen still shows its left part.
    x = std::max(std::min(x, screen.Right - width), screen.Left);
    y = std::max(y, screen.Top);
    return {x, y};
}

ScreenPoint KeepOnScreen(const Rect& window, const Rect& screen) {
    const int x = std::max(std::min(window.Left, screen.Right - window.Width()), screen.Left);
    const int y = std::max(std::min(window.Top, screen.Bottom - window.Height()), screen.Top);
    return {x, y};
}

}  // namespace orvane
