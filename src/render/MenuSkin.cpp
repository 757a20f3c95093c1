#include "MenuSkin.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace orvane {
namespace {

constexpr int kCaptionMarginX = 11;
constexpr int kCaptionMarginY = 7;
constexpr int kMaxLines = 200;
constexpr int kTitleBand = 76;
constexpr int kFirstButtonTop = 92;

// The length of the UTF-8 sequence that starts at text[i].
size_t SequenceLength(std::string_view text, size_t i) {
    size_t end = i + 1;
    while (end < text.size() && (uint8_t(text[end]) & 0xC0) == 0x80) ++end;
    return end - i;
}

std::string WithoutAmpersands(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c != '&') out += c;
    return out;
}

void Copy(const Bitmap& sheet, Rect s, Bitmap& target, Rect d) { StretchCopy(sheet, s, target, d); }

}  // namespace

TextFont ToTextFont(const FontSpec& font) {
    return TextFont{font.Name, font.Size, font.Bold, font.Italic, font.Underline};
}

int EstimateLines(const std::string& text, int width, const std::function<int(std::string_view)>& widthOf) {
    int lines = 1;
    for (size_t at = text.find('\r'); at != std::string::npos && lines < kMaxLines; at = text.find('\r', at + 1))
        ++lines;

    std::string remaining = text;
    std::string line;
    int words = 0;
    while (lines < kMaxLines) {
        const size_t space = remaining.find(' ');
        const size_t p = space == std::string::npos ? 0 : space + 1;  // position from 1, 0 for none
        if (p == 0) {
            if (remaining.empty() || line.empty()) break;
            line += remaining;
            remaining.clear();
        }
        const std::string word = p > 1 ? remaining.substr(0, p - 1) : std::string();
        if (widthOf(line + word) > width && words > 0) {
            ++lines;
            words = 0;
            line.clear();
        } else {
            ++words;
            line += remaining.substr(0, p);
            remaining.erase(0, p);
        }
    }
    return lines;
}

SkinRenderer::SkinRenderer() {
    Measure = [](const FontSpec& font, std::string_view text) { return MeasureText(ToTextFont(font), text); };
    SkinSheet.Bitmap = Bitmap(kStyleSheetWidth, kStyleSheetHeight, 0xFFFFFF);
    MaskSheet.Bitmap = Bitmap(kStyleSheetWidth, kStyleSheetHeight, 0xFFFFFF);
}

