// Adding, removing, moving and stepping through the menu's buttons.
#include "app/ButtonCommands.h"

#include "app/AppFolders.h"
#include "app/EditorModel.h"
#include "app/Guards.h"
#include "platform/Errors.h"
#include "platform/PathText.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace orvane {
namespace fs = std::filesystem;

ButtonCommands::ButtonCommands(EditorModel& model) : model_(model), platform_(model.Desktop()) {}

void ButtonCommands::Add() {
    TOVMenu& m = model_.doc_.Menu;
    if (m.ButtonCount >= kMaxButtons) {
        platform_.Beep();
        return;
    }
    model_.Undo().Make();
    ++m.ButtonCount;
    TOVButton& b = m.Buttons[size_t(m.ButtonCount)];
    b.Caption = "Button " + std::to_string(m.ButtonCount);
    b.MinimizeOnClick = 0;
    b.MaximizeWindow = 0;
    b.ExitOnClick = 0;
    m.SelectedButton = m.ButtonCount;
    model_.OpenPalette(EditorModel::ButtonProperties);
    model_.CreateSkin();
    model_.Session().ShowTip(Tip::AccessKeys);
}

void ButtonCommands::Delete() {
    TOVMenu& m = model_.doc_.Menu;
    if (m.SelectedButton < 1) {
        ShowMessageBox(platform_, "You must first select a button to delete.", MsgType::Information);
        return;
    }
    if (m.ButtonCount == 1) {
        ShowMessageBox(platform_, "You must have at least one button on your menu.", MsgType::Information);
        return;
    }
    model_.Undo().Make();
    for (int k = m.SelectedButton; k < m.ButtonCount; ++k) CopyButton(m, k + 1, k);
    model_.renderer_.Layout.ButtonVisible[size_t(m.ButtonCount)] = false;
    --m.ButtonCount;
    Previous();
    model_.CreateSkin();
    model_.flags_.Modified = true;
}

void ButtonCommands::MoveUp() {
    TOVMenu& m = model_.doc_.Menu;
    if (m.SelectedButton < 1) {
        ShowMessageBox(platform_, "You must first select a button to move.", MsgType::Information);
        return;
    }
    if (m.SelectedButton == 1) {
        platform_.Beep();
        return;
    }
    model_.Undo().Make();
    const int s = m.SelectedButton;
    CopyButton(m, s, kSwapSlot);
    CopyButton(m, s - 1, s);
    CopyButton(m, kSwapSlot, s - 1);
    m.SelectedButton = s - 1;
    model_.CreateSkin();
}

void ButtonCommands::MoveDown() {
    TOVMenu& m = model_.doc_.Menu;
    if (m.SelectedButton < 1) {
        ShowMessageBox(platform_, "You must first select a button to move.", MsgType::Information);
        return;
    }
    if (m.SelectedButton >= m.ButtonCount) {
        platform_.Beep();
        return;
    }
    model_.Undo().Make();
    const int s = m.SelectedButton;
    CopyButton(m, s, kSwapSlot);
    CopyButton(m, s + 1, s);
    CopyButton(m, kSwapSlot, s + 1);
    m.SelectedButton = s + 1;
    model_.CreateSkin();
}

void ButtonCommands::Cut() {
    TOVMenu& m = model_.doc_.Menu;
    if (m.SelectedButton < 1) {
        ShowMessageBox(platform_, "You must first select a button.", MsgType::Information);
        return;
    }
    if (m.ButtonCount == 1) {
        ShowMessageBox(platform_, "You must have at least one button on your menu.", MsgType::Information);
        return;
    }
    CopyButton(m, m.SelectedButton, kClipboardSlot);
    Delete();
}

void ButtonCommands::Copy() {
    TOVMenu& m = model_.doc_.Menu;
    if (m.SelectedButton < 1) {
        ShowMessageBox(platform_, "You must first select a button.", MsgType::Information);
        return;
    }
    CopyButton(m, m.SelectedButton, kClipboardSlot);
}

void ButtonCommands::Paste() {
    TOVMenu& m = model_.doc_.Menu;
    if (m.ButtonCount >= kMaxButtons) {
        platform_.Beep();
        return;
    }
    model_.Undo().Make();
    {
        FlagSet updating(model_.flags_.Updating);
        ++m.ButtonCount;
        CopyButton(m, kClipboardSlot, m.ButtonCount);
        m.SelectedButton = m.ButtonCount;
    }
    model_.CreateSkin();
    model_.flags_.Modified = true;
}

void ButtonCommands::Previous() {
    TOVMenu& m = model_.doc_.Menu;
    FlagSet updating(model_.flags_.Updating);
    if (--m.SelectedButton < 1) m.SelectedButton = m.ButtonCount;
    model_.Properties().ShowButtonProps();
}

void ButtonCommands::Next() {
    TOVMenu& m = model_.doc_.Menu;
    FlagSet updating(model_.flags_.Updating);
    if (m.SelectedButton < 1 || ++m.SelectedButton > m.ButtonCount) m.SelectedButton = 1;
    model_.Properties().ShowButtonProps();
}

void ButtonCommands::Replace(const std::vector<std::string>& captions) {
    TOVMenu& m = model_.doc_.Menu;
    const int count = int(captions.size()) + 1;
    CopyButton(m, 1, count);
    for (int i = 1; i < count; ++i) {
        TOVButton& b = m.Buttons[size_t(i)];
        b = TOVButton{};
        b.Caption = captions[size_t(i - 1)];
    }
    m.ButtonCount = count;
}

}  // namespace orvane
