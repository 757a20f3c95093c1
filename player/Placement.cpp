#include "player/Placement.h"

#include "platform/Bitmap.h"

#include <algorithm>
#include <iterator>
#include <numeric>

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

int64_t FloorDiv(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

Zoom Reduced(int64_t num, int64_t den) {
    const int64_t g = std::gcd(num, den);
    return {int(num / g), int(den / g)};
}

bool Below(const Zoom& a, const Zoom& b) { return int64_t(a.Num) * b.Den < int64_t(b.Num) * a.Den; }

// The largest scale at which width x height fits within w x h.
Zoom Fitting(int width, int height, int w, int h) {
    return int64_t(w) * height <= int64_t(h) * width ? Reduced(w, width) : Reduced(h, height);
}

}  // namespace

Rect PlaceWindow(int position, const Rect& workArea, int width, int height) {
    const Anchor& a = kAnchors[position >= 0 && position < int(std::size(kAnchors)) ? position : 0];
    return Rect::FromSize(Along(a.Across, workArea.Left, workArea.Width(), width),
                          Along(a.Down, workArea.Top, workArea.Height(), height), width, height);
}

int Zoom::Of(int menuPixels) const { return int(FloorDiv(int64_t(menuPixels) * Num, Den)); }
int Zoom::Back(int screenPixels) const { return int(FloorDiv(int64_t(screenPixels) * Den, Num)); }

MenuView ViewMenu(int dpi, int width, int height, const Rect& workArea, int barWidth, int barHeight) {
    MenuView v;
    width = std::max(width, 1);
    height = std::max(height, 1);
    const int areaWidth = std::max(workArea.Width(), 1), areaHeight = std::max(workArea.Height(), 1);
    const Zoom monitor = dpi >= 120 ? Reduced(dpi, 96) : Zoom{};
    // No picture may grow past the largest a bitmap can be.
    const Zoom largest = Fitting(width, height, kMaxBitmapSide, kMaxBitmapSide);
    const Zoom wanted = Below(largest, monitor) ? largest : monitor;
    const Zoom fit = Fitting(width, height, areaWidth, areaHeight);
    Zoom half = Reduced(int64_t(monitor.Num), int64_t(monitor.Den) * 2);
    if (Below(largest, half)) half = largest;
    if (!Below(fit, wanted))
        v.Scale = wanted;
    else if (!Below(fit, half))
        v.Scale = fit;
    else
        v.Scale = half;
    v.Width = std::max(1, v.Scale.Of(width));
    v.Height = std::max(1, v.Scale.Of(height));
    // A scroll bar takes room from the other direction, which may then need one too.
    v.VerticalBar = v.Height > areaHeight;
    v.HorizontalBar = v.Width + (v.VerticalBar ? barWidth : 0) > areaWidth;
    if (v.HorizontalBar && !v.VerticalBar) v.VerticalBar = v.Height + barHeight > areaHeight;
    v.WindowWidth = std::min(v.Width + (v.VerticalBar ? barWidth : 0), areaWidth);
    v.WindowHeight = std::min(v.Height + (v.HorizontalBar ? barHeight : 0), areaHeight);
    return v;
}

int ClampScroll(int position, int content, int page) { return std::max(0, std::min(position, content - page)); }

int ScrollToShow(int position, int page, int first, int last) {
    if (last - first >= page || first < position) return first;
    if (last > position + page) return last - page;
    return position;
}

}  // namespace orvane::player
