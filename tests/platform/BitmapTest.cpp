#include "platform/Bitmap.h"
#include "platform/Cp1252.h"

#include <gtest/gtest.h>

using namespace orvane;

namespace {

// A source whose every pixel names its own column and row.
Bitmap Numbered(int w, int h) {
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.At(x, y) = uint32_t(x | (y << 8) | 0xAB000000u);
    return b;
}

}  // namespace

TEST(StretchCopy, MapsSourceOntoDestinationExactly) {
    const Bitmap src = Numbered(10, 10);
    struct Case {
        const char* name;
        Rect s, d;
    } cases[] = {
        {"same size", {2, 3, 6, 7}, {1, 1, 5, 5}},
        {"stretch a column", {4, 0, 5, 10}, {0, 0, 12, 10}},
        {"stretch a row", {0, 4, 10, 5}, {0, 0, 10, 12}},
        {"halve", {0, 0, 8, 8}, {0, 0, 4, 4}},
        {"triple", {3, 3, 5, 5}, {0, 0, 6, 6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bitmap dst(12, 12, 0x55);
        StretchCopy(src, c.s, dst, c.d);
        for (int y = 0; y < 12; ++y) {
            for (int x = 0; x < 12; ++x) {
                const bool inside = x >= c.d.Left && x < c.d.Right && y >= c.d.Top && y < c.d.Bottom;
                if (!inside) {
                    ASSERT_EQ(dst.At(x, y), 0x55u) << x << "," << y;
                    continue;
                }
                const uint32_t p = dst.At(x, y);
                const int sx = int(p & 0xFF), sy = int((p >> 8) & 0xFF);
                // Each destination pixel takes the source pixel under its centre; all four bytes.
                EXPECT_EQ(sx, c.s.Left + ((2 * (x - c.d.Left) + 1) * c.s.Width()) / (2 * c.d.Width()));
                EXPECT_EQ(sy, c.s.Top + ((2 * (y - c.d.Top) + 1) * c.s.Height()) / (2 * c.d.Height()));
                EXPECT_EQ(p >> 24, 0xABu);
            }
        }
        // Enlarged, the ends of the rectangle take the ends of the source.
        if (c.d.Width() < c.s.Width()) continue;
        EXPECT_EQ(int(dst.At(c.d.Left, c.d.Top) & 0xFF), c.s.Left);
        EXPECT_EQ(int(dst.At(c.d.Right - 1, c.d.Top) & 0xFF), c.s.Right - 1);
    }
}

TEST(StretchCopy, ClipsToBothBitmaps) {
    const Bitmap src = Numbered(4, 4);
    Bitmap dst(5, 5, 0);
    StretchCopy(src, {0, 0, 4, 4}, dst, {-2, -2, 2, 2});  // half outside the destination
    EXPECT_EQ(dst.At(0, 0), src.At(2, 2));
    EXPECT_EQ(dst.At(1, 1), src.At(3, 3));
    EXPECT_EQ(dst.At(2, 2), 0u);
    StretchCopy(src, {2, 2, 6, 6}, dst, {0, 0, 4, 4});  // half outside the source: those pixels stay
    EXPECT_EQ(dst.At(1, 1), src.At(3, 3));
    EXPECT_EQ(dst.At(3, 3), 0u);
    StretchCopy(src, {0, 0, 0, 4}, dst, {0, 0, 4, 4});  // empty source: nothing
}

TEST(FillRect, FillsOnlyInsideTheBitmap) {
    Bitmap b(4, 3, 1);
    FillRect(b, {-5, 1, 2, 10}, 9);
    const uint32_t expected[3][4] = {{1, 1, 1, 1}, {9, 9, 1, 1}, {9, 9, 1, 1}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(b.At(x, y), expected[y][x]);
}

TEST(Bitmap, RefusesSizesBeyondTheCap) {
    Bitmap b;
    EXPECT_THROW(b.SetSize(16385, 1), std::length_error);
    EXPECT_THROW(b.SetSize(1, -1), std::length_error);
    EXPECT_NO_THROW(b.SetSize(16384, 1));
}

TEST(Colours, PixelsAndColourValuesSwapRedAndBlue) {
    EXPECT_EQ(ColorToPixel(MakeColor(1, 2, 3)), MakePixel(1, 2, 3));
    EXPECT_EQ(MakeColor(0xAA, 0xBB, 0xCC), 0xCCBBAAu);
    EXPECT_EQ(MakePixel(0xAA, 0xBB, 0xCC), 0xAABBCCu);
    EXPECT_EQ(PixelToColor(0xFF112233u), 0x332211u);
}

TEST(Cp1252, ConvertsBothWays) {
    const std::pair<std::string, std::string> cases[] = {
        {"plain ASCII", "plain ASCII"},
        {"caf\xC3\xA9", "caf\xE9"},          // é
        {"\xE2\x82\xAC 5", "\x80 5"},        // €
        {"\xE2\x80\x94", "\x97"},            // em dash
        {"\xC5\xB8", "\x9F"},                // Ÿ
        {"\xC2\xA0\xC3\xBF", "\xA0\xFF"},    // no-break space, ÿ
    };
    for (const auto& [utf8, cp1252] : cases) {
        EXPECT_EQ(Utf8ToCp1252(utf8), cp1252) << utf8;
        EXPECT_EQ(Cp1252ToUtf8(cp1252), utf8) << utf8;
    }
    // No Windows-1252 form, or not UTF-8 at all: "?".
    const std::pair<std::string, std::string> lossy[] = {
        {"\xE4\xB8\xAD", "?"},          // a CJK character
        {"\xF0\x9F\x98\x80!", "?!"},    // an emoji
        {"\xFF", "?"},                   // a stray byte
        {"\xC3", "?"},                   // a cut sequence
        {"\xC0\xAF", "?"},               // an overlong form
    };
    for (const auto& [utf8, cp1252] : lossy) EXPECT_EQ(Utf8ToCp1252(utf8), cp1252);
    // Bytes Windows-1252 leaves undefined survive a round trip.
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8("\x81\x8D")), "\x81\x8D");
}

// The editor's own paths keep every character; what older editors wrote reads as before.
TEST(Cp1252, EditorTextKeepsEveryCharacter) {
    const std::pair<std::string, std::string> stored[] = {
        {"/home/ann/caf\xC3\xA9/", "/home/ann/caf\xE9/"},                      // Windows-1252 holds it
        {"/home/\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD/", "\xEF\xBB\xBF/home/\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD/"},  // Cyrillic
        {"/\xE7\x85\xA7\xE7\x89\x87/sea.jpg", "\xEF\xBB\xBF/\xE7\x85\xA7\xE7\x89\x87/sea.jpg"},  // Chinese
        {"", ""},
    };
    for (const auto& [utf8, bytes] : stored) {
        EXPECT_EQ(EncodeEditorText(utf8), bytes) << utf8;
        EXPECT_EQ(DecodeEditorText(bytes), utf8) << utf8;
    }
    // Windows-1252 that happens to look like UTF-8, and a mark with no UTF-8 after it.
    EXPECT_EQ(DecodeEditorText("Caf\xC3\xA9"), "Caf\xC3\x83\xC2\xA9");
    EXPECT_EQ(DecodeEditorText("\xEF\xBB\xBF\xE9"), "\xC3\xAF\xC2\xBB\xC2\xBF\xC3\xA9");
}