void SkinRenderer::CreateSkin(MenuDocument& doc, const SkinInputs& in) {
    MenuProperties& p = doc.Props;
    TOVMenu& m = doc.Menu;
    const int n = std::clamp(m.ButtonCount, 1, kMaxButtons);
    const int gap = p.ButtonGap;
    Layout.SelectionVisible = false;

    // Button size.
    int bw = p.ButtonWidth, bh = p.ButtonHeight;
    if (p.AutoSizeButtons) {
        int widest = 0;
        for (int i = 1; i <= n; ++i) {
            Layout.ButtonVisible[size_t(i)] = false;
            widest = std::max(widest, Width(p.ButtonFont, m.Buttons[size_t(i)].Caption));
        }
        // A caption too long for the largest button is cut at its edge.
        bw = std::min(2 * kCaptionMarginX + widest, kLargestButtonWidth);
        bh = std::min(2 * kCaptionMarginY + Height(p.ButtonFont, m.Buttons[1].Caption), kButtonHeightRange.Max);
        p.ButtonWidth = bw;
        p.ButtonHeight = bh;
    }
    bw = std::max(bw, 1);
    bh = std::max(bh, 1);
    ButtonWork.SetSize(bw, bh);

    // Menu size.
    int tw, mw, mh;
    if (!p.AutoSizeMenu) {
        mw = p.MenuWidth;
        mh = p.MenuHeight;
        tw = mw - bw - 72;
    } else {
        tw = Width(p.TitleFont, p.Title) + 128 - (bw + 104);
        if (tw <= 128) tw = 128;
        int widest = Width(p.TextFont, p.MenuText);
        const std::string* widestText = &p.MenuText;
        for (int i = 1; i <= n; ++i) {
            const std::string& description = m.Buttons[size_t(i)].Description;
            const int w = Width(p.TextFont, description);
            if (w > widest) {
                widest = w;
                widestText = &description;
            }
        }
        // A button column shorter than one line of text counts as one line.
        const int lineHeight = std::max(1, Height(p.TextFont, "A"));
        const int lines0 = std::max(1, ((bh + gap) * n) / lineHeight);
        if (double(widest) / lines0 > tw) tw = 256;
        if (double(widest) / lines0 > tw) tw = 384;
        mw = tw + bw + 72;
        const int lines = EstimateLines(*widestText, tw - 15,
                                        [&](std::string_view text) { return Width(p.TextFont, text); });
        const int textBlock = Height(p.TextFont, "X") * (lines + 1) + 40;
        const int column = (bh + gap) * n;
        mh = column > textBlock ? column + 109 : textBlock + 109;

        const Bitmap& photo = doc.BackgroundPhoto;
        if (p.PhotoAspect && p.PhotoSkin && !photo.IsEmpty()) {
            const double ratio = double(photo.Width()) / photo.Height();
            if (double(mw) / mh <= ratio) {
                mw = int(std::min(std::trunc(mh * ratio), double(kLargestMenuWidth)));
                tw = mw - bw - 72;
            } else {
                mh = int(std::min(std::trunc(mw * (double(photo.Height()) / photo.Width())), double(kLargestMenuHeight)));
            }
        }
        // Long titles and texts stop growing the menu at its largest size;
        // the layout shrinks with it, so everything stays inside the picture.
        if (mw > kLargestMenuWidth) {
            mw = kLargestMenuWidth;
            tw = mw - bw - 72;
        }
        mh = std::min(mh, kLargestMenuHeight);
    }
    mw = std::clamp(mw, 1, kMaxBitmapSide);
    mh = std::clamp(mh, 1, kMaxBitmapSide);
    Layout.TextPanel = tw;
    Layout.MenuWidth = mw;
    Layout.MenuHeight = mh;

    // Menu text labels; the text itself is drawn by whoever shows the menu.
    Layout.MenuText = Rect::FromSize(24, 109, tw - 15, mh - 135);
    Layout.MenuTextShadow = Layout.MenuText.Moved(m.TextShadowDepth, m.TextShadowDepth);
    p.TextRect = {24, 109, tw - 15, mh - 135};
    p.FirstButtonLeft = tw + 52;
    p.FirstButtonTop = kFirstButtonTop;

    // Photo: one copy at the menu's size.
    photo_ = nullptr;
    if (p.PhotoSkin) {
        if (doc.BackgroundPhoto.IsEmpty()) {
            ScaledPhoto = Bitmap(mw, mh, 0xFFFFFF);
        } else if (in.FastScaling) {
            // A smooth result for another photo or size is of no more use.
            if (Graphics.ScaleCacheDirty || Graphics.ScaleCacheWidth != mw || Graphics.ScaleCacheHeight != mh) {
                Graphics.ScaleCache = Bitmap();
                Graphics.ScaleCacheDirty = true;
            }
            Graphics.ScaleFast(doc.BackgroundPhoto, ScaledPhoto, mw, mh, in.ReloadPhoto);
        } else {
            Graphics.ScaleSmooth(doc.BackgroundPhoto, Graphics.ScaleCache, mw, mh, in.ReloadPhoto);
            photo_ = &Graphics.ScaleCache;
            ScaledPhoto = Bitmap();
        }
    }

    CreateSkinBtns(doc, in, bw, bh, gap, kFirstButtonTop, tw + 52);

    // Window-control glyphs: the example on the surface and slot 31's strip.
    const Bitmap& sheet = SkinSheet.Bitmap;
    Layout.WindowControlsVisible = false;
    if (!p.PhotoSkin) {
        Layout.WindowControls = Rect::FromSize(mw - 22, 5, 17, 9);
        Layout.WindowControlsImage.SetSize(17, 9);
        Copy(sheet, {96, 162, 113, 171}, Layout.WindowControlsImage, {0, 0, 17, 9});
        auto& strip = m.Buttons[kControlSlot].Images;
        for (int s = 0; s < 3; ++s) {
            if (strip[size_t(s)].Width() != 21 || strip[size_t(s)].Height() != 9) strip[size_t(s)] = Bitmap(21, 9);
            Copy(sheet, {96, 162 + 9 * s, 113, 171 + 9 * s}, strip[size_t(s)], {0, 0, 17, 9});
        }
        Layout.WindowControlsVisible = true;
    }

    // Composition: the artwork; for photo styles, band by band, the artwork
    // and the mask with the same geometry, and the photo blended through it.
    PlaceButtons(doc, tw, bw, bh, gap);
    Bitmap& menu = doc.MenuImage;
    menu.SetSize(mw, mh);
    if (!p.PhotoSkin) {
        ComposeFrame(doc, SkinSheet.Bitmap, menu, 0, tw, mw, mh, bh, gap);
    } else {
        const Bitmap& photo = Photo();
        for (int top = 0; top < mh; top += kBandRows) {
            const int rows = std::min(kBandRows, mh - top);
            SkinLayer.SetSize(mw, rows);
            MaskLayer.SetSize(mw, rows);
            ComposeFrame(doc, SkinSheet.Bitmap, SkinLayer, top, tw, mw, mh, bh, gap);
            ComposeFrame(doc, MaskSheet.Bitmap, MaskLayer, top, tw, mw, mh, bh, gap);
            Graphics.MaskBlend(photo, SkinLayer, MaskLayer, SkinLayer, 0, top);
            for (int y = 0; y < rows; ++y)
                std::memcpy(menu.Row(top + y), SkinLayer.Row(y), size_t(mw) * sizeof(uint32_t));
        }
    }

    // Title.
    if (!in.IsMyBackground) {
        const FontSpec& font = p.TitleFont;
        const TextExtent extent = Measure(font, p.Title);
        const int x = AlignedX(font.Alignment, mw, extent.Width, in.Style.TitleLeft, 36);
        const int y = font.Size == in.Style.TitleFont.Size ? in.Style.TitleTop : (kTitleBand - extent.Height) / 2;
        const TextFont text = ToTextFont(font);
        const int depth = m.TitleShadowDepth;
        if (depth > 0) DrawTransparentText(doc.MenuImage, x + depth, y + depth, text, p.TitleShadowColor, p.Title);
        DrawTransparentText(doc.MenuImage, x, y, text, font.Color, p.Title);
        Layout.TitleSelection = Rect::FromSize(x - 4, y - 2, extent.Width + 8, extent.Height + 4);
    }

    Layout.MenuPanel = Rect::FromSize(4, 4, mw, mh);
    Layout.MenuPanelShadow = Layout.MenuPanel.Moved(4, 4);
    Layout.SelectionVisible = m.SelectedButton > 0;
}

