#pragma once

#include "document/MenuType.h"
#include "document/UBmpArray.h"
#include "platform/Text.h"
#include "render/CoreGraphics.h"
#include "styles/StyleList.h"

#include <array>
#include <functional>
#include <string_view>

namespace orvane {

// What the design surface shows after a render: the positions and sizes of
// the menu-text labels, the title selection frame, the window-control example,
// the menu panel with its shadow and each button's preview.
struct DesignLayout {
    int TextPanel = 0;  // TW: the text panel spans x 0 to TW + 33
    int MenuWidth = 0;
    int MenuHeight = 0;
    Rect MenuText;        // lblMenuText
    Rect MenuTextShadow;  // lblMenuTxtShd
    Rect TitleSelection;  // imgTitleSel
    Rect WindowControls;  // imgMinEx
    bool WindowControlsVisible = false;
    Bitmap WindowControlsImage;
    Rect MenuPanel;        // pnlMenuBack
    Rect MenuPanelShadow;  // pnlMenuShd
    std::array<Rect, kMaxButtons + 1> Buttons{};  // previews of buttons 1 to 30
    std::array<bool, kMaxButtons + 1> ButtonVisible{};
    bool SelectionVisible = false;
};

// What one render reads besides the document.
struct SkinInputs {
    const MenuStyle& Style;       // the selected style: title font and place, mask
    bool IsMyBackground = false;  // no title is drawn
    bool CustomStyleSelected = false;
    const Bitmap* CustomMask = nullptr;  // the custom button mask carrier
    bool FastScaling = true;
    bool ReloadPhoto = true;  // read the photo afresh when smooth scaling
};

TextFont ToTextFont(const FontSpec& font);

// The line estimate of the auto-sized menu: how many lines text needs at a
// width, counting carriage returns and breaking before a word that would not
// fit a line already holding a word; at most 200.
int EstimateLines(const std::string& text, int width, const std::function<int(std::string_view)>& widthOf);

// Composes the menu window image, the button images and the design-surface
// layout from the document and the recoloured style sheet. Owns the working
// images for the editor's run.
class SkinRenderer {
public:
    SkinRenderer();

    TBmpArray SkinSheet;  // the selected style's artwork, recoloured
    TBmpArray MaskSheet;  // the photo style's mask, faded
    // A photo style's menu is blended in bands of rows, so the artwork and
    // the mask are never held at the menu's full size: at the largest menu
    // each would be 75 MB.
    static constexpr int kBandRows = 256;
    Bitmap SkinLayer, MaskLayer, SheetBackup, ButtonWork;
    // The photo at the menu's size when scaled fast; the smooth scaler's
    // result stays in its cache, which is then the one copy.
    Bitmap ScaledPhoto;
    std::array<Bitmap, 3> ButtonFaces;
    int AppliedTextVisibility = 100;
    int AppliedTitleVisibility = 100;
    CoreGraphics Graphics;
    DesignLayout Layout;

    // Text measurement; tests replace it with fixed metrics.
    std::function<TextExtent(const FontSpec&, std::string_view)> Measure;

    // Every step of a render: geometry, photo, buttons, glyphs, frame, title,
    // layout. Writes MenuImage, the buttons' images and places, the button
    // size when auto-sized, FirstButtonLeft/Top and TextRect.
    void CreateSkin(MenuDocument& doc, const SkinInputs& in);

    // The three state images of buttons 1 to N.
    void CreateSkinBtns(MenuDocument& doc, const SkinInputs& in, int bw, int bh, int gap, int firstTop, int left);

    // Copies a photo style's mask into MaskSheet and darkens its title and
    // text boxes by the two visibilities (0 to 100).
    void FadeMask(const Bitmap& styleMask, int textVisibility, int titleVisibility);

private:
    int Width(const FontSpec& font, std::string_view text) const { return Measure(font, text).Width; }
    int Height(const FontSpec& font, std::string_view text) const { return Measure(font, text).Height; }
    // The buttons' places in the layout and in the document.
    void PlaceButtons(MenuDocument& doc, int tw, int bw, int bh, int gap);
    // The artwork of a sheet cut into the menu's frame, for the menu's rows
    // from top on, as many as target has.
    void ComposeFrame(const MenuDocument& doc, const Bitmap& sheet, Bitmap& target, int top, int tw, int mw, int mh,
                      int bh, int gap);
    // The photo at the menu's size, wherever the last render left it.
    const Bitmap& Photo() const { return photo_ ? *photo_ : ScaledPhoto; }
    const Bitmap* photo_ = nullptr;
    void DrawCaption(Bitmap& target, const TOVButton& button, const FontSpec& font, int depth, uint32_t shadow,
                     int x, int y);
};

}  // namespace orvane
