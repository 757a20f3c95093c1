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

bool PropertyPanels::MenuSizeEnabled() const { return !model_.doc_.Props.AutoSizeMenu; }
bool PropertyPanels::ButtonSizeEnabled() const { return !model_.doc_.Props.AutoSizeButtons; }
bool PropertyPanels::HighQualityScaling() const { return !model_.fastScaling_; }

// Palette 1 ------------------------------------------------------------------------

void PropertyPanels::EnterTitleField() { model_.Session().ShowTip(Tip::MenuTitle); }

// Typing in the title and menu text counts as a change: otherwise closing the
// editor would lose what was typed without asking. Both fields arm the redraw
// even while the editor fills them, so the surface catches up with the text.
void PropertyPanels::SetTitle(const std::string& text) {
    if (!model_.flags_.Updating && model_.doc_.Props.Title == text) return;
    model_.redrawCountdown_ = model_.RedrawDelay;
    if (model_.flags_.Updating) return;
    model_.doc_.Props.Title = text;
    model_.flags_.Modified = true;
}

void PropertyPanels::SetMenuText(const std::string& text) {
    if (!model_.flags_.Updating && model_.doc_.Props.MenuText == text && model_.textLabel_ == text) return;
    model_.textLabel_ = text;
    model_.redrawCountdown_ = model_.RedrawDelay;
    if (model_.flags_.Updating) return;
    model_.doc_.Props.MenuText = text;
    model_.doc_.Menu.ShownText = text;
    model_.flags_.Modified = true;
}

// The title box shares the minimise box's handler: the selected button gets the
// minimise box's state again, which leaves it as it was.
void PropertyPanels::AnimateTitleClicked(bool titleBox, bool minimizeBox) {
    model_.doc_.Props.AnimateTitle = titleBox;
    if (model_.flags_.Updating) return;
    TOVMenu& m = model_.doc_.Menu;
    if (m.SelectedButton >= 1 && m.SelectedButton <= m.ButtonCount)
        m.Buttons[size_t(m.SelectedButton)].MinimizeOnClick = minimizeBox ? 1 : 0;
    model_.flags_.Modified = true;
}

void PropertyPanels::HoverButton(int slot) {
    const TOVMenu& m = model_.doc_.Menu;
    if (slot < 1 || slot > m.ButtonCount) return HoverBackground();
    const bool updating = model_.flags_.Updating;
    model_.flags_.Updating = true;
    model_.doc_.Menu.ShownText = model_.doc_.Props.MenuText;
    const std::string& description = m.Buttons[size_t(slot)].Description;
    if (!description.empty()) {
        if (model_.textLabel_ != description) model_.textLabel_ = description;
    } else if (model_.textLabel_ != m.ShownText) {
        model_.textLabel_ = m.ShownText;
    }
    model_.flags_.Updating = updating;
}

void PropertyPanels::HoverBackground() {
    if (model_.textLabel_ != model_.doc_.Props.MenuText) model_.textLabel_ = model_.doc_.Props.MenuText;
}

// Palette 2 ------------------------------------------------------------------------

void PropertyPanels::ChooseDisplayPosition(int code) {
    if (code < 0 || code >= kPositionCount) return;
    model_.Undo().Make();
    model_.doc_.Menu.Position = code;
    model_.Session().ShowTip(Tip::MenuPosition);
}

// Palette 3 ------------------------------------------------------------------------

void PropertyPanels::ChoosePreset(int index) {
    if (index < 0 || index >= int(model_.presets_.size())) return;
    model_.Undo().Make();
    model_.doc_.Props.MenuColor = model_.presets_[size_t(index)];
    model_.ColorSkin(true);
}

void PropertyPanels::SetAutoAdjust(bool on) {
    model_.Undo().Make();
    model_.doc_.Props.AutoAdjust = on;
    model_.ColorSkin(false);
    if (!on) model_.Session().ShowTip(Tip::AutoAdjust);
}

void PropertyPanels::EnterAnimationList() { model_.Undo().Make(); }

bool PropertyPanels::ChooseAnimation(int code) {
    if (model_.flags_.Updating || code < 0 || code > 14) return false;
    model_.doc_.Props.ButtonAnimation = code;
    model_.flags_.Modified = true;
    return true;
}

void PropertyPanels::SetTextBoxVisibility(int value) {
    if (model_.flags_.Updating) return;
    model_.doc_.Props.TextBoxVisibility = Clamp(value, kVisibilityRange);
    model_.flags_.Modified = true;
    model_.redrawCountdown_ = model_.RedrawDelay;
}

