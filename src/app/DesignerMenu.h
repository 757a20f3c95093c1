#pragma once

// The button style designer's menu bar and tool bars as data: each face builds
// its menus, shortcuts, buttons and enablement from these tables and hands the
// chosen command back to RunDesignerCommand.

#include "app/Tips.h"

#include <optional>
#include <span>
#include <string_view>

namespace orvane {

class TfrmCustomBtnCls;

enum class DesignerCommand {
    None,  // a separator, or a pop-up's title
    New,
    Open,
    Save,
    SaveAs,
    CloseMenu,
    Exit,         // the face closes the window
    CopyPicture,  // Mask: the mask of the selected slot instead of its button
    PastePicture,
    LoadPicture,
    SavePicture,
    FontEntry,  // Index: the entry of kDesignerFontEntries
    SizeEntry,  // Index: the entry of kDesignerSizeEntries
    Bold,
    Italic,
    Underline,
    Align,  // Index: 0 left, 1 right, 2 centre, as the caption stores it
    NudgeLeft,
    NudgeRight,
    NudgeUp,
    NudgeDown,
    CopyMap,
    PhotoButton,
    FontColor,    // the face opens the colour picker
    ShadowColor,  // the face opens the colour picker
    ShadowDepth,  // the face opens the shadow-set pop-up
    MaskCaption,  // the tool bar's "Mask" caption: shown, never chosen
    Help,         // Index: the entry of kHelpEntries
};

struct DesignerItem {
    int Depth;              // menus: 0 a menu of the bar, 1 an item, 2 an item of a sub-menu; tool bars: the bar
    std::string_view Text;  // menus: "&" marks the access key; tool bars: the hint; empty: a separator
    DesignerCommand Command;
    int Index;              // which font, size, alignment or help entry
    bool Mask = false;      // acts on the selected slot's mask
    std::string_view Key;   // the shortcut as the menu shows it ("Ctrl+N"), or empty
};

inline constexpr std::string_view kDesignerFontEntries[] = {
    "&Arial", "&Times New Roman", "Arial &Black", "&Courier New", "&Verdana", "Comic &Sans MS", "C&ourier",
    "&Monospace", "Sa&ns-Serif", "S&erif", "T&rebuchet MS", "&Georgia", "&Impact"};
inline constexpr std::string_view kDesignerSizeEntries[] = {"&8", "1&0", "1&2", "1&4", "1&6", "1&8"};

// The menu bar, in order; font, size and help items take their text (and the
// help items their shortcut) from the lists above and kHelpEntries.
std::span<const DesignerItem> DesignerMenuItems();
// The two tool bars (Depth 0 the file and picture bar, 1 the formatting bar),
// left to right; the formatting bar's font and size lists stand before it.
std::span<const DesignerItem> DesignerToolItems();
std::string_view DesignerItemText(const DesignerItem& item);
std::string_view DesignerItemKey(const DesignerItem& item);

// Whether an item can be chosen now, and whether it shows as down or checked.
bool DesignerCommandEnabled(const TfrmCustomBtnCls& designer, const DesignerItem& item);
bool DesignerCommandChecked(const TfrmCustomBtnCls& designer, const DesignerItem& item);

// The page a designer help entry opens: 0 the window's "&Help" button,
// 1 "Creating Buttons", 2 "Contents and Index".
HelpPage DesignerHelpPage(int index);

// Runs an item on the designer. Exit, the colours, the shadow depth and help
// are the face's: they do nothing here.
void RunDesignerCommand(TfrmCustomBtnCls& designer, const DesignerItem& item);

}  // namespace orvane
