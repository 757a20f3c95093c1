#pragma once

// The main window's menu bar as data: each face builds its menus, shortcuts
// and enablement from this one table and hands the chosen command back.

#include "app/Tips.h"

#include <optional>
#include <span>
#include <string_view>

namespace orvane {

class EditorModel;

enum class MenuCommand {
    None,  // a separator, or a pop-up's title
    FileNew,
    FileOpen,
    FileSave,
    FileSaveAs,
    CreateAutorun,
    TestAutorun,
    MenuListEntry,  // the menus of the menu folder, kMenuListSize entries
    Exit,
    Undo,
    Redo,
    Cut,
    Copy,
    Paste,
    AddButton,
    DeleteButton,
    MoveUp,
    MoveDown,
    ViewPalette,  // Index: the palette, 0 to 4
    OnePalette,
    CustomButtonStyle,
    CopyButtonStyle,
    AnimateButtons,
    DisableSounds,
    HighQualityScaling,
    ResetTips,
    Help,  // Index: the entry of kHelpEntries
};

struct MenuItem {
    int Depth;              // 0: a menu of the bar; 1: an item in it
    std::string_view Text;  // "&" marks the access key; empty: a separator
    MenuCommand Command;
    int Index;              // which palette or help entry
    std::string_view Key;   // the shortcut as the menu shows it ("Ctrl+N"), or empty
};

// The menu bar, in order. Help items take their text and shortcut from
// kHelpEntries; MenuItemText and MenuItemKey answer for every item.
std::span<const MenuItem> MainMenuItems();
std::string_view MenuItemText(const MenuItem& item);
std::string_view MenuItemKey(const MenuItem& item);

// The main tool bar, left to right. The help button drops down the help
// entries placed on it (HelpPlace::HelpButtonMenu) instead of running a command.
struct ToolbarItem {
    MenuCommand Command;     // None: a separator
    std::string_view Glyph;  // the picture's name ("save"); the glyph strips hold them in this order
    std::string_view Tip;
};
std::span<const ToolbarItem> MainToolbarItems();

// Whether an item can be chosen now, and whether it shows a check mark.
bool MenuCommandEnabled(const EditorModel& model, MenuCommand command);
bool MenuCommandChecked(const EditorModel& model, MenuCommand command, int index);

// A shortcut's parts: the key ("N", "Delete", "F1") and its modifiers.
struct Shortcut {
    bool Ctrl = false, Shift = false, Alt = false;
    std::string_view Key;
};
std::optional<Shortcut> ParseShortcut(std::string_view text);

}  // namespace orvane
