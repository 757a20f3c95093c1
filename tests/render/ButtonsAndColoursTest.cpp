#include "render/ColourSkins.h"
#include "render/MenuSkin.h"
#include "styles/StyleList.h"

#include <gtest/gtest.h>

using namespace orvane;

namespace {

struct ButtonFixture : ::testing::Test {
    StyleList styles;
    SkinRenderer renderer;
    MenuDocument doc;

    void SetUp() override {
        styles.AddBuiltinStyles();
        // Plain white faces, so a button image is its caption alone.
        renderer.SkinSheet.Bitmap = Bitmap(kStyleSheetWidth, kStyleSheetHeight, 0xFFFFFF);
        ResetToNewMenu(doc);
        doc.Props.ButtonFont = {"Liberation Sans", 12, false, false, false, Alignment::Centre, MakeColor(0, 0, 0)};
        doc.Props.AutoSizeButtons = false;
        doc.Props.ButtonWidth = 120;
        doc.Props.ButtonHeight = 30;
        doc.Menu.ButtonShadowDepth = 0;
    }

    // Button 1's image in a state, for a caption.
    Bitmap Caption(const std::string& caption, int state = 0) {
        doc.Menu.Buttons[1].Caption = caption;
        SkinInputs in{styles.At(5)};
        renderer.CreateSkinBtns(doc, in, doc.Props.ButtonWidth, doc.Props.ButtonHeight, 8, 92, 180);
        return doc.Menu.Buttons[1].Images[size_t(state)];
    }
};

// Columns in which two pictures differ.
std::pair<int, int> DifferingColumns(const Bitmap& a, const Bitmap& b) {
    int first = a.Width(), last = -1;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.At(x, y) != b.At(x, y)) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return {first, last};
}

int DarkPixels(const Bitmap& b, Rect r) {
    int count = 0;
    for (int y = std::max(0, r.Top); y < std::min(b.Height(), r.Bottom); ++y)
        for (int x = std::max(0, r.Left); x < std::min(b.Width(), r.Right); ++x) count += PixelGreen(b.At(x, y)) < 128;
    return count;
}

}  // namespace

TEST_F(ButtonFixture, AccessKeyIsUnderlinedInThreeRuns) {
    const TextFont font{"Liberation Sans", 12};
    const int left = (120 - MeasureText(font, "Exit").Width) / 2;  // aligned on the caption without "&"
    const int e = MeasureText(font, "E").Width, x = MeasureText(font, "x").Width;

    const auto [first, last] = DifferingColumns(Caption("E&xit"), Caption("Exit"));
    EXPECT_GE(first, left + e - 1);
    EXPECT_LE(last, left + e + x);
    EXPECT_LT(first, last) << "the underline under x";

    const auto [ampFirst, ampLast] = DifferingColumns(Caption("&&"), Caption("&"));
    EXPECT_LE(ampFirst, ampLast) << "\"&&\" draws an underlined \"&\"";

    EXPECT_EQ(Caption("Exit&"), Caption("Exit")) << "a trailing \"&\" draws the text before it";

    // "A&&B": "A", an underlined "&", then "B"; only the first "&" marks a key.
    // Against the same caption in an underlined font, only "A" and "B" differ.
    const Bitmap plain = Caption("A&&B");
    doc.Props.ButtonFont.Underline = true;
    const Bitmap underlined = Caption("A&&B");
    doc.Props.ButtonFont.Underline = false;
    const int start = (120 - MeasureText(font, "AB").Width) / 2;  // aligned on the caption without "&"
    const int a = MeasureText(font, "A").Width, amp = MeasureText(font, "&").Width;
    for (int x = start + a + 1; x < start + a + amp - 1; ++x)
        for (int y = 0; y < 30; ++y) ASSERT_EQ(plain.At(x, y), underlined.At(x, y)) << "the \"&\" is underlined, at " << x;
    const auto [ulFirst, ulLast] = DifferingColumns(plain, underlined);
    EXPECT_LE(ulFirst, start + a) << "\"A\" is not underlined";
    EXPECT_GE(ulLast, start + a + amp) << "\"B\" is not underlined";
}

TEST_F(ButtonFixture, PressedCaptionMovesOneRightAndOneDown) {
    doc.Menu.ButtonShadowDepth = 2;
    doc.Props.ButtonShadowColor = MakeColor(128, 128, 128);
    const Bitmap normal = Caption("Go", 0);
    const Bitmap pressed = Caption("Go", 2);
    ASSERT_GT(DarkPixels(normal, {0, 0, 120, 30}), 0);
    for (int y = 0; y + 1 < 30; ++y)
        for (int x = 0; x + 1 < 120; ++x) ASSERT_EQ(pressed.At(x + 1, y + 1), normal.At(x, y)) << x << "," << y;
}

TEST_F(ButtonFixture, CaptionTopIsCentredWhenSizedByHand) {
    doc.Props.ButtonHeight = 40;
    renderer.Measure = [](const FontSpec&, std::string_view text) { return TextExtent{int(text.size()) * 8, 16}; };
    const Bitmap b = Caption("Go");
    EXPECT_EQ(DarkPixels(b, {0, 0, 120, 12}), 0) << "nothing above y 12";
    EXPECT_GT(DarkPixels(b, {0, 12, 120, 28}), 0);
}

