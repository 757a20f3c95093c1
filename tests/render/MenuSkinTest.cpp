#include "render/ColourSkins.h"
#include "render/MenuSkin.h"
#include "styles/StyleList.h"

#include <gtest/gtest.h>

#include <functional>

using namespace orvane;

namespace {

// Each sheet pixel names its own place: red = x, green = y, blue 0x77.
Bitmap NumberedSheet() {
    Bitmap b(kStyleSheetWidth, kStyleSheetHeight);
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) b.At(x, y) = MakePixel(uint8_t(x), uint8_t(y), 0x77);
    return b;
}

int SheetX(uint32_t p) { return PixelRed(p); }
int SheetY(uint32_t p) { return PixelGreen(p); }

struct SkinFixture : ::testing::Test {
    StyleList styles;
    SkinRenderer renderer;
    MenuDocument doc;
    std::string title = "Title";

    void SetUp() override {
        styles.AddBuiltinStyles();
        renderer.SkinSheet.Bitmap = NumberedSheet();
        // Fixed metrics: 10 pixels a byte, the title 150 wide, every line 16 high.
        renderer.Measure = [this](const FontSpec&, std::string_view text) {
            return TextExtent{text == title ? 150 : int(text.size()) * 10, 16};
        };
        ResetToNewMenu(doc);
        doc.Props.Title = title;
        doc.Props.MenuText = "Short";
        doc.Props.AutoSizeButtons = false;
        doc.Props.ButtonWidth = 100;
        doc.Props.ButtonHeight = 28;
        doc.Props.ButtonGap = 8;
        doc.Menu.ButtonCount = 3;
        for (int i = 1; i <= 3; ++i) doc.Menu.Buttons[size_t(i)].Caption = "B" + std::to_string(i);
    }

    void Render(int position = 5) {
        SkinInputs in{styles.At(position)};
        in.IsMyBackground = position == styles.MyBackgroundPosition();
        renderer.CreateSkin(doc, in);
    }
};

}  // namespace

TEST_F(SkinFixture, WorkedExampleGeometry) {
    doc.Menu.Buttons[2].Description = "aaaaaaaaaaa aaaaaaaaaaa aaaaaaaaaaa aaaaaaaaaaaaaa";  // 500 wide, 4 lines
    Render();
    const DesignLayout& l = renderer.Layout;
    EXPECT_EQ(l.TextPanel, 128);
    EXPECT_EQ(l.MenuWidth, 300);
    EXPECT_EQ(l.MenuHeight, 229);
    EXPECT_EQ(doc.MenuImage.Width(), 300);
    EXPECT_EQ(doc.MenuImage.Height(), 229);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(doc.Menu.Buttons[size_t(i)].Left, 180);
        EXPECT_EQ(doc.Menu.Buttons[size_t(i)].Top, 92 + 36 * (i - 1));
        EXPECT_EQ(l.Buttons[size_t(i)], (Rect::FromSize(180, 92 + 36 * (i - 1), 100, 28)));
        EXPECT_TRUE(l.ButtonVisible[size_t(i)]);
    }
    EXPECT_FALSE(l.ButtonVisible[4]);
    EXPECT_EQ(l.MenuText, (Rect::FromSize(24, 109, 113, 94)));
    EXPECT_EQ(doc.Props.TextRect, (std::array<int32_t, 4>{24, 109, 113, 94}));
    EXPECT_EQ(doc.Props.FirstButtonLeft, 180);
    EXPECT_EQ(doc.Props.FirstButtonTop, 92);
    EXPECT_EQ(l.MenuPanel, (Rect::FromSize(4, 4, 300, 229)));
    EXPECT_EQ(l.MenuPanelShadow, (Rect::FromSize(8, 8, 300, 229)));

    // The filler runs from the last button's bottom (192) to 16 above the bottom (213).
    const Bitmap& m = doc.MenuImage;
    for (int y = 192; y < 213; ++y) {
        EXPECT_GE(SheetY(m.At(200, y)), 140) << y;
        EXPECT_LT(SheetY(m.At(200, y)), 146) << y;
    }
    EXPECT_EQ(SheetY(m.At(200, 192)), 140);
    EXPECT_EQ(SheetY(m.At(200, 212)), 145);
    EXPECT_EQ(SheetY(m.At(200, 213)), 146);
    EXPECT_LT(SheetY(m.At(200, 191)), 124) << "the last button's row ends at 192";
}

