#include "app/PaletteColumn.h"

#include <algorithm>

namespace orvane {

int PaletteColumn::Height(int index) const {
    if (!InRange(index)) return 0;
    return Open[size_t(index)] != 0 ? FullHeight[size_t(index)] : kClosedHeight;
}

int PaletteColumn::Top(int index) const {
    int top = 0;
    for (int i = 1; i <= std::min(index, kCount - 1); ++i) top += Height(i - 1) + 1;
    return top;
}

int PaletteColumn::TotalHeight() const { return Top(kCount - 1) + Height(kCount - 1); }

void PaletteColumn::Toggle(int index) {
    if (!InRange(index)) return;
    Open[size_t(index)] = Open[size_t(index)] != 0 ? 0 : 1;
    if (!OnePaletteMode) return;
    for (int i = 0; i < kCount; ++i)
        if (i != index) Open[size_t(i)] = 0;
}

void PaletteColumn::OpenIfClosed(int index) {
    if (InRange(index) && !IsOpen(index)) Toggle(index);
}

void PaletteColumn::SetOnePaletteMode(bool on) {
    OnePaletteMode = on;
    if (!on) return;
    const auto first = std::find_if(Open.begin(), Open.end(), [](int state) { return state != 0; });
    if (first == Open.end()) return;
    const int index = int(first - Open.begin());
    Toggle(index);
    Toggle(index);
}

int PaletteColumn::GlyphX(bool open, bool pressed) { return 34 * (open ? 1 : 0) + 17 * (pressed ? 1 : 0); }

int PaletteColumn::ColumnWidth(bool needsScrollBar, int scrollBarWidth) {
    return needsScrollBar ? kClientWidth + scrollBarWidth : kWidth;
}

int PaletteColumn::WheelScroll(int position, int notches, int maxPosition) {
    return std::clamp(position - notches * kWheelStep, 0, std::max(0, maxPosition));
}

}  // namespace orvane
