#include "ColorPicker.h"

#include "app/DesignerTarget.h"
#include "app/EditorModel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace orvane {

namespace {

// The 35 basic colours as the window stores them: red, green, blue in three digits each.
constexpr std::array<std::string_view, 35> kBasicColorTexts = {
    "153000000", "255051000", "255121075", "255153051", "255204102", "153102000", "204153000",
    "255204000", "255255000", "255219157", "000102000", "000153000", "102204051", "153255102",
    "204255204", "051051102", "000051153", "000102204", "000131215", "000153255", "062154222",
    "153204255", "180226255", "222255255", "236233216", "102102204", "153153255", "204204255",
    "102102153", "153153204", "255204255", "255255255", "192192192", "128128128", "000000000",
};

constexpr int kCellWidth = 22;
constexpr int kCellHeight = 19;
constexpr int kSwatchWidth = 19;
constexpr int kSwatchHeight = 16;
constexpr int kCustomTop = 103;

int Round(double v) { return int(std::nearbyint(v)); }

// A whole number, optionally signed. Numbers too long for 64 bits count as
// very large or very small rather than as text.
bool ParseWhole(const std::string& text, long long& value) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i == text.size()) return false;
    long long v = 0;
    bool overflow = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return false;
        if (v > (std::numeric_limits<long long>::max() - (c - '0')) / 10)
            overflow = true;
        else
            v = v * 10 + (c - '0');
    }
    if (overflow) v = std::numeric_limits<long long>::max();
    value = negative ? -v : v;
    return true;
}

int FieldValue(const std::string& text, int low, int high) {
    long long v = 0;
    if (!ParseWhole(text, v)) return low;
    return int(std::clamp<long long>(v, low, high));
}

uint32_t CustomGrey(int i) {
    const auto level = uint8_t((6 - i) * 85 / 2);  // (6 - i) x 42.5, truncated
    return MakeColor(level, level, level);
}

}  // namespace

// Conversion ------------------------------------------------------------------

HlsColor RgbToHls(uint32_t color) {
    const double r = ColorRed(color), g = ColorGreen(color), b = ColorBlue(color);
    const double hi = std::max({r, g, b}), lo = std::min({r, g, b});
    HlsColor out;
    out.Lum = Round(((hi + lo) * 240 + 255) / 510);
    if (hi == lo) {
        out.Hue = 160;
        out.Sat = 0;
        return out;
    }
    if (out.Lum <= 120)
        out.Sat = Round(((hi - lo) * 240 + (hi + lo) / 2) / (hi + lo));
    else
        out.Sat = Round(((hi - lo) * 240 + (510 - hi - lo) / 2) / (510 - hi - lo));
    auto delta = [&](double c) { return Round(((hi - c) * 40 + (hi - lo) / 2) / (hi - lo)); };
    const int dr = delta(r), dg = delta(g), db = delta(b);
    int h;
    if (r == hi)
        h = db - dg;
    else if (g == hi)
        h = 80 + dr - db;
    else
        h = 160 + dg - dr;
    if (h < 0) h += 240;
    if (h > 240) h -= 240;
    out.Hue = h;
    return out;
}

uint32_t HlsToRgb(int hue, int lum, int sat) {
    if (sat == 0) {
        const auto v = uint8_t(std::clamp(Round(lum * 255.0 / 240), 0, 255));
        return MakeColor(v, v, v);
    }
    const double l = lum, s = sat;
    const int q = l <= 120 ? Round((l * (240 + s) + 120) / 240) : Round(l + s - (l * s + 120) / 240);
    const int p = 2 * lum - q;
    auto level = [&](int h) {
        if (h < 0) h += 240;
        if (h > 240) h -= 240;
        if (h < 40) return Round(p + ((q - p) * double(h) + 20) / 40);
        if (h < 120) return q;
        if (h < 160) return Round(p + ((q - p) * double(160 - h) + 20) / 40);
        return p;
    };
    auto channel = [&](int h) { return uint8_t(std::clamp(Round((level(h) * 255.0 + 120) / 240), 0, 255)); };
    return MakeColor(channel(hue + 80), channel(hue), channel(hue - 80));
}

