// The handlers of the five property palettes: one undo step per change (per
// drag for sliders), a deferred redraw for typing and dragging, and no
// stores while the editor itself fills the controls.
#include "app/EditorModel.h"

#include <algorithm>

namespace orvane {

namespace {

int Clamp(int value, ValueRange range) { return range.Clamp(value); }

}  // namespace

// Palette 1 ------------------------------------------------------------------------

void EditorModel::EnterTitleField() { ShowTip(15); }

// Typing in the title and menu text counts as a change: otherwise closing the
// editor would lose what was typed without asking. Both fields arm the redraw
// even while the editor fills them, so the surface catches up with the text.
void EditorModel::SetTitle(const std::string& text) {
    if (!Flags.Updating && Doc.Props.Title == text) return;
    RedrawCountdown = RedrawDelay;
    if (Flags.Updating) return;
    Doc.Props.Title = text;
    Flags.Modified = true;
}

void EditorModel::SetMenuText(const std::string& text) {
    if (!Flags.Updating && Doc.Props.MenuText == text && TextLabel == text) return;
    TextLabel = text;
    RedrawCountdown = RedrawDelay;
    if (Flags.Updating) return;
    Doc.Props.MenuText = text;
    Doc.Menu.ShownText = text;
    Flags.Modified = true;
}

// The title box shares the minimise box's handler: the selected button gets the
// minimise box's state again, which leaves it as it was.
void EditorModel::AnimateTitleClicked(bool titleBox, bool minimizeBox) {
    Doc.Props.AnimateTitle = titleBox;
    if (Flags.Updating) return;
    TOVMenu& m = Doc.Menu;
    if (m.SelectedButton >= 1 && m.SelectedButton <= m.ButtonCount)
        m.Buttons[size_t(m.SelectedButton)].MinimizeOnClick = minimizeBox ? 1 : 0;
    Flags.Modified = true;
}

void EditorModel::HoverButton(int slot) {
    const TOVMenu& m = Doc.Menu;
    if (slot < 1 || slot > m.ButtonCount) return HoverBackground();
    const bool updating = Flags.Updating;
    Flags.Updating = true;
    Doc.Menu.ShownText = Doc.Props.MenuText;
    const std::string& description = m.Buttons[size_t(slot)].Description;
    if (!description.empty()) {
        if (TextLabel != description) TextLabel = description;
    } else if (TextLabel != m.ShownText) {
        TextLabel = m.ShownText;
    }
    Flags.Updating = updating;
}

void EditorModel::HoverBackground() {
    if (TextLabel != Doc.Props.MenuText) TextLabel = Doc.Props.MenuText;
}

// Palette 2 ------------------------------------------------------------------------

void EditorModel::ChooseDisplayPosition(int code) {
    if (code < 0 || code >= kPositionCount) return;
    UndoMake();
    Doc.Menu.Position = code;
    ShowTip(5);
}

// Palette 3 ------------------------------------------------------------------------

void EditorModel::ChoosePreset(int index) {
    if (index < 0 || index >= int(Presets.size())) return;
    UndoMake();
    Doc.Props.MenuColor = Presets[size_t(index)];
    ColorSkin(true);
}

void EditorModel::SetAutoAdjust(bool on) {
    UndoMake();
    Doc.Props.AutoAdjust = on;
    ColorSkin(false);
    if (!on) ShowTip(7);
}

void EditorModel::EnterAnimationList() { UndoMake(); }

bool EditorModel::ChooseAnimation(int code) {
    if (Flags.Updating || code < 0 || code > 14) return false;
    Doc.Props.ButtonAnimation = code;
    Flags.Modified = true;
    return true;
}

void EditorModel::SetTextBoxVisibility(int value) {
    if (Flags.Updating) return;
    Doc.Props.TextBoxVisibility = Clamp(value, kVisibilityRange);
    Flags.Modified = true;
    RedrawCountdown = RedrawDelay;
}

void EditorModel::SetTitleBoxVisibility(int value) {
    if (Flags.Updating) return;
    Doc.Props.TitleBoxVisibility = Clamp(value, kVisibilityRange);
    Flags.Modified = true;
    RedrawCountdown = RedrawDelay;
}

std::vector<AnimationMove> EditorModel::ButtAniPath(int windowWidth) {
    // The animation shows the current layout, not the one before the last edit.
    if (RedrawCountdown > 0) {
        RedrawCountdown = -1;
        CreateSkin();
    }
    std::vector<AnimationButton> buttons;
    for (int i = 1; i <= Doc.Menu.ButtonCount; ++i) {
        const Box& place = Renderer.Layout.Buttons[size_t(i)];
        const Bitmap& image = Doc.Menu.Buttons[size_t(i)].Images[0];
        buttons.push_back({place.Left, place.Top, image.Width(), image.Height()});
    }
    return ButtonAnimationPath(Doc.Props.ButtonAnimation, buttons, Doc.MenuImage.Width(), Doc.MenuImage.Height(),
                               windowWidth);
}

// Palette 4 ------------------------------------------------------------------------

void EditorModel::SliderFocus() { UndoMake(); }

void EditorModel::SetMenuWidth(int value) {
    if (Flags.Updating) return;
    Doc.Props.MenuWidth = Clamp(value, kMenuWidthRange);
    Flags.Modified = true;
    const Bitmap& photo = Doc.BackgroundPhoto;
    if (PhotoControlsEnabled && Doc.Props.PhotoAspect && !AspectAdjusting && !photo.IsEmpty()) {
        AspectAdjusting = true;
        SetMenuHeight(int(double(Doc.Props.MenuWidth) * photo.Height() / photo.Width()));
        AspectAdjusting = false;
    }
    RedrawCountdown = RedrawDelay;
}

void EditorModel::SetMenuHeight(int value) {
    if (Flags.Updating) return;
    Doc.Props.MenuHeight = Clamp(value, kMenuHeightRange);
    Flags.Modified = true;
    const Bitmap& photo = Doc.BackgroundPhoto;
    if (PhotoControlsEnabled && Doc.Props.PhotoAspect && !AspectAdjusting && !photo.IsEmpty()) {
        AspectAdjusting = true;
        SetMenuWidth(int(double(Doc.Props.MenuHeight) * photo.Width() / photo.Height()));
        AspectAdjusting = false;
    }
    RedrawCountdown = RedrawDelay;
}

void EditorModel::KeepPhotoAspect() {
    const Bitmap& menu = Doc.MenuImage;
    const Bitmap& photo = Doc.BackgroundPhoto;
    if (!Doc.Props.PhotoAspect || menu.IsEmpty() || photo.IsEmpty()) return;
    // Keep the side that would otherwise shrink; the other follows the photo.
    MenuProperties& p = Doc.Props;
    const double menuAspect = double(menu.Width()) / menu.Height();
    const double photoAspect = double(photo.Width()) / photo.Height();
    if (menuAspect > photoAspect) {
        p.MenuWidth = Clamp(menu.Width(), kMenuWidthRange);
        p.MenuHeight = Clamp(int(double(p.MenuWidth) * photo.Height() / photo.Width()), kMenuHeightRange);
    } else {
        p.MenuHeight = Clamp(menu.Height(), kMenuHeightRange);
        p.MenuWidth = Clamp(int(double(p.MenuHeight) * photo.Width() / photo.Height()), kMenuWidthRange);
    }
}

void EditorModel::SetPhotoAspect(bool on) {
    UndoMake();
    Doc.Props.PhotoAspect = on;
    KeepPhotoAspect();
    if (!on) ShowTip(10);
    CreateSkin();
}

void EditorModel::SetAutoSizeMenu(bool on) {
    UndoMake();
    Doc.Props.AutoSizeMenu = on;
    if (!Flags.Updating) CreateSkin();
    ShowTip(9);
}

void EditorModel::SetButtonWidth(int value) {
    if (Flags.Updating) return;
    Doc.Props.ButtonWidth = Clamp(value, kButtonWidthRange);
    // While auto-sized the render sets the size; only the user's drags count.
    if (!ButtonSizeEnabled()) return;
    Flags.Modified = true;
    RedrawCountdown = RedrawDelay;
}

void EditorModel::SetButtonHeight(int value) {
    if (Flags.Updating) return;
    Doc.Props.ButtonHeight = Clamp(value, kButtonHeightRange);
    // While auto-sized the render sets the size; only the user's drags count.
    if (!ButtonSizeEnabled()) return;
    Flags.Modified = true;
    RedrawCountdown = RedrawDelay;
}

void EditorModel::SetAutoSizeButtons(bool on) {
    UndoMake();
    Doc.Props.AutoSizeButtons = on;
    if (on && !Flags.Updating) CreateSkin();
}

void EditorModel::SetButtonGap(int value) {
    if (Flags.Updating) return;
    Doc.Props.ButtonGap = Clamp(value, kButtonGapRange);
    Flags.Modified = true;
    RedrawCountdown = RedrawDelay;
}

// Tools menu -------------------------------------------------------------------------

void EditorModel::ToggleHighQualityScaling() {
    FastScaling = !FastScaling;
    PhotoChanged();
    CreateSkin();
}

}  // namespace orvane
