#pragma once

#include "platform/Bitmap.h"
#include "platform/win32/Windows.h"

#include <shellapi.h>

#include <array>
#include <filesystem>
#include <functional>

namespace orvane {

class EditorModel;

// The design surface: the menu as the core renders it, pixel for pixel (each
// pixel as large as the screen's scale makes it, as the player shows it),
// centred on the work area with its shadow, the selection box over the
// selected element. Clicks select; the window is told to show the model.
class DesignSurface {
public:
    DesignSurface(EditorModel& model, HWND parent);
    HWND Handle() const { return window_; }

    // Takes the model's picture and layout again.
    void Refresh();

    // The button animation: buttons drawn where the path puts them.
    void BeginAnimation();
    void MoveButton(int slot, int left, int top);
    void EndAnimation();
    bool Animating() const { return animating_; }

    // The selection changed by a click; the window shows the model.
    std::function<void()> SelectionChanged;
    // A context menu for a button (0: the menu itself) at a screen point.
    std::function<void(int button, POINT screen)> ContextMenu;
    // A picture dropped on a photo style's menu.
    std::function<void(const std::filesystem::path&)> PhotoDropped;
    // Files dropped that are no photo for the menu.
    std::function<void(HDROP drop)> FilesDropped;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Compose();
    void Paint(HDC dc);
    void UpdateScrollBars();
    void Scroll(int bar, int request, int wheelDelta = 0);
    // The menu's top left corner in client pixels.
    POINT Origin() const;
    int Dpi() const;
    POINT ToMenu(int x, int y) const;
    void Hover(POINT menuPoint);
    RECT SelectionRect() const;

    EditorModel& model_;
    HWND window_ = nullptr;
    Bitmap frame_;  // what is shown: the menu with its buttons
    Bitmap back_;   // while animating: the menu without buttons
    std::array<POINT, 31> place_{};
    bool animating_ = false;
    int hover_ = 0;
    int pressed_ = 0;
    int scrollX_ = 0, scrollY_ = 0;
    bool tracking_ = false;
};

}  // namespace orvane
