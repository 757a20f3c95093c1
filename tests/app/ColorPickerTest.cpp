#include "EditorFixture.h"
#include "FakeDesigner.h"
#include "TempFolder.h"

#include "app/ColorPicker.h"
#include "app/EditorModel.h"
#include "platform/ScriptedPlatform.h"
#include "EditorModelAccess.h"

#include <gtest/gtest.h>

using namespace orvane;
using Field = TfrmColorsCls::Field;
using Thumb = TfrmColorsCls::Thumb;

namespace {

struct Rgb {
    int r, g, b;
};
uint32_t C(Rgb c) { return MakeColor(uint8_t(c.r), uint8_t(c.g), uint8_t(c.b)); }

struct PickerFixture : EditorFixture {
    FakeDesigner designer;

    PickerFixture() {
        EditorModelAccess::Prefs(model) = Settings::Defaults(app.Folder(), 1024, 768);
        // The designer's caption colour: no document is touched.
        EditorModelAccess::PickerTarget(model) = ColorTarget::DesignerCaption;
    }
    TfrmColorsCls Open(uint32_t color) {
        EditorModelAccess::PickedColor(model) = color;
        return TfrmColorsCls(model, &designer);
    }
};

}  // namespace

// Values worked out by hand from the dialog's formulas, with exact fractions.
TEST(ColorConversion, RgbToHlsAndBack) {
    struct Case {
        Rgb rgb;
        HlsColor hls;
        Rgb back;
    } cases[] = {
        {{255, 0, 0}, {0, 120, 240}, {255, 0, 0}},
        {{0, 255, 0}, {80, 120, 240}, {0, 255, 0}},
        {{0, 0, 255}, {160, 120, 240}, {0, 0, 255}},
        {{255, 255, 0}, {40, 120, 240}, {255, 255, 0}},
        {{0, 0, 0}, {160, 0, 0}, {0, 0, 0}},
        {{255, 255, 255}, {160, 240, 0}, {255, 255, 255}},
        {{128, 128, 128}, {160, 121, 0}, {129, 129, 129}},  // 120.97 rounds up
        {{127, 127, 127}, {160, 120, 0}, {128, 128, 128}},
        {{0, 84, 173}, {141, 82, 240}, {0, 83, 175}},
        {{153, 0, 0}, {0, 72, 240}, {154, 0, 0}},  // saturation 240.5 -> 240, half to even
        {{62, 154, 222}, {138, 134, 170}, {63, 151, 223}},
        {{1, 2, 3}, {140, 2, 120}, {0, 3, 5}},
        {{200, 100, 50}, {13, 118, 144}, {201, 100, 50}},
        {{254, 1, 128}, {220, 120, 239}, {255, 0, 128}},
        {{250, 250, 245}, {40, 233, 80}, {251, 250, 246}},
        {{30, 0, 60}, {180, 29, 240}, {32, 0, 62}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rgb.r << "," << c.rgb.g << "," << c.rgb.b);
        const HlsColor hls = RgbToHls(C(c.rgb));
        EXPECT_EQ(hls, c.hls);
        EXPECT_EQ(HlsToRgb(hls.Hue, hls.Lum, hls.Sat), C(c.back));
    }
    // Hue 240 is red again; saturation 0 ignores the hue.
    EXPECT_EQ(HlsToRgb(240, 120, 240), MakeColor(255, 0, 0));
    EXPECT_EQ(HlsToRgb(40, 60, 120), MakeColor(96, 96, 32));
    EXPECT_EQ(HlsToRgb(20, 121, 1), MakeColor(129, 130, 129));
    for (int v = 0; v < 256; v += 15) {
        const HlsColor grey = RgbToHls(MakeColor(uint8_t(v), uint8_t(v), uint8_t(v)));
        EXPECT_EQ(grey.Hue, 160) << v;
        EXPECT_EQ(grey.Sat, 0) << v;
    }
}