uint32_t DecodeSwatchText(std::string_view t) {
    auto part = [&](size_t at) {
        int v = 0;
        for (size_t i = at; i < at + 3 && i < t.size(); ++i) v = v * 10 + (t[i] - '0');
        return uint8_t(std::clamp(v, 0, 255));
    };
    return MakeColor(part(0), part(3), part(6));
}

int SwatchNumberOfName(std::string_view name) {
    if (name.size() < 3) return -1;
    int n = 0;
    for (char c : name.substr(name.size() - 3)) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

// Opening ------------------------------------------------------------------------

TfrmColorsCls::TfrmColorsCls(EditorModel& editor, DesignerTarget* designer) : editor_(editor), designer_(designer) {
    Syncing = false;
    SelectedSwatch = -1;
    CurrentColor = editor.pickedColor_;

    for (int n = 1; n <= kSwatchCount; ++n) {
        Swatch& s = Swatches[size_t(n - 1)];
        char name[16];
        std::snprintf(name, sizeof name, "Color%.3d", n);
        s.Name = name;
        int x, y;
        if (n < kFirstCustom) {
            x = kCellWidth * ((n - 1) / 5) + 3;
            y = kCellHeight * ((n - 1) % 5) + 3;
            s.Color = DecodeSwatchText(kBasicColorTexts[size_t(n - 1)]);
        } else {
            x = kCellWidth * (n - kFirstCustom) + 3;
            y = kCustomTop;
        }
        s.Bounds = {x, y, x + kSwatchWidth, y + kSwatchHeight};
    }
    Width = kSmallWidth;
    Height = kSmallHeight;

    // The fields take the colour exactly; the thumbs follow its saturation and
    // luminosity. (Rebuilding the fields from hue, luminosity and saturation
    // would shift many colours by a step or two before the user did anything.)
    PutRgb(CurrentColor);
    PlaceSatThumb(FieldValue(Fields[size_t(Field::Sat)], 0, 240));
    PlaceLumThumb(FieldValue(Fields[size_t(Field::Lum)], 0, 240));

    // Custom colours come from the settings file: only their colour bytes count.
    for (int k = 0; k < 7; ++k)
        Swatches[size_t(kFirstCustom - 1 + k)].Color = editor.Session().Prefs().CustomColors[size_t(k)] & 0xFFFFFF;

    FramedSwatch = 0;
    for (int n = 1; n <= kSwatchCount; ++n)
        if (Swatches[size_t(n - 1)].Color == CurrentColor) {
            FramedSwatch = n;
            break;
        }

    // A settings file can hold any number here; the blend needs 0 to 100.
    SaturationBar = std::clamp(editor.Session().Prefs().GradientSaturation, 0, 100);
    BuildGradient();
}

// Geometry ------------------------------------------------------------------------

Rect TfrmColorsCls::FrameRect() const {
    if (FramedSwatch < 1 || FramedSwatch > kSwatchCount) return {};
    const Rect& b = Swatches[size_t(FramedSwatch - 1)].Bounds;
    return {b.Left - 2, b.Top - 2, b.Right + 2, b.Bottom + 2};
}

int TfrmColorsCls::SwatchAt(int x, int y) const {
    for (const Swatch& s : Swatches)
        if (x >= s.Bounds.Left && x < s.Bounds.Right && y >= s.Bounds.Top && y < s.Bounds.Bottom)
            return SwatchNumberOfName(s.Name);
    return 0;
}

Rect TfrmColorsCls::ThumbRect(Thumb thumb) const {
    if (thumb == Thumb::Saturation) {
        const Rect& bar = Layout::SatThumbBar;
        return {bar.Left + SatThumb, bar.Top, bar.Left + SatThumb + kThumbSize, bar.Bottom};
    }
    const Rect& bar = Layout::LumThumbBar;
    return {bar.Left, bar.Top + LumThumb, bar.Right, bar.Top + LumThumb + kThumbSize};
}

uint32_t TfrmColorsCls::FieldColor() const {
    return MakeColor(uint8_t(FieldValue(Fields[0], 0, 255)), uint8_t(FieldValue(Fields[1], 0, 255)),
                     uint8_t(FieldValue(Fields[2], 0, 255)));
}

// Gradient ------------------------------------------------------------------------

void TfrmColorsCls::BuildGradient() {
    constexpr int W = kGradientWidth, H = kGradientHeight, m = H / 2 + 1;
    HuePicture = Bitmap(W, H);
    GreyRamp = Bitmap(W, H);
    for (int x = 1; x <= W; ++x) {
        const int band = (x - 1) / 40, xb = x - 40 * band;
        const int t = xb * 255 / 40, u = (40 - xb) * 255 / 40;
        int r = 0, g = 0, b = 0;
        switch (band) {
            case 0: r = 255, g = t, b = 0; break;
            case 1: r = u, g = 255, b = 0; break;
            case 2: r = 0, g = 255, b = t; break;
            case 3: r = 0, g = u, b = 255; break;
            case 4: r = t, g = 0, b = 255; break;
            default: r = 255, g = 0, b = u; break;
        }
        for (int y = 1; y <= H; ++y) {
            // (1 - a) x channel + a x target with a = d / m, in whole numbers so
            // that the truncation is exact.
            const int d = std::abs(y - m), target = y < m ? 255 : 0;
            auto shade = [&](int c) { return uint8_t(((m - d) * c + d * target) / m); };
            HuePicture.At(x - 1, y - 1) = MakePixel(shade(r), shade(g), shade(b));
        }
    }
    for (int y = 1; y <= H; ++y) {
        const auto grey = uint8_t((H - y) * 255 / H);
        for (int x = 0; x < W; ++x) GreyRamp.At(x, y - 1) = MakePixel(grey, grey, grey);
    }
    BlendGradient();
}

void TfrmColorsCls::BlendGradient() {
    const int k = SaturationBar;
    Gradient = Bitmap(kGradientWidth, kGradientHeight);
    for (int y = 0; y < kGradientHeight; ++y)
        for (int x = 0; x < kGradientWidth; ++x) {
            const uint32_t h = HuePicture.At(x, y), g = GreyRamp.At(x, y);
            auto mix = [k](int a, int b) { return uint8_t((k * a + (100 - k) * b) / 100); };
            Gradient.At(x, y) = MakePixel(mix(PixelRed(h), PixelRed(g)), mix(PixelGreen(h), PixelGreen(g)),
                                          mix(PixelBlue(h), PixelBlue(g)));
        }
}

void TfrmColorsCls::SetSaturationBar(int position) {
    SaturationBar = std::clamp(position, 0, 100);
    BlendGradient();
}

void TfrmColorsCls::PickAt(int x, int y) {
    x = std::clamp(x, 0, kGradientWidth - 1);
    y = std::clamp(y, 0, kGradientHeight - 1);
    CurrentColor = PixelToColor(Gradient.At(x, y));
    PutRgb(CurrentColor);
}

void TfrmColorsCls::GradientPress(int x, int y) {
    GradientDragging = true;
    if (SelectedSwatch < kFirstCustom) {
        SelectedSwatch = -1;
        FramedSwatch = 0;
    }
    PickAt(x, y);
}

void TfrmColorsCls::GradientMove(int x, int y) {
    if (GradientDragging) PickAt(x, y);
}

void TfrmColorsCls::GradientRelease(int x, int y) {
    if (!GradientDragging) return;
    PickAt(x, y);
    GradientDragging = false;
}

// Fields ----------------------------------------------------------------------------

void TfrmColorsCls::SetFieldText(Field f, const std::string& text) {
    Fields[size_t(f)] = text;
    if (f == Field::Red || f == Field::Green || f == Field::Blue)
        RgbChanged(int(f));
    else
        HlsChanged(f);
}

void TfrmColorsCls::EnterField(Field f) {
    if (f == Field::Red || f == Field::Green || f == Field::Blue)
        EditStartValue[size_t(f)] = FieldValue(Fields[size_t(f)], 0, 255);
}

void TfrmColorsCls::PutRgb(uint32_t color) {
    const uint8_t parts[3] = {ColorRed(color), ColorGreen(color), ColorBlue(color)};
    for (int i = 0; i < 3; ++i) {
        Fields[size_t(i)] = std::to_string(parts[i]);
        RgbChanged(i);
    }
}

void TfrmColorsCls::RgbChanged(int field) {
    if (Syncing) return;
    Syncing = true;
    std::string& text = Fields[size_t(field)];
    long long v = 0;
    if (!ParseWhole(text, v)) {
        editor_.Desktop().Beep();
        v = EditStartValue[size_t(field)];
        text = std::to_string(v);
    } else if (v > 255) {
        editor_.Desktop().Beep();
        v = 255;
        text = "255";
    } else if (v < 0) {
        editor_.Desktop().Beep();
        v = 0;
        text = "0";
    }
    const uint32_t color = FieldColor();
    PreviewColor = color;
    EditStartValue[size_t(field)] = int(v);
    const HlsColor hls = RgbToHls(color);
    Fields[size_t(Field::Hue)] = std::to_string(hls.Hue);
    Fields[size_t(Field::Sat)] = std::to_string(hls.Sat);
    Fields[size_t(Field::Lum)] = std::to_string(hls.Lum);
    Syncing = false;
}

void TfrmColorsCls::HlsChanged(Field f) {
    if (Syncing) return;
    Syncing = true;
    std::string& text = Fields[size_t(f)];
    long long v = 0;
    if (!ParseWhole(text, v)) {
        editor_.Desktop().Beep();
        v = 120;
        text = "120";
    } else if (v > 240) {
        editor_.Desktop().Beep();
        v = 240;
        text = "240";
    } else if (v < 0) {
        editor_.Desktop().Beep();
        v = 0;
        text = "0";
    }
    if (f == Field::Sat) PlaceSatThumb(int(v));
    if (f == Field::Lum) PlaceLumThumb(int(v));
    ShowFromHls();
    Syncing = false;
}

void TfrmColorsCls::ShowFromHls() {
    const uint32_t color = HlsToRgb(FieldValue(Fields[size_t(Field::Hue)], 0, 240),
                                    FieldValue(Fields[size_t(Field::Lum)], 0, 240),
                                    FieldValue(Fields[size_t(Field::Sat)], 0, 240));
    PreviewColor = color;
    const uint8_t parts[3] = {ColorRed(color), ColorGreen(color), ColorBlue(color)};
    for (int i = 0; i < 3; ++i) {
        Fields[size_t(i)] = std::to_string(parts[i]);
        EditStartValue[size_t(i)] = parts[i];
    }
}

// Thumbs ------------------------------------------------------------------------------

void TfrmColorsCls::PlaceSatThumb(int sat) { SatThumb = std::clamp(sat * 10 / 48, 0, kThumbRange); }

void TfrmColorsCls::PlaceLumThumb(int lum) { LumThumb = std::clamp(kThumbRange - lum * 10 / 48, 0, kThumbRange); }

void TfrmColorsCls::MoveThumbTo(Thumb thumb, int position) {
    position = std::clamp(position, 0, kThumbRange);
    Syncing = true;
    if (thumb == Thumb::Saturation) {
        SatThumb = position;
        Fields[size_t(Field::Sat)] = std::to_string(position * 48 / 10);
    } else {
        LumThumb = position;
        Fields[size_t(Field::Lum)] = std::to_string((kThumbRange - position) * 48 / 10);
    }
    // The thumb stays where it was dragged; placing it again from the
    // truncated value would make it jump back a pixel.
    ShowFromHls();
    Syncing = false;
}

void TfrmColorsCls::ThumbPress(Thumb thumb) {
    ThumbDragging = true;
    DraggedThumb = thumb;
}

void TfrmColorsCls::ThumbMove(int p) {
    if (!ThumbDragging) return;
    const int position = DraggedThumb == Thumb::Saturation ? SatThumb : LumThumb;
    MoveThumbTo(DraggedThumb, position + p - kThumbSize / 2);
}

void TfrmColorsCls::ThumbRelease() { ThumbDragging = false; }

void TfrmColorsCls::ThumbBarClick(Thumb thumb, int along) { MoveThumbTo(thumb, along - kThumbSize / 2); }

// Swatches and buttons ------------------------------------------------------------------

void TfrmColorsCls::SwatchPress(int number) {
    if (number < 1 || number > kSwatchCount) return;
    SelectedSwatch = number;
    FramedSwatch = number;
    CurrentColor = Swatches[size_t(number - 1)].Color;
    PutRgb(CurrentColor);
    CustomAdded = false;
}

void TfrmColorsCls::SwatchRelease(int number) {
    if (number < 1 || number > kSwatchCount || Expanded) return;
    Apply();
    Closed = true;
}

int TfrmColorsCls::SwatchNeighbour(int from, int dx, int dy) const {
    if (from < 1 || from > kSwatchCount) return 1;
    constexpr int kColumns = 7, kRows = 6, kBasicRows = 5;
    int column, row;
    if (from < kFirstCustom) {
        column = (from - 1) / kBasicRows;
        row = (from - 1) % kBasicRows;
    } else {
        column = from - kFirstCustom;
        row = kBasicRows;
    }
    column = std::clamp(column + dx, 0, kColumns - 1);
    row = std::clamp(row + dy, 0, kRows - 1);
    return row < kBasicRows ? kBasicRows * column + row + 1 : kFirstCustom + column;
}

void TfrmColorsCls::MoveSwatch(int dx, int dy) { SwatchPress(SwatchNeighbour(FramedSwatch, dx, dy)); }

void TfrmColorsCls::EnterKey() {
    if (Expanded) {
        Ok();
        return;
    }
    // Nothing framed: there is no colour to take yet.
    if (FramedSwatch < 1) return;
    const int n = FramedSwatch;
    SwatchPress(n);
    SwatchRelease(n);
}

void TfrmColorsCls::DefineCustomColors() {
    Expanded = !Expanded;
    if (Expanded) {
        Width = Layout::Gradient.Right + 6;
        Height = Layout::OkButton.Bottom + 8;
        editor_.Session().ShowTip(Tip::ColorArrows);
    } else {
        Width = kSmallWidth;
        Height = kSmallHeight;
    }
}

void TfrmColorsCls::AddToCustomColors() {
    int n = kFirstCustom;
    if (SelectedSwatch >= kFirstCustom) {
        n = CustomAdded ? SelectedSwatch + 1 : SelectedSwatch;
        if (n > kSwatchCount) n = kFirstCustom;
    }
    SelectedSwatch = n;
    Swatches[size_t(n - 1)].Color = FieldColor();
    FramedSwatch = n;
    CustomAdded = true;
}

void TfrmColorsCls::ResetCustomColors() {
    for (int i = 0; i < 7; ++i) {
        Swatches[size_t(kFirstCustom - 1 + i)].Color = CustomGrey(i);
        editor_.Session().SetCustomColor(i, CustomGrey(i));
    }
}

void TfrmColorsCls::Ok() {
    CurrentColor = FieldColor();
    for (int i = 0; i < 7; ++i) editor_.Session().SetCustomColor(i, Swatches[size_t(kFirstCustom - 1 + i)].Color);
    Expanded = false;
    Apply();
    Closed = true;
}

void TfrmColorsCls::Cancel() { Closed = true; }

void TfrmColorsCls::LoseFocus() { Closed = true; }

void TfrmColorsCls::Apply() {
    editor_.pickedColor_ = CurrentColor;
    const ColorTarget target = editor_.pickerTarget_;
    if (IsMainWindowTarget(target)) {
        editor_.ApplyPickedColor(target, CurrentColor, true);
    } else if (designer_ && (target == ColorTarget::DesignerCaption || target == ColorTarget::DesignerShadow)) {
        if (target == ColorTarget::DesignerCaption)
            designer_->SetCaptionColor(CurrentColor);
        else
            designer_->SetShadowColor(CurrentColor);
        designer_->ComposeSample();
    }
    editor_.Session().SetGradientSaturation(SaturationBar);
}

}  // namespace orvane
