#pragma once

namespace orvane {

// A rectangle: left, top, right, bottom, right and bottom exclusive. The one
// rectangle of the editor, the renderer and the player.
struct Rect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    // Layouts think in a place and a size; the rectangle stores the edges.
    static constexpr Rect FromSize(int left, int top, int width, int height) {
        return {left, top, left + width, top + height};
    }

    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
    constexpr Rect Moved(int dx, int dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
    bool operator==(const Rect&) const = default;
};

}  // namespace orvane