TEST_F(SkinFixture, FramePiecesLandWhereTheyBelong) {
    doc.Props.AutoSizeMenu = false;
    doc.Props.MenuWidth = 400;
    doc.Props.MenuHeight = 300;
    Render();
    const Bitmap& m = doc.MenuImage;
    const int mw = 400, mh = 300, tw = 400 - 100 - 72;
    // Corners are copied unchanged.
    struct Corner {
        const char* name;
        Rect menu;
        int sheetLeft, sheetTop;
    } corners[] = {
        {"title left cap", {0, 0, 64, 76}, 0, 0},
        {"title right cap", {mw - 64, 0, mw, 76}, 72, 0},
        {"text top-left", {0, 76, 33, 117}, 0, 76},
        {"text bottom-left", {0, mh - 33, 33, mh}, 0, 129},
        {"text top-right", {tw, 76, tw + 33, 117}, 46, 76},
        {"text bottom-right", {tw, mh - 33, tw + 33, mh}, 46, 129},
        {"column top-left", {tw + 33, 76, tw + 57, 92}, 79, 76},
        {"column top-right", {mw - 24, 76, mw, 92}, 112, 76},
        {"column bottom-left", {tw + 33, mh - 16, tw + 57, mh}, 79, 146},
        {"column bottom-right", {mw - 24, mh - 16, mw, mh}, 112, 146},
    };
    for (const Corner& c : corners) {
        SCOPED_TRACE(c.name);
        for (int y = c.menu.Top; y < c.menu.Bottom; ++y)
            for (int x = c.menu.Left; x < c.menu.Right; ++x) {
                ASSERT_EQ(SheetX(m.At(x, y)), c.sheetLeft + x - c.menu.Left) << x << "," << y;
                ASSERT_EQ(SheetY(m.At(x, y)), c.sheetTop + y - c.menu.Top) << x << "," << y;
            }
    }
    // Edges stretch along one axis only.
    for (int x = 64; x < mw - 64; ++x) {
        EXPECT_GE(SheetX(m.At(x, 10)), 64);
        EXPECT_LT(SheetX(m.At(x, 10)), 72);
        EXPECT_EQ(SheetY(m.At(x, 10)), 10);
    }
    for (int y = 117; y < mh - 33; ++y) {
        EXPECT_EQ(SheetX(m.At(5, y)), 5);
        EXPECT_GE(SheetY(m.At(5, y)), 117);
        EXPECT_LT(SheetY(m.At(5, y)), 129);
    }
    // Button rows beside each button, gap pieces between them only.
    const int x = tw + 60;
    for (int i = 0; i < 3; ++i) {
        const int top = 92 + 36 * i;
        EXPECT_GE(SheetY(m.At(x, top)), 92);
        EXPECT_LT(SheetY(m.At(x, top + 27)), 124);
        if (i < 2) {
            EXPECT_GE(SheetY(m.At(x, top + 28)), 124);
            EXPECT_LT(SheetY(m.At(x, top + 35)), 140);
        }
    }
    EXPECT_GE(SheetY(m.At(x, 92 + 36 * 2 + 28)), 140) << "no gap piece below the last button";
    // Slot 31 takes the three glyphs.
    const Bitmap& strip = doc.Menu.Buttons[kControlSlot].Images[1];
    EXPECT_EQ(SheetX(strip.At(0, 0)), 96);
    EXPECT_EQ(SheetY(strip.At(0, 0)), 171);
    EXPECT_EQ(SheetY(strip.At(16, 8)), 179);
    EXPECT_TRUE(renderer.Layout.WindowControlsVisible);
    EXPECT_EQ(renderer.Layout.WindowControls, (Rect::FromSize(mw - 22, 5, 17, 9)));
}

