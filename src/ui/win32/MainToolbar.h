#pragma once

#include "app/MainMenu.h"
#include "platform/win32/Windows.h"

#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace orvane {

// A PNG glyph (or a strip of square glyphs side by side) of the program's
// resources as premultiplied BGRA rows, top down; empty when it cannot be read.
std::vector<uint32_t> ReadGlyphResource(int resource, int& width, int& height);
// An image list of such pixels, one square image per height.
HIMAGELIST GlyphImageList(const std::vector<uint32_t>& pixels, int width, int height);

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
