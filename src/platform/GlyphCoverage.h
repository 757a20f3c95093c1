#pragma once
// One glyph's coverage and how it is laid over a picture, shared by the
// FreeType and the GDI text engines so both draw text the same way.
#include "platform/Bitmap.h"
#include <algorithm>
#include <cstdint>
#include <vector>

namespace orvane {

struct GlyphCoverage {
    int Advance = 0;
    int Left = 0;  // columns right of the pen
    int Top = 0;   // rows above the baseline
    int Width = 0;
    int Rows = 0;
    std::vector<uint8_t> Coverage;  // Width * Rows, 0..255
};

inline uint8_t BlendCoverage(uint8_t src, uint8_t dst, unsigned a) {
    return uint8_t((src * a + dst * (255 - a) + 127) / 255);
}

inline void DrawGlyph(Bitmap& target, int penX, int baseline, const GlyphCoverage& glyph, uint8_t r, uint8_t g,
                      uint8_t b) {
    const int left = penX + glyph.Left;
    const int top = baseline - glyph.Top;
    const int c0 = std::max(0, -left), c1 = std::min(glyph.Width, target.Width() - left);
    const int r0 = std::max(0, -top), r1 = std::min(glyph.Rows, target.Height() - top);
    for (int row = r0; row < r1; ++row) {
        const uint8_t* cover = glyph.Coverage.data() + size_t(row) * size_t(glyph.Width);
        uint32_t* out = target.Row(top + row) + left;
        for (int c = c0; c < c1; ++c) {
            const unsigned a = cover[c];
            if (a == 0) continue;
            const uint32_t d = out[c];
            out[c] = MakePixel(BlendCoverage(r, PixelRed(d), a), BlendCoverage(g, PixelGreen(d), a),
                               BlendCoverage(b, PixelBlue(d), a));
        }
    }
}

}  // namespace orvane