void SkinRenderer::PlaceButtons(MenuDocument& doc, int tw, int bw, int bh, int gap) {
    TOVMenu& m = doc.Menu;
    const int n = std::clamp(m.ButtonCount, 1, kMaxButtons);
    for (int i = 1; i <= n; ++i) {
        const int y = kFirstButtonTop + (i - 1) * (bh + gap);
        TOVButton& b = m.Buttons[size_t(i)];
        b.Left = tw + 52;
        b.Top = y;
        Layout.Buttons[size_t(i)] = Rect::FromSize(tw + 52, y, bw, bh);
        Layout.ButtonVisible[size_t(i)] = true;
    }
    for (int i = n + 1; i <= kMaxButtons; ++i) Layout.ButtonVisible[size_t(i)] = false;
}

void SkinRenderer::ComposeFrame(const MenuDocument& doc, const Bitmap& sheet, Bitmap& target, int top, int tw,
                                int mw, int mh, int bh, int gap) {
    const int n = std::clamp(doc.Menu.ButtonCount, 1, kMaxButtons);
    target.Fill(0xFFFFFF);
    // Each piece lands at its place in the menu, moved up to the target's first row.
    auto piece = [&](Rect s, Rect d) { StretchCopy(sheet, s, target, {d.Left, d.Top - top, d.Right, d.Bottom - top}); };

    const struct Piece {
        Rect s, d;
    } frame[] = {
        {{64, 0, 72, 76}, {8, 0, mw - 8, 76}},
        {{0, 0, 64, 76}, {0, 0, 64, 76}},
        {{72, 0, 136, 76}, {mw - 64, 0, mw, 76}},
        {{33, 76, 46, 117}, {33, 76, tw, 117}},
        {{33, 129, 46, 162}, {33, mh - 33, tw, mh}},
        {{0, 117, 33, 129}, {0, 117, 33, mh - 33}},
        {{46, 117, 79, 129}, {tw, 117, tw + 33, mh - 33}},
        {{33, 117, 46, 129}, {33, 117, tw, mh - 33}},
        {{0, 76, 33, 117}, {0, 76, 33, 117}},
        {{0, 129, 33, 162}, {0, mh - 33, 33, mh}},
        {{46, 76, 79, 117}, {tw, 76, tw + 33, 117}},
        {{46, 129, 79, 162}, {tw, mh - 33, tw + 33, mh}},
        {{103, 76, 112, 92}, {tw + 57, 76, mw - 24, 92}},
        {{79, 76, 103, 92}, {tw + 33, 76, tw + 57, 92}},
        {{112, 76, 136, 92}, {mw - 24, 76, mw, 92}},
    };
    for (const Piece& p : frame) piece(p.s, p.d);

    for (int i = 1; i <= n; ++i) {
        const int y = kFirstButtonTop + (i - 1) * (bh + gap);
        piece({103, 92, 112, 124}, {tw + 57, y, mw - 24, y + bh});
        piece({79, 92, 103, 124}, {tw + 33, y, tw + 57, y + bh});
        piece({112, 92, 136, 124}, {mw - 24, y, mw, y + bh});
        if (i < n) {
            piece({103, 124, 112, 140}, {tw + 57, y + bh, mw - 24, y + bh + gap});
            piece({79, 124, 103, 140}, {tw + 33, y + bh, tw + 57, y + bh + gap});
            piece({112, 124, 136, 140}, {mw - 24, y + bh, mw, y + bh + gap});
        }
    }

    const int e = (bh + gap) * n + kFirstButtonTop - gap;
    piece({103, 140, 112, 146}, {tw + 57, e, mw - 24, mh - 16});
    piece({79, 140, 103, 146}, {tw + 33, e, tw + 57, mh - 16});
    piece({112, 140, 136, 146}, {mw - 24, e, mw, mh - 16});
    piece({103, 146, 112, 162}, {tw + 57, mh - 16, mw - 24, mh});
    piece({79, 146, 103, 162}, {tw + 33, mh - 16, tw + 57, mh});
    piece({112, 146, 136, 162}, {mw - 24, mh - 16, mw, mh});
}