TEST_F(PickerFixture, SwatchesAreDecodedNamedAndPlaced) {
    TfrmColorsCls picker = Open(MakeColor(1, 2, 3));
    struct Case {
        int n;
        const char* name;
        Rect bounds;
        Rgb color;
    } cases[] = {
        {1, "Color001", {3, 3, 22, 19}, {153, 0, 0}},
        {6, "Color006", {25, 3, 44, 19}, {153, 102, 0}},
        {19, "Color019", {69, 60, 88, 76}, {0, 131, 215}},
        {35, "Color035", {135, 79, 154, 95}, {0, 0, 0}},
        {36, "Color036", {3, 103, 22, 119}, {255, 255, 255}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        const TfrmColorsCls::Swatch& s = picker.Swatches[size_t(c.n - 1)];
        EXPECT_EQ(s.Name, c.name);
        EXPECT_EQ(s.Bounds, c.bounds);
        EXPECT_EQ(s.Color, C(c.color));
        EXPECT_EQ(picker.SwatchAt(c.bounds.Right - 1, c.bounds.Bottom - 1), c.n);
    }
    EXPECT_EQ(picker.SwatchAt(22, 10), 0);  // the gap between two columns
    EXPECT_EQ(picker.Width, 158);
    EXPECT_EQ(picker.Height, 154);
}

TEST_F(PickerFixture, OpeningFramesTheFirstMatchingSwatch) {
    struct Case {
        Rgb color;
        int framed;
    } cases[] = {
        {{10, 20, 30}, 42},     // the seventh custom colour
        {{0, 0, 0}, 35},        // basic black comes before custom black
        {{255, 121, 75}, 3},
        {{11, 22, 33}, 0},      // no swatch: the frame stays out of sight
    };
    model.Session().SetCustomColor(6, MakeColor(10, 20, 30));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.framed);
        TfrmColorsCls picker = Open(C(c.color));
        EXPECT_EQ(picker.FramedSwatch, c.framed);
        EXPECT_EQ(picker.SelectedSwatch, -1);
        EXPECT_EQ(picker.FrameRect().IsEmpty(), c.framed == 0);
    }
}

TEST_F(PickerFixture, OpeningShowsTheColourExactlyAndOkReturnsIt) {
    // These do not survive a trip through hue, luminosity and saturation.
    for (Rgb c : {Rgb{0, 84, 173}, Rgb{153, 0, 0}, Rgb{128, 128, 128}}) {
        TfrmColorsCls picker = Open(C(c));
        EXPECT_EQ(picker.FieldColor(), C(c));
        EXPECT_EQ(picker.PreviewColor, C(c));
        const HlsColor hls = RgbToHls(C(c));
        EXPECT_EQ(picker.SatThumb, hls.Sat * 10 / 48);
        EXPECT_EQ(picker.LumThumb, 50 - hls.Lum * 10 / 48);
        picker.DefineCustomColors();
        picker.Ok();
        EXPECT_EQ(model.PickedColor(), C(c));
        EXPECT_EQ(designer.Caption, C(c));
    }
}

TEST_F(PickerFixture, RedGreenBlueFieldsCorrectBadInput) {
    TfrmColorsCls picker = Open(MakeColor(100, 50, 200));
    picker.EnterField(Field::Red);
    struct Step {
        const char* typed;
        const char* shown;
        int beeps;
    } steps[] = {
        {"300", "255", 1},
        {"abc", "255", 1},  // the last good value of the field
        {"-1", "0", 1},
        {"", "0", 1},
        {"77", "77", 0},
        {"99999999999999999999999", "255", 1},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.typed);
        const int before = platform.Beeps;
        picker.SetFieldText(Field::Red, s.typed);
        EXPECT_EQ(picker.FieldText(Field::Red), s.shown);
        EXPECT_EQ(platform.Beeps - before, s.beeps);
        const uint32_t color = MakeColor(uint8_t(std::stoi(s.shown)), 50, 200);
        EXPECT_EQ(picker.PreviewColor, color);
        EXPECT_EQ(picker.FieldText(Field::Hue), std::to_string(RgbToHls(color).Hue));
    }
    // "abc" right after entering gives back what the field held then.
    picker.SetFieldText(Field::Green, "12");
    picker.EnterField(Field::Green);
    picker.SetFieldText(Field::Green, "abc");
    EXPECT_EQ(picker.FieldText(Field::Green), "12");
    // A gradient pick rewrites the fields: their own new values come back.
    picker.DefineCustomColors();
    picker.GradientPress(0, 70);
    picker.GradientRelease(0, 70);
    picker.SetFieldText(Field::Red, "abc");
    EXPECT_EQ(picker.FieldText(Field::Red), "255");
}

