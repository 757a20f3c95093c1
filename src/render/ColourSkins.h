#pragma once

#include "document/UBmpArray.h"
#include "platform/Bitmap.h"

#include <cstdint>

namespace orvane {

// Key pixels carry the parts of a style that take the menu colour: green
// strictly above both blue and red.
inline bool IsKeyPixel(uint32_t p) { return PixelGreen(p) > PixelBlue(p) && PixelGreen(p) > PixelRed(p); }

// "Auto Adjust" on: keeps each key pixel's lightness and saturation
// structure and moves its hue to the menu colour (a colour value).
void RecolourKeepingShading(TBmpArray& grid, uint32_t menuColor);

// "Auto Adjust" off: mixes the menu colour with black or white by each key
// pixel's brightness.
void RecolourByBrightness(TBmpArray& grid, uint32_t menuColor);

// A toolbar glyph with a colour strip along its bottom four rows, on a
// transparency key: green, or magenta when the colour itself is that green.
struct ColourGlyph {
    Bitmap Picture;           // 16 x 16
    uint32_t TransparentKey;  // a colour value
};
// glyph is 16 x 16; its pixels equal to glyphKey (a pixel value) are transparent.
ColourGlyph SetBoxColor(const Bitmap& glyph, uint32_t glyphKey, uint32_t colour);

}  // namespace orvane
