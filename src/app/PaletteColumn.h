#pragma once

#include <array>
#include <cstddef>

namespace orvane {

// The scrolling column of the five property palettes: which are open, how
// high each is and where it sits. The window lays the frames out from it.
class PaletteColumn {
public:
    static constexpr int kCount = 5, kClosedHeight = 21, kWidth = 221, kClientWidth = 217, kWheelStep = 30;
    std::array<int, kCount> Open{};        // 1 open, 0 closed; index 0..4 = palettes 1..5
    std::array<int, kCount> FullHeight{};  // open heights, set by the window from its layout
    bool OnePaletteMode = false;

    int Height(int index) const;
    // Palettes stack with a one-pixel gap: top(i) = top(i-1) + height(i-1) + 1.
    int Top(int index) const;
    int TotalHeight() const;
    bool IsOpen(int index) const { return InRange(index) && Open[size_t(index)] != 0; }

    // The palette's button or its View menu item: flips it; in one-palette
    // mode every other palette closes.
    void Toggle(int index);
    // Opens a palette that is closed (selecting something on the design surface).
    void OpenIfClosed(int index);
    // "One Palette Visible at a Time": turning it on closes and reopens the
    // first open palette, which closes all the others.
    void SetOnePaletteMode(bool on);

    // The x of the open/close glyph in its 68 x 13 strip of four 17 x 13 glyphs.
    static int GlyphX(bool open, bool pressed);
    // The column's width: its client area stays 217 wide beside a scroll bar.
    static int ColumnWidth(bool needsScrollBar, int scrollBarWidth);
    // The scroll position after wheel notches (positive = away from the user,
    // scrolling up), kept within 0..maxPosition.
    static int WheelScroll(int position, int notches, int maxPosition);

private:
    static bool InRange(int index) { return index >= 0 && index < kCount; }
};

}  // namespace orvane