void PropertyPanels::SetTitleBoxVisibility(int value) {
    if (model_.flags_.Updating) return;
    model_.doc_.Props.TitleBoxVisibility = Clamp(value, kVisibilityRange);
    model_.flags_.Modified = true;
    model_.redrawCountdown_ = model_.RedrawDelay;
}

// Palette 4 ------------------------------------------------------------------------

void PropertyPanels::SliderFocus() { model_.Undo().Make(); }

void PropertyPanels::SetMenuWidth(int value) {
    if (model_.flags_.Updating) return;
    model_.doc_.Props.MenuWidth = Clamp(value, kMenuWidthRange);
    model_.flags_.Modified = true;
    const Bitmap& photo = model_.doc_.BackgroundPhoto;
    if (model_.photoControlsEnabled_ && model_.doc_.Props.PhotoAspect && !aspectAdjusting_ && !photo.IsEmpty()) {
        aspectAdjusting_ = true;
        SetMenuHeight(int(double(model_.doc_.Props.MenuWidth) * photo.Height() / photo.Width()));
        aspectAdjusting_ = false;
    }
    model_.redrawCountdown_ = model_.RedrawDelay;
}

void PropertyPanels::SetMenuHeight(int value) {
    if (model_.flags_.Updating) return;
    model_.doc_.Props.MenuHeight = Clamp(value, kMenuHeightRange);
    model_.flags_.Modified = true;
    const Bitmap& photo = model_.doc_.BackgroundPhoto;
    if (model_.photoControlsEnabled_ && model_.doc_.Props.PhotoAspect && !aspectAdjusting_ && !photo.IsEmpty()) {
        aspectAdjusting_ = true;
        SetMenuWidth(int(double(model_.doc_.Props.MenuHeight) * photo.Width() / photo.Height()));
        aspectAdjusting_ = false;
    }
    model_.redrawCountdown_ = model_.RedrawDelay;
}

void PropertyPanels::KeepPhotoAspect() {
    const Bitmap& menu = model_.doc_.MenuImage;
    const Bitmap& photo = model_.doc_.BackgroundPhoto;
    if (!model_.doc_.Props.PhotoAspect || menu.IsEmpty() || photo.IsEmpty()) return;
    // Keep the side that would otherwise shrink; the other follows the photo.
    MenuProperties& p = model_.doc_.Props;
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
    model_.doc_.Props.PhotoAspect = on;
    KeepPhotoAspect();
    if (!on) model_.Session().ShowTip(Tip::PhotoAspect);
    model_.CreateSkin();
}

void PropertyPanels::SetAutoSizeMenu(bool on) {
    model_.Undo().Make();
    model_.doc_.Props.AutoSizeMenu = on;
    if (!model_.flags_.Updating) model_.CreateSkin();
    model_.Session().ShowTip(Tip::AutoSizeMenu);
}

void PropertyPanels::SetButtonWidth(int value) {
    if (model_.flags_.Updating) return;
    model_.doc_.Props.ButtonWidth = Clamp(value, kButtonWidthRange);
    // While auto-sized the render sets the size; only the user's drags count.
    if (!ButtonSizeEnabled()) return;
    model_.flags_.Modified = true;
    model_.redrawCountdown_ = model_.RedrawDelay;
}

void PropertyPanels::SetButtonHeight(int value) {
    if (model_.flags_.Updating) return;
    model_.doc_.Props.ButtonHeight = Clamp(value, kButtonHeightRange);
    // While auto-sized the render sets the size; only the user's drags count.
    if (!ButtonSizeEnabled()) return;
    model_.flags_.Modified = true;
    model_.redrawCountdown_ = model_.RedrawDelay;
}

void PropertyPanels::SetAutoSizeButtons(bool on) {
    model_.Undo().Make();
    model_.doc_.Props.AutoSizeButtons = on;
    if (on && !model_.flags_.Updating) model_.CreateSkin();
}

void PropertyPanels::SetButtonGap(int value) {
    if (model_.flags_.Updating) return;
    model_.doc_.Props.ButtonGap = Clamp(value, kButtonGapRange);
    model_.flags_.Modified = true;
    model_.redrawCountdown_ = model_.RedrawDelay;
}

// Tools menu -------------------------------------------------------------------------

void PropertyPanels::ToggleHighQualityScaling() {
    model_.fastScaling_ = !model_.fastScaling_;
    model_.PhotoChanged();
    model_.CreateSkin();
}

// Selection and fields -----------------------------------------------------------------

void PropertyPanels::PressButton(int slot) {
    if (slot < 1 || slot > model_.doc_.Menu.ButtonCount) return;
    model_.doc_.Menu.SelectedButton = slot;
    model_.renderer_.Layout.SelectionVisible = true;
}

