// The property palettes' and the selection's setters.
#include "app/PropertyPanels.h"

#include "app/EditorModel.h"

#include <algorithm>

namespace orvane {

namespace {

int Clamp(int value, ValueRange range) { return range.Clamp(value); }

}  // namespace

PropertyPanels::PropertyPanels(EditorModel& model) : model_(model), platform_(model.Desktop()) {}

PropertyPanels::Focus PropertyPanels::TakeFocusRequest() { return std::exchange(focusRequest_, Focus::None); }

bool PropertyPanels::MenuSizeEnabled() const { return !model_.Doc.Props.AutoSizeMenu; }
bool PropertyPanels::ButtonSizeEnabled() const { return !model_.Doc.Props.AutoSizeButtons; }
bool PropertyPanels::HighQualityScaling() const { return !model_.FastScaling; }

// Palette 1 ------------------------------------------------------------------------

void PropertyPanels::EnterTitleField() { model_.Session().ShowTip(Tip::MenuTitle); }

// Typing in the title and menu text counts as a change: otherwise closing the
// editor would lose what was typed without asking. Both fields arm the redraw
// even while the editor fills them, so the surface catches up with the text.
void PropertyPanels::SetTitle(const std::string& text) {
    if (!model_.Flags.Updating && model_.Doc.Props.Title == text) return;
    model_.RedrawCountdown = model_.RedrawDelay;
    if (model_.Flags.Updating) return;
    model_.Doc.Props.Title = text;
    model_.Flags.Modified = true;
}

void PropertyPanels::SetMenuText(const std::string& text) {
    if (!model_.Flags.Updating && model_.Doc.Props.MenuText == text && model_.TextLabel == text) return;
    model_.TextLabel = text;
    model_.RedrawCountdown = model_.RedrawDelay;
    if (model_.Flags.Updating) return;
    model_.Doc.Props.MenuText = text;
    model_.Doc.Menu.ShownText = text;
    model_.Flags.Modified = true;
}

// The title box shares the minimise box's handler: the selected button gets the
// minimise box's state again, which leaves it as it was.
void PropertyPanels::AnimateTitleClicked(bool titleBox, bool minimizeBox) {
    model_.Doc.Props.AnimateTitle = titleBox;
    if (model_.Flags.Updating) return;
    TOVMenu& m = model_.Doc.Menu;
    if (m.SelectedButton >= 1 && m.SelectedButton <= m.ButtonCount)
        m.Buttons[size_t(m.SelectedButton)].MinimizeOnClick = minimizeBox ? 1 : 0;
    model_.Flags.Modified = true;
}

void PropertyPanels::HoverButton(int slot) {
    const TOVMenu& m = model_.Doc.Menu;
    if (slot < 1 || slot > m.ButtonCount) return HoverBackground();
    const bool updating = model_.Flags.Updating;
    model_.Flags.Updating = true;
    model_.Doc.Menu.ShownText = model_.Doc.Props.MenuText;
    const std::string& description = m.Buttons[size_t(slot)].Description;
    if (!description.empty()) {
        if (model_.TextLabel != description) model_.TextLabel = description;
    } else if (model_.TextLabel != m.ShownText) {
        model_.TextLabel = m.ShownText;
    }
    model_.Flags.Updating = updating;
}

void PropertyPanels::HoverBackground() {
    if (model_.TextLabel != model_.Doc.Props.MenuText) model_.TextLabel = model_.Doc.Props.MenuText;
}

// Palette 2 ------------------------------------------------------------------------

void PropertyPanels::ChooseDisplayPosition(int code) {
    if (code < 0 || code >= kPositionCount) return;
    model_.Undo().Make();
    model_.Doc.Menu.Position = code;
    model_.Session().ShowTip(Tip::MenuPosition);
}

// Palette 3 ------------------------------------------------------------------------

void PropertyPanels::ChoosePreset(int index) {
    if (index < 0 || index >= int(model_.Presets.size())) return;
    model_.Undo().Make();
    model_.Doc.Props.MenuColor = model_.Presets[size_t(index)];
    model_.ColorSkin(true);
}

void PropertyPanels::SetAutoAdjust(bool on) {
    model_.Undo().Make();
    model_.Doc.Props.AutoAdjust = on;
    model_.ColorSkin(false);
    if (!on) model_.Session().ShowTip(Tip::AutoAdjust);
}

void PropertyPanels::EnterAnimationList() { model_.Undo().Make(); }

bool PropertyPanels::ChooseAnimation(int code) {
    if (model_.Flags.Updating || code < 0 || code > 14) return false;
    model_.Doc.Props.ButtonAnimation = code;
    model_.Flags.Modified = true;
    return true;
}

void PropertyPanels::SetTextBoxVisibility(int value) {
    if (model_.Flags.Updating) return;
    model_.Doc.Props.TextBoxVisibility = Clamp(value, kVisibilityRange);
    model_.Flags.Modified = true;
    model_.RedrawCountdown = model_.RedrawDelay;
}

void PropertyPanels::SetTitleBoxVisibility(int value) {
    if (model_.Flags.Updating) return;
    model_.Doc.Props.TitleBoxVisibility = Clamp(value, kVisibilityRange);
    model_.Flags.Modified = true;
    model_.RedrawCountdown = model_.RedrawDelay;
}

// Palette 4 ------------------------------------------------------------------------

void PropertyPanels::SliderFocus() { model_.Undo().Make(); }

void PropertyPanels::SetMenuWidth(int value) {
    if (model_.Flags.Updating) return;
    model_.Doc.Props.MenuWidth = Clamp(value, kMenuWidthRange);
    model_.Flags.Modified = true;
    const Bitmap& photo = model_.Doc.BackgroundPhoto;
    if (model_.PhotoControlsEnabled && model_.Doc.Props.PhotoAspect && !aspectAdjusting_ && !photo.IsEmpty()) {
        aspectAdjusting_ = true;
        SetMenuHeight(int(double(model_.Doc.Props.MenuWidth) * photo.Height() / photo.Width()));
        aspectAdjusting_ = false;
    }
    model_.RedrawCountdown = model_.RedrawDelay;
}

void PropertyPanels::SetMenuHeight(int value) {
    if (model_.Flags.Updating) return;
    model_.Doc.Props.MenuHeight = Clamp(value, kMenuHeightRange);
    model_.Flags.Modified = true;
    const Bitmap& photo = model_.Doc.BackgroundPhoto;
    if (model_.PhotoControlsEnabled && model_.Doc.Props.PhotoAspect && !aspectAdjusting_ && !photo.IsEmpty()) {
        aspectAdjusting_ = true;
        SetMenuWidth(int(double(model_.Doc.Props.MenuHeight) * photo.Width() / photo.Height()));
        aspectAdjusting_ = false;
    }
    model_.RedrawCountdown = model_.RedrawDelay;
}

void PropertyPanels::KeepPhotoAspect() {
    const Bitmap& menu = model_.Doc.MenuImage;
    const Bitmap& photo = model_.Doc.BackgroundPhoto;
    if (!model_.Doc.Props.PhotoAspect || menu.IsEmpty() || photo.IsEmpty()) return;
    // Keep the side that would otherwise shrink; the other follows the photo.
    MenuProperties& p = model_.Doc.Props;
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

void PropertyPanels::SetPhotoAspect(bool on) {
    model_.Undo().Make();
    model_.Doc.Props.PhotoAspect = on;
    KeepPhotoAspect();
    if (!on) model_.Session().ShowTip(Tip::PhotoAspect);
    model_.CreateSkin();
}

void PropertyPanels::SetAutoSizeMenu(bool on) {
    model_.Undo().Make();
    model_.Doc.Props.AutoSizeMenu = on;
    if (!model_.Flags.Updating) model_.CreateSkin();
    model_.Session().ShowTip(Tip::AutoSizeMenu);
}

void PropertyPanels::SetButtonWidth(int value) {
    if (model_.Flags.Updating) return;
    model_.Doc.Props.ButtonWidth = Clamp(value, kButtonWidthRange);
    // While auto-sized the render sets the size; only the user's drags count.
    if (!ButtonSizeEnabled()) return;
    model_.Flags.Modified = true;
    model_.RedrawCountdown = model_.RedrawDelay;
}

void PropertyPanels::SetButtonHeight(int value) {
    if (model_.Flags.Updating) return;
    model_.Doc.Props.ButtonHeight = Clamp(value, kButtonHeightRange);
    // While auto-sized the render sets the size; only the user's drags count.
    if (!ButtonSizeEnabled()) return;
    model_.Flags.Modified = true;
    model_.RedrawCountdown = model_.RedrawDelay;
}

void PropertyPanels::SetAutoSizeButtons(bool on) {
    model_.Undo().Make();
    model_.Doc.Props.AutoSizeButtons = on;
    if (on && !model_.Flags.Updating) model_.CreateSkin();
}

void PropertyPanels::SetButtonGap(int value) {
    if (model_.Flags.Updating) return;
    model_.Doc.Props.ButtonGap = Clamp(value, kButtonGapRange);
    model_.Flags.Modified = true;
    model_.RedrawCountdown = model_.RedrawDelay;
}

// Tools menu -------------------------------------------------------------------------

void PropertyPanels::ToggleHighQualityScaling() {
    model_.FastScaling = !model_.FastScaling;
    model_.PhotoChanged();
    model_.CreateSkin();
}

// Selection and fields -----------------------------------------------------------------

void PropertyPanels::PressButton(int slot) {
    if (slot < 1 || slot > model_.Doc.Menu.ButtonCount) return;
    model_.Doc.Menu.SelectedButton = slot;
    model_.Renderer.Layout.SelectionVisible = true;
}

void PropertyPanels::ClickButton(int slot) {
    PressButton(slot);
    model_.OpenPalette(EditorModel::ButtonProperties);
    focusRequest_ = Focus::Caption;
}

void PropertyPanels::ClickBackground() {
    model_.Doc.Menu.SelectedButton = 0;
    model_.Renderer.Layout.SelectionVisible = false;
}

void PropertyPanels::ClickMenuText() {
    model_.Doc.Menu.SelectedButton = 0;
    model_.Renderer.Layout.SelectionVisible = true;
    model_.OpenPalette(EditorModel::MenuDescription);
    focusRequest_ = Focus::MenuText;
}

void PropertyPanels::ClickTitle() {
    if (model_.IsMyBackground()) return;
    model_.Doc.Menu.SelectedButton = -1;
    model_.Renderer.Layout.SelectionVisible = true;
    model_.OpenPalette(EditorModel::MenuDescription);
    focusRequest_ = Focus::Title;
}

bool PropertyPanels::ReleaseOnSurface(int pressed, int x, int y) {
    const DesignLayout& layout = model_.Renderer.Layout;
    if (pressed) {
        // A press dragged off its button is no click.
        if (model_.ButtonAt(x, y) != pressed) return false;
        ClickButton(pressed);
    } else if (layout.MenuText.Contains(x, y)) {
        ClickMenuText();
    } else if (layout.TitleSelection.Contains(x, y)) {
        ClickTitle();
    } else if (x >= 0 && y >= 0 && x < model_.Doc.MenuImage.Width() && y < model_.Doc.MenuImage.Height()) {
        ClickBackground();
    } else {
        return false;
    }
    return true;
}

void PropertyPanels::SetCaption(const std::string& text) {
    TOVMenu& m = model_.Doc.Menu;
    if (model_.Flags.Updating || m.SelectedButton < 1) return;
    m.Buttons[size_t(m.SelectedButton)].Caption = text;
    model_.Flags.Modified = true;
    model_.RedrawCountdown = model_.RedrawDelay;
}

void PropertyPanels::SetCommand(const std::string& text) {
    TOVMenu& m = model_.Doc.Menu;
    if (model_.Flags.Updating || m.SelectedButton < 1) return;
    m.Buttons[size_t(m.SelectedButton)].Command = text;
    model_.Flags.Modified = true;
}

void PropertyPanels::SetArgument(const std::string& text) {
    TOVMenu& m = model_.Doc.Menu;
    if (model_.Flags.Updating || m.SelectedButton < 1) return;
    m.Buttons[size_t(m.SelectedButton)].Argument = text;
    model_.Flags.Modified = true;
}

void PropertyPanels::SetDescription(const std::string& text) {
    TOVMenu& m = model_.Doc.Menu;
    if (model_.Flags.Updating || m.SelectedButton < 1) return;
    m.Buttons[size_t(m.SelectedButton)].Description = text;
    model_.Flags.Modified = true;
}

void PropertyPanels::SetMinimizeOnClick(bool on) {
    TOVMenu& m = model_.Doc.Menu;
    if (model_.Flags.Updating || m.SelectedButton < 1) return;
    m.Buttons[size_t(m.SelectedButton)].MinimizeOnClick = on ? 1 : 0;
    model_.Flags.Modified = true;
}

void PropertyPanels::SetMaximizeWindow(bool on) {
    TOVMenu& m = model_.Doc.Menu;
    if (model_.Flags.Updating || m.SelectedButton < 1) return;
    m.Buttons[size_t(m.SelectedButton)].MaximizeWindow = on ? 1 : 0;
    model_.Flags.Modified = true;
}

void PropertyPanels::SetExitOnClick(bool on) {
    TOVMenu& m = model_.Doc.Menu;
    if (model_.Flags.Updating || m.SelectedButton < 1) return;
    m.Buttons[size_t(m.SelectedButton)].ExitOnClick = on ? 1 : 0;
    model_.Flags.Modified = true;
}

void PropertyPanels::SetAnimateTitle(bool on) {
    if (model_.Flags.Updating) return;
    model_.Doc.Props.AnimateTitle = on;
    model_.Flags.Modified = true;
}

void PropertyPanels::SetDisableSounds(bool on) {
    if (model_.Flags.Updating) return;
    model_.Doc.Props.DisableSounds = on;
    model_.Flags.Modified = true;
}

void PropertyPanels::ShowButtonProps() {
    const TOVMenu& m = model_.Doc.Menu;
    ButtonPanelFields& f = buttonPanel_;
    if (m.SelectedButton < 1 || m.SelectedButton > m.ButtonCount) {
        f.Caption.clear();
        f.Command.clear();
        f.Argument.clear();
        f.Description.clear();
        f.Minimize = false;
        f.Exit = false;  // the maximise box keeps its state
        return;
    }
    const TOVButton& b = m.Buttons[size_t(m.SelectedButton)];
    f = {b.Caption, b.Command, b.Argument, b.Description, b.MinimizeOnClick != 0, b.ExitOnClick != 0,
         b.MaximizeWindow != 0};
}

void PropertyPanels::QuickInfo() {
    ShowMessageBox(platform_,
                   "Typical use DOES NOT require any use of Commandline Arguments.\r\r"
                   "Use %CD% to indicate the CD drive, such that G:\\dir\\doc.ext would be %CD%:\\dir\\doc.ext\r"
                   " Please note the retention of the colon sign (:) in the argument above.\r\r"
                   "See Help for full instructions (Press F1 after you click OK below)",
                   MsgType::Information);
}

void PropertyPanels::EnterCommandField() {
    if (!model_.Flags.Updating) model_.Session().ShowTip(Tip::WizardButton);
}

void PropertyPanels::EnterArgumentField() {
    if (!model_.Flags.Updating) model_.Session().ShowTip(Tip::CommandArgument);
}

}  // namespace orvane