TEST_F(SkinFixture, TextPanelWidensForLongText) {
    // Three buttons of 28 + 8 over lines of 16: six lines; the panel widens when
    // a line would need more than it has.
    struct Case {
        const char* name;
        size_t textBytes;  // 10 pixels a byte
        int titleWidth;
        int expectedPanel;
    } cases[] = {
        {"fits in 128", 60, 150, 128},
        {"needs 256", 120, 150, 256},
        {"needs 384", 160, 150, 384},
        {"title alone asks for more", 10, 600, 524},
        {"text then caps a wide title", 360, 600, 384},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        renderer.Measure = [&](const FontSpec&, std::string_view text) {
            return TextExtent{text == title ? c.titleWidth : int(text.size()) * 10, 16};
        };
        doc.Props.MenuText = std::string(c.textBytes, 'x');
        Render();
        EXPECT_EQ(renderer.Layout.TextPanel, c.expectedPanel);
        EXPECT_EQ(renderer.Layout.MenuWidth, c.expectedPanel + 100 + 72);
    }
}

TEST(LineEstimate, CountsBreaksAndWraps) {
    const auto tenEach = [](std::string_view text) { return int(text.size()) * 10; };
    std::string returns;
    for (int i = 0; i < 300; ++i) returns += "a\r\n";
    struct Case {
        const char* name;
        std::string text;
        int width;
        int lines;
    } cases[] = {
        {"empty", "", 100, 1},
        {"one short line", "ab cd", 100, 1},
        {"300 carriage returns", returns, 100, 200},
        {"one word wider than the panel", std::string(50, 'w'), 100, 1},
        {"four long words", "aaaaaaaaaaa aaaaaaaaaaa aaaaaaaaaaa aaaaaaaaaaaaaa", 113, 4},
        {"two lines by a return", "ab\r\ncd", 100, 2},
    };
    for (const Case& c : cases) EXPECT_EQ(EstimateLines(c.text, c.width, tenEach), c.lines) << c.name;
}

TEST_F(SkinFixture, ButtonColumnShorterThanALineCountsAsOne) {
    doc.Menu.ButtonCount = 1;
    doc.Props.ButtonHeight = 10;
    doc.Props.ButtonGap = 0;
    renderer.Measure = [](const FontSpec&, std::string_view text) { return TextExtent{int(text.size()) * 10, 40}; };
    doc.Props.MenuText = std::string(30, 'x');  // 300 > 128: widens instead of dividing by zero
    Render();
    EXPECT_EQ(renderer.Layout.TextPanel, 384);
}

TEST_F(SkinFixture, PhotoAspectFollowsThePhoto) {
    doc.Props.PhotoSkin = true;
    doc.BackgroundPhoto = Bitmap(400, 300, 0x336699);
    // A 4:3 photo: a square menu widens to the photo's proportion.
    doc.Props.AutoSizeButtons = false;
    doc.Props.ButtonWidth = 100;
    doc.Props.ButtonHeight = 28;
    doc.Menu.ButtonCount = 8;  // (28 + 8) * 8 + 109 = 397
    doc.Props.ButtonGap = 8;
    renderer.Measure = [](const FontSpec&, std::string_view text) { return TextExtent{int(text.size()), 1}; };
    doc.Props.ButtonHeight = 28;
    renderer.FadeMask(styles.At(12).Mask, 100, 100);
    Render(12);
    EXPECT_EQ(renderer.Layout.MenuHeight, 397);
    EXPECT_EQ(renderer.Layout.MenuWidth, 529);  // trunc(397 * 4 / 3)
    EXPECT_EQ(renderer.Layout.TextPanel, 529 - 100 - 72);

    // A tall photo keeps the width and grows the height.
    doc.BackgroundPhoto = Bitmap(100, 400, 0x336699);
    renderer.Graphics.ScaleCacheDirty = true;
    Render(12);
    EXPECT_EQ(renderer.Layout.MenuWidth, 300);
    EXPECT_EQ(renderer.Layout.MenuHeight, 1200);
}

