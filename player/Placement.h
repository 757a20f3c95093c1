#pragma once

namespace orvane::player {

struct ScreenRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

// Where a window of the given size opens for a menu position code, inside a
// monitor's work area. The places are fractions of the free space (the work
// area less the window), as the editor's display-position picture draws them:
//
//   code  name                   across  down
//   0     Middle of Screen       1/2     1/2
//   1     Top Left Corner        0       0
//   2     Top Right Corner       1       0
//   3     Bottom Left Corner     0       1
//   4     Bottom Right Corner    1       1
//   5     Middle Top Left        1/4     1/4
//   6     Middle Top Right       3/4     1/4
//   7     Middle Bottom Left     1/4     3/4
//   8     Middle Bottom Right    3/4     3/4
//   9     Upper Middle Left      0       1/4
//   10    Upper Middle Right     1       1/4
//
// A code out of range is the middle. A window larger than the work area
// starts at its left or top edge, so its title band stays reachable.
ScreenRect PlaceWindow(int position, const ScreenRect& workArea, int width, int height);

// The whole-number scale a menu is shown at on a screen of that DPI: 1 below
// 192 DPI, else DPI / 96, made smaller while the scaled menu would not fit
// the work area (or the largest picture).
int IntegerScale(int dpi, int width, int height, const ScreenRect& workArea);

}  // namespace orvane::player