TEST_F(PickerFixture, HueSaturationLuminosityFieldsCorrectBadInput) {
    TfrmColorsCls picker = Open(MakeColor(255, 0, 0));
    struct Step {
        Field field;
        const char* typed;
        const char* shown;
        bool beep;
    } steps[] = {
        {Field::Hue, "-5", "0", true},
        {Field::Hue, "abc", "120", true},
        {Field::Sat, "241", "240", true},
        {Field::Lum, "60", "60", false},
        {Field::Hue, "40", "40", false},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.typed);
        const int before = platform.Beeps;
        picker.SetFieldText(s.field, s.typed);
        EXPECT_EQ(picker.FieldText(s.field), s.shown);
        EXPECT_EQ(platform.Beeps - before, s.beep ? 1 : 0);
    }
    // Hue 40, luminosity 60, saturation 240: the fields and preview follow,
    // and the hue, luminosity and saturation stay as typed.
    EXPECT_EQ(picker.PreviewColor, HlsToRgb(40, 60, 240));
    EXPECT_EQ(picker.FieldColor(), HlsToRgb(40, 60, 240));
    EXPECT_EQ(picker.FieldText(Field::Hue), "40");
    EXPECT_EQ(picker.FieldText(Field::Lum), "60");
}

TEST_F(PickerFixture, ThumbsFollowAndSetSaturationAndLuminosity) {
    TfrmColorsCls picker = Open(MakeColor(255, 0, 0));
    picker.SetFieldText(Field::Lum, "0");  // a typed value places its thumb
    EXPECT_EQ(picker.LumThumb, 50);
    picker.SetFieldText(Field::Lum, "120");

    struct Drag {
        Thumb thumb;
        int from, pointer;  // start position, pointer relative to the thumb
        int position;
        Field field;
        const char* value;
    } drags[] = {
        {Thumb::Saturation, 0, 32, 25, Field::Sat, "120"},
        {Thumb::Saturation, 25, 32, 50, Field::Sat, "240"},
        {Thumb::Saturation, 10, -20, 0, Field::Sat, "0"},
        {Thumb::Saturation, 0, 14, 7, Field::Sat, "33"},     // 33.6, truncated
        {Thumb::Luminosity, 0, 57, 50, Field::Lum, "0"},
        {Thumb::Luminosity, 50, -18, 25, Field::Lum, "120"},
    };
    for (const Drag& d : drags) {
        SCOPED_TRACE(d.value);
        picker.ThumbBarClick(d.thumb, d.from + 7);  // centre the thumb on the start
        picker.ThumbPress(d.thumb);
        picker.ThumbMove(d.pointer);
        picker.ThumbRelease();
        EXPECT_EQ(d.thumb == Thumb::Saturation ? picker.SatThumb : picker.LumThumb, d.position);
        EXPECT_EQ(picker.FieldText(d.field), d.value);
        EXPECT_EQ(picker.FieldColor(), HlsToRgb(std::stoi(picker.FieldText(Field::Hue)),
                                                std::stoi(picker.FieldText(Field::Lum)),
                                                std::stoi(picker.FieldText(Field::Sat))));
    }
}

