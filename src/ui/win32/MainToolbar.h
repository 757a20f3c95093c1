#pragma once

#include "app/MainMenu.h"
#include "platform/win32/Windows.h"

#include <commctrl.h>

#include <functional>

namespace orvane {

// The main tool bar above the formatting toolbar: the buttons of the tool
// bar table with their glyphs, drawn at the size the DPI asks for, and the
// help button's drop-down. It wraps onto a second row when the window is
// too narrow for one.
class MainToolbar {
public:
    explicit MainToolbar(HWND parent);
    ~MainToolbar();
    HWND Handle() const { return frame_; }

    // A button was clicked: its command, or a help entry's index for Help.
    std::function<void(MenuCommand command, int index)> Chosen;

    void SetDpi(int dpi);
    // Lays the buttons out for a width; returns the height they take.
    int FitTo(int width);
    // Greys the buttons whose command cannot run now.
    void Enable(const std::function<bool(MenuCommand)>& enabled);

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void DropHelpMenu();

    HWND frame_ = nullptr;
    HWND bar_ = nullptr;
    HIMAGELIST images_ = nullptr, disabled_ = nullptr;
};

}  // namespace orvane
