#include "TextBlock.h"

namespace orvane {

void DrawTextBlock(Bitmap& target, const Box& box, const FontSpec& font, uint32_t colour, const std::string& text) {
    if (box.Width <= 0 || box.Height <= 0) return;
    const TextFont face = ToTextFont(font);
    const int lineHeight = std::max(1, MeasureText(face, "X").Height);
    const auto lines = WrapText(text, box.Width, [&](std::string_view s) { return MeasureText(face, s).Width; });
    // Draw into a box-sized layer so lines are clipped to the label.
    Bitmap layer(box.Width, box.Height);
    StretchCopy(target, {box.Left, box.Top, box.Left + box.Width, box.Top + box.Height}, layer,
                {0, 0, box.Width, box.Height});
    int y = 0;
    for (const std::string& line : lines) {
        if (y >= box.Height) break;
        const int w = MeasureText(face, line).Width;
        int x = 0;
        if (font.Alignment == int(Alignment::Centre)) x = (box.Width - w) / 2;
        if (font.Alignment == int(Alignment::Right)) x = box.Width - w;
        DrawTransparentText(layer, x, y, face, colour, line);
        y += lineHeight;
    }
    StretchCopy(layer, {0, 0, box.Width, box.Height}, target,
                {box.Left, box.Top, box.Left + box.Width, box.Top + box.Height});
}

}  // namespace orvane