TEST_F(PickerFixture, GradientCornersAndBands) {
    TfrmColorsCls picker = Open(0);
    struct Case {
        int x, y, saturation;
        Rgb color;
    } cases[] = {
        {0, 0, 100, {255, 251, 251}},
        {0, 139, 100, {7, 0, 0}},
        {239, 139, 100, {7, 0, 0}},
        {0, 70, 100, {255, 6, 0}},   // row 71 keeps the pure hues
        {40, 70, 100, {248, 255, 0}},
        {80, 70, 100, {0, 255, 6}},
        {120, 70, 100, {0, 248, 255}},
        {160, 70, 100, {6, 0, 255}},
        {200, 70, 100, {255, 0, 248}},
        {239, 70, 100, {255, 0, 0}},
        {99, 99, 100, {0, 150, 75}},
        {0, 0, 0, {253, 253, 253}},  // the grey ramp alone
        {0, 70, 0, {125, 125, 125}},
        {0, 70, 50, {190, 65, 62}},
        {200, 70, 37, {173, 78, 170}},
        {99, 99, 37, {45, 100, 73}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " at " << c.saturation);
        picker.SetSaturationBar(c.saturation);
        EXPECT_EQ(PixelToColor(picker.Gradient.At(c.x, c.y)), C(c.color));
    }
}

TEST_F(PickerFixture, GradientClickAndDragClampToThePicture) {
    TfrmColorsCls picker = Open(MakeColor(153, 0, 0));
    picker.DefineCustomColors();
    picker.SwatchPress(1);
    EXPECT_EQ(picker.FramedSwatch, 1);
    // Below the last row: the last row's colour. A basic swatch loses the frame.
    picker.GradientPress(30, 500);
    EXPECT_TRUE(picker.GradientDragging);
    EXPECT_EQ(picker.SelectedSwatch, -1);
    EXPECT_EQ(picker.FramedSwatch, 0);
    EXPECT_EQ(picker.CurrentColor, PixelToColor(picker.Gradient.At(30, 139)));
    EXPECT_EQ(picker.PreviewColor, picker.CurrentColor);
    picker.GradientMove(-40, -3);
    EXPECT_EQ(picker.CurrentColor, PixelToColor(picker.Gradient.At(0, 0)));
    picker.GradientRelease(239, 139);
    EXPECT_FALSE(picker.GradientDragging);
    EXPECT_EQ(picker.CurrentColor, PixelToColor(picker.Gradient.At(239, 139)));

    // A custom swatch stays selected and framed.
    picker.SwatchPress(38);
    picker.GradientPress(0, 0);
    picker.GradientRelease(0, 0);
    EXPECT_EQ(picker.SelectedSwatch, 38);
    EXPECT_EQ(picker.FramedSwatch, 38);
    EXPECT_FALSE(picker.Closed);
}

TEST_F(PickerFixture, SwatchClickReturnsInTheSmallFormAndSelectsInTheLarge) {
    for (bool expanded : {false, true}) {
        SCOPED_TRACE(expanded);
        designer = FakeDesigner{};
        TfrmColorsCls picker = Open(MakeColor(1, 1, 1));
        if (expanded) picker.DefineCustomColors();
        picker.SwatchPress(21);
        EXPECT_EQ(picker.SelectedSwatch, 21);
        EXPECT_EQ(picker.FramedSwatch, 21);
        EXPECT_EQ(picker.CurrentColor, MakeColor(62, 154, 222));
        EXPECT_EQ(picker.FieldText(Field::Green), "154");
        EXPECT_EQ(picker.FieldText(Field::Sat), "170");
        picker.SwatchRelease(21);
        EXPECT_EQ(picker.Closed, !expanded);
        EXPECT_EQ(designer.Caption, expanded ? 0u : MakeColor(62, 154, 222));
        EXPECT_EQ(designer.Composed, expanded ? 0 : 1);
        EXPECT_EQ(model.PickedColor(), expanded ? MakeColor(1, 1, 1) : MakeColor(62, 154, 222));
    }
}

