// The main window's side of the colour picker, the shadow-set pop-up and the
// copy-custom window.
#include "EditorModel.h"

#include "app/ColorPicker.h"
#include "app/CopyCustom.h"
#include "app/ShadowSets.h"

namespace orvane {

uint32_t EditorModel::PickerStartColor(ColorTarget target) const {
    const MenuProperties& p = doc_.Props;
    const int s = doc_.Menu.SelectedButton;
    switch (target) {
        case ColorTarget::FontColor: return (s < 0 ? p.TitleFont : s == 0 ? p.TextFont : p.ButtonFont).Color;
        case ColorTarget::ShadowColor: return s < 0 ? p.TitleShadowColor : s == 0 ? p.TextShadowColor : p.ButtonShadowColor;
        case ColorTarget::MenuColor: return p.MenuColor;
        default: return pickedColor_;
    }
}

void EditorModel::ApplyPickedColor(ColorTarget target, uint32_t color, bool undoSnapshot) {
    if (!IsMainWindowTarget(target)) return;
    if (undoSnapshot) Undo().Make();
    MenuProperties& p = doc_.Props;
    TOVMenu& m = doc_.Menu;
    const int s = m.SelectedButton;
    switch (target) {
        case ColorTarget::FontColor:
            // The design surface draws the menu text from TextFont, so its label follows.
            (s < 0 ? p.TitleFont : s == 0 ? p.TextFont : p.ButtonFont).Color = color;
            CreateSkin();
            break;
        case ColorTarget::ShadowColor: {
            int32_t& depth = s < 0 ? m.TitleShadowDepth : s == 0 ? m.TextShadowDepth : m.ButtonShadowDepth;
            // A shadow colour without a shadow would show nothing.
            if (depth == 0) {
                depth = 1;
                if (s == 0) renderer_.Layout.MenuTextShadow = renderer_.Layout.MenuText.Moved(1, 1);
            }
            (s < 0 ? p.TitleShadowColor : s == 0 ? p.TextShadowColor : p.ButtonShadowColor) = color;
            if (s != 0) CreateSkin();
            break;
        }
        default:
            p.MenuColor = color;
            ColorSkin(true);
            Session().ShowTip(Tip::TextColors);
            break;
    }
    flags_.Modified = true;
}

std::unique_ptr<TfrmColorsCls> EditorModel::OpenColorPicker(ColorTarget target) {
    pickerTarget_ = target;
    pickedColor_ = PickerStartColor(target);
    return std::make_unique<TfrmColorsCls>(*this);
}

std::unique_ptr<TfrmShadowSets> EditorModel::OpenShadowSets() {
    pickerTarget_ = ColorTarget::None;  // anything but the designer's depth
    return std::make_unique<TfrmShadowSets>(*this);
}

void EditorModel::CopyButtonStyle1Click(const std::function<void(TfrmCopyCustom&)>& show) {
    TfrmCopyCustom window(*this);
    show(window);
    ComboBox1Select(selectedStyle_);
}

}  // namespace orvane