TEST_F(SkinFixture, PhotoStylesAndMyBackground) {
    doc.Props.PhotoSkin = true;
    doc.BackgroundPhoto = Bitmap(320, 240, MakePixel(10, 200, 30));
    renderer.FadeMask(styles.At(17).Mask, 100, 100);
    auto& strip = doc.Menu.Buttons[kControlSlot].Images;
    for (auto& image : strip) image = Bitmap(21, 9, 0xABCDEF);
    renderer.Layout.TitleSelection = {1, 2, 3, 4};

    Render(styles.MyBackgroundPosition());
    for (const auto& image : strip) EXPECT_EQ(image, Bitmap(21, 9, 0xABCDEF)) << "photo styles leave slot 31 alone";
    EXPECT_FALSE(renderer.Layout.WindowControlsVisible);
    EXPECT_EQ(renderer.Layout.TitleSelection, (Rect{1, 2, 3, 4})) << "no title on My Background";
    // The photo shows through the mask's black title band.
    EXPECT_EQ(doc.MenuImage.At(100, 30), doc.BackgroundPhoto.At(0, 0));

    Render(12);
    EXPECT_NE(renderer.Layout.TitleSelection, (Rect{1, 2, 3, 4}));
}

// However long the texts or odd the photo, the picture stays within the
// largest size and every part of the layout lies inside it.
TEST_F(SkinFixture, LongTextsKeepTheLayoutInsideThePicture) {
    const struct {
        const char* name;
        std::function<void(MenuDocument&)> change;
        int style;
    } cases[] = {
        {"a title of 800 W", [](MenuDocument& d) { d.Props.Title = std::string(800, 'W'); }, 5},
        {"a caption of 1500 characters",
         [](MenuDocument& d) {
             d.Props.AutoSizeButtons = true;
             d.Menu.Buttons[2].Caption = std::string(1500, 'c');
         },
         5},
        {"a menu text of 3000 words",
         [](MenuDocument& d) {
             d.Props.MenuText.clear();
             for (int i = 0; i < 3000; ++i) d.Props.MenuText += "word ";
         },
         5},
        {"a description of one long word", [](MenuDocument& d) { d.Menu.Buttons[1].Description = std::string(5000, 'd'); }, 5},
        {"thirty of the tallest buttons with the widest gap",
         [](MenuDocument& d) {
             d.Menu.ButtonCount = 30;
             d.Props.ButtonHeight = kButtonHeightRange.Max;
             d.Props.ButtonGap = kButtonGapRange.Max;
         },
         5},
        {"a photo a thousand times wider than high",
         [](MenuDocument& d) {
             d.Props.PhotoSkin = true;
             d.BackgroundPhoto = Bitmap(10000, 10, 0x336699);
         },
         12},
        {"a photo a thousand times higher than wide",
         [](MenuDocument& d) {
             d.Props.PhotoSkin = true;
             d.BackgroundPhoto = Bitmap(10, 10000, 0x336699);
         },
         12},
    };
    const MenuDocument fresh = doc;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        doc = fresh;
        c.change(doc);
        if (doc.Props.PhotoSkin) renderer.FadeMask(styles.At(c.style).Mask, 100, 100);
        ASSERT_NO_THROW(Render(c.style));
        const int w = doc.MenuImage.Width(), h = doc.MenuImage.Height();
        EXPECT_LE(w, kLargestMenuWidth);
        EXPECT_LE(h, kLargestMenuHeight);
        const auto& r = doc.Props.TextRect;
        EXPECT_GE(r[0], 0);
        EXPECT_LE(r[0] + r[2], w);
        EXPECT_LE(r[1] + r[3], h);
        EXPECT_LE(doc.Props.FirstButtonLeft, w);
        for (int i = 1; i <= doc.Menu.ButtonCount; ++i) {
            const TOVButton& b = doc.Menu.Buttons[size_t(i)];
            EXPECT_GE(b.Left, 0) << i;
            EXPECT_LE(b.Left + b.Images[0].Width(), w) << i;
            EXPECT_LE(b.Top + b.Images[0].Height(), h) << i;
            EXPECT_LE(b.Images[0].Width(), kLargestButtonWidth);
        }
    }
}
