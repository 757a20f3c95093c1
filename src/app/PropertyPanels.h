#pragma once

#include "distribution/CommandWizard.h"

#include <string>

namespace orvane {

class EditorModel;
class Platform;

// What the five property palettes and the selection on the design surface
// set: one undo step per change (per drag for sliders), a deferred redraw for
// typing and dragging, and no stores while the editor fills the controls.
class PropertyPanels : public CommandTarget {
public:
    explicit PropertyPanels(EditorModel& model);

    // Selection on the design surface.
    void PressButton(int slot);
    void ClickButton(int slot);
    void ClickBackground();
    void ClickMenuText();
    void ClickTitle();
    // A left click released at a point of the menu, its press having been on
    // button `pressed` (0: none): selects what lies there. False when it
    // selects nothing (off the menu, or a press dragged off its button).
    bool ReleaseOnSurface(int pressed, int x, int y);
    // The field a click asks the window to put the focus in; asking clears it.
    enum class Focus { None, Caption, MenuText, Title };
    Focus TakeFocusRequest();
    // What the menu-text label shows while the pointer is on a button: its
    // description, else the menu text.
    void HoverButton(int slot);
    void HoverBackground();

    // "Menu Description": the title and menu text fields.
    void EnterTitleField();
    void SetTitle(const std::string& text);
    void SetMenuText(const std::string& text);
    void SetAnimateTitle(bool on);
    void SetDisableSounds(bool on);
    // "Animate title in taskbar", which runs the minimise box's handler too:
    // the box states are passed as the window shows them.
    void AnimateTitleClicked(bool titleBox, bool minimizeBox);

    // "Display Position": codes 0 to 10.
    void ChooseDisplayPosition(int code);

    // "Menu Style": the preset colour boxes (0 to 4), "Auto Adjust", the
    // button animation (entering the list takes the undo snapshot; choosing
    // returns whether the window should play the animation), visibilities.
    void ChoosePreset(int index);
    void SetAutoAdjust(bool on);
    void EnterAnimationList();
    bool ChooseAnimation(int code);
    void SetTextBoxVisibility(int value);
    void SetTitleBoxVisibility(int value);

    // "Custom Properties": the sliders, clamped to their ranges. Width and
    // height follow each other by the photo's aspect while "Use Photo Aspect
    // Ratio" is enabled and checked. A slider taking the focus is one undo step.
    void SliderFocus();
    void SetMenuWidth(int value);
    void SetMenuHeight(int value);
    void SetButtonWidth(int value);
    void SetButtonHeight(int value);
    void SetButtonGap(int value);
    void SetAutoSizeMenu(bool on);
    void SetAutoSizeButtons(bool on);
    void SetPhotoAspect(bool on);
    // With "Use Photo Aspect Ratio" checked: the width and height sliders take
    // the menu's size in the photo's proportion, keeping the side that would shrink.
    void KeepPhotoAspect();
    // The size sliders an auto-size box governs are enabled when it is clear.
    bool MenuSizeEnabled() const;
    bool ButtonSizeEnabled() const;
    // "High Quality Photo Scaling" in the Tools menu.
    void ToggleHighQualityScaling();
    bool HighQualityScaling() const;

    // "Button Properties": the command controls, filled from the selected
    // button by ShowButtonProps (the caller sets Updating).
    struct ButtonPanelFields {
        std::string Caption, Command, Argument, Description;
        bool Minimize = false, Exit = false, Maximize = false;
    };
    const ButtonPanelFields& ButtonPanel() const { return buttonPanel_; }
    void ShowButtonProps();
    void QuickInfo();
    void EnterCommandField();
    void EnterArgumentField();
    void SetCaption(const std::string& text);
    void SetDescription(const std::string& text);
    void SetCommand(const std::string& text) override;
    void SetArgument(const std::string& text) override;
    void SetMinimizeOnClick(bool on) override;
    void SetMaximizeWindow(bool on) override;
    void SetExitOnClick(bool on) override;

private:
    EditorModel& model_;
    Platform& platform_;
    ButtonPanelFields buttonPanel_;
    Focus focusRequest_ = Focus::None;
    bool aspectAdjusting_ = false;  // the other size slider is being moved
};

}  // namespace orvane