namespace {

// The nine pieces of the face of one state, cut from a sheet.
void ComposeFace(const Bitmap& sheet, int state, Bitmap& face) {
    const int a = 32 * state;
    const int w = face.Width(), h = face.Height();
    face.Fill(0xFFFFFF);
    const struct {
        Rect s, d;
    } pieces[] = {
        {{a + 11, 173, a + 21, 183}, {11, 5, w - 11, h - 4}},
        {{a + 11, 162, a + 21, 173}, {11, 0, w - 10, 11}},
        {{a + 11, 183, a + 21, 194}, {11, h - 11, w - 10, h}},
        {{a, 173, a + 11, 183}, {0, 10, 11, h - 10}},
        {{a + 21, 173, a + 32, 183}, {w - 11, 10, w, h - 10}},
        {{a, 162, a + 11, 173}, {0, 0, 11, 11}},
        {{a + 21, 162, a + 32, 173}, {w - 11, 0, w, 11}},
        {{a, 183, a + 11, 194}, {0, h - 11, 11, h}},
        {{a + 21, 183, a + 32, 194}, {w - 11, h - 11, w, h}},
    };
    for (const auto& piece : pieces) StretchCopy(sheet, piece.s, face, piece.d);
}

}  // namespace

void SkinRenderer::CreateSkinBtns(MenuDocument& doc, const SkinInputs& in, int bw, int bh, int gap, int firstTop,
                                  int left) {
    const MenuProperties& p = doc.Props;
    TOVMenu& m = doc.Menu;
    const int n = std::clamp(m.ButtonCount, 1, kMaxButtons);
    const FontSpec& font = p.ButtonFont;

    for (int s = 0; s < 3; ++s) {
        Bitmap& face = ButtonFaces[size_t(s)];
        face.SetSize(bw, bh);
        ComposeFace(SkinSheet.Bitmap, s, face);
        if (p.PhotoSkin) {
            SkinLayer = face;
            const Bitmap* mask = in.CustomStyleSelected && in.CustomMask ? in.CustomMask : &in.Style.Mask;
            if (mask->Width() >= kStyleSheetWidth && mask->Height() >= kStyleSheetHeight)
                ComposeFace(*mask, s, face);
            else
                face.Fill(0xFFFFFF);
            MaskLayer = face;
        }

        const int y0 = p.AutoSizeButtons ? kCaptionMarginY : (bh - Height(font, "X")) / 2;
        for (int i = 1; i <= n; ++i) {
            TOVButton& button = m.Buttons[size_t(i)];
            if (p.PhotoSkin) {
                // The face carries the part of the photo behind this button.
                const int top = firstTop + (i - 1) * (bh + gap);
                const Bitmap& photo = Photo();
                if (left >= 0 && top >= 0 && left + bw <= photo.Width() && top + bh <= photo.Height()) {
                    Graphics.MaskBlend(photo, SkinLayer, MaskLayer, face, left, top);
                } else {
                    // A button reaching past the menu: the photo where it lies, white beyond.
                    Bitmap patch(bw, bh, 0xFFFFFF);
                    StretchCopy(photo, {left, top, left + bw, top + bh}, patch, {0, 0, bw, bh});
                    Graphics.MaskBlend(patch, SkinLayer, MaskLayer, face, 0, 0);
                }
            }
            ButtonWork = face;
            const std::string plain = WithoutAmpersands(button.Caption);
            const int width = Width(font, plain);
            int x = AlignedX(font.Alignment, bw, width, kCaptionMarginX, kCaptionMarginX);
            int y = y0;
            if (s == 2) {
                ++x;
                ++y;
            }
            DrawCaption(ButtonWork, button, font, m.ButtonShadowDepth, p.ButtonShadowColor, x, y);
            button.Images[size_t(s)] = ButtonWork;
        }
    }
}