void PropertyPanels::ClickButton(int slot) {
    PressButton(slot);
    model_.OpenPalette(EditorModel::ButtonProperties);
    focusRequest_ = Focus::Caption;
}

void PropertyPanels::ClickBackground() {
    model_.doc_.Menu.SelectedButton = 0;
    model_.renderer_.Layout.SelectionVisible = false;
}

void PropertyPanels::ClickMenuText() {
    model_.doc_.Menu.SelectedButton = 0;
    model_.renderer_.Layout.SelectionVisible = true;
    model_.OpenPalette(EditorModel::MenuDescription);
    focusRequest_ = Focus::MenuText;
}

void PropertyPanels::ClickTitle() {
    if (model_.IsMyBackground()) return;
    model_.doc_.Menu.SelectedButton = -1;
    model_.renderer_.Layout.SelectionVisible = true;
    model_.OpenPalette(EditorModel::MenuDescription);
    focusRequest_ = Focus::Title;
}

bool PropertyPanels::ReleaseOnSurface(int pressed, int x, int y) {
    const DesignLayout& layout = model_.renderer_.Layout;
    if (pressed) {
        // A press dragged off its button is no click.
        if (model_.ButtonAt(x, y) != pressed) return false;
        ClickButton(pressed);
    } else if (layout.MenuText.Contains(x, y)) {
        ClickMenuText();
    } else if (layout.TitleSelection.Contains(x, y)) {
        ClickTitle();
    } else if (x >= 0 && y >= 0 && x < model_.doc_.MenuImage.Width() && y < model_.doc_.MenuImage.Height()) {
        ClickBackground();
    } else {
        return false;
    }
    return true;
}

void PropertyPanels::SetCaption(const std::string& text) {
    TOVMenu& m = model_.doc_.Menu;
    if (model_.flags_.Updating || m.SelectedButton < 1) return;
    m.Buttons[size_t(m.SelectedButton)].Caption = text;
    model_.flags_.Modified = true;
    model_.redrawCountdown_ = model_.RedrawDelay;
}

void PropertyPanels::SetCommand(const std::string& text) {
    TOVMenu& m = model_.doc_.Menu;
    if (model_.flags_.Updating || m.SelectedButton < 1) return;
    m.Buttons[size_t(m.SelectedButton)].Command = text;
    model_.flags_.Modified = true;
}

void PropertyPanels::SetArgument(const std::string& text) {
    TOVMenu& m = model_.doc_.Menu;
    if (model_.flags_.Updating || m.SelectedButton < 1) return;
    m.Buttons[size_t(m.SelectedButton)].Argument = text;
    model_.flags_.Modified = true;
}

void PropertyPanels::SetDescription(const std::string& text) {
    TOVMenu& m = model_.doc_.Menu;
    if (model_.flags_.Updating || m.SelectedButton < 1) return;
    m.Buttons[size_t(m.SelectedButton)].Description = text;
    model_.flags_.Modified = true;
}

void PropertyPanels::SetMinimizeOnClick(bool on) {
    TOVMenu& m = model_.doc_.Menu;
    if (model_.flags_.Updating || m.SelectedButton < 1) return;
    m.Buttons[size_t(m.SelectedButton)].MinimizeOnClick = on ? 1 : 0;
    model_.flags_.Modified = true;
}

void PropertyPanels::SetMaximizeWindow(bool on) {
    TOVMenu& m = model_.doc_.Menu;
    if (model_.flags_.Updating || m.SelectedButton < 1) return;
    m.Buttons[size_t(m.SelectedButton)].MaximizeWindow = on ? 1 : 0;
    model_.flags_.Modified = true;
}

void PropertyPanels::SetExitOnClick(bool on) {
    TOVMenu& m = model_.doc_.Menu;
    if (model_.flags_.Updating || m.SelectedButton < 1) return;
    m.Buttons[size_t(m.SelectedButton)].ExitOnClick = on ? 1 : 0;
    model_.flags_.Modified = true;
}

void PropertyPanels::SetAnimateTitle(bool on) {
    if (model_.flags_.Updating) return;
    model_.doc_.Props.AnimateTitle = on;
    model_.flags_.Modified = true;
}

void PropertyPanels::SetDisableSounds(bool on) {
    if (model_.flags_.Updating) return;
    model_.doc_.Props.DisableSounds = on;
    model_.flags_.Modified = true;
}

void PropertyPanels::ShowButtonProps() {
    const TOVMenu& m = model_.doc_.Menu;
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
    if (!model_.flags_.Updating) model_.Session().ShowTip(Tip::WizardButton);
}

void PropertyPanels::EnterArgumentField() {
    if (!model_.flags_.Updating) model_.Session().ShowTip(Tip::CommandArgument);
}

}  // namespace orvane
