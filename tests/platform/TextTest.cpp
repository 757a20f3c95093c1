#include "platform/Text.h"
#include "platform/Cp1252.h"

#include <gtest/gtest.h>

#include <string>

using namespace orvane;

// These tests rely on the Liberation and DejaVu fonts (scripts/install-deps):
// fontconfig maps Arial, Times New Roman and Courier New onto Liberation Sans,
// Serif and Mono, whose hinted advances and Windows ascent and descent are
// those of the fonts they stand in for.

// fontconfig 2.14 loses a few bytes while parsing its configuration, whatever
// its caller does; keep sanitizer builds of this program quiet about it.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

// Untouched pixels keep a marker in byte 3, which drawing never writes.
static constexpr uint32_t kWhite = MakePixel(255, 255, 255) | 0xAB000000u;

TEST(PixelEm, RoundsPointsAt96Dpi) {
    const struct {
        int points, em;
    } cases[] = {{8, 11}, {9, 12}, {10, 13}, {11, 15}, {12, 16}, {24, 32}, {72, 96}, {0, 0}};
    for (const auto& c : cases) EXPECT_EQ(PixelEm(c.points), c.em) << c.points << " pt";
}

TEST(MeasureText, MatchesWindowsMetrics) {
    // Widths are sums of hinted advances (e.g. Arial 13 px: H 9, e 7, l 3,
    // o 7); heights are usWinAscent and usWinDescent each scaled and rounded
    // (Arial 13 px: 1854 and 434 of 2048 -> 12 + 3).
    const struct {
        TextFont font;
        const char* text;
        int width, height;
    } cases[] = {
        {{"Arial", 10}, "Hello", 29, 15},
        {{"Arial", 10}, "My Disc Menu", 84, 15},
        {{"Arial", 10}, "", 0, 15},
        {{"Arial", 24}, "My Disc Menu", 202, 36},
        {{"Times New Roman", 12}, "Hello", 32, 17},
        {{"Courier New", 10}, "Hello", 40, 15},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.font.Name + " " + std::to_string(c.font.PointSize) + " \"" + c.text + "\"");
        const TextExtent e = MeasureText(c.font, c.text);
        EXPECT_EQ(e.Width, c.width);
        EXPECT_EQ(e.Height, c.height);
    }
}

TEST(MeasureText, BoldIsAtLeastAsWideAsRegular) {
    const TextFont fonts[] = {{"Arial", 10}, {"Arial", 24}, {"Times New Roman", 12}, {"Verdana", 10}};
    for (TextFont font : fonts) {
        SCOPED_TRACE(font.Name);
        const TextExtent r = MeasureText(font, "Play the movie");
        font.Bold = true;
        const TextExtent b = MeasureText(font, "Play the movie");
        EXPECT_GT(r.Width, 0);
        EXPECT_GE(b.Width, r.Width);
        EXPECT_EQ(b.Height, r.Height);
    }
}

TEST(MeasureText, RunsAreSumsOfTheirParts) {
    // No kerning, whole-pixel advances, control characters measured as glyphs.
    const TextFont font{"Arial", 10};
    const char* cases[][2] = {{"AV", "To"}, {"Line one\r\n", "Line two"}, {"\t", "x"}, {"caf\xC3\xA9", " \xE2\x82\xAC"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c[0]) + "|" + c[1]);
        const int whole = MeasureText(font, std::string(c[0]) + c[1]).Width;
        EXPECT_EQ(whole, MeasureText(font, c[0]).Width + MeasureText(font, c[1]).Width);
    }
}

// The pictures show the text as the files will hold it, so a menu opened
// again draws the same: what Windows-1252 cannot hold is a "?".
TEST(MeasureText, WhatTheFilesCannotHoldMeasuresAsQuestionMarks) {
    const TextFont font{"Arial", 10};
    const int mark = MeasureText(font, "?").Width;
    const struct {
        const char* text;
        int count;
    } cases[] = {
        {"\xFF", 1}, {"\xC3", 1}, {"\xE2\x82", 1}, {"\x80\x80", 2},  // stray and truncated
        {"\xC0\xAF", 1}, {"\xED\xA0\x80", 1}, {"\xF4\x90\x80\x80", 1},  // overlong, surrogate, past U+10FFFF
        {"\xEF\xBF\xBD", 1}, {"Ж", 1}, {"\xDA\xBC", 1}, {"中文", 2},  // no Windows-1252 form
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MeasureText(font, c.text).Width, c.count * mark) << c.text;
        EXPECT_EQ(Utf8ToCp1252(c.text), std::string(size_t(c.count), '?')) << "as many as the file holds: " << c.text;
    }
    EXPECT_NE(MeasureText(font, "Œ").Width, mark);  // 0x8C in Windows-1252
}

