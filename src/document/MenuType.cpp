#include "MenuType.h"

#include <cassert>

namespace orvane {

const std::string kDefaultTitle = "My Disc Menu";
const std::string kDefaultMenuText = "Welcome to my menu, here you can access the contents of my disc.";
const std::string kDefaultButtonStyleName = "[DefBtnSeld]";
const std::string kNewMenuFileName = "New Menu";

const std::array<const char*, kPositionCount> kPositionNames = {
    "Middle of Screen",   "Top Left Corner",     "Top Right Corner",   "Bottom Left Corner",
    "Bottom Right Corner", "Middle Top Left",    "Middle Top Right",   "Middle Bottom Left",
    "Middle Bottom Right", "Upper Middle Left",  "Upper Middle Right"};

const std::array<const char*, kAnimationCount> kAnimationNames = {
    "Do Not Animate Buttons",
    "Glide In from Top, Top Down",
    "Glide In from Right, Top Down",
    "Glide In from Bottom, Top Down",
    "Glide In from Left, Top Down",
    "Fly In from Corner, Top Down",
    "Spill Out, Top Down",
    "Glide In & Spill Out, Top Down",
    "Glide In from Top, Bottom Up",
    "Glide In from Right, Bottom Up",
    "Glide In from Bottom, Bottom Up",
    "Glide In from Left, Bottom Up",
    "Fly In from Corner, Bottom Up",
    "Spill Out, Bottom Up",
    "Glide In & Spill Out, Bottom Up"};

MenuDocument::MenuDocument() { PrepareSlots(Menu); }

std::string AccessKeyOf(const std::string& caption) {
    const auto p = caption.find('&');
    if (p == std::string::npos || p + 1 >= caption.size()) return {};
    // The key is one character: take a whole UTF-8 sequence.
    size_t end = p + 2;
    while (end < caption.size() && (uint8_t(caption[end]) & 0xC0) == 0x80) ++end;
    return caption.substr(p + 1, end - (p + 1));
}

void CopyButton(TOVMenu& menu, int from, int to) {
    assert(from >= 0 && from < kSlotCount && to >= 0 && to < kSlotCount && "slot out of range");
    if (from == to) return;
    const TOVButton& s = menu.Buttons[size_t(from)];
    TOVButton& d = menu.Buttons[size_t(to)];
    for (size_t i = 0; i < 3; ++i) d.Images[i] = s.Images[i];
    d.Caption = s.Caption;
    d.Command = s.Command;
    d.Argument = s.Argument;
    d.AccessKey = s.AccessKey;
    d.MinimizeOnClick = s.MinimizeOnClick;
    d.Description = s.Description;
    d.MaximizeWindow = s.MaximizeWindow;
    d.ExitOnClick = s.ExitOnClick;
}

void PrepareSlots(TOVMenu& menu) {
    for (auto& button : menu.Buttons) {
        button.AccessKey.clear();
        for (auto& image : button.Images) image = Bitmap();
    }
    for (auto& image : menu.Buttons[kControlSlot].Images) image = Bitmap(21, 9);
}

void ResetToNewMenu(MenuDocument& doc) {
    TOVMenu& m = doc.Menu;
    // Every property takes its default; the style then sets its own.
    doc.Props = MenuProperties{};
    const TOVMenu fresh;
    m.FileName = kNewMenuFileName;
    m.Folder.clear();
    m.HasFile = false;
    m.Position = 0;
    m.TextShadowDepth = fresh.TextShadowDepth;
    m.TitleShadowDepth = fresh.TitleShadowDepth;
    m.ButtonShadowDepth = fresh.ButtonShadowDepth;
    m.BackgroundFile.clear();
    doc.BackgroundPhoto = Bitmap();

    TOVButton& b = m.Buttons[1];
    b.Caption = "&Close Menu";
    b.Command.clear();
    b.Argument.clear();
    b.AccessKey.clear();
    b.Description.clear();
    b.MinimizeOnClick = 0;
    b.MaximizeWindow = 0;
    b.ExitOnClick = -1;
    m.ButtonCount = 1;
    m.SelectedButton = 1;

}

bool HasExitButton(const TOVMenu& menu) {
    for (int i = 1; i <= menu.ButtonCount; ++i) {
        const TOVButton& b = menu.Buttons[size_t(i)];
        if (b.Command.empty() && b.ExitOnClick != 0) return true;
    }
    return false;
}

}  // namespace orvane