TEST_F(PickerFixture, ArrowsWalkTheSwatchGridAndStopAtItsEdges) {
    TfrmColorsCls picker = Open(MakeColor(1, 1, 1));
    struct Case {
        int from, dx, dy, to;
    } cases[] = {
        {0, 1, 0, 1},    // no frame yet: the first swatch
        {1, 0, 1, 2},    // down a column of five
        {5, 0, 1, 36},   // from the last basic row into the custom row
        {36, 0, -1, 5},
        {1, 1, 0, 6},    // right: the next column
        {35, 1, 0, 35},  // right edge
        {42, 0, 1, 42},  // bottom edge
        {31, 0, 1, 32},
        {40, -1, 0, 39},
        {1, -1, -1, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(picker.SwatchNeighbour(c.from, c.dx, c.dy), c.to) << c.from << " " << c.dx << "," << c.dy;
}

TEST_F(PickerFixture, EnterTakesTheFramedSwatchOrIsOk) {
    TfrmColorsCls picker = Open(MakeColor(1, 1, 1));
    picker.EnterKey();  // nothing framed: nothing to take
    EXPECT_FALSE(picker.Closed);
    picker.MoveSwatch(0, 1);  // the first arrow frames swatch 1
    picker.MoveSwatch(1, 0);  // swatch 6
    EXPECT_FALSE(picker.Closed);
    EXPECT_EQ(designer.Composed, 0);
    picker.EnterKey();
    EXPECT_TRUE(picker.Closed);
    EXPECT_EQ(designer.Caption, MakeColor(153, 102, 0));

    // In the full editor an arrow only selects, and Enter takes the fields' colour.
    designer = FakeDesigner{};
    TfrmColorsCls full = Open(MakeColor(1, 1, 1));
    full.DefineCustomColors();
    full.MoveSwatch(0, 1);
    EXPECT_FALSE(full.Closed);
    full.SetFieldText(Field::Red, "7");
    full.EnterKey();
    EXPECT_TRUE(full.Closed);
    EXPECT_EQ(designer.Caption, MakeColor(7, 0, 0));
}

TEST_F(PickerFixture, AddToCustomColorsFillsTheSwatchesInTurn) {
    TfrmColorsCls picker = Open(MakeColor(1, 2, 3));
    picker.DefineCustomColors();
    struct Step {
        int click;  // swatch clicked first, 0 for none
        int red;    // typed into the red field
        int filled;
    } steps[] = {
        {0, 10, 36},   // nothing selected: the first custom swatch
        {0, 11, 37},
        {0, 12, 38},
        {5, 13, 36},   // after a basic swatch: the first again
        {0, 14, 37},
        {40, 15, 40},  // after a custom swatch: that one is replaced
        {0, 16, 41},
        {0, 17, 42},
        {0, 18, 36},   // after 42 comes 36
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.red);
        if (s.click) picker.SwatchPress(s.click);
        picker.SetFieldText(Field::Red, std::to_string(s.red));
        picker.AddToCustomColors();
        EXPECT_EQ(picker.SelectedSwatch, s.filled);
        EXPECT_EQ(picker.FramedSwatch, s.filled);
        EXPECT_TRUE(picker.CustomAdded);
        EXPECT_EQ(ColorRed(picker.Swatches[size_t(s.filled - 1)].Color), s.red);
    }
    // Adding does not store: Cancel keeps the settings as they were.
    const Settings before = model.Session().Prefs();
    picker.Cancel();
    EXPECT_TRUE(picker.Closed);
    EXPECT_EQ(model.Session().Prefs(), before);
    EXPECT_EQ(designer.Composed, 0);
}

TEST_F(PickerFixture, OkStoresCustomColoursAndSaturationResetStoresAtOnce) {
    TfrmColorsCls picker = Open(MakeColor(1, 2, 3));
    picker.DefineCustomColors();
    picker.SetFieldText(Field::Blue, "99");
    picker.AddToCustomColors();
    picker.SetSaturationBar(140);
    EXPECT_EQ(picker.SaturationBar, 100);
    picker.SetSaturationBar(40);
    picker.Ok();
    EXPECT_TRUE(picker.Closed);
    EXPECT_FALSE(picker.Expanded);
    EXPECT_EQ(model.Session().Prefs().CustomColors[0], MakeColor(1, 2, 99));
    EXPECT_EQ(model.Session().Prefs().GradientSaturation, 40);
    EXPECT_EQ(model.PickedColor(), MakeColor(1, 2, 99));
    EXPECT_EQ(designer.Caption, MakeColor(1, 2, 99));

    TfrmColorsCls again = Open(0);
    EXPECT_EQ(again.SaturationBar, 40);
    EXPECT_EQ(again.Swatches[35].Color, MakeColor(1, 2, 99));
    again.ResetCustomColors();
    again.Cancel();
    const uint8_t greys[] = {255, 212, 170, 127, 85, 42, 0};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(model.Session().Prefs().CustomColors[size_t(i)], MakeColor(greys[i], greys[i], greys[i]));
        EXPECT_EQ(again.Swatches[size_t(35 + i)].Color, model.Session().Prefs().CustomColors[size_t(i)]);
    }
}