TEST(MeasureText, UnknownFontGetsTheSubstitute) {
    const TextFont missing{"No Such Font 123", 10};
    const TextFont fallback{"sans-serif", 10};
    const TextExtent m = MeasureText(missing, "Hello"), f = MeasureText(fallback, "Hello");
    EXPECT_GT(m.Width, 0);
    EXPECT_GT(m.Height, 0);
    EXPECT_EQ(m.Width, f.Width);
    EXPECT_EQ(m.Height, f.Height);
}

TEST(ResolveColor, SystemColoursTakeWindowsDefaults) {
    const struct {
        uint32_t in, out;
    } cases[] = {
        {0xFF000008, MakeColor(0, 0, 0)},           // window text
        {0xFF00000F, MakeColor(0xF0, 0xF0, 0xF0)},  // button face
        {0xFF00000D, MakeColor(0x33, 0x99, 0xFF)},  // highlight
        {0xFF000018, MakeColor(0xFF, 0xFF, 0xE1)},  // info background
        {0xFF00001E, MakeColor(0xF0, 0xF0, 0xF0)},  // menu bar, the last
        {0xFF000019, MakeColor(0, 0, 0)},           // no such index
        {0xFF0000FF, MakeColor(0, 0, 0)},
        {MakeColor(0x12, 0x34, 0x56), MakeColor(0x12, 0x34, 0x56)},
    };
    for (const auto& c : cases) EXPECT_EQ(ResolveColor(c.in), c.out) << std::hex << c.in;
}

TEST(DrawTransparentText, BlendsInsideTheCellOnly) {
    const struct {
        TextFont font;
        uint32_t colour;
        uint32_t full;  // the pixel of full coverage
    } cases[] = {
        {{"Arial", 24}, MakeColor(255, 0, 0), MakePixel(255, 0, 0)},
        {{"Arial", 10, true}, MakeColor(255, 0, 0), MakePixel(255, 0, 0)},
        {{"Times New Roman", 18}, MakeColor(255, 0, 0), MakePixel(255, 0, 0)},
        {{"Arial", 12}, 0xFF000008, MakePixel(0, 0, 0)},
    };
    const char* text = "My Disc Menu";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.font.Name + " " + std::to_string(c.font.PointSize));
        Bitmap b(260, 70, kWhite);
        const int x = 7, y = 5;
        DrawTransparentText(b, x, y, c.font, c.colour, text);
        const TextExtent e = MeasureText(c.font, text);
        const Rect cell{x, y, x + e.Width, y + e.Height};
        int full = 0, blended = 0;
        for (int py = 0; py < b.Height(); ++py) {
            for (int px = 0; px < b.Width(); ++px) {
                const uint32_t p = b.At(px, py);
                if (p == kWhite) continue;
                ASSERT_TRUE(px >= cell.Left && px < cell.Right && py >= cell.Top && py < cell.Bottom) << px << "," << py;
                ASSERT_EQ(p >> 24, 0u);
                // Every written pixel lies between the text colour and white.
                const uint32_t want = c.full;
                ASSERT_GE(PixelRed(p), PixelRed(want));
                ASSERT_EQ(PixelGreen(p), PixelBlue(p));
                if (p == want) ++full;
                else ++blended;
            }
        }
        EXPECT_GT(full, 0);
        EXPECT_GT(blended, 0);
    }
}

