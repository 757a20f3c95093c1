#pragma once

namespace orvane {

// What the colour picker and the shadow-set pop-up edit (the editor's
// PickerTarget): the selected text's font or shadow colour and the menu
// colour of the main window, or the button style designer's caption colour,
// shadow colour and shadow depth. The numbers are the codes the windows used.
enum class ColorTarget {
    None = 0,
    FontColor = 1,
    ShadowColor = 2,
    MenuColor = 3,
    DesignerCaption = -2,
    DesignerShadow = -3,
    DesignerDepth = -4,
};

// The targets of the main window's document, as against the designer's.
inline bool IsMainWindowTarget(ColorTarget target) {
    return target == ColorTarget::FontColor || target == ColorTarget::ShadowColor ||
           target == ColorTarget::MenuColor;
}

}  // namespace orvane
