#pragma once

#include "platform/Bitmap.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvane {

class DesignerTarget;
class EditorModel;

// Hue, luminosity and saturation on the 0 to 240 scale of the colour dialog.
struct HlsColor {
    int Hue = 0;
    int Lum = 0;
    int Sat = 0;
    bool operator==(const HlsColor&) const = default;
};

// The colour dialog's conversion (HLSMAX 240, RGBMAX 255) in floating point,
// each result rounded to the nearest integer, halves to even.
HlsColor RgbToHls(uint32_t color);
uint32_t HlsToRgb(int hue, int lum, int sat);

// "153000000" -> red 153, green 0, blue 0 as a colour value.
uint32_t DecodeSwatchText(std::string_view nineDigits);
// The number at the end of a swatch name: "Color036" -> 36.
int SwatchNumberOfName(std::string_view name);

// The colour picker: a borderless pop-up of 35 basic and 7 custom swatches
// that can widen into a full colour editor. It returns one colour to the
// target named by the editor's PickerTarget.
class TfrmColorsCls {
public:
    static constexpr int kSwatchCount = 42;
    static constexpr int kFirstCustom = 36;
    static constexpr int kGradientWidth = 240;
    static constexpr int kGradientHeight = 140;
    static constexpr int kSmallWidth = 158;
    static constexpr int kSmallHeight = 154;
    static constexpr int kThumbRange = 50;  // thumb positions 0 to 50
    static constexpr int kThumbSize = 14;   // a thumb's centre is 7 pixels in

    // Where everything sits in the window. The small form shows the part left
    // of x 158 and above y 154.
    struct Layout {
        static constexpr Rect DefineButton{3, 127, 155, 150};
        static constexpr Rect AddButton{3, 156, 155, 179};
        static constexpr Rect ResetButton{3, 185, 155, 208};
        static constexpr Rect Gradient{162, 6, 162 + kGradientWidth, 6 + kGradientHeight};
        static constexpr Rect SaturationBar{158, 150, 406, 170};
        static constexpr Rect Preview{162, 176, 212, 240};
        static constexpr int FieldTop = 176;
        static constexpr int FieldStep = 22;
        static constexpr int FieldHeight = 20;
        static constexpr int RgbLabelLeft = 214, RgbEditLeft = 264;
        static constexpr int HlsLabelLeft = 298, HlsEditLeft = 336;
        static constexpr int EditWidth = 32;
        static constexpr Rect LumThumbBar{376, 176, 392, 176 + kThumbRange + kThumbSize};
        static constexpr Rect SatThumbBar{304, 246, 304 + kThumbRange + kThumbSize, 262};
        static constexpr Rect OkButton{246, 268, 320, 292};
        static constexpr Rect CancelButton{328, 268, 402, 292};
    };

    enum class Field { Red = 0, Green, Blue, Hue, Sat, Lum };
    enum class Thumb { Saturation, Luminosity };

    struct Swatch {
        std::string Name;  // "Color001" to "Color042"
        Rect Bounds;
        uint32_t Color = 0;
    };

    // Opens on the editor's PickedColor, CustomColors and GradientSaturation.
    // The designer receives targets -2 and -3; without one they are ignored.
    explicit TfrmColorsCls(EditorModel& editor, DesignerTarget* designer = nullptr);

    // State -------------------------------------------------------------------
    std::array<Swatch, kSwatchCount> Swatches;  // swatch n at index n - 1
    int SelectedSwatch = -1;
    bool CustomAdded = false;
    uint32_t CurrentColor = 0;
    bool Expanded = false;
    bool Syncing = false;
    // Per field, so that a bad entry restores that field's own last value even
    // after the picker rewrote the fields.
    std::array<int, 3> EditStartValue{};
    bool ThumbDragging = false;
    Thumb DraggedThumb = Thumb::Saturation;
    bool GradientDragging = false;
    Bitmap HuePicture;  // 240 x 140 pixels
    Bitmap GreyRamp;
    Bitmap Gradient;    // what is shown: the two blended by the saturation bar
    int SaturationBar = 100;
    std::array<std::string, 6> Fields;  // red, green, blue, hue, saturation, luminosity
    int SatThumb = 0;  // 0 to 50, left to right
    int LumThumb = 0;  // 0 to 50, top to bottom
    uint32_t PreviewColor = 0;
    int FramedSwatch = 0;  // 0: the frame is out of sight
    int Width = kSmallWidth;
    int Height = kSmallHeight;
    bool Closed = false;

    const std::string& FieldText(Field f) const { return Fields[size_t(f)]; }
    // The frame, 2 pixels outside the framed swatch; empty when out of sight.
    Rect FrameRect() const;
    // The swatch under a window point; 0 for none.
    int SwatchAt(int x, int y) const;
    // Thumb rectangles in window coordinates.
    Rect ThumbRect(Thumb thumb) const;
    // The colour the fields name.
    uint32_t FieldColor() const;

    // Handlers ----------------------------------------------------------------
    // A field's text changed (typed, or set by the window).
    void SetFieldText(Field f, const std::string& text);
    // A red, green or blue field received the focus.
    void EnterField(Field f);

    void SwatchPress(int number);
    void SwatchRelease(int number);

    // Keys on the swatches. The swatches form a grid of seven columns: the
    // basic colours five to a column, the custom row below them. An arrow
    // selects the neighbour as a click would (from no frame: swatch 1);
    // at an edge it stays. Enter takes the framed swatch in the small form
    // and is "OK" in the full editor.
    int SwatchNeighbour(int from, int dx, int dy) const;
    void MoveSwatch(int dx, int dy);
    void EnterKey();

    // Points in gradient coordinates; they are clamped to the picture.
    void GradientPress(int x, int y);
    void GradientMove(int x, int y);
    void GradientRelease(int x, int y);

    void SetSaturationBar(int position);

    void ThumbPress(Thumb thumb);
    // Pointer position along the bar, relative to the thumb.
    void ThumbMove(int p);
    void ThumbRelease();
    // A click on the bar beside the thumb, along the bar.
    void ThumbBarClick(Thumb thumb, int along);

    void DefineCustomColors();
    void AddToCustomColors();
    void ResetCustomColors();
    void Ok();
    void Cancel();
    // The window lost the focus: it closes without applying.
    void LoseFocus();

private:
    void BuildGradient();
    void BlendGradient();
    void PutRgb(uint32_t color);
    void RgbChanged(int field);
    void HlsChanged(Field f);
    void ShowFromHls();
    void PlaceSatThumb(int sat);
    void PlaceLumThumb(int lum);
    void MoveThumbTo(Thumb thumb, int position);
    void PickAt(int x, int y);
    void Apply();

    EditorModel& editor_;
    DesignerTarget* designer_;
};

}  // namespace orvane