void SkinRenderer::DrawCaption(Bitmap& target, const TOVButton& button, const FontSpec& font, int depth,
                               uint32_t shadow, int x, int y) {
    const std::string& c = button.Caption;
    const TextFont plain = ToTextFont(font);
    FontSpec underlinedSpec = font;
    underlinedSpec.Underline = true;
    const size_t amp = c.find('&');
    if (amp == std::string::npos) {
        if (depth > 0) DrawTransparentText(target, x + depth, y + depth, plain, shadow, c);
        DrawTransparentText(target, x, y, plain, font.Color, c);
        return;
    }
    // Three runs: before the "&", the access key underlined, the rest.
    TextFont underlined = plain;
    underlined.Underline = true;
    const std::string_view all(c);
    const std::string_view first = all.substr(0, amp);
    const size_t keyAt = amp + 1;
    const std::string_view key = keyAt < c.size() ? all.substr(keyAt, SequenceLength(all, keyAt)) : std::string_view();
    const std::string_view rest = keyAt + key.size() < c.size() ? all.substr(keyAt + key.size()) : std::string_view();
    auto runs = [&](int ox, int oy, uint32_t colour) {
        int pen = ox;
        DrawTransparentText(target, pen, oy, plain, colour, first);
        pen += Width(font, first);
        DrawTransparentText(target, pen, oy, underlined, colour, key);
        pen += Width(underlinedSpec, key);
        DrawTransparentText(target, pen, oy, plain, colour, rest);
    };
    if (depth > 0) runs(x + depth, y + depth, shadow);
    runs(x, y, font.Color);
}

void SkinRenderer::FadeMask(const Bitmap& styleMask, int textVisibility, int titleVisibility) {
    AppliedTextVisibility = textVisibility;
    AppliedTitleVisibility = titleVisibility;
    MaskSheet.Bitmap = styleMask;
    if (styleMask.Width() < kStyleSheetWidth || styleMask.Height() < kStyleSheetHeight) {
        MaskSheet.Bitmap = Bitmap(kStyleSheetWidth, kStyleSheetHeight, 0xFFFFFF);
        return;
    }
    MaskSheet.FromBitmap();
    auto fade = [&](int x0, int x1, int y0, int y1, int visibility) {
        const float f = float(visibility) / 100.0f;
        for (int x = x0; x <= x1; ++x) {
            for (int y = y0; y <= y1; ++y) {
                uint32_t& px = MaskSheet.Pixel(x, y);
                const float b0 = float(PixelBlue(px)) * f;
                const float b1 = float(PixelGreen(px)) * f;
                const float b2 = float(PixelRed(px)) * f;
                // Bytes 0 and 2 change places; on a grey mask that changes nothing.
                px = uint32_t(uint8_t(b2)) | (uint32_t(uint8_t(b1)) << 8) | (uint32_t(uint8_t(b0)) << 16);
            }
        }
    };
    fade(12, 78, 76, 149, textVisibility);
    fade(12, 123, 12, 75, titleVisibility);
    MaskSheet.ToBitmap();
}

}  // namespace orvane
