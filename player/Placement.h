#pragma once

namespace orvane::player {

struct ScreenRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

// Where a window of the given outer size opens for a menu position code
// (0 middle, 1 to 4 the corners, 5 to 8 the middles of the four quarters,
// 9 and 10 against the left or right edge in the upper part of the screen).
// The window is kept inside the work area; one larger than the work area
// starts at its left or top edge so the caption stays reachable.
ScreenRect PlaceWindow(int position, const ScreenRect& workArea, int width, int height);

}  // namespace orvane::player
