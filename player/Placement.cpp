#include "Placement.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace orvane::player {
namespace {

// Window centre as a fraction of the work area (in 1/12ths), or an edge.
enum class Edge { Start, Centre, End };

struct Anchor {
    Edge Horizontal;
    int X;  // twelfths of the width, used with Edge::Centre
    Edge Vertical;
    int Y;  // twelfths of the height, used with Edge::Centre
};

constexpr Anchor kAnchors[] = {
    {Edge::Centre, 6, Edge::Centre, 6},  // 0 middle of screen
    {Edge::Start, 0, Edge::Start, 0},    // 1 top left corner
    {Edge::End, 0, Edge::Start, 0},      // 2 top right corner
    {Edge::Start, 0, Edge::End, 0},      // 3 bottom left corner
    {Edge::End, 0, Edge::End, 0},        // 4 bottom right corner
    {Edge::Centre, 3, Edge::Centre, 3},  // 5 middle of the top left quarter
    {Edge::Centre, 9, Edge::Centre, 3},  // 6 middle of the top right quarter
    {Edge::Centre, 3, Edge::Centre, 9},  // 7 middle of the bottom left quarter
    {Edge::Centre, 9, Edge::Centre, 9},  // 8 middle of the bottom right quarter
    {Edge::Start, 0, Edge::Centre, 4},   // 9 left edge, a third of the way down
    {Edge::End, 0, Edge::Centre, 4},     // 10 right edge, a third of the way down
};

int Along(Edge edge, int twelfths, int start, int span, int size) {
    int at = start;
    switch (edge) {
    case Edge::Start: at = start; break;
    case Edge::End: at = start + span - size; break;
    case Edge::Centre: at = start + int(int64_t(span) * twelfths / 12) - size / 2; break;
    }
    // Inside the area when it fits; otherwise flush with its start.
    return std::max(start, std::min(at, start + span - size));
}

}  // namespace

ScreenRect PlaceWindow(int position, const ScreenRect& workArea, int width, int height) {
    const Anchor& a = kAnchors[position >= 0 && position < int(std::size(kAnchors)) ? position : 0];
    return {Along(a.Horizontal, a.X, workArea.Left, workArea.Width, width),
            Along(a.Vertical, a.Y, workArea.Top, workArea.Height, height), width, height};
}

}  // namespace orvane::player
