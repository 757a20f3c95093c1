#pragma once

#include "platform/Rect.h"

#include <cstdint>

namespace orvane::player {

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
Rect PlaceWindow(int position, const Rect& workArea, int width, int height);

// Screen pixels per menu pixel, as a fraction so that every size and place
// comes out the same in the window, its hit tests and the tests.
struct Zoom {
    int Num = 1;
    int Den = 1;

    // A menu length or place in screen pixels, rounded down (also below 0).
    int Of(int menuPixels) const;
    // The menu pixel under a screen pixel.
    int Back(int screenPixels) const;
    bool Whole() const { return Num % Den == 0; }
    bool operator==(const Zoom& other) const { return int64_t(Num) * other.Den == int64_t(other.Num) * Den; }
};

// How a menu is shown on a monitor: at the monitor's scale (DPI / 96 from
// 120 DPI on, else 1), made smaller to fit the work area, but never below
// half that scale; a menu that does not fit even then is shown at half the
// scale in a window of at most the work area's size, with scroll bars.
struct MenuView {
    Zoom Scale;
    int Width = 0;  // the menu at that scale
    int Height = 0;
    int WindowWidth = 0;  // the window, scroll bars included
    int WindowHeight = 0;
    bool HorizontalBar = false;
    bool VerticalBar = false;

    bool Scrolls() const { return HorizontalBar || VerticalBar; }
};

// barWidth and barHeight: the width of a vertical scroll bar and the height
// of a horizontal one at the monitor's DPI.
MenuView ViewMenu(int dpi, int width, int height, const Rect& workArea, int barWidth, int barHeight);

// Where a scroll position may be: from 0 to content - page.
int ClampScroll(int position, int content, int page);
// The scroll position that brings first .. last (exclusive) into a page
// starting at position, moving as little as it can.
int ScrollToShow(int position, int page, int first, int last);

}  // namespace orvane::player
