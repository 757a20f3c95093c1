#include "ColourSkins.h"

#include <algorithm>

namespace orvane {
namespace {

uint8_t ToByte(float v) {
    if (v > 255.0f) return 255;
    if (v < 0.0f) return 0;
    return uint8_t(v);
}

}  // namespace

void RecolourKeepingShading(TBmpArray& grid, uint32_t menuColor) {
    const float target[3] = {float(ColorRed(menuColor)), float(ColorGreen(menuColor)), float(ColorBlue(menuColor))};
    float mx = std::max({target[0], target[1], target[2]});
    const float mn = std::min({target[0], target[1], target[2]});
    if (mx == 0.0f) mx = 0.0001f;
    const float f = 1.0f - (mx - mn) / 255.0f - 0.5f;
    float k[3];
    for (int t = 0; t < 3; ++t) {
        if (target[t] == mx)
            k[t] = 1.0f;
        else if (target[t] == mn)
            k[t] = 0.0f;
        else
            k[t] = (target[t] - mn) / (mx - mn);
    }
    for (int y = 0; y < grid.Height; ++y) {
        for (int x = 0; x < grid.Width; ++x) {
            uint32_t& px = grid.Pixel(x, y);
            if (!IsKeyPixel(px)) continue;
            const float big = float(PixelGreen(px));
            const float small = float(std::min({PixelBlue(px), PixelGreen(px), PixelRed(px)}));
            float bigNew = big - (big - small) * f;
            const float smallNew = (bigNew - small) * f + small;
            if (bigNew == 0.0f) bigNew = 0.0001f;
            const float d = bigNew - smallNew;
            px = MakePixel(ToByte(k[0] * d + smallNew), ToByte(k[1] * d + smallNew), ToByte(k[2] * d + smallNew));
        }
    }
}

void RecolourByBrightness(TBmpArray& grid, uint32_t menuColor) {
    const float r = float(ColorRed(menuColor)), g = float(ColorGreen(menuColor)), b = float(ColorBlue(menuColor));
    for (int y = 0; y < grid.Height; ++y) {
        for (int x = 0; x < grid.Width; ++x) {
            uint32_t& px = grid.Pixel(x, y);
            if (!IsKeyPixel(px)) continue;
            float l = float(PixelBlue(px) + PixelGreen(px) + PixelRed(px)) / 382.5f - 1.0f;
            float w = 255.0f;
            if (!(l > 0.0f)) {
                l = -l;
                w = 0.0f;
            }
            px = MakePixel(ToByte((1.0f - l) * r + w * l), ToByte((1.0f - l) * g + w * l),
                           ToByte((1.0f - l) * b + w * l));
        }
    }
}

ColourGlyph SetBoxColor(const Bitmap& glyph, uint32_t glyphKey, uint32_t colour) {
    constexpr uint32_t kGreen = 0x00FF00;
    constexpr uint32_t kMagenta = 0xFF00FF;
    const uint32_t key = (colour & 0xFFFFFF) == kGreen ? kMagenta : kGreen;
    ColourGlyph out{Bitmap(16, 16, ColorToPixel(key)), key};
    for (int y = 0; y < std::min(16, glyph.Height()); ++y)
        for (int x = 0; x < std::min(16, glyph.Width()); ++x)
            if ((glyph.At(x, y) & 0xFFFFFF) != (glyphKey & 0xFFFFFF)) out.Picture.At(x, y) = glyph.At(x, y) & 0xFFFFFF;
    FillRect(out.Picture, {0, 12, 16, 16}, ColorToPixel(colour));
    return out;
}

}  // namespace orvane
