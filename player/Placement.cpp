#include "Placement.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace orvane::player {
namespace {

// Quarters of the free space across and down.
struct Anchor {
    int Across;
    int Down;
};

constexpr Anchor kAnchors[] = {
    {2, 2}, {0, 0}, {4, 0}, {0, 4}, {4, 4}, {1, 1}, {3, 1}, {1, 3}, {3, 3}, {0, 1}, {4, 1},
};

int Along(int quarters, int start, int span, int size) {
    const int64_t free = int64_t(span) - size;
    if (free <= 0) return start;
    return start + int(free * quarters / 4);
}

}  // namespace

ScreenRect PlaceWindow(int position, const ScreenRect& workArea, int width, int height) {
    const Anchor& a = kAnchors[position >= 0 && position < int(std::size(kAnchors)) ? position : 0];
    return {Along(a.Across, workArea.Left, workArea.Width, width), Along(a.Down, workArea.Top, workArea.Height, height),
            width, height};
}

int IntegerScale(int dpi, int width, int height, const ScreenRect& workArea) {
    constexpr int kLargestSide = 16384;
    int scale = dpi >= 192 ? dpi / 96 : 1;
    while (scale > 1 && (int64_t(width) * scale > std::min(workArea.Width, kLargestSide) ||
                         int64_t(height) * scale > std::min(workArea.Height, kLargestSide)))
        --scale;
    return scale;
}

}  // namespace orvane::player
