#pragma once

#include "platform/Bitmap.h"

namespace orvane {

struct ScreenPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

// The top-left corner of a pop-up opened from a toolbar button, in screen
// coordinates: one pixel right of the button's left edge and one pixel below
// its bottom edge. Near the screen's right or left edge it slides along; when
// it would leave the bottom it opens above the button instead. It never
// starts outside the screen's top-left corner.
ScreenPoint PopupTopLeft(const Rect& button, int width, int height, const Rect& screen);

// Where a window that grew (or was placed at a box's corner) goes so that it
// lies on the screen: moved back as little as possible, its top-left corner
// kept on the screen when it is larger than the screen.
ScreenPoint KeepOnScreen(const Rect& window, const Rect& screen);

}  // namespace orvane
