#include "app/MainMenu.h"

#include "app/EditorModel.h"

#include <array>

namespace orvane {

namespace {

using C = MenuCommand;

constexpr std::array kItems = std::to_array<MenuItem>({
    {0, "&File", C::None, 0, ""},
    {1, "New", C::FileNew, 0, "Ctrl+N"},
    {1, "&Open...", C::FileOpen, 0, "Ctrl+O"},
    {1, "&Save", C::FileSave, 0, "Ctrl+S"},
    {1, "Save &As...", C::FileSaveAs, 0, "Ctrl+A"},
    {1, "", C::None, 0, ""},
    {1, "Create Autorun EXE...", C::CreateAutorun, 0, "Ctrl+E"},
    {1, "Test Autorun...", C::TestAutorun, 0, ""},
    {1, "", C::None, 0, ""},
    {1, "", C::MenuListEntry, 0, ""},
    {1, "", C::None, 0, ""},
    {1, "E&xit", C::Exit, 0, ""},
    {0, "&Edit", C::None, 0, ""},
    {1, "&Undo", C::Undo, 0, "Ctrl+Z"},
    {1, "&Redo", C::Redo, 0, "Ctrl+Y"},
    {1, "", C::None, 0, ""},
    {1, "Cu&t", C::Cut, 0, "Ctrl+X"},
    {1, "&Copy", C::Copy, 0, "Ctrl+C"},
    {1, "&Paste", C::Paste, 0, "Ctrl+V"},
    {1, "", C::None, 0, ""},
    {1, "&Add Button", C::AddButton, 0, "Ctrl+B"},
    {1, "&Delete Button", C::DeleteButton, 0, "Ctrl+Delete"},
    {1, "Move Up", C::MoveUp, 0, ""},
    {1, "Move Down", C::MoveDown, 0, ""},
    {0, "&View", C::None, 0, ""},
    {1, "Menu &Description", C::ViewPalette, 0, "Ctrl+F1"},
    {1, "Display &Position", C::ViewPalette, 1, "Ctrl+F2"},
    {1, "Menu &Style", C::ViewPalette, 2, "Ctrl+F3"},
    {1, "&Custom Properties", C::ViewPalette, 3, "Ctrl+F4"},
    {1, "&Button Properties", C::ViewPalette, 4, "Ctrl+F5"},
    {1, "", C::None, 0, ""},
    {1, "One Palette Visible at a Time", C::OnePalette, 0, ""},
    {0, "&Tools", C::None, 0, ""},
    {1, "Custom Button Style...", C::CustomButtonStyle, 0, ""},
    {1, "Copy Button Style...", C::CopyButtonStyle, 0, ""},
    {1, "", C::None, 0, ""},
    {1, "Animate Buttons", C::AnimateButtons, 0, ""},
    {1, "", C::None, 0, ""},
    {1, "Disable Menu Sounds", C::DisableSounds, 0, ""},
    {1, "High Quality Photo Scaling", C::HighQualityScaling, 0, ""},
    {1, "", C::None, 0, ""},
    {1, "Reset First Use Tips", C::ResetTips, 0, ""},
    {0, "&Help", C::None, 0, ""},
    {1, "", C::Help, 0, ""},
    {1, "", C::None, 0, ""},
    {1, "", C::Help, 1, ""},
    {1, "", C::Help, 2, ""},
    {1, "", C::None, 0, ""},
    {1, "", C::Help, 3, ""},
});

constexpr std::array kToolbar = std::to_array<ToolbarItem>({
    {C::FileNew, "new", "New"},
    {C::FileOpen, "open", "Open"},
    {C::FileSave, "save", "Save"},
    {C::None, "", ""},
    {C::Undo, "undo", "Undo"},
    {C::Redo, "redo", "Redo"},
    {C::None, "", ""},
    {C::Cut, "cut", "Cut (Button)"},
    {C::Copy, "copy", "Copy (Button)"},
    {C::Paste, "paste", "Paste (Button)"},
    {C::None, "", ""},
    {C::AddButton, "add_button", "Add New Button"},
    {C::DeleteButton, "delete_button", "Delete Button"},
    {C::MoveUp, "move_up", "Move Up"},
    {C::MoveDown, "move_down", "Move Down"},
    {C::None, "", ""},
    {C::CreateAutorun, "autorun", "Create Autorun EXE"},
    {C::AnimateButtons, "animate", "Animate buttons now"},
    {C::None, "", ""},
    {C::Help, "help", "Help"},
});

}  // namespace

std::span<const MenuItem> MainMenuItems() { return kItems; }

std::span<const ToolbarItem> MainToolbarItems() { return kToolbar; }

std::string_view MenuItemText(const MenuItem& item) {
    return item.Command == C::Help ? kHelpEntries[size_t(item.Index)].Text : item.Text;
}

std::string_view MenuItemKey(const MenuItem& item) {
    return item.Command == C::Help ? kHelpEntries[size_t(item.Index)].Key : item.Key;
}

bool MenuCommandEnabled(const EditorModel& model, MenuCommand command) {
    switch (command) {
        case C::Undo: return model.Doc().Menu.UndoCount > 0;
        case C::Redo: return model.Doc().Menu.RedoCount > 0;
        default: return true;
    }
}

bool MenuCommandChecked(const EditorModel& model, MenuCommand command, int index) {
    switch (command) {
        case C::ViewPalette: return index >= 0 && index < PaletteColumn::kCount && model.Palettes().Open[size_t(index)];
        case C::OnePalette: return model.Palettes().OnePaletteMode;
        case C::DisableSounds: return model.Doc().Props.DisableSounds;
        case C::HighQualityScaling: return model.Properties().HighQualityScaling();
        default: return false;
    }
}

std::optional<Shortcut> ParseShortcut(std::string_view text) {
    if (text.empty()) return std::nullopt;
    Shortcut s;
    for (;;) {
        const size_t plus = text.find('+');
        if (plus == std::string_view::npos || plus + 1 == text.size()) break;
        const std::string_view part = text.substr(0, plus);
        if (part == "Ctrl") s.Ctrl = true;
        else if (part == "Shift") s.Shift = true;
        else if (part == "Alt") s.Alt = true;
        else return std::nullopt;
        text.remove_prefix(plus + 1);
    }
    s.Key = text;
    return s;
}

}  // namespace orvane
