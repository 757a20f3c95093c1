#include "TextBlock.h"

namespace orvane {

void DrawTextBlock(Bitmap& target, const Rect& box, const FontSpec& font, uint32_t colour, const std::string& text) {
    if (box.Width() <= 0 || box.Height() <= 0) return;
    const TextFont face = ToTextFont(font);
    const int lineHeight = std::max(1, MeasureText(face, "X").Height);
    const auto lines = WrapText(text, box.Width(), [&](std::string_view s) { return MeasureText(face, s).Width; });
    // Lines are clipped to the label. A glyph reaches at most a line's height
    // past its line, so a line that far inside is drawn in place; one near an
    // edge goes through a strip of the label's width that clips it. (A layer
    // of the label's size would cost 70 MB on the largest menu.)
    const int reach = lineHeight;
    Bitmap strip;
    int y = 0;
    for (const std::string& line : lines) {
        if (y >= box.Height()) break;
        const int w = MeasureText(face, line).Width;
        const int x = AlignedX(font.Alignment, box.Width(), w);
        if (x >= reach && x + w + reach <= box.Width() && y >= reach && y + lineHeight + reach <= box.Height()) {
            DrawTransparentText(target, box.Left + x, box.Top + y, face, colour, line);
        } else {
            const int top = std::max(0, y - reach), bottom = std::min(box.Height(), y + lineHeight + reach);
            const Rect inTarget{box.Left, box.Top + top, box.Right, box.Top + bottom};
            const Rect inStrip{0, 0, box.Width(), bottom - top};
            strip.SetSize(box.Width(), bottom - top);
            StretchCopy(target, inTarget, strip, inStrip);
            DrawTransparentText(strip, x, y - top, face, colour, line);
            StretchCopy(strip, inStrip, target, inTarget);
        }
        y += lineHeight;
    }
}

}  // namespace orvane