TEST_F(PickerFixture, DefineCustomColorsWidensWithItsTip) {
    TfrmColorsCls picker = Open(0);
    picker.DefineCustomColors();
    EXPECT_TRUE(picker.Expanded);
    EXPECT_EQ(picker.Width, TfrmColorsCls::Layout::Gradient.Right + 6);
    EXPECT_EQ(picker.Height, TfrmColorsCls::Layout::OkButton.Bottom + 8);
    EXPECT_EQ(platform.TipsShown, std::vector<int>{16});
    picker.DefineCustomColors();
    EXPECT_FALSE(picker.Expanded);
    EXPECT_EQ(picker.Width, 158);
    EXPECT_EQ(picker.Height, 154);
    picker.LoseFocus();
    EXPECT_TRUE(picker.Closed);
    EXPECT_EQ(designer.Composed, 0);
    EXPECT_EQ(model.Session().Prefs().GradientSaturation, 100);
}

TEST_F(PickerFixture, SettingsOutOfRangeAreTamed) {
    model.Session().SetGradientSaturation(5000);
    model.Session().SetCustomColor(0, 0xFF000005);  // a system colour code
    TfrmColorsCls picker = Open(0);
    EXPECT_EQ(picker.SaturationBar, 100);
    EXPECT_EQ(PixelToColor(picker.Gradient.At(0, 70)), MakeColor(255, 6, 0));
    EXPECT_EQ(picker.Swatches[35].Color, MakeColor(5, 0, 0));
    model.Session().SetGradientSaturation(-3);
    EXPECT_EQ(Open(0).SaturationBar, 0);
}

TEST_F(PickerFixture, DesignerTargetsAndMissingDesigner) {
    struct Case {
        ColorTarget target;
        bool caption, shadow;
    } cases[] = {{ColorTarget::DesignerCaption, true, false},
                 {ColorTarget::DesignerShadow, false, true},
                 {ColorTarget::DesignerDepth, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.target));
        designer = FakeDesigner{};
        EditorModelAccess::PickerTarget(model) = c.target;
        TfrmColorsCls picker = Open(0);
        picker.SwatchPress(9);
        picker.SwatchRelease(9);
        EXPECT_EQ(designer.Caption, c.caption ? MakeColor(255, 255, 0) : 0u);
        EXPECT_EQ(designer.Shadow, c.shadow ? MakeColor(255, 255, 0) : 0u);
        EXPECT_EQ(designer.Composed, c.caption || c.shadow ? 1 : 0);
    }
    // Without a designer a designer target is only remembered.
    EditorModelAccess::PickerTarget(model) = ColorTarget::DesignerCaption;
    EditorModelAccess::PickedColor(model) = 0;
    TfrmColorsCls alone(model);
    alone.SwatchPress(9);
    alone.SwatchRelease(9);
    EXPECT_TRUE(alone.Closed);
    EXPECT_EQ(model.PickedColor(), MakeColor(255, 255, 0));
}