TEST(DrawTransparentText, BlendsByCoverage) {
    // White on black reads back the coverage; any colour on any background
    // must then be (src * a + dst * (255 - a) + 127) / 255 per channel.
    const TextFont font{"Arial", 14, true};
    const char* text = "Grey edges";
    Bitmap coverage(140, 30, MakePixel(0, 0, 0));
    DrawTransparentText(coverage, 2, 2, font, MakeColor(255, 255, 255), text);
    const struct {
        uint32_t colour;
        uint32_t background;
    } cases[] = {
        {MakeColor(200, 30, 90), MakePixel(10, 120, 250)},
        {MakeColor(0, 0, 0), MakePixel(255, 255, 255)},
        {MakeColor(255, 255, 255), MakePixel(64, 64, 64)},
    };
    for (const auto& c : cases) {
        Bitmap b(140, 30, c.background);
        DrawTransparentText(b, 2, 2, font, c.colour, text);
        const uint32_t src = ColorToPixel(c.colour);
        for (int y = 0; y < b.Height(); ++y) {
            for (int x = 0; x < b.Width(); ++x) {
                const unsigned a = PixelRed(coverage.At(x, y));
                const auto mix = [&](uint8_t s, uint8_t d) { return uint8_t((s * a + d * (255 - a) + 127) / 255); };
                const uint32_t want = a == 0 ? c.background
                                             : MakePixel(mix(PixelRed(src), PixelRed(c.background)),
                                                         mix(PixelGreen(src), PixelGreen(c.background)),
                                                         mix(PixelBlue(src), PixelBlue(c.background)));
                ASSERT_EQ(b.At(x, y), want) << x << "," << y << " coverage " << a;
            }
        }
    }
}

TEST(DrawTransparentText, PenAdvancesByTheMeasuredWidths) {
    // Drawing a run glyph by glyph at measured offsets gives the same pixels.
    const TextFont fonts[] = {{"Arial", 10}, {"Arial", 24, true}, {"Verdana", 10, true}};
    const std::string text = "Wavy lines";
    for (const TextFont& font : fonts) {
        SCOPED_TRACE(font.Name);
        Bitmap whole(240, 50, kWhite), pieces(240, 50, kWhite);
        DrawTransparentText(whole, 3, 4, font, MakeColor(0, 0, 128), text);
        int x = 3;
        for (char ch : text) {
            const std::string one(1, ch);
            DrawTransparentText(pieces, x, 4, font, MakeColor(0, 0, 128), one);
            x += MeasureText(font, one).Width;
        }
        EXPECT_EQ(x - 3, MeasureText(font, text).Width);
        EXPECT_TRUE(whole == pieces);
    }
}

TEST(DrawTransparentText, UnderlineSpansTheRun) {
    for (bool underline : {false, true}) {
        SCOPED_TRACE(underline ? "underlined" : "plain");
        TextFont font{"Arial", 10};
        font.Underline = underline;
        Bitmap b(120, 30, kWhite);
        const int x = 4, y = 3;
        DrawTransparentText(b, x, y, font, MakeColor(255, 0, 0), "Play all");
        const TextExtent e = MeasureText(font, "Play all");
        int solidRows = 0;
        for (int py = 0; py < b.Height(); ++py) {
            bool solid = true;
            for (int px = x; px < x + e.Width; ++px) solid = solid && b.At(px, py) == MakePixel(255, 0, 0);
            if (solid) {
                ++solidRows;
                EXPECT_GE(py, y + 12);  // below the baseline: Arial 13 px has an ascent of 12
                EXPECT_LT(py, y + e.Height);
                EXPECT_EQ(b.At(x - 1, py), kWhite);
                EXPECT_EQ(b.At(x + e.Width, py), kWhite);
            }
        }
        EXPECT_EQ(solidRows > 0, underline);
    }
}

TEST(DrawTransparentText, ClipsToTheBitmap) {
    // The small bitmap must show exactly the window of a large one drawn with
    // the same text at the same relative place.
    TextFont font{"Arial", 18, true};
    font.Underline = true;
    const char* text = "Clip me";
    const int W = 60, H = 20, ox = 200, oy = 100;
    Bitmap reference(W + 2 * ox, H + 2 * oy, kWhite);
    const struct {
        int x, y;
    } cases[] = {{-10, -5}, {-30, 4}, {45, 2}, {10, 12}, {-1000, -1000}, {5000, 5}, {20, -27}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        Bitmap small(W, H, kWhite);
        DrawTransparentText(small, c.x, c.y, font, MakeColor(0, 90, 0), text);
        if (c.x + ox < 0 || c.y + oy < 0 || c.x > W || c.y > H) {
            EXPECT_TRUE(small == Bitmap(W, H, kWhite));
            continue;
        }
        Bitmap big = reference;
        DrawTransparentText(big, c.x + ox, c.y + oy, font, MakeColor(0, 90, 0), text);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) ASSERT_EQ(small.At(x, y), big.At(x + ox, y + oy)) << x << "," << y;
    }
}