TEST_F(ButtonFixture, PhotoButtonsCarryThePhotoBehindThem) {
    doc.Props.PhotoSkin = true;
    doc.Menu.ButtonCount = 2;
    doc.Menu.Buttons[2].Caption = doc.Menu.Buttons[1].Caption = "Same";
    renderer.ScaledPhoto = Bitmap(400, 300, MakePixel(200, 0, 0));
    FillRect(renderer.ScaledPhoto, {0, 120, 400, 300}, MakePixel(0, 0, 200));
    const Bitmap black(kStyleSheetWidth, kStyleSheetHeight, 0);  // the mask shows only the photo
    SkinInputs in{styles.At(12)};
    in.CustomStyleSelected = true;
    in.CustomMask = &black;
    renderer.CreateSkinBtns(doc, in, 100, 28, 8, 92, 180);
    const Bitmap& first = doc.Menu.Buttons[1].Images[0];
    const Bitmap& second = doc.Menu.Buttons[2].Images[0];
    EXPECT_EQ(first.At(2, 2), MakePixel(200, 0, 0));   // y 94: red part
    EXPECT_EQ(second.At(2, 2), MakePixel(0, 0, 200));  // y 130: blue part
}

TEST(FadeMask, DarkensTheTitleAndTextBoxes) {
    const Bitmap mask(kStyleSheetWidth, kStyleSheetHeight, MakePixel(200, 200, 200));
    SkinRenderer r;
    r.FadeMask(mask, 100, 100);
    EXPECT_EQ(r.MaskSheet.Bitmap, mask);
    r.FadeMask(mask, 0, 50);
    const Bitmap& m = r.MaskSheet.Bitmap;
    struct Probe {
        int x, y;
        uint8_t level;
    } probes[] = {
        {12, 76, 0}, {78, 149, 0},    // text box corners
        {11, 100, 200}, {79, 100, 200}, {40, 150, 200},  // just outside it
        {12, 12, 100}, {123, 75, 100},  // title box at half
        {124, 40, 200}, {60, 11, 200},
    };
    for (const Probe& p : probes) EXPECT_EQ(m.At(p.x, p.y), MakePixel(p.level, p.level, p.level)) << p.x << "," << p.y;
    EXPECT_EQ(r.AppliedTextVisibility, 0);
    EXPECT_EQ(r.AppliedTitleVisibility, 50);
}

TEST(ColourSkins, RecolourNumbers) {
    auto recolour = [](uint32_t pixel, uint32_t colour, bool keepShading) {
        TBmpArray grid;
        grid.Bitmap = Bitmap(1, 1, pixel);
        grid.FromBitmap();
        if (keepShading)
            RecolourKeepingShading(grid, colour);
        else
            RecolourByBrightness(grid, colour);
        grid.ToBitmap();
        return grid.Bitmap.At(0, 0);
    };
    // Pixels written as (blue, green, red) bytes.
    auto px = [](uint8_t b0, uint8_t b1, uint8_t b2) { return uint32_t(b0) | uint32_t(b1) << 8 | uint32_t(b2) << 16; };
    struct Case {
        const char* name;
        uint32_t pixel, colour;
        bool keepShading;
        uint32_t expected;
    } cases[] = {
        {"pure red clamps", px(0, 200, 0), MakeColor(255, 0, 0), true, MakePixel(255, 0, 0)},
        {"grey colour gives grey", px(40, 160, 80), MakeColor(128, 128, 128), true, px(100, 100, 100)},
        {"green equal to red is no key", px(10, 200, 200), MakeColor(255, 0, 0), true, px(10, 200, 200)},
        {"blue-dominant stays", px(250, 20, 20), MakeColor(255, 0, 0), false, px(250, 20, 20)},
        {"sum 382 takes the colour", px(0, 255, 127), MakeColor(200, 100, 50), false, MakePixel(199, 99, 49)},
        {"sum 510 mixes a third of white", px(100, 255, 155), MakeColor(200, 100, 50), false,
         MakePixel(218, 151, 118)},
    };
    for (const Case& c : cases) EXPECT_EQ(recolour(c.pixel, c.colour, c.keepShading), c.expected) << c.name;
}

TEST(ColourSkins, StripOnAGlyph) {
    const Bitmap glyph(16, 16, MakePixel(1, 2, 3));
    const ColourGlyph green = SetBoxColor(glyph, 0, MakeColor(0, 255, 0));
    EXPECT_EQ(green.TransparentKey, 0xFF00FFu) << "green itself gets a magenta key";
    EXPECT_EQ(green.Picture.At(0, 12), MakePixel(0, 255, 0));
    EXPECT_EQ(green.Picture.At(15, 15), MakePixel(0, 255, 0));
    EXPECT_EQ(green.Picture.At(5, 11), MakePixel(1, 2, 3));
    const ColourGlyph red = SetBoxColor(glyph, MakePixel(1, 2, 3), MakeColor(255, 0, 0));
    EXPECT_EQ(red.TransparentKey, 0x00FF00u);
    EXPECT_EQ(red.Picture.At(5, 5), MakePixel(0, 255, 0)) << "the glyph's own transparent pixels take the key";
    EXPECT_EQ(red.Picture.At(5, 13), MakePixel(255, 0, 0));
}
