#include "TextBlock.h"

namespace orvane {

std::vector<std::string> WrapText(const std::string& text, int width,
                                  const std::function<int(std::string_view)>& widthOf) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        const std::string paragraph = text.substr(start, end - start);

        std::string line;
        size_t at = 0;
        while (at < paragraph.size()) {
            size_t space = paragraph.find(' ', at);
            if (space == std::string::npos) space = paragraph.size();
            const std::string word = paragraph.substr(at, space - at);
            const std::string candidate = line.empty() ? word : line + " " + word;
            if (!line.empty() && widthOf(candidate) > width) {
                lines.push_back(line);
                line = word;
            } else {
                line = candidate;
            }
            at = space + 1;
        }
        lines.push_back(line);

        if (end >= text.size()) break;
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

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
        DrawText(layer, x, y, face, colour, line);
        y += lineHeight;
    }
    StretchCopy(layer, {0, 0, box.Width, box.Height}, target,
                {box.Left, box.Top, box.Left + box.Width, box.Top + box.Height});
}

}  // namespace orvane
