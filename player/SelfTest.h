#pragma once

#include "player/Placement.h"
#include "player/ShownMenu.h"

#include <string>
#include <vector>

namespace orvane::player {

// What the user is told when the menus cannot be shown; the detail says
// what exactly was wrong.
std::string DamagedPackageMessage(const std::string& detail);
std::string DamagedMenuMessage(const std::string& fileName, const std::string& detail);

// The test mode's report: the package's entries and, for each menu, what the
// player loaded (the stored fields in the form `orvane-menu info` writes
// them, the size, how it is shown on this screen: scale, size, window and
// scroll bars, each button's rectangle, and the frames of its buttons'
// entrance with their designed time), or the message of the first menu that
// failed.
struct SelfTestMenu {
    std::string FileName;
    const ShownMenu* Menu = nullptr;  // null when it failed to load
    std::string Error;
    MenuView View;
    Rect Place;
};
// A window of the player as Windows lays it out at this DPI: its size and
// each control's box in its client area, with the height a text control's
// text needs at the control's width.
struct LaidOutControl {
    std::string Name;
    Rect Box;
    int TextHeight = 0;
};
struct WindowLayout {
    int Width = 0;
    int Height = 0;
    std::vector<LaidOutControl> Controls;
};
std::string SelfTestJson(const AutorunPackage& package, const std::vector<SelfTestMenu>& menus,
                         const Rect& workArea, int dpi, const WindowLayout& searchWindow,
                         const std::string& error);

}  // namespace orvane::player
