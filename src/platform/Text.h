#pragma once

#include "platform/Bitmap.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// A font as text output asks for it: a family name, a size in points at
// 96 DPI and the three style flags. A name that is not installed is
// substituted (fontconfig on Linux, the font mapper on Windows), never an
// error.
struct TextFont {
    std::string Name = "Arial";
    int PointSize = 10;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;

    bool operator==(const TextFont&) const = default;
};

struct TextExtent {
    int Width = 0;   // the sum of the glyph advances, in pixels
    int Height = 0;  // the font's ascent plus descent at its pixel size
};

// The pixel em of a point size at 96 DPI: points * 96 / 72, rounded.
int PixelEm(int pointSize);

// Measures text (UTF-8) as one run, the way the Windows desktop measures it,
// so a menu lays out alike on both systems.
TextExtent MeasureText(const TextFont& font, std::string_view text);

// Draws text (UTF-8) with a transparent background: grey anti-aliasing
// blended onto the bitmap in colour (a colour value: red in the low byte;
// 0xFF in the top byte names a system colour). (x, y) is the top-left of the
// text cell; the baseline lies the font's ascent below y. Pixels outside the
// bitmap are clipped; byte 3 of the pixels written is 0.
void DrawTransparentText(Bitmap& target, int x, int y, const TextFont& font, uint32_t colour, std::string_view text);

// A colour value with red in the low byte; system colours (top byte 0xFF)
// resolved to the Windows defaults.
uint32_t ResolveColor(uint32_t colour);

// The family names of the fonts installed on this computer (UTF-8), sorted
// and without duplicates; empty when the system cannot list them.
std::vector<std::string> InstalledFontFamilies();

}  // namespace orvane
